// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reader/screen_accessible.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>

using namespace corvane;
using namespace corvane::testing;

// Run by CTest at a scale factor of 2 and of 1.
class TestScreenPlaces : public WindowTest {
    Q_OBJECT

    static bool standsIn(QAccessibleInterface *iface)
    {
        return dynamic_cast<ScreenAccessible *>(iface) != nullptr;
    }

private slots:
    // Readers name an object by its interface's id: each must stay one object while its widget
    // or list entry lives, go with it, and be found again from its parent; at 100 % nothing but
    // the source pane has a stand-in, so readers meet exactly Qt's interfaces.
    void oneInterfaceEach()
    {
        const bool scaled = form->screen()->devicePixelRatio() != 1.0;
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 form, ui->C_font, ui->C_font->lineEdit(), ui->C_s_unit, ui->Text1}) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
            QCOMPARE(QAccessible::queryAccessibleInterface(widget), iface);
            QCOMPARE(standsIn(iface), scaled || widget == ui->Text1);
            QCOMPARE(iface->object(), widget);
            // The pane's neighbours too are Qt's own at 100 %.
            QAccessibleInterface *parent = iface->parent();
            QCOMPARE(standsIn(parent), scaled);
            QCOMPARE(parent->child(parent->indexOfChild(iface)), iface);
        }

        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(ui->C_s_unit)->child(0);
        QAccessibleInterface *entry = list->child(1);
        const QAccessible::Id id = QAccessible::uniqueId(entry);
        QCOMPARE(standsIn(entry), scaled);
        QCOMPARE(list->child(1), entry);
        QCOMPARE(list->indexOfChild(entry), 1);
        QCOMPARE(list->tableInterface()->cellAt(1, 0), entry);
        QCOMPARE(entry->parent(), list);
        // A field that goes takes its stand-in, what it stood for, and its entries' with it
        // (the next time any list is read).
        QAccessibleInterface *field = QAccessible::queryAccessibleInterface(ui->C_l_unit);
        const QAccessible::Id ids[] = {QAccessible::uniqueId(field),
                                       QAccessible::uniqueId(field->child(0)->child(1))};
        delete ui->C_l_unit;
        QCOMPARE(list->child(1), entry);
        for (QAccessible::Id gone : ids)
            QVERIFY(!QAccessible::accessibleInterface(gone));
        QCOMPARE(QAccessible::accessibleInterface(id), entry);
    }

    // Places in the screen's pixels: the field's edit line is found at its own centre, and each
    // character of a pane's second line lies below the first line and is found at its centre.
    void places()
    {
        const qreal ratio = form->screen()->devicePixelRatio();
        QLineEdit *edit = ui->C_font->lineEdit();
        const QPoint centre = (edit->mapToGlobal(edit->rect().center()).toPointF() * ratio)
                                  .toPoint(); // screen at 0,0
        QCOMPARE(QAccessible::queryAccessibleInterface(ui->C_font)->childAt(centre.x(), centre.y()),
                 QAccessible::queryAccessibleInterface(edit));
        QCOMPARE(QAccessible::queryAccessibleInterface(form)->rect().size(), form->size() * ratio);

        ui->Text1->setPlainText("A\nBC");
        QAccessibleTextInterface *text =
            QAccessible::queryAccessibleInterface(ui->Text1)->textInterface();
        const QRect first = text->characterRect(0);
        for (int offset : {2, 3}) {
            const QRect place = text->characterRect(offset);
            QVERIFY2(place.top() >= first.bottom(), qPrintable(QString::number(offset)));
            QCOMPARE(text->offsetAtPoint(place.center()), offset);
        }
        QCOMPARE(text->characterRect(2).right() + 1, text->characterRect(3).left());
        QCOMPARE(text->offsetAtPoint(QPoint(-5, -5)), -1);
    }
};

QTEST_MAIN(TestScreenPlaces)
#include "tst_screen_places.moc"
