// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
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

// Makes this process see a file system without unnamed files: O_TMPFILE fails.
bool refuseUnnamedFiles()
{
    sock_filter filter[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
                            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
                            BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, __O_TMPFILE & ~O_DIRECTORY, 0, 1),
                            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
                            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
    const sock_fprog program{std::size(filter), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0 &&
           ::open("/tmp", O_TMPFILE | O_WRONLY, 0600) < 0 && errno == EOPNOTSUPP;
}

// Whether `child` holds a file beside `file` with some bytes in it.
bool writingBeside(pid_t child, const QString &file)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(child));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget().startsWith(QFileInfo(file).path() + '/') &&
            fd.symLinkTarget() != file && fd.size() > 0)
            return true;
    return false;
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
        tools.start(
            "sh", {"-c", "stat -c '%u:%g mode %a links %h' \"$0\" && getfattr -dhm- \"$0\"", path});
        return tools.waitForFinished() ? tools.readAllStandardOutput() : "<no tools>";
    }

    std::optional<QTemporaryDir> m_dir;
    QString m_file;

    QString path(const QString &relative) const { return m_dir->filePath(relative); }

private slots:
    void init()
    {
        m_file = m_dir.emplace().filePath("style.css");
        QVERIFY(put(m_file, oldBytes));
    }

    // Mode, ACL, attributes and (as root) another owner stay, with nothing left beside: renamed
    // from an unnamed file, in place (a second link), from a short named one (no O_TMPFILE); the
    // file has the longest name a folder takes, 255 bytes.
    void keepsWhatTheFileHas()
    {
        const QString other = path("other.css"), target = path(QString(251, u'n') + ".css");
        for (const int way : {0, 1, 2}) {
            QVERIFY(put(target, oldBytes) && ::chmod(name(target), 0640) == 0 &&
                    QProcess::execute("setfacl", {"-m", "u:65534:rw", target}) == 0 &&
                    ::setxattr(name(target), "user.corvane.note", "kept", 4, 0) == 0 &&
                    (::geteuid() != 0 || ::chown(name(target), 65534, 65534) == 0) &&
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

    void refusals()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("folder"));
        QVERIFY(::mkfifo(name(path("pipe")), 0644) == 0);
        QVERIFY(QFile::link("loop2", path("loop1")) && QFile::link("loop1", path("loop2")));
        QVERIFY(::link(name(m_file), name(path("linked.css"))) == 0);
        const QStringList folder = entries(m_dir->path());

        // A file-size limit: refused on either path before anything changes, and a rewrite in
        // place that it cuts short puts back what it overwrote.
        std::signal(SIGXFSZ, SIG_IGN); // a short write instead of the end of the process
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit small{4096, unlimited.rlim_max};
        const QByteArray big(10000, 'x');
        const int fd = ::open(name(m_file), O_RDWR), readOnly = ::open(name(m_file), O_RDONLY);
        ::setrlimit(RLIMIT_FSIZE, &small);
        const QString renamed = saved(replaceFile(m_file, big));
        const QString inPlace = saved(replaceFile(path("linked.css"), big));
        const QString cutShort = saved(rewriteInPlace(m_file, fd, big, oldBytes));
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        const QString tooLimit = refusal(m_file, "ファイルサイズの上限を超えます。");
        QCOMPARE(renamed + inPlace + cutShort,
                 tooLimit + refusal(path("linked.css"), "ファイルサイズの上限を超えます。") +
                     tooLimit + "\r\nファイルは元の内容に戻しました。");
        QCOMPARE(saved(rewriteInPlace(m_file, readOnly, big, oldBytes)), // nor truncated back
                 refusal(m_file, "書き込みに失敗しました（エラー番号 9）。") +
                     "\r\nファイルを元の内容に戻せませんでした。");
        ::close(fd);
        ::close(readOnly);
        QVERIFY(::chmod(name(m_file), 0444) == 0);
        const std::pair<QString, QString> refusals[] = {
            {"missing/style.css", "保存先のフォルダーが見つかりません。"},
            {"folder", "フォルダーや特殊なファイルには保存できません。"},
            {"pipe", "フォルダーや特殊なファイルには保存できません。"},
            {"loop1", "シンボリックリンクが多すぎるか、輪になっています。"},
            {QString(252, u'n') + ".css", "ファイル名が長すぎます。"},
            {"style.css", "読み取り専用のファイルです。"}};
        for (const auto &[target, reason] : refusals)
            QCOMPARE(saved(replaceFile(path(target), newBytes)), refusal(path(target), reason));
        QCOMPARE(contents(m_file), oldBytes);
        QCOMPARE(entries(m_dir->path()), folder);
        // The reasons no case here can bring about.
        const std::pair<int, QString> reasons[] = {
            {EACCES, "アクセスが拒否されました。"},
            {EPERM, "アクセスが拒否されました。"},
            {ENOTDIR, "保存先のフォルダーが見つかりません。"},
            {EDQUOT, "ディスクの使用量の上限に達しました。"},
            {EEXIST, "保存中に、同じ名前のファイルが作られました。"},
            {EIO, "ディスクの読み書きに失敗しました。"},
            {EBUSY, "ファイルが使用中です。"},
            {ETXTBSY, "ファイルが使用中です。"},
            {ENOMEM, "メモリーが足りません。"},
            {EINVAL, "書き込みに失敗しました（エラー番号 22）。"}};
        for (const auto &[error, text] : reasons)
            QCOMPARE(saveFailureReason(error), text);
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
        QVERIFY(!put(disk + "/filler", QByteArray(64 * 1024, 'f'))); // fills the disk
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

    void killedWhileSaving()
    {
        const QByteArray large(200 * 1000 * 1000, 'x');
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(replaceFile(m_file, large) ? 1 : 0);
        bool caught = false;
        for (int i = 0; i < 20000 && !(caught = writingBeside(child, m_file)); ++i)
            ::usleep(500);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY2(caught, "the child was never seen writing");
        QCOMPARE(entries(m_dir->path()), QStringList{"style.css"});
        QCOMPARE(contents(m_file), oldBytes);
    }

    // Others' files, saved by user 65534 of group 4242 (first: writable, in a closed folder).
    void otherUsersFiles()
    {
        if (::geteuid() != 0)
            QSKIP("making other users' files needs root");
        QVERIFY(::chmod(name(m_dir->path()), 0755) == 0 && QDir(m_dir->path()).mkpath("closed") &&
                QDir(m_dir->path()).mkpath("shared") &&
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
            QCOMPARE(inChild([&] {
                         return ::setgroups(1, &team) == 0 && ::setgid(65534) == 0 &&
                                        ::setuid(65534) == 0
                                    ? saved(replaceFile(target, newBytes))
                                    : "<setuid>";
                     }),
                     reason.isEmpty() ? "<saved>" : refusal(target, reason));
            QCOMPARE(identity(target), before);
            QCOMPARE(contents(target), !mode              ? "<unreadable>"
                                       : reason.isEmpty() ? newBytes
                                                          : oldBytes);
        }
        QCOMPARE(entries(path("closed")) + entries(path("shared")),
                 (QStringList{"blind.css", "open.css", "theirs.css", "team.css"}));
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
