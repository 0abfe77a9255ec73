// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "source_pane.h"

#include <QScrollBar>

namespace corvane {

QString SourcePane::text() const
{
    // toPlainText() would turn a no-break space into a blank.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    raw.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return raw;
}

int SourcePane::positionOf(QStringView text, qsizetype index)
{
    return int(index - text.left(index).count(u"\r\n"));
}

void SourcePane::setText(const QString &text)
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}

void SourcePane::appendAtEnd(const QString &text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const int start = cursor.position();
    cursor.insertText(text);
    setTextCursor(cursor);
    ensureCursorVisible();
    // The caret goes back to the start of what was added, so that a screen reader coming to
    // the pane reads that line.
    cursor.setPosition(start);
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

} // namespace corvane
