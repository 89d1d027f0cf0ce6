// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/presentation.h"

#include "engine/codecreation.h"

#include <QLocale>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

struct DisplayBaseRow
{
    DisplayBase base;
    QLatin1StringView text; // its length is known at compile time
};

constexpr DisplayBaseRow DisplayBaseRows[] = {
    { DisplayBase::Binary, QLatin1StringView("2 (Binary)") },
    { DisplayBase::Octal, QLatin1StringView("8 (Octal)") },
    { DisplayBase::Denary, QLatin1StringView("10 (Denary, normal)") },
    { DisplayBase::Hexadecimal, QLatin1StringView("16 (Hexadecimal)") },
    { DisplayBase::LongBinary, QLatin1StringView("2 (Binary, Long version)") },
    { DisplayBase::LongOctal, QLatin1StringView("8 (Octal, Long version)") },
    { DisplayBase::LongHexadecimal, QLatin1StringView("16 (Hexadecimal, Long version)") },
};

// The fixed-point range is 10^-6 < |x| < 10^12, both bounds exclusive.
constexpr double FixedPointLowerBound = 1e-6;
constexpr double FixedPointUpperBound = 1e12;
// A typed number is shown as typed while it is shorter than this.
constexpr qsizetype TypedTextLimit = 12;

// x cut toward zero to a 32-bit integer; values beyond the range become its
// nearest end and NaN becomes the lowest value.
std::int32_t saturatedInt32(double x)
{
    if (std::isnan(x))
        return std::numeric_limits<std::int32_t>::min();
    const double whole = std::trunc(x);
    if (whole >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (whole <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(whole);
}

QString shortBase(double x, int base)
{
    return QString::number(static_cast<std::uint32_t>(saturatedInt32(x)), base).toUpper();
}

QString denary(const QString &entered, double x, const NumberSeparators &separators)
{
    if (!entered.isEmpty() && entered.size() < TypedTextLimit) {
        QString shown = entered;
        const qsizetype point = shown.indexOf(QLatin1Char('.'));
        if (point >= 0)
            shown.replace(point, 1, separators.decimal.left(1)); // LocalDecimalSeparator()
        return shown;
    }
    // Both masks are read once.
    static const MaskLayout fixedPoint = ParseMask(u"-###,###,###,###.#########");
    static const MaskLayout scientific = ParseMask(u"-#.#############e+");
    const double magnitude = std::fabs(x);
    const bool inFixedRange = magnitude < FixedPointUpperBound && FixedPointLowerBound < magnitude;
    return FormatWithLayout(x, inFixedRange ? fixedPoint : scientific, separators.decimal, separators.group);
}

std::uint64_t bitsOf(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

} // namespace

QString TextOfDisplayBase(DisplayBase base)
{
    for (const DisplayBaseRow &row : DisplayBaseRows)
        if (row.base == base)
            return QString(row.text);
    return {};
}

std::optional<DisplayBase> DisplayBaseFromText(const QString &text)
{
    for (const DisplayBaseRow &row : DisplayBaseRows)
        if (text == row.text)
            return row.base;
    return std::nullopt;
}

NumberSeparators LocaleSeparators()
{
    const QLocale locale;
    return { locale.decimalPoint(), locale.groupSeparator() };
}

QString GetPresentedString(const QString &displayBase, const QString &enteredNumberAsString, double x)
{
    return GetPresentedString(displayBase, enteredNumberAsString, x, LocaleSeparators());
}

QString GetPresentedString(const QString &displayBase, const QString &enteredNumberAsString, double x,
    const NumberSeparators &separators)
{
    const std::optional<DisplayBase> base = DisplayBaseFromText(displayBase);
    if (!base)
        return {};
    return GetPresentedString(*base, enteredNumberAsString, x, separators);
}

QString GetPresentedString(
    DisplayBase base, const QString &enteredNumberAsString, double x, const NumberSeparators &separators)
{
    switch (base) {
    case DisplayBase::Binary:
        return shortBase(x, 2);
    case DisplayBase::Octal:
        return shortBase(x, 8);
    case DisplayBase::Denary:
        return denary(enteredNumberAsString, x, separators);
    case DisplayBase::Hexadecimal:
        return shortBase(x, 16);
    case DisplayBase::LongBinary:
        return LongBin(x);
    case DisplayBase::LongOctal:
        return LongOct(x);
    case DisplayBase::LongHexadecimal:
        return LongHex(x);
    }
    return {};
}

QString LongBin(double x)
{
    return QString::number(bitsOf(x), 2).rightJustified(64, QLatin1Char('0'));
}

QString LongOct(double x)
{
    // 64 bits with two zero bits in front are 22 groups of three.
    return QString::number(bitsOf(x), 8).rightJustified(22, QLatin1Char('0'));
}

QString LongHex(double x)
{
    return QStringLiteral("0x")
        + QString::number(bitsOf(x), 16).toUpper().rightJustified(16, QLatin1Char('0'));
}
