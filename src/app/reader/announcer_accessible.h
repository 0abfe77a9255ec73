// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

namespace corvane {

class Announcer;

// The announcer as readers meet it: a notification named by the sentence it says.
class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer *announcer);

    QString text(QAccessible::Text t) const override;
};

} // namespace corvane
