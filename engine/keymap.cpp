// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/keymap.h"

#include "engine/calculatorengine.h"

namespace {

struct KeyBinding
{
    char32_t codePoint;
    KeyOperation operation;
};

constexpr KeyBinding kKeyMap[] = {
    { U'+', &CalculatorEngine::DoAdd }, { U'-', &CalculatorEngine::DoTypedMinus },
    { U'*', &CalculatorEngine::DoMultiply }, { U'\u00F7', &CalculatorEngine::DoDivide }, // ÷
    { U'/', &CalculatorEngine::DoDivide }, { U'(', &CalculatorEngine::DoEnterOpenBracket },
    { U')', &CalculatorEngine::DoEnterCloseBracket }, { U'\\', &CalculatorEngine::DoIntegerDivide },
    { U'\u00B1', &CalculatorEngine::ChangeSign }, // ±
    { U'|', &CalculatorEngine::DoAbs }, { U'\u221A', &CalculatorEngine::DoSqrt }, // √
    { U'^', &CalculatorEngine::DoXPowY }, { U'!', &CalculatorEngine::DoFactorial },
    { U'\u2211', &CalculatorEngine::DoSumZeroToX }, // ∑
    { U'\u03C0', &CalculatorEngine::EnterPi }, // π
    { U'e', &CalculatorEngine::EnterE }, { U'E', &CalculatorEngine::DoTryEnterOtherE },
    { U'=', &CalculatorEngine::DoTypedEquals }, { U'\u0003', &CalculatorEngine::DoTypedEquals }, // Enter
    { U'\r', &CalculatorEngine::DoTypedEquals }, // Return
    { U'C', &CalculatorEngine::Clear }, { U'\u001B', &CalculatorEngine::Clear }, // Escape
};

} // namespace

KeyOperation KeyMapOperation(char32_t codePoint)
{
    for (const KeyBinding &binding : kKeyMap)
        if (binding.codePoint == codePoint)
            return binding.operation;
    return nullptr;
}
