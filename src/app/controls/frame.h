// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>

#include <optional>

namespace corvane {

// A frame that reports its access key instead of acting on it, so that the
// window decides where the key leads.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
    // A title drawn in a face of its own. Only the title: the controls inside
    // keep the window's font, and setting no font on the frame spares Qt
    // passing one down to each of them.
    Frame(const QString &title, const QFont &titleFont, QWidget *parent);

    QFont titleFont() const { return m_titleFont.value_or(font()); }

    // QGroupBox measures the title in the frame's own font; this one goes by the title's face.
    QSize minimumSizeHint() const override;

    // The first control in tab order, not the one that had the focus last.
    void focusFirstControl();

    // Leaves the title's access key to another control (a menu): it is still
    // drawn underlined, but the frame no longer takes the key.
    void leaveAccessKey();
    // The title as drawn, access key marked with "&".
    QString shownTitle() const { return m_shownTitle.isEmpty() ? title() : m_shownTitle; }

signals:
    void mnemonicPressed();

protected:
    bool event(QEvent *event) override;
    void initStyleOption(QStyleOptionGroupBox *option) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_shownTitle;
    std::optional<QFont> m_titleFont;
};

} // namespace corvane
