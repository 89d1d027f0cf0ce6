// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Writing values as literals of the expression text, and the mask formatter
// shared with the number presentation. Masks use "#", "0", ",", ".", a
// leading "-" and "e+"; the locale is QLocale() (the default locale).

// "-#.0" followed by ninety "#" and "e+": the mask every CodeFormat caller
// passes. Its output is the shortest text that reads back as the same double.
extern const QString ExpressionMask;

// Formats x with mask in the current locale and turns the locale's decimal
// separator into ".". Infinities and NaN come out as texts containing INF or
// NAN, which the script engine reads back as those values.
QString CodeFormat(double x, const QString &mask);

// x formatted with mask in the current locale (grouping and decimal separators
// of QLocale()).
QString FormatWithMask(double x, const QString &mask);

// The current locale's decimal separator, one character.
QString LocalDecimalSeparator();
