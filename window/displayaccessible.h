// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class DisplayCanvas;

// What a screen reader learns of the calculator's display: its name
// ("Display") and, as its value, the number it presents, in the chosen
// display base. The display announces each new number with a value-change
// event (DisplayCanvas sends it).
class DisplayAccessible : public QAccessibleWidget
{
public:
    explicit DisplayAccessible(DisplayCanvas *canvas);

    QString text(QAccessible::Text t) const override;

    // The accessibility factory that gives every DisplayCanvas this
    // interface; installed once, by the first display made.
    static QAccessibleInterface *Create(const QString &className, QObject *object);
};
