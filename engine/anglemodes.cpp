// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/anglemodes.h"

#include <iterator>

namespace {

struct AngleMode
{
    const char *name;
    double factor; // radians per unit, as the calculator has always stored it
};

// The factors are the calculator's stored values, not exact ratios; results
// in every unit but Radians carry their small errors (the sine of 30 degrees
// is 0.5000000000014733).
constexpr AngleMode kAngleModes[] = {
    { "Radians", 1.0 }, { "Mils (NATO)", 0.000981747704 }, // 2 pi / 6400
    { "Mils (Soviet)", 0.001047197551 }, // 2 pi / 6000
    { "Mils (Sweden)", 0.000997331001 }, // 2 pi / 6300
    { "Gons (Grads, Gradians)", 0.015707963268 }, // pi / 200
    { "Degrees", 0.01745329252 }, // pi / 180
    { "Minutes", 0.000290888209 }, // pi / 10800
    { "Seconds", 4.8481368e-6 }, // pi / 648000
    { "Point", 0.196349540037 }, // 2 pi / 32, differing from the tenth digit on
    { "Full Circles", 6.283185307175 }, // 2 pi
};

} // namespace

QStringList AngleModeNames()
{
    QStringList names;
    for (const AngleMode &mode : kAngleModes)
        names << QString::fromUtf8(mode.name);
    return names;
}

double AngleModeFactor(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kAngleModes)))
        return 0.0;
    return kAngleModes[index].factor;
}
