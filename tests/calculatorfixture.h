// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/preferences.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "tools/fakecalculatorview.h"
#include "tools/recordingspeaker.h"

#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <map>

// One calculator with a fake window and a recording speaker, as a freshly
// opened window has it: memory popup filled, keys set for the entry mode,
// stack list built. Keys are pressed by their captions.
class Calculator
{
public:
    Preferences preferences { QString() }; // defaults; never touches the disk
    FakeCalculatorView view;
    RecordingSpeaker speaker;
    CalculatorEngine engine { preferences, view, speaker };

    Calculator()
    {
        engine.CreateMemoryValueList();
        engine.SetModeAlterControls();
        engine.RebuildRPNStackListbox();
    }

    const CalculatorState &state() const { return engine.State(); }

    // Clicks keys given by their captions, separated by blanks, e.g.
    // "2 x^y 3 =". Digits and "." go through the on-screen number key. A
    // caption that names no key stops the test program: it is a mistake in
    // the test table.
    void press(const QString &captions)
    {
        for (const QString &caption : captions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const auto key = keys().find(caption);
            if (key != keys().end())
                key->second(engine);
            else if (caption.size() == 1 && (caption[0].isDigit() || caption == QLatin1String(".")))
                engine.NumberKey(caption);
            else if (caption.front().isDigit())
                press(caption.split(QString(), Qt::SkipEmptyParts).join(QLatin1Char(' ')));
            else
                qFatal("Calculator::press: no key \"%s\"", qPrintable(caption));
        }
    }

    // Types each character of text on the keyboard.
    void type(const QString &text)
    {
        for (const QChar character : text)
            engine.HandleKeyDown(character);
    }

    QString currentLiteral() const { return CodeFormat(state().CurrentNumber, ExpressionMask); }

    QStringList stackLiterals() const
    {
        QStringList literals;
        for (const double value : state().rpnStack)
            literals << CodeFormat(value, ExpressionMask);
        return literals;
    }

    // The texts spoken so far, each prefixed with "!" when it interrupted and
    // with "+" when it was queued; then forgets them.
    QStringList takeSpoken()
    {
        QStringList texts;
        for (const RecordingSpeaker::Utterance &utterance : speaker.spoken)
            texts << (utterance.interrupt ? QStringLiteral("!") : QStringLiteral("+")) + utterance.text;
        speaker.spoken.clear();
        return texts;
    }

    // What a fresh calculator says, with "Speak everything else" on, while
    // the keys are pressed.
    static QStringList spokenWhilePressing(const QString &captions)
    {
        Calculator calculator;
        calculator.preferences.speakEverythingElse = true;
        calculator.press(captions);
        return calculator.takeSpoken();
    }

private:
    using Key = std::function<void(CalculatorEngine &)>;

    // The captions of the window's keys (a few without blanks: "loge",
    // "∑0toX", "∑XtoY", "∏XtoY", "DegToRad", "RadToDeg") and the operations
    // their handlers call.
    static const std::map<QString, Key> &keys()
    {
        using E = CalculatorEngine;
        auto op
            = [](void (E::*operation)()) { return Key([operation](E &engine) { (engine.*operation)(); }); };
        static const std::map<QString, Key> table {
            { QStringLiteral("+"), op(&E::DoAdd) },
            { QStringLiteral("-"), op(&E::DoSubtract) },
            { QStringLiteral("*"), op(&E::DoMultiply) },
            { QStringLiteral("÷"), op(&E::DoDivide) },
            { QStringLiteral("\\"), op(&E::DoIntegerDivide) },
            { QStringLiteral("="), op(&E::DoFindAnswer) },
            { QStringLiteral("±"), op(&E::ChangeSign) },
            { QStringLiteral("("), op(&E::DoEnterOpenBracket) },
            { QStringLiteral(")"), op(&E::DoEnterCloseBracket) },
            { QStringLiteral("Enter"), op(&E::DoRPNEnter) },
            { QStringLiteral("π"), op(&E::EnterPi) },
            { QStringLiteral("e"), op(&E::EnterE) },
            { QStringLiteral("EE"), op(&E::DoTryEnterOtherE) },
            { QStringLiteral("Clear"), op(&E::Clear) },
            { QStringLiteral("CE"), op(&E::ClearEntry) },
            { QStringLiteral("!"), op(&E::DoFactorial) },
            { QStringLiteral("|x|"), op(&E::DoAbs) },
            { QStringLiteral("√"), op(&E::DoSqrt) },
            { QStringLiteral("mod"), op(&E::DoXModY) },
            { QStringLiteral("1/x"), op(&E::Do1OverX) },
            { QStringLiteral("n√x"), op(&E::DoNthRoot) },
            { QStringLiteral("log10"), op(&E::DoLogBase10) },
            { QStringLiteral("loge"), op(&E::DoLogBaseE) },
            { QStringLiteral("log2"), op(&E::DoLogBase2) },
            { QStringLiteral("10^x"), op(&E::Do10PowX) },
            { QStringLiteral("e^x"), op(&E::DoEPowX) },
            { QStringLiteral("2^x"), op(&E::Do2PowX) },
            { QStringLiteral("x^2"), op(&E::DoSquareX) },
            { QStringLiteral("x^3"), op(&E::DoCubeX) },
            { QStringLiteral("x^y"), op(&E::DoXPowY) },
            { QStringLiteral("round"), op(&E::DoRound) },
            { QStringLiteral("floor"), op(&E::DoFloor) },
            { QStringLiteral("ceil"), op(&E::DoCeil) },
            { QStringLiteral("∑0toX"), op(&E::DoSumZeroToX) },
            { QStringLiteral("∑XtoY"), op(&E::DoSumXToY) },
            { QStringLiteral("∏XtoY"), op(&E::DoMultiplyXToY) },
            { QStringLiteral("Random"), op(&E::DoGetRandom) },
            { QStringLiteral("DegToRad"), op(&E::DoDegToRad) },
            { QStringLiteral("RadToDeg"), op(&E::DoRadToDeg) },
            { QStringLiteral("sin"), op(&E::DoSin) },
            { QStringLiteral("cos"), op(&E::DoCos) },
            { QStringLiteral("tan"), op(&E::DoTan) },
            { QStringLiteral("asin"), op(&E::DoArcSin) },
            { QStringLiteral("acos"), op(&E::DoArcCos) },
            { QStringLiteral("atan"), op(&E::DoArcTan) },
            { QStringLiteral("sinh"), op(&E::DoSinh) },
            { QStringLiteral("cosh"), op(&E::DoCosh) },
            { QStringLiteral("tanh"), op(&E::DoTanh) },
            { QStringLiteral("csch"), op(&E::DoCsch) },
            { QStringLiteral("sech"), op(&E::DoSech) },
            { QStringLiteral("coth"), op(&E::DoCoth) },
            // The reciprocal keys run two operations in a row.
            { QStringLiteral("cosec"), [](E &engine) { engine.DoSin(), engine.Do1OverX(); } },
            { QStringLiteral("sec"), [](E &engine) { engine.DoCos(), engine.Do1OverX(); } },
            { QStringLiteral("cotan"), [](E &engine) { engine.DoTan(), engine.Do1OverX(); } },
        };
        return table;
    }
};
