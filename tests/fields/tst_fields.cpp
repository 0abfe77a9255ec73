// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fields/colour.h"
#include "window_fixture.h"

using namespace corvane;
using namespace corvane::testing;

class TestFields : public WindowTest {
    Q_OBJECT

    QStringList swatches() { return {ui->T_color->colour().name(), ui->T_back->colour().name()}; }

private slots:
    void colourOfAText()
    {
        // The seven names give a browser's colours, anything near one white; "#" and one to six
        // digits is a number, and other "#" texts of up to seven characters are no colour.
        // clang-format off
        const std::pair<QString, QString> table[] = {
            {"red", "#ff0000"}, {"blue", "#0000ff"}, {"green", "#008000"}, {"yellow", "#ffff00"},
            {"pink", "#ffc0cb"}, {"white", "#ffffff"}, {"black", "#000000"}, {"Red", "#ffffff"},
            {"RED", "#ffffff"}, {" red", "#ffffff"}, {"red ", "#ffffff"}, {"その他", "#ffffff"},
            {"", "#ffffff"}, {"#ff0000", "#ff0000"}, {"#aBc123", "#abc123"}, {"#F", "#00000f"},
            {"#FF", "#0000ff"}, {"#123", "#000123"}, {"#ffff", "#00ffff"}, {"#12345", "#012345"},
            {"#", "#ffffff"}, {"#FF00000", "#ffffff"}, {"#GGGGGGG", "#ffffff"},
            {"#12345678", "#ffffff"}, {"#G", "none"}, {"#12345G", "none"}, {"#12345😀", "none"}};
        // clang-format on
        for (const auto &[text, colour] : table) {
            const auto number = fields::c_conv(text);
            QCOMPARE(number ? fields::toQColor(*number).name() : "none", colour);
        }
        QCOMPARE(fields::hexColourText(fields::colourNumber(QColor(1, 2, 0xAB))), "#0102AB");
        for (fields::ColourNumber colour = 0; colour <= fields::white; ++colour) {
            if (fields::c_conv(fields::hexColourText(colour)) != colour)
                QFAIL(qPrintable(fields::hexColourText(colour)));
        }
    }

    void swatchesFollowTheirFields()
    {
        QCOMPARE(swatches(), (QStringList{"#ffffff", "#ffffff"}));
        QVERIFY(pickFromList(ui->C_back, 2));
        ui->C_color->setFocus();
        QStringList typed;
        for (Qt::Key key : {Qt::Key_R, Qt::Key_E, Qt::Key_D}) {
            QTest::keyClick(ui->C_color, key);
            typed << ui->T_color->colour().name();
        }
        // Past seven characters, and for a "#" text that is no number, it stays as it was.
        for (const QString text : {"#00FF00F", "#G", "#12345G"}) {
            typeInto(ui->C_color, text.chopped(1));
            QTest::keyClick(ui->C_color, text.back().toLatin1());
            typed << ui->T_color->colour().name();
        }
        QCOMPARE(typed,
                 (QStringList{"#ffffff", "#ffffff", "#ff0000", "#00ff00", "#ffffff", "#012345"}));
        QCOMPARE(ui->T_back->colour().name(), "#008000");
        QCOMPARE(platform->messages.size() + platform->colourDialogs, 0);

        // Each button serves its own field; Write turns both swatches white.
        platform->colourResults = {DialogResult<QColor>::accepted(Qt::blue),
                                   DialogResult<QColor>::accepted(QColor(0x12, 0x34, 0x56))};
        QTest::mouseClick(ui->Com_c_b, Qt::LeftButton);
        QCOMPARE(swatches(), (QStringList{"#012345", "#0000ff"}));
        QTest::mouseClick(ui->Com_c_c, Qt::LeftButton);
        QCOMPARE(swatches(), (QStringList{"#123456", "#0000ff"}));
        write();
        QCOMPARE(swatches(), (QStringList{"#ffffff", "#ffffff"}));
    }

    void otherOpensADialogOncePerPick()
    {
        typeInto(ui->C_back, "black");
        // The field, its swatch, and how many dialogs were opened so far.
        const std::tuple<DialogResult<QColor>, QString> colours[] = {
            {DialogResult<QColor>::accepted(QColor(1, 2, 3)), "#010203@-1 #010203 1"},
            {DialogResult<QColor>::cancelled(), "@-1 #ffffff 2"},
            {DialogResult<QColor>::failed("色を選べません。"), "その他@7 #ffff00 3"}};
        for (const auto &[answer, field] : colours) {
            ui->C_color->setListIndex(3); // yellow, so that a failure visibly keeps it
            platform->colourResults = {answer};
            QVERIFY(pickFromList(ui->C_color, 7));
            QCOMPARE(shown({ui->C_color})[0] + ' ' + ui->T_color->colour().name() + ' ' +
                         QString::number(platform->colourDialogs),
                     field);
        }
        QCOMPARE(ui->C_back->text() + ' ' + ui->T_back->colour().name(), "black #000000");

        for (int i = 0; i < 8; ++i)
            QVERIFY(pickFromList(ui->C_font, i));
        QCOMPARE(platform->fontDialogs, 0);
        const std::tuple<DialogResult<QString>, QString> fonts[] = {
            {DialogResult<QString>::accepted("Arial"), "Arial@-1"},
            // fontconfig's generic aliases, as CSS names them
            {DialogResult<QString>::accepted("Sans Serif"), "sans-serif@-1"},
            {DialogResult<QString>::accepted("Serif"), "serif@-1"},
            {DialogResult<QString>::accepted("Monospace"), "monospace@-1"},
            {DialogResult<QString>::cancelled(), "@-1"},
            {DialogResult<QString>::failed("フォントがありません。"), "その他@8"}};
        for (const auto &[answer, field] : fonts) {
            platform->fontResults = {answer};
            QVERIFY(pickFromList(ui->C_font, 8));
            QCOMPARE(shown({ui->C_font}), QStringList{field});
        }
        // Typing the word, and leaving the field, is no pick: no dialog opens.
        // (Qt itself would take it for a pick of the entry when the field loses the focus.)
        QVERIFY(pickFromList(ui->C_font, 0));
        typeInto(ui->C_font, "その他");
        typeInto(ui->C_back, "その他");
        QTest::keyClick(ui->C_back, Qt::Key_Return);
        ui->C_size->setFocus();
        QCOMPARE(shown({ui->C_font, ui->C_back}), (QStringList{"その他@-1", "その他@-1"}));
        QCOMPARE(platform->fontDialogs + platform->colourDialogs, 9);
        QCOMPARE(platform->messages,
                 (QList<ShownMessage>{{"色を選べません。", Buttons::OkPlain, ""},
                                      {"フォントがありません。", Buttons::OkPlain, ""}}));

        // The unit and style fields take no typing at all, but are lists all the same.
        for (ComboBox *field : {ui->C_s_unit, ui->C_style, ui->C_l_unit}) {
            field->setListIndex(1);
            field->setFocus();
            QTest::keyClicks(field, "pxmo%");
            QTest::keyClick(field, Qt::Key_Backspace);
            QTest::keyClick(field, Qt::Key_Delete);
            QCOMPARE(shown({field}), QStringList{field->entry(1) + "@1"});
            QTest::keyClick(field, Qt::Key_Down); // still a list
            QCOMPARE(shown({field}), QStringList{field->entry(2) + "@2"});
            field->setText(QString());
            QCOMPARE(shown({field}), QStringList{"@-1"});
        }
    }
};

QTEST_MAIN(TestFields)
#include "tst_fields.moc"
