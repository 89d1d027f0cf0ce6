// SPDX-License-Identifier: GPL-3.0-or-later
// The script engine against muparser: one-shot compile and run of the
// programs that "=" generates, and a one-shot SetExpr and Eval of the same
// expressions on one reused muparser parser.
#include "bench/benchmarks.h"
#include "bench/benchtable.h"
#include "bench/expressionset.h"
#include "bench/muparserbaseline.h"
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <cmath>
#include <memory>

namespace {

// The Zorvane engine needs at least this many times less time per one-shot
// evaluation than muparser.
constexpr double ScriptSpeedup = 20;

// Runs the program once on a fresh engine; NaN with an error text when it
// does not compile or does not print.
double evaluateOnce(const QString &program, QString &error)
{
    XMathClass context;
    ScriptEngine engine;
    engine.Context = &context;
    bool printed = false;
    engine.Print = [&printed](const QString &) { printed = true; };
    engine.CompilerError = [&error](int, int, const QString &message) { error = message; };
    engine.Source = program;
    engine.Run();
    if (!printed && error.isEmpty())
        error = QStringLiteral("the program did not print");
    return context.result;
}

bool sameResult(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b || std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

} // namespace

void RegisterScriptBenchmarks(BenchTable &table)
{
    for (const BenchExpression &expression : BenchExpressions()) {
        const QString program = CalculateProgram(expression.text);
        const std::string muText = MuParserBaseline::Translate(expression.text);
        const std::string zorvaneName = "script/zorvane/" + expression.name.toStdString();
        const std::string muName = "script/muparser/" + expression.name.toStdString();

        // Both must compute the same value, or the comparison would be void.
        QString error;
        const double ours = evaluateOnce(program, error);
        double theirs = NAN;
        try {
            MuParserBaseline baseline;
            theirs = baseline.Evaluate(muText);
        } catch (const mu::Parser::exception_type &e) {
            error = QStringLiteral("muparser: ") + QString::fromStdString(e.GetMsg());
        }
        if (error.isEmpty() && !sameResult(ours, theirs))
            error = QStringLiteral("results differ: %1 and %2").arg(ours, 0, 'g', 17).arg(theirs, 0, 'g', 17);

        benchmark::RegisterBenchmark(zorvaneName.c_str(), [program, error](benchmark::State &state) {
            if (!error.isEmpty()) {
                state.SkipWithError(error.toStdString().c_str());
                return;
            }
            XMathClass context;
            ScriptEngine engine;
            engine.Context = &context;
            int prints = 0;
            engine.Print = [&prints](const QString &) { ++prints; };
            for (auto _ : state) {
                engine.Source = program;
                engine.Run();
                benchmark::DoNotOptimize(context.result);
            }
            benchmark::DoNotOptimize(prints);
        });
        benchmark::RegisterBenchmark(muName.c_str(), [muText, error](benchmark::State &state) {
            if (!error.isEmpty()) {
                state.SkipWithError(error.toStdString().c_str());
                return;
            }
            MuParserBaseline baseline;
            for (auto _ : state)
                benchmark::DoNotOptimize(baseline.Evaluate(muText));
        });

        table.AddRow({ QStringLiteral("Script: %1 (%2 chars, %3 terms)")
                           .arg(expression.name)
                           .arg(expression.text.size())
                           .arg(expression.terms),
            zorvaneName, muName, QStringLiteral("muparser"), BenchTable::Goal::FasterBy, ScriptSpeedup,
            BenchTable::Unit::Nanoseconds });
    }
}
