#include "QueryWindow.h"

#include "ConditionDialog.h"
#include "data/DM1.h"
#include "data/DocumentState.h"
#include "data/Query.h"
#include "data/query_totals.h"
#include "report/QuickRep.h"
#include "shell/Export.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

void setListFont(QWidget* w)
{
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    w->setFont(f);
}

namespace {

constexpr int kGlyph = 24;   // the tool buttons' glyphs, all of one size

// A style's glyph at the tool buttons' size: its largest picture drawn to that size, so a
// glyph the style has only smaller stands as large as its neighbours and their captions on
// one line.
QIcon toolGlyph(const QIcon& glyph)
{
    QSize largest;
    for (const QSize& s : glyph.availableSizes())
        if (s.width() > largest.width())
            largest = s;
    if (!largest.isValid() || largest.width() == kGlyph)
        return glyph;
    return QIcon(glyph.pixmap(largest).scaled(kGlyph, kGlyph, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The glyph above a tool button's caption, by what the button does.
QIcon glyphFor(const QString& caption, QStyle* style)
{
    static const std::pair<const char*, QStyle::StandardPixmap> glyphs[] = {
        {"关闭", QStyle::SP_DialogCloseButton},     {"删除", QStyle::SP_TrashIcon},
        {"反审", QStyle::SP_ArrowBack},             {"查询", QStyle::SP_FileDialogContentsView},
        {"统计", QStyle::SP_FileDialogContentsView}, {"查单", QStyle::SP_FileDialogDetailedView},
        {"明细", QStyle::SP_FileDialogDetailedView}, {"打印", QStyle::SP_DialogSaveButton},
        {"导出", QStyle::SP_DriveHDIcon},           {"新增", QStyle::SP_FileDialogNewFolder},
        {"修改", QStyle::SP_FileDialogInfoView},
        {"拆零", QStyle::SP_ArrowDown},             {"组装", QStyle::SP_ArrowUp},
        {"归零", QStyle::SP_DialogResetButton}};
    for (const auto& [word, glyph] : glyphs)
        if (caption.contains(QString::fromUtf8(word)))
            return toolGlyph(style->standardIcon(glyph));
    return toolGlyph(style->standardIcon(QStyle::SP_FileIcon));
}

} // namespace

QueryWindow::QueryWindow(ListDescription desc, QWidget* parent)
    : QWidget(parent), desc_(std::move(desc))
{
    q_ = &sharedQuery(desc_.query);
    setObjectName(desc_.objectName);
    setWindowTitle(desc_.caption);
    setFixedBorder(this);
    rowTerms_ = sumTermsOfRows(desc_.sumStatement, desc_.rowStatement);
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
        sb->setIconSize(QSize(kGlyph, kGlyph));
        sb->setFixedSize(52, 52);
        tl->addWidget(sb);
        buttons_.insert(b.name, sb);
    }
    outer->addWidget(tools);
    // Statistics tables: their condition panel stands in place of the tool panel.
    if (desc_.inlineConditions) {
        tools->hide();
        outer->addWidget(buildConditionPanel());
    }

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
    // Rows changed by another caller (another window's run of the shared query, a posting,
    // a refresh): the totals follow the rows the window shows.
    connectHandler(q_, &Query::dataReset, this, [this] { noteRowsChanged(); });
    connectHandler(q_, &Query::rowChanged, this, [this] { noteRowsChanged(); });
    DBGrid1->enableTitleSort(true);
    if (desc_.greyGrid)
        DBGrid1->setEmptyAreaColour(ListColours::grey());
    if (desc_.colouring.any())
        DBGrid1->setRowStyler([this](int row) { return styleRow(row); });
    if (!desc_.doubleClickClicks.isEmpty())
        connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, this, [this] { clickButton(desc_.doubleClickClicks); });
    if (desc_.tree.shown) {
        // The category tree stands left of the grid.
        auto* middle = new QHBoxLayout;
        middle->setContentsMargins(0, 0, 0, 0);
        middle->setSpacing(0);
        buildTree();
        middle->addWidget(TreeView1);
        middle->addWidget(DBGrid1, 1);
        outer->addLayout(middle, 1);
    } else {
        outer->addWidget(DBGrid1, 1);
    }

    StatusBar1 = describedStatusBar(this, DBGrid1, desc_.panels);
    outer->addWidget(StatusBar1);

    // The common buttons.
    const std::pair<QString, void (QueryWindow::*)()> actions[] = {
        {desc_.closeButton, &QueryWindow::closeWindow}, {desc_.queryButton, &QueryWindow::openConditionDialog},
        {desc_.printButton, &QueryWindow::print}, {desc_.exportButton, &QueryWindow::exportGrid}};
    for (const auto& [name, action] : actions)
        if (QAbstractButton* b = anyButton(name))
            connectHandler(b, &QAbstractButton::clicked, this, action);

    buildDropDown();

    keys_ = new KeyPreview(this);
    if (QAbstractButton* b = anyButton(desc_.escClicks))
        keys_->mapKey(Qt::Key_Escape, b);
    if (desc_.inlineConditions) {
        // Enter: the switch, the pickers and the edit in turn, then the run button.
        keys_->enterMovesTo(CheckBox1, DateTimePicker1);
        keys_->enterMovesTo(DateTimePicker1, DateTimePicker2);
        keys_->enterMovesTo(DateTimePicker2, Edit1);
        if (QPushButton* run = panelButton(desc_.inlineConditions->buttons.value(0).name)) {
            if (desc_.inlineConditions->enterRuns)
                keys_->onEnter(Edit1, [run] { run->click(); });
            else
                keys_->enterMovesTo(Edit1, run);
        }
    }
}

// ---- Category tree and drop-down tool button ----------------------------------------

void QueryWindow::buildTree()
{
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setFixedWidth(140);
    QIcon category = style()->standardIcon(QStyle::SP_DirClosedIcon);
    category.addPixmap(style()->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    TreeView1->setUpdatesEnabled(false);
    auto* root = new QTreeWidgetItem(TreeView1, {QStringLiteral("全部类别")});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
    const RecordSet rs = DM1->ADOC1.execute(QStringLiteral("SELECT lb FROM lb order by id"));
    for (const QVariantList& row : rs.rows)
        (new QTreeWidgetItem(root, {row.value(0).toString()}))->setIcon(0, category);
    TreeView1->expandAll();
    TreeView1->setUpdatesEnabled(true);
    connectHandler(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { treeClicked(node); });
}

void QueryWindow::treeClicked(QTreeWidgetItem* node)
{
    if (!node)
        return;
    QStringList lines{desc_.tree.rowStatement};
    if (node->parent())   // the root lists every row
        lines << QStringLiteral("where ") + desc_.tree.field + QLatin1Char('=') + sqlQuote(node->text(0));
    runAndRecount(lines);
}

void QueryWindow::buildDropDown()
{
    const ListDropDown& d = desc_.dropDown;
    SpeedButton* b = button(d.button);
    if (!b)
        return;
    dropDownMenu = new QMenu(this);
    dropDownMenu->setObjectName(d.menu);
    for (const ListButton& it : d.items) {
        QAction* a = dropDownMenu->addAction(it.caption);
        a->setObjectName(it.name);
        popupItems_.insert(it.name, a);
    }
    popMenuOnRelease(b, dropDownMenu);
}

SpeedButton* QueryWindow::button(const QString& name) const { return buttons_.value(name, nullptr); }

QAction* QueryWindow::popupItem(const QString& name) const { return popupItems_.value(name, nullptr); }

void QueryWindow::takeButtons(std::initializer_list<SpeedButton**> inOrder) const
{
    int i = 0;
    for (SpeedButton** b : inOrder) {
        *b = i < desc_.buttons.size() ? button(desc_.buttons[i].name) : nullptr;
        ++i;
    }
}

void QueryWindow::clickButton(const QString& name) const
{
    if (QAbstractButton* b = anyButton(name))
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
    const int notPositive = column(c.redWhenNotPositive);
    const int positive = column(c.redWhenPositive);
    if ((nonZero >= 0 && !q.cellMoney(row, nonZero).isZero())
        || (negative >= 0 && q.cellMoney(row, negative).isNegative())
        || (notPositive >= 0 && q.cellMoney(row, notPositive) <= Money())
        || (positive >= 0 && q.cellMoney(row, positive) > Money()))
        s.font = ListColours::red();
    if (state >= 0 && q.cellText(row, state) == DocumentState::held())
        s.brush = ListColours::held();
    return s;
}

void QueryWindow::runQuery(const QStringList& clauses, const QString& orderLine)
{
    Query& q = *q_;
    {
        const ControlsDisabled off(q);
        const QVector<Money> totals = runTotalsAndRows(q, desc_.sumStatement, desc_.rowStatement, clauses, orderLine);
        if (!desc_.sumStatement.isEmpty())
            for (int i = 0; i < desc_.sumPanels.size(); ++i)
                StatusBar1->setPanelText(desc_.sumPanels[i], totals.value(i).plainText());
        countedVersion_ = q.rowsVersion();
    }
    afterRun();
}

void QueryWindow::runAndRecount(const QStringList& lines)
{
    {
        const ControlsDisabled off(*q_);
        q_->reopen(lines);
        recountTotals();
        countedVersion_ = q_->rowsVersion();
    }
    afterRun();
}

void QueryWindow::noteRowsChanged()
{
    if (recountQueued_ || q_->rowsVersion() == countedVersion_)
        return;
    // Once the caller is done: a posting that appends a hundred ledger rows recounts once.
    recountQueued_ = true;
    QMetaObject::invokeMethod(this, [this] {
        recountQueued_ = false;
        followOtherChange();
    }, Qt::QueuedConnection);
}

void QueryWindow::followOtherChange()
{
    const Query& q = *q_;
    if (!q.isOpen() || q.rowsVersion() == countedVersion_)
        return;
    countedVersion_ = q.rowsVersion();
    // The totals of the window's sum statement, or the fields its runs walk, over the rows now
    // in hand; rows without those columns leave the panels as they are.
    const bool walked = !rowTerms_;
    QVector<SumTerm> terms = rowTerms_.value_or(QVector<SumTerm>());
    if (walked)
        for (const QString& f : desc_.totalFields)
            terms << SumTerm{f};
    const std::optional<QVector<Money>> totals = terms.isEmpty() ? std::nullopt : sumTerms(q, terms);
    if (!totals)
        return;
    for (int i = 0; i < totals->size() && i < desc_.sumPanels.size(); ++i)
        StatusBar1->setPanelText(desc_.sumPanels[i], totals->at(i).plainText());
    const PanelDifference& d = desc_.difference;
    if (walked && d.panel >= 0 && d.of < totals->size() && d.less < totals->size())
        StatusBar1->setPanelText(d.panel, (totals->at(d.of) - totals->at(d.less)).plainText());
    afterRun();
}

void QueryWindow::runOpeningQuery() { runQuery(desc_.openingLines, desc_.openingOrder); }

void QueryWindow::recountTotals()
{
    Query& q = *q_;
    const ControlsDisabled still(q);   // the grids do not follow the walk
    QVector<Money> sums(desc_.totalFields.size());
    q.first();
    const int n = q.recordCount();
    // The fields' columns are looked up once (a missing field throws as reading it does).
    QVector<int> cols;
    for (const QString& f : desc_.totalFields) {
        cols << q.fieldIndex(f);
        if (cols.back() < 0 && n > 0)
            q.money(f);
    }
    for (int r = 0; r < n; ++r) {
        for (int i = 0; i < cols.size(); ++i)
            sums[i] += q.cellMoney(q.recNo(), cols[i]);
        q.next();
    }
    countedVersion_ = q.rowsVersion();
    for (int i = 0; i < sums.size() && i < desc_.sumPanels.size(); ++i)
        StatusBar1->setPanelText(desc_.sumPanels[i], sums[i].plainText());
    // A panel that is the difference of two totals.
    const PanelDifference& d = desc_.difference;
    if (d.panel >= 0 && d.of < sums.size() && d.less < sums.size())
        StatusBar1->setPanelText(d.panel, (sums[d.of] - sums[d.less]).plainText());
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

void QueryWindow::print() { print(desc_.print); }

void QueryWindow::print(const ListPrint& p)
{
    if (!requireOpen())
        return;
    QuickRep* rep = p.report ? p.report() : nullptr;
    if (!rep)
        return;
    auto setCaption = [rep](const QString& name, const QString& text) {
        if (QRItem* it = rep->item(name))
            it->Caption = text;
    };
    setCaption(QStringLiteral("QRLdw"), DM1->printName() + p.reportName);
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
    if (desc_.inlineConditions)
        resetConditions();
    if (desc_.runOnShow)
        runOpeningQuery();
}

void QueryWindow::closeEvent(QCloseEvent* e)
{
    q_->close();
    QWidget::closeEvent(e);
}

// ---- Inline condition panel ----------------------------------------------------------

QWidget* QueryWindow::buildConditionPanel()
{
    const InlineConditions& c = *desc_.inlineConditions;
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(6);
    const DateRangeControls dates = createDateRangeControls(QStringLiteral("日期范围"), panel);
    CheckBox1 = dates.box;
    DateTimePicker1 = dates.from;
    DateTimePicker2 = dates.to;
    linkDateRange(DateTimePicker1, DateTimePicker2);
    Edit1 = new QLineEdit(panel);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(120);
    row->addWidget(CheckBox1);
    row->addWidget(DateTimePicker1);
    row->addWidget(DateTimePicker2);
    row->addSpacing(12);
    row->addWidget(new QLabel(c.editLabel, panel));
    row->addWidget(Edit1);
    row->addStretch(1);
    QVector<QWidget*> tabs{CheckBox1, DateTimePicker1, DateTimePicker2, Edit1};
    for (const ListButton& b : c.buttons) {
        auto* pb = new QPushButton(glyphFor(b.caption, style()), b.caption, panel);
        pb->setObjectName(b.name);
        pb->setAutoDefault(true);   // Enter on the focused button clicks it
        pb->setFixedSize(72, 28);
        row->addWidget(pb);
        panelButtons_.insert(b.name, pb);
        tabs << pb;
    }
    for (int i = 0; i + 1 < tabs.size(); ++i)
        setTabOrder(tabs[i], tabs[i + 1]);
    if (QPushButton* run = panelButton(c.buttons.value(0).name))
        connectHandler(run, &QPushButton::clicked, this, &QueryWindow::runConditions);
    return panel;
}

QPushButton* QueryWindow::panelButton(const QString& name) const { return panelButtons_.value(name, nullptr); }

QAbstractButton* QueryWindow::anyButton(const QString& name) const
{
    if (SpeedButton* b = button(name))
        return b;
    return panelButton(name);
}

void QueryWindow::resetConditions()
{
    Edit1->clear();
    DateRangeControls{CheckBox1, DateTimePicker1, DateTimePicker2}.reset();
    Edit1->setFocus();
}

void QueryWindow::runConditions()
{
    const InlineConditions& c = *desc_.inlineConditions;
    std::optional<DateRange> dates;
    if (CheckBox1->isChecked())
        dates = DateRange{DateTimePicker1->date(), DateTimePicker2->date()};
    runAndRecount(c.statement(Edit1->text(), dates));
    if (!c.doneMessage.isEmpty())
        infoBox(c.doneMessage);
}

void describeStatisticsTable(ListDescription& s, const QString& editLabel)
{
    InlineConditions& c = s.inlineConditions.emplace();
    c.editLabel = editLabel;
    c.buttons = {{QStringLiteral("BB1"), QStringLiteral("统计")},
                 {QStringLiteral("BB2"), QStringLiteral("打印")},
                 {QStringLiteral("BB3"), QStringLiteral("导出")},
                 {QStringLiteral("BB4"), QStringLiteral("关闭")}};
    s.runOnShow = false;
    s.queryButton.clear();
    s.printButton = QStringLiteral("BB2");
    s.exportButton = QStringLiteral("BB3");
    s.closeButton = s.escClicks = QStringLiteral("BB4");
}

StatisticsTable::StatisticsTable(ListDescription desc, QWidget* parent) : QueryWindow(std::move(desc), parent)
{
    BB1 = panelButton(QStringLiteral("BB1"));
    BB2 = panelButton(QStringLiteral("BB2"));
    BB3 = panelButton(QStringLiteral("BB3"));
    BB4 = panelButton(QStringLiteral("BB4"));
}
