// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unnamed_file.h"

#include "file_descriptor.h"

#include <cerrno>
#include <fcntl.h>

namespace corvane::save {

bool noUnnamedFiles(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

int linkInto(int fd, int dir, const QByteArray &name)
{
    if (::linkat(AT_FDCWD, procPath(fd).constData(), dir, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT)
        return errno;
    // Without /proc only a process that may read any file can name it.
    return ::linkat(fd, "", dir, name.constData(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

} // namespace corvane::save
