// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "file_descriptor.h"
#include "save_result.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/stat.h>

namespace corvane::save {

// The file a save replaces, found by the kernel's own path lookup, so that every rule it
// applies to links and shared folders applies to the save too, and held open from then on.
struct SaveTarget {
    Fd folder; // the folder that really holds the file, opened for lookups only
    QByteArray name;
    // The file, open for writing (for reading where a share opens a file for writing only to
    // cut it); closed when it did not exist yet.
    Fd file;
    struct stat st {};
    bool exists = false;
    // Not there until the save made it, empty, at the end of a chain of links: the save
    // removes it again or fills it, and never leaves it empty behind a refusal.
    bool made = false;
};

// Opens `path` as `echo > path` would, then the folder that holds what it reached. A
// new name needs only its folder; a chain of links to a file not yet there makes that
// file, empty, to learn where it is. On failure, the reason for the user.
std::optional<SaveResult> locate(const QString &path, SaveTarget &target);

enum class Seen {
    Same,  // the name still leads to the file
    Other, // another file, or nothing, stands there now
    Error, // it could not be seen; errno says why
};

// Whether `name` in `folder` is still the file `st` describes.
Seen stillThere(int folder, const QByteArray &name, const struct stat &st);

// Removes the file the save made at the end of a chain of links, if the name still leads to
// it. Returns 0 or the error.
int removeMade(const SaveTarget &target);

} // namespace corvane::save
