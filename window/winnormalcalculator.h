// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculatorengine.h"
#include "engine/calculatorview.h"
#include "window/windowlayout.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

class CalculatorEngine;
class DisplayCanvas;
class FastProgressBar;
class KeyboardNavigation;
class Preferences;
class Speaker;
class QAbstractButton;
class QComboBox;
class QMenuBar;
class QPlainTextEdit;
class QRadioButton;
class QTreeWidget;
class UnitTables;
class dlgConstants;

// One calculator window: one independent calculator. It owns its engine
// (with the engine's script engine and calculation context), its display
// picture (in cnvDisplay) and its constants picker, and it builds its
// controls from WindowLayout's table. Every control's objectName is its own
// name; the ten number keys are "bevNumberKey0" to "bevNumberKey9".
//
// A key's handler reads its argument from the window's controls and calls
// one engine operation; the engine reaches back through CalculatorView.
class winNormalCalculator : public QMainWindow, public CalculatorView
{
    Q_OBJECT

public:
    // preferences, speaker and unitTables are the application's and outlive
    // the window; menuBar, when given, becomes the window's menu bar.
    winNormalCalculator(Preferences &preferences, Speaker &speaker, const UnitTables &unitTables,
        QMenuBar *menuBar = nullptr);
    ~winNormalCalculator() override;

    // The application's shared calculator window (the first one), made on
    // first use.
    static winNormalCalculator *SharedInstance();

    // The window's index in the application's list of calculator windows;
    // 0 for the first window.
    int calcID = 0;

    CalculatorEngine &engine() { return *calculator; }
    const CalculatorEngine &engine() const { return *calculator; }

    // --- What the keys call besides the engine ---
    // The register (0 for A to 25 for Z) selected in popMemoryList.
    int selectedMemoryRegister() const;
    // The mode buttons of pages 0 to 8.
    void ShowModePage(int page);
    // bevModeConst: the first press makes this window's picker and shows it,
    // later presses hide and show it in turn.
    void ShowConstantsPicker();
    // bevModeConvert: the shared conversion dialog, re-targeted at this window.
    void ShowConversionDialog();
    // bevHelp: the shared help window.
    void ShowHelp();
    // bevClearHistory.
    void ClearHistory();
    // bevTestAll: the self-test on this window's calculator, drawing from
    // random (the platform's uniform generator when empty). Returns when
    // both phases are done, or early once the window has been closed; a
    // click on "Test all" while a test runs starts no second one.
    void TEST_ALL(CalculatorEngine::RandomSource random = {});

    // Applies the transparency preference to this window.
    void SetWindowAlphaToPreferences();

    // --- Menu commands handled by the window; each returns false ---
    bool EditCopy_Action();
    bool EditCut_Action();
    bool EditPaste_Action();
    bool EditClear_Action();
    bool FileCloseCalculator_Action();

    // --- CalculatorView ---
    QString DisplayBaseText() const override;
    int AngleModeIndex() const override;
    QString AngleModeText() const override;
    void AppendToHistory(const QString &entry) override;
    void FlickerFreeRefresh() override;
    void ShowRPNStack(const QStringList &rows, bool stackIsEmpty) override;
    void ShowMemoryList(const QStringList &rows) override;
    void SetModeControlsEnabled(bool usingRPNMode) override;
    bool ShowErrorDialog(ErrorIcon icon, const QString &message, const QString &explanation) override;
    void EmailBugReport(const QString &details) override;
    void ShowMessage(const QString &message) override;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QWidget *createControl(const WindowLayout::Control &control);
    void place(const WindowLayout::Control &control, QWidget *widget, QSize contentSize);
    void layoutControls();
    void clearKeyboardFocus();
    void popDisplayBase_Open();
    void popTrigMode_Open();
    void popMemoryList_Open();
    void bevDecimal_Open();
    void Open();
    bool KeyDown(const QString &key);
    bool isBackground(const QPoint &windowPosition) const;

    Preferences &preferences;
    const UnitTables &unitTables;
    std::unique_ptr<CalculatorEngine> calculator;
    QPointer<dlgConstants> localDlgConstants;
    KeyboardNavigation *navigation = nullptr;

    // The controls as built, each with its row of the layout table.
    std::vector<std::pair<const WindowLayout::Control *, QWidget *>> placed;
    QWidget *content = nullptr;
    DisplayCanvas *cnvDisplay = nullptr;
    QComboBox *popDisplayBase = nullptr;
    QComboBox *popTrigMode = nullptr;
    QComboBox *popMemoryList = nullptr;
    QPlainTextEdit *txtHistory = nullptr;
    QPlainTextEdit *txtSource = nullptr;
    QTreeWidget *lsbRPNStack = nullptr;
    FastProgressBar *prbTests = nullptr;
    bool selfTestRunning = false;
    QRadioButton *radRPNActive = nullptr;
    QRadioButton *radRPNInactive = nullptr;

    // Where the mouse went down on the background, in window coordinates,
    // for moving the window by hand where the window system cannot.
    int originX = 0;
    int originY = 0;
    bool draggingByHand = false;
};
