// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

namespace corvane::fields {

// The offers of a drop-down field and what it shows first: the entry at
// firstPosition, or firstText with no entry selected when that is -1.
struct FieldList {
    FieldList(QStringList entries, int firstPosition = -1, QString firstText = {})
        : entries(std::move(entries))
        , firstPosition(firstPosition)
        , firstText(std::move(firstText))
    {
    }

    QStringList entries;
    int firstPosition;
    QString firstText;
};

const FieldList &fontFamilies();
const FieldList &sizes(); // font size and line height alike
const FieldList &units(); // size unit and line-height unit alike
const FieldList &fontStyles();
const FieldList &fontWeights();
const FieldList &colours(); // text and background colour alike

// The entry of the font and colour lists that opens a dialog instead.
inline const QString other = QStringLiteral("その他");
inline constexpr int fontOtherPosition = 8;
inline constexpr int colourOtherPosition = 7;

// The family the font dialog returned, as CSS names it: fontconfig's generic
// aliases become CSS's generic families, any other family stays as it is.
QString cssFontFamily(const QString &family);

} // namespace corvane::fields
