// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "old_copy.h"

#include "file_writes.h"
#include "leftovers.h"
#include "private_folder.h"
#include "save_failure.h"
#include "unnamed_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace corvane::save {

QString OldCopy::make(int file, const struct stat &st, int folder, const QByteArray &name,
                      bool beside)
{
    m_size = st.st_size;
    if (beside) {
        m_folder.reset(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
        m_base = name;
        const int e = makeIn(file);
        if (e != EEXIST)
            return e ? saveFailureReason(e) : QString();
        // Every name for a copy beside the file is someone else's.
        m_copy.reset(-1);
    }
    QString problem;
    m_folder.reset(privateFolder(problem));
    if (!m_folder)
        return problem;
    m_beside = false;
    m_base = QByteArray::number(qulonglong(st.st_dev), 16) + '-' +
             QByteArray::number(qulonglong(st.st_ino), 16) + '-' + name;
    const int e = makeIn(file);
    return e ? saveFailureReason(e) : QString();
}

int OldCopy::makeIn(int file)
{
    const int folder = m_folder.get();
    m_copy.reset(::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    const bool unnamed = bool(m_copy);
    // Where unnamed files are missing, the copy is made under its name: a kill while it is
    // written leaves a part of it beside a file that is still whole, for the next save to
    // clear.
    if (!m_copy && noUnnamedFiles(errno)) {
        if (const int e = takeName(
                folder, m_base, Leftover::OldCopy, m_owner,
                [&](const QByteArray &entry) {
                    m_copy.reset(::openat(folder, entry.constData(),
                                          O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                          0600));
                    return m_copy ? 0 : errno;
                },
                m_name))
            return e;
    }
    if (!m_copy)
        return errno;
    markInUse(m_copy.get());
    struct stat made {};
    if (::fstat(m_copy.get(), &made) != 0)
        return errno;
    m_owner = made.st_uid;
    if (const int e = copyData(file, m_copy.get(), 0, m_size))
        return e;
    if (const int e = resize(m_copy.get(), m_size))
        return e;
    // Named before it is flushed: the file itself is still whole until both flushes are
    // done, and on most file systems the first flush then carries the name with it. An
    // earlier copy is never replaced.
    if (unnamed)
        if (const int e = takeName(
                folder, m_base, Leftover::OldCopy, m_owner,
                [&](const QByteArray &entry) { return linkInto(m_copy.get(), folder, entry); },
                m_name))
            return e;
    if (::fsync(m_copy.get()) != 0)
        return errno;
    return flushFolder(folder, m_copy.get());
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
    if (const int e = resize(file, m_size))
        return e;
    return ::fsync(file) == 0 ? 0 : errno;
}

int OldCopy::remove()
{
    if (m_name.isEmpty())
        return 0;
    if (::unlinkat(m_folder.get(), m_name.constData(), 0) != 0)
        return errno;
    m_name.clear();
    return 0;
}

void OldCopy::clearLeftovers(int folder, const QByteArrayList &found) const
{
    save::clearLeftovers(folder, found, m_beside ? m_owner : ::geteuid());
    if (!m_beside)
        save::clearLeftovers(m_folder.get(), findLeftovers(m_folder.get(), m_base), m_owner);
}

QString OldCopy::path() const
{
    return m_name.isEmpty() ? QString() : shownPath(m_folder.get(), m_name);
}

} // namespace corvane::save
