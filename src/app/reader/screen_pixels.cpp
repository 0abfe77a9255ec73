// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screen_pixels.h"

#include <QGuiApplication>
#include <QLibrary>
#include <QScreen>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <xcb/xcb.h>

namespace corvane {

namespace {

const QScreen *screenOf(const QWindow *window)
{
    return window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// xcb's functions, taken from the library Qt's xcb platform has loaded. Linked in, the library
// would be searched for every symbol the program resolves as it starts, on every platform.
struct Xcb {
    decltype(&xcb_get_setup) getSetup;
    decltype(&xcb_setup_roots_iterator) roots;
    decltype(&xcb_translate_coordinates) translate;
    decltype(&xcb_translate_coordinates_reply) translateReply;
};

const Xcb *xcb()
{
    static const Xcb functions = [] {
        QLibrary library(QStringLiteral("xcb"), 1);
        // Named by type alone: taking a function's address would link the library after all.
        const auto find = [&library]<typename F>(const char *name) {
            return reinterpret_cast<F>(library.resolve(name));
        };
        return Xcb{
            find.operator()<decltype(&xcb_get_setup)>("xcb_get_setup"),
            find.operator()<decltype(&xcb_setup_roots_iterator)>("xcb_setup_roots_iterator"),
            find.operator()<decltype(&xcb_translate_coordinates)>("xcb_translate_coordinates"),
            find.operator()<decltype(&xcb_translate_coordinates_reply)>(
                "xcb_translate_coordinates_reply")};
    }();
    const bool found =
        functions.getSetup && functions.roots && functions.translate && functions.translateReply;
    return found ? &functions : nullptr;
}

// Where the window's top left is, logical and in the screen's pixels. Qt keeps a window's
// logical place rounded, and draws its content from where X put it: on X11 that place is asked
// of X. Elsewhere, or for a window not yet made, the screen's top left serves, which Qt keeps
// the same in both.
struct Origin {
    QPoint logical;
    QPoint device;
};

Origin originOf(const QWindow *window)
{
    const QPoint screenTopLeft = screenOf(window)->geometry().topLeft();
    // Qt's offscreen platform answers as an X11 application too, without a connection.
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    const Xcb *x = connection ? xcb() : nullptr;
    if (!x || !window || !window->handle() || QGuiApplication::platformName() != u"xcb")
        return {screenTopLeft, screenTopLeft};
    const xcb_window_t root = x->roots(x->getSetup(connection)).data->root;
    xcb_translate_coordinates_reply_t *reply = x->translateReply(
        connection, x->translate(connection, xcb_window_t(window->winId()), root, 0, 0), nullptr);
    if (!reply)
        return {screenTopLeft, screenTopLeft};
    const Origin origin{window->geometry().topLeft(), QPoint(reply->dst_x, reply->dst_y)};
    free(reply);
    return origin;
}

} // namespace

bool screensScaled()
{
    if (QGuiApplication::platformName() == u"wayland")
        return false;
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [](const QScreen *s) { return s->devicePixelRatio() != 1.0; });
}

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
    const Origin origin = originOf(window);
    // Each edge is scaled from the window's corner, then rounded, as Qt paints a widget.
    const auto edge = [ratio](int at, int from, int to) {
        return to + qRound((at - from) * ratio);
    };
    const int left = edge(logical.x(), origin.logical.x(), origin.device.x());
    const int top = edge(logical.y(), origin.logical.y(), origin.device.y());
    return QRect(left, top,
                 edge(logical.x() + logical.width(), origin.logical.x(), origin.device.x()) - left,
                 edge(logical.y() + logical.height(), origin.logical.y(), origin.device.y()) - top);
}

QPoint fromScreenPixels(const QPoint &device, const QWindow *window)
{
    const qreal ratio = screenRatio(window);
    if (ratio == 1.0)
        return device;
    const Origin origin = originOf(window);
    // The logical pixel that covers the device pixel.
    const auto at = [ratio](int point, int from, int to) {
        return to + int(std::floor((point - from) / ratio));
    };
    return {at(device.x(), origin.device.x(), origin.logical.x()),
            at(device.y(), origin.device.y(), origin.logical.y())};
}

} // namespace corvane
