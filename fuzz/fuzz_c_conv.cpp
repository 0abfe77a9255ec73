// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// c_conv never crashes, and a "#RRGGBB" text converts back to its number.
#include "fields/colour.h"
#include "fuzz_input.h"

#include <QRegularExpression>

#include <cstdlib>

using namespace corvane::fields;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = fuzzText(data, size);
    const auto colour = c_conv(text);
    if (colour && *colour > white)
        std::abort();
    // A full "#RRGGBB" text reads back as itself (a "#" followed by marks that
    // join it is one character, and white: the check looks at digits only).
    static const QRegularExpression fullHex(
        QRegularExpression::anchoredPattern(QStringLiteral("#[0-9A-Fa-f]{6}")));
    if (fullHex.match(text).hasMatch()) {
        if (!colour || hexColourText(*colour) != text.toUpper())
            std::abort();
    }
    if (size >= 3) {
        const ColourNumber number = (data[0] | data[1] << 8 | data[2] << 16) & white;
        if (c_conv(hexColourText(number)) != number)
            std::abort();
    }
    return 0;
}
