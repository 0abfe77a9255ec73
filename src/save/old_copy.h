// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "file_descriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace corvane::save {

// A copy of a file's old bytes, on disk under a name of its own before a rewrite in place
// changes a byte, so that a kill or a power cut leaves the old text whole somewhere:
// "NAME.corvane-old" beside the file or, where the folder takes no new name, in the user's
// private folder as "DEV-INODE-NAME.corvane-old" (the file's device and inode: a name
// another file of the same name cannot take).
class OldCopy {
public:
    // Copies the bytes of `file`, described by `st` (holes stay holes), and flushes the copy
    // and its name. Returns an empty string, or why it could not, for the user.
    QString make(int file, const struct stat &st, int folder, const QByteArray &name, bool beside);
    // Puts the old bytes back into `file` where a rewrite changed them: the first `changed`
    // bytes and, if it was cut to `cutTo`, what lay beyond. Returns 0 or the error.
    int restore(int file, off_t changed, off_t cutTo) const;
    // Once the new bytes are on disk, or the old ones back. Returns 0 or the error.
    int remove();
    // Clears what killed saves of the file left beside it in `folder` (`found` there), and
    // in the private folder.
    void clearLeftovers(int folder, const QByteArrayList &found) const;
    // Where the copy is, for the user; empty while it has no name.
    QString path() const;
    // Its own name in its folder; empty while it has none.
    const QByteArray &name() const { return m_name; }

private:
    // Makes the copy in m_folder under a name for m_base: 0, EEXIST when every name is
    // taken, or the error.
    int makeIn(int file);

    Fd m_folder;
    QByteArray m_base; // the file's name, or the private folder's name for it
    QByteArray m_name; // the copy's own, once it has one
    Fd m_copy;
    off_t m_size = 0;
    uid_t m_owner = ::geteuid(); // the owner the copy shows: a share may show another
    bool m_beside = true;
};

} // namespace corvane::save
