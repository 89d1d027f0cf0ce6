// SPDX-License-Identifier: GPL-3.0-or-later
// Differential test of the expression evaluator: random well-formed
// expressions of the calculator's language (numbers of every shape, every
// operator, brackets, every function of the engine and of the calculation
// context, names in any letter case, blanks and tabs between tokens) are
// evaluated by the ScriptEngine and by a reference evaluator written here in
// another technique: a tokenizer, a shunting-yard pass to postfix order and a
// stack machine. The two values must agree bit for bit; two NaNs agree
// whatever their sign and payload, which IEEE 754 leaves open and the
// calculator shows alike.
//
// The run is reproducible: it uses a fixed seed. For longer explorations set
// ZORVANE_DIFFERENTIAL_SEED and ZORVANE_DIFFERENTIAL_COUNT.
#include "engine/codecreation.h"
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <QTest>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr int DefaultCount = 40000;
#else
constexpr int DefaultCount = 10000; // the Debug build with sanitizers is many times slower
#endif

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b))
        || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QString describe(double x)
{
    return QString::number(x, 'g', 17) + QStringLiteral(" (0x")
        + QString::number(std::bit_cast<std::uint64_t>(x), 16) + QLatin1Char(')');
}

// ---------------------------------------------------------------------------
// The reference evaluator.

// A decimal literal through the C library's strtod in the "C" locale:
// correctly rounded, overflow to an infinity, underflow to zero or a
// subnormal.
double readDecimal(const QString &literal)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const QByteArray bytes = literal.toLatin1();
    return strtod_l(bytes.constData(), nullptr, c);
}

// How a context function receives an integer parameter: the nearest integer,
// halves away from zero, limited to the 32-bit range; NaN gives 0.
std::int64_t integerParameter(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 2147483647.0)
        return 2147483647;
    if (x <= -2147483648.0)
        return -2147483648LL;
    const double below = std::floor(x);
    const double fraction = x - below; // exact: |x| < 2^31
    const bool up = fraction > 0.5 || (fraction == 0.5 && x > 0);
    return static_cast<std::int64_t>(below) + (up ? 1 : 0);
}

// Whole, finite doubles a and b (b not zero) as 128-bit integers, both
// divided by the same power of two 2^scale: a whole double is a multiple of
// 2^(exponent − 52), so dividing both by the smaller of those powers keeps
// them whole, and leaves their quotient and (up to the scale) their
// remainder as they were. None where they are still too large.
struct WholePair
{
    __int128 a;
    __int128 b;
    int scale;
};

std::optional<WholePair> wholePair(double a, double b)
{
    const int ulpA = a == 0 ? std::numeric_limits<int>::max() : std::ilogb(a) - 52;
    const int scale = std::max(0, std::min(ulpA, std::ilogb(b) - 52));
    const double sa = std::ldexp(a, -scale);
    const double sb = std::ldexp(b, -scale);
    constexpr double Limit = 85070591730234615865843651857942052864.0; // 2^126
    if (std::fabs(sa) >= Limit || std::fabs(sb) >= Limit)
        return std::nullopt;
    return WholePair { static_cast<__int128>(sa), static_cast<__int128>(sb), scale };
}

// The integer quotient of the operands cut toward zero: the exact truncated
// quotient, where a double can hold it (below 2^53); beyond, the nearest
// double to the quotient.
double integerQuotient(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return NaN;
    const double ta = std::trunc(a);
    const double tb = std::trunc(b);
    if (tb == 0)
        return ta == 0 ? NaN : (std::signbit(ta) != std::signbit(tb) ? -Inf : Inf);
    const std::optional<WholePair> whole = wholePair(ta, tb);
    if (!whole) // the exponents lie more than 70 apart
        return std::fabs(ta) < std::fabs(tb) ? 0.0 : ta / tb;
    const __int128 q = whole->a / whole->b;
    constexpr __int128 TwoTo53 = __int128(1) << 53;
    return q < TwoTo53 && q > -TwoTo53 ? static_cast<double>(q) : ta / tb;
}

// The exact remainder of the operands cut toward zero, with the sign of the
// dividend, as a − b·(a \ b) gives it for whole operands; a zero remainder
// is +0.
double integerRemainder(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return NaN;
    const double ta = std::trunc(a);
    const double tb = std::trunc(b);
    if (tb == 0)
        return NaN;
    if (const std::optional<WholePair> whole = wholePair(ta, tb))
        return std::ldexp(static_cast<double>(whole->a % whole->b), whole->scale);
    // Long division in binary: subtract the divisor scaled by the largest
    // power of two that fits. Each subtraction is exact, as the two numbers
    // lie within a factor of two of each other.
    double r = std::fabs(ta);
    const double m = std::fabs(tb);
    while (r >= m) {
        double t = std::ldexp(m, std::ilogb(r) - std::ilogb(m));
        if (t > r)
            t /= 2;
        r -= t;
    }
    return (std::signbit(ta) ? -r : r) + 0.0;
}

double factorial(double x)
{
    if (std::isnan(x))
        return x;
    const double whole = std::floor(std::fabs(x));
    const std::int64_t n = whole > 2147483647.0 ? 2147483647 : static_cast<std::int64_t>(whole);
    double p = 1;
    for (std::int64_t k = 2; k <= n && p != Inf; ++k)
        p *= static_cast<double>(k);
    return x < 0 ? -p : p;
}

// Negative integers in [from, to].
std::int64_t negativesIn(std::int64_t from, std::int64_t to)
{
    const std::int64_t last = std::min<std::int64_t>(to, -1);
    return last >= from ? last - from + 1 : 0;
}

// x · (x + 1) · … · y, factor by factor. Once the product is zero or
// infinite only the sign can still change (one flip per negative factor),
// and an infinity meeting the factor 0 becomes NaN.
double multiplyXToY(double xArgument, double yArgument)
{
    const std::int64_t x = integerParameter(xArgument);
    const std::int64_t y = integerParameter(yArgument);
    double p = 1;
    for (std::int64_t k = x; k <= y; ++k) {
        p *= static_cast<double>(k);
        if (std::isnan(p))
            return p;
        if (p == 0 || std::isinf(p)) {
            if (std::isinf(p) && k + 1 <= 0 && y >= 0)
                return NaN;
            return negativesIn(k + 1, y) % 2 ? -p : p;
        }
    }
    return p;
}

// The sum of the integers from x to y, (y − x + 1)(x + y)/2, in 128 bits.
double sumXToY(double xArgument, double yArgument)
{
    const __int128 x = integerParameter(xArgument);
    const __int128 y = integerParameter(yArgument);
    return static_cast<double>((y - x + 1) * (x + y) / 2);
}

struct ReferenceFunction
{
    const char *name; // lower case
    int arity;
    double (*one)(double);
    double (*two)(double, double);
};

const ReferenceFunction ReferenceFunctions[] = {
    { "abs", 1, [](double x) { return std::fabs(x); }, nullptr },
    { "sqrt", 1, [](double x) { return std::sqrt(x); }, nullptr },
    { "exp", 1, [](double x) { return std::exp(x); }, nullptr },
    { "log", 1, [](double x) { return std::log(x); }, nullptr },
    { "pow", 2, nullptr, [](double x, double y) { return std::pow(x, y); } },
    { "floor", 1, [](double x) { return std::floor(x); }, nullptr },
    { "ceil", 1, [](double x) { return std::ceil(x); }, nullptr },
    { "round", 1, [](double x) { return std::round(x); }, nullptr },
    { "sin", 1, [](double x) { return std::sin(x); }, nullptr },
    { "cos", 1, [](double x) { return std::cos(x); }, nullptr },
    { "tan", 1, [](double x) { return std::tan(x); }, nullptr },
    { "asin", 1, [](double x) { return std::asin(x); }, nullptr },
    { "acos", 1, [](double x) { return std::acos(x); }, nullptr },
    { "atan", 1, [](double x) { return std::atan(x); }, nullptr },
    { "sinh", 1, [](double x) { return (std::exp(x) - std::exp(-x)) / 2; }, nullptr },
    { "cosh", 1, [](double x) { return (std::exp(x) + std::exp(-x)) / 2; }, nullptr },
    { "tanh", 1, [](double x) { return (std::exp(x) - std::exp(-x)) / (std::exp(x) + std::exp(-x)); },
        nullptr },
    { "coth", 1, [](double x) { return (std::exp(x) + std::exp(-x)) / (std::exp(x) - std::exp(-x)); },
        nullptr },
    { "sech", 1, [](double x) { return 2 / (std::exp(x) + std::exp(-x)); }, nullptr },
    { "csch", 1, [](double x) { return 2 / (std::exp(x) - std::exp(-x)); }, nullptr },
    { "degtorad", 1, [](double x) { return (x * (2 * std::acos(0.0))) / 180; }, nullptr },
    { "radtodeg", 1, [](double x) { return (x * 180) / (2 * std::acos(0.0)); }, nullptr },
    { "factorial", 1, factorial, nullptr },
    { "nthroot", 2, nullptr, [](double x, double n) { return std::pow(x, 1 / n); } },
    { "sumxtoy", 2, nullptr, sumXToY },
    { "multiplyxtoy", 2, nullptr, multiplyXToY },
};

const ReferenceFunction *findFunction(const QString &lowerName)
{
    for (const ReferenceFunction &f : ReferenceFunctions)
        if (lowerName == QLatin1String(f.name))
            return &f;
    return nullptr;
}

struct Token
{
    enum class Kind
    {
        Number,
        Name,
        Open,
        Close,
        Comma,
        Operator
    };
    Kind kind;
    double value = 0; // Number
    QString text; // Name (lower case) or Operator ("+", "-", "*", "/", "\", "mod")
};

std::optional<std::vector<Token>> tokenize(const QString &s)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const auto isDigit
        = [&](qsizetype k) { return k < s.size() && s[k] >= QLatin1Char('0') && s[k] <= QLatin1Char('9'); };
    const auto isLetter
        = [&](qsizetype k) { return k < s.size() && s[k].isLetter() && s[k].unicode() < 128; };
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            ++i;
        } else if (isDigit(i) || c == QLatin1Char('.')) {
            const qsizetype start = i;
            while (isDigit(i))
                ++i;
            if (i < s.size() && s[i] == QLatin1Char('.'))
                for (++i; isDigit(i);)
                    ++i;
            if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
                ++i;
                if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
                    ++i;
                while (isDigit(i))
                    ++i;
            }
            tokens.push_back({ Token::Kind::Number, readDecimal(s.mid(start, i - start)), {} });
        } else if (isLetter(i)) {
            const qsizetype start = i;
            while (isLetter(i) || isDigit(i))
                ++i;
            const QString name = s.mid(start, i - start).toLower();
            if (name == QLatin1String("mod"))
                tokens.push_back({ Token::Kind::Operator, 0, name });
            else
                tokens.push_back({ Token::Kind::Name, 0, name });
        } else if (c == QLatin1Char('(')) {
            tokens.push_back({ Token::Kind::Open, 0, {} });
            ++i;
        } else if (c == QLatin1Char(')')) {
            tokens.push_back({ Token::Kind::Close, 0, {} });
            ++i;
        } else if (c == QLatin1Char(',')) {
            tokens.push_back({ Token::Kind::Comma, 0, {} });
            ++i;
        } else if (QStringLiteral("+-*/\\").contains(c)) {
            tokens.push_back({ Token::Kind::Operator, 0, QString(c) });
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// One entry of the postfix program.
struct Step
{
    enum class Kind
    {
        Push,
        Negate,
        Binary,
        Call
    };
    Kind kind;
    double value = 0; // Push
    QString op; // Binary: the operator
    const ReferenceFunction *function = nullptr; // Call
    int arguments = 0; // Call
};

int precedence(const QString &op)
{
    return op == QLatin1String("+") || op == QLatin1String("-") ? 1 : 2;
}

// Dijkstra's shunting-yard: infix tokens to postfix steps. Prefix "-" and
// "+" bind tighter than every binary operator; the binary operators are left
// associative.
std::optional<std::vector<Step>> toPostfix(const std::vector<Token> &tokens)
{
    struct Pending
    {
        enum class Kind
        {
            Binary,
            Negate,
            Plus,
            Function,
            Bracket
        };
        Kind kind;
        QString op;
        const ReferenceFunction *function = nullptr;
        bool call = false; // Bracket: the bracket of a call
        int arguments = 1; // Bracket of a call: arguments seen so far
    };
    std::vector<Step> out;
    std::vector<Pending> stack;
    bool expectOperand = true;
    const auto popOne = [&] {
        const Pending p = stack.back();
        stack.pop_back();
        if (p.kind == Pending::Kind::Binary)
            out.push_back({ Step::Kind::Binary, 0, p.op, nullptr, 0 });
        else if (p.kind == Pending::Kind::Negate)
            out.push_back({ Step::Kind::Negate, 0, {}, nullptr, 0 });
    };
    const auto popToBracket = [&]() -> bool {
        while (!stack.empty() && stack.back().kind != Pending::Kind::Bracket)
            popOne();
        return !stack.empty();
    };

    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token &t = tokens[i];
        switch (t.kind) {
        case Token::Kind::Number:
            out.push_back({ Step::Kind::Push, t.value, {}, nullptr, 0 });
            expectOperand = false;
            break;
        case Token::Kind::Name:
            if (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Kind::Open) {
                const ReferenceFunction *f = findFunction(t.text);
                if (!f)
                    return std::nullopt;
                stack.push_back({ Pending::Kind::Function, {}, f, false, 1 });
                stack.push_back({ Pending::Kind::Bracket, {}, nullptr, true, 1 });
                ++i; // the call's "("
                expectOperand = true;
            } else if (t.text == QLatin1String("inf") || t.text == QLatin1String("nan")) {
                out.push_back(
                    { Step::Kind::Push, t.text == QLatin1String("inf") ? Inf : NaN, {}, nullptr, 0 });
                expectOperand = false;
            } else {
                return std::nullopt;
            }
            break;
        case Token::Kind::Open:
            stack.push_back({ Pending::Kind::Bracket, {}, nullptr, false, 1 });
            expectOperand = true;
            break;
        case Token::Kind::Comma:
            if (!popToBracket() || !stack.back().call)
                return std::nullopt;
            ++stack.back().arguments;
            expectOperand = true;
            break;
        case Token::Kind::Close: {
            if (!popToBracket())
                return std::nullopt;
            const Pending bracket = stack.back();
            stack.pop_back();
            if (bracket.call) {
                const ReferenceFunction *f = stack.back().function;
                stack.pop_back();
                if (bracket.arguments != f->arity)
                    return std::nullopt;
                out.push_back({ Step::Kind::Call, 0, {}, f, bracket.arguments });
            }
            expectOperand = false;
            break;
        }
        case Token::Kind::Operator:
            if (expectOperand) {
                if (t.text != QLatin1String("-") && t.text != QLatin1String("+"))
                    return std::nullopt;
                stack.push_back({ t.text == QLatin1String("-") ? Pending::Kind::Negate : Pending::Kind::Plus,
                    {}, nullptr, false, 1 });
                break;
            }
            while (!stack.empty()
                && (stack.back().kind == Pending::Kind::Negate || stack.back().kind == Pending::Kind::Plus
                    || (stack.back().kind == Pending::Kind::Binary
                        && precedence(stack.back().op) >= precedence(t.text))))
                popOne();
            stack.push_back({ Pending::Kind::Binary, t.text, nullptr, false, 1 });
            expectOperand = true;
            break;
        }
    }
    while (!stack.empty()) {
        if (stack.back().kind == Pending::Kind::Bracket || stack.back().kind == Pending::Kind::Function)
            return std::nullopt;
        popOne();
    }
    return out;
}

double applyBinary(const QString &op, double a, double b)
{
    if (op == QLatin1String("+"))
        return a + b;
    if (op == QLatin1String("-"))
        return a - b;
    if (op == QLatin1String("*"))
        return a * b;
    if (op == QLatin1String("/"))
        return a / b;
    if (op == QLatin1String("\\"))
        return integerQuotient(a, b);
    return integerRemainder(a, b);
}

std::optional<double> referenceEvaluate(const QString &expression)
{
    const auto tokens = tokenize(expression);
    if (!tokens)
        return std::nullopt;
    const auto steps = toPostfix(*tokens);
    if (!steps)
        return std::nullopt;
    std::vector<double> stack;
    for (const Step &step : *steps) {
        switch (step.kind) {
        case Step::Kind::Push:
            stack.push_back(step.value);
            break;
        case Step::Kind::Negate:
            stack.back() = -stack.back();
            break;
        case Step::Kind::Binary: {
            const double b = stack.back();
            stack.pop_back();
            stack.back() = applyBinary(step.op, stack.back(), b);
            break;
        }
        case Step::Kind::Call:
            if (step.arguments == 1) {
                stack.back() = step.function->one(stack.back());
            } else {
                const double y = stack.back();
                stack.pop_back();
                stack.back() = step.function->two(stack.back(), y);
            }
            break;
        }
    }
    if (stack.size() != 1)
        return std::nullopt;
    return stack.front();
}

// ---------------------------------------------------------------------------
// The generator of well-formed expressions.

class ExpressionGenerator
{
public:
    explicit ExpressionGenerator(std::uint64_t seed)
        : random(seed)
    { }

    QString expression(int depth = 0)
    {
        QString text = term(depth);
        const int more = below(depth < 3 ? 4 : 2);
        for (int k = 0; k < more; ++k)
            text += binaryOperator() + term(depth);
        return text;
    }

private:
    std::mt19937_64 random;

    int below(int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    QString blanks()
    {
        switch (below(8)) {
        case 0:
            return QStringLiteral(" ");
        case 1:
            return QStringLiteral("\t");
        case 2:
            return QStringLiteral("  ");
        default:
            return {};
        }
    }

    QString digits(int count)
    {
        QString s;
        for (int k = 0; k < count; ++k)
            s += QLatin1Char('0' + below(10));
        return s;
    }

    QString binaryOperator()
    {
        static const char *const operators[] = { "+", "-", "*", "/", "\\" };
        if (below(6) == 5)
            return QStringLiteral(" mod ") + blanks();
        return blanks() + QLatin1String(operators[below(5)]) + blanks();
    }

    QString randomCase(const char *name)
    {
        QString s = QLatin1String(name);
        switch (below(4)) {
        case 0:
            return s.toLower();
        case 1:
            return s.toUpper();
        case 2:
            return s;
        default:
            for (QChar &c : s)
                c = chance(50) ? c.toUpper() : c.toLower();
            return s;
        }
    }

    QString exponent()
    {
        QString e = chance(80) ? QStringLiteral("e") : QStringLiteral("E");
        const int sign = below(3);
        if (sign == 1)
            e += QLatin1Char('+');
        else if (sign == 2)
            e += QLatin1Char('-');
        return e
            + QString::number(chance(90) ? below(25) : below(400)).rightJustified(below(4), QLatin1Char('0'));
    }

    QString number()
    {
        static const char *const extremes[] = {
            "1.7976931348623157e308", // the largest double
            "1.7976931348623158e308", // rounds down to it
            "1.7976931348623159e308", // beyond the halfway point to 2^1024: infinite
            "4.9406564584124654e-324", // the smallest subnormal
            "2.4703282292062327e-324", // just below half of it: zero
            "2.4703282292062328e-324", // just above half of it: the smallest subnormal
            "2.2250738585072011e-308", // just below the smallest normal double
            "2.2250738585072014e-308", // the smallest normal double
            "1e400", "1e-400", "0.0", "0e0", "000.000",
            "9007199254740993", // 2^53 + 1, halfway between two doubles
            "9223372036854775807", // 2^63 − 1
            "123456789012345678901234567890", "0.30000000000000000000000000000000000000000000001",
            "2147483647.5",
            "-0", // with the unary minus: negative zero
        };
        switch (below(9)) {
        case 0:
            return digits(1 + below(3));
        case 1: // leading zeros
            return QStringLiteral("0") + digits(1 + below(4));
        case 2: // the point first
            return QStringLiteral(".") + digits(1 + below(6));
        case 3: // the point last
            return digits(1 + below(4)) + QLatin1Char('.');
        case 4:
            return digits(1 + below(6)) + QLatin1Char('.') + digits(below(8));
        case 5: { // with an exponent
            const int shape = below(3);
            const QString mantissa = shape == 0 ? digits(1 + below(3))
                : shape == 1                    ? digits(1 + below(3)) + QLatin1Char('.') + digits(below(5))
                                                : QLatin1Char('.') + digits(1 + below(5));
            return mantissa + exponent();
        }
        case 6: // many digits, so that rounding matters
            return digits(1 + below(20)) + QLatin1Char('.') + digits(below(30))
                + (chance(50) ? exponent() : QString());
        case 7: { // the literal the calculator writes, of any double
            const double value = std::bit_cast<double>(random());
            const QString literal = CodeFormat(std::fabs(value), ExpressionMask);
            return std::isfinite(value) ? literal : randomCase(chance(50) ? "inf" : "nan");
        }
        default: {
            const QString text = QLatin1String(extremes[below(std::size(extremes))]);
            return text;
        }
        }
    }

    QString term(int depth)
    {
        QString prefix;
        for (int signs = chance(25) ? 1 + below(2) : 0; signs > 0; --signs)
            prefix += (chance(85) ? QStringLiteral("-") : QStringLiteral("+")) + blanks();
        return prefix + primary(depth);
    }

    QString primary(int depth)
    {
        const int choice = depth >= 5 ? 0 : below(10);
        if (choice < 5) {
            if (chance(3))
                return randomCase(chance(50) ? "INF" : "NAN");
            return number();
        }
        if (choice < 7)
            return QLatin1Char('(') + blanks() + expression(depth + 1) + blanks() + QLatin1Char(')');
        const ReferenceFunction &f = ReferenceFunctions[below(std::size(ReferenceFunctions))];
        static const char *const spelled[] = { "abs", "Sqrt", "Exp", "Log", "pow", "Floor", "Ceil", "Round",
            "Sin", "Cos", "Tan", "ASin", "ACos", "ATan", "Sinh", "Cosh", "Tanh", "Coth", "Sech", "Csch",
            "DegToRad", "RadToDeg", "Factorial", "NthRoot", "SumXToY", "MultiplyXToY" };
        const char *name = spelled[&f - ReferenceFunctions];
        QString call = randomCase(name) + blanks() + QLatin1Char('(') + blanks() + expression(depth + 1);
        if (f.arity == 2)
            call += blanks() + QLatin1Char(',') + (chance(50) ? QStringLiteral(" ") : QString())
                + expression(depth + 1);
        return call + blanks() + QLatin1Char(')');
    }
};

} // namespace

class TestDifferential : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The reference itself on values worked out by hand, so that a
    // disagreement below points at the engine.
    void referenceEvaluates_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<double>("expected");
        QTest::newRow("precedence") << "2+3*4-6/3" << 12.0;
        QTest::newRow("left to right") << "8-3-2" << 3.0;
        QTest::newRow("division left to right") << "64/4/2" << 8.0;
        QTest::newRow("unary minus binds tightest") << "-2*-3" << 6.0;
        QTest::newRow("doubled minus") << "3--5" << 8.0;
        QTest::newRow("unary before mod") << "-7 mod 3" << -1.0;
        QTest::newRow("integer division truncates") << "-7\\2" << -3.0;
        QTest::newRow("fractions cut first") << "7.9\\2.9" << 3.0;
        QTest::newRow("mod of whole numbers") << "7 mod -3" << 1.0;
        QTest::newRow("mod after product") << "2*7 mod 4" << 2.0;
        QTest::newRow("quotient beyond 2^53 / 6") << "43000000000000000\\6" << 7166666666666666.0;
        QTest::newRow("remainder beyond 2^53 / 6")
            << "43000000000000000 mod 6" << 4.0; // 6·7166666666666666 = 42999999999999996
        QTest::newRow("mod of 2^64 by 7")
            << "18446744073709551616 mod 7" << 2.0; // 2^64 = 7·2635249153387078802 + 2
        QTest::newRow("mod of 2^1000 by 3") << "pow(2, 1000) mod 3" << 1.0; // 4^500 ≡ 1 (mod 3)
        QTest::newRow("quotient of 2^1000 by 2^999") << "pow(2, 1000)\\pow(2, 999)" << 2.0;
        QTest::newRow("brackets") << "(2+3)*(4-1)" << 15.0;
        QTest::newRow("numbers of every shape") << "05+.5+5.+5e-1+3.0E+0" << 14.0;
        QTest::newRow("calls") << "pow(2, 10)+Sqrt(16)-ABS(-1)" << 1027.0;
        QTest::newRow("nested calls") << "pow(pow(2,3),2)" << 64.0;
        QTest::newRow("sum") << "SumXToY(1, 100)+SumXToY(5,0)" << 5040.0;
        QTest::newRow("product") << "MultiplyXToY(3,5)+MultiplyXToY(5,3)+MultiplyXToY(-2,2)" << 61.0;
        QTest::newRow("product of a long negative range")
            << "MultiplyXToY(-400,-1)" << Inf; // 400 factors: even
        QTest::newRow("product of an odd negative range") << "MultiplyXToY(-401,-1)" << -Inf;
        QTest::newRow("factorial") << "Factorial(5)+Factorial(-3)+Factorial(4.7)" << 138.0;
        QTest::newRow("rounded integer parameters") << "SumXToY(0.5, 2.5)" << 6.0; // 1 + 2 + 3
        QTest::newRow("infinity") << "-INF" << -Inf;
        QTest::newRow("overflowing literal") << "1e400" << Inf;
        QTest::newRow("underflowing literal") << "-1e-400" << -0.0;
        QTest::newRow("smallest subnormal")
            << "4.9406564584124654e-324" << std::numeric_limits<double>::denorm_min();
    }

    void referenceEvaluates()
    {
        QFETCH(QString, expression);
        QFETCH(double, expected);
        const std::optional<double> value = referenceEvaluate(expression);
        QVERIFY(value.has_value());
        QVERIFY2(sameValue(*value, expected), qPrintable(describe(*value)));
    }

    void referenceRejectsMalformedText_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("open bracket") << "(1+2";
        QTest::newRow("stray close") << "1+2)";
        QTest::newRow("wrong argument count") << "pow(2)";
        QTest::newRow("unknown function") << "foo(1)";
        QTest::newRow("comma outside a call") << "(1,2)";
    }

    void referenceRejectsMalformedText()
    {
        QFETCH(QString, expression);
        QVERIFY(!referenceEvaluate(expression).has_value());
    }

    void randomExpressionsAgree()
    {
        const QByteArray seedText = qgetenv("ZORVANE_DIFFERENTIAL_SEED");
        const QByteArray countText = qgetenv("ZORVANE_DIFFERENTIAL_COUNT");
        const std::uint64_t seed = seedText.isEmpty() ? 20240611 : seedText.toULongLong();
        const int count = countText.isEmpty() ? DefaultCount : countText.toInt();

        ExpressionGenerator generator(seed);
        XMathClass context;
        ScriptEngine engine;
        engine.Context = &context;
        QString error;
        engine.CompilerError = [&error](int, int, const QString &message) { error = message; };

        for (int n = 0; n < count; ++n) {
            const QString expression = generator.expression();
            const std::optional<double> expected = referenceEvaluate(expression);
            QVERIFY2(
                expected.has_value(), qPrintable(QStringLiteral("the reference cannot read ") + expression));

            error.clear();
            context.result = 0;
            engine.Source = QStringLiteral("result = ") + expression;
            engine.Run();
            QVERIFY2(error.isEmpty(),
                qPrintable(QStringLiteral("seed %1, case %2: %3 does not compile: %4")
                               .arg(seed)
                               .arg(n)
                               .arg(expression, error)));
            QVERIFY2(sameValue(context.result, *expected),
                qPrintable(QStringLiteral("seed %1, case %2: %3 gives %4, the reference %5")
                               .arg(seed)
                               .arg(n)
                               .arg(expression, describe(context.result), describe(*expected))));
        }
    }
};

QTEST_GUILESS_MAIN(TestDifferential)
#include "tst_differential.moc"
