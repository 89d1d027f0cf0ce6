// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The calculation context of a calculator's script engine. It holds `result`,
// which every program assigns, and the mathematical functions that the
// expression text calls by name beyond the engine's own. The functions are
// plain calculations on doubles and integers without state; the script engine
// converts the arguments of the integer parameters (ScriptEngine::IntegerArgument).
class XMathClass
{
public:
    // The value of the last program that assigned it; 0 before the first.
    double result = 0.0;

    static double Cosh(double x);
    static double Coth(double x);
    static double Csch(double x);
    // The product 1 · 2 · … · ⌊|x|⌋ taken factor by factor in doubles, negated
    // for negative x. NaN gives NaN.
    static double Factorial(double x);
    static double Sech(double x);
    static double Sinh(double x);
    static double Tanh(double x);
    // The product x · (x + 1) · … · y taken factor by factor in doubles; 1 when
    // x > y.
    static double MultiplyXToY(qint32 x, qint32 y);
    // y(y + 1)/2 − (x − 1)x/2 computed exactly in 64-bit integers: the sum of
    // the integers from x to y for x ≤ y. The result is rounded to a double
    // only at the end.
    static double SumXToY(qint32 x, qint32 y);
    static double DegToRad(double x);
    static double RadToDeg(double x);
    // x raised to the power 1/n.
    static double NthRoot(double x, double n);
};
