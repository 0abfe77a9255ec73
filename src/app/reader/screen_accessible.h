// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleInterface>

namespace corvane {

// An accessible object as readers on X11 must meet it on a scaled screen: everything passes
// through to the interface Qt (or Corvane) made for it, but places, sizes and hit tests are in
// the screen's pixels, where Qt gives its logical ones. A plain text pane's characters are
// placed from where the pane draws them, at every scale: Qt's own places are wrong there.
//
// One stands for each object a reader reaches. Readers name an object by its interface's
// id, so a stand-in lives as long as the interface it stands for: one made for a QObject is
// the cache's answer for that object and goes with it; one for a child without a QObject of
// its own (a list entry, a menu bar's title) is registered once, found again through
// wrap(), and goes once the child has gone.
class ScreenAccessible : public QAccessibleInterface,
                         public QAccessibleTextInterface,
                         public QAccessibleImageInterface,
                         public QAccessibleTableInterface {
public:
    // For the factory: stands for an interface just made for its object, and owns it.
    static QAccessibleInterface *forObject(QAccessibleInterface *inner);
    // The stand-in readers are to be given for an interface that Qt hands out.
    static QAccessibleInterface *wrap(QAccessibleInterface *inner);

    ~ScreenAccessible() override;

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;
    QAccessibleInterface *focusChild() const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QColor foregroundColor() const override;
    QColor backgroundColor() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    QString imageDescription() const override;
    QSize imageSize() const override;
    QPoint imagePosition() const override;

    // A table's cells are stood in for as its children are.
    QAccessibleInterface *caption() const override;
    QAccessibleInterface *summary() const override;
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    ScreenAccessible(QAccessibleInterface *inner, bool owned);

    // The interface stood for, or null once it has gone.
    QAccessibleInterface *inner() const;
    QAccessibleTextInterface *innerText() const;
    QAccessibleImageInterface *innerImage() const;
    QAccessibleTableInterface *innerTable() const;
    QRect toScreen(const QRect &logical) const;

    QAccessibleInterface *m_inner;
    QAccessible::Id m_innerId;
    bool m_owned;
};

} // namespace corvane
