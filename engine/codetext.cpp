// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codetext.h"

#include "engine/codecreation.h"
#include "engine/localenumber.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {

const QString kMod = QStringLiteral(" mod ");

} // namespace

bool IsDigitNumeric(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("[0-9\\.]"));
    return pattern.match(text).hasMatch();
}

bool IsStringNumeric(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[-+]?(\\.|[0-9]+[\\.]?)[0-9]*((e|E)[-+][0-9]+)?$"));
    return pattern.match(text).hasMatch();
}

bool IsDigitOperator(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("[\\+\\-\\/\\\\\\*]"));
    return pattern.match(text).hasMatch();
}

bool IsDigitAlpha(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("[a-zA-Z]"));
    return pattern.match(text).hasMatch();
}

bool IsStringError(const QString &text)
{
    return text.contains(QLatin1String("INF"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("NAN"), Qt::CaseInsensitive);
}

bool IsStringNull(const QString &text)
{
    return text.isEmpty();
}

bool IsStringNullOrError(const QString &text)
{
    return IsStringNull(text) || IsStringError(text);
}

bool EndsWithNonFiniteLiteral(const QString &text)
{
    // Checked on every digit key, so without a regular expression.
    constexpr qsizetype length = 3;
    if (text.size() < length)
        return false;
    const QStringView tail = QStringView(text).last(length);
    if (tail.compare(u"INF", Qt::CaseInsensitive) != 0 && tail.compare(u"NAN", Qt::CaseInsensitive) != 0)
        return false;
    if (text.size() == length)
        return true;
    // A letter, digit, "_" or point before it would make it the tail of a
    // name or of a number.
    const QChar before = text[text.size() - length - 1];
    return !before.isLetterOrNumber() && before != QLatin1Char('_') && before != QLatin1Char('.');
}

qsizetype TrailingNumberStart(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("[\\d\\.]+([eE][-+]?\\d*)?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.capturedStart(0) : -1;
}

QString LastCharacter(const QString &text)
{
    return text.right(1);
}

double ReadCodeNumber(const QString &text)
{
    // A text that is just the literal of an infinity or a NaN, as a result
    // leaves it, reads as that value.
    const bool minus = text.startsWith(QLatin1Char('-'));
    const QStringView magnitude = QStringView(text).sliced(minus ? 1 : 0);
    if (magnitude.compare(u"INF", Qt::CaseInsensitive) == 0)
        return minus ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (magnitude.compare(u"NAN", Qt::CaseInsensitive) == 0)
        return std::numeric_limits<double>::quiet_NaN();
    // The locale-aware reading of the text with its "." turned into the
    // locale's separator: as the text holds no grouping separator and only
    // ASCII signs and digits, that is the reading with "." as the separator,
    // which needs no look-up of the locale (every digit key comes here).
    return LeadingNumber(text, u".", u"", u"-", u"+");
}

QString fixTrailingOperators(const QString &text)
{
    if (text.endsWith(kMod))
        return text.chopped(kMod.size());
    if (EndsWithTrailingOperator(text))
        return text.chopped(1);
    return text;
}

QString DropPendingFunction(const QString &text)
{
    if (!text.endsWith(QLatin1Char(',')))
        return text;
    return text.mid(text.indexOf(QLatin1Char('(')) + 1).chopped(1);
}

bool EndsWithTrailingOperator(const QString &text)
{
    return !text.isEmpty() && IsDigitOperator(LastCharacter(text));
}

bool EndsWithMod(const QString &text)
{
    return text.endsWith(kMod);
}

qsizetype OpenBrackets(const QString &text)
{
    return text.count(QLatin1Char('('));
}

qsizetype CloseBrackets(const QString &text)
{
    return text.count(QLatin1Char(')'));
}

qsizetype NestingDepth(const QString &text)
{
    qsizetype depth = 0;
    qsizetype deepest = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('('))
            deepest = std::max(deepest, ++depth);
        else if (c == QLatin1Char(')') && depth > 0)
            --depth;
    }
    return deepest;
}
