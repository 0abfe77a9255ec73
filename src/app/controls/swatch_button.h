// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace corvane {

// The small button on a swatch, which shows its focus by its whole face: a focus frame
// would not fit in it.
class SwatchButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace corvane
