// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "remote_folder.h"

#include <QByteArrayList>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace corvane::save {

bool servedElsewhere(int folder)
{
    struct statx sx {};
    if (::statx(folder, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC, STATX_MNT_ID,
                &sx) != 0 ||
        !(sx.stx_mask & STATX_MNT_ID))
        return false;
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return false;
    // "ID PARENT MAJOR:MINOR ROOT MOUNT OPTIONS [FIELDS...] - TYPE SOURCE OPTIONS"
    const QByteArray id = QByteArray::number(qulonglong(sx.stx_mnt_id)) + ' ';
    for (const QByteArray &line : mounts.readAll().split('\n')) {
        if (!line.startsWith(id))
            continue;
        const qsizetype dash = line.indexOf(" - ");
        const QByteArray type = dash < 0 ? QByteArray() : line.mid(dash + 3).split(' ').value(0);
        static const QByteArrayList network = {"nfs",  "nfs4", "cifs",      "smb3",  "9p",
                                               "ceph", "afs",  "glusterfs", "lustre"};
        return (type.startsWith("fuse") && type != "fuseblk") || network.contains(type);
    }
    return false;
}

} // namespace corvane::save
