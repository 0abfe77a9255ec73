// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleInterface>

namespace corvane {

// A one-line text that a screen reader reads and nobody edits: a list-only field's entry, a
// swatch's colour in words.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

protected:
    virtual QString shownText() const = 0;
    // Whether the text shows selected, as a list-only field shows its entry.
    virtual bool shownSelected() const = 0;
};

} // namespace corvane
