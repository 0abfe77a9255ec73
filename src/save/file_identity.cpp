// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "file_identity.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cerrno>
#include <sys/xattr.h>
#include <unistd.h>

namespace corvane::save {

namespace {

// The file system keeps no such thing, so there is nothing to keep.
bool unsupported(int error)
{
    return error == ENOSYS || error == EOPNOTSUPP;
}

int orUnsupported(int result)
{
    return result == 0 || unsupported(errno) ? 0 : errno;
}

// Extended attribute names as the kernel lists them: each ends in a zero byte.
int attributeNames(int fd, QList<QByteArray> &names)
{
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0)
            return unsupported(errno) ? 0 : errno;
        QByteArray buffer(size, Qt::Uninitialized);
        const ssize_t got = ::flistxattr(fd, buffer.data(), std::size_t(size));
        if (got < 0 && errno == ERANGE)
            continue; // changed in between
        if (got < 0)
            return errno;
        buffer.truncate(got);
        names = buffer.split('\0');
        names.removeAll(QByteArray());
        return 0;
    }
}

int copyAttributes(int from, int to)
{
    QList<QByteArray> wanted, present;
    if (const int e = attributeNames(from, wanted))
        return e;
    if (const int e = attributeNames(to, present))
        return e;
    for (const QByteArray &name : present) // inherited from the folder, say a default ACL
        if (!wanted.contains(name) && ::fremovexattr(to, name.constData()) != 0 && errno != ENODATA)
            return errno;
    for (const QByteArray &name : wanted) {
        const ssize_t size = ::fgetxattr(from, name.constData(), nullptr, 0);
        QByteArray value(std::max<ssize_t>(size, 0), Qt::Uninitialized);
        if (size < 0 || ::fgetxattr(from, name.constData(), value.data(), value.size()) != size)
            return errno;
        if (const int e = orUnsupported(
                ::fsetxattr(to, name.constData(), value.constData(), value.size(), 0)))
            return e;
    }
    return 0;
}

} // namespace

int copyIdentity(int from, const struct stat &st, int to)
{
    struct stat now {};
    if (::fstat(to, &now) != 0)
        return errno;
    if (now.st_uid != st.st_uid || now.st_gid != st.st_gid)
        if (const int e = orUnsupported(::fchown(to, st.st_uid, st.st_gid)))
            return e;
    if (const int e = copyAttributes(from, to))
        return e;
    // After the owner and the ACL: chown drops set-id bits, and this sets the ACL mask.
    return orUnsupported(::fchmod(to, st.st_mode & 07777));
}

bool cannotKeep(int error)
{
    return error == EPERM || error == EACCES || error == EXDEV || error == EBUSY;
}

} // namespace corvane::save
