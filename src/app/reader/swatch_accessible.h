// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reader/read_only_text.h"

#include <QAccessibleWidget>

namespace corvane {

class Swatch;

// A swatch is read as text: its colour in words.
class SwatchAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit SwatchAccessible(Swatch *swatch);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

protected:
    QString shownText() const override;
    bool shownSelected() const override { return false; }
};

} // namespace corvane
