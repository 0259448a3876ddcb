#include "Uxzcg1.h"

#include "Utjcgd1.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

// Disables a query's controls for a scope; enables them again however the scope ends.
class ControlsOff {
public:
    explicit ControlsOff(Query& q) : q_(q) { q_.disableControls(); }
    ~ControlsOff() { q_.enableControls(); }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;
private:
    Query& q_;
};

// The header columns loaded into the entry form, in the order they are written.
struct HeldHeader {
    QDate rq;
    QString dh, ghs, ck, jsr, bz, yhe, yfe, sfe, hjsl, hjje;
};

} // namespace

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
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    label->setBuddy(Edit2);
    cha = makeButton(QStringLiteral("cha"), QStringLiteral("查询"), this);
    xuan = makeButton(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = makeButton(QStringLiteral("guan"), QStringLiteral("关闭"), this);

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

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    QVector<GridColumn> cols;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    auto col = [&](const char* field, const char* title, int width, Qt::Alignment align) {
        GridColumn c;
        c.field = QString::fromLatin1(field);
        c.title = QString::fromUtf8(title);
        c.width = width;
        c.align = align;
        cols << c;
    };
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    col("shbj", "审核", 52, centred);
    col("rq", "日期", 80, centred);
    col("dh", "单号", 110, centred);
    col("ghs", "厂商", 160, left);
    col("hjsl", "合计数量", 80, right);   // numbers stand to the right
    col("hjje", "合计金额", 90, right);
    col("jsr", "经办人", 80, left);
    DBGrid1->setColumns(cols);
    DBGrid1->setQuery(&DM1->AQcgz1);
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

    connect(cha, &QPushButton::clicked, this, &TFxzcg1::chaClick);
    connect(xuan, &QPushButton::clicked, this, &TFxzcg1::xuanClick);
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &DataGrid::rowDoubleClicked, this, [this](int) { xuanClick(); });

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
        ControlsOff off(q);
        q.clearSql();
        q.addSql(QStringLiteral("SELECT * FROM cgglz"));
        q.addSql(QStringLiteral("where ghs like ") + sqlQuote(QLatin1Char('%') + Edit2->text() + QLatin1Char('%')));
        if (CheckBox1->isChecked()) {
            const QString from = DateTimePicker1->date().toString(QStringLiteral("yyyy-MM-dd"));
            const QString to = DateTimePicker2->date().toString(QStringLiteral("yyyy-MM-dd"));
            q.addSql(QStringLiteral("and rq>=") + sqlQuote(from) + QStringLiteral("and rq<=") + sqlQuote(to));
        }
        q.addSql(QStringLiteral("and shbj='未审核'"));
        q.addSql(QStringLiteral("order by id"));
        q.open();
    }
    DBGrid1->setFocus();
}

void TFxzcg1::xuanClick()
{
    Query& z = DM1->AQcgz1;
    if (!z.isOpen() || z.isEmpty()) {
        warnBox(QStringLiteral("没有单据可选择！"));
        return;
    }

    // Everything is read and checked before the entry form is touched, so a header that
    // cannot be loaded leaves the document in hand as it was.
    HeldHeader h;
    const QString rqText = z.text(QStringLiteral("rq"));
    h.rq = QDate::fromString(rqText.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!h.rq.isValid()) {
        warnBox(QStringLiteral("单据日期“%1”无效，不能取单！").arg(rqText));
        return;
    }
    h.dh = z.text(QStringLiteral("dh"));
    h.ghs = z.text(QStringLiteral("ghs"));
    h.ck = z.text(QStringLiteral("ck"));
    h.jsr = z.text(QStringLiteral("jsr"));
    h.bz = z.text(QStringLiteral("bz"));
    h.yhe = z.text(QStringLiteral("yhe"));
    h.yfe = z.text(QStringLiteral("yfe"));
    h.sfe = z.text(QStringLiteral("sfe"));
    h.hjsl = z.text(QStringLiteral("hjsl"));
    h.hjje = z.text(QStringLiteral("hjje"));

    TFtjcgd1* form = Ftjcgd1;
    if (!form) {   // the entry form went away while the picker was open
        reject();
        return;
    }

    // The document in hand gives back its pending marks before another one takes its place.
    form->rollbackLineMarks();

    // The mode is written before the number, so the number's change handler loads nothing;
    // the amounts paid and payable go in before the total, whose handler recomputes them.
    form->setWindowTitle(QStringLiteral("修改采购入库单"));
    form->ztbj->setText(QStringLiteral("修改"));
    form->DateTimePicker1->setDate(h.rq);
    form->dh->setText(h.dh);
    form->ghs->setText(h.ghs);
    form->ck->setText(h.ck);
    form->jsr->setText(h.jsr);
    form->bz->setText(h.bz);
    form->yhe->setText(h.yhe);
    form->yfe->setText(h.yfe);
    form->sfe->setText(h.sfe);
    form->hjsl->setText(h.hjsl);
    form->hjje->setText(h.hjje);

    Query& c = DM1->AQcgc1;
    c.clearSql();
    c.addSql(QStringLiteral("SELECT * FROM cgglc"));
    c.addSql(QStringLiteral("where dh=") + sqlQuote(form->dh->text()));
    c.addSql(QStringLiteral("and bj='yz'"));
    c.addSql(QStringLiteral("order by id"));
    c.open();

    accept();
}
