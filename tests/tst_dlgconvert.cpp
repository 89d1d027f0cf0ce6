// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculatorfixture.h"
#include "conversion/dlgconvert.h"
#include "conversion/ratefolders.h"
#include "conversion/unittables.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// A calculator window as far as the dialog sees it: an object that owns
// one calculator and whose destruction ends it.
class CalculatorWindow : public QObject
{
public:
    Calculator calculator;

    CalculatorEngine &engine() { return calculator.engine; }
    double currentNumber() const { return calculator.state().CurrentNumber; }
};

// WCAG 2 contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
            + 0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QStringList rows(const QComboBox &popup)
{
    QStringList texts;
    for (int i = 0; i < popup.count(); ++i)
        texts << popup.itemText(i);
    return texts;
}

} // namespace

class TestDlgConvert : public QObject
{
    Q_OBJECT

    UnitTables shipped;
    UnitTables fixture;
    QTemporaryDir fixtureFolder;
    QPalette startingPalette;

    template <typename T> static T *control(QWidget *dialog, const char *name)
    {
        auto *found = dialog->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    static QLineEdit *txtSource(QWidget *d) { return control<QLineEdit>(d, "txtSource"); }
    static QLineEdit *txtResult(QWidget *d) { return control<QLineEdit>(d, "txtResult"); }
    static QComboBox *popUnitClass(QWidget *d) { return control<QComboBox>(d, "popUnitClass"); }
    static QComboBox *popSourceUnit(QWidget *d) { return control<QComboBox>(d, "popSourceUnit"); }
    static QComboBox *popResultUnit(QWidget *d) { return control<QComboBox>(d, "popResultUnit"); }
    static QPushButton *cmdUse(QWidget *d) { return control<QPushButton>(d, "cmdUse"); }

    // Chooses a row by its text, as the user does in a popup.
    static void choose(QComboBox *popup, const QString &text)
    {
        const int row = popup->findText(text);
        if (row < 0)
            qFatal("no row %s", qPrintable(text));
        popup->setCurrentIndex(row);
    }

    // Opens the dialog from a calculator whose display shows value.
    dlgConvert *openFrom(CalculatorWindow &window, double value, const UnitTables &tables)
    {
        window.engine().EnterConstant(value);
        return dlgConvert::ShowFor(window.engine(), window, tables);
    }

    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Whether dialog has closed, leaving no open conversion dialog, and is
    // gone once the pending deletions have run.
    static bool closedAndDeleted(const QPointer<dlgConvert> &dialog)
    {
        const bool closed = dialog && !dialog->isVisible() && !dlgConvert::OpenInstance();
        deleteClosedWindows();
        return closed && dialog.isNull();
    }

    void writeFixtureFile(const QString &name, const QByteArray &content)
    {
        QFile file(fixtureFolder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(content) == content.size());
    }

private Q_SLOTS:
    void initTestCase()
    {
        shipped.LoadConversionRates(RateFolders({ QStringLiteral(ZORVANE_SOURCE_DIR "/ConversionRates") }));
        QVERIFY(fixtureFolder.isValid());
        // Angle: the SI unit "one" is common, "rare" is not.
        writeFixtureFile(u"ConvertAngles.txt"_s, "one\t1\t0\tT\nthree\t3\t0\tT\nrare\t7\t0\n");
        // Force: the SI unit is not common, so the common view has none.
        writeFixtureFile(u"ConvertForces.txt"_s, "three\t3\t0\tT\none\t1\t0\tF\n");
        // Speed: two units of the same name.
        writeFixtureFile(u"ConvertSpeeds.txt"_s, "knot\t0.5\t0\tT\nKnot\t2\t0\tT\nbase\t1\t0\tT\n");
        // Area: an empty file, a class without units; Time: not a text file.
        writeFixtureFile(u"ConvertAreas.txt"_s, "");
        writeFixtureFile(u"ConvertTimes.txt"_s, QByteArray("second\t1\0\t0\tT\n", 14));
        fixture.LoadConversionRates(RateFolders({ fixtureFolder.path() }));
        startingPalette = QApplication::palette();
    }

    void cleanup()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            if (qobject_cast<dlgConvert *>(window))
                delete window;
        deleteClosedWindows();
        QLocale::setDefault(QLocale::c());
        QApplication::setPalette(startingPalette);
    }

    void dialogAndControlsAreWhereTheyBelong_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("StaticText1") << u"StaticText1"_s << u"Convert the value:"_s << QRect(20, 14, 120, 20);
        QTest::newRow("txtSource") << u"txtSource"_s << QString() << QRect(20, 34, 300, 33);
        QTest::newRow("StaticText2") << u"StaticText2"_s << u"Which is a:"_s << QRect(20, 72, 75, 20);
        QTest::newRow("popUnitClass") << u"popUnitClass"_s << QString() << QRect(105, 72, 215, 20);
        QTest::newRow("lblPleaseSelectUnitType")
            << u"lblPleaseSelectUnitType"_s << u"Please select unit type..."_s << QRect(105, 72, 215, 20);
        QTest::newRow("StaticText3") << u"StaticText3"_s << u"Measured in:"_s << QRect(20, 94, 75, 20);
        QTest::newRow("popSourceUnit") << u"popSourceUnit"_s << QString() << QRect(105, 94, 215, 20);
        QTest::newRow("StaticText4") << u"StaticText4"_s << u"to:"_s << QRect(20, 116, 75, 20);
        QTest::newRow("popResultUnit") << u"popResultUnit"_s << QString() << QRect(105, 116, 215, 20);
        QTest::newRow("radShowOnlyCommon")
            << u"radShowOnlyCommon"_s << u"Show common units"_s << QRect(20, 138, 144, 20);
        QTest::newRow("radShowAll") << u"radShowAll"_s << u"Show all units"_s << QRect(176, 138, 144, 20);
        QTest::newRow("StaticText5") << u"StaticText5"_s << u"Which gives:"_s << QRect(20, 167, 120, 20);
        QTest::newRow("txtResult") << u"txtResult"_s << QString() << QRect(20, 187, 300, 33);
        QTest::newRow("cmdUse") << u"cmdUse"_s << u"Use"_s << QRect(171, 230, 69, 20);
        QTest::newRow("cmdClose") << u"cmdClose"_s << u"Close"_s << QRect(250, 230, 70, 20);
    }

    void dialogAndControlsAreWhereTheyBelong()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 1, shipped);
        QCOMPARE(dialog->windowTitle(), u"Convert"_s);
        QCOMPARE(dialog->size(), QSize(340, 270));
        QVERIFY(!dialog->isModal());
        auto *widget = dialog->findChild<QWidget *>(name);
        QVERIFY(widget);
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QCOMPARE(label->text(), text);
            // A caption may grow where the font needs room for its whole
            // text, away from the field it names and inside the window.
            const QRect placed = label->geometry();
            QCOMPARE(placed.top(), geometry.top());
            QCOMPARE(placed.height(), geometry.height());
            QVERIFY(placed.contains(geometry));
            QVERIFY(label->sizeHint().width() <= placed.width());
            QVERIFY(QRect(QPoint(), dialog->size()).contains(placed));
            if (label->alignment() & Qt::AlignRight)
                QCOMPARE(placed.right(), geometry.right());
            else
                QCOMPARE(placed.left(), geometry.left());
            return;
        }
        QCOMPARE(widget->geometry(), geometry);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), text);
    }

    void captionsAlignAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("horizontal");
        QTest::newRow("StaticText1") << u"StaticText1"_s << int(Qt::AlignLeft);
        QTest::newRow("StaticText2") << u"StaticText2"_s << int(Qt::AlignRight);
        QTest::newRow("StaticText3") << u"StaticText3"_s << int(Qt::AlignRight);
        QTest::newRow("StaticText4") << u"StaticText4"_s << int(Qt::AlignRight);
        QTest::newRow("placeholder") << u"lblPleaseSelectUnitType"_s << int(Qt::AlignHCenter);
    }

    void captionsAlignAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(int, horizontal);
        dlgConvert dialog(shipped);
        auto *label = dialog.findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), horizontal);
    }

    void openingShowsTheExpressionFormAndTheFormattedZero()
    {
        CalculatorWindow window;
        window.calculator.press(u"2 . 5"_s);
        QCOMPARE(window.currentNumber(), 2.5);
        dlgConvert *dialog = dlgConvert::ShowFor(window.engine(), window, shipped);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dlgConvert::OpenInstance(), dialog);
        QCOMPARE(txtSource(dialog)->text(), u"2.5e+0"_s);
        // No class chosen: nothing converts and the result is 0.
        QCOMPARE(popUnitClass(dialog)->currentIndex(), -1);
        QCOMPARE(txtResult(dialog)->text(), dlgConvert::GetNiceString(0));
        QCOMPARE(txtResult(dialog)->text(), u"0"_s);
        QVERIFY(txtResult(dialog)->isReadOnly());
        QVERIFY(control<QLabel>(dialog, "lblPleaseSelectUnitType")->isVisible());
        QCOMPARE(popSourceUnit(dialog)->count(), 0);
        QCOMPARE(popResultUnit(dialog)->count(), 0);
        QVERIFY(control<QRadioButton>(dialog, "radShowOnlyCommon")->isChecked());
        QVERIFY(!control<QRadioButton>(dialog, "radShowAll")->isChecked());
        QVERIFY(cmdUse(dialog)->isDefault());
        QCOMPARE(dialog->sourceWindow(), &window.engine());
    }

    void theClassPopupListsTheSeventeenClasses()
    {
        dlgConvert dialog(shipped);
        QCOMPARE(rows(*popUnitClass(&dialog)),
            QStringList({ u"Acceleration"_s, u"Angle"_s, u"Area"_s, u"Density"_s, u"Distance"_s, u"Energy"_s,
                u"Force"_s, u"Frequency"_s, u"Mass"_s, u"Power"_s, u"Pressure"_s,
                u"Radiation (absorbed dose)"_s, u"Speed"_s, u"Temperature"_s, u"Time"_s, u"Torque"_s,
                u"Volume"_s }));
    }

    void choosingAClassSelectsItsSIUnitInBothPopups_data()
    {
        QTest::addColumn<QString>("unitClass");
        QTest::addColumn<QString>("siUnit");
        QTest::newRow("Acceleration") << u"Acceleration"_s << u"metre per second squared (m/s²)"_s;
        QTest::newRow("Angle") << u"Angle"_s << u"radian (rad)"_s;
        QTest::newRow("Area") << u"Area"_s << u"square metre (m²)"_s;
        QTest::newRow("Density") << u"Density"_s << u"kilogram per cubic metre (kg/m³)"_s;
        QTest::newRow("Distance") << u"Distance"_s << u"metre (m)"_s;
        QTest::newRow("Energy") << u"Energy"_s << u"joule (J)"_s;
        QTest::newRow("Force") << u"Force"_s << u"newton (N)"_s;
        QTest::newRow("Frequency") << u"Frequency"_s << u"hertz (Hz)"_s;
        QTest::newRow("Mass") << u"Mass"_s << u"kilogram (kg)"_s;
        QTest::newRow("Power") << u"Power"_s << u"watt (W)"_s;
        QTest::newRow("Pressure") << u"Pressure"_s << u"pascal (Pa)"_s;
        QTest::newRow("Radiation") << u"Radiation (absorbed dose)"_s << u"gray (Gy)"_s;
        QTest::newRow("Speed") << u"Speed"_s << u"metre per second (m/s)"_s;
        // Celsius has the factor 1 too, but kelvin is the last such unit.
        QTest::newRow("Temperature") << u"Temperature"_s << u"kelvin (K)"_s;
        QTest::newRow("Time") << u"Time"_s << u"second (s)"_s;
        QTest::newRow("Torque") << u"Torque"_s << u"newton metre (N·m)"_s;
        QTest::newRow("Volume") << u"Volume"_s << u"cubic metre (m³)"_s;
    }

    void choosingAClassSelectsItsSIUnitInBothPopups()
    {
        QFETCH(QString, unitClass);
        QFETCH(QString, siUnit);
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 2.5, shipped);
        choose(popUnitClass(dialog), unitClass);
        QVERIFY(popSourceUnit(dialog)->count() > 1);
        QCOMPARE(rows(*popResultUnit(dialog)), rows(*popSourceUnit(dialog)));
        QCOMPARE(popSourceUnit(dialog)->currentText(), siUnit);
        QCOMPARE(popResultUnit(dialog)->currentText(), siUnit);
        // From the SI unit to itself: the value, formatted.
        QCOMPARE(txtResult(dialog)->text(), u"2.5"_s);
        QVERIFY(!control<QLabel>(dialog, "lblPleaseSelectUnitType")->isVisible());
    }

    void switchingTheFilterResetsBothPopups()
    {
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 2.5, shipped);
        auto *radShowAll = control<QRadioButton>(dialog, "radShowAll");
        auto *radShowOnlyCommon = control<QRadioButton>(dialog, "radShowOnlyCommon");
        choose(popUnitClass(dialog), u"Distance"_s);
        const int commonUnits = popSourceUnit(dialog)->count();

        choose(popSourceUnit(dialog), u"mile (mi)"_s);
        choose(popResultUnit(dialog), u"inch (in)"_s);
        QCOMPARE(txtResult(dialog)->text(), u"158,400.0"_s); // 2.5 × 63360 inches
        QTest::mouseClick(radShowAll, Qt::LeftButton);
        QVERIFY(radShowAll->isChecked());
        QVERIFY(popSourceUnit(dialog)->count() > commonUnits);
        QVERIFY(popSourceUnit(dialog)->findText(u"microinch (µin)"_s) >= 0); // a unit that is not common
        QCOMPARE(popSourceUnit(dialog)->currentText(), u"metre (m)"_s);
        QCOMPARE(popResultUnit(dialog)->currentText(), u"metre (m)"_s);
        QCOMPARE(txtResult(dialog)->text(), u"2.5"_s);

        choose(popSourceUnit(dialog), u"microinch (µin)"_s);
        QTest::mouseClick(radShowOnlyCommon, Qt::LeftButton);
        QCOMPARE(popSourceUnit(dialog)->count(), commonUnits);
        QCOMPARE(popSourceUnit(dialog)->findText(u"microinch (µin)"_s), -1);
        QCOMPARE(popSourceUnit(dialog)->currentText(), u"metre (m)"_s);
        QCOMPARE(popResultUnit(dialog)->currentText(), u"metre (m)"_s);
        QCOMPARE(txtResult(dialog)->text(), u"2.5"_s);
    }

    void convertsBetweenShippedUnits_data()
    {
        QTest::addColumn<QString>("unitClass");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result");
        QTest::newRow("mile") << u"Distance"_s << u"1"_s << u"mile (mi)"_s << u"metre (m)"_s
                              << u"1,609.344"_s;
        QTest::newRow("inch") << u"Distance"_s << u"1"_s << u"inch (in)"_s << u"metre (m)"_s << u".0254"_s;
        QTest::newRow("boiling") << u"Temperature"_s << u"100"_s << u"degree Celsius (°C)"_s
                                 << u"degree Fahrenheit (°F)"_s << u"212.0"_s;
        QTest::newRow("absolute zero")
            << u"Temperature"_s << u"0"_s << u"kelvin (K)"_s << u"degree Celsius (°C)"_s << u"-273.15"_s;
        QTest::newRow("not a number")
            << u"Temperature"_s << u"warm"_s << u"kelvin (K)"_s << u"degree Celsius (°C)"_s << u"-273.15"_s;
        QTest::newRow("grouped") << u"Distance"_s << u"1,000"_s << u"metre (m)"_s << u"metre (m)"_s
                                 << u"1,000.0"_s;
    }

    void convertsBetweenShippedUnits()
    {
        QFETCH(QString, unitClass);
        QFETCH(QString, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, result);
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 0, shipped);
        choose(popUnitClass(dialog), unitClass);
        control<QRadioButton>(dialog, "radShowAll")->click();
        choose(popSourceUnit(dialog), from);
        choose(popResultUnit(dialog), to);
        txtSource(dialog)->setText(value);
        QCOMPARE(txtResult(dialog)->text(), result);
    }

    void typingRecomputesOnEveryChange()
    {
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 0, shipped);
        choose(popUnitClass(dialog), u"Distance"_s);
        choose(popSourceUnit(dialog), u"inch (in)"_s);
        txtSource(dialog)->clear();
        QTest::keyClick(txtSource(dialog), Qt::Key_1);
        QCOMPARE(txtResult(dialog)->text(), u".0254"_s);
        QTest::keyClick(txtSource(dialog), Qt::Key_0);
        QCOMPARE(txtResult(dialog)->text(), u".254"_s);
        QTest::keyClick(txtSource(dialog), Qt::Key_0);
        QCOMPARE(txtResult(dialog)->text(), u"2.54"_s);
    }

    void niceStrings_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("text");
        QTest::newRow("grouped") << 1234.5 << u"1,234.5"_s;
        QTest::newRow("negative grouped") << -1234.5 << u"-1,234.5"_s;
        QTest::newRow("no leading zero") << 0.5 << u".5"_s;
        QTest::newRow("one fraction digit at least") << 3.0 << u"3.0"_s;
        QTest::newRow("five fraction digits at most") << 1.0 / 3.0 << u".33333"_s;
        QTest::newRow("rounded up") << 2.0 / 3.0 << u".66667"_s;
        QTest::newRow("just above 10^-3") << 0.0011 << u".0011"_s;
        QTest::newRow("just below 10^12") << 999999999999.5 << u"999,999,999,999.5"_s;
        QTest::newRow("10^-3 exactly") << 0.001 << u"1e-3"_s;
        QTest::newRow("-10^-3 exactly") << -0.001 << u"-1e-3"_s;
        QTest::newRow("10^12 exactly") << 1e12 << u"1e+12"_s;
        QTest::newRow("small") << 1.5e-7 << u"1.5e-7"_s;
        // 1.23456789012345e14 keeps thirteen fraction digits, rounded.
        QTest::newRow("thirteen fraction digits") << 123456789012345.0 << u"1.2345678901235e+14"_s;
        QTest::newRow("zero") << 0.0 << u"0"_s;
    }

    void niceStrings()
    {
        QFETCH(double, x);
        QFETCH(QString, text);
        QCOMPARE(dlgConvert::GetNiceString(x), text);
    }

    void niceStringsOfInfinityAndNaNAreErrorTexts()
    {
        QVERIFY(
            dlgConvert::GetNiceString(std::numeric_limits<double>::infinity()).toUpper().contains(u"INF"_s));
        QVERIFY(
            dlgConvert::GetNiceString(std::numeric_limits<double>::quiet_NaN()).toUpper().contains(u"NAN"_s));
    }

    void useEntersTheDisplayedRoundedResult_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("entered");
        QTest::newRow("grouped") << 1234.5 << u"one"_s << u"one"_s << u"1,234.5"_s << 1234.5;
        QTest::newRow("a third") << 1.0 << u"one"_s << u"three"_s << u".33333"_s << 0.33333;
        QTest::newRow("scientific") << 3e12 << u"three"_s << u"one"_s << u"9e+12"_s << 9e12;
    }

    void useEntersTheDisplayedRoundedResult()
    {
        QFETCH(double, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, shown);
        QFETCH(double, entered);
        CalculatorWindow window;
        QPointer<dlgConvert> dialog = openFrom(window, value, fixture);
        choose(popUnitClass(dialog), u"Angle"_s);
        choose(popSourceUnit(dialog), from);
        choose(popResultUnit(dialog), to);
        QCOMPARE(txtResult(dialog)->text(), shown);
        window.calculator.press(u"Clear"_s);
        QTest::mouseClick(cmdUse(dialog), Qt::LeftButton);
        QCOMPARE(window.currentNumber(), entered);
        QCOMPARE(window.calculator.state().currentCodeString, CodeFormat(entered, ExpressionMask));
        QVERIFY(closedAndDeleted(dialog));
    }

    void returnUsesAndEscapeCloses()
    {
        CalculatorWindow window;
        QPointer<dlgConvert> dialog = openFrom(window, 1234.5, shipped);
        choose(popUnitClass(dialog), u"Distance"_s);
        window.calculator.press(u"Clear"_s);
        QTest::keyClick(txtSource(dialog), Qt::Key_Return);
        QCOMPARE(window.currentNumber(), 1234.5);
        QVERIFY(closedAndDeleted(dialog));

        dialog = openFrom(window, 7, shipped);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QCOMPARE(window.currentNumber(), 7.0);
        QVERIFY(closedAndDeleted(dialog));
    }

    void closeClosesAndTheNextOpeningStartsAfresh()
    {
        CalculatorWindow window;
        QPointer<dlgConvert> dialog = openFrom(window, 2, shipped);
        choose(popUnitClass(dialog), u"Distance"_s);
        control<QRadioButton>(dialog, "radShowAll")->click();
        QTest::mouseClick(control<QPushButton>(dialog, "cmdClose"), Qt::LeftButton);
        QCOMPARE(window.currentNumber(), 2.0);
        QVERIFY(closedAndDeleted(dialog));

        dlgConvert *fresh = openFrom(window, 2, shipped);
        QCOMPARE(popUnitClass(fresh)->currentIndex(), -1);
        QVERIFY(control<QRadioButton>(fresh, "radShowOnlyCommon")->isChecked());
        QVERIFY(control<QLabel>(fresh, "lblPleaseSelectUnitType")->isVisible());
        QCOMPARE(txtResult(fresh)->text(), u"0"_s);
    }

    void aSecondCalculatorRetargetsTheOpenDialog()
    {
        CalculatorWindow first;
        CalculatorWindow second;
        dlgConvert *dialog = openFrom(first, 2.5, shipped);
        choose(popUnitClass(dialog), u"Distance"_s);
        choose(popSourceUnit(dialog), u"inch (in)"_s);

        QCOMPARE(openFrom(second, 1234.5, shipped), dialog);
        QCOMPARE(dialog->sourceWindow(), &second.engine());
        // The class and units stay; the value is the second calculator's.
        QCOMPARE(popUnitClass(dialog)->currentText(), u"Distance"_s);
        QCOMPARE(popSourceUnit(dialog)->currentText(), u"inch (in)"_s);
        QCOMPARE(txtSource(dialog)->text(), u"1.2345e+3"_s);
        QCOMPARE(txtResult(dialog)->text(), u"31.3563"_s); // 1234.5 × 0.0254

        QTest::mouseClick(cmdUse(dialog), Qt::LeftButton);
        QCOMPARE(second.currentNumber(), 31.3563);
        QCOMPARE(first.currentNumber(), 2.5);
    }

    void useDoesNothingOnceTheSourceCalculatorIsClosed()
    {
        CalculatorWindow other;
        auto closing = std::make_unique<CalculatorWindow>();
        // Re-targeting away from a calculator that then closes keeps "Use".
        dlgConvert *dialog = openFrom(*closing, 1, shipped);
        openFrom(other, 5, shipped);
        closing.reset();
        QCOMPARE(dialog->sourceWindow(), &other.engine());
        QVERIFY(cmdUse(dialog)->isEnabled());

        closing = std::make_unique<CalculatorWindow>();
        openFrom(*closing, 1234.5, shipped);
        choose(popUnitClass(dialog), u"Distance"_s);
        closing.reset();
        QCOMPARE(dialog->sourceWindow(), nullptr);
        QVERIFY(!cmdUse(dialog)->isEnabled());
        QTest::mouseClick(cmdUse(dialog), Qt::LeftButton);
        QTest::keyClick(txtSource(dialog), Qt::Key_Return);
        // The dialog stays open and keeps converting.
        QCOMPARE(dlgConvert::OpenInstance(), dialog);
        QCOMPARE(txtResult(dialog)->text(), u"1,234.5"_s);
        QCOMPARE(other.currentNumber(), 5.0);

        // The next calculator to open it can use it again.
        openFrom(other, 2, shipped);
        QVERIFY(cmdUse(dialog)->isEnabled());
        QTest::mouseClick(cmdUse(dialog), Qt::LeftButton);
        QCOMPARE(other.currentNumber(), 2.0);
        QCOMPARE(other.calculator.state().currentCodeString, u"2.0e+0"_s);
    }

    void aDialogWithoutCalculatorCannotUse()
    {
        dlgConvert dialog(shipped);
        QCOMPARE(dialog.sourceWindow(), nullptr);
        QVERIFY(!cmdUse(&dialog)->isEnabled());
        QTest::mouseClick(cmdUse(&dialog), Qt::LeftButton);
        QCOMPARE(txtResult(&dialog)->text(), u"0"_s);
    }

    void classesWithoutUsableUnits_data()
    {
        QTest::addColumn<QString>("unitClass");
        QTest::addColumn<QStringList>("units");
        QTest::newRow("empty file") << u"Area"_s << QStringList();
        QTest::newRow("not a text file") << u"Time"_s << QStringList();
        QTest::newRow("SI unit not common") << u"Force"_s << QStringList { u"three"_s };
    }

    void classesWithoutUsableUnits()
    {
        QFETCH(QString, unitClass);
        QFETCH(QStringList, units);
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 6, fixture);
        choose(popUnitClass(dialog), unitClass);
        QCOMPARE(rows(*popSourceUnit(dialog)), units);
        QCOMPARE(rows(*popResultUnit(dialog)), units);
        // No selection in either popup: nothing to convert.
        QCOMPARE(popSourceUnit(dialog)->currentIndex(), -1);
        QCOMPARE(popResultUnit(dialog)->currentIndex(), -1);
        QCOMPARE(txtResult(dialog)->text(), u"0"_s);
        txtSource(dialog)->setText(u"12"_s);
        QCOMPARE(txtResult(dialog)->text(), u"0"_s);
    }

    void showingAllUnitsFindsANonCommonSIUnit()
    {
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 6, fixture);
        choose(popUnitClass(dialog), u"Force"_s);
        control<QRadioButton>(dialog, "radShowAll")->click();
        QCOMPARE(rows(*popSourceUnit(dialog)), QStringList({ u"three"_s, u"one"_s }));
        QCOMPARE(popSourceUnit(dialog)->currentText(), u"one"_s);
        choose(popSourceUnit(dialog), u"three"_s);
        QCOMPARE(txtResult(dialog)->text(), u"18.0"_s);
    }

    void aDuplicateNameConvertsWithTheFirstUnitOfThatName()
    {
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 1, fixture);
        choose(popUnitClass(dialog), u"Speed"_s);
        QCOMPARE(rows(*popSourceUnit(dialog)), QStringList({ u"knot"_s, u"Knot"_s, u"base"_s }));
        // The second row ("Knot", factor 2) names the first unit (factor 0.5).
        popSourceUnit(dialog)->setCurrentIndex(1);
        QCOMPARE(txtResult(dialog)->text(), u".5"_s);
    }

    void otherTablesRefillTheOpenDialog()
    {
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 1, shipped);
        choose(popUnitClass(dialog), u"Angle"_s);
        QCOMPARE(popSourceUnit(dialog)->currentText(), u"radian (rad)"_s);
        QCOMPARE(openFrom(window, 1, fixture), dialog);
        QCOMPARE(rows(*popSourceUnit(dialog)), QStringList({ u"one"_s, u"three"_s }));
        QCOMPARE(popSourceUnit(dialog)->currentText(), u"one"_s);
    }

    void readsTheExpressionFormInADecimalCommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 2.5, shipped);
        QCOMPARE(txtSource(dialog)->text(), u"2.5e+0"_s);
        choose(popUnitClass(dialog), u"Distance"_s);
        QCOMPARE(txtResult(dialog)->text(), u"2,5"_s);
        txtSource(dialog)->setText(u"1.234,5"_s);
        QCOMPARE(txtResult(dialog)->text(), u"1.234,5"_s);
        window.calculator.press(u"Clear"_s);
        QTest::mouseClick(cmdUse(dialog), Qt::LeftButton);
        QCOMPARE(window.currentNumber(), 1234.5);
    }

    void valueTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("literal") << u"2.5e+0"_s << 2.5;
        QTest::newRow("negative literal") << u"-1.25e-3"_s << -0.00125;
        QTest::newRow("grouped") << u"1,234.5"_s << 1234.5;
        QTest::newRow("leading number") << u"12abc"_s << 12.0;
        QTest::newRow("no number") << u"abc"_s << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("infinity") << u"INF"_s << std::numeric_limits<double>::infinity();
        QTest::newRow("minus infinity") << u"-INF"_s << -std::numeric_limits<double>::infinity();
    }

    void valueTexts()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(dlgConvert::ValueOfText(text), value);
    }

    void valueTextNaN() { QVERIFY(std::isnan(dlgConvert::ValueOfText(u"NAN"_s))); }

    void fieldsStayLegibleUnderADarkPalette()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
        dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
        dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::ButtonText, QColor(0xE0, 0xE0, 0xE0));
        QApplication::setPalette(dark);
        CalculatorWindow window;
        dlgConvert *dialog = openFrom(window, 1, shipped);
        for (QLineEdit *field : { txtSource(dialog), txtResult(dialog) }) {
            const QPalette palette = field->palette();
            QCOMPARE(palette.color(QPalette::Active, QPalette::Base), QColor(Qt::white));
            QVERIFY(contrast(palette.color(QPalette::Text), palette.color(QPalette::Base)) >= 4.5);
            QVERIFY(contrast(palette.color(QPalette::Inactive, QPalette::Text),
                        palette.color(QPalette::Inactive, QPalette::Base))
                >= 4.5);
        }
        for (const char *name : { "StaticText1", "StaticText2", "StaticText5" }) {
            const QPalette palette = control<QLabel>(dialog, name)->palette();
            QVERIFY(contrast(palette.color(QPalette::WindowText), palette.color(QPalette::Window)) >= 4.5);
        }
        // The placeholder is drawn on the class popup's button face.
        auto *placeholder = control<QLabel>(dialog, "lblPleaseSelectUnitType");
        const QPalette palette = placeholder->palette();
        QVERIFY(
            contrast(palette.color(placeholder->foregroundRole()), palette.color(QPalette::Button)) >= 4.5);
    }

    void thePlaceholderLetsClicksThroughToTheClassPopup()
    {
        dlgConvert dialog(shipped);
        auto *placeholder = control<QLabel>(&dialog, "lblPleaseSelectUnitType");
        QVERIFY(placeholder->testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(placeholder->geometry(), popUnitClass(&dialog)->geometry());
    }
};

QTEST_MAIN(TestDlgConvert)
#include "tst_dlgconvert.moc"
