// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QToolTip>
#include <QtTest/qtestspontaneevent.h>

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

    // One selection: Down in a field where no entry is selected gives the first entry, as a
    // pick (Down onto "その他" opens the dialog); the opened list shows no entry as selected.
    void downFromNoEntry()
    {
        ui->C_back->setListIndex(3); // yellow, written and emptied
        write();
        typeInto(ui->C_color, "bl");
        QStringList picks;
        for (ComboBox *f :
             {ui->C_lineheight, ui->C_font, ui->C_size, ui->C_color, ui->C_back, ui->C_name})
            connect(f, &ComboBox::clicked, this, [&picks, f] { picks << shown({f})[0]; });
        QAbstractItemView *list = ui->C_lineheight->view();
        ui->C_lineheight->showPopup();
        QVERIFY(!list->currentIndex().isValid() && !list->selectionModel()->hasSelection());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        ui->Op_new->select(2);
        for (ComboBox *f : {ui->C_font, ui->C_size, ui->C_color, ui->C_back, ui->C_name})
            QTest::keyClick(f, Qt::Key_Down);
        platform->colourResults = {DialogResult<QColor>::accepted(QColor(1, 2, 3))};
        ui->C_color->setListIndex(6);
        QTest::keyClick(ui->C_color, Qt::Key_Down);
        QCOMPARE(picks, (QStringList{"9@0", "ＭＳ Ｐゴシック, Osaka@0", "9@0", "red@0", "red@0",
                                     "A:active@0", "black@6", "#010203@-1"}));

        ui->C_color->setListIndex(6); // black: one notch down is "その他"
        ui->C_size->setFocus();
        // The wheel turns only a focused field, and takes no focus: one notch over the arrow,
        // spontaneous, through the application as from the window system.
        const auto wheel = [](QWidget *w) {
            const QPointF at(w->width() - 4, w->height() / 2);
            QWheelEvent event(at, w->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(w, &event);
        };
        wheel(ui->C_color);
        wheel(ui->C_s_unit);
        QVERIFY(ui->C_size->hasFocus());
        ui->C_s_unit->setFocus();
        wheel(ui->C_s_unit);
        QCOMPARE(shown({ui->C_color, ui->C_s_unit}), (QStringList{"black@6", "mm@2"}));
        QCOMPARE(platform->colourDialogs, 1); // for the Down onto "その他" alone
    }

    // A long entry picked shows its beginning, and a text cut off shows whole as a tooltip.
    void longTexts()
    {
        const auto tip = [](ComboBox *field) {
            QToolTip::hideText(); // Qt takes a moment to hide it
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
                return QString("<not hidden>");
            QHelpEvent help(QEvent::ToolTip, {4, 4}, field->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(
                field->isEditable() ? static_cast<QWidget *>(field->lineEdit()) : field, &help);
            return QToolTip::isVisible() ? QToolTip::text() : "<none>";
        };
        const QString longest = "Verdana, Arial, Helvetica, sans-serif";
        QVERIFY(pickFromList(ui->C_font, ui->C_font->findText(longest)));
        QCOMPARE(ui->C_font->lineEdit()->cursorPosition(), 0);
        QCOMPARE(tip(ui->C_font), longest);
        typeInto(ui->C_font, "Osaka");
        QCOMPARE(QStringList({tip(ui->C_font), tip(ui->C_s_unit)}),
                 QStringList({"<none>", "<none>"}));
    }

    // A swatch stands out of a light and a dark scheme whatever its colour, and its small
    // button shows its focus.
    void swatchesInAnyScheme()
    {
        for (const bool dark : {false, true}) {
            QPalette scheme = form->palette();
            if (dark) {
                scheme.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
                scheme.setColor(QPalette::WindowText, Qt::white);
                scheme.setColor(QPalette::Highlight, QColor(0x1c, 0x5d, 0x86));
            }
            form->setPalette(scheme);
            ui->Com_c_c->setFocus();
            QCOMPARE(ui->Com_c_c->grab().toImage().pixelColor(4, 4),
                     scheme.color(QPalette::Highlight));
            for (const char *colour : {"black", "white"}) {
                typeInto(ui->C_color, colour);
                const QImage swatch = ui->T_color->grab().toImage();
                const int border = swatch.pixelColor(swatch.width() - 1, 0).lightness();
                const int inside = swatch.pixelColor(swatch.width() / 2, 2).lightness();
                const int window = scheme.color(QPalette::Window).lightness();
                QVERIFY2(qAbs(border - window) > 60 && qAbs(border - inside) > 60,
                         qPrintable(QStringLiteral("%1 %2: %3 %4 %5")
                                        .arg(dark)
                                        .arg(colour)
                                        .arg(border)
                                        .arg(inside)
                                        .arg(window)));
            }
        }
    }

    void controlEvents()
    {
        ComboBox *combo = ui->C_name; // its list is empty at first
        for (const char *entry : {"red", "blue", "green"})
            combo->addEntry(entry, combo->entryCount());
        QCOMPARE(combo->text(), ".default"); // Qt would select the first entry
        QStringList log;
        connect(combo, &ComboBox::changed, this, [&] { log << "changed " + shown({combo})[0]; });
        connect(combo, &ComboBox::clicked, this, [&] { log << "clicked " + shown({combo})[0]; });
        QSignalSpy qtEdits(combo, &QComboBox::editTextChanged);

        typeInto(combo, "re");
        QTest::keyClick(combo, Qt::Key_Return); // neither adds "re" to the list nor completes it
        QCOMPARE(combo->entryCount(), 3);
        QTest::keyClick(combo, Qt::Key_D); // an entry's text, typed, is no pick
        qtEdits.clear();
        QVERIFY(pickFromList(combo, 2));
        QVERIFY(!qtEdits.isEmpty()); // Qt rewrote the text, yet a pick is no change
        combo->setText("blue");
        combo->setText("Blue");
        typeInto(combo, "x");
        combo->setListIndex(2); // already Qt's current index: the entry is shown all the same
        QCOMPARE(log, (QStringList{"changed re@-1", "changed red@-1", "clicked green@2",
                                   "changed blue@1", "changed Blue@-1", "changed x@-1",
                                   "clicked green@2"}));

        // Check boxes and option buttons report changes by the user and by code alike.
        CheckBoxArray boxes;
        for (int i = 0; i < 3; ++i)
            boxes.append(new QCheckBox(form));
        QStringList trace;
        connect(&boxes, &CheckBoxArray::clicked, this, [&](int index) {
            trace << QStringLiteral("enter %1").arg(index);
            if (index < 2 && boxes.value(index))
                boxes.setValue(index + 1, true); // the next box's click runs inside this one
            trace << QStringLiteral("leave %1").arg(index);
        });
        connect(ui->Op_new, &OptionArray::clicked, this,
                [&](int index) { trace << QStringLiteral("option %1").arg(index); });
        boxes.at(0)->click();
        boxes.setValue(1, true); // already ticked: no click
        boxes.setValue(2, false);
        ui->Op_new->select(1);
        ui->Op_new->select(1); // already selected: no click
        ui->Op_new->at(2)->click();
        QCOMPARE(trace, (QStringList{"enter 0", "enter 1", "enter 2", "leave 2", "leave 1",
                                     "leave 0", "enter 2", "leave 2", "option 1", "option 2"}));
    }

    void sourcePane()
    {
        // Lines read back with CR LF, however they were written; a no-break space stays one.
        SourcePane *pane = ui->Text1;
        for (const char *text : {"a\u00A0\r\nb", "a\u00A0\nb", "a\u00A0\rb", "a\u00A0\u2028b"}) {
            pane->setText(text);
            QCOMPARE(pane->text(), "a\u00A0\r\nb");
        }
        // Pasted text reads back the same; appending keeps the user's typing and its undo.
        const QString sheet = "H1 { COLOR : red }\r\n.日本 { COLOR : blue }\r\n";
        QApplication::clipboard()->setText(sheet);
        pane->setText(QString());
        pane->paste();
        QCOMPARE(pane->text(), sheet);
        QTest::keyClicks(pane, "/* x */");
        pane->appendAtEnd("\r\nP { COLOR : red }\r\n");
        QCOMPARE(pane->text(), sheet + "/* x */\r\nP { COLOR : red }\r\n");
        pane->undo();
        QCOMPARE(pane->text(), sheet + "/* x */");
        pane->undo();
        QVERIFY(pane->text().size() < sheet.size() + 7);

        // The appended rule is shown from its start.
        pane->setText(QString("P { COLOR : red ; BACKGROUND-COLOR : yellow }\r\n").repeated(99));
        pane->moveCursor(QTextCursor::Start);
        pane->horizontalScrollBar()->setValue(pane->horizontalScrollBar()->maximum());
        QVERIFY(pane->horizontalScrollBar()->value() > 0);
        pane->appendAtEnd("H1 { COLOR : blue }\r\n");
        const QTextCursor rule(pane->document()->lastBlock().previous());
        QVERIFY(pane->viewport()->rect().contains(pane->cursorRect(rule)));
        QCOMPARE(pane->horizontalScrollBar()->value(), 0);
        // The caret waits at its start, where a screen reader coming to the pane reads it.
        QCOMPARE(pane->textCursor().position(), rule.position());
    }

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
