// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>

namespace corvane {

// The style-sheet text. Read back, its lines are separated by CR LF whatever
// the user typed or pasted, and every other character is kept as it is (a
// no-break space stays one).
class SourcePane : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    QString text() const;
    // Where the character at `index` of `text`, as text() read it, stands in the
    // document: every line break, Shift+Return's included, is two characters in
    // the text and one in the document.
    static int positionOf(QStringView text, qsizetype index);
    bool isEmpty() const { return document()->isEmpty(); }

    // Both keep the undo history: the user can take a change back.
    void setText(const QString &text);
    // Adds at the very end, without touching the rest, shows the end, and leaves the caret at
    // the start of what it added.
    void appendAtEnd(const QString &text);
};

} // namespace corvane
