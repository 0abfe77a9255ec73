// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class QMessageBox;

namespace corvane {

// A box that reports a fault is an alert; one that only informs is a dialog. Qt calls every
// message box an alert, so a reader gives a stop box and an information box the same word.
class MessageBoxAccessible : public QAccessibleWidget {
public:
    explicit MessageBoxAccessible(QMessageBox *box);

    // Asked each time: the icon may be set after a reader first met the box.
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
};

} // namespace corvane
