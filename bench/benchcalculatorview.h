// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/fakecalculatorview.h"

// The fake window of the engine benchmarks: it keeps only the last history
// entry, so that millions of evaluations do not grow one text without end.
class BenchCalculatorView : public FakeCalculatorView
{
public:
    QString lastHistoryEntry;

    void AppendToHistory(const QString &entry) override { lastHistoryEntry = entry; }
};
