// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace corvane {

// Gives the window's drop-downs, menu commands, message boxes and announcer what a screen
// reader needs of them. Called before the window is built; once is enough.
void installAccessibility();

} // namespace corvane
