// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The contrast between two colours as WCAG 2 defines it, from 1 (the same
// luminance) to 21 (black on white), and the least contrast that keeps
// normal text legible.
class ColourContrast
{
public:
    static constexpr double Legible = 4.5;

    // The relative luminance of an sRGB colour, 0 (black) to 1 (white).
    static double RelativeLuminance(const QColor &colour);
    static double Between(const QColor &a, const QColor &b);
};
