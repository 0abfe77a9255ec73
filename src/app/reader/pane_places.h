// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>

class QPlainTextEdit;

namespace corvane {

// Where a plain text pane draws each character, in Qt's logical pixels on the screen. Qt's own
// answer for such a pane puts every line at the height of the first one and finds no character
// at any point.
QRect characterPlace(const QPlainTextEdit *pane, int offset);
// The character drawn at the point, or -1.
int characterAt(const QPlainTextEdit *pane, const QPoint &point);

} // namespace corvane
