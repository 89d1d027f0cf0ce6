// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchtable.h"

#include <QStringList>

#include <cmath>
#include <iostream>

namespace {

QString formatNumber(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : value < 100 ? 1 : 0);
}

QString formatValue(double value, BenchTable::Unit unit)
{
    if (unit == BenchTable::Unit::Bytes)
        return formatNumber(value / 1e6) + QStringLiteral(" MB");
    if (value < 1e3)
        return formatNumber(value) + QStringLiteral(" ns");
    if (value < 1e6)
        return formatNumber(value / 1e3) + QStringLiteral(" µs");
    if (value < 1e9)
        return formatNumber(value / 1e6) + QStringLiteral(" ms");
    return formatNumber(value / 1e9) + QStringLiteral(" s");
}

QString formatRatio(double ratio)
{
    return QString::number(ratio, 'f', ratio < 10 ? 2 : 1) + QLatin1Char('x');
}

} // namespace

BenchTable::BenchTable()
    : benchmark::ConsoleReporter(OO_None)
{
    // Progress goes to standard error; standard output gets only the table.
    SetOutputStream(&std::cerr);
}

void BenchTable::AddRow(const Row &row)
{
    rows.push_back(row);
}

void BenchTable::Record(const std::string &name, double median)
{
    medians[name] = median;
    unavailable.erase(name);
}

void BenchTable::RecordUnavailable(const std::string &name, const QString &reason)
{
    unavailable[name] = reason;
    medians.erase(name);
}

void BenchTable::ReportRuns(const std::vector<Run> &report)
{
    ConsoleReporter::ReportRuns(report);
    for (const Run &run : report) {
        const std::string &name = run.run_name.function_name;
        if (run.error_occurred) {
            RecordUnavailable(name, QString::fromStdString(run.error_message));
            continue;
        }
        // A benchmark that handles a batch of items per iteration says so in
        // its counter "batch"; the table shows the time per item.
        const auto batch = run.counters.find("batch");
        const double items = batch != run.counters.end() && batch->second.value > 0 ? batch->second.value : 1;
        const double nanoseconds
            = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit) / items;
        // With repetitions the median aggregate wins over the single runs.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            Record(name, nanoseconds);
        else if (run.run_type == Run::RT_Iteration && !medians.count(name))
            Record(name, nanoseconds);
    }
}

BenchTable::Verdict BenchTable::judge(const Row &row) const
{
    Verdict v;
    switch (row.goal) {
    case Goal::FasterBy:
        v.goal = QStringLiteral("≥ %1x faster than %2").arg(row.limit).arg(row.baselineLabel);
        break;
    case Goal::WithinTimes:
        v.goal = QStringLiteral("≤ %1x %2").arg(row.limit).arg(row.baselineLabel);
        break;
    case Goal::Under:
        v.goal = QStringLiteral("< %1").arg(formatValue(row.limit, row.unit));
        break;
    }
    v.baseline = QStringLiteral("—");
    v.ratio = QStringLiteral("—");

    const auto missing = [&](const std::string &name) -> QString {
        const auto reason = unavailable.find(name);
        return reason != unavailable.end() ? reason->second : QStringLiteral("not available");
    };
    const auto measured = medians.find(row.measured);
    if (measured == medians.end()) {
        v.measured = missing(row.measured);
        v.result = QStringLiteral("n/a");
        return v;
    }
    v.measured = formatValue(measured->second, row.unit);
    if (row.goal == Goal::Under) {
        v.result = measured->second < row.limit ? QStringLiteral("PASS") : QStringLiteral("MISS");
        return v;
    }
    const auto baseline = medians.find(row.baseline);
    if (baseline == medians.end()) {
        v.baseline = missing(row.baseline);
        v.result = QStringLiteral("n/a");
        return v;
    }
    v.baseline = row.baselineLabel + QLatin1Char(' ') + formatValue(baseline->second, row.unit);
    if (row.goal == Goal::FasterBy) {
        const double ratio = baseline->second / measured->second;
        v.ratio = formatRatio(ratio) + QStringLiteral(" faster");
        v.result = ratio >= row.limit ? QStringLiteral("PASS") : QStringLiteral("MISS");
    } else {
        const double ratio = measured->second / baseline->second;
        v.ratio = formatRatio(ratio);
        v.result = ratio <= row.limit ? QStringLiteral("PASS") : QStringLiteral("MISS");
    }
    return v;
}

void BenchTable::Print(std::ostream &out) const
{
    std::vector<QStringList> lines;
    lines.push_back(
        { QStringLiteral("Measurement"), QStringLiteral("Median"), QStringLiteral("Baseline (same run)"),
            QStringLiteral("Ratio"), QStringLiteral("Goal"), QStringLiteral("Result") });
    int passed = 0;
    int missed = 0;
    int absent = 0;
    for (const Row &row : rows) {
        const Verdict v = judge(row);
        lines.push_back({ row.label, v.measured, v.baseline, v.ratio, v.goal, v.result });
        if (v.result == QLatin1String("PASS"))
            ++passed;
        else if (v.result == QLatin1String("MISS"))
            ++missed;
        else
            ++absent;
    }
    std::vector<qsizetype> widths(lines.front().size(), 0);
    for (const QStringList &line : lines)
        for (qsizetype c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].size());
    const auto printLine = [&](const QStringList &line) {
        QString text = QStringLiteral("|");
        for (qsizetype c = 0; c < line.size(); ++c)
            text += QLatin1Char(' ') + line[c].leftJustified(widths[c]) + QStringLiteral(" |");
        out << text.toStdString() << '\n';
    };
    printLine(lines.front());
    QStringList rule;
    for (const qsizetype width : widths)
        rule << QString(width, QLatin1Char('-'));
    printLine(rule);
    for (size_t i = 1; i < lines.size(); ++i)
        printLine(lines[i]);
    out << '\n' << passed << " passed, " << missed << " missed, " << absent << " not available\n";
}

bool BenchTable::AllPassed() const
{
    for (const Row &row : rows)
        if (judge(row).result != QLatin1String("PASS"))
            return false;
    return true;
}
