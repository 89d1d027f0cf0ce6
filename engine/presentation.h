// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Presentation of a value for the user, as the window's display-base popup
// says. Pure functions: the popup text and the entry text are passed in.

// The rows of the display-base popup, in their order.
enum class DisplayBase
{
    Binary,
    Octal,
    Denary,
    Hexadecimal,
    LongBinary,
    LongOctal,
    LongHexadecimal
};

// The popup text of a row, such as "10 (Denary, normal)".
QString TextOfDisplayBase(DisplayBase base);
// The row whose text is exactly text; none for any other text.
std::optional<DisplayBase> DisplayBaseFromText(const QString &text);

// In decimal: the typed text while it is shorter than 12 characters, with the
// locale's decimal separator; otherwise x formatted with
// "-###,###,###,###.#########" when 10^-6 < |x| < 10^12 and with
// "-#.#############e+" outside that range, zero included (the mask language
// is that of codecreation.h: zero shows as "0", infinities and NaN as "INF",
// "-INF" and "NAN"). In the three short bases: x cut toward
// zero to a 32-bit integer (saturating; NaN gives -2147483648), written as
// its 32-bit two's complement pattern without leading zeros, so negative
// values show all 32 bits; hexadecimal uses capitals. An unknown displayBase
// gives an empty string.
QString GetPresentedString(const QString &displayBase, const QString &enteredNumberAsString, double x);

// The separators of the decimal presentation: the locale's decimal point and
// grouping separator. Reading them asks the system locale each time, so a
// caller that presents many values reads them once and keeps them while
// QLocale() stays the same.
struct NumberSeparators
{
    QString decimal;
    QString group;
};
NumberSeparators LocaleSeparators();

// GetPresentedString with the locale's separators read beforehand.
QString GetPresentedString(const QString &displayBase, const QString &enteredNumberAsString, double x,
    const NumberSeparators &separators);
// The same with the popup row read beforehand.
QString GetPresentedString(
    DisplayBase base, const QString &enteredNumberAsString, double x, const NumberSeparators &separators);

// The 64 bits of the IEEE binary64 value, most significant first.
QString LongBin(double x);
// The same 64 bits as 22 octal digits.
QString LongOct(double x);
// "0x" followed by 16 capital hexadecimal digits.
QString LongHex(double x);
