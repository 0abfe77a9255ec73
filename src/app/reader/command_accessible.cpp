// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_accessible.h"

#include <QAction>
#include <QMenu>

namespace corvane {

namespace {

// "書き出し(&W)" is said "書き出し(W)"; "&&" stands for one "&".
QString withoutMarks(const QString &caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption.at(i);
    }
    return plain;
}

QString accessKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            if (caption.at(i + 1) != u'&')
                return caption.at(i + 1).toUpper();
            ++i;
        }
    }
    return {};
}

} // namespace

CommandAccessible::CommandAccessible(QMenu *menu, QAction *command)
    : m_menu(menu)
    , m_command(command)
{
}

bool CommandAccessible::isValid() const
{
    return m_menu && m_command;
}

QObject *CommandAccessible::object() const
{
    return m_command;
}

QWindow *CommandAccessible::window() const
{
    return m_menu->windowHandle();
}

QAccessibleInterface *CommandAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_menu);
}

QString CommandAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return withoutMarks(m_command->text());
    case QAccessible::Accelerator:
        return m_command->shortcut().toString(QKeySequence::NativeText);
    default:
        return {};
    }
}

QRect CommandAccessible::rect() const
{
    const QRect area = m_menu->actionGeometry(m_command);
    return {m_menu->mapToGlobal(area.topLeft()), area.size()};
}

QAccessible::State CommandAccessible::state() const
{
    QAccessible::State s;
    s.focusable = true;
    s.invisible = !m_menu->isVisible() || !m_command->isVisible();
    s.focused = m_menu->activeAction() == m_command;
    s.disabled = !m_command->isEnabled();
    return s;
}

void *CommandAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList CommandAccessible::actionNames() const
{
    return {pressAction()};
}

void CommandAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && m_command->isEnabled()) {
        m_menu->hide();
        m_command->trigger();
    }
}

QStringList CommandAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName != pressAction())
        return {};
    return keyBindings(m_command);
}

QStringList CommandAccessible::keyBindings(const QAction *command)
{
    return {accessKey(command->text()), QString(),
            command->shortcut().toString(QKeySequence::NativeText)};
}

} // namespace corvane
