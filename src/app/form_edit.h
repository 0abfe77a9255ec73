// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_controls.h"
#include "save/save_result.h"

#include <QMainWindow>

namespace corvane {

class Announcer;
class Platform;

// The one window. It reads its controls, hands their values to the plain
// functions that do the work, and writes the results back.
class Form_edit : public QMainWindow {
    Q_OBJECT
public:
    explicit Form_edit(Platform &platform, QWidget *parent = nullptr);
    ~Form_edit() override;

    FormControls &controls() { return ui; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Controls_ini();
    void Op_new_Click(int index);
    void Ch_de_Click(int index);
    void M_Write_Click();
    void ini_format();

    // The two colour fields work alike, each with its own swatch.
    struct ColourField {
        ComboBox *field;
        Swatch *swatch;
    };
    void colourField_Change(const ColourField &colour);
    void colourField_Click(const ColourField &colour);
    void pickColour(const ColourField &colour);
    void C_font_Click();
    void M_Save_Click();
    void save();
    save::SaveResult saveShowingBusy(const QString &path, const QByteArray &bytes);
    void M_Copy_Click();
    void M_Clear_Click();
    void refuseUnencodable(const QString &sheet, qsizetype at);
    void M_Quti_Click();
    void M_Ver_Click();

    Platform &m_platform;
    FormControls ui;
    Announcer *m_announcer;
};

} // namespace corvane
