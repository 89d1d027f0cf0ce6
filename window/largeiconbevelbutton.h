// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/iconbevelbutton.h"

// A mode button: a two-state bevel button that shows only its picture.
// A click flips its pressed state; when that leaves it pressed, every other
// mode button in the same window is released, so at most one is pressed at a
// time, while clicking the pressed one releases it. A pressed button is
// covered by a translucent black shade. After the release walk and the shade,
// Action is raised, so the window's handler (page change, dialog) runs last.
class LargeIconBevelButton : public IconBevelButton
{
    Q_OBJECT

public:
    // The shade's opacity: a black layer through a grey 0x88 mask, where
    // white is fully transparent, lets 0x88 of 0xFF through (about 47 %
    // opaque).
    static constexpr int kShadeAlpha = 0xFF - 0x88;

    explicit LargeIconBevelButton(QWidget *parent = nullptr);
    LargeIconBevelButton(const QIcon &picture, QWidget *parent = nullptr);

    // Repaints the button with its shade at once.
    void FlickerFreeRefresh();

Q_SIGNALS:
    // The click has been handled by the button itself; the window acts now.
    void Action();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void handleClick();
};
