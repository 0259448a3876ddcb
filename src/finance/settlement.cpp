#include "finance/settlement.h"

#include "data/DM1.h"
#include "data/DocumentState.h"

#include <QVariant>

namespace {

SettlementSide makePayment()
{
    return SettlementSide{
        .rowTable = QStringLiteral("fkfx"),
        .rowQuery = &TDM1::AQfkfx1,
        .docTable = QStringLiteral("cgglz"),
        .docQuery = &TDM1::AQcgz1,
        .partyColumn = QStringLiteral("ghs"),
        .dueColumn = QStringLiteral("yfe"),
        .paidColumn = QStringLiteral("sfe"),
        .partyLabel = QStringLiteral("厂商"),
        .amountEdit = QStringLiteral("fk"),
        .amountLabel = QStringLiteral("本次付款"),
        .zeroAmountRefusal = QStringLiteral("本次付款不可为零！"),
        .emptiedAmountText = QStringLiteral("0"),
        .pickerHint = QStringLiteral("选择应付帐单"),
        .closeBeforeSave = false,
        .tag = QStringLiteral("tjfkfx"),
        .newCaption = QStringLiteral("新增付款"),
        .modifyCaption = QStringLiteral("修改付款"),
        .pickerName = QStringLiteral("Fxzyf1"),
        .pickerCaption = QStringLiteral("选择应付帐单（采购欠款单）"),
        .dueTitle = QStringLiteral("应付额"),
        .paidTitle = QStringLiteral("实付额"),
        .listName = QStringLiteral("TFfkfx1"),
        .listCaption = QStringLiteral("采购付款明细表"),
        .amountTitle = QStringLiteral("付款金额"),
        .legend = QStringLiteral("付款＜0：采购退款"),
        .dialogName = QStringLiteral("TFcxfkfx1"),
        .dialogPartyLabel = QStringLiteral("厂　　商"),
        .typeItems = {QStringLiteral("全部"), QStringLiteral("采购付款"), QStringLiteral("采购退款")},
        .reportName = QStringLiteral("付款明细表"),
    };
}

SettlementSide makeReceipt()
{
    return SettlementSide{
        .rowTable = QStringLiteral("skfx"),
        .rowQuery = &TDM1::AQskfx1,
        .docTable = QStringLiteral("xsglz"),
        .docQuery = &TDM1::AQxsz1,
        .partyColumn = QStringLiteral("kh"),
        .dueColumn = QStringLiteral("yse"),
        .paidColumn = QStringLiteral("sse"),
        .partyLabel = QStringLiteral("客户"),
        .amountEdit = QStringLiteral("sk"),
        .amountLabel = QStringLiteral("本次收款"),
        .zeroAmountRefusal = QStringLiteral("本次收款不可为零！"),
        .emptiedAmountText = QStringLiteral("0.00"),
        .pickerHint = QStringLiteral("选择应收帐单"),
        .closeBeforeSave = true,
        .tag = QStringLiteral("tjskfx"),
        .newCaption = QStringLiteral("新增收款"),
        .modifyCaption = QStringLiteral("修改收款"),
        .pickerName = QStringLiteral("Fxzys1"),
        .pickerCaption = QStringLiteral("选择应收帐单（销售欠款单）"),
        .dueTitle = QStringLiteral("应收额"),
        .paidTitle = QStringLiteral("实收额"),
        .listName = QStringLiteral("TFskfx1"),
        .listCaption = QStringLiteral("销售收款明细表"),
        .amountTitle = QStringLiteral("收款金额"),
        .legend = QStringLiteral("收款＜0：销售退款"),
        .dialogName = QStringLiteral("TFcxskfx1"),
        .dialogPartyLabel = QStringLiteral("客　　户"),
        .typeItems = {QStringLiteral("全部"), QStringLiteral("销售收款"), QStringLiteral("销售退款")},
        .reportName = QStringLiteral("收款明细表"),
    };
}

QString idClause(qint64 id) { return QStringLiteral("where id=") + sqlQuote(QString::number(id)); }

// The row as the database holds it now (not as a list shows it).
struct StoredRow {
    bool found = false;
    QString shbj, dh;
    Money je;
};

StoredRow readRow(TDM1& dm, const SettlementSide& side, qint64 id)
{
    const RecordSet rs = dm.ADOC1.execute(QStringLiteral("SELECT shbj,dh,je FROM ") + side.rowTable + QLatin1Char('\n') + idClause(id));
    StoredRow r;
    if (rs.isEmpty())
        return r;
    const QVariantList& v = rs.rows.front();
    r.found = true;
    r.shbj = v.value(0).toString();
    r.dh = v.value(1).toString();
    r.je = Money::fromDouble(v.value(2).toDouble());   // NULL reads 0
    return r;
}

// Moves q onto the row it holds with this id (the current row first); false when it holds none.
bool moveToId(Query& q, qint64 id)
{
    if (!q.isOpen())
        return false;
    const int col = q.fieldIndex(QStringLiteral("id"));
    if (col < 0)
        return false;
    if (q.recNo() >= 0 && q.cellInteger(q.recNo(), col) == id)
        return true;
    for (int r = 0, n = q.recordCount(); r < n; ++r)
        if (q.cellInteger(r, col) == id) {
            q.moveTo(r);
            return true;
        }
    return false;
}

// Runs change on the row with this id: through rows when it holds the row (so the windows
// showing it follow), else through a query of its own on that one row.
template <class Change>
void changeRow(TDM1& dm, const SettlementSide& side, Query& rows, qint64 id, Change change)
{
    if (moveToId(rows, id)) {
        change(rows);
        return;
    }
    Query own(dm.ADOC1, QStringLiteral("settlementRow"));
    own.reopen({QStringLiteral("SELECT * FROM ") + side.rowTable, idClause(id)});
    if (!own.isEmpty())
        change(own);
}

// Re-points the document query at the number and the further conditions (none: any state
// and any debt).
void openDocument(Query& docs, const SettlementSide& side, const QString& dh, const QStringList& conditions = {})
{
    docs.reopen(QStringList{QStringLiteral("SELECT * FROM ") + side.docTable,
                                     QStringLiteral("where dh=") + sqlQuote(dh)} + conditions);
}

// paid += delta and qk := due - paid on the document query's first row, when it has one.
void addToPaid(Query& docs, const SettlementSide& side, Money delta)
{
    if (docs.isEmpty())
        return;
    docs.first();
    docs.edit();
    const Money paid = docs.money(side.paidColumn) + delta;
    docs.setMoney(side.paidColumn, paid);
    docs.setMoney(QStringLiteral("qk"), docs.money(side.dueColumn) - paid);
    docs.post();
}

// Runs act on the row as the database holds it now, in one transaction: Missing when the row
// is gone, refusal when its state is refusedState (nothing changes then), else Done.
template <class Act>
SettlementResult onStoredRow(TDM1& dm, const SettlementSide& side, qint64 rowId, const QString& refusedState,
                             SettlementResult refusal, Act act)
{
    Transaction tx(dm.ADOC1);
    const StoredRow r = readRow(dm, side, rowId);
    if (!r.found)
        return SettlementResult::Missing;
    if (r.shbj == refusedState)
        return refusal;
    act(r);
    tx.commit();
    return SettlementResult::Done;
}

} // namespace

const SettlementSide& paymentSide()
{
    static const SettlementSide s = makePayment();
    return s;
}

const SettlementSide& receiptSide()
{
    static const SettlementSide s = makeReceipt();
    return s;
}

OpenDocument lookupOpenDocument(TDM1& dm, const SettlementSide& side, const QString& dh)
{
    Query& docs = dm.*side.docQuery;
    openDocument(docs, side, dh,
                 {QStringLiteral("and shbj=") + sqlQuote(DocumentState::audited()), QStringLiteral("and qk<>0")});
    OpenDocument d;
    if (docs.isEmpty())
        return d;
    docs.first();
    d.found = true;
    d.dh = docs.text(QStringLiteral("dh"));
    d.party = docs.text(side.partyColumn);
    d.qk = docs.money(QStringLiteral("qk"));
    return d;
}

SettlementResult saveSettlement(TDM1& dm, const SettlementSide& side, const SettlementInput& in)
{
    Query& rows = dm.*side.rowQuery;
    Query& docs = dm.*side.docQuery;
    // The grids stand still until the save ends, however it ends; a rollback reopens the
    // queries that wrote before they follow again.
    ControlsDisabled still(rows);
    auto apply = [&] {
        openDocument(docs, side, in.dh);
        // The row names the document by its own number, whatever the case it was typed in.
        const QString dh = docs.isEmpty() ? in.dh : docs.text(QStringLiteral("dh"));
        auto write = [&](Query& q) {
            q.setText(QStringLiteral("shbj"), DocumentState::audited());
            q.setText(QStringLiteral("rq"), in.date.toString(QStringLiteral("yyyy-MM-dd")));
            q.setText(QStringLiteral("dh"), dh);
            q.setText(side.partyColumn, in.party);
            q.setMoney(QStringLiteral("je"), in.amount);
            q.setText(QStringLiteral("jsr"), in.jsr);
            q.setText(QStringLiteral("bz"), in.bz);
            q.post();
        };
        if (in.rowId == 0) {
            // A row query that no list shows takes the row without reading its table.
            rows.openForAppend();
            rows.append();
            write(rows);
        } else {
            changeRow(dm, side, rows, in.rowId, [&](Query& q) {
                q.edit();
                write(q);
            });
        }
        addToPaid(docs, side, in.amount);
    };
    if (in.rowId != 0)
        return onStoredRow(dm, side, in.rowId, DocumentState::audited(), SettlementResult::Applied,
                           [&](const StoredRow&) { apply(); });
    Transaction tx(dm.ADOC1);
    apply();
    tx.commit();
    return SettlementResult::Done;
}

SettlementResult reverseSettlement(TDM1& dm, const SettlementSide& side, qint64 rowId)
{
    return onStoredRow(dm, side, rowId, DocumentState::held(), SettlementResult::Reversed, [&](const StoredRow& r) {
        Query& docs = dm.*side.docQuery;
        openDocument(docs, side, r.dh);
        addToPaid(docs, side, -r.je);
        changeRow(dm, side, dm.*side.rowQuery, rowId, [](Query& q) {
            q.edit();
            q.setText(QStringLiteral("shbj"), DocumentState::held());
            q.post();
        });
    });
}

SettlementResult deleteSettlement(TDM1& dm, const SettlementSide& side, qint64 rowId)
{
    return onStoredRow(dm, side, rowId, DocumentState::audited(), SettlementResult::Applied, [&](const StoredRow&) {
        changeRow(dm, side, dm.*side.rowQuery, rowId, [](Query& q) { q.deleteRow(); });
    });
}
