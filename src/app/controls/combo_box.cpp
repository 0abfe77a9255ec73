// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "combo_box.h"

#include "reader/tell.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCompleter>
#include <QCoreApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QToolTip>

namespace corvane {

namespace {

QCompleter *completerStandIn()
{
    static QPointer<QCompleter> standIn;
    if (!standIn)
        standIn = new QCompleter(QCoreApplication::instance());
    return standIn;
}

} // namespace

ComboBox::ComboBox(Input input, QWidget *parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &ComboBox::picked);
    // Qt would give the focus to a field under a turning wheel before the wheel turns it.
    setFocusPolicy(Qt::StrongFocus);
    if (input == Input::ListOnly)
        return;
    // The edit line is given directly: setEditable() would also build the list
    // popup now, which is built when first opened instead.
    auto *edit = new QLineEdit(this);
    edit->setPalette(palette()); // as setEditable() does
    // Values are taken exactly as typed: no completion. Qt builds a completer
    // for an edit line that comes without one; a shared stand-in keeps it from
    // doing so and is taken away at once.
    edit->setCompleter(completerStandIn());
    setLineEdit(edit);
    edit->setCompleter(nullptr);
    // Enter must not add the typed text to the list.
    setInsertPolicy(QComboBox::NoInsert);
    // Qt makes the first entry put into an empty list the current one unless the field has a
    // placeholder, and lays its text out in the edit line on the way, only for addEntry() to
    // put the field's text back. An editable field never shows the placeholder: its edit line
    // covers it.
    setPlaceholderText(QStringLiteral(" "));
    // Qt takes typed text that equals an entry for a pick when the field loses
    // the focus; typing is never a pick ("その他" typed must open no dialog).
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::typed);
}

QString ComboBox::text() const
{
    return currentText();
}

void ComboBox::setText(const QString &text)
{
    m_listIndex = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    // The new text first: the old one is never written back in between, where a screen
    // reader would hear it.
    if (isEditable())
        lineEdit()->setText(text);
    followListIndex();
    emit changed();
    valueShown();
}

void ComboBox::setListIndex(int position)
{
    Q_ASSERT(position >= 0 && position < count());
    m_listIndex = position;
    setCurrentIndex(position);
    // Qt leaves the edit text alone when the position was already current.
    if (isEditable())
        lineEdit()->setText(itemText(position));
    emitClicked();
    valueShown();
}

void ComboBox::addEntry(const QString &entry, int position)
{
    // Qt selects the first entry put into the empty list of a list-only field; keep what was
    // shown.
    insertItem(position, entry);
    if (m_listIndex >= position)
        ++m_listIndex;
    followListIndex();
}

void ComboBox::clearEntries()
{
    m_listIndex = -1;
    clear();
}

void ComboBox::showPopup()
{
    // The field is narrow; the list shows its entries whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + view()->frameWidth() * 2 + 4);
    QComboBox::showPopup();
    // The list makes its first row current when it takes the focus, so that Down
    // would go to the second; with no entry selected, nothing is current.
    if (m_listIndex < 0)
        view()->selectionModel()->clearCurrentIndex();
}

void ComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // Qt reports the pick, if any, right after closing the list.
    m_listClosing = true;
    QMetaObject::invokeMethod(
        this, [this] { m_listClosing = false; }, Qt::QueuedConnection);
}

QSize ComboBox::sizeHint() const
{
    return minimumSize() == maximumSize() ? minimumSize() : QComboBox::sizeHint();
}

QSize ComboBox::minimumSizeHint() const
{
    return minimumSize() == maximumSize() ? minimumSize() : QComboBox::minimumSizeHint();
}

void ComboBox::focusInEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    if (!isEditable() || (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
                          reason != Qt::ShortcutFocusReason)) {
        QComboBox::focusInEvent(event);
        return;
    }
    // Coming in by key selects the text, and a screen reader says selected text at once: it is
    // selected once the field has been announced, so that its purpose is heard before its value.
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QComboBox::focusInEvent(&plain);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus() && !lineEdit()->hasSelectedText())
                lineEdit()->selectAll();
        },
        Qt::QueuedConnection);
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    // A list-only field would otherwise search its list for typed letters.
    const bool character = !event->text().isEmpty() || event->key() == Qt::Key_Backspace ||
                           event->key() == Qt::Key_Delete;
    if (!isEditable() && character) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ComboBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore(); // to the window, which has nothing to scroll
}

void ComboBox::followListIndex()
{
    if (currentIndex() == m_listIndex)
        return;
    if (!isEditable()) {
        setCurrentIndex(m_listIndex);
        return;
    }
    // Qt writes the entry's text, or empties the field for -1; the text stays.
    const QString kept = lineEdit()->text();
    const int cursor = lineEdit()->cursorPosition();
    setCurrentIndex(m_listIndex);
    if (lineEdit()->text() != kept) {
        lineEdit()->setText(kept);
        lineEdit()->setCursorPosition(cursor);
    }
}

void ComboBox::picked(int position)
{
    m_listIndex = position;
    emitClicked();
    valueShown();
}

void ComboBox::valueShown()
{
    // An editable field is heard through its edit line. A list-only one has none: its entry
    // is told as text arriving, which readers say when it shows selected, as it does here.
    if (!isEditable() && hasFocus() && !m_listClosing) {
        QAccessibleTextInsertEvent arrived(this, 0, text());
        tell(arrived);
    }
}

void ComboBox::emitClicked()
{
    emit clicked(); // a dialog may write the text meanwhile
    if (isEditable())
        lineEdit()->home(false);
}

bool ComboBox::event(QEvent *event)
{
    // The edit line passes a tooltip request on to the field, which has no tooltip of its
    // own: a tooltip would also become what screen readers say of the field.
    if (event->type() != QEvent::ToolTip || !isEditable())
        return QComboBox::event(event);
    const QLineEdit *edit = lineEdit();
    const int room = edit->width() - edit->textMargins().left() - edit->textMargins().right() - 4;
    if (edit->fontMetrics().horizontalAdvance(text()) > room)
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
    else
        QToolTip::hideText();
    return true;
}

void ComboBox::typed()
{
    m_listIndex = -1;
    followListIndex();
    emit changed();
}

} // namespace corvane
