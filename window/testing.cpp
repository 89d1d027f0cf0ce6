// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/testing.h"

#include "engine/calculatorview.h"

void Testing::AssertEquals(CalculatorView &view, double actual, double expected,
    [[maybe_unused]] double firstOperand, [[maybe_unused]] double secondOperand, const QString &message)
{
    // Written as "not equal" so that a NaN on either side fails.
    if (!(actual == expected))
        view.ShowMessage(QStringLiteral("Failed assertation in testing! ") + message);
}
