// SPDX-License-Identifier: GPL-3.0-or-later
// Reverse Polish entry: the mode switch, the stack and the operations on its
// top entries.
#include "app/preferences.h"
#include "engine/calculatorengine.h"
#include "engine/codetext.h"
#include "engine/presentation.h"
#include "engine/speaker.h"
#include "engine/xmathclass.h"

void CalculatorEngine::SetModeRPN()
{
    Speak(QStringLiteral("Entering Reverse Polish Notation mode"));
    preferences.usingRPNMode = true;
    SetModeAlterControls();
}

void CalculatorEngine::SetModeInfix()
{
    Speak(QStringLiteral("Entering infix notation mode"));
    preferences.usingRPNMode = false;
    SetModeAlterControls();
}

void CalculatorEngine::SetModeAlterControls()
{
    view.SetModeControlsEnabled(usingRPNMode());
    Redraw();
}

void CalculatorEngine::DoRPNEnter()
{
    if (state.currentCodeString.isEmpty())
        return;
    Speak(QStringLiteral("Entered onto RPN stack"));
    // In RPN entry the expression text holds just the typed number.
    DoRPNAppendToStack(ReadCodeNumber(state.currentCodeString));
    state.currentCodeString.clear();
    state.EnteredNumberAsString.clear();
    RebuildRPNStackListbox();
    Redraw();
}

void CalculatorEngine::DoRPNAppendToStack(double value)
{
    state.rpnStack.append(value);
    RebuildRPNStackListbox();
    state.CurrentNumber = state.rpnStack.last();
}

bool CalculatorEngine::runRPNScript(const QString &expression)
{
    compileFailed = false;
    rbsCalculationScript.Source = QStringLiteral("result = ") + expression;
    rbsCalculationScript.Run();
    // A script that did not compile has reported itself and cleared the
    // calculator; its result field still holds an earlier value, which must
    // not be taken for this operation's result.
    return !compileFailed;
}

void CalculatorEngine::finishRPNOperation(bool setCurrentNumberOnFailure)
{
    const double f = context->result;
    const QString literal = codeFormat(f);
    if (IsStringNumeric(literal)) {
        DoRPNAppendToStack(f);
        if (preferences.speakResults)
            speaker.SpeakQueued(QStringLiteral("Top of RPN stack equals ") + literal);
        return;
    }
    if (preferences.speakResults)
        speaker.SpeakQueued(QStringLiteral("The result, ") + literal
            + QStringLiteral(
                ", was not numeric, and therefore could not be appended to the RPN stack. The stack "
                "was not cleared."));
    RebuildRPNStackListbox();
    if (setCurrentNumberOnFailure)
        state.CurrentNumber = f;
    Redraw();
}

bool CalculatorEngine::hasOperands(qsizetype count)
{
    if (state.rpnStack.size() >= count)
        return true;
    Speak(NeedMoreNumbersFlag);
    SetFlag(NeedMoreNumbersFlag);
    return false;
}

void CalculatorEngine::DoRPNTwoOperandOperator(const QString &op)
{
    if (!hasOperands(2))
        return;
    const QString y = codeFormat(state.rpnStack.takeLast());
    const QString x = codeFormat(state.rpnStack.takeLast());
    if (runRPNScript(x + op + y))
        finishRPNOperation(true);
}

void CalculatorEngine::DoRPNTwoParameterFunction(const QString &name, const QString &extra)
{
    if (!hasOperands(2))
        return;
    const QString y = codeFormat(state.rpnStack.takeLast());
    const QString x = codeFormat(state.rpnStack.takeLast());
    if (runRPNScript(name + QLatin1Char('(') + x + QLatin1Char(',') + extra + y + QLatin1Char(')')))
        finishRPNOperation(!state.rpnStack.isEmpty());
}

void CalculatorEngine::DoRPNSingleParameterFunction(const QString &prefix, const QString &suffix)
{
    if (!hasOperands(1))
        return;
    const QString y = codeFormat(state.rpnStack.takeLast());
    if (runRPNScript(prefix + y + suffix))
        finishRPNOperation(!state.rpnStack.isEmpty());
}

void CalculatorEngine::RebuildRPNStackListbox()
{
    if (state.rpnStack.isEmpty()) {
        view.ShowRPNStack({ QStringLiteral("The RPN stack is empty") }, true);
        return;
    }
    // Each row shows its own value in the current display base; the number
    // being typed is not a stack entry and does not show here.
    const std::optional<DisplayBase> base = presentationBase();
    QStringList rows;
    for (const double value : state.rpnStack)
        rows << (base ? ::GetPresentedString(*base, QString(), value, presentationSeparators()) : QString());
    view.ShowRPNStack(rows, false);
}

QString CalculatorEngine::GetCurrentRPNNoteString() const
{
    return usingRPNMode() ? QStringLiteral("[RPN]  ") : QStringLiteral("[Infix]");
}
