// Cost per call of the plain functions behind Write and the swatches.
#include "compose/rule.h"
#include "fields/colour.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

using namespace corvane;

namespace {

template <typename F> double nanosecondsPerCall(F &&call)
{
    constexpr int calls = 200000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        call(i);
    return double(timer.nsecsElapsed()) / calls;
}

volatile std::size_t sink; // keeps the results from being optimised away

} // namespace

int main()
{
    compose::RuleFields full;
    full.selector = QStringLiteral(".default");
    full.fontFamily = QStringLiteral("ＭＳ Ｐゴシック, Osaka");
    full.fontSize = QStringLiteral("12");
    full.sizeUnit = QStringLiteral("pt");
    full.fontStyle = QStringLiteral("斜体(イタリック)");
    full.fontStylePosition = 1;
    full.fontWeight = QStringLiteral("太字");
    full.colour = QStringLiteral("red");
    full.lineHeight = QStringLiteral("20");
    full.lineHeightUnit = QStringLiteral("px");
    full.background = QStringLiteral("#FFFFCC");
    full.decorations = {true, false, false, true, false};
    compose::RuleFields one;
    one.selector = QStringLiteral("H1");
    one.colour = QStringLiteral("blue");

    const QStringList colours{"red",     "black",  "#FF0000", "#ff",
                              "#12345G", "その他", "",        QStringLiteral("#12345😀")};

    std::printf("%-36s %10s\n", "call", "ns/call");
    std::printf("%-36s %10.0f\n", "composeRule, all eight declarations",
                nanosecondsPerCall([&](int) { sink = sink + compose::composeRule(full).size(); }));
    std::printf("%-36s %10.0f\n", "composeRule, one declaration",
                nanosecondsPerCall([&](int) { sink = sink + compose::composeRule(one).size(); }));
    std::printf("%-36s %10.0f\n", "c_conv, mixed texts", nanosecondsPerCall([&](int i) {
                    sink = sink + fields::c_conv(colours.at(i % colours.size())).value_or(0);
                }));
    std::printf("%-36s %10.0f\n", "hexColourText", nanosecondsPerCall([&](int i) {
                    sink = sink + fields::hexColourText(fields::ColourNumber(i)).size();
                }));
    return 0;
}
