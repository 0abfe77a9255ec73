// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>

namespace corvane {

// A drop-down whose events say what the window's logic needs to know:
// clicked() when an entry becomes the selected one (a pick by the user, or code
// choosing a position), changed() when the text changes by typing or because
// code wrote it. A pick raises no changed(), although Qt rewrites the edit text.
// Qt's own current index always equals listIndex(), so that the keys, the
// wheel, the opened list and screen readers start from the same selection.
// The wheel turns only a field that has the focus. A pick shows the beginning of
// its text, and a text too long for the field shows whole in a tooltip.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    // A list-only field takes no typed character at all, Backspace and Delete
    // included; it shows one of its entries, or nothing.
    enum class Input { Typed, ListOnly };

    explicit ComboBox(Input input, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    // -1 while no entry is selected: after typing, or after code wrote a text
    // that is no entry.
    int listIndex() const { return m_listIndex; }
    void setListIndex(int position);

    void addEntry(const QString &entry, int position);
    void clearEntries();
    QString entry(int position) const { return itemText(position); }
    int entryCount() const { return count(); }

    void showPopup() override;
    void hidePopup() override;
    // A field of fixed size reports that size: Qt would otherwise measure the
    // text of every entry for a hint that the layout then bounds to it anyway.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();
    void changed();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void picked(int position);
    // Emits clicked(), then puts the beginning of the text in view: Qt leaves a long
    // entry scrolled to its end.
    void emitClicked();
    // Tells screen readers of the entry a list-only field now shows, while it has the focus.
    void valueShown();
    void typed();
    // Gives Qt's index the value of listIndex(), and keeps the text as it is.
    void followListIndex();

    int m_listIndex = -1;
    // Set while a list that was open closes: the field then gets the focus back, and screen
    // readers read it again, the new entry with it.
    bool m_listClosing = false;
};

} // namespace corvane
