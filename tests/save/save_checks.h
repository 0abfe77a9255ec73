// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tests of saving share: files by name, a save's result, other processes and users,
// and system calls made to fail.
#pragma once

#include "save/save_result.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

inline const QByteArray oldBytes = "P { COLOR : red }\r\n";
inline const QByteArray newBytes = "H1 { COLOR : blue }\r\n";
constexpr gid_t team = 4242; // ctest makes the unprivileged run a member

// Runs `work` in a child process and returns what it said.
inline QString inChild(const std::function<QString()> &work)
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

// Makes `call` fail with `error` in this process; only when its argument `arg` has one of
// `flags`, if any are given.
inline bool refuseCall(int call, int error, unsigned flags = 0, int arg = 2)
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(call), 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS,
                 unsigned(offsetof(seccomp_data, args) + sizeof(__u64) * unsigned(arg))),
        // with no flags, A >= 0: always
        BPF_JUMP(BPF_JMP | (flags ? BPF_JSET : BPF_JGE) | BPF_K, flags, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | unsigned(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
    const sock_fprog program{std::size(filter), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// A file system without unnamed files: O_TMPFILE fails.
inline bool refuseUnnamedFiles()
{
    return refuseCall(__NR_openat, EOPNOTSUPP, __O_TMPFILE & ~O_DIRECTORY);
}

// Runs `work` as user 65534 of group 4242, with a private folder of its own.
inline QString asOtherUser(const QString &state, const std::function<QString()> &work)
{
    return inChild([&] {
        return ::setgroups(1, &team) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                       qputenv("XDG_STATE_HOME", QFile::encodeName(state))
                   ? work()
                   : "<setuid>";
    });
}

// Files by name; `saved` tells a save from its refusal.
inline QByteArray name(const QString &path)
{
    return QFile::encodeName(path);
}
inline QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "<unreadable>";
}
inline bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
inline QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}
inline QString saved(const corvane::save::SaveResult &result)
{
    return result.outcome() == corvane::save::SaveResult::Outcome::Saved ? "<saved>"
                                                                         : result.message();
}
inline QString refusal(const QString &target, const QString &reason)
{
    return "「" + QDir::toNativeSeparators(target) + "」に保存できませんでした。\r\n" + reason;
}
