#pragma once

#include "controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace corvane::testing {

// Replaces a field's text by typing, as a user would: ASCII key by key, other
// text committed whole by the input method, as Japanese arrives.
inline void typeInto(ComboBox *field, const QString &text)
{
    field->setFocus();
    field->lineEdit()->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
    } else if (QStringView(text).toLatin1() == text.toUtf8()) {
        QTest::keyClicks(field, text);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(field->lineEdit(), &commit);
    }
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

} // namespace corvane::testing
