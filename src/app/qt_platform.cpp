// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace corvane {

Answer QtPlatform::message(const QString &prompt, Buttons buttons, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    // Prompts quote file names and the user's text, which Qt would otherwise take for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    switch (buttons) {
    case Buttons::OkInformation:
        box.setIcon(QMessageBox::Information);
        break;
    case Buttons::OkCritical:
    case Buttons::YesNoCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Buttons::OkPlain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (buttons == Buttons::YesNoCritical) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

DialogResult<QColor> QtPlatform::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(m_lastColor, m_parent);
    if (!chosen.isValid())
        return DialogResult<QColor>::cancelled();
    m_lastColor = chosen;
    return DialogResult<QColor>::accepted(chosen);
}

DialogResult<QString> QtPlatform::chooseFontFamily()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_parent);
    if (!ok)
        return DialogResult<QString>::cancelled();
    return DialogResult<QString>::accepted(font.family());
}

DialogResult<QString> QtPlatform::chooseSavePath(const SaveRequest &request)
{
    QFileDialog dialog(m_parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return DialogResult<QString>::cancelled();
    return DialogResult<QString>::accepted(dialog.selectedFiles().constFirst());
}

void QtPlatform::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

} // namespace corvane
