// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/windowlayout.h"

#include <QObject>

#include <span>
#include <utility>
#include <vector>

class PagePanel;
class QKeyEvent;
class QWidget;

// Lets a calculator window be used by keyboard alone, while typed keys keep
// reaching the calculator.
//
// The controls keep their "no focus" policy, so neither a click nor opening
// the window ever gives them the focus. Only the keys below move the focus
// onto them, and then the focused control takes just the keys it needs;
// every other typed key passes on to the calculator as before.
//
// - Alt+1 to Alt+7 click the visible mode buttons, in their order from left
//   to right, exactly as a mouse click does.
// - F6 moves the focus on through the mode panel's page, the keypad, the
//   display-base popup, the mode buttons and back to the calculator itself;
//   Shift+F6 goes the other way. A group is entered at the control that last
//   had the focus there.
// - On a focused control: Tab and Shift+Tab move through every control in
//   reading order; the arrow keys move to the nearest control in their
//   direction (on a popup, Up and Down open it, and an edit field or list
//   keeps its arrows); Space, Return or Enter press a key or open a popup;
//   Escape gives the keys back to the calculator.
// - A focused popup or list passes every typed character to the calculator
//   instead of searching its rows with it.
class KeyboardNavigation : public QObject
{
    Q_OBJECT

public:
    using PlacedControl = std::pair<const WindowLayout::Control *, QWidget *>;

    // The groups of controls, in reading order.
    enum class Region
    {
        DisplayBase, // popDisplayBase
        ModeRow, // the mode buttons and the help button
        Page, // the controls of panMode's pages
        Keypad,
    };

    // window is the calculator window, which owns the navigation; controls
    // are its controls with their rows of the layout table, the mode buttons
    // in their order from left to right.
    KeyboardNavigation(QWidget &window, std::span<const PlacedControl> controls);

    // Shows page of panel. When the focus was on the page that goes, it
    // moves onto the page that comes (or back to the calculator when that
    // page has nothing to press), so it never stays on a hidden control.
    void ShowPage(PagePanel &panel, int page);

    // F6 (forward) and Shift+F6.
    void CycleRegion(bool forward);
    // Escape: the focus leaves the controls and typed keys go to the
    // calculator again.
    void GiveKeysBack();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QWidget *widget;
        Region region;
        quint64 lastFocused = 0; // when it last took the focus; 0 for never
    };

    Entry *entryOf(const QObject *object);
    Entry *focusedEntry();
    static bool isReachable(const Entry &entry);
    bool enterRegion(Region region);
    void focus(QWidget *widget);
    void moveInReadingOrder(const Entry &from, bool forward);
    void moveTowards(const Entry &from, int key);
    bool handleKey(const Entry &entry, QKeyEvent &event);

    QWidget &window;
    std::vector<Entry> entries; // in reading order
    quint64 focusCount = 0;
};
