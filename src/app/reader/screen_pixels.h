// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>

class QWindow;

namespace corvane {

// Between Qt's logical pixels and the pixels of the screen a window is on, scaled from the
// window's top left, where X has put it.
// Whether readers must be told places other than Qt's: on X11, with a screen not at 100 %.
// Wayland's places are logical, as Qt's are.
bool screensScaled();
qreal screenRatio(const QWindow *window);
QRect toScreenPixels(const QRect &logical, const QWindow *window);
QPoint fromScreenPixels(const QPoint &device, const QWindow *window);

} // namespace corvane
