// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <benchmark/benchmark.h>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// Collects the median of every measurement and prints them as one table,
// each beside its baseline from the same run, its goal and PASS or MISS.
// As the reporter of Google Benchmark it takes the median CPU time per
// iteration of each benchmark (the single run when there are no
// repetitions), divided by the benchmark's counter "batch" when it handles
// several items per iteration, and echoes the usual console output to
// standard error; the start-up measurements are recorded directly.
class BenchTable : public benchmark::ConsoleReporter
{
public:
    enum class Unit
    {
        Nanoseconds,
        Bytes
    };

    enum class Goal
    {
        FasterBy, // the baseline takes at least `limit` times as long
        WithinTimes, // at most `limit` times the baseline
        Under, // below `limit` (nanoseconds or bytes)
    };

    // One row: the measurement named `measured`, compared as `goal` says
    // with the measurement named `baseline` (empty for Goal::Under).
    struct Row
    {
        QString label;
        std::string measured;
        std::string baseline;
        QString baselineLabel;
        Goal goal;
        double limit;
        Unit unit;
    };

    BenchTable();

    void AddRow(const Row &row);
    // A median measured outside Google Benchmark.
    void Record(const std::string &name, double median);
    // Why a measurement has no value; shown in its row.
    void RecordUnavailable(const std::string &name, const QString &reason);

    // The table in Markdown, followed by a count of PASS and MISS.
    void Print(std::ostream &out) const;
    // True when no row missed its goal or lacks a value.
    bool AllPassed() const;

    void ReportRuns(const std::vector<Run> &report) override;

private:
    struct Verdict
    {
        QString measured;
        QString baseline;
        QString ratio;
        QString goal;
        QString result;
    };

    Verdict judge(const Row &row) const;

    std::map<std::string, double> medians;
    std::map<std::string, QString> unavailable;
    std::vector<Row> rows;
};
