// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/codecreation.h"
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <QLocale>
#include <QRandomGenerator64>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

const QString FixedMask = QStringLiteral("-###,###,###,###.#########");
const QString ScientificMask = QStringLiteral("-#.#############e+");
const QString ConversionMask = QStringLiteral("-###,###,###,###.0####");

// Random doubles for the round trip: a few million in an optimised build,
// fewer in the slower checked build.
#ifdef NDEBUG
constexpr int RoundTripCount = 2'000'000;
#else
constexpr int RoundTripCount = 100'000;
#endif

// The shape of every expression literal: "-"?, one digit, ".", digits, "e",
// a sign and the exponent's digits without leading zeros.
bool isLiteralShape(const QString &text)
{
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && text[i].isDigit())
            ++i;
        return i - start;
    };
    if (digits() != 1 || i >= text.size() || text[i++] != QLatin1Char('.') || digits() < 1)
        return false;
    if (i + 2 > text.size() || text[i++] != QLatin1Char('e')
        || (text[i] != QLatin1Char('+') && text[i] != QLatin1Char('-')))
        return false;
    ++i;
    const qsizetype exponentStart = i;
    if (digits() < 1 || i != text.size())
        return false;
    return text[exponentStart] != QLatin1Char('0') || i - exponentStart == 1;
}
} // namespace

class TestCodeCreation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void expressionMaskIsNinetySixCharacters()
    {
        QCOMPARE(ExpressionMask.size(), 96);
        QVERIFY(ExpressionMask.startsWith(QStringLiteral("-#.0#")));
        QVERIFY(ExpressionMask.endsWith(QStringLiteral("#e+")));
        QCOMPARE(ExpressionMask.count(QLatin1Char('#')), 91);
    }

    void codeFormat_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("expected");
        QTest::newRow("3") << 3.0 << "3.0e+0";
        QTest::newRow("0.5") << 0.5 << "5.0e-1";
        QTest::newRow("-2") << -2.0 << "-2.0e+0";
        QTest::newRow("5") << 5.0 << "5.0e+0";
        QTest::newRow("zero") << 0.0 << "0.0e+0";
        QTest::newRow("negative zero") << -0.0 << "-0.0e+0";
        QTest::newRow("0.1") << 0.1 << "1.0e-1";
        QTest::newRow("one third") << 1.0 / 3 << "3.333333333333333e-1";
        QTest::newRow("123456.789") << 123456.789 << "1.23456789e+5";
        QTest::newRow("1.2e-5") << 1.2e-5 << "1.2e-5";
        QTest::newRow("1e300") << 1e300 << "1.0e+300";
        QTest::newRow("largest") << std::numeric_limits<double>::max() << "1.7976931348623157e+308";
        QTest::newRow("smallest normal") << std::numeric_limits<double>::min() << "2.2250738585072014e-308";
        QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min() << "5.0e-324";
        QTest::newRow("factorial 170") << 7.257415615307994e306 << "7.257415615307994e+306";
        QTest::newRow("pi") << M_PI << "3.141592653589793e+0";
        QTest::newRow("infinity") << Inf << "INF";
        QTest::newRow("negative infinity") << -Inf << "-INF";
        QTest::newRow("NaN") << NaN << "NAN";
        QTest::newRow("negative NaN") << -NaN << "NAN";
    }

    void codeFormat()
    {
        QFETCH(double, x);
        QFETCH(QString, expected);
        for (const QLocale &locale : { QLocale::c(), QLocale(QLocale::German), QLocale(QLocale::French) }) {
            QLocale::setDefault(locale);
            QCOMPARE(CodeFormat(x, ExpressionMask), expected);
            // The same mask in a copy of its text takes the same way.
            QCOMPARE(CodeFormat(x, QString(ExpressionMask.constData(), ExpressionMask.size())), expected);
        }
    }

    void codeFormatTurnsOnlyTheDecimalSeparatorIntoAPoint()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(CodeFormat(1234.5, QStringLiteral("-###,###.##")), QStringLiteral("1.234.5"));
        QCOMPARE(CodeFormat(0.25, QStringLiteral("0.0")), QStringLiteral("0.3"));
    }

    void localDecimalSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("C") << QLocale::c() << ".";
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << ".";
        QTest::newRow("German") << QLocale(QLocale::German) << ",";
        QTest::newRow("French") << QLocale(QLocale::French) << ",";
    }

    void localDecimalSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QLocale::setDefault(locale);
        QCOMPARE(LocalDecimalSeparator(), expected);
        // The second character of 1.0 written with the mask "0.0".
        QCOMPARE(FormatWithMask(1.0, QStringLiteral("0.0")).mid(1, 1), expected);
    }

    void formatWithMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("german");

        // The fixed-point display mask: grouping, at most nine fraction
        // digits, no leading zero in the integer part, no trailing zeros.
        QTest::newRow("fixed grouping") << FixedMask << 1234567.891 << "1,234,567.891"
                                        << "1.234.567,891";
        QTest::newRow("fixed integer") << FixedMask << 3.0 << "3"
                                       << "3";
        QTest::newRow("fixed 3.5") << FixedMask << 3.5 << "3.5"
                                   << "3,5";
        QTest::newRow("fixed half") << FixedMask << 0.5 << ".5"
                                    << ",5";
        QTest::newRow("fixed negative") << FixedMask << -0.5 << "-.5"
                                        << "-,5";
        QTest::newRow("fixed negative grouped") << FixedMask << -1234.25 << "-1,234.25"
                                                << "-1.234,25";
        QTest::newRow("fixed twelve digits") << FixedMask << 123456789012.0 << "123,456,789,012"
                                             << "123.456.789.012";
        QTest::newRow("fixed upper end") << FixedMask << 999999999999.5 << "999,999,999,999.5"
                                         << "999.999.999.999,5";
        QTest::newRow("fixed nine places") << FixedMask << 0.0000012346 << ".000001235"
                                           << ",000001235";
        // Halves at the last place round away from zero on the shortest
        // decimal form of the value.
        QTest::newRow("fixed half rounds up") << FixedMask << 0.1234567895 << ".12345679"
                                              << ",12345679";
        QTest::newRow("fixed exact half") << FixedMask << 0.0009765625 << ".000976563"
                                          << ",000976563";
        QTest::newRow("fixed negative half") << FixedMask << -0.0009765625 << "-.000976563"
                                             << "-,000976563";
        QTest::newRow("fixed carry into integer") << FixedMask << 999999.9999999999 << "1,000,000"
                                                  << "1.000.000";
        QTest::newRow("fixed more digits than places") << FixedMask << 1e15 << "1,000,000,000,000,000"
                                                       << "1.000.000.000.000.000";
        QTest::newRow("fixed rounds to zero") << FixedMask << 1e-10 << "0"
                                              << "0";
        QTest::newRow("fixed zero") << FixedMask << 0.0 << "0"
                                    << "0";
        QTest::newRow("fixed infinity") << FixedMask << Inf << "INF"
                                        << "INF";
        QTest::newRow("fixed NaN") << FixedMask << NaN << "NAN"
                                   << "NAN";

        // The scientific display mask: one integer digit, at most thirteen
        // fraction digits, the exponent with its sign and no padding.
        QTest::newRow("scientific 1e12") << ScientificMask << 1e12 << "1e+12"
                                         << "1e+12";
        QTest::newRow("scientific 1e-6") << ScientificMask << 1e-6 << "1e-6"
                                         << "1e-6";
        QTest::newRow("scientific fraction") << ScientificMask << -1.5e-7 << "-1.5e-7"
                                             << "-1,5e-7";
        QTest::newRow("scientific rounds") << ScientificMask << 123456789012345.0 << "1.2345678901235e+14"
                                           << "1,2345678901235e+14";
        QTest::newRow("scientific carry") << ScientificMask << 9.99999999999999e20 << "1e+21"
                                          << "1e+21";
        QTest::newRow("scientific largest")
            << ScientificMask << std::numeric_limits<double>::max() << "1.7976931348623e+308"
            << "1,7976931348623e+308";
        QTest::newRow("scientific subnormal")
            << ScientificMask << std::numeric_limits<double>::denorm_min() << "5e-324"
            << "5e-324";
        QTest::newRow("scientific zero") << ScientificMask << 0.0 << "0"
                                         << "0";
        QTest::newRow("scientific negative zero") << ScientificMask << -0.0 << "0"
                                                  << "0";
        QTest::newRow("scientific infinity") << ScientificMask << Inf << "INF"
                                             << "INF";
        QTest::newRow("scientific negative infinity") << ScientificMask << -Inf << "-INF"
                                                      << "-INF";
        QTest::newRow("scientific NaN") << ScientificMask << NaN << "NAN"
                                        << "NAN";

        // The conversion dialog's mask: one to five fraction digits.
        QTest::newRow("conversion whole") << ConversionMask << 3.0 << "3.0"
                                          << "3,0";
        QTest::newRow("conversion grouped") << ConversionMask << 1234.5 << "1,234.5"
                                            << "1.234,5";
        QTest::newRow("conversion half") << ConversionMask << 0.5 << ".5"
                                         << ",5";
        QTest::newRow("conversion rounds") << ConversionMask << 1.234567 << "1.23457"
                                           << "1,23457";

        // Other masks of the same language.
        QTest::newRow("forced digits") << QStringLiteral("0.0") << 1.0 << "1.0"
                                       << "1,0";
        QTest::newRow("forced digits round half up") << QStringLiteral("0.0") << 0.25 << "0.3"
                                                     << "0,3";
        QTest::newRow("padded integer") << QStringLiteral("0000.00") << 3.14159 << "0003.14"
                                        << "0003,14";
        QTest::newRow("no sign placeholder") << QStringLiteral("#") << -2.5 << "3"
                                             << "3";
        QTest::newRow("integer only") << QStringLiteral("-#") << 0.4 << "0"
                                      << "0";
        QTest::newRow("forced scientific") << QStringLiteral("0.000e+") << 12345.0 << "1.235e+4"
                                           << "1,235e+4";
        QTest::newRow("forced scientific zero") << QStringLiteral("0.000e+") << 0.0 << "0.000e+0"
                                                << "0,000e+0";
        QTest::newRow("expression mask") << ExpressionMask << 0.5 << "5.0e-1"
                                         << "5,0e-1";
    }

    void formatWithMask()
    {
        QFETCH(QString, mask);
        QFETCH(double, x);
        QFETCH(QString, c);
        QFETCH(QString, german);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(FormatWithMask(x, mask), c);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(FormatWithMask(x, mask), german);
    }

    void extremeValuesAndMasks()
    {
        // Every integer digit of the largest doubles is written, grouped.
        const QString largest = FormatWithMask(1e308, FixedMask);
        QCOMPARE(largest.size(), 309 + 102);
        QVERIFY(largest.startsWith(QStringLiteral("100,000,000,")));
        QCOMPARE(largest.count(QLatin1Char(',')), 102);
        // The smallest subnormal at place 324 of a mask with 400 places.
        const QString smallest = FormatWithMask(
            std::numeric_limits<double>::denorm_min(), QStringLiteral("#.") + QString(400, QLatin1Char('#')));
        QCOMPARE(smallest, QStringLiteral(".") + QString(323, QLatin1Char('0')) + QStringLiteral("5"));
        QCOMPARE(FormatWithMask(1.0, QStringLiteral("0.") + QString(300, QLatin1Char('0'))),
            QStringLiteral("1.") + QString(300, QLatin1Char('0')));
        // Masks without placeholders: no fraction places, so the value is
        // rounded to a whole number.
        QCOMPARE(FormatWithMask(12.5, QString()), QStringLiteral("13"));
        QCOMPARE(FormatWithMask(-12.5, QStringLiteral("-")), QStringLiteral("-13"));
        QCOMPARE(FormatWithMask(12345, QStringLiteral("e+")), QStringLiteral("1e+4"));
    }

    void everyDoubleRoundTrips()
    {
        XMathClass context;
        ScriptEngine engine;
        engine.Context = &context;
        int errors = 0;
        engine.CompilerError = [&errors](int, int, const QString &) { ++errors; };
        QRandomGenerator64 random(0x5eed2024);
        const std::uint64_t specials[]
            = { 0, 0x8000000000000000, 1, 0x800FFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF, 0x0010000000000000,
                  0x7FF0000000000000, 0xFFF0000000000000, 0x7FF8000000000000, 0xFFF8000000000001 };
        for (int i = 0; i < RoundTripCount; ++i) {
            std::uint64_t bits = random.generate64();
            switch (i % 8) {
            case 0: // subnormals of both signs
                bits &= 0x800FFFFFFFFFFFFF;
                break;
            case 1: // whole numbers
                bits = std::bit_cast<std::uint64_t>(
                    static_cast<double>(static_cast<std::int64_t>(bits) >> (bits % 64)));
                break;
            case 2: // short decimals, as typed
                bits = std::bit_cast<std::uint64_t>((static_cast<double>(bits % 2000001) - 1000000) / 1000);
                break;
            case 3: // infinities and NaNs, the exponent all ones
                bits |= 0x7FF0000000000000;
                break;
            default:
                break;
            }
            if (i < int(std::size(specials)))
                bits = specials[i];
            const double x = std::bit_cast<double>(bits);
            const QString literal = CodeFormat(x, ExpressionMask);
            engine.Source = QStringLiteral("result = ") + literal;
            context.result = 12345;
            engine.Run();
            const double back = context.result;
            if (std::isnan(x)) {
                QVERIFY2(literal == QStringLiteral("NAN") && std::isnan(back), qPrintable(literal));
            } else if (std::isinf(x)) {
                QVERIFY2(literal.contains(QStringLiteral("INF")) && back == x, qPrintable(literal));
            } else {
                QVERIFY2(std::bit_cast<std::uint64_t>(back) == bits,
                    qPrintable(QStringLiteral("%1 (0x%2) read back as %3")
                                   .arg(literal)
                                   .arg(bits, 16, 16, QLatin1Char('0'))
                                   .arg(back, 0, 'g', 17)));
                if (i % 64 == 0)
                    QVERIFY2(isLiteralShape(literal), qPrintable(literal));
            }
            // The general mask formatter agrees with the expression literal,
            // which alone keeps the sign of −0.
            if (i % 64 == 0 || x == 0)
                QCOMPARE(FormatWithMask(x, ExpressionMask),
                    x == 0 && std::signbit(x) ? QStringLiteral("0.0e+0") : literal);
        }
        QCOMPARE(errors, 0);
    }
};

QTEST_GUILESS_MAIN(TestCodeCreation)
#include "tst_codecreation.moc"
