#include "form_edit.h"
#include "scripted_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using corvane::testing::ScriptedPlatform;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestOutputCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyPaneIsNotSavedOrCopied();
    void saveWritesTheFramedFile();
    void secondSaveProposesTheFirstPath();
    void cancelledSaveIsSilent();
    void failingSaveDialogEndsTheCommand();
    void failedWriteShowsOneMessage();
    void unencodableCharacterIsShownNotSaved();
    void copyPutsTheStyleBlockOnTheClipboard();
    void clearAsksFirst_data();
    void clearAsksFirst();

private:
    void writeRule(const QString &tag, int colour);

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPlatform *m_platform = nullptr;
    Form_edit *m_form = nullptr;
    FormControls *ui = nullptr;
};

void TestOutputCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_platform = new ScriptedPlatform;
    m_form = new Form_edit(*m_platform);
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestOutputCommands::cleanup()
{
    delete m_form;
    delete m_platform;
}

void TestOutputCommands::writeRule(const QString &tag, int colour)
{
    ui->Op_new->select(1);
    ui->C_name->setText(tag);
    ui->C_color->setListIndex(colour);
    ui->M_Write->trigger();
}

void TestOutputCommands::emptyPaneIsNotSavedOrCopied()
{
    QTest::keyClick(m_form, Qt::Key_S, Qt::ControlModifier);
    ui->M_Copy->trigger();
    QCOMPARE(m_platform->messages.size(), 2);
    QCOMPARE(m_platform->messages[0].prompt,
             QStringLiteral("スタイルを作成してから、保存してください。"));
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("保存エラー"));
    QCOMPARE(m_platform->messages[0].buttons, Buttons::OkInformation);
    QCOMPARE(m_platform->messages[1].prompt,
             QStringLiteral("スタイルを作成してから、コピーをしてください。"));
    QCOMPARE(m_platform->messages[1].title, QStringLiteral("コピーエラー"));
    QCOMPARE(m_platform->messages[1].buttons, Buttons::OkInformation);
    QVERIFY(m_platform->saveRequests.isEmpty());
    QVERIFY(m_platform->clipboardTexts.isEmpty());
}

void TestOutputCommands::saveWritesTheFramedFile()
{
    writeRule("H1", 1);
    const QString path = m_dir->filePath("sheet.css");
    m_platform->saveResults = {DialogResult<QString>::accepted(path)};
    ui->M_Save->trigger();

    QCOMPARE(m_platform->saveRequests.size(), 1);
    const SaveRequest &request = m_platform->saveRequests[0];
    QCOMPARE(request.title, QStringLiteral("スタイルの保存"));
    QCOMPARE(request.filter, QStringLiteral("CSS ファイル (*.css)"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("css"));
    QCOMPARE(request.proposedPath, QStringLiteral("default"));

    const QByteArray bytes = contents(path);
    QCOMPARE(bytes.size(), 298 + QByteArray("H1 { COLOR : blue }\r\n").size());
    QCOMPARE(bytes.mid(150, 21), QByteArray("H1 { COLOR : blue }\r\n"));
    QVERIFY(bytes.endsWith("Corvane Ver.0.1.0\x83\xC0 */\r\n"));
    QVERIFY(m_platform->messages.isEmpty());
}

void TestOutputCommands::secondSaveProposesTheFirstPath()
{
    writeRule("H1", 1);
    const QString path = m_dir->filePath("sheet.css");
    m_platform->saveResults = {DialogResult<QString>::accepted(path)};
    ui->M_Save->trigger();
    writeRule("H2", 0);
    m_platform->saveResults = {DialogResult<QString>::accepted(path)};
    ui->M_Save->trigger();

    QCOMPARE(m_platform->saveRequests[1].proposedPath, path);
    QVERIFY(contents(path).contains("H1 { COLOR : blue }\r\nH2 { COLOR : red }\r\n\r\n/*"));
}

void TestOutputCommands::cancelledSaveIsSilent()
{
    writeRule("H1", 1);
    m_platform->saveResults = {DialogResult<QString>::cancelled()};
    ui->M_Save->trigger();
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(ui->common.FileName, QStringLiteral("default"));
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void TestOutputCommands::failingSaveDialogEndsTheCommand()
{
    writeRule("H1", 1);
    m_platform->saveResults = {DialogResult<QString>::failed(QStringLiteral("開けません。"))};
    ui->M_Save->trigger();
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].prompt, QStringLiteral("開けません。"));
    QCOMPARE(m_platform->messages[0].buttons, Buttons::OkPlain);
    QCOMPARE(m_platform->messages[0].title, QString());
    QVERIFY(!QFile::exists(QDir::current().filePath("default.css")));
    QVERIFY(!QFile::exists(QDir::current().filePath("default")));
}

void TestOutputCommands::failedWriteShowsOneMessage()
{
    writeRule("H1", 1);
    const QString path = m_dir->filePath("no such folder/sheet.css");
    m_platform->saveResults = {DialogResult<QString>::accepted(path)};
    ui->M_Save->trigger();
    QCOMPARE(m_platform->messages.size(), 1);
    QVERIFY(m_platform->messages[0].prompt.contains(QDir::toNativeSeparators(path)));
    QVERIFY(m_platform->messages[0].prompt.contains(QStringLiteral("フォルダーが見つかりません")));
    QCOMPARE(m_platform->messages[0].buttons, Buttons::OkPlain);
    QCOMPARE(m_platform->messages[0].title, QString());
}

void TestOutputCommands::unencodableCharacterIsShownNotSaved()
{
    const QString path = m_dir->filePath("sheet.css");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    ui->Text1->setText(QStringLiteral("H1 { COLOR : red }\r\nP { CONTENT : '見😀' }\r\n"));
    m_platform->saveResults = {DialogResult<QString>::accepted(path)};
    ui->M_Save->trigger();

    QCOMPARE(m_platform->messages.size(), 1);
    const QString prompt = m_platform->messages[0].prompt;
    QVERIFY2(prompt.contains(QStringLiteral("2 行 17 文字目")), qPrintable(prompt));
    QVERIFY2(prompt.contains(QStringLiteral("U+1F600「😀」")), qPrintable(prompt));
    QVERIFY(m_platform->saveRequests.isEmpty());
    QCOMPARE(contents(path), QByteArray("old"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sheet.css"});

    // The character is selected in the pane.
    QVERIFY(ui->Text1->hasFocus());
    QCOMPARE(ui->Text1->textCursor().selectedText(), QStringLiteral("😀"));
    QCOMPARE(ui->Text1->textCursor().blockNumber(), 1);
}

void TestOutputCommands::copyPutsTheStyleBlockOnTheClipboard()
{
    // The pane's own characters: a no-break space stays one.
    ui->Text1->setText(QStringLiteral("/*\u00A0*/\n"));
    writeRule("H1", 1);
    const QString sheet = ui->Text1->text();
    QTest::keyClick(ui->Text1, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_platform->clipboardTexts,
             QStringList{QStringLiteral("<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\n/*\u00A0*/\r\n"
                                        "H1 { COLOR : blue }\r\n\r\n//-->\r\n</STYLE>")});
    QCOMPARE(ui->Text1->text(), sheet);
    QVERIFY(m_platform->messages.isEmpty());
}

void TestOutputCommands::clearAsksFirst_data()
{
    QTest::addColumn<bool>("written");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes") << true << Answer::Yes;
    QTest::newRow("no") << true << Answer::No;
    QTest::newRow("empty pane, yes") << false << Answer::Yes;
}

void TestOutputCommands::clearAsksFirst()
{
    QFETCH(bool, written);
    QFETCH(Answer, answer);
    if (written) {
        ui->Op_new->select(0);
        ui->C_color->setListIndex(0);
        ui->M_Write->trigger();
    }
    const QString sheet = ui->Text1->text();
    const QStringList registry = ui->old_Name;

    m_platform->answers = {answer};
    QTest::keyClick(ui->Text1, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].prompt, QStringLiteral("スタイルをクリアしますか？"));
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("消去確認"));
    QCOMPARE(m_platform->messages[0].buttons, Buttons::YesNoCritical);
    QCOMPARE(ui->Text1->text(), answer == Answer::Yes ? QString() : sheet);
    QCOMPARE(ui->old_Name, registry);

    // Cleared or not, a class once written is still refused.
    if (written) {
        ui->C_name->setText(QStringLiteral(".default"));
        ui->C_color->setListIndex(0);
        ui->M_Write->trigger();
        QCOMPARE(m_platform->messages.last().title, QStringLiteral("重複エラー"));
    }
}

QTEST_MAIN(TestOutputCommands)
#include "tst_output_commands.moc"
