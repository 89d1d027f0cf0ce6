// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1StringView>
#include <QString>

#include <array>
#include <optional>

// The seventeen classes of physical quantity that units are converted
// within, in the order in which their tables load (the order of their file
// names).
enum class UnitClass
{
    Acceleration,
    Angle,
    Area,
    Density,
    Distance,
    Energy,
    Force,
    Frequency,
    Power,
    Pressure,
    RadiationAbsorbedDose,
    Speed,
    Temperature,
    Time,
    Torque,
    Volume,
    WeightAndMass,
};

inline constexpr int UnitClassCount = 17;

// What belongs to one class: the text the conversion dialog shows for it, the
// rate file in the "ConversionRates" folder (whose built-in copy is the
// class's default text) and the name the application object gives its list.
struct UnitClassInfo
{
    UnitClass unitClass;
    QLatin1StringView text;
    QLatin1StringView fileName;
    QLatin1StringView listName;
};

// All seventeen classes in load order; UnitClasses()[int(c)] describes c.
const std::array<UnitClassInfo, UnitClassCount> &UnitClasses();
const UnitClassInfo &UnitClassInfoOf(UnitClass unitClass);

// The class whose dialog text equals text, without regard to letter case.
std::optional<UnitClass> UnitClassFromText(const QString &text);

// The classes in the order in which the conversion dialog lists them
// (alphabetical by their text, so "Mass" comes ninth).
const std::array<UnitClass, UnitClassCount> &UnitClassesInDialogOrder();
