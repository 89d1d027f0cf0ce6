// SPDX-License-Identifier: GPL-3.0-or-later
// Operators, mod, brackets, and the one- and two-argument function keys,
// including the trigonometric keys with their angle-mode factor.
#include "app/preferences.h"
#include "engine/anglemodes.h"
#include "engine/calculatorengine.h"
#include "engine/codetext.h"
#include "engine/functionkeys.h"
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <cmath>

namespace {

// The flag text of an operator: "÷" for "/", the operator itself otherwise.
QString operatorFlag(const QString &op)
{
    return op == QLatin1String("/") ? QStringLiteral("\u00F7") : op;
}

} // namespace

// --- Operators ---

void CalculatorEngine::operatorKey(const QString &spoken, const QString &op)
{
    Speak(spoken);
    DoOperator(op);
}

void CalculatorEngine::DoAdd()
{
    operatorKey(QStringLiteral("Plus"), QStringLiteral("+"));
}
void CalculatorEngine::DoSubtract()
{
    operatorKey(QStringLiteral("Minus"), QStringLiteral("-"));
}
void CalculatorEngine::DoMultiply()
{
    operatorKey(QStringLiteral("Multiplied by"), QStringLiteral("*"));
}
void CalculatorEngine::DoDivide()
{
    operatorKey(QStringLiteral("Divided by"), QStringLiteral("/"));
}
void CalculatorEngine::DoIntegerDivide()
{
    operatorKey(QStringLiteral("Integer division by"), QStringLiteral("\\"));
}

void CalculatorEngine::DoOperator(const QString &op)
{
    if (usingRPNMode()) {
        DoRPNTwoOperandOperator(op);
    } else {
        // An infinite or NaN result ends the calculation: the operator
        // starts afresh from 0. (The number's literal is INF or NAN exactly
        // when the number is not finite; no need to write it to find out.)
        if (!std::isfinite(state.CurrentNumber))
            Clear();
        QString &code = state.currentCodeString;
        if (code.isEmpty()) {
            code = codeFormat(state.CurrentNumber) + op;
            SetFlag(operatorFlag(op));
        } else if (EndsWithTrailingOperator(code)) {
            code.replace(code.size() - 1, 1, op);
            SetFlag(operatorFlag(op));
        } else if (!code.endsWith(QLatin1Char('(')) && !EndsWithMod(code)
            && !code.endsWith(QLatin1Char(','))) {
            code += op;
            SetFlag(operatorFlag(op));
        } else {
            SetFlag(NeedMoreNumbersFlag);
        }
    }
    state.lastCommandWasToCalculate = false;
    state.EnteredNumberAsString.clear();
    Redraw();
}

void CalculatorEngine::DoXModY()
{
    const QString text = DropPendingFunction(fixTrailingOperators(operandText()));
    if (text.endsWith(QLatin1Char('('))) {
        Speak(NeedMoreNumbersFlag);
        SetFlag(NeedMoreNumbersFlag);
    } else {
        Speak(QStringLiteral("Modulo"));
        SetFlag(QStringLiteral("modulo"));
        state.currentCodeString = text + QStringLiteral(" mod ");
        state.EnteredNumberAsString.clear();
    }
    Redraw();
}

// --- Brackets ---

void CalculatorEngine::DoEnterOpenBracket()
{
    const QString &code = state.currentCodeString;
    const QString last = LastCharacter(code);
    // An opening bracket after a number, the literal of an infinity or NaN
    // included, starts a new calculation.
    const bool startsAfresh = (!last.isEmpty() && IsDigitNumeric(last)) || EndsWithNonFiniteLiteral(code);
    // Brackets nest no deeper than the script engine can evaluate: a bracket
    // beyond that is refused like a misplaced one, rather than building an
    // expression that cannot run.
    const bool tooDeep = OpenBrackets(code) - CloseBrackets(code) >= ScriptEngine::MaxNestingDepth;
    if (last == QLatin1String(")") || (tooDeep && !startsAfresh)) {
        Speak(QStringLiteral("You cannot put an open bracket here"));
        return;
    }
    if (startsAfresh)
        Clear();
    Speak(QStringLiteral("Open bracket"));
    state.currentCodeString += QLatin1Char('(');
    state.EnteredNumberAsString.clear();
    SetFlag(QStringLiteral("("));
    Redraw();
}

void CalculatorEngine::DoEnterCloseBracket()
{
    const QString &code = state.currentCodeString;
    const bool accepted = CloseBrackets(code) < OpenBrackets(code) && !code.endsWith(QLatin1Char('('))
        && !code.endsWith(QLatin1Char(',')) && !EndsWithTrailingOperator(code) && !EndsWithMod(code);
    if (!accepted) {
        Speak(QStringLiteral("You cannot put a close bracket here"));
        return;
    }
    Speak(QStringLiteral("Close bracket"));
    state.currentCodeString += QLatin1Char(')');
    state.EnteredNumberAsString.clear();
    SetFlag(QStringLiteral(")"));
    Redraw();
}

// --- Function keys ---

QString CalculatorEngine::operandText() const
{
    // An empty text, or one holding an infinity or a NaN, is taken as 0.
    return IsStringNullOrError(state.currentCodeString) ? QStringLiteral("0.0") : state.currentCodeString;
}

// A function key wraps the whole expression, one level deeper each time, and
// evaluates it. A key pressed again and again (√ to approach 1, cos towards
// its fixed point) would build an expression as deep as the presses: every
// press would evaluate and log all of it, and past the depth the script
// engine takes (ScriptEngine::MaxNestingDepth) the evaluation would fail and
// clear the calculator. So before a wrap goes deeper than DeepestWrap levels,
// the expression gives way to its value, written so that it reads back as the
// very same double: every result stays exactly what the deeper expression
// gives. An infinity or NaN is written as a division that yields it, not as
// its literal, since a text holding INF or NAN would be taken as 0. A text
// that does not evaluate stays as it is, to report itself when the wrapped
// expression runs.
constexpr qsizetype DeepestWrap = 100;
static_assert(DeepestWrap <= ScriptEngine::MaxNestingDepth);

QString CalculatorEngine::withinNestingBound(const QString &text, qsizetype wrapperDepth)
{
    if (NestingDepth(text) + wrapperDepth <= DeepestWrap)
        return text;
    ScriptEngine quiet;
    quiet.Context = context.get();
    bool compiled = true;
    quiet.CompilerError = [&compiled](int, int, const QString &) { compiled = false; };
    quiet.Source = QStringLiteral("result = ") + text;
    const double kept = context->result;
    quiet.Run();
    const double value = context->result;
    context->result = kept;
    if (!compiled)
        return text;
    if (std::isnan(value))
        return QStringLiteral("(0/0)");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("(1/0)") : QStringLiteral("(-1/0)");
    return codeFormat(value);
}

void CalculatorEngine::DoSingleParameterFunction(const QString &prefix, const QString &suffix)
{
    // Cleared in both entry modes: the RPN operation wraps no expression.
    state.functionAdditionSucceeded = false;
    if (usingRPNMode()) {
        DoRPNSingleParameterFunction(prefix, suffix);
        Redraw();
        return;
    }
    QString text = operandText();
    if (text.endsWith(QLatin1Char('('))) {
        SetFlag(NeedMoreNumbersFlag);
        Redraw();
        return;
    }
    text = DropPendingFunction(fixTrailingOperators(text));
    for (qsizetype open = OpenBrackets(text) - CloseBrackets(text); open > 0; --open)
        text += QLatin1Char(')');
    text = withinNestingBound(text, OpenBrackets(prefix));
    state.currentCodeString = prefix + text + suffix;
    state.functionAdditionSucceeded = true;
    state.EnteredNumberAsString.clear();
    Calculate(true);
    Redraw();
}

void CalculatorEngine::DoMultiParameterFunction(const QString &name, const QString &extra)
{
    // Cleared in both entry modes: the RPN operation wraps no expression, so
    // x^y there sets no "^" over its own flag.
    state.functionAdditionSucceeded = false;
    if (usingRPNMode()) {
        DoRPNTwoParameterFunction(name, extra);
        Redraw();
        return;
    }
    QString text = operandText();
    if (text.endsWith(QLatin1Char('('))) {
        SetFlag(NeedMoreNumbersFlag);
        Redraw();
        return;
    }
    // A second two-argument key right after the first replaces the first.
    text = DropPendingFunction(fixTrailingOperators(text));
    const qsizetype lastComma = text.lastIndexOf(QLatin1Char(','));
    if (lastComma >= 0) {
        // What follows the last comma is the second argument of an earlier
        // function: close that function when its brackets are balanced.
        const QString argument = text.mid(lastComma + 1);
        if (OpenBrackets(argument) == CloseBrackets(argument))
            text += QLatin1Char(')');
        else if (OpenBrackets(argument) > CloseBrackets(argument))
            SetFlag(NeedMoreNumbersFlag);
    }
    state.currentCodeString
        = name + QLatin1Char('(') + withinNestingBound(text, 1) + QLatin1Char(',') + extra;
    state.functionAdditionSucceeded = true;
    state.EnteredNumberAsString.clear();
    state.lastCommandWasToCalculate = false;
    Redraw();
}

void CalculatorEngine::functionKey(FunctionKey key)
{
    const FunctionKeyText texts = FunctionKeyTexts(key);
    Speak(texts.spoken);
    DoSingleParameterFunction(texts.prefix, texts.suffix);
}

void CalculatorEngine::DoAbs()
{
    functionKey(FunctionKey::Abs);
}
void CalculatorEngine::DoSqrt()
{
    functionKey(FunctionKey::Sqrt);
}
void CalculatorEngine::DoDegToRad()
{
    functionKey(FunctionKey::DegToRad);
}
void CalculatorEngine::DoRadToDeg()
{
    functionKey(FunctionKey::RadToDeg);
}
void CalculatorEngine::Do1OverX()
{
    functionKey(FunctionKey::OneOverX);
}
void CalculatorEngine::Do10PowX()
{
    functionKey(FunctionKey::TenPowX);
}
void CalculatorEngine::Do2PowX()
{
    functionKey(FunctionKey::TwoPowX);
}
void CalculatorEngine::DoEPowX()
{
    functionKey(FunctionKey::EPowX);
}
void CalculatorEngine::DoFactorial()
{
    functionKey(FunctionKey::Factorial);
}
void CalculatorEngine::DoSumZeroToX()
{
    functionKey(FunctionKey::SumZeroToX);
}
void CalculatorEngine::DoLogBase10()
{
    functionKey(FunctionKey::LogBase10);
}
void CalculatorEngine::DoLogBase2()
{
    functionKey(FunctionKey::LogBase2);
}
void CalculatorEngine::DoLogBaseE()
{
    functionKey(FunctionKey::LogBaseE);
}
void CalculatorEngine::DoSquareX()
{
    functionKey(FunctionKey::SquareX);
}
void CalculatorEngine::DoCubeX()
{
    functionKey(FunctionKey::CubeX);
}
void CalculatorEngine::DoFloor()
{
    functionKey(FunctionKey::Floor);
}
void CalculatorEngine::DoCeil()
{
    functionKey(FunctionKey::Ceil);
}
void CalculatorEngine::DoRound()
{
    functionKey(FunctionKey::Round);
}

void CalculatorEngine::DoXPowY()
{
    DoMultiParameterFunction(QStringLiteral("pow"), QString());
    if (state.functionAdditionSucceeded) {
        Speak(QStringLiteral("To the power of"));
        SetFlag(QStringLiteral("^"));
    }
}

void CalculatorEngine::DoNthRoot()
{
    Speak(QStringLiteral("Nth root of this"));
    DoMultiParameterFunction(QStringLiteral("NthRoot"), QString());
}

void CalculatorEngine::DoSumXToY()
{
    Speak(QStringLiteral("Sum of all integers from X to Y"));
    DoMultiParameterFunction(QStringLiteral("SumXToY"), QString());
}

void CalculatorEngine::DoMultiplyXToY()
{
    Speak(QStringLiteral("Multiply all numbers from X to Y"));
    DoMultiParameterFunction(QStringLiteral("MultiplyXToY"), QString());
}

// --- Trigonometric keys ---

double CalculatorEngine::getTrigCorrectionFactor(int index)
{
    return AngleModeFactor(index);
}

void CalculatorEngine::trigKey(TrigKey key)
{
    const FunctionKeyText texts
        = TrigKeyTexts(key, codeFormat(getTrigCorrectionFactor(view.AngleModeIndex())));
    Speak(texts.spoken);
    DoSingleParameterFunction(texts.prefix, texts.suffix);
}

void CalculatorEngine::DoSin()
{
    trigKey(TrigKey::Sin);
}
void CalculatorEngine::DoCos()
{
    trigKey(TrigKey::Cos);
}
void CalculatorEngine::DoTan()
{
    trigKey(TrigKey::Tan);
}
void CalculatorEngine::DoArcSin()
{
    trigKey(TrigKey::ArcSin);
}
void CalculatorEngine::DoArcCos()
{
    trigKey(TrigKey::ArcCos);
}
void CalculatorEngine::DoArcTan()
{
    trigKey(TrigKey::ArcTan);
}
void CalculatorEngine::DoSinh()
{
    trigKey(TrigKey::Sinh);
}
void CalculatorEngine::DoCosh()
{
    trigKey(TrigKey::Cosh);
}
void CalculatorEngine::DoTanh()
{
    trigKey(TrigKey::Tanh);
}
void CalculatorEngine::DoCsch()
{
    trigKey(TrigKey::Csch);
}
void CalculatorEngine::DoSech()
{
    trigKey(TrigKey::Sech);
}
void CalculatorEngine::DoCoth()
{
    trigKey(TrigKey::Coth);
}

void CalculatorEngine::AngleModeChanged()
{
    Speak(QStringLiteral("Changing angle mode to ") + view.AngleModeText());
    Redraw();
}
