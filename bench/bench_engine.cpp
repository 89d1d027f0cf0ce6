// SPDX-License-Identifier: GPL-3.0-or-later
// One "=" and one digit key through the calculator engine, with a fake
// window that only keeps what it is shown. Each iteration works on a batch
// of calculators prepared while the clock is paused, so that every "="
// evaluates a freshly keyed expression and every digit key types into a
// fresh number; the table divides by the batch.
#include "app/preferences.h"
#include "bench/benchcalculatorview.h"
#include "bench/benchmarks.h"
#include "bench/benchtable.h"
#include "engine/calculatorengine.h"
#include "tools/recordingspeaker.h"

#include <memory>
#include <vector>

namespace {

constexpr double EqualsBudgetNanoseconds = 2000;
constexpr double DigitBudgetNanoseconds = 500;

constexpr int BatchSize = 64;

// One calculator window, faked, as the engine sees it.
struct Calculator
{
    Preferences preferences { QString() }; // never read from or written to disk
    BenchCalculatorView view;
    RecordingSpeaker speaker;
    CalculatorEngine engine { preferences, view, speaker };
};

std::vector<std::unique_ptr<Calculator>> makeCalculators()
{
    std::vector<std::unique_ptr<Calculator>> calculators;
    for (int i = 0; i < BatchSize; ++i)
        calculators.push_back(std::make_unique<Calculator>());
    return calculators;
}

// The keys 1 2 + 3 . 5 and then "=", which evaluates 12+3.5.
void equalsKey(benchmark::State &state)
{
    const auto calculators = makeCalculators();
    const QString keys[] = { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
        QStringLiteral("."), QStringLiteral("5") };
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto &calculator : calculators) {
            CalculatorEngine &engine = calculator->engine;
            engine.Clear();
            engine.NumberKey(keys[0]);
            engine.NumberKey(keys[1]);
            engine.DoAdd();
            engine.NumberKey(keys[2]);
            engine.NumberKey(keys[3]);
            engine.NumberKey(keys[4]);
        }
        state.ResumeTiming();
        for (const auto &calculator : calculators)
            calculator->engine.DoFindAnswer();
    }
    state.counters["batch"] = BatchSize;
}

// The digit keys 1 2 3 4 typed into a cleared calculator: one iteration is
// four keys on each calculator of the batch.
void digitKey(benchmark::State &state)
{
    constexpr int KeysPerCalculator = 4;
    const auto calculators = makeCalculators();
    const QString keys[KeysPerCalculator]
        = { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4") };
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto &calculator : calculators)
            calculator->engine.Clear();
        state.ResumeTiming();
        for (const auto &calculator : calculators)
            for (const QString &key : keys)
                calculator->engine.NumberKey(key);
    }
    state.counters["batch"] = BatchSize * KeysPerCalculator;
}

} // namespace

void RegisterEngineBenchmarks(BenchTable &table)
{
    benchmark::RegisterBenchmark("engine/equals", equalsKey);
    benchmark::RegisterBenchmark("engine/digit", digitKey);
    table.AddRow({ QStringLiteral("\"=\" through the engine (12+3.5)"), "engine/equals", {}, {},
        BenchTable::Goal::Under, EqualsBudgetNanoseconds, BenchTable::Unit::Nanoseconds });
    table.AddRow({ QStringLiteral("Digit key through the engine"), "engine/digit", {}, {},
        BenchTable::Goal::Under, DigitBudgetNanoseconds, BenchTable::Unit::Nanoseconds });
}
