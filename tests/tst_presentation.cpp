// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/presentation.h"

#include <QLocale>
#include <QRandomGenerator64>
#include <QTest>

#include <bit>
#include <cmath>
#include <limits>

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

const QString Binary = QStringLiteral("2 (Binary)");
const QString Octal = QStringLiteral("8 (Octal)");
const QString Denary = QStringLiteral("10 (Denary, normal)");
const QString Hexadecimal = QStringLiteral("16 (Hexadecimal)");
const QString LongBinary = QStringLiteral("2 (Binary, Long version)");
const QString LongOctal = QStringLiteral("8 (Octal, Long version)");
const QString LongHexadecimal = QStringLiteral("16 (Hexadecimal, Long version)");
} // namespace

class TestPresentation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void denary_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("german");

        // A typed number shorter than 12 characters is shown as typed, with
        // the locale's decimal separator for its first point.
        QTest::newRow("typed") << "3.5" << 3.5 << "3.5"
                               << "3,5";
        QTest::newRow("typed trailing point") << "12." << 12.0 << "12."
                                              << "12,";
        QTest::newRow("typed exponent") << "5e-3" << 0.005 << "5e-3"
                                        << "5e-3";
        QTest::newRow("typed eleven characters") << "12345678901" << 12345678901.0 << "12345678901"
                                                 << "12345678901";
        // Twelve characters and more are formatted instead.
        QTest::newRow("typed twelve characters") << "123456789012" << 123456789012.0 << "123,456,789,012"
                                                 << "123.456.789.012";
        QTest::newRow("result") << "" << 3.5 << "3.5"
                                << "3,5";
        QTest::newRow("result 3") << "" << 3.0 << "3"
                                  << "3";
        QTest::newRow("negative") << "" << -1234.5 << "-1,234.5"
                                  << "-1.234,5";
        // Fixed point for 10^-6 < |x| < 10^12, both bounds exclusive.
        QTest::newRow("below upper bound") << "" << 999999999999.5 << "999,999,999,999.5"
                                           << "999.999.999.999,5";
        QTest::newRow("upper bound") << "" << 1e12 << "1e+12"
                                     << "1e+12";
        QTest::newRow("negative upper bound") << "" << -1e12 << "-1e+12"
                                              << "-1e+12";
        QTest::newRow("lower bound") << "" << 0.000001 << "1e-6"
                                     << "1e-6";
        QTest::newRow("above lower bound") << "" << 0.0000012346 << ".000001235"
                                           << ",000001235";
        QTest::newRow("negative above lower bound") << "" << -0.0000012346 << "-.000001235"
                                                    << "-,000001235";
        QTest::newRow("large") << "" << -1.5e20 << "-1.5e+20"
                               << "-1,5e+20";
        QTest::newRow("small") << "" << 2.5e-9 << "2.5e-9"
                               << "2,5e-9";
        QTest::newRow("zero") << "" << 0.0 << "0"
                              << "0";
        QTest::newRow("infinity") << "" << Inf << "INF"
                                  << "INF";
        QTest::newRow("negative infinity") << "" << -Inf << "-INF"
                                           << "-INF";
        QTest::newRow("NaN") << "" << NaN << "NAN"
                             << "NAN";
    }

    void denary()
    {
        QFETCH(QString, entered);
        QFETCH(double, x);
        QFETCH(QString, c);
        QFETCH(QString, german);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(GetPresentedString(Denary, entered, x), c);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(GetPresentedString(Denary, entered, x), german);
    }

    void shortBases_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("binary");
        QTest::addColumn<QString>("octal");
        QTest::addColumn<QString>("hexadecimal");
        QTest::newRow("zero") << 0.0 << "0"
                              << "0"
                              << "0";
        QTest::newRow("5.9 truncates") << 5.9 << "101"
                                       << "5"
                                       << "5";
        QTest::newRow("255") << 255.0 << "11111111"
                             << "377"
                             << "FF";
        QTest::newRow("1e20 saturates") << 1e20 << QString(31, QLatin1Char('1')) << "17777777777"
                                        << "7FFFFFFF";
        QTest::newRow("infinity") << Inf << QString(31, QLatin1Char('1')) << "17777777777"
                                  << "7FFFFFFF";
        // Negative integers show their 32-bit two's complement pattern.
        QTest::newRow("-1") << -1.0 << QString(32, QLatin1Char('1')) << "37777777777"
                            << "FFFFFFFF";
        QTest::newRow("-5.9 truncates")
            << -5.9 << QString(29, QLatin1Char('1')) + QStringLiteral("011") << "37777777773"
            << "FFFFFFFB";
        QTest::newRow("lowest") << -2147483648.0 << QStringLiteral("1") + QString(31, QLatin1Char('0'))
                                << "20000000000"
                                << "80000000";
        QTest::newRow("below lowest saturates")
            << -1e20 << QStringLiteral("1") + QString(31, QLatin1Char('0')) << "20000000000"
            << "80000000";
        QTest::newRow("NaN is lowest")
            << NaN << QStringLiteral("1") + QString(31, QLatin1Char('0')) << "20000000000"
            << "80000000";
    }

    void shortBases()
    {
        QFETCH(double, x);
        QFETCH(QString, binary);
        QFETCH(QString, octal);
        QFETCH(QString, hexadecimal);
        QCOMPARE(GetPresentedString(Binary, QString(), x), binary);
        QCOMPARE(GetPresentedString(Octal, QString(), x), octal);
        QCOMPARE(GetPresentedString(Hexadecimal, QString(), x), hexadecimal);
        // The typed text plays no part outside decimal.
        QCOMPARE(GetPresentedString(Binary, QStringLiteral("7"), x), binary);
    }

    void longForms_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("binary");
        QTest::addColumn<QString>("octal");
        QTest::addColumn<QString>("hexadecimal");
        QTest::newRow("1.0") << 1.0 << "0011111111110000000000000000000000000000000000000000000000000000"
                             << "0377600000000000000000"
                             << "0x3FF0000000000000";
        QTest::newRow("-2.0") << -2.0 << "1100000000000000000000000000000000000000000000000000000000000000"
                              << "1400000000000000000000"
                              << "0xC000000000000000";
        QTest::newRow("0.1") << 0.1 << "0011111110111001100110011001100110011001100110011001100110011010"
                             << "0376714631463146314632"
                             << "0x3FB999999999999A";
        QTest::newRow("-0.0") << -0.0 << "1" + QString(63, QLatin1Char('0')) << "1000000000000000000000"
                              << "0x8000000000000000";
        QTest::newRow("zero") << 0.0 << QString(64, QLatin1Char('0')) << QString(22, QLatin1Char('0'))
                              << "0x0000000000000000";
        QTest::newRow("infinity") << Inf << "0111111111110000000000000000000000000000000000000000000000000000"
                                  << "0777600000000000000000"
                                  << "0x7FF0000000000000";
        QTest::newRow("smallest subnormal")
            << std::numeric_limits<double>::denorm_min() << QString(63, QLatin1Char('0')) + "1"
            << "0000000000000000000001"
            << "0x0000000000000001";
    }

    void longForms()
    {
        QFETCH(double, x);
        QFETCH(QString, binary);
        QFETCH(QString, octal);
        QFETCH(QString, hexadecimal);
        QCOMPARE(LongBin(x), binary);
        QCOMPARE(LongOct(x), octal);
        QCOMPARE(LongHex(x), hexadecimal);
        QCOMPARE(GetPresentedString(LongBinary, QStringLiteral("1"), x), binary);
        QCOMPARE(GetPresentedString(LongOctal, QString(), x), octal);
        QCOMPARE(GetPresentedString(LongHexadecimal, QString(), x), hexadecimal);
    }

    void longFormsAgreeWithEachOther()
    {
        // Each octal digit is three bits and each hexadecimal digit four bits
        // of the binary form, read from the left after two leading zeros.
        QRandomGenerator64 random(42);
        for (int i = 0; i < 2000; ++i) {
            const double x = std::bit_cast<double>(random.generate64());
            const QString binary = LongBin(x);
            QCOMPARE(binary.size(), 64);
            const QString padded = QStringLiteral("00") + binary;
            QString octal;
            for (int k = 0; k < 66; k += 3)
                octal += QString::number(padded.mid(k, 3).toInt(nullptr, 2));
            QCOMPARE(LongOct(x), octal);
            QString hexadecimal = QStringLiteral("0x");
            for (int k = 0; k < 64; k += 4)
                hexadecimal += QString::number(binary.mid(k, 4).toInt(nullptr, 2), 16).toUpper();
            QCOMPARE(LongHex(x), hexadecimal);
        }
    }

    void unknownBaseGivesNothing()
    {
        QCOMPARE(GetPresentedString(QString(), QString(), 5), QString());
        QCOMPARE(GetPresentedString(QStringLiteral("10 (denary, normal)"), QString(), 5), QString());
        QCOMPARE(GetPresentedString(QStringLiteral("-"), QString(), 5), QString());
    }

    void displayBaseRows()
    {
        const DisplayBase bases[]
            = { DisplayBase::Binary, DisplayBase::Octal, DisplayBase::Denary, DisplayBase::Hexadecimal,
                  DisplayBase::LongBinary, DisplayBase::LongOctal, DisplayBase::LongHexadecimal };
        const QStringList texts { Binary, Octal, Denary, Hexadecimal, LongBinary, LongOctal,
            LongHexadecimal };
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(TextOfDisplayBase(bases[i]), texts[i]);
            QCOMPARE(DisplayBaseFromText(texts[i]), std::optional<DisplayBase>(bases[i]));
        }
        QCOMPARE(DisplayBaseFromText(QStringLiteral("16")), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "tst_presentation.moc"
