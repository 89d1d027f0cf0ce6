// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/scriptengine.h"

#include "engine/localenumber.h"
#include "engine/xmathclass.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

// "\" and "mod" first cut both operands toward zero, so that they act on the
// integers the calculator shows. An infinite or NaN operand has no integer
// part and gives NaN. The quotient is the exact quotient of the cut operands
// cut toward zero wherever a double can hold it (below 2^53), and the
// nearest double to the quotient beyond; a zero divisor gives an infinity (or
// NaN for 0 \ 0). The remainder is the exact one, fmod, with the sign of the
// dividend and NaN for a zero divisor; for whole operands it equals
// a − b·(a \ b). Adding +0 writes a zero result as +0, as that formula gives
// it, rather than −0.
double IntegerQuotient(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return NotANumber;
    const double dividend = std::trunc(a);
    const double divisor = std::trunc(b);
    double quotient = std::trunc(dividend / divisor);
    // Once the dividend passes 2^53 the rounded IEEE quotient can reach the
    // next whole number (43000000000000000 / 6 = 7166666666666666.67 rounds
    // to 7166666666666667), one beyond the truncated quotient. Then
    // quotient · divisor overshoots the dividend, which fma tells exactly by
    // the sign of quotient · divisor − dividend.
    constexpr double TwoTo53 = 9007199254740992.0;
    if (std::fabs(quotient) <= TwoTo53 && quotient != 0) {
        const double overshoot = std::fma(quotient, divisor, -dividend);
        if (overshoot != 0 && std::signbit(overshoot) == std::signbit(dividend))
            quotient -= std::copysign(1.0, quotient);
    }
    return quotient + 0.0;
}

double IntegerRemainder(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return NotANumber;
    return std::fmod(std::trunc(a), std::trunc(b)) + 0.0;
}

using Unary = double (*)(double);
using Binary = double (*)(double, double);

struct Function
{
    std::string_view name; // lower case
    bool ofContext; // reached only when the engine has a context
    Unary one; // set for one-argument functions
    Binary two; // set for two-argument functions
};

constexpr Function Functions[] = {
    { "abs", false, [](double x) { return std::fabs(x); }, nullptr },
    { "sqrt", false, [](double x) { return std::sqrt(x); }, nullptr },
    { "exp", false, [](double x) { return std::exp(x); }, nullptr },
    { "log", false, [](double x) { return std::log(x); }, nullptr },
    { "pow", false, nullptr, [](double x, double y) { return std::pow(x, y); } },
    { "floor", false, [](double x) { return std::floor(x); }, nullptr },
    { "ceil", false, [](double x) { return std::ceil(x); }, nullptr },
    { "round", false, [](double x) { return std::round(x); }, nullptr }, // halves away from zero
    { "sin", false, [](double x) { return std::sin(x); }, nullptr },
    { "cos", false, [](double x) { return std::cos(x); }, nullptr },
    { "tan", false, [](double x) { return std::tan(x); }, nullptr },
    { "asin", false, [](double x) { return std::asin(x); }, nullptr },
    { "acos", false, [](double x) { return std::acos(x); }, nullptr },
    { "atan", false, [](double x) { return std::atan(x); }, nullptr },
    { "cosh", true, &XMathClass::Cosh, nullptr },
    { "coth", true, &XMathClass::Coth, nullptr },
    { "csch", true, &XMathClass::Csch, nullptr },
    { "factorial", true, &XMathClass::Factorial, nullptr },
    { "sech", true, &XMathClass::Sech, nullptr },
    { "sinh", true, &XMathClass::Sinh, nullptr },
    { "tanh", true, &XMathClass::Tanh, nullptr },
    { "multiplyxtoy", true, nullptr,
        [](double x, double y) {
            return XMathClass::MultiplyXToY(
                ScriptEngine::IntegerArgument(x), ScriptEngine::IntegerArgument(y));
        } },
    { "sumxtoy", true, nullptr,
        [](double x, double y) {
            return XMathClass::SumXToY(ScriptEngine::IntegerArgument(x), ScriptEngine::IntegerArgument(y));
        } },
    { "degtorad", true, &XMathClass::DegToRad, nullptr },
    { "radtodeg", true, &XMathClass::RadToDeg, nullptr },
    { "nthroot", true, nullptr, &XMathClass::NthRoot },
};

// Longer than every name the engine knows.
constexpr qsizetype LongestName = 16;

inline bool isDigit(char16_t c)
{
    return static_cast<char16_t>(c - u'0') <= 9;
}

inline bool isLetter(char16_t c)
{
    return static_cast<char16_t>((c | 0x20) - u'a') <= u'z' - u'a' || c == u'_';
}

inline bool isNameCharacter(char16_t c)
{
    return isLetter(c) || isDigit(c);
}

// The name in lower case when it is short enough to be one the engine knows,
// else an empty view. The characters go into buffer.
std::string_view lowerName(const char16_t *first, const char16_t *last, char (&buffer)[LongestName])
{
    const qsizetype length = last - first;
    if (length > LongestName)
        return {};
    for (qsizetype i = 0; i < length; ++i)
        buffer[i]
            = static_cast<char>(first[i] >= u'A' && first[i] <= u'Z' ? first[i] + (u'a' - u'A') : first[i]);
    return std::string_view(buffer, length);
}

QString quoted(const char16_t *first, const char16_t *last)
{
    return QLatin1Char('\'') + QStringView(first, last).toString() + QLatin1Char('\'');
}

} // namespace

qint32 ScriptEngine::IntegerArgument(double x)
{
    if (std::isnan(x))
        return 0;
    const double rounded = std::round(x);
    if (rounded <= std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    if (rounded >= std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(rounded);
}

void ScriptEngine::Run()
{
    // Handlers may change Source or Context; this run keeps what it started with.
    const QString source = Source;
    XMathClass *const context = Context;
    begin = pos = reinterpret_cast<const char16_t *>(source.constData());
    end = begin + source.size();
    line = 1;
    depth = 0;
    failed = false;
    currentResult = context ? context->result : 0.0;
    effects.clear();

    while (!failed) {
        skipBlanks();
        if (pos == end)
            break;
        if (*pos == u'\r' || *pos == u'\n') {
            if (*pos == u'\r' && pos + 1 != end && pos[1] == u'\n')
                ++pos;
            ++pos;
            ++line;
            continue;
        }
        parseStatement();
    }

    if (failed) {
        if (CompilerError)
            CompilerError(errorLine, static_cast<int>(errorNumber), errorMessage);
        return;
    }
    // A handler may run this engine again; the effects of this run are kept
    // apart meanwhile and their storage handed back afterwards.
    std::vector<Effect> pending;
    pending.swap(effects);
    for (const Effect &effect : pending) {
        if (!effect.isPrint) {
            context->result = effect.value;
        } else if (Print) {
            QString text = source.mid(effect.textStart, effect.textLength);
            text.replace(QLatin1String("\"\""), QLatin1String("\""));
            Print(text);
        }
    }
    pending.clear();
    effects.swap(pending);
}

void ScriptEngine::parseStatement()
{
    const char16_t *const start = pos;
    while (pos != end && isNameCharacter(*pos))
        ++pos;
    char buffer[LongestName];
    const std::string_view name = lowerName(start, pos, buffer);
    if (name == "result" && Context) {
        skipBlanks();
        if (pos == end || *pos != u'=') {
            fail(ErrorNumber::ExpectedAssignment,
                QStringLiteral("Expected '=' after 'result' but found %1").arg(describeHere()));
            return;
        }
        ++pos;
        const double value = parseSum();
        if (failed)
            return;
        skipBlanks();
        if (!atLineEnd()) {
            fail(ErrorNumber::UnexpectedText,
                *pos == u')' ? QStringLiteral("Found ')' without a matching '('")
                             : QStringLiteral("Expected an operator or the end of the line but found %1")
                                   .arg(describeHere()));
            return;
        }
        currentResult = value;
        effects.push_back({ false, value, 0, 0 });
    } else if (name == "print") {
        skipBlanks();
        if (atLineEnd()) {
            effects.push_back({ true, 0.0, 0, 0 });
            return;
        }
        parseText();
        if (failed)
            return;
        skipBlanks();
        if (!atLineEnd())
            fail(ErrorNumber::UnexpectedText,
                QStringLiteral("Expected the end of the line but found %1").arg(describeHere()));
    } else {
        pos = start;
        if (name == "result")
            fail(
                ErrorNumber::UnknownName, QStringLiteral("Unknown name 'result': the script has no context"));
        else
            fail(ErrorNumber::ExpectedStatement,
                QStringLiteral("Expected 'result = ' or 'Print' but found %1").arg(describeHere()));
    }
}

void ScriptEngine::parseText()
{
    if (*pos != u'"') {
        fail(ErrorNumber::UnexpectedText,
            QStringLiteral("Expected a text in quotes after 'Print' but found %1").arg(describeHere()));
        return;
    }
    const char16_t *const start = ++pos;
    for (;;) {
        if (atLineEnd()) {
            fail(ErrorNumber::UnterminatedText, QStringLiteral("Expected '\"' to close the text"));
            return;
        }
        if (*pos == u'"') {
            if (pos + 1 != end && pos[1] == u'"') { // "" stands for one quote
                pos += 2;
                continue;
            }
            break;
        }
        ++pos;
    }
    effects.push_back({ true, 0.0, start - begin, pos - start });
    ++pos;
}

// Sum := Product { ("+" | "-") Product }
double ScriptEngine::parseSum()
{
    double value = parseProduct();
    while (!failed) {
        skipBlanks();
        if (pos == end)
            break;
        if (*pos == u'+') {
            ++pos;
            value = value + parseProduct();
        } else if (*pos == u'-') {
            ++pos;
            value = value - parseProduct();
        } else {
            break;
        }
    }
    return value;
}

// Product := Unary { ("*" | "/" | "\" | "mod") Unary }
double ScriptEngine::parseProduct()
{
    double value = parseUnary();
    while (!failed) {
        skipBlanks();
        if (pos == end)
            break;
        const char16_t c = *pos;
        if (c == u'*') {
            ++pos;
            value = value * parseUnary();
        } else if (c == u'/') {
            ++pos;
            value = value / parseUnary();
        } else if (c == u'\\') {
            ++pos;
            value = IntegerQuotient(value, parseUnary());
        } else if (end - pos >= 3 && (pos[0] | 0x20) == u'm' && (pos[1] | 0x20) == u'o'
            && (pos[2] | 0x20) == u'd' && (end - pos == 3 || !isNameCharacter(pos[3]))) {
            pos += 3;
            value = IntegerRemainder(value, parseUnary());
        } else {
            break;
        }
    }
    return value;
}

// Unary := { "-" | "+" } Primary
double ScriptEngine::parseUnary()
{
    bool negative = false;
    skipBlanks();
    while (pos != end && (*pos == u'-' || *pos == u'+')) {
        if (*pos == u'-')
            negative = !negative;
        ++pos;
        skipBlanks();
    }
    const double value = parsePrimary();
    return negative ? -value : value;
}

// Primary := Number | "(" Sum ")" | Name | Name "(" Sum { "," Sum } ")"
double ScriptEngine::parsePrimary()
{
    if (atLineEnd())
        return fail(ErrorNumber::ExpectedOperand,
            QStringLiteral("Expected a number, a name or '(' but found %1").arg(describeHere()));
    const char16_t c = *pos;
    if (isDigit(c) || c == u'.')
        return parseNumber();
    if (isLetter(c))
        return parseName();
    if (c == u'(') {
        if (depth == MaxNestingDepth)
            return fail(ErrorNumber::NestingTooDeep,
                QStringLiteral("Brackets nested more than %1 deep").arg(MaxNestingDepth));
        ++depth;
        ++pos;
        const double value = parseSum();
        if (failed)
            return value;
        skipBlanks();
        if (pos == end || *pos != u')')
            return fail(ErrorNumber::ExpectedCloseBracket,
                QStringLiteral("Expected ')' but found %1").arg(describeHere()));
        ++pos;
        --depth;
        return value;
    }
    if (c == u'*' || c == u'/' || c == u'\\' || c == u')' || c == u',')
        return fail(ErrorNumber::ExpectedOperand,
            QStringLiteral("Expected a number, a name or '(' but found %1").arg(describeHere()));
    return fail(
        ErrorNumber::UnexpectedCharacter, QStringLiteral("Unexpected character %1").arg(describeHere()));
}

double ScriptEngine::parseNumber()
{
    // One pass over the literal gathers its first 19 significant digits as
    // an integer and the power of ten that scales them. The scan works on a
    // local pointer so that it stays in a register.
    const char16_t *const start = pos;
    const char16_t *p = pos;
    const char16_t *const last = end;
    std::uint64_t significand = 0;
    int significantDigits = 0;
    int scale = 0; // the literal is significand · 10^scale, before the exponent
    bool inexact = false; // non-zero digits beyond the first 19 significant ones
    bool digits = false;
    for (; p != last && isDigit(*p); ++p) {
        digits = true;
        if (significantDigits < 19) {
            significand = significand * 10 + (*p - u'0');
            significantDigits += significand != 0;
        } else {
            inexact |= *p != u'0';
            ++scale;
        }
    }
    if (p != last && *p == u'.') {
        for (++p; p != last && isDigit(*p); ++p) {
            digits = true;
            if (significantDigits < 19) {
                significand = significand * 10 + (*p - u'0');
                significantDigits += significand != 0;
                --scale;
            } else {
                inexact |= *p != u'0';
            }
        }
    }
    if (!digits) {
        pos = p;
        return fail(ErrorNumber::MalformedNumber, QStringLiteral("Expected a digit before or after '.'"));
    }
    int exponent = 0;
    if (p != last && (*p == u'e' || *p == u'E')) {
        const char16_t *q = p + 1;
        bool negative = false;
        if (q != last && (*q == u'+' || *q == u'-'))
            negative = *q++ == u'-';
        if (q == last || !isDigit(*q))
            return fail(ErrorNumber::MalformedNumber,
                QStringLiteral("Expected the digits of the exponent in %1").arg(quoted(start, q)));
        for (; q != last && isDigit(*q); ++q)
            if (exponent < 100'000'000)
                exponent = exponent * 10 + (*q - u'0');
        if (negative)
            exponent = -exponent;
        p = q;
    }
    pos = p;

    // Clinger's fast path: a significand up to 2^53 and a power of ten up to
    // 10^22 are both exact doubles, so one multiplication or division rounds
    // correctly.
    static constexpr double PowersOfTen[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
    if (!inexact && significand <= (std::uint64_t { 1 } << 53)) {
        if (significand == 0)
            return 0.0;
        const int power = scale + exponent;
        const double value = static_cast<double>(significand);
        if (power >= 0 && power <= 22)
            return value * PowersOfTen[power];
        if (power < 0 && power >= -22)
            return value / PowersOfTen[-power];
    }
    // Otherwise the exact conversion, from a small ASCII buffer on the stack.
    constexpr qsizetype Short = 64;
    const qsizetype length = p - start;
    if (length <= Short) {
        char buffer[Short];
        for (qsizetype i = 0; i < length; ++i)
            buffer[i] = static_cast<char>(start[i]);
        return DecimalLiteralToDouble(buffer, buffer + length);
    }
    const std::string text(start, p);
    return DecimalLiteralToDouble(text.data(), text.data() + text.size());
}

double ScriptEngine::parseName()
{
    const char16_t *const start = pos;
    while (pos != end && isNameCharacter(*pos))
        ++pos;
    const char16_t *const nameEnd = pos;
    char buffer[LongestName];
    const std::string_view name = lowerName(start, nameEnd, buffer);
    const Function *function = nullptr;
    for (const Function &candidate : Functions)
        if (candidate.name == name && (!candidate.ofContext || Context)) {
            function = &candidate;
            break;
        }

    skipBlanks();
    if (pos == end || *pos != u'(') {
        pos = nameEnd;
        if (name == "inf")
            return Infinity;
        if (name == "nan")
            return NotANumber;
        if (name == "result" && Context)
            return currentResult;
        pos = start;
        if (function)
            return fail(ErrorNumber::ExpectedOpenBracket,
                QStringLiteral("Expected '(' after the function %1").arg(quoted(start, nameEnd)));
        return fail(ErrorNumber::UnknownName, QStringLiteral("Unknown name %1").arg(quoted(start, nameEnd)));
    }
    if (!function) {
        pos = start;
        return fail(
            ErrorNumber::UnknownFunction, QStringLiteral("Unknown function %1").arg(quoted(start, nameEnd)));
    }
    if (depth == MaxNestingDepth)
        return fail(ErrorNumber::NestingTooDeep,
            QStringLiteral("Brackets nested more than %1 deep").arg(MaxNestingDepth));
    ++depth;
    ++pos;

    double arguments[2] = { 0.0, 0.0 };
    int count = 0;
    skipBlanks();
    if (pos == end || *pos != u')') {
        for (;;) {
            const double value = parseSum();
            if (failed)
                return value;
            if (count < 2)
                arguments[count] = value;
            ++count;
            skipBlanks();
            if (pos == end || *pos != u',')
                break;
            ++pos;
        }
    }
    if (pos == end || *pos != u')')
        return fail(ErrorNumber::ExpectedCloseBracket,
            QStringLiteral("Expected ')' but found %1").arg(describeHere()));
    const int arity = function->one ? 1 : 2;
    if (count != arity) {
        pos = start;
        return fail(ErrorNumber::ArgumentCount,
            QStringLiteral("%1 takes %2 %3, not %4")
                .arg(quoted(start, nameEnd))
                .arg(arity)
                .arg(arity == 1 ? QStringLiteral("argument") : QStringLiteral("arguments"))
                .arg(count));
    }
    ++pos;
    --depth;
    return function->one ? function->one(arguments[0]) : function->two(arguments[0], arguments[1]);
}

QString ScriptEngine::describeHere() const
{
    if (atLineEnd())
        return QStringLiteral("the end of the line");
    if (!isNameCharacter(*pos))
        return quoted(pos, pos + 1);
    const char16_t *last = pos;
    while (last != end && isNameCharacter(*last) && last - pos < 24)
        ++last;
    return quoted(pos, last);
}

double ScriptEngine::fail(ErrorNumber number, const QString &message)
{
    if (!failed) {
        failed = true;
        errorLine = line;
        errorNumber = number;
        errorMessage = message;
    }
    pos = end;
    return NotANumber;
}
