#include "Usp3.h"

#include "PickerTargets.h"
#include "picker_common.h"

#include "data/DM1.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const char* const kAllCategories = "全部类别";
}

TFsp3::TFsp3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fsp3"));
    setWindowTitle(QStringLiteral("选择商品"));
    xzbj = picker::hiddenLabel(QStringLiteral("xzbj"), this);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setFixedWidth(150);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    const auto col = picker::column;
    DBGrid1->setColumns({
        col("txm", "编码", 110),
        col("ppgg", "商品名称", 200),
        col("dw", "单位", 40),
        col("kcsl", "库存数量", 64),
        col("lb", "类别", 80),
        col("ck", "仓库", 80),
    });
    DBGrid1->setQuery(&DM1->AQsp1);

    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("当前仓库"), this));
    top->addWidget(Edit2);
    top->addWidget(new QLabel(QStringLiteral("编码或名称"), this));
    top->addWidget(Edit1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(TreeView1);
    middle->addWidget(DBGrid1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(xuan);
    buttons->addWidget(guan);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(middle);
    lay->addLayout(buttons);
    resize(760, 440);

    connect(Edit1, &QLineEdit::textChanged, this, &TFsp3::Edit1Change);
    connect(Edit1, &QLineEdit::returnPressed, this, &TFsp3::xuanClick);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { TreeView1Click(node); });
    connect(xuan, &QPushButton::clicked, this, &TFsp3::xuanClick);
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &DataGrid::rowDoubleClicked, this, &TFsp3::xuanClick);
    connect(DBGrid1, &DataGrid::enterPressed, this, &TFsp3::xuanClick);
}

TFsp3::~TFsp3() = default;

void TFsp3::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    fillTree();
    listGoods(QString());
    Edit1->setFocus();
}

void TFsp3::fillTree()
{
    TreeView1->clear();
    auto* root = new QTreeWidgetItem(TreeView1, {QString::fromUtf8(kAllCategories)});
    const RecordSet rs = DM1->ADOC1.execute(QStringLiteral("SELECT lb FROM lb"));
    for (const QVariantList& row : rs.rows)
        new QTreeWidgetItem(root, {row.value(0).toString()});
    TreeView1->expandAll();
}

// Runs the goods of the warehouse in Edit2, narrowed by condition (an "and ..." line).
void TFsp3::listGoods(const QString& condition)
{
    Query& q = DM1->AQsp1;
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM sp"));
    q.addSql(QStringLiteral("where ck=") + sqlQuote(Edit2->text()));
    if (!condition.isEmpty())
        q.addSql(condition);
    q.addSql(QStringLiteral("order by id"));
    q.open();
}

void TFsp3::Edit1Change()
{
    const QString pattern = sqlQuote(QStringLiteral("%") + Edit1->text() + QStringLiteral("%"));
    listGoods(Edit1->text().isEmpty() ? QString()
                                      : QStringLiteral("and (txm like %1 or ppgg like %1)").arg(pattern));
}

void TFsp3::TreeView1Click(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const QString lb = node->text(0);
    listGoods(lb == QString::fromUtf8(kAllCategories) ? QString() : QStringLiteral("and lb=") + sqlQuote(lb));
}

void TFsp3::xuanClick()
{
    Query& q = DM1->AQsp1;
    if (!picker::hasRows(q)) {
        warnBox(QStringLiteral("没有商品可选择！"));
        return;
    }
    const QString tag = xzbj->text();
    const QString caller = picker::callerTag(tag);
    const QString n = picker::stepSuffix(tag);
    if (!n.isEmpty()) {
        // Read the row first: a write may run the caller's handlers, which may move AQsp1.
        const QString values[] = {q.text(QStringLiteral("txm")), q.text(QStringLiteral("ppgg")),
                                  q.text(QStringLiteral("dw")), q.text(QStringLiteral("kcsl")),
                                  q.text(QStringLiteral("id"))};
        const char* const fields[] = {"txm", "ppgg", "dw", "kcsl", "spid"};
        for (int i = 0; i < 5; ++i)
            PickerTargets::write(caller, QString::fromLatin1(fields[i]) + n, values[i]);
    }
    accept();
}

void TFsp3::done(int r)
{
    const QString caller = picker::callerTag(xzbj->text());
    if (caller == QLatin1String("zu") || caller == QLatin1String("chai"))
        PickerTargets::write(caller, QStringLiteral("sao"), QStringLiteral("sao"));
    QDialog::done(r);
}
