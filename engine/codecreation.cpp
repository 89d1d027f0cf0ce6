// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codecreation.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

const QString ExpressionMask = QStringLiteral("-#.0") + QString(90, QLatin1Char('#')) + QStringLiteral("e+");

MaskLayout ParseMask(QStringView mask)
{
    MaskLayout layout;
    qsizetype i = 0;
    const qsizetype n = mask.size();
    if (i < n && mask[i] == QLatin1Char('-')) {
        layout.sign = true;
        ++i;
    }
    auto isExponent = [&](qsizetype k) { return mask[k] == QLatin1Char('e') || mask[k] == QLatin1Char('E'); };
    for (; i < n && mask[i] != QLatin1Char('.') && !isExponent(i); ++i) {
        if (mask[i] == QLatin1Char('0'))
            ++layout.integerZeros;
        else if (mask[i] == QLatin1Char(','))
            layout.grouping = true;
    }
    if (i < n && mask[i] == QLatin1Char('.')) {
        for (++i; i < n && !isExponent(i); ++i) {
            if (mask[i] == QLatin1Char('#') || mask[i] == QLatin1Char('0'))
                ++layout.fractionMax;
            if (mask[i] == QLatin1Char('0'))
                layout.fractionMin = layout.fractionMax;
        }
    }
    layout.scientific = i < n;
    return layout;
}

namespace {

// A non-negative finite value as decimal digits d0 d1 … d(count−1), with d0
// standing at 10^exponent and no trailing zeros. Zero has count 0.
struct Digits
{
    char digit[24];
    int count = 0;
    int exponent = 0;
};

// The "e" of the scientific form that std::to_chars writes, "d[.ddd]e±xx",
// whose end is last: it is among the last five characters ("e-324"), and
// these few steps back cost less than a call of a general search.
const char *exponentMark(const char *last)
{
    const char *e = last - 3;
    while (*e != 'e')
        --e;
    return e;
}

// The shortest digits that read back as the same double, from std::to_chars,
// which writes them as "d[.ddd]e±xx".
Digits shortestDigits(double magnitude)
{
    Digits d;
    if (magnitude == 0)
        return d;
    char text[32];
    const auto [last, error]
        = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    (void)error; // 32 characters hold every double in this form
    // The digits are the first and those after the point, up to the "e".
    const char *e = exponentMark(last);
    d.digit[0] = text[0];
    d.count = 1;
    for (const char *p = text + 2; p < e; ++p)
        d.digit[d.count++] = *p;
    const char *p = e + 1;
    const bool negative = *p++ == '-';
    int exponent = 0;
    for (; p != last; ++p)
        exponent = exponent * 10 + (*p - '0');
    d.exponent = negative ? -exponent : exponent;
    while (d.count > 0 && d.digit[d.count - 1] == '0')
        --d.count;
    return d;
}

// Keeps the first keep digits, rounding the rest half away from zero.
void roundDigits(Digits &d, int keep)
{
    if (keep >= d.count)
        return;
    if (keep < 0) {
        d.count = 0;
        return;
    }
    const bool up = d.digit[keep] >= '5';
    d.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digit[i] == '9')
            --i;
        if (i < 0) { // 9…9 becomes 1 at the next power of ten
            d.digit[0] = '1';
            d.count = 1;
            ++d.exponent;
        } else {
            ++d.digit[i];
            d.count = i + 1;
        }
    }
    while (d.count > 0 && d.digit[d.count - 1] == '0')
        --d.count;
}

// Writes characters into a string made at its exact length beforehand.
struct Writer
{
    QChar *at;
    void put(char c) { *at++ = QLatin1Char(c); }
    void put(QStringView s)
    {
        for (QChar c : s)
            *at++ = c;
    }
    // The digits of d at indexes from to to − 1: zeros before the first and
    // after the last significant digit.
    void putDigits(const Digits &d, int from, int to)
    {
        for (; from < to && from < 0; ++from)
            put('0');
        for (; from < to && from < d.count; ++from)
            put(d.digit[from]);
        for (; from < to; ++from)
            put('0');
    }
};

// The number of characters of an exponent's digits: it is below 1000 in
// magnitude for every double.
int exponentDigits(int exponent)
{
    const int magnitude = std::abs(exponent);
    return magnitude < 10 ? 1 : magnitude < 100 ? 2 : 3;
}

void writeExponent(Writer &out, int exponent)
{
    out.put('e');
    out.put(exponent < 0 ? '-' : '+');
    char text[8];
    const auto [last, error] = std::to_chars(text, text + sizeof text, std::abs(exponent));
    (void)error;
    for (const char *p = text; p != last; ++p)
        out.put(*p);
}

// The number of fraction places to write when the last significant fraction
// digit stands at place significantPlaces: at least fractionMin, and never
// more than the mask has.
int fractionLength(const MaskLayout &layout, int significantPlaces)
{
    return std::max(layout.fractionMin, std::min(layout.fractionMax, significantPlaces));
}

// Writes x as layout says, with the given separators. Infinities are "INF"
// (with the sign the mask allows) and NaN is "NAN". Zero has no significant
// digit: a mask that forces none writes it as "0", also in scientific form.
// The minus sign goes only before digits that are not all zero, so neither
// −0 nor a small negative value that rounds to zero shows as "-0".
QString format(double x, const MaskLayout &layout, QStringView decimal, QStringView group)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return layout.sign && x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Digits d = shortestDigits(std::fabs(x));

    if (layout.scientific) {
        roundDigits(d, 1 + layout.fractionMax);
        const bool minus = layout.sign && x < 0 && d.count > 0;
        const int length = fractionLength(layout, d.count - 1);
        const bool exponent = d.count > 0 || length > 0;
        const int exponentValue = d.count > 0 ? d.exponent : 0;
        QString text(minus + 1 + (length > 0 ? decimal.size() + length : 0)
                + (exponent ? 2 + exponentDigits(exponentValue) : 0),
            Qt::Uninitialized);
        Writer out { text.data() };
        if (minus)
            out.put('-');
        out.putDigits(d, 0, 1);
        if (length > 0) {
            out.put(decimal);
            out.putDigits(d, 1, 1 + length);
        }
        if (exponent)
            writeExponent(out, exponentValue);
        return text;
    }

    // Fixed point: round at the last fraction place, the one at index
    // exponent + fractionMax of the digits.
    roundDigits(d, d.exponent + layout.fractionMax + 1);
    const bool minus = layout.sign && x < 0 && d.count > 0;
    const int integerDigits = std::max(d.count > 0 ? d.exponent + 1 : 0, layout.integerZeros);
    const int length = fractionLength(layout, d.count > 0 ? d.count - d.exponent - 1 : 0);
    // A separator before every further group of three integer digits.
    const int separators = layout.grouping && integerDigits > 0 ? (integerDigits - 1) / 3 : 0;
    QString text(minus + integerDigits + separators * group.size() + (integerDigits == 0 && length == 0)
            + (length > 0 ? decimal.size() + length : 0),
        Qt::Uninitialized);
    Writer out { text.data() };
    if (minus)
        out.put('-');
    // The integer digits stand at indexes exponent − integerDigits + 1 to
    // exponent; the first group has the digits left over by the threes.
    int index = d.exponent - integerDigits + 1;
    int groupEnd = index + integerDigits - 3 * separators;
    out.putDigits(d, index, groupEnd);
    for (int i = 0; i < separators; ++i) {
        out.put(group);
        out.putDigits(d, groupEnd, groupEnd + 3);
        groupEnd += 3;
    }
    if (integerDigits == 0 && length == 0)
        out.put('0');
    if (length > 0) {
        out.put(decimal);
        out.putDigits(d, d.exponent + 1, d.exponent + 1 + length);
    }
    return text;
}

// The expression mask's output, written straight from std::to_chars: the
// text that format() gives for that mask ("d.d…de±x", at least one fraction
// digit, the exponent without leading zeros), without its general machinery,
// because every literal of every calculation passes here. Unlike format() it
// keeps the sign of −0, "-0.0e+0", so that every literal reads back as the
// same double bit for bit.
QString expressionLiteral(double x)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    char shortest[32];
    const auto [last, error]
        = std::to_chars(shortest, shortest + sizeof shortest, std::fabs(x), std::chars_format::scientific);
    (void)error; // 32 characters hold every double in this form
    const char *const e = exponentMark(last);
    char text[40];
    char *out = text;
    if (std::signbit(x))
        *out++ = '-';
    if (e == shortest + 1) { // a single digit: add the one fraction digit the mask asks for
        *out++ = shortest[0];
        *out++ = '.';
        *out++ = '0';
    } else {
        std::memcpy(out, shortest, e - shortest);
        out += e - shortest;
    }
    *out++ = 'e';
    *out++ = e[1];
    const char *exponent = e + 2;
    while (exponent + 1 < last && *exponent == '0')
        ++exponent;
    std::memcpy(out, exponent, last - exponent);
    out += last - exponent;
    return QString::fromLatin1(text, out - text);
}

} // namespace

QString CodeFormat(double x, const QString &mask)
{
    // The expression mask has no grouping, so once its decimal separator has
    // become "." the locale plays no part: skip looking it up.
    if (mask.constData() == ExpressionMask.constData() || mask == ExpressionMask)
        return expressionLiteral(x);
    return format(x, ParseMask(mask), u".", QLocale().groupSeparator());
}

QString FormatWithMask(double x, const QString &mask)
{
    const QLocale locale;
    return format(x, ParseMask(mask), locale.decimalPoint(), locale.groupSeparator());
}

QString FormatWithLayout(double x, const MaskLayout &layout, QStringView decimal, QStringView group)
{
    return format(x, layout, decimal, group);
}

QString LocalDecimalSeparator()
{
    return QLocale().decimalPoint().left(1);
}
