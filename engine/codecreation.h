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

// The current locale's decimal separator, one character.
QString LocalDecimalSeparator();
