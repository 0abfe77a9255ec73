// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The toolkit's floors for the start-up benchmark: a window with one menu bar and one text edit,
// nothing else. `bare_window japanese` shows Japanese text in the faces Corvane's window shows:
// the proportional IPA Gothic at 9 points as the window's font, and a caption at 8.25 points in
// each of the proportional and the fixed-pitch Gothic above the text edit.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <cstring>

namespace {

QFont face(const char *family, double pointSize)
{
    QFont font{QString::fromLatin1(family)};
    font.setPointSizeF(pointSize);
    return font;
}

QWidget *japaneseClient()
{
    auto *client = new QWidget;
    auto *column = new QVBoxLayout(client);
    auto *proportional = new QLabel(QStringLiteral("Source(P) ソース"));
    proportional->setFont(face("IPAPGothic", 8.25));
    auto *fixedPitch = new QLabel(QStringLiteral("フォント："));
    fixedPitch->setFont(face("IPAGothic", 8.25));
    column->addWidget(proportional);
    column->addWidget(fixedPitch);
    column->addWidget(new QPlainTextEdit);
    return client;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool japanese = argc > 1 && std::strcmp(argv[1], "japanese") == 0;
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare0.10"));
    if (japanese) {
        window.setFont(face("IPAPGothic", 9));
        window.menuBar()
            ->addMenu(QStringLiteral("ファイル(&F)"))
            ->addAction(QStringLiteral("終了(&X)"));
        window.setCentralWidget(japaneseClient());
    } else {
        window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
        window.setCentralWidget(new QPlainTextEdit);
    }
    window.resize(314, 320);
    window.show();
    return app.exec();
}
