// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Write command, the field reset that follows it, and the decoration boxes
// whose ticks it reads.
#include "compose/rule.h"
#include "compose/selector_kinds.h"
#include "form_edit.h"
#include "platform.h"
#include "reader/announcer.h"

namespace corvane {

namespace {

constexpr int decorationNone = 4;

} // namespace

void Form_edit::M_Write_Click()
{
    if (ui.C_name->text().isEmpty()) {
        m_platform.message(QStringLiteral("クラス名・タグ・セレクタ名が未入力です。"),
                           Buttons::OkCritical, QStringLiteral("未入力エラー"));
        return;
    }

    const bool newClass = ui.Op_new->value(int(compose::SelectorKind::NewClass));
    // The dot goes on first, so that "foo" is checked as the ".foo" it becomes;
    // the field keeps it even when the rule is refused below.
    if (newClass) {
        const QString dotted = compose::classSelector(ui.C_name->text());
        if (dotted != ui.C_name->text())
            ui.C_name->setText(dotted);
    }

    if (ui.old_Name.contains(ui.C_name->text())) {
        m_platform.message(QStringLiteral("同じ名前は、使えません。"), Buttons::OkCritical,
                           QStringLiteral("重複エラー"));
        return;
    }

    compose::RuleFields fields;
    fields.selector = ui.C_name->text();
    fields.fontFamily = ui.C_font->text();
    fields.fontSize = ui.C_size->text();
    fields.sizeUnit = ui.C_s_unit->text();
    fields.fontStyle = ui.C_style->text();
    fields.fontStylePosition = ui.C_style->listIndex();
    fields.fontWeight = ui.C_bold->text();
    fields.colour = ui.C_color->text();
    fields.lineHeight = ui.C_lineheight->text();
    fields.lineHeightUnit = ui.C_l_unit->text();
    fields.background = ui.C_back->text();
    for (int i = 0; i < ui.Ch_de->size(); ++i)
        fields.decorations.at(i) = ui.Ch_de->value(i);

    const QString rule = compose::composeRule(fields);
    if (rule.isEmpty()) {
        m_platform.message(QStringLiteral("スタイルが定義されていません。"), Buttons::OkInformation,
                           QStringLiteral("未定義"));
        return;
    }

    ui.Text1->appendAtEnd(rule);
    ini_format();

    if (newClass) {
        const QString name = ui.C_name->text();
        ui.old_Name.prepend(name);
        ui.C_name->addEntry(name, 0);
        ui.C_name->setText(name + u'0'); // the next name on offer
    }
    // Heard without leaving the selector field, after what the reset and the new name said.
    m_announcer->say(rule.trimmed());
}

void Form_edit::ini_format()
{
    ui.C_font->setText(QString());
    ui.C_size->setText(QString());
    ui.C_s_unit->setText(ui.C_s_unit->entry(1));
    ui.C_style->setText(QString());
    ui.C_bold->setText(QString());
    ui.C_color->setText(QString());
    ui.C_lineheight->setText(QString());
    ui.C_l_unit->setText(ui.C_l_unit->entry(1));
    ui.C_back->setText(QString());
    ui.C_name->setFocus();
}

void Form_edit::Ch_de_Click(int index)
{
    // "None" excludes the other four. Clearing it raises its own click, which
    // clears all four, this box too; so the box is ticked again afterwards.
    if (index < decorationNone) {
        if (ui.Ch_de->value(index)) {
            ui.Ch_de->setValue(decorationNone, false);
            ui.Ch_de->setValue(index, true);
        }
    } else if (index == decorationNone) {
        for (int i = 0; i < decorationNone; ++i)
            ui.Ch_de->setValue(i, false);
    }
}

} // namespace corvane
