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

// `changed` says whether `to` had or now has any: an ACL sets the mode's group bits.
int copyAttributes(int from, int to, bool &changed)
{
    QList<QByteArray> wanted, present;
    if (const int e = attributeNames(from, wanted))
        return e;
    if (const int e = attributeNames(to, present))
        return e;
    changed = !wanted.isEmpty() || !present.isEmpty();
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

mode_t startingMode(int old, const struct stat &st)
{
    QList<QByteArray> names;
    if (attributeNames(old, names) != 0)
        return 0600;
    for (const QByteArray &name : names)
        if (name.startsWith("system.") || name.startsWith("security.")) // an ACL, a label
            return 0600;
    const mode_t others = st.st_mode & 07;
    return (st.st_mode & 0707) | (st.st_mode & (others << 3));
}

int copyIdentity(int from, const struct stat &st, int to, const struct stat &made)
{
    const bool chown = made.st_uid != st.st_uid || made.st_gid != st.st_gid;
    if (chown)
        if (const int e = orUnsupported(::fchown(to, st.st_uid, st.st_gid)))
            return e;
    bool attributes = false;
    if (const int e = copyAttributes(from, to, attributes))
        return e;
    // After the owner and the ACL: chown drops set-id bits, and this sets the ACL mask. A
    // file made with the old mode already has it: a share is not asked again.
    if (!chown && !attributes && (made.st_mode & 07777) == (st.st_mode & 07777))
        return 0;
    return orUnsupported(::fchmod(to, st.st_mode & 07777));
}

bool cannotKeep(int error)
{
    return error == EPERM || error == EACCES || error == EXDEV || error == EBUSY;
}

} // namespace corvane::save
