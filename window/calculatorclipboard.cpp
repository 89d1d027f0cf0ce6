// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/calculatorclipboard.h"

#include "engine/calculatorengine.h"
#include "engine/localenumber.h"
#include "engine/presentation.h"

namespace {

bool isGroupingCharacter(QChar c)
{
    switch (c.unicode()) {
    case u',':
    case u' ':
    case 0x00A0: // no-break space
    case 0x2007: // figure space
    case 0x2009: // thin space
    case 0x202F: // narrow no-break space
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<QString> CalculatorClipboard::CopyText(
    const CalculatorEngine &engine, bool usingRPNMode, const QString &displayBase)
{
    const CalculatorState &state = engine.State();
    if (!usingRPNMode)
        return engine.GetPresentedString(state.CurrentNumber);
    if (state.rpnStack.isEmpty())
        return std::nullopt;
    return GetPresentedString(displayBase, QString(), state.rpnStack.last());
}

double CalculatorClipboard::PastedValue(const QString &text)
{
    QString number;
    number.reserve(text.size());
    for (const QChar c : text)
        if (!isGroupingCharacter(c))
            number.append(c);
    return LeadingNumber(number);
}
