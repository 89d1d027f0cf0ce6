// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/muparserbaseline.h"

#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <cmath>

namespace {

// "\" and "mod" as the calculator's engine computes them: on the operands
// cut toward zero, NaN for infinite operands.
double integerQuotient(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return NAN;
    return std::trunc(std::trunc(a) / std::trunc(b)) + 0.0;
}

double integerRemainder(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return NAN;
    return std::fmod(std::trunc(a), std::trunc(b)) + 0.0;
}

struct OneArgument
{
    const char *name;
    double (*function)(double);
};

// Every spelling that the keys write; muparser's names are case-sensitive.
const OneArgument OneArgumentFunctions[] = {
    { "abs", [](double x) { return std::fabs(x); } },
    { "Sqrt", [](double x) { return std::sqrt(x); } },
    { "Exp", [](double x) { return std::exp(x); } },
    { "Log", [](double x) { return std::log(x); } },
    { "Floor", [](double x) { return std::floor(x); } },
    { "Ceil", [](double x) { return std::ceil(x); } },
    { "Round", [](double x) { return std::round(x); } },
    { "Sin", [](double x) { return std::sin(x); } },
    { "Cos", [](double x) { return std::cos(x); } },
    { "Tan", [](double x) { return std::tan(x); } },
    { "ASin", [](double x) { return std::asin(x); } },
    { "ACos", [](double x) { return std::acos(x); } },
    { "ATan", [](double x) { return std::atan(x); } },
    { "Cosh", &XMathClass::Cosh },
    { "Coth", &XMathClass::Coth },
    { "Csch", &XMathClass::Csch },
    { "Factorial", &XMathClass::Factorial },
    { "Sech", &XMathClass::Sech },
    { "Sinh", &XMathClass::Sinh },
    { "Tanh", &XMathClass::Tanh },
    { "DegToRad", &XMathClass::DegToRad },
    { "RadToDeg", &XMathClass::RadToDeg },
};

struct TwoArguments
{
    const char *name;
    double (*function)(double, double);
};

const TwoArguments TwoArgumentFunctions[] = {
    { "pow", [](double x, double y) { return std::pow(x, y); } },
    { "Pow", [](double x, double y) { return std::pow(x, y); } },
    { "NthRoot", &XMathClass::NthRoot },
    { "SumXToY",
        [](double x, double y) {
            return XMathClass::SumXToY(ScriptEngine::IntegerArgument(x), ScriptEngine::IntegerArgument(y));
        } },
    { "MultiplyXToY",
        [](double x, double y) {
            return XMathClass::MultiplyXToY(
                ScriptEngine::IntegerArgument(x), ScriptEngine::IntegerArgument(y));
        } },
};

} // namespace

MuParserBaseline::MuParserBaseline()
{
    for (const OneArgument &f : OneArgumentFunctions)
        parser.DefineFun(f.name, f.function);
    for (const TwoArguments &f : TwoArgumentFunctions)
        parser.DefineFun(f.name, f.function);
    parser.DefineOprt("#", integerQuotient, mu::prMUL_DIV);
    parser.DefineOprt("mod", integerRemainder, mu::prMUL_DIV);
}

std::string MuParserBaseline::Translate(const QString &expression)
{
    QString text = expression;
    text.replace(QLatin1Char('\\'), QLatin1Char('#'));
    return text.toStdString();
}
