// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "file_writes.h"

#include "file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::save {

int writeAt(int fd, const char *bytes, qsizetype size, off_t offset, qsizetype &written)
{
    written = 0;
    while (written < size) {
        const ssize_t n =
            ::pwrite(fd, bytes + written, std::size_t(size - written), offset + off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        written += n;
    }
    return 0;
}

int writeAll(int fd, const QByteArray &bytes)
{
    qsizetype written = 0;
    return writeAt(fd, bytes.constData(), bytes.size(), 0, written);
}

int copyRange(int from, int to, off_t start, off_t end)
{
    // The kernel copies without a trip through this process; where it cannot (another
    // file system, an old kernel), a small buffer does, whatever the file's size.
    while (start < end) {
        loff_t in = start, out = start;
        const ssize_t n = ::copy_file_range(from, &in, to, &out,
                                            std::size_t(std::min<off_t>(end - start, 1 << 30)), 0);
        if (n > 0) {
            start += n;
            continue;
        }
        if (n == 0)
            return ENODATA; // the file is shorter than it was
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return errno;
        char buffer[64 * 1024];
        while (start < end) {
            const ssize_t got = ::pread(
                from, buffer, std::size_t(std::min<off_t>(end - start, sizeof buffer)), start);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return got < 0 ? errno : ENODATA;
            qsizetype written = 0;
            if (const int e = writeAt(to, buffer, got, start, written))
                return e;
            start += got;
        }
    }
    return 0;
}

int copyData(int from, int to, off_t start, off_t end)
{
    while (start < end) {
        const off_t data = ::lseek(from, start, SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            return 0; // nothing but a hole to the end
        if (data < 0) // a file system that cannot tell: all of it is data
            return copyRange(from, to, start, end);
        if (data >= end)
            return 0;
        const off_t hole = std::min(::lseek(from, data, SEEK_HOLE), end);
        if (hole < 0)
            return copyRange(from, to, data, end);
        if (const int e = copyRange(from, to, data, hole))
            return e;
        start = hole;
    }
    return 0;
}

int resize(int fd, off_t size)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    return st.st_size == size || ::ftruncate(fd, size) == 0 ? 0 : errno;
}

int flushFolder(int folder, int named)
{
    const Fd readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!readable && errno != EACCES)
        return errno;
    return ::fsync(readable ? readable.get() : named) == 0 ? 0 : errno;
}

} // namespace corvane::save
