// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "file_descriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace corvane::output {

// A copy of a file's old bytes, on disk under a name of its own before a rewrite in place
// changes a byte, so that a kill or a power cut leaves the old text whole somewhere:
// "NAME.corvane-old" beside the file, or in the user's private folder
// $XDG_STATE_HOME/corvane (~/.local/state/corvane) when the folder takes no new names.
class OldCopy {
public:
    // Copies the `size` bytes of `file` (holes stay holes) and flushes the copy and its name.
    // Returns 0 or the error.
    int make(int file, off_t size, int folder, const QByteArray &name, bool beside);
    // Puts the old bytes back into `file` where a rewrite changed them: the first `changed`
    // bytes and, if it was cut to `cutTo`, what lay beyond. Returns 0 or the error.
    int restore(int file, off_t changed, off_t cutTo) const;
    // Once the new bytes are on disk, or the old ones back.
    void remove();
    // Where the copy is, for the user.
    QString path() const { return m_path; }

private:
    Fd m_folder;
    QByteArray m_name;
    Fd m_copy;
    off_t m_size = 0;
    QString m_path;
};

} // namespace corvane::output
