// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replace_by_rename.h"

#include "file_identity.h"
#include "file_writes.h"
#include "save_steps.h"
#include "unnamed_file.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>

namespace corvane::output {

namespace {

QByteArray freshName()
{
    return ".corvane-" + QByteArray::number(QRandomGenerator::system()->generate64(), 36);
}

// Puts `from` under the name `to` when `to` is still the file `st` (or, for a new file,
// when there is none): exchanged, checked and exchanged back if it was not, so that no
// moment lies between the check and the change.
Renamed putInPlace(const SaveTarget &target, const QByteArray &from)
{
    const int dir = target.folder.get();
    const char *to = target.name.constData();
    const unsigned flags = target.exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (::renameat2(dir, from.constData(), dir, to, flags) == 0) {
        if (target.exists && !stillThere(dir, from, target.st)) {
            ::renameat2(dir, from.constData(), dir, to, RENAME_EXCHANGE);
            return {0, false, true};
        }
        if (target.exists)
            ::unlinkat(dir, from.constData(), 0);
        return {};
    }
    if (errno == EEXIST)
        return {0, false, true};
    if (errno != EINVAL)
        return {errno, cannotKeep(errno)};
    // A file system that cannot exchange (FUSE, some network ones): check, then rename.
    struct stat now {};
    if (target.exists ? !stillThere(dir, target.name, target.st)
                      : ::fstatat(dir, to, &now, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT)
        return {0, false, true};
    if (::renameat(dir, from.constData(), dir, to) != 0)
        return {errno, cannotKeep(errno)};
    return {};
}

} // namespace

Renamed replaceByRename(const SaveTarget &target, const QByteArray &bytes)
{
    const int dir = target.folder.get();
    // A new file gets the mode the folder gives it (umask or default ACL); a
    // replacing one is private until it carries the old file's attributes.
    const mode_t mode = target.exists ? 0600 : 0666;
    QByteArray named; // stays empty while the file has no name
    Fd file(::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (!file && noUnnamedFiles(errno)) {
        // A file system without unnamed files: a short name that does not grow
        // with the target's, so every name the folder takes can be saved.
        for (int attempt = 0; attempt < 100; ++attempt) {
            named = freshName();
            file.reset(
                ::openat(dir, named.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            if (file || errno != EEXIST)
                break;
        }
    }
    if (!file)
        return {errno, target.exists && cannotKeep(errno)};

    const auto fail = [&](Renamed outcome) {
        if (!named.isEmpty())
            ::unlinkat(dir, named.constData(), 0);
        return outcome;
    };
    if (const int e = writeAll(file.get(), bytes))
        return fail({e});
    if (target.exists)
        if (const int e = copyIdentity(target.file.get(), target.st, file.get()))
            return fail({e, cannotKeep(e)});
    if (::fsync(file.get()) != 0)
        return fail({errno});
    reach(SaveStep::Written);

    if (named.isEmpty()) {
        int e = EEXIST;
        for (int attempt = 0; attempt < 100 && e == EEXIST; ++attempt)
            e = linkInto(file.get(), dir, named = freshName());
        if (e) {
            named.clear();
            return {e};
        }
    }
    const Renamed put = putInPlace(target, named);
    if (put.error || put.replaced)
        return fail(put);
    return {};
}

} // namespace corvane::output
