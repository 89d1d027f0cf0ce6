// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codecreation.h"

#include <QLocale>
#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <cstdlib>

const QString ExpressionMask = QStringLiteral("-#.0") + QString(90, QLatin1Char('#')) + QStringLiteral("e+");

namespace {

// What a mask asks for. A mask is an optional leading "-", the integer
// placeholders ("#", "0", ","), optionally "." and the fraction placeholders
// ("#", "0"), and optionally "e+" for scientific form. Other characters are
// not written.
struct MaskLayout
{
    bool sign = false; // a leading "-": write "-" before values with the sign bit set
    bool grouping = false; // a "," among the integer placeholders
    int integerZeros = 0; // integer digits always written ("0" placeholders)
    int fractionMin = 0; // fraction digits always written: up to the last "0"
    int fractionMax = 0; // fraction placeholders: the value is rounded to this many places
    bool scientific = false; // "e+"
};

MaskLayout parseMask(QStringView mask)
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

// The expression mask, "-#.0" + ninety "#" + "e+", as parseMask reads it.
constexpr MaskLayout ExpressionLayout { true, false, 0, 1, 91, true };

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

using Text = QVarLengthArray<QChar, 128>;

void appendLatin1(Text &out, const char *s)
{
    for (; *s; ++s)
        out.append(QLatin1Char(*s));
}

void appendView(Text &out, QStringView s)
{
    out.append(s.data(), s.size());
}

void appendExponent(Text &out, int exponent)
{
    out.append(QLatin1Char('e'));
    out.append(QLatin1Char(exponent < 0 ? '-' : '+'));
    char text[8];
    const auto [last, error] = std::to_chars(text, text + sizeof text, std::abs(exponent));
    (void)error;
    for (const char *p = text; p != last; ++p)
        out.append(QLatin1Char(*p));
}

// The fraction digits to write: the places up to the last non-zero one, at
// least fractionMin.
int fractionLength(const Digits &d, const MaskLayout &layout, int firstIndex)
{
    int length = layout.fractionMin;
    for (int k = 1; k <= layout.fractionMax; ++k) {
        const int index = firstIndex + k - 1;
        if (index >= 0 && index < d.count)
            length = std::max(length, k);
    }
    return length;
}

char digitAt(const Digits &d, int index)
{
    return index >= 0 && index < d.count ? d.digit[index] : '0';
}

// Writes x as layout says, with the given separators. Infinities are "INF"
// (with the sign the mask allows) and NaN is "NAN". Zero has no significant
// digit: a mask that forces none writes it as "0", also in scientific form.
QString format(double x, const MaskLayout &layout, QStringView decimal, QStringView group)
{
    Text out;
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (layout.sign && std::signbit(x))
        out.append(QLatin1Char('-'));
    if (std::isinf(x)) {
        appendLatin1(out, "INF");
        return QString(out.constData(), out.size());
    }
    Digits d = shortestDigits(std::fabs(x));

    if (layout.scientific) {
        roundDigits(d, 1 + layout.fractionMax);
        out.append(QLatin1Char(digitAt(d, 0)));
        const int length = fractionLength(d, layout, 1);
        if (length > 0) {
            appendView(out, decimal);
            for (int k = 1; k <= length; ++k)
                out.append(QLatin1Char(digitAt(d, k)));
        }
        if (d.count > 0 || length > 0)
            appendExponent(out, d.count > 0 ? d.exponent : 0);
        return QString(out.constData(), out.size());
    }

    // Fixed point: round at the last fraction place, the one at index
    // exponent + fractionMax of the digits.
    roundDigits(d, d.exponent + layout.fractionMax + 1);
    const int integerDigits = std::max(d.count > 0 ? d.exponent + 1 : 0, layout.integerZeros);
    for (int k = integerDigits - 1; k >= 0; --k) {
        out.append(QLatin1Char(digitAt(d, d.exponent - k)));
        if (layout.grouping && k > 0 && k % 3 == 0)
            appendView(out, group);
    }
    const int length = fractionLength(d, layout, d.exponent + 1);
    if (integerDigits == 0 && length == 0)
        out.append(QLatin1Char('0'));
    if (length > 0) {
        appendView(out, decimal);
        for (int k = 1; k <= length; ++k)
            out.append(QLatin1Char(digitAt(d, d.exponent + k)));
    }
    return QString(out.constData(), out.size());
}

} // namespace

QString CodeFormat(double x, const QString &mask)
{
    // The expression mask has no grouping, so once its decimal separator has
    // become "." the locale plays no part: skip looking it up.
    if (mask.constData() == ExpressionMask.constData() || mask == ExpressionMask)
        return format(x, ExpressionLayout, u".", u"");
    return format(x, parseMask(mask), u".", QLocale().groupSeparator());
}

QString FormatWithMask(double x, const QString &mask)
{
    const QLocale locale;
    return format(x, parseMask(mask), locale.decimalPoint(), locale.groupSeparator());
}

QString LocalDecimalSeparator()
{
    return QLocale().decimalPoint().left(1);
}
