// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

namespace corvane::save {

// Files made without a name (O_TMPFILE), so that a kill while they are written leaves
// nothing behind, and named only once they are whole.

// Whether open(O_TMPFILE) failed with `error` because the file system makes no such files.
bool noUnnamedFiles(int error);

// Gives the unnamed file `fd` the name `name` in `dir`; never replaces a name.
int linkInto(int fd, int dir, const QByteArray &name);

} // namespace corvane::save
