// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/speaker.h"

#include <QList>
#include <QString>

// A speaker that says nothing and remembers every text it was given, and how.
class RecordingSpeaker : public Speaker
{
public:
    struct Utterance
    {
        QString text;
        bool interrupt; // SpeakAndInterrupt rather than SpeakQueued

        bool operator==(const Utterance &) const = default;
    };

    QList<Utterance> spoken;

    void SpeakAndInterrupt(const QString &text) override { spoken.append({ text, true }); }
    void SpeakQueued(const QString &text) override { spoken.append({ text, false }); }
};
