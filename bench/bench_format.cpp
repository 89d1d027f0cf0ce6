// SPDX-License-Identifier: GPL-3.0-or-later
// CodeFormat and GetPresentedString per value against the bare shortest
// round-trip digits of std::to_chars.
#include "app/preferences.h"
#include "bench/benchcalculatorview.h"
#include "bench/benchmarks.h"
#include "bench/benchtable.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "tools/recordingspeaker.h"

#include <charconv>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Each formatter may take at most this many times the baseline per value.
constexpr double FormatBudget = 3;

constexpr size_t ValueCount = 1024; // a power of two: the index wraps with a mask

// The values a calculator shows: whole results, short decimals, full
// precision quotients and roots, and large and small magnitudes, with both
// signs.
std::vector<double> sampleValues()
{
    std::mt19937_64 generator(20240601);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values;
    values.reserve(ValueCount);
    for (size_t i = 0; values.size() < ValueCount; ++i) {
        const double r = unit(generator);
        double x = 0;
        switch (i % 4) {
        case 0: // whole results such as 5 or 1998
            x = std::floor(r * 10000);
            break;
        case 1: // short decimals as typed, such as 3.75
            x = std::round(r * 100000) / 100;
            break;
        case 2: // full precision, such as 1/3 or Sqrt(2)
            x = r * 1000;
            break;
        default: // large and small magnitudes
            x = r * std::pow(10.0, std::floor(unit(generator) * 40) - 20);
            break;
        }
        values.push_back(i % 3 == 0 ? -x : x);
    }
    return values;
}

const std::vector<double> &values()
{
    static const std::vector<double> set = sampleValues();
    return set;
}

void toCharsShortest(benchmark::State &state)
{
    const std::vector<double> &xs = values();
    char text[32];
    size_t i = 0;
    for (auto _ : state) {
        const auto result = std::to_chars(text, text + sizeof text, xs[i++ & (ValueCount - 1)]);
        benchmark::DoNotOptimize(result.ptr);
        benchmark::ClobberMemory();
    }
}

void codeFormat(benchmark::State &state)
{
    const std::vector<double> &xs = values();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(CodeFormat(xs[i++ & (ValueCount - 1)], ExpressionMask));
}

// As the calculator presents its values: through the engine of a calculator
// whose fake window shows the decimal base, nothing being typed.
void presentedString(benchmark::State &state)
{
    const std::vector<double> &xs = values();
    Preferences preferences { QString() }; // never read from or written to disk
    BenchCalculatorView view;
    RecordingSpeaker speaker;
    const CalculatorEngine engine(preferences, view, speaker);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.GetPresentedString(xs[i++ & (ValueCount - 1)]));
}

} // namespace

void RegisterFormatBenchmarks(BenchTable &table)
{
    benchmark::RegisterBenchmark("format/to_chars", toCharsShortest);
    benchmark::RegisterBenchmark("format/CodeFormat", codeFormat);
    benchmark::RegisterBenchmark("format/GetPresentedString", presentedString);
    const QString baseline = QStringLiteral("to_chars");
    table.AddRow({ QStringLiteral("CodeFormat per value"), "format/CodeFormat", "format/to_chars", baseline,
        BenchTable::Goal::WithinTimes, FormatBudget, BenchTable::Unit::Nanoseconds });
    table.AddRow({ QStringLiteral("GetPresentedString per value (decimal)"), "format/GetPresentedString",
        "format/to_chars", baseline, BenchTable::Goal::WithinTimes, FormatBudget,
        BenchTable::Unit::Nanoseconds });
}
