#include "atomic_file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::output {

namespace {

QString reason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("保存先のフォルダーが見つかりません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EROFS:
        return QStringLiteral("読み取り専用の場所には保存できません。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    default:
        return QStringLiteral("書き込みに失敗しました（%1）。").arg(qt_error_string(error));
    }
}

QString failure(const QString &path, const QString &why)
{
    return QStringLiteral("「%1」に保存できませんでした。\r\n%2")
        .arg(QDir::toNativeSeparators(path), why);
}

// The file a save really replaces: through a symbolic link, the file it points to.
QString replacedFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    if (info.exists())
        return info.canonicalFilePath();
    return info.symLinkTarget(); // a link to a file not yet there
}

bool writeAll(int fd, const QByteArray &bytes, int &error)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    const QString target = replacedFile(path);
    const QByteArray targetName = QFile::encodeName(target);
    const QString folder = QFileInfo(target).absolutePath();

    struct stat old {};
    const bool replacing = ::stat(targetName.constData(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        return failure(path, QStringLiteral("フォルダーや特殊なファイルには保存できません。"));
    if (!replacing && errno != ENOENT)
        return failure(path, reason(errno));
    // A file marked read-only stays as it is, even for a user who could replace it.
    if (replacing && ((old.st_mode & 0222) == 0 || ::access(targetName.constData(), W_OK) != 0))
        return failure(path, QStringLiteral("読み取り専用のファイルです。"));
    if (!QFileInfo(folder).isDir())
        return failure(path, reason(ENOENT));

    QByteArray temporary = QFile::encodeName(folder + u'/' + u'.' + QFileInfo(target).fileName() +
                                             QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return failure(path, reason(errno));

    mode_t mode = old.st_mode & 07777;
    if (!replacing) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    int error = 0;
    const auto step = [&error](bool done) {
        if (!done)
            error = errno;
        return done;
    };
    bool ok = writeAll(fd, bytes, error) && step(::fchmod(fd, mode) == 0) && step(::fsync(fd) == 0);
    if (::close(fd) != 0 && ok)
        ok = step(false);
    if (ok)
        ok = step(::rename(temporary.constData(), targetName.constData()) == 0);
    if (!ok) {
        ::unlink(temporary.constData());
        return failure(path, reason(error));
    }

    // The new name is durable once the folder itself reaches the disk.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}

} // namespace corvane::output
