// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculatorengine.h"

#include <QPointer>
#include <QWidget>

class CalculatorView;
class FastProgressBar;
class Preferences;

// The built-in self-test of one calculator, run by the debug page's "Test
// all" key. Phase 1 runs 461 random two-number calculations and checks each
// result; phase 2 presses 4601 random keys, which the calculator only has to
// survive, with errors of the expression reported through its error dialogs.
// Failures and the end of the test are shown in message boxes of the view;
// prbTests shows how far the test has come.
//
// The test lets the event loop run between its passes, so the window stays
// responsive and can be closed meanwhile. A SelfTest lives on the stack of
// the call that runs it. When it is given the calculator's window, it stops
// as soon as that window has been closed (or deleted), and it keeps a window
// that deletes itself on close alive until the test has returned: the
// window's engine, view and progress bar must not vanish under a running
// pass. The window is then deleted as its close asked for.
class SelfTest
{
public:
    // random draws uniform doubles in [0, 1); a seeded source replays one
    // run exactly (the engine's own random source, used by the Random key,
    // is separate). window may be null when nothing can close under the test.
    SelfTest(CalculatorEngine &engine, CalculatorView &view, const Preferences &preferences,
        FastProgressBar &prbTests, CalculatorEngine::RandomSource random, QWidget *window = nullptr);
    ~SelfTest();
    SelfTest(const SelfTest &) = delete;
    SelfTest &operator=(const SelfTest &) = delete;

    // Both phases, the system beep between them and "Test completed!" at the
    // end. Returns false, having shown nothing more, when the window was
    // closed during the test.
    bool TEST_ALL();

    // Phase 1: 461 verified calculations, prbTests from 0 to 4600 in steps
    // of 10. Without a comparison in RPN entry.
    bool RunVerifiedArithmetic();
    // Phase 2: 4601 random key presses, prbTests from 0 to 4600 in steps of 1;
    // sequence keeps the names of the keys pressed since the last "=".
    bool RunRandomKeyPresses();

private:
    bool runPasses(int passes, int progressStep, void (SelfTest::*pass)());
    int draw(double scale);
    void verifiedPass();
    void keyPress();
    bool showProgress(int pass);
    bool letBackgroundWorkRun();
    bool windowStillOpen() const;

    CalculatorEngine &engine;
    CalculatorView &view;
    const Preferences &preferences;
    FastProgressBar &prbTests;
    CalculatorEngine::RandomSource random;

    QPointer<QWidget> window;
    bool watchingWindow = false; // window was shown when the test began
    bool windowDeletesOnClose = false; // and had Qt::WA_DeleteOnClose then
};
