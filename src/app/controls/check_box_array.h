// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCheckBox>
#include <QList>
#include <QObject>

namespace corvane {

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

} // namespace corvane
