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

// Strict: a character counts only if its bytes decode back to that same
// character, so nothing turns silently into "?" or into a look-alike.
Encoded encodeCp932(const QString &text);

} // namespace corvane::output
