// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "interface_factory.h"

#include "controls/combo_box.h"
#include "controls/swatch.h"
#include "reader/announcer.h"
#include "reader/announcer_accessible.h"
#include "reader/command_accessible.h"
#include "reader/field_accessible.h"
#include "reader/message_box_accessible.h"
#include "reader/swatch_accessible.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

namespace corvane {

namespace {

QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (auto *field = qobject_cast<ComboBox *>(object))
        return new FieldAccessible(field);
    if (auto *swatch = qobject_cast<Swatch *>(object))
        return new SwatchAccessible(swatch);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AnnouncerAccessible(announcer);
    if (auto *box = qobject_cast<QMessageBox *>(object))
        return new MessageBoxAccessible(box);
    if (auto *command = qobject_cast<QAction *>(object)) {
        auto *menu = qobject_cast<QMenu *>(command->parent());
        if (menu && !command->isSeparator() && !command->menu())
            return new CommandAccessible(menu, command);
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace corvane
