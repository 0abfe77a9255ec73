// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>

namespace corvane::compose {

// The field values one rule is made of, exactly as the fields hold them.
struct RuleFields {
    QString selector;
    QString fontFamily;
    QString fontSize;
    QString sizeUnit;
    QString fontStyle;
    int fontStylePosition = -1; // the keyword follows the selected entry, not the text
    QString fontWeight;
    QString colour;
    QString lineHeight;
    QString lineHeightUnit;
    QString background;
    std::array<bool, 5> decorations{}; // underline, overline, line-through, blink, none
};

// One rule on one line, ending in CR LF; empty when no declaration applies.
QString composeRule(const RuleFields &fields);

// The CSS keyword of a weight picked by its Japanese name; any other text as it is.
QString cssFontWeight(const QString &weight);

// A new class's selector: the name with its leading dot.
QString classSelector(const QString &name);

} // namespace corvane::compose
