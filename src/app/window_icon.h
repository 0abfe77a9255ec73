// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

namespace corvane {

// The program's icon at every size the build rendered (the resource
// ":/corvane/icon-SIZE" holds each size's ARGB32 pixels). A size becomes a
// pixmap only when someone asks for it: on X11 every size, for _NET_WM_ICON;
// offscreen or on Wayland none.
QIcon windowIcon();

} // namespace corvane
