// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swatch_accessible.h"

#include "controls/swatch.h"

namespace corvane {

SwatchAccessible::SwatchAccessible(Swatch *swatch)
    : QAccessibleWidget(swatch, QAccessible::EditableText)
{
}

QAccessible::State SwatchAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
}

QString SwatchAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Value ? shownText() : QAccessibleWidget::text(t);
}

void *SwatchAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString SwatchAccessible::shownText() const
{
    return static_cast<Swatch *>(widget())->words();
}

} // namespace corvane
