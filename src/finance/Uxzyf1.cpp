#include "Uxzyf1.h"

#include "basic/PickerTargets.h"
#include "data/DocumentState.h"
#include "data/Query.h"
#include "data/Sql.h"
#include "finance/settlement.h"

QPointer<TFxzyf1> Fxzyf1;
QPointer<TFxzys1> Fxzys1;

HeaderPickerDescription TOpenItemPicker::describe(const SettlementSide& side)
{
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return HeaderPickerDescription{
        .objectName = side.pickerName,
        .caption = side.pickerCaption,
        .query = side.docQuery,
        .table = side.docTable,
        .partyColumn = side.partyColumn,
        .partyLabel = side.partyLabel,
        .columns = {{.field = "rq", .title = "日期", .width = 82, .align = centred},
                    {.field = "dh", .title = "单号", .width = 110, .align = centred},
                    {.field = side.partyColumn, .title = side.partyLabel, .width = 140},
                    {.field = side.dueColumn, .title = side.dueTitle, .width = 80, .align = right},
                    {.field = side.paidColumn, .title = side.paidTitle, .width = 80, .align = right},
                    {.field = "qk", .title = "欠款", .width = 80, .align = right},
                    {.field = "jsr", .title = "经办人", .width = 80}},
        .stateLines = {QStringLiteral("and shbj=") + sqlQuote(DocumentState::audited()), QStringLiteral("and qk<>0")},
        .emptyRefusal = QStringLiteral("没有帐单可选择！"),
        .size = QSize(700, 420),
        .cream = true,
        .searchBelow = true,
    };
}

TOpenItemPicker::TOpenItemPicker(const SettlementSide& side, QWidget* owner)
    : THeaderPicker(describe(side), owner), side_(side)
{
}

bool TOpenItemPicker::choose(Query& q)
{
    // Writing the number looks the document up, which re-points q at that one document; the
    // party and the debt are then read from it.
    PickerTargets::write(side_.tag, QStringLiteral("dh"), q.text(QStringLiteral("dh")));
    if (q.isOpen() && !q.isEmpty()) {
        PickerTargets::write(side_.tag, side_.partyColumn, q.text(side_.partyColumn));
        PickerTargets::write(side_.tag, QStringLiteral("qk"), q.text(QStringLiteral("qk")));
    }
    return true;
}

TFxzyf1::TFxzyf1(QWidget* owner) : TOpenItemPicker(paymentSide(), owner) { Fxzyf1 = this; }

TFxzys1::TFxzys1(QWidget* owner) : TOpenItemPicker(receiptSide(), owner) { Fxzys1 = this; }
