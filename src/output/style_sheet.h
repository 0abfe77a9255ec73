// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "output/shift_jis.h"

#include <QString>

namespace corvane::output {

// The bytes of the saved file: a fixed comment header, the style sheet and a
// fixed trailer, every line ending in CR LF, in code page 932. When the sheet
// holds a character the code page cannot, there are no bytes, and
// unencodableAt is that character's index in the sheet.
Encoded styleSheetFile(QStringView sheet);

// The style sheet wrapped for pasting into the head of an HTML page.
QString styleBlock(const QString &sheet);

} // namespace corvane::output
