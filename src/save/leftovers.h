// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <functional>
#include <sys/types.h>

namespace corvane::save {

// The names under which a save keeps a file for a moment. A save killed in that moment
// leaves it there; the next save of the same file knows it by its name and clears it.
enum class Leftover {
    // ".NAME.corvane-new": the new bytes before they take the file's place, and the old
    // file for the moment after.
    NewFile,
    // "NAME.corvane-old": the old bytes while the file is rewritten in place.
    OldCopy,
};

// How many names of each kind a file has: saves of one file at the same time each take one.
constexpr int namesOfAKind = 4;

// The `n`th name (from 1) of `kind` for the file `name`, cut on a character boundary to
// what a folder takes.
QByteArray leftoverName(const QByteArray &name, Leftover kind, int n);

// Marks the open file `fd` as in use by this save for as long as the process lives: a
// kill ends the mark with the process.
void markInUse(int fd);

// Removes `entry` from `folder` if it is a file of `owner`'s (the owner that files this
// save makes there show) that no running save holds. Returns whether it is gone.
bool removeIfLeft(int folder, const QByteArray &entry, uid_t owner);

// Takes the first free name of `kind` for the file `name` in `folder` through `take` (which
// returns 0 or the error). A new file's leftover that stands in the way, of `owner`'s, is
// cleared; an old copy is never: it may hold the only whole old text until a save succeeds.
// Returns 0 with the name in `taken`, or the error (EEXIST when every name is in use).
int takeName(int folder, const QByteArray &name, Leftover kind, uid_t owner,
             const std::function<int(const QByteArray &)> &take, QByteArray &taken);

// Every name a leftover of the file `name` may have.
QByteArrayList leftoverNames(const QByteArray &name);

// Which of `names` (at most 32) `folder` holds, found in one reading of the folder: on a share
// each name looked up is a round trip. Bit i stands for names[i]; a folder that cannot be read
// whole (mode 0300) gives them all. It allocates nothing, so that it may run on a thread of its
// own: a thread's first allocation reserves it an arena of address space that outlives it.
quint32 presentNames(int folder, const QByteArrayList &names);

// The names of `names` whose bits `present` has.
QByteArrayList namesIn(const QByteArrayList &names, quint32 present);

// The leftovers of the file `name` that `folder` holds, found in one reading of the folder.
QByteArrayList findLeftovers(int folder, const QByteArray &name);

// Removes each of `found` from `folder` that is a file of `owner`'s and that no running save
// holds.
void clearLeftovers(int folder, const QByteArrayList &found, uid_t owner);

} // namespace corvane::save
