// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replace_file.h"

#include "replace_by_rename.h"
#include "rewrite_in_place.h"
#include "save_failure.h"
#include "save_steps.h"
#include "save_target.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace corvane::save {

namespace {

// A folder marked append-only takes new names but gives none up: a temporary file named
// there could never be removed. statx reads the mark from a descriptor for lookups, so a
// folder that may not be read (mode 0300) shows it too; what the kernel holds of the folder
// is enough, so a share is not asked again. Returns 0 or the error.
int onlyGrows(int folder, bool &grows)
{
    struct statx sx {};
    if (::statx(folder, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC,
                STATX_BASIC_STATS, &sx) != 0)
        return errno;
    grows = sx.stx_attributes & sx.stx_attributes_mask & STATX_ATTR_APPEND;
    return 0;
}

// Whether this user may make names in the open folder. Asked of the descriptor itself: a
// lookup of "." would have a share look at the folder again. The folder was searched to find
// the file, so only writing is asked: sshfs asks the server for the folder's mode to answer
// for searching.
bool mayWrite(int folder)
{
    if (::faccessat(folder, "", W_OK, AT_EACCESS | AT_EMPTY_PATH) == 0)
        return true;
    return errno == EINVAL && ::faccessat(folder, ".", W_OK, AT_EACCESS) == 0; // Linux < 5.8
}

} // namespace

SaveResult replaceFile(const QString &path, const QByteArray &bytes)
{
    SaveTarget target;
    if (auto refused = locate(path, target))
        return *refused;
    // A file made at the end of a chain of links is not left behind a refusal.
    const auto removeMade = [&](SaveResult result) {
        if (target.made && save::removeMade(target) != 0)
            result.also(leftBehind(shownPath(target.folder.get(), target.name)));
        return result;
    };
    reach(SaveStep::Located);

    const int dir = target.folder.get();
    bool grows = false;
    if (const int e = onlyGrows(dir, grows))
        return removeMade(SaveResult::refused(path, saveFailureReason(e)));
    const bool folderWritable = mayWrite(dir);
    const int folderError = errno;
    if (!target.exists && !target.made && !folderWritable)
        return SaveResult::refused(path, folderError == EACCES ? reason::deniedFolder
                                                               : saveFailureReason(folderError));
    const bool newNames = folderWritable && !grows;

    if (target.made) {
        // Made empty where the links lead: taken away again where the folder gives up names,
        // else filled in place.
        if (!newNames) {
            target.exists = true;
        } else if (const int e = save::removeMade(target)) {
            return SaveResult::refused(path, saveFailureReason(e))
                .also(leftBehind(shownPath(dir, target.name)));
        }
        target.made = false;
        target.file.reset(-1);
    }
    // Renaming would split hard links. A new file that cannot be given the old one's owner
    // (the file is another user's, as the file system shows owners) is found out by trying.
    if (target.exists && (target.st.st_nlink > 1 || !newNames))
        return rewriteInPlace(path, target, newNames, bytes);
    const Renamed renamed = replaceByRename(path, target, bytes);
    if (renamed.inPlace)
        return rewriteInPlace(path, target, newNames, bytes);
    return renamed.result;
}

} // namespace corvane::save
