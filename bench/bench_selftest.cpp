// SPDX-License-Identifier: GPL-3.0-or-later
// One whole "Test all": 461 verified calculations and 4601 random key
// presses. Once on a calculator window drawn off screen, whose display is
// redrawn by every key and whose message boxes are answered at once, and
// once on the engine alone with a fake window. The same seeds every time, so
// every iteration presses the same keys on a fresh calculator.
#include "app/preferences.h"
#include "bench/benchcalculatorview.h"
#include "bench/benchmarks.h"
#include "bench/benchtable.h"
#include "conversion/unittables.h"
#include "engine/calculatorengine.h"
#include "tools/recordingspeaker.h"
#include "window/fastprogressbar.h"
#include "window/selftest.h"
#include "window/winnormalcalculator.h"

#include <QRandomGenerator>

#include <memory>

namespace {

// The user waits for the whole test: a second and a half at most on the
// window, a tenth of a second for the engine's share.
constexpr double WindowBudgetNanoseconds = 1.5e9;
constexpr double EngineBudgetNanoseconds = 0.1e9;

constexpr quint32 KeySeed = 1; // the Random key's draws
constexpr quint32 TestSeed = 2; // the self-test's own draws

// A calculator window nobody sits at: its message boxes and error dialogs
// return at once, as if dismissed.
class UnattendedCalculator : public winNormalCalculator
{
public:
    using winNormalCalculator::winNormalCalculator;

    bool ShowErrorDialog(ErrorIcon, const QString &, const QString &) override { return false; }
    void ShowMessage(const QString &) override { }
};

void testAllOnWindow(benchmark::State &state)
{
    Preferences preferences { QString() }; // never read from or written to disk
    RecordingSpeaker speaker;
    const UnitTables unitTables; // empty: the test converts nothing
    std::unique_ptr<UnattendedCalculator> window;
    for (auto _ : state) {
        state.PauseTiming();
        window = std::make_unique<UnattendedCalculator>(preferences, speaker, unitTables);
        window->show();
        window->ShowModePage(6);
        QRandomGenerator keys(KeySeed);
        QRandomGenerator draws(TestSeed);
        window->engine().SetRandomSource([&] { return keys.generateDouble(); });
        state.ResumeTiming();
        window->TEST_ALL([&] { return draws.generateDouble(); });
        if (window->findChild<FastProgressBar *>(QStringLiteral("prbTests"))->Value() != 4600)
            state.SkipWithError("the test did not run to its end");
    }
}

struct Calculator
{
    Preferences preferences { QString() };
    BenchCalculatorView view;
    RecordingSpeaker speaker;
    CalculatorEngine engine { preferences, view, speaker };
    FastProgressBar prbTests;
};

void testAllOnEngine(benchmark::State &state)
{
    std::unique_ptr<Calculator> calculator;
    for (auto _ : state) {
        state.PauseTiming();
        calculator = std::make_unique<Calculator>();
        QRandomGenerator keys(KeySeed);
        QRandomGenerator draws(TestSeed);
        calculator->engine.SetRandomSource([&] { return keys.generateDouble(); });
        SelfTest test(calculator->engine, calculator->view, calculator->preferences, calculator->prbTests,
            [&] { return draws.generateDouble(); });
        state.ResumeTiming();
        if (!test.TEST_ALL())
            state.SkipWithError("the test did not run to its end");
    }
}

} // namespace

void RegisterSelfTestBenchmarks(BenchTable &table)
{
    benchmark::RegisterBenchmark("selftest/TEST_ALL", testAllOnWindow)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("selftest/engine", testAllOnEngine)->Unit(benchmark::kMillisecond);
    table.AddRow({ QStringLiteral("One whole TEST_ALL run, off screen"), "selftest/TEST_ALL", {}, {},
        BenchTable::Goal::Under, WindowBudgetNanoseconds, BenchTable::Unit::Nanoseconds });
    table.AddRow({ QStringLiteral("One whole TEST_ALL run, engine alone"), "selftest/engine", {}, {},
        BenchTable::Goal::Under, EngineBudgetNanoseconds, BenchTable::Unit::Nanoseconds });
}
