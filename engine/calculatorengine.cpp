// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, the shared helpers, number entry and the typed keys.
#include "engine/calculatorengine.h"

#include "app/preferences.h"
#include "engine/codecreation.h"
#include "engine/codetext.h"
#include "engine/keymap.h"
#include "engine/speaker.h"
#include "engine/xmathclass.h"

#include <QRandomGenerator>

#include <bit>
#include <cmath>

CalculatorEngine::CalculatorEngine(Preferences &preferences, CalculatorView &view, Speaker &speaker)
    : preferences(preferences)
    , view(view)
    , speaker(speaker)
    , context(std::make_unique<XMathClass>())
    , random([] { return QRandomGenerator::global()->generateDouble(); })
{
    rbsCalculationScript.Context = context.get();
    rbsCalculationScript.Print = [this](const QString &text) { rbsCalculationScript_Print(text); };
    rbsCalculationScript.CompilerError = [this](int lineNumber, int errorNumber, const QString &message) {
        rbsCalculationScript_CompilerError(lineNumber, errorNumber, message);
    };
}

CalculatorEngine::~CalculatorEngine() = default;

void CalculatorEngine::SetRandomSource(RandomSource source)
{
    random = std::move(source);
}

void CalculatorEngine::AppendToSequence(const QString &name)
{
    state.sequence += name + QLatin1Char('\r');
}

void CalculatorEngine::ClearSequence()
{
    state.sequence.clear();
}

bool CalculatorEngine::usingRPNMode() const
{
    return preferences.usingRPNMode;
}

void CalculatorEngine::Speak(const QString &text)
{
    if (preferences.speakEverythingElse)
        speaker.SpeakAndInterrupt(text);
}

void CalculatorEngine::Redraw()
{
    view.FlickerFreeRefresh();
}

QString CalculatorEngine::codeFormat(double x) const
{
    const quint64 bits = std::bit_cast<quint64>(x);
    if (literal.isEmpty() || bits != literalBits) {
        literal = CodeFormat(x, ExpressionMask);
        literalBits = bits;
    }
    return literal;
}

// --- Number entry ---

void CalculatorEngine::AddDigitToString(const QString &d)
{
    Speak(d);
    // The decimal key shows the locale's separator; both texts keep "." so
    // that the entry text stays the tail of the expression text, which the
    // script engine reads with "." only.
    // A digit is never the separator: skip asking the locale for it.
    const bool digit = d.size() == 1 && d[0] >= u'0' && d[0] <= u'9';
    const QString character = !digit && d == LocalDecimalSeparator() ? QStringLiteral(".") : d;
    const bool secondPoint
        = character == QLatin1String(".") && state.EnteredNumberAsString.contains(QLatin1Char('.'));
    // Nothing extends a closing bracket or the literal of an infinity or NaN.
    if (secondPoint || state.currentCodeString.endsWith(QLatin1Char(')'))
        || EndsWithNonFiniteLiteral(state.currentCodeString)) {
        Speak(QStringLiteral("Not entered"));
        return;
    }
    state.currentCodeString += character;
    state.EnteredNumberAsString += character;
    state.CurrentNumber = ReadCodeNumber(state.EnteredNumberAsString);
    Redraw();
}

void CalculatorEngine::NumberKey(const QString &caption)
{
    startNewNumberAfterCalculation();
    AddDigitToString(caption);
}

void CalculatorEngine::startNewNumberAfterCalculation()
{
    if (state.lastCommandWasToCalculate) {
        state.lastCommandWasToCalculate = false;
        state.currentCodeString.clear();
    }
}

void CalculatorEngine::ChangeSign()
{
    Speak(QStringLiteral("Invert sign"));
    QString text = operandText();
    // The trailing number, with its exponent if it has one, gets the minus:
    // 3.0e+0 becomes -3.0e+0 and a typed 5e3 becomes -5e3.
    const qsizetype number = TrailingNumberStart(text);
    text.insert(number < 0 ? 0 : number, QLatin1Char('-'));
    state.currentCodeString = text;
    Calculate(false);
    Redraw();
}

void CalculatorEngine::DoTryEnterOtherE()
{
    const QString &entry = state.EnteredNumberAsString;
    if (!entry.isEmpty() && !entry.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        Speak(QStringLiteral("Times ten to the power of"));
        AddDigitToString(QStringLiteral("e"));
    } else {
        Speak(QStringLiteral("Cannot exponentiate twice in one number"));
    }
}

void CalculatorEngine::DoEnterNegativePartOfEE()
{
    Speak(QStringLiteral("Negative"));
    AddDigitToString(QStringLiteral("-"));
}

void CalculatorEngine::Clear()
{
    Speak(QStringLiteral("Clear"));
    state.currentCodeString.clear();
    state.EnteredNumberAsString.clear();
    state.CurrentNumber = 0.0;
    SetFlag(QString());
    state.rpnStack.clear();
    RebuildRPNStackListbox();
    Redraw();
}

void CalculatorEngine::ClearEntry()
{
    Speak(QStringLiteral("Clear entry"));
    if (!state.rpnStack.isEmpty()) {
        state.rpnStack.removeLast();
        RebuildRPNStackListbox();
    } else if (state.currentCodeString.endsWith(state.EnteredNumberAsString)) {
        state.currentCodeString.chop(state.EnteredNumberAsString.size());
        state.EnteredNumberAsString.clear();
        state.CurrentNumber = 0.0;
    }
    Redraw();
}

void CalculatorEngine::EnterConstant(double v)
{
    const QString literal = codeFormat(v);
    Speak(QStringLiteral("Entered value ") + literal);
    if (usingRPNMode()) {
        DoRPNAppendToStack(v);
    } else if (state.lastCommandWasToCalculate) {
        state.currentCodeString = literal;
    } else {
        state.lastCommandWasToCalculate = true;
        // A value right after a number (typed, or the literal of an infinity
        // or NaN) or a closing bracket starts a new expression; after an
        // operator it is added.
        const QString last = LastCharacter(state.currentCodeString);
        if (IsStringNumeric(last) || last == QLatin1String(")")
            || EndsWithNonFiniteLiteral(state.currentCodeString))
            state.currentCodeString = literal;
        else
            state.currentCodeString += literal;
    }
    SetFlag(QString());
    state.CurrentNumber = v;
    state.EnteredNumberAsString.clear();
    Redraw();
}

void CalculatorEngine::EnterPi()
{
    EnterConstant(2.0 * std::acos(0.0));
}

void CalculatorEngine::EnterE()
{
    EnterConstant(std::exp(1.0));
}

void CalculatorEngine::DoGetRandom()
{
    Speak(QStringLiteral("Random number"));
    EnterConstant(random());
}

// --- Typed keys ---

void CalculatorEngine::HandleKeyDown(const QString &key)
{
    // Where the locale writes "," as decimal separator, the typed "," is the
    // decimal point, as the on-screen decimal key is.
    if (IsDigitNumeric(key) || key == LocalDecimalSeparator()) {
        startNewNumberAfterCalculation();
        AddDigitToString(key);
    } else {
        state.lastCommandWasToCalculate = false;
        const QList<uint> codePoints = key.toUcs4();
        if (!codePoints.isEmpty())
            if (const KeyOperation operation = KeyMapOperation(codePoints.front()))
                (this->*operation)();
    }
    Redraw();
}

void CalculatorEngine::DoTypedMinus()
{
    if (LastCharacter(state.EnteredNumberAsString).toUpper() == QLatin1String("E"))
        DoEnterNegativePartOfEE();
    else
        DoSubtract();
}

void CalculatorEngine::DoTypedEquals()
{
    if (usingRPNMode())
        DoRPNEnter();
    else
        DoFindAnswer();
}
