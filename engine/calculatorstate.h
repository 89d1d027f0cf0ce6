// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <array>

// The flag text of an operation that lacks operands or an argument.
inline const QString NeedMoreNumbersFlag = QStringLiteral("Need more numbers");

// Everything one calculator remembers between two operations. The field
// names are the calculator's own; CalculatorEngine is the only writer.
struct CalculatorState
{
    // The value on the display: the number being typed, the last value
    // entered or the last result.
    double CurrentNumber = 0.0;
    // The characters of the number being typed; while one is being typed it
    // is the tail of currentCodeString. Its decimal point is always ".".
    QString EnteredNumberAsString;
    // Memory registers A to Z in elements 0 to 25; element 26 is a spare that
    // only "Clear All" touches.
    std::array<double, 27> memoryValue {};
    // The calculation so far, written in the expression language.
    QString currentCodeString;
    // Whether the last evaluation was a partial one (a function key).
    bool windowWideDisplayPartial = false;
    // The expression ends in a finished value (a result or an entered value).
    bool lastCommandWasToCalculate = false;
    // The short status text on the display.
    QString flagString;
    // The self-test's log of the operations it pressed, one per line.
    QString sequence;
    // The last one- or two-argument function key did wrap the expression.
    bool functionAdditionSucceeded = false;
    // The RPN stack; the last element is the top.
    QList<double> rpnStack;
};
