// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/systemspeaker.h"

#include <QTextToSpeech>

SystemSpeaker::SystemSpeaker() = default;
SystemSpeaker::~SystemSpeaker() = default;

bool SystemSpeaker::ensureEngine()
{
    if (engine)
        return engine->state() != QTextToSpeech::Error;
    if (engineUnavailable)
        return false;
    if (QTextToSpeech::availableEngines().isEmpty()) {
        engineUnavailable = true;
        return false;
    }
    engine = std::make_unique<QTextToSpeech>();
    // The synthesiser has no queue of its own in this Qt version: start the
    // next queued text whenever it falls silent.
    QObject::connect(
        engine.get(), &QTextToSpeech::stateChanged, engine.get(), [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Ready)
                speakNextQueued();
        });
    return engine->state() != QTextToSpeech::Error;
}

void SystemSpeaker::SpeakAndInterrupt(const QString &text)
{
    if (!ensureEngine())
        return;
    queued.clear();
    engine->stop();
    engine->say(text);
}

void SystemSpeaker::SpeakQueued(const QString &text)
{
    if (!ensureEngine())
        return;
    if (engine->state() == QTextToSpeech::Speaking || !queued.isEmpty()) {
        queued.append(text);
        return;
    }
    engine->say(text);
}

void SystemSpeaker::speakNextQueued()
{
    if (!queued.isEmpty())
        engine->say(queued.takeFirst());
}
