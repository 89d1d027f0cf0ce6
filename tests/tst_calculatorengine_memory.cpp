// SPDX-License-Identifier: GPL-3.0-or-later
// The 26 memory registers.
#include "tests/calculatorfixture.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

constexpr int A = 0;
constexpr int B = 1;
constexpr int Z = 25;

QStringList zeroRows()
{
    QStringList rows;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        rows << QStringLiteral("%1 (0)").arg(QLatin1Char(letter));
    return rows;
}

} // namespace

class TestCalculatorEngineMemory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshRegistersAreZero()
    {
        Calculator calculator;
        QCOMPARE(calculator.view.memoryRows, zeroRows());
        for (const double value : calculator.state().memoryValue)
            QCOMPARE(value, 0.0);
    }

    void setThenAdd()
    {
        Calculator calculator;
        calculator.press(QStringLiteral("5"));
        calculator.engine.DoSetMem(A);
        calculator.press(QStringLiteral("Clear 3"));
        calculator.engine.DoMemAdd(A);
        QCOMPARE(calculator.state().memoryValue[A], 8.0);
        QCOMPARE(calculator.view.memoryRows.at(A), QStringLiteral("A (8)"));
        // The display and the calculation stay as they were.
        QCOMPARE(calculator.state().CurrentNumber, 3.0);
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("3"));
        QCOMPARE(calculator.state().EnteredNumberAsString, QStringLiteral("3"));
    }

    void registerArithmetic_data()
    {
        QTest::addColumn<double>("held");
        QTest::addColumn<double>("shown");
        QTest::addColumn<int>("operation");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("row");

        // clang-format off
        QTest::newRow("M-") << 10.0 << 4.0 << 0 << 6.0 << "B (6)";
        QTest::newRow("M*") << 2.5 << 4.0 << 1 << 10.0 << "B (10)";
        QTest::newRow("M÷") << 10.0 << 4.0 << 2 << 2.5 << "B (2.5)";
        QTest::newRow("M÷ by zero") << 10.0 << 0.0 << 2 << std::numeric_limits<double>::infinity() << "B (inf)";
        QTest::newRow("M÷ zero by zero") << 0.0 << 0.0 << 2 << std::nan("") << "B (nan)";
        QTest::newRow("clear") << 10.0 << 4.0 << 3 << 0.0 << "B (0)";
        QTest::newRow("set") << 10.0 << 0.1 << 4 << 0.1 << "B (0.1)";
        // clang-format on
    }

    void registerArithmetic()
    {
        QFETCH(double, held);
        QFETCH(double, expected);
        QFETCH(double, shown);
        QFETCH(int, operation);
        QFETCH(QString, row);
        Calculator calculator;
        calculator.engine.EnterConstant(held);
        calculator.engine.DoSetMem(B);
        calculator.engine.EnterConstant(shown);
        using Operation = void (CalculatorEngine::*)(int);
        const Operation operations[] = { &CalculatorEngine::DoMemSubtract, &CalculatorEngine::DoMemMultiply,
            &CalculatorEngine::DoMemDivide, &CalculatorEngine::DoClearMem, &CalculatorEngine::DoSetMem };
        (calculator.engine.*operations[operation])(B);
        const double value = calculator.state().memoryValue[B];
        QVERIFY(std::isnan(expected) ? std::isnan(value) : value == expected);
        QCOMPARE(calculator.view.memoryRows.at(B), row);
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void memoryIntoCalculation_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("operation");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("evaluated");

        // clang-format off
        QTest::newRow("*M keeps precedence") << "2 + 3" << 2 << 14.0 << "2+3*4.0e+0";
        QTest::newRow("+M") << "5" << 0 << 9.0 << "5+4.0e+0";
        QTest::newRow("-M") << "5" << 1 << 1.0 << "5-4.0e+0";
        QTest::newRow("÷M") << "6" << 3 << 1.5 << "6/4.0e+0";
        QTest::newRow("after a dangling operator") << "5 +" << 0 << 9.0 << "5++4.0e+0";
        QTest::newRow("empty calculation uses the display") << "Clear" << 0 << 4.0 << "0.0e+0+4.0e+0";
        // clang-format on
    }

    void memoryIntoCalculation()
    {
        QFETCH(double, expected);
        QFETCH(QString, keys);
        QFETCH(int, operation);
        Calculator calculator;
        calculator.engine.EnterConstant(4);
        calculator.engine.DoSetMem(Z);
        calculator.press(keys);
        using Operation = void (CalculatorEngine::*)(int);
        const Operation operations[] = { &CalculatorEngine::DoAddMem, &CalculatorEngine::DoSubtractMem,
            &CalculatorEngine::DoMultiplyMem, &CalculatorEngine::DoDivideMem };
        (calculator.engine.*operations[operation])(Z);
        QCOMPARE(calculator.state().CurrentNumber, expected);
        QCOMPARE(calculator.state().currentCodeString, CodeFormat(expected, ExpressionMask));
        QFETCH(QString, evaluated);
        QCOMPARE(calculator.view.history,
            evaluated + QStringLiteral("\r= ") + calculator.engine.GetPresentedString(expected)
                + QStringLiteral("\r\r"));
    }

    void infiniteMemoryIntoCalculation()
    {
        // A register made infinite by M÷ 0 joins the calculation as INF; an
        // expression holding an infinity is evaluated as 0, with no dialog.
        Calculator calculator;
        calculator.engine.EnterConstant(1);
        calculator.engine.DoSetMem(B);
        calculator.press(QStringLiteral("Clear"));
        calculator.engine.DoMemDivide(B);
        calculator.press(QStringLiteral("2 +"));
        calculator.engine.DoAddMem(B);
        QCOMPARE(calculator.state().CurrentNumber, 0.0);
        QCOMPARE(calculator.view.history, QStringLiteral("0\r= 0\r\r"));
        QVERIFY(calculator.view.dialogs.isEmpty());
    }

    void addMemoryOnEmptyCalculationInRPN()
    {
        // The four keys work on the expression text in either entry mode.
        Calculator calculator;
        calculator.preferences.usingRPNMode = true;
        calculator.engine.EnterConstant(6);
        calculator.engine.DoSetMem(A);
        calculator.press(QStringLiteral("Clear 4 Enter"));
        calculator.engine.DoAddMem(A);
        QCOMPARE(calculator.state().CurrentNumber, 10.0);
        QCOMPARE(calculator.view.history, QStringLiteral("4.0e+0+6.0e+0\r= 10\r\r"));
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("4.0e+0") });
    }

    void useMem()
    {
        Calculator calculator;
        calculator.engine.EnterConstant(2.5);
        calculator.engine.DoSetMem(A);
        calculator.press(QStringLiteral("Clear 1 +"));
        calculator.engine.DoUseMem(A);
        QCOMPARE(calculator.state().currentCodeString, QStringLiteral("1+2.5e+0"));
        QCOMPARE(calculator.state().CurrentNumber, 2.5);

        calculator.preferences.usingRPNMode = true;
        calculator.engine.DoUseMem(A);
        QCOMPARE(calculator.stackLiterals(), QStringList { QStringLiteral("2.5e+0") });
    }

    void clearAllKeepsNothing()
    {
        Calculator calculator;
        for (int i = A; i <= Z; ++i) {
            calculator.engine.EnterConstant(i + 1);
            calculator.engine.DoSetMem(i);
        }
        QCOMPARE(calculator.view.memoryRows.at(Z), QStringLiteral("Z (26)"));
        calculator.engine.DoClearAllMem();
        QCOMPARE(calculator.view.memoryRows, zeroRows());
        for (const double value : calculator.state().memoryValue)
            QCOMPARE(value, 0.0);
    }

    void clearKeyKeepsMemories()
    {
        Calculator calculator;
        calculator.engine.EnterConstant(7);
        calculator.engine.DoSetMem(A);
        calculator.press(QStringLiteral("Clear"));
        QCOMPARE(calculator.state().memoryValue[A], 7.0);
    }

    void registerOutsideAToZChangesNothing()
    {
        Calculator calculator;
        calculator.preferences.speakEverythingElse = true;
        calculator.engine.EnterConstant(7);
        calculator.takeSpoken();
        for (const int i : { -1, 26 }) {
            calculator.engine.DoSetMem(i);
            calculator.engine.DoUseMem(i);
            calculator.engine.DoAddMem(i);
        }
        QCOMPARE(calculator.state().memoryValue[26], 0.0);
        QCOMPARE(calculator.takeSpoken(), QStringList());
        QCOMPARE(calculator.view.history, QString());
    }

    void spokenTexts()
    {
        Calculator calculator;
        calculator.preferences.speakEverythingElse = true;
        calculator.engine.DoSetMem(A);
        calculator.engine.DoClearMem(B);
        calculator.engine.DoClearAllMem();
        calculator.engine.DoMemAdd(2);
        calculator.engine.DoMemSubtract(3);
        calculator.engine.DoMemMultiply(4);
        calculator.engine.DoMemDivide(Z);
        calculator.engine.DoUseMem(A);
        calculator.engine.DoAddMem(A);
        calculator.engine.DoSubtractMem(B);
        calculator.engine.DoMultiplyMem(2);
        calculator.engine.DoDivideMem(3);
        QCOMPARE(calculator.takeSpoken(),
            (QStringList { "!Set memory A", "!Clear memory B", "!Clear all memories", "!Add into memory C",
                "!Subtract from memory D", "!Multiply into memory E", "!Divide into memory Z",
                "!Entered value 0.0e+0", "!Add memory A", "!Equals", "!Subtract memory B", "!Equals",
                "!Multiply by memory C", "!Equals", "!Divide by memory D", "!Equals" }));
    }

    void twoCalculatorsHaveTheirOwnRegisters()
    {
        Calculator first;
        Calculator second;
        first.engine.EnterConstant(3);
        first.engine.DoSetMem(A);
        QCOMPARE(second.state().memoryValue[A], 0.0);
        QCOMPARE(second.view.memoryRows.at(A), QStringLiteral("A (0)"));
    }
};

QTEST_GUILESS_MAIN(TestCalculatorEngineMemory)
#include "tst_calculatorengine_memory.moc"
