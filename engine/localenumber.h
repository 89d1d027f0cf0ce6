// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Locale-aware text-to-number: reads the leading numeric part of text in the
// current locale (QLocale()) and gives 0 when the text starts with none.
// "3,5xyz" in a decimal-comma locale gives 3.5; "abc" gives 0; "5e" gives 5.
// The locale's grouping separator is read between groups of three integer
// digits, so "1,234.5" gives 1234.5 in a locale that groups with ",".
double LeadingNumber(const QString &text);

// The same reading with the given decimal separator, grouping separator
// (empty for none) and signs in place of the locale's; "-" and "+" are read
// as signs as well.
double LeadingNumber(
    const QString &text, QStringView decimal, QStringView group, QStringView minus, QStringView plus);

// The double nearest to a plain ASCII decimal literal: an optional "-",
// digits with at most one "." and an optional exponent ("e" or "E", an
// optional sign, digits). Literals beyond the double range give a signed
// infinity, those below the smallest subnormal a signed zero.
double DecimalLiteralToDouble(const char *first, const char *last);
