// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "save/replace_file.h"
#include "save/save_steps.h"
#include "save_checks.h"

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

using namespace corvane::save;

class TestReplaceFile : public QObject {
    Q_OBJECT

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
    // from an unnamed file, in place (a second link), from a named one (no O_TMPFILE); the file
    // has the longest name a folder takes, 255 bytes. A new file gets the umask's mode.
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
        // A folder whose default ACL every new file inherits: the file, which has none, keeps
        // none.
        const QString plain = path("inherits/plain.css");
        QVERIFY(QDir(m_dir->path()).mkdir("inherits") &&
                QProcess::execute("setfacl", {"-d", "-m", "u:65534:rw", path("inherits")}) == 0 &&
                put(plain, oldBytes) && QProcess::execute("setfacl", {"-b", plain}) == 0);
        const QByteArray before = identity(plain);
        QCOMPARE(saved(replaceFile(plain, newBytes)), "<saved>");
        QCOMPARE(identity(plain), before);
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
                ::_exit(saved(replaceFile(m_file, large)) == "<saved>" ? 0 : 1);
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

    // A file of a terabyte, nearly all hole, rewritten in place: cheap in memory and on disk;
    // then a large one.
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
        // Larger than one piece of a rewrite, each piece where it belongs.
        QByteArray large(9 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < large.size(); ++i)
            large[i] = char('a' + i / 4093 % 26);
        QCOMPARE(saved(replaceFile(m_file, large)), "<saved>");
        QVERIFY(contents(path("linked.css")) == large);
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
        // The file has a name of 254 bytes, three to a character: its copy's name is cut
        // between two characters, and the message names the copy as it is.
        const QString wide = path("x" + QString(83, u'あ') + ".css");
        const QString copy = path("x" + QString(80, u'あ') + ".corvane-old");
        QVERIFY(::link(name(m_file), name(wide)) == 0);
        QCOMPARE(inChild([&] { return saved(replaceFile(wide, big)); }),
                 refusal(wide, "ファイルサイズの上限を超えます。") +
                     "\r\nファイルを元の内容に戻せませんでした。元の内容は「" + copy +
                     "」に残してあります。");
        QCOMPARE(contents(copy), oldBytes);
        QVERIFY(put(m_file, oldBytes) && QFile::remove(copy) && QFile::remove(wide));
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

    // Folders that keep or show less: an append-only one gives up no name; a FAT disk keeps no
    // owner, mode or attributes and shows every file as its mounter's; a folder of mode 0300 may
    // be written but not read (and is append-only as well, once). Each file is saved new, then
    // again, by root or by user 65534, and nothing is left beside it.
    void foldersThatKeepLess()
    {
        if (::geteuid() != 0)
            QSKIP("chattr, mounting and other users need root");
        QVERIFY(::chmod(name(m_dir->path()), 0755) == 0 && QDir(m_dir->path()).mkdir("state") &&
                ::chown(name(path("state")), 65534, 65534) == 0);
        const QString fat = path("fat");
        const bool mounted = QDir().mkdir(fat) &&
                             QProcess::execute("sh", {"-c",
                                                      "truncate -s 4M \"$0.img\" && mkfs.vfat "
                                                      "\"$0.img\" && fusefat -o rw+,allow_other "
                                                      "\"$0.img\" \"$0\"",
                                                      fat}) == 0;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                ::umount2(name(fat), MNT_DETACH);
        });
        const std::tuple<QString, mode_t, bool> folders[] = {
            {"append", 0777, true}, {"closed", 0300, false}, {"closedAppend", 0300, true}};
        for (const auto &[folder, mode, appendOnly] : folders) {
            const QString linked = path(folder + "/w.css");
            QVERIFY(QDir(m_dir->path()).mkdir(folder) && put(linked, oldBytes) &&
                    ::chown(name(linked), 65534, 65534) == 0 &&
                    ::link(name(linked), name(path(folder + "/w2.css"))) == 0 &&
                    ::chown(name(path(folder)), 65534, 65534) == 0 &&
                    ::chmod(name(path(folder)), mode) == 0 &&
                    (!appendOnly || QProcess::execute("chattr", {"+a", path(folder)}) == 0));
        }
        const auto writable = qScopeGuard([&] {
            for (const auto &[folder, mode, appendOnly] : folders)
                QProcess::execute("chattr", {"-a", path(folder)});
        });
        const std::pair<QString, bool> saves[] = {
            // the file, and whether user 65534 saves it
            {"append/a.css", false},  {"append/b.css", true},       {"closed/w.css", true},
            {"closed/new.css", true}, {"closedAppend/w.css", true}, {"fat/f.css", false},
            {"fat/g.css", true}};
        for (int round = 0; round < 2; ++round) {
            for (const auto &[file, other] : saves) {
                if (!mounted && file.startsWith("fat"))
                    continue;
                const QByteArray bytes = newBytes + char('0' + round);
                const auto save = [&] {
                    return saved(replaceFile(path(file), bytes));
                };
                QCOMPARE(other ? asOtherUser(path("state"), save) : save(), "<saved>");
                QVERIFY2(contents(path(file)) == bytes, qPrintable(file));
            }
        }
        QCOMPARE(entries(path("append")), (QStringList{"a.css", "b.css", "w.css", "w2.css"}));
        QCOMPARE(entries(path("closed")) + entries(path("closedAppend")) +
                     entries(path("state/corvane")),
                 (QStringList{"new.css", "w.css", "w2.css", "w.css", "w2.css"}));
        if (!mounted)
            QSKIP(
                "fusefat or mkfs.vfat is missing (./dev test installs them), or FUSE is not here");
        QCOMPARE(entries(fat), (QStringList{"f.css", "g.css"}));
    }

    // Every leftover a killed save may leave beside the file is gone after the next save, on
    // each way a save takes, whether the folder is read in one go or not (the reading fails,
    // and each name is asked instead).
    void clearsLeftovers()
    {
        QVERIFY(put(path("single.css"), oldBytes) &&
                ::link(name(m_file), name(path("linked.css"))) == 0);
        for (const QString file : {"single.css", "linked.css", "new.css"}) {
            for (const bool listed : {true, false}) {
                for (const QString suffix : {"", "2", "3", "4"})
                    QVERIFY(put(path("." + file + ".corvane-new" + suffix), oldBytes) &&
                            put(path(file + ".corvane-old" + suffix), oldBytes));
                QCOMPARE(inChild([&] {
                             return listed || refuseCall(__NR_getdents64, EIO)
                                        ? saved(replaceFile(path(file), newBytes))
                                        : "<getdents64 not refused>";
                         }),
                         "<saved>");
                QCOMPARE(entries(m_dir->path()).filter(file + ".corvane"), QStringList());
            }
        }
        QCOMPARE(entries(m_dir->path()),
                 (QStringList{"linked.css", "new.css", "single.css", "style.css"}));
    }

    // The private folder for copies, when it cannot be used: the message names it and says why.
    // User 65534 saves a file it may write in a folder it may not.
    void privateFolderProblems()
    {
        if (::geteuid() != 0)
            QSKIP("other users need root");
        const QString target = path("closed/open.css");
        QVERIFY(::chmod(name(m_dir->path()), 0755) == 0 && QDir(m_dir->path()).mkpath("closed") &&
                put(target, oldBytes) && ::chmod(name(target), 0666) == 0);
        for (const char *state : {"open", "root", "link"})
            QVERIFY(QDir(m_dir->path()).mkpath(QString(state) + "/corvane"));
        QVERIFY(
            ::chown(name(path("open/corvane")), 65534, 65534) == 0 &&
            ::chmod(name(path("open/corvane")), 0755) == 0 && QDir(m_dir->path()).mkpath("mine") &&
            ::chown(name(path("mine")), 65534, 65534) == 0 && QDir(path("link")).rmdir("corvane") &&
            QFile::link(path("mine"), path("link/corvane")));
        const auto folder = [&](const QString &state) {
            return "古い内容の控えを置くフォルダー「" + path(state + "/corvane") + "」";
        };
        const std::pair<QByteArray, QString> cases[] = {
            // XDG_STATE_HOME, else HOME (after a comma)
            {",", "古い内容の控えを置くフォルダーが決まりません。環境変数 XDG_STATE_HOME も "
                  "HOME も、フォルダーを絶対パスで示していません。"},
            {",/nonexistent", "古い内容の控えを置くフォルダー「/nonexistent/.local/state/"
                              "corvane」を作れません。「/nonexistent」がありません。"},
            {name(path("open")) + ",", folder("open") + "はほかのユーザーにも開かれています"
                                                        "（アクセス権 755）。自分だけのもの"
                                                        "（700）にしてください。"},
            {name(path("root")) + ",", folder("root") + "はほかのユーザーのものです。"},
            {name(path("link")) + ",",
             folder("link") + "はシンボリックリンクのため、使えません。"}};
        for (const auto &[variables, reason] : cases) {
            const QByteArrayList set = variables.split(',');
            QCOMPARE(asOtherUser({},
                                 [&] {
                                     qputenv("XDG_STATE_HOME", set[0]);
                                     qputenv("HOME", set[1]);
                                     return saved(replaceFile(target, newBytes));
                                 }),
                     refusal(target, reason));
            QCOMPARE(contents(target), oldBytes);
        }
        QCOMPARE(entries(path("closed")) + entries(path("mine")) + entries(path("open/corvane")),
                 QStringList{"open.css"});
    }

    // Every name for a copy beside the file taken by another user in a shared folder: the copy
    // goes to the private folder, and the names stay theirs.
    void copyNamesTaken()
    {
        if (::geteuid() != 0)
            QSKIP("other users' files need root");
        const QString shared = path("shared"), target = shared + "/a.css";
        QVERIFY(QDir(m_dir->path()).mkdir("shared") && ::chmod(name(shared), 01777) == 0 &&
                put(target, oldBytes) && ::link(name(target), name(shared + "/b.css")) == 0);
        for (int n = 1; n < 100; ++n) {
            const QString taken = target + ".corvane-old" + (n > 1 ? QString::number(n) : "");
            QVERIFY(put(taken, "theirs") && ::chown(name(taken), 65534, 65534) == 0);
        }
        QCOMPARE(saved(replaceFile(target, newBytes)), "<saved>");
        QCOMPARE(contents(shared + "/b.css") + contents(target + ".corvane-old"),
                 newBytes + "theirs");
        QCOMPARE(entries(shared).size(), 101);
        QCOMPARE(entries(m_state->filePath("corvane")), QStringList());
    }

    // A share that will not rename over a name (EEXIST), nor exchange two (EINVAL): the file is
    // rewritten in place, with what it has, and nothing is left beside it.
    void sharesThatWillNotRenameOver()
    {
        QVERIFY(makeIdentity(m_file, 0640, ::geteuid()));
        const QByteArray before = identity(m_file);
        QCOMPARE(inChild([&] {
                     return refuseCall(__NR_renameat2, EINVAL, RENAME_EXCHANGE, 4) &&
                                    refuseCall(__NR_renameat, EEXIST)
                                ? saved(replaceFile(m_file, newBytes)) +
                                      saved(replaceFile(path("new.css"), newBytes))
                                : "<not refused>";
                 }),
                 "<saved><saved>");
        QCOMPARE(contents(m_file) + contents(path("new.css")), newBytes + newBytes);
        QCOMPARE(identity(m_file), before);
        QCOMPARE(entries(m_dir->path()), (QStringList{"new.css", "style.css"}));
    }

    // Shares without unnamed files: a new file takes its name by a second link, which never
    // replaces one (sshfs); else by a rename that does not replace (GNOME's SMB mounts); else the
    // name is checked, then taken. Each time a file made under that name meanwhile stays.
    void newNamesOnShares()
    {
        const QString target = path("new.css");
        for (const int way : {0, 1, 2}) {
            for (const bool raced : {false, true}) {
                onSaveStep = [&](SaveStep now) {
                    if (raced && now == SaveStep::Written)
                        QVERIFY(put(target, "another program's"));
                };
                QCOMPARE(inChild([&] {
                             return refuseUnnamedFiles() &&
                                            (way == 0 || refuseCall(__NR_linkat, EPERM)) &&
                                            (way < 2 || refuseCall(__NR_renameat2, EINVAL,
                                                                   RENAME_NOREPLACE, 4))
                                        ? saved(replaceFile(target, newBytes))
                                        : "<not refused>";
                         }),
                         raced ? refusal(target, "保存中に、同じ名前のファイルが作られました。")
                               : "<saved>");
                QCOMPARE(contents(target), raced ? "another program's" : newBytes);
                QCOMPARE(entries(m_dir->path()), (QStringList{"new.css", "style.css"}));
                QVERIFY(QFile::remove(target));
            }
        }
        onSaveStep = nullptr;
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

QTEST_APPLESS_MAIN(TestReplaceFile)
#include "tst_replace_file.moc"
