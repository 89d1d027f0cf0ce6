// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"
#include "app/winpreferences.h"
#include "engine/calculatorengine.h"
#include "help/winabout.h"
#include "help/winhelp.h"
#include "tools/recordingspeaker.h"
#include "window/winnormalcalculator.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QList<winNormalCalculator *> openCalculators()
{
    QList<winNormalCalculator *> open;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (auto *calculator = qobject_cast<winNormalCalculator *>(window);
            calculator && calculator->isVisible())
            open.append(calculator);
    return open;
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<App> app;

    QString preferencesPath() const { return dir->filePath(QStringLiteral("Zorvane Preferences")); }

    QByteArray preferencesFile() const
    {
        QFile file(preferencesPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QAction *item(const char *name) { return app->menu().Item(QString::fromUtf8(name)); }

    void activate(QWidget *window)
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        app->EnableMenuItems();
    }

    // The items enabled now, by name.
    QStringList enabledItems()
    {
        QStringList enabled;
        for (QAction *action : app->menu().Items())
            if (action->isEnabled())
                enabled.append(action->objectName());
        return enabled;
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        app = std::make_unique<App>(preferencesPath(), std::make_unique<RecordingSpeaker>());
        app->Open();
        QVERIFY(QTest::qWaitForWindowExposed(winNormalCalculator::SharedInstance()));
    }

    void cleanup()
    {
        app.reset();
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            window->close();
        QTest::qWait(0);
        dir.reset();
    }

    void startsWithTheFirstWindow()
    {
        QCOMPARE(app->normalCalcArray.size(), 1);
        QVERIFY(app->normalCalcArray[0].isNull());
        winNormalCalculator *first = winNormalCalculator::SharedInstance();
        QCOMPARE(first->calcID, 0);
        QCOMPARE(openCalculators(), QList<winNormalCalculator *> { first });
        QCOMPARE(first->windowTitle(), QStringLiteral("Zorvane"));
        QVERIFY(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
        // The 360 x 370 content area lies below the menu bar.
        QVERIFY(first->menuBar()->isVisible());
        QCOMPARE(first->centralWidget()->size(), QSize(360, 370));
        QCOMPARE(first->centralWidget()->y(), first->menuBar()->height());
        QVERIFY(!QFile::exists(preferencesPath())); // nothing is written before quit
        // The unit tables are loaded: each holds units behind its empty entry.
        for (const UnitClassInfo &unitClass : UnitClasses()) {
            const UnitList &units = app->unitTables().ConversionList(unitClass.unitClass);
            QVERIFY(!units.first().has_value());
            QVERIFY2(units.size() > 1, unitClass.listName.data());
        }
    }

    void theMenuBarHoldsEveryItem()
    {
        const QList<QMenu *> menus = winNormalCalculator::SharedInstance()->menuBar()->findChildren<QMenu *>(
            QString(), Qt::FindDirectChildrenOnly);
        QStringList titles;
        QStringList texts;
        for (const QMenu *menu : menus) {
            titles.append(menu->title());
            for (const QAction *action : menu->actions())
                texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QCOMPARE(titles, (QStringList { "File", "Edit", "Help" }));
        QCOMPARE(texts,
            (QStringList { "New Calculator", "Close Calculator", "Preferences", "Quit", "Undo", "-", "Cut",
                "Copy", "Paste", "Clear", "Show Zorvane help", "-", "About Zorvane..." }));
    }

    void theItemsAnswerTheirShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new") << "FileNewCalculator" << QKeySequence(Qt::CTRL | Qt::Key_N) << true;
        QTest::newRow("close") << "FileCloseCalculator" << QKeySequence(Qt::CTRL | Qt::Key_W) << true;
        QTest::newRow("preferences") << "FilePreferences" << QKeySequence(Qt::CTRL | Qt::Key_Comma) << true;
        QTest::newRow("quit") << "FileQuit" << QKeySequence(Qt::CTRL | Qt::Key_Q) << true;
        QTest::newRow("undo") << "EditUndo" << QKeySequence(Qt::CTRL | Qt::Key_Z) << false;
        QTest::newRow("cut") << "EditCut" << QKeySequence(Qt::CTRL | Qt::Key_X) << true;
        QTest::newRow("copy") << "EditCopy" << QKeySequence(Qt::CTRL | Qt::Key_C) << true;
        QTest::newRow("paste") << "EditPaste" << QKeySequence(Qt::CTRL | Qt::Key_V) << true;
        QTest::newRow("help") << "HelpShowZorvanehelp" << QKeySequence(Qt::CTRL | Qt::Key_Question) << true;
        QTest::newRow("help key") << "HelpShowZorvanehelp" << QKeySequence(Qt::Key_F1) << true;
    }

    void theItemsAnswerTheirShortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);
        QAction *action = app->menu().Item(name);
        QVERIFY2(action->shortcuts().contains(shortcut), qPrintable(shortcut.toString()));
        winNormalCalculator *calculator = winNormalCalculator::SharedInstance();
        activate(calculator);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(calculator, shortcut);
        QCOMPARE(triggered.size(), enabled ? 1 : 0);
    }

    void menuEnablingFollowsTheFrontmostWindow()
    {
        const QStringList always { "FileNewCalculator", "FilePreferences", "FileQuit", "HelpShowZorvanehelp",
            "AppleAboutZorvane" };
        activate(winNormalCalculator::SharedInstance());
        QCOMPARE(enabledItems(),
            (QStringList { "FileNewCalculator", "FileCloseCalculator", "FilePreferences", "FileQuit",
                "EditCut", "EditCopy", "EditPaste", "EditClear", "HelpShowZorvanehelp",
                "AppleAboutZorvane" }));
        activate(winHelp::SharedInstance());
        QCOMPARE(enabledItems(),
            (QStringList { "FileNewCalculator", "FileCloseCalculator", "FilePreferences", "FileQuit",
                "HelpShowZorvanehelp", "AppleAboutZorvane" }));
        activate(winAbout::SharedInstance());
        QVERIFY(item("FileCloseCalculator")->isEnabled());
        QVERIFY(!item("EditCopy")->isEnabled());
        // Any other window (a dialog, for example) can be closed by its own
        // means only.
        QWidget other;
        activate(&other);
        QCOMPARE(enabledItems(), always);
    }

    void closeCalculatorClosesTheFrontmostWindow()
    {
        activate(winHelp::SharedInstance());
        item("FileCloseCalculator")->trigger();
        QTRY_VERIFY(!winHelp::OpenInstance<winHelp>());
        QVERIFY(winNormalCalculator::SharedInstance()->isVisible());
    }

    void newCalculatorNumbersItsWindows()
    {
        item("FileNewCalculator")->trigger();
        item("FileNewCalculator")->trigger();
        QCOMPARE(app->normalCalcArray.size(), 3);
        winNormalCalculator *first = app->normalCalcArray[1];
        winNormalCalculator *second = app->normalCalcArray[2];
        QCOMPARE(first->calcID, 1);
        QCOMPARE(second->calcID, 2);
        QVERIFY(first->isVisible() && second->isVisible());

        activate(first);
        item("FileCloseCalculator")->trigger();
        QVERIFY(app->normalCalcArray[1].isNull());
        QVERIFY(!first || !first->isVisible());
        item("FileNewCalculator")->trigger();
        QCOMPARE(app->normalCalcArray.size(), 4);
        QCOMPARE(app->normalCalcArray[3]->calcID, 3);
        QVERIFY(app->normalCalcArray[1].isNull());
        QCOMPARE(app->normalCalcArray[2], QPointer(second));
    }

    void closingTheFirstWindowLeavesTheListAlone()
    {
        item("FileNewCalculator")->trigger();
        activate(winNormalCalculator::SharedInstance());
        item("FileCloseCalculator")->trigger();
        QCOMPARE(app->normalCalcArray.size(), 2);
        QVERIFY(app->normalCalcArray[0].isNull());
        QCOMPARE(app->normalCalcArray[1]->calcID, 1);
        QTest::qWait(0);
        QVERIFY(!QFile::exists(preferencesPath())); // a calculator is still open
    }

    void editItemsGoToTheFrontmostCalculator()
    {
        item("FileNewCalculator")->trigger();
        winNormalCalculator *second = app->normalCalcArray[1];
        activate(second);
        QTest::keyClicks(second, QStringLiteral("77"));
        item("EditCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("77"));
        activate(winNormalCalculator::SharedInstance());
        item("EditPaste")->trigger();
        QCOMPARE(winNormalCalculator::SharedInstance()->engine().State().CurrentNumber, 77.0);
        // A shortcut reaches the item without reaching the calculator's keys.
        QTest::keyClick(winNormalCalculator::SharedInstance(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(winNormalCalculator::SharedInstance()->engine().State().CurrentNumber, 0.0);
    }

    void quittingWritesThePreferencesOnce()
    {
        app->thePreferences().usingRPNMode = true;
        item("FileQuit")->trigger();
        QCOMPARE(preferencesFile(),
            QByteArray::fromHex("00000002010000"
                                "3F800000"
                                "00"));
        QVERIFY(openCalculators().isEmpty());
        QVERIFY(QFile::remove(preferencesPath()));
        app->Close();
        QTest::qWait(0);
        QVERIFY(!QFile::exists(preferencesPath()));
    }

    void closingTheLastWindowQuits()
    {
        activate(winHelp::SharedInstance());
        winNormalCalculator::SharedInstance()->close();
        QTest::qWait(0);
        QVERIFY(!QFile::exists(preferencesPath())); // the help window is still open
        winHelp::OpenInstance<winHelp>()->close();
        QTRY_COMPARE(preferencesFile().size(), 12);
    }

    void thePreferencesWindowSetsEveryCalculatorsTransparency()
    {
        item("FileNewCalculator")->trigger();
        item("FilePreferences")->trigger();
        winPreferences *preferencesWindow = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<winPreferences *>(window))
                preferencesWindow = found;
        QVERIFY(preferencesWindow && preferencesWindow->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(preferencesWindow));
        QTest::mouseClick(
            preferencesWindow->findChild<QRadioButton *>(QStringLiteral("radWindowTransparencyOn")),
            Qt::LeftButton);
        preferencesWindow->findChild<QSlider *>(QStringLiteral("sliWindowTransparency"))->setValue(30);
        // The window system keeps opacity in steps of 1/255.
        QVERIFY(qAbs(winNormalCalculator::SharedInstance()->windowOpacity() - 0.7) < 0.005);
        QVERIFY(qAbs(app->normalCalcArray[1]->windowOpacity() - 0.7) < 0.005);
        QCOMPARE(preferencesWindow->windowOpacity(), 1.0);
        // Asking again brings the same window forward.
        activate(winNormalCalculator::SharedInstance());
        item("FilePreferences")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(preferencesWindow));
        // Close Calculator closes it.
        app->EnableMenuItems();
        QVERIFY(item("FileCloseCalculator")->isEnabled());
        QVERIFY(!item("EditCopy")->isEnabled());
        const QPointer<winPreferences> closing = preferencesWindow;
        item("FileCloseCalculator")->trigger();
        QTRY_VERIFY(!closing);
        QVERIFY(winNormalCalculator::SharedInstance()->isVisible());
    }

    void transparencyReachesEveryCalculatorWindow()
    {
        item("FileNewCalculator")->trigger();
        winHelp *help = winHelp::SharedInstance();
        help->show();
        app->thePreferences().windowAlphaUsed = true;
        app->thePreferences().windowAlpha = 0.25f;
        app->setAllWindowAlpha();
        // The window system keeps opacity in steps of 1/255.
        QVERIFY(qAbs(winNormalCalculator::SharedInstance()->windowOpacity() - 0.25) < 0.005);
        QVERIFY(qAbs(app->normalCalcArray[1]->windowOpacity() - 0.25) < 0.005);
        QCOMPARE(help->windowOpacity(), 1.0);
        app->thePreferences().windowAlphaUsed = false;
        app->setAllWindowAlpha();
        QCOMPARE(app->normalCalcArray[1]->windowOpacity(), 1.0);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
