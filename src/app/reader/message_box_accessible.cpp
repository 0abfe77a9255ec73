// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "message_box_accessible.h"

#include <QMessageBox>

namespace corvane {

MessageBoxAccessible::MessageBoxAccessible(QMessageBox *box)
    : QAccessibleWidget(box)
{
}

QAccessible::Role MessageBoxAccessible::role() const
{
    const QMessageBox::Icon icon = static_cast<QMessageBox *>(widget())->icon();
    return icon == QMessageBox::Critical || icon == QMessageBox::Warning ? QAccessible::AlertMessage
                                                                         : QAccessible::Dialog;
}

QString MessageBoxAccessible::text(QAccessible::Text t) const
{
    const auto *box = static_cast<QMessageBox *>(widget());
    if (t == QAccessible::Value)
        return box->text();
    // Readers say a dialog's description after its title, but its text only when it runs
    // to three words; an alert's text they say anyway.
    if (t == QAccessible::Description && role() == QAccessible::Dialog)
        return box->text();
    return QAccessibleWidget::text(t);
}

} // namespace corvane
