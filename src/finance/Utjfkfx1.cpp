#include "Utjfkfx1.h"

#include "Ufkfx1.h"
#include "Uxzyf1.h"
#include "basic/PickerTargets.h"
#include "basic/Uyg2.h"
#include "bases/picker_common.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "finance/settlement.h"
#include "bases/QueryWindow.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"
#include "ui/Forms.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <memory>

QPointer<TFtjfkfx1> Ftjfkfx1;
QPointer<TFtjskfx1> Ftjskfx1;

namespace {
const QString kNew = QStringLiteral("新增");
const QString kModify = QStringLiteral("修改");
const QString kZero = QStringLiteral("0");

// A read-only edit on the cream of the panel.
void creamReadOnly(QLineEdit* e)
{
    e->setReadOnly(true);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, ListColours::cream());
    e->setPalette(p);
}

// A date as stored ("yyyy-MM-dd"); a text that does not read as one throws.
QDate storedDate(const QString& text)
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw std::runtime_error(QStringLiteral("“%1”不是有效的日期！").arg(text).toStdString());
    return d;
}
}

TSettlementEntry::TSettlementEntry(const SettlementSide& side, QueryWindow* list, QWidget* owner)
    : QDialog(owner), side_(side), list_(list)
{
    buildUi();
}

void TSettlementEntry::buildUi()
{
    setListFont(this);
    auto* root = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    ListColours::fill(panel, ListColours::cream());
    auto* grid = new QGridLayout(panel);
    root->addWidget(panel);

    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, QWidget* button = nullptr) {
        grid->addWidget(new QLabel(caption, panel), row, 0, Qt::AlignRight);
        grid->addWidget(field, row, 1);
        if (button)
            grid->addWidget(button, row, 2);
        ++row;
    };
    DateTimePicker1 = named(new DatePicker(panel), QStringLiteral("DateTimePicker1"));
    dh = named(new ExitEdit(panel), QStringLiteral("dh"));
    party = named(new QLineEdit(panel), side_.partyColumn);
    qk = named(new QLineEdit(panel), QStringLiteral("qk"));
    amount = named(new ExitEdit(panel), side_.amountEdit);
    jsr = named(new ExitEdit(panel), QStringLiteral("jsr"));
    bz = named(new QLineEdit(panel), QStringLiteral("bz"));
    for (QLineEdit* e : {party, qk, static_cast<QLineEdit*>(jsr)})
        creamReadOnly(e);
    SpeedButton1 = picker::chooser(QStringLiteral("SpeedButton1"), side_.pickerHint, panel);
    SpeedButton2 = picker::chooser(QStringLiteral("SpeedButton2"), QStringLiteral("选择经办人"), panel);

    addRow(QStringLiteral("日期"), DateTimePicker1);
    addRow(QStringLiteral("单号"), dh, SpeedButton1);
    addRow(side_.partyLabel, party);
    addRow(QStringLiteral("欠款"), qk);
    addRow(side_.amountLabel, amount);
    addRow(QStringLiteral("经办人"), jsr, SpeedButton2);
    addRow(QStringLiteral("备注说明"), bz);
    grid->setColumnMinimumWidth(1, 200);

    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("保存"), this);
    BitBtn1->setToolTip(QStringLiteral("保存并审核"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("关闭"), this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    root->addLayout(buttons);
    setDialogFrame(this);

    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);

    // Tab order: the panel, then the buttons in the side's order.
    QWidget* const panelOrder[] = {DateTimePicker1, dh, party, qk, amount, jsr, bz};
    QVector<QWidget*> tabs(std::begin(panelOrder), std::end(panelOrder));
    if (side_.closeBeforeSave)
        tabs << BitBtn2 << BitBtn1;
    else
        tabs << BitBtn1 << BitBtn2;
    for (int i = 1; i < tabs.size(); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);

    installAmountEdit(amount, side_.emptiedAmountText);
    connectHandler(dh, &QLineEdit::textChanged, this, &TSettlementEntry::dhChange);
    connectHandler(dh, &ExitEdit::doubleClicked, SpeedButton1, &QAbstractButton::click);
    connectHandler(jsr, &ExitEdit::doubleClicked, SpeedButton2, &QAbstractButton::click);
    connectHandler(SpeedButton1, &QAbstractButton::clicked, this, &TSettlementEntry::SpeedButton1Click);
    connectHandler(SpeedButton2, &QAbstractButton::clicked, this, &TSettlementEntry::SpeedButton2Click);
    connectHandler(BitBtn1, &QAbstractButton::clicked, this, &TSettlementEntry::BitBtn1Click);
    connectHandler(BitBtn2, &QAbstractButton::clicked, this, &QDialog::reject);

    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, BitBtn2);
    keys_->enterMovesTo(DateTimePicker1, dh);
    keys_->onEnter(dh, [this] {
        if (party->text().isEmpty()) SpeedButton1->click();
        else party->setFocus(Qt::TabFocusReason);
    });
    keys_->enterMovesTo(party, amount);
    keys_->enterMovesTo(qk, amount);
    keys_->enterMovesTo(amount, jsr);
    keys_->onEnter(jsr, [this] {
        if (jsr->text().isEmpty()) SpeedButton2->click();
        else bz->setFocus(Qt::TabFocusReason);
    });
    keys_->onEnter(bz, [this] { BitBtn1->click(); });

    // The pickers write into these through the side's tag.
    for (QLineEdit* e : {static_cast<QLineEdit*>(dh), party, qk, static_cast<QLineEdit*>(jsr)})
        PickerTargets::registerField(side_.tag, e->objectName(), e);
}

void TSettlementEntry::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    if (Fmain1)
        move(Fmain1->geometry().center() - rect().center());
    dh->setFocus();
}

bool TSettlementEntry::modifyMode() const { return ST1->text() == kModify; }

void TSettlementEntry::setNumber(const QString& text)
{
    if (dh->text() == text)
        dhChange();   // no change to look up on, but the fields follow the number all the same
    else
        dh->setText(text);
}

void TSettlementEntry::dhChange()
{
    const OpenDocument d = lookupOpenDocument(*DM1, side_, dh->text());
    party->setText(d.found ? d.party : QString());
    qk->setText(d.found ? d.qk.plainText() : kZero);
}

void TSettlementEntry::startNew()
{
    rowId_ = 0;
    setWindowTitle(side_.newCaption);
    ST1->setText(kNew);
    DateTimePicker1->setDate(Clock::today());
    setNumber(QString());
    amount->setText(kZero);
    jsr->clear();
    bz->clear();
}

void TSettlementEntry::startModify(const Query& rows)
{
    const QDate date = storedDate(rows.text(QStringLiteral("rq")));
    rowId_ = rows.integer(QStringLiteral("id"));
    setWindowTitle(side_.modifyCaption);
    ST1->setText(kModify);
    DateTimePicker1->setDate(date);
    setNumber(rows.text(QStringLiteral("dh")));
    party->setText(rows.text(side_.partyColumn));
    amount->setText(rows.text(QStringLiteral("je")));
    jsr->setText(rows.text(QStringLiteral("jsr")));
    bz->setText(rows.text(QStringLiteral("bz")));
}

void TSettlementEntry::BitBtn1Click()
{
    roundTypedField(amount);
    auto refuse = [](const QString& text, QWidget* field) {
        infoBox(text);
        field->setFocus();
    };
    if (party->text().trimmed().isEmpty())
        return refuse(QStringLiteral("帐单不可为空！"), dh);
    if (Money::parse(qk->text()).isZero())
        return refuse(QStringLiteral("欠款为零，无须支付！"), qk);
    const Money paid = Money::parse(amount->text());
    if (paid.isZero())
        return refuse(side_.zeroAmountRefusal, amount);
    if (jsr->text().trimmed().isEmpty())
        return refuse(QStringLiteral("经办人不可为空！"), jsr);

    const SettlementInput in{.rowId = modifyMode() ? rowId_ : 0,
                             .date = DateTimePicker1->date(),
                             .dh = dh->text(),
                             .party = party->text(),
                             .amount = paid,
                             .jsr = jsr->text(),
                             .bz = bz->text()};
    // The row went away or was applied elsewhere meanwhile: nothing was written, and this
    // row cannot be saved from here.
    const TSettlementList::Action& modifying = TSettlementList::modifying();
    if (warnRefusal(saveSettlement(*DM1, side_, in), modifying.noRow, modifying.refusal)) {
        reject();
        return;
    }
    if (list_)
        list_->recountTotals();
    if (modifyMode()) {
        accept();
        return;
    }
    setNumber(QString());
    amount->setText(kZero);
    bz->clear();
    dh->setFocus();
}

void TSettlementEntry::SpeedButton1Click()
{
    std::unique_ptr<THeaderPicker> picker(createPicker());
    picker->Edit2->setText(party->text());
    runModal(*picker);
}

void TSettlementEntry::SpeedButton2Click()
{
    TFyg2(this).runFor(side_.tag);
}

TFtjfkfx1::TFtjfkfx1(QueryWindow* list, QWidget* owner) : TSettlementEntry(paymentSide(), list, owner)
{
    setObjectName(QStringLiteral("Ftjfkfx1"));
    Ftjfkfx1 = this;
}

THeaderPicker* TFtjfkfx1::createPicker() { return new TFxzyf1(this); }

TFtjskfx1::TFtjskfx1(QueryWindow* list, QWidget* owner) : TSettlementEntry(receiptSide(), list, owner)
{
    setObjectName(QStringLiteral("Ftjskfx1"));
    Ftjskfx1 = this;
}

THeaderPicker* TFtjskfx1::createPicker() { return new TFxzys1(this); }
