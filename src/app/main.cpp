// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_edit.h"
#include "qt_platform.h"
#include "startup.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // A file-size limit makes a save fail with a message instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    corvane::prepareApplication(app);

    corvane::QtPlatform platform;
    corvane::Form_edit window(platform);
    platform.setParentWindow(&window);
    window.show();
    return app.exec();
}
