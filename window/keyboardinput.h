// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QKeyEvent;

// Which typed keys reach a calculator, and the key text each one stands for.
// Keys that produce text reach it with that text; Return, Enter, Escape,
// Delete, Backspace, Tab and the arrows with their classic control
// characters. A modifier pressed alone, a dead key and any combination with
// Control or Meta (the menu shortcuts) never do, so that copying a result
// does not disturb the calculation.
class KeyboardInput
{
public:
    static std::optional<QString> KeyText(const QKeyEvent &event);
};
