// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Presentation of a value for the user, as the window's display-base popup
// says. Pure functions: the popup text and the entry text are passed in.
QString GetPresentedString(const QString &displayBase, const QString &enteredNumberAsString, double x);

// The 64 bits of the IEEE binary64 value, most significant first.
QString LongBin(double x);
// The same 64 bits as 22 octal digits.
QString LongOct(double x);
// "0x" followed by 16 capital hexadecimal digits.
QString LongHex(double x);
