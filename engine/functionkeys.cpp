// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/functionkeys.h"

#include <iterator>

namespace {

struct Row
{
    const char *spoken;
    const char *prefix;
    const char *suffix;
};

// In the order of FunctionKey. Log is the natural logarithm: the common and
// binary logarithms are quotients of two natural ones, so 1000 log10 gives
// 2.9999999999999996.
constexpr Row kFunctionKeys[] = {
    { "Absolute value of", "abs(", ")" },
    { "Square root of", "Sqrt(", ")" },
    { "Convert from degrees to radians", "DegToRad(", ")" },
    { "Convert from radians to degrees", "RadToDeg(", ")" },
    { "Reciprocal", "1/(", ")" },
    { "10 to the power of this", "pow(10, ", ")" },
    { "2 to the power of this", "pow(2, ", ")" },
    { "E to the power of X", "Exp(", ")" },
    { "Factorial", "Factorial(", ")" },
    { "Sum from zero to this", "SumXToY(0, ", ")" },
    { "Common logarithm (base 10)", "Log(", ")/Log(10)" },
    { "Binary logarithm (base 2)", "Log(", ")/Log(2)" },
    { "Natural logarithm (base E)", "Log(", ")" },
    { "Squared", "Pow(", ", 2)" },
    { "Cubed", "pow(", ", 3)" },
    { "Floor", "Floor(", ")" },
    { "Ceiling", "Ceil(", ")" },
    { "Round", "Round(", ")" },
};

// In the order of TrigKey; the suffix is suffixStart + F + ")".
constexpr Row kTrigKeys[] = {
    { "Sine", "Sin((", ")*" },
    { "Cosine", "Cos((", ")*" },
    { "Tangent", "Tan((", ")*" },
    { "Arcsine", "(ASin(", ")/" },
    { "Arc cosine", "(ACos(", ")/" },
    { "Arctangent", "(ATan(", ")/" },
    { "Hyperbolic sine", "Sinh((", ")*" },
    { "Hyperbolic cosine", "Cosh((", ")*" },
    { "Hyperbolic tangent", "Tanh((", ")*" },
    { "Hyperbolic cosectant", "Csch((", ")*" },
    { "Hyperbolic sectant", "Sech((", ")*" },
    { "Hyperbolic cotangent", "Coth((", ")*" },
};

static_assert(std::size(kFunctionKeys) == static_cast<std::size_t>(FunctionKey::Round) + 1);
static_assert(std::size(kTrigKeys) == static_cast<std::size_t>(TrigKey::Coth) + 1);

} // namespace

FunctionKeyText FunctionKeyTexts(FunctionKey key)
{
    const Row &row = kFunctionKeys[static_cast<int>(key)];
    return { QString::fromUtf8(row.spoken), QString::fromUtf8(row.prefix), QString::fromUtf8(row.suffix) };
}

FunctionKeyText TrigKeyTexts(TrigKey key, const QString &factor)
{
    const Row &row = kTrigKeys[static_cast<int>(key)];
    return { QString::fromUtf8(row.spoken), QString::fromUtf8(row.prefix),
        QString::fromUtf8(row.suffix) + factor + QLatin1Char(')') };
}
