// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/atomic_file.h"
#include "output/save_steps.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace corvane::output;

namespace {

const QByteArray oldBytes = "P { COLOR : red }\r\n";
const QByteArray newBytes = "H1 { COLOR : blue }\r\n";
constexpr gid_t team = 4242; // ctest makes the unprivileged run a member

// Runs `work` in a child process and returns what it said.
QString inChild(const std::function<QString()> &work)
{
    int out[2];
    if (::pipe(out) != 0)
        return "<no pipe>";
    const pid_t child = ::fork();
    if (child == 0) {
        const QByteArray said = work().toUtf8();
        ::_exit(::write(out[1], said.constData(), std::size_t(said.size())) == said.size() ? 0 : 1);
    }
    ::close(out[1]);
    QFile reader;
    reader.open(out[0], QIODevice::ReadOnly, QFile::AutoCloseHandle);
    const QString said = QString::fromUtf8(reader.readAll());
    ::waitpid(child, nullptr, 0);
    return said;
}

// Makes `call` fail with `error` in this process; an openat only when it asks for `flags`.
bool refuseCall(int call, int error, unsigned flags = 0)
{
    sock_filter filter[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(call), 0, 3),
                            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
                            // with no flags, A >= 0: always
                            BPF_JUMP(BPF_JMP | (flags ? BPF_JSET : BPF_JGE) | BPF_K, flags, 0, 1),
                            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | unsigned(error)),
                            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
    const sock_fprog program{std::size(filter), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// A file system without unnamed files: O_TMPFILE fails.
bool refuseUnnamedFiles()
{
    return refuseCall(__NR_openat, EOPNOTSUPP, __O_TMPFILE & ~O_DIRECTORY);
}

// Runs `work` as user 65534 of group 4242, with a private folder of its own.
QString asOtherUser(const QString &state, const std::function<QString()> &work)
{
    return inChild([&] {
        return ::setgroups(1, &team) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                       qputenv("XDG_STATE_HOME", QFile::encodeName(state))
                   ? work()
                   : "<setuid>";
    });
}

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

    // Files by name; `saved` tells a save from its refusal.
    static QByteArray name(const QString &path) { return QFile::encodeName(path); }
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "<unreadable>";
    }
    static bool put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    static QStringList entries(const QString &dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                   QDir::NoDotAndDotDot);
    }
    static QString saved(const std::optional<QString> &failure)
    {
        return failure.value_or("<saved>");
    }
    static QString refusal(const QString &target, const QString &reason)
    {
        return "「" + QDir::toNativeSeparators(target) + "」に保存できませんでした。\r\n" + reason;
    }
    // What the file system holds of a file besides its bytes; nothing for a missing file.
    static QByteArray identity(const QString &path)
    {
        QProcess tools;
        tools.start("sh",
                    {"-c",
                     "stat -c '%u:%g mode %a links %h' \"$0\" && getfattr -dhm- \"$0\" | sed 1d",
                     path});
        return tools.waitForFinished() ? tools.readAllStandardOutput() : "<no tools>";
    }
    static bool makeIdentity(const QString &path, mode_t mode, uid_t owner)
    {
        return ::chmod(name(path), mode) == 0 &&
               QProcess::execute("setfacl", {"-m", "u:65534:rw", path}) == 0 &&
               ::setxattr(name(path), "user.corvane.note", "kept", 4, 0) == 0 &&
               (::geteuid() != 0 || ::chown(name(path), owner, owner) == 0);
    }
    static mode_t modeOf(const QString &path)
    {
        struct stat st {};
        return ::stat(name(path), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    // Sets a sysctl for the test; the old value comes back with the guard.
    static auto setSysctl(const char *key, const QByteArray &value)
    {
        const QString file = QStringLiteral("/proc/sys/fs/") + key;
        const QByteArray was = contents(file);
        put(file, value);
        return qScopeGuard([file, was] { put(file, was); });
    }

    std::optional<QTemporaryDir> m_dir, m_state; // the state folder: where copies go
    QString m_file;

    QString path(const QString &relative) const { return m_dir->filePath(relative); }

private slots:
    void init()
    {
        m_file = m_dir.emplace().filePath("style.css");
        QVERIFY(put(m_file, oldBytes));
        qputenv("XDG_STATE_HOME", name(m_state.emplace().path()));
        onSaveStep = nullptr;
    }
    void cleanup() { onSaveStep = nullptr; }

    // Mode, ACL, attributes and (as root) another owner stay, with nothing left beside: renamed
    // from an unnamed file, in place (a second link), from a short named one (no O_TMPFILE); the
    // file has the longest name a folder takes, 255 bytes. A new file gets the umask's mode.
    void keepsWhatTheFileHas()
    {
        const QString other = path("other.css"), target = path(QString(251, u'n') + ".css");
        for (const int way : {0, 1, 2}) {
            QVERIFY(put(target, oldBytes) && makeIdentity(target, 0640, 65534) &&
                    (way != 1 || ::link(name(target), name(other)) == 0));
            const QByteArray before = identity(target);
            const auto save = [&] {
                return saved(replaceFile(target, newBytes));
            };
            QCOMPARE(way < 2 ? save() : inChild([&] {
                         return refuseUnnamedFiles() ? save() : "<O_TMPFILE not refused>";
                     }),
                     "<saved>");
            QCOMPARE(identity(target), before);
            QCOMPARE(contents(target), newBytes);
            QCOMPARE(contents(other), way == 0 ? "<unreadable>" : newBytes);
            QCOMPARE(entries(m_dir->path()).size(), way == 0 ? 2 : 3); // style.css, target, other
        }
        for (const mode_t mask : {022, 077}) {
            const mode_t was = ::umask(mask);
            const QString fresh = path(QString::number(mask) + ".css");
            QCOMPARE(saved(replaceFile(fresh, newBytes)), "<saved>");
            ::umask(was);
            QCOMPARE(modeOf(fresh), 0666 & ~mask);
        }
    }

    void followsLinks()
    {
        // link.css -> middle.css (relative) -> real/target.css; a chain to a missing file, whose
        // name is the longest a folder takes.
        const QString later = QString(251, u'n') + ".css";
        QVERIFY(QDir(m_dir->path()).mkdir("real") && put(path("real/target.css"), oldBytes));
        QVERIFY(QFile::link("middle.css", path("link.css")) &&
                QFile::link(path("real/target.css"), path("middle.css")));
        QVERIFY(QFile::link("middle2.css", path("dangling.css")) &&
                QFile::link("real/" + later, path("middle2.css")));
        for (const char *link : {"link.css", "dangling.css"})
            QCOMPARE(saved(replaceFile(path(link), newBytes)), "<saved>");
        for (const char *link : {"link.css", "middle.css", "dangling.css", "middle2.css"})
            QVERIFY2(QFileInfo(path(link)).isSymLink(), qPrintable(link));
        QCOMPARE(contents(path("real/target.css")) + contents(path("real/" + later)),
                 newBytes + newBytes);
        QCOMPARE(entries(path("real")), (QStringList{later, "target.css"}));
    }

    // In a sticky folder that everyone may write, links and files of other users are refused
    // as the kernel refuses them to the shell, to root as to anyone.
    void kernelRulesInSharedFolders()
    {
        if (::geteuid() != 0)
            QSKIP("other users' links and the link sysctls need root");
        const auto links = setSysctl("protected_symlinks", "1");
        const auto regular = setSysctl("protected_regular", "1");
        QVERIFY(QDir(m_dir->path()).mkpath("shared") && QDir(m_dir->path()).mkpath("victim") &&
                ::chmod(name(m_dir->path()), 0755) == 0 &&
                ::chmod(name(path("shared")), 01777) == 0 && put(path("victim/v.css"), oldBytes) &&
                put(path("user.css"), oldBytes) &&
                ::chown(name(path("user.css")), 65534, 65534) == 0);
        const auto plant = [&](const char *link, const QString &to, uid_t owner) {
            return QFile::link(to, path(link)) && ::lchown(name(path(link)), owner, owner) == 0;
        };
        QVERIFY(plant("shared/x.css", path("victim/v.css"), 65534) &&
                plant("shared/y.css", path("victim/new.css"), 65534) &&
                plant("shared/z.css", path("user.css"), 65533) &&
                put(path("shared/theirs.css"), oldBytes) &&
                ::chown(name(path("shared/theirs.css")), 65534, 65534) == 0);
        const QString link = "このリンクは安全のため、たどれません。";
        const std::pair<QString, QString> byRoot[] = {
            {"shared/x.css", link},
            {"shared/y.css", link},
            {"shared/theirs.css",
             "共有フォルダーにあるほかのユーザーのファイルは、安全のため上書きできません。"}};
        for (const auto &[target, reason] : byRoot)
            QCOMPARE(saved(replaceFile(path(target), newBytes)), refusal(path(target), reason));
        QCOMPARE(asOtherUser(path("state"),
                             [&] { return saved(replaceFile(path("shared/z.css"), newBytes)); }),
                 refusal(path("shared/z.css"), link));
        QCOMPARE(contents(path("victim/v.css")) + contents(path("user.css")) +
                     contents(path("shared/theirs.css")),
                 oldBytes + oldBytes + oldBytes);
        QCOMPARE(entries(path("victim")), QStringList{"v.css"});
        QVERIFY(QFileInfo(path("shared/x.css")).isSymLink());
    }

    // Another process acts at the worst moment: the name turned into a link to another file,
    // or the whole folder exchanged for one of the attacker's. Neither reaches another file.
    void racesReachNoOtherFile()
    {
        QVERIFY(QDir(m_dir->path()).mkpath("victim") && put(path("victim/v.css"), oldBytes) &&
                QDir(m_dir->path()).mkpath("mine") && QDir(m_dir->path()).mkpath("evil"));
        const QString mine = path("mine/x.css"), evil = path("evil/x.css");
        for (const SaveStep step : {SaveStep::Located, SaveStep::Written}) {
            for (const bool linked : {false, true}) {
                QVERIFY(put(mine, oldBytes) &&
                        (!linked || ::link(name(mine), name(mine + "2")) == 0));
                onSaveStep = [&](SaveStep now) {
                    if (now == step)
                        // a hard link where the protection of hard links is off
                        QVERIFY(QFile::remove(mine) &&
                                (linked ? ::link(name(path("victim/v.css")), name(mine)) == 0
                                        : QFile::link(path("victim/v.css"), mine)));
                };
                const bool reached = !linked || step == SaveStep::Located;
                QCOMPARE(
                    saved(replaceFile(mine, newBytes)),
                    reached
                        ? refusal(
                              mine,
                              "保存中に、ファイルかフォルダーがほかのものに置き換えられました。")
                        : "<saved>"); // in place, the file itself is saved
                QCOMPARE(contents(path("victim/v.css")), oldBytes);
                QVERIFY(QFile::remove(mine) && (!linked || QFile::remove(mine + "2")));
            }
        }
        // The folders exchanged after the look: the save stays with the user's own file.
        QVERIFY(put(evil, "attacker's") && makeIdentity(evil, 0666, 65534));
        const QByteArray attackers = identity(evil);
        for (const bool linked : {false, true}) {
            QVERIFY(put(mine, oldBytes) && ::chmod(name(mine), 0640) == 0 &&
                    (!linked || ::link(name(mine), name(mine + "2")) == 0));
            const QByteArray users = identity(mine);
            onSaveStep = [&](SaveStep now) {
                if (now == SaveStep::Located)
                    QVERIFY(::renameat2(AT_FDCWD, name(path("mine")), AT_FDCWD, name(path("evil")),
                                        RENAME_EXCHANGE) == 0);
            };
            QCOMPARE(saved(replaceFile(mine, newBytes)), "<saved>");
            onSaveStep = nullptr;
            QCOMPARE(contents(evil) + identity(evil), newBytes + users); // the user's, moved
            QCOMPARE(contents(mine) + identity(mine), "attacker's" + attackers);
            QVERIFY(::renameat2(AT_FDCWD, name(path("mine")), AT_FDCWD, name(path("evil")),
                                RENAME_EXCHANGE) == 0 &&
                    QFile::remove(mine) && (!linked || QFile::remove(mine + "2")));
        }
    }

    // Two rewrites of one file at once: the second is refused while the first holds the file.
    void oneRewriteAtATime()
    {
        QVERIFY(::link(name(m_file), name(path("linked.css"))) == 0);
        QString second;
        onSaveStep = [&](SaveStep now) {
            if (now == SaveStep::Copied && second.isEmpty())
                second = saved(replaceFile(path("linked.css"), "second"));
        };
        QCOMPARE(saved(replaceFile(m_file, newBytes)), "<saved>");
        QCOMPARE(second, refusal(path("linked.css"), "ファイルが使用中です。"));
        QCOMPARE(contents(m_file), newBytes);
        QCOMPARE(entries(m_dir->path()), (QStringList{"linked.css", "style.css"}));
    }

    // A save killed at any moment leaves the old text whole: renamed, in the file; rewritten in
    // place, in the file or in its copy beside it, made private.
    void survivesKills()
    {
        const QByteArray before(20 << 20, 'o'), large(64 << 20, 'n');
        const QString copy = m_file + ".corvane-old";
        const std::tuple<bool, SaveStep, bool> moments[] = {
            {false, SaveStep::Written, false},
            {true, SaveStep::Located, false},
            {true, SaveStep::Copied, false},
            {true, SaveStep::Rewriting, false},
            {true, SaveStep::Rewriting, true}}; // the last: killed during a write
        for (const auto &[inPlace, step, later] : moments) {
            QVERIFY(put(m_file, before) &&
                    (!inPlace || ::link(name(m_file), name(path("linked.css"))) == 0));
            int ready[2];
            QVERIFY(::pipe(ready) == 0);
            const pid_t child = ::fork();
            if (child == 0) {
                onSaveStep = [&](SaveStep now) {
                    if (now != step)
                        return;
                    if (!later)
                        ::raise(SIGKILL);
                    [[maybe_unused]] const auto n = ::write(ready[1], "!", 1);
                };
                ::_exit(replaceFile(m_file, large) ? 1 : 0);
            }
            ::close(ready[1]);
            char signal = 0;
            if (later && ::read(ready[0], &signal, 1) == 1)
                ::kill(child, SIGKILL);
            ::close(ready[0]);
            int status = 0;
            ::waitpid(child, &status, 0);
            QVERIFY(WIFSIGNALED(status));
            const bool copied = inPlace && step != SaveStep::Located;
            QVERIFY2(contents(m_file) == before || (copied && contents(copy) == before),
                     qPrintable(QString::number(int(step))));
            QCOMPARE(entries(m_dir->path()).size(), 1 + int(inPlace) + int(copied));
            QCOMPARE(modeOf(copy), copied ? 0600 : 0);
            QVERIFY(!copied || QFile::remove(copy));
            QVERIFY(!inPlace || QFile::remove(path("linked.css")));
        }
    }

    // A file of a terabyte, nearly all hole, rewritten in place: cheap in memory and on disk.
    void sparseOldFile()
    {
        QVERIFY(::link(name(m_file), name(path("linked.css"))) == 0 &&
                ::truncate(name(m_file), off_t(1) << 40) == 0);
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        QCOMPARE(saved(replaceFile(m_file, newBytes)), "<saved>");
        ::getrusage(RUSAGE_SELF, &after);
        QVERIFY2(after.ru_maxrss - before.ru_maxrss < 300 * 1024,
                 qPrintable(QString::number(after.ru_maxrss - before.ru_maxrss)));
        QCOMPARE(contents(path("linked.css")), newBytes);
        QCOMPARE(entries(m_dir->path()), (QStringList{"linked.css", "style.css"}));
    }

    void refusals()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("folder"));
        QVERIFY(::mkfifo(name(path("pipe")), 0644) == 0);
        QVERIFY(QFile::link("loop2", path("loop1")) && QFile::link("loop1", path("loop2")));
        QVERIFY(::link(name(m_file), name(path("linked.css"))) == 0);
        const QStringList folder = entries(m_dir->path());

        // A file-size limit, refused on every path before anything changes; and a rewrite
        // in place that it cuts short puts back what it overwrote, or else says where the old
        // bytes are.
        std::signal(SIGXFSZ, SIG_IGN); // a short write instead of the end of the process
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const auto limit = [&](rlim_t bytes) {
            const rlimit small{bytes, unlimited.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &small);
        };
        const QByteArray big(10000, 'x');
        const QString tooBig = refusal(m_file, "ファイルサイズの上限を超えます。");
        const QString fresh = path("fresh.css");
        limit(4096);
        QCOMPARE(saved(replaceFile(fresh, big)) + saved(replaceFile(m_file, big)),
                 refusal(fresh, "ファイルサイズの上限を超えます。") + tooBig);
        QCOMPARE(
            inChild([&] { return refuseUnnamedFiles() ? saved(replaceFile(fresh, big)) : ""; }),
            refusal(fresh, "ファイルサイズの上限を超えます。"));
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        onSaveStep = [&](SaveStep now) {
            if (now == SaveStep::Copied)
                limit(4096);
        };
        QCOMPARE(saved(replaceFile(m_file, big)), tooBig + "\r\nファイルは元の内容に戻しました。");
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(contents(m_file), oldBytes);
        onSaveStep = [&](SaveStep now) {
            if (now != SaveStep::Copied)
                return;
            if (!refuseCall(__NR_copy_file_range, EIO))
                ::_exit(1);
            limit(4096);
        };
        const QString copy = m_file + ".corvane-old";
        QCOMPARE(inChild([&] { return saved(replaceFile(m_file, big)); }),
                 tooBig + "\r\nファイルを元の内容に戻せませんでした。元の内容は「" + copy +
                     "」に残してあります。");
        QCOMPARE(contents(copy), oldBytes);
        QVERIFY(put(m_file, oldBytes) && QFile::remove(copy));
        onSaveStep = nullptr;

        QVERIFY(::chmod(name(m_file), 0444) == 0);
        const std::pair<QString, QString> refusals[] = {
            {"missing/style.css", "保存先のフォルダーが見つかりません。"},
            {"folder", "フォルダーや特殊なファイルには保存できません。"},
            {"folder/", "フォルダーや特殊なファイルには保存できません。"},
            {"pipe", "フォルダーや特殊なファイルには保存できません。"},
            {"loop1", "シンボリックリンクが多すぎるか、輪になっています。"},
            {QString(252, u'n') + ".css", "ファイル名が長すぎます。"},
            {"style.css", "読み取り専用のファイルです。"}};
        for (const auto &[target, reason] : refusals)
            QCOMPARE(saved(replaceFile(path(target), newBytes)), refusal(path(target), reason));
        QCOMPARE(contents(m_file), oldBytes);
        QCOMPARE(entries(m_dir->path()), folder);
    }

    // Every flush the save needs, in its order, and a failed flush keeps the old file.
    void flushesInOrder()
    {
        const QString strace = QStandardPaths::findExecutable("strace");
        if (strace.isEmpty())
            QSKIP("strace is not installed (./dev test installs it)");
        const std::pair<QString, QString> orders[] = {
            {"style.css", "pwrite64 fsync linkat renameat2 unlinkat fsync"},
            {"new.css", "pwrite64 fsync linkat fsync"},
            {"linked.css", "copy_file_range ftruncate linkat fsync fsync pwrite64 ftruncate fsync "
                           "unlinkat"}};
        for (const auto &[file, order] : orders) {
            QVERIFY(file != "linked.css" || ::link(name(m_file), name(path(file))) == 0);
            QProcess traced;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("CORVANE_TRACED_SAVE", path(file));
            env.insert("ASAN_OPTIONS", "detect_leaks=0"); // LeakSanitizer refuses to run traced
            traced.setProcessEnvironment(env);
            traced.start(strace, {"-f", "-qq", "-o", path("trace"), "-e",
                                  "trace=fsync,fdatasync,linkat,renameat2,renameat,unlinkat,"
                                  "pwrite64,ftruncate,copy_file_range",
                                  QFileInfo("/proc/self/exe").symLinkTarget(), "tracedSave"});
            QVERIFY(traced.waitForFinished() && traced.exitCode() == 0);
            // The calls between the two markers.
            QStringList calls;
            const QString trace = contents(path("trace"));
            const qsizetype from = trace.indexOf("fdatasync(-1"),
                            to = trace.lastIndexOf("fdatasync(-1");
            for (const QString &line : trace.mid(from, to - from).split('\n').mid(1))
                if (const auto m = QRegularExpression("^\\d+\\s+(\\w+)\\(").match(line);
                    m.hasMatch())
                    calls << m.captured(1);
            QCOMPARE(calls.join(' '), order);
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
        QVERIFY(contents(copy) == newBytes && QFile::remove(copy));
        QCOMPARE(contents(m_file), newBytes);
        QCOMPARE(entries(m_dir->path()),
                 (QStringList{"linked.css", "new.css", "style.css", "trace"}));
    }
    void tracedSave()
    {
        const QString target = qEnvironmentVariable("CORVANE_TRACED_SAVE");
        if (target.isEmpty())
            QSKIP("run by flushesInOrder, under strace");
        ::fdatasync(-1); // markers around the save in the trace
        const QString result = saved(replaceFile(target, newBytes));
        ::fdatasync(-1);
        QCOMPARE(result, "<saved>");
    }

    void fullAndReadOnlyDisks()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        const QString disk = path("disk");
        QVERIFY(QDir().mkdir(disk));
        if (::mount("tmpfs", name(disk), "tmpfs", 0, "size=64k") != 0)
            QSKIP("this machine refuses to mount a tmpfs");
        const auto unmount = qScopeGuard([&] { ::umount2(name(disk), MNT_DETACH); });
        const QString single = disk + "/single.css", linked = disk + "/linked.css";
        QVERIFY(put(single, oldBytes) && put(linked, oldBytes) &&
                ::link(name(linked), name(disk + "/other.css")) == 0);
        // Fills the disk, then frees one page: room for a copy of the old bytes, not the new.
        QVERIFY(!put(disk + "/filler", QByteArray(64 * 1024, 'f')) &&
                ::truncate(name(disk + "/filler"), QFileInfo(disk + "/filler").size() - 4096) == 0);
        const QStringList before = entries(disk);

        const QString targets[] = {single, linked, disk + "/new.css"};
        for (const QString &target : targets)
            QCOMPARE(saved(replaceFile(target, QByteArray(32 * 1024, 'x'))),
                     refusal(target, "ディスクの空き容量が足りません。"));
        QVERIFY(::mount(nullptr, name(disk), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
        for (const QString &target : targets)
            QCOMPARE(saved(replaceFile(target, newBytes)),
                     refusal(target, "読み取り専用の場所には保存できません。"));
        QCOMPARE(contents(single) + contents(linked), oldBytes + oldBytes);
        QCOMPARE(entries(disk), before);
    }

    // A FAT disk keeps no owner, mode or attributes, and an append-only folder gives up no
    // name: both save again and again, leaving nothing beside.
    void foldersThatKeepLess()
    {
        if (::geteuid() != 0)
            QSKIP("chattr and mounting need root");
        const QString appendOnly = path("append");
        QVERIFY(QDir().mkdir(appendOnly) && put(appendOnly + "/a.css", oldBytes));
        QVERIFY(QProcess::execute("chattr", {"+a", appendOnly}) == 0);
        const auto writable = qScopeGuard([&] { QProcess::execute("chattr", {"-a", appendOnly}); });
        const QString fat = path("fat");
        const bool mounted =
            QDir().mkdir(fat) &&
            QProcess::execute("sh", {"-c",
                                     "truncate -s 4M \"$0.img\" && mkfs.vfat \"$0.img\" && "
                                     "fusefat -o rw+ \"$0.img\" \"$0\"",
                                     fat}) == 0;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                ::umount2(name(fat), MNT_DETACH);
        });
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(saved(replaceFile(appendOnly + "/a.css", newBytes + char('0' + round))),
                     "<saved>");
            if (mounted)
                QCOMPARE(saved(replaceFile(fat + "/f.css", newBytes + char('0' + round))),
                         "<saved>");
        }
        QCOMPARE(contents(appendOnly + "/a.css"), newBytes + '1');
        QCOMPARE(entries(appendOnly), QStringList{"a.css"});
        if (!mounted)
            QSKIP(
                "fusefat or mkfs.vfat is missing (./dev test installs them), or FUSE is not here");
        QCOMPARE(contents(fat + "/f.css"), newBytes + '1');
        QCOMPARE(entries(fat), QStringList{"f.css"});
    }

    // Others' files, saved by user 65534 of group 4242 (first: writable, in a closed folder).
    void otherUsersFiles()
    {
        if (::geteuid() != 0)
            QSKIP("making other users' files needs root");
        QVERIFY(::chmod(name(m_dir->path()), 0755) == 0 && QDir(m_dir->path()).mkpath("closed") &&
                QDir(m_dir->path()).mkpath("shared") && QDir(m_dir->path()).mkpath("state") &&
                ::chown(name(path("state")), 65534, 65534) == 0 &&
                ::chown(name(path("shared")), 0, team) == 0 &&
                ::chmod(name(path("shared")), 0775) == 0);
        const std::tuple<QString, mode_t, QString> cases[] = {
            {"closed/open.css", 0666, ""},
            {"shared/team.css", 0664, ""},
            {"closed/theirs.css", 0644, "このファイルに書き込む権限がありません。"},
            {"closed/blind.css", 0620,
             "このファイルは読み取りが許可されていないため、安全に上書きできません。"},
            {"closed/new.css", 0, "このフォルダーに書き込む権限がありません。"}};
        for (const auto &[file, mode, reason] : cases) {
            const QString target = path(file);
            QVERIFY(!mode || (put(target, oldBytes) && ::chown(name(target), 0, team) == 0 &&
                              ::chmod(name(target), mode) == 0));
            const QByteArray before = identity(target);
            QCOMPARE(
                asOtherUser(path("state"), [&] { return saved(replaceFile(target, newBytes)); }),
                reason.isEmpty() ? "<saved>" : refusal(target, reason));
            QCOMPARE(identity(target), before);
            QCOMPARE(contents(target), !mode              ? "<unreadable>"
                                       : reason.isEmpty() ? newBytes
                                                          : oldBytes);
        }
        QCOMPARE(entries(path("closed")) + entries(path("shared")) + entries(path("state/corvane")),
                 (QStringList{"blind.css", "open.css", "theirs.css", "team.css"}));
        QCOMPARE(modeOf(path("state/corvane")), 0700); // where the copy of open.css was
    }

    // Root writes anywhere: ctest runs this again as user 65534, a member of group 4242.
    void ordinaryUser()
    {
        if (::geteuid() == 0)
            QSKIP("root writes anywhere");
        // A shared file keeps its group, which is not this user's own.
        QVERIFY2(::chown(name(m_file), uid_t(-1), team) == 0 && ::chmod(name(m_file), 0664) == 0,
                 "ctest runs this as a member of group 4242");
        const QByteArray before = identity(m_file);
        QCOMPARE(saved(replaceFile(m_file, newBytes)), "<saved>");
        QCOMPARE(identity(m_file), before);
        // Only others may write it: read-only to its owner.
        QVERIFY(::chmod(name(m_file), 0466) == 0);
        QCOMPARE(saved(replaceFile(m_file, newBytes)),
                 refusal(m_file, "読み取り専用のファイルです。"));
        QCOMPARE(entries(m_dir->path()), QStringList{"style.css"});
    }
};

QTEST_APPLESS_MAIN(TestAtomicFile)
#include "tst_atomic_file.moc"
