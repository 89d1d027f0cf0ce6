// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

// A square bevel button that shows only its picture: the look shared by the
// mode buttons and the help button. It draws its own bevel (raised, or sunk
// while the mouse holds it down), so it looks the same under every style and
// palette, and it takes no keyboard focus by a click or by Tab, so typed
// keys always reach the calculator. Keyboard navigation may still move the
// focus onto it; it then shows a focus frame. Its shortcut clicks it at
// once and leaves the focus where it was.
class IconBevelButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int kSide = 36;

    explicit IconBevelButton(QWidget *parent = nullptr);
    IconBevelButton(const QIcon &picture, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Draws the bevel and the picture; subclasses paint over them.
    void paintBevel(QPainter &painter) const;
    // Draws the focus frame while the button has the focus; painted last.
    void paintFocusFrame(QPainter &painter) const;
};
