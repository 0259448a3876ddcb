#include "RecordPicker.h"

#include "picker_common.h"

#include "data/Query.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

RecordPicker::RecordPicker(QWidget* parent, const QString& name, const QString& title) : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(title);
    xzbj = picker::hiddenLabel(QStringLiteral("xzbj"), this);
}

RecordPicker::~RecordPicker() = default;

void RecordPicker::buildList(const List& list, QBoxLayout* top, QWidget* beside)
{
    query_ = &list.query;
    emptyText_ = list.emptyText;
    showSql_ = list.showSql;
    DBGrid1 = picker::grid(this, list.query, list.columns);
    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    auto* lay = new QVBoxLayout(this);
    if (top)
        lay->addLayout(top);
    if (beside) {
        auto* middle = new QHBoxLayout;
        middle->addWidget(beside);
        middle->addWidget(DBGrid1);
        lay->addLayout(middle);
    } else {
        lay->addWidget(DBGrid1);
    }
    lay->addLayout(picker::buttonRow(QVector<QPushButton*>{xuan} + list.buttons + QVector<QPushButton*>{guan}));
    setDialogFrame(this, list.size);

    connectHandler(xuan, &QPushButton::clicked, this, &RecordPicker::xuanClick);
    connectHandler(guan, &QPushButton::clicked, this, &QDialog::reject);
    connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, this, &RecordPicker::xuanClick);
    connectHandler(DBGrid1, &DataGrid::enterPressed, this, &RecordPicker::xuanClick);
}

int RecordPicker::runFor(const QString& tag)
{
    xzbj->setText(tag);
    return runModal(*this);
}

void RecordPicker::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // A window restored from the task bar gets a show event of its own: not a new show.
    if (e->spontaneous() || showSql_.isEmpty())
        return;
    query_->reopen(showSql_);
    DBGrid1->setFocus();
}

void RecordPicker::xuanClick()
{
    if (!picker::hasRows(*query_)) {
        warnBox(emptyText_);
        return;
    }
    writeChoice(*query_, xzbj->text());
    accept();
}
