// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include "announcer.h"
#include "command_accessible.h"
#include "controls.h"
#include "field_accessible.h"
#include "read_only_text.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMessageBox>

namespace corvane {

namespace {

// A box that reports a fault is an alert; one that only informs is a dialog. Qt calls every
// message box an alert, so a reader gives a stop box and an information box the same word.
class MessageBoxAccessible : public QAccessibleWidget {
public:
    explicit MessageBoxAccessible(QMessageBox *box)
        : QAccessibleWidget(box)
    {
    }

    // Asked each time: the icon may be set after a reader first met the box.
    QAccessible::Role role() const override
    {
        const QMessageBox::Icon icon = static_cast<QMessageBox *>(widget())->icon();
        return icon == QMessageBox::Critical || icon == QMessageBox::Warning
                   ? QAccessible::AlertMessage
                   : QAccessible::Dialog;
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<QMessageBox *>(widget());
        if (t == QAccessible::Value)
            return box->text();
        // Readers say a dialog's description after its title, but its text only when it runs
        // to three words; an alert's text they say anyway.
        if (t == QAccessible::Description && role() == QAccessible::Dialog)
            return box->text();
        return QAccessibleWidget::text(t);
    }
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<Announcer *>(widget())->sentence() : QString();
    }
};

// A swatch is read as text: its colour in words.
class SwatchAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit SwatchAccessible(Swatch *swatch)
        : QAccessibleWidget(swatch, QAccessible::EditableText)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shownText() : QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

protected:
    QString shownText() const override { return static_cast<Swatch *>(widget())->words(); }
    bool shownSelected() const override { return false; }
};

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
