// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "reader/tell.h"

#include <QAccessible>

namespace corvane {

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    // Never shown: a shown notification would be read out, empty, with the window.
    setVisible(false);
}

void Announcer::say(const QString &sentence)
{
    m_sentence = sentence;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    tell(shown);
}

} // namespace corvane
