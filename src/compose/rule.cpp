// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rule.h"

namespace corvane::compose {

namespace {

QString fontStyleKeyword(int position)
{
    switch (position) {
    case 0:
        return QStringLiteral("normal");
    case 1:
        return QStringLiteral("italic");
    case 2:
        return QStringLiteral("oblique");
    default:
        return {};
    }
}

} // namespace

QString cssFontWeight(const QString &weight)
{
    // Browsers drop a declaration with the Japanese words; these are what they mean.
    static const std::pair<QString, QString> words[] = {
        {QStringLiteral("細字"), QStringLiteral("lighter")},
        {QStringLiteral("標準"), QStringLiteral("normal")},
        {QStringLiteral("太字"), QStringLiteral("bold")},
        {QStringLiteral("特太"), QStringLiteral("bolder")},
    };
    for (const auto &[word, keyword] : words) {
        if (weight == word)
            return keyword;
    }
    return weight;
}

QString classSelector(const QString &name)
{
    return name.startsWith(u'.') ? name : u'.' + name;
}

QString composeRule(const RuleFields &f)
{
    QString body;
    const auto declare = [&body](QStringView head, const QString &value) {
        body += head;
        body += value;
        body += QStringLiteral(" ;");
    };
    if (!f.fontFamily.isEmpty())
        declare(u" FONT-FAMILY : ", f.fontFamily);
    if (!f.fontSize.isEmpty())
        declare(u" FONT-SIZE : ", f.fontSize + f.sizeUnit);
    if (!f.fontStyle.isEmpty())
        declare(u" FONT-STYLE : ", fontStyleKeyword(f.fontStylePosition));
    if (!f.fontWeight.isEmpty())
        declare(u" FONT-WEIGHT : ", cssFontWeight(f.fontWeight));
    if (!f.colour.isEmpty())
        declare(u" COLOR : ", f.colour);
    if (!f.lineHeight.isEmpty())
        declare(u" LINE-HEIGHT : ", f.lineHeight + f.lineHeightUnit);
    if (!f.background.isEmpty())
        declare(u" BACKGROUND-COLOR : ", f.background);

    static const QString fragments[] = {
        QStringLiteral(" underline"), QStringLiteral(" overline"), QStringLiteral(" line-through"),
        QStringLiteral(" blink"),     QStringLiteral(" none"),
    };
    QString decoration;
    for (std::size_t i = 0; i < f.decorations.size(); ++i) {
        if (f.decorations[i])
            decoration += fragments[i];
    }
    if (!decoration.isEmpty())
        declare(u" TEXT-DECORATION :", decoration);

    if (body.isEmpty())
        return {};
    body.chop(1); // the last declaration ends in a blank, not " ;"
    return f.selector + QStringLiteral(" {") + body + QStringLiteral("}\r\n");
}

} // namespace corvane::compose
