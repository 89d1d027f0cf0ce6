// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Small tests and edits on the texts a calculator works with: the expression
// text, the entry text and single typed characters. Pure functions.

// The text holds a digit or a point.
bool IsDigitNumeric(const QString &text);
// The whole text is a number as the expression language writes one: an
// optional sign, digits with at most one point, an optional exponent with its
// sign. For a single character: a digit or a point.
bool IsStringNumeric(const QString &text);
// The text holds one of + - / \ *.
bool IsDigitOperator(const QString &text);
// The text holds a letter a-z or A-Z.
bool IsDigitAlpha(const QString &text);
// The text holds "INF" or "NAN" in any letter case: the written form of an
// infinity or a NaN.
bool IsStringError(const QString &text);
bool IsStringNull(const QString &text);
bool IsStringNullOrError(const QString &text);

// The text ends in the literal of an infinity or a NaN as CodeFormat writes
// it ("INF" or "NAN", in any letter case, not the tail of a longer name).
// Such a literal is a finished value, as a number is.
bool EndsWithNonFiniteLiteral(const QString &text);

// Where the number at the end of text starts: a run of digits and points
// with its exponent if it has one (3.0e+0, a typed 5e3 or 5e). -1 when text
// does not end in a number.
qsizetype TrailingNumberStart(const QString &text);

// The last character of text as a one-character string, empty for an empty
// text.
QString LastCharacter(const QString &text);

// The number at the start of a text written with "." as decimal point (the
// expression text or the entry text), as the current locale's conversion
// reads it once its "." is the locale's separator; 0 where the text starts
// with none. A text that is just the literal of an infinity or a NaN ("INF",
// "-INF", "NAN") reads as that value.
double ReadCodeNumber(const QString &text);

// The text without its trailing element: a trailing " mod ", or else one
// trailing operator character. At most one element is removed.
QString fixTrailingOperators(const QString &text);

// A text ending in "," has a two-argument function waiting for its second
// argument: keeps only what follows the first "(", without the final ",", so
// "pow(2," becomes "2". Other texts come back unchanged.
QString DropPendingFunction(const QString &text);

// The text ends in one of + - / \ * (a trailing operator), or in " mod ".
bool EndsWithTrailingOperator(const QString &text);
bool EndsWithMod(const QString &text);

// Number of opening and closing brackets in text.
qsizetype OpenBrackets(const QString &text);
qsizetype CloseBrackets(const QString &text);
// The deepest nesting of brackets in text: 0 without brackets, 2 for
// "(1+(2))+(3)".
qsizetype NestingDepth(const QString &text);
