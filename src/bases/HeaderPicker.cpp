#include "HeaderPicker.h"

#include "picker_common.h"

#include "data/DM1.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <stdexcept>

THeaderPicker::THeaderPicker(HeaderPickerDescription desc, QWidget* owner) : QDialog(owner), desc_(std::move(desc))
{
    q_ = &sharedQuery(desc_.query);
    setObjectName(desc_.objectName);
    setWindowTitle(desc_.caption);
    auto* root = new QVBoxLayout(this);
    auto* panel = new QHBoxLayout;

    const DateRangeControls dates = createDateRangeControls(QStringLiteral("日期"), this);
    CheckBox1 = dates.box;
    DateTimePicker1 = dates.from;
    DateTimePicker2 = dates.to;
    partyLabel = new QLabel(desc_.partyLabel, this);
    Edit2 = picker::edit(QStringLiteral("Edit2"), this);
    partyLabel->setBuddy(Edit2);
    cha = picker::button(QStringLiteral("cha"), QStringLiteral("查询"), this);
    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    panel->addWidget(CheckBox1);
    panel->addWidget(DateTimePicker1);
    panel->addWidget(DateTimePicker2);
    panel->addSpacing(8);
    panel->addWidget(partyLabel);
    panel->addWidget(Edit2, 1);
    panel->addSpacing(8);
    panel->addWidget(cha);
    panel->addWidget(xuan);
    panel->addWidget(guan);

    DBGrid1 = picker::grid(this, *q_, desc_.columns);
    DBGrid1->enableTitleSort();
    if (desc_.cream) {
        ListColours::fill(this, ListColours::cream());
        DBGrid1->setEmptyAreaColour(ListColours::grey());
    }
    if (desc_.searchBelow) {
        root->addWidget(DBGrid1, 1);
        root->addLayout(panel);
    } else {
        root->addLayout(panel);
        root->addWidget(DBGrid1, 1);
    }

    QWidget* const tabs[] = {CheckBox1, DateTimePicker1, DateTimePicker2, Edit2, cha, xuan, guan, DBGrid1};
    for (std::size_t i = 1; i < std::size(tabs); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);

    linkDateRange(DateTimePicker1, DateTimePicker2);

    connectHandler(cha, &QPushButton::clicked, this, &THeaderPicker::chaClick);
    connectHandler(xuan, &QPushButton::clicked, this, &THeaderPicker::xuanClick);
    connectHandler(guan, &QPushButton::clicked, this, &QDialog::reject);
    connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, this, [this](int) { xuanClick(); });

    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, guan);
    keys_->enterMovesTo(CheckBox1, DateTimePicker1);
    keys_->enterMovesTo(DateTimePicker1, DateTimePicker2);
    keys_->enterMovesTo(DateTimePicker2, Edit2);
    keys_->onEnter(Edit2, [this] { chaClick(); });
    keys_->onEnter(DBGrid1, [this] { xuanClick(); });

    setDialogFrame(this, desc_.size);
}

THeaderPicker::~THeaderPicker() = default;

void THeaderPicker::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || shown_)
        return;
    shown_ = true;
    if (Fmain1)
        move(Fmain1->geometry().center() - rect().center());
    DateRangeControls{CheckBox1, DateTimePicker1, DateTimePicker2}.reset();
    chaClick();
}

void THeaderPicker::chaClick()
{
    Query& q = *q_;
    {
        ControlsDisabled off(q);
        QStringList sql{QStringLiteral("SELECT * FROM ") + desc_.table,
                        QStringLiteral("where ") + desc_.partyColumn + QStringLiteral(" like ") + picker::likeAny(Edit2->text())};
        if (CheckBox1->isChecked())
            sql << dateRangeClause(QStringLiteral("rq"), {DateTimePicker1->date(), DateTimePicker2->date()});
        sql << desc_.stateLines << QStringLiteral("order by id");
        q.reopen(sql);
    }
    DBGrid1->setFocus();
}

void THeaderPicker::xuanClick()
{
    if (!picker::hasRows(*q_)) {
        warnBox(desc_.emptyRefusal);
        return;
    }
    if (choose(*q_))
        accept();
}
