// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A rule from any field texts is one line ending in CR LF, or nothing at all.
#include "compose/rule.h"
#include "fuzz_input.h"

#include <QStringList>

#include <cstdlib>

using namespace corvane::compose;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    // First byte: which fields are filled and how; the rest: their texts.
    const std::uint8_t shape = data[0];
    const std::uint8_t ticks = data[1];
    const QString text = fuzzText(data + 2, size - 2);
    const QStringList parts = text.split(QChar(0xFFFF));
    const auto part = [&parts](int i) {
        return i < parts.size() ? parts.at(i) : QString();
    };

    RuleFields f;
    f.selector = part(0);
    f.fontFamily = part(1);
    f.fontSize = part(2);
    f.sizeUnit = part(3);
    f.fontStyle = part(4);
    f.fontStylePosition = int(shape % 5) - 1;
    f.fontWeight = part(5);
    f.colour = part(6);
    f.lineHeight = part(7);
    f.lineHeightUnit = part(8);
    f.background = part(9);
    for (int i = 0; i < 5; ++i)
        f.decorations[std::size_t(i)] = ticks & (1 << i);

    const QString rule = composeRule(f);
    if (rule.isEmpty())
        return 0;
    if (!rule.startsWith(f.selector + QStringLiteral(" {")) || !rule.endsWith(u"}\r\n"))
        std::abort();
    // One line, unless a field's own text carried a line break.
    const QString body = rule.chopped(2);
    const bool fieldsBreak = text.contains(u'\r') || text.contains(u'\n');
    if (!fieldsBreak && (body.contains(u'\r') || body.contains(u'\n')))
        std::abort();
    return 0;
}
