// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost per call of the plain functions behind Write and the swatches.
#include "compose/rule.h"
#include "fields/colour.h"
#include "median_reporter.h"

#include <QStringList>

#include <cstdio>
#include <functional>

using namespace corvane;

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    compose::RuleFields full;
    full.selector = QStringLiteral(".default");
    full.fontFamily = QStringLiteral("ＭＳ Ｐゴシック, Osaka");
    full.fontSize = QStringLiteral("12");
    full.sizeUnit = QStringLiteral("pt");
    full.fontStyle = QStringLiteral("斜体(イタリック)");
    full.fontStylePosition = 1;
    full.fontWeight = QStringLiteral("太字");
    full.colour = QStringLiteral("red");
    full.lineHeight = QStringLiteral("20");
    full.lineHeightUnit = QStringLiteral("px");
    full.background = QStringLiteral("#FFFFCC");
    full.decorations = {true, false, false, true, false};
    compose::RuleFields one;
    one.selector = QStringLiteral("H1");
    one.colour = QStringLiteral("blue");

    const QStringList colours{"red",     "black",  "#FF0000", "#ff",
                              "#12345G", "その他", "",        QStringLiteral("#12345😀")};

    struct Call {
        const char *name, *row; // the benchmark's name, and its row in the table
        std::function<void(benchmark::State &)> run;
    };
    const Call calls[] = {
        {"rule/all_eight", "rule with all eight declarations",
         [&](benchmark::State &state) {
             for (auto _ : state)
                 benchmark::DoNotOptimize(compose::composeRule(full));
         }},
        {"rule/one", "rule with one declaration",
         [&](benchmark::State &state) {
             for (auto _ : state)
                 benchmark::DoNotOptimize(compose::composeRule(one));
         }},
        {"c_conv/mixed", "`c_conv`, mixed texts",
         [&](benchmark::State &state) {
             qsizetype i = 0;
             for (auto _ : state)
                 benchmark::DoNotOptimize(fields::c_conv(colours.at(i++ % colours.size())));
         }},
        {"hexColourText", "hex colour text of a colour number",
         [](benchmark::State &state) {
             fields::ColourNumber colour = 0;
             for (auto _ : state)
                 benchmark::DoNotOptimize(fields::hexColourText(colour++));
         }},
    };
    for (const Call &call : calls)
        benchmark::RegisterBenchmark(call.name, call.run)
            ->Unit(benchmark::kNanosecond)
            ->MinTime(0.1)
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);

    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n| call | time |\n| --- | --- |\n");
    for (const Call &call : calls)
        if (const auto *figures = reporter.find(call.name))
            std::printf("| %s | %.0f ns |\n", call.row, figures->seconds * 1e9);
    reporter.printSpread();
    return reporter.failed() ? 1 : 0;
}
