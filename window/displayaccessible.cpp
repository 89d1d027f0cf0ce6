// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/displayaccessible.h"

#include "window/displaycanvas.h"

DisplayAccessible::DisplayAccessible(DisplayCanvas *canvas)
    : QAccessibleWidget(canvas, QAccessible::StaticText)
{ }

QString DisplayAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return static_cast<const DisplayCanvas *>(widget())->presentedNumber();
    return QAccessibleWidget::text(t);
}

QAccessibleInterface *DisplayAccessible::Create(const QString &className, QObject *object)
{
    if (className == QLatin1String(DisplayCanvas::staticMetaObject.className()))
        if (auto *canvas = qobject_cast<DisplayCanvas *>(object))
            return new DisplayAccessible(canvas);
    return nullptr;
}
