// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "save_target.h"

#include "save_failure.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>

namespace corvane::save {

namespace {

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Why the kernel said no to `given`: while looking, a link it will not follow or a
// folder that may not be searched; while opening, another user's file in a shared
// folder, the file's permissions, or (for a new file) the folder's.
QString denied(const QByteArray &given, bool looking, bool exists, const struct stat &st)
{
    struct stat own {};
    if (looking)
        return ::lstat(given.constData(), &own) == 0 && S_ISLNK(own.st_mode)
                   ? reason::link
                   : saveFailureReason(EACCES);
    if (!exists)
        return reason::deniedFolder;
    if (::faccessat(AT_FDCWD, given.constData(), W_OK, AT_EACCESS) == 0)
        return reason::othersFile;
    return ::geteuid() == st.st_uid ? reason::readOnlyFile : reason::deniedFile;
}

// Where the open file really is, as the kernel names it; empty when /proc is missing.
QByteArray realPath(int fd)
{
    QByteArray real(PATH_MAX, Qt::Uninitialized);
    const ssize_t length =
        ::readlink(procPath(fd).constData(), real.data(), std::size_t(real.size()));
    if (length <= 0 || length == real.size() || real.at(0) != '/')
        return {};
    real.truncate(length);
    return real;
}

// A folder by a path that must hold no link: one seen just now through /proc.
int openFolder(const QByteArray &path, bool real)
{
    if (real) {
        open_how how{};
        how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
        how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        const long fd = ::syscall(SYS_openat2, AT_FDCWD, path.constData(), &how, sizeof how);
        if (fd >= 0 || errno != ENOSYS)
            return int(fd);
    }
    return ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// Where a new name goes: the folder as the kernel finds it, links in the folder's part
// followed as it follows them.
std::optional<SaveResult> locateNew(const QString &path, const QByteArray &given,
                                    SaveTarget &target)
{
    const qsizetype slash = given.lastIndexOf('/');
    target.name = given.mid(slash + 1);
    if (target.name.isEmpty())
        return SaveResult::refused(path, reason::notAFile);
    target.folder.reset(::open(slash < 0    ? "."
                               : slash == 0 ? "/"
                                            : given.left(slash).constData(),
                               O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!target.folder)
        return SaveResult::refused(path, errno == EACCES ? denied(given, true, false, target.st)
                                                         : saveFailureReason(errno));
    return std::nullopt;
}

// Looks at `given` without opening it for writing, so that a pipe or a device stays
// untouched. The name itself is looked at first, unfollowed: where it is no link, that one
// look is all a share is asked. Returns the open look, or -1 with errno; `link` says whether
// the name is a link that was followed.
int look(const QByteArray &given, struct stat &st, bool &link)
{
    const auto opened = [&](int flags) {
        Fd found(::open(given.constData(), flags | O_PATH | O_CLOEXEC));
        if (found && ::fstat(found.get(), &st) != 0)
            found.reset(-1);
        return found.release();
    };
    Fd found(opened(O_NOFOLLOW));
    if (found && S_ISLNK(st.st_mode)) {
        link = true;
        found.reset(opened(0));
    }
    return found.release();
}

} // namespace

Seen stillThere(int folder, const QByteArray &name, const struct stat &st)
{
    struct stat now {};
    if (::fstatat(folder, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0)
        return sameFile(now, st) ? Seen::Same : Seen::Other;
    return errno == ENOENT ? Seen::Other : Seen::Error;
}

int removeMade(const SaveTarget &target)
{
    switch (stillThere(target.folder.get(), target.name, target.st)) {
    case Seen::Same:
        return ::unlinkat(target.folder.get(), target.name.constData(), 0) == 0 ? 0 : errno;
    case Seen::Other: // no longer the save's to remove
        return 0;
    case Seen::Error:
        break;
    }
    return errno;
}

std::optional<SaveResult> locate(const QString &path, SaveTarget &target)
{
    const QByteArray given = QFile::encodeName(path);
    if (given.isEmpty())
        return SaveResult::refused(path, reason::notAFile);

    bool link = false;
    if (const Fd looked(look(given, target.st, link)); looked) {
        if (!S_ISREG(target.st.st_mode))
            return SaveResult::refused(path, reason::notAFile);
        // A file marked read-only stays as it is, even for a user who could replace it.
        if ((target.st.st_mode & 0222) == 0)
            return SaveResult::refused(path, reason::readOnlyFile);
        target.exists = true;
    } else if (errno == EACCES) {
        return SaveResult::refused(path, denied(given, true, false, target.st));
    } else if (errno != ENOENT) {
        return SaveResult::refused(path,
                                   errno == EISDIR ? reason::notAFile : saveFailureReason(errno));
    } else if (!link) {
        return locateNew(path, given, target);
    }

    // O_CREAT without O_EXCL is what the kernel guards in shared folders; at the end of a
    // chain of links it makes the file, empty, where the links lead.
    target.file.reset(
        ::open(given.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    // Some shares (GNOME's SMB mounts) open a file that exists for writing only to cut it
    // (O_TRUNC), which the save never does to the old file: it holds the file for reading,
    // asks whether it may write it, and replaces it by renaming. A rewrite in place is then
    // refused, as the share refuses to open the file for it.
    if (!target.file && errno == EOPNOTSUPP && target.exists) {
        target.file.reset(::open(given.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (target.file && ::faccessat(AT_FDCWD, given.constData(), W_OK, AT_EACCESS) != 0)
            target.file.reset(-1);
    }
    if (!target.file) {
        if (errno == EACCES)
            return SaveResult::refused(path, denied(given, false, target.exists, target.st));
        return SaveResult::refused(
            path, errno == EISDIR || errno == ENXIO ? reason::notAFile : saveFailureReason(errno));
    }
    struct stat opened {};
    if (::fstat(target.file.get(), &opened) != 0)
        return SaveResult::refused(path, saveFailureReason(errno));
    // Made here, the file is empty and regular. The owner it shows proves nothing: a share
    // may show one owner for every file.
    if (target.exists ? !sameFile(opened, target.st) : opened.st_size != 0)
        return SaveResult::refused(path, reason::replaced);
    if (!S_ISREG(opened.st_mode))
        return SaveResult::refused(path, reason::notAFile);
    target.made = !target.exists;
    target.st = opened;

    // From here on, everything is done relative to the folder that holds the file.
    QByteArray real = realPath(target.file.get());
    const bool fromKernel = !real.isEmpty();
    if (!fromKernel)
        real = given.contains('/') ? given : "./" + given;
    const qsizetype slash = real.lastIndexOf('/');
    target.name = real.mid(slash + 1);
    target.folder.reset(openFolder(slash == 0 ? QByteArray("/") : real.left(slash), fromKernel));
    if (!target.folder) {
        SaveResult refusal = SaveResult::refused(path, saveFailureReason(errno));
        if (target.made)
            refusal.also(leftBehind(QFile::decodeName(real)));
        return refusal;
    }
    switch (stillThere(target.folder.get(), target.name, opened)) {
    case Seen::Same:
        return std::nullopt;
    case Seen::Other:
        target.made = false; // another file stands there now, not the save's to remove
        return SaveResult::refused(path, reason::replaced);
    case Seen::Error:
        break;
    }
    SaveResult refusal = SaveResult::refused(path, saveFailureReason(errno));
    if (target.made)
        refusal.also(leftBehind(QFile::decodeName(real)));
    return refusal;
}

} // namespace corvane::save
