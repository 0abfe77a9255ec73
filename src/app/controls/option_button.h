// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRadioButton>

namespace corvane {

// An option button that stays a tab stop of its own. Qt keeps one stop for an
// exclusive group; this window lets Tab visit every button in turn.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace corvane
