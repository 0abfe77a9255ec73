// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

namespace corvane {

// Names, icon, and Qt's own texts in Japanese whatever the system locale.
void prepareApplication(QApplication &app);

} // namespace corvane
