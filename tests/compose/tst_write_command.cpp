#include "form_edit.h"
#include "scripted_platform.h"
#include "user_input.h"

#include <QTest>

using namespace corvane;
using corvane::testing::ScriptedPlatform;

class TestWriteCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newClassIsRegisteredAndTheNextNameOffered();
    void refusals_data();
    void refusals();
    void typedNameWithoutDotIsCheckedAsWritten();
    void registrySurvivesAnEmptiedPaneAndAChangeOfKind();
    void tagsAndSelectorsAreNeverRegistered();
    void weightPickedFromTheListIsWrittenAsCss();
    void resetAfterWrite();
    void decorationTable_data();
    void decorationTable();
    void rulesFollowTheLastLine();

private:
    void write() { ui->M_Write->trigger(); }
    void pickKind(int kind) { ui->Op_new->at(kind)->click(); }
    void type(ComboBox *field, const QString &text) { testing::typeInto(field, text); }
    void tick(int box) { ui->Ch_de->at(box)->click(); }
    QList<bool> ticks() const;

    ScriptedPlatform *m_platform = nullptr;
    Form_edit *m_form = nullptr;
    FormControls *ui = nullptr;
};

void TestWriteCommand::init()
{
    m_platform = new ScriptedPlatform;
    m_form = new Form_edit(*m_platform);
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestWriteCommand::cleanup()
{
    delete m_form;
    delete m_platform;
}

QList<bool> TestWriteCommand::ticks() const
{
    QList<bool> values;
    for (int i = 0; i < ui->Ch_de->size(); ++i)
        values << ui->Ch_de->value(i);
    return values;
}

void TestWriteCommand::newClassIsRegisteredAndTheNextNameOffered()
{
    ui->C_color->setListIndex(0); // red
    write();
    QCOMPARE(ui->Text1->text(), QStringLiteral(".default { COLOR : red }\r\n"));
    QCOMPARE(ui->old_Name, QStringList{".default"});
    QCOMPARE(ui->C_name->text(), QStringLiteral(".default0"));
    QCOMPARE(ui->C_name->entry(0), QStringLiteral(".default"));
    QVERIFY(ui->C_name->hasFocus());

    ui->C_color->setListIndex(0);
    write();
    QCOMPARE(ui->Text1->text(),
             QStringLiteral(".default { COLOR : red }\r\n.default0 { COLOR : red }\r\n"));
    QCOMPARE(ui->old_Name, (QStringList{".default0", ".default"}));
    QCOMPARE(ui->C_name->entry(0), QStringLiteral(".default0"));
    QCOMPARE(ui->C_name->entryCount(), 2);
    QCOMPARE(ui->C_name->text(), QStringLiteral(".default00"));
    QVERIFY(m_platform->messages.isEmpty());
}

void TestWriteCommand::refusals_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("colour");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("nameAfter");

    const QString missing = QStringLiteral("クラス名・タグ・セレクタ名が未入力です。");
    const QString missingTitle = QStringLiteral("未入力エラー");
    const QString duplicate = QStringLiteral("同じ名前は、使えません。");
    const QString duplicateTitle = QStringLiteral("重複エラー");
    const QString undefined = QStringLiteral("スタイルが定義されていません。");
    const QString undefinedTitle = QStringLiteral("未定義");

    QTest::newRow("empty class name")
        << 0 << "" << true << missing << missingTitle << Buttons::OkCritical << "";
    QTest::newRow("empty pseudo-class")
        << 2 << "" << true << missing << missingTitle << Buttons::OkCritical << "";
    QTest::newRow("registered class")
        << 0 << ".used" << true << duplicate << duplicateTitle << Buttons::OkCritical << ".used";
    QTest::newRow("registered class typed as a tag")
        << 1 << ".used" << true << duplicate << duplicateTitle << Buttons::OkCritical << ".used";
    QTest::newRow("nothing to declare, dot kept")
        << 0 << "bare" << false << undefined << undefinedTitle << Buttons::OkInformation << ".bare";
    QTest::newRow("nothing to declare, tag")
        << 1 << "H1" << false << undefined << undefinedTitle << Buttons::OkInformation << "H1";
}

void TestWriteCommand::refusals()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(bool, colour);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(Buttons, buttons);
    QFETCH(QString, nameAfter);

    // One class is written first, so the registry holds ".used".
    type(ui->C_name, ".used");
    ui->C_color->setListIndex(1);
    write();
    const QString sheet = ui->Text1->text();
    const QStringList registry = ui->old_Name;

    pickKind(kind);
    type(ui->C_name, name);
    if (colour)
        ui->C_color->setListIndex(2);
    ui->C_s_unit->setListIndex(0);
    write();

    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].prompt, prompt);
    QCOMPARE(m_platform->messages[0].title, title);
    QCOMPARE(m_platform->messages[0].buttons, buttons);
    QCOMPARE(ui->Text1->text(), sheet);
    QCOMPARE(ui->old_Name, registry);
    QCOMPARE(ui->C_name->text(), nameAfter);
    // The fields were not reset.
    QCOMPARE(ui->C_color->text(), colour ? QStringLiteral("green") : QString());
    QCOMPARE(ui->C_s_unit->text(), QStringLiteral("px"));
}

void TestWriteCommand::typedNameWithoutDotIsCheckedAsWritten()
{
    type(ui->C_name, ".foo");
    ui->C_color->setListIndex(0);
    write();

    type(ui->C_name, "foo");
    ui->C_color->setListIndex(0);
    write();
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("重複エラー"));
    QCOMPARE(ui->C_name->text(), QStringLiteral(".foo"));
    QCOMPARE(ui->old_Name, QStringList{".foo"});
    QCOMPARE(ui->Text1->text(), QStringLiteral(".foo { COLOR : red }\r\n"));

    // Names differing in case are different names.
    type(ui->C_name, "Foo");
    write();
    QCOMPARE(ui->old_Name, (QStringList{".Foo", ".foo"}));
}

void TestWriteCommand::registrySurvivesAnEmptiedPaneAndAChangeOfKind()
{
    ui->C_back->setListIndex(3);
    write(); // .default
    ui->Text1->setFocus();
    ui->Text1->selectAll();
    QTest::keyClick(ui->Text1, Qt::Key_Delete);
    QVERIFY(ui->Text1->text().isEmpty());

    pickKind(1);
    pickKind(0); // ".default" again, with the list emptied
    QCOMPARE(ui->C_name->entryCount(), 0);
    ui->C_back->setListIndex(3);
    write();
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("重複エラー"));
    QVERIFY(ui->Text1->text().isEmpty());
    QCOMPARE(ui->old_Name, QStringList{".default"});
}

void TestWriteCommand::tagsAndSelectorsAreNeverRegistered()
{
    pickKind(1);
    type(ui->C_name, "H1");
    for (int i = 0; i < 2; ++i) {
        ui->C_color->setListIndex(1);
        write();
    }
    QCOMPARE(ui->C_name->text(), QStringLiteral("H1"));
    pickKind(2);
    type(ui->C_name, QStringLiteral("  "));
    ui->C_color->setListIndex(1);
    write();
    type(ui->C_name, QStringLiteral("見出し"));
    ui->C_color->setListIndex(1);
    write();
    QCOMPARE(ui->Text1->text(),
             QStringLiteral("H1 { COLOR : blue }\r\nH1 { COLOR : blue }\r\n"
                            "   { COLOR : blue }\r\n見出し { COLOR : blue }\r\n"));
    QVERIFY(ui->old_Name.isEmpty());
    QCOMPARE(ui->C_name->entryCount(), 4);
}

void TestWriteCommand::weightPickedFromTheListIsWrittenAsCss()
{
    pickKind(1);
    ui->C_bold->setListIndex(2);
    write();
    type(ui->C_bold, QStringLiteral("特太"));
    write();
    QCOMPARE(ui->Text1->text(),
             QStringLiteral("BODY { FONT-WEIGHT : bold }\r\nBODY { FONT-WEIGHT : bolder }\r\n"));
}

void TestWriteCommand::resetAfterWrite()
{
    pickKind(1);
    type(ui->C_name, "H1");
    ui->C_font->setListIndex(3);
    type(ui->C_size, "13");
    ui->C_s_unit->setListIndex(0);
    ui->C_style->setListIndex(1);
    ui->C_bold->setListIndex(6);
    type(ui->C_color, "#123456");
    ui->C_lineheight->setListIndex(0);
    ui->C_l_unit->setListIndex(3);
    ui->C_back->setListIndex(4);
    tick(0);
    write();

    for (ComboBox *field : {ui->C_font, ui->C_size, ui->C_style, ui->C_bold, ui->C_color,
                            ui->C_lineheight, ui->C_back}) {
        QCOMPARE(field->text(), QString());
        QCOMPARE(field->listIndex(), -1);
    }
    QCOMPARE(ui->C_s_unit->text(), QStringLiteral("pt"));
    QCOMPARE(ui->C_l_unit->text(), QStringLiteral("pt"));
    QVERIFY(ui->Op_new->value(1));
    QCOMPARE(ui->C_name->text(), QStringLiteral("H1"));
    QVERIFY(ui->C_name->hasFocus());

    // The ticks stay, so a second Write repeats the decoration alone.
    write();
    QCOMPARE(ui->Text1->text().section(QStringLiteral("\r\n"), 1),
             QStringLiteral("H1 { TEXT-DECORATION : underline }\r\n"));
    // With nothing ticked either, there is nothing left to write.
    tick(0);
    write();
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("未定義"));
}

void TestWriteCommand::decorationTable_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<bool>>("result");
    QTest::addColumn<QString>("declaration");

    QTest::newRow("tick one") << QList<int>{0} << QList<bool>{1, 0, 0, 0, 0} << "underline";
    QTest::newRow("tick all four") << QList<int>{0, 1, 2, 3} << QList<bool>{1, 1, 1, 1, 0}
                                   << "underline overline line-through blink";
    QTest::newRow("untick one") << QList<int>{0, 3, 0} << QList<bool>{0, 0, 0, 1, 0} << "blink";
    QTest::newRow("none clears the others")
        << QList<int>{0, 3, 4} << QList<bool>{0, 0, 0, 0, 1} << "none";
    QTest::newRow("a box while none is ticked")
        << QList<int>{4, 0} << QList<bool>{1, 0, 0, 0, 0} << "underline";
    QTest::newRow("untick none") << QList<int>{1, 4, 4} << QList<bool>{0, 0, 0, 0, 0} << "";
}

void TestWriteCommand::decorationTable()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QList<bool>, result);
    QFETCH(QString, declaration);

    pickKind(1);
    for (int box : clicks)
        tick(box);
    QCOMPARE(ticks(), result);

    ui->C_color->setListIndex(6);
    write();
    const QString tail =
        declaration.isEmpty() ? QString() : QStringLiteral(" ; TEXT-DECORATION : ") + declaration;
    QCOMPARE(ui->Text1->text(), "BODY { COLOR : black" + tail + " }\r\n");
}

void TestWriteCommand::rulesFollowTheLastLine()
{
    pickKind(1);
    ui->Text1->setText(QStringLiteral("/* mine */\r\nP { COLOR : red }"));
    ui->C_color->setListIndex(1);
    write();
    QCOMPARE(ui->Text1->text(),
             QStringLiteral("/* mine */\r\nP { COLOR : red }BODY { COLOR : blue }\r\n"));
}

QTEST_MAIN(TestWriteCommand)
#include "tst_write_command.moc"
