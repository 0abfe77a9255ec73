// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QMenu;

namespace corvane {

// A menu command as a screen reader meets it, with the keys that reach it: its access key, and
// the shortcut shown beside it. Qt's own menu items give the shortcut alone, in a form that
// readers take for the access path and leave unsaid.
class CommandAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CommandAccessible(QMenu *menu, QAction *command);

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // "<access key>;<path>;<shortcut>", as AT-SPI readers split a key binding.
    static QStringList keyBindings(const QAction *command);

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_command;
};

} // namespace corvane
