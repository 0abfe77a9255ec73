// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "median_reporter.h"

#include <algorithm>
#include <cstdio>

namespace corvane::bench {

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred) {
            m_failed = true;
            continue;
        }
        if (run.run_type != Run::RT_Aggregate)
            continue;
        Figures &figures = m_figures[run.run_name.function_name];
        if (run.aggregate_name == "median") {
            figures.seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto bytes = run.counters.find("bytes_per_second");
            if (bytes != run.counters.end())
                figures.bytesPerSecond = bytes->second;
        } else if (run.aggregate_name == "cv") {
            figures.cv = run.real_accumulated_time; // a fraction, not a time
        }
        m_repetitions = std::max<long>(m_repetitions, run.repetitions);
    }
}

const MedianReporter::Figures *MedianReporter::find(const std::string &name) const
{
    const auto found = m_figures.find(name);
    return found == m_figures.end() ? nullptr : &found->second;
}

void MedianReporter::printSpread() const
{
    double least = 1e9, most = 0;
    for (const auto &[name, figures] : m_figures) {
        least = std::min(least, 100 * figures.cv);
        most = std::max(most, 100 * figures.cv);
    }
    if (!m_figures.empty())
        std::printf("\nMedians of %ld repetitions; coefficient of variation %.1f %% to %.1f %%.\n",
                    m_repetitions, least, most);
}

} // namespace corvane::bench
