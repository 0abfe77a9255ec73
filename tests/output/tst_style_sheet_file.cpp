#include "output/shift_jis.h"
#include "output/style_sheet.h"

#include <QTest>

using namespace corvane::output;

class TestStyleSheetFile : public QObject {
    Q_OBJECT

private slots:
    void oneRuleFile();
    void sheetEndingInALineBreak();
    void japaneseText();
    void windowsCharacters_data();
    void windowsCharacters();
    void refusedCharacters_data();
    void refusedCharacters();
    void styleBlock_data();
    void styleBlock();
};

void TestStyleSheetFile::oneRuleFile()
{
    const QString rule = QStringLiteral("H1 { COLOR : blue }\r\n");
    const Encoded file = encodeCp932(styleSheetFileText(rule));
    QCOMPARE(file.unencodableAt, -1);
    const QByteArray expected = "/* Copyright(C)You name. Original CSS File. */\r\n"
                                "/*\r\n"
                                "----------------------------------------------\r\n"
                                "--Style Sheet-------------------------------*/\r\n"
                                "\r\n"
                                "H1 { COLOR : blue }\r\n"
                                "\r\n"
                                "/*--------------------------------------------\r\n"
                                "---------------------------End Style Sheet--*/\r\n"
                                "\r\n"
                                "/*                      Corvane Ver.0.1.0\x83\xC0 */\r\n";
    QCOMPARE(file.bytes, expected);
    QCOMPARE(file.bytes.size(), 298 + rule.size());
    QVERIFY(file.bytes.startsWith("/* Copyright(C)You name. Original CSS File. */\r\n"));
    QVERIFY(file.bytes.endsWith("\x83\xC0\x20\x2A\x2F\x0D\x0A"));
    QCOMPARE(file.bytes.indexOf("H1"), fileHeaderLength);
}

void TestStyleSheetFile::sheetEndingInALineBreak()
{
    const QByteArray bytes = encodeCp932(styleSheetFileText("P { COLOR : red }\r\n")).bytes;
    QVERIFY(bytes.contains("P { COLOR : red }\r\n\r\n/*----"));
    const QByteArray open = encodeCp932(styleSheetFileText("P { COLOR : red }")).bytes;
    QVERIFY(open.contains("P { COLOR : red }\r\n/*----"));
}

void TestStyleSheetFile::japaneseText()
{
    const Encoded e =
        encodeCp932(QStringLiteral("/* 見出し */\r\n.ＭＳ { FONT-FAMILY : ＭＳ Ｐゴシック }"));
    QCOMPARE(e.unencodableAt, -1);
    QCOMPARE(e.bytes, QByteArray("/* \x8C\xA9\x8F\x6F\x82\xB5 */\r\n"
                                 ".\x82\x6C\x82\x72 { FONT-FAMILY : \x82\x6C\x82\x72 "
                                 "\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E }"));
}

void TestStyleSheetFile::windowsCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("beta") << QStringLiteral("β") << QByteArray("\x83\xC0");
    QTest::newRow("full-width hyphen-minus") << QStringLiteral("－") << QByteArray("\x81\x7C");
    QTest::newRow("full-width tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("ladder taka") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
    QTest::newRow("backslash") << QStringLiteral("\\") << QByteArray("\x5C");
    QTest::newRow("half-width katakana") << QStringLiteral("ｱ") << QByteArray("\xB1");
}

void TestStyleSheetFile::windowsCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const Encoded e = encodeCp932(text);
    QCOMPARE(e.unencodableAt, -1);
    QCOMPARE(e.bytes, bytes);
}

void TestStyleSheetFile::refusedCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("at");
    // Characters glibc would turn silently into look-alikes.
    QTest::newRow("wave dash") << QStringLiteral("ab〜") << qsizetype(2);
    QTest::newRow("minus sign") << QStringLiteral("a−") << qsizetype(1);
    QTest::newRow("yen sign") << QStringLiteral("P { CONTENT : '¥' }") << qsizetype(15);
    QTest::newRow("em dash") << QStringLiteral("—") << qsizetype(0);
    QTest::newRow("no-break space") << QStringLiteral("A\u00A0B") << qsizetype(1);
    // Characters the code page has no bytes for.
    QTest::newRow("emoji") << QStringLiteral("見出し😀") << qsizetype(3);
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800)) + "x" << qsizetype(0);
    QTest::newRow("lone surrogate at the end") << "xy" + QString(QChar(0xDC00)) << qsizetype(2);
    QTest::newRow("hangul") << QStringLiteral("x한") << qsizetype(1);
    QTest::newRow("first of several") << QStringLiteral("é¥😀") << qsizetype(0);
}

void TestStyleSheetFile::refusedCharacters()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, at);
    const Encoded e = encodeCp932(text);
    QCOMPARE(e.unencodableAt, at);
    QVERIFY(e.bytes.isEmpty());
}

void TestStyleSheetFile::styleBlock_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("block");
    QTest::newRow("one line") << "L"
                              << "<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\nL\r\n//-->\r\n</STYLE>";
    QTest::newRow("ending in a line break")
        << "H1 { COLOR : red }\r\n"
        << "<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\nH1 { COLOR : red }\r\n\r\n//-->\r\n</STYLE>";
}

void TestStyleSheetFile::styleBlock()
{
    QFETCH(QString, sheet);
    QFETCH(QString, block);
    QCOMPARE(corvane::output::styleBlock(sheet), block);
}

QTEST_APPLESS_MAIN(TestStyleSheetFile)
#include "tst_style_sheet_file.moc"
