// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QWidget>

// A window of which the application shows at most one at a time (help,
// about). It is destroyed when it closes, and the next demand builds a fresh
// one. The open instance is found among the application's top-level windows,
// so no pointer to it is kept anywhere.
class SharedWindow : public QWidget
{
    Q_OBJECT

public:
    // The open window of the given class, or nullptr when none is open.
    template <class Window> static Window *OpenInstance()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *widget : windows) {
            auto *window = qobject_cast<Window *>(widget);
            if (window && !window->closing)
                return window;
        }
        return nullptr;
    }

    // The open window of the given class, or a new one when none is open.
    template <class Window> static Window *Instance()
    {
        if (Window *open = OpenInstance<Window>())
            return open;
        return new Window;
    }

    // Shows the window of the given class, building it if none is open,
    // and brings it in front of the others.
    template <class Window> static Window *ShowInstance()
    {
        Window *window = Instance<Window>();
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }

    // The "Close Calculator" menu command while this window is in front:
    // closes it. Returns true: the command is handled.
    bool FileCloseCalculator_Action();

protected:
    explicit SharedWindow(QWidget *parent = nullptr);
    void closeEvent(QCloseEvent *event) override;

private:
    // Set once the window has accepted its close: it only waits to be
    // deleted and no longer counts as open.
    bool closing = false;
};
