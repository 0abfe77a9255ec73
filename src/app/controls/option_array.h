// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/option_button.h"

#include <QObject>

class QButtonGroup;

namespace corvane {

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

} // namespace corvane
