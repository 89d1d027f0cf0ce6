// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the calculator's speech goes. The real one wraps the system's speech
// synthesiser and is silent when none runs; tests record what was said.
class Speaker
{
public:
    virtual ~Speaker() = default;
    // Stops any speech in progress, then speaks text.
    virtual void SpeakAndInterrupt(const QString &text) = 0;
    // Speaks text after whatever is being spoken now.
    virtual void SpeakQueued(const QString &text) = 0;
};
