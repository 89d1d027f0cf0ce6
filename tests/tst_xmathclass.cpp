// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/xmathclass.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr qint32 Lowest = std::numeric_limits<qint32>::min();
constexpr qint32 Highest = std::numeric_limits<qint32>::max();

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QByteArray show(double x)
{
    return QByteArray::number(x, 'g', 17) + " (0x" + QByteArray::number(std::bit_cast<quint64>(x), 16) + ")";
}

// The product x · (x + 1) · … · y taken factor by factor, the definition that
// MultiplyXToY must match bit for bit.
double stepByStepProduct(qint64 x, qint64 y)
{
    double p = 1;
    for (qint64 k = x; k <= y; ++k)
        p *= static_cast<double>(k);
    return p;
}
} // namespace

class TestXMathClass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resultStartsAtZero()
    {
        const XMathClass context;
        QCOMPARE(context.result, 0.0);
    }

    void factorial_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("0") << 0.0 << 1.0;
        QTest::newRow("0.5") << 0.5 << 1.0;
        QTest::newRow("1") << 1.0 << 1.0;
        QTest::newRow("5") << 5.0 << 120.0;
        QTest::newRow("fraction cut off") << 4.7 << 24.0;
        QTest::newRow("sign carries over") << -3.0 << -6.0;
        QTest::newRow("negative fraction") << -0.5 << -1.0;
        QTest::newRow("20 is exact") << 20.0 << 2432902008176640000.0;
        // The step-by-step product, not the correctly rounded 170!.
        QTest::newRow("170") << 170.0 << 7.257415615307994e306;
        QTest::newRow("171") << 171.0 << Inf;
        QTest::newRow("-171") << -171.0 << -Inf;
        QTest::newRow("largest 32-bit") << 2147483647.0 << Inf;
        QTest::newRow("beyond 32 bits") << 1e300 << Inf;
        QTest::newRow("infinity") << Inf << Inf;
        QTest::newRow("minus infinity") << -Inf << -Inf;
        QTest::newRow("NaN") << NaN << NaN;
    }

    void factorial()
    {
        QFETCH(double, x);
        QFETCH(double, expected);
        const double value = XMathClass::Factorial(x);
        QVERIFY2((std::isnan(expected) && std::isnan(value)) || sameBits(value, expected), show(value));
    }

    void factorialIsTheStepByStepProduct()
    {
        for (int n = 0; n <= 400; ++n) {
            QVERIFY2(sameBits(XMathClass::Factorial(n), stepByStepProduct(1, n)), QByteArray::number(n));
            QVERIFY2(
                sameBits(XMathClass::Factorial(-n - 0.25), -stepByStepProduct(1, n)), QByteArray::number(n));
        }
    }

    void multiplyXToY_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("expected");
        QTest::newRow("3 to 5") << 3 << 5 << 60.0;
        QTest::newRow("empty range") << 5 << 3 << 1.0;
        QTest::newRow("one factor") << 7 << 7 << 7.0;
        QTest::newRow("through zero") << -2 << 2 << 0.0;
        // (-3)(-2)(-1) = -6, times 0 is -0, and positive factors keep the sign.
        QTest::newRow("negative zero") << -3 << 2 << -0.0;
        QTest::newRow("negatives") << -4 << -1 << 24.0;
        QTest::newRow("odd count of negatives") << -3 << -1 << -6.0;
        // The product overflows before it reaches the factor 0: ∞ · 0 is NaN.
        QTest::newRow("overflow then zero") << -200 << 200 << NaN;
        QTest::newRow("whole 32-bit range") << Lowest << Highest << NaN;
        QTest::newRow("overflow") << 1 << Highest << Inf;
        // 1001 negative factors, an odd count: the infinity is negative.
        QTest::newRow("negative overflow") << Lowest << Lowest + 1000 << -Inf;
        QTest::newRow("even count of negative factors") << Lowest << Lowest + 999 << Inf;
        QTest::newRow("largest factor alone") << Highest << Highest << 2147483647.0;
        QTest::newRow("lowest factor alone") << Lowest << Lowest << -2147483648.0;
    }

    void multiplyXToY()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, expected);
        const double value = XMathClass::MultiplyXToY(x, y);
        QVERIFY2((std::isnan(expected) && std::isnan(value)) || sameBits(value, expected), show(value));
    }

    void multiplyXToYIsTheStepByStepProduct()
    {
        // Small ranges on both sides of zero, ranges that overflow before or
        // after they reach zero, and ranges at both ends of the 32-bit range.
        for (int x = -320; x <= 320; x += 7)
            for (int y = -320; y <= 320; y += 5)
                QVERIFY2(sameBits(XMathClass::MultiplyXToY(x, y), stepByStepProduct(x, y)),
                    qPrintable(QStringLiteral("MultiplyXToY(%1, %2)").arg(x).arg(y)));
        for (int x = -185; x <= -150; ++x)
            for (int y = -3; y <= 3; ++y)
                QVERIFY2(sameBits(XMathClass::MultiplyXToY(x, y), stepByStepProduct(x, y)),
                    qPrintable(QStringLiteral("MultiplyXToY(%1, %2)").arg(x).arg(y)));
        for (int length = 0; length <= 40; ++length) {
            QVERIFY(sameBits(XMathClass::MultiplyXToY(Lowest, Lowest + length),
                stepByStepProduct(Lowest, Lowest + length)));
            QVERIFY(sameBits(XMathClass::MultiplyXToY(Highest - length, Highest),
                stepByStepProduct(Highest - length, Highest)));
            QVERIFY(sameBits(XMathClass::MultiplyXToY(-length, 3000), stepByStepProduct(-length, 3000)));
            QVERIFY(sameBits(
                XMathClass::MultiplyXToY(-length - 160, 3000), stepByStepProduct(-length - 160, 3000)));
        }
    }

    void sumXToY_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("expected");
        QTest::newRow("1 to 100") << 1 << 100 << 5050.0;
        QTest::newRow("0 to 100") << 0 << 100 << 5050.0;
        QTest::newRow("3 to 5") << 3 << 5 << 12.0;
        QTest::newRow("5 to 0") << 5 << 0 << -10.0;
        QTest::newRow("4 to 4") << 4 << 4 << 4.0;
        QTest::newRow("negatives") << -5 << -1 << -15.0;
        QTest::newRow("symmetric") << -100 << 100 << 0.0;
        // Beyond the 32-bit range of the sum: 100000 · 100001 / 2.
        QTest::newRow("1 to 100000") << 1 << 100000 << 5000050000.0;
        // (2^31 − 1) · 2^31 / 2 = 2^61 − 2^30, exact in a double.
        QTest::newRow("1 to largest") << 1 << Highest << 2305843008139952128.0;
        // Every 32-bit integer: the pairs k and −k cancel, −2^31 remains.
        QTest::newRow("whole 32-bit range") << Lowest << Highest << -2147483648.0;
        QTest::newRow("lowest to 0") << Lowest << 0 << -2305843010287435776.0; // −2^31 · (2^31 + 1) / 2
    }

    void sumXToY()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, expected);
        QCOMPARE(XMathClass::SumXToY(x, y), expected);
    }

    void hyperbolic_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("Sinh(0)") << "Sinh" << 0.0 << 0.0;
        QTest::newRow("Cosh(0)") << "Cosh" << 0.0 << 1.0;
        QTest::newRow("Tanh(0)") << "Tanh" << 0.0 << 0.0;
        QTest::newRow("Sech(0)") << "Sech" << 0.0 << 1.0;
        QTest::newRow("Coth(0)") << "Coth" << 0.0 << Inf; // 2 / 0
        QTest::newRow("Csch(0)") << "Csch" << 0.0 << Inf;
        QTest::newRow("Sinh(1000)") << "Sinh" << 1000.0 << Inf;
        QTest::newRow("Sinh(-1000)") << "Sinh" << -1000.0 << -Inf;
        QTest::newRow("Cosh(1000)") << "Cosh" << 1000.0 << Inf;
        QTest::newRow("Tanh(1000)") << "Tanh" << 1000.0 << NaN; // ∞ / ∞, not 1
        QTest::newRow("Coth(1000)") << "Coth" << 1000.0 << NaN;
        QTest::newRow("Sech(1000)") << "Sech" << 1000.0 << 0.0;
        QTest::newRow("Csch(1000)") << "Csch" << 1000.0 << 0.0;
        QTest::newRow("Tanh(709)") << "Tanh" << 709.0 << 1.0;
    }

    void hyperbolic()
    {
        QFETCH(QString, function);
        QFETCH(double, x);
        QFETCH(double, expected);
        using F = double (*)(double);
        const QHash<QString, F> functions { { "Sinh", &XMathClass::Sinh }, { "Cosh", &XMathClass::Cosh },
            { "Tanh", &XMathClass::Tanh }, { "Coth", &XMathClass::Coth }, { "Sech", &XMathClass::Sech },
            { "Csch", &XMathClass::Csch } };
        const double value = functions.value(function)(x);
        QVERIFY2((std::isnan(expected) && std::isnan(value)) || value == expected, show(value));
    }

    void hyperbolicValues()
    {
        // Reference values of sinh 1, cosh 1 and tanh 0.5 to 17 digits.
        QVERIFY(qFuzzyCompare(XMathClass::Sinh(1), 1.1752011936438014));
        QVERIFY(qFuzzyCompare(XMathClass::Cosh(1), 1.5430806348152437));
        QVERIFY(qFuzzyCompare(XMathClass::Tanh(0.5), 0.46211715726000974));
        QVERIFY(qFuzzyCompare(XMathClass::Coth(0.5), 1 / 0.46211715726000974));
        QVERIFY(qFuzzyCompare(XMathClass::Sech(1), 1 / 1.5430806348152437));
        QVERIFY(qFuzzyCompare(XMathClass::Csch(1), 1 / 1.1752011936438014));
    }

    void angles()
    {
        QCOMPARE(XMathClass::DegToRad(180), M_PI);
        QCOMPARE(XMathClass::RadToDeg(M_PI), 180.0);
        QCOMPARE(XMathClass::DegToRad(0), 0.0);
        QVERIFY(qFuzzyCompare(XMathClass::DegToRad(90), M_PI / 2));
    }

    void nthRoot_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("n");
        QTest::addColumn<double>("expected");
        QTest::newRow("cube root of 27") << 27.0 << 3.0 << 3.0;
        QTest::newRow("square root of 9") << 9.0 << 2.0 << 3.0;
        QTest::newRow("odd root of negative") << -8.0 << 3.0 << NaN;
        QTest::newRow("first root of negative") << -8.0 << 1.0 << -8.0;
        QTest::newRow("half root squares") << 16.0 << 0.5 << 256.0;
        QTest::newRow("zeroth root above 1") << 2.0 << 0.0 << Inf;
        QTest::newRow("zeroth root below 1") << 0.5 << 0.0 << 0.0;
    }

    void nthRoot()
    {
        QFETCH(double, x);
        QFETCH(double, n);
        QFETCH(double, expected);
        const double value = XMathClass::NthRoot(x, n);
        QVERIFY2((std::isnan(expected) && std::isnan(value)) || value == expected, show(value));
    }
};

QTEST_GUILESS_MAIN(TestXMathClass)
#include "tst_xmathclass.moc"
