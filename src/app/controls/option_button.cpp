// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "option_button.h"

#include <QButtonGroup>

namespace corvane {

void OptionButton::focusInEvent(QFocusEvent *event)
{
    QRadioButton::focusInEvent(event);
    if (group()) {
        for (QAbstractButton *sibling : group()->buttons())
            sibling->setFocusPolicy(Qt::StrongFocus);
    }
}

} // namespace corvane
