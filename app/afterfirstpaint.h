// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs an action once, as soon as a window has been painted for the first
// time: for work that the window system wants but that showing the window
// does not need, so that the window appears without waiting for it.
class AfterFirstPaint : public QObject
{
    Q_OBJECT

public:
    // Runs action after window's first paint has reached the screen (when
    // the event loop next runs after it). Nothing runs if the window is
    // deleted before it is painted.
    static void Run(QWidget *window, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AfterFirstPaint(QWidget *window, std::function<void()> action);

    std::function<void()> action;
};
