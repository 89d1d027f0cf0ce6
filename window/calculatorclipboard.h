// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class CalculatorEngine;

// What Copy and Paste move between a calculator and the clipboard.
class CalculatorClipboard
{
public:
    // The text Copy and Cut put on the clipboard: the top of the RPN stack in
    // RPN entry, the current number otherwise, as the display base
    // (displayBase, the popup's text) presents it. In infix entry that is
    // what the display shows, a number being typed as typed. The stack's top
    // is presented as a value, never as the number being typed after it. In
    // RPN entry with an empty stack there is nothing to copy: no text, and
    // the clipboard keeps what it holds.
    static std::optional<QString> CopyText(
        const CalculatorEngine &engine, bool usingRPNMode, const QString &displayBase);

    // The number Paste enters for a clipboard text: commas and blanks are
    // removed (also the no-break, narrow no-break, figure and thin spaces
    // that formatted documents group digits with), then the leading number is
    // read in the user's locale; text without a number gives 0. The texts
    // Copy writes for infinities and NaN (INF, -INF, NAN, in any letter case)
    // give those values.
    static double PastedValue(const QString &text);
};
