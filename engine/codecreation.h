// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Writing values as literals of the expression text, and the mask formatter
// shared with the number presentation. Masks use "#", "0", ",", ".", a
// leading "-" and "e+"; the locale is QLocale() (the default locale).
//
// The mask language as written here:
// - "#" is a digit written only where the value has a significant one, "0" a
//   digit always written; "," groups the integer digits in threes with the
//   locale's grouping separator; "." is the locale's decimal separator,
//   left out when no fraction digit follows it.
// - A leading "-" writes "-" before negative values whose written digits are
//   not all zero; a mask without it writes no sign.
// - "e+" asks for scientific form: one integer digit, "e", the exponent's sign
//   and its digits without padding ("1.5e-7", "1e+12").
// - Values are rounded at the last fraction place, halves away from zero, on
//   the shortest decimal digits that identify the double, so that 0.1234567895
//   shows as .12345679 at nine places, as it was typed.
// - Digits are ASCII whatever the locale. Zero with only "#" places is "0"
//   (no exponent). Infinities are "INF" and "-INF", NaN is "NAN".

// "-#.0" followed by ninety "#" and "e+": the mask every CodeFormat caller
// passes. Its output is the shortest text that reads back as the same double.
extern const QString ExpressionMask;

// Formats x with mask in the current locale and turns the locale's decimal
// separator into ".". Infinities and NaN come out as texts containing INF or
// NAN, which the script engine reads back as those values. With
// ExpressionMask the text is "d.ddd" (at least one fraction digit) followed by
// "e", the exponent's sign and its digits, such as "3.0e+0", and keeps the
// sign of negative zero ("-0.0e+0"): every double reads back bit for bit.
QString CodeFormat(double x, const QString &mask);

// x formatted with mask in the current locale (grouping and decimal separators
// of QLocale()).
QString FormatWithMask(double x, const QString &mask);

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

// The layout of a mask, read once by a caller that formats many values with
// the same mask.
MaskLayout ParseMask(QStringView mask);

// x formatted as layout says with the given separators: FormatWithMask
// without reading the mask or asking the locale again.
QString FormatWithLayout(double x, const MaskLayout &layout, QStringView decimal, QStringView group);

// The current locale's decimal separator, one character.
QString LocalDecimalSeparator();
