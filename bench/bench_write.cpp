// Time of one Write as the style sheet grows: the rule is appended at the end,
// so the cost should not depend on how many rules the pane already holds.
#include "form_edit.h"
#include "scripted_platform.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace corvane;

namespace {

struct Timing {
    double command; // the Write itself
    double shown;   // until the window has laid out and painted the new line
};

Timing microsecondsPerWrite(int rulesBefore, int writes)
{
    testing::ScriptedPlatform platform;
    Form_edit form(platform);
    FormControls &ui = form.controls();
    form.show();
    QApplication::processEvents();

    QString sheet;
    for (int i = 0; i < rulesBefore; ++i)
        sheet += QStringLiteral(".c%1 { FONT-SIZE : 12pt ; COLOR : red }\r\n").arg(i);
    ui.Text1->setText(sheet);
    ui.Op_new->select(1); // tags: the registry stays as it is
    QApplication::processEvents();

    std::vector<double> command, shown;
    for (int i = 0; i < writes; ++i) {
        ui.C_color->setListIndex(i % 7);
        ui.C_size->setListIndex(i % 7);
        QElapsedTimer timer;
        timer.start();
        ui.M_Write->trigger();
        command.push_back(double(timer.nsecsElapsed()) / 1000.0);
        QApplication::processEvents();
        shown.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    const auto median = [](std::vector<double> &v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return {median(command), median(shown)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int writes = 300;
    std::printf("median microseconds per Write, %d Writes each\n", writes);
    std::printf("%-24s %10s %10s\n", "rules already in pane", "command", "shown");
    for (int rules : {10, 1000, 10000}) {
        const Timing t = microsecondsPerWrite(rules, writes);
        std::printf("%-24d %10.1f %10.1f\n", rules, t.command, t.shown);
    }
    return 0;
}
