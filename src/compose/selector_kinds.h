// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fields/catalogue.h"

namespace corvane::compose {

enum class SelectorKind { NewClass = 0, RedefineTag = 1, CssSelector = 2 };

// What the selector field offers and shows once a kind is chosen.
fields::FieldList selectorFieldFor(SelectorKind kind);

} // namespace corvane::compose
