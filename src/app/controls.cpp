#include "controls.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QEvent>
#include <QLineEdit>

namespace corvane {

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent) {
    setEditable(true);
    // Values are taken exactly as typed: no completion, and Enter must not add
    // the typed text to the list.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(1);
    connect(this, &QComboBox::activated, this, &ComboBox::picked);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::typed);
}

QString ComboBox::text() const {
    return currentText();
}

void ComboBox::setText(const QString &text) {
    m_listIndex = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    lineEdit()->setText(text);
    emit changed();
}

void ComboBox::setListIndex(int position) {
    Q_ASSERT(position >= 0 && position < count());
    m_listIndex = position;
    setCurrentIndex(position);
    // Qt leaves the edit text alone when the position was already current.
    lineEdit()->setText(itemText(position));
    emit clicked();
}

void ComboBox::addEntry(const QString &entry, int position) {
    // Qt selects the first entry put into an empty list; keep the text as it was.
    const QString kept = text();
    insertItem(position, entry);
    if (text() != kept)
        lineEdit()->setText(kept);
}

void ComboBox::clearEntries() {
    m_listIndex = -1;
    clear();
}

void ComboBox::showPopup() {
    // The field is narrow; the list shows its entries whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + view()->frameWidth() * 2 + 4);
    QComboBox::showPopup();
}

void ComboBox::picked(int position) {
    m_listIndex = position;
    emit clicked();
}

void ComboBox::typed() {
    m_listIndex = -1;
    emit changed();
}

void CheckBoxArray::append(QCheckBox *box) {
    const int index = size();
    m_boxes.append(box);
    connect(box, &QCheckBox::toggled, this, [this, index] { emit clicked(index); });
}

OptionArray::OptionArray(QObject *parent)
    : QObject(parent)
    , m_group(new QButtonGroup(this)) {
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit clicked(id);
    });
}

void OptionButton::focusInEvent(QFocusEvent *event) {
    QRadioButton::focusInEvent(event);
    if (group()) {
        for (QAbstractButton *sibling : group()->buttons())
            sibling->setFocusPolicy(Qt::StrongFocus);
    }
}

void OptionArray::append(OptionButton *button) {
    m_group->addButton(button, size());
}

OptionButton *OptionArray::at(int index) const {
    return static_cast<OptionButton *>(m_group->button(index));
}

int OptionArray::size() const {
    return int(m_group->buttons().size());
}

void Frame::focusFirstControl() {
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this)) {
            w->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

bool Frame::event(QEvent *event) {
    // The frame's only shortcut is the access key of its title.
    if (event->type() == QEvent::Shortcut) {
        emit mnemonicPressed();
        return true;
    }
    return QGroupBox::event(event);
}

} // namespace corvane
