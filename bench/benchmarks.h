// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class BenchTable;

// Each registers its Google Benchmark functions and the table rows that
// compare them with their goals.
void RegisterScriptBenchmarks(BenchTable &table);
void RegisterFormatBenchmarks(BenchTable &table);
void RegisterEngineBenchmarks(BenchTable &table);
void RegisterWindowBenchmarks(BenchTable &table);
void RegisterSelfTestBenchmarks(BenchTable &table);
