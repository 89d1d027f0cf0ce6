// SPDX-License-Identifier: GPL-3.0-or-later
#include "constants/dlgconstants.h"
#include "conversion/dlgconvert.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "tests/calculatorwindowfixture.h"
#include "window/contactwebsite.h"
#include "window/displaycanvas.h"
#include "window/pagepanel.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

class TestWindow : public QObject, protected CalculatorWindowFixture
{
    Q_OBJECT

    void click(const char *name, winNormalCalculator *in = nullptr)
    {
        QAbstractButton *button = control<QAbstractButton>(name, in);
        QVERIFY2(button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void clickKeys(const QStringList &names)
    {
        for (const QString &name : names)
            click(name.toUtf8().constData());
    }

private Q_SLOTS:
    void init()
    {
        makePreferences();
        window = newWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        preferences.reset();
    }

    void opensAsDesigned()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Zorvane"));
        QCOMPARE(window->centralWidget()->size(), QSize(360, 370));
        QCOMPARE(window->centralWidget()->minimumSize(), QSize(360, 370));
        QCOMPARE(window->centralWidget()->maximumSize(), QSize(816, 32000));
        QCOMPARE(control<PagePanel>("panMode")->currentPage(), 0);
        QCOMPARE(control<PagePanel>("panDisplay")->currentPage(), 0);
        QVERIFY(pressedModeButtons().isEmpty());
        for (const char *name : { "bevModeDebug", "bevModeComplexNumbers", "bevModeMatriciesAndVectors",
                 "bevPercent", "bevImaginary" })
            QVERIFY2(control(name)->isHidden(), name);
        for (const char *name : { "bevModeTrig", "bevHelp", "bevAdd", "bevSin", "popTrigMode", "cnvDisplay" })
            QVERIFY2(control(name)->isVisible(), name);
        QVERIFY(!control("bevEnter")->isEnabled());
        QVERIFY(control("bevCalculate")->isEnabled());
        QCOMPARE(control<QAbstractButton>("bevDecimal")->text(), LocalDecimalSeparator());
        QCOMPARE(control<QComboBox>("popDisplayBase")->currentText(), QStringLiteral("10 (Denary, normal)"));
        QCOMPARE(control<QComboBox>("popTrigMode")->count(), 10);
        QCOMPARE(control<QComboBox>("popTrigMode")->currentText(), QStringLiteral("Radians"));
        QComboBox *memories = control<QComboBox>("popMemoryList");
        QCOMPARE(memories->count(), 26);
        QCOMPARE(memories->currentIndex(), 0);
        QCOMPARE(memories->itemText(0), QStringLiteral("A (0)"));
        QCOMPARE(memories->itemText(25), QStringLiteral("Z (0)"));
        QVERIFY(control<QRadioButton>("radRPNInactive")->isChecked());
        QVERIFY(!control<QRadioButton>("radRPNActive")->isChecked());
        QTreeWidget *stack = control<QTreeWidget>("lsbRPNStack");
        QCOMPARE(stack->headerItem()->text(0), QStringLiteral("RPN Stack:"));
        QCOMPARE(stack->topLevelItemCount(), 1);
        QCOMPARE(stack->topLevelItem(0)->text(0), QStringLiteral("The RPN stack is empty"));
        QVERIFY(stack->topLevelItem(0)->font(0).italic());
        QCOMPARE(control("bevAdd")->toolTip(),
            QStringLiteral("Use this to add the current number to the next one you enter"));
        QCOMPARE(control("bevModeRPN")->toolTip(), QStringLiteral("Reverse Polish Notation mode"));
        QVERIFY(control("bevHelp")->toolTip().isEmpty());
    }

    void opensInTheStoredEntryModeAndTransparency()
    {
        preferences->usingRPNMode = true;
        preferences->windowAlphaUsed = true;
        preferences->windowAlpha = 0.5f;
        const auto rpnWindow = newWindow();
        QVERIFY(control<QRadioButton>("radRPNActive", rpnWindow.get())->isChecked());
        QVERIFY(!control<QRadioButton>("radRPNInactive", rpnWindow.get())->isChecked());
        QVERIFY(control("bevEnter", rpnWindow.get())->isEnabled());
        for (const char *name : { "bevCalculate", "bevOpenBracket", "bevCloseBracket" })
            QVERIFY2(!control(name, rpnWindow.get())->isEnabled(), name);
        // The window system keeps opacity in steps of 1/255.
        QVERIFY(qAbs(rpnWindow->windowOpacity() - 0.5) < 0.005);
        QCOMPARE(window->windowOpacity(), 1.0); // opened before the change
    }

    void everyKeyHasASpokenName()
    {
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
            QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        QCOMPARE(control("bevAdd")->accessibleName(), QStringLiteral("Plus"));
        QCOMPARE(control("bevSqrt")->accessibleName(), QStringLiteral("Square root of"));
        QCOMPARE(control("bevSin")->accessibleName(), QStringLiteral("Sine"));
        QCOMPARE(control("bevNumberKey7")->accessibleName(), QStringLiteral("7"));
    }

    void keysTakeNoFocus()
    {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            // The list of an open popup menu lies in a window of its own.
            if (widget->window() != window.get())
                continue;
            if (widget == control("txtHistory") || widget == control("txtSource")
                || widget->parent() == control("txtHistory") || widget->parent() == control("txtSource"))
                continue;
            QVERIFY2(!(widget->focusPolicy() & Qt::TabFocus), qPrintable(widget->objectName()));
        }
        clickKeys({ "bevNumberKey1", "bevModeMem", "bevMemSet" });
        QVERIFY(!window->focusWidget());
    }

    void calculationByMouse()
    {
        clickKeys(
            { "bevNumberKey1", "bevNumberKey2", "bevAdd", "bevNumberKey3", "bevNumberKey4", "bevCalculate" });
        QCOMPARE(state().CurrentNumber, 46.0);
        QVERIFY(state().lastCommandWasToCalculate);
        // The history log holds the evaluated text and the result.
        QCOMPARE(control<QPlainTextEdit>("txtHistory")->toPlainText(), QStringLiteral("12+34\n= 46\n\n"));
        click("bevModeHistory");
        click("bevClearHistory");
        QCOMPARE(control<QPlainTextEdit>("txtHistory")->toPlainText(), QString());
    }

    void numberKeysPassTheirCaption()
    {
        control<QAbstractButton>("bevNumberKey7")->setText(QStringLiteral("3"));
        click("bevNumberKey7");
        QCOMPARE(state().EnteredNumberAsString, QStringLiteral("3"));
    }

    void calculationByKeyboard()
    {
        QTest::keyClicks(window.get(), QStringLiteral("123+456"));
        QCOMPARE(control<QPlainTextEdit>("txtSource")->toPlainText(), QStringLiteral("123+456"));
        QTest::keyClick(window.get(), '=');
        QCOMPARE(state().CurrentNumber, 579.0);
        QCOMPARE(control<QPlainTextEdit>("txtSource")->toPlainText(), state().currentCodeString);
        // Return after "=" calculates again, as a second "=" does.
        QTest::keyClick(window.get(), Qt::Key_Return);
        QCOMPARE(state().CurrentNumber, 579.0);
        // A digit typed after a result starts a new calculation.
        QTest::keyClicks(window.get(), QStringLiteral("7"));
        QCOMPARE(state().currentCodeString, QStringLiteral("7"));
        QCOMPARE(control<QPlainTextEdit>("txtSource")->toPlainText(), QStringLiteral("7"));
        // A minus right after the exponent's "E" is the exponent's sign.
        QTest::keyClicks(window.get(), QStringLiteral("E-3="));
        QCOMPARE(state().CurrentNumber, 0.007);
        // The keypad's Enter calculates as "=" does.
        QTest::keyClicks(window.get(), QStringLiteral("*2"));
        QTest::keyClick(window.get(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(state().CurrentNumber, 0.014);
    }

    void modifiersAndShortcutsDoNotReachTheCalculator()
    {
        QTest::keyClicks(window.get(), QStringLiteral("2+3="));
        QVERIFY(state().lastCommandWasToCalculate);
        QTest::keyClick(window.get(), Qt::Key_Shift);
        QTest::keyClick(window.get(), Qt::Key_Control);
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(state().lastCommandWasToCalculate);
        // Tab is a key of the calculator (it does nothing but redraw), and it
        // moves the focus nowhere.
        QTest::keyClick(window.get(), Qt::Key_Tab);
        QVERIFY(!state().lastCommandWasToCalculate);
        QVERIFY(!window->focusWidget());
        // Escape clears.
        QTest::keyClicks(window.get(), QStringLiteral("42"));
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(state().currentCodeString, QString());
    }

    void aFocusedEditFieldKeepsTheKeys()
    {
        click("bevModeHistory");
        QPlainTextEdit *history = control<QPlainTextEdit>("txtHistory");
        QTest::mouseClick(history->viewport(), Qt::LeftButton);
        QCOMPARE(window->focusWidget(), history);
        QTest::keyClicks(history, QStringLiteral("12"));
        QCOMPARE(state().currentCodeString, QString());
    }

    void aChoiceInAPopupGivesTheKeysBackToTheCalculator_data()
    {
        QTest::addColumn<QString>("popup");
        QTest::addColumn<int>("row");
        QTest::newRow("display base") << "popDisplayBase" << 0;
        QTest::newRow("angle mode") << "popTrigMode" << 5;
        QTest::newRow("memory") << "popMemoryList" << 3;
    }

    void aChoiceInAPopupGivesTheKeysBackToTheCalculator()
    {
        QFETCH(QString, popup);
        QFETCH(int, row);
        click("bevModeHistory");
        QPlainTextEdit *history = control<QPlainTextEdit>("txtHistory");
        QTest::mouseClick(history->viewport(), Qt::LeftButton);
        QCOMPARE(window->focusWidget(), history);
        QComboBox *chooser = control<QComboBox>(popup.toUtf8().constData());
        chooser->setCurrentIndex(row);
        Q_EMIT chooser->activated(row); // as a choice by the user does
        QVERIFY(!window->focusWidget());
        QTest::keyClicks(window.get(), QStringLiteral("12"));
        QCOMPARE(state().currentCodeString, QStringLiteral("12"));
    }

    void everyPageIsReachedByItsModeButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("shown"); // a control of that page
        QTest::newRow("trig") << "bevModeTrig" << 0 << "bevSin";
        QTest::newRow("memory") << "bevModeMem" << 1 << "popMemoryList";
        QTest::newRow("misc") << "bevModeMisc" << 2 << "bevMod";
        QTest::newRow("matrices") << "bevModeMatriciesAndVectors" << 3 << "StaticText1";
        QTest::newRow("history") << "bevModeHistory" << 5 << "txtHistory";
        QTest::newRow("debug") << "bevModeDebug" << 6 << "txtSource";
        QTest::newRow("rpn") << "bevModeRPN" << 7 << "lsbRPNStack";
        QTest::newRow("complex") << "bevModeComplexNumbers" << 8 << "popComplexDisplayMode";
    }

    void everyPageIsReachedByItsModeButton()
    {
        QFETCH(QString, button);
        QFETCH(int, page);
        QFETCH(QString, shown);
        // Hidden mode buttons cannot be clicked by the mouse: press them in code.
        control<QAbstractButton>(button.toUtf8().constData())->click();
        QCOMPARE(control<PagePanel>("panMode")->currentPage(), page);
        QVERIFY(control(shown.toUtf8().constData())->isVisible());
        // The pages do not show at once: page 0's keys are gone unless it is page 0.
        QCOMPARE(control("bevSin")->isVisible(), page == 0);
        // Controls hidden in their own right stay hidden on their page.
        QVERIFY(control("bevImaginary")->isHidden());
    }

    void modeButtonsPressAndRelease()
    {
        click("bevModeTrig");
        QCOMPARE(pressedModeButtons(), QStringList { QStringLiteral("bevModeTrig") });
        click("bevModeMem");
        QCOMPARE(pressedModeButtons(), QStringList { QStringLiteral("bevModeMem") });
        QCOMPARE(control<PagePanel>("panMode")->currentPage(), 1);
        // A pressed button clicked again is released; its page stays.
        click("bevModeMem");
        QVERIFY(pressedModeButtons().isEmpty());
        QCOMPARE(control<PagePanel>("panMode")->currentPage(), 1);
        // Constants presses its button and releases the page's, without
        // changing the page.
        click("bevModeMisc");
        click("bevModeConst");
        QCOMPARE(pressedModeButtons(), QStringList { QStringLiteral("bevModeConst") });
        QCOMPARE(control<PagePanel>("panMode")->currentPage(), 2);
        click("bevModeConst"); // hides the picker again
        click("bevModeHistory");
        // Help leaves the mode buttons as they are.
        click("bevHelp");
        QCOMPARE(pressedModeButtons(), QStringList { QStringLiteral("bevModeHistory") });
        QCOMPARE(control<PagePanel>("panMode")->currentPage(), 5);
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *other : windows)
            if (other != window.get() && other->isVisible())
                other->close();
    }

    void theConstantsButtonShowsAndHidesThisWindowsPicker()
    {
        const auto other = newWindow();
        click("bevModeConst");
        auto *picker = window->findChild<dlgConstants *>();
        QVERIFY(picker && picker->isVisible());
        QCOMPARE(picker->sourceWindow(), &window->engine());
        click("bevModeConst");
        QVERIFY(!picker->isVisible());
        click("bevModeConst");
        QCOMPARE(window->findChild<dlgConstants *>(), picker); // the same picker again
        QVERIFY(picker->isVisible());
        // The other window gets a picker of its own.
        click("bevModeConst", other.get());
        auto *otherPicker = other->findChild<dlgConstants *>();
        QVERIFY(otherPicker && otherPicker != picker);
        QCOMPARE(otherPicker->sourceWindow(), &other->engine());
        // A closed picker is gone; the next press makes a fresh one.
        const QPointer<dlgConstants> closed = picker;
        picker->close();
        QTRY_VERIFY(!closed);
        click("bevModeConst");
        QVERIFY(window->findChild<dlgConstants *>());
        QVERIFY(window->findChild<dlgConstants *>()->isVisible());
    }

    void theConversionButtonTargetsTheSharedDialogAtThisWindow()
    {
        const auto other = newWindow();
        QTest::keyClicks(window.get(), QStringLiteral("2.5"));
        click("bevModeConvert");
        dlgConvert *dialog = dlgConvert::OpenInstance();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->sourceWindow(), &window->engine());
        QCOMPARE(
            dialog->findChild<QLineEdit *>(QStringLiteral("txtSource"))->text(), QStringLiteral("2.5e+0"));
        click("bevModeConvert", other.get());
        QCOMPARE(dlgConvert::OpenInstance(), dialog);
        QCOMPARE(dialog->sourceWindow(), &other->engine());
        dialog->close();
    }

    void resizingMovesTheKeypadAndStretchesTheStretchingGroup()
    {
        QHash<QString, QRect> before;
        for (QWidget *widget : window->centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            before.insert(widget->objectName(), widget->geometry());
        window->resize(window->width() + 100, window->height() + 50);
        QCOMPARE(window->centralWidget()->size(), QSize(460, 420));

        const QStringList stretching { "grpMode", "panMode", "txtSource" };
        const QStringList keypadOnPage8 { "bevComplexConjugate", "bevReal", "BevelButton1", "BevelButton2",
            "bevImaginary" };
        // The keypad table of the window, by name.
        QStringList keypad { "bevOpenBracket", "bevCloseBracket", "bevEnter", "bevConstPi", "bevConstE",
            "bevClearEntry", "bevEE", "bevFactorial", "bevClear", "bevPercent", "bevAbsolute", "bevSqrt",
            "bevIntegerDivide", "bevDivide", "bevMultiply", "bevSubtract", "bevAdd", "bevDecimal", "bevSign",
            "bevCalculate" };
        for (int digit = 0; digit <= 9; ++digit)
            keypad.append(QStringLiteral("bevNumberKey%1").arg(digit));
        keypad += keypadOnPage8;

        QCOMPARE(control("bevAdd")->geometry(), QRect(425, 305, 20, 20));
        QCOMPARE(control("cnvDisplay")->geometry(), QRect(15, 15, 430, 40));
        QCOMPARE(control("grpMode")->geometry(), QRect(15, 141, 320, 264));
        QCOMPARE(control("panMode")->geometry(), QRect(20, 150, 310, 250));
        QCOMPARE(control("txtSource")->geometry(), QRect(31, 171, 288, 99));
        QVERIFY(before.contains(QStringLiteral("bevSin")) && before.contains(QStringLiteral("lsbRPNStack")));
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QRect now = control(it.key().toUtf8().constData())->geometry();
            QRect expected = it.value();
            if (keypad.contains(it.key()))
                expected.translate(100, 0);
            else if (stretching.contains(it.key()))
                expected.adjust(0, 0, 100, 50);
            else if (it.key() == QStringLiteral("cnvDisplay"))
                expected.adjust(0, 0, 100, 0);
            QVERIFY2(now == expected, qPrintable(it.key()));
        }
    }

    void theWindowKeepsItsSizeLimits()
    {
        window->resize(2000, 100);
        QCOMPARE(window->centralWidget()->size(), QSize(816, 370));
    }

    void displayBaseAndAngleModeRedrawAtOnce()
    {
        DisplayCanvas *display = control<DisplayCanvas>("cnvDisplay");
        QTest::keyClicks(window.get(), QStringLiteral("16"));
        const auto expectedPicture = [&](const QString &number, const QString &angleMode) {
            DisplayRenderer renderer;
            return renderer
                .Compose({ number, QString(), QStringLiteral("[Infix]"), angleMode }, display->size(),
                    display->currentState().devicePixelRatio())
                .copy();
        };
        QCOMPARE(display->currentState(), expectedPicture(QStringLiteral("16"), QStringLiteral("Radians")));
        control<QComboBox>("popDisplayBase")->setCurrentText(QStringLiteral("16 (Hexadecimal)"));
        QCOMPARE(display->currentState(), expectedPicture(QStringLiteral("10"), QStringLiteral("Radians")));
        control<QComboBox>("popTrigMode")->setCurrentText(QStringLiteral("Degrees"));
        QCOMPARE(display->currentState(), expectedPicture(QStringLiteral("10"), QStringLiteral("Degrees")));
    }

    void theEntryModeNoteFollowsThePreference()
    {
        DisplayCanvas *display = control<DisplayCanvas>("cnvDisplay");
        click("bevModeRPN");
        click("radRPNActive");
        DisplayRenderer renderer;
        const QImage expected = renderer.Compose(
            { QStringLiteral("0"), QString(), QStringLiteral("[RPN]  "), QStringLiteral("Radians") },
            display->size(), display->currentState().devicePixelRatio());
        QCOMPARE(display->currentState(), expected);
    }

    void errorDialogsOfferToSendAnEmail_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("sendEmail");
        QTest::newRow("send") << "Send Email..." << true;
        QTest::newRow("ok") << "OK" << false;
    }

    void errorDialogsOfferToSendAnEmail()
    {
        QFETCH(QString, button);
        QFETCH(bool, sendEmail);
        QString shownExplanation;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->icon(), QMessageBox::Critical);
            shownExplanation = dialog->informativeText();
            for (QAbstractButton *choice : dialog->buttons())
                if (choice->text().remove(QLatin1Char('&')) == button)
                    choice->click();
        });
        const bool chosen = window->ShowErrorDialog(CalculatorView::ErrorIcon::Stop,
            QStringLiteral("Furball"), QStringLiteral("The exact error is: \r\u0003On line number 1"));
        QCOMPARE(chosen, sendEmail);
        // A carriage return and the character 3 end a paragraph.
        QCOMPARE(shownExplanation, QStringLiteral("The exact error is: \nOn line number 1"));
    }

    void aBugReportIsAPreFilledEmail()
    {
        const QUrl url = ContactWebsite::BugReportUrl(QStringLiteral("Sqrt(2+3) x"));
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), QStringLiteral("bugs@zorvane.org"));
        QCOMPARE(url.query(QUrl::FullyDecoded),
            QStringLiteral(
                "Subject=Bug in Zorvane&Body=The following is meaningful for debugging and does not "
                "reveal personal details. Sqrt(2+3) x (v1.1.0)"));
    }

    void copyFollowsTheDisplayBase()
    {
        QTest::keyClicks(window.get(), QStringLiteral("4096"));
        control<QComboBox>("popDisplayBase")->setCurrentText(QStringLiteral("16 (Hexadecimal)"));
        window->EditCopy_Action();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1000"));
        control<QComboBox>("popDisplayBase")->setCurrentText(QStringLiteral("2 (Binary)"));
        window->EditCut_Action();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1000000000000"));
        QCOMPARE(state().currentCodeString, QString());
        QCOMPARE(state().CurrentNumber, 0.0);
    }

    void copyInRPNEntryTakesTheTopOfTheStack()
    {
        click("bevModeRPN");
        click("radRPNActive");
        QVERIFY(preferences->usingRPNMode);
        QTest::keyClicks(window.get(), QStringLiteral("7"));
        QTest::keyClick(window.get(), Qt::Key_Return);
        QTest::keyClicks(window.get(), QStringLiteral("9"));
        window->EditCopy_Action();
        // The top of the stack, not the 9 being typed after it.
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("7"));
        // With an empty stack there is nothing to copy: the clipboard keeps
        // its text, and Cut still clears.
        click("bevClear");
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        window->EditCopy_Action();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        QTest::keyClicks(window.get(), QStringLiteral("5"));
        window->EditCut_Action();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        QCOMPARE(state().currentCodeString, QString());
    }

    void pasteReadsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("entered");
        QTest::newRow("comma") << "1,5" << 15.0;
        QTest::newRow("blank") << "1 2" << 12.0;
        QTest::newRow("no-break space") << QStringLiteral("1\u00A0234.5") << 1234.5;
        QTest::newRow("thin spaces") << QStringLiteral("1\u2009000\u202F000") << 1000000.0;
        QTest::newRow("trailing text") << "42 apples" << 42.0;
        QTest::newRow("no number") << "apples" << 0.0;
        QTest::newRow("negative exponent") << "-2.5e-3" << -0.0025;
    }

    void pasteReadsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, entered);
        QGuiApplication::clipboard()->setText(text);
        window->EditPaste_Action();
        QCOMPARE(state().CurrentNumber, entered);
        QCOMPARE(state().currentCodeString, CodeFormat(entered, ExpressionMask));
    }

    void pasteInRPNEntryPushes()
    {
        click("bevModeRPN");
        click("radRPNActive");
        QGuiApplication::clipboard()->setText(QStringLiteral("1,5"));
        window->EditPaste_Action();
        QCOMPARE(state().rpnStack, QList<double> { 15.0 });
        QCOMPARE(control<QTreeWidget>("lsbRPNStack")->topLevelItem(0)->text(0), QStringLiteral("15"));
    }

    void clearEmptiesTheCalculation()
    {
        QTest::keyClicks(window.get(), QStringLiteral("12+3"));
        window->EditClear_Action();
        QCOMPARE(state().currentCodeString, QString());
        QCOMPARE(state().CurrentNumber, 0.0);
    }

    void memoryKeysWorkOnTheSelectedRegister()
    {
        click("bevModeMem");
        QComboBox *memories = control<QComboBox>("popMemoryList");
        memories->setCurrentIndex(2);
        QTest::keyClicks(window.get(), QStringLiteral("5"));
        click("bevMemSet");
        QCOMPARE(state().memoryValue[2], 5.0);
        QCOMPARE(memories->itemText(2), QStringLiteral("C (5)"));
        QCOMPARE(memories->currentIndex(), 2);
        click("bevClearAllMem");
        QCOMPARE(state().memoryValue[2], 0.0);
        QCOMPARE(memories->currentIndex(), 2);
    }

    void switchingEntryModeUpdatesOnlyTheSwitchingWindow()
    {
        const auto other = newWindow();
        click("bevModeRPN");
        click("radRPNActive");
        QVERIFY(preferences->usingRPNMode);
        QVERIFY(control("bevEnter")->isEnabled());
        QVERIFY(!control("bevCalculate")->isEnabled());
        QVERIFY(!control("bevOpenBracket")->isEnabled());
        QVERIFY(!control("bevCloseBracket")->isEnabled());
        QVERIFY(!control("bevEnter", other.get())->isEnabled());
        QVERIFY(control("bevCalculate", other.get())->isEnabled());
        QVERIFY(control<QRadioButton>("radRPNInactive", other.get())->isChecked());
        click("radRPNInactive");
        QVERIFY(!preferences->usingRPNMode);
        QVERIFY(!control("bevEnter")->isEnabled());
        QVERIFY(control("bevCalculate")->isEnabled());
    }

    void twoWindowsHaveIndependentState()
    {
        const auto other = newWindow();
        QTest::keyClicks(window.get(), QStringLiteral("12+"));
        click("bevNumberKey9", other.get());
        QCOMPARE(state().currentCodeString, QStringLiteral("12+"));
        QCOMPARE(other->engine().State().currentCodeString, QStringLiteral("9"));
        control<QComboBox>("popTrigMode")->setCurrentText(QStringLiteral("Degrees"));
        QCOMPARE(control<QComboBox>("popTrigMode", other.get())->currentText(), QStringLiteral("Radians"));
    }

    void draggingTheBackgroundMovesTheWindow()
    {
        // A point of the background: inside the group box, left of page 0's keys.
        QWidget *content = window->centralWidget();
        const QPoint start = content->mapTo(window.get(), QPoint(22, 330));
        QCOMPARE(window->childAt(start), control("panMode"));
        const QPoint before = window->pos();
        QTest::mousePress(window.get(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 20)),
            window->mapToGlobal(QPointF(start + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, start);
        QCOMPARE(window->pos(), before + QPoint(30, 20));
    }

    void aClickOnAKeyDoesNotMoveTheWindow()
    {
        const QPoint before = window->pos();
        QWidget *key = control("bevNumberKey5");
        QTest::mousePress(key, Qt::LeftButton);
        QMouseEvent move(QEvent::MouseMove, QPointF(15, 15), key->mapToGlobal(QPointF(15, 15)), Qt::NoButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(key, &move);
        QTest::mouseRelease(key, Qt::LeftButton);
        QCOMPARE(window->pos(), before);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
