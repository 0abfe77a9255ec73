// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "save_result.h"

#include <QDir>

namespace corvane::save {

SaveResult SaveResult::refused(const QString &path, const QString &why)
{
    return {Outcome::Refused, QStringLiteral("「%1」に保存できませんでした。\r\n%2")
                                  .arg(QDir::toNativeSeparators(path), why)};
}

SaveResult SaveResult::savedBut(const QString &path, const QString &what)
{
    return {
        Outcome::SavedWithNote,
        QStringLiteral("「%1」に保存しました。\r\n%2").arg(QDir::toNativeSeparators(path), what)};
}

} // namespace corvane::save
