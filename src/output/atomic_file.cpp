// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atomic_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace corvane::output {

namespace {

// The kernel's own limit on the links one path may pass through.
constexpr int maxLinks = 40;

const QString readOnlyFile = QStringLiteral("読み取り専用のファイルです。");
const QString readOnlyPlace = QStringLiteral("読み取り専用の場所には保存できません。");
const QString deniedFile = QStringLiteral("このファイルに書き込む権限がありません。");
const QString deniedFolder = QStringLiteral("このフォルダーに書き込む権限がありません。");
const QString notAFile = QStringLiteral("フォルダーや特殊なファイルには保存できません。");
const QString unreadable =
    QStringLiteral("このファイルは読み取りが許可されていないため、安全に上書きできません。");

} // namespace

QString saveFailureReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("保存先のフォルダーが見つかりません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case EROFS:
        return readOnlyPlace;
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限に達しました。");
    case EFBIG:
        return QStringLiteral("ファイルサイズの上限を超えます。");
    case ELOOP:
        return QStringLiteral("シンボリックリンクが多すぎるか、輪になっています。");
    case EEXIST:
        return QStringLiteral("保存中に、同じ名前のファイルが作られました。");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました。");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ファイルが使用中です。");
    case ENOMEM:
        return QStringLiteral("メモリーが足りません。");
    default:
        return QStringLiteral("書き込みに失敗しました（エラー番号 %1）。").arg(error);
    }
}

namespace {

QString failure(const QString &path, const QString &why)
{
    return QStringLiteral("「%1」に保存できませんでした。\r\n%2")
        .arg(QDir::toNativeSeparators(path), why);
}

class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd() { reset(-1); }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

// The name a save really replaces, found the way the kernel follows links:
// level by level, a relative link read from the folder that holds it.
struct Target {
    QByteArray folder;
    QByteArray name;
    bool exists = false;
    struct stat st {};
};

int resolve(QByteArray path, Target &target)
{
    for (int level = 0;; ++level) {
        if (::lstat(path.constData(), &target.st) != 0) {
            if (errno != ENOENT)
                return errno;
            break; // a chain may end in a file not yet there
        }
        target.exists = true;
        if (!S_ISLNK(target.st.st_mode))
            break;
        if (level == maxLinks)
            return ELOOP;
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(path.constData(), link.data(), std::size_t(link.size()));
        if (length < 0)
            return errno;
        if (length == link.size())
            return ENAMETOOLONG;
        link.truncate(length);
        target.exists = false;
        path = link.startsWith('/') ? link : path.left(path.lastIndexOf('/') + 1) + link;
    }
    const qsizetype slash = path.lastIndexOf('/');
    target.folder = slash == 0 ? QByteArray("/") : path.left(slash);
    target.name = path.mid(slash + 1);
    return 0;
}

bool inOwnGroups(gid_t group)
{
    if (group == ::getegid())
        return true;
    std::vector<gid_t> groups(std::size_t(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(std::size_t(std::max(::getgroups(int(groups.size()), groups.data()), 0)));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Whether a new file may be given this file's owner and group.
bool mayOwn(const struct stat &st)
{
    const uid_t self = ::geteuid();
    return self == 0 || (st.st_uid == self && inOwnGroups(st.st_gid));
}

int writeAt(int fd, const QByteArray &bytes, qsizetype &written)
{
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + written,
                                   std::size_t(bytes.size() - written), off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        written += n;
    }
    return 0;
}

int readAll(int fd, QByteArray &bytes, off_t sizeHint)
{
    bytes.resize(qsizetype(sizeHint) + 1);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(have * 2);
        const ssize_t n =
            ::pread(fd, bytes.data() + have, std::size_t(bytes.size() - have), off_t(have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        have += n;
    }
    bytes.truncate(have);
    return 0;
}

// Extended attribute names as the kernel lists them: each ends in a zero byte.
template <typename List> int attributeNames(List list, QList<QByteArray> &names)
{
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? 0 : errno;
        QByteArray buffer(size, Qt::Uninitialized);
        const ssize_t got = list(buffer.data(), std::size_t(size));
        if (got < 0 && errno == ERANGE)
            continue; // changed in between
        if (got < 0)
            return errno;
        buffer.truncate(got);
        names = buffer.split('\0');
        names.removeAll(QByteArray());
        return 0;
    }
}

// Every extended attribute of the file at `from` (its ACL among them), and no
// other, on the open file `to`.
int copyAttributes(const QByteArray &from, int to)
{
    QList<QByteArray> wanted, present;
    if (const int e = attributeNames(
            [&](char *b, std::size_t n) { return ::llistxattr(from.constData(), b, n); }, wanted))
        return e;
    if (const int e =
            attributeNames([&](char *b, std::size_t n) { return ::flistxattr(to, b, n); }, present))
        return e;
    for (const QByteArray &name : present) // inherited from the folder, say a default ACL
        if (!wanted.contains(name) && ::fremovexattr(to, name.constData()) != 0 && errno != ENODATA)
            return errno;
    for (const QByteArray &name : wanted) {
        const ssize_t size = ::lgetxattr(from.constData(), name.constData(), nullptr, 0);
        QByteArray value(std::max<ssize_t>(size, 0), Qt::Uninitialized);
        if (size < 0 ||
            ::lgetxattr(from.constData(), name.constData(), value.data(), value.size()) != size ||
            ::fsetxattr(to, name.constData(), value.constData(), value.size(), 0) != 0)
            return errno;
    }
    return 0;
}

QByteArray freshName()
{
    return ".corvane-" + QByteArray::number(QRandomGenerator::system()->generate64(), 36);
}

// Gives the unnamed file `fd` the name `name` in `dir`; never replaces a name.
int linkInto(int fd, int dir, const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), dir, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT)
        return errno;
    // Without /proc only a process that may read any file can name it.
    return ::linkat(fd, "", dir, name.constData(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

// Errors that mean "this user cannot give a new file what the old one has".
bool cannotKeep(int error)
{
    return error == EPERM || error == EACCES || error == ENOTSUP || error == EXDEV ||
           error == EBUSY;
}

struct Outcome {
    int error = 0;
    // The new file could not be given what the old one has; the old file is
    // untouched and may be rewritten in place instead.
    bool keepFailed = false;
};

Outcome replaceByRename(int dir, const Target &target, const QByteArray &bytes)
{
    // A new file gets the mode the folder gives it (umask or default ACL); a
    // replacing one is private until it carries the old file's attributes.
    const mode_t mode = target.exists ? 0600 : 0666;
    QByteArray named; // stays empty while the file has no name
    Fd file(::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (!file && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // A file system without unnamed files: a short name that does not grow
        // with the target's, so every name the folder takes can be saved.
        for (int attempt = 0; attempt < 100; ++attempt) {
            named = freshName();
            file.reset(
                ::openat(dir, named.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            if (file || errno != EEXIST)
                break;
        }
    }
    if (!file)
        return {errno, target.exists && cannotKeep(errno)};

    const auto fail = [&](int error, bool keepFailed = false) {
        if (!named.isEmpty())
            ::unlinkat(dir, named.constData(), 0);
        return Outcome{error, keepFailed};
    };
    qsizetype written = 0;
    if (const int e = writeAt(file.get(), bytes, written))
        return fail(e);
    if (target.exists) {
        struct stat now {};
        if (::fstat(file.get(), &now) != 0)
            return fail(errno);
        if ((now.st_uid != target.st.st_uid || now.st_gid != target.st.st_gid) &&
            ::fchown(file.get(), target.st.st_uid, target.st.st_gid) != 0)
            return fail(errno, cannotKeep(errno));
        if (const int e = copyAttributes(target.folder + '/' + target.name, file.get()))
            return fail(e, cannotKeep(e));
        // After the owner and the ACL: chown drops set-id bits, and this sets the ACL mask.
        if (::fchmod(file.get(), target.st.st_mode & 07777) != 0)
            return fail(errno, cannotKeep(errno));
    }
    if (::fsync(file.get()) != 0)
        return fail(errno);

    if (named.isEmpty()) {
        if (!target.exists)
            return {linkInto(file.get(), dir, target.name)};
        // A name cannot be replaced by a link: link beside it, then rename over it.
        int e = EEXIST;
        for (int attempt = 0; attempt < 100 && e == EEXIST; ++attempt)
            e = linkInto(file.get(), dir, named = freshName());
        if (e) {
            named.clear();
            return {e};
        }
    }
    if (::renameat(dir, named.constData(), dir, target.name.constData()) != 0)
        return fail(errno, cannotKeep(errno));
    return {};
}

std::optional<QString> replaceInPlace(const QString &path, int dir, const Target &target,
                                      const QByteArray &bytes)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        rlim_t(bytes.size()) > limit.rlim_cur)
        return failure(path, saveFailureReason(EFBIG));

    const Fd file(::openat(dir, target.name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    if (!file) {
        const bool readable =
            errno != EACCES || ::faccessat(dir, target.name.constData(), R_OK, AT_EACCESS) == 0;
        return failure(path, readable ? saveFailureReason(errno) : unreadable);
    }
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        return failure(path, saveFailureReason(errno));
    if (!S_ISREG(st.st_mode))
        return failure(path, notAFile);
    QByteArray old;
    if (const int e = readAll(file.get(), old, st.st_size))
        return failure(path, saveFailureReason(e));

    // A full disk shows here, before a byte of the old contents changes.
    if (const int e =
            ::posix_fallocate(file.get(), 0, off_t(std::max<qsizetype>(bytes.size(), 1)))) {
        ::ftruncate(file.get(), off_t(old.size()));
        return failure(path, saveFailureReason(e));
    }
    return rewriteInPlace(path, file.get(), bytes, old);
}

} // namespace

std::optional<QString> rewriteInPlace(const QString &path, int fd, const QByteArray &bytes,
                                      const QByteArray &old)
{
    qsizetype written = 0;
    int error = writeAt(fd, bytes, written);
    bool truncated = false;
    if (!error) {
        truncated = ::ftruncate(fd, off_t(bytes.size())) == 0;
        if (!truncated)
            error = errno;
    }
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (!error)
        return std::nullopt;

    // Only what was overwritten goes back: the rest of the old bytes never changed.
    const QByteArray touched = truncated ? old : old.left(std::min(written, old.size()));
    qsizetype back = 0;
    const bool restored = writeAt(fd, touched, back) == 0 &&
                          ::ftruncate(fd, off_t(old.size())) == 0 && ::fsync(fd) == 0;
    return failure(path, saveFailureReason(error)) +
           (restored ? QStringLiteral("\r\nファイルは元の内容に戻しました。")
                     : QStringLiteral("\r\nファイルを元の内容に戻せませんでした。"));
}

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray given = QFile::encodeName(path);
    Target target;
    if (const int e = resolve(
            given.startsWith('/') ? given : QFile::encodeName(QDir::currentPath()) + '/' + given,
            target))
        return failure(path, saveFailureReason(e));
    if ((target.exists && !S_ISREG(target.st.st_mode)) || target.name.isEmpty() ||
        target.name == "." || target.name == "..")
        return failure(path, notAFile);

    const Fd dir(::open(target.folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir)
        return failure(path, saveFailureReason(errno));
    const bool folderWritable = ::faccessat(dir.get(), ".", W_OK | X_OK, AT_EACCESS) == 0;
    const int folderError = errno;

    if (target.exists) {
        const bool own = ::geteuid() == 0 || ::geteuid() == target.st.st_uid;
        // A file marked read-only stays as it is, even for a user who could replace it.
        if ((target.st.st_mode & 0222) == 0)
            return failure(path, readOnlyFile);
        if (::faccessat(dir.get(), target.name.constData(), W_OK, AT_EACCESS) != 0)
            return failure(path, errno == EROFS    ? readOnlyPlace
                                 : errno != EACCES ? saveFailureReason(errno)
                                 : own             ? readOnlyFile
                                                   : deniedFile);
    } else if (!folderWritable) {
        return failure(path, folderError == EACCES ? deniedFolder : saveFailureReason(folderError));
    }

    // Renaming would split hard links, or give the file this user's identity.
    if (target.exists && (target.st.st_nlink > 1 || !folderWritable || !mayOwn(target.st)))
        return replaceInPlace(path, dir.get(), target, bytes);
    const Outcome renamed = replaceByRename(dir.get(), target, bytes);
    if (renamed.keepFailed)
        return replaceInPlace(path, dir.get(), target, bytes);
    if (renamed.error)
        return failure(path, renamed.error == EACCES && !target.exists
                                 ? deniedFolder
                                 : saveFailureReason(renamed.error));

    // The new name is durable once the folder itself reaches the disk.
    const Fd folder(::openat(dir.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        ::fsync(folder.get());
    return std::nullopt;
}

} // namespace corvane::output
