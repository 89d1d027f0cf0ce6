// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The one-argument function keys: what each speaks and how it wraps the
// expression text (prefix + expression + suffix).
enum class FunctionKey : int
{
    Abs,
    Sqrt,
    DegToRad,
    RadToDeg,
    OneOverX,
    TenPowX,
    TwoPowX,
    EPowX,
    Factorial,
    SumZeroToX,
    LogBase10,
    LogBase2,
    LogBaseE,
    SquareX,
    CubeX,
    Floor,
    Ceil,
    Round,
};

// The trigonometric and hyperbolic keys. Their suffix carries the angle
// mode's correction factor F: the forward functions multiply their argument
// by F, the inverse ones divide their result by it.
enum class TrigKey : int
{
    Sin,
    Cos,
    Tan,
    ArcSin,
    ArcCos,
    ArcTan,
    Sinh,
    Cosh,
    Tanh,
    Csch,
    Sech,
    Coth,
};

struct FunctionKeyText
{
    QString spoken;
    QString prefix;
    QString suffix;
};

FunctionKeyText FunctionKeyTexts(FunctionKey key);

// factor is the correction factor as expression text (CodeFormat of it).
FunctionKeyText TrigKeyTexts(TrigKey key, const QString &factor);
