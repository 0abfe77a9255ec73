// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QAccessible>

using namespace corvane;
using namespace corvane::testing;

class TestReader : public WindowTest {
    Q_OBJECT

private slots:
    // What a screen reader is told beyond names: a pick in a list-only field, by key or command,
    // as text that shows selected, while the field has the focus (from the list, the field is
    // read again as it gets the focus back, the new entry with it); an editable field's
    // text selected by Tab only once the field is announced; each swatch's colour in words;
    // menus by name, and their commands with their keys.
    void screenReader()
    {
        Heard heard;
        ui->C_s_unit->setFocus();
        QTest::keyClick(ui->C_s_unit, Qt::Key_Down);
        QTest::keyClick(ui->C_s_unit, Qt::Key_Up);
        ui->C_style->setFocus();
        QVERIFY(pickFromList(ui->C_style, 1));
        QVERIFY(ui->C_style->hasFocus());
        QCOMPARE(QAccessible::queryAccessibleInterface(ui->C_style)->text(QAccessible::Value),
                 "斜体(イタリック)");
        QCoreApplication::processEvents(); // as a next key would come
        QTest::keyClick(ui->C_style, Qt::Key_Up);
        ui->C_l_unit->setFocus();
        ui->C_l_unit->setListIndex(3);
        typeInto(ui->C_name, ".a");
        ui->C_s_unit->setListIndex(0); // unfocused: nothing said
        ui->C_l_unit->setFocus();
        write(); // the reset puts the focused unit back to pt, then the focus moves on
        QCOMPARE(heard.take(),
                 (QStringList{"C_s_unit: mm", "C_s_unit: pt", "C_style: 標準", "C_l_unit: cm",
                              "C_l_unit: pt", "notification: .a { FONT-STYLE : normal }"}));
        ui->Op_new->at(2)->setFocus();
        QTest::keyClick(ui->Op_new->at(2), Qt::Key_Tab);
        QVERIFY(ui->C_name->hasFocus() && !ui->C_name->lineEdit()->hasSelectedText());
        QTRY_COMPARE(ui->C_name->lineEdit()->selectedText(), ".a0");

        // The colour the field holds, as written: a name, typed text, a pick in the dialog.
        QStringList swatches;
        const auto swatch = [&swatches](Swatch *s) {
            swatches << QAccessible::queryAccessibleInterface(s)->text(QAccessible::Value);
        };
        ui->C_color->setListIndex(1);
        swatch(ui->T_color);
        typeInto(ui->C_back, "#f0c");
        swatch(ui->T_back);
        typeInto(ui->C_back, "dk red"); // no colour Corvane knows: the swatch turns white
        swatch(ui->T_back);
        platform->colourResults = {DialogResult<QColor>::accepted(QColor(1, 2, 3))};
        ui->C_color->setListIndex(7);
        swatch(ui->T_color);
        typeInto(ui->C_color, "");
        swatch(ui->T_color);
        QCOMPARE(swatches, (QStringList{"blue", "#f0c", "dk red", "#010203", "#FFFFFF"}));
        // Read as one line, in one run of attributes, which readers join into the line they say.
        QAccessibleTextInterface *line =
            QAccessible::queryAccessibleInterface(ui->T_back)->textInterface();
        int start = 0, end = 0;
        QCOMPARE(line->textAtOffset(0, QAccessible::LineBoundary, &start, &end), "dk red");
        line->attributes(3, &start, &end);
        QCOMPARE(QPair(start, end), QPair(0, 6));

        QStringList menus;
        for (QMenu *menu : {ui->M_File, ui->M_Edit, ui->M_Help}) {
            QAccessibleInterface *m = QAccessible::queryAccessibleInterface(menu);
            menus << m->text(QAccessible::Name) + ':';
            for (int i = 0; i < m->childCount(); ++i) {
                QAccessibleInterface *item = m->child(i);
                if (QAccessibleActionInterface *keys = item->actionInterface();
                    keys && item->role() == QAccessible::MenuItem)
                    menus.last() += ' ' + item->text(QAccessible::Name) + ' ' +
                                    keys->keyBindingsForAction(keys->pressAction()).join(';');
            }
        }
        QCOMPARE(menus, (QStringList{"ファイル(F): 保存(S) S;;Ctrl+S 終了(Q) Q;;Ctrl+Q",
                                     "編集(E): 書き出し(W) W;;Ctrl+Ins コピー(C) C;;Shift+Ins "
                                     "クリア(D) D;;Shift+Del",
                                     "ヘルプ(H): バージョン(V) V;;F12"}));
    }
};

QTEST_MAIN(TestReader)
#include "tst_reader.moc"
