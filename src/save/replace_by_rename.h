// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "save_result.h"
#include "save_target.h"

namespace corvane::save {

struct Renamed {
    // The new file cannot take the old one's place with all the old one has (its owner, or
    // a share that will not rename over a name): nothing changed, and the file may be
    // rewritten in place instead.
    bool inPlace = false;
    // What came of the save, when it is not to be rewritten in place.
    SaveResult result;
};

// Writes `bytes` to a new file in the target's folder, unnamed while it is written where the
// file system allows, gives it what the old file has, flushes it, and only then puts it
// under the target's name, if that name still leads to the file the save started from (or,
// for a new file, to nothing). Messages speak of `path`.
Renamed replaceByRename(const QString &path, SaveTarget &target, const QByteArray &bytes);

} // namespace corvane::save
