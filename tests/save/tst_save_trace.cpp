// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The save seen from the kernel: its system calls in order, and each one of them made to kill
// the save or to fail, through strace.
#include "save/replace_file.h"
#include "save/save_steps.h"
#include "save_checks.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/syscall.h>

using namespace corvane::save;

namespace {

// The calls a save makes on files: what the sweeps kill and fail.
const QString fileCalls =
    "openat,openat2,open,close,newfstatat,fstat,statx,readlink,faccessat2,mkdir,flock,fcntl,"
    "lseek,pwrite64,pread64,fsync,ftruncate,fallocate,copy_file_range,linkat,renameat2,renameat,"
    "unlinkat,flistxattr,fgetxattr,fsetxattr,fremovexattr,fchown,fchmod";

struct Call {
    QString name;
    int nth; // among the calls of that name since the program started, from 1
};

} // namespace

class TestSaveTrace : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir, m_work; // the work folder: traces and results
    QString m_file, m_strace;

    QString path(const QString &relative) const { return m_dir->filePath(relative); }

    // Runs tracedSave on `target` under strace, with `options` (an injection, say), and returns
    // the calls of `traced` that the save made, with what it said (empty if it was killed).
    QList<Call> traceSave(const QString &target, const QString &traced, QStringList options,
                          QString &said)
    {
        const QString trace = m_work->filePath("trace"), result = m_work->filePath("result");
        QFile::remove(result);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CORVANE_TRACED_SAVE", target);
        env.insert("CORVANE_TRACED_RESULT", result);
        env.insert("ASAN_OPTIONS", "detect_leaks=0"); // LeakSanitizer refuses to run traced
        process.setProcessEnvironment(env);
        options << "-f"
                << "-qq"
                << "-o" << trace << "-e"
                << "trace=fdatasync," + traced << QFileInfo("/proc/self/exe").symLinkTarget()
                << "tracedSave";
        process.start(m_strace, options);
        process.waitForFinished(60000);
        said = QFile::exists(result) ? QString::fromUtf8(contents(result)) : QString();
        // The calls between the two markers, each with its count.
        QList<Call> calls;
        QHash<QString, int> seen;
        bool inSave = false;
        for (const QString &line : QString::fromUtf8(contents(trace)).split('\n')) {
            const auto m = QRegularExpression("^\\d+\\s+(\\w+)\\((-1)?").match(line);
            if (!m.hasMatch())
                continue;
            const QString call = m.captured(1);
            const int nth = ++seen[call];
            if (call == "fdatasync" && !m.captured(2).isEmpty())
                inSave = !inSave;
            else if (inSave)
                calls.append({call, nth});
        }
        return calls;
    }
    static QString names(const QList<Call> &calls)
    {
        QStringList all;
        for (const Call &call : calls)
            all << call.name;
        return all.join(' ');
    }

private slots:
    void init()
    {
        m_file = m_dir.emplace().filePath("style.css");
        m_work.emplace();
        QVERIFY(put(m_file, oldBytes));
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_work->filePath("state")));
        m_strace = QStandardPaths::findExecutable("strace");
        if (m_strace.isEmpty())
            QSKIP("strace is not installed (./dev test installs it)");
    }

    // The new file lets no one more than the old one does from the moment it is made: with
    // the old mode where only the mode says who may use it, its group given no more than
    // everyone (the new file's group may be another until it has the old one's); private
    // where an ACL says more.
    void newFileStartsNoMoreOpen()
    {
        const std::tuple<mode_t, bool, QString> cases[] = {{0644, false, "0644"},
                                                           {0664, false, "0644"},
                                                           {0640, false, "0600"},
                                                           {0604, false, "0604"},
                                                           {0644, true, "0600"}};
        for (const auto &[mode, acl, made] : cases) {
            QVERIFY(::chmod(name(m_file), mode) == 0 &&
                    QProcess::execute("setfacl", acl ? QStringList{"-m", "u:65534:r", m_file}
                                                     : QStringList{"-b", m_file}) == 0);
            QString said;
            traceSave(m_file, "openat", {}, said);
            QCOMPARE(said, "<saved>");
            const auto created = QRegularExpression("O_TMPFILE, (0\\d+)\\)")
                                     .match(QString::fromUtf8(contents(m_work->filePath("trace"))));
            QCOMPARE(created.captured(1), made);
        }
    }

    // Every flush the save needs, in its order, and a failed flush keeps the old file.
    void flushesInOrder()
    {
        const std::pair<QString, QString> orders[] = {
            {"style.css", "pwrite64 fsync linkat renameat2 unlinkat fsync"},
            {"new.css", "pwrite64 fsync linkat fsync"},
            {"linked.css", "copy_file_range linkat fsync fsync pwrite64 fsync unlinkat"}};
        for (const auto &[file, order] : orders) {
            QVERIFY(file != "linked.css" || ::link(name(m_file), name(path(file))) == 0);
            QString said;
            const auto calls = traceSave(path(file),
                                         "fsync,linkat,renameat2,renameat,unlinkat,pwrite64,"
                                         "ftruncate,copy_file_range",
                                         {}, said);
            QCOMPARE(said, "<saved>");
            QCOMPARE(names(calls), order);
            QCOMPARE(contents(path(file)), newBytes);
        }
        for (const QString &file : {path("new.css"), path("linked.css"), path("fresh.css")})
            QCOMPARE(inChild([&] {
                         return refuseCall(__NR_fsync, EIO) ? saved(replaceFile(file, oldBytes))
                                                            : "";
                     }),
                     refusal(file, "ディスクの読み書きに失敗しました。"));
        // Failing from the rewrite on, the flush of the new bytes, then that of the old ones.
        const QString copy = path("linked.css.corvane-old");
        onSaveStep = [](SaveStep now) {
            if (now == SaveStep::Copied && !refuseCall(__NR_fsync, EIO))
                ::_exit(1);
        };
        QCOMPARE(inChild([&] { return saved(replaceFile(path("linked.css"), oldBytes)); }),
                 refusal(path("linked.css"), "ディスクの読み書きに失敗しました。") +
                     "\r\nファイルを元の内容に戻せませんでした。元の内容は「" + copy +
                     "」に残してあります。");
        onSaveStep = nullptr;
        QVERIFY(contents(copy) == newBytes && QFile::remove(copy));
        QCOMPARE(contents(m_file), newBytes);
        QCOMPARE(entries(m_dir->path()), (QStringList{"linked.css", "new.css", "style.css"}));
    }

    // Each call a save makes on files, killed, then failed with EIO, one at a time, on each
    // way a save takes. Killed, the old text is whole (in the file, or in the copy beside it),
    // and the next save leaves nothing beside the file. Failed, the save is either done, with
    // the new bytes and a message naming whatever it could not remove, or refused, with the
    // file as it was and nothing beside it.
    void everyCallKilledOrFailed()
    {
        for (const QString file : {"style.css", "new.css", "linked.css"}) {
            const bool fresh = file == "new.css", inPlace = file == "linked.css";
            const QString target = path(file);
            // What the folder holds once a save is done, sorted as entries() lists it.
            const QStringList kept = fresh     ? QStringList{"new.css", "style.css"}
                                     : inPlace ? QStringList{"linked.css", "style.css"}
                                               : QStringList{"style.css"};
            const auto reset = [&] {
                for (const QString &entry : entries(m_dir->path()))
                    QFile::remove(path(entry));
                return put(m_file, oldBytes) &&
                       (!inPlace || ::link(name(m_file), name(target)) == 0);
            };
            QVERIFY(reset());
            QString said;
            const QList<Call> calls = traceSave(target, fileCalls, {}, said);
            QCOMPARE(said, "<saved>");
            QVERIFY(calls.size() > 10);
            for (const Call &call : calls) {
                for (const bool kill : {true, false}) {
                    QVERIFY(reset());
                    traceSave(target, fileCalls,
                              {"-e", QString("inject=%1:%2:when=%3")
                                         .arg(call.name, kill ? "signal=KILL" : "error=EIO")
                                         .arg(call.nth)},
                              said);
                    const QByteArray now = contents(target);
                    const QStringList left = entries(m_dir->path());
                    const QString at = QString("%1, %2 #%3 %4: %5 / %6")
                                           .arg(file, call.name)
                                           .arg(call.nth)
                                           .arg(kill ? "killed" : "failed", said, left.join(' '));
                    if (kill) {
                        QVERIFY2(said.isEmpty(), qPrintable(at));
                        bool whole = now == (fresh ? "<unreadable>" : oldBytes) || now == newBytes;
                        for (const QString &entry : left)
                            whole = whole || (entry.contains(".corvane-old") &&
                                              contents(path(entry)) == oldBytes);
                        QVERIFY2(whole, qPrintable(at));
                        QCOMPARE(saved(replaceFile(target, newBytes)), "<saved>");
                        QVERIFY2(entries(m_dir->path()) == kept, qPrintable(at));
                        continue;
                    }
                    const bool done =
                        said == "<saved>" || said.startsWith("「" + target + "」に保存しました。");
                    QVERIFY2(done || said.startsWith("「" + target + "」に保存できませんでした。"),
                             qPrintable(at));
                    QVERIFY2(now == (done    ? newBytes
                                     : fresh ? "<unreadable>"
                                             : oldBytes),
                             qPrintable(at));
                    for (const QString &entry : left)
                        QVERIFY2(kept.contains(entry) || (done && said.contains(entry)),
                                 qPrintable(at));
                }
            }
        }
    }

    void tracedSave()
    {
        const QString target = qEnvironmentVariable("CORVANE_TRACED_SAVE");
        if (target.isEmpty())
            QSKIP("run by the other tests, under strace");
        ::fdatasync(-1); // markers around the save in the trace
        const QString result = saved(replaceFile(target, newBytes));
        ::fdatasync(-1);
        put(qEnvironmentVariable("CORVANE_TRACED_RESULT"), result.toUtf8());
    }
};

QTEST_APPLESS_MAIN(TestSaveTrace)
#include "tst_save_trace.moc"
