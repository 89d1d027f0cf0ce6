// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/speaker.h"

#include <QStringList>

#include <memory>

class QTextToSpeech;

// Speaks through the system's speech synthesiser (QTextToSpeech). The
// synthesiser is created on the first text, so start-up does not wait for
// it; without a working speech engine every call does nothing.
class SystemSpeaker final : public Speaker
{
public:
    SystemSpeaker();
    ~SystemSpeaker() override;

    void SpeakAndInterrupt(const QString &text) override;
    void SpeakQueued(const QString &text) override;

private:
    bool ensureEngine();
    void speakNextQueued();

    std::unique_ptr<QTextToSpeech> engine;
    bool engineUnavailable = false;
    QStringList queued; // texts waiting behind the one being spoken
};
