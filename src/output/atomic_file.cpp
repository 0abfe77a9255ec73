// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atomic_file.h"

#include "file_identity.h"
#include "replace_by_rename.h"
#include "rewrite_in_place.h"
#include "save_failure.h"
#include "save_steps.h"
#include "save_target.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>

namespace corvane::output {

namespace {

// A folder marked append-only takes new names but gives none up: a temporary file
// named there could never be removed.
bool onlyGrows(const Fd &readable)
{
    int flags = 0;
    return readable && ::ioctl(readable.get(), FS_IOC_GETFLAGS, &flags) == 0 &&
           (flags & FS_APPEND_FL);
}

} // namespace

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    SaveTarget target;
    if (auto refused = locate(path, target))
        return refused;
    reach(SaveStep::Located);

    const int dir = target.folder.get();
    // Opened for reading: its flags are read, and it is flushed. (A folder that may not be
    // read has neither done.)
    const Fd readable(::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const bool folderWritable = ::faccessat(dir, ".", W_OK | X_OK, AT_EACCESS) == 0;
    const int folderError = errno;
    if (!target.exists && !folderWritable)
        return failure(path, folderError == EACCES ? reason::deniedFolder
                                                   : saveFailureReason(folderError));
    const bool newNames = folderWritable && !onlyGrows(readable);

    // Renaming would split hard links, or give the file this user's identity.
    if (target.exists && (target.st.st_nlink > 1 || !newNames || !mayOwn(target.st)))
        return rewriteInPlace(path, target, newNames, bytes);
    const Renamed renamed = replaceByRename(target, bytes);
    if (renamed.keepFailed)
        return rewriteInPlace(path, target, newNames, bytes);
    if (renamed.replaced)
        return failure(path, reason::replaced);
    if (renamed.error)
        return failure(path, renamed.error == EACCES && !target.exists
                                 ? reason::deniedFolder
                                 : saveFailureReason(renamed.error));

    // The new name is durable once the folder itself reaches the disk.
    if (readable)
        ::fsync(readable.get());
    return std::nullopt;
}

} // namespace corvane::output
