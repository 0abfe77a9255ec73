// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace corvane::bench {

// Google Benchmark's console output, and beside it the aggregates of each
// benchmark's repetitions by the name it was registered under, from which the
// benchmarks print the tables of docs/performance.md.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double seconds = 0;        // median time per iteration
        double bytesPerSecond = 0; // median throughput, where the benchmark counts bytes
        double cv = 0;             // coefficient of variation of the time, stddev / mean
    };

    MedianReporter()
        : ConsoleReporter(OO_Tabular)
    {
    }
    void ReportRuns(const std::vector<Run> &runs) override;

    // Null for a benchmark without aggregates: left out by a filter, or failed.
    const Figures *find(const std::string &name) const;
    // True once a run reported an error.
    bool failed() const { return m_failed; }
    // The line below a table: how many repetitions each median is of, and the
    // smallest and largest coefficient of variation among the benchmarks.
    void printSpread() const;

private:
    std::map<std::string, Figures> m_figures;
    long m_repetitions = 0;
    bool m_failed = false;
};

} // namespace corvane::bench
