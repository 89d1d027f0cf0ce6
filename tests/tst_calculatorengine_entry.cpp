// SPDX-License-Identifier: GPL-3.0-or-later
// Number entry, the sign key, Clear, CE, ready-made values and typed keys.
#include "tests/calculatorfixture.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestCalculatorEngineEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void keySequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("current");

        // clang-format off
        QTest::newRow("second point refused") << "1 . 5 ." << "1.5" << "1.5" << "1.5e+0";
        QTest::newRow("lone point") << "." << "." << "." << "0.0e+0";
        QTest::newRow("exponent") << "5 EE 3" << "5e3" << "5e3" << "5.0e+3";
        QTest::newRow("unfinished exponent reads its leading number") << "5 EE" << "5e" << "5e" << "5.0e+0";
        QTest::newRow("second exponent refused") << "5 EE 3 EE" << "5e3" << "5e3" << "5.0e+3";
        QTest::newRow("exponent with nothing typed") << "EE" << "" << "" << "0.0e+0";
        QTest::newRow("digit after close bracket refused") << "( 5 ) 6" << "(5)" << "" << "5.0e+0";
        QTest::newRow("CE keeps the calculation") << "12 + 34 CE" << "12+" << "" << "0.0e+0";
        QTest::newRow("CE with nothing typed") << "12 + CE" << "12+" << "" << "0.0e+0";
        QTest::newRow("Clear") << "2 + 3 Clear" << "" << "" << "0.0e+0";
        QTest::newRow("pi after an operator is added") << "2 + π" << "2+3.141592653589793e+0" << ""
            << "3.141592653589793e+0";
        QTest::newRow("pi after a typed number starts anew") << "2 + 3 π" << "3.141592653589793e+0" << ""
            << "3.141592653589793e+0";
        QTest::newRow("e") << "e" << "2.718281828459045e+0" << "" << "2.718281828459045e+0";
        QTest::newRow("value after = replaces the result") << "2 + 3 = π" << "3.141592653589793e+0" << ""
            << "3.141592653589793e+0";
        QTest::newRow("pi after close bracket starts anew") << "( 1 ) π" << "3.141592653589793e+0" << ""
            << "3.141592653589793e+0";
        QTest::newRow("digit key after = starts a new number") << "2 + 3 = 7" << "7" << "7" << "7.0e+0";
        QTest::newRow("digit key after a value starts a new number") << "2 + π 7" << "7" << "7" << "7.0e+0";
        QTest::newRow("decimal key after = starts a new number") << "2 + 3 = . 5" << ".5" << ".5" << "5.0e-1";
        QTest::newRow("digit key after an operator continues") << "2 + 3 = + 7" << "5.0e+0+7" << "7"
            << "7.0e+0";
        QTest::newRow("sign of a subtraction") << "3 - 5 ±" << "8.0e+0" << "" << "8.0e+0";
        QTest::newRow("sign of a typed number") << "5 ±" << "-5.0e+0" << "" << "-5.0e+0";
        QTest::newRow("sign with nothing typed") << "±" << "-0.0e+0" << "" << "-0.0e+0";
        QTest::newRow("sign of a result keeps its exponent") << "3 = ±" << "-3.0e+0" << "" << "-3.0e+0";
        QTest::newRow("sign of a typed exponent number") << "5 EE 2 ±" << "-5.0e+2" << "" << "-5.0e+2";
        QTest::newRow("sign of a sum's last number") << "12 + 3 EE 1 ±" << "-1.8e+1" << "" << "-1.8e+1";
        QTest::newRow("sign of a bracket") << "( 2 + 3 ) ±" << "-5.0e+0" << "" << "-5.0e+0";
        // clang-format on
    }

    void keySequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, expression);
        QFETCH(QString, entry);
        QFETCH(QString, current);
        Calculator calculator;
        calculator.press(keys);
        QCOMPARE(calculator.state().currentCodeString, expression);
        QCOMPARE(calculator.state().EnteredNumberAsString, entry);
        QCOMPARE(calculator.currentLiteral(), current);
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void signKeyEvaluatesAndLogs_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("history");

        // clang-format off
        QTest::newRow("3 - 5 gives 8") << "3 - 5 ±" << "3--5\r= 8\r\r";
        QTest::newRow("result literal") << "3 = ±" << "3\r= 3\r\r-3.0e+0\r= -3\r\r";
        QTest::newRow("typed exponent") << "5 EE 2 ±" << "-5e2\r= -500\r\r";
        QTest::newRow("unfinished exponent") << "5 EE" << "-5e0\r= -5\r\r";
        // clang-format on
    }

    void signKeyEvaluatesAndLogs()
    {
        QFETCH(QString, keys);
        QFETCH(QString, history);
        Calculator calculator;
        calculator.press(keys);
        if (!keys.endsWith(QStringLiteral("±")))
            calculator.press(QStringLiteral("±"));
        QCOMPARE(calculator.view.history, history);
        QVERIFY(calculator.view.dialogs.isEmpty());
        QVERIFY(calculator.state().lastCommandWasToCalculate);
        QVERIFY(!calculator.state().windowWideDisplayPartial);
    }

    void signKeyOnPendingFunctionReportsTwice()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("2 x^y ±"));
        QCOMPARE(calculator.view.dialogs.size(), 2);
        for (const FakeCalculatorView::Dialog &dialog : calculator.view.dialogs) {
            QCOMPARE(dialog.icon, CalculatorView::ErrorIcon::Caution);
            QCOMPARE(dialog.explanation,
                QStringLiteral(
                    "I thought I'd fixed this, but if you can see this then obviously I am wrong. The "
                    "exact error is: \r\x03Unrecognised code: ',' found in -pow(2,"));
        }
        QCOMPARE(calculator.state().flagString, QStringLiteral("Need more numbers"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("-pow(2,"));
        QCOMPARE(calculator.view.history, QString());
    }

    void clearKeepsMemoriesHistoryAndLastCalculation()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("4"));
        calculator.engine.DoSetMem(2);
        calculator.press(QStringLiteral("+ 1 = +"));
        calculator.press(QStringLiteral("3 = Clear"));
        QCOMPARE(calculator.state().memoryValue[2], 4.0);
        QCOMPARE(calculator.view.history, QStringLiteral("4+1\r= 5\r\r5.0e+0+3\r= 8\r\r"));
        QCOMPARE(calculator.state().flagString, QString());
        QVERIFY(calculator.state().lastCommandWasToCalculate);
        QCOMPARE(calculator.view.rpnRows, QStringList { QStringLiteral("The RPN stack is empty") });
        QVERIFY(calculator.view.rpnStackEmpty);
    }

    void enterConstantClearsFlagAndSetsLastCalculation()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("2 +"));
        QCOMPARE(calculator.state().flagString, QStringLiteral("+"));
        QVERIFY(!calculator.state().lastCommandWasToCalculate);
        calculator.engine.EnterConstant(0.125);
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("2+1.25e-1"));
        QCOMPARE(calculator.state().flagString, QString());
        QVERIFY(calculator.state().lastCommandWasToCalculate);
        QCOMPARE(calculator.state().CurrentNumber, 0.125);
    }

    void randomComesFromTheInjectedSource()
    {
        Calculator calculator;
        const double draws[] = { 0.25, 0.5 };
        int next = 0;
        calculator.engine.SetRandomSource([&] { return draws[next++]; });
        calculator.preferences.speakEverythingElse = true;
        calculator.press(QStringLiteral("Random"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("2.5e-1"));
        calculator.press(QStringLiteral("* Random ="));
        QCOMPARE(calculator.state().CurrentNumber, 0.125);
        QCOMPARE(calculator.takeSpoken(),
            (QStringList { "!Random number", "!Entered value 2.5e-1", "!Multiplied by", "!Random number",
                "!Entered value 5.0e-1", "!Equals" }));
    }

    void spokenTexts_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("spoken");

        // clang-format off
        QTest::newRow("digits") << "1 ." << QStringList { "!1", "!." };
        QTest::newRow("refused point") << "1 . ." << QStringList { "!1", "!.", "!.", "!Not entered" };
        QTest::newRow("exponent") << "5 EE" << QStringList { "!5", "!Times ten to the power of", "!e" };
        QTest::newRow("second exponent") << "5 EE EE" << QStringList {
            "!5", "!Times ten to the power of", "!e", "!Cannot exponentiate twice in one number" };
        QTest::newRow("sign") << "±" << QStringList { "!Invert sign" };
        QTest::newRow("clear and CE") << "Clear CE" << QStringList { "!Clear", "!Clear entry" };
        QTest::newRow("pi") << "π" << QStringList { "!Entered value 3.141592653589793e+0" };
        // clang-format on
    }

    void spokenTexts()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, spoken);
        QCOMPARE(Calculator::spokenWhilePressing(keys), spoken);

        // Silent with the preference off.
        Calculator silent;
        silent.press(keys);
        QCOMPARE(silent.takeSpoken(), QStringList());
    }

    void typedKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("flag");

        // clang-format off
        QTest::newRow("sum") << "123+456=" << "5.79e+2" << "5.79e+2" << "";
        QTest::newRow("= then Return") << "2+3=\r" << "5.0e+0" << "5.0e+0" << "";
        QTest::newRow("Enter key") << "2*3\x03" << "6.0e+0" << "6.0e+0" << "";
        QTest::newRow("digit after = starts anew") << "2+3=7" << "7" << "7.0e+0" << "";
        QTest::newRow("operator after = continues") << "2+3=+" << "5.0e+0+" << "5.0e+0" << "+";
        QTest::newRow("minus after e is the exponent's sign") << "5E-3" << "5e-3" << "5.0e-3" << "";
        QTest::newRow("exponent key") << "5E" << "5e" << "5.0e+0" << "";
        QTest::newRow("minus elsewhere subtracts") << "5-3" << "5-3" << "3.0e+0" << "-";
        QTest::newRow("negative exponent evaluates") << "5E-3=" << "5.0e-3" << "5.0e-3" << "";
        QTest::newRow("lower-case c does nothing") << "7c" << "7" << "7.0e+0" << "";
        QTest::newRow("C clears") << "7+2C" << "" << "0.0e+0" << "";
        QTest::newRow("Escape clears") << "7+2\x1b" << "" << "0.0e+0" << "";
        QTest::newRow("slash divides") << "8/" << "8/" << "8.0e+0" << "÷";
        QTest::newRow("division sign divides") << "8÷2=" << "4.0e+0" << "4.0e+0" << "";
        QTest::newRow("backslash") << "7\\2=" << "3.0e+0" << "3.0e+0" << "";
        QTest::newRow("brackets") << "(1+2)*3=" << "9.0e+0" << "9.0e+0" << "";
        QTest::newRow("plus-minus sign") << "3-5±" << "8.0e+0" << "8.0e+0" << "";
        QTest::newRow("square root") << "9√" << "Sqrt(9)" << "3.0e+0" << "";
        QTest::newRow("absolute value") << "5±|" << "abs(-5.0e+0)" << "5.0e+0" << "";
        QTest::newRow("power") << "2^3=" << "8.0e+0" << "8.0e+0" << "";
        QTest::newRow("factorial") << "5!" << "Factorial(5)" << "1.2e+2" << "";
        QTest::newRow("sum to x") << "4∑" << "SumXToY(0, 4)" << "1.0e+1" << "";
        QTest::newRow("pi") << "π" << "3.141592653589793e+0" << "3.141592653589793e+0" << "";
        QTest::newRow("e") << "e" << "2.718281828459045e+0" << "2.718281828459045e+0" << "";
        QTest::newRow("other keys change nothing") << "7\t\b" << "7" << "7.0e+0" << "";
        QTest::newRow("= again on infinity gives 0") << "1/0==" << "0.0e+0" << "0.0e+0" << "";
        QTest::newRow("e replaces an infinite result") << "1/0=e" << "2.718281828459045e+0"
            << "2.718281828459045e+0" << "";
        QTest::newRow("pi replaces a NaN result") << "0/0=\tπ" << "3.141592653589793e+0"
            << "3.141592653589793e+0" << "";
        QTest::newRow("no digit extends an infinite result") << "1/0=\t7" << "INF" << "INF" << "";
        QTest::newRow("bracket after infinity starts afresh") << "1/0=(" << "(" << "0.0e+0" << "(";
        // clang-format on
    }

    void typedKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expression);
        QFETCH(QString, current);
        QFETCH(QString, flag);
        Calculator calculator;
        calculator.type(typed);
        QCOMPARE(calculator.state().currentCodeString, expression);
        QCOMPARE(calculator.currentLiteral(), current);
        QCOMPARE(calculator.state().flagString, flag);
    }

    void everyTypedKeyRedraws()
    {
        Calculator calculator;
        const int before = calculator.view.redraws;
        calculator.engine.HandleKeyDown(QStringLiteral("\t"));
        calculator.engine.HandleKeyDown(QString());
        QCOMPARE(calculator.view.redraws, before + 2);
    }

    void typedNonDigitClearsLastCalculation()
    {
        Calculator calculator;
        calculator.type(QStringLiteral("2+3="));
        QVERIFY(calculator.state().lastCommandWasToCalculate);
        calculator.type(QStringLiteral("\t7"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("5.0e+07"));
    }

    void returnInRPNEntryPushes()
    {
        Calculator calculator;
        calculator.preferences.usingRPNMode = true;
        calculator.type(QStringLiteral("2\r3=-"));
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("-1.0e+0") });
    }

    void onScreenDigitsAfterCalculationMatchTypedDigits()
    {
        Calculator clicked;
        clicked.press(QStringLiteral("2 + 3 = 4 . 5 + 1 ="));
        Calculator typed;
        typed.type(QStringLiteral("2+3=4.5+1="));
        QCOMPARE(clicked.view.history, typed.view.history);
        QCOMPARE(clicked.state().CurrentNumber, 5.5);
    }

    void addDigitToStringItselfExtendsTheResult()
    {
        // The operation keeps its own rule; only the keys start a new number.
        Calculator calculator;
        calculator.press(QStringLiteral("2 + 3 ="));
        calculator.engine.AddDigitToString(QStringLiteral("7"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("5.0e+07"));
    }

    void decimalCommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(LocalDecimalSeparator(), QStringLiteral(","));

        // The decimal key shows "," and passes it on; the expression keeps "."
        // for the script engine, the display shows the user's notation.
        Calculator clicked;
        clicked.press(QStringLiteral("3"));
        clicked.engine.NumberKey(QStringLiteral(","));
        clicked.press(QStringLiteral("5"));
        clicked.engine.NumberKey(QStringLiteral(","));
        QCOMPARE(clicked.state().currentCodeString, QStringLiteral("3.5"));
        QCOMPARE(clicked.state().CurrentNumber, 3.5);
        QCOMPARE(clicked.engine.GetPresentedString(clicked.state().CurrentNumber), QStringLiteral("3,5"));
        clicked.press(QStringLiteral("* 2 ="));
        QCOMPARE(clicked.state().CurrentNumber, 7.0);

        // Typed, both "," and "." are the decimal point there.
        Calculator typed;
        typed.type(QStringLiteral("1,5+1.25="));
        QCOMPARE(typed.state().CurrentNumber, 2.75);
        QCOMPARE(typed.view.history, QStringLiteral("1.5+1.25\r= 2,75\r\r"));
    }

    void commaIsNoKeyWherePointIsTheSeparator()
    {
        Calculator calculator;
        calculator.type(QStringLiteral("1,5"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("15"));
    }

    void ceRemovesTopOfStackInEitherMode()
    {
        Calculator calculator;
        calculator.engine.DoRPNAppendToStack(1);
        calculator.engine.DoRPNAppendToStack(2);
        calculator.press(QStringLiteral("7 CE"));
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("1.0e+0") });
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("7"));
        QCOMPARE(calculator.state().EnteredNumberAsString, QStringLiteral("7"));
    }

    void signOfEnteredInfinityStartsFromZero()
    {
        Calculator calculator;
        calculator.engine.EnterConstant(std::numeric_limits<double>::infinity());
        QVERIFY(std::isinf(calculator.state().CurrentNumber));
        calculator.press(QStringLiteral("±"));
        // An expression holding an infinity is taken as 0, so the sign key
        // gives minus zero, shown as 0.
        QCOMPARE(calculator.view.history, QStringLiteral("-0.0\r= 0\r\r"));
        QCOMPARE(calculator.state().CurrentNumber, 0.0);
        QVERIFY(std::signbit(calculator.state().CurrentNumber));
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void digitAfterNonFiniteResultIsRefused()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("0 ÷ 0 ="));
        calculator.preferences.speakEverythingElse = true;
        const int redraws = calculator.view.redraws;
        calculator.engine.AddDigitToString(QStringLiteral("7"));
        QCOMPARE(calculator.takeSpoken(), (QStringList { "!7", "!Not entered" }));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("NAN"));
        QCOMPARE(calculator.state().EnteredNumberAsString, QString());
        QVERIFY(std::isnan(calculator.state().CurrentNumber));
        QCOMPARE(calculator.view.redraws, redraws);
    }
};

QTEST_GUILESS_MAIN(TestCalculatorEngineEntry)
#include "tst_calculatorengine_entry.moc"
