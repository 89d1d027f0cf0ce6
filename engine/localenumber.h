// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Locale-aware text-to-number: reads the leading numeric part of text in the
// current locale (QLocale()) and gives 0 when the text starts with none.
// "3,5xyz" in a decimal-comma locale gives 3.5; "abc" gives 0; "5e" gives 5.
double LeadingNumber(const QString &text);
