// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "save_failure.h"

#include "file_descriptor.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace corvane::save {

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
        return reason::readOnlyPlace;
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
    case EWOULDBLOCK:
        return QStringLiteral("ファイルが使用中です。");
    case ENOMEM:
        return QStringLiteral("メモリーが足りません。");
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return reason::notAFile;
    case ENOSYS:
    case EOPNOTSUPP:
    case EINVAL:
        return QStringLiteral("この保存先のファイルシステムは、必要な操作に対応していません。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます。");
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
    case ENOLINK:
        return QStringLiteral("保存先に接続できません。");
    case EMLINK:
        return QStringLiteral("このフォルダーにはこれ以上ファイルを作れません。");
    case EINTR:
        return QStringLiteral("保存が中断されました。");
    default:
        return QStringLiteral("書き込みに失敗しました（エラー番号 %1）。").arg(error);
    }
}

QString leftBehind(const QString &where)
{
    return QStringLiteral("「%1」は削除できずに残っています。")
        .arg(QDir::toNativeSeparators(where));
}

QString shownPath(int folder, const QByteArray &name)
{
    const QString where = QFile::symLinkTarget(QFile::decodeName(procPath(folder)));
    return QDir::toNativeSeparators(QDir(where).filePath(QFile::decodeName(name)));
}

} // namespace corvane::save
