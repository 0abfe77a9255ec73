// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace corvane::fields {

// A colour as the swatches and the colour dialog know it: red in the low byte,
// then green, then blue.
using ColourNumber = quint32;

inline constexpr ColourNumber white = 0xFFFFFF;

// The colour a field's text stands for: one of the seven names, exactly as
// written, or "#" with one to six hexadecimal digits (fewer count as led by
// zeros); every other text is white. No value is a type mismatch: a "#" text of
// two to seven characters with a character that is no hexadecimal digit.
std::optional<ColourNumber> c_conv(const QString &color_Name);

// "#RRGGBB", upper case, leading zeros kept.
QString hexColourText(ColourNumber colour);

QColor toQColor(ColourNumber colour);
ColourNumber colourNumber(const QColor &colour);

// Characters as the user sees them: an emoji or a letter with its accent is one.
int visibleLength(const QString &text);

} // namespace corvane::fields
