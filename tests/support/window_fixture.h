// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_edit.h"
#include "reader/tell.h"
#include "scripted_platform.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <memory>
#include <utility>

namespace corvane::testing {

// Replaces a field's text as typing does, whole, the way an input method commits it.
inline void typeInto(ComboBox *field, const QString &text)
{
    field->setFocus();
    field->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field->lineEdit(), &commit);
}

// Opens the field's list and clicks the entry with the mouse.
inline bool pickFromList(ComboBox *field, int position)
{
    field->showPopup();
    QAbstractItemView *view = field->view();
    if (!QTest::qWaitForWindowExposed(view->window()))
        return false;
    const QRect item = view->visualRect(view->model()->index(position, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    return QTest::qWaitFor([view] { return !view->window()->isVisible(); });
}

// What a screen reader is told while one of these lives, as Qt hands it to the accessibility
// bus: the events readers speak from, one line each.
class Heard {
public:
    Heard() { onTold = record; }
    ~Heard() { onTold = nullptr; }
    QStringList take() { return std::exchange(lines(), {}); }

private:
    static QStringList &lines()
    {
        static QStringList heard;
        return heard;
    }
    static void record(QAccessibleEvent &told)
    {
        const QAccessibleEvent *event = &told;
        QAccessibleInterface *iface = event->accessibleInterface();
        switch (event->type()) {
        case QAccessible::TextInserted:
            // Said when the inserted text is what the field shows selected.
            if (QAccessibleTextInterface *text = iface->textInterface();
                text && text->selectionCount()) {
                int start = 0, end = 0;
                text->selection(0, &start, &end);
                lines() << event->object()->objectName() + ": " + text->text(start, end);
            }
            break;
        case QAccessible::ObjectShow:
            if (iface->role() == QAccessible::Notification)
                lines() << "notification: " + iface->text(QAccessible::Name);
            break;
        default:
            break;
        }
    }
};

// A fresh, shown window for every test function, on a platform that records its boxes.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<ScriptedPlatform> platform;
    Form_edit *form = nullptr;
    FormControls *ui = nullptr;

    void write() { ui->M_Write->trigger(); }
    // What a set of fields shows, with the selected position: "red@0", "12@-1"; and
    // Qt's own index where it differs, which the keys and screen readers go by: "@-1 qt 3".
    static QStringList shown(std::initializer_list<ComboBox *> fields)
    {
        QStringList texts;
        for (ComboBox *field : fields) {
            texts << field->text() + u'@' + QString::number(field->listIndex());
            if (field->currentIndex() != field->listIndex())
                texts.last() += " qt " + QString::number(field->currentIndex());
        }
        return texts;
    }

private slots:
    void init()
    {
        platform = std::make_unique<ScriptedPlatform>();
        form = new Form_edit(*platform);
        ui = &form->controls();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
    void cleanup() { delete form; }
};

} // namespace corvane::testing
