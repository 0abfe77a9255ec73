// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "old_copy.h"

#include "file_writes.h"
#include "unnamed_file.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

namespace corvane::output {

namespace {

// The user's own folder for copies: made private, and refused unless it is.
int privateFolder()
{
    QByteArray base = qgetenv("XDG_STATE_HOME");
    if (!base.startsWith('/'))
        base = qgetenv("HOME") + "/.local/state";
    if (!base.startsWith('/'))
        return -(errno = ENOENT);
    const QByteArray path = base + "/corvane";
    for (qsizetype at = path.indexOf('/', 1); at != -1; at = path.indexOf('/', at + 1))
        ::mkdir(path.left(at).constData(), 0700);
    ::mkdir(path.constData(), 0700);
    const int fd = ::open(path.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 077))) {
        ::close(fd);
        errno = EACCES;
        return -1;
    }
    return fd;
}

int flushFolder(int folder)
{
    const Fd readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return readable && ::fsync(readable.get()) == 0 ? 0 : errno;
}

// "NAME.corvane-old", then "NAME.corvane-old2" and on: an earlier copy is never replaced.
QByteArray copyName(const QByteArray &name, int n)
{
    const QByteArray suffix = ".corvane-old" + (n > 1 ? QByteArray::number(n) : QByteArray());
    return name.left(NAME_MAX - suffix.size()) + suffix;
}

// Gives the unnamed file `fd` the first free copy name in `folder`.
int nameCopy(int fd, int folder, const QByteArray &name, QByteArray &given)
{
    for (int n = 1; n < 100; ++n) {
        given = copyName(name, n);
        if (const int e = linkInto(fd, folder, given); e != EEXIST)
            return e;
    }
    given.clear();
    return EEXIST;
}

// Where unnamed files are missing, the copy is made under its name: a kill while it is
// written leaves a part of it beside a file that is still whole.
int createNamed(int folder, const QByteArray &name, QByteArray &given)
{
    for (int n = 1; n < 100; ++n) {
        given = copyName(name, n);
        const int fd = ::openat(folder, given.constData(),
                                O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    given.clear();
    return -(errno = EEXIST);
}

} // namespace

int OldCopy::make(int file, off_t size, int folder, const QByteArray &name, bool beside)
{
    m_size = size;
    m_folder.reset(beside ? ::fcntl(folder, F_DUPFD_CLOEXEC, 0) : privateFolder());
    if (m_folder)
        m_copy.reset(::openat(m_folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    const bool unnamed = bool(m_copy);
    if (!m_copy && noUnnamedFiles(errno)) {
        if (beside) // a folder without unnamed files
            return make(file, size, folder, name, false);
        m_copy.reset(createNamed(m_folder.get(), name, m_name));
    }
    if (!m_copy)
        return errno;
    if (const int e = copyData(file, m_copy.get(), 0, size))
        return e;
    if (::ftruncate(m_copy.get(), size) != 0)
        return errno;
    // Named before it is flushed: the file itself is still whole until both flushes are
    // done, and on most file systems the first flush then carries the name with it.
    if (unnamed)
        if (const int e = nameCopy(m_copy.get(), m_folder.get(), name, m_name))
            return e;
    if (::fsync(m_copy.get()) != 0)
        return errno;
    const QString where = QFile::symLinkTarget(QFile::decodeName(procPath(m_folder.get())));
    m_path = QDir::toNativeSeparators(QDir(where).filePath(QFile::decodeName(m_name)));
    return flushFolder(m_folder.get());
}

int OldCopy::restore(int file, off_t changed, off_t cutTo) const
{
    const off_t head = std::min(changed, m_size);
    if (const int e = copyRange(m_copy.get(), file, 0, head))
        return e;
    if (cutTo < m_size) {
        // Cut and grown again, the tail reads as zeros: only its data need come back.
        if (::ftruncate(file, cutTo) != 0 || ::ftruncate(file, m_size) != 0)
            return errno;
        if (const int e = copyData(m_copy.get(), file, std::max(head, cutTo), m_size))
            return e;
    }
    return ::ftruncate(file, m_size) == 0 && ::fsync(file) == 0 ? 0 : errno;
}

void OldCopy::remove()
{
    if (!m_name.isEmpty())
        ::unlinkat(m_folder.get(), m_name.constData(), 0);
    m_name.clear();
}

} // namespace corvane::output
