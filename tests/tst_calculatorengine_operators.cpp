// SPDX-License-Identifier: GPL-3.0-or-later
// Operators, mod, brackets, the function keys and the trigonometric keys.
#include "tests/calculatorfixture.h"

#include <QTest>

#include <cmath>

namespace {

constexpr int kRadians = 0;
constexpr int kMilsNato = 1;
constexpr int kDegrees = 5;

} // namespace

class TestCalculatorEngineOperators : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void expressionBuilding_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("flag");

        // clang-format off
        QTest::newRow("second operator replaces the first") << "2 + *" << "2*" << "*";
        QTest::newRow("operator on a fresh calculator") << "+" << "0.0e+0+" << "+";
        QTest::newRow("division flag") << "6 ÷" << "6/" << "÷";
        QTest::newRow("integer division flag") << "6 \\" << "6\\" << "\\";
        QTest::newRow("operator after infinity clears first") << "1 ÷ 0 = +" << "0.0e+0+" << "+";
        QTest::newRow("operator after NaN clears first") << "0 ÷ 0 = \\" << "0.0e+0\\" << "\\";
        QTest::newRow("mod after infinity takes 0.0") << "1 ÷ 0 = mod" << "0.0 mod " << "modulo";
        QTest::newRow("open bracket after infinity clears") << "1 ÷ 0 = (" << "(" << "(";
        QTest::newRow("power of infinity takes 0.0") << "1 ÷ 0 = x^y" << "pow(0.0," << "^";
        QTest::newRow("operator after open bracket") << "( +" << "(" << "Need more numbers";
        QTest::newRow("operator after mod") << "7 mod +" << "7 mod " << "Need more numbers";
        QTest::newRow("operator after pending function") << "2 x^y +" << "pow(2," << "Need more numbers";
        QTest::newRow("mod") << "7 mod" << "7 mod " << "modulo";
        QTest::newRow("mod drops a trailing operator") << "7 + mod" << "7 mod " << "modulo";
        QTest::newRow("mod drops a pending function") << "2 x^y mod" << "2 mod " << "modulo";
        QTest::newRow("mod after open bracket") << "( mod" << "(" << "Need more numbers";
        QTest::newRow("mod on nothing") << "mod" << "0.0 mod " << "modulo";
        QTest::newRow("open bracket after a number clears") << "5 (" << "(" << "(";
        QTest::newRow("open bracket after an operator") << "5 + (" << "5+(" << "(";
        QTest::newRow("open bracket after close bracket refused") << "( 5 ) (" << "(5)" << ")";
        QTest::newRow("close bracket") << "( 5 )" << "(5)" << ")";
        QTest::newRow("close bracket without open refused") << "5 )" << "5" << "";
        QTest::newRow("close bracket after operator refused") << "( 5 + )" << "(5+" << "+";
        QTest::newRow("close bracket after open refused") << "( )" << "(" << "(";
        QTest::newRow("close bracket after mod refused") << "( 5 mod )" << "(5 mod " << "modulo";
        QTest::newRow("power waits for its exponent") << "2 x^y" << "pow(2," << "^";
        QTest::newRow("power of a sum") << "2 + 3 x^y" << "pow(2+3," << "^";
        QTest::newRow("power drops a trailing operator") << "2 + x^y" << "pow(2," << "^";
        QTest::newRow("second function replaces the first") << "2 x^y n√x" << "NthRoot(2," << "^";
        QTest::newRow("chained power closes the first") << "2 x^y 3 x^y" << "pow(pow(2,3)," << "^";
        // The open bracket leaves the earlier function open ("Need more
        // numbers"); the power key then sets its own flag over it.
        QTest::newRow("chained power with open bracket") << "2 x^y ( 3 x^y" << "pow(pow(2,(3," << "^";
        QTest::newRow("power after open bracket") << "( x^y" << "(" << "Need more numbers";
        QTest::newRow("sum x to y") << "3 ∑XtoY" << "SumXToY(3," << "";
        QTest::newRow("product x to y") << "3 ∏XtoY" << "MultiplyXToY(3," << "";
        QTest::newRow("function after open bracket") << "( √" << "(" << "Need more numbers";
        // clang-format on
    }

    void expressionBuilding()
    {
        QFETCH(QString, keys);
        QFETCH(QString, expression);
        QFETCH(QString, flag);
        Calculator calculator;
        calculator.press(keys);
        QCOMPARE(calculator.state().currentCodeString, expression);
        QCOMPARE(calculator.state().flagString, flag);
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void results_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("history");

        // clang-format off
        QTest::newRow("power chain") << "2 x^y 3 x^y 2 =" << 64.0 << "pow(pow(2,3),2)\r= 64\r\r";
        QTest::newRow("nth root") << "9 n√x 2 =" << 3.0 << "NthRoot(9,2)\r= 3\r\r";
        QTest::newRow("dangling plus dropped") << "2 + √" << std::sqrt(2.0) << "Sqrt(2)\r= 1.414213562\r\r";
        QTest::newRow("function of the whole calculation") << "3 + 4 √" << std::sqrt(7.0)
            << "Sqrt(3+4)\r= 2.645751311\r\r";
        QTest::newRow("log10 of 100") << "100 log10" << 2.0 << "Log(100)/Log(10)\r= 2\r\r";
        QTest::newRow("log10 of 1000") << "1000 log10" << 2.9999999999999996 << "Log(1000)/Log(10)\r= 3\r\r";
        QTest::newRow("square") << "3 x^2" << 9.0 << "Pow(3, 2)\r= 9\r\r";
        QTest::newRow("cube") << "2 x^3" << 8.0 << "pow(2, 3)\r= 8\r\r";
        QTest::newRow("mod") << "7 mod 3 =" << 1.0 << "7 mod 3\r= 1\r\r";
        QTest::newRow("dangling mod") << "7 mod =" << 7.0 << "7\r= 7\r\r";
        // The logged text is the completed one, whose zero after a bracket is
        // dropped ("(0.0" becomes "(.0"); the fixed-point mask writes no
        // leading zero (".25").
        QTest::newRow("function on nothing") << "√" << 0.0 << "Sqrt(.0)\r= 0e+0\r\r";
        QTest::newRow("reciprocal") << "4 1/x" << 0.25 << "1/(4)\r= .25\r\r";
        QTest::newRow("ten to the x") << "2 10^x" << 100.0 << "pow(10, 2)\r= 100\r\r";
        QTest::newRow("two to the x") << "5 2^x" << 32.0 << "pow(2, 5)\r= 32\r\r";
        QTest::newRow("factorial") << "5 !" << 120.0 << "Factorial(5)\r= 120\r\r";
        QTest::newRow("sum zero to x") << "10 ∑0toX" << 55.0 << "SumXToY(0, 10)\r= 55\r\r";
        QTest::newRow("log2") << "8 log2" << 3.0 << "Log(8)/Log(2)\r= 3\r\r";
        QTest::newRow("floor") << "2.5 ± floor" << -3.0 << "-2.5\r= -2.5\r\rFloor(-2.5e+0)\r= -3\r\r";
        QTest::newRow("ceil") << "2.5 ceil" << 3.0 << "Ceil(2.5)\r= 3\r\r";
        QTest::newRow("round") << "2.4 round" << 2.0 << "Round(2.4)\r= 2\r\r";
        QTest::newRow("function closes open brackets") << "( 1 + ( 2 √" << std::sqrt(3.0)
            << "Sqrt((1+(2)))\r= 1.732050808\r\r";
        QTest::newRow("function of a function") << "16 √ √" << 2.0
            << "Sqrt(16)\r= 4\r\rSqrt(Sqrt(16))\r= 2\r\r";
        QTest::newRow("function drops a pending function") << "2 x^y √" << std::sqrt(2.0)
            << "Sqrt(2)\r= 1.414213562\r\r";
        QTest::newRow("degrees to radians") << "180 DegToRad" << M_PI << "DegToRad(180)\r= 3.141592654\r\r";
        // clang-format on
    }

    void results()
    {
        QFETCH(QString, keys);
        QFETCH(QString, history);
        QFETCH(double, expected);
        Calculator calculator;
        calculator.press(keys);
        QCOMPARE(calculator.currentLiteral(), CodeFormat(expected, ExpressionMask));
        // Zero is written with the scientific mask, whose exponent form is
        // the formatter's own.
        history.replace(
            QLatin1String("= 0e+0"), QLatin1String("= ") + calculator.engine.GetPresentedString(0.0));
        QCOMPARE(calculator.view.history, history);
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void functionKeyLeavesTheWrappedExpression()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("9 √"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("Sqrt(9)"));
        QVERIFY(calculator.state().functionAdditionSucceeded);
        QVERIFY(calculator.state().windowWideDisplayPartial);
        QVERIFY(calculator.state().lastCommandWasToCalculate);
        QCOMPARE(calculator.state().EnteredNumberAsString, QString());
        // "=" afterwards evaluates the wrapped text and makes it a literal.
        calculator.press(QStringLiteral("="));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("3.0e+0"));
        QVERIFY(!calculator.state().windowWideDisplayPartial);
    }

    void refusedFunctionClearsSuccess()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("2 √"));
        QVERIFY(calculator.state().functionAdditionSucceeded);
        calculator.press(QStringLiteral("+ ( √"));
        QVERIFY(!calculator.state().functionAdditionSucceeded);
        calculator.press(QStringLiteral("x^y"));
        QCOMPARE(calculator.state().flagString, QStringLiteral("Need more numbers"));
    }

    void spokenTexts_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("spoken");

        // clang-format off
        QTest::newRow("operators") << "+ - * ÷ \\" << QStringList {
            "!Plus", "!Minus", "!Multiplied by", "!Divided by", "!Integer division by" };
        QTest::newRow("brackets") << "( ) ( 1 ) (" << QStringList {
            "!Open bracket", "!You cannot put a close bracket here", "!Open bracket", "!1", "!Close bracket",
            "!You cannot put an open bracket here" };
        QTest::newRow("open bracket after a number clears first") << "1 (" << QStringList {
            "!1", "!Clear", "!Open bracket" };
        QTest::newRow("mod") << "mod ( mod" << QStringList { "!Modulo", "!Open bracket", "!Need more numbers" };
        QTest::newRow("power") << "2 x^y ( x^y" << QStringList { "!2", "!To the power of", "!Open bracket" };
        QTest::newRow("two-argument keys") << "n√x ∑XtoY ∏XtoY" << QStringList {
            "!Nth root of this", "!Sum of all integers from X to Y", "!Multiply all numbers from X to Y" };
        QTest::newRow("one-argument keys")
            << "|x| √ DegToRad RadToDeg 1/x 10^x 2^x e^x ! ∑0toX log10 log2 loge x^2 x^3 floor ceil round"
            << QStringList {
            "!Absolute value of", "!Square root of", "!Convert from degrees to radians",
            "!Convert from radians to degrees", "!Reciprocal", "!10 to the power of this", "!2 to the power of this",
            "!E to the power of X", "!Factorial", "!Sum from zero to this", "!Common logarithm (base 10)",
            "!Binary logarithm (base 2)", "!Natural logarithm (base E)", "!Squared", "!Cubed", "!Floor",
            "!Ceiling", "!Round" };
        QTest::newRow("trigonometric keys") << "sin cos tan asin acos atan sinh cosh tanh csch sech coth"
            << QStringList {
            "!Sine", "!Cosine", "!Tangent", "!Arcsine", "!Arc cosine", "!Arctangent", "!Hyperbolic sine",
            "!Hyperbolic cosine", "!Hyperbolic tangent", "!Hyperbolic cosectant", "!Hyperbolic sectant",
            "!Hyperbolic cotangent" };
        QTest::newRow("reciprocal trigonometric keys") << "cosec sec cotan" << QStringList {
            "!Sine", "!Reciprocal", "!Cosine", "!Reciprocal", "!Tangent", "!Reciprocal" };
        // clang-format on
    }

    void spokenTexts()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, spoken);
        QCOMPARE(Calculator::spokenWhilePressing(keys), spoken);
    }

    void trigonometry_data()
    {
        QTest::addColumn<int>("angleMode");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("evaluated");

        // clang-format off
        QTest::newRow("sine of 30 radians") << kRadians << "30 sin" << std::sin(30.0) << "Sin((30)*1.0e+0)";
        QTest::newRow("sine of 30 degrees") << kDegrees << "30 sin" << 0.5000000000014733
            << "Sin((30)*1.745329252e-2)";
        QTest::newRow("sine of a sum in degrees") << kDegrees << "10 + 20 sin" << 0.5000000000014733
            << "Sin((10+20)*1.745329252e-2)";
        QTest::newRow("arcsine in degrees") << kDegrees << "0.5 asin" << 29.999999999902535
            << "(ASin(.5)/1.745329252e-2)";
        QTest::newRow("sine of 1600 NATO mils") << kMilsNato << "1600 sin" << 1.0
            << "Sin((1600)*9.81747704e-4)";
        QTest::newRow("hyperbolic sine in degrees") << kDegrees << "1 sinh"
            << (std::exp(0.01745329252) - std::exp(-0.01745329252)) / 2 << "Sinh((1)*1.745329252e-2)";
        QTest::newRow("conversion ignores the angle mode") << kDegrees << "180 DegToRad" << M_PI
            << "DegToRad(180)";
        // clang-format on
    }

    void trigonometry()
    {
        QFETCH(QString, evaluated);
        QFETCH(int, angleMode);
        QFETCH(QString, keys);
        QFETCH(double, expected);
        Calculator calculator;
        calculator.view.angleMode = angleMode;
        calculator.press(keys);
        QCOMPARE(calculator.currentLiteral(), CodeFormat(expected, ExpressionMask));
        QVERIFY(calculator.view.history.startsWith(evaluated + QLatin1Char('\r')));
    }

    void tangentOfNinetyDegreesIsLargeAndFinite()
    {
        Calculator calculator;
        calculator.view.angleMode = kDegrees;
        calculator.press(QStringLiteral("90 tan"));
        QVERIFY(std::isfinite(calculator.state().CurrentNumber));
        QVERIFY(std::abs(calculator.state().CurrentNumber + 1.96e11) < 0.01e11);
    }

    void cosecantIsTwoEvaluations()
    {
        Calculator calculator;
        calculator.view.angleMode = kDegrees;
        calculator.press(QStringLiteral("90 cosec"));
        QCOMPARE(calculator.view.history,
            QStringLiteral("Sin((90)*1.745329252e-2)\r= 1\r\r1/(Sin((90)*1.745329252e-2))\r= 1\r\r"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("1/(Sin((90)*1.745329252e-2))"));
        QCOMPARE(calculator.engine.GetPresentedString(calculator.state().CurrentNumber), QStringLiteral("1"));
    }

    void angleModeFactors_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("name");

        // clang-format off
        QTest::newRow("0") << 0 << 1.0 << "Radians";
        QTest::newRow("1") << 1 << 0.000981747704 << "Mils (NATO)";
        QTest::newRow("2") << 2 << 0.001047197551 << "Mils (Soviet)";
        QTest::newRow("3") << 3 << 0.000997331001 << "Mils (Sweden)";
        QTest::newRow("4") << 4 << 0.015707963268 << "Gons (Grads, Gradians)";
        QTest::newRow("5") << 5 << 0.01745329252 << "Degrees";
        QTest::newRow("6") << 6 << 0.000290888209 << "Minutes";
        QTest::newRow("7") << 7 << 4.8481368e-6 << "Seconds";
        QTest::newRow("8") << 8 << 0.196349540037 << "Point";
        QTest::newRow("9") << 9 << 6.283185307175 << "Full Circles";
        QTest::newRow("beyond the table") << 10 << 0.0 << "";
        QTest::newRow("negative") << -1 << 0.0 << "";
        // clang-format on
    }

    void angleModeFactors()
    {
        QFETCH(int, index);
        QFETCH(double, factor);
        QFETCH(QString, name);
        QVERIFY(CalculatorEngine::getTrigCorrectionFactor(index) == factor);
        QCOMPARE(AngleModeNames().value(index), name);
    }

    void angleModeChangeSpeaksAndRedraws()
    {
        Calculator calculator;
        calculator.preferences.speakEverythingElse = true;
        calculator.press(QStringLiteral("3.14159"));
        calculator.takeSpoken();
        const int redraws = calculator.view.redraws;
        calculator.view.angleMode = kDegrees;
        calculator.engine.AngleModeChanged();
        QCOMPARE(calculator.takeSpoken(), QStringList { QStringLiteral("!Changing angle mode to Degrees") });
        QCOMPARE(calculator.view.redraws, redraws + 1);
        QCOMPARE(calculator.state().CurrentNumber, 3.14159);
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("3.14159"));
    }
};

QTEST_GUILESS_MAIN(TestCalculatorEngineOperators)
#include "tst_calculatorengine_operators.moc"
