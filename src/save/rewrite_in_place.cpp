// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rewrite_in_place.h"

#include "file_writes.h"
#include "leftover_search.h"
#include "old_copy.h"
#include "save_failure.h"
#include "save_steps.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/resource.h>

namespace corvane::save {

namespace {

// Written in pieces, so that a test can stop the save between two of them.
constexpr qsizetype piece = 8 << 20;

// The new bytes over the old, cut to their length and flushed; `changed` and `cutTo` say
// how far the old ones were touched.
int rewrite(int fd, const QByteArray &bytes, off_t &changed, off_t &cutTo)
{
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        qsizetype written = 0;
        const int e = writeAt(fd, bytes.constData() + at, std::min(piece, bytes.size() - at),
                              off_t(at), written);
        changed = off_t(at + written);
        if (e)
            return e;
        if (at == 0)
            reach(SaveStep::Rewriting);
    }
    if (const int e = resize(fd, off_t(bytes.size())))
        return e;
    cutTo = off_t(bytes.size());
    return ::fsync(fd) == 0 ? 0 : errno;
}

QString keptIn(const QString &copy)
{
    return QStringLiteral("元の内容は「%1」に残してあります。").arg(copy);
}

} // namespace

SaveResult rewriteInPlace(const QString &path, const SaveTarget &target, bool beside,
                          const QByteArray &bytes)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        rlim_t(bytes.size()) > limit.rlim_cur)
        return SaveResult::refused(path, saveFailureReason(EFBIG));

    const int dir = target.folder.get();
    const Fd file(
        ::openat(dir, target.name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file)
        return SaveResult::refused(path, errno == EACCES ? reason::unreadable
                                         : errno == ELOOP
                                             ? reason::replaced // a link now stands there
                                             : saveFailureReason(errno));
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        return SaveResult::refused(path, saveFailureReason(errno));
    if (st.st_dev != target.st.st_dev || st.st_ino != target.st.st_ino)
        return SaveResult::refused(path, reason::replaced);
    // One save at a time: a second one is refused rather than mixed into this one.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return SaveResult::refused(path, saveFailureReason(errno));

    OldCopy copy;
    // A copy that is no longer needed goes; one that cannot go is named to the user.
    const auto withoutCopy = [&copy](SaveResult result) {
        const QString where = copy.path();
        return copy.remove() ? result.also(leftBehind(where)) : result;
    };
    if (const QString why = copy.make(file.get(), st, dir, target.name, beside); !why.isEmpty())
        return withoutCopy(SaveResult::refused(path, why));
    // While the rewrite runs, as it makes no new name.
    LeftoverSearch leftovers(dir, target.name, copy.name());
    // A full disk shows here, before a byte of the old contents changes.
    if (const int e =
            ::posix_fallocate(file.get(), 0, off_t(std::max<qsizetype>(bytes.size(), 1)))) {
        if (resize(file.get(), st.st_size) == 0)
            return withoutCopy(SaveResult::refused(path, saveFailureReason(e)));
        return SaveResult::refused(path, saveFailureReason(e)).also(keptIn(copy.path()));
    }
    reach(SaveStep::Copied);

    off_t changed = 0, cutTo = std::numeric_limits<off_t>::max();
    const int error = rewrite(file.get(), bytes, changed, cutTo);
    if (!error) {
        const QString where = copy.path();
        const int e = copy.remove();
        copy.clearLeftovers(dir, leftovers.found());
        if (e)
            return SaveResult::savedBut(path, leftBehind(where)).also(saveFailureReason(e));
        return SaveResult::saved();
    }
    if (copy.restore(file.get(), changed, cutTo) == 0)
        return withoutCopy(SaveResult::refused(path, saveFailureReason(error))
                               .also(QStringLiteral("ファイルは元の内容に戻しました。")));
    return SaveResult::refused(path, saveFailureReason(error))
        .also(QStringLiteral("ファイルを元の内容に戻せませんでした。") + keptIn(copy.path()));
}

} // namespace corvane::save
