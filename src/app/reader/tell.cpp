// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tell.h"

#include <QAccessible>

namespace corvane {

void tell(QAccessibleEvent &event)
{
    if (onTold)
        onTold(event);
    QAccessible::updateAccessibility(&event);
}

} // namespace corvane
