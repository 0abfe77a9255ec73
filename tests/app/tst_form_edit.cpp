// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include "gothic_faces.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenuBar>
#include <QRegularExpression>

using namespace corvane;
using namespace corvane::testing;

class TestFormEdit : public WindowTest {
    Q_OBJECT

private slots:
    // The window's own captions, in order, with access keys and shortcuts (the Tab walk below
    // holds the labels, boxes and buttons).
    void captionsListsAndFonts()
    {
        QVERIFY(ui->Text1->text().isEmpty() && ui->Op_new->value(0));
        QStringList captions{form->windowTitle()};
        for (Frame *frame : form->findChildren<Frame *>())
            captions << frame->shownTitle();
        for (QAction *menu : form->menuBar()->actions()) {
            captions << menu->text();
            for (QAction *item : menu->menu()->actions())
                captions << item->text() + ' ' + item->shortcut().toString();
        }
        QCOMPARE(captions.join('|'),
                 "Corvane0.10β|Font Style(&F)|Decoration Style(&K)|New Style(&N)|Source(&P)|"
                 "ファイル(&F)|保存(&S) Ctrl+S| |終了(&Q) Ctrl+Q|編集(&E)|書き出し(&W) Ctrl+Ins|"
                 "コピー(&C) Shift+Ins| |クリア(&D) Shift+Del|ヘルプ(&H)|バージョン(&V) F12");

        // Every list, entry by entry, with the text and position shown at start; the selector's
        // for each kind.
        QStringList lists;
        const auto list = [&lists](ComboBox *f) {
            QStringList entries;
            for (int i = 0; i < f->entryCount(); ++i)
                entries << f->entry(i);
            lists << f->objectName() + ' ' + shown({f})[0] + ": " + entries.join('|');
        };
        for (ComboBox *f : {ui->C_font, ui->C_size, ui->C_s_unit, ui->C_style, ui->C_bold,
                            ui->C_color, ui->C_lineheight, ui->C_l_unit, ui->C_back, ui->C_name})
            list(f);
        ui->Op_new->select(1);
        list(ui->C_name);
        ui->Op_new->select(2);
        list(ui->C_name);
        const QString sizes = "@-1: 9|10|11|12|14|16|20", units = "pt@1: px|pt|mm|cm|%",
                      colours = "@-1: red|blue|green|yellow|pink|white|black|その他";
        QCOMPARE(
            lists,
            (QStringList{
                "C_font @-1: ＭＳ Ｐゴシック, Osaka|ＭＳ Ｐ明朝, 細明朝体|ＭＳ ゴシック, "
                "Osaka－等幅|"
                "Arial, Helvetica, sans-serif|Times New Roman, Times, serif|"
                "Courier New, Courier, monospace|Georgia, Times New Roman, Times, serif|"
                "Verdana, Arial, Helvetica, sans-serif|その他",
                "C_size " + sizes, "C_s_unit " + units,
                "C_style @-1: 標準|斜体(イタリック)|斜体(オブリーブ)",
                "C_bold @-1: 細字|標準|太字|特太|100|500|900", "C_color " + colours,
                "C_lineheight " + sizes, "C_l_unit " + units, "C_back " + colours,
                "C_name .default@-1: ",
                "C_name BODY@4: "
                "A|ADDRESS|B|BLOCKQUOTE|BODY|BR|CITE|CODE|DD|DFN|DIV|DL|DT|EM|H1|H2|H3|"
                "H4|H5|H6|HR|I|IMG|KBD|LI|OL|P|PRE|S|SAMP|SPAN|STRONG|TABLE|TD|TH|TR|TT|U|UL|VAR",
                "C_name @-1: A:active|A:hover|A:link|A:visited"}));

        // Captions of frames (their titles alone), labels and boxes ask for the Gothic faces at
        // 8.25 points; the rest, New Style's caption included, use the window's font (menus, the
        // desktop's).
        QCOMPARE(gothicFaces(false).first() + ' ' + gothicFaces(true).first(),
                 "ＭＳ Ｐゴシック ＭＳ ゴシック");
        QMap<QString, QStringList> faces; // "family size" and the controls that use it
        for (QWidget *w : form->findChildren<QWidget *>(QRegularExpression("^[A-Z]"))) {
            if (w->isWindow())
                continue;
            const auto *frame = qobject_cast<Frame *>(w);
            const QFont font = frame ? frame->titleFont() : w->font();
            faces[font.family() + ' ' + QString::number(font.pointSizeF())] << w->objectName();
        }
        QCOMPARE(faces.take(gothicFace(false) + " 8.25"),
                 (QStringList{"Frame1", "Frame2", "Frame4"}));
        QCOMPARE(faces.take(gothicFace(true) + " 8.25"),
                 (QStringList{"Label1", "Label2", "Label3", "Label5", "Label6", "Label4", "Label7",
                              "Ch_de0", "Ch_de1", "Ch_de2", "Ch_de3", "Ch_de4", "Op_new0",
                              "Op_new1", "Op_new2"}));
        QCOMPARE(faces.keys(), QStringList{gothicFace(false) + " 9"});
        QCOMPARE(form->centralWidget()->size(), QSize(314, 302));
        QCOMPARE(form->minimumSize(), form->maximumSize());
    }

    void keyboard()
    {
        ui->Op_new->select(1); // Tab still stops at every option button
        ui->C_font->setFocus();
        // Each stop and what a screen reader hears: "label|name|value|description".
        QStringList visited;
        for (int i = 0; i < 23; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *w = QApplication::focusWidget(); // or an editable drop-down's edit line
            w = w->objectName().isEmpty() ? w->parentWidget() : w;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QString label;
            for (const auto &[other, relation] : a->relations(QAccessible::Label))
                label +=
                    qobject_cast<QLabel *>(other->object()) ? other->text(QAccessible::Name) : "";
            visited << w->objectName() + ' ' + label + '|' + a->text(QAccessible::Name) + '|' +
                           a->text(QAccessible::Value) + '|' + a->text(QAccessible::Description);
        }
        // clang-format off
        QCOMPARE(visited, (QStringList{
            "C_size サイズ：|サイズ：||", "C_s_unit |サイズの単位|pt|", "C_style スタイル：|スタイル：||",
            "C_bold 太さ：|太さ：||", "C_color 文字色：|文字色：||", "T_color |文字色の見本|#FFFFFF|文字色の見本",
            "C_lineheight 行間：|行間：||", "C_l_unit |行間の単位|pt|", "C_back 背景色：|背景色：||",
            "T_back |背景色の見本|#FFFFFF|背景色の見本", "Ch_de0 |アンダーライン||", "Ch_de1 |オーバーライン||",
            "Ch_de2 |取り消し線||", "Ch_de3 |点滅||", "Ch_de4 |無し||", "Op_new0 |新規クラス||",
            "Op_new1 |タグの再定義||", "Op_new2 |CSSセレクタ||", "C_name |セレクタ|BODY|",
            "Text1 |ソース||", "Com_c_c |文字色を選ぶ||文字色を選ぶ",
            "Com_c_b |背景色を選ぶ||背景色を選ぶ", "C_font フォント：|フォント：||"}));
        // clang-format on

        // A frame's access key leads to its first control, not its selected option.
        ui->Op_new->select(2);
        const std::pair<Qt::Key, QWidget *> keys[] = {
            {Qt::Key_K, ui->Ch_de->at(0)}, {Qt::Key_N, ui->Op_new->at(0)}, {Qt::Key_P, ui->Text1}};
        for (const auto &[key, first] : keys) {
            QTest::keyClick(form, key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), first);
        }
        // Alt+F, shown in the Font Style frame too, opens the File menu on Save, every time.
        QCOMPARE(ui->Frame1->shownTitle(), "Font Style(&F)");
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(form, Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(ui->M_File->isVisible());
            QTest::keyClick(ui->M_File, Qt::Key_Return); // the pane is empty: a box says so
        }

        // Write, Copy and Clear win over the text fields' own copy, paste and cut.
        ui->Op_new->select(0);
        QApplication::clipboard()->setText("pasted");
        ui->Text1->setText("kept");
        for (QWidget *field : QWidgetList{ui->Text1, ui->C_name->lineEdit()}) {
            field->setFocus();
            QMetaObject::invokeMethod(field, "selectAll");               // so that a cut would show
            QTest::keyClick(field, Qt::Key_Insert, Qt::ControlModifier); // nothing to write
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
            QTest::keyClick(field, Qt::Key_Delete, Qt::ShiftModifier); // answered No
        }
        QCOMPARE(ui->Text1->text() + ' ' + ui->C_name->text(), "kept .default");
        QCOMPARE(platform->clipboardTexts.size(), 2);
        QCOMPARE(QApplication::clipboard()->text(), "pasted");
        QTest::keyClick(form, Qt::Key_F12);
        QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier); // quits without asking
        QVERIFY(!form->isVisible());
        const QList<ShownMessage> boxes{box::noStyle, box::clear, box::noStyle, box::clear,
                                        box::version};
        QCOMPARE(platform->messages, QList<ShownMessage>(4, box::noSheetToSave) + boxes);
    }
};

QTEST_MAIN(TestFormEdit)
#include "tst_form_edit.moc"
