// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/unit.h"

Unit::Unit(const QString &name, double multiplyByToGetSI, double addToToGetSI, bool isCommonUnit)
    : Name(name)
    , MultiplyByToGetSI(multiplyByToGetSI)
    , AddToToGetSI(addToToGetSI)
    , IsCommonUnit(isCommonUnit)
{ }

double Unit::Convert(const Unit &target, double value) const
{
    // Four operations, each rounded on its own (one per statement, so that
    // no compiler fuses a multiply and an add): into the SI unit, then out.
    const double scaled = value * MultiplyByToGetSI;
    const double inSI = scaled + AddToToGetSI;
    const double shifted = inSI - target.AddToToGetSI;
    return shifted / target.MultiplyByToGetSI;
}
