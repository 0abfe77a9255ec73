// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "file_descriptor.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/stat.h>

namespace corvane::output {

// The file a save replaces, found by the kernel's own path lookup, so that every rule it
// applies to links and shared folders applies to the save too, and held open from then on.
struct SaveTarget {
    Fd folder; // the folder that really holds the file, opened for lookups only
    QByteArray name;
    Fd file; // the file, open for writing; closed when it did not exist yet
    struct stat st {};
    bool exists = false;
};

// Opens `path` as `echo > path` would, then the folder that holds what it reached. A
// chain of links to a file not yet there yields that file's folder and name. On
// failure, the reason for the user; nothing is left behind.
std::optional<QString> locate(const QString &path, SaveTarget &target);

// Whether `name` in `folder` is still the file `st` describes.
bool stillThere(int folder, const QByteArray &name, const struct stat &st);

} // namespace corvane::output
