// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compose/rule.h"
#include "window_fixture.h"

using namespace corvane;
using namespace corvane::compose;
using namespace corvane::testing;

// GCC 12 warns of members a designated initializer leaves out; here that is meant.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

class TestWriteCommand : public WindowTest {
    Q_OBJECT

private slots:
    void composedRules()
    {
        // clang-format off
        const std::pair<RuleFields, QByteArray> examples[] = {
            {{.selector = ".default", .fontFamily = "Arial, Helvetica, sans-serif",
              .fontSize = "12", .sizeUnit = "pt", .colour = "red", .lineHeightUnit = "pt",
              .decorations = {true}},
             ".default { FONT-FAMILY : Arial, Helvetica, sans-serif ; FONT-SIZE : 12pt ; "
             "COLOR : red ; TEXT-DECORATION : underline }\r\n"}, // no number, no line height
            {{.selector = "H1", .colour = "blue"}, "H1 { COLOR : blue }\r\n"},
            {{.selector = "BODY", .fontStyle = "斜体(イタリック)", .fontStylePosition = 1,
              .fontWeight = "900", .lineHeight = "20", .lineHeightUnit = "px",
              .background = "yellow"},
             "BODY { FONT-STYLE : italic ; FONT-WEIGHT : 900 ; LINE-HEIGHT : 20px ; "
             "BACKGROUND-COLOR : yellow }\r\n"},
            {{.selector = "A:hover", .decorations = {false, false, false, false, true}},
             "A:hover { TEXT-DECORATION : none }\r\n"},
            {{.selector = ".all", .fontFamily = "Verdana", .fontSize = "9", .sizeUnit = "%",
              .fontStyle = "標準", .fontStylePosition = 0, .fontWeight = "100",
              .colour = "#010203", .lineHeight = "1.5", .background = "black",
              .decorations = {true, true, true, true}}, // all eight, in their order
             ".all { FONT-FAMILY : Verdana ; FONT-SIZE : 9% ; FONT-STYLE : normal ; "
             "FONT-WEIGHT : 100 ; COLOR : #010203 ; LINE-HEIGHT : 1.5 ; BACKGROUND-COLOR : black ; "
             "TEXT-DECORATION : underline overline line-through blink }\r\n"},
            // Blanks and other scripts are taken as they are; units alone declare nothing.
            {{.selector = "   ", .fontFamily = " ＭＳ Ｐゴシック, Osaka－等幅 ", .colour = "Red"},
             "    { FONT-FAMILY :  ＭＳ Ｐゴシック, Osaka－等幅  ; COLOR : Red }\r\n"},
            {{.selector = ".x", .sizeUnit = "pt", .lineHeightUnit = "pt"}, ""}};
        for (const auto &[fields, rule] : examples)
            QCOMPARE(composeRule(fields).toUtf8(), rule);

        // The style keyword follows the selected position, not the text.
        const std::pair<int, QString> styles[] = {
            {0, "normal"}, {1, "italic"}, {2, "oblique"}, {-1, ""}};
        for (const auto &[position, keyword] : styles)
            QCOMPARE(composeRule({.selector = "P", .fontStyle = "斜体",
                                  .fontStylePosition = position}),
                     "P { FONT-STYLE : " + keyword + " }\r\n");
        const std::pair<QString, QString> weights[] = {
            {"細字", "lighter"}, {"標準", "normal"}, {"太字", "bold"}, {"特太", "bolder"},
            {"500", "500"}, {"bold", "bold"}, {"太字 ", "太字 "}};
        for (const auto &[weight, css] : weights)
            QCOMPARE(composeRule({.selector = "B", .fontWeight = weight}),
                     "B { FONT-WEIGHT : " + css + " }\r\n");
        // clang-format on
    }

    void selectorFieldAndRegistry()
    {
        ui->Op_new->at(2)->click(); // each kind's list is in the window's test
        typeInto(ui->C_name, "A:focus");
        ui->Op_new->at(0)->click(); // what was typed is dropped
        QCOMPARE(shown({ui->C_name}), QStringList{".default@-1"});

        // Write offers the next class name; tags and selectors are never registered.
        ui->Text1->setText("/* mine */"); // no line break: the rule joins it
        ui->C_bold->setListIndex(2);      // 太字
        write();
        QCOMPARE(shown({ui->C_name}), QStringList{".default0@-1"}); // the next name on offer
        QCOMPARE(ui->C_name->entry(0), ".default");
        QVERIFY(ui->C_name->hasFocus());
        // "foo" is checked as the ".foo" it becomes, and keeps the dot when refused.
        for (const char *name : {".default0", "foo", "Foo", "foo"}) {
            typeInto(ui->C_name, name);
            ui->C_color->setListIndex(0);
            write();
        }
        QCOMPARE(ui->C_name->text(), ".foo");
        const std::pair<int, QString> tagsAndSelectors[] = {
            {1, "H1"}, {1, "H1"}, {2, "  "}, {2, "見出し"}};
        for (const auto &[kind, selector] : tagsAndSelectors) {
            ui->Op_new->select(kind);
            typeInto(ui->C_name, selector);
            ui->C_back->setListIndex(1);
            write();
        }
        QCOMPARE(ui->Text1->text(), "/* mine */.default { FONT-WEIGHT : bold }\r\n"
                                    ".default0 { COLOR : red }\r\n.foo { COLOR : red }\r\n"
                                    ".Foo { COLOR : red }\r\n" // the refused write left the colour
                                    "H1 { COLOR : red ; BACKGROUND-COLOR : blue }\r\n"
                                    "H1 { BACKGROUND-COLOR : blue }\r\n"
                                    "   { BACKGROUND-COLOR : blue }\r\n"
                                    "見出し { BACKGROUND-COLOR : blue }\r\n");
        QCOMPARE(ui->old_Name, (QStringList{".Foo", ".foo", ".default0", ".default"}));
        QCOMPARE(platform->messages, QList{box::usedName}); // the second "foo"
    }

    // Names are compared as whole, case-sensitive strings; the registry and the selector's list
    // are newest first.
    void namesAsWritten()
    {
        const std::pair<QString, bool> names[] = {
            {".foo", true},   {".foo", false}, {".foo ", true},    {" .foo", true},
            {".f oo", true},  {".FOO", true},  {"．ｆｏｏ", true}, {"foo", false},
            {".foo\t", true}, {".foo ", false}};
        QStringList written;
        for (const auto &[name, accepted] : names) {
            platform->messages.clear();
            typeInto(ui->C_name, name);
            ui->C_color->setListIndex(0);
            write();
            QVERIFY2(platform->messages.isEmpty() == accepted, qPrintable(name));
            if (accepted)
                written.prepend(name.startsWith('.') ? name : "." + name);
        }
        QCOMPARE(ui->old_Name, written);
        QStringList offered;
        for (int i = 0; i < ui->C_name->entryCount(); ++i)
            offered << ui->C_name->entry(i);
        QCOMPARE(offered, written);
    }

    // Each kind's first text and selection, reached from every other kind, with the field as
    // the kind left it or with a text typed over it; a Write at once follows from it.
    void selectorKindsFromAnywhere()
    {
        const QString first[] = {".default@-1", "BODY@4", "@-1"};
        const int entries[] = {0, 40, 4};
        for (const int from : {0, 1, 2})
            for (const int to : {0, 1, 2})
                for (const bool typed : {false, true}) {
                    if (from == to)
                        continue;
                    ui->Op_new->select(from);
                    if (typed)
                        typeInto(ui->C_name, "typed");
                    ui->Op_new->select(to);
                    const QString step =
                        QStringLiteral("%1 to %2, typed %3").arg(from).arg(to).arg(typed);
                    QVERIFY2(shown({ui->C_name}) == QStringList{first[to]} &&
                                 ui->C_name->entryCount() == entries[to],
                             qPrintable(step + ": " + shown({ui->C_name}).join(' ')));
                }
        typeInto(ui->C_name, "typed");
        ui->Op_new->select(2);
        platform->messages.clear();
        ui->C_color->setListIndex(0);
        write(); // the selector kind asks for a name
        QCOMPARE(platform->messages, QList{box::noName});
    }

    // Where the focus is after each command, starting from elsewhere than where it should end.
    void focusAfterCommands()
    {
        platform->answers = {Answer::Yes};
        const std::tuple<QWidget *, QAction *, QString, QWidget *> steps[] = {
            {ui->Text1, ui->M_Write, ".a", ui->C_name},               // a rule written
            {ui->C_color, ui->M_Write, ".b", ui->C_name},             // from a field
            {ui->Text1, ui->M_Write, "", ui->Text1},                  // refused: no name
            {ui->C_size, ui->M_Write, ".a", ui->C_size},              // refused: the name is used
            {ui->C_back, ui->M_Copy, ".c", ui->C_back},               // copied
            {ui->Ch_de->at(0), ui->M_Clear, ".c", ui->Ch_de->at(0)}}; // cleared
        for (const auto &[start, command, name, end] : steps) {
            typeInto(ui->C_name, name);
            ui->C_color->setListIndex(1);
            start->setFocus();
            command->trigger();
            QVERIFY2(end->hasFocus(), qPrintable(command->objectName() + " " + name + ": " +
                                                 QApplication::focusWidget()->objectName()));
        }
    }

    void refusalsChangeNothing()
    {
        typeInto(ui->C_name, ".used");
        ui->C_color->setListIndex(1);
        write();
        const QString sheet = ui->Text1->text();
        const std::tuple<int, QString, QString, ShownMessage, QString> refusals[] = {
            {0, "", "green", box::noName, ""},
            {0, ".used", "green", box::usedName, ".used"},
            {1, ".used", "green", box::usedName, ".used"},
            {0, "bare", "", box::noStyle, ".bare"}};
        for (const auto &[kind, name, colour, box, nameAfter] : refusals) {
            platform->messages.clear();
            ui->Op_new->select(kind);
            typeInto(ui->C_name, name);
            ui->C_color->setText(colour);
            ui->C_s_unit->setListIndex(0);
            write();
            QCOMPARE(platform->messages, QList{box});
            // The pane, the registry and the fields are as they were; the dot stays.
            QCOMPARE((QStringList{ui->Text1->text(), ui->old_Name.join(' '), ui->C_name->text(),
                                  ui->C_color->text(), ui->C_s_unit->text()}),
                     (QStringList{sheet, ".used", nameAfter, colour, "px"}));
        }
    }

    void resetAndDecorationBoxes()
    {
        const auto fields = {ui->C_font,  ui->C_size,       ui->C_s_unit, ui->C_style, ui->C_bold,
                             ui->C_color, ui->C_lineheight, ui->C_l_unit, ui->C_back};
        for (ComboBox *field : fields)
            field->setListIndex(2);
        ui->Ch_de->at(0)->click();
        write();
        QCOMPARE(shown(fields),
                 (QStringList{"@-1", "@-1", "pt@1", "@-1", "@-1", "@-1", "@-1", "pt@1", "@-1"}));
        // The ticks stay, so a second Write repeats the decoration alone.
        write();
        QVERIFY(ui->Text1->text().endsWith("\r\n.default0 { TEXT-DECORATION : underline }\r\n"));
        ui->Ch_de->at(0)->click();
        write();
        QCOMPARE(platform->messages, QList{box::noStyle});

        // Boxes clicked in turn, and each Write's result: 無し and the others clear each other.
        const std::pair<QString, QString> table[] = {
            {"0123", " ; TEXT-DECORATION : underline overline line-through blink"},
            {"4", " ; TEXT-DECORATION : none"},
            {"0", " ; TEXT-DECORATION : underline"},
            {"0", ""}};
        ui->Op_new->select(1);
        for (const auto &[clicks, written] : table) {
            for (QChar box : clicks)
                ui->Ch_de->at(box.digitValue())->click();
            ui->Text1->setText(QString());
            ui->C_color->setListIndex(6);
            write();
            QCOMPARE(ui->Text1->text(), "BODY { COLOR : black" + written + " }\r\n");
        }
    }
};

QTEST_MAIN(TestWriteCommand)
#include "tst_write_command.moc"
