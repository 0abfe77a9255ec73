// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_platform.h"
#include "reader/interface_factory.h"
#include "startup.h"

#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace corvane;

// Acts on the next dialog of type D from inside its event loop, from a timer of its own so that
// this one keeps watching while it lives: a dialog still open after ten seconds fails the test
// and is closed, instead of hanging it.
template <typename D, typename Act> std::unique_ptr<QTimer> onModal(Act act)
{
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout,
                     [act, acted = false, deadline = QDeadlineTimer(10000)]() mutable {
                         QWidget *open = QApplication::activeModalWidget();
                         if (auto *dialog = qobject_cast<D *>(open); dialog && !acted) {
                             acted = true;
                             QTimer::singleShot(0, dialog, [dialog, act] { act(dialog); });
                         } else if (open && deadline.hasExpired()) {
                             QTest::qFail("a dialog was left open", __FILE__, __LINE__);
                             for (QWidget *w : QApplication::topLevelWidgets())
                                 if (qobject_cast<QDialog *>(w))
                                     w->hide();
                         }
                     });
    timer->start(10);
    return timer;
}

class TestQtPlatform : public QObject {
    Q_OBJECT

private slots:
    // The icon is sharp at every size a desktop asks for, the window's 32 among them: each size
    // the window carries is, pixel for pixel, the PNG installed for the desktop's theme (both
    // premultiplied, as a pixmap holds them). A size in
    // between is the next larger one shrunk; a larger one is the largest.
    void initTestCase()
    {
        prepareApplication(*qApp);
        installAccessibility();
        const QIcon icon = QApplication::windowIcon();
        QList<int> sizes;
        for (const QSize size : icon.availableSizes()) {
            sizes << size.width() * (size.width() == size.height());
            const QImage png(QStringLiteral(CORVANE_ICON_DIR "/corvane-%1.png").arg(size.width()));
            QCOMPARE(icon.pixmap(size).toImage(), QPixmap::fromImage(png).toImage());
        }
        std::sort(sizes.begin(), sizes.end());
        QCOMPARE(sizes, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
        QCOMPARE(icon.pixmap(20).size(), QSize(20, 20));
        QCOMPARE(icon.pixmap(300).size(), QSize(256, 256));
        QCOMPARE(icon.actualSize(QSize(300, 300)), QSize(256, 256));
    }

    // Per box: the title asked for; the title, icon and buttons shown, the default marked *, and
    // what a screen reader calls it (an information box a dialog, with its text as description,
    // a stop box an alert); the key pressed, and the answer.
    void message()
    {
        using enum Buttons;
        using enum Answer;
        const std::tuple<Buttons, QString, QString, Qt::Key, Answer> boxes[] = {
            {OkInformation, "書き出し", "書き出し Information OK* Dialog+", Qt::Key_Return, Ok},
            {OkCritical, "保存", "保存 Critical OK* AlertMessage", Qt::Key_Escape, Ok},
            {YesNoCritical, "消去", "消去 Critical はい* いいえ AlertMessage", Qt::Key_Return, Yes},
            {YesNoCritical, "消去", "消去 Critical はい* いいえ AlertMessage", Qt::Key_Escape, No},
            {OkPlain, "", "Corvane NoIcon OK* Dialog+", Qt::Key_Escape, Ok}};
        QMessageBox early; // a reader may meet a box before its icon is set
        QAccessibleInterface *met = QAccessible::queryAccessibleInterface(&early);
        early.setIcon(QMessageBox::Critical);
        QCOMPARE(met->role(), QAccessible::AlertMessage);
        const QString prompt = "「<b>x</b>.css」\r\n二行目"; // shown as written, not as markup
        for (const auto &[buttons, title, shown, key, answer] : boxes) {
            QString seen;
            auto inspect = onModal<QMessageBox>([&seen, key = key](QMessageBox *box) {
                seen = box->text() + ' ' + QVariant::fromValue(box->textFormat()).toString() + ' ' +
                       box->windowTitle() + ' ' + QVariant::fromValue(box->icon()).toString();
                for (QAbstractButton *b : box->buttons())
                    seen +=
                        ' ' + b->text() + (static_cast<QPushButton *>(b)->isDefault() ? "*" : "");
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(box);
                seen += ' ' + QVariant::fromValue(a->role()).toString() +
                        (a->text(QAccessible::Description) == box->text() ? "+" : "") +
                        (a->text(QAccessible::Name) == box->windowTitle() ? "" : " misnamed");
                QTest::keyClick(box->focusWidget(), key);
            });
            QCOMPARE(QtPlatform().message(prompt, buttons, title), answer);
            QCOMPARE(seen, prompt + " PlainText " + shown);
        }
    }

    // An existing file is replaced only once the user agrees; a No keeps the dialog open. (A name
    // typed without its extension, and the clipboard, are the real-window test's.)
    void chooseSavePath()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath("style.css");
        QVERIFY(QFile(existing).open(QIODevice::WriteOnly));
        const SaveRequest request{"スタイルの保存", "CSS ファイル (*.css)", "css", existing};
        QtPlatform platform;
        QStringList seen;
        auto watch = onModal<QFileDialog>([&](QFileDialog *dialog) {
            seen << dialog->windowTitle() << dialog->nameFilters() << dialog->selectedFiles();
            for (const auto reply : {QMessageBox::No, QMessageBox::Yes}) {
                auto question = onModal<QMessageBox>([&seen, reply](QMessageBox *box) {
                    seen << box->text();
                    box->button(reply)->click();
                });
                static_cast<QDialog *>(dialog)->accept();
                seen << (dialog->isVisible() ? "open" : "closed");
            }
        });
        QCOMPARE(platform.chooseSavePath(request).value, existing);
        const QString question = "style.css は既に存在します。\n置き換えますか?";
        QCOMPARE(seen, (QStringList{request.title, request.filter, existing, question, "open",
                                    question, "closed"}));

        watch = onModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
        QVERIFY(platform.chooseSavePath(request).isCancelled());
    }

    // The colour dialog opens on the colour accepted last, whatever was cancelled since (red
    // here); the font dialog gives the family chosen.
    void colourAndFontDialogs()
    {
        QtPlatform platform;
        QStringList seen;
        for (const QColor set : {QColor(0, 128, 128), QColor(Qt::red), QColor(0, 128, 128)}) {
            auto pick = onModal<QColorDialog>([&seen, set](QColorDialog *dialog) {
                seen << dialog->currentColor().name();
                dialog->setCurrentColor(set);
                set == Qt::red ? dialog->reject() : dialog->accept();
            });
            const DialogResult<QColor> chosen = platform.chooseColor();
            seen << (chosen.isAccepted() ? chosen.value.name() : "cancelled");
        }
        const QString family = QFontDatabase::families().constFirst(); // not the default font
        for (const bool accept : {true, false}) {
            auto pick = onModal<QFontDialog>([&family, accept](QFontDialog *dialog) {
                dialog->setCurrentFont(QFont(family));
                accept ? dialog->accept() : dialog->reject();
            });
            const DialogResult<QString> chosen = platform.chooseFontFamily();
            seen << (chosen.isAccepted() ? chosen.value : "cancelled");
        }
        QCOMPARE(seen.join(' '),
                 "#ffffff #008080 #008080 cancelled #008080 #008080 " + family + " cancelled");
    }
};

QTEST_MAIN(TestQtPlatform)
#include "tst_qt_platform.moc"
