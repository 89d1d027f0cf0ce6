// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/localenumber.h"

#include <QLocale>

#include <charconv>
#include <limits>
#include <string>

double DecimalLiteralToDouble(const char *first, const char *last)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    (void)end;
    if (error != std::errc::result_out_of_range)
        return error == std::errc() ? value : 0.0;

    // from_chars leaves value untouched when the literal lies beyond the
    // double range. Which end it lies beyond follows from its decimal
    // magnitude m, with the value in [10^(m−1), 10^m): an overflow has
    // m ≥ 309, an underflow m ≤ −323.
    const char *p = first;
    const bool negative = p != last && *p == '-';
    if (negative)
        ++p;
    long long integerDigits = 0;
    long long digitIndex = 0;
    long long leadIndex = -1; // index of the first non-zero digit among all mantissa digits
    bool inFraction = false;
    for (; p != last && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        if (leadIndex < 0 && *p != '0')
            leadIndex = digitIndex;
        ++digitIndex;
        if (!inFraction)
            ++integerDigits;
    }
    if (leadIndex < 0)
        return negative ? -0.0 : 0.0;
    long long magnitude = integerDigits - leadIndex;
    long long exponent = 0;
    if (p != last) {
        ++p; // the "e"
        bool negativeExponent = false;
        if (p != last && (*p == '+' || *p == '-'))
            negativeExponent = *p++ == '-';
        for (; p != last && exponent < 1'000'000'000'000LL; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    magnitude += exponent;
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (magnitude > 0)
        return negative ? -infinity : infinity;
    return negative ? -0.0 : 0.0;
}

double LeadingNumber(const QString &text)
{
    const QLocale locale;
    return LeadingNumber(
        text, locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign(), locale.positiveSign());
}

double LeadingNumber(
    const QString &text, QStringView decimal, QStringView group, QStringView minus, QStringView plus)
{

    // Copy the longest leading run that forms a number into an ASCII literal
    // with "." as the point and without grouping, then convert that exactly.
    std::string ascii;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto at = [&](qsizetype k, QStringView s) {
        return !s.isEmpty() && QStringView(text).sliced(k).startsWith(s);
    };
    auto isDigit = [&](qsizetype k) { return k < n && text[k].isDigit(); };
    auto takeSign = [&](std::string &into) {
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
            if (text[i] == QLatin1Char('-'))
                into += '-';
            ++i;
        } else if (at(i, minus)) {
            into += '-';
            i += minus.size();
        } else if (at(i, plus)) {
            i += plus.size();
        }
    };
    bool digits = false;
    // A typed number is read again after every key, so a long one passes
    // through here many times: its run of digits is copied in one go, and
    // only digits of other scripts (Arabic-Indic, Devanagari ...) are looked
    // up one by one.
    auto takeDigits = [&] {
        const qsizetype start = i;
        while (isDigit(i))
            ++i;
        if (i == start)
            return;
        digits = true;
        const std::size_t offset = ascii.size();
        ascii.resize(offset + static_cast<std::size_t>(i - start));
        char *out = ascii.data() + offset;
        for (qsizetype k = start; k < i; ++k) {
            const char16_t c = text[k].unicode();
            *out++ = c <= u'9' ? static_cast<char>(c) : static_cast<char>('0' + text[k].digitValue());
        }
    };

    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    takeSign(ascii);
    takeDigits();
    // A grouping separator counts only between digits and before exactly
    // three more: "1,234" is 1234 where "," groups, "1,23" is 1.
    while (digits && at(i, group)) {
        const qsizetype g = i + group.size();
        if (!(isDigit(g) && isDigit(g + 1) && isDigit(g + 2)) || isDigit(g + 3))
            break;
        i = g;
        takeDigits();
    }
    if (at(i, decimal)) {
        ascii += '.';
        i += decimal.size();
        takeDigits();
    }
    if (!digits)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        const qsizetype mark = i++;
        std::string exponent = "e";
        takeSign(exponent);
        if (isDigit(i)) {
            ascii += exponent;
            takeDigits();
        } else {
            i = mark;
        }
    }
    return DecimalLiteralToDouble(ascii.data(), ascii.data() + ascii.size());
}
