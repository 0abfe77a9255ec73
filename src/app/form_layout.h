// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QMainWindow;

namespace corvane {

struct FormControls;

// Builds the controls, menus and tab order on the window; no behaviour.
void buildForm(QMainWindow *window, FormControls &ui);

} // namespace corvane
