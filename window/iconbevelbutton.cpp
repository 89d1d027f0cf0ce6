// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/iconbevelbutton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QShortcutEvent>

IconBevelButton::IconBevelButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kSide, kSide);
    setIconSize(QSize(kSide, kSide));
}

IconBevelButton::IconBevelButton(const QIcon &picture, QWidget *parent)
    : IconBevelButton(parent)
{
    setIcon(picture);
}

QSize IconBevelButton::sizeHint() const
{
    return { kSide, kSide };
}

bool IconBevelButton::event(QEvent *event)
{
    // The base would take the focus and click a tenth of a second later;
    // the click must come at once, and the keys stay with the calculator.
    if (event->type() == QEvent::Shortcut && isEnabled()
        && !static_cast<QShortcutEvent *>(event)->isAmbiguous()) {
        click();
        return true;
    }
    return QAbstractButton::event(event);
}

void IconBevelButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintBevel(painter);
    paintFocusFrame(painter);
}

void IconBevelButton::paintBevel(QPainter &painter) const
{
    const QPalette &colours = palette();
    const QRect outer = rect();
    const bool sunk = isDown();

    // The face: a soft vertical gradient of the button colour, darker when sunk.
    const QColor face = colours.color(QPalette::Button);
    QLinearGradient gradient(outer.topLeft(), outer.bottomLeft());
    gradient.setColorAt(0, sunk ? face.darker(115) : face.lighter(112));
    gradient.setColorAt(1, sunk ? face.darker(105) : face.darker(106));
    painter.fillRect(outer, gradient);

    // The bevel: a light edge on the top and left and a shadow on the bottom
    // and right, swapped when sunk, inside a dark one-pixel frame.
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const QColor lit = sunk ? colours.color(QPalette::Mid) : colours.color(QPalette::Light);
    const QColor shaded = sunk ? colours.color(QPalette::Light) : colours.color(QPalette::Mid);
    painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), 1), lit);
    painter.fillRect(QRect(inner.left(), inner.top(), 1, inner.height()), lit);
    painter.fillRect(QRect(inner.left(), inner.bottom(), inner.width(), 1), shaded);
    painter.fillRect(QRect(inner.right(), inner.top(), 1, inner.height()), shaded);
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));

    // The picture fills the button (its artwork keeps clear of the bevel);
    // it moves one pixel down and right while the button is held.
    const QRect pictureRect = sunk ? outer.translated(1, 1) : outer;
    icon().paint(&painter, pictureRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

void IconBevelButton::paintFocusFrame(QPainter &painter) const
{
    if (!hasFocus())
        return;
    // A two-pixel frame in the highlight colour just inside the bevel.
    QPen pen(palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
}
