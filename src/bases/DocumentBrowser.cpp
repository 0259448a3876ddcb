#include "DocumentBrowser.h"

#include "QueryWindow.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace {

QLineEdit* readOnlyEdit(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, ListColours::cream());
    e->setPalette(p);
    return e;
}

// The header's text of a column, or "" when the header query has no row to read.
QString headerText(const Query& q, const QString& field)
{
    if (!q.isOpen() || q.isEmpty())
        return QString();
    return q.text(field);
}

} // namespace

DocumentBrowser::DocumentBrowser(BrowserSpec spec, QWidget* parent) : QWidget(parent), spec_(std::move(spec))
{
    setObjectName(spec_.objectName);
    setWindowTitle(spec_.caption);
    setFixedBorder(this);
    ListColours::fill(this, ListColours::grey());

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(6, 6, 6, 6);
    root->addLayout(body, 1);

    // Buttons in a column on the left.
    auto* buttons = new QVBoxLayout;
    body->addLayout(buttons);
    auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumHeight(36);
        buttons->addWidget(b);
        return b;
    };
    BB1 = button("BB1", "首单");
    BB2 = button("BB2", "前单");
    BB3 = button("BB3", "后单");
    BB4 = button("BB4", "尾单");
    BB5 = button("BB5", "打印");
    BB6 = button("BB6", "关闭");
    buttons->addStretch(1);

    // The cream panel with the header and the lines.
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    ListColours::fill(panel, ListColours::cream());
    body->addWidget(panel, 1);
    auto* content = new QVBoxLayout(panel);

    // Title box at the top right: mode, heading, state and under it the number.
    auto* top = new QHBoxLayout;
    content->addLayout(top);
    top->addStretch(1);
    auto* titleBox = new QVBoxLayout;
    top->addLayout(titleBox);
    auto* titleRow = new QHBoxLayout;
    titleBox->addLayout(titleRow);
    ztbj = new QLabel(QStringLiteral("浏览"), panel);
    ztbj->setObjectName(QStringLiteral("ztbj"));
    Label1 = new QLabel(spec_.heading, panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    {
        QFont f = Label1->font();
        f.setPointSize(16);
        f.setBold(true);
        Label1->setFont(f);
    }
    shbj = new QLabel(panel);
    shbj->setObjectName(QStringLiteral("shbj"));
    {
        QFont f(QStringLiteral("黑体"));
        f.setPointSize(14);
        f.setBold(true);
        shbj->setFont(f);
    }
    titleRow->addWidget(ztbj);
    titleRow->addWidget(Label1);
    titleRow->addWidget(shbj);
    dh = readOnlyEdit(QStringLiteral("dh"), panel);
    dh->setFrame(false);
    dh->setAlignment(Qt::AlignCenter);
    titleBox->addWidget(dh);
    edits_.insert(QStringLiteral("dh"), dh);

    // Header edits, row by row.
    QHBoxLayout* row = nullptr;
    for (const BrowserField& f : spec_.fields) {
        if (!row || f.newRow) {
            if (row)
                row->addStretch(1);
            row = new QHBoxLayout;
            content->addLayout(row);
        }
        if (!f.label.isEmpty())
            row->addWidget(new QLabel(f.label, panel));
        QLineEdit* e = readOnlyEdit(f.name, panel);
        if (f.stretch) {
            e->setMinimumWidth(f.width);
            row->addWidget(e, 1);
        } else {
            e->setFixedWidth(f.width);
            row->addWidget(e);
        }
        if (!f.fixedText.isNull())
            e->setText(f.fixedText);
        edits_.insert(f.name, e);
    }
    if (row && (spec_.fields.isEmpty() || !spec_.fields.back().stretch))
        row->addStretch(1);

    DBGrid1 = new DataGrid(panel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns(spec_.columns);
    DBGrid1->setQuery(spec_.lines);
    if (spec_.redNegativeLines) {
        Query* lines = spec_.lines;
        DBGrid1->setRowStyler([lines](int r) {
            RowStyle s;
            if (lines->isOpen() && !lines->isEmpty()) {
                const int col = lines->fieldIndex(QStringLiteral("sl"));
                if (col >= 0 && lines->cellMoney(r, col).isNegative())
                    s.font = QColor(Qt::red);
            }
            return s;
        });
    }
    content->addWidget(DBGrid1, 1);

    StatusBar1 = describedStatusBar(this, DBGrid1, spec_.panels);
    root->addWidget(StatusBar1);

    // Printing: a pop-up menu of named prints on the button's mouse release, or the click.
    bool menu = false;
    for (const BrowserPrint& p : spec_.prints)
        menu = menu || !p.name.isEmpty();
    if (menu) {
        PM2 = new QMenu(this);
        PM2->setObjectName(QStringLiteral("PM2"));
        for (int i = 0; i < spec_.prints.size(); ++i) {
            QAction* a = PM2->addAction(spec_.prints[i].caption);
            a->setObjectName(spec_.prints[i].name);
            connectHandler(a, &QAction::triggered, this, [this, i] { print(i); });
            printItems_.insert(spec_.prints[i].name, a);
        }
        popMenuOnRelease(BB5, PM2);
    } else if (!spec_.prints.isEmpty()) {
        connectHandler(BB5, &QPushButton::clicked, this, [this] { print(0); });
    }

    connectHandler(BB1, &QPushButton::clicked, this, &DocumentBrowser::BB1Click);
    connectHandler(BB2, &QPushButton::clicked, this, &DocumentBrowser::BB2Click);
    connectHandler(BB3, &QPushButton::clicked, this, &DocumentBrowser::BB3Click);
    connectHandler(BB4, &QPushButton::clicked, this, &DocumentBrowser::BB4Click);
    connectHandler(BB6, &QPushButton::clicked, this, &DocumentBrowser::closeWindow);

    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, BB6);

    resize(812, 523);   // design size; the grid follows the window
}

DocumentBrowser::~DocumentBrowser() = default;

QLineEdit* DocumentBrowser::edit(const QString& name) const { return edits_.value(name); }

void DocumentBrowser::takeEdits(std::initializer_list<QLineEdit**> inOrder) const
{
    int i = 0;
    for (QLineEdit** e : inOrder) {
        *e = i < spec_.fields.size() ? edit(spec_.fields[i].name) : nullptr;
        ++i;
    }
}

QString DocumentBrowser::editText(const QString& name) const
{
    const QLineEdit* e = edit(name);
    return e ? e->text() : QString();
}

QAction* DocumentBrowser::printItem(const QString& name) const { return printItems_.value(name); }

QString DocumentBrowser::panelText(int index) const { return StatusBar1->panelText(index); }

void DocumentBrowser::setStateColour()
{
    QPalette p = shbj->palette();
    const bool held = shbj->text() == DocumentState::held();
    p.setColor(QPalette::WindowText, held ? QColor(Qt::red) : palette().color(QPalette::Active, QPalette::WindowText));
    shbj->setPalette(p);
}

void DocumentBrowser::copyHeader()
{
    const Query& h = *spec_.header;
    shbj->setText(headerText(h, QStringLiteral("shbj")));
    dh->setText(headerText(h, QStringLiteral("dh")));
    for (const BrowserField& f : spec_.fields)
        if (f.fixedText.isNull())
            edits_.value(f.name)->setText(headerText(h, f.name));
    for (int i = 0; i < spec_.panels.size(); ++i)
        if (!spec_.panels[i].field.isEmpty())
            StatusBar1->setPanelText(i, headerText(h, spec_.panels[i].field));
    setStateColour();
}

void DocumentBrowser::loadLines()
{
    Query& q = *spec_.lines;
    const QString number = headerText(*spec_.header, QStringLiteral("dh"));
    ControlsDisabled off(q);
    q.setSql({spec_.lineStatement, QStringLiteral("where dh=") + sqlQuote(number), QStringLiteral("order by id")});
    q.open();
}

void DocumentBrowser::showCurrent()
{
    copyHeader();
    loadLines();
}

bool DocumentBrowser::queriesOpen()
{
    if (spec_.header->isOpen() && spec_.lines->isOpen())
        return true;
    warnBox(QStringLiteral("数据未打开，关闭窗口后重新打开！"));
    closeWindow();
    return false;
}

// The begin and end marks of the header query decide the buttons: a move to the first or
// last row sets them, and so does a step that finds no row to move to; a step onto the
// first or last row from its neighbour does not, so the buttons go off one click later.
void DocumentBrowser::step(void (Query::*move)(), bool towardsFirst)
{
    if (!queriesOpen())
        return;
    Query& h = *spec_.header;
    (h.*move)();
    loadLines();
    copyHeader();
    const std::array<QPushButton*, 2> firstSide{BB1, BB2}, lastSide{BB3, BB4};
    for (QPushButton* b : towardsFirst ? lastSide : firstSide)
        b->setEnabled(true);
    if (towardsFirst ? h.bof() : h.eof())
        for (QPushButton* b : towardsFirst ? firstSide : lastSide)
            b->setEnabled(false);
}

void DocumentBrowser::BB1Click() { step(&Query::first, true); }
void DocumentBrowser::BB2Click() { step(&Query::prior, true); }
void DocumentBrowser::BB3Click() { step(&Query::next, false); }
void DocumentBrowser::BB4Click() { step(&Query::last, false); }

void DocumentBrowser::print(int i)
{
    if (i < 0 || i >= spec_.prints.size())
        return;
    const BrowserPrint& p = spec_.prints[i];
    if (!spec_.lines->isOpen()) {
        warnBox(p.refusal);
        closeWindow();
        return;
    }
    if (p.run)
        p.run(*this);
}

void DocumentBrowser::closeWindow()
{
    closeMdiForm(this);
}

void DocumentBrowser::closeEvent(QCloseEvent* e)
{
    spec_.lines->close();
    QWidget::closeEvent(e);
}

QVector<GridColumn> documentLineColumns()
{
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignVCenter;
    const QColor tint = ListColours::tint();
    return {{.field = "txm", .title = "编码", .width = 110},
            {.field = "ppgg", .title = "商品名称", .width = 220},
            {.field = "dw", .title = "单位", .width = 40},
            {.field = "sl", .title = "数量", .width = 60, .align = number, .tint = tint},
            {.field = "jg", .title = "单价", .width = 80, .align = number},
            {.field = "zk", .title = "折扣", .width = 40, .align = number},
            {.field = "je", .title = "金额", .width = 80, .align = number, .tint = tint}};
}

QVector<BrowserPanel> documentTotalPanels()
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {{.width = 150, .text = "合计", .align = Qt::AlignCenter},
            {.width = 200},
            {.width = 100, .field = "hjsl", .align = right, .under = "sl"},
            {.width = 100},
            {.width = 100, .field = "hjje", .align = right, .under = "je"},
            {.width = 100}};
}
