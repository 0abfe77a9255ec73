// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/stat.h>

namespace corvane::save {

// Gives the open file `to` (described by `made`, as it was made: on a share every question is
// a round trip) what the open file `from` (described by `st`) has besides its bytes: owner
// and group, every extended attribute (the ACL among them) and no other, and the mode. What
// the file system cannot store is not kept: FAT has no owner, mode or attributes to keep.
// Returns 0 or the error.
int copyIdentity(int from, const struct stat &st, int to, const struct stat &made);

// The mode a file that is to take the place of the open file `old` (described by `st`) is
// made with, before it carries what the old one has. Where nothing but its mode says who may
// use the old file (no ACL, no security label), its own mode, but with the group given no
// more than everyone: until the new file has the old one's group, its group may be another.
// Else private (0600).
mode_t startingMode(int old, const struct stat &st);

// Errors that mean "this user cannot give a new file what the old one has".
bool cannotKeep(int error);

} // namespace corvane::save
