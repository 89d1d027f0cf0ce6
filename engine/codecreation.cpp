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
    const char *p = text;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            d.digit[d.count++] = *p;
    ++p;
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

// Writes characters into a string whose size was reserved beforehand.
struct Writer
{
    QChar *at;
    void put(char c) { *at++ = QLatin1Char(c); }
    void put(QStringView s)
    {
        for (QChar c : s)
            *at++ = c;
    }
};

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

char digitAt(const Digits &d, int index)
{
    return index >= 0 && index < d.count ? d.digit[index] : '0';
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
    auto isMinus = [&] { return layout.sign && x < 0 && d.count > 0; };

    if (layout.scientific) {
        roundDigits(d, 1 + layout.fractionMax);
        const int length = fractionLength(layout, d.count - 1);
        QString text(1 + 1 + decimal.size() + length + 7, Qt::Uninitialized);
        Writer out { text.data() };
        if (isMinus())
            out.put('-');
        out.put(digitAt(d, 0));
        if (length > 0) {
            out.put(decimal);
            for (int k = 1; k <= length; ++k)
                out.put(digitAt(d, k));
        }
        if (d.count > 0 || length > 0)
            writeExponent(out, d.count > 0 ? d.exponent : 0);
        text.truncate(out.at - text.data());
        return text;
    }

    // Fixed point: round at the last fraction place, the one at index
    // exponent + fractionMax of the digits.
    roundDigits(d, d.exponent + layout.fractionMax + 1);
    const int integerDigits = std::max(d.count > 0 ? d.exponent + 1 : 0, layout.integerZeros);
    const int length = fractionLength(layout, d.count > 0 ? d.count - d.exponent - 1 : 0);
    const qsizetype groups = layout.grouping ? integerDigits / 3 : 0;
    QString text(1 + integerDigits + groups * group.size() + 1 + decimal.size() + length, Qt::Uninitialized);
    Writer out { text.data() };
    if (isMinus())
        out.put('-');
    for (int k = integerDigits - 1; k >= 0; --k) {
        out.put(digitAt(d, d.exponent - k));
        if (layout.grouping && k > 0 && k % 3 == 0)
            out.put(group);
    }
    if (integerDigits == 0 && length == 0)
        out.put('0');
    if (length > 0) {
        out.put(decimal);
        for (int k = 1; k <= length; ++k)
            out.put(digitAt(d, d.exponent + k));
    }
    text.truncate(out.at - text.data());
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
    const char *const e = static_cast<const char *>(std::memchr(shortest, 'e', last - shortest));
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
