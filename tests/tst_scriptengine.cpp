// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/localenumber.h"
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

bool sameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b))
        || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
} // namespace

class TestScriptEngine : public QObject
{
    Q_OBJECT

    XMathClass context;
    ScriptEngine engine;
    QStringList printed;
    struct Error
    {
        int line = 0;
        int number = 0;
        QString message;
    };
    QList<Error> errors;

    // Runs "result = " + expression and gives the value; fails the test on
    // a compile error.
    double evaluate(const QString &expression)
    {
        errors.clear();
        engine.Source = QStringLiteral("result = ") + expression;
        engine.Run();
        if (!errors.isEmpty())
            qWarning() << "compile error" << errors.front().message << "in" << expression;
        return errors.isEmpty() ? context.result : std::numeric_limits<double>::signaling_NaN();
    }

private Q_SLOTS:
    void init()
    {
        context.result = 0;
        printed.clear();
        errors.clear();
        engine.Context = &context;
        engine.Print = [this](const QString &text) { printed << text; };
        engine.CompilerError = [this](int line, int number, const QString &message) {
            errors.append({ line, number, message });
        };
    }

    void evaluates_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<double>("expected");

        // Numbers of every shape.
        QTest::newRow("integer") << "5" << 5.0;
        QTest::newRow("leading zero") << "05" << 5.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("point last") << "5." << 5.0;
        QTest::newRow("exponent without sign") << "5e3" << 5000.0;
        QTest::newRow("negative exponent") << "5e-3" << 0.005;
        QTest::newRow("capital exponent") << "5E+3" << 5000.0;
        QTest::newRow("literal form") << "3.0e+0" << 3.0;
        QTest::newRow("largest exponent") << "1e+308" << 1e308;
        QTest::newRow("smallest subnormal") << "4.9e-324" << 4.9e-324;
        QTest::newRow("overflowing literal") << "1e309" << Inf;
        QTest::newRow("underflowing literal") << "1e-400" << 0.0;
        QTest::newRow("huge exponent") << "1e99999999999999999999" << Inf;
        QTest::newRow("zero with huge exponent") << "0e99999999999999999999" << 0.0;
        QTest::newRow("long literal") << QString(200, QLatin1Char('0')) + QStringLiteral("7.25") << 7.25;
        QTest::newRow("infinity") << "INF" << Inf;
        QTest::newRow("negative infinity") << "-inf" << -Inf;
        QTest::newRow("not a number") << "NaN" << NaN;

        // Precedence and associativity.
        QTest::newRow("product before sum") << "2+3*4" << 14.0;
        QTest::newRow("brackets") << "(2+3)*4" << 20.0;
        QTest::newRow("subtraction left to right") << "10-4-3" << 3.0;
        QTest::newRow("division left to right") << "64/4/2" << 8.0;
        QTest::newRow("mixed product level") << "7*3 mod 4" << 1.0; // (7*3) mod 4
        QTest::newRow("mod before sum") << "1+7 mod 4" << 4.0;
        QTest::newRow("integer division level") << "20\\3*2" << 12.0; // (20\3)*2
        QTest::newRow("integer division left to right") << "100\\7\\2" << 7.0;
        QTest::newRow("blanks everywhere") << " 2 +\t3 * 4 " << 14.0;

        // Unary signs bind tighter than every binary operator.
        QTest::newRow("unary minus") << "-3" << -3.0;
        QTest::newRow("doubled minus") << "3--5" << 8.0;
        QTest::newRow("minus after operator") << "2*-3" << -6.0;
        QTest::newRow("unary plus") << "2*+5.0e+0" << 10.0;
        QTest::newRow("minus times") << "-2*-2" << 4.0;
        QTest::newRow("triple minus") << "---2" << -2.0;
        QTest::newRow("minus of bracket") << "-(1-4)" << 3.0;
        QTest::newRow("minus of call") << "-Sqrt(9)" << -3.0;
        QTest::newRow("minus before mod") << "-7 mod 3" << -1.0;

        // Integer division and mod: operands cut toward zero first.
        QTest::newRow("mod") << "7 mod 3" << 1.0;
        QTest::newRow("mod capital") << "7 MOD 3" << 1.0;
        QTest::newRow("mod of negative") << "-7 mod 2" << -1.0;
        QTest::newRow("mod by negative") << "7 mod -2" << 1.0;
        QTest::newRow("integer quotient") << "7\\2" << 3.0;
        QTest::newRow("integer quotient negative") << "-7\\2" << -3.0;
        QTest::newRow("integer quotient zero") << "-3\\5" << 0.0;
        QTest::newRow("mod zero is positive") << "-6 mod 3" << 0.0;
        QTest::newRow("fractional quotient") << "7.9\\2.9" << 3.0;
        QTest::newRow("fractional mod") << "7.9 mod 2.9" << 1.0;
        QTest::newRow("huge mod") << "1e300 mod 7" << std::fmod(1e300, 7.0);
        // 43000000000000000 = 6 · 7166666666666666 + 4: the IEEE quotient
        // rounds up to 7166666666666667, the truncated one does not.
        QTest::newRow("quotient of a dividend beyond 2^53") << "43000000000000000\\6" << 7166666666666666.0;
        QTest::newRow("negative quotient beyond 2^53") << "-43000000000000000\\6" << -7166666666666666.0;
        QTest::newRow("mod of a dividend beyond 2^53") << "43000000000000000 mod 6" << 4.0;
        QTest::newRow("quotient by zero") << "5\\0" << Inf;
        QTest::newRow("zero quotient by zero") << "0\\0" << NaN;
        QTest::newRow("mod by zero") << "5 mod 0" << NaN;
        QTest::newRow("quotient of infinity") << "INF\\2" << NaN;
        QTest::newRow("mod of infinity") << "5 mod INF" << NaN;
        QTest::newRow("quotient of NaN") << "NAN\\2" << NaN;

        // IEEE arithmetic: no stop on a zero divisor or invalid argument.
        QTest::newRow("divide by zero") << "1/0" << Inf;
        QTest::newRow("divide by minus zero") << "1/-0" << -Inf;
        QTest::newRow("zero by zero") << "0/0" << NaN;
        QTest::newRow("overflow") << "1e308*10" << Inf;
        QTest::newRow("negative zero") << "-0.0e+0" << -0.0;
        QTest::newRow("square root of negative") << "Sqrt(-1)" << NaN;
        QTest::newRow("log of zero") << "Log(0)" << -Inf;

        // The engine's functions; names ignore case.
        QTest::newRow("abs") << "abs(-2.5)" << 2.5;
        QTest::newRow("Sqrt") << "Sqrt(12+3.5-6.5)" << 3.0;
        QTest::newRow("SQRT") << "SQRT(16)" << 4.0;
        QTest::newRow("Exp") << "Exp(1)" << std::exp(1.0);
        QTest::newRow("Log") << "Log(100)/Log(10)" << std::log(100.0) / std::log(10.0);
        QTest::newRow("pow") << "pow(2,10)" << 1024.0;
        QTest::newRow("Pow with blank") << "Pow(3, 2)" << 9.0;
        QTest::newRow("pow nested") << "pow(pow(2,3),2)" << 64.0;
        QTest::newRow("Floor") << "Floor(-2.5)" << -3.0;
        QTest::newRow("Ceil") << "Ceil(-2.5)" << -2.0;
        QTest::newRow("Round half up") << "Round(2.5)" << 3.0;
        QTest::newRow("Round half away from zero") << "Round(-2.5)" << -3.0;
        QTest::newRow("Round below half") << "Round(2.4999)" << 2.0;
        QTest::newRow("Sin") << "Sin(1)" << std::sin(1.0);
        QTest::newRow("Cos") << "Cos(1)" << std::cos(1.0);
        QTest::newRow("Tan") << "Tan(1)" << std::tan(1.0);
        QTest::newRow("ASin") << "ASin(1)" << std::asin(1.0);
        QTest::newRow("ACos") << "ACos(0.5)" << std::acos(0.5);
        QTest::newRow("ATan") << "ATan(1)" << std::atan(1.0);
        QTest::newRow("blank before bracket") << "Sqrt (4)" << 2.0;

        // The context's functions.
        QTest::newRow("Sinh") << "Sinh(1)" << XMathClass::Sinh(1);
        QTest::newRow("Cosh") << "cosh(1)" << XMathClass::Cosh(1);
        QTest::newRow("Tanh") << "Tanh(1000)" << NaN;
        QTest::newRow("Coth") << "Coth(0)" << Inf;
        QTest::newRow("Sech") << "Sech(1)" << XMathClass::Sech(1);
        QTest::newRow("Csch") << "Csch(1)" << XMathClass::Csch(1);
        QTest::newRow("DegToRad") << "DegToRad(180)" << XMathClass::DegToRad(180);
        QTest::newRow("RadToDeg") << "RadToDeg(1)" << XMathClass::RadToDeg(1);
        QTest::newRow("Factorial") << "Factorial(5)" << 120.0;
        QTest::newRow("NthRoot") << "NthRoot(9, 2)" << 3.0;
        QTest::newRow("SumXToY") << "SumXToY(0, 100)" << 5050.0;
        QTest::newRow("SumXToY rounds its arguments") << "SumXToY(2.6, 5.4)" << 12.0;
        QTest::newRow("MultiplyXToY") << "MultiplyXToY(3,5)" << 60.0;
        QTest::newRow("MultiplyXToY rounds halves away") << "MultiplyXToY(2.5, 3.5)" << 12.0;
        QTest::newRow("MultiplyXToY of NaN is from 0") << "MultiplyXToY(NAN, 2)" << 0.0;
    }

    void evaluates()
    {
        QFETCH(QString, expression);
        QFETCH(double, expected);
        const double value = evaluate(expression);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).message));
        QVERIFY2(sameDouble(value, expected),
            qPrintable(QStringLiteral("%1 gave %2, expected %3")
                           .arg(expression)
                           .arg(value, 0, 'g', 17)
                           .arg(expected, 0, 'g', 17)));
    }

    void literalsReadAsTheNearestDouble()
    {
        // Literals of many lengths and shapes, typed ones included, against
        // the standard library's exact conversion.
#ifdef NDEBUG
        constexpr int Count = 300'000;
#else
        constexpr int Count = 30'000;
#endif
        QRandomGenerator random(2024);
        auto digits = [&](int count) {
            std::string text;
            for (int i = 0; i < count; ++i)
                text += static_cast<char>('0' + random.bounded(10));
            return text;
        };
        for (int i = 0; i < Count; ++i) {
            std::string text = digits(random.bounded(0, 22));
            if (text.empty() || random.bounded(2))
                text += '.' + digits(text.empty() ? random.bounded(1, 22) : random.bounded(0, 22));
            if (random.bounded(2)) {
                const char *signs[] = { "", "+", "-" };
                text += (random.bounded(2) ? "e" : "E") + std::string(signs[random.bounded(3)])
                    + std::to_string(random.bounded(0, i % 2 ? 30 : 400));
            }
            const double expected = DecimalLiteralToDouble(text.data(), text.data() + text.size());
            const double value = evaluate(QString::fromStdString(text));
            QVERIFY2(sameDouble(value, expected), text.c_str());
        }
    }

    void anyTextEitherRunsOrReportsOneError()
    {
        // Random programs made of the language's pieces and stray characters:
        // each run raises exactly one CompilerError with a line and a message,
        // or none, and a failed run changes nothing.
        const QStringList pieces { "result = ", "Print \"\"", "\r", "\n", "(", ")", ",", " ", "+", "-", "*",
            "/", "\\", " mod ", "1", "05", ".5", "5.", "e", "e-3", "Sqrt(", "pow(", "Factorial(", "INF",
            "NAN", "result", "x", "#", "\"", "\u00e9", "\t" };
        QRandomGenerator random(99);
        for (int i = 0; i < 20000; ++i) {
            QString source = random.bounded(4) ? QStringLiteral("result = ") : QString();
            for (int n = random.bounded(1, 16); n > 0; --n)
                source += pieces[random.bounded(int(pieces.size()))];
            errors.clear();
            printed.clear();
            context.result = 7;
            engine.Source = source;
            engine.Run();
            QVERIFY2(errors.size() <= 1, qPrintable(source));
            if (!errors.isEmpty()) {
                QVERIFY2(errors[0].line >= 1
                        && errors[0].line
                            <= source.count(QLatin1Char('\r')) + source.count(QLatin1Char('\n')) + 1,
                    qPrintable(source));
                QVERIFY(!errors[0].message.isEmpty());
                QCOMPARE(context.result, 7.0);
                QVERIFY(printed.isEmpty());
            }
        }
    }

    void printRunsAfterTheAssignment()
    {
        double seen = -1;
        engine.Print = [&](const QString &text) {
            printed << text;
            seen = context.result;
        };
        engine.Source = QStringLiteral("result = 2+3\rPrint \"\"");
        engine.Run();
        QVERIFY(errors.isEmpty());
        QCOMPARE(printed, QStringList { QString() });
        QCOMPARE(seen, 5.0);
    }

    void resultKeepsItsValueAndCanBeRead()
    {
        QCOMPARE(context.result, 0.0);
        QCOMPARE(evaluate(QStringLiteral("result+1")), 1.0);
        QCOMPARE(evaluate(QStringLiteral("RESULT*10")), 10.0);
        engine.Source = QStringLiteral("result = 7\r\nresult = result*2\nPrint \"a \"\"b\"\"\"");
        engine.Run();
        QCOMPARE(context.result, 14.0);
        QCOMPARE(printed, QStringList { QStringLiteral("a \"b\"") });
    }

    void compileErrors_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("line");
        QTest::addColumn<ScriptEngine::ErrorNumber>("number");
        QTest::addColumn<QString>("message");
        using E = ScriptEngine::ErrorNumber;
        QTest::newRow("unknown function")
            << "result = Foo(3)" << 1 << E::UnknownFunction << "Unknown function 'Foo'";
        QTest::newRow("unknown name") << "result = x+1" << 1 << E::UnknownName << "Unknown name 'x'";
        QTest::newRow("function without bracket")
            << "result = Sqrt" << 1 << E::ExpectedOpenBracket << "Expected '(' after the function 'Sqrt'";
        QTest::newRow("too many arguments")
            << "result = Sqrt(1, 2)" << 1 << E::ArgumentCount << "'Sqrt' takes 1 argument, not 2";
        QTest::newRow("too few arguments")
            << "result = pow(2)" << 1 << E::ArgumentCount << "'pow' takes 2 arguments, not 1";
        QTest::newRow("no arguments")
            << "result = Exp()" << 1 << E::ArgumentCount << "'Exp' takes 1 argument, not 0";
        QTest::newRow("missing close bracket") << "result = (1+2" << 1 << E::ExpectedCloseBracket
                                               << "Expected ')' but found the end of the line";
        QTest::newRow("missing close bracket of call") << "result = pow(2,3" << 1 << E::ExpectedCloseBracket
                                                       << "Expected ')' but found the end of the line";
        QTest::newRow("extra close bracket")
            << "result = 1+2)" << 1 << E::UnexpectedText << "Found ')' without a matching '('";
        QTest::newRow("trailing garbage") << "result = 2 3" << 1 << E::UnexpectedText
                                          << "Expected an operator or the end of the line but found '3'";
        QTest::newRow("two points") << "result = 1.2.3" << 1 << E::UnexpectedText
                                    << "Expected an operator or the end of the line but found '.'";
        QTest::newRow("empty expression") << "result = " << 1 << E::ExpectedOperand
                                          << "Expected a number, a name or '(' but found the end of the line";
        QTest::newRow("dangling operator")
            << "result = 2+" << 1 << E::ExpectedOperand
            << "Expected a number, a name or '(' but found the end of the line";
        QTest::newRow("operator without left operand")
            << "result = *2" << 1 << E::ExpectedOperand << "Expected a number, a name or '(' but found '*'";
        QTest::newRow("empty brackets")
            << "result = ()" << 1 << E::ExpectedOperand << "Expected a number, a name or '(' but found ')'";
        QTest::newRow("lone point") << "result = ." << 1 << E::MalformedNumber
                                    << "Expected a digit before or after '.'";
        QTest::newRow("exponent without digits")
            << "result = 5e" << 1 << E::MalformedNumber << "Expected the digits of the exponent in '5e'";
        QTest::newRow("exponent sign without digits")
            << "result = 5e-" << 1 << E::MalformedNumber << "Expected the digits of the exponent in '5e-'";
        QTest::newRow("unexpected character") << "result = 2 # 3" << 1 << E::UnexpectedText
                                              << "Expected an operator or the end of the line but found '#'";
        QTest::newRow("character in operand place")
            << "result = $3" << 1 << E::UnexpectedCharacter << "Unexpected character '$'";
        QTest::newRow("mod glued to its operand")
            << "result = 7 mod3" << 1 << E::UnexpectedText
            << "Expected an operator or the end of the line but found 'mod3'";
        QTest::newRow("no statement")
            << "2+3" << 1 << E::ExpectedStatement << "Expected 'result = ' or 'Print' but found '2'";
        QTest::newRow("other assignment")
            << "x = 3" << 1 << E::ExpectedStatement << "Expected 'result = ' or 'Print' but found 'x'";
        QTest::newRow("assignment without equals")
            << "result 3" << 1 << E::ExpectedAssignment << "Expected '=' after 'result' but found '3'";
        QTest::newRow("error on second line") << "result = 1\rPrint \"\" 5" << 2 << E::UnexpectedText
                                              << "Expected the end of the line but found '5'";
        QTest::newRow("unterminated text")
            << "result = 1\nPrint \"abc" << 2 << E::UnterminatedText << "Expected '\"' to close the text";
        QTest::newRow("text missing")
            << "Print 5" << 1 << E::UnexpectedText << "Expected a text in quotes after 'Print' but found '5'";
        QTest::newRow("error on third line")
            << "result = 1\r\n\r\nresult = Bar(1)" << 3 << E::UnknownFunction << "Unknown function 'Bar'";
    }

    void compileErrors()
    {
        QFETCH(QString, source);
        QFETCH(int, line);
        QFETCH(ScriptEngine::ErrorNumber, number);
        QFETCH(QString, message);
        context.result = 42;
        engine.Source = source + QStringLiteral("\rPrint \"\"");
        engine.Run();
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].line, line);
        QCOMPARE(errors[0].number, static_cast<int>(number));
        QCOMPARE(errors[0].message, message);
        // Nothing of the program ran.
        QCOMPARE(context.result, 42.0);
        QVERIFY(printed.isEmpty());
    }

    void contextFunctionsNeedAContext()
    {
        engine.Context = nullptr;
        engine.Source = QStringLiteral("Print \"x\"");
        engine.Run();
        QCOMPARE(printed, QStringList { QStringLiteral("x") });
        engine.Source = QStringLiteral("result = 1");
        engine.Run();
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].number, static_cast<int>(ScriptEngine::ErrorNumber::UnknownName));
    }

    void nestingDepthIsBounded_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<bool>("compiles");
        QTest::newRow("at the bound") << ScriptEngine::MaxNestingDepth << true;
        QTest::newRow("one beyond") << ScriptEngine::MaxNestingDepth + 1 << false;
        QTest::newRow("100000") << 100000 << false;
    }

    void nestingDepthIsBounded()
    {
        QFETCH(int, levels);
        QFETCH(bool, compiles);
        for (const QString &open : { QStringLiteral("("), QStringLiteral("abs(") }) {
            errors.clear();
            context.result = 0;
            engine.Source = QStringLiteral("result = ") + open.repeated(levels) + QStringLiteral("7")
                + QString(levels, QLatin1Char(')'));
            engine.Run();
            if (compiles) {
                QVERIFY(errors.isEmpty());
                QCOMPARE(context.result, 7.0);
            } else {
                QCOMPARE(errors.size(), 1);
                QCOMPARE(errors[0].number, static_cast<int>(ScriptEngine::ErrorNumber::NestingTooDeep));
                QCOMPARE(errors[0].message, QStringLiteral("Brackets nested more than 1000 deep"));
            }
        }
    }

    void integerArgument_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("whole") << 5.0 << 5;
        QTest::newRow("below half") << 2.4 << 2;
        QTest::newRow("half") << 2.5 << 3;
        QTest::newRow("negative half") << -2.5 << -3;
        QTest::newRow("largest") << 2147483647.0 << 2147483647;
        QTest::newRow("rounds past largest") << 2147483647.4 << 2147483647;
        QTest::newRow("huge") << 1e300 << 2147483647;
        QTest::newRow("infinity") << Inf << 2147483647;
        QTest::newRow("lowest") << -2147483648.0 << -2147483647 - 1;
        QTest::newRow("minus infinity") << -Inf << -2147483647 - 1;
        QTest::newRow("NaN") << NaN << 0;
    }

    void integerArgument()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(ScriptEngine::IntegerArgument(x), expected);
    }
};

QTEST_GUILESS_MAIN(TestScriptEngine)
#include "tst_scriptengine.moc"
