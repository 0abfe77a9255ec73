#include "source_pane.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

using namespace corvane;

class TestSourcePane : public QObject {
    Q_OBJECT

private slots:
    void linesReadBackWithCrLf_data();
    void linesReadBackWithCrLf();
    void pastedTextReadsBackTheSame();
    void appendKeepsTheUsersEditsAndHistory();
    void appendShowsTheNewRule();
};

void TestSourcePane::linesReadBackWithCrLf_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("CR LF") << "a\r\nb\r\n"
                           << "a\r\nb\r\n";
    QTest::newRow("LF") << "a\nb"
                        << "a\r\nb";
    QTest::newRow("CR") << "a\rb"
                        << "a\r\nb";
    QTest::newRow("line separator") << QStringLiteral("a\u2028b") << "a\r\nb";
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b") << QStringLiteral("a\u00A0b");
    QTest::newRow("empty lines") << "\r\n\r\n"
                                 << "\r\n\r\n";
}

void TestSourcePane::linesReadBackWithCrLf()
{
    QFETCH(QString, written);
    QFETCH(QString, read);
    SourcePane pane;
    pane.setText(written);
    QCOMPARE(pane.text(), read);
}

void TestSourcePane::pastedTextReadsBackTheSame()
{
    SourcePane pane;
    const QString sheet = QStringLiteral("H1 { COLOR : red }\r\n.日本 { COLOR : blue }\r\n");
    QApplication::clipboard()->setText(sheet);
    pane.paste();
    QCOMPARE(pane.text(), sheet);
    QCOMPARE(pane.blockCount(), 3);
}

void TestSourcePane::appendKeepsTheUsersEditsAndHistory()
{
    SourcePane pane;
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QTest::keyClicks(&pane, "/* x */");
    QTest::keyClick(&pane, Qt::Key_Return);
    pane.appendAtEnd(QStringLiteral("P { COLOR : red }\r\n"));
    QCOMPARE(pane.text(), QStringLiteral("/* x */\r\nP { COLOR : red }\r\n"));

    pane.undo(); // the rule
    QCOMPARE(pane.text(), QStringLiteral("/* x */\r\n"));
    pane.undo(); // then the user's own typing
    QVERIFY(pane.text().size() < QStringLiteral("/* x */\r\n").size());
}

void TestSourcePane::appendShowsTheNewRule()
{
    SourcePane pane;
    pane.setLineWrapMode(QPlainTextEdit::NoWrap);
    pane.resize(200, 100);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QString sheet;
    for (int i = 0; i < 200; ++i)
        sheet += QStringLiteral("P.x%1 { COLOR : red ; BACKGROUND-COLOR : yellow }\r\n").arg(i);
    pane.setText(sheet);
    pane.moveCursor(QTextCursor::Start);
    pane.horizontalScrollBar()->setValue(pane.horizontalScrollBar()->maximum());

    pane.appendAtEnd(QStringLiteral("H1 { COLOR : blue }\r\n"));
    const QTextBlock rule = pane.document()->lastBlock().previous();
    QCOMPARE(rule.text(), QStringLiteral("H1 { COLOR : blue }"));
    QVERIFY(pane.viewport()->rect().contains(pane.cursorRect(QTextCursor(rule))));
    QCOMPARE(pane.horizontalScrollBar()->value(), 0);
}

QTEST_MAIN(TestSourcePane)
#include "tst_source_pane.moc"
