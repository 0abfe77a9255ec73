// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvane::output {

// Puts `bytes` in the file at `path` whole or not at all, and keeps the file
// the user had: its owner, group, permissions, ACL and other extended
// attributes, every hard link to it, and every symbolic link that leads to it.
// On failure the result is one message for the user naming the file and the
// reason, the old file is as it was (or the message says it could not be
// restored), and nothing is left beside it.
//
// Where this process may give a new file all of that, the bytes go to an
// unnamed temporary file in the same folder, reach the disk, and only then
// take the old file's place. Elsewhere (more than one hard link, another
// user's file, a folder this user may not write) the file is rewritten in
// place, after its space is reserved and with its old bytes kept in memory.
std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes);

// Why a save failed, from the error number, in Japanese whatever the system's
// locale: strerror would speak the C locale.
QString saveFailureReason(int error);

// The last step of a rewrite in place: `bytes` over the open file `fd` at
// `path`, whose contents were `old`, truncated and flushed. When a step fails,
// what was overwritten goes back, and the message says whether that worked.
std::optional<QString> rewriteInPlace(const QString &path, int fd, const QByteArray &bytes,
                                      const QByteArray &old);

} // namespace corvane::output
