// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Save, Copy and Clear: what leaves the window, and the one way to empty it.
#include "form_edit.h"
#include "output/style_sheet.h"
#include "platform.h"
#include "save/replace_file.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScopeGuard>

#include <new>

namespace corvane {

void Form_edit::M_Save_Click()
{
    // However large the sheet, a save that runs out of memory is refused and the sheet
    // stays in the window.
    try {
        save();
    } catch (const std::bad_alloc &) {
        m_platform.message(QStringLiteral("メモリーが足りません。"), Buttons::OkPlain);
    }
}

void Form_edit::save()
{
    if (ui.Text1->text().isEmpty()) {
        m_platform.message(QStringLiteral("スタイルを作成してから、保存してください。"),
                           Buttons::OkInformation, QStringLiteral("保存エラー"));
        return;
    }

    // Encoded before the user picks a file: a text that cannot be saved whole
    // is not saved at all, and nothing is written.
    const QString sheet = ui.Text1->text();
    const output::Encoded file = output::styleSheetFile(sheet);
    if (file.unencodableAt >= 0) {
        refuseUnencodable(sheet, file.unencodableAt);
        return;
    }

    const DialogResult<QString> chosen = m_platform.chooseSavePath(
        {ui.common.DialogTitle, ui.common.Filter, ui.common.DefaultExt, ui.common.FileName});
    if (chosen.isCancelled())
        return;
    if (!chosen.isAccepted()) {
        m_platform.message(chosen.error, Buttons::OkPlain);
        return;
    }
    ui.common.FileName = chosen.value;

    const save::SaveResult result = saveShowingBusy(chosen.value, file.bytes);
    if (result.outcome() != save::SaveResult::Outcome::Saved)
        m_platform.message(result.message(), Buttons::OkPlain);
}

save::SaveResult Form_edit::saveShowingBusy(const QString &path, const QByteArray &bytes)
{
    const save::SaveResult result = [&] {
        // The save holds the window's thread, on a share for as long as the link takes: the
        // pointer says so, and the window is drawn, before it starts. Keys and clicks
        // meanwhile wait in the window system's queue.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return save::replaceFile(path, bytes);
    }();
    // They go where they were aimed, before a box that follows can take them.
    QCoreApplication::processEvents();
    return result;
}

void Form_edit::refuseUnencodable(const QString &sheet, qsizetype at)
{
    const qsizetype lineStart = at == 0 ? 0 : sheet.lastIndexOf(u'\n', at - 1) + 1;
    const int line = int(sheet.left(lineStart).count(u'\n')) + 1;
    const QStringView before = QStringView(sheet).mid(lineStart, at - lineStart);
    const int column = int(before.toUcs4().size()) + 1;

    const bool pair = at + 1 < sheet.size() && sheet.at(at).isHighSurrogate() &&
                      sheet.at(at + 1).isLowSurrogate();
    const QString character = sheet.mid(at, pair ? 2 : 1);
    const char32_t code =
        pair ? QChar::surrogateToUcs4(sheet.at(at), sheet.at(at + 1)) : sheet.at(at).unicode();
    // A lone surrogate, a blank or a control character has nothing to show.
    const QChar first = character.at(0);
    const bool invisible = (!pair && first.isSurrogate()) || first.isSpace() ||
                           first.category() == QChar::Other_Control;
    const QString shown = invisible ? QString() : QStringLiteral("「%1」").arg(character);

    m_platform.message(
        QStringLiteral("%1 行 %2 文字目の文字 U+%3%4 は Shift_JIS で保存できません。\r\n"
                       "この文字を書き換えてから、もう一度保存してください。")
            .arg(line)
            .arg(column)
            .arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'), shown),
        Buttons::OkPlain);

    // Show the character in the pane, selected.
    QTextCursor cursor(ui.Text1->document());
    const int position = SourcePane::positionOf(sheet, at);
    cursor.setPosition(position);
    cursor.setPosition(position + int(character.size()), QTextCursor::KeepAnchor);
    ui.Text1->setTextCursor(cursor);
    ui.Text1->setFocus();
}

void Form_edit::M_Copy_Click()
{
    if (ui.Text1->text().isEmpty()) {
        m_platform.message(QStringLiteral("スタイルを作成してから、コピーをしてください。"),
                           Buttons::OkInformation, QStringLiteral("コピーエラー"));
        return;
    }
    m_platform.setClipboardText(output::styleBlock(ui.Text1->text()));
}

void Form_edit::M_Clear_Click()
{
    const Answer answer = m_platform.message(QStringLiteral("スタイルをクリアしますか？"),
                                             Buttons::YesNoCritical, QStringLiteral("消去確認"));
    if (answer == Answer::Yes)
        ui.Text1->setText(QString()); // undoable, like any edit of the pane
}

} // namespace corvane
