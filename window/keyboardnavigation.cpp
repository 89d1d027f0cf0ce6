// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/keyboardnavigation.h"

#include "window/keyboardinput.h"
#include "window/pagepanel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace {

using Kind = WindowLayout::Kind;
using Region = KeyboardNavigation::Region;

// The group a control belongs to; none for the controls that only show or
// frame something (labels, panels, the display, the progress bar).
std::optional<Region> regionOf(const WindowLayout::Control &control)
{
    switch (control.kind) {
    case Kind::ModeButton:
    case Kind::HelpButton:
        return Region::ModeRow;
    case Kind::BevelButton:
    case Kind::PopupMenu:
    case Kind::ComboBox:
    case Kind::EditField:
    case Kind::ListBox:
    case Kind::RadioButton:
        if (control.panel == WindowLayout::Panel::Mode)
            return Region::Page;
        return control.anchor == WindowLayout::Anchor::Keypad ? Region::Keypad : Region::DisplayBase;
    case Kind::PagePanel:
    case Kind::GroupBox:
    case Kind::StaticText:
    case Kind::Canvas:
    case Kind::ProgressBar:
        break;
    }
    return std::nullopt;
}

// The stops of F6: the calculator itself (no control focused), then the
// groups from the mode panel on, wrapping round in reading order.
constexpr auto regionCycle = std::to_array<std::optional<Region>>({
    std::nullopt,
    Region::Page,
    Region::Keypad,
    Region::DisplayBase,
    Region::ModeRow,
});

QRect rectIn(const QWidget &window, const QWidget &widget)
{
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

// How far two ranges overlap; negative for the gap between them.
int overlapOf(int start1, int length1, int start2, int length2)
{
    return std::min(start1 + length1, start2 + length2) - std::max(start1, start2);
}

} // namespace

KeyboardNavigation::KeyboardNavigation(QWidget &window, std::span<const PlacedControl> controls)
    : QObject(&window)
    , window(window)
{
    struct Sorted
    {
        Entry entry;
        QRect designed;
    };
    std::vector<Sorted> sorted;
    int modeNumber = 0;
    for (const auto &[control, widget] : controls) {
        const std::optional<Region> region = regionOf(*control);
        if (!region)
            continue;
        sorted.push_back({ { widget, *region }, control->geometry });
        widget->installEventFilter(this);
        // Alt+1 ... for the mode buttons that show, left to right.
        if (control->kind == Kind::ModeButton && !(control->flags & WindowLayout::Hidden) && modeNumber < 9)
            static_cast<QAbstractButton *>(widget)->setShortcut(
                QKeyCombination(Qt::AltModifier, Qt::Key(Qt::Key_1 + modeNumber++)));
    }
    // Reading order: group by group, then row by row from the top, each row
    // from the left, as the controls were designed.
    std::stable_sort(sorted.begin(), sorted.end(), [](const Sorted &a, const Sorted &b) {
        return std::tuple(a.entry.region, a.designed.top(), a.designed.left())
            < std::tuple(b.entry.region, b.designed.top(), b.designed.left());
    });
    for (const Sorted &item : sorted)
        entries.push_back(item.entry);

    auto *next = new QShortcut(QKeySequence(Qt::Key_F6), &window);
    connect(next, &QShortcut::activated, this, [this] { CycleRegion(true); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), &window);
    connect(previous, &QShortcut::activated, this, [this] { CycleRegion(false); });
}

void KeyboardNavigation::ShowPage(PagePanel &panel, int page)
{
    const Entry *focused = focusedEntry();
    panel.setCurrentPage(page);
    if (focused && focused->region == Region::Page && !focused->widget->isVisible()
        && !enterRegion(Region::Page))
        GiveKeysBack();
}

void KeyboardNavigation::CycleRegion(bool forward)
{
    const Entry *focused = focusedEntry();
    const std::optional<Region> current = focused ? std::optional(focused->region) : std::nullopt;
    const auto at = std::find(regionCycle.begin(), regionCycle.end(), current);
    const int size = static_cast<int>(regionCycle.size());
    const int start = static_cast<int>(at - regionCycle.begin());
    for (int step = 1; step <= size; ++step) {
        const std::optional<Region> stop
            = regionCycle[((start + (forward ? step : -step)) % size + size) % size];
        if (!stop) {
            GiveKeysBack();
            return;
        }
        if (enterRegion(*stop))
            return;
    }
}

void KeyboardNavigation::GiveKeysBack()
{
    if (QWidget *focused = window.focusWidget(); focused && focused != &window)
        focused->clearFocus();
}

bool KeyboardNavigation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (Entry *entry = entryOf(watched))
            entry->lastFocused = ++focusCount;
    } else if (event->type() == QEvent::KeyPress) {
        const Entry *entry = entryOf(watched);
        if (entry && entry->widget->hasFocus())
            return handleKey(*entry, *static_cast<QKeyEvent *>(event));
    }
    return QObject::eventFilter(watched, event);
}

KeyboardNavigation::Entry *KeyboardNavigation::entryOf(const QObject *object)
{
    const auto found = std::find_if(
        entries.begin(), entries.end(), [object](const Entry &entry) { return entry.widget == object; });
    return found == entries.end() ? nullptr : &*found;
}

KeyboardNavigation::Entry *KeyboardNavigation::focusedEntry()
{
    // The window's own focus, also while another window is active. It may
    // sit on a part of a control, such as a combo box's field.
    for (const QWidget *widget = window.focusWidget(); widget && widget != &window;
         widget = widget->parentWidget())
        if (Entry *entry = entryOf(widget))
            return entry;
    return nullptr;
}

bool KeyboardNavigation::isReachable(const Entry &entry)
{
    return entry.widget->isVisible() && entry.widget->isEnabled();
}

bool KeyboardNavigation::enterRegion(Region region)
{
    // The control that last had the focus here, else the first one.
    const Entry *target = nullptr;
    for (const Entry &entry : entries)
        if (entry.region == region && isReachable(entry)
            && (!target || entry.lastFocused > target->lastFocused))
            target = &entry;
    if (!target)
        return false;
    focus(target->widget);
    return true;
}

void KeyboardNavigation::focus(QWidget *widget)
{
    // The style draws the focus frame only after a move by keyboard.
    window.setAttribute(Qt::WA_KeyboardFocusChange);
    widget->setFocus(Qt::TabFocusReason);
}

void KeyboardNavigation::moveInReadingOrder(const Entry &from, bool forward)
{
    const int size = static_cast<int>(entries.size());
    const int start = static_cast<int>(&from - entries.data());
    for (int step = 1; step < size; ++step) {
        const Entry &entry = entries[((start + (forward ? step : -step)) % size + size) % size];
        if (isReachable(entry)) {
            focus(entry.widget);
            return;
        }
    }
}

void KeyboardNavigation::moveTowards(const Entry &from, int key)
{
    // The nearest control whose centre lies in the key's direction. Controls
    // in line with this one (overlapping it across the direction) come
    // first, then the nearest along the direction, then the best aligned.
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const int sign = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : -1;
    const QRect origin = rectIn(window, *from.widget);
    const Entry *best = nullptr;
    std::tuple<bool, int, int> bestScore;
    for (const Entry &entry : entries) {
        if (&entry == &from || !isReachable(entry))
            continue;
        const QRect rect = rectIn(window, *entry.widget);
        const QPoint offset = rect.center() - origin.center();
        const int along = sign * (horizontal ? offset.x() : offset.y());
        if (along <= 0)
            continue;
        const int overlap = horizontal ? overlapOf(rect.top(), rect.height(), origin.top(), origin.height())
                                       : overlapOf(rect.left(), rect.width(), origin.left(), origin.width());
        const auto score = std::tuple(
            overlap <= 0, along + 2 * std::max(0, -overlap), std::abs(horizontal ? offset.y() : offset.x()));
        if (!best || score < bestScore) {
            best = &entry;
            bestScore = score;
        }
    }
    if (best)
        focus(best->widget);
}

bool KeyboardNavigation::handleKey(const Entry &entry, QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    auto *button = qobject_cast<QAbstractButton *>(entry.widget);
    auto *popup = qobject_cast<QComboBox *>(entry.widget);
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier)
            break;
        moveInReadingOrder(entry, event.key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
        return true;
    case Qt::Key_Escape:
        if (!plain)
            break;
        GiveKeysBack();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!plain)
            break;
        if (button) {
            button->click();
            return true;
        }
        if (popup) {
            popup->showPopup();
            return true;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (plain && popup) {
            popup->showPopup();
            return true;
        }
        [[fallthrough]];
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (plain && (button || popup)) {
            moveTowards(entry, event.key());
            return true;
        }
        break;
    default:
        break;
    }
    // A popup or a list would search its rows for a typed character: it is
    // the calculator's. Space still opens a popup.
    if ((popup || qobject_cast<QAbstractItemView *>(entry.widget)) && event.key() != Qt::Key_Space) {
        const std::optional<QString> typed = KeyboardInput::KeyText(event);
        if (typed && typed->front().isPrint()) {
            QCoreApplication::sendEvent(&window, &event);
            return true;
        }
    }
    return false;
}
