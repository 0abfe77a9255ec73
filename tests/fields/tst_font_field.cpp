#include "form_edit.h"
#include "scripted_platform.h"
#include "user_input.h"

#include <QTest>

using namespace corvane;
using corvane::testing::pickFromList;
using corvane::testing::ScriptedPlatform;
using corvane::testing::typeInto;

class TestFontField : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readyListsOpenNothing();
    void otherOpensTheFontDialog_data();
    void otherOpensTheFontDialog();
    void typedOtherIsJustText();
    void listOnlyFieldsRefuseTyping_data();
    void listOnlyFieldsRefuseTyping();

private:
    ScriptedPlatform *m_platform = nullptr;
    Form_edit *m_form = nullptr;
    FormControls *ui = nullptr;
};

void TestFontField::init()
{
    m_platform = new ScriptedPlatform;
    m_form = new Form_edit(*m_platform);
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestFontField::cleanup()
{
    delete m_form;
    delete m_platform;
}

void TestFontField::readyListsOpenNothing()
{
    for (int i = 0; i < 8; ++i) {
        QVERIFY(pickFromList(ui->C_font, i));
        QCOMPARE(ui->C_font->text(), ui->C_font->entry(i));
    }
    QCOMPARE(m_platform->fontDialogs, 0);
}

void TestFontField::otherOpensTheFontDialog_data()
{
    QTest::addColumn<DialogResult<QString>>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("boxes");

    QTest::newRow("confirmed") << DialogResult<QString>::accepted("Arial") << "Arial" << 0;
    QTest::newRow("cancelled") << DialogResult<QString>::cancelled() << "" << 0;
    QTest::newRow("failure") << DialogResult<QString>::failed(
                                    QStringLiteral("フォントがありません。"))
                             << QStringLiteral("その他") << 1;
}

void TestFontField::otherOpensTheFontDialog()
{
    QFETCH(DialogResult<QString>, answer);
    QFETCH(QString, text);
    QFETCH(int, boxes);

    typeInto(ui->C_size, "14");
    m_platform->fontResults = {answer};
    QVERIFY(pickFromList(ui->C_font, 8));
    QCOMPARE(m_platform->fontDialogs, 1);
    QCOMPARE(ui->C_font->text(), text);
    QCOMPARE(ui->C_font->listIndex(), boxes ? 8 : -1);
    QCOMPARE(ui->C_size->text(), QStringLiteral("14"));
    QCOMPARE(m_platform->messages.size(), boxes);
    if (boxes) {
        QCOMPARE(m_platform->messages[0].prompt, QStringLiteral("フォントがありません。"));
        QCOMPARE(m_platform->messages[0].buttons, Buttons::OkPlain);
        QCOMPARE(m_platform->messages[0].title, QString());
    }

    m_platform->fontResults = {DialogResult<QString>::accepted(QStringLiteral("IPAゴシック"))};
    QVERIFY(pickFromList(ui->C_font, 8));
    QCOMPARE(m_platform->fontDialogs, 2);
    QCOMPARE(ui->C_font->text(), QStringLiteral("IPAゴシック"));
}

void TestFontField::typedOtherIsJustText()
{
    typeInto(ui->C_font, QStringLiteral("その他"));
    QCOMPARE(m_platform->fontDialogs, 0);
    QCOMPARE(ui->C_font->text(), QStringLiteral("その他"));
    QCOMPARE(ui->C_font->listIndex(), -1);
}

void TestFontField::listOnlyFieldsRefuseTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("size unit") << "C_s_unit";
    QTest::newRow("style") << "C_style";
    QTest::newRow("line-height unit") << "C_l_unit";
}

void TestFontField::listOnlyFieldsRefuseTyping()
{
    QFETCH(QString, field);
    auto *combo = m_form->findChild<ComboBox *>(field);
    combo->setListIndex(1);
    combo->setFocus();
    const QString before = combo->text();

    QTest::keyClicks(combo, "pxmo%");
    QTest::keyClick(combo, Qt::Key_Backspace);
    QTest::keyClick(combo, Qt::Key_Delete);
    QCOMPARE(combo->text(), before);
    QCOMPARE(combo->listIndex(), 1);

    // Still a list: the arrow keys choose, and code can empty it.
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->listIndex(), 2);
    QCOMPARE(combo->text(), combo->entry(2));
    combo->setText(QString());
    QCOMPARE(combo->text(), QString());
    QCOMPARE(combo->listIndex(), -1);
}

QTEST_MAIN(TestFontField)
#include "tst_font_field.moc"
