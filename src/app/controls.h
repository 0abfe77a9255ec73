// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

class QButtonGroup;

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

// A row of check boxes addressed by index; clicked(index) follows every change
// of a box's value, by the user or by code, and runs nested when code changes a
// box from inside a handler.
class CheckBoxArray : public QObject {
    Q_OBJECT
public:
    explicit CheckBoxArray(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    void append(QCheckBox *box);
    QCheckBox *at(int index) const { return m_boxes.at(index); }
    int size() const { return int(m_boxes.size()); }
    bool value(int index) const { return m_boxes.at(index)->isChecked(); }
    void setValue(int index, bool ticked) { m_boxes.at(index)->setChecked(ticked); }

signals:
    void clicked(int index);

private:
    QList<QCheckBox *> m_boxes;
};

// A read-only box that shows a colour and nothing else; screen readers read the colour in words.
class Swatch : public QLineEdit {
    Q_OBJECT
public:
    explicit Swatch(QWidget *parent = nullptr);

    QColor colour() const { return palette().color(QPalette::Base); }
    QString words() const { return m_words; }
    // `words` as the user wrote the colour ("blue", "#00f"); without them, its hexadecimal form.
    void setColour(const QColor &colour, const QString &words);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_words;
};

// The small button on a swatch, which shows its focus by its whole face: a focus frame
// would not fit in it.
class SwatchButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// An option button that stays a tab stop of its own. Qt keeps one stop for an
// exclusive group; this window lets Tab visit every button in turn.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

// Mutually exclusive option buttons; clicked(index) when one becomes selected,
// by the user or by code. None is selected at first.
class OptionArray : public QObject {
    Q_OBJECT
public:
    explicit OptionArray(QObject *parent = nullptr);

    void append(OptionButton *button);
    OptionButton *at(int index) const;
    int size() const;
    bool value(int index) const { return at(index)->isChecked(); }
    void select(int index) { at(index)->setChecked(true); }

signals:
    void clicked(int index);

private:
    QButtonGroup *m_group;
};

// A frame that reports its access key instead of acting on it, so that the
// window decides where the key leads.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
    // A title drawn in a face of its own. Only the title: the controls inside
    // keep the window's font, and setting no font on the frame spares Qt
    // passing one down to each of them.
    Frame(const QString &title, const QFont &titleFont, QWidget *parent);

    QFont titleFont() const { return m_titleFont.value_or(font()); }

    // The first control in tab order, not the one that had the focus last.
    void focusFirstControl();

    // Leaves the title's access key to another control (a menu): it is still
    // drawn underlined, but the frame no longer takes the key.
    void leaveAccessKey();
    // The title as drawn, access key marked with "&".
    QString shownTitle() const { return m_shownTitle.isEmpty() ? title() : m_shownTitle; }

signals:
    void mnemonicPressed();

protected:
    bool event(QEvent *event) override;
    void initStyleOption(QStyleOptionGroupBox *option) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_shownTitle;
    std::optional<QFont> m_titleFont;
};

} // namespace corvane
