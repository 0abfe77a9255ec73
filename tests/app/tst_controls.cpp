#include "controls.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace corvane;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void comboTypingRaisesChangeAndDropsTheSelection();
    void comboPickRaisesClickOnly();
    void comboCodeWritesRaiseTheirOwnEvents();
    void comboListEditing();

    void checkBoxClickFollowsEveryChangeOfValue();
    void checkBoxClicksNestToCompletion();

    void optionButtonsReportTheSelectedIndex();

private:
    QWidget *m_window = nullptr;
    ComboBox *m_combo = nullptr;
};

void TestControls::init()
{
    m_window = new QWidget;
    m_combo = new ComboBox(ComboBox::Input::Typed, m_window);
    m_combo->setFixedWidth(120);
    for (int i = 0; i < 3; ++i)
        m_combo->addEntry(QStringList{"red", "blue", "green"}.at(i), i);
    m_combo->setText(QString());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_combo->setFocus();
}

void TestControls::cleanup()
{
    delete m_window;
}

void TestControls::comboTypingRaisesChangeAndDropsTheSelection()
{
    m_combo->setListIndex(1);
    QSignalSpy changes(m_combo, &ComboBox::changed);
    QSignalSpy clicks(m_combo, &ComboBox::clicked);

    m_combo->lineEdit()->selectAll();
    QTest::keyClicks(m_combo, "red");
    QCOMPARE(changes.count(), 3); // one a character
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(m_combo->text(), QStringLiteral("red"));
    QCOMPARE(m_combo->listIndex(), -1); // typing an entry's text is no pick

    QTest::keyClick(m_combo, Qt::Key_Backspace);
    QCOMPARE(changes.count(), 4);
    QCOMPARE(m_combo->text(), QStringLiteral("re"));

    // Enter neither adds the typed text to the list nor completes it.
    QTest::keyClick(m_combo, Qt::Key_Return);
    QCOMPARE(m_combo->entryCount(), 3);
    QCOMPARE(m_combo->text(), QStringLiteral("re"));
}

void TestControls::comboPickRaisesClickOnly()
{
    QSignalSpy changes(m_combo, &ComboBox::changed);
    QSignalSpy clicks(m_combo, &ComboBox::clicked);
    QSignalSpy qtEdits(m_combo, &QComboBox::editTextChanged);

    // A pick from the open list with the mouse.
    m_combo->showPopup();
    QAbstractItemView *view = m_combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(view->model()->index(2, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_COMPARE(clicks.count(), 1);
    QCOMPARE(m_combo->text(), QStringLiteral("green"));
    QCOMPARE(m_combo->listIndex(), 2);

    // A pick with the arrow keys of the closed field.
    QTest::keyClick(m_combo, Qt::Key_Up);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(m_combo->listIndex(), 1);
    QCOMPARE(m_combo->text(), QStringLiteral("blue"));

    // Typing after a pick, then picking the same entry again, restores its text.
    QTest::keyClick(m_combo, Qt::Key_X);
    QCOMPARE(m_combo->listIndex(), -1);
    m_combo->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    QTRY_COMPARE(clicks.count(), 3);
    QCOMPARE(m_combo->text(), QStringLiteral("blue"));
    QCOMPARE(m_combo->listIndex(), 1);

    QCOMPARE(changes.count(), 1); // the typed X alone
    QVERIFY(qtEdits.count() > 1); // what Qt reports, and ComboBox filters out
}

void TestControls::comboCodeWritesRaiseTheirOwnEvents()
{
    QSignalSpy changes(m_combo, &ComboBox::changed);
    QSignalSpy clicks(m_combo, &ComboBox::clicked);

    m_combo->setText(QStringLiteral("#FF0000"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(m_combo->listIndex(), -1);

    m_combo->setText(QStringLiteral("blue")); // an entry's text selects that entry
    QCOMPARE(changes.count(), 2);
    QCOMPARE(m_combo->listIndex(), 1);
    m_combo->setText(QStringLiteral("Blue")); // compared exactly
    QCOMPARE(m_combo->listIndex(), -1);

    m_combo->setListIndex(2);
    m_combo->setListIndex(2); // Qt's current index already is 2: the text still follows
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(changes.count(), 3);
    QCOMPARE(m_combo->text(), QStringLiteral("green"));
    QCOMPARE(m_combo->listIndex(), 2);
}

void TestControls::comboListEditing()
{
    ComboBox combo(ComboBox::Input::Typed);
    combo.setText(QStringLiteral(".default"));
    combo.addEntry(QStringLiteral(".a"), 0); // Qt would select the first entry of an empty list
    QCOMPARE(combo.text(), QStringLiteral(".default"));
    QCOMPARE(combo.listIndex(), -1);
    combo.addEntry(QStringLiteral(".b"), 0);
    combo.addEntry(QStringLiteral(".c"), 1);
    QCOMPARE(combo.entryCount(), 3);
    QCOMPARE(combo.entry(0), QStringLiteral(".b"));
    QCOMPARE(combo.entry(1), QStringLiteral(".c"));
    QCOMPARE(combo.entry(2), QStringLiteral(".a"));

    combo.setListIndex(1);
    combo.clearEntries();
    QCOMPARE(combo.entryCount(), 0);
    QCOMPARE(combo.listIndex(), -1);
}

void TestControls::checkBoxClickFollowsEveryChangeOfValue()
{
    CheckBoxArray boxes;
    QWidget holder;
    for (int i = 0; i < 3; ++i)
        boxes.append(new QCheckBox(&holder));
    QSignalSpy clicks(&boxes, &CheckBoxArray::clicked);

    boxes.at(1)->click(); // the user
    boxes.setValue(2, true);
    boxes.setValue(2, true); // already ticked: nothing
    boxes.setValue(1, false);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(clicks.at(0).at(0).toInt(), 1);
    QCOMPARE(clicks.at(1).at(0).toInt(), 2);
    QCOMPARE(clicks.at(2).at(0).toInt(), 1);
    QVERIFY(!boxes.value(1));
    QVERIFY(boxes.value(2));
}

void TestControls::checkBoxClicksNestToCompletion()
{
    CheckBoxArray boxes;
    QWidget holder;
    for (int i = 0; i < 3; ++i)
        boxes.append(new QCheckBox(&holder));
    QStringList trace;
    connect(&boxes, &CheckBoxArray::clicked, this, [&](int index) {
        trace << QStringLiteral("enter %1").arg(index);
        if (index < 2 && boxes.value(index))
            boxes.setValue(index + 1, true); // raises the next box's click inside this one
        trace << QStringLiteral("leave %1").arg(index);
    });

    boxes.at(0)->click();
    QCOMPARE(trace,
             (QStringList{"enter 0", "enter 1", "enter 2", "leave 2", "leave 1", "leave 0"}));
}

void TestControls::optionButtonsReportTheSelectedIndex()
{
    QWidget holder;
    OptionArray options;
    for (int i = 0; i < 3; ++i)
        options.append(new OptionButton(&holder));
    QSignalSpy clicks(&options, &OptionArray::clicked);
    QVERIFY(!options.value(0) && !options.value(1) && !options.value(2));

    options.select(1);
    options.select(1); // already selected: nothing
    options.at(2)->click();
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(0).at(0).toInt(), 1);
    QCOMPARE(clicks.at(1).at(0).toInt(), 2);
    QVERIFY(!options.value(1));
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
