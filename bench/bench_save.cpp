// Throughput of Save: encoding to code page 932 and the replace of the file,
// renamed into place or (for a file with a second hard link) rewritten in
// place, beside a plain write of the same bytes to the same folder.
#include "output/atomic_file.h"
#include "output/style_sheet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace corvane::output;

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

template <typename F> double medianSeconds(F &&run)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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

} // namespace

int main()
{
    QTemporaryDir dir(QStringLiteral("corvane-bench-XXXXXX")); // beside the build, on its disk
    const QString path = dir.filePath(QStringLiteral("sheet.css"));
    const QString linked = dir.filePath(QStringLiteral("linked.css"));
    if (!plainWrite(linked, "", false) ||
        ::link(QFile::encodeName(linked).constData(), QFile::encodeName(linked + "2").constData()))
        std::abort(); // a second hard link: saved in place
    std::printf("%-18s %12s %12s %12s %14s %16s\n", "sheet", "encode", "save", "in place",
                "plain write", "plain + fsync");
    for (const auto &[kind, rules] : {std::pair{"ASCII", asciiRules}, {"Japanese", japaneseRules}})
        for (const qsizetype megabytes : {1, 10}) {
            const QString sheet = sheetOf(rules, megabytes * 1000 * 1000);
            QByteArray bytes;
            const double encode = medianSeconds([&] { bytes = styleSheetFile(sheet).bytes; });
            const auto saveTo = [&](const QString &target) {
                return medianSeconds([&] {
                    const Encoded file = styleSheetFile(sheet);
                    if (replaceFile(target, file.bytes))
                        std::abort();
                });
            };
            const double save = saveTo(path);
            const double inPlace = saveTo(linked);
            const double plain = medianSeconds([&] { plainWrite(path + "2", bytes, false); });
            const double synced = medianSeconds([&] { plainWrite(path + "3", bytes, true); });
            const double mb = double(bytes.size()) / 1e6;
            std::printf("%-8s %6.1f MB %7.0f MB/s %7.0f MB/s %7.0f MB/s %9.0f MB/s %11.0f MB/s\n",
                        kind, mb, mb / encode, mb / save, mb / inPlace, mb / plain, mb / synced);
        }
    return 0;
}
