// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace corvane {

// Says a sentence to screen readers without moving the keyboard focus: an unseen notification,
// which readers speak when it reports itself shown.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget *window);

    void say(const QString &sentence);
    QString sentence() const { return m_sentence; }

private:
    QString m_sentence;
};

} // namespace corvane
