// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CalculatorEngine;

// The operation that a typed key other than a digit or a point runs, looked
// up by the key's first code point; nullptr for a key that runs nothing.
// The comparison is exact: "c" does nothing, "e" and "E" differ.
using KeyOperation = void (CalculatorEngine::*)();
KeyOperation KeyMapOperation(char32_t codePoint);
