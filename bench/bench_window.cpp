// SPDX-License-Identifier: GPL-3.0-or-later
// A typed key through the real calculator window, drawn off screen: the key
// event goes to the window, which hands it to the engine, which composes the
// display picture; the pending paint of the display is then handled too.
#include "app/preferences.h"
#include "conversion/unittables.h"
#include "bench/benchmarks.h"
#include "bench/benchtable.h"
#include "tools/recordingspeaker.h"
#include "window/winnormalcalculator.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

constexpr double KeyPressBudgetNanoseconds = 50'000;

struct TypedKey
{
    Qt::Key key;
    const char *text;
};

// 12.5+34=: digits, the decimal point, an operator and "=", in the
// proportions of a short calculation.
constexpr TypedKey Calculation[] = {
    { Qt::Key_1, "1" },
    { Qt::Key_2, "2" },
    { Qt::Key_Period, "." },
    { Qt::Key_5, "5" },
    { Qt::Key_Plus, "+" },
    { Qt::Key_3, "3" },
    { Qt::Key_4, "4" },
    { Qt::Key_Equal, "=" },
};

void windowKeyPress(benchmark::State &state)
{
    Preferences preferences { QString() }; // never read from or written to disk
    RecordingSpeaker speaker;
    const UnitTables units;
    winNormalCalculator window(preferences, speaker, units);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        for (const TypedKey &typed : Calculation) {
            QKeyEvent press(QEvent::KeyPress, typed.key, Qt::NoModifier, QLatin1String(typed.text));
            QCoreApplication::sendEvent(&window, &press);
            QKeyEvent release(QEvent::KeyRelease, typed.key, Qt::NoModifier, QLatin1String(typed.text));
            QCoreApplication::sendEvent(&window, &release);
            QCoreApplication::processEvents();
        }
    state.counters["batch"] = std::size(Calculation);
}

} // namespace

void RegisterWindowBenchmarks(BenchTable &table)
{
    benchmark::RegisterBenchmark("window/key press", windowKeyPress);
    table.AddRow(
        { QStringLiteral("Key press through the window until the display is drawn"), "window/key press", {},
            {}, BenchTable::Goal::Under, KeyPressBudgetNanoseconds, BenchTable::Unit::Nanoseconds });
}
