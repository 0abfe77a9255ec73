// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame.h"

#include <QEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace corvane {

Frame::Frame(const QString &title, const QFont &titleFont, QWidget *parent)
    : QGroupBox(parent)
    , m_titleFont(titleFont)
{
    // Set here rather than by QGroupBox's constructor, so that the margins Qt
    // computes from the title already go by its face.
    setTitle(title);
}

void Frame::focusFirstControl()
{
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this)) {
            w->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void Frame::leaveAccessKey()
{
    m_shownTitle = title();
    setTitle(QString(m_shownTitle).remove(u'&')); // a title without "&" grabs no key
}

void Frame::initStyleOption(QStyleOptionGroupBox *option) const
{
    QGroupBox::initStyleOption(option);
    option->text = shownTitle();
    // The style sizes the title, and the margin below it, by these metrics.
    option->fontMetrics = QFontMetrics(titleFont());
}

QSize Frame::minimumSizeHint() const
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QFontMetrics &metrics = option.fontMetrics;
    // As QGroupBox measures it: the title as set, "&" included, and a space.
    const QSize caption(metrics.horizontalAdvance(title()) + metrics.horizontalAdvance(u' '),
                        metrics.height());
    return style()
        ->sizeFromContents(QStyle::CT_GroupBox, &option, caption, this)
        .expandedTo(QWidget::minimumSizeHint());
}

void Frame::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setFont(titleFont());
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

bool Frame::event(QEvent *event)
{
    // The frame's only shortcut is the access key of its title.
    if (event->type() == QEvent::Shortcut) {
        emit mnemonicPressed();
        return true;
    }
    return QGroupBox::event(event);
}

} // namespace corvane
