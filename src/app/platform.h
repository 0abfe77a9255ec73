// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>

namespace corvane {

// The button sets a message box can carry; each one also fixes the icon.
enum class Buttons { OkInformation, OkCritical, YesNoCritical, OkPlain };

enum class Answer { Ok, Yes, No };

// What a modal dialog came back with: a value, the user's cancel, or a failure
// whose description is meant for the user.
template <typename T> struct DialogResult {
    enum class Status { Accepted, Cancelled, Failed };

    Status status = Status::Cancelled;
    T value{};
    QString error;

    static DialogResult accepted(T v) { return {Status::Accepted, std::move(v), {}}; }
    static DialogResult cancelled() { return {Status::Cancelled, T{}, {}}; }
    static DialogResult failed(QString why) { return {Status::Failed, T{}, std::move(why)}; }

    bool isAccepted() const { return status == Status::Accepted; }
    bool isCancelled() const { return status == Status::Cancelled; }
};

struct SaveRequest {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString proposedPath;
};

// Everything modal or outside the window goes through here, so that the
// window's logic can be driven by tests without a real dialog ever opening.
class Platform {
public:
    virtual ~Platform() = default;

    // A box without a title shows the application name.
    virtual Answer message(const QString &prompt, Buttons buttons, const QString &title = {}) = 0;
    virtual DialogResult<QColor> chooseColor() = 0;
    virtual DialogResult<QString> chooseFontFamily() = 0;
    virtual DialogResult<QString> chooseSavePath(const SaveRequest &request) = 0;
    virtual void setClipboardText(const QString &text) = 0;
};

} // namespace corvane
