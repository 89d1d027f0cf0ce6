// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/calculatorclipboard.h"

#include "engine/calculatorengine.h"
#include "engine/localenumber.h"
#include "engine/presentation.h"

#include <limits>

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
    // Copy writes an infinity as INF or -INF and NaN as NAN; pasted back,
    // alone on the clipboard, they are those values again, not 0.
    const QString word = number.trimmed();
    const bool negative = word.startsWith(u'-');
    const QStringView name = QStringView(word).sliced(negative || word.startsWith(u'+') ? 1 : 0);
    if (name.compare(u"inf", Qt::CaseInsensitive) == 0 || name.compare(u"infinity", Qt::CaseInsensitive) == 0)
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (name.compare(u"nan", Qt::CaseInsensitive) == 0)
        return std::numeric_limits<double>::quiet_NaN();
    return LeadingNumber(number);
}
