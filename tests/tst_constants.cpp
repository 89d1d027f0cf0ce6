// SPDX-License-Identifier: GPL-3.0-or-later
#include "constants/constantstable.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

namespace {

// Pixels a picture leaves not fully transparent when drawn at its own size.
int drawnPixels(QSvgRenderer &picture)
{
    QImage image(picture.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.render(&painter);
    painter.end();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

} // namespace

class TestConstants : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Q_INIT_RESOURCE(constants);
        Q_INIT_RESOURCE(zorvane);
    }

    void tableHasSixtyRowsTwentyWithSymbolTextFortyWithPicture()
    {
        const auto rows = ConstantsTable::Rows();
        QCOMPARE(rows.size(), std::size_t(60));
        int pictures = 0;
        for (const ConstantsTable::Row &row : rows) {
            // A symbol is either text or a picture, never both or neither.
            QVERIFY2(row.symbol.isEmpty() != row.picture.isEmpty(), qPrintable(row.description.toString()));
            pictures += !row.picture.isEmpty();
        }
        QCOMPARE(pictures, 40);
    }

    void tableKeepsStoredOrderAndTexts_data()
    {
        QTest::addColumn<int>("row"); // 1-based, as the table is numbered
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("picture");

        QTest::newRow("first") << 1 << QStringLiteral("\u03C0") << "Pi"
                               << "3.14159265358979323846264338327950288"
                               << "";
        QTest::newRow("square root") << 3 << QStringLiteral("\u221A2") << "Square root of two"
                                     << "1.41421356237309504880168872420969807"
                                     << "";
        QTest::newRow("value with a space") << 12 << ""
                                            << "Brun's constant for twin prime"
                                            << "1.90216 05823"
                                            << "Brunsconsfortwinprime";
        QTest::newRow("negative exponent") << 14 << ""
                                           << "de Bruijn-Newman constant"
                                           << "-2.7e-9"
                                           << "deBruijnNewmanconstant";
        QTest::newRow("micro sign") << 19 << QStringLiteral("\u00B5") << "Ramanujan-Soldner constant"
                                    << "1.451369234883381050283968485892027"
                                    << "";
        QTest::newRow("o with diaeresis")
            << 20 << "" << QStringLiteral("Erd\u00F6s-Borwein constant") << "1.606695152415291763"
            << QStringLiteral("Erd\u00F6sBorweinconstant");
        QTest::newRow("e with acute")
            << 21 << "F" << QStringLiteral("Frans\u00E9n-Robinson constant") << "2.8077702420"
            << "";
        QTest::newRow("Bohr magneton") << 32 << ""
                                       << "Bohr magneton"
                                       << "927.400949e-26"
                                       << "BohrMagneton";
        QTest::newRow("fine structure") << 45 << "a"
                                        << "Fine-structure constant"
                                        << "7.297352568e-3"
                                        << "";
        QTest::newRow("atomic mass") << 50 << ""
                                     << "Atomic mass constant"
                                     << "1.66053886e-27"
                                     << "AtomicMassConstant";
        QTest::newRow("last") << 60 << "atm"
                              << "Standard atmosphere"
                              << "101325"
                              << "";
    }

    void tableKeepsStoredOrderAndTexts()
    {
        QFETCH(int, row);
        const ConstantsTable::Row &stored = ConstantsTable::Rows()[row - 1];
        QTEST(stored.symbol.toString(), "symbol");
        QTEST(stored.description.toString(), "description");
        QTEST(stored.value.toString(), "value");
        QTEST(stored.picture.toString(), "picture");
    }

    void pictureIsFoundByDescriptionWithoutRegardToCase_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("picture");
        QTest::newRow("as stored") << "Earth's gravity"
                                   << "EarthGravity";
        QTest::newRow("upper case") << "EARTH'S GRAVITY"
                                    << "EarthGravity";
        QTest::newRow("lower case") << "planck time"
                                    << "PlankTime";
        QTest::newRow("accented") << QStringLiteral("ERD\u00D6S-BORWEIN CONSTANT")
                                  << QStringLiteral("Erd\u00F6sBorweinconstant");
        QTest::newRow("symbol text, no picture") << "Pi"
                                                 << "";
        QTest::newRow("no such constant") << "Pi squared"
                                          << "";
        QTest::newRow("empty row below the list") << ""
                                                  << "";
    }

    void pictureIsFoundByDescriptionWithoutRegardToCase()
    {
        QFETCH(QString, description);
        QTEST(ConstantsTable::PictureFor(description).toString(), "picture");
    }

    void everyDescriptionFindsItsPictureAndItDraws()
    {
        for (const ConstantsTable::Row &row : ConstantsTable::Rows()) {
            if (row.picture.isEmpty())
                continue;
            const QByteArray name = row.picture.toString().toUtf8();
            QCOMPARE(ConstantsTable::PictureFor(row.description), row.picture);
            QSvgRenderer picture(QStringLiteral(":/constants/%1.svg").arg(row.picture));
            QVERIFY2(picture.isValid(), name.constData());
            // At most 16 points high, so its bottom can sit at 90 % of an
            // 18-point row; narrower than the 30-point symbol column.
            QVERIFY2(picture.defaultSize().height() <= 16, name.constData());
            QVERIFY2(picture.defaultSize().width() <= 30, name.constData());
            // A glyph fills a fair part of its box, not a stray pixel.
            QVERIFY2(drawnPixels(picture) >= 20, name.constData());
        }
    }

    void applicationIconDraws()
    {
        QSvgRenderer icon(QStringLiteral(":/zorvane.svg"));
        QVERIFY(icon.isValid());
        QCOMPARE(icon.viewBoxF(), QRectF(0, 0, 48, 48));
        QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.render(&painter);
        painter.end();
        // The body covers the middle of the picture, even at 16 pixels.
        QCOMPARE(qAlpha(image.pixel(8, 8)), 255);
    }
};

QTEST_MAIN(TestConstants)
#include "tst_constants.moc"
