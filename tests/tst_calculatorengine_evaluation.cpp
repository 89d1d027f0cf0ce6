// SPDX-License-Identifier: GPL-3.0-or-later
// Completion, evaluation, results, the history log, the flag and the two
// error dialogs.
#include "engine/codecompletion.h"
#include "engine/codetext.h"
#include "tests/calculatorfixture.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

const QString kFurball = QStringLiteral(
    "I'm terribly sorry, but this program has just coughed up a digital furball, and cannot carry out your "
    "order. "
    "I'd appreicate it if you could take a screenshot of this and email it to me (bugs@zorvane.org).");
const QString kExplanationStart = QStringLiteral(
    "I thought I'd fixed this, but if you can see this then obviously I am wrong. The exact error is: ");

} // namespace

class TestCalculatorEngineEvaluation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void finishCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("finished");
        QTest::addColumn<bool>("unrecognised");

        // clang-format off
        QTest::newRow("empty") << "" << "LITERAL" << false;
        QTest::newRow("plus") << "2+" << "2+0" << false;
        QTest::newRow("minus") << "2-" << "2-0" << false;
        QTest::newRow("times") << "2*" << "2*1" << false;
        QTest::newRow("integer division") << "2\\" << "2\\1" << false;
        QTest::newRow("division") << "2/" << "2/1" << false;
        QTest::newRow("exponent") << "5e" << "5e0" << false;
        QTest::newRow("capital exponent") << "5E" << "5E0" << false;
        QTest::newRow("point") << "5." << "5.0" << false;
        QTest::newRow("mod") << "7 mod " << "7" << false;
        QTest::newRow("pow") << "pow(2," << "pow(2,1)" << false;
        QTest::newRow("nth root") << "NthRoot(8," << "NthRoot(8,1)" << false;
        QTest::newRow("sum") << "SumXToY(5," << "SumXToY(5,0)" << false;
        QTest::newRow("product") << "MultiplyXToY(5," << "MultiplyXToY(5,0)" << false;
        QTest::newRow("nested pow") << "pow(pow(2,3)," << "pow(pow(2,3),1)" << false;
        QTest::newRow("unknown function") << "-pow(2," << "-pow(2," << true;
        QTest::newRow("digit") << "12" << "12" << false;
        QTest::newRow("open bracket") << "(" << "(" << false;
        QTest::newRow("close bracket") << "(1)" << "(1)" << false;
        QTest::newRow("infinity") << "INF" << "INF" << false;
        QTest::newRow("minus infinity") << "-INF" << "-INF" << false;
        QTest::newRow("NaN") << "NAN" << "NAN" << false;
        QTest::newRow("lower-case infinity after operator") << "2+inf" << "2+inf" << false;
        QTest::newRow("infinity in brackets") << "(INF" << "(INF" << false;
        QTest::newRow("tail of a longer name") << "XNAN" << "XNAN" << true;
        QTest::newRow("letter") << "result" << "result" << true;
        QTest::newRow("blank other than mod") << "7 " << "7 " << true;
        // clang-format on
    }

    void finishCode()
    {
        QFETCH(QString, text);
        QFETCH(QString, finished);
        QFETCH(bool, unrecognised);
        QStringList reported;
        const QString actual
            = FinishCode(text, QStringLiteral("LITERAL"), [&](const QString &whole) { reported << whole; });
        QCOMPARE(actual, finished);
        QCOMPARE(reported, unrecognised ? QStringList { text } : QStringList());
    }

    void fixCodeBrackets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fixed");

        // clang-format off
        QTest::newRow("closes brackets") << "(1+(2" << "(1+(2))";
        QTest::newRow("drops trailing open brackets") << "((" << "LITERAL";
        QTest::newRow("drops and closes") << "(1+(" << "(1+0)";
        QTest::newRow("trims blanks first") << "  (5  " << "(5)";
        QTest::newRow("balanced") << "(1)" << "(1)";
        // clang-format on
    }

    void fixCodeBrackets()
    {
        QFETCH(QString, text);
        QFETCH(QString, fixed);
        QStringList reported;
        const QString actual = FixCodeBrackets(
            text, QStringLiteral("LITERAL"), [&](const QString &whole) { reported << whole; });
        QCOMPARE(actual, fixed);
        QCOMPARE(reported, QStringList());
    }

    void fixLeadingZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fixed");

        // clang-format off
        QTest::newRow("after bracket") << "(05" << "(5";
        QTest::newRow("fraction after bracket") << "(0.5" << "(.5";
        QTest::newRow("after plus") << "3+05" << "3+05";
        QTest::newRow("only the first place") << "(05+(06" << "(5+(06";
        QTest::newRow("lone zero stays") << "(0)" << "(0)";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("at the start") << "05" << "05";
        QTest::newRow("after a blank") << "7 mod 05" << "7 mod 5";
        QTest::newRow("after a comma") << "pow(2,05)" << "pow(2,5)";
        QTest::newRow("after an exponent letter") << "(1e05)" << "(1e5)";
        QTest::newRow("two zeros lose one") << "(00.5" << "(0.5";
        QTest::newRow("after a star") << "2*05" << "2*05";
        QTest::newRow("after integer division") << "2\\05" << "2\\05";
        QTest::newRow("zero before a bracket") << "(0+(05" << "(0+(5";
        QTest::newRow("zero at the end") << "(0" << "(0";
        // clang-format on
    }

    void fixLeadingZero()
    {
        QFETCH(QString, text);
        QFETCH(QString, fixed);
        QCOMPARE(FixLeadingZero(text), fixed);
    }

    void textTests()
    {
        QVERIFY(IsDigitNumeric(QStringLiteral("7")) && IsDigitNumeric(QStringLiteral(".")));
        QVERIFY(!IsDigitNumeric(QStringLiteral("e")) && !IsDigitNumeric(QStringLiteral(",")));
        QVERIFY(IsStringNumeric(QStringLiteral("-1.5e+3")) && IsStringNumeric(QStringLiteral(".")));
        QVERIFY(IsStringNumeric(QStringLiteral("5.")) && IsStringNumeric(QStringLiteral("3.0e+0")));
        QVERIFY(!IsStringNumeric(QStringLiteral("5e3")) && !IsStringNumeric(QStringLiteral("INF")));
        QVERIFY(!IsStringNumeric(QStringLiteral(")")) && !IsStringNumeric(QString()));
        for (const char *op : { "+", "-", "/", "\\", "*" })
            QVERIFY(IsDigitOperator(QString::fromLatin1(op)));
        QVERIFY(!IsDigitOperator(QStringLiteral("^")) && !IsDigitOperator(QStringLiteral("÷")));
        QVERIFY(IsDigitAlpha(QStringLiteral("e")) && !IsDigitAlpha(QStringLiteral("π")));
        QVERIFY(IsStringError(QStringLiteral("-inf")) && IsStringError(QStringLiteral("2+NaN")));
        QVERIFY(!IsStringError(QStringLiteral("Sin(1)")));
        QVERIFY(IsStringNull(QString()) && !IsStringNull(QStringLiteral(" ")));
        QVERIFY(IsStringNullOrError(QString()) && IsStringNullOrError(QStringLiteral("INF")));
        QVERIFY(!IsStringNullOrError(QStringLiteral("0")));
        for (const char *text : { "INF", "-INF", "nan", "2+NaN", "(INF", "Sqrt(2)*INF" })
            QVERIFY2(EndsWithNonFiniteLiteral(QString::fromLatin1(text)), text);
        for (const char *text : { "", "INF+", "Sqrt(INF)", "XINF", "5INF", "INFO", "2" })
            QVERIFY2(!EndsWithNonFiniteLiteral(QString::fromLatin1(text)), text);
        QCOMPARE(TrailingNumberStart(QStringLiteral("3-5")), 2);
        QCOMPARE(TrailingNumberStart(QStringLiteral("12+3.0e+0")), 3);
        QCOMPARE(TrailingNumberStart(QStringLiteral("2*5e")), 2);
        QCOMPARE(TrailingNumberStart(QStringLiteral("(2+3)")), -1);
        QCOMPARE(TrailingNumberStart(QStringLiteral("XINF")), -1);
        QCOMPARE(fixTrailingOperators(QStringLiteral("7 mod ")), QStringLiteral("7"));
        QCOMPARE(fixTrailingOperators(QStringLiteral("7+")), QStringLiteral("7"));
        QCOMPARE(fixTrailingOperators(QStringLiteral("7+-")), QStringLiteral("7+"));
        QCOMPARE(fixTrailingOperators(QStringLiteral("7")), QStringLiteral("7"));
        QVERIFY(
            HasMissingArgument(QStringLiteral("pow(2,)")) && !HasMissingArgument(QStringLiteral("pow(2,1)")));
    }

    void completionAtEquals_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("evaluated");

        // clang-format off
        QTest::newRow("fresh calculator") << "=" << 0.0 << "0.0e+0";
        QTest::newRow("dangling plus") << "2 + =" << 2.0 << "2+0";
        QTest::newRow("dangling times") << "2 * =" << 2.0 << "2*1";
        QTest::newRow("dangling division") << "2 ÷ =" << 2.0 << "2/1";
        QTest::newRow("unfinished exponent") << "5 EE =" << 5.0 << "5e0";
        QTest::newRow("dangling point") << "5 . =" << 5.0 << "5.0";
        QTest::newRow("dangling mod") << "7 mod =" << 7.0 << "7";
        QTest::newRow("missing bracket") << "( 1 + 2 =" << 3.0 << "(1+2)";
        QTest::newRow("only open brackets") << "( ( =" << 0.0 << "0.0e+0";
        QTest::newRow("missing exponent of pow") << "2 x^y =" << 2.0 << "pow(2,1)";
        QTest::newRow("missing end of a sum") << "5 ∑XtoY =" << -10.0 << "SumXToY(5,0)";
        QTest::newRow("missing end of a product") << "5 ∏XtoY =" << 1.0 << "MultiplyXToY(5,0)";
        QTest::newRow("leading zero after bracket") << "( 0 . 5 =" << 0.5 << "(.5)";
        QTest::newRow("integer division") << "7 \\ 2 =" << 3.0 << "7\\2";
        QTest::newRow("division by zero") << "1 ÷ 0 =" << std::numeric_limits<double>::infinity() << "1/0";
        // clang-format on
    }

    void completionAtEquals()
    {
        QFETCH(QString, keys);
        QFETCH(double, expected);
        QFETCH(QString, evaluated);
        Calculator calculator;
        calculator.press(keys);
        QCOMPARE(calculator.currentLiteral(), CodeFormat(expected, ExpressionMask));
        QVERIFY(calculator.view.history.endsWith(evaluated + QStringLiteral("\r= ")
            + calculator.engine.GetPresentedString(expected) + QStringLiteral("\r\r")));
        QCOMPARE(calculator.state().currentCodeString, CodeFormat(expected, ExpressionMask));
        QCOMPARE(calculator.state().flagString, QString());
        QVERIFY(calculator.state().lastCommandWasToCalculate);
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void historyEntryFormat()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("1 + 2 ="));
        QCOMPARE(calculator.view.history, QStringLiteral("1+2\r= 3\r\r"));
        calculator.view.displayBase = QStringLiteral("2 (Binary)");
        calculator.press(QStringLiteral("+ 2 ="));
        QCOMPARE(calculator.view.history, QStringLiteral("1+2\r= 3\r\r3.0e+0+2\r= 101\r\r"));
    }

    void missingSecondArgumentStopsEverything()
    {
        // The sign key puts "-" in front of "pow(2,": completion does not
        // know the function -pow, so ",)" remains and nothing runs or is
        // logged, at the sign key and at "=" alike.
        Calculator calculator;
        calculator.preferences.speakEverythingElse = true;
        calculator.press(QStringLiteral("2 x^y ±"));
        QCOMPARE(calculator.state().flagString, QStringLiteral("Need more numbers"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("-pow(2,"));
        QVERIFY(!calculator.state().lastCommandWasToCalculate);
        calculator.takeSpoken();
        calculator.press(QStringLiteral("="));
        QCOMPARE(calculator.takeSpoken(), (QStringList { "!Equals", "!Need more numbers" }));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("-pow(2,"));
        QCOMPARE(calculator.state().CurrentNumber, 2.0);
        QCOMPARE(calculator.view.history, QString());
        QCOMPARE(calculator.view.dialogs.size(), 4);
    }

    void internalErrorDialogTexts()
    {
        Calculator calculator;
        calculator.view.chooseSendEmail = true;
        calculator.press(QStringLiteral("2 x^y ±"));
        QCOMPARE(calculator.view.dialogs.size(), 2);
        const FakeCalculatorView::Dialog &dialog = calculator.view.dialogs.front();
        QCOMPARE(dialog.icon, CalculatorView::ErrorIcon::Caution);
        QCOMPARE(dialog.message, kFurball);
        QCOMPARE(dialog.explanation,
            kExplanationStart + QStringLiteral("\r\x03Unrecognised code: ',' found in -pow(2,"));
        // "Send Email..." opens the bug report with an empty text, once per dialog.
        QCOMPARE(calculator.view.bugReports, (QStringList { QString(), QString() }));
    }

    void compileErrorDialogClearsAndLogs()
    {
        Calculator calculator;
        calculator.view.chooseSendEmail = true;
        calculator.preferences.speakEverythingElse = true;
        calculator.engine.AppendToSequence(QStringLiteral("DoAdd"));
        // A value entered right after an unfinished exponent joins it: the
        // text 2e3.141592653589793e+0 does not compile.
        calculator.press(QStringLiteral("2 EE π"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("2e3.141592653589793e+0"));
        calculator.takeSpoken();
        calculator.press(QStringLiteral("="));

        QCOMPARE(calculator.view.dialogs.size(), 1);
        const FakeCalculatorView::Dialog &dialog = calculator.view.dialogs.front();
        QCOMPARE(dialog.icon, CalculatorView::ErrorIcon::Stop);
        QCOMPARE(dialog.message, kFurball);
        const QString source = QStringLiteral("result = 2e3.141592653589793e+0\rPrint \"\"");
        static const QRegularExpression explanation(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(
                kExplanationStart + QStringLiteral("\r\x03On line number 1, the parser had the error '"))
            + QStringLiteral(".+' \\(id=\\d+\\)\\. ")
            + QRegularExpression::escape(QStringLiteral("\r\x03\r\x03The code which caused this is: '")
                + source + QStringLiteral("'"))));
        QVERIFY2(explanation.match(dialog.explanation).hasMatch(), qPrintable(dialog.explanation));
        QCOMPARE(calculator.view.bugReports, QStringList { source });

        // Cleared as by the Clear key, the log emptied, the history written.
        QCOMPARE(calculator.state().currentCodeString, CodeFormat(0.0, ExpressionMask));
        QCOMPARE(calculator.state().CurrentNumber, 0.0);
        QCOMPARE(calculator.state().sequence, QString());
        QCOMPARE(calculator.view.history,
            QStringLiteral("2e3.141592653589793e+0\r= ") + calculator.engine.GetPresentedString(0.0)
                + QStringLiteral("\r\r"));
        QCOMPARE(calculator.takeSpoken(), (QStringList { "!Equals", "!Clear" }));
    }

    void nonFiniteResultsEndTheCalculation_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("evaluated");

        constexpr double inf = std::numeric_limits<double>::infinity();
        // An infinite or NaN result ends the calculation: "=" again evaluates
        // 0, an operator clears first, and the sign and function keys take
        // the expression as 0.0 (which the evaluation writes .0 inside a
        // bracket). None of it shows a dialog.
        // clang-format off
        QTest::newRow("equals again on infinity") << "1 ÷ 0 = =" << 0.0 << "0";
        QTest::newRow("equals again on NaN") << "0 ÷ 0 = =" << 0.0 << "0";
        QTest::newRow("equals again on minus infinity") << "0 - 1 = ÷ 0 = =" << 0.0 << "0";
        QTest::newRow("plus after infinity") << "1 ÷ 0 = + 2 =" << 2.0 << "0.0e+0+2";
        QTest::newRow("times after NaN") << "0 ÷ 0 = * 2 =" << 0.0 << "0.0e+0*2";
        QTest::newRow("infinity minus infinity") << "1 ÷ 0 = - 1 ÷ 0 =" << -inf << "0.0e+0-1/0";
        QTest::newRow("dangling operator after infinity") << "1 ÷ 0 = ÷ =" << 0.0 << "0.0e+0/1";
        QTest::newRow("sign of infinity") << "1 ÷ 0 = ±" << 0.0 << "-0.0";
        QTest::newRow("sign twice") << "1 ÷ 0 = ± ±" << 0.0 << "--0.0e+0";
        QTest::newRow("square root of infinity") << "1 ÷ 0 = √" << 0.0 << "Sqrt(.0)";
        QTest::newRow("reciprocal of infinity") << "1 ÷ 0 = 1/x" << inf << "1/(.0)";
        QTest::newRow("power of infinity") << "1 ÷ 0 = x^y 2 =" << 0.0 << "pow(.0,2)";
        QTest::newRow("pending power of infinity") << "1 ÷ 0 = x^y =" << 0.0 << "pow(.0,1)";
        QTest::newRow("dangling mod after infinity") << "1 ÷ 0 = mod =" << 0.0 << "0.0";
        // clang-format on
    }

    void nonFiniteResultsEndTheCalculation()
    {
        QFETCH(QString, keys);
        QFETCH(double, expected);
        QFETCH(QString, evaluated);
        Calculator calculator;
        calculator.press(keys);
        const double actual = calculator.state().CurrentNumber;
        QVERIFY2(std::isnan(expected) ? std::isnan(actual) : actual == expected && !std::isnan(actual),
            qPrintable(calculator.currentLiteral()));
        QVERIFY2(calculator.view.history.endsWith(QStringLiteral("\r\r") + evaluated + QStringLiteral("\r= ")
                     + calculator.engine.GetPresentedString(actual) + QStringLiteral("\r\r")),
            qPrintable(calculator.view.history));
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void resultsSpoken()
    {
        Calculator calculator;
        calculator.preferences.speakResults = true;
        calculator.press(QStringLiteral("2 + 3 ="));
        QCOMPARE(calculator.takeSpoken(), QStringList { QStringLiteral("!5.0e+0") });
        // Partial evaluations are not spoken as results.
        calculator.press(QStringLiteral("√"));
        QCOMPARE(calculator.takeSpoken(), QStringList());

        calculator.preferences.speakEverythingElse = true;
        calculator.press(QStringLiteral("="));
        QCOMPARE(calculator.takeSpoken(),
            (QStringList { "!Equals", "!" + CodeFormat(std::sqrt(5.0), ExpressionMask) }));
    }

    void printLeavesPartialExpression()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("2 + 2 √"));
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("Sqrt(2+2)"));
        QCOMPARE(calculator.state().CurrentNumber, 2.0);
        QCOMPARE(calculator.state().flagString, QString());
        calculator.press(QStringLiteral("+ 1 ="));
        QCOMPARE(calculator.state().CurrentNumber, 3.0);
        QCOMPARE(calculator.view.history, QStringLiteral("Sqrt(2+2)\r= 2\r\rSqrt(2+2)+1\r= 3\r\r"));
    }

    void displayBaseChangeRedraws()
    {
        Calculator calculator;
        const int redraws = calculator.view.redraws;
        calculator.view.displayBase = QStringLiteral("16 (Hexadecimal)");
        calculator.engine.DisplayBaseChanged();
        QCOMPARE(calculator.view.redraws, redraws + 1);
        calculator.press(QStringLiteral("255 ="));
        QCOMPARE(
            calculator.engine.GetPresentedString(calculator.state().CurrentNumber), QStringLiteral("FF"));
    }

    void presentationFollowsEveryDisplayBaseText()
    {
        // 255 is FF, 11111111 and 377. Each text is a string of its own; an
        // unknown one presents nothing.
        Calculator calculator;
        calculator.press(QStringLiteral("255 ="));
        const auto presented = [&](const char *base) {
            calculator.view.displayBase = QString::fromLatin1(QByteArray(base));
            return calculator.engine.GetPresentedString(calculator.state().CurrentNumber);
        };
        QCOMPARE(presented("16 (Hexadecimal)"), QStringLiteral("FF"));
        QCOMPARE(presented("2 (Binary)"), QStringLiteral("11111111"));
        QCOMPARE(presented("Roman"), QString());
        QCOMPARE(presented("8 (Octal)"), QStringLiteral("377"));
        QCOMPARE(presented("9 (Nonal)"), QString()); // as long as the last one
        QCOMPARE(presented("8 (Octal)"), QStringLiteral("377"));
        QCOMPARE(presented("10 (Denary, normal)"), QStringLiteral("255"));
        QCOMPARE(presented("16 (Hexadecimal)"), QStringLiteral("FF"));

        // The window's string changed where it stands.
        calculator.view.displayBase.clear();
        calculator.view.displayBase += QLatin1String("8 (Octal)");
        QCOMPARE(calculator.engine.GetPresentedString(255), QStringLiteral("377"));
        calculator.view.displayBase.replace(0, 9, QStringLiteral("2 (Binary)"));
        QCOMPARE(calculator.engine.GetPresentedString(255), QStringLiteral("11111111"));
    }
};

QTEST_GUILESS_MAIN(TestCalculatorEngineEvaluation)
#include "tst_calculatorengine_evaluation.moc"
