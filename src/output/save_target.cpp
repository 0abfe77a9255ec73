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

namespace corvane::output {

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

} // namespace

bool stillThere(int folder, const QByteArray &name, const struct stat &st)
{
    struct stat now {};
    return ::fstatat(folder, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(now, st);
}

std::optional<QString> locate(const QString &path, SaveTarget &target)
{
    const QByteArray given = QFile::encodeName(path);
    if (given.isEmpty())
        return failure(path, reason::notAFile);

    // A look first, which opens nothing for writing: a pipe or a device stays untouched.
    {
        const Fd look(::open(given.constData(), O_PATH | O_CLOEXEC));
        if (look) {
            if (::fstat(look.get(), &target.st) != 0)
                return failure(path, saveFailureReason(errno));
            if (!S_ISREG(target.st.st_mode))
                return failure(path, reason::notAFile);
            // A file marked read-only stays as it is, even for a user who could replace it.
            if ((target.st.st_mode & 0222) == 0)
                return failure(path, reason::readOnlyFile);
            target.exists = true;
        } else if (errno == EACCES) {
            return failure(path, denied(given, true, false, target.st));
        } else if (errno != ENOENT) {
            return failure(path, errno == EISDIR ? reason::notAFile : saveFailureReason(errno));
        }
    }

    // O_CREAT without O_EXCL is what the kernel guards in shared folders; a file not yet
    // there is made, empty, where the links lead, and taken away again below.
    target.file.reset(
        ::open(given.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!target.file) {
        if (errno == EACCES)
            return failure(path, denied(given, false, target.exists, target.st));
        return failure(path, errno == EISDIR || errno == ENXIO ? reason::notAFile
                                                               : saveFailureReason(errno));
    }
    struct stat opened {};
    if (::fstat(target.file.get(), &opened) != 0)
        return failure(path, saveFailureReason(errno));
    const bool made = !target.exists;
    if (target.exists ? !sameFile(opened, target.st)
                      : opened.st_size != 0 || opened.st_uid != ::geteuid())
        return failure(path, reason::replaced);
    if (!S_ISREG(opened.st_mode))
        return failure(path, reason::notAFile);
    target.st = opened;

    // From here on, everything is done relative to the folder that holds the file.
    QByteArray real = realPath(target.file.get());
    const bool fromKernel = !real.isEmpty();
    if (!fromKernel)
        real = given.contains('/') ? given : "./" + given;
    const qsizetype slash = real.lastIndexOf('/');
    target.name = real.mid(slash + 1);
    target.folder.reset(openFolder(slash == 0 ? QByteArray("/") : real.left(slash), fromKernel));
    const bool found = target.folder && stillThere(target.folder.get(), target.name, opened);
    if (made) {
        if (found)
            ::unlinkat(target.folder.get(), target.name.constData(), 0);
        target.file.reset(-1);
    }
    if (!found)
        return failure(path, target.folder ? reason::replaced : saveFailureReason(errno));
    return std::nullopt;
}

} // namespace corvane::output
