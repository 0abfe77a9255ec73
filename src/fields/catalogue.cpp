// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

namespace corvane::fields {

const FieldList &fontFamilies()
{
    static const FieldList list{{
        QStringLiteral("ＭＳ Ｐゴシック, Osaka"),
        QStringLiteral("ＭＳ Ｐ明朝, 細明朝体"),
        QStringLiteral("ＭＳ ゴシック, Osaka－等幅"),
        QStringLiteral("Arial, Helvetica, sans-serif"),
        QStringLiteral("Times New Roman, Times, serif"),
        // "monospace" is the generic family browsers know; "mono" would never fall back.
        QStringLiteral("Courier New, Courier, monospace"),
        QStringLiteral("Georgia, Times New Roman, Times, serif"),
        QStringLiteral("Verdana, Arial, Helvetica, sans-serif"),
        other,
    }};
    return list;
}

const FieldList &sizes()
{
    static const FieldList list{{"9", "10", "11", "12", "14", "16", "20"}};
    return list;
}

const FieldList &units()
{
    static const FieldList list{{"px", "pt", "mm", "cm", "%"}, 1};
    return list;
}

const FieldList &fontStyles()
{
    // The position, not the text, picks the CSS keyword, so the order is binding.
    static const FieldList list{{
        QStringLiteral("標準"),
        QStringLiteral("斜体(イタリック)"),
        QStringLiteral("斜体(オブリーブ)"),
    }};
    return list;
}

const FieldList &fontWeights()
{
    static const FieldList list{{
        QStringLiteral("細字"),
        QStringLiteral("標準"),
        QStringLiteral("太字"),
        QStringLiteral("特太"),
        QStringLiteral("100"),
        QStringLiteral("500"),
        QStringLiteral("900"),
    }};
    return list;
}

const FieldList &colours()
{
    static const FieldList list{
        {"red", "blue", "green", "yellow", "pink", "white", "black", other}};
    return list;
}

QString cssFontFamily(const QString &family)
{
    static const std::pair<QString, QString> generic[] = {
        {"Sans Serif", "sans-serif"}, {"Serif", "serif"}, {"Monospace", "monospace"}};
    for (const auto &[alias, css] : generic) {
        if (family == alias)
            return css;
    }
    return family;
}

} // namespace corvane::fields
