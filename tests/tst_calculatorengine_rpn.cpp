// SPDX-License-Identifier: GPL-3.0-or-later
// Reverse Polish entry: the mode switch, the stack and its operations.
#include "tests/calculatorfixture.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

QString literal(double x)
{
    return CodeFormat(x, ExpressionMask);
}

// The current number as expected; any NaN matches any NaN, whatever its
// sign bit.
bool sameNumber(double actual, double expected)
{
    return std::isnan(expected) ? std::isnan(actual) : literal(actual) == literal(expected);
}

} // namespace

class TestCalculatorEngineRPN : public QObject
{
    Q_OBJECT

    // A calculator in RPN entry.
    struct RPNCalculator : Calculator
    {
        RPNCalculator() { preferences.usingRPNMode = true; }
    };

private Q_SLOTS:
    void stackOperations_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("stack");
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("flag");

        // clang-format off
        QTest::newRow("enter") << "2 Enter 3 Enter" << QStringList { "2.0e+0", "3.0e+0" } << 3.0 << "";
        QTest::newRow("plus") << "2 Enter 3 Enter +" << QStringList { "5.0e+0" } << 5.0 << "";
        QTest::newRow("minus: top is the right operand") << "2 Enter 3 Enter -" << QStringList { "-1.0e+0" }
            << -1.0 << "";
        QTest::newRow("division") << "2 Enter 3 Enter ÷" << QStringList { literal(2.0 / 3.0) } << 2.0 / 3.0
            << "";
        QTest::newRow("power: top is the exponent") << "2 Enter 3 Enter x^y" << QStringList { "8.0e+0" } << 8.0
            << "";
        QTest::newRow("nth root") << "27 Enter 3 Enter n√x" << QStringList { literal(std::pow(27.0, 1.0 / 3)) }
            << std::pow(27.0, 1.0 / 3) << "";
        QTest::newRow("sum x to y") << "3 Enter 5 Enter ∑XtoY" << QStringList { "1.2e+1" } << 12.0 << "";
        QTest::newRow("square root") << "9 Enter √" << QStringList { "3.0e+0" } << 3.0 << "";
        QTest::newRow("entries below stay") << "1 Enter 2 Enter 3 Enter *" << QStringList { "1.0e+0", "6.0e+0" }
            << 6.0 << "";
        QTest::newRow("one entry is too few") << "2 Enter +" << QStringList { "2.0e+0" } << 2.0
            << "Need more numbers";
        QTest::newRow("empty stack is too few") << "sin" << QStringList() << 0.0 << "Need more numbers";
        QTest::newRow("pi pushes at once") << "π" << QStringList { "3.141592653589793e+0" } << M_PI << "";
        QTest::newRow("typed number stays pending") << "2 Enter 3 Enter 7 +" << QStringList { "5.0e+0" } << 5.0
            << "";
        QTest::newRow("pending number pushed by the next Enter") << "2 Enter 3 Enter 7 + Enter"
            << QStringList { "5.0e+0", "7.0e+0" } << 7.0 << "";
        QTest::newRow("enter with nothing typed") << "Enter" << QStringList() << 0.0 << "";
        QTest::newRow("sign key evaluates the typed number") << "8 ± Enter" << QStringList { "-8.0e+0" } << -8.0
            << "";
        QTest::newRow("reciprocal keys replace the top twice") << "4 Enter cosec"
            << QStringList { literal(1 / std::sin(4.0)) } << 1 / std::sin(4.0) << "";
        QTest::newRow("division by zero consumes both") << "5 Enter 1 Enter 0 Enter ÷"
            << QStringList { "5.0e+0" } << kInfinity << "";
        QTest::newRow("root of minus one consumes it") << "1 Enter 1 ± Enter √" << QStringList { "1.0e+0" }
            << std::nan("") << "";
        QTest::newRow("non-numeric two-parameter result on an emptied stack keeps the number")
            << "8 ± Enter 3 Enter n√x" << QStringList() << 3.0 << "";
        QTest::newRow("non-numeric one-parameter result on an emptied stack keeps the number") << "1 ± Enter √"
            << QStringList() << -1.0 << "";
        QTest::newRow("clear empties the stack") << "1 Enter 2 Enter Clear" << QStringList() << 0.0 << "";
        QTest::newRow("CE removes the top") << "1 Enter 2 Enter CE" << QStringList { "1.0e+0" } << 2.0 << "";
        // clang-format on
    }

    void stackOperations()
    {
        QFETCH(QStringList, stack);
        QFETCH(double, current);
        QFETCH(QString, keys);
        QFETCH(QString, flag);
        RPNCalculator calculator;
        calculator.press(keys);
        QCOMPARE(calculator.stackLiterals(), stack);
        QVERIFY2(
            sameNumber(calculator.state().CurrentNumber, current), qPrintable(calculator.currentLiteral()));
        QCOMPARE(calculator.state().flagString, flag);
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void onePushThroughEnter()
    {
        RPNCalculator calculator;
        calculator.press(QStringLiteral("1 2 . 5"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("12.5"));
        calculator.press(QStringLiteral("Enter"));
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("1.25e+1") });
        QCOMPARE(calculator.state().currentCodeString, QString());
        QCOMPARE(calculator.state().EnteredNumberAsString, QString());
        QCOMPARE(calculator.view.rpnRows, QStringList { QStringLiteral("12.5") });
        QVERIFY(!calculator.view.rpnStackEmpty);
    }

    void degreesApplyToStackFunctions()
    {
        RPNCalculator calculator;
        calculator.view.angleMode = 5;
        calculator.press(QStringLiteral("30 Enter sin"));
        QCOMPARE(calculator.stackLiterals(), QStringList { literal(0.5000000000014733) });
    }

    void listRowsFollowTheDisplayBase()
    {
        RPNCalculator calculator;
        calculator.press(QStringLiteral("Enter"));
        QCOMPARE(calculator.view.rpnRows, QStringList { QStringLiteral("The RPN stack is empty") });
        QVERIFY(calculator.view.rpnStackEmpty);
        calculator.press(QStringLiteral("5 Enter 10 Enter"));
        QCOMPARE(calculator.view.rpnRows, (QStringList { "5", "10" }));
        calculator.view.displayBase = QStringLiteral("2 (Binary)");
        calculator.engine.DisplayBaseChanged();
        // Rows already listed keep their base until the next stack operation.
        QCOMPARE(calculator.view.rpnRows, (QStringList { "5", "10" }));
        calculator.press(QStringLiteral("3 Enter"));
        QCOMPARE(calculator.view.rpnRows, (QStringList { "101", "1010", "11" }));
    }

    void rowsShowValuesNotTheTypedNumber()
    {
        RPNCalculator calculator;
        calculator.press(QStringLiteral("2 Enter 7 π"));
        QCOMPARE(calculator.view.rpnRows, (QStringList { "2", "3.141592654" }));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("7"));
    }

    void infiniteOperandsComputeWithTheirValue_data()
    {
        QTest::addColumn<QList<double>>("stack");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<double>("current");

        // clang-format off
        QTest::newRow("reciprocal of infinity") << QList<double> { 2, kInfinity } << "1/x"
            << QStringList { "2.0e+0", "0.0e+0" } << 0.0;
        QTest::newRow("infinity plus a number") << QList<double> { 7, 2, kInfinity } << "+"
            << QStringList { "7.0e+0" } << kInfinity;
        QTest::newRow("minus infinity times zero") << QList<double> { -kInfinity, 0 } << "*" << QStringList()
            << std::nan("");
        QTest::newRow("power of NaN") << QList<double> { 5, 3, std::nan("") } << "x^y"
            << QStringList { "5.0e+0" } << std::nan("");
        QTest::newRow("exponential of minus infinity") << QList<double> { 5, 6, -kInfinity } << "e^x"
            << QStringList { "5.0e+0", "6.0e+0", "0.0e+0" } << 0.0;
        // clang-format on
    }

    void infiniteOperandsComputeWithTheirValue()
    {
        QFETCH(QList<double>, stack);
        QFETCH(QString, keys);
        QFETCH(QStringList, after);
        QFETCH(double, current);
        RPNCalculator calculator;
        // A result from before that a stale reading would reuse.
        calculator.press(QStringLiteral("4 Enter 5 Enter + Clear"));
        for (const double value : stack)
            calculator.engine.EnterConstant(value);
        calculator.press(keys);
        QCOMPARE(calculator.stackLiterals(), after);
        QVERIFY2(
            sameNumber(calculator.state().CurrentNumber, current), qPrintable(calculator.currentLiteral()));
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void scriptThatDoesNotCompileTakesNoEarlierResult()
    {
        RPNCalculator calculator;
        calculator.press(QStringLiteral("4 Enter 5 Enter + 2 Enter"));
        QCOMPARE(calculator.stackLiterals(), (QStringList { "9.0e+0", "2.0e+0" }));
        calculator.engine.DoRPNSingleParameterFunction(
            QStringLiteral("NoSuchFunction("), QStringLiteral(")"));
        // The compile error is reported and clears the calculator; the 9
        // that the calculation context still holds is not pushed.
        QCOMPARE(calculator.view.dialogs.size(), 1);
        QCOMPARE(calculator.view.dialogs.front().icon, CalculatorView::ErrorIcon::Stop);
        QCOMPARE(calculator.stackLiterals(), QStringList());
        QCOMPARE(calculator.state().CurrentNumber, 0.0);
        QVERIFY(calculator.view.rpnStackEmpty);
    }

    void modeSwitch()
    {
        Calculator calculator;
        calculator.preferences.speakEverythingElse = true;
        QVERIFY(!calculator.view.rpnControlsEnabled);
        QCOMPARE(calculator.engine.GetCurrentRPNNoteString(), QStringLiteral("[Infix]"));
        calculator.press(QStringLiteral("2 +"));
        calculator.takeSpoken();
        const int redraws = calculator.view.redraws;
        calculator.engine.SetModeRPN();
        QVERIFY(calculator.preferences.usingRPNMode);
        QVERIFY(calculator.view.rpnControlsEnabled);
        QCOMPARE(calculator.view.redraws, redraws + 1);
        QCOMPARE(calculator.engine.GetCurrentRPNNoteString(), QStringLiteral("[RPN]  "));
        QCOMPARE(calculator.takeSpoken(),
            QStringList { QStringLiteral("!Entering Reverse Polish Notation mode") });
        // Neither switch clears the expression or the stack.
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("2+"));
        calculator.engine.DoRPNAppendToStack(1);
        calculator.engine.SetModeInfix();
        QVERIFY(!calculator.preferences.usingRPNMode);
        QVERIFY(!calculator.view.rpnControlsEnabled);
        QCOMPARE(calculator.takeSpoken(), QStringList { QStringLiteral("!Entering infix notation mode") });
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("1.0e+0") });
    }

    void spokenTexts()
    {
        RPNCalculator calculator;
        calculator.preferences.speakEverythingElse = true;
        calculator.preferences.speakResults = true;
        calculator.press(QStringLiteral("2 Enter 3 Enter +"));
        QCOMPARE(calculator.takeSpoken(),
            (QStringList { "!2", "!Entered onto RPN stack", "!3", "!Entered onto RPN stack", "!Plus",
                "+Top of RPN stack equals 5.0e+0" }));
        calculator.press(QStringLiteral("+"));
        QCOMPARE(calculator.takeSpoken(), (QStringList { "!Plus", "!Need more numbers" }));
        calculator.press(QStringLiteral("0 Enter ÷"));
        QCOMPARE(calculator.takeSpoken(),
            (QStringList { "!0", "!Entered onto RPN stack", "!Divided by",
                "+The result, INF, was not numeric, and therefore could not be appended to the RPN stack. "
                "The "
                "stack was not cleared." }));
    }

    void enterInInfixIsEqualsOnTheKeyboardOnly()
    {
        Calculator calculator;
        calculator.type(QStringLiteral("2+3\r"));
        QCOMPARE(calculator.state().CurrentNumber, 5.0);
        QVERIFY(calculator.state().rpnStack.isEmpty());
        calculator.preferences.usingRPNMode = true;
        calculator.type(QStringLiteral("\x03"));
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("5.0e+0") });
    }

    void powerKeyFlagIsTheRPNOperations_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("stack");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QStringList>("spoken");

        // clang-format off
        QTest::newRow("too few entries") << "5 Enter x^y" << QStringList { "5.0e+0" } << "Need more numbers"
            << QStringList { "!Need more numbers" };
        QTest::newRow("two entries") << "2 Enter 3 Enter x^y" << QStringList { "8.0e+0" } << ""
            << QStringList();
        // clang-format on
    }

    void powerKeyFlagIsTheRPNOperations()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, stack);
        QFETCH(QString, flag);
        QFETCH(QStringList, spoken);
        // A power key in infix entry wrapped the expression before the switch;
        // in RPN entry the key wraps nothing, so it neither says "To the power
        // of" nor sets "^".
        Calculator calculator;
        calculator.press(QStringLiteral("2 x^y 3 ="));
        calculator.preferences.usingRPNMode = true;
        calculator.press(keys.left(keys.lastIndexOf(QLatin1Char(' '))));
        calculator.preferences.speakEverythingElse = true;
        calculator.press(QStringLiteral("x^y"));
        QCOMPARE(calculator.stackLiterals(), stack);
        QCOMPARE(calculator.state().flagString, flag);
        QCOMPARE(calculator.takeSpoken(), spoken);
    }

    void enterPushesANonFiniteResult_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("pushed");

        QTest::newRow("infinity") << "1 ÷ 0 ="
                                  << "INF";
        QTest::newRow("minus infinity") << "1 ± ÷ 0 ="
                                        << "-INF";
        QTest::newRow("NaN") << "0 ÷ 0 ="
                             << "NAN";
    }

    void enterPushesANonFiniteResult()
    {
        // After an infinite or NaN result in infix entry the expression text
        // is its literal; Enter in RPN entry pushes that value, not 0.
        QFETCH(QString, keys);
        QFETCH(QString, pushed);
        Calculator calculator;
        calculator.press(keys);
        calculator.preferences.usingRPNMode = true;
        calculator.press(QStringLiteral("Enter"));
        QCOMPARE(calculator.stackLiterals(), QStringList { pushed });
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void memoryAndModKeysIgnoreTheMode()
    {
        RPNCalculator calculator;
        calculator.press(QStringLiteral("7 mod 3"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("7 mod 3"));
        QVERIFY(calculator.state().rpnStack.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCalculatorEngineRPN)
#include "tst_calculatorengine_rpn.moc"
