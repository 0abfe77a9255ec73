#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvane::output {

// Puts `bytes` in the file at `path` whole or not at all: they go to a
// temporary file beside it, reach the disk, and only then take its place. On
// failure the old file is as it was, no temporary file is left, and the
// result is a message for the user naming the file and the reason.
// A symbolic link stays a link to the replaced file; a replaced file keeps its
// permissions; a folder, device or pipe is never replaced.
std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes);

} // namespace corvane::output
