// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preferences.h"
#include "constants/constantstable.h"
#include "constants/dlgconstants.h"
#include "engine/calculatorengine.h"
#include "tools/fakecalculatorview.h"
#include "tools/recordingspeaker.h"

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

// One calculator window without its widgets: the engine, what it talks to,
// a plain window as the picker's parent, and the window's picker reference.
struct Calculator
{
    QTemporaryDir dir;
    Preferences preferences { dir.filePath(QStringLiteral("Zorvane Preferences")) };
    FakeCalculatorView view;
    RecordingSpeaker speaker;
    CalculatorEngine engine { preferences, view, speaker };
    QWidget window;
    QPointer<dlgConstants> localDlgConstants;

    // What the constants mode button does: makes the picker on first use
    // (and again after it was closed), points it at this calculator and
    // toggles it.
    dlgConstants *pressConstantsButton()
    {
        if (!localDlgConstants)
            localDlgConstants = new dlgConstants(&engine, &window);
        if (localDlgConstants->sourceWindow() != &engine)
            localDlgConstants->setSourceWindow(&engine);
        if (localDlgConstants->isVisibleNow())
            localDlgConstants->Hide();
        else
            localDlgConstants->Show();
        return localDlgConstants;
    }
};

// QCOMPARE compares doubles fuzzily; an entered constant must be exact.
bool exactly(double actual, double expected)
{
    if (actual == expected)
        return true;
    qWarning("%.17g is not %.17g", actual, expected);
    return false;
}

QTreeView *listOf(dlgConstants *picker)
{
    return picker->findChild<QTreeView *>(QStringLiteral("lstConstants"));
}

// The descriptions in the order the list shows them.
QStringList shownDescriptions(QTreeView *list)
{
    QStringList descriptions;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        descriptions.append(list->model()->index(row, 1).data().toString());
    return descriptions;
}

QModelIndex shownRow(QTreeView *list, const QString &description, int column)
{
    const int row = shownDescriptions(list).indexOf(description);
    return row < 0 ? QModelIndex() : list->model()->index(row, column);
}

void doubleClick(dlgConstants *picker, const QString &description)
{
    QTreeView *list = listOf(picker);
    const QModelIndex index = shownRow(list, description, 1);
    QVERIFY2(index.isValid(), qPrintable(description));
    list->scrollTo(index);
    // The first click of a double-click, then the second one.
    const QPoint centre = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

// Pixels in rect of image whose lightness differs from the rect's most
// common colour by more than 100 (of 255), and their mean lightness.
struct Marks
{
    int count = 0;
    int lightness = 0;
};

Marks marksIn(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> frequency;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++frequency[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = frequency.cbegin(); it != frequency.cend(); ++it)
        if (it.value() > frequency.value(background))
            background = it.key();
    const int backgroundLightness = QColor(background).lightness();
    Marks marks;
    long sum = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const int lightness = QColor(image.pixel(x, y)).lightness();
            if (std::abs(lightness - backgroundLightness) > 100) {
                ++marks.count;
                sum += lightness;
            }
        }
    marks.lightness = marks.count ? int(sum / marks.count) : 0;
    return marks;
}

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
    void init() { QLocale::setDefault(QLocale::c()); }

    void pickerOpensSortedByDescription()
    {
        Calculator calculator;
        dlgConstants *picker = calculator.pressConstantsButton();
        QCOMPARE(picker->windowTitle(), QStringLiteral("Constants"));
        QTreeView *list = listOf(picker);
        QVERIFY(list);
        QCOMPARE(list->model()->rowCount(), 60);
        const QStringList shown = shownDescriptions(list);
        QCOMPARE(shown.first(), QStringLiteral("Atomic mass constant"));
        QCOMPARE(shown.last(), QStringLiteral("Wien displacement law constant"));
        // Letter case does not count: "de Bruijn" sorts among the D's and
        // "von Klitzing" among the V's.
        QCOMPARE(shown.indexOf(QStringLiteral("de Bruijn-Newman constant")),
            shown.indexOf(QStringLiteral("Conductance quantum")) + 1);
        QCOMPARE(shown.indexOf(QStringLiteral("Earth's gravity")),
            shown.indexOf(QStringLiteral("de Bruijn-Newman constant")) + 1);
        QCOMPARE(shown.indexOf(QStringLiteral("von Klitzing constant")),
            shown.indexOf(QStringLiteral("Viswanath's constant")) + 1);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral(" "));
        QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Description"));
        QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Value"));
    }

    void headingClickSortsValuesAsText()
    {
        Calculator calculator;
        QTreeView *list = listOf(calculator.pressConstantsButton());
        QHeaderView *header = list->header();
        const QPoint valueHeading(header->sectionViewportPosition(2) + 20, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, valueHeading);
        // As text "-2.7e-9" comes first and "96485.3383" last; as numbers
        // the last would be the Planck temperature, 1.41679e32.
        QCOMPARE(shownDescriptions(list).first(), QStringLiteral("de Bruijn-Newman constant"));
        QCOMPARE(shownDescriptions(list).last(), QStringLiteral("Faraday constant"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, valueHeading);
        QCOMPARE(shownDescriptions(list).first(), QStringLiteral("Faraday constant"));
    }

    void symbolColumnIsBoldAndCentred()
    {
        Calculator calculator;
        QTreeView *list = listOf(calculator.pressConstantsButton());
        const QModelIndex pi = shownRow(list, QStringLiteral("Pi"), 0);
        QCOMPARE(pi.data().toString(), QStringLiteral("\u03C0"));
        QVERIFY(pi.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(pi.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(list->visualRect(pi).height(), 18);
    }

    void doubleClickEntersTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("description");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "C"
                                 << "Speed of light in vacuum" << 299792458.0;
        QTest::newRow("mantissa above 1") << "C"
                                          << "Bohr magneton" << 9.27400949e-24;
        QTest::newRow("stops at the space") << "C"
                                            << "Brun's constant for twin prime" << 1.90216;
        QTest::newRow("negative") << "C"
                                  << "Magnetic moment of the electron" << -9.28476412e-24;
        QTest::newRow("decimal comma locale") << "de_DE"
                                              << "Earth's gravity" << 9.81;
        QTest::newRow("decimal comma, exponent") << "de_DE"
                                                 << "Bohr magneton" << 9.27400949e-24;
    }

    void doubleClickEntersTheLeadingNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, description);
        QLocale::setDefault(QLocale(locale));
        Calculator calculator;
        dlgConstants *picker = calculator.pressConstantsButton();
        doubleClick(picker, description);
        QFETCH(double, value);
        QVERIFY(exactly(calculator.engine.State().CurrentNumber, value));
        // The picker stays open for the next constant.
        QVERIFY(picker->isVisible());
    }

    void eachPickerEntersIntoItsOwnCalculator()
    {
        Calculator first;
        Calculator second;
        dlgConstants *firstPicker = first.pressConstantsButton();
        dlgConstants *secondPicker = second.pressConstantsButton();
        QVERIFY(firstPicker != secondPicker);
        doubleClick(firstPicker, QStringLiteral("Speed of light in vacuum"));
        QVERIFY(exactly(first.engine.State().CurrentNumber, 299792458.0));
        QVERIFY(exactly(second.engine.State().CurrentNumber, 0.0));
        doubleClick(secondPicker, QStringLiteral("Standard atmosphere"));
        QVERIFY(exactly(second.engine.State().CurrentNumber, 101325.0));
        QVERIFY(exactly(first.engine.State().CurrentNumber, 299792458.0));
    }

    void showHideShowKeepsScrollAndSorting()
    {
        Calculator calculator;
        dlgConstants *picker = calculator.pressConstantsButton();
        QVERIFY(picker->isVisible());
        QVERIFY(picker->isVisibleNow());
        QTreeView *list = listOf(picker);
        list->sortByColumn(2, Qt::DescendingOrder);
        QScrollBar *scroll = list->verticalScrollBar();
        QVERIFY(scroll->maximum() > 10);
        scroll->setValue(scroll->maximum() - 3);
        const QStringList order = shownDescriptions(list);
        const int position = scroll->value();

        QCOMPARE(calculator.pressConstantsButton(), picker);
        QVERIFY(!picker->isVisible());
        QVERIFY(!picker->isVisibleNow());
        QCOMPARE(calculator.pressConstantsButton(), picker);
        QVERIFY(picker->isVisible());
        QCOMPARE(scroll->value(), position);
        QCOMPARE(list->header()->sortIndicatorSection(), 2);
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(shownDescriptions(list), order);
    }

    void closingLeavesTheNextPressAFreshPicker_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }

    void closingLeavesTheNextPressAFreshPicker()
    {
        QFETCH(bool, byEscape);
        Calculator calculator;
        QPointer<dlgConstants> picker = calculator.pressConstantsButton();
        QTest::keyClicks(listOf(picker), QStringLiteral("5"));
        if (byEscape) {
            QTest::keyClick(listOf(picker), Qt::Key_Escape);
        } else {
            auto *cancel = picker->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(picker.isNull());
        // Escape closed the picker and did not reach the calculator, where it
        // would have cleared the typed 5.
        QVERIFY(exactly(calculator.engine.State().CurrentNumber, 5.0));
        dlgConstants *fresh = calculator.pressConstantsButton();
        QVERIFY(fresh);
        QVERIFY(fresh->isVisible());
        QVERIFY(fresh->isVisibleNow());
    }

    void typedKeysGoToTheCalculator()
    {
        Calculator calculator;
        dlgConstants *picker = calculator.pressConstantsButton();
        QTreeView *list = listOf(picker);
        const QModelIndex current = list->currentIndex();
        QTest::keyClicks(list, QStringLiteral("12+3"));
        QVERIFY(exactly(calculator.engine.State().CurrentNumber, 3.0));
        // Typing searched nothing in the list.
        QCOMPARE(list->currentIndex(), current);
        // Control-C is a shortcut, not the Enter character.
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(exactly(calculator.engine.State().CurrentNumber, 3.0));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(exactly(calculator.engine.State().CurrentNumber, 15.0));
        // Keys reach the calculator also when nothing in the picker has focus.
        QTest::keyClicks(picker, QStringLiteral("7"));
        QVERIFY(exactly(calculator.engine.State().CurrentNumber, 7.0));
    }

    void symbolPicturesAreDrawnInTheTextColour_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }

    void symbolPicturesAreDrawnInTheTextColour()
    {
        QFETCH(bool, dark);
        Calculator calculator;
        dlgConstants *picker = calculator.pressConstantsButton();
        QPalette palette = picker->palette();
        const QColor base = dark ? QColor(30, 30, 30) : QColor(255, 255, 255);
        const QColor text = dark ? QColor(235, 235, 235) : QColor(0, 0, 0);
        for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
            palette.setColor(group, QPalette::Base, base);
            palette.setColor(group, QPalette::AlternateBase, base);
            palette.setColor(group, QPalette::Text, text);
        }
        picker->setPalette(palette);
        QTreeView *list = listOf(picker);
        list->clearSelection();
        const QModelIndex gravity = shownRow(list, QStringLiteral("Earth's gravity"), 0);
        list->scrollTo(gravity);
        const QImage image = list->viewport()->grab().toImage();
        const Marks marks = marksIn(image, list->visualRect(gravity));
        QVERIFY2(marks.count >= 10, qPrintable(QString::number(marks.count)));
        if (dark)
            QVERIFY2(marks.lightness > 150, qPrintable(QString::number(marks.lightness)));
        else
            QVERIFY2(marks.lightness < 100, qPrintable(QString::number(marks.lightness)));
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
