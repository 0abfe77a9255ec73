// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_layout.h"

#include "controls/swatch_button.h"
#include "form_controls.h"
#include "gothic_faces.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenuBar>

namespace corvane {

namespace {

constexpr double captionPointSize = 8.25;
constexpr int fieldHeight = 21;

QFont gothic(bool fixedPitch, double pointSize = captionPointSize)
{
    QFont font(gothicFace(fixedPitch));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

ComboBox *field(QWidget *parent, const char *name, int width,
                ComboBox::Input input = ComboBox::Input::Typed)
{
    ComboBox *combo = named(new ComboBox(input, parent), name);
    combo->setFixedSize(width, fieldHeight);
    return combo;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QWidget *buddy)
{
    QLabel *l = named(new QLabel(caption, parent), name);
    l->setFont(gothic(true));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setBuddy(buddy);
    return l;
}

// A swatch shows a colour and nothing else; its small button opens the colour
// dialog and sits on the swatch's lower left corner.
Swatch *swatch(QWidget *parent, const char *name, const QString &accessibleName,
               QPushButton *&button, const char *buttonName, const QString &buttonName_)
{
    Swatch *s = named(new Swatch(parent), name);
    s->setFixedSize(24, fieldHeight);
    s->setAccessibleName(accessibleName);
    s->setToolTip(accessibleName);

    button = named(new SwatchButton(s), buttonName);
    button->setGeometry(1, fieldHeight - 9, 9, 8);
    button->setAccessibleName(buttonName_);
    button->setToolTip(buttonName_);
    return s;
}

QGridLayout *tightGrid(QWidget *parent)
{
    auto *grid = new QGridLayout(parent);
    grid->setContentsMargins(3, 1, 3, 3);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(2);
    return grid;
}

QMenu *menu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *m = named(bar->addMenu(caption), name);
    // Qt names an open menu by its window title, which a menu has none of; unnamed, a screen
    // reader skips it and never says which menu the first command belongs to.
    m->setAccessibleName(QString(caption).remove(u'&'));
    return m;
}

QAction *item(QMenu *menu, const char *name, const QString &caption, const QKeySequence &key)
{
    QAction *action = named(menu->addAction(caption), name);
    action->setShortcut(key);
    return action;
}

void buildFontStyle(QWidget *parent, FormControls &ui)
{
    ui.Frame1 = named(new Frame(QStringLiteral("Font Style(&F)"), gothic(false), parent), "Frame1");
    ui.Frame1->leaveAccessKey(); // Alt+F is the File menu's
    QWidget *f = ui.Frame1;

    constexpr int wide = 106, narrow = 52, colour = 80;
    ui.C_font = field(f, "C_font", wide);
    ui.C_size = field(f, "C_size", narrow);
    ui.C_s_unit = field(f, "C_s_unit", narrow, ComboBox::Input::ListOnly);
    ui.C_style = field(f, "C_style", wide, ComboBox::Input::ListOnly);
    ui.C_bold = field(f, "C_bold", wide);
    ui.C_color = field(f, "C_color", colour);
    ui.T_color = swatch(f, "T_color", QStringLiteral("文字色の見本"), ui.Com_c_c, "Com_c_c",
                        QStringLiteral("文字色を選ぶ"));
    ui.C_lineheight = field(f, "C_lineheight", narrow);
    ui.C_l_unit = field(f, "C_l_unit", narrow, ComboBox::Input::ListOnly);
    ui.C_back = field(f, "C_back", colour);
    ui.T_back = swatch(f, "T_back", QStringLiteral("背景色の見本"), ui.Com_c_b, "Com_c_b",
                       QStringLiteral("背景色を選ぶ"));
    // No label of their own: named for screen readers.
    ui.C_s_unit->setAccessibleName(QStringLiteral("サイズの単位"));
    ui.C_l_unit->setAccessibleName(QStringLiteral("行間の単位"));

    ui.Label1 = label(f, "Label1", QStringLiteral("フォント："), ui.C_font);
    ui.Label2 = label(f, "Label2", QStringLiteral("サイズ："), ui.C_size);
    ui.Label3 = label(f, "Label3", QStringLiteral("スタイル："), ui.C_style);
    ui.Label5 = label(f, "Label5", QStringLiteral("太さ："), ui.C_bold);
    ui.Label6 = label(f, "Label6", QStringLiteral("文字色："), ui.C_color);
    ui.Label4 = label(f, "Label4", QStringLiteral("行間："), ui.C_lineheight);
    ui.Label7 = label(f, "Label7", QStringLiteral("背景色："), ui.C_back);

    QGridLayout *grid = tightGrid(f);
    const auto row = [grid](int r, QLabel *caption, std::initializer_list<QWidget *> fields) {
        grid->addWidget(caption, r, 0);
        auto *line = new QHBoxLayout;
        line->setSpacing(2);
        for (QWidget *w : fields)
            line->addWidget(w);
        line->addStretch();
        grid->addLayout(line, r, 1);
    };
    row(0, ui.Label1, {ui.C_font});
    row(1, ui.Label2, {ui.C_size, ui.C_s_unit});
    row(2, ui.Label3, {ui.C_style});
    row(3, ui.Label5, {ui.C_bold});
    row(4, ui.Label6, {ui.C_color, ui.T_color});
    row(5, ui.Label4, {ui.C_lineheight, ui.C_l_unit});
    row(6, ui.Label7, {ui.C_back, ui.T_back});
}

void buildDecoration(QWidget *parent, FormControls &ui)
{
    ui.Frame2 =
        named(new Frame(QStringLiteral("Decoration Style(&K)"), gothic(false), parent), "Frame2");
    ui.Ch_de = named(new CheckBoxArray(ui.Frame2), "Ch_de");
    const char *names[] = {"Ch_de0", "Ch_de1", "Ch_de2", "Ch_de3", "Ch_de4"};
    const QString captions[] = {QStringLiteral("アンダーライン"), QStringLiteral("オーバーライン"),
                                QStringLiteral("取り消し線"), QStringLiteral("点滅"),
                                QStringLiteral("無し")};
    QGridLayout *grid = tightGrid(ui.Frame2);
    for (int i = 0; i < 5; ++i) {
        auto *box = named(new QCheckBox(captions[i], ui.Frame2), names[i]);
        box->setFont(gothic(true));
        ui.Ch_de->append(box);
        if (i < 3)
            grid->addWidget(box, i, 0, 1, 2);
        else
            grid->addWidget(box, 3, i - 3);
    }
}

void buildNewStyle(QWidget *parent, FormControls &ui)
{
    ui.Frame3 = named(new Frame(QStringLiteral("New Style(&N)"), parent), "Frame3");
    ui.Op_new = named(new OptionArray(ui.Frame3), "Op_new");
    const char *names[] = {"Op_new0", "Op_new1", "Op_new2"};
    const QString captions[] = {QStringLiteral("新規クラス"), QStringLiteral("タグの再定義"),
                                QStringLiteral("CSSセレクタ")};
    QGridLayout *grid = tightGrid(ui.Frame3);
    for (int i = 0; i < 3; ++i) {
        auto *button = named(new OptionButton(captions[i], ui.Frame3), names[i]);
        button->setFont(gothic(true));
        ui.Op_new->append(button);
        grid->addWidget(button, i, 0);
    }
    ui.C_name = field(ui.Frame3, "C_name", 118);
    ui.C_name->setAccessibleName(QStringLiteral("セレクタ"));
    grid->addWidget(ui.C_name, 3, 0);
}

void buildSource(QWidget *parent, FormControls &ui)
{
    ui.Frame4 = named(new Frame(QStringLiteral("Source(&P)"), gothic(false), parent), "Frame4");
    ui.Text1 = named(new SourcePane(ui.Frame4), "Text1");
    ui.Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui.Text1->setTabChangesFocus(true); // Tab continues to the swatch buttons
    ui.Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui.Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui.Text1->setAccessibleName(QStringLiteral("ソース"));
    auto *layout = new QHBoxLayout(ui.Frame4);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(ui.Text1);
}

void buildMenus(QMainWindow *window, FormControls &ui)
{
    QMenuBar *bar = window->menuBar();
    ui.M_File = menu(bar, "M_File", QStringLiteral("ファイル(&F)"));
    ui.M_Save = item(ui.M_File, "M_Save", QStringLiteral("保存(&S)"), Qt::CTRL | Qt::Key_S);
    ui.M_1 = named(ui.M_File->addSeparator(), "M_1");
    ui.M_Quti = item(ui.M_File, "M_Quti", QStringLiteral("終了(&Q)"), Qt::CTRL | Qt::Key_Q);

    ui.M_Edit = menu(bar, "M_Edit", QStringLiteral("編集(&E)"));
    ui.M_Write =
        item(ui.M_Edit, "M_Write", QStringLiteral("書き出し(&W)"), Qt::CTRL | Qt::Key_Insert);
    ui.M_Copy = item(ui.M_Edit, "M_Copy", QStringLiteral("コピー(&C)"), Qt::SHIFT | Qt::Key_Insert);
    ui.M_2 = named(ui.M_Edit->addSeparator(), "M_2");
    ui.M_Clear =
        item(ui.M_Edit, "M_Clear", QStringLiteral("クリア(&D)"), Qt::SHIFT | Qt::Key_Delete);

    ui.M_Help = menu(bar, "M_Help", QStringLiteral("ヘルプ(&H)"));
    ui.M_Ver = item(ui.M_Help, "M_Ver", QStringLiteral("バージョン(&V)"), Qt::Key_F12);
}

void setTabOrder(const FormControls &ui)
{
    const QList<QWidget *> order{
        ui.C_font,       ui.C_size,        ui.C_s_unit,      ui.C_style,       ui.C_bold,
        ui.C_color,      ui.T_color,       ui.C_lineheight,  ui.C_l_unit,      ui.C_back,
        ui.T_back,       ui.Ch_de->at(0),  ui.Ch_de->at(1),  ui.Ch_de->at(2),  ui.Ch_de->at(3),
        ui.Ch_de->at(4), ui.Op_new->at(0), ui.Op_new->at(1), ui.Op_new->at(2), ui.C_name,
        ui.Text1,        ui.Com_c_c,       ui.Com_c_b,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

} // namespace

void buildForm(QMainWindow *window, FormControls &ui)
{
    window->setObjectName(QStringLiteral("Form_edit"));
    window->setWindowTitle(QStringLiteral("Corvane0.10β"));

    window->setFont(gothic(false, 9));
    auto *client = new QWidget(window);
    client->setFixedSize(314, 302);
    window->setCentralWidget(client);

    buildFontStyle(client, ui);
    buildDecoration(client, ui);
    buildNewStyle(client, ui);
    buildSource(client, ui);
    buildMenus(window, ui);

    auto *grid = new QGridLayout(client);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setSpacing(3);
    grid->addWidget(ui.Frame1, 0, 0, 2, 1);
    grid->addWidget(ui.Frame2, 0, 1);
    grid->addWidget(ui.Frame3, 1, 1);
    ui.Frame2->setFixedWidth(128);
    ui.Frame3->setFixedWidth(128);
    grid->addWidget(ui.Frame4, 2, 0, 1, 2);
    grid->setRowStretch(2, 1);

    setTabOrder(ui);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace corvane
