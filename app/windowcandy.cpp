// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowcandy.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

void WindowCandy::SetWindowAlpha(QWidget *window, float alpha)
{
    // The preferences file may hold any bit pattern: never hand the window
    // system a NaN.
    const double opacity = std::isnan(alpha) ? 1.0 : std::clamp(static_cast<double>(alpha), 0.0, 1.0);
    window->setWindowOpacity(opacity);
}
