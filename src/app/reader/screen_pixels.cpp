// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screen_pixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace corvane {

namespace {

const QScreen *screenOf(const QWindow *window)
{
    return window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

} // namespace

qreal screenRatio(const QWindow *window)
{
    const QScreen *screen = screenOf(window);
    return screen ? screen->devicePixelRatio() : 1.0;
}

QRect toScreenPixels(const QRect &logical, const QWindow *window)
{
    const qreal ratio = screenRatio(window);
    if (ratio == 1.0 || logical.isNull())
        return logical;
    const QPoint origin = screenOf(window)->geometry().topLeft();
    // Each edge is scaled, then rounded as Qt rounds a widget's edges when it paints.
    const auto edge = [ratio](int at, int from) {
        return from + qRound((at - from) * ratio);
    };
    const int left = edge(logical.x(), origin.x());
    const int top = edge(logical.y(), origin.y());
    return QRect(left, top, edge(logical.x() + logical.width(), origin.x()) - left,
                 edge(logical.y() + logical.height(), origin.y()) - top);
}

QPoint fromScreenPixels(const QPoint &device, const QWindow *window)
{
    const qreal ratio = screenRatio(window);
    if (ratio == 1.0)
        return device;
    const QPoint origin = screenOf(window)->geometry().topLeft();
    // The logical pixel that covers the device pixel.
    const auto at = [ratio](int to, int from) {
        return from + int(std::floor((to - from) / ratio));
    };
    return {at(device.x(), origin.x()), at(device.y(), origin.y())};
}

} // namespace corvane
