// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "selector_kinds.h"

namespace corvane::compose {

namespace {

const QStringList &tagNames()
{
    static const QStringList tags{
        "A",    "ADDRESS", "B",     "BLOCKQUOTE", "BODY", "BR", "CITE", "CODE", "DD", "DFN",
        "DIV",  "DL",      "DT",    "EM",         "H1",   "H2", "H3",   "H4",   "H5", "H6",
        "HR",   "I",       "IMG",   "KBD",        "LI",   "OL", "P",    "PRE",  "S",  "SAMP",
        "SPAN", "STRONG",  "TABLE", "TD",         "TH",   "TR", "TT",   "U",    "UL", "VAR",
    };
    return tags;
}

} // namespace

fields::FieldList selectorFieldFor(SelectorKind kind)
{
    switch (kind) {
    case SelectorKind::NewClass:
        return {{}, -1, QStringLiteral(".default")};
    case SelectorKind::RedefineTag:
        return {tagNames(), 4}; // "BODY"
    case SelectorKind::CssSelector:
        return {{"A:active", "A:hover", "A:link", "A:visited"}};
    }
    return {{}};
}

} // namespace corvane::compose
