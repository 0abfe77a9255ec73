// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_edit.h"
#include "scripted_platform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <memory>

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
