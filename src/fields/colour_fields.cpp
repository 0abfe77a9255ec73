// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colour fields: each swatch follows its field's text, and "その他" or the
// swatch's button opens the colour dialog.
#include "fields/catalogue.h"
#include "fields/colour.h"
#include "form_edit.h"
#include "platform.h"

namespace corvane {

void Form_edit::colourField_Change(const ColourField &colour)
{
    // Past seven characters the text is no colour a user is still typing.
    if (fields::visibleLength(colour.field->text()) <= 7)
        colourField_Click(colour);
}

void Form_edit::colourField_Click(const ColourField &colour)
{
    if (colour.field->listIndex() == fields::colourOtherPosition) {
        pickColour(colour);
        return;
    }
    // A "#" text with a non-hexadecimal character leaves the swatch as it was.
    if (const auto number = fields::c_conv(colour.field->text()))
        colour.swatch->setColour(fields::toQColor(*number), colour.field->text());
}

void Form_edit::pickColour(const ColourField &colour)
{
    const DialogResult<QColor> chosen = m_platform.chooseColor();
    if (chosen.isCancelled()) {
        colour.field->setText(QString()); // the swatch turns white with it
        return;
    }
    if (!chosen.isAccepted()) {
        m_platform.message(chosen.error, Buttons::OkPlain);
        return;
    }
    const fields::ColourNumber number = fields::colourNumber(chosen.value);
    colour.field->setText(fields::hexColourText(number));
    colour.swatch->setColour(fields::toQColor(number), colour.field->text());
}

} // namespace corvane
