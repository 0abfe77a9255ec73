// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace corvane {

// A read-only box that shows a colour and nothing else; screen readers read the colour in words.
class Swatch : public QLineEdit {
    Q_OBJECT
public:
    explicit Swatch(QWidget *parent = nullptr);

    QColor colour() const { return palette().color(QPalette::Base); }
    QString words() const { return m_words; }
    // `words` as the user wrote the colour ("blue", "#00f"); without them, its hexadecimal form.
    void setColour(const QColor &colour, const QString &words);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_words;
};

} // namespace corvane
