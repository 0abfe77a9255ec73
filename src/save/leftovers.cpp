// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "leftovers.h"

#include "file_descriptor.h"
#include "save_target.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace corvane::save {

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
    // Looked at before it is opened: opening a device or a pipe may do something.
    struct stat st {};
    if (::fstatat(folder, entry.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode) || st.st_uid != owner)
        return false;
    const Fd file(::openat(folder, entry.constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (!file || ::fstat(file.get(), &opened) != 0 || opened.st_ino != st.st_ino ||
        opened.st_dev != st.st_dev || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    return stillThere(folder, entry, opened) == Seen::Same &&
           ::unlinkat(folder, entry.constData(), 0) == 0;
}

int takeName(int folder, const QByteArray &name, Leftover kind, uid_t owner,
             const std::function<int(const QByteArray &)> &take, QByteArray &taken)
{
    for (int n = 1; n <= namesOfAKind; ++n) {
        const QByteArray entry = leftoverName(name, kind, n);
        int e = take(entry);
        if (e == EEXIST && kind == Leftover::NewFile && removeIfLeft(folder, entry, owner))
            e = take(entry);
        if (e == 0)
            taken = entry;
        if (e != EEXIST)
            return e;
    }
    return EEXIST;
}

QByteArrayList leftoverNames(const QByteArray &name)
{
    QByteArrayList names;
    for (const Leftover kind : {Leftover::NewFile, Leftover::OldCopy})
        for (int n = 1; n <= namesOfAKind; ++n)
            names << leftoverName(name, kind, n);
    return names;
}

quint32 presentNames(int folder, const QByteArrayList &names)
{
    const quint32 all = (quint32(1) << names.size()) - 1;
    // Read straight from the kernel: opendir() would ask a share for the folder's attributes.
    const Fd listed(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listed)
        return all;
    quint32 present = 0;
    alignas(dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t size = ::getdents64(listed.get(), buffer, sizeof buffer);
        if (size == 0)
            return present;
        if (size < 0) // a reading cut short may have missed one
            return all;
        for (ssize_t at = 0; at < size;) {
            const auto *entry = reinterpret_cast<const dirent64 *>(buffer + at);
            const qsizetype i = names.indexOf(QByteArrayView(entry->d_name));
            if (i >= 0)
                present |= quint32(1) << i;
            at += entry->d_reclen;
        }
    }
}

QByteArrayList namesIn(const QByteArrayList &names, quint32 present)
{
    QByteArrayList found;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (present & (quint32(1) << i))
            found << names.at(i);
    return found;
}

QByteArrayList findLeftovers(int folder, const QByteArray &name)
{
    const QByteArrayList names = leftoverNames(name);
    return namesIn(names, presentNames(folder, names));
}

void clearLeftovers(int folder, const QByteArrayList &found, uid_t owner)
{
    for (const QByteArray &entry : found)
        removeIfLeft(folder, entry, owner);
}

} // namespace corvane::save
