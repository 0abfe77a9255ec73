// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replace_by_rename.h"

#include "file_identity.h"
#include "file_writes.h"
#include "leftover_search.h"
#include "leftovers.h"
#include "save_failure.h"
#include "save_steps.h"
#include "unnamed_file.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <stdio.h>
#include <sys/file.h>

namespace corvane::save {

namespace {

// One save: the new file, and the name it has while it is not yet the target.
class Replacement {
public:
    Replacement(const QString &path, SaveTarget &target)
        : m_path(path)
        , m_target(target)
        , m_dir(target.folder.get())
    {
    }
    Renamed run(const QByteArray &bytes);

private:
    int create();
    Renamed putNew();
    Renamed exchange();
    Renamed renameOver();
    Renamed done();
    // Done, its folder flushed with the error `e` (or 0).
    Renamed finish(int e);
    Renamed refused(int error) { return refused(reasonFor(error)); }
    Renamed refused(const QString &why);
    QString reasonFor(int error) const
    {
        return error == EACCES && !m_target.exists ? reason::deniedFolder
                                                   : saveFailureReason(error);
    }
    // The temporary name gone; if it cannot go, where it is, for the message.
    QString dropName();
    // Nothing changed: the file may be rewritten in place instead, unless a temporary name
    // cannot go.
    Renamed inPlaceOr(int error);

    const QString &m_path;
    SaveTarget &m_target;
    const int m_dir;
    Fd m_file;
    uid_t m_owner = ::geteuid(); // the owner files made here show, once one is made
    QByteArray m_named;          // empty while the new file has no name
    // Started once the new file is made: a folder read on a share holds up new names in it.
    std::optional<LeftoverSearch> m_leftovers;
};

int Replacement::create()
{
    // A new file gets the mode the folder gives it (umask or default ACL); a replacing one
    // lets no one more than the old file does until it carries the old file's attributes.
    const mode_t mode = m_target.exists ? startingMode(m_target.file.get(), m_target.st) : 0666;
    m_file.reset(::openat(m_dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (!m_file && noUnnamedFiles(errno))
        return takeName(
            m_dir, m_target.name, Leftover::NewFile, m_owner,
            [&](const QByteArray &entry) {
                m_file.reset(::openat(m_dir, entry.constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
                return m_file ? 0 : errno;
            },
            m_named);
    return m_file ? 0 : errno;
}

QString Replacement::dropName()
{
    if (m_named.isEmpty() || ::unlinkat(m_dir, m_named.constData(), 0) == 0)
        return {};
    return leftBehind(shownPath(m_dir, m_named));
}

Renamed Replacement::inPlaceOr(int error)
{
    ::flock(m_target.file.get(), LOCK_UN); // the rewrite takes its own lock on the file
    const QString left = dropName();
    if (left.isEmpty())
        return {true, SaveResult::saved()};
    return {false, SaveResult::refused(m_path, reasonFor(error)).also(left)};
}

Renamed Replacement::refused(const QString &why)
{
    SaveResult result = SaveResult::refused(m_path, why);
    if (const QString left = dropName(); !left.isEmpty())
        result.also(left);
    return {false, result};
}

Renamed Replacement::run(const QByteArray &bytes)
{
    if (const int e = create())
        return {m_target.exists && cannotKeep(e), SaveResult::refused(m_path, reasonFor(e))};
    markInUse(m_file.get());
    m_leftovers.emplace(m_dir, m_target.name, m_named);
    // A share may show every file as one owner's; leftovers are known by what this one shows.
    struct stat made {};
    if (::fstat(m_file.get(), &made) != 0)
        return refused(errno);
    m_owner = made.st_uid;
    if (const int e = writeAll(m_file.get(), bytes))
        return refused(e);
    if (m_target.exists) {
        if (const int e = copyIdentity(m_target.file.get(), m_target.st, m_file.get(), made)) {
            return cannotKeep(e) ? inPlaceOr(e) : refused(e);
        }
    }
    if (::fsync(m_file.get()) != 0)
        return refused(errno);
    reach(SaveStep::Written);

    if (!m_target.exists)
        return putNew();
    if (m_named.isEmpty()) {
        const int e = takeName(
            m_dir, m_target.name, Leftover::NewFile, m_owner,
            [&](const QByteArray &entry) { return linkInto(m_file.get(), m_dir, entry); }, m_named);
        if (e)
            return refused(e);
    }
    // The old file is under the temporary name for a moment: it is in use as long as this
    // save runs.
    markInUse(m_target.file.get());
    if (::renameat2(m_dir, m_named.constData(), m_dir, m_target.name.constData(),
                    RENAME_EXCHANGE) == 0)
        return exchange();
    if (errno == EINVAL) // a file system that cannot exchange (FUSE, network ones)
        return renameOver();
    const int e = errno;
    return cannotKeep(e) ? inPlaceOr(e) : refused(e);
}

// A new name is taken in one step that never replaces another.
Renamed Replacement::putNew()
{
    const char *to = m_target.name.constData();
    if (m_named.isEmpty()) {
        const int e = linkInto(m_file.get(), m_dir, m_target.name);
        return e ? refused(e) : done();
    }
    // Made under a temporary name (FUSE, network shares): given a second name, which never
    // replaces one, and the temporary name goes. The new name is flushed first and the file
    // closed: FUSE keeps an open file that loses a name under a hidden one, a round trip each.
    if (::linkat(m_dir, m_named.constData(), m_dir, to, 0) == 0) {
        const int flushed = flushFolder(m_dir, m_file.get());
        m_file.reset(-1);
        if (::unlinkat(m_dir, m_named.constData(), 0) != 0)
            return {false, SaveResult::savedBut(m_path, leftBehind(shownPath(m_dir, m_named)))
                               .also(saveFailureReason(errno))};
        m_named.clear();
        return finish(flushed);
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK)
        return refused(errno);
    // Where a file has one name only (GNOME's SMB mounts, FAT): renamed without replacing,
    // or, where even that is missing, the name is checked, then taken.
    if (::renameat2(m_dir, m_named.constData(), m_dir, to, RENAME_NOREPLACE) == 0) {
        m_named.clear();
        return done();
    }
    if (errno != EINVAL)
        return refused(errno);
    struct stat now {};
    if (::fstatat(m_dir, to, &now, AT_SYMLINK_NOFOLLOW) == 0)
        return refused(EEXIST);
    if (errno != ENOENT)
        return refused(errno);
    if (::renameat(m_dir, m_named.constData(), m_dir, to) != 0)
        return refused(errno);
    m_named.clear();
    return done();
}

// Exchanged: the old file is under the temporary name now, unless another file was put under
// the target's name meanwhile, which then goes back. No moment lies between the check and
// the change.
Renamed Replacement::exchange()
{
    switch (stillThere(m_dir, m_named, m_target.st)) {
    case Seen::Same:
        if (::unlinkat(m_dir, m_named.constData(), 0) != 0)
            return {false, SaveResult::savedBut(m_path, leftBehind(shownPath(m_dir, m_named)))
                               .also(saveFailureReason(errno))};
        m_named.clear();
        return done();
    case Seen::Other:
        errno = 0;
        break;
    case Seen::Error:
        break;
    }
    const int seen = errno;
    if (::renameat2(m_dir, m_named.constData(), m_dir, m_target.name.constData(),
                    RENAME_EXCHANGE) != 0) {
        // What stood under the target's name is under the temporary one.
        const QString where = shownPath(m_dir, m_named);
        m_named.clear();
        return {false,
                SaveResult::refused(m_path, seen ? saveFailureReason(seen) : reason::replaced)
                    .also(leftBehind(where))};
    }
    return refused(seen ? saveFailureReason(seen) : reason::replaced);
}

// Checked, then renamed: a share may refuse to rename over a name at all, and the file is
// then rewritten in place.
Renamed Replacement::renameOver()
{
    switch (stillThere(m_dir, m_target.name, m_target.st)) {
    case Seen::Same:
        break;
    case Seen::Other:
        return refused(reason::replaced);
    case Seen::Error:
        return refused(errno);
    }
    // Let go of the old file first: a FUSE file system keeps a file that is open when it
    // loses its name under a hidden one until it is closed, a round trip each on a share. The
    // save knows the file by what it saw of it.
    m_target.file.reset(-1);
    if (::renameat(m_dir, m_named.constData(), m_dir, m_target.name.constData()) == 0) {
        m_named.clear();
        return done();
    }
    const int e = errno;
    return e == EEXIST || cannotKeep(e) ? inPlaceOr(e) : refused(e);
}

// The new name is durable once the folder itself reaches the disk; a save whose folder did
// not is in place, but may not outlast a power cut.
Renamed Replacement::done()
{
    return finish(flushFolder(m_dir, m_file.get()));
}

Renamed Replacement::finish(int e)
{
    clearLeftovers(m_dir, m_leftovers->found(), m_owner);
    if (!e)
        return {false, SaveResult::saved()};
    return {false, SaveResult::savedBut(
                       m_path, QStringLiteral("ただし、保存先のフォルダーの変更をディスクに"
                                              "書き込めなかったため、停電などがあると"
                                              "前の内容に戻るおそれがあります。"))
                       .also(saveFailureReason(e))};
}

} // namespace

Renamed replaceByRename(const QString &path, SaveTarget &target, const QByteArray &bytes)
{
    return Replacement(path, target).run(bytes);
}

} // namespace corvane::save
