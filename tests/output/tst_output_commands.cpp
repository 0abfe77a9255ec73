// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/shift_jis.h"
#include "output/style_sheet.h"
#include "save/save_steps.h"
#include "window_fixture.h"

#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

using namespace corvane;
using namespace corvane::testing;
using Path = DialogResult<QString>;

class TestOutputCommands : public WindowTest {
    Q_OBJECT

    QTemporaryDir m_dir;

    void writeRule(const QString &tag, int colour)
    {
        ui->Op_new->select(1);
        ui->C_name->setText(tag);
        ui->C_color->setListIndex(colour);
        write();
    }
    QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

private slots:
    void strictShiftJis()
    {
        const std::pair<QString, QByteArray> encoded[] = {
            {"/* 見出し */\r\n.ＭＳ { FONT-FAMILY : ＭＳ Ｐゴシック }",
             "/* \x8C\xA9\x8F\x6F\x82\xB5 */\r\n.\x82\x6C\x82\x72 { FONT-FAMILY : \x82\x6C\x82\x72 "
             "\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E }"},
            {"β－～①髙", "\x83\xC0\x81\x7C\x81\x60\x87\x40\xFB\xFC"}, // Windows' own characters
            {"〜−‖¢£¬", "\x81\x60\x81\x7C\x81\x61\x81\x91\x81\x92\x81\xCA"}}; // JIS X 0208's
        for (const auto &[text, bytes] : encoded)
            QCOMPARE(output::encodeCp932(text).bytes, bytes);
        // Characters whose bytes read back as another (¥ and ‾ as "\" and "~", — as ―), and
        // characters with no bytes at all.
        // clang-format off
        const std::pair<QString, qsizetype> refused[] = {
            {"P { CONTENT : '¥' }", 15}, {"a‾", 1}, {"ab—", 2}, {"A\u00A0B", 1}, {"見出し😀", 3},
            {QString(u'\xD800') + "x", 0}, {"xy" + QString(u'\xDC00'), 2}};
        // clang-format on
        for (const auto &[text, at] : refused) {
            const output::Encoded e = output::encodeCp932(text);
            QCOMPARE(e.unencodableAt, at);
            QVERIFY(e.bytes.isEmpty());
        }
    }

    void saveAsksForAFileAndReportsFailures()
    {
        const QString path = m_dir.filePath("sheet.css");
        const QString missing = m_dir.filePath("no such folder/sheet.css");
        platform->saveResults = {Path::cancelled(), Path::failed("開けません。"),
                                 Path::accepted(path), Path::accepted(missing),
                                 Path::accepted(path)};
        writeRule("H1", 1);
        ui->M_Save->trigger(); // cancelled: nothing said
        ui->M_Save->trigger();
        QVERIFY(QDir(m_dir.path()).isEmpty() && !QFile::exists("default.css") &&
                !QFile::exists("default"));
        ui->M_Save->trigger();
        const QByteArray bytes = contents(path);
        QCOMPARE(bytes, QByteArray("/* Copyright(C)You name. Original CSS File. */\r\n/*\r\n"
                                   "----------------------------------------------\r\n"
                                   "--Style Sheet-------------------------------*/\r\n\r\n"
                                   "H1 { COLOR : blue }\r\n\r\n" // the empty line stays
                                   "/*--------------------------------------------\r\n"
                                   "---------------------------End Style Sheet--*/\r\n\r\n"
                                   "/*                      Corvane Ver.0.1.0\x83\xC0 */\r\n"));
        writeRule("H2", 0);
        ui->M_Save->trigger();

        // A character Shift_JIS cannot hold is shown, after a Shift+Return too; nothing is written.
        ui->Text1->moveCursor(QTextCursor::Start);
        QTest::keyClick(ui->Text1, Qt::Key_Return, Qt::ShiftModifier);
        ui->Text1->appendAtEnd("P { CONTENT : '見😀' }\r\n");
        ui->M_Save->trigger();
        QCOMPARE(contents(path), bytes);
        QCOMPARE(platform->saveDialogs, 4);
        QVERIFY(ui->Text1->hasFocus());
        QCOMPARE(ui->Text1->textCursor().selectedText(), "😀");
        QCOMPARE(ui->Text1->textCursor().blockNumber(), 2);

        const SaveRequest &first = platform->saveRequests.at(0); // later, the path chosen last
        QCOMPARE((QStringList{first.title, first.filter, first.defaultSuffix, first.proposedPath,
                              platform->saveRequests.at(3).proposedPath}),
                 (QStringList{"スタイルの保存", "CSS ファイル (*.css)", "css", "default", path}));
        const QString notSaved =
            "「" + QDir::toNativeSeparators(missing) +
            "」に保存できませんでした。\r\n保存先のフォルダーが見つかりません。";
        QCOMPARE(platform->messages,
                 (QList<ShownMessage>{
                     {"開けません。", Buttons::OkPlain, ""},
                     {notSaved, Buttons::OkPlain, ""},
                     {"4 行 17 文字目の文字 U+1F600「😀」 は Shift_JIS で保存できません。\r\n"
                      "この文字を書き換えてから、もう一度保存してください。",
                      Buttons::OkPlain, ""}}));
    }

    // While a save runs the pointer is busy; what is typed meanwhile reaches the pane before the
    // box that follows is shown (one that the keys could otherwise answer).
    void busyWhileSaving()
    {
        const QString path = m_dir.filePath("sheet.css");
        QVERIFY(put(path, "old"));
        platform->saveResults = {Path::accepted(path)};
        writeRule("H1", 1);
        ui->Text1->setFocus();
        ui->Text1->moveCursor(QTextCursor::End);
        int shape = -1;
        save::onSaveStep = [&](save::SaveStep step) {
            if (step != save::SaveStep::Located)
                return;
            shape =
                QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : -1;
            for (const char *key : {"a", "b"})
                QCoreApplication::postEvent(
                    ui->Text1, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, key));
            QVERIFY(QFile::remove(path) && put(path, "another program's")); // refused: replaced
        };
        QString paneAtBox;
        platform->onMessage = [&] {
            paneAtBox = ui->Text1->text();
        };
        ui->M_Save->trigger();
        save::onSaveStep = nullptr;
        QCOMPARE(shape, int(Qt::WaitCursor));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY(paneAtBox.endsWith("ab"));
        QCOMPARE(contents(path), "another program's");
    }

    // A sheet larger than the memory left: the save is refused, the sheet stays, and the
    // program goes on.
    void outOfMemory()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer reserves the address space that this test limits");
#endif
        const QString sheet(3'000'000, u'x'), path = m_dir.filePath("large.css");
        ui->Text1->setText(sheet);
        platform->saveResults = {Path::accepted(path)};
        QFile statm("/proc/self/statm");
        QVERIFY(statm.open(QIODevice::ReadOnly));
        rlimit was{};
        ::getrlimit(RLIMIT_AS, &was);
        const rlimit tight{statm.readAll().split(' ').first().toULong() * rlim_t(::getpagesize()) +
                               (1 << 20),
                           was.rlim_max};
        ::setrlimit(RLIMIT_AS, &tight);
        ui->M_Save->trigger();
        ::setrlimit(RLIMIT_AS, &was);
        QCOMPARE(platform->messages,
                 (QList<ShownMessage>{{"メモリーが足りません。", Buttons::OkPlain, ""}}));
        QCOMPARE(ui->Text1->text(), sheet);
        QVERIFY(!QFile::exists(path));
    }

    void copyAndClear()
    {
        QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier); // the pane is empty
        ui->M_Copy->trigger();
        ui->Text1->setText("/*\u00A0*/\n"); // the no-break space stays one
        writeRule("H1", 1);
        ui->M_Copy->trigger();
        QCOMPARE(platform->clipboardTexts,
                 QStringList{"<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\n/*\u00A0*/\r\n"
                             "H1 { COLOR : blue }\r\n\r\n//-->\r\n</STYLE>"});
        QCOMPARE(output::styleBlock("L"),
                 "<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\nL\r\n//-->\r\n</STYLE>");

        // Clear asks first, even for an empty pane, and the registry stays.
        ui->Op_new->select(0);
        ui->C_color->setListIndex(0);
        write();
        const QString sheet = ui->Text1->text();
        platform->answers = {Answer::No, Answer::Yes, Answer::Yes};
        ui->M_Clear->trigger();
        QCOMPARE(ui->Text1->text(), sheet);
        ui->M_Clear->trigger();
        ui->M_Clear->trigger();
        QVERIFY(ui->Text1->text().isEmpty());
        QCOMPARE(ui->old_Name, QStringList{".default"});
        ui->Text1->undo(); // a Clear by mistake is taken back like any edit
        QCOMPARE(ui->Text1->text(), sheet);
        QCOMPARE(platform->messages, (QList{box::noSheetToSave, box::noSheetToCopy, box::clear,
                                            box::clear, box::clear}));
        QCOMPARE(platform->saveDialogs, 0);
    }
};

QTEST_MAIN(TestOutputCommands)
#include "tst_output_commands.moc"
