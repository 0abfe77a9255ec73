#include "compose/rule.h"

#include <QTest>

using namespace corvane::compose;

Q_DECLARE_METATYPE(corvane::compose::RuleFields)

class TestRule : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void declarationsKeepTheirOrder();
    void fontStyleFollowsThePosition_data();
    void fontStyleFollowsThePosition();
    void fontWeightWordsBecomeCss_data();
    void fontWeightWordsBecomeCss();
    void valuesAreTakenAsTheyAre();
    void nothingToDeclare();
    void classSelectorAddsOneDot();
};

void TestRule::workedExamples_data()
{
    QTest::addColumn<RuleFields>("fields");
    QTest::addColumn<QString>("rule");

    RuleFields a;
    a.selector = ".default";
    a.fontFamily = "Arial, Helvetica, sans-serif";
    a.fontSize = "12";
    a.sizeUnit = "pt";
    a.colour = "red";
    a.lineHeightUnit = "pt"; // a unit without its number is never written
    a.decorations[0] = true;
    QTest::newRow("class") << a
                           << ".default { FONT-FAMILY : Arial, Helvetica, sans-serif ; FONT-SIZE "
                              ": 12pt ; COLOR : red ; TEXT-DECORATION : underline }\r\n";

    RuleFields b;
    b.selector = "H1";
    b.colour = "blue";
    QTest::newRow("tag") << b << "H1 { COLOR : blue }\r\n";

    RuleFields c;
    c.selector = "BODY";
    c.fontStyle = QStringLiteral("斜体(イタリック)");
    c.fontStylePosition = 1;
    c.fontWeight = "900";
    c.lineHeight = "20";
    c.lineHeightUnit = "px";
    c.background = "yellow";
    QTest::newRow("body")
        << c
        << "BODY { FONT-STYLE : italic ; FONT-WEIGHT : 900 ; LINE-HEIGHT : 20px ; "
           "BACKGROUND-COLOR : yellow }\r\n";

    RuleFields d;
    d.selector = "A:hover";
    d.decorations[4] = true;
    QTest::newRow("pseudo-class") << d << "A:hover { TEXT-DECORATION : none }\r\n";
}

void TestRule::workedExamples()
{
    QFETCH(RuleFields, fields);
    QFETCH(QString, rule);
    QCOMPARE(composeRule(fields).toUtf8(), rule.toUtf8());
}

void TestRule::declarationsKeepTheirOrder()
{
    RuleFields f;
    f.selector = ".all";
    f.fontFamily = "Verdana";
    f.fontSize = "9";
    f.sizeUnit = "%";
    f.fontStyle = QStringLiteral("標準");
    f.fontStylePosition = 0;
    f.fontWeight = "100";
    f.colour = "#010203";
    f.lineHeight = "1.5";
    f.lineHeightUnit = QString();
    f.background = "black";
    f.decorations = {true, true, true, true, false};
    QCOMPARE(composeRule(f),
             QStringLiteral(".all { FONT-FAMILY : Verdana ; FONT-SIZE : 9% ; FONT-STYLE : normal ; "
                            "FONT-WEIGHT : 100 ; COLOR : #010203 ; LINE-HEIGHT : 1.5 ; "
                            "BACKGROUND-COLOR : black ; TEXT-DECORATION : underline overline "
                            "line-through blink }\r\n"));
}

void TestRule::fontStyleFollowsThePosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("declaration");
    QTest::newRow("normal") << 0 << " FONT-STYLE : normal }";
    QTest::newRow("italic") << 1 << " FONT-STYLE : italic }";
    QTest::newRow("oblique") << 2 << " FONT-STYLE : oblique }";
    QTest::newRow("no entry selected") << -1 << " FONT-STYLE :  }";
}

void TestRule::fontStyleFollowsThePosition()
{
    QFETCH(int, position);
    QFETCH(QString, declaration);
    RuleFields f;
    f.selector = "P";
    f.fontStyle = QStringLiteral("斜体(オブリーブ)"); // the text does not count, the position does
    f.fontStylePosition = position;
    QCOMPARE(composeRule(f), "P {" + declaration + "\r\n");
}

void TestRule::fontWeightWordsBecomeCss_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("css");
    QTest::newRow("thin") << QStringLiteral("細字") << "lighter";
    QTest::newRow("normal") << QStringLiteral("標準") << "normal";
    QTest::newRow("bold") << QStringLiteral("太字") << "bold";
    QTest::newRow("extra bold") << QStringLiteral("特太") << "bolder";
    QTest::newRow("number") << "500"
                            << "500";
    QTest::newRow("typed keyword") << "bold"
                                   << "bold";
    QTest::newRow("word with a blank") << QStringLiteral("太字 ") << QStringLiteral("太字 ");
}

void TestRule::fontWeightWordsBecomeCss()
{
    QFETCH(QString, weight);
    QFETCH(QString, css);
    RuleFields f;
    f.selector = "B";
    f.fontWeight = weight;
    QCOMPARE(composeRule(f), "B { FONT-WEIGHT : " + css + " }\r\n");
}

void TestRule::valuesAreTakenAsTheyAre()
{
    RuleFields f;
    f.selector = "   ";
    f.fontFamily = QStringLiteral(" ＭＳ Ｐゴシック, Osaka－等幅 ");
    f.colour = QStringLiteral("Red");
    QCOMPARE(composeRule(f), QStringLiteral("    { FONT-FAMILY :  ＭＳ Ｐゴシック, Osaka－等幅  ; "
                                            "COLOR : Red }\r\n"));

    f = {};
    f.selector = QStringLiteral("見出し😀");
    f.fontSize = "12";
    QCOMPARE(composeRule(f), QStringLiteral("見出し😀 { FONT-SIZE : 12 }\r\n"));
}

void TestRule::nothingToDeclare()
{
    RuleFields f;
    f.selector = ".empty";
    f.sizeUnit = "pt";
    f.lineHeightUnit = "pt";
    QVERIFY(composeRule(f).isEmpty());
}

void TestRule::classSelectorAddsOneDot()
{
    QCOMPARE(classSelector("foo"), QStringLiteral(".foo"));
    QCOMPARE(classSelector(".foo"), QStringLiteral(".foo"));
    QCOMPARE(classSelector(" foo"), QStringLiteral(". foo"));
}

QTEST_APPLESS_MAIN(TestRule)
#include "tst_rule.moc"
