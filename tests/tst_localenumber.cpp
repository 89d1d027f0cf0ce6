// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codecreation.h"
#include "engine/localenumber.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
} // namespace

class TestLocaleNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void leadingNumber_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const QLocale c = QLocale::c();
        const QLocale german(QLocale::German);

        QTest::newRow("digits stop at a blank") << c << "1.90216 05823" << 1.90216;
        QTest::newRow("exponent") << c << "927.400949e-26" << 9.27400949e-24;
        QTest::newRow("capital exponent") << c << "6.02214076E23 per mol" << 6.02214076e23;
        QTest::newRow("no number") << c << "abc" << 0.0;
        QTest::newRow("empty") << c << "" << 0.0;
        QTest::newRow("exponent without digits") << c << "5e" << 5.0;
        QTest::newRow("exponent sign without digits") << c << "5e+x" << 5.0;
        QTest::newRow("leading blanks and sign") << c << "  -3.5x" << -3.5;
        QTest::newRow("plus sign") << c << "+2" << 2.0;
        QTest::newRow("point first") << c << ".5" << 0.5;
        QTest::newRow("negative point first") << c << "-.5" << -0.5;
        QTest::newRow("point last") << c << "5." << 5.0;
        QTest::newRow("lone sign") << c << "-" << 0.0;
        QTest::newRow("lone point") << c << "." << 0.0;
        QTest::newRow("error text") << c << "INF" << 0.0;
        QTest::newRow("negative error text") << c << "-NAN" << 0.0;
        // Grouping separators between groups of three integer digits, as
        // the fixed-point masks write them.
        QTest::newRow("grouped") << c << "1,234.5" << 1234.5;
        QTest::newRow("grouped twice") << c << "-1,234,567" << -1234567.0;
        QTest::newRow("not a group of three") << c << "1,23" << 1.0;
        QTest::newRow("group of four") << c << "12,3456" << 12.0;
        QTest::newRow("comma is no point here") << c << "3,5xyz" << 3.0;
        QTest::newRow("no leading group") << c << ",5" << 0.0;
        QTest::newRow("decimal comma") << german << "3,5xyz" << 3.5;
        QTest::newRow("German grouping") << german << "1.234,5" << 1234.5;
        QTest::newRow("German point is grouping") << german << "1.90216 05823" << 1.0;
        QTest::newRow("German half") << german << ",5" << 0.5;
        // Beyond the double range: an infinity or a zero, with the sign.
        QTest::newRow("overflow") << c << "1e400" << Inf;
        QTest::newRow("negative overflow") << c << "-1e400" << -Inf;
        QTest::newRow("overflow by digits") << c << "1" + QString(400, QLatin1Char('0')) << Inf;
        QTest::newRow("underflow") << c << "1e-400" << 0.0;
        QTest::newRow("negative underflow") << c << "-1e-400" << -0.0;
        QTest::newRow("underflow by digits") << c << "0." + QString(400, QLatin1Char('0')) + "1" << 0.0;
        QTest::newRow("underflow by digits and exponent")
            << c << "0." + QString(20, QLatin1Char('0')) + "1e-310" << 0.0;
        QTest::newRow("large mantissa small exponent")
            << c << "1" + QString(400, QLatin1Char('0')) + "e-390" << 1e10;
        QTest::newRow("smallest subnormal") << c << "4.9e-324" << 4.9e-324;
        QTest::newRow("rounds up to the smallest subnormal") << c << "2.5e-324" << 4.9e-324;
        QTest::newRow("huge exponent") << c << "1e99999999999999999999" << Inf;
        QTest::newRow("zero with huge exponent") << c << "0e99999999999999999999" << 0.0;
    }

    void leadingNumber()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QLocale::setDefault(locale);
        const double value = LeadingNumber(text);
        QVERIFY2(sameBits(value, expected), qPrintable(QString::number(value, 'g', 17)));
    }

    void readsWhatTheMasksWrite_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<double>("x");
        for (const QLocale &locale : { QLocale::c(), QLocale(QLocale::German), QLocale(QLocale::French) }) {
            const QString name = locale.name();
            QTest::addRow("%s fixed", qPrintable(name)) << locale << "-###,###,###,###.0####" << -1234567.125;
            QTest::addRow("%s display", qPrintable(name))
                << locale << "-###,###,###,###.#########" << 987654321.5;
            QTest::addRow("%s scientific", qPrintable(name)) << locale << "-#.#############e+" << -6.25e-17;
            QTest::addRow("%s expression", qPrintable(name)) << locale << ExpressionMask << 0.1;
        }
    }

    void readsWhatTheMasksWrite()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, mask);
        QFETCH(double, x);
        QLocale::setDefault(locale);
        const QString text = FormatWithMask(x, mask);
        QVERIFY2(LeadingNumber(text) == x, qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestLocaleNumber)
#include "tst_localenumber.moc"
