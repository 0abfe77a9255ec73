// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pane_places.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace corvane {

QRect characterPlace(const QPlainTextEdit *pane, int offset)
{
    const QTextDocument *document = pane->document();
    // The last position is the document's closing separator, which no reader asks for.
    if (offset < 0 || offset >= document->characterCount() - 1)
        return {};
    QTextCursor cursor(const_cast<QTextDocument *>(document));
    cursor.setPosition(offset);
    const QRect before = pane->cursorRect(cursor);
    cursor.setPosition(offset + 1);
    const QRect after = pane->cursorRect(cursor);
    // A line's last character (its break, or where a long line wraps) ends where a blank would.
    const int width = after.top() == before.top() && after.left() > before.left()
                          ? after.left() - before.left()
                          : pane->fontMetrics().horizontalAdvance(u' ');
    return {pane->viewport()->mapToGlobal(before.topLeft()), QSize(width, before.height())};
}

int characterAt(const QPlainTextEdit *pane, const QPoint &point)
{
    const QPoint inPane = pane->viewport()->mapFromGlobal(point);
    if (!pane->viewport()->rect().contains(inPane))
        return -1;
    // The nearest caret position lies on one side of the character or the other.
    const int caret = pane->cursorForPosition(inPane).position();
    for (const int offset : {caret, caret - 1}) {
        if (characterPlace(pane, offset).contains(point))
            return offset;
    }
    return -1;
}

} // namespace corvane
