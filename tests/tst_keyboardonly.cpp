// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window used by keyboard alone: page shortcuts, moving the
// focus onto the controls and pressing them, and typed keys that still reach
// the calculator. Keys go in through the window system's entry point, so
// shortcuts and the focus decide where they land, as for a real keyboard.
#include "app/menu.h"
#include "conversion/dlgconvert.h"
#include "engine/calculatorengine.h"
#include "tests/calculatorwindowfixture.h"
#include "window/displaycanvas.h"
#include "window/pagepanel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QTest>

#include <cmath>
#include <memory>
#include <numbers>

using Keys = QList<QKeyCombination>;

class TestKeyboardOnly : public QObject, protected CalculatorWindowFixture
{
    Q_OBJECT

    int page(winNormalCalculator *in = nullptr) { return control<PagePanel>("panMode", in)->currentPage(); }

    // The control of the window with the keyboard focus, by name; empty when
    // the keys go to the calculator itself.
    QString focused() const
    {
        const QWidget *focus = window->focusWidget();
        return focus && focus != window.get() ? focus->objectName() : QString();
    }

    void press(QKeyCombination key)
    {
        QTest::keyClick(window->windowHandle(), key.key(), key.keyboardModifiers());
    }

    void press(const Keys &keys)
    {
        for (const QKeyCombination key : keys)
            press(key);
    }

    // Types text (plain ASCII) key by key.
    void type(const char *text)
    {
        for (; *text; ++text)
            QTest::keyClick(window->windowHandle(), *text);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        unitTables.LoadConversionRates(RateFolders(QStringList()));
    }

    void init()
    {
        makePreferences();
        window = newWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Opening the window gives no control the focus.
        QCOMPARE(focused(), QString());
    }

    void cleanup()
    {
        if (dlgConvert *dialog = dlgConvert::OpenInstance())
            dialog->close();
        window.reset();
        preferences.reset();
    }

    // arcsin 1 = π/2 in radians, the angle mode a window starts with. The
    // display shows it to nine decimal places.
    void aPageKeyPressedByKeyboardAlone()
    {
        press(QKeyCombination(Qt::AltModifier, Qt::Key_4)); // away from the trigonometry page
        QVERIFY(!control("bevArcsin")->isVisible());
        type("1");
        press(QKeyCombination(Qt::AltModifier, Qt::Key_1));
        QCOMPARE(page(), 0);
        press(Qt::Key_F6);
        QCOMPARE(focused(), QStringLiteral("popTrigMode"));
        press({ Qt::Key_Tab, Qt::Key_Down });
        QCOMPARE(focused(), QStringLiteral("bevArcsin"));
        press(Qt::Key_Return);
        QCOMPARE(state().CurrentNumber, std::numbers::pi / 2);
        QCOMPARE(control<DisplayCanvas>("cnvDisplay")->presentedNumber(), QStringLiteral("1.570796327"));
        // The focus stays on the keys: up to sin, which Space presses. sin
        // π/2 = 1, within the rounding of π/2 to a double.
        QCOMPARE(focused(), QStringLiteral("bevArcsin"));
        press({ Qt::Key_Up, Qt::Key_Space });
        QCOMPARE(focused(), QStringLiteral("bevSin"));
        QVERIFY(std::abs(state().CurrentNumber - 1.0) < 1e-15);
    }

    // sin 30° = 1/2; the angle units other than radians are converted with
    // factors rounded to about ten digits.
    void anAngleModeChosenByKeyboard()
    {
        press(Qt::Key_F6);
        QCOMPARE(focused(), QStringLiteral("popTrigMode"));
        QComboBox *modes = control<QComboBox>("popTrigMode");
        press(Qt::Key_Down); // opens the popup
        QVERIFY(modes->view()->isVisible());
        QCOMPARE(modes->currentText(), QStringLiteral("Radians"));
        press({ Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return });
        QCOMPARE(modes->currentText(), QStringLiteral("Degrees"));
        // A choice in the popup gives the keys back to the calculator.
        QCOMPARE(focused(), QString());
        type("30");
        QCOMPARE(state().EnteredNumberAsString, QStringLiteral("30"));
        press({ Qt::Key_F6, Qt::Key_Tab });
        QCOMPARE(focused(), QStringLiteral("bevSin"));
        press(Qt::Key_Enter);
        QVERIFY(std::abs(state().CurrentNumber - 0.5) < 1e-9);
    }

    void everyModeShortcutDoesWhatItsButtonDoes_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("shownPage"); // the page the button shows
        // Constants and conversion open a window and keep the page (3 here).
        QTest::newRow("Alt+1") << 1 << "bevModeTrig" << 0;
        QTest::newRow("Alt+2") << 2 << "bevModeConst" << 3;
        QTest::newRow("Alt+3") << 3 << "bevModeMem" << 1;
        QTest::newRow("Alt+4") << 4 << "bevModeMisc" << 2;
        QTest::newRow("Alt+5") << 5 << "bevModeConvert" << 3;
        QTest::newRow("Alt+6") << 6 << "bevModeHistory" << 5;
        QTest::newRow("Alt+7") << 7 << "bevModeRPN" << 7;
    }

    // The same steps by shortcut in this window and by mouse in a twin, both
    // starting on page 3 (its button hidden, so no shortcut starts there):
    // the shortcut presses the button, then releases it as a second click
    // does.
    void everyModeShortcutDoesWhatItsButtonDoes()
    {
        QFETCH(int, number);
        QFETCH(QString, button);
        QFETCH(int, shownPage);
        const auto twin = newWindow();
        for (winNormalCalculator *calculator : { window.get(), twin.get() })
            control<QAbstractButton>(QStringLiteral("bevModeMatriciesAndVectors"), calculator)->click();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto shortcut = QKeyCombination(Qt::AltModifier, Qt::Key(Qt::Key_0 + number));
        QCOMPARE(control<QAbstractButton>(button)->shortcut(), QKeySequence(shortcut));

        for (const bool pressedAfter : { true, false }) {
            press(shortcut);
            QTest::mouseClick(control<QAbstractButton>(button, twin.get()), Qt::LeftButton);
            QCOMPARE(page(), shownPage);
            QCOMPARE(page(twin.get()), shownPage);
            QCOMPARE(pressedModeButtons(window.get()), pressedAfter ? QStringList { button } : QStringList());
            QCOMPARE(pressedModeButtons(twin.get()), pressedModeButtons(window.get()));
            // The shortcut leaves the keys with the calculator.
            QCOMPARE(focused(), QString());
            window->activateWindow(); // after a dialog the shortcut opened
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
    }

    void hiddenModeButtonsHaveNoShortcut()
    {
        for (const char *name : { "bevModeDebug", "bevModeComplexNumbers", "bevModeMatriciesAndVectors" })
            QVERIFY2(control<QAbstractButton>(QLatin1String(name))->shortcut().isEmpty(), name);
        press({ QKeyCombination(Qt::AltModifier, Qt::Key_8), QKeyCombination(Qt::AltModifier, Qt::Key_9) });
        QCOMPARE(page(), 0);
    }

    // The menu bar's shortcuts stay the menu's: none is taken twice, and
    // with the menu bar on the window the new keys work as without it.
    void theShortcutsLeaveTheMenusAlone()
    {
        Menu menu;
        QList<QKeySequence> taken;
        for (const QAction *item : menu.Items())
            taken += item->shortcuts();
        QList<QKeySequence> added;
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
            if (!button->shortcut().isEmpty())
                added.append(button->shortcut());
        for (const QShortcut *shortcut : window->findChildren<QShortcut *>())
            added.append(shortcut->key());
        QVERIFY(added.contains(QKeySequence(Qt::Key_F6)));
        for (const QKeySequence &key : added) {
            QVERIFY2(!taken.contains(key), qPrintable(key.toString()));
            QCOMPARE(added.count(key), 1);
        }

        window
            = std::make_unique<winNormalCalculator>(*preferences, speaker, unitTables, menu.CreateMenuBar());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        press(QKeyCombination(Qt::AltModifier, Qt::Key_3));
        QCOMPARE(page(), 1);
        press(Qt::Key_F6);
        QCOMPARE(focused(), QStringLiteral("popMemoryList"));
        type("7");
        QCOMPARE(state().EnteredNumberAsString, QStringLiteral("7"));
        QVERIFY(!window->menuBar()->activeAction());
    }

    void f6VisitsTheGroupsInTurn_data()
    {
        QTest::addColumn<QString>("showPage"); // a mode button, clicked first
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QStringList>("visited"); // empty: the calculator
        QTest::newRow("F6") << "bevModeTrig" << true
                            << QStringList { "popTrigMode", "bevOpenBracket", "popDisplayBase", "bevModeTrig",
                                   "" };
        QTest::newRow("Shift+F6") << "bevModeTrig" << false
                                  << QStringList { "bevModeTrig", "popDisplayBase", "bevOpenBracket",
                                         "popTrigMode", "" };
        QTest::newRow("history page")
            << "bevModeHistory" << true
            << QStringList { "bevClearHistory", "bevOpenBracket", "popDisplayBase", "bevModeTrig", "" };
        // Page 3 holds only a caption: F6 passes it by.
        QTest::newRow("empty page") << "bevModeMatriciesAndVectors" << true
                                    << QStringList { "bevOpenBracket", "popDisplayBase", "bevModeTrig", "" };
    }

    void f6VisitsTheGroupsInTurn()
    {
        QFETCH(QString, showPage);
        QFETCH(bool, forward);
        QFETCH(QStringList, visited);
        control<QAbstractButton>(showPage)->click();
        QStringList seen;
        for (qsizetype i = 0; i < visited.size(); ++i) {
            press(forward ? QKeyCombination(Qt::Key_F6) : QKeyCombination(Qt::ShiftModifier, Qt::Key_F6));
            seen.append(focused());
        }
        QCOMPARE(seen, visited);
    }

    void tabGoesThroughTheControlsInReadingOrder()
    {
        press({ Qt::Key_F6, Qt::Key_F6 }); // the keypad
        QStringList seen { focused() };
        for (int i = 0; i < 5; ++i) {
            press(Qt::Key_Tab);
            seen.append(focused());
        }
        QCOMPARE(seen,
            (QStringList {
                "bevOpenBracket", "bevCloseBracket", "bevConstPi", "bevConstE", "bevClearEntry", "bevEE" }));
        // bevEnter, off in infix entry, is passed by. Back to the start, and
        // round from the start to the end of the order.
        for (int i = 0; i < 5; ++i)
            press(QKeyCombination(Qt::ShiftModifier, Qt::Key_Tab));
        QCOMPARE(focused(), QStringLiteral("bevOpenBracket"));
        press(QKeyCombination(Qt::ShiftModifier, Qt::Key_Tab));
        QCOMPARE(focused(), QStringLiteral("bevRadToDeg")); // the last key of page 0
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("bevOpenBracket"));
        press({ Qt::Key_F6, Qt::Key_Tab });
        QCOMPARE(focused(), QStringLiteral("bevModeTrig")); // after the display base, the mode row
    }

    void arrowsMoveToTheNeighbourInTheirDirection_data()
    {
        QTest::addColumn<QString>("showPage");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        // Neighbours by the designed places of the controls.
        QTest::newRow("5 up") << "bevModeTrig"
                              << "bevNumberKey5" << int(Qt::Key_Up) << "bevNumberKey8";
        QTest::newRow("5 down") << "bevModeTrig"
                                << "bevNumberKey5" << int(Qt::Key_Down) << "bevNumberKey2";
        QTest::newRow("5 left") << "bevModeTrig"
                                << "bevNumberKey5" << int(Qt::Key_Left) << "bevNumberKey4";
        QTest::newRow("5 right") << "bevModeTrig"
                                 << "bevNumberKey5" << int(Qt::Key_Right) << "bevNumberKey6";
        QTest::newRow("= right: the edge") << "bevModeTrig"
                                           << "bevCalculate" << int(Qt::Key_Right) << "bevCalculate";
        QTest::newRow("0 down: the edge") << "bevModeTrig"
                                          << "bevNumberKey0" << int(Qt::Key_Down) << "bevNumberKey0";
        QTest::newRow("7 left, onto the page") << "bevModeTrig"
                                               << "bevNumberKey7" << int(Qt::Key_Left) << "bevTanh";
        QTest::newRow("( left, onto the popup") << "bevModeTrig"
                                                << "bevOpenBracket" << int(Qt::Key_Left) << "popTrigMode";
        QTest::newRow("sin right") << "bevModeTrig"
                                   << "bevSin" << int(Qt::Key_Right) << "bevCos";
        QTest::newRow("cos down") << "bevModeTrig"
                                  << "bevCos" << int(Qt::Key_Down) << "bevArccos";
        QTest::newRow("Rad to deg right") << "bevModeTrig"
                                          << "bevRadToDeg" << int(Qt::Key_Right) << "bevNumberKey1";
        QTest::newRow("RPN right") << "bevModeTrig"
                                   << "bevModeRPN" << int(Qt::Key_Right) << "bevHelp";
        QTest::newRow("RPN down") << "bevModeTrig"
                                  << "bevModeRPN" << int(Qt::Key_Down) << "bevOpenBracket";
        QTest::newRow("trig mode right") << "bevModeTrig"
                                         << "popTrigMode" << int(Qt::Key_Right) << "bevOpenBracket";
        QTest::newRow("M+ right") << "bevModeMem"
                                  << "bevMemAdd" << int(Qt::Key_Right) << "bevAddMem";
        QTest::newRow("Active right") << "bevModeRPN"
                                      << "radRPNActive" << int(Qt::Key_Right) << "radRPNInactive";
    }

    void arrowsMoveToTheNeighbourInTheirDirection()
    {
        QFETCH(QString, showPage);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        control<QAbstractButton>(showPage)->click();
        press(Qt::Key_F6); // the keyboard navigation is under way
        control(from)->setFocus();
        press(Qt::Key(key));
        QCOMPARE(focused(), to);
        // Moving presses nothing: no digit, no change of entry mode.
        QCOMPARE(state().EnteredNumberAsString, QString());
        QVERIFY(!preferences->usingRPNMode);
    }

    void returnEnterAndSpacePressTheFocusedControl_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void returnEnterAndSpacePressTheFocusedControl()
    {
        QFETCH(int, key);
        press({ Qt::Key_F6, Qt::Key_F6 });
        control("bevNumberKey7")->setFocus();
        press(Qt::Key(key));
        // Once, and no calculation (as Return would do on the calculator).
        QCOMPARE(state().EnteredNumberAsString, QStringLiteral("7"));
        QVERIFY(!state().lastCommandWasToCalculate);

        control("bevModeMem")->setFocus();
        press(Qt::Key(key));
        QCOMPARE(page(), 1);
        QCOMPARE(pressedModeButtons(window.get()), QStringList { QStringLiteral("bevModeMem") });
        QCOMPARE(focused(), QStringLiteral("bevModeMem"));

        control<QAbstractButton>(QStringLiteral("bevModeRPN"))->click();
        control("radRPNActive")->setFocus();
        press(Qt::Key(key));
        QVERIFY(preferences->usingRPNMode);
        QVERIFY(control<QRadioButton>("radRPNActive")->isChecked());
    }

    void typedKeysReachTheCalculatorWhileAControlHasTheFocus_data()
    {
        QTest::addColumn<QString>("showPage");
        QTest::addColumn<QString>("focus");
        QTest::newRow("key") << "bevModeTrig"
                             << "bevSin";
        QTest::newRow("mode button") << "bevModeTrig"
                                     << "bevModeMisc";
        // A popup would otherwise choose its row "2 (Binary)" for a typed 2.
        QTest::newRow("display base") << "bevModeTrig"
                                      << "popDisplayBase";
        QTest::newRow("memory popup") << "bevModeMem"
                                      << "popMemoryList";
        QTest::newRow("stack list") << "bevModeRPN"
                                    << "lsbRPNStack";
    }

    void typedKeysReachTheCalculatorWhileAControlHasTheFocus()
    {
        QFETCH(QString, showPage);
        QFETCH(QString, focus);
        control<QAbstractButton>(showPage)->click();
        press(Qt::Key_F6);
        control(focus)->setFocus();
        type("2*3+4");
        QCOMPARE(state().currentCodeString, QStringLiteral("2*3+4"));
        QCOMPARE(focused(), focus);
        type("=");
        QCOMPARE(state().CurrentNumber, 10.0);
        QCOMPARE(control<QComboBox>("popDisplayBase")->currentText(), QStringLiteral("10 (Denary, normal)"));
        QCOMPARE(control<QComboBox>("popMemoryList")->currentIndex(), 0);
    }

    void theKeysGoBackToTheCalculator_data()
    {
        QTest::addColumn<Keys>("giveBack");
        QTest::newRow("Escape") << Keys { Qt::Key_Escape };
        QTest::newRow("Shift+F6 from the page") << Keys { QKeyCombination(Qt::ShiftModifier, Qt::Key_F6) };
        QTest::newRow("F6 round the groups") << Keys { Qt::Key_F6, Qt::Key_F6, Qt::Key_F6, Qt::Key_F6 };
    }

    // Back with the calculator, digits and the Tab, Return and Escape keys
    // do what the key map says again.
    void theKeysGoBackToTheCalculator()
    {
        QFETCH(Keys, giveBack);
        type("12+");
        press(Qt::Key_F6);
        QCOMPARE(focused(), QStringLiteral("popTrigMode"));
        press(giveBack);
        QCOMPARE(focused(), QString());
        // Giving the keys back cleared nothing.
        QCOMPARE(state().currentCodeString, QStringLiteral("12+"));
        type("30");
        press(Qt::Key_Return);
        QCOMPARE(state().CurrentNumber, 42.0);
        press(Qt::Key_Tab); // a calculator key, which ends "just calculated"
        QVERIFY(!state().lastCommandWasToCalculate);
        QCOMPARE(focused(), QString());
        type("5");
        press(Qt::Key_Escape); // Clear
        QCOMPARE(state().currentCodeString, QString());
        QCOMPARE(state().EnteredNumberAsString, QString());
    }

    void escapeLeavesTheHistoryBox()
    {
        press(QKeyCombination(Qt::AltModifier, Qt::Key_6));
        QPlainTextEdit *history = control<QPlainTextEdit>("txtHistory");
        QTest::mouseClick(history->viewport(), Qt::LeftButton);
        QCOMPARE(focused(), QStringLiteral("txtHistory"));
        type("12");
        QCOMPARE(state().currentCodeString, QString()); // the box keeps its keys
        press(Qt::Key_Escape);
        QCOMPARE(focused(), QString());
        type("12");
        QCOMPARE(state().currentCodeString, QStringLiteral("12"));
    }

    void aClickOnAKeyLeavesTheFocusWhereItWas_data()
    {
        QTest::addColumn<QString>("showPage");
        QTest::addColumn<QString>("focus"); // empty: the calculator
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("calculator") << "bevModeTrig"
                                    << "" << false;
        QTest::newRow("a key") << "bevModeTrig"
                               << "bevCos" << false;
        QTest::newRow("a mode button") << "bevModeTrig"
                                       << "bevModeHistory" << false;
        QTest::newRow("the history box") << "bevModeHistory"
                                         << "txtHistory" << true;
    }

    void aClickOnAKeyLeavesTheFocusWhereItWas()
    {
        QFETCH(QString, showPage);
        QFETCH(QString, focus);
        QFETCH(bool, byMouse);
        control<QAbstractButton>(showPage)->click();
        if (byMouse) {
            QTest::mouseClick(control<QPlainTextEdit>(focus)->viewport(), Qt::LeftButton);
        } else if (!focus.isEmpty()) {
            press(Qt::Key_F6);
            control(focus)->setFocus();
        }
        QCOMPARE(focused(), focus);
        for (const char *key : { "bevNumberKey4", "bevAdd", "bevNumberKey2", "bevCalculate" })
            QTest::mouseClick(control<QAbstractButton>(QLatin1String(key)), Qt::LeftButton);
        QCOMPARE(state().CurrentNumber, 6.0);
        QCOMPARE(focused(), focus);
    }

    void aPageSwitchCarriesTheFocusAlong()
    {
        press({ Qt::Key_F6, Qt::Key_Tab });
        QCOMPARE(focused(), QStringLiteral("bevSin"));
        press(QKeyCombination(Qt::AltModifier, Qt::Key_3));
        QCOMPARE(focused(), QStringLiteral("popMemoryList")); // the first control of the memory page
        press(QKeyCombination(Qt::AltModifier, Qt::Key_1));
        QCOMPARE(focused(), QStringLiteral("bevSin")); // where it was on this page
        // A page with nothing to press gives the keys back.
        control<QAbstractButton>(QStringLiteral("bevModeMatriciesAndVectors"))->click();
        QCOMPARE(focused(), QString());
        // With the keys at the calculator, a page switch leaves them there.
        press(QKeyCombination(Qt::AltModifier, Qt::Key_4));
        QCOMPARE(focused(), QString());
        // So does a switch while the focus is outside the page.
        press({ Qt::Key_F6, Qt::Key_F6 });
        QCOMPARE(focused(), QStringLiteral("bevOpenBracket"));
        press(QKeyCombination(Qt::AltModifier, Qt::Key_6));
        QCOMPARE(focused(), QStringLiteral("bevOpenBracket"));
    }

    void theFocusedControlShowsAFocusFrame_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("key") << "bevNumberKey5";
        QTest::newRow("mode button") << "bevModeMem";
        QTest::newRow("pressed mode button") << "bevModeTrig";
        QTest::newRow("help button") << "bevHelp";
        QTest::newRow("popup") << "popDisplayBase";
    }

    void theFocusedControlShowsAFocusFrame()
    {
        QFETCH(QString, name);
        control<QAbstractButton>(QStringLiteral("bevModeTrig"))->click();
        QWidget *widget = control(name);
        const QImage before = widget->grab().toImage();
        press({ Qt::Key_F6, Qt::Key_F6 });
        widget->setFocus();
        const QImage focusedLook = widget->grab().toImage();
        QVERIFY(focusedLook != before);
        press(Qt::Key_Escape);
        QCOMPARE(widget->grab().toImage(), before);
    }
};

QTEST_MAIN(TestKeyboardOnly)
#include "tst_keyboardonly.moc"
