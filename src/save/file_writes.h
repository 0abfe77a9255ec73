// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <sys/types.h>

namespace corvane::save {

// Writes `size` bytes at `offset`, however many calls that takes; `written` counts them.
// Returns 0 or the error (ENOSPC for a write that stops short without one).
int writeAt(int fd, const char *bytes, qsizetype size, off_t offset, qsizetype &written);

// All of `bytes` from the start of the file.
int writeAll(int fd, const QByteArray &bytes);

// Copies [start, end) of `from` into `to` at the same place, holes read as zeros.
int copyRange(int from, int to, off_t start, off_t end);

// Copies only the parts of [start, end) of `from` that hold data, so that a sparse file
// costs what it holds; the holes are left to read as zeros in `to`.
int copyData(int from, int to, off_t start, off_t end);

// Makes the file `size` bytes long. A file already that long is left alone: some file systems
// (FAT through FUSE) refuse a truncate that changes nothing. Returns 0 or the error.
int resize(int fd, off_t size);

// Flushes the entries of `folder` (open for lookups only) to the disk. A folder that may be
// written but not read (mode 0300) cannot be opened for that; flushing `named`, just named
// there, then carries its entry on journalling file systems. Returns 0 or the error.
int flushFolder(int folder, int named);

} // namespace corvane::save
