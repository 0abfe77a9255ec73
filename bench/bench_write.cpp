// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one Write as the style sheet grows: the rule is appended at the end,
// so the cost should not depend on how many rules the pane already holds.
#include "form_edit.h"
#include "median_reporter.h"
#include "scripted_platform.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <string>

using namespace corvane;

namespace {

using Clock = std::chrono::steady_clock;

// Every iteration is one Write and the layout and painting that follow it;
// "command" times the Write alone, "shown" both. Setting the fields before
// each Write is not timed.
void writes(benchmark::State &state, int rulesBefore, bool shown)
{
    testing::ScriptedPlatform platform;
    Form_edit form(platform);
    FormControls &ui = form.controls();
    form.show();
    QApplication::processEvents();

    QString sheet;
    for (int i = 0; i < rulesBefore; ++i)
        sheet += QStringLiteral(".c%1 { FONT-SIZE : 12pt ; COLOR : red }\r\n").arg(i);
    ui.Text1->setText(sheet);
    ui.Op_new->select(1); // tags: the registry stays as it is
    QApplication::processEvents();

    int i = 0;
    for (auto _ : state) {
        ui.C_color->setListIndex(i % 7);
        ui.C_size->setListIndex(i % 7);
        ++i;
        const Clock::time_point start = Clock::now();
        ui.M_Write->trigger();
        const Clock::time_point written = Clock::now();
        QApplication::processEvents();
        const Clock::time_point painted = Clock::now();
        state.SetIterationTime(
            std::chrono::duration<double>((shown ? painted : written) - start).count());
    }
    if (!platform.messages.isEmpty())
        state.SkipWithError("a Write was refused: its time is not a Write's");
}

std::string nameOf(const char *kind, int rules)
{
    return "Write/" + std::string(kind) + "/" + std::to_string(rules);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    const struct {
        int rules;
        const char *row;
    } sizes[] = {{10, "10"}, {1000, "1,000"}, {10000, "10,000"}};
    for (const auto &[rules, row] : sizes)
        for (const bool shown : {false, true})
            benchmark::RegisterBenchmark(nameOf(shown ? "shown" : "command", rules).c_str(), writes,
                                         rules, shown)
                // A fixed count: each Write adds a rule, so the pane keeps about its size.
                ->Iterations(300)
                ->Repetitions(10)
                ->ReportAggregatesOnly(true)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);

    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n| rules in the pane | command | shown |\n| --- | --- | --- |\n");
    for (const auto &[rules, row] : sizes) {
        const auto *command = reporter.find(nameOf("command", rules));
        const auto *shown = reporter.find(nameOf("shown", rules));
        if (command && shown)
            std::printf("| %s | %.0f µs | %.0f µs |\n", row, command->seconds * 1e6,
                        shown->seconds * 1e6);
    }
    reporter.printSpread();
    return reporter.failed() ? 1 : 0;
}
