// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Completion of an expression text before it is run: an unfinished ending is
// finished, brackets are balanced and a leading zero that the expression
// language would misread is dropped. Pure functions; the caller decides what
// an unknown ending means to the user.

// Called with the whole text when its ending is one the completion does not
// know.
using UnrecognisedEnding = std::function<void(const QString &text)>;

// Completes text by its last character: an empty text becomes
// currentLiteral (the literal of the value on the display); a trailing "+",
// "-", "e", "E" or "." gains a "0"; a trailing "*", "\" or "/" a "1"; a
// trailing " mod " is removed; a pending two-argument function gains its
// missing argument and ")" ("1" for pow and NthRoot, "0" for SumXToY and
// MultiplyXToY). A digit, a bracket or the literal of an infinity or a NaN
// ("INF", "NAN") needs nothing. Any other ending reports unrecognised and
// keeps the text.
QString FinishCode(
    const QString &text, const QString &currentLiteral, const UnrecognisedEnding &unrecognised);

// Trims blanks, drops trailing "(", completes with FinishCode and closes
// every bracket left open.
QString FixCodeBrackets(
    const QString &text, const QString &currentLiteral, const UnrecognisedEnding &unrecognised);

// Drops the zero that starts a number right after a character other than a
// digit, a point or one of + - \ * /, at the first such place only: "(05"
// becomes "(5" and "(0.5" becomes "(.5", while "3+05" stays.
QString FixLeadingZero(const QString &text);

// A comma directly followed by a closing bracket: a function that still
// lacks its second argument.
bool HasMissingArgument(const QString &text);
