#include "form_edit.h"
#include "scripted_platform.h"

#include <QTest>

using namespace corvane;
using corvane::testing::ScriptedPlatform;

// The selector field is rebuilt from scratch whenever the user picks a kind.
class TestSelectorKinds : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tagsOfferFortyNamesShowingBody();
    void pseudoClassesStartEmpty();
    void newClassComesBackToDefault();
    void typedTextIsDroppedOnAChangeOfKind();

private:
    QStringList entries() const;

    ScriptedPlatform m_platform;
    Form_edit *m_form = nullptr;
    FormControls *ui = nullptr;
};

void TestSelectorKinds::init()
{
    m_form = new Form_edit(m_platform);
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestSelectorKinds::cleanup()
{
    delete m_form;
}

QStringList TestSelectorKinds::entries() const
{
    QStringList list;
    for (int i = 0; i < ui->C_name->entryCount(); ++i)
        list << ui->C_name->entry(i);
    return list;
}

void TestSelectorKinds::tagsOfferFortyNamesShowingBody()
{
    ui->Op_new->at(1)->click();
    QCOMPARE(ui->C_name->entryCount(), 40);
    QCOMPARE(ui->C_name->text(), QStringLiteral("BODY"));
    QCOMPARE(ui->C_name->listIndex(), 4);
    const QStringList tags = entries();
    QCOMPARE(tags.mid(4, 4), (QStringList{"BODY", "BR", "CITE", "CODE"}));
    QCOMPARE(tags.first(), QStringLiteral("A"));
    QCOMPARE(tags.last(), QStringLiteral("VAR"));
    QStringList sorted = tags;
    sorted.sort();
    QCOMPARE(tags, sorted);

    // A second visit to the kind gives the same full list, not a longer one.
    ui->Op_new->at(2)->click();
    ui->Op_new->at(1)->click();
    QCOMPARE(entries(), tags);
}

void TestSelectorKinds::pseudoClassesStartEmpty()
{
    ui->Op_new->at(2)->click();
    QCOMPARE(entries(), (QStringList{"A:active", "A:hover", "A:link", "A:visited"}));
    QCOMPARE(ui->C_name->text(), QString());
    QCOMPARE(ui->C_name->listIndex(), -1);
}

void TestSelectorKinds::newClassComesBackToDefault()
{
    ui->Op_new->at(1)->click();
    ui->Op_new->at(0)->click();
    QCOMPARE(ui->C_name->text(), QStringLiteral(".default"));
    QCOMPARE(ui->C_name->entryCount(), 0);
}

void TestSelectorKinds::typedTextIsDroppedOnAChangeOfKind()
{
    ui->C_name->setFocus();
    ui->C_name->lineEdit()->selectAll();
    QTest::keyClicks(ui->C_name, QStringLiteral("H1.note"));
    ui->Op_new->at(2)->click();
    QCOMPARE(ui->C_name->text(), QString());
    QTest::keyClicks(ui->C_name, QStringLiteral("A:focus"));
    ui->Op_new->at(0)->click();
    QCOMPARE(ui->C_name->text(), QStringLiteral(".default"));
    QCOMPARE(ui->Text1->toPlainText(), QString());
}

QTEST_MAIN(TestSelectorKinds)
#include "tst_selector_kinds.moc"
