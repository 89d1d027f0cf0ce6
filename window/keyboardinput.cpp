// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/keyboardinput.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace {

// The text of the keys that produce none of their own: Enter is U+0003 and
// Return U+000D, as the key map expects; the arrows are the classic
// U+001C to U+001F.
constexpr auto namedKeys = std::to_array<std::pair<int, char16_t>>({
    { Qt::Key_Return, 0x0D },
    { Qt::Key_Enter, 0x03 },
    { Qt::Key_Escape, 0x1B },
    { Qt::Key_Delete, 0x7F },
    { Qt::Key_Backspace, 0x08 },
    { Qt::Key_Tab, 0x09 },
    { Qt::Key_Left, 0x1C },
    { Qt::Key_Right, 0x1D },
    { Qt::Key_Up, 0x1E },
    { Qt::Key_Down, 0x1F },
});

bool isPrintable(const QString &text)
{
    for (const QChar c : text)
        if (!c.isPrint())
            return false;
    return !text.isEmpty();
}

} // namespace

std::optional<QString> KeyboardInput::KeyText(const QKeyEvent &event)
{
    // On macOS Qt swaps the two: there Command is ControlModifier and the
    // Control key MetaModifier; either one makes a shortcut, not a key.
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return std::nullopt;
    for (const auto &[key, code] : namedKeys)
        if (event.key() == key)
            return QString(QChar(code));
    // Text-producing keys, including those typed with Shift or with the
    // Option/AltGr level (π, √, ∑ ...).
    if (isPrintable(event.text()))
        return event.text();
    return std::nullopt;
}
