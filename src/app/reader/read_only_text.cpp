// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_only_text.h"

namespace corvane {

void ReadOnlyText::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = selectionIndex < selectionCount() ? characterCount() : 0;
}

int ReadOnlyText::selectionCount() const
{
    return shownSelected() && characterCount() > 0 ? 1 : 0;
}

QString ReadOnlyText::text(int startOffset, int endOffset) const
{
    return shownText().mid(startOffset, endOffset - startOffset);
}

QString ReadOnlyText::attributes(int, int *startOffset, int *endOffset) const
{
    // One run over the whole text: readers build the line they say from the runs.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace corvane
