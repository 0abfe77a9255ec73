// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer_accessible.h"

#include "reader/announcer.h"

namespace corvane {

AnnouncerAccessible::AnnouncerAccessible(Announcer *announcer)
    : QAccessibleWidget(announcer, QAccessible::Notification)
{
}

QString AnnouncerAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? static_cast<Announcer *>(widget())->sentence() : QString();
}

} // namespace corvane
