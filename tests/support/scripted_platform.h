#pragma once

#include "platform.h"

#include <QList>
#include <QStringList>

namespace corvane::testing {

struct ShownMessage {
    QString prompt;
    Buttons buttons;
    QString title;
};

// Records every box and dialog and answers as the test scripted it. Unscripted
// boxes answer OK, or No when they ask; unscripted dialogs are cancelled.
class ScriptedPlatform final : public Platform {
public:
    QList<ShownMessage> messages;
    QList<Answer> answers;

    QList<DialogResult<QColor>> colourResults;
    int colourDialogs = 0;

    QList<DialogResult<QString>> fontResults;
    int fontDialogs = 0;

    QList<DialogResult<QString>> saveResults;
    QList<SaveRequest> saveRequests;

    QStringList clipboardTexts;

    Answer message(const QString &prompt, Buttons buttons, const QString &title = {}) override
    {
        messages.append({prompt, buttons, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNoCritical ? Answer::No : Answer::Ok;
    }

    DialogResult<QColor> chooseColor() override
    {
        ++colourDialogs;
        return next(colourResults);
    }

    DialogResult<QString> chooseFontFamily() override
    {
        ++fontDialogs;
        return next(fontResults);
    }

    DialogResult<QString> chooseSavePath(const SaveRequest &request) override
    {
        saveRequests.append(request);
        return next(saveResults);
    }

    void setClipboardText(const QString &text) override { clipboardTexts.append(text); }

private:
    template <typename T> static DialogResult<T> next(QList<DialogResult<T>> &results)
    {
        return results.isEmpty() ? DialogResult<T>::cancelled() : results.takeFirst();
    }
};

} // namespace corvane::testing
