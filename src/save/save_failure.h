// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace corvane::save {

// Why a save failed, from the error number, in Japanese whatever the system's
// locale: strerror would speak the C locale.
QString saveFailureReason(int error);

// A line for a file the save made and could not remove.
QString leftBehind(const QString &where);

// Where `name` in the open folder `folder` is, for the user.
QString shownPath(int folder, const QByteArray &name);

// Reasons that an error number alone cannot give.
namespace reason {
inline const QString readOnlyFile = QStringLiteral("読み取り専用のファイルです。");
inline const QString readOnlyPlace = QStringLiteral("読み取り専用の場所には保存できません。");
inline const QString deniedFile = QStringLiteral("このファイルに書き込む権限がありません。");
inline const QString deniedFolder = QStringLiteral("このフォルダーに書き込む権限がありません。");
inline const QString notAFile = QStringLiteral("フォルダーや特殊なファイルには保存できません。");
inline const QString unreadable =
    QStringLiteral("このファイルは読み取りが許可されていないため、安全に上書きできません。");
inline const QString link = QStringLiteral("このリンクは安全のため、たどれません。");
inline const QString othersFile =
    QStringLiteral("共有フォルダーにあるほかのユーザーのファイルは、安全のため上書きできません。");
inline const QString replaced =
    QStringLiteral("保存中に、ファイルかフォルダーがほかのものに置き換えられました。");
} // namespace reason

} // namespace corvane::save
