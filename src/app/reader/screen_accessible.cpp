// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screen_accessible.h"

#include "reader/pane_places.h"
#include "reader/screen_pixels.h"

#include <QHash>
#include <QPlainTextEdit>

namespace corvane {

namespace {

// The stand-ins that wrap() made, by the interface each stands for.
QHash<QAccessibleInterface *, ScreenAccessible *> &standIns()
{
    static QHash<QAccessibleInterface *, ScreenAccessible *> made;
    return made;
}

} // namespace

ScreenAccessible::ScreenAccessible(QAccessibleInterface *inner, bool owned)
    : m_inner(inner)
    , m_innerId(QAccessible::uniqueId(inner))
    , m_owned(owned)
{
}

ScreenAccessible::~ScreenAccessible()
{
    if (!m_owned) {
        standIns().remove(m_inner);
        return;
    }
    if (inner())
        QAccessible::deleteAccessibleInterface(m_innerId);
}

QAccessibleInterface *ScreenAccessible::forObject(QAccessibleInterface *inner)
{
    return new ScreenAccessible(inner, true);
}

QAccessibleInterface *ScreenAccessible::wrap(QAccessibleInterface *inner)
{
    if (!inner || dynamic_cast<ScreenAccessible *>(inner))
        return inner;
    if (QObject *object = inner->object()) {
        // Qt's answer for the object, unless one stands in for it. At 100 % nothing does
        // but the source pane, whose parent and neighbours readers must meet as Qt made them.
        QAccessibleInterface *cached = QAccessible::queryAccessibleInterface(object);
        if (cached != inner || !screensScaled())
            return cached;
    }
    // Children that Qt has since dropped (a list refilled) take their stand-ins with them.
    QList<QAccessible::Id> gone;
    for (ScreenAccessible *standIn : std::as_const(standIns())) {
        if (!standIn->inner())
            gone << QAccessible::uniqueId(standIn);
    }
    for (QAccessible::Id id : gone)
        QAccessible::deleteAccessibleInterface(id);
    ScreenAccessible *&standIn = standIns()[inner];
    if (!standIn) {
        standIn = new ScreenAccessible(inner, false);
        QAccessible::registerAccessibleInterface(standIn);
    }
    return standIn;
}

QAccessibleInterface *ScreenAccessible::inner() const
{
    return QAccessible::accessibleInterface(m_innerId) == m_inner ? m_inner : nullptr;
}

QAccessibleTextInterface *ScreenAccessible::innerText() const
{
    QAccessibleInterface *i = inner();
    return i ? i->textInterface() : nullptr;
}

QAccessibleImageInterface *ScreenAccessible::innerImage() const
{
    QAccessibleInterface *i = inner();
    return i ? static_cast<QAccessibleImageInterface *>(
                   i->interface_cast(QAccessible::ImageInterface))
             : nullptr;
}

QAccessibleTableInterface *ScreenAccessible::innerTable() const
{
    QAccessibleInterface *i = inner();
    return i ? i->tableInterface() : nullptr;
}

QRect ScreenAccessible::toScreen(const QRect &logical) const
{
    return toScreenPixels(logical, window());
}

bool ScreenAccessible::isValid() const
{
    QAccessibleInterface *i = inner();
    return i && i->isValid();
}

QObject *ScreenAccessible::object() const
{
    QAccessibleInterface *i = inner();
    return i ? i->object() : nullptr;
}

QWindow *ScreenAccessible::window() const
{
    QAccessibleInterface *i = inner();
    return i ? i->window() : nullptr;
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
ScreenAccessible::relations(QAccessible::Relation match) const
{
    QAccessibleInterface *i = inner();
    if (!i)
        return {};
    auto related = i->relations(match);
    for (auto &relation : related)
        relation.first = wrap(relation.first);
    return related;
}

QAccessibleInterface *ScreenAccessible::focusChild() const
{
    QAccessibleInterface *i = inner();
    return i ? wrap(i->focusChild()) : nullptr;
}

QAccessibleInterface *ScreenAccessible::childAt(int x, int y) const
{
    // Qt's own hit tests compare the point with their children's places, which are now in the
    // screen's pixels: so the test is made here, on the places readers are given.
    for (int index = 0, count = childCount(); index < count; ++index) {
        QAccessibleInterface *c = child(index);
        if (c && c->isValid() && !c->state().invisible && c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QAccessibleInterface *ScreenAccessible::parent() const
{
    QAccessibleInterface *i = inner();
    return i ? wrap(i->parent()) : nullptr;
}

QAccessibleInterface *ScreenAccessible::child(int index) const
{
    QAccessibleInterface *i = inner();
    return i ? wrap(i->child(index)) : nullptr;
}

int ScreenAccessible::childCount() const
{
    QAccessibleInterface *i = inner();
    return i ? i->childCount() : 0;
}

int ScreenAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    QAccessibleInterface *i = inner();
    // Qt's lists take their entries back as their own cells.
    const auto *standIn = dynamic_cast<const ScreenAccessible *>(child);
    QAccessibleInterface *c =
        standIn ? standIn->inner() : const_cast<QAccessibleInterface *>(child);
    return i && c ? i->indexOfChild(c) : -1;
}

QString ScreenAccessible::text(QAccessible::Text t) const
{
    QAccessibleInterface *i = inner();
    return i ? i->text(t) : QString();
}

void ScreenAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (QAccessibleInterface *i = inner())
        i->setText(t, text);
}

QRect ScreenAccessible::rect() const
{
    QAccessibleInterface *i = inner();
    return i ? toScreen(i->rect()) : QRect();
}

QAccessible::Role ScreenAccessible::role() const
{
    QAccessibleInterface *i = inner();
    return i ? i->role() : QAccessible::NoRole;
}

QAccessible::State ScreenAccessible::state() const
{
    QAccessibleInterface *i = inner();
    if (i)
        return i->state();
    QAccessible::State s;
    s.invalid = true;
    return s;
}

QColor ScreenAccessible::foregroundColor() const
{
    QAccessibleInterface *i = inner();
    return i ? i->foregroundColor() : QColor();
}

QColor ScreenAccessible::backgroundColor() const
{
    QAccessibleInterface *i = inner();
    return i ? i->backgroundColor() : QColor();
}

void *ScreenAccessible::interface_cast(QAccessible::InterfaceType type)
{
    QAccessibleInterface *i = inner();
    if (!i)
        return nullptr;
    if (type == QAccessible::TextInterface)
        return innerText() ? static_cast<QAccessibleTextInterface *>(this) : nullptr;
    if (type == QAccessible::ImageInterface)
        return innerImage() ? static_cast<QAccessibleImageInterface *>(this) : nullptr;
    if (type == QAccessible::TableInterface)
        return innerTable() ? static_cast<QAccessibleTableInterface *>(this) : nullptr;
    // The other kinds carry no places. A cell's headers are handed out as Qt makes them.
    return i->interface_cast(type);
}

void ScreenAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (QAccessibleTextInterface *t = innerText())
        t->selection(selectionIndex, startOffset, endOffset);
}

int ScreenAccessible::selectionCount() const
{
    QAccessibleTextInterface *t = innerText();
    return t ? t->selectionCount() : 0;
}

void ScreenAccessible::addSelection(int startOffset, int endOffset)
{
    if (QAccessibleTextInterface *t = innerText())
        t->addSelection(startOffset, endOffset);
}

void ScreenAccessible::removeSelection(int selectionIndex)
{
    if (QAccessibleTextInterface *t = innerText())
        t->removeSelection(selectionIndex);
}

void ScreenAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (QAccessibleTextInterface *t = innerText())
        t->setSelection(selectionIndex, startOffset, endOffset);
}

int ScreenAccessible::cursorPosition() const
{
    QAccessibleTextInterface *t = innerText();
    return t ? t->cursorPosition() : 0;
}

void ScreenAccessible::setCursorPosition(int position)
{
    if (QAccessibleTextInterface *t = innerText())
        t->setCursorPosition(position);
}

QString ScreenAccessible::text(int startOffset, int endOffset) const
{
    QAccessibleTextInterface *t = innerText();
    return t ? t->text(startOffset, endOffset) : QString();
}

QString ScreenAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    QAccessibleTextInterface *t = innerText();
    return t ? t->textBeforeOffset(offset, boundaryType, startOffset, endOffset) : QString();
}

QString ScreenAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    QAccessibleTextInterface *t = innerText();
    return t ? t->textAfterOffset(offset, boundaryType, startOffset, endOffset) : QString();
}

QString ScreenAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                       int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    QAccessibleTextInterface *t = innerText();
    return t ? t->textAtOffset(offset, boundaryType, startOffset, endOffset) : QString();
}

int ScreenAccessible::characterCount() const
{
    QAccessibleTextInterface *t = innerText();
    return t ? t->characterCount() : 0;
}

QRect ScreenAccessible::characterRect(int offset) const
{
    QAccessibleTextInterface *t = innerText();
    if (!t)
        return {};
    if (const auto *pane = qobject_cast<const QPlainTextEdit *>(object()))
        return toScreen(characterPlace(pane, offset));
    return toScreen(t->characterRect(offset));
}

int ScreenAccessible::offsetAtPoint(const QPoint &point) const
{
    QAccessibleTextInterface *t = innerText();
    if (!t)
        return -1;
    const QPoint logical = fromScreenPixels(point, window());
    if (const auto *pane = qobject_cast<const QPlainTextEdit *>(object()))
        return characterAt(pane, logical);
    return t->offsetAtPoint(logical);
}

void ScreenAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    if (QAccessibleTextInterface *t = innerText())
        t->scrollToSubstring(startIndex, endIndex);
}

QString ScreenAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    QAccessibleTextInterface *t = innerText();
    return t ? t->attributes(offset, startOffset, endOffset) : QString();
}

QString ScreenAccessible::imageDescription() const
{
    QAccessibleImageInterface *image = innerImage();
    return image ? image->imageDescription() : QString();
}

QSize ScreenAccessible::imageSize() const
{
    QAccessibleImageInterface *image = innerImage();
    return image ? toScreen(QRect(QPoint(), image->imageSize())).size() : QSize();
}

QPoint ScreenAccessible::imagePosition() const
{
    QAccessibleImageInterface *image = innerImage();
    return image ? toScreen(QRect(image->imagePosition(), QSize(1, 1))).topLeft() : QPoint();
}

QAccessibleInterface *ScreenAccessible::caption() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? wrap(t->caption()) : nullptr;
}

QAccessibleInterface *ScreenAccessible::summary() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? wrap(t->summary()) : nullptr;
}

QAccessibleInterface *ScreenAccessible::cellAt(int row, int column) const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? wrap(t->cellAt(row, column)) : nullptr;
}

int ScreenAccessible::selectedCellCount() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->selectedCellCount() : 0;
}

QList<QAccessibleInterface *> ScreenAccessible::selectedCells() const
{
    QAccessibleTableInterface *t = innerTable();
    QList<QAccessibleInterface *> cells = t ? t->selectedCells() : QList<QAccessibleInterface *>();
    for (QAccessibleInterface *&cell : cells)
        cell = wrap(cell);
    return cells;
}

QString ScreenAccessible::columnDescription(int column) const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->columnDescription(column) : QString();
}

QString ScreenAccessible::rowDescription(int row) const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->rowDescription(row) : QString();
}

int ScreenAccessible::selectedColumnCount() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->selectedColumnCount() : 0;
}

int ScreenAccessible::selectedRowCount() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->selectedRowCount() : 0;
}

int ScreenAccessible::columnCount() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->columnCount() : 0;
}

int ScreenAccessible::rowCount() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->rowCount() : 0;
}

QList<int> ScreenAccessible::selectedColumns() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->selectedColumns() : QList<int>();
}

QList<int> ScreenAccessible::selectedRows() const
{
    QAccessibleTableInterface *t = innerTable();
    return t ? t->selectedRows() : QList<int>();
}

bool ScreenAccessible::isColumnSelected(int column) const
{
    QAccessibleTableInterface *t = innerTable();
    return t && t->isColumnSelected(column);
}

bool ScreenAccessible::isRowSelected(int row) const
{
    QAccessibleTableInterface *t = innerTable();
    return t && t->isRowSelected(row);
}

bool ScreenAccessible::selectRow(int row)
{
    QAccessibleTableInterface *t = innerTable();
    return t && t->selectRow(row);
}

bool ScreenAccessible::selectColumn(int column)
{
    QAccessibleTableInterface *t = innerTable();
    return t && t->selectColumn(column);
}

bool ScreenAccessible::unselectRow(int row)
{
    QAccessibleTableInterface *t = innerTable();
    return t && t->unselectRow(row);
}

bool ScreenAccessible::unselectColumn(int column)
{
    QAccessibleTableInterface *t = innerTable();
    return t && t->unselectColumn(column);
}

void ScreenAccessible::modelChange(QAccessibleTableModelChangeEvent *event)
{
    // Qt drops and renumbers its cells here; their stand-ins follow when next read.
    if (QAccessibleTableInterface *t = innerTable())
        t->modelChange(event);
}

} // namespace corvane
