// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QToolTip>
#include <QtTest/qtestspontaneevent.h>

using namespace corvane;
using namespace corvane::testing;

class TestControls : public WindowTest {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
