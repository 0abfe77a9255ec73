// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "save_target.h"

namespace corvane::output {

struct Renamed {
    int error = 0;
    // The new file could not be given what the old one has; the old file is
    // untouched and may be rewritten in place instead.
    bool keepFailed = false;
    // The name no longer led to the file the save started from; nothing changed.
    bool replaced = false;
};

// Writes `bytes` to a new file in the target's folder, unnamed while it is written, gives
// it what the old file has, flushes it, and only then puts it under the target's name,
// if that name still leads to the file the save started from.
Renamed replaceByRename(const SaveTarget &target, const QByteArray &bytes);

} // namespace corvane::output
