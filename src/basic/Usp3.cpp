#include "Usp3.h"

#include "PickerTargets.h"
#include "bases/picker_common.h"

#include "data/DM1.h"
#include "ui/Handlers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTreeWidget>

namespace {
const char* const kAllCategories = "全部类别";
}

TFsp3::TFsp3(QWidget* parent) : RecordPicker(parent, QStringLiteral("Fsp3"), QStringLiteral("选择商品"))
{
    Edit2 = picker::edit(QStringLiteral("Edit2"), this, true);
    Edit1 = picker::edit(QStringLiteral("Edit1"), this);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setFixedWidth(150);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("当前仓库"), this));
    top->addWidget(Edit2);
    top->addWidget(new QLabel(QStringLiteral("编码或名称"), this));
    top->addWidget(Edit1);
    buildList({.query = DM1->AQsp1,
               .columns = picker::goodsColumns(false),
               .emptyText = QStringLiteral("没有商品可选择！"),
               .size = QSize(760, 440)},
              top, TreeView1);

    connectHandler(Edit1, &QLineEdit::textChanged, this, &TFsp3::Edit1Change);
    connectHandler(Edit1, &QLineEdit::returnPressed, this, &TFsp3::xuanClick);
    connectHandler(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { TreeView1Click(node); });
}

void TFsp3::showEvent(QShowEvent* e)
{
    RecordPicker::showEvent(e);
    if (e->spontaneous())
        return;
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
    QStringList sql{QStringLiteral("SELECT * FROM sp"), QStringLiteral("where ck=") + sqlQuote(Edit2->text())};
    if (!condition.isEmpty())
        sql << condition;
    DM1->AQsp1.reopen(sql << QStringLiteral("order by id"));
}

void TFsp3::Edit1Change()
{
    listGoods(Edit1->text().isEmpty()
                  ? QString()
                  : QStringLiteral("and (txm like %1 or ppgg like %1)").arg(picker::likeAny(Edit1->text())));
}

void TFsp3::TreeView1Click(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const QString lb = node->text(0);
    listGoods(lb == QString::fromUtf8(kAllCategories) ? QString() : QStringLiteral("and lb=") + sqlQuote(lb));
}

void TFsp3::writeChoice(const Query& q, const QString& tag)
{
    const QString n = picker::stepSuffix(tag);
    if (n.isEmpty())
        return;
    // Read the row first: a write may run the caller's handlers, which may move AQsp1.
    const char* const columns[] = {"txm", "ppgg", "dw", "kcsl", "id"};
    const char* const fields[] = {"txm", "ppgg", "dw", "kcsl", "spid"};
    QString values[5];
    for (int i = 0; i < 5; ++i)
        values[i] = q.text(QString::fromLatin1(columns[i]));
    for (int i = 0; i < 5; ++i)
        PickerTargets::write(picker::callerTag(tag), QString::fromLatin1(fields[i]) + n, values[i]);
}

void TFsp3::done(int r)
{
    const QString caller = picker::callerTag(xzbj->text());
    if (caller == QLatin1String("zu") || caller == QLatin1String("chai"))
        PickerTargets::write(caller, QStringLiteral("sao"), QStringLiteral("sao"));
    QDialog::done(r);
}
