// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/afterfirstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

AfterFirstPaint::AfterFirstPaint(QWidget *window, std::function<void()> action)
    : QObject(window)
    , action(std::move(action))
{
    window->installEventFilter(this);
}

void AfterFirstPaint::Run(QWidget *window, std::function<void()> action)
{
    new AfterFirstPaint(window, std::move(action));
}

bool AfterFirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        // The window and its controls are painted and the picture handed to
        // the window system in this same pass; the action waits until the
        // pass is over.
        watched->removeEventFilter(this);
        QTimer::singleShot(0, QCoreApplication::instance(), std::move(action));
        deleteLater();
    }
    return false;
}
