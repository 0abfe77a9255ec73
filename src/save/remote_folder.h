// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace corvane::save {

// Whether the open folder `folder` is on a file system that another program serves, over a
// network or through FUSE (sshfs, GNOME's SMB mounts, NFS, SMB): there every call the save
// makes may be a round trip. Read from the kernel's table of mounts, which asks no server.
bool servedElsewhere(int folder);

} // namespace corvane::save
