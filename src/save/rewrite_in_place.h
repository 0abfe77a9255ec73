// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "save_result.h"
#include "save_target.h"

namespace corvane::save {

// Puts `bytes` into the target file itself, for a file that a new one could not replace
// without losing something (a second hard link, another owner, a closed folder). The file
// is locked against a second save, its old bytes are copied to disk first (beside it when
// `beside`, else into the user's private folder), space for the new ones is reserved, and
// whatever fails puts the old bytes back. On failure, the message for the user about
// `path`.
SaveResult rewriteInPlace(const QString &path, const SaveTarget &target, bool beside,
                          const QByteArray &bytes);

} // namespace corvane::save
