// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swatch_button.h"

#include <QPainter>

namespace corvane {

void SwatchButton::paintEvent(QPaintEvent *event)
{
    if (!hasFocus()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace corvane
