// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codetext.h"

#include "engine/codecreation.h"
#include "engine/localenumber.h"

#include <QRegularExpression>

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

QString LastCharacter(const QString &text)
{
    return text.right(1);
}

double ReadCodeNumber(const QString &text)
{
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
