// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/xmathclass.h"

#include <cmath>
#include <limits>

// The hyperbolic functions are written in terms of e^x and e^(−x) and
// evaluated in the order written, so that their overflow behaviour is the
// plain one of double arithmetic: Tanh(1000) is ∞/∞ = NaN, Sech(1000) is 0.

double XMathClass::Cosh(double x)
{
    return (std::exp(x) + std::exp(-x)) / 2;
}

double XMathClass::Coth(double x)
{
    return (std::exp(x) + std::exp(-x)) / (std::exp(x) - std::exp(-x));
}

double XMathClass::Csch(double x)
{
    return 2 / (std::exp(x) - std::exp(-x));
}

double XMathClass::Sech(double x)
{
    return 2 / (std::exp(x) + std::exp(-x));
}

double XMathClass::Sinh(double x)
{
    return (std::exp(x) - std::exp(-x)) / 2;
}

double XMathClass::Tanh(double x)
{
    return (std::exp(x) - std::exp(-x)) / (std::exp(x) + std::exp(-x));
}

double XMathClass::Factorial(double x)
{
    if (std::isnan(x))
        return x;
    // ⌊|x|⌋ as a 32-bit integer; a huge |x| stops at the largest one.
    const double magnitude = std::floor(std::fabs(x));
    const qint64 n = magnitude >= std::numeric_limits<qint32>::max() ? std::numeric_limits<qint32>::max()
                                                                     : static_cast<qint64>(magnitude);
    // Every factor from 2 on at least doubles the product, so it is infinite
    // after at most a few hundred steps and stays so: stop there.
    double p = 1;
    for (qint64 k = 1; k <= n && !std::isinf(p); ++k)
        p *= static_cast<double>(k);
    return x < 0 ? -p : p;
}

double XMathClass::MultiplyXToY(qint32 x, qint32 y)
{
    // The product's magnitude is at least 1 until a factor 0 makes it zero,
    // and every factor with |k| ≥ 2 at least doubles it, so after at most
    // about 1100 factors it is infinite, zero or NaN. From there on only the
    // sign can change, by the count of negative factors still to come, and a
    // factor 0 turns an infinity into NaN, which then stays. The loop
    // therefore multiplies until it reaches such a value and settles the rest
    // of the range by counting.
    double p = 1;
    qint64 k = x;
    for (; k <= y; ++k) {
        if (std::isnan(p))
            return p;
        if (std::isinf(p) || p == 0)
            break;
        p *= static_cast<double>(k);
    }
    if (k > y)
        return p;
    // Factors k … y remain; p is ±∞ or ±0.
    const qint64 lastNegative = std::min<qint64>(y, -1);
    const qint64 negatives = lastNegative >= k ? lastNegative - k + 1 : 0;
    if (negatives % 2 != 0)
        p = -p;
    if (std::isinf(p) && k <= 0 && y >= 0)
        p *= 0.0; // ∞ · 0 is NaN, and NaN times anything stays that NaN
    return p;
}

double XMathClass::SumXToY(qint32 x, qint32 y)
{
    // Both products are even and below 2^63 in magnitude for any 32-bit x and
    // y, so the halves and their difference are exact.
    const qint64 upper = static_cast<qint64>(y) * (static_cast<qint64>(y) + 1) / 2;
    const qint64 lower = (static_cast<qint64>(x) - 1) * static_cast<qint64>(x) / 2;
    return static_cast<double>(upper - lower);
}

double XMathClass::DegToRad(double x)
{
    return (x * (2 * std::acos(0.0))) / 180;
}

double XMathClass::RadToDeg(double x)
{
    return (x * 180) / (2 * std::acos(0.0));
}

double XMathClass::NthRoot(double x, double n)
{
    return std::pow(x, 1 / n);
}
