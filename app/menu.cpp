// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>

#include <array>

namespace {

struct MenuItem
{
    const char *menu; // "File", "Edit" or "Help"
    const char *name; // empty for a separator
    const char *text;
    QKeySequence::StandardKey standardKey; // the platform's own shortcuts
    QList<QKeySequence> shortcuts; // further shortcuts
    QAction::MenuRole role;
};

using Role = QAction::MenuRole;
using Std = QKeySequence::StandardKey;

// The items in menu order. The preferences, quit and about items carry the
// roles that move them to the application menu where the platform has one.
// "Preferences" answers Ctrl+, and "Quit" Ctrl+Q everywhere, since not every
// platform binds a key to them; "Show Zorvane help" answers Ctrl+? and also
// the help key F1.
const auto menuItems = std::to_array<MenuItem>({
    { "File", "FileNewCalculator", "New Calculator", Std::New, {}, Role::NoRole },
    { "File", "FileCloseCalculator", "Close Calculator", Std::Close, {}, Role::NoRole },
    { "File", "FilePreferences", "Preferences", Std::UnknownKey, { QKeySequence(Qt::CTRL | Qt::Key_Comma) },
        Role::PreferencesRole },
    { "File", "FileQuit", "Quit", Std::Quit, { QKeySequence(Qt::CTRL | Qt::Key_Q) }, Role::QuitRole },
    { "Edit", "EditUndo", "Undo", Std::Undo, {}, Role::NoRole },
    { "Edit", "", "", Std::UnknownKey, {}, Role::NoRole },
    { "Edit", "EditCut", "Cut", Std::Cut, {}, Role::NoRole },
    { "Edit", "EditCopy", "Copy", Std::Copy, {}, Role::NoRole },
    { "Edit", "EditPaste", "Paste", Std::Paste, {}, Role::NoRole },
    { "Edit", "EditClear", "Clear", Std::UnknownKey, {}, Role::NoRole },
    { "Help", "HelpShowZorvanehelp", "Show Zorvane help", Std::HelpContents,
        { QKeySequence(Qt::CTRL | Qt::Key_Question), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Question) },
        Role::NoRole },
    { "Help", "", "", Std::UnknownKey, {}, Role::NoRole },
    { "Help", "AppleAboutZorvane", "About Zorvane...", Std::UnknownKey, {}, Role::AboutRole },
});

QList<QKeySequence> shortcutsOf(const MenuItem &item)
{
    QList<QKeySequence> shortcuts = item.shortcuts;
    if (item.standardKey != Std::UnknownKey)
        for (const QKeySequence &sequence : QKeySequence::keyBindings(item.standardKey))
            if (!shortcuts.contains(sequence))
                shortcuts.append(sequence);
    return shortcuts;
}

} // namespace

Menu::Menu(QObject *parent)
    : QObject(parent)
{
    for (const MenuItem &item : menuItems) {
        auto *action = new QAction(QString::fromUtf8(item.text), this);
        action->setObjectName(QString::fromUtf8(item.name));
        action->setSeparator(*item.name == '\0');
        action->setShortcuts(shortcutsOf(item));
        action->setMenuRole(item.role);
        items.append(action);
    }
    EnableMenuItems(false, false);
}

QAction *Menu::Item(const QString &name) const
{
    for (QAction *action : items)
        if (!action->isSeparator() && action->objectName() == name)
            return action;
    return nullptr;
}

QList<QAction *> Menu::Items() const
{
    QList<QAction *> named;
    for (QAction *action : items)
        if (!action->isSeparator())
            named.append(action);
    return named;
}

QMenuBar *Menu::CreateMenuBar()
{
    auto *bar = new QMenuBar;
    QMenu *menu = nullptr;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString title = QString::fromUtf8(menuItems[i].menu);
        if (!menu || menu->title() != title) {
            menu = bar->addMenu(title);
            menu->setObjectName(title);
            connect(menu, &QMenu::aboutToShow, this, &Menu::aboutToShowMenu);
        }
        menu->addAction(items[i]);
    }
    return bar;
}

void Menu::EnableMenuItems(bool frontmostIsCalculator, bool frontmostCanClose)
{
    for (const char *name :
        { "FileNewCalculator", "FilePreferences", "FileQuit", "HelpShowZorvanehelp", "AppleAboutZorvane" })
        Item(QString::fromUtf8(name))->setEnabled(true);
    Item(QStringLiteral("FileCloseCalculator"))->setEnabled(frontmostCanClose);
    for (const char *name : { "EditCut", "EditCopy", "EditPaste", "EditClear" })
        Item(QString::fromUtf8(name))->setEnabled(frontmostIsCalculator);
    Item(QStringLiteral("EditUndo"))->setEnabled(false);
}
