// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/windowlayout.h"

#include "engine/calculatorengine.h"
#include "window/winnormalcalculator.h"

#include <QAbstractButton>

#include <array>

namespace {

using Kind = WindowLayout::Kind;
using Anchor = WindowLayout::Anchor;
using Panel = WindowLayout::Panel;
using Control = WindowLayout::Control;
constexpr int Hidden = WindowLayout::Hidden;

// The handlers of the table: each reads its argument from the window and
// calls one engine operation.
template <void (CalculatorEngine::*operation)()> void run(winNormalCalculator &window, QAbstractButton &)
{
    (window.engine().*operation)();
}

// The reciprocal trigonometric keys: the function, then its reciprocal.
template <void (CalculatorEngine::*operation)()>
void runReciprocal(winNormalCalculator &window, QAbstractButton &)
{
    (window.engine().*operation)();
    window.engine().Do1OverX();
}

// The memory keys work on the register selected in popMemoryList.
template <void (CalculatorEngine::*operation)(int)>
void runOnMemory(winNormalCalculator &window, QAbstractButton &)
{
    (window.engine().*operation)(window.selectedMemoryRegister());
}

// Number keys and the decimal key pass their own caption.
void numberKey(winNormalCalculator &window, QAbstractButton &button)
{
    window.engine().NumberKey(button.text());
}

template <int page> void showPage(winNormalCalculator &window, QAbstractButton &)
{
    window.ShowModePage(page);
}

void showConstants(winNormalCalculator &window, QAbstractButton &)
{
    window.ShowConstantsPicker();
}

void showConversion(winNormalCalculator &window, QAbstractButton &)
{
    window.ShowConversionDialog();
}

void showHelp(winNormalCalculator &window, QAbstractButton &)
{
    window.ShowHelp();
}

void clearHistory(winNormalCalculator &window, QAbstractButton &)
{
    window.ClearHistory();
}

void testAll(winNormalCalculator &window, QAbstractButton &)
{
    window.TEST_ALL();
}

void sendBugReport(winNormalCalculator &window, QAbstractButton &)
{
    window.EmailBugReport(window.engine().State().currentCodeString);
}

const char *const keypadTag
    = "The numeric keypad is used to enter numbers into the calculator. You may also type the "
      "numbers on your keyboard, or paste them from the system clipboard";
const char *const bracketTag
    = "Brackets are used to control the order of calculation; for example 1+2*3=7, but (1+2)*3=9";

constexpr QRect key(int left, int top, int width = 20, int height = 20)
{
    return QRect(left, top, width, height);
}

using E = CalculatorEngine;

// clang-format off
const auto controls = std::to_array<Control>({
    // Containers come first, so that the controls they frame lie above them.
    {"panDisplay", Kind::PagePanel, "", Panel::Window, 0, {4, 4, 352, 60}, Anchor::None, "", "", nullptr, 0, 2},
    {"grpMode", Kind::GroupBox, "", Panel::Window, 0, {15, 141, 220, 214}, Anchor::Stretching, "", "", nullptr},
    {"panMode", Kind::PagePanel, "", Panel::Window, 0, {20, 150, 210, 200}, Anchor::Stretching, "", "", nullptr, 0, 9},

    // Display area and mode row.
    {"cnvDisplay", Kind::Canvas, "", Panel::Display, 0, {15, 15, 330, 40}, Anchor::Display, "", "Display", nullptr},
    {"lblBaseLabel", Kind::StaticText, "Display Base:", Panel::Window, 0, {15, 70, 80, 20}, Anchor::LeftColumn, "", "", nullptr},
    {"popDisplayBase", Kind::PopupMenu, "", Panel::Window, 0, {100, 70, 220, 20}, Anchor::LeftColumn, "", "Display base", nullptr},
    {"bevModeTrig", Kind::ModeButton, "trig", Panel::Window, 0, {15, 100, 36, 36}, Anchor::None, "Trig mode", "Trig mode", &showPage<0>},
    {"bevModeConst", Kind::ModeButton, "constants", Panel::Window, 0, {54, 100, 36, 36}, Anchor::None, "Constants", "Constants", &showConstants},
    {"bevModeMem", Kind::ModeButton, "mem", Panel::Window, 0, {93, 100, 36, 36}, Anchor::None, "Memory tools", "Memory tools", &showPage<1>},
    {"bevModeMisc", Kind::ModeButton, "misc", Panel::Window, 0, {132, 100, 36, 36}, Anchor::None, "Misc. functions", "Misc. functions", &showPage<2>},
    {"bevModeConvert", Kind::ModeButton, "convert", Panel::Window, 0, {171, 100, 36, 36}, Anchor::None, "Conversion tools", "Conversion tools", &showConversion},
    {"bevModeHistory", Kind::ModeButton, "history", Panel::Window, 0, {210, 100, 36, 36}, Anchor::None, "History", "History", &showPage<5>},
    {"bevModeRPN", Kind::ModeButton, "RPN", Panel::Window, 0, {249, 100, 36, 36}, Anchor::None, "Reverse Polish Notation mode", "Reverse Polish Notation mode", &showPage<7>},
    {"bevHelp", Kind::HelpButton, "help", Panel::Window, 0, {288, 100, 36, 36}, Anchor::None, "", "Help", &showHelp},
    {"bevModeDebug", Kind::ModeButton, "", Panel::Window, 0, {309, 100, 36, 36}, Anchor::None, "Debug", "Debug", &showPage<6>, Hidden},
    {"bevModeComplexNumbers", Kind::ModeButton, "ComplexNumbers", Panel::Window, 0, {262, 130, 36, 36}, Anchor::None, "", "Complex numbers", &showPage<8>, Hidden},
    {"bevModeMatriciesAndVectors", Kind::ModeButton, "matriciesandvectors", Panel::Window, 0, {307, 130, 36, 36}, Anchor::None, "Matrix and vector tools", "Matrix and vector tools", &showPage<3>, Hidden},

    // Keypad.
    {"bevOpenBracket", Kind::BevelButton, "(", Panel::Window, 0, key(250, 150), Anchor::Keypad, bracketTag, "Open bracket", &run<&E::DoEnterOpenBracket>},
    {"bevCloseBracket", Kind::BevelButton, ")", Panel::Window, 0, key(275, 150), Anchor::Keypad, bracketTag, "Close bracket", &run<&E::DoEnterCloseBracket>},
    {"bevEnter", Kind::BevelButton, "Enter", Panel::Window, 0, key(300, 150, 45), Anchor::Keypad, "Enters a value into the RPN stack", "Enter onto RPN stack", &run<&E::DoRPNEnter>, WindowLayout::Disabled},
    {"bevConstPi", Kind::BevelButton, "π", Panel::Window, 0, key(250, 175), Anchor::Keypad, "A shortcut for entering the constant Pi", "Pi", &run<&E::EnterPi>},
    {"bevConstE", Kind::BevelButton, "e", Panel::Window, 0, key(275, 175), Anchor::Keypad, "A shortcut for entering the constant e (natural base of logarithms)", "Constant e", &run<&E::EnterE>},
    {"bevClearEntry", Kind::BevelButton, "CE", Panel::Window, 0, key(300, 175, 45), Anchor::Keypad, "Clears the current number only, leaving the calculation (if any) unchanged", "Clear entry", &run<&E::ClearEntry>},
    {"bevEE", Kind::BevelButton, "EE", Panel::Window, 0, key(250, 200), Anchor::Keypad, "Enter the 'e' in e-notation (where 1000 would be 1e3, and a million 1e6)", "Times ten to the power of", &run<&E::DoTryEnterOtherE>},
    {"bevFactorial", Kind::BevelButton, "!", Panel::Window, 0, key(275, 200), Anchor::Keypad, "Calculates the factorial of the current number (but only if the current number is small enough!)", "Factorial", &run<&E::DoFactorial>},
    {"bevClear", Kind::BevelButton, "Clear", Panel::Window, 0, key(300, 200, 45), Anchor::Keypad, "Clears the current calculation and number", "Clear", &run<&E::Clear>},
    {"bevPercent", Kind::BevelButton, "%", Panel::Window, 0, key(300, 215), Anchor::Keypad, "", "Percent", nullptr, Hidden},
    {"bevAbsolute", Kind::BevelButton, "|x|", Panel::Window, 0, key(250, 230), Anchor::Keypad, "Calculates the magnitude (absolute value) of the current number", "Absolute value of", &run<&E::DoAbs>},
    {"bevSqrt", Kind::BevelButton, "√", Panel::Window, 0, key(275, 230), Anchor::Keypad, "Calculates the square root of the current number", "Square root of", &run<&E::DoSqrt>},
    {"bevIntegerDivide", Kind::BevelButton, "\\", Panel::Window, 0, key(300, 230), Anchor::Keypad, "Use this to perform integer division of the current number by the next one you enter", "Integer division by", &run<&E::DoIntegerDivide>},
    {"bevDivide", Kind::BevelButton, "÷", Panel::Window, 0, key(325, 230), Anchor::Keypad, "Use this to divide the current number by the next one you enter", "Divided by", &run<&E::DoDivide>},
    // The number keys are made in the order 1, 2, ..., 9, 0.
    {"bevNumberKey1", Kind::BevelButton, "1", Panel::Window, 0, key(250, 305), Anchor::Keypad, keypadTag, "1", &numberKey},
    {"bevNumberKey2", Kind::BevelButton, "2", Panel::Window, 0, key(275, 305), Anchor::Keypad, keypadTag, "2", &numberKey},
    {"bevNumberKey3", Kind::BevelButton, "3", Panel::Window, 0, key(300, 305), Anchor::Keypad, keypadTag, "3", &numberKey},
    {"bevNumberKey4", Kind::BevelButton, "4", Panel::Window, 0, key(250, 280), Anchor::Keypad, keypadTag, "4", &numberKey},
    {"bevNumberKey5", Kind::BevelButton, "5", Panel::Window, 0, key(275, 280), Anchor::Keypad, keypadTag, "5", &numberKey},
    {"bevNumberKey6", Kind::BevelButton, "6", Panel::Window, 0, key(300, 280), Anchor::Keypad, keypadTag, "6", &numberKey},
    {"bevNumberKey7", Kind::BevelButton, "7", Panel::Window, 0, key(250, 255), Anchor::Keypad, keypadTag, "7", &numberKey},
    {"bevNumberKey8", Kind::BevelButton, "8", Panel::Window, 0, key(275, 255), Anchor::Keypad, keypadTag, "8", &numberKey},
    {"bevNumberKey9", Kind::BevelButton, "9", Panel::Window, 0, key(300, 255), Anchor::Keypad, keypadTag, "9", &numberKey},
    {"bevNumberKey0", Kind::BevelButton, "0", Panel::Window, 0, key(250, 330), Anchor::Keypad, keypadTag, "0", &numberKey},
    {"bevMultiply", Kind::BevelButton, "*", Panel::Window, 0, key(325, 255), Anchor::Keypad, "Use this to multiply the current number by the next one you enter", "Multiplied by", &run<&E::DoMultiply>},
    {"bevSubtract", Kind::BevelButton, "-", Panel::Window, 0, key(325, 280), Anchor::Keypad, "Use this to subtract the next number you enter from the current number", "Minus", &run<&E::DoSubtract>},
    {"bevAdd", Kind::BevelButton, "+", Panel::Window, 0, key(325, 305), Anchor::Keypad, "Use this to add the current number to the next one you enter", "Plus", &run<&E::DoAdd>},
    // Its caption, the locale's decimal separator, is set when the window is built.
    {"bevDecimal", Kind::BevelButton, ".", Panel::Window, 0, key(275, 330), Anchor::Keypad, keypadTag, "Decimal point", &numberKey},
    {"bevSign", Kind::BevelButton, "±", Panel::Window, 0, key(300, 330), Anchor::Keypad, "Changes the sign of the current number", "Invert sign", &run<&E::ChangeSign>},
    {"bevCalculate", Kind::BevelButton, "=", Panel::Window, 0, key(325, 330), Anchor::Keypad, "", "Equals", &run<&E::DoFindAnswer>},

    // Page 0, trigonometry.
    {"lblTrigModeLabel", Kind::StaticText, "Mode:", Panel::Mode, 0, {50, 160, 40, 20}, Anchor::LeftColumn, "", "", nullptr},
    {"popTrigMode", Kind::PopupMenu, "", Panel::Mode, 0, {100, 160, 105, 20}, Anchor::LeftColumn, "", "Angle mode", nullptr},
    {"bevSin", Kind::BevelButton, "sin", Panel::Mode, 0, key(45, 185, 50), Anchor::LeftColumn, "The sine of the current value", "Sine", &run<&E::DoSin>},
    {"bevCos", Kind::BevelButton, "cos", Panel::Mode, 0, key(100, 185, 50), Anchor::LeftColumn, "The cosine of the current value", "Cosine", &run<&E::DoCos>},
    {"bevTan", Kind::BevelButton, "tan", Panel::Mode, 0, key(155, 185, 50), Anchor::LeftColumn, "The tangent of the current value", "Tangent", &run<&E::DoTan>},
    {"bevArcsin", Kind::BevelButton, "asin", Panel::Mode, 0, key(45, 210, 50), Anchor::LeftColumn, "The arcsine of the current value", "Arcsine", &run<&E::DoArcSin>},
    {"bevArccos", Kind::BevelButton, "acos", Panel::Mode, 0, key(100, 210, 50), Anchor::LeftColumn, "The arc-cosine of the current value", "Arc cosine", &run<&E::DoArcCos>},
    {"bevArctan", Kind::BevelButton, "atan", Panel::Mode, 0, key(155, 210, 50), Anchor::LeftColumn, "The arc-tangent of the current value", "Arctangent", &run<&E::DoArcTan>},
    {"bevCosectant", Kind::BevelButton, "cosec", Panel::Mode, 0, key(45, 235, 50), Anchor::LeftColumn, "The cosectant of the current value", "Cosecant", &runReciprocal<&E::DoSin>},
    {"bevSectant", Kind::BevelButton, "sec", Panel::Mode, 0, key(100, 235, 50), Anchor::LeftColumn, "The sectant of the current value", "Secant", &runReciprocal<&E::DoCos>},
    {"bevCotangent", Kind::BevelButton, "cotan", Panel::Mode, 0, key(155, 235, 50), Anchor::LeftColumn, "The cotangent of the current value", "Cotangent", &runReciprocal<&E::DoTan>},
    {"becSinh", Kind::BevelButton, "sinh", Panel::Mode, 0, key(45, 260, 50), Anchor::LeftColumn, "The hyperbolic sine of the current value", "Hyperbolic sine", &run<&E::DoSinh>},
    {"bevCosh", Kind::BevelButton, "cosh", Panel::Mode, 0, key(100, 260, 50), Anchor::LeftColumn, "The hyperbolic cosine of the current value", "Hyperbolic cosine", &run<&E::DoCosh>},
    {"bevTanh", Kind::BevelButton, "tanh", Panel::Mode, 0, key(155, 260, 50), Anchor::LeftColumn, "The hyperbolic tangent of the current value", "Hyperbolic tangent", &run<&E::DoTanh>},
    {"bevCsch", Kind::BevelButton, "csch", Panel::Mode, 0, key(45, 285, 50), Anchor::LeftColumn, "The hyperbolic cosectant of the current value", "Hyperbolic cosectant", &run<&E::DoCsch>},
    {"bevSech", Kind::BevelButton, "sech", Panel::Mode, 0, key(100, 285, 50), Anchor::LeftColumn, "The hyperbolic sectant of the current value", "Hyperbolic sectant", &run<&E::DoSech>},
    {"bevCoth", Kind::BevelButton, "coth", Panel::Mode, 0, key(155, 285, 50), Anchor::LeftColumn, "The hyperbolic cotangent of the current value", "Hyperbolic cotangent", &run<&E::DoCoth>},
    {"bevDegToRad", Kind::BevelButton, "Deg to rad", Panel::Mode, 0, key(45, 315, 75), Anchor::LeftColumn, "Assuming the current number is in degrees, this converts it into radians", "Convert from degrees to radians", &run<&E::DoDegToRad>},
    {"bevRadToDeg", Kind::BevelButton, "Rad to deg", Panel::Mode, 0, key(130, 315, 75), Anchor::LeftColumn, "Assuming the current number is in radians, this converts it into degrees", "Convert from radians to degrees", &run<&E::DoRadToDeg>},

    // Page 1, memory.
    {"popMemoryList", Kind::PopupMenu, "", Panel::Mode, 1, {45, 160, 160, 20}, Anchor::LeftColumn, "This popup menu shows the current state of all memories, and allows you to select which one to use", "Memory register", nullptr},
    {"bevMemSet", Kind::BevelButton, "Set Mem", Panel::Mode, 1, key(45, 185, 75), Anchor::LeftColumn, "Sets the selected memory to the current number on the display", "Set memory", &runOnMemory<&E::DoSetMem>},
    {"bevUseMem", Kind::BevelButton, "Use Mem", Panel::Mode, 1, key(130, 185, 75), Anchor::LeftColumn, "Uses the selected memory in the current calculation", "Use memory", &runOnMemory<&E::DoUseMem>},
    {"bevClearMem", Kind::BevelButton, "Clear Mem", Panel::Mode, 1, key(45, 210, 75), Anchor::LeftColumn, "Clears the selected memory (resets it to zero)", "Clear memory", &runOnMemory<&E::DoClearMem>},
    {"bevClearAllMem", Kind::BevelButton, "Clear All", Panel::Mode, 1, key(130, 210, 75), Anchor::LeftColumn, "Clears all memories (sets them all to zero)", "Clear all memories", &run<&E::DoClearAllMem>},
    {"bevMemAdd", Kind::BevelButton, "M+", Panel::Mode, 1, key(70, 240, 40), Anchor::LeftColumn, "Adds the current number on the display to the selected memory", "Add into memory", &runOnMemory<&E::DoMemAdd>},
    {"bevMemSubtract", Kind::BevelButton, "M-", Panel::Mode, 1, key(70, 265, 40), Anchor::LeftColumn, "Subtracts the current number on the display from the selected memory", "Subtract from memory", &runOnMemory<&E::DoMemSubtract>},
    {"bevMemMultiply", Kind::BevelButton, "M*", Panel::Mode, 1, key(70, 290, 40), Anchor::LeftColumn, "Multiplies the selected memory by the current number on the display. The result is placed in the selected memory.", "Multiply into memory", &runOnMemory<&E::DoMemMultiply>},
    {"bevMemDivide", Kind::BevelButton, "M÷", Panel::Mode, 1, key(70, 315, 40), Anchor::LeftColumn, "Divides the selected memory by the current number on the display. The result is placed in the selected memory.", "Divide into memory", &runOnMemory<&E::DoMemDivide>},
    {"bevAddMem", Kind::BevelButton, "+M", Panel::Mode, 1, key(140, 240, 40), Anchor::LeftColumn, "Adds the selected memory to the current number on the display", "Add memory", &runOnMemory<&E::DoAddMem>},
    {"bevSubtractMem", Kind::BevelButton, "-M", Panel::Mode, 1, key(140, 265, 40), Anchor::LeftColumn, "Subtracts the selected memory from the current number on the display", "Subtract memory", &runOnMemory<&E::DoSubtractMem>},
    {"bevMultiplyMem", Kind::BevelButton, "*M", Panel::Mode, 1, key(140, 290, 40), Anchor::LeftColumn, "Multiplies the current number on the display by the selected memory. The result is placed in the current calculation.", "Multiply by memory", &runOnMemory<&E::DoMultiplyMem>},
    {"bevDivideMem", Kind::BevelButton, "÷M", Panel::Mode, 1, key(140, 315, 40), Anchor::LeftColumn, "Divides the current number on the display by the selected memory. The result is placed in the current calculation.", "Divide by memory", &runOnMemory<&E::DoDivideMem>},

    // Page 2, miscellaneous functions.
    {"bevMod", Kind::BevelButton, "mod", Panel::Mode, 2, key(45, 160, 50), Anchor::LeftColumn, "Calculates the remainder of the current number divided by the next number entered", "Modulo", &run<&E::DoXModY>},
    {"bev1OverX", Kind::BevelButton, "1/x", Panel::Mode, 2, key(100, 160, 50), Anchor::LeftColumn, "Calculates the reciprocal of the current number", "Reciprocal", &run<&E::Do1OverX>},
    {"bevNthRoot", Kind::BevelButton, "n√x", Panel::Mode, 2, key(155, 160, 50), Anchor::LeftColumn, "Calculates the Nth root of the current number, where N is the number entered after this button is pressed", "Nth root of this", &run<&E::DoNthRoot>},
    {"bevLogBase10", Kind::BevelButton, "log10", Panel::Mode, 2, key(45, 185, 50), Anchor::LeftColumn, "Calculates the base-10 logarithm of the current number", "Common logarithm (base 10)", &run<&E::DoLogBase10>},
    {"bevLogBaseE", Kind::BevelButton, "log e", Panel::Mode, 2, key(100, 185, 50), Anchor::LeftColumn, "Calculates the base-e logarithm of the current number", "Natural logarithm (base E)", &run<&E::DoLogBaseE>},
    {"bevLogBase2", Kind::BevelButton, "log2", Panel::Mode, 2, key(155, 185, 50), Anchor::LeftColumn, "Calculates the base-2 logarithm of the current number", "Binary logarithm (base 2)", &run<&E::DoLogBase2>},
    {"bev10PowX", Kind::BevelButton, "10^x", Panel::Mode, 2, key(45, 210, 50), Anchor::LeftColumn, "Calculates 10 raised to the power of the current number", "10 to the power of this", &run<&E::Do10PowX>},
    {"bevEPowX", Kind::BevelButton, "e^x", Panel::Mode, 2, key(100, 210, 50), Anchor::LeftColumn, "Calculates e raised to the power of the current number", "E to the power of X", &run<&E::DoEPowX>},
    {"bev2PowX", Kind::BevelButton, "2^x", Panel::Mode, 2, key(155, 210, 50), Anchor::LeftColumn, "Calculates 2 raised to the power of the current number", "2 to the power of this", &run<&E::Do2PowX>},
    {"bevSquare", Kind::BevelButton, "x^2", Panel::Mode, 2, key(45, 235, 50), Anchor::LeftColumn, "Calculates the square of the current number", "Squared", &run<&E::DoSquareX>},
    {"bevCube", Kind::BevelButton, "x^3", Panel::Mode, 2, key(100, 235, 50), Anchor::LeftColumn, "Calculates the cube of the current number", "Cubed", &run<&E::DoCubeX>},
    {"bevXPowY", Kind::BevelButton, "x^y", Panel::Mode, 2, key(155, 235, 50), Anchor::LeftColumn, "Calculates the Yth power of the current number, where Y is the number entered after this button is pressed", "To the power of", &run<&E::DoXPowY>},
    {"bevRound", Kind::BevelButton, "round", Panel::Mode, 2, key(45, 260, 50), Anchor::LeftColumn, "Rounds the current number to the nearest integer", "Round", &run<&E::DoRound>},
    {"bevFloor", Kind::BevelButton, "floor", Panel::Mode, 2, key(100, 260, 50), Anchor::LeftColumn, "Rounds the current number down to the next lowest (closest to negative infinity) integer", "Floor", &run<&E::DoFloor>},
    {"bevCeiling", Kind::BevelButton, "ceil", Panel::Mode, 2, key(155, 260, 50), Anchor::LeftColumn, "Rounds the current number down to the next highest (closest to positive infinity) integer", "Ceiling", &run<&E::DoCeil>},
    {"bevSumZeroToX", Kind::BevelButton, "∑ 0 to X", Panel::Mode, 2, key(45, 290, 75), Anchor::LeftColumn, "Calculates the sum of all integers from zero to the current number; the current number is rounded to the nearest integer if it is not one already", "Sum from zero to this", &run<&E::DoSumZeroToX>},
    {"bevSumXToY", Kind::BevelButton, "∑ X to Y", Panel::Mode, 2, key(130, 290, 75), Anchor::LeftColumn, "Calculates the sum of all integers from the current number to the next number entered; Both numbers are rounded to the nearest integer if they are not integers already", "Sum of all integers from X to Y", &run<&E::DoSumXToY>},
    {"bevRandom", Kind::BevelButton, "Random", Panel::Mode, 2, key(45, 315, 75), Anchor::LeftColumn, "Provides a random number in the range 0 to 1", "Random number", &run<&E::DoGetRandom>},
    {"bevMultiplyXToY", Kind::BevelButton, "∏ X to Y", Panel::Mode, 2, key(130, 315, 75), Anchor::LeftColumn, "Calculates the product of all integers from the current number to the next number entered; both numbers are rounded to the nearest integer if they are not integers already", "Multiply all numbers from X to Y", &run<&E::DoMultiplyXToY>},

    // Pages 3 to 8.
    {"StaticText1", Kind::StaticText, "Matrix/Vector", Panel::Mode, 3, {59, 165, 100, 20}, Anchor::None, "", "", nullptr},
    {"StaticText2", Kind::StaticText, "Statistics", Panel::Mode, 4, {59, 193, 100, 20}, Anchor::None, "", "", nullptr},
    {"StaticText3", Kind::StaticText, "History:", Panel::Mode, 5, {31, 156, 100, 20}, Anchor::None, "", "", nullptr, WindowLayout::Bold},
    {"bevClearHistory", Kind::BevelButton, "Clear history", Panel::Mode, 5, key(129, 156, 90), Anchor::None, "", "Clear history", &clearHistory},
    {"txtHistory", Kind::EditField, "", Panel::Mode, 5, {31, 175, 188, 164}, Anchor::None, "", "History", nullptr},
    {"bevTestAll", Kind::BevelButton, "Test all", Panel::Mode, 6, key(159, 152, 60, 18), Anchor::None, "", "Test all", &testAll},
    {"txtSource", Kind::EditField, "", Panel::Mode, 6, {31, 171, 188, 49}, Anchor::Stretching, "", "Expression", nullptr},
    {"bevTestSendBugReport", Kind::BevelButton, "Test-Send Bug Report...", Panel::Mode, 6, key(31, 220, 150, 18), Anchor::None, "", "Test-Send Bug Report...", &sendBugReport},
    {"prbTests", Kind::ProgressBar, "", Panel::Mode, 6, {31, 330, 183, 9}, Anchor::None, "", "Test progress", nullptr, 0, 4600},
    {"lblRPNModeLabel", Kind::StaticText, "Reverse Polish Notation mode is:", Panel::Mode, 7, {31, 160, 188, 20}, Anchor::None, "", "", nullptr},
    {"radRPNActive", Kind::RadioButton, "Active", Panel::Mode, 7, {31, 180, 80, 20}, Anchor::None, "", "Reverse Polish Notation mode active", &run<&E::SetModeRPN>},
    {"radRPNInactive", Kind::RadioButton, "Inactive", Panel::Mode, 7, {123, 180, 80, 20}, Anchor::None, "", "Reverse Polish Notation mode inactive", &run<&E::SetModeInfix>},
    {"lsbRPNStack", Kind::ListBox, "", Panel::Mode, 7, {31, 210, 188, 129}, Anchor::None, "", "RPN stack", nullptr},
    {"lblShowComplexNumbersAsLabel", Kind::StaticText, "Show complex numbers as:", Panel::Mode, 8, {31, 160, 160, 20}, Anchor::None, "", "", nullptr},
    {"popComplexDisplayMode", Kind::PopupMenu, "Simple form — z = a+i⋅b\nExponential form — z = (r⋅e)^(i⋅θ)\nPolar form — z = r⋅(sinθ + i⋅cosθ)\nAlternate polar form (cannot be shown in popup menu)\nLogarithmic form — z = ln(r) + i⋅θ", Panel::Mode, 8, {31, 180, 188, 20}, Anchor::None, "", "Show complex numbers as", nullptr},
    {"lblImaginaryUnitLabel", Kind::StaticText, "Imaginary unit symbol:", Panel::Mode, 8, {31, 210, 135, 20}, Anchor::None, "", "", nullptr},
    {"ComboBox1", Kind::ComboBox, "i\nj", Panel::Mode, 8, {173, 207, 46, 22}, Anchor::None, "", "Imaginary unit symbol", nullptr},
    {"bevComplexConjugate", Kind::BevelButton, "z*", Panel::Mode, 8, key(31, 240), Anchor::Keypad, "", "Complex conjugate", nullptr},
    {"bevReal", Kind::BevelButton, "ℛ", Panel::Mode, 8, key(56, 240), Anchor::Keypad, "", "Real part", nullptr, WindowLayout::LargeText},
    {"BevelButton1", Kind::BevelButton, "ℐ", Panel::Mode, 8, key(81, 240), Anchor::Keypad, "", "Imaginary part", nullptr, WindowLayout::LargeText},
    {"BevelButton2", Kind::BevelButton, "arg", Panel::Mode, 8, key(105, 240, 45), Anchor::Keypad, "", "Argument", nullptr},
    {"bevImaginary", Kind::BevelButton, "i", Panel::Mode, 8, key(155, 240), Anchor::Keypad, "A shortcut for entering the constant i (the square root of -1)", "Imaginary unit", nullptr, Hidden},
});
// clang-format on

} // namespace

std::span<const Control> WindowLayout::Controls()
{
    return controls;
}

QRect WindowLayout::AnchoredGeometry(const Control &control, QSize contentSize)
{
    const int grownWidth = contentSize.width() - DesignedSize.width();
    const int grownHeight = contentSize.height() - DesignedSize.height();
    QRect geometry = control.geometry;
    switch (control.anchor) {
    case Anchor::None:
    case Anchor::LeftColumn:
        break;
    case Anchor::Stretching:
        geometry.setWidth(geometry.width() + grownWidth);
        geometry.setHeight(geometry.height() + grownHeight);
        break;
    case Anchor::Display:
        geometry.setWidth(geometry.width() + grownWidth);
        break;
    case Anchor::Keypad:
        geometry.translate(grownWidth, 0);
        break;
    }
    return geometry;
}
