#include "fields/colour.h"

#include <QTest>

using namespace corvane::fields;

Q_DECLARE_METATYPE(std::optional<corvane::fields::ColourNumber>)

namespace {

constexpr ColourNumber rgb(unsigned r, unsigned g, unsigned b)
{
    return r | g << 8 | b << 16;
}

} // namespace

class TestColour : public QObject {
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
    void hexTextOfAColourNumber();
    void everyColourSurvivesItsHexText();
};

void TestColour::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<ColourNumber>>("colour");
    const std::optional<ColourNumber> mismatch;
    const std::optional<ColourNumber> whiteColour = white;

    // The names give the colours a browser shows for them.
    QTest::newRow("red") << "red" << std::optional(rgb(255, 0, 0));
    QTest::newRow("blue") << "blue" << std::optional(rgb(0, 0, 255));
    QTest::newRow("green") << "green" << std::optional(rgb(0, 0x80, 0));
    QTest::newRow("yellow") << "yellow" << std::optional(rgb(255, 255, 0));
    QTest::newRow("pink") << "pink" << std::optional(rgb(0xFF, 0xC0, 0xCB));
    QTest::newRow("white") << "white" << whiteColour;
    QTest::newRow("black") << "black" << std::optional(rgb(0, 0, 0));

    QTest::newRow("capital") << "Red" << whiteColour;
    QTest::newRow("capitals") << "RED" << whiteColour;
    QTest::newRow("blank before") << " red" << whiteColour;
    QTest::newRow("blank after") << "red " << whiteColour;
    QTest::newRow("other") << QStringLiteral("その他") << whiteColour;
    QTest::newRow("empty") << "" << whiteColour;
    QTest::newRow("no hash") << "FF0000" << whiteColour;

    QTest::newRow("#FF0000") << "#FF0000" << std::optional(rgb(255, 0, 0));
    QTest::newRow("#ff0000") << "#ff0000" << std::optional(rgb(255, 0, 0));
    QTest::newRow("#0000FF") << "#0000FF" << std::optional(rgb(0, 0, 255));
    QTest::newRow("#aBc123") << "#aBc123" << std::optional(rgb(0xAB, 0xC1, 0x23));
    QTest::newRow("1 digit") << "#F" << std::optional(rgb(0, 0, 0x0F));
    QTest::newRow("2 digits") << "#FF" << std::optional(rgb(0, 0, 255));
    QTest::newRow("3 digits") << "#123" << std::optional(rgb(0, 0x01, 0x23));
    QTest::newRow("4 digits") << "#ffff" << std::optional(rgb(0, 255, 255));
    QTest::newRow("5 digits") << "#12345" << std::optional(rgb(0x01, 0x23, 0x45));
    QTest::newRow("hash alone") << "#" << whiteColour;
    QTest::newRow("8 characters, hex") << "#FF00000" << whiteColour;
    QTest::newRow("8 characters, not hex") << "#GGGGGGG" << whiteColour;
    QTest::newRow("9 characters") << "#12345678" << whiteColour;

    QTest::newRow("#G") << "#G" << mismatch;
    QTest::newRow("#12345G") << "#12345G" << mismatch;
    QTest::newRow("blank") << "#12 456" << mismatch;
    QTest::newRow("sign") << "#-1" << mismatch;
    QTest::newRow("full-width digit") << QStringLiteral("#１２") << mismatch;
    // Seven characters as the user sees them, though eight UTF-16 units.
    QTest::newRow("emoji counts once") << QStringLiteral("#12345😀") << mismatch;
    QTest::newRow("accent counts with its letter") << QStringLiteral("#12345e\u0301") << mismatch;
}

void TestColour::conversion()
{
    QFETCH(QString, text);
    QFETCH(std::optional<ColourNumber>, colour);
    QCOMPARE(c_conv(text), colour);
}

void TestColour::hexTextOfAColourNumber()
{
    QCOMPARE(hexColourText(255), QStringLiteral("#FF0000"));
    QCOMPARE(hexColourText(65280), QStringLiteral("#00FF00"));
    QCOMPARE(hexColourText(16711680), QStringLiteral("#0000FF"));
    QCOMPARE(hexColourText(0), QStringLiteral("#000000"));
    QCOMPARE(hexColourText(rgb(1, 2, 3)), QStringLiteral("#010203"));
    QCOMPARE(colourNumber(QColor(1, 2, 3)), rgb(1, 2, 3));
    QCOMPARE(toQColor(rgb(0xAB, 0xCD, 0xEF)), QColor(0xAB, 0xCD, 0xEF));
}

void TestColour::everyColourSurvivesItsHexText()
{
    for (ColourNumber colour = 0; colour <= white; ++colour) {
        if (c_conv(hexColourText(colour)) != colour)
            QFAIL(qPrintable(hexColourText(colour)));
    }
}

QTEST_APPLESS_MAIN(TestColour)
#include "tst_colour.moc"
