// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of Save: encoding to code page 932 and the replace of the file,
// renamed into place or (for a file with a second hard link) rewritten in
// place, beside a plain write of the same bytes to the same folder.
#include "median_reporter.h"
#include "output/style_sheet.h"
#include "save/replace_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace corvane::output;
using corvane::save::replaceFile;

namespace {

// Two kinds of sheet: rules in ASCII alone, and rules where every other line
// names Japanese fonts and classes (a third of the characters).
const QString asciiRules = QStringLiteral(
    ".default { FONT-FAMILY : Arial, Helvetica, sans-serif ; FONT-SIZE : 12pt ; COLOR : red }\r\n"
    "H1 { FONT-WEIGHT : bold ; LINE-HEIGHT : 20px ; BACKGROUND-COLOR : #FFFFCC }\r\n");
const QString japaneseRules = QStringLiteral(
    ".見出し { FONT-FAMILY : ＭＳ Ｐゴシック, Osaka ; FONT-SIZE : 12pt ; COLOR : red }\r\n"
    "H1 { FONT-WEIGHT : bold ; LINE-HEIGHT : 20px ; BACKGROUND-COLOR : #FFFFCC }\r\n");

QString sheetOf(const QString &rules, qsizetype bytes)
{
    const qsizetype perCopy = encodeCp932(rules).bytes.size();
    return rules.repeated(bytes / perCopy + 1);
}

bool plainWrite(const QString &path, const QByteArray &bytes, bool sync)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size() &&
                    (!sync || ::fsync(fd) == 0);
    return ::close(fd) == 0 && ok;
}

struct Sheet {
    std::string row; // "ASCII, 1 MB"
    QString text;
    QByteArray bytes; // the file Save writes
};

// The columns of the table, each a benchmark per sheet.
const char *const columns[] = {"encode", "save", "in place", "plain write", "plain write + fsync"};

std::string nameOf(const Sheet &sheet, const char *column)
{
    return sheet.row + "/" + column;
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    QTemporaryDir dir(QStringLiteral("corvane-bench-XXXXXX")); // beside the build, on its disk
    const QString path = dir.filePath(QStringLiteral("sheet.css"));
    const QString linked = dir.filePath(QStringLiteral("linked.css"));
    if (!dir.isValid() || !plainWrite(linked, "", false) ||
        ::link(QFile::encodeName(linked).constData(),
               QFile::encodeName(linked + "2").constData())) {
        std::perror("bench_save: the file with a second hard link");
        return 1;
    }

    std::vector<Sheet> sheets;
    for (const auto &[kind, rules] : {std::pair{"ASCII", asciiRules}, {"Japanese", japaneseRules}})
        for (const int megabytes : {1, 10}) {
            const QString text = sheetOf(rules, megabytes * 1000 * 1000);
            sheets.push_back({std::string(kind) + ", " + std::to_string(megabytes) + " MB", text,
                              styleSheetFile(text).bytes});
        }

    const auto save = [](benchmark::State &state, const Sheet &sheet, const QString &target) {
        for (auto _ : state) {
            const Encoded file = styleSheetFile(sheet.text);
            if (const auto result = replaceFile(target, file.bytes); !result.message().isEmpty()) {
                state.SkipWithError(result.message().toStdString().c_str());
                break;
            }
        }
        state.SetBytesProcessed(state.iterations() * sheet.bytes.size());
    };
    const auto plain = [](benchmark::State &state, const Sheet &sheet, const QString &target,
                          bool sync) {
        for (auto _ : state)
            if (!plainWrite(target, sheet.bytes, sync)) {
                state.SkipWithError("the plain write failed");
                break;
            }
        state.SetBytesProcessed(state.iterations() * sheet.bytes.size());
    };
    for (const Sheet &sheet : sheets) {
        const auto encode = [&sheet](benchmark::State &state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(styleSheetFile(sheet.text).bytes);
            state.SetBytesProcessed(state.iterations() * sheet.bytes.size());
        };
        benchmark::internal::Benchmark *registered[] = {
            benchmark::RegisterBenchmark(nameOf(sheet, columns[0]).c_str(), encode),
            benchmark::RegisterBenchmark(nameOf(sheet, columns[1]).c_str(), save, std::cref(sheet),
                                         path),
            benchmark::RegisterBenchmark(nameOf(sheet, columns[2]).c_str(), save, std::cref(sheet),
                                         linked),
            benchmark::RegisterBenchmark(nameOf(sheet, columns[3]).c_str(), plain, std::cref(sheet),
                                         path + "2", false),
            benchmark::RegisterBenchmark(nameOf(sheet, columns[4]).c_str(), plain, std::cref(sheet),
                                         path + "3", true),
        };
        for (benchmark::internal::Benchmark *registration : registered)
            // Wall time: a flush to disk waits without using the processor, and
            // bytes per second are reckoned from the time that is measured.
            registration->UseRealTime()
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
    }

    corvane::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n| sheet | encode | save | in place | plain write | plain write + fsync | save, "
                "in place against plain + fsync |\n"
                "| --- | --- | --- | --- | --- | --- | --- |\n");
    for (const Sheet &sheet : sheets) {
        std::vector<double> rates; // MB/s, column by column
        for (const char *column : columns)
            if (const auto *figures = reporter.find(nameOf(sheet, column)))
                rates.push_back(figures->bytesPerSecond / 1e6);
        if (rates.size() < std::size(columns))
            continue;
        std::printf("| %s |", sheet.row.c_str());
        for (const double rate : rates)
            std::printf(" %.0f MB/s |", rate);
        std::printf(" %.1fx, %.1fx |\n", rates[4] / rates[1], rates[4] / rates[2]);
    }
    reporter.printSpread();
    return reporter.failed() ? 1 : 0;
}
