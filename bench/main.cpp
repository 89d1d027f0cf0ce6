// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every benchmark of the calculator and prints one table: each
// measurement's median over the repetitions, the baseline measured in the
// same run, their ratio, the goal and PASS or MISS. Google Benchmark's own
// flags apply (scripts/bench passes the repetitions); --startup_repetitions=N
// sets how often each program of the start-up measurement is started.
#include "bench/benchmarks.h"
#include "bench/benchtable.h"
#include "bench/startupprobe.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

// Start-up and memory goals: within 1.3 times the minimal Qt Widgets
// program, and each further calculator window under 3 MB.
constexpr double StartupBudget = 1.3;
constexpr double MemoryBudget = 1.3;
constexpr double FurtherWindowBytes = 3e6;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The value of the first "name: value" line of a /proc file whose name is
// prefix. Files in /proc report no size, so they are read to the end.
QString procField(const QString &path, const QString &prefix)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(prefix))
            return line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed();
    return {};
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

void measureStartup(BenchTable &table, int repetitions)
{
    const std::string zorvaneStartup = "startup/zorvane";
    const std::string minimalStartup = "startup/minimal";
    const std::string zorvaneMemory = "memory/zorvane";
    const std::string minimalMemory = "memory/minimal";
    const std::string secondWindow = "memory/second window";
    const QString minimal = QStringLiteral("minimal Qt program");
    table.AddRow({ QStringLiteral("Start-up to first window painted (Xvfb)"), zorvaneStartup, minimalStartup,
        minimal, BenchTable::Goal::WithinTimes, StartupBudget, BenchTable::Unit::Nanoseconds });
    table.AddRow({ QStringLiteral("Resident memory at first paint"), zorvaneMemory, minimalMemory, minimal,
        BenchTable::Goal::WithinTimes, MemoryBudget, BenchTable::Unit::Bytes });
    table.AddRow({ QStringLiteral("Extra memory of a second calculator window"), secondWindow, {}, {},
        BenchTable::Goal::Under, FurtherWindowBytes, BenchTable::Unit::Bytes });

    StartupProbe probe;
    const auto unavailable = [&](const QString &why) {
        for (const std::string &name :
            { zorvaneStartup, minimalStartup, zorvaneMemory, minimalMemory, secondWindow })
            table.RecordUnavailable(name, why);
    };
    if (!probe.Error().isEmpty()) {
        unavailable(probe.Error());
        return;
    }
    const QString zorvane = QStringLiteral(ZORVANE_EXECUTABLE);
    const QString baseline = QStringLiteral(MINIMAL_EXECUTABLE);
    const QString zorvaneTitle = QStringLiteral("Zorvane");
    const QString minimalTitle = QStringLiteral("Minimal");
    std::vector<double> startup[2];
    std::vector<double> memory[2];
    std::vector<double> extra;
    QString why;
    // One unrecorded start of each first, so that both find the shared
    // libraries and font caches equally warm; then the two alternate.
    for (int round = -1; round < repetitions; ++round) {
        std::cerr << "start-up round " << round + 1 << " of " << repetitions << '\n';
        const auto ours = probe.Measure(zorvane, zorvaneTitle, true, &why);
        if (!ours) {
            unavailable(QStringLiteral("zorvane: ") + why);
            return;
        }
        const auto theirs = probe.Measure(baseline, minimalTitle, false, &why);
        if (!theirs) {
            unavailable(QStringLiteral("minimal program: ") + why);
            return;
        }
        if (round < 0)
            continue;
        startup[0].push_back(ours->startupNanoseconds);
        startup[1].push_back(theirs->startupNanoseconds);
        memory[0].push_back(ours->residentBytes);
        memory[1].push_back(theirs->residentBytes);
        if (ours->secondWindowBytes)
            extra.push_back(*ours->secondWindowBytes);
        else
            why = ours->secondWindowProblem;
    }
    table.Record(zorvaneStartup, median(startup[0]));
    table.Record(minimalStartup, median(startup[1]));
    table.Record(zorvaneMemory, median(memory[0]));
    table.Record(minimalMemory, median(memory[1]));
    if (extra.empty())
        table.RecordUnavailable(secondWindow, why);
    else
        table.Record(secondWindow, median(extra));
}

int takeStartupRepetitions(int &argc, char **argv)
{
    constexpr std::string_view flag = "--startup_repetitions=";
    int repetitions = 7;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument.substr(0, flag.size()) == flag)
            repetitions = std::max(1, std::atoi(argv[i] + flag.size()));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return repetitions;
}

} // namespace

int main(int argc, char *argv[])
{
    // The windows measured in this process draw off screen; only the
    // programs that the start-up probe starts use the X display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int startupRepetitions = takeStartupRepetitions(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    const QString loadBefore = loadAverage();
    BenchTable table;
    RegisterScriptBenchmarks(table);
    RegisterFormatBenchmarks(table);
    RegisterEngineBenchmarks(table);
    RegisterWindowBenchmarks(table);
    RegisterSelfTestBenchmarks(table);
    benchmark::RunSpecifiedBenchmarks(&table);
    measureStartup(table, startupRepetitions);

    std::cout << "Machine: "
              << procField(QStringLiteral("/proc/cpuinfo"), QStringLiteral("model name")).toStdString()
              << ", " << QThread::idealThreadCount() << " cores, "
              << procField(QStringLiteral("/proc/meminfo"), QStringLiteral("MemTotal")).toStdString()
              << " memory, " << QSysInfo::prettyProductName().toStdString() << ", kernel "
              << QSysInfo::kernelVersion().toStdString() << "; load average " << loadBefore.toStdString()
              << " at the start, " << loadAverage().toStdString() << " at the end\n\n";
    table.Print(std::cout);
    benchmark::Shutdown();
    return table.AllPassed() ? 0 : 1;
}
