// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/largeiconbevelbutton.h"

#include <QPainter>

LargeIconBevelButton::LargeIconBevelButton(QWidget *parent)
    : IconBevelButton(parent)
{
    setCheckable(true);
    connect(this, &QAbstractButton::clicked, this, &LargeIconBevelButton::handleClick);
}

LargeIconBevelButton::LargeIconBevelButton(const QIcon &picture, QWidget *parent)
    : LargeIconBevelButton(parent)
{
    setIcon(picture);
}

void LargeIconBevelButton::handleClick()
{
    // The click has already flipped the pressed state.
    if (isChecked()) {
        const auto modeButtons = window()->findChildren<LargeIconBevelButton *>();
        for (LargeIconBevelButton *other : modeButtons)
            if (other != this)
                other->setChecked(false);
    }
    FlickerFreeRefresh();
    Q_EMIT Action();
}

void LargeIconBevelButton::FlickerFreeRefresh()
{
    repaint();
}

void LargeIconBevelButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintBevel(painter);
    if (isChecked())
        painter.fillRect(rect(), QColor(0, 0, 0, kShadeAlpha));
    paintFocusFrame(painter);
}
