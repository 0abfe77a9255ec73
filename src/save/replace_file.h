// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include "save_result.h"

namespace corvane::save {

// Puts `bytes` in the file at `path` whole or not at all, and keeps the file
// the user had: its owner, group, permissions, ACL and other extended
// attributes, every hard link to it, and every symbolic link that leads to it.
// Links are followed only where the kernel itself would follow them for this
// user, and the file is held open from the first look, so that no other user
// can turn the save towards another file. On failure the result is one
// message for the user naming the file and the reason, the old file is as it
// was (or the message says where its old bytes are), and nothing is left
// beside it (or the message names what is). A save killed in its last
// microseconds may leave a file whose name the next save of the same file
// knows, and which that save clears.
//
// Where this process may give a new file all of that, the bytes go to an
// unnamed temporary file in the same folder, reach the disk, and only then
// take the old file's place. Elsewhere (more than one hard link, another
// user's file, a folder this user may not write or that only grows, a share
// that will not rename over a name) the file is rewritten in place, after a
// copy of its old bytes reached the disk.
SaveResult replaceFile(const QString &path, const QByteArray &bytes);

} // namespace corvane::save
