// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <tuple>

namespace corvane::testing {

using ShownMessage = std::tuple<QString, Buttons, QString>; // prompt, buttons, title

// Every box the window shows with a text of its own; its buttons fix its icon.
namespace box {
const ShownMessage noName{"クラス名・タグ・セレクタ名が未入力です。", Buttons::OkCritical,
                          "未入力エラー"};
const ShownMessage usedName{"同じ名前は、使えません。", Buttons::OkCritical, "重複エラー"};
const ShownMessage noStyle{"スタイルが定義されていません。", Buttons::OkInformation, "未定義"};
const ShownMessage noSheetToSave{"スタイルを作成してから、保存してください。",
                                 Buttons::OkInformation, "保存エラー"};
const ShownMessage noSheetToCopy{"スタイルを作成してから、コピーをしてください。",
                                 Buttons::OkInformation, "コピーエラー"};
const ShownMessage clear{"スタイルをクリアしますか？", Buttons::YesNoCritical, "消去確認"};
const ShownMessage version{"Version 0.10β\r\n\r\n", Buttons::OkInformation, "Version Info"};
} // namespace box

// Records every box and dialog and answers as scripted: else OK (No to a question), or cancel.
class ScriptedPlatform final : public Platform {
public:
    QList<ShownMessage> messages;
    QList<Answer> answers;
    QList<DialogResult<QColor>> colourResults;
    QList<DialogResult<QString>> fontResults, saveResults;
    QList<SaveRequest> saveRequests;
    QStringList clipboardTexts;
    int colourDialogs = 0, fontDialogs = 0, saveDialogs = 0;
    std::function<void()> onMessage; // runs as a box is shown, to see the window then

    Answer message(const QString &prompt, Buttons buttons, const QString &title = {}) override
    {
        messages.append({prompt, buttons, title});
        if (onMessage)
            onMessage();
        const Answer unscripted = buttons == Buttons::YesNoCritical ? Answer::No : Answer::Ok;
        return answers.isEmpty() ? unscripted : answers.takeFirst();
    }
    DialogResult<QColor> chooseColor() override { return next(colourResults, colourDialogs); }
    DialogResult<QString> chooseFontFamily() override { return next(fontResults, fontDialogs); }
    DialogResult<QString> chooseSavePath(const SaveRequest &request) override
    {
        saveRequests.append(request);
        return next(saveResults, saveDialogs);
    }
    void setClipboardText(const QString &text) override { clipboardTexts.append(text); }

private:
    template <typename T> static DialogResult<T> next(QList<DialogResult<T>> &results, int &opened)
    {
        ++opened;
        return results.isEmpty() ? DialogResult<T>::cancelled() : results.takeFirst();
    }
};

} // namespace corvane::testing
