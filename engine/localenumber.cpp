// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/localenumber.h"

#include <QLocale>

#include <charconv>
#include <limits>
#include <string>

double LeadingNumber(const QString &text)
{
    const QString decimal = QLocale().decimalPoint();
    const QChar separator = decimal.isEmpty() ? QLatin1Char('.') : decimal.front();

    // Copy the longest leading run that forms a number into an ASCII buffer
    // with "." as the decimal point, then convert that run exactly.
    std::string ascii;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            ascii += '-';
        ++i;
    }
    bool digits = false;
    auto takeDigits = [&] {
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            ascii += static_cast<char>(text[i].unicode());
            digits = true;
            ++i;
        }
    };
    takeDigits();
    if (i < n && text[i] == separator) {
        ascii += '.';
        ++i;
        takeDigits();
    }
    if (!digits)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i + 1 < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))
            exponent += static_cast<char>(text[j++].unicode());
        const qsizetype firstDigit = j;
        while (j < n && text[j] >= QLatin1Char('0') && text[j] <= QLatin1Char('9'))
            exponent += static_cast<char>(text[j++].unicode());
        if (j > firstDigit)
            ascii += exponent;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves value untouched on overflow and underflow: give
        // the infinity or signed zero that the text denotes.
        const bool negative = ascii.front() == '-';
        const bool tiny = ascii.find("e-") != std::string::npos;
        value = tiny
            ? (negative ? -0.0 : 0.0)
            : (negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity());
    }
    return value;
}
