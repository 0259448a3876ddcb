#include "Uxzcg1.h"

#include "Utjcgd1.h"
#include "basic/picker_common.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

TFxzcg1::TFxzcg1(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Fxzcg1"));
    setWindowTitle(QStringLiteral("选择采购挂单（未审采购单）"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* root = new QVBoxLayout(this);
    auto* panel = new QHBoxLayout;
    root->addLayout(panel);

    CheckBox1 = new QCheckBox(QStringLiteral("日期"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    DateTimePicker1 = new DatePicker(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker2 = new DatePicker(this);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    auto* label = new QLabel(QStringLiteral("厂商"), this);
    Edit2 = picker::edit(QStringLiteral("Edit2"), this);
    label->setBuddy(Edit2);
    cha = picker::button(QStringLiteral("cha"), QStringLiteral("查询"), this);
    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    panel->addWidget(CheckBox1);
    panel->addWidget(DateTimePicker1);
    panel->addWidget(DateTimePicker2);
    panel->addSpacing(8);
    panel->addWidget(label);
    panel->addWidget(Edit2, 1);
    panel->addSpacing(8);
    panel->addWidget(cha);
    panel->addWidget(xuan);
    panel->addWidget(guan);

    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;   // numbers stand to the right
    auto col = [](const char* field, const char* title, int width, Qt::Alignment align) {
        GridColumn c = picker::column(field, title, width);
        c.align = align;
        return c;
    };
    DBGrid1 = picker::grid(this, DM1->AQcgz1,
                           {col("shbj", "审核", 52, centred), col("rq", "日期", 80, centred),
                            col("dh", "单号", 110, centred), col("ghs", "厂商", 160, left),
                            col("hjsl", "合计数量", 80, right), col("hjje", "合计金额", 90, right),
                            col("jsr", "经办人", 80, left)});
    DBGrid1->enableTitleSort();
    root->addWidget(DBGrid1, 1);

    setTabOrder(CheckBox1, DateTimePicker1);
    setTabOrder(DateTimePicker1, DateTimePicker2);
    setTabOrder(DateTimePicker2, Edit2);
    setTabOrder(Edit2, cha);
    setTabOrder(cha, xuan);
    setTabOrder(xuan, guan);
    setTabOrder(guan, DBGrid1);

    linkDateRange(DateTimePicker1, DateTimePicker2);

    connectHandler(cha, &QPushButton::clicked, this, &TFxzcg1::chaClick);
    connectHandler(xuan, &QPushButton::clicked, this, &TFxzcg1::xuanClick);
    connectHandler(guan, &QPushButton::clicked, this, &QDialog::reject);
    connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, this, [this](int) { xuanClick(); });

    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, guan);
    keys_->enterMovesTo(CheckBox1, DateTimePicker1);
    keys_->enterMovesTo(DateTimePicker1, DateTimePicker2);
    keys_->enterMovesTo(DateTimePicker2, Edit2);
    keys_->onEnter(Edit2, [this] { chaClick(); });
    keys_->onEnter(DBGrid1, [this] { xuanClick(); });

    setFixedSize(720, 420);
}

TFxzcg1::~TFxzcg1() = default;

void TFxzcg1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous() && !shown_) {
        shown_ = true;
        if (Fmain1)
            move(Fmain1->geometry().center() - rect().center());
        formShow();
    }
}

void TFxzcg1::formShow()
{
    const QDate today = Clock::today();
    DateTimePicker2->setDate(today);
    DateTimePicker1->setDate(addMonthsClamped(today, -1));
    CheckBox1->setChecked(false);
    chaClick();
}

void TFxzcg1::chaClick()
{
    Query& q = DM1->AQcgz1;
    {
        ControlsDisabled off(q);
        QStringList sql{QStringLiteral("SELECT * FROM cgglz"), QStringLiteral("where ghs like ") + picker::likeAny(Edit2->text())};
        if (CheckBox1->isChecked()) {
            const QString from = DateTimePicker1->date().toString(QStringLiteral("yyyy-MM-dd"));
            const QString to = DateTimePicker2->date().toString(QStringLiteral("yyyy-MM-dd"));
            sql << QStringLiteral("and rq>=") + sqlQuote(from) + QStringLiteral("and rq<=") + sqlQuote(to);
        }
        sql << QStringLiteral("and shbj='未审核'") << QStringLiteral("order by id");
        q.setSql(sql);
        q.open();
    }
    DBGrid1->setFocus();
}

void TFxzcg1::xuanClick()
{
    Query& z = DM1->AQcgz1;
    if (!picker::hasRows(z)) {
        warnBox(QStringLiteral("没有单据可选择！"));
        return;
    }

    // Everything is read and checked before the entry form is touched, so a header that
    // cannot be loaded leaves the document in hand as it was.
    const QString rqText = z.text(QStringLiteral("rq"));
    const QDate rq = QDate::fromString(rqText.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!rq.isValid()) {
        warnBox(QStringLiteral("单据日期“%1”无效，不能取单！").arg(rqText));
        return;
    }

    TFtjcgd1* form = Ftjcgd1;
    if (!form) {   // the entry form went away while the picker was open
        reject();
        return;
    }
    // The header columns and the entry form's edits they go into, in the order they are written.
    const std::pair<const char*, QLineEdit*> loaded[] = {
        {"dh", form->dh}, {"ghs", form->ghs}, {"ck", form->ck}, {"jsr", form->jsr}, {"bz", form->bz},
        {"yhe", form->yhe}, {"yfe", form->yfe}, {"sfe", form->sfe}, {"hjsl", form->hjsl}, {"hjje", form->hjje},
    };
    QStringList values;
    for (const auto& l : loaded)
        values << z.text(QString::fromLatin1(l.first));

    // The document in hand gives back its pending marks before another one takes its place.
    form->rollbackLineMarks();

    // The mode is written before the number, so the number's change handler loads nothing;
    // the amounts paid and payable go in before the total, whose handler recomputes them.
    form->setWindowTitle(QStringLiteral("修改采购入库单"));
    form->ztbj->setText(QStringLiteral("修改"));
    form->DateTimePicker1->setDate(rq);
    for (int i = 0; i < values.size(); ++i)
        loaded[i].second->setText(values[i]);

    Query& c = DM1->AQcgc1;
    c.setSql({QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("where dh=") + sqlQuote(form->dh->text()),
              QStringLiteral("and bj='yz'"), QStringLiteral("order by id")});
    c.open();

    accept();
}
