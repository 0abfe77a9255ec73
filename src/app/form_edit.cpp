// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_edit.h"

#include "compose/selector_kinds.h"
#include "fields/catalogue.h"
#include "form_layout.h"
#include "platform.h"
#include "reader/announcer.h"
#include "reader/interface_factory.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace corvane {

namespace {

void fill(ComboBox *field, const fields::FieldList &list)
{
    for (int i = 0; i < list.entries.size(); ++i)
        field->addEntry(list.entries.at(i), i);
    if (list.firstPosition >= 0)
        field->setListIndex(list.firstPosition);
    else
        field->setText(list.firstText);
}

} // namespace

Form_edit::Form_edit(Platform &platform, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
{
    installAccessibility();
    buildForm(this, ui);
    m_announcer = new Announcer(this);

    connect(ui.Op_new, &OptionArray::clicked, this, &Form_edit::Op_new_Click);
    connect(ui.Ch_de, &CheckBoxArray::clicked, this, &Form_edit::Ch_de_Click);
    connect(ui.M_Write, &QAction::triggered, this, &Form_edit::M_Write_Click);
    connect(ui.M_Save, &QAction::triggered, this, &Form_edit::M_Save_Click);
    connect(ui.M_Copy, &QAction::triggered, this, &Form_edit::M_Copy_Click);
    connect(ui.M_Clear, &QAction::triggered, this, &Form_edit::M_Clear_Click);
    connect(ui.C_font, &ComboBox::clicked, this, &Form_edit::C_font_Click);
    for (const ColourField colour :
         {ColourField{ui.C_color, ui.T_color}, ColourField{ui.C_back, ui.T_back}}) {
        connect(colour.field, &ComboBox::changed, this, [=, this] { colourField_Change(colour); });
        connect(colour.field, &ComboBox::clicked, this, [=, this] { colourField_Click(colour); });
    }
    connect(ui.Com_c_c, &QPushButton::clicked, this, [this] {
        pickColour({ui.C_color, ui.T_color});
    });
    connect(ui.Com_c_b, &QPushButton::clicked, this, [this] {
        pickColour({ui.C_back, ui.T_back});
    });
    connect(ui.M_Quti, &QAction::triggered, this, &Form_edit::M_Quti_Click);
    connect(ui.M_Ver, &QAction::triggered, this, &Form_edit::M_Ver_Click);

    for (Frame *frame : {ui.Frame2, ui.Frame3, ui.Frame4})
        connect(frame, &Frame::mnemonicPressed, frame, &Frame::focusFirstControl);

    // Text fields claim Ctrl+Insert, Shift+Insert and Shift+Delete as copy, paste
    // and cut; here they are Write, Copy and Clear, wherever the focus is.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    ui.Text1->setText(QString());
    Controls_ini();
    ui.Op_new->select(int(compose::SelectorKind::NewClass));
}

Form_edit::~Form_edit()
{
    // The controls outlive this part of the window while Qt destroys them; what
    // they report then must not reach handlers of a window that is gone.
    for (QObject *control : findChildren<QObject *>()) {
        control->removeEventFilter(this);
        disconnect(control, nullptr, this, nullptr);
    }
}

bool Form_edit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *command : {ui.M_Write, ui.M_Copy, ui.M_Clear}) {
            if (command->shortcut() == pressed) {
                event->ignore(); // left unclaimed, the key reaches the menu command
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form_edit::Controls_ini()
{
    fill(ui.C_font, fields::fontFamilies());
    fill(ui.C_size, fields::sizes());
    fill(ui.C_s_unit, fields::units());
    fill(ui.C_style, fields::fontStyles());
    fill(ui.C_bold, fields::fontWeights());
    fill(ui.C_color, fields::colours());
    fill(ui.C_lineheight, fields::sizes());
    fill(ui.C_l_unit, fields::units());
    fill(ui.C_back, fields::colours());
}

void Form_edit::Op_new_Click(int index)
{
    // Every choice rebuilds the field: typed text and written names are dropped.
    ui.C_name->clearEntries();
    fill(ui.C_name, compose::selectorFieldFor(static_cast<compose::SelectorKind>(index)));
}

void Form_edit::M_Quti_Click()
{
    // Unsaved text is not asked about: quitting ends the program at once.
    close();
    QCoreApplication::quit();
}

void Form_edit::M_Ver_Click()
{
    m_platform.message(QStringLiteral("Version 0.10β\r\n\r\n"), Buttons::OkInformation,
                       QStringLiteral("Version Info"));
}

} // namespace corvane
