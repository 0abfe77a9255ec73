#pragma once

#include "platform.h"

#include <QList>
#include <QStringList>

#include <tuple>

namespace corvane::testing {

using ShownMessage = std::tuple<QString, Buttons, QString>; // prompt, buttons, title

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

    Answer message(const QString &prompt, Buttons buttons, const QString &title = {}) override
    {
        messages.append({prompt, buttons, title});
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
