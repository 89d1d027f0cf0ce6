// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The ten angle units of the trigonometric keys, in the order of the
// angle-mode popup: a row's index is its angle-mode number.

// The popup's row texts, "Radians" to "Full Circles".
QStringList AngleModeNames();

// The factor that turns a value in the unit of row index into radians, as
// stored (not the exact ratio: Degrees is 0.01745329252, not pi/180); 0 for an
// index outside the table.
double AngleModeFactor(int index);
