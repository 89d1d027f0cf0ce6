// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Window decoration helpers.
namespace WindowCandy {

// Sets a window's opacity, 0.0 (invisible) to 1.0 (opaque), through the
// window system's opacity facility. A value outside that range is held to
// it, and one that is not a number leaves the window opaque.
void SetWindowAlpha(QWidget *window, float alpha);

} // namespace WindowCandy
