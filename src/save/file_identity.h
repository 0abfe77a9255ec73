// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/stat.h>

namespace corvane::save {

// Gives the open file `to` what the open file `from` (described by `st`) has besides its
// bytes: owner and group, every extended attribute (the ACL among them) and no other, and
// the mode. What the file system cannot store is not kept: FAT has no owner, mode or
// attributes to keep. Returns 0 or the error.
int copyIdentity(int from, const struct stat &st, int to);

// Errors that mean "this user cannot give a new file what the old one has".
bool cannotKeep(int error);

} // namespace corvane::save
