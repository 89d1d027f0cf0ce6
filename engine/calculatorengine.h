// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculatorstate.h"
#include "engine/calculatorview.h"
#include "engine/presentation.h"
#include "engine/scriptengine.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <memory>

class Preferences;
class Speaker;
class XMathClass;
enum class FunctionKey : int;
enum class TrigKey : int;

// One calculator: its state, its script engine with its calculation context,
// and every operation that a key, a typed key, a dialog or the self-test can
// run on it. It knows no widget; it reaches its window through CalculatorView
// and speaks through Speaker. The preferences record is the one shared by
// every calculator: the entry mode and the speech options are read from it
// afresh by every operation.
//
// An operation speaks first (when "Speak everything else" is on), then
// changes the state, then asks the view to redraw.
class CalculatorEngine
{
public:
    // A uniform random double in [0, 1). Replaceable so that a run can be
    // replayed with a seeded generator.
    using RandomSource = std::function<double()>;

    CalculatorEngine(Preferences &preferences, CalculatorView &view, Speaker &speaker);
    ~CalculatorEngine();
    CalculatorEngine(const CalculatorEngine &) = delete;
    CalculatorEngine &operator=(const CalculatorEngine &) = delete;

    const CalculatorState &State() const { return state; }
    void SetRandomSource(RandomSource source);

    // The self-test's log: AppendToSequence adds name and a carriage return.
    void AppendToSequence(const QString &name);
    void ClearSequence();

    // --- Number entry ---
    // Adds one character to the number being typed: a digit, the decimal
    // point ("." or the locale's decimal separator), or "e" and "-" from the
    // exponent keys.
    void AddDigitToString(const QString &d);
    // An on-screen digit or decimal key: right after a calculation it starts
    // a new number, as a typed digit does; otherwise AddDigitToString.
    void NumberKey(const QString &caption);
    void ChangeSign();
    void DoTryEnterOtherE();
    void DoEnterNegativePartOfEE();
    void Clear();
    void ClearEntry();
    // The one entry for a ready-made value; in RPN entry it pushes v.
    void EnterConstant(double v);
    void EnterPi();
    void EnterE();
    void DoGetRandom();

    // --- Operators, brackets and function keys ---
    void DoAdd();
    void DoSubtract();
    void DoMultiply();
    void DoDivide();
    void DoIntegerDivide();
    // op is one of "+", "-", "*", "/", "\".
    void DoOperator(const QString &op);
    void DoXModY();
    void DoEnterOpenBracket();
    void DoEnterCloseBracket();
    void DoSingleParameterFunction(const QString &prefix, const QString &suffix);
    void DoMultiParameterFunction(const QString &name, const QString &extra);
    void DoAbs();
    void DoSqrt();
    void DoDegToRad();
    void DoRadToDeg();
    void Do1OverX();
    void Do10PowX();
    void Do2PowX();
    void DoEPowX();
    void DoFactorial();
    void DoSumZeroToX();
    void DoLogBase10();
    void DoLogBase2();
    void DoLogBaseE();
    void DoSquareX();
    void DoCubeX();
    void DoFloor();
    void DoCeil();
    void DoRound();
    void DoXPowY();
    void DoNthRoot();
    void DoSumXToY();
    void DoMultiplyXToY();

    // --- Evaluation ---
    // Completes, balances and runs the expression text, then logs it.
    void Calculate(bool partial);
    // The completion of an expression text by its last character; an ending
    // it does not know shows the internal-error dialog and keeps the text.
    QString FinishCode(const QString &s);
    QString FixCodeBrackets(const QString &s);
    QString FixLeadingZero(const QString &s) const;
    void SetFlag(const QString &text);
    // The "=" key.
    void DoFindAnswer();

    // --- Angle modes and trigonometric keys ---
    // The factor that turns angle mode index into radians; 0 outside 0 to 9.
    static double getTrigCorrectionFactor(int index);
    void DoSin();
    void DoCos();
    void DoTan();
    void DoArcSin();
    void DoArcCos();
    void DoArcTan();
    void DoSinh();
    void DoCosh();
    void DoTanh();
    void DoCsch();
    void DoSech();
    void DoCoth();
    // The window calls this after the user picked another angle mode.
    void AngleModeChanged();

    // --- Presentation ---
    // x as the window's display base shows it.
    QString GetPresentedString(double x) const;
    // The window calls this after the user picked another display base.
    void DisplayBaseChanged();

    // --- RPN entry ---
    void SetModeRPN();
    void SetModeInfix();
    void SetModeAlterControls();
    void DoRPNEnter();
    void DoRPNAppendToStack(double value);
    void DoRPNTwoOperandOperator(const QString &op);
    void DoRPNTwoParameterFunction(const QString &name, const QString &extra);
    void DoRPNSingleParameterFunction(const QString &prefix, const QString &suffix);
    void RebuildRPNStackListbox();
    // "[RPN]  " in RPN entry, "[Infix]" otherwise.
    QString GetCurrentRPNNoteString() const;

    // --- Memory registers (i is 0 for A to 25 for Z) ---
    void CreateMemoryValueList();
    void DoSetMem(int i);
    void DoUseMem(int i);
    void DoClearMem(int i);
    void DoClearAllMem();
    void DoMemAdd(int i);
    void DoMemSubtract(int i);
    void DoMemMultiply(int i);
    void DoMemDivide(int i);
    void DoAddMem(int i);
    void DoSubtractMem(int i);
    void DoMultiplyMem(int i);
    void DoDivideMem(int i);

    // --- Keyboard ---
    // A typed key (its text) mapped onto the operations; ends with a redraw.
    void HandleKeyDown(const QString &key);
    // The typed "-": the exponent's sign right after an "e", else DoSubtract.
    void DoTypedMinus();
    // The typed "=", Return and Enter: DoRPNEnter in RPN entry, else
    // DoFindAnswer.
    void DoTypedEquals();

private:
    bool usingRPNMode() const;
    void Speak(const QString &text);
    void Redraw();
    QString codeFormat(double x) const;
    const NumberSeparators &presentationSeparators() const;
    std::optional<DisplayBase> presentationBase() const;
    void startNewNumberAfterCalculation();
    void operatorKey(const QString &spoken, const QString &op);
    QString operandText() const;
    QString withinNestingBound(const QString &text, qsizetype wrapperDepth);
    void functionKey(FunctionKey key);
    void trigKey(TrigKey key);
    void reportUnrecognisedEnding(const QString &text);
    void rbsCalculationScript_Print(const QString &text);
    void rbsCalculationScript_CompilerError(int lineNumber, int errorNumber, const QString &message);
    bool hasOperands(qsizetype count);
    bool runRPNScript(const QString &expression);
    void finishRPNOperation(bool setCurrentNumberOnFailure);
    static bool isRegister(int i);
    void registerOperation(int i, const QString &spoken, const std::function<double(double)> &change);
    void memoryIntoCalculation(int i, const QString &spoken, const QString &op);

    Preferences &preferences;
    CalculatorView &view;
    Speaker &speaker;
    CalculatorState state;
    std::unique_ptr<XMathClass> context;
    ScriptEngine rbsCalculationScript;
    // The last literal that codeFormat wrote and the bits of its value: one
    // "=" asks for the literal of the same value several times, and so do
    // the keys that follow it.
    mutable quint64 literalBits = 0;
    mutable QString literal;
    // The locale's separators for GetPresentedString, and the locale they
    // were read from.
    mutable QLocale separatorsLocale;
    mutable NumberSeparators separators = LocaleSeparators();
    // The display-base popup's text as last read, and its row.
    mutable QString displayBaseText;
    mutable std::optional<DisplayBase> displayBase;
    RandomSource random;
    bool compileFailed = false; // set by the compile-error handler during a run
};
