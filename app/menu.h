// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenuBar;

// The application's menu bar: File, Edit and Help. There is one set of
// items, each a QAction whose objectName is the item's name
// ("FileNewCalculator", "EditCopy" ...), with its text and its Ctrl
// shortcuts. Each window shows them in a menu bar of its own (CreateMenuBar)
// where the menu bar lives inside the windows; items are shared, so their
// enabling and their shortcuts are the same everywhere.
class Menu : public QObject
{
    Q_OBJECT

public:
    explicit Menu(QObject *parent = nullptr);

    // The item named name, found by its name; nullptr when there is none.
    QAction *Item(const QString &name) const;
    // Every item, separators excluded, in menu order.
    QList<QAction *> Items() const;

    // A new menu bar showing the shared items; the window that takes it
    // owns it.
    QMenuBar *CreateMenuBar();

    // Enables the items for the frontmost window: New Calculator,
    // Preferences, Quit, Show Zorvane help and About always; Close Calculator
    // when the frontmost window can be closed with it; Cut, Copy, Paste and
    // Clear when it is a calculator; Undo never.
    void EnableMenuItems(bool frontmostIsCalculator, bool frontmostCanClose);

Q_SIGNALS:
    // A menu of one of the menu bars is about to open: the items' enabling
    // must be brought up to date.
    void aboutToShowMenu();

private:
    QList<QAction *> items;
};
