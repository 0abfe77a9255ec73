#pragma once

#include <QString>

namespace corvane::output {

// The saved file: a fixed comment header, the style sheet, a fixed trailer,
// every line ending in CR LF.
QString styleSheetFileText(const QString &sheet);

// Characters of the file text before the style sheet begins.
inline constexpr qsizetype fileHeaderLength = 150;

// The style sheet wrapped for pasting into the head of an HTML page.
QString styleBlock(const QString &sheet);

} // namespace corvane::output
