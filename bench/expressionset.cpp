// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/expressionset.h"

#include "engine/codecreation.h"

#include <QStringList>

namespace {

// The factor that the trigonometric keys write in Degrees, as CodeFormat
// writes it.
QString degreesFactor()
{
    return CodeFormat(0.01745329252, ExpressionMask);
}

// A function key's wrapping of the whole expression so far; "F" stands for
// the angle mode's factor.
struct Wrap
{
    const char *prefix;
    const char *suffix;
};

constexpr Wrap Wraps[] = {
    { "Sqrt(", ")" },
    { "Sin((", ")*F)" },
    { "Log(", ")/Log(10)" },
    { "Cos((", ")*F)" },
    { "abs(", ")" },
    { "(ATan(", ")/F)" },
    { "Pow(", ", 2)" },
    { "Tanh((", ")*F)" },
    { "Exp(", ")" },
    { "Floor(", ")" },
};

constexpr const char *Operators[] = { "+", "*", "-", "/", "+", "\\", "-", " mod " };

constexpr const char *TypedNumbers[] = { "12", "3.5", "0.25", "7", "1e3", "42", "9.75", "5e-3" };

// A text of the given number of terms, as a user builds it: numbers
// alternately entered as values (their literal) and typed, joined by the
// operator keys, and after every fifth number a function key that wraps the
// whole expression so far, so the functions nest.
QString keyedExpression(int terms)
{
    const QString factor = degreesFactor();
    QString text;
    for (int i = 0; i < terms; ++i) {
        if (i > 0)
            text += QLatin1String(Operators[(i - 1) % std::size(Operators)]);
        if (i % 2 == 0)
            text += CodeFormat(1.0 + i * 0.7310585786300049, ExpressionMask);
        else
            text += QLatin1String(TypedNumbers[(i / 2) % std::size(TypedNumbers)]);
        if (i % 5 == 4) {
            const Wrap &wrap = Wraps[(i / 5) % std::size(Wraps)];
            text = QLatin1String(wrap.prefix) + text
                + QString::fromLatin1(wrap.suffix).replace(QLatin1Char('F'), factor);
        }
    }
    return text;
}

} // namespace

std::vector<BenchExpression> BenchExpressions()
{
    const QString factor = degreesFactor();
    std::vector<BenchExpression> set = {
        { QStringLiteral("2 + 3 ="), QStringLiteral("2.0e+0+3.0e+0"), 2 },
        { QStringLiteral("typed sqrt"), QStringLiteral("Sqrt(12+3.5)"), 2 },
        { QStringLiteral("sin in degrees"), QStringLiteral("Sin((3.0e+1)*%1)").arg(factor), 2 },
        { QStringLiteral("cosec in degrees"), QStringLiteral("1/(Sin((9.0e+1)*%1))").arg(factor), 3 },
        { QStringLiteral("x^y twice"), QStringLiteral("pow(pow(2,3),2)"), 3 },
        { QStringLiteral("context functions"),
            QStringLiteral("Factorial(5)+SumXToY(1,100)-MultiplyXToY(3,5)*NthRoot(27,3)/DegToRad(1.8e+2)"),
            9 },
    };
    for (const int terms : { 5, 10, 20, 50 })
        set.push_back({ QStringLiteral("%1 terms keyed").arg(terms), keyedExpression(terms), terms });
    return set;
}

QString CalculateProgram(const QString &text)
{
    return QStringLiteral("result = ") + text + QStringLiteral("\rPrint \"\"");
}
