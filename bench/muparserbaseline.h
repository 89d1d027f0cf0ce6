// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <muParser.h>
#include <string>

// The baseline of the script engine benchmark: one reused muparser parser
// that knows every function and operator of the calculator's expression
// language, computed by the same code as the calculator's, so that both
// evaluate the same arithmetic.
class MuParserBaseline
{
public:
    MuParserBaseline();

    // The calculator's expression text in muparser's notation: muparser takes
    // no "\" as an operator name, so integer division is written "#".
    static std::string Translate(const QString &expression);

    // A one-shot parse and evaluation, as the calculator does for every "=".
    double Evaluate(const std::string &expression)
    {
        parser.SetExpr(expression);
        return parser.Eval();
    }

private:
    mu::Parser parser;
};
