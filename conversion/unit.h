// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One unit of measure of a class of quantity. A value v in this unit is
// v × MultiplyByToGetSI + AddToToGetSI in the class's SI unit; the offset is
// non-zero only for scales whose zero differs from the SI unit's (°C, °F ...).
// A unit never changes once built.
class Unit
{
public:
    Unit(const QString &name, double multiplyByToGetSI, double addToToGetSI, bool isCommonUnit);

    QString GetName() const { return Name; }
    double GetFactor() const { return MultiplyByToGetSI; }
    double GetOffset() const { return AddToToGetSI; }
    // True when the unit belongs in the "Show common units" view.
    bool IsCommon() const { return IsCommonUnit; }

    // value, given in this unit, expressed in target. A target factor of 0
    // gives the infinity or NaN of the division.
    double Convert(const Unit &target, double value) const;

private:
    QString Name;
    double MultiplyByToGetSI;
    double AddToToGetSI;
    bool IsCommonUnit;
};
