#include "Utjszfx1.h"

#include "Uszfx1.h"
#include "Uszxm1.h"
#include "basic/PickerTargets.h"
#include "basic/Uyg2.h"
#include "bases/picker_common.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "other_income.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"
#include "ui/Forms.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

QPointer<TFtjszfx1> Ftjszfx1;

namespace {
const QString kTag = QStringLiteral("tjszfx");
const QString kNew = QStringLiteral("新增");
const QString kModify = QStringLiteral("修改");
const QString kZero = QStringLiteral("0");
}

TFtjszfx1::TFtjszfx1(TFszfx1* list) : QDialog(list), list_(list)
{
    setObjectName(QStringLiteral("Ftjszfx1"));
    setListFont(this);
    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);

    DateTimePicker1 = new DatePicker(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({OtherIncome::Income, OtherIncome::Expense});
    xm = new ExitEdit(this);
    xm->setObjectName(QStringLiteral("xm"));
    xm->setReadOnly(true);
    SpeedButton1 = picker::chooser(QStringLiteral("SpeedButton1"), QStringLiteral("选择收支项目"), this);
    je = new ExitEdit(this);
    je->setObjectName(QStringLiteral("je"));
    je->setText(kZero);
    jsr = new ExitEdit(this);
    jsr->setObjectName(QStringLiteral("jsr"));
    jsr->setReadOnly(true);
    SpeedButton2 = picker::chooser(QStringLiteral("SpeedButton2"), QStringLiteral("选择经办人"), this);
    bz = picker::edit(QStringLiteral("bz"), this);
    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("保存"), this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("关闭"), this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    auto* grid = new QGridLayout;
    const std::tuple<const char*, QWidget*, QWidget*> rows[] = {
        {"日期", DateTimePicker1, nullptr}, {"类别", ComboBox1, nullptr}, {"项目", xm, SpeedButton1},
        {"金额", je, nullptr},             {"经办人", jsr, SpeedButton2}, {"备注说明", bz, nullptr}};
    int row = 0;
    for (const auto& [caption, field, pick] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        grid->addWidget(field, row, 1);
        if (pick)
            grid->addWidget(pick, row, 2);
        ++row;
    }
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(picker::buttonRow(BitBtn1, BitBtn2));
    setDialogFrame(this);

    QWidget* const tabs[] = {DateTimePicker1, ComboBox1, xm, je, jsr, bz, BitBtn1, BitBtn2};
    for (std::size_t i = 1; i < std::size(tabs); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);

    // The pickers write into these.
    PickerTargets::registerField(kTag, QStringLiteral("xm"), xm);
    PickerTargets::registerField(kTag, QStringLiteral("jsr"), jsr);

    // The amount: digits and one "."; emptied it reads "0" (selected, so typing replaces
    // it); leaving it rounds a text with more than two decimals.
    installAmountEdit(je, kZero);

    connectHandler(BitBtn1, &QPushButton::clicked, this, &TFtjszfx1::BitBtn1Click);
    connectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connectHandler(SpeedButton1, &QAbstractButton::clicked, this, &TFtjszfx1::SpeedButton1Click);
    connectHandler(SpeedButton2, &QAbstractButton::clicked, this, &TFtjszfx1::SpeedButton2Click);
    connectHandler(xm, &ExitEdit::doubleClicked, SpeedButton1, &QAbstractButton::click);
    connectHandler(jsr, &ExitEdit::doubleClicked, SpeedButton2, &QAbstractButton::click);

    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, BitBtn2);
    keys_->enterMovesTo(DateTimePicker1, ComboBox1);
    keys_->enterMovesTo(ComboBox1, xm);
    keys_->enterMovesTo(je, jsr);
    // A chosen field: Enter opens its picker while it is empty, else moves on.
    const struct { ExitEdit* field; QAbstractButton* picker; QWidget* next; } picked[] = {
        {xm, SpeedButton1, je}, {jsr, SpeedButton2, bz}};
    for (const auto& p : picked)
        keys_->onEnter(p.field, [p] {
            if (p.field->text().trimmed().isEmpty()) p.picker->click();
            else p.next->setFocus(Qt::TabFocusReason);
        });
    keys_->onEnter(bz, [this] { BitBtn1->click(); });
}

void TFtjszfx1::startNew()
{
    setWindowTitle(QStringLiteral("新增其他收支"));
    ST1->setText(kNew);
    DateTimePicker1->setDate(Clock::today());
    ComboBox1->setCurrentIndex(1);
    xm->clear();
    je->setText(kZero);
    jsr->clear();
    bz->clear();
}

void TFtjszfx1::loadCurrent(const Query& q)
{
    setWindowTitle(QStringLiteral("修改其他收支"));
    ST1->setText(kModify);
    const QDate rq = QDate::fromString(q.text(QStringLiteral("rq")), QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setDate(rq.isValid() ? rq : Clock::today());
    const QString lb = q.text(QStringLiteral("lb"));
    ComboBox1->setEditText(lb);
    xm->setText(q.text(QStringLiteral("xm")));
    je->setText(q.text(lb.trimmed() == OtherIncome::Income ? QStringLiteral("se") : QStringLiteral("ze")));
    jsr->setText(q.text(QStringLiteral("jsr")));
    bz->setText(q.text(QStringLiteral("bz")));
}

bool TFtjszfx1::modifyMode() const { return ST1->text() == kModify; }

OtherIncomeEntry TFtjszfx1::entry() const
{
    return {.rq = DateTimePicker1->date(), .lb = ComboBox1->currentText(), .xm = xm->text(), .je = je->text(),
            .jsr = jsr->text(), .bz = bz->text()};
}

void TFtjszfx1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        ComboBox1->setFocus(Qt::OtherFocusReason);
}

void TFtjszfx1::BitBtn1Click()
{
    roundTypedField(je);
    const OtherIncomeEntry e = entry();
    if (const auto refusal = checkOtherIncome(e)) {
        infoBox(refusal->text);
        QWidget* const fields[] = {ComboBox1, xm, je, jsr};
        fields[static_cast<int>(refusal->field)]->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool modify = modifyMode();
    saveOtherIncome(*DM1, e, modify);
    if (list_)
        list_->recountTotals();
    if (modify) {
        accept();
        return;
    }
    xm->clear();
    je->setText(kZero);
    xm->setFocus(Qt::OtherFocusReason);
}

void TFtjszfx1::SpeedButton1Click()
{
    TFszxm1 dlg(this);
    Fszxm1 = &dlg;
    dlg.runFor(kTag);
}

void TFtjszfx1::SpeedButton2Click()
{
    TFyg2(this).runFor(kTag);
}

void runEntryDialog(TFszfx1* list, bool modify)
{
    TFtjszfx1 dlg(list);
    if (modify)
        dlg.loadCurrent(list->query());
    else
        dlg.startNew();
    Ftjszfx1 = &dlg;
    runModal(dlg);
}
