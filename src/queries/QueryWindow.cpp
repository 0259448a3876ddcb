#include "QueryWindow.h"

#include "ConditionDialog.h"
#include "data/DM1.h"
#include "data/Query.h"
#include "report/QuickRep.h"
#include "shell/Export.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QStyle>
#include <QVBoxLayout>
#include <memory>

namespace ListColours {
QColor held() { return QColor(225, 255, 225); }
QColor tint() { return QColor(222, 253, 254); }   // $FEFDDE is blue FE, green FD, red DE
QColor cream() { return QColor(255, 251, 240); }
QColor red() { return QColor(255, 0, 0); }

void fill(QWidget* w, const QColor& c)
{
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}
}

void setListFont(QWidget* w)
{
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    w->setFont(f);
}

namespace {

const QString kHeld = QStringLiteral("未审核");

// The glyph above a tool button's caption, by what the button does.
QIcon glyphFor(const QString& caption, QStyle* style)
{
    static const std::pair<const char*, QStyle::StandardPixmap> glyphs[] = {
        {"关闭", QStyle::SP_DialogCloseButton},     {"删除", QStyle::SP_TrashIcon},
        {"反审", QStyle::SP_ArrowBack},             {"查询", QStyle::SP_FileDialogContentsView},
        {"统计", QStyle::SP_FileDialogContentsView}, {"查单", QStyle::SP_FileDialogDetailedView},
        {"明细", QStyle::SP_FileDialogDetailedView}, {"打印", QStyle::SP_DialogSaveButton},
        {"导出", QStyle::SP_DriveHDIcon},           {"新增", QStyle::SP_FileDialogNewFolder},
        {"修改", QStyle::SP_FileDialogInfoView}};
    for (const auto& [word, glyph] : glyphs)
        if (caption.contains(QString::fromUtf8(word)))
            return style->standardIcon(glyph);
    return style->standardIcon(QStyle::SP_FileIcon);
}

// Runs lines as q's statement.
void reopen(Query& q, const QStringList& lines)
{
    q.close();
    q.setSql(lines);
    q.open();
}

} // namespace

QueryWindow::QueryWindow(ListDescription desc, QWidget* parent)
    : QWidget(parent), desc_(std::move(desc))
{
    q_ = DM1 ? DM1->query(desc_.queryName) : nullptr;
    if (!q_)
        throw std::runtime_error(("no shared query " + desc_.queryName).toStdString());
    setObjectName(desc_.objectName);
    setWindowTitle(desc_.caption);
    buildUi();
}

void QueryWindow::buildUi()
{
    setListFont(this);
    ListColours::fill(this, ListColours::cream());
    // Opens at its design size and follows its window: the grid takes what the tool panel
    // and the status bar leave.
    resize(desc_.clientSize);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Tool panel: legend at the left, the buttons at the right.
    auto* tools = new QFrame(this);
    tools->setObjectName(QStringLiteral("Panel1"));
    tools->setFixedHeight(60);
    auto* tl = new QHBoxLayout(tools);
    tl->setContentsMargins(8, 2, 8, 2);
    tl->setSpacing(2);
    if (!desc_.legendText.isEmpty()) {
        Shape1 = new QFrame(tools);
        Shape1->setObjectName(QStringLiteral("Shape1"));
        Shape1->setFixedSize(16, 16);
        Shape1->setFrameShape(QFrame::Box);
        ListColours::fill(Shape1, desc_.legendColour);
        legendLabel = new QLabel(desc_.legendText, tools);
        legendLabel->setObjectName(QStringLiteral("Label1"));
        tl->addWidget(Shape1);
        tl->addWidget(legendLabel);
    }
    tl->addStretch(1);
    for (const ListButton& b : desc_.buttons) {
        auto* sb = new SpeedButton(b.caption, tools);
        sb->setObjectName(b.name);
        sb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        sb->setIcon(glyphFor(b.caption, style()));
        sb->setIconSize(QSize(24, 24));
        sb->setFixedSize(52, 52);
        tl->addWidget(sb);
        buttons_.insert(b.name, sb);
    }
    outer->addWidget(tools);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    outer->addWidget(rule);

    // Pop-up menu of the grid's columns.
    if (!desc_.popup.isEmpty()) {
        PopupMenu1 = new QMenu(this);
        PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
        for (const ListPopupItem& it : desc_.popup) {
            QAction* a = PopupMenu1->addAction(it.caption);
            a->setObjectName(it.name);
            popupItems_.insert(it.name, a);
            connectHandler(a, &QAction::triggered, this, [this, target = it.clicks] { clickButton(target); });
        }
    }

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    QVector<GridColumn> cols;
    for (const ListColumn& c : desc_.columns) {
        GridColumn g;
        g.field = c.field;
        g.title = c.title;
        g.width = c.width;
        g.titleCentered = true;
        if (c.centred)
            g.align = Qt::AlignCenter;
        else if (c.numeric)
            g.align = Qt::AlignRight | Qt::AlignVCenter;
        if (c.tinted)
            g.tint = ListColours::tint();
        if (c.popup)
            g.popup = PopupMenu1;
        cols << g;
    }
    DBGrid1->setColumns(cols);
    DBGrid1->setQuery(q_);
    DBGrid1->enableTitleSort(true);
    if (desc_.colouring.any())
        DBGrid1->setRowStyler([this](int row) { return styleRow(row); });
    if (!desc_.doubleClickClicks.isEmpty())
        connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, this, [this] { clickButton(desc_.doubleClickClicks); });
    outer->addWidget(DBGrid1, 1);

    StatusBar1 = new PanelBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (const ListPanel& p : desc_.panels)
        StatusBar1->addPanel(p.width, p.align, p.text);
    outer->addWidget(StatusBar1);

    // The common buttons.
    const std::pair<QString, void (QueryWindow::*)()> actions[] = {
        {desc_.closeButton, &QueryWindow::closeWindow}, {desc_.queryButton, &QueryWindow::openConditionDialog},
        {desc_.printButton, &QueryWindow::print}, {desc_.exportButton, &QueryWindow::exportGrid}};
    for (const auto& [name, action] : actions)
        if (SpeedButton* b = button(name))
            connectHandler(b, &QAbstractButton::clicked, this, action);

    keys_ = new KeyPreview(this);
    if (SpeedButton* b = button(desc_.escClicks))
        keys_->mapKey(Qt::Key_Escape, b);
}

SpeedButton* QueryWindow::button(const QString& name) const { return buttons_.value(name, nullptr); }

QAction* QueryWindow::popupItem(const QString& name) const { return popupItems_.value(name, nullptr); }

void QueryWindow::clickButton(const QString& name) const
{
    if (SpeedButton* b = button(name))
        b->click();
}

RowStyle QueryWindow::styleRow(int row) const
{
    RowStyle s;
    const Query& q = *q_;
    if (!q.isOpen() || row < 0 || row >= q.recordCount())
        return s;
    const RowColouring& c = desc_.colouring;
    auto column = [&q](const QString& field) { return field.isEmpty() ? -1 : q.fieldIndex(field); };
    const int nonZero = column(c.redWhenNonZero);
    const int negative = column(c.redWhenNegative);
    const int state = column(c.heldBrush);
    if ((nonZero >= 0 && !q.cellMoney(row, nonZero).isZero())
        || (negative >= 0 && q.cellMoney(row, negative).isNegative()))
        s.font = ListColours::red();
    if (state >= 0 && q.cellText(row, state) == kHeld)
        s.brush = ListColours::held();
    return s;
}

void QueryWindow::runQuery(const QStringList& clauses, const QString& orderLine)
{
    Query& q = *q_;
    {
        q.disableControls();
        const auto enable = qScopeGuard([&q] { q.enableControls(); });
        if (!desc_.sumStatement.isEmpty()) {
            reopen(q, QStringList{desc_.sumStatement} + clauses);
            for (int i = 0; i < desc_.sumPanels.size(); ++i) {
                Money m;
                if (q.recordCount() > 0 && i < q.fieldCount() && !q.cellIsNull(0, i))
                    m = q.cellMoney(0, i);
                StatusBar1->setPanelText(desc_.sumPanels[i], m.plainText());
            }
        }
        QStringList rows = QStringList{desc_.rowStatement} + clauses;
        if (!orderLine.isEmpty())
            rows << orderLine;
        reopen(q, rows);
    }
    afterRun();
}

void QueryWindow::runOpeningQuery() { runQuery(desc_.openingLines, desc_.openingOrder); }

void QueryWindow::recountTotals()
{
    Query& q = *q_;
    QVector<Money> sums(desc_.totalFields.size());
    q.first();
    const int n = q.recordCount();
    for (int r = 0; r < n; ++r) {
        for (int i = 0; i < desc_.totalFields.size(); ++i)
            sums[i] += q.money(desc_.totalFields[i]);
        q.next();
    }
    for (int i = 0; i < sums.size() && i < desc_.sumPanels.size(); ++i)
        StatusBar1->setPanelText(desc_.sumPanels[i], sums[i].plainText());
}

bool QueryWindow::requireOpen() const
{
    if (q_->isOpen())
        return true;
    warnBox(desc_.closedRefusal);
    return false;
}

bool QueryWindow::requireRows(const QString& emptyRefusal) const
{
    if (!requireOpen())
        return false;
    if (!q_->isEmpty())
        return true;
    warnBox(emptyRefusal);
    return false;
}

void QueryWindow::print()
{
    if (!requireOpen())
        return;
    const ListPrint& p = desc_.print;
    QuickRep* rep = p.report ? p.report() : nullptr;
    if (!rep)
        return;
    Query& company = DM1->ATdanwei1;
    if (!company.isOpen())
        company.open();
    auto setCaption = [rep](const QString& name, const QString& text) {
        if (QRItem* it = rep->item(name))
            it->Caption = text;
    };
    setCaption(QStringLiteral("QRLdw"), company.text(QStringLiteral("mcdy")) + p.reportName);
    for (const auto& l : p.labels)
        setCaption(l.first, l.second);
    rep->DataSet = q_;
    for (const PrintField& f : p.fields) {
        if (QRItem* it = rep->item(f.name)) {
            it->DataSet = q_;
            it->DataField = f.field;
        }
    }
    for (const auto& t : p.totals)
        setCaption(t.first, StatusBar1->panelText(t.second));
    rep->ReportTitle = QStringLiteral("打印预览");
    rep->preview();
}

void QueryWindow::exportGrid()
{
    if (!requireOpen())
        return;
    ExportGridToSpreadsheet(DBGrid1);
}

void QueryWindow::openConditionDialog()
{
    std::unique_ptr<TConditionDialog> dlg(createConditionDialog());
    if (!dlg)
        return;
    runModal(*dlg);
}

void QueryWindow::closeWindow()
{
    closeMdiForm(this);
}

void QueryWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (shown_)
        return;
    shown_ = true;
    if (desc_.runOnShow)
        runOpeningQuery();
}

void QueryWindow::closeEvent(QCloseEvent* e)
{
    q_->close();
    formClosed();
    QWidget::closeEvent(e);
}

void describeDocumentList(ListDescription& s)
{
    s.buttons = {{QStringLiteral("SB44"), QStringLiteral("反审")},
                 {QStringLiteral("SB55"), QStringLiteral("查单")},
                 {QStringLiteral("SB66"), QStringLiteral("删除")},
                 {QStringLiteral("SB77"), QStringLiteral("查询")},
                 {QStringLiteral("SB88"), QStringLiteral("打印")},
                 {QStringLiteral("SB99"), QStringLiteral("导出")},
                 {QStringLiteral("SB100"), QStringLiteral("关闭")}};
    s.popup = {{QStringLiteral("N1"), QStringLiteral("删除"), QStringLiteral("SB66")},
               {QStringLiteral("N2"), QStringLiteral("反审核"), QStringLiteral("SB44")}};
    s.doubleClickClicks = QStringLiteral("SB55");
    s.legendText = QStringLiteral("未审核单据");
    s.legendColour = ListColours::held();
    s.colouring.heldBrush = QStringLiteral("shbj");
}
