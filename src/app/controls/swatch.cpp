// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swatch.h"

#include <QFocusEvent>
#include <QPainter>

namespace corvane {

Swatch::Swatch(QWidget *parent)
    : QLineEdit(parent)
{
    setReadOnly(true);
    setColour(Qt::white, {});
}

void Swatch::setColour(const QColor &colour, const QString &words)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
    m_words = words.isEmpty() ? colour.name(QColor::HexRgb).toUpper() : words;
}

namespace {

// Halfway between the window's text and its background: it stands out of the window in a
// light scheme and a dark one alike, and out of a black swatch as of a white one.
QColor between(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

void Swatch::focusInEvent(QFocusEvent *)
{
    // Coming in by Tab, a line edit selects its (empty) text and moves its caret before the
    // focus is announced; a screen reader then takes the box for announced, and says nothing.
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&plain);
}

void Swatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour());
    painter.setPen(
        between(palette().color(QPalette::WindowText), palette().color(QPalette::Window)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace corvane
