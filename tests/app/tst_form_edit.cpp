#include "form_edit.h"
#include "scripted_platform.h"

#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace corvane;
using corvane::testing::ScriptedPlatform;

class TestFormEdit : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpState();
    void everyControlCarriesItsName();
    void fieldsAreLabelledForScreenReaders();
    void menus();
    void tabOrder();
    void commandShortcutsReachTheMenuFromTextFields_data();
    void commandShortcutsReachTheMenuFromTextFields();
    void frameAccessKeys();
    void versionBox();
    void quitClosesWithoutAsking();

private:
    ScriptedPlatform *m_platform = nullptr;
    Form_edit *m_form = nullptr;
    FormControls *ui = nullptr;
};

void TestFormEdit::init()
{
    m_platform = new ScriptedPlatform;
    m_form = new Form_edit(*m_platform);
    ui = &m_form->controls();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestFormEdit::cleanup()
{
    delete m_form;
    delete m_platform;
}

void TestFormEdit::startUpState()
{
    QCOMPARE(ui->Text1->toPlainText(), QString());
    QVERIFY(ui->Op_new->value(0));
    QCOMPARE(ui->C_name->text(), QStringLiteral(".default"));
    QCOMPARE(ui->C_name->entryCount(), 0);
    QVERIFY(ui->old_Name.isEmpty());
    for (int i = 0; i < ui->Ch_de->size(); ++i)
        QVERIFY(!ui->Ch_de->value(i));

    const struct {
        ComboBox *field;
        int entries;
        QString text;
    } expected[] = {
        {ui->C_font, 9, {}},       {ui->C_size, 7, {}},     {ui->C_s_unit, 5, "pt"},
        {ui->C_style, 3, {}},      {ui->C_bold, 7, {}},     {ui->C_color, 8, {}},
        {ui->C_lineheight, 7, {}}, {ui->C_l_unit, 5, "pt"}, {ui->C_back, 8, {}},
    };
    for (const auto &e : expected) {
        QCOMPARE(e.field->entryCount(), e.entries);
        QCOMPARE(e.field->text(), e.text);
        QCOMPARE(e.field->listIndex(), e.text.isEmpty() ? -1 : 1);
    }

    // Entries are kept exactly, full-width letters included.
    QCOMPARE(ui->C_font->entry(0), QStringLiteral("ＭＳ Ｐゴシック, Osaka"));
    QCOMPARE(ui->C_font->entry(2), QStringLiteral("ＭＳ ゴシック, Osaka－等幅"));
    QCOMPARE(ui->C_font->entry(5), QStringLiteral("Courier New, Courier, monospace"));
    QCOMPARE(ui->C_font->entry(8), QStringLiteral("その他"));
    QCOMPARE(ui->C_style->entry(2), QStringLiteral("斜体(オブリーブ)"));
    QCOMPARE(ui->C_bold->entry(1), QStringLiteral("標準"));
    QCOMPARE(ui->C_color->entry(7), QStringLiteral("その他"));
    QCOMPARE(ui->C_back->entry(4), QStringLiteral("pink"));
    QCOMPARE(ui->C_l_unit->entry(4), QStringLiteral("%"));
    QCOMPARE(ui->C_lineheight->entry(6), QStringLiteral("20"));

    QCOMPARE(m_form->windowTitle(), QStringLiteral("Corvane0.10β"));
    QVERIFY(!m_form->windowIcon().isNull());
    QVERIFY(m_platform->messages.isEmpty());
}

void TestFormEdit::everyControlCarriesItsName()
{
    const char *names[] = {
        "Frame1",  "Label1",       "C_font",   "Label2", "C_size",  "C_s_unit", "Label3",
        "C_style", "Label5",       "C_bold",   "Label6", "C_color", "T_color",  "Com_c_c",
        "Label4",  "C_lineheight", "C_l_unit", "Label7", "C_back",  "T_back",   "Com_c_b",
        "Frame2",  "Frame3",       "C_name",   "Frame4", "Text1",
    };
    for (const char *name : names)
        QVERIFY2(m_form->findChild<QWidget *>(QLatin1String(name)), name);
    QCOMPARE(m_form->objectName(), QStringLiteral("Form_edit"));

    // The window does not resize.
    QCOMPARE(m_form->centralWidget()->size(), QSize(314, 302));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
}

void TestFormEdit::fieldsAreLabelledForScreenReaders()
{
    const QList<std::pair<QLabel *, QWidget *>> pairs{
        {ui->Label1, ui->C_font}, {ui->Label2, ui->C_size},  {ui->Label3, ui->C_style},
        {ui->Label5, ui->C_bold}, {ui->Label6, ui->C_color}, {ui->Label4, ui->C_lineheight},
        {ui->Label7, ui->C_back},
    };
    for (const auto &[label, field] : pairs) {
        QCOMPARE(label->buddy(), field);
        QVERIFY(label->alignment() & Qt::AlignRight);
    }
    QStringList names;
    for (QWidget *w : {static_cast<QWidget *>(ui->T_color), static_cast<QWidget *>(ui->T_back),
                       static_cast<QWidget *>(ui->Com_c_c), static_cast<QWidget *>(ui->Com_c_b)})
        names << w->accessibleName();
    QVERIFY(!names.contains(QString()));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 4);
}

void TestFormEdit::menus()
{
    QStringList titles;
    for (QAction *a : m_form->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"ファイル(&F)", "編集(&E)", "ヘルプ(&H)"}));

    const struct {
        QAction *item;
        QString caption;
        QKeySequence key;
    } items[] = {
        {ui->M_Save, "保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ui->M_Quti, "終了(&Q)", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {ui->M_Write, "書き出し(&W)", QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {ui->M_Copy, "コピー(&C)", QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {ui->M_Clear, "クリア(&D)", QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {ui->M_Ver, "バージョン(&V)", QKeySequence(Qt::Key_F12)},
    };
    for (const auto &i : items) {
        QCOMPARE(i.item->text(), i.caption);
        QCOMPARE(i.item->shortcut(), i.key);
    }
    QCOMPARE(ui->M_File->actions(), (QList<QAction *>{ui->M_Save, ui->M_1, ui->M_Quti}));
    QCOMPARE(ui->M_Edit->actions(),
             (QList<QAction *>{ui->M_Write, ui->M_Copy, ui->M_2, ui->M_Clear}));
    QVERIFY(ui->M_1->isSeparator() && ui->M_2->isSeparator());
}

void TestFormEdit::tabOrder()
{
    const QStringList order{
        "C_font",  "C_size",       "C_s_unit", "C_style", "C_bold",  "C_color",
        "T_color", "C_lineheight", "C_l_unit", "C_back",  "T_back",  "Ch_de0",
        "Ch_de1",  "Ch_de2",       "Ch_de3",   "Ch_de4",  "Op_new0", "Op_new1",
        "Op_new2", "C_name",       "Text1",    "Com_c_c", "Com_c_b",
    };
    const auto named = [](QWidget *w) {
        // An editable drop-down gives the focus to its edit line.
        while (w && w->objectName().isEmpty())
            w = w->parentWidget();
        return w ? w->objectName() : QStringLiteral("<none>");
    };

    QStringList chain;
    QWidget *w = ui->C_font;
    do {
        if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty())
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != ui->C_font);
    QCOMPARE(chain, order);

    // Every option button is a stop of its own, whichever is selected.
    ui->Op_new->select(1);
    QStringList tabbed{"C_font"};
    const QStringList expected = order + QStringList{"C_font"};
    ui->C_font->setFocus();
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabbed << named(QApplication::focusWidget());
    }
    QCOMPARE(tabbed, expected);
}

void TestFormEdit::commandShortcutsReachTheMenuFromTextFields_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("source pane") << "Text1";
    QTest::newRow("selector field") << "C_name";
    QTest::newRow("font field") << "C_font";
    QTest::newRow("check box") << "Ch_de0";
}

void TestFormEdit::commandShortcutsReachTheMenuFromTextFields()
{
    QFETCH(QString, focus);
    QWidget *target = m_form->findChild<QWidget *>(focus);
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    ui->Text1->setPlainText(QStringLiteral("kept"));

    const struct {
        QAction *item;
        QKeyCombination keys;
    } commands[] = {
        {ui->M_Write, Qt::CTRL | Qt::Key_Insert},
        {ui->M_Copy, Qt::SHIFT | Qt::Key_Insert},
        {ui->M_Clear, Qt::SHIFT | Qt::Key_Delete},
    };
    for (const auto &c : commands) {
        QSignalSpy fired(c.item, &QAction::triggered);
        QTest::keyClick(QApplication::focusWidget(), c.keys.key(), c.keys.keyboardModifiers());
        QCOMPARE(fired.count(), 1);
    }
    // The field's own copy, paste and cut did not run.
    QCOMPARE(ui->Text1->toPlainText(), QStringLiteral("kept"));
}

void TestFormEdit::frameAccessKeys()
{
    ui->Op_new->select(2); // the frame's first control, not its selected button
    ui->C_back->setFocus();

    QTest::keyClick(m_form, Qt::Key_K, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), ui->Ch_de->at(0));
    QTest::keyClick(m_form, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), ui->Op_new->at(0));
    QTest::keyClick(m_form, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), ui->Text1);

    // Alt+F is shared by the File menu and the Font Style frame: the menu opens,
    // however often it is pressed.
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(m_form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(ui->M_File->isVisible());
        ui->M_File->close();
        QTRY_VERIFY(!ui->M_File->isVisible());
    }
}

void TestFormEdit::versionBox()
{
    QTest::keyClick(m_form, Qt::Key_F12);
    QCOMPARE(m_platform->messages.size(), 1);
    const auto &box = m_platform->messages.first();
    QCOMPARE(box.prompt, QStringLiteral("Version 0.10β\r\n\r\n"));
    QCOMPARE(box.buttons, Buttons::OkInformation);
    QCOMPARE(box.title, QStringLiteral("Version Info"));
}

void TestFormEdit::quitClosesWithoutAsking()
{
    ui->Text1->setPlainText(QStringLiteral("unsaved"));
    QTest::keyClick(m_form, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_platform->messages.isEmpty());
}

QTEST_MAIN(TestFormEdit)
#include "tst_form_edit.moc"
