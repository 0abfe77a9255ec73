// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The toolkit's floor for the start-up benchmark: a window with one menu bar and
// one text edit, nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare0.10"));
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.setCentralWidget(new QPlainTextEdit);
    window.resize(314, 320);
    window.show();
    return app.exec();
}
