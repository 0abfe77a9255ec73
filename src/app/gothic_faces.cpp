// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gothic_faces.h"

#include <QFontDatabase>

namespace corvane {

QStringList gothicFaces(bool fixedPitch)
{
    // Windows faces first; on other systems the first installed Japanese Gothic.
    if (fixedPitch)
        return {QStringLiteral("ＭＳ ゴシック"),
                "MS Gothic",
                "IPAGothic",
                "Noto Sans Mono CJK JP",
                "VL Gothic",
                "TakaoGothic",
                "monospace"};
    return {QStringLiteral("ＭＳ Ｐゴシック"),
            "MS PGothic",
            "IPAPGothic",
            "Noto Sans CJK JP",
            "VL PGothic",
            "TakaoPGothic",
            "sans-serif"};
}

QString gothicFace(bool fixedPitch)
{
    // Looked up once: a font naming faces that are not installed costs a
    // fallback search in fontconfig for every widget that uses it.
    static const auto firstInstalled = [](const QStringList &candidates) {
        const QStringList installed = QFontDatabase::families();
        for (const QString &family : candidates) {
            if (installed.contains(family))
                return family;
        }
        return candidates.last(); // a generic family fontconfig always resolves
    };
    static const QString fixed = firstInstalled(gothicFaces(true));
    static const QString proportional = firstInstalled(gothicFaces(false));
    return fixedPitch ? fixed : proportional;
}

} // namespace corvane
