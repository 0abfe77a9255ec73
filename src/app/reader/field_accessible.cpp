// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_accessible.h"

#include "controls/combo_box.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace corvane {

FieldAccessible::FieldAccessible(ComboBox *field)
    : QAccessibleWidget(field, QAccessible::ComboBox)
{
}

ComboBox *FieldAccessible::field() const
{
    return static_cast<ComboBox *>(widget());
}

QString FieldAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return field()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State FieldAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = field()->view()->isVisible();
    s.editable = field()->isEditable();
    return s;
}

void *FieldAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface && !field()->isEditable())
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int FieldAccessible::childCount() const
{
    return field()->isEditable() ? 2 : 1;
}

QAccessibleInterface *FieldAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(field()->view());
    if (index == 1 && field()->isEditable())
        return QAccessible::queryAccessibleInterface(field()->lineEdit());
    return nullptr;
}

int FieldAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child->object() == field()->view())
        return 0;
    if (field()->isEditable() && child->object() == field()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface *FieldAccessible::childAt(int x, int y) const
{
    if (!field()->isEditable())
        return nullptr;
    const QLineEdit *edit = field()->lineEdit();
    if (!QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y))
        return nullptr;
    return child(1);
}

QAccessibleInterface *FieldAccessible::focusChild() const
{
    // The edit line never has the focus itself: the field passes it key events.
    if (field()->isEditable() && field()->hasFocus())
        return child(1);
    return QAccessibleWidget::focusChild();
}

QStringList FieldAccessible::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void FieldAccessible::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction())
        return;
    if (field()->view()->isVisible())
        field()->hidePopup();
    else
        field()->showPopup();
}

QString FieldAccessible::shownText() const
{
    return field()->text();
}

} // namespace corvane
