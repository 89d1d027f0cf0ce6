// SPDX-License-Identifier: GPL-3.0-or-later
// The 26 memory registers A to Z.
#include "engine/calculatorengine.h"

#include <functional>

namespace {

constexpr int kRegisters = 26;

QString letter(int i)
{
    return QChar(u'A' + i);
}

} // namespace

bool CalculatorEngine::isRegister(int i)
{
    // The memory popup passes its selected row; with none selected there is
    // no register to work on.
    return i >= 0 && i < kRegisters;
}

void CalculatorEngine::CreateMemoryValueList()
{
    QStringList rows;
    for (int i = 0; i < kRegisters; ++i)
        rows << letter(i) + QStringLiteral(" (") + QString::number(state.memoryValue[i], 'g', 15)
                + QLatin1Char(')');
    view.ShowMemoryList(rows);
}

void CalculatorEngine::registerOperation(
    int i, const QString &spoken, const std::function<double(double)> &change)
{
    if (!isRegister(i))
        return;
    Speak(spoken + letter(i));
    state.memoryValue[i] = change(state.memoryValue[i]);
    CreateMemoryValueList();
}

void CalculatorEngine::DoSetMem(int i)
{
    registerOperation(i, QStringLiteral("Set memory "), [this](double) { return state.CurrentNumber; });
}

void CalculatorEngine::DoUseMem(int i)
{
    if (!isRegister(i))
        return;
    EnterConstant(state.memoryValue[i]);
    CreateMemoryValueList();
}

void CalculatorEngine::DoClearMem(int i)
{
    registerOperation(i, QStringLiteral("Clear memory "), [](double) { return 0.0; });
}

void CalculatorEngine::DoClearAllMem()
{
    Speak(QStringLiteral("Clear all memories"));
    state.memoryValue.fill(0.0);
    CreateMemoryValueList();
}

void CalculatorEngine::DoMemAdd(int i)
{
    registerOperation(
        i, QStringLiteral("Add into memory "), [this](double m) { return m + state.CurrentNumber; });
}

void CalculatorEngine::DoMemSubtract(int i)
{
    registerOperation(
        i, QStringLiteral("Subtract from memory "), [this](double m) { return m - state.CurrentNumber; });
}

void CalculatorEngine::DoMemMultiply(int i)
{
    registerOperation(
        i, QStringLiteral("Multiply into memory "), [this](double m) { return m * state.CurrentNumber; });
}

void CalculatorEngine::DoMemDivide(int i)
{
    registerOperation(
        i, QStringLiteral("Divide into memory "), [this](double m) { return m / state.CurrentNumber; });
}

void CalculatorEngine::memoryIntoCalculation(int i, const QString &spoken, const QString &op)
{
    if (!isRegister(i))
        return;
    Speak(spoken + letter(i));
    if (state.currentCodeString.isEmpty())
        state.currentCodeString = codeFormat(state.CurrentNumber);
    state.currentCodeString += op + codeFormat(state.memoryValue[i]);
    state.EnteredNumberAsString.clear();
    Redraw();
    DoFindAnswer();
}

void CalculatorEngine::DoAddMem(int i)
{
    memoryIntoCalculation(i, QStringLiteral("Add memory "), QStringLiteral("+"));
}

void CalculatorEngine::DoSubtractMem(int i)
{
    memoryIntoCalculation(i, QStringLiteral("Subtract memory "), QStringLiteral("-"));
}

void CalculatorEngine::DoMultiplyMem(int i)
{
    memoryIntoCalculation(i, QStringLiteral("Multiply by memory "), QStringLiteral("*"));
}

void CalculatorEngine::DoDivideMem(int i)
{
    memoryIntoCalculation(i, QStringLiteral("Divide by memory "), QStringLiteral("/"));
}
