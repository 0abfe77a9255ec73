// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reader/read_only_text.h"

#include <QAccessibleWidget>

namespace corvane {

class ComboBox;

// What a screen reader meets in a drop-down: its purpose as the name (the label beside it, or
// a name of its own), its text as the value, then its list and, when typed into, its edit line.
// Qt's own drop-downs on Linux give their text as the name, so a reader says the value first
// and calls an empty field by its frame's title.
class FieldAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit FieldAccessible(ComboBox *field);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

protected:
    // A list-only field's entry, which it shows selected while it has the focus.
    QString shownText() const override;
    bool shownSelected() const override { return true; }

private:
    ComboBox *field() const;
};

} // namespace corvane
