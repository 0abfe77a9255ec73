// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace corvane::save {

// The user's own folder for copies of old bytes that cannot go beside their file:
// $XDG_STATE_HOME/corvane, else ~/.local/state/corvane. Made, private, where it is missing;
// used only while it is a folder of this user's that no one else may open, and no link.
// Returns a descriptor for lookups (O_PATH), or -1 and, in `problem`, which folder is at
// fault and why, for the user.
int privateFolder(QString &problem);

} // namespace corvane::save
