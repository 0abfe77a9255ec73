// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace corvane::save {

// What a save came to, and the one message the user is shown for it: nothing when the file
// is saved; a message that names the file when the save is done but something must still be
// told (a file it could not remove); the reason when it is refused.
class SaveResult {
public:
    enum class Outcome { Saved, SavedWithNote, Refused };

    static SaveResult saved() { return {Outcome::Saved, {}}; }
    static SaveResult savedBut(const QString &path, const QString &what);
    static SaveResult refused(const QString &path, const QString &why);

    // Another line of the message.
    SaveResult &also(const QString &line)
    {
        m_message += QStringLiteral("\r\n") + line;
        return *this;
    }

    Outcome outcome() const { return m_outcome; }
    bool isRefused() const { return m_outcome == Outcome::Refused; }
    const QString &message() const { return m_message; }

private:
    SaveResult(Outcome outcome, QString message)
        : m_outcome(outcome)
        , m_message(std::move(message))
    {
    }

    Outcome m_outcome;
    QString m_message;
};

} // namespace corvane::save
