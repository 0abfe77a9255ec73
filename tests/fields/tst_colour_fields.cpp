#include "form_edit.h"
#include "scripted_platform.h"
#include "user_input.h"

#include <QTest>

using namespace corvane;
using corvane::testing::pickFromList;
using corvane::testing::ScriptedPlatform;
using corvane::testing::typeInto;

class TestColourFields : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void swatchesStartWhite();
    void pickedNameColoursTheSwatch();
    void typingLetterByLetter();
    void eighthCharacterKeepsTheSwatch();
    void typeMismatchChangesNothing();
    void otherOpensTheDialogOnce_data();
    void otherOpensTheDialogOnce();
    void buttonsServeTheirOwnField();
    void resetTurnsBothSwatchesWhite();

private:
    ScriptedPlatform *m_platform = nullptr;
    Form_edit *m_form = nullptr;
    FormControls *ui = nullptr;
};

void TestColourFields::init()
{
    m_platform = new ScriptedPlatform;
    m_form = new Form_edit(*m_platform);
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestColourFields::cleanup()
{
    delete m_form;
    delete m_platform;
}

void TestColourFields::swatchesStartWhite()
{
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    QCOMPARE(ui->T_back->colour(), QColor(Qt::white));
}

void TestColourFields::pickedNameColoursTheSwatch()
{
    QVERIFY(pickFromList(ui->C_back, 1));
    QCOMPARE(ui->C_back->text(), QStringLiteral("blue"));
    QCOMPARE(ui->T_back->colour(), QColor(0, 0, 255));
    QVERIFY(pickFromList(ui->C_back, 2));
    QCOMPARE(ui->T_back->colour(), QColor(0, 0x80, 0)); // the browser's green
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    QCOMPARE(m_platform->colourDialogs, 0);
}

void TestColourFields::typingLetterByLetter()
{
    ui->C_color->setFocus();
    QTest::keyClick(ui->C_color, Qt::Key_R);
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    QTest::keyClick(ui->C_color, Qt::Key_E);
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    QTest::keyClick(ui->C_color, Qt::Key_D);
    QCOMPARE(ui->T_color->colour(), QColor(255, 0, 0));
    QTest::keyClick(ui->C_color, Qt::Key_Backspace);
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));

    // Typing the word of the dialog entry opens nothing.
    typeInto(ui->C_color, QStringLiteral("その他"));
    QCOMPARE(m_platform->colourDialogs, 0);
}

void TestColourFields::eighthCharacterKeepsTheSwatch()
{
    typeInto(ui->C_back, "#00FF00");
    QCOMPARE(ui->T_back->colour(), QColor(0, 255, 0));
    QTest::keyClicks(ui->C_back, "F");
    QCOMPARE(ui->C_back->text(), QStringLiteral("#00FF00F"));
    QCOMPARE(ui->T_back->colour(), QColor(0, 255, 0));
    QTest::keyClick(ui->C_back, Qt::Key_Backspace); // seven again
    QCOMPARE(ui->T_back->colour(), QColor(0, 255, 0));
    QTest::keyClick(ui->C_back, Qt::Key_Backspace);
    QCOMPARE(ui->T_back->colour(), QColor(0, 0x0F, 0xF0)); // "#00FF0" reads as #000FF0
}

void TestColourFields::typeMismatchChangesNothing()
{
    typeInto(ui->C_color, "#FF0000");
    QCOMPARE(ui->T_color->colour(), QColor(255, 0, 0));
    typeInto(ui->C_color, "#");
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    QTest::keyClicks(ui->C_color, "G");
    QCOMPARE(ui->C_color->text(), QStringLiteral("#G"));
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    typeInto(ui->C_color, "#12345G"); // the swatch stays as "#12345" left it
    QCOMPARE(ui->T_color->colour(), QColor(0x01, 0x23, 0x45));
    QVERIFY(m_platform->messages.isEmpty());
}

void TestColourFields::otherOpensTheDialogOnce_data()
{
    QTest::addColumn<DialogResult<QColor>>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("swatch");
    QTest::addColumn<int>("boxes");

    QTest::newRow("pure red") << DialogResult<QColor>::accepted(QColor(255, 0, 0)) << "#FF0000"
                              << QColor(255, 0, 0) << 0;
    QTest::newRow("leading zeros")
        << DialogResult<QColor>::accepted(QColor(1, 2, 3)) << "#010203" << QColor(1, 2, 3) << 0;
    QTest::newRow("cancel") << DialogResult<QColor>::cancelled() << "" << QColor(Qt::white) << 0;
    QTest::newRow("failure") << DialogResult<QColor>::failed(QStringLiteral("色を選べません。"))
                             << QStringLiteral("その他") << QColor(255, 255, 0) << 1;
}

void TestColourFields::otherOpensTheDialogOnce()
{
    QFETCH(DialogResult<QColor>, answer);
    QFETCH(QString, text);
    QFETCH(QColor, swatch);
    QFETCH(int, boxes);

    ui->C_color->setListIndex(3); // yellow, so a failure visibly keeps it
    typeInto(ui->C_back, "black");
    m_platform->colourResults = {answer};
    QVERIFY(pickFromList(ui->C_color, 7));

    QCOMPARE(m_platform->colourDialogs, 1);
    QCOMPARE(ui->C_color->text(), text);
    QCOMPARE(ui->T_color->colour(), swatch);
    QCOMPARE(ui->C_back->text(), QStringLiteral("black"));
    QCOMPARE(ui->T_back->colour(), QColor(Qt::black));
    QCOMPARE(m_platform->messages.size(), boxes);
    if (boxes) {
        QCOMPARE(m_platform->messages[0].prompt, QStringLiteral("色を選べません。"));
        QCOMPARE(m_platform->messages[0].buttons, Buttons::OkPlain);
        QCOMPARE(m_platform->messages[0].title, QString()); // the application's name
    }

    // A second pick opens the dialog again.
    m_platform->colourResults = {DialogResult<QColor>::accepted(QColor(0, 0, 255))};
    QVERIFY(pickFromList(ui->C_color, 7));
    QCOMPARE(m_platform->colourDialogs, 2);
    QCOMPARE(ui->C_color->text(), QStringLiteral("#0000FF"));
}

void TestColourFields::buttonsServeTheirOwnField()
{
    QVERIFY(pickFromList(ui->C_back, 2));  // green
    QVERIFY(pickFromList(ui->C_color, 0)); // red

    m_platform->colourResults = {DialogResult<QColor>::accepted(QColor(0, 0, 255))};
    QTest::mouseClick(ui->Com_c_b, Qt::LeftButton);
    QCOMPARE(ui->C_back->text(), QStringLiteral("#0000FF"));
    QCOMPARE(ui->T_back->colour(), QColor(0, 0, 255));
    QCOMPARE(ui->C_color->text(), QStringLiteral("red"));
    QCOMPARE(ui->T_color->colour(), QColor(255, 0, 0));

    m_platform->colourResults = {DialogResult<QColor>::cancelled()};
    QTest::mouseClick(ui->Com_c_b, Qt::LeftButton);
    QCOMPARE(ui->C_back->text(), QString());
    QCOMPARE(ui->T_back->colour(), QColor(Qt::white));
    QCOMPARE(ui->C_color->text(), QStringLiteral("red"));

    m_platform->colourResults = {DialogResult<QColor>::accepted(QColor(0x12, 0x34, 0x56))};
    QTest::mouseClick(ui->Com_c_c, Qt::LeftButton);
    QCOMPARE(ui->C_color->text(), QStringLiteral("#123456"));
    QCOMPARE(ui->T_color->colour(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(ui->C_back->text(), QString());
    QCOMPARE(m_platform->colourDialogs, 3);
}

void TestColourFields::resetTurnsBothSwatchesWhite()
{
    typeInto(ui->C_color, "#00FFFF");
    QVERIFY(pickFromList(ui->C_back, 4));
    QCOMPARE(ui->T_back->colour(), QColor(0xFF, 0xC0, 0xCB));
    ui->M_Write->trigger();
    QCOMPARE(ui->Text1->text(),
             QStringLiteral(".default { COLOR : #00FFFF ; BACKGROUND-COLOR : pink }\r\n"));
    QCOMPARE(ui->T_color->colour(), QColor(Qt::white));
    QCOMPARE(ui->T_back->colour(), QColor(Qt::white));
}

QTEST_MAIN(TestColourFields)
#include "tst_colour_fields.moc"
