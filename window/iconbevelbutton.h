// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

// A square bevel button that shows only its picture: the look shared by the
// mode buttons and the help button. It draws its own bevel (raised, or sunk
// while the mouse holds it down), so it looks the same under every style and
// palette, and it takes no keyboard focus, so typed keys always reach the
// calculator.
class IconBevelButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int kSide = 36;

    explicit IconBevelButton(QWidget *parent = nullptr);
    IconBevelButton(const QIcon &picture, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // Draws the bevel and the picture; subclasses paint over them.
    void paintBevel(QPainter &painter) const;
};
