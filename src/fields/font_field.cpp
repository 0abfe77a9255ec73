// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The font field: "その他" opens the font dialog and takes the family alone,
// in the form a browser knows.
#include "fields/catalogue.h"
#include "form_edit.h"
#include "platform.h"

namespace corvane {

void Form_edit::C_font_Click()
{
    if (ui.C_font->listIndex() != fields::fontOtherPosition)
        return;
    const DialogResult<QString> chosen = m_platform.chooseFontFamily();
    if (chosen.isAccepted())
        ui.C_font->setText(fields::cssFontFamily(chosen.value));
    else if (chosen.isCancelled())
        ui.C_font->setText(QString());
    else // the field keeps "その他"; the user sees why and can choose again
        m_platform.message(chosen.error, Buttons::OkPlain);
}

} // namespace corvane
