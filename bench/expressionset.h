// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// One expression text as the calculator hands it to "=": a name for the
// table, the text, and how many numbers it holds.
struct BenchExpression
{
    QString name;
    QString text;
    int terms;
};

// The expression texts of the script engine benchmark, from the two literals
// of "2 + 3 =" to a fifty-term text with nested functions and the angle
// mode's factor. The long ones are written the way the keys build them.
std::vector<BenchExpression> BenchExpressions();

// The program that "=" runs for text: "result = " + text, a carriage
// return and Print "".
QString CalculateProgram(const QString &text);
