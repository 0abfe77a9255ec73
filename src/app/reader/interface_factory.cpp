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
#include "reader/screen_accessible.h"
#include "reader/screen_pixels.h"
#include "reader/swatch_accessible.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>

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

// Runs first: asks the other factories (and Qt) for an object's interface, then stands in for
// it. Qt's cache keeps both for the object and gives out the newer, the stand-in. At 100 %
// only the source pane's stand-in is made, for its characters' places; everything else is
// exactly what Qt makes.
QAccessibleInterface *onScreen(const QString &, QObject *object)
{
    static bool asking = false;
    if (asking || (!screensScaled() && !qobject_cast<QPlainTextEdit *>(object)))
        return nullptr;
    asking = true;
    QAccessibleInterface *inner = QAccessible::queryAccessibleInterface(object);
    asking = false;
    return inner ? ScreenAccessible::forObject(inner) : nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        QAccessible::installFactory(onScreen);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace corvane
