// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/unitclass.h"

#include <algorithm>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr std::array<UnitClassInfo, UnitClassCount> kClasses { {
    { UnitClass::Acceleration, "Acceleration"_L1, "ConvertAccelerations.txt"_L1,
        "AccelerationConversionList"_L1 },
    { UnitClass::Angle, "Angle"_L1, "ConvertAngles.txt"_L1, "AngleConversionList"_L1 },
    { UnitClass::Area, "Area"_L1, "ConvertAreas.txt"_L1, "AreaConversionList"_L1 },
    { UnitClass::Density, "Density"_L1, "ConvertDensities.txt"_L1, "DensityConversionList"_L1 },
    { UnitClass::Distance, "Distance"_L1, "ConvertDistances.txt"_L1, "DistanceConversionList"_L1 },
    { UnitClass::Energy, "Energy"_L1, "ConvertEnergies.txt"_L1, "EnergyConversionList"_L1 },
    { UnitClass::Force, "Force"_L1, "ConvertForces.txt"_L1, "ForceConversionList"_L1 },
    { UnitClass::Frequency, "Frequency"_L1, "ConvertFrequencies.txt"_L1, "FrequencyConversionList"_L1 },
    { UnitClass::Power, "Power"_L1, "ConvertPowers.txt"_L1, "PowerConversionList"_L1 },
    { UnitClass::Pressure, "Pressure"_L1, "ConvertPressures.txt"_L1, "PressureConversionList"_L1 },
    { UnitClass::RadiationAbsorbedDose, "Radiation (absorbed dose)"_L1, "ConvertRadiationAbsorbed.txt"_L1,
        "RadiationAbsorbedDoseConversionList"_L1 },
    { UnitClass::Speed, "Speed"_L1, "ConvertSpeeds.txt"_L1, "SpeedConversionList"_L1 },
    { UnitClass::Temperature, "Temperature"_L1, "ConvertTemperatures.txt"_L1,
        "TemperatureConversionList"_L1 },
    { UnitClass::Time, "Time"_L1, "ConvertTimes.txt"_L1, "TimeConversionList"_L1 },
    { UnitClass::Torque, "Torque"_L1, "ConvertTorques.txt"_L1, "TorqueConversionList"_L1 },
    { UnitClass::Volume, "Volume"_L1, "ConvertVolumes.txt"_L1, "VolumeConversionList"_L1 },
    { UnitClass::WeightAndMass, "Mass"_L1, "ConvertWeightsAndMasses.txt"_L1,
        "WeightAndMassConversionList"_L1 },
} };

// UnitClasses()[int(c)] must describe c.
constexpr bool inEnumOrder()
{
    for (int i = 0; i < UnitClassCount; ++i)
        if (static_cast<int>(kClasses[i].unitClass) != i)
            return false;
    return true;
}
static_assert(inEnumOrder());

} // namespace

const std::array<UnitClassInfo, UnitClassCount> &UnitClasses()
{
    return kClasses;
}

const UnitClassInfo &UnitClassInfoOf(UnitClass unitClass)
{
    return kClasses[static_cast<int>(unitClass)];
}

std::optional<UnitClass> UnitClassFromText(const QString &text)
{
    for (const UnitClassInfo &info : kClasses)
        if (text.compare(info.text, Qt::CaseInsensitive) == 0)
            return info.unitClass;
    return std::nullopt;
}

const std::array<UnitClass, UnitClassCount> &UnitClassesInDialogOrder()
{
    static const std::array<UnitClass, UnitClassCount> order = [] {
        std::array<UnitClassInfo, UnitClassCount> sorted = kClasses;
        std::sort(sorted.begin(), sorted.end(),
            [](const UnitClassInfo &a, const UnitClassInfo &b) { return a.text < b.text; });
        std::array<UnitClass, UnitClassCount> classes {};
        std::transform(sorted.begin(), sorted.end(), classes.begin(),
            [](const UnitClassInfo &info) { return info.unitClass; });
        return classes;
    }();
    return order;
}
