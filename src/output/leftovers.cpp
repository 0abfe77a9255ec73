// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "leftovers.h"

#include "file_descriptor.h"
#include "save_target.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace corvane::output {

QByteArray leftoverName(const QByteArray &name, Leftover kind, int n)
{
    const QByteArray prefix = kind == Leftover::NewFile ? "." : "";
    const QByteArray suffix = (kind == Leftover::NewFile ? ".corvane-new" : ".corvane-old") +
                              (n > 1 ? QByteArray::number(n) : QByteArray());
    qsizetype cut = std::min<qsizetype>(name.size(), NAME_MAX - prefix.size() - suffix.size());
    // Never inside a character: a UTF-8 continuation byte is 10xxxxxx.
    while (cut < name.size() && cut > 0 && (uchar(name.at(cut)) & 0xC0) == 0x80)
        --cut;
    return prefix + name.left(cut) + suffix;
}

void markInUse(int fd)
{
    // A file system without locks leaves its leftovers until a save can tell they are left.
    ::flock(fd, LOCK_EX | LOCK_NB);
}

bool removeIfLeft(int folder, const QByteArray &entry, uid_t owner)
{
    const Fd file(::openat(folder, entry.constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!file || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != owner ||
        ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    return stillThere(folder, entry, st) == Seen::Same &&
           ::unlinkat(folder, entry.constData(), 0) == 0;
}

int takeNewName(int folder, const QByteArray &name, uid_t owner,
                const std::function<int(const QByteArray &)> &take, QByteArray &taken)
{
    for (int n = 1; n <= leftoverNames; ++n) {
        const QByteArray entry = leftoverName(name, Leftover::NewFile, n);
        int e = take(entry);
        if (e == EEXIST && removeIfLeft(folder, entry, owner))
            e = take(entry);
        if (e == 0)
            taken = entry;
        if (e != EEXIST)
            return e;
    }
    return EEXIST;
}

void clearLeftovers(int folder, const QByteArray &name, uid_t owner)
{
    for (const Leftover kind : {Leftover::NewFile, Leftover::OldCopy}) {
        for (int n = 1; n <= leftoverNames; ++n) {
            const QByteArray entry = leftoverName(name, kind, n);
            struct stat st {};
            if (::fstatat(folder, entry.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                removeIfLeft(folder, entry, owner);
        }
    }
}

} // namespace corvane::output
