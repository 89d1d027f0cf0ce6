// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in a calculator window: a name for every
// control, and the display's number as its value, announced when it changes.
#include "tests/calculatorwindowfixture.h"
#include "window/displaycanvas.h"
#include "window/windowlayout.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(text) : QString();
}

} // namespace

class TestAccessibility : public QObject, protected CalculatorWindowFixture
{
    Q_OBJECT

    void click(const char *name)
    {
        auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    DisplayCanvas *display() { return window->findChild<DisplayCanvas *>(QStringLiteral("cnvDisplay")); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        makePreferences();
        unitTables.LoadConversionRates(RateFolders(QStringList()));
    }

    void init()
    {
        window = newWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    // Every control of the window's layout, shown or hidden, on every page.
    // The page panels and the frame around the mode keys only hold other
    // controls, which carry the names; a screen reader passes over them.
    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("name");
        for (const WindowLayout::Control &control : WindowLayout::Controls())
            if (control.kind != WindowLayout::Kind::PagePanel && control.kind != WindowLayout::Kind::GroupBox)
                QTest::newRow(control.name) << QString::fromUtf8(control.name);
    }

    void everyControlHasAName()
    {
        QFETCH(QString, name);
        QWidget *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        QVERIFY2(!accessibleText(control, QAccessible::Name).trimmed().isEmpty(), qPrintable(name));
    }

    // Whatever a user can operate in the window, whether or not the layout
    // table lists it, has a name.
    void everyOperableWidgetHasAName()
    {
        int checked = 0;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const bool operable = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
                || qobject_cast<QPlainTextEdit *>(widget)
                || (qobject_cast<QAbstractItemView *>(widget) && !widget->objectName().isEmpty())
                || (qobject_cast<QAbstractSlider *>(widget) && !widget->objectName().isEmpty());
            if (!operable)
                continue;
            ++checked;
            QVERIFY2(!accessibleText(widget, QAccessible::Name).trimmed().isEmpty(),
                qPrintable(
                    QStringLiteral("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className())));
        }
        QVERIFY(checked > 40); // the keypad alone has more keys
    }

    // Keys are named by what they do, as speech says it.
    void keysAreNamedByTheirOperation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("add") << "bevAdd"
                             << "Plus";
        QTest::newRow("square root") << "bevSqrt"
                                     << "Square root of";
    }

    void keysAreNamedByTheirOperation()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QCOMPARE(accessibleText(window->findChild<QWidget *>(name), QAccessible::Name), spoken);
    }

    void displayPresentsItsNumberAsItsValue()
    {
        DisplayCanvas *canvas = display();
        QVERIFY(canvas);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(canvas);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::StaticText);
        QVERIFY(!face->text(QAccessible::Name).isEmpty());

        click("bevNumberKey1");
        click("bevNumberKey2");
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("12"));
        click("bevAdd");
        click("bevNumberKey3");
        click("bevCalculate");
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("15"));
    }

    // The display tells of every new number (with a value-change event to
    // the accessibility layer), and only of a new one.
    void displayAnnouncesEachNewNumber()
    {
        QSignalSpy announced(display(), &DisplayCanvas::presentedNumberChanged);
        click("bevNumberKey7");
        click("bevMultiply");
        click("bevNumberKey6");
        click("bevCalculate");
        click("bevCalculate"); // 42 again: no new number, nothing to tell
        QStringList numbers;
        for (const QList<QVariant> &arguments : std::as_const(announced))
            numbers.append(arguments.at(0).toString());
        QCOMPARE(numbers, QStringList({ "7", "6", "42" }));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
