// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/check_box_array.h"
#include "controls/combo_box.h"
#include "controls/frame.h"
#include "controls/option_array.h"
#include "controls/source_pane.h"
#include "controls/swatch.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStringList>

namespace corvane {

// Every control of the window under its own name. The window's whole state
// lives here: the style-sheet text, the field values and the registry of
// class names written so far.
struct FormControls {
    Frame *Frame1 = nullptr; // Font Style
    QLabel *Label1 = nullptr;
    ComboBox *C_font = nullptr;
    QLabel *Label2 = nullptr;
    ComboBox *C_size = nullptr;
    ComboBox *C_s_unit = nullptr;
    QLabel *Label3 = nullptr;
    ComboBox *C_style = nullptr;
    QLabel *Label5 = nullptr;
    ComboBox *C_bold = nullptr;
    QLabel *Label6 = nullptr;
    ComboBox *C_color = nullptr;
    Swatch *T_color = nullptr;
    QPushButton *Com_c_c = nullptr;
    QLabel *Label4 = nullptr;
    ComboBox *C_lineheight = nullptr;
    ComboBox *C_l_unit = nullptr;
    QLabel *Label7 = nullptr;
    ComboBox *C_back = nullptr;
    Swatch *T_back = nullptr;
    QPushButton *Com_c_b = nullptr;

    Frame *Frame2 = nullptr; // Decoration Style
    CheckBoxArray *Ch_de = nullptr;

    Frame *Frame3 = nullptr; // New Style
    OptionArray *Op_new = nullptr;
    ComboBox *C_name = nullptr;

    Frame *Frame4 = nullptr; // Source
    SourcePane *Text1 = nullptr;

    // Class names written so far, newest first. Never shown, never emptied.
    QStringList old_Name;

    // The save dialog's settings; FileName becomes each path the user chooses.
    struct CommonDialog {
        QString DialogTitle = QStringLiteral("スタイルの保存");
        QString Filter = QStringLiteral("CSS ファイル (*.css)");
        QString DefaultExt = QStringLiteral("css");
        QString FileName = QStringLiteral("default");
    } common;

    QMenu *M_File = nullptr;
    QAction *M_Save = nullptr;
    QAction *M_1 = nullptr;
    QAction *M_Quti = nullptr;
    QMenu *M_Edit = nullptr;
    QAction *M_Write = nullptr;
    QAction *M_Copy = nullptr;
    QAction *M_2 = nullptr;
    QAction *M_Clear = nullptr;
    QMenu *M_Help = nullptr;
    QAction *M_Ver = nullptr;
};

} // namespace corvane
