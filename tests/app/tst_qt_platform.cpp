#include "qt_platform.h"
#include "startup.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace corvane;

// Acts on the next dialog of type D from inside its own event loop, while the timer lives. The
// act runs from a timer of its own, so that this one keeps watching: any dialog left open for
// five seconds fails the test and is closed, instead of hanging it.
template <typename D, typename Act> std::unique_ptr<QTimer> onModal(Act act)
{
    auto timer = std::make_unique<QTimer>();
    QObject::connect(
        timer.get(), &QTimer::timeout,
        [act, acted = false, open = QPointer<QWidget>(), since = QDeadlineTimer()]() mutable {
            QWidget *now = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<D *>(now); dialog && !acted) {
                acted = true;
                QTimer::singleShot(0, dialog, [dialog, act] { act(dialog); });
            }
            if (now != open) {
                open = now;
                since = QDeadlineTimer(5000);
            } else if (now && since.hasExpired()) {
                QTest::qFail("a dialog was left open", __FILE__, __LINE__);
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (qobject_cast<QDialog *>(w))
                        w->hide();
            }
        });
    timer->start(10);
    return timer;
}

template <typename E> QString keyOf(E value)
{
    return QMetaEnum::fromType<E>().valueToKey(int(value));
}

class TestQtPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(*qApp); }

    void message()
    {
        // The title shown, the icon, the buttons left to right (the default marked *, Escape's
        // ^); then what is pressed, and the answer.
        const std::tuple<Buttons, QString, QString, QString, Answer> boxes[] = {
            {Buttons::OkInformation, "書き出し", "書き出し Information OK*", "OK", Answer::Ok},
            {Buttons::OkCritical, "保存", "保存 Critical OK*", "Escape", Answer::Ok},
            {Buttons::YesNoCritical, "クリア", "クリア Critical はい*|いいえ^", "Return",
             Answer::Yes},
            {Buttons::YesNoCritical, "クリア", "クリア Critical はい*|いいえ^", "Escape",
             Answer::No},
            {Buttons::YesNoCritical, "クリア", "クリア Critical はい*|いいえ^", "いいえ",
             Answer::No},
            {Buttons::OkPlain, "", "Corvane NoIcon OK*", "OK", Answer::Ok}};
        for (const auto &[buttons, title, shown, press, answer] : boxes) {
            QString seen;
            auto inspect = onModal<QMessageBox>([&seen, press = press](QMessageBox *box) {
                QList<QAbstractButton *> order = box->buttons();
                std::sort(order.begin(), order.end(),
                          [](auto *a, auto *b) { return a->x() < b->x(); });
                QStringList texts;
                for (QAbstractButton *b : order)
                    texts << b->text() + (qobject_cast<QPushButton *>(b)->isDefault() ? "*" : "") +
                                 (box->escapeButton() == b ? "^" : "");
                seen = box->windowTitle() + ' ' + keyOf(box->icon()) + ' ' + texts.join('|') + ' ' +
                       box->text();
                if (press == "Escape" || press == "Return")
                    QTest::keyClick(box->focusWidget(),
                                    press == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
                for (QAbstractButton *b : order)
                    if (b->text() == press)
                        b->click();
            });
            QCOMPARE(QtPlatform().message("一行目\r\n二行目", buttons, title), answer);
            QCOMPARE(seen, shown + " 一行目\r\n二行目");
        }
    }

    // An existing file is replaced only once the user agrees; a No keeps the dialog open.
    void chooseSavePath()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath("style.css");
        QVERIFY(QFile(existing).open(QIODevice::WriteOnly));
        const SaveRequest request{"スタイルの保存", "CSS ファイル (*.css)", "css", existing};
        QtPlatform platform;
        QStringList seen;
        auto confirm = onModal<QFileDialog>([&](QFileDialog *dialog) {
            seen << dialog->windowTitle() << dialog->nameFilters() << dialog->defaultSuffix()
                 << keyOf(dialog->acceptMode()) << dialog->selectedFiles();
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
        QCOMPARE(seen, (QStringList{request.title, request.filter, "css", "AcceptSave", existing,
                                    question, "open", question, "closed"}));

        auto cancel = onModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
        QVERIFY(platform.chooseSavePath(request).isCancelled());
        auto typed = onModal<QFileDialog>([](QFileDialog *dialog) {
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("newsheet");
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(platform.chooseSavePath(request).value, dir.filePath("newsheet.css"));
    }

    // Each dialog opens on the colour accepted last; a cancel leaves that colour alone.
    void chooseColor()
    {
        QtPlatform platform;
        const QColor teal(0, 128, 128);
        const std::tuple<QColor, QColor, bool> steps[] = {
            {Qt::white, teal, true}, {teal, Qt::red, false}, {teal, teal, true}};
        for (const auto &[opens, set, accept] : steps) {
            QColor opened;
            auto pick = onModal<QColorDialog>([&, set = set, accept = accept](QColorDialog *d) {
                opened = d->currentColor();
                d->setCurrentColor(set);
                accept ? d->accept() : d->reject();
            });
            const DialogResult<QColor> chosen = platform.chooseColor();
            QCOMPARE(opened, opens);
            QCOMPARE(chosen.isAccepted() ? chosen.value : QColor(), accept ? set : QColor());
        }
    }

    void chooseFontFamilyAndClipboard()
    {
        const QString family = QFontDatabase::families().constLast();
        QVERIFY(family != QApplication::font().family());
        for (const bool accept : {true, false}) {
            auto pick = onModal<QFontDialog>([&](QFontDialog *dialog) {
                dialog->setCurrentFont(QFont(family));
                accept ? dialog->accept() : dialog->reject();
            });
            const DialogResult<QString> chosen = QtPlatform().chooseFontFamily();
            QCOMPARE(chosen.isAccepted() ? chosen.value : "<cancelled>",
                     accept ? family : "<cancelled>");
        }
        QtPlatform().setClipboardText(".note {\r\n\tcolor: red;\r\n}");
        QCOMPARE(QApplication::clipboard()->text(), ".note {\r\n\tcolor: red;\r\n}");
    }
};

QTEST_MAIN(TestQtPlatform)
#include "tst_qt_platform.moc"
