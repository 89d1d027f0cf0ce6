// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CalculatorView;

// The self-test's check of one result.
class Testing
{
public:
    // When actual differs from expected, shows "Failed assertation in
    // testing! " followed by message in a message box of view and returns
    // once it is dismissed; otherwise does nothing. The comparison is exact:
    // no tolerance, and a NaN differs from everything, itself included. The
    // two operands travel with the call for whoever reads a trace of it; the
    // message already names them.
    static void AssertEquals(CalculatorView &view, double actual, double expected, double firstOperand,
        double secondOperand, const QString &message);
};
