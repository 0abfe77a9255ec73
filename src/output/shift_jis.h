// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace corvane::output {

// Text in Windows code page 932 (Japanese Shift_JIS as Windows writes it).
struct Encoded {
    QByteArray bytes;
    // UTF-16 index of the first character the code page cannot hold, or -1.
    // Such a text is not encoded at all.
    qsizetype unencodableAt = -1;
};

// Strict: a character counts only if its bytes read back as that same
// character, in Windows or (for a two-byte JIS X 0208 code such as the wave
// dash "〜") in Shift_JIS, so nothing turns silently into "?" or into another
// character.
Encoded encodeCp932(QStringView text);

// The same into `out`, which has room for two bytes a UTF-16 unit; advances
// `out` and returns the index of the first character it cannot hold, or -1.
qsizetype encodeCp932Into(QStringView text, char *&out);

} // namespace corvane::output
