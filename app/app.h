// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menu.h"
#include "app/preferences.h"
#include "conversion/unittables.h"
#include "engine/speaker.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class winNormalCalculator;

// The application object, the program's one global: it owns what the
// calculator windows share (the preferences record, the seventeen unit
// tables, the speech output, the menu items), opens the first calculator window and further ones on
// request, keeps the list of the calculator windows opened with New
// Calculator, and writes the preferences back when the program ends.
class App : public QObject
{
    Q_OBJECT

public:
    // preferencesFilePath is where the preferences are read at Open and
    // written at Close; speaker, when given, replaces the system's speech
    // output (tests pass a silent one).
    explicit App(const QString &preferencesFilePath = Preferences::DefaultFilePath(),
        std::unique_ptr<Speaker> speaker = nullptr);
    ~App() override;

    // The one application object, or nullptr before it is made.
    static App *instance();

    // Loads the unit tables, reads the preferences and opens the first
    // calculator window.
    void Open();
    // Writes the preferences file; only the first call after Open does.
    void Close();
    // Quits the normal way: closes every window, writes the preferences and
    // leaves the event loop.
    void Quit();

    Menu &menu() { return theMenu; }
    const UnitTables &unitTables() const { return units; }
    Preferences &thePreferences() { return *preferences; }
    Speaker &speaker() { return *speech; }

    // The calculator windows opened with New Calculator, each at the index
    // equal to its calcID. Index 0 stays empty (the first window is not
    // entered); a closed window's slot is empty and never used again.
    QList<QPointer<winNormalCalculator>> normalCalcArray;

    // The shared calculator window (the first one), made on first use.
    winNormalCalculator *SharedCalculator();

    // --- Menu handlers; each returns false ---
    bool FileNewCalculator_Action();
    bool HelpShowZorvanehelp_Action();
    bool AppleAboutZorvane_Action();
    bool FilePreferences_Action();

    // Applies the transparency preference to every open calculator window.
    void setAllWindowAlpha();

    // Brings the enabling of the menu items up to date with the frontmost
    // window.
    void EnableMenuItems();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    winNormalCalculator *newCalculatorWindow();
    void connectMenuItems();
    void FileCloseCalculator_Action();
    template <bool (winNormalCalculator::*handler)()> void forwardToFrontmostCalculator();
    // Whether window keeps the application running and can be closed with
    // Close Calculator: a calculator, help, about or preferences window.
    static bool isMainWindow(const QWidget *window);
    void quitIfNoWindowLeft();

    static App *theApp;

    QString preferencesFilePath;
    std::unique_ptr<Speaker> speech;
    Menu theMenu;
    UnitTables units;
    std::unique_ptr<Preferences> preferences;
    QPointer<winNormalCalculator> sharedCalculator;
    bool closed = false;
};
