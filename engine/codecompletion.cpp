// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codecompletion.h"

#include "engine/codetext.h"

namespace {

// What a text gains when it ends in the character.
struct Completion
{
    QChar last;
    QLatin1String appended;
};

constexpr Completion kCompletions[] = {
    { QLatin1Char('+'), QLatin1String("0") },
    { QLatin1Char('-'), QLatin1String("0") },
    { QLatin1Char('*'), QLatin1String("1") },
    { QLatin1Char('\\'), QLatin1String("1") },
    { QLatin1Char('/'), QLatin1String("1") },
    { QLatin1Char('e'), QLatin1String("0") },
    { QLatin1Char('E'), QLatin1String("0") },
    { QLatin1Char('.'), QLatin1String("0") },
};

// The missing second argument of a pending two-argument function, by the
// function's name; empty for a name that takes none.
QString missingArgument(const QString &functionName)
{
    static const QString oneFor[] = { QStringLiteral("pow"), QStringLiteral("NthRoot") };
    static const QString zeroFor[] = { QStringLiteral("SumXToY"), QStringLiteral("MultiplyXToY") };
    for (const QString &name : oneFor)
        if (functionName.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("1)");
    for (const QString &name : zeroFor)
        if (functionName.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("0)");
    return {};
}

} // namespace

QString FinishCode(const QString &text, const QString &currentLiteral, const UnrecognisedEnding &unrecognised)
{
    if (text.isEmpty())
        return currentLiteral;
    if (EndsWithMod(text))
        return fixTrailingOperators(text);
    const QChar last = text.back();
    for (const Completion &completion : kCompletions)
        if (last == completion.last)
            return text + completion.appended;
    if (last.isDigit() && last.unicode() < 128)
        return text;
    // The literal of an infinite or NaN result is as finished as a number.
    if (EndsWithNonFiniteLiteral(text))
        return text;
    if (last == QLatin1Char('(') || last == QLatin1Char(')'))
        return text;
    if (last == QLatin1Char(',')) {
        const QString argument = missingArgument(text.left(text.indexOf(QLatin1Char('('))));
        if (!argument.isEmpty())
            return text + argument;
    }
    unrecognised(text);
    return text;
}

QString FixCodeBrackets(
    const QString &text, const QString &currentLiteral, const UnrecognisedEnding &unrecognised)
{
    QString s = text.trimmed();
    while (s.endsWith(QLatin1Char('(')))
        s.chop(1);
    s = FinishCode(s, currentLiteral, unrecognised);
    for (qsizetype open = OpenBrackets(s) - CloseBrackets(s); open > 0; --open)
        s += QLatin1Char(')');
    return s;
}

QString FixLeadingZero(const QString &text)
{
    // The first match of ([^0-9\.\+\-\\\*\/])0([0-9\.]+), replaced by \1\2:
    // the first "0" that stands after a character other than a digit, ".",
    // "+", "-", "\", "*" or "/" and before a digit or "." is dropped. A scan
    // rather than a regular expression, because "=" runs it every time.
    const auto isDigitOrPoint = [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; };
    const auto keepsZero = [&](QChar c) { return isDigitOrPoint(c) || QStringView(u"+-\\*/").contains(c); };
    for (qsizetype i = 1; i + 1 < text.size(); ++i)
        if (text[i] == u'0' && !keepsZero(text[i - 1]) && isDigitOrPoint(text[i + 1]))
            return QString(text).remove(i, 1);
    return text;
}

bool HasMissingArgument(const QString &text)
{
    return text.contains(QLatin1String(",)"));
}
