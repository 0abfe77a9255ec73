// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform.h"

#include <QPointer>
#include <QWidget>

namespace corvane {

class QtPlatform final : public Platform {
public:
    // Dialogs are made modal to this window once it exists.
    void setParentWindow(QWidget *window) { m_parent = window; }

    Answer message(const QString &prompt, Buttons buttons, const QString &title = {}) override;
    DialogResult<QColor> chooseColor() override;
    DialogResult<QString> chooseFontFamily() override;
    DialogResult<QString> chooseSavePath(const SaveRequest &request) override;
    void setClipboardText(const QString &text) override;

private:
    QPointer<QWidget> m_parent;
    QColor m_lastColor = Qt::white; // the dialog reopens on the colour chosen last
};

} // namespace corvane
