// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QAccessibleEvent;

namespace corvane {

// What the window tells screen readers on its own, beyond what Qt's widgets tell them. Qt
// passes an event on only while a reader listens; a test, on a platform with none, watches
// onTold, which is empty in the program.
inline std::function<void(QAccessibleEvent &)> onTold;

void tell(QAccessibleEvent &event);

} // namespace corvane
