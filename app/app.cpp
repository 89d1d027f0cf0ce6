// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"

#include "app/systemspeaker.h"
#include "app/winpreferences.h"
#include "help/winabout.h"
#include "help/winhelp.h"
#include "window/winnormalcalculator.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWindow>

App *App::theApp = nullptr;

App::App(const QString &preferencesFilePath, std::unique_ptr<Speaker> speaker)
    : preferencesFilePath(preferencesFilePath)
    , speech(speaker ? std::move(speaker) : std::make_unique<SystemSpeaker>())
{
    Q_ASSERT(!theApp);
    theApp = this;
    connectMenuItems();
    // Whether closing a window ends the program is decided here (see
    // quitIfNoWindowLeft), not by Qt's count of windows.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &App::EnableMenuItems);
    connect(&theMenu, &Menu::aboutToShowMenu, this, &App::EnableMenuItems);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &App::Close);
    normalCalcArray.append(nullptr);
}

App::~App()
{
    qApp->removeEventFilter(this);
    // The calculator windows use the preferences and the speech output that
    // die with the application object.
    // Deleting a window deletes the windows it owns (its menus, its
    // constants picker) as well, so the calculators are collected first.
    QList<QPointer<winNormalCalculator>> calculators;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (auto *calculator = qobject_cast<winNormalCalculator *>(window))
            calculators.append(calculator);
    for (const QPointer<winNormalCalculator> &calculator : calculators)
        delete calculator;
    theApp = nullptr;
}

App *App::instance()
{
    return theApp;
}

void App::Open()
{
    units.LoadConversionRates();
    preferences = std::make_unique<Preferences>(preferencesFilePath);
    SharedCalculator()->show();
}

void App::Close()
{
    if (closed || !preferences)
        return;
    closed = true;
    preferences->WriteToDisk();
}

void App::Quit()
{
    if (closed)
        return;
    Close();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

winNormalCalculator *App::SharedCalculator()
{
    if (!sharedCalculator)
        sharedCalculator = newCalculatorWindow();
    return sharedCalculator;
}

winNormalCalculator *App::newCalculatorWindow()
{
    auto *window = new winNormalCalculator(*preferences, *speech, units, theMenu.CreateMenuBar());
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

bool App::FileNewCalculator_Action()
{
    winNormalCalculator *window = newCalculatorWindow();
    window->show();
    normalCalcArray.append(window);
    window->calcID = static_cast<int>(normalCalcArray.size() - 1);
    return false;
}

void App::FileCloseCalculator_Action()
{
    QWidget *frontmost = QApplication::activeWindow();
    if (auto *calculator = qobject_cast<winNormalCalculator *>(frontmost)) {
        if (calculator->calcID >= 0 && calculator->calcID < normalCalcArray.size())
            normalCalcArray[calculator->calcID] = nullptr;
        calculator->FileCloseCalculator_Action();
    } else if (auto *window = qobject_cast<SharedWindow *>(frontmost)) {
        window->FileCloseCalculator_Action();
    } else if (auto *preferencesWindow = qobject_cast<winPreferences *>(frontmost)) {
        preferencesWindow->FileCloseCalculator_Action();
    }
}

bool App::HelpShowZorvanehelp_Action()
{
    winHelp::ShowSharedInstance();
    return false;
}

bool App::AppleAboutZorvane_Action()
{
    winAbout::ShowSharedInstance();
    return false;
}

bool App::FilePreferences_Action()
{
    winPreferences *window = winPreferences::SharedInstance(*preferences);
    // A new window is connected once; the open one already is.
    connect(
        window, &winPreferences::transparencyChanged, this, &App::setAllWindowAlpha, Qt::UniqueConnection);
    window->show();
    window->raise();
    window->activateWindow();
    return false;
}

void App::setAllWindowAlpha()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (auto *calculator = qobject_cast<winNormalCalculator *>(window))
            calculator->SetWindowAlphaToPreferences();
}

template <bool (winNormalCalculator::*handler)()> void App::forwardToFrontmostCalculator()
{
    if (auto *calculator = qobject_cast<winNormalCalculator *>(QApplication::activeWindow()))
        (calculator->*handler)();
}

void App::connectMenuItems()
{
    const auto bind = [this](const char *name, auto handler) {
        connect(theMenu.Item(QString::fromUtf8(name)), &QAction::triggered, this, handler);
    };
    bind("FileNewCalculator", &App::FileNewCalculator_Action);
    bind("FileCloseCalculator", &App::FileCloseCalculator_Action);
    bind("FilePreferences", &App::FilePreferences_Action);
    bind("FileQuit", &App::Quit);
    bind("EditCut", &App::forwardToFrontmostCalculator<&winNormalCalculator::EditCut_Action>);
    bind("EditCopy", &App::forwardToFrontmostCalculator<&winNormalCalculator::EditCopy_Action>);
    bind("EditPaste", &App::forwardToFrontmostCalculator<&winNormalCalculator::EditPaste_Action>);
    bind("EditClear", &App::forwardToFrontmostCalculator<&winNormalCalculator::EditClear_Action>);
    bind("HelpShowZorvanehelp", &App::HelpShowZorvanehelp_Action);
    bind("AppleAboutZorvane", &App::AppleAboutZorvane_Action);
}

void App::EnableMenuItems()
{
    QWidget *frontmost = QApplication::activeWindow();
    theMenu.EnableMenuItems(
        qobject_cast<winNormalCalculator *>(frontmost) != nullptr, isMainWindow(frontmost));
}

bool App::isMainWindow(const QWidget *window)
{
    return qobject_cast<const winNormalCalculator *>(window) || qobject_cast<const SharedWindow *>(window)
        || qobject_cast<const winPreferences *>(window);
}

bool App::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || !isMainWindow(window))
        return false;
    if (event->type() == QEvent::Show) {
        // The help, about and preferences windows have no menu bar of their
        // own here; the items' shortcuts work in them all the same.
        if (!qobject_cast<winNormalCalculator *>(window) && window->actions().isEmpty())
            window->addActions(theMenu.Items());
    } else {
        QTimer::singleShot(0, this, &App::quitIfNoWindowLeft);
    }
    return false;
}

void App::quitIfNoWindowLeft()
{
#ifdef Q_OS_MACOS
    // The menu bar there belongs to the application and stays usable with
    // no window open: the program keeps running until the user quits.
    return;
#else
    // Here the menu bar lives inside the windows: with none of them left the
    // program could neither be used nor quit, so it quits the normal way.
    if (closed || !preferences)
        return;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        if (isMainWindow(window) && window->isVisible())
            return;
    Quit();
#endif
}
