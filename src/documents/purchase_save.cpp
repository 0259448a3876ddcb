#include "purchase_save.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_posting.h"

#include <utility>

namespace {
const QString kDate = QStringLiteral("yyyy-MM-dd");

void writeHeaderColumns(Query& q, const PurchaseSaveInput& in, bool withKeys)
{
    q.setText(QStringLiteral("shbj"), in.settle ? DocumentState::audited() : DocumentState::held());
    q.setText(QStringLiteral("zhidan"), in.zhidan);
    if (withKeys) {
        q.setText(QStringLiteral("kdrq"), in.today.toString(kDate));
        q.setText(QStringLiteral("dh"), in.dh);
    }
    const std::pair<const char*, QString> columns[] = {
        {"rq", in.rq.toString(kDate)}, {"ck", in.ck},     {"ghs", in.ghs}, {"hjsl", in.hjsl}, {"hjje", in.hjje},
        {"yhe", in.yhe},               {"yfe", in.yfe},   {"sfe", in.sfe}};
    for (const auto& [column, text] : columns)
        q.setText(QString::fromLatin1(column), text);
    q.setMoney(QStringLiteral("qk"), q.money(QStringLiteral("yfe")) - q.money(QStringLiteral("sfe")));
    q.setText(QStringLiteral("jsr"), in.jsr);
    q.setText(QStringLiteral("bz"), in.bz);
}

bool holdsHeaders(const Query& q)
{
    return q.isOpen() && q.tableName().compare(QStringLiteral("cgglz"), Qt::CaseInsensitive) == 0;
}

// Puts AQcgz1 on the held header dh (its row id known), keeping the query's statement when
// it already holds that row so windows showing it follow the edit.
void pointAtHeldHeader(Query& q, const QString& dh, qint64 id)
{
    if (holdsHeaders(q) && q.locate({QStringLiteral("id")}, {id}))
        return;
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM cgglz"));
    q.addSql(QStringLiteral("where dh=") + sqlQuote(dh));
    q.addSql(QStringLiteral("and shbj=") + sqlQuote(DocumentState::held()));
    q.open();
    if (!q.locate({QStringLiteral("id")}, {id}))
        throw DbError(QStringLiteral("cgglz: ") + dh);
}
}

static PurchaseSaveResult saveInTransaction(TDM1& dm, const PurchaseSaveInput& in);

QString purchaseSignRuleMessage(Money T, Money D, Money P, Money S)
{
    const Money zero;
    if (T == zero) {
        if (D != zero) return QStringLiteral("总金额为零，优惠额只可为零！");
        if (S != zero) return QStringLiteral("总金额为零，实付额只可为零！");
    } else if (T > zero) {
        if (D < zero) return QStringLiteral("付款单据，优惠额不可为负数！");
        if (D > T) return QStringLiteral("付款单据，优惠额不可大于总金额！");
        if (S < zero) return QStringLiteral("付款单据，实付额不可为负数！");
        if (S > P) return QStringLiteral("付款单据，实付额不可大于应付额！");
    } else {
        if (D > zero) return QStringLiteral("退款单据，优惠额不可为正数！");
        if (D < T) return QStringLiteral("退款单据，优惠额不可小于总金额！");
        if (S > zero) return QStringLiteral("退款单据，实付额不可为正数！");
        if (S < P) return QStringLiteral("退款单据，实付额不可小于应付额！");
    }
    return QString();
}

QString purchaseSignRuleMessage(const QString& hjje, const QString& yhe, const QString& yfe, const QString& sfe)
{
    const auto read = [](const QString& text) {
        return text.trimmed() == QLatin1String("-") ? Money() : Money::parse(text);
    };
    return purchaseSignRuleMessage(read(hjje), read(yhe), read(yfe), read(sfe));
}

QStringList purchaseLinesStatement(const QString& dh, bool modifyMode)
{
    QStringList s{QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("where dh=") + sqlQuote(dh)};
    if (modifyMode) {
        s << QStringLiteral("and bj<>'ds'") << QStringLiteral("order by id");
    } else {
        s << QStringLiteral("and bj='dz'");
    }
    return s;
}

bool ensurePurchaseLines(TDM1& dm, const QString& dh, bool modifyMode)
{
    Query& q = dm.AQcgc1;
    const QStringList own = purchaseLinesStatement(dh, modifyMode);
    if (q.isOpen() && q.sqlLines() == own)
        return false;
    QVariant currentId;
    if (q.isOpen() && q.recordCount() > 0 && q.hasField(QStringLiteral("id")))
        currentId = q.value(QStringLiteral("id"));
    q.setSql(own);
    q.open();
    if (currentId.isValid())
        q.locate({QStringLiteral("id")}, {currentId});
    return true;
}

PurchaseSaveResult savePurchase(TDM1& dm, const PurchaseSaveInput& in)
{
    try {
        return saveInTransaction(dm, in);
    } catch (...) {
        // A row left half-written in a shared query would be posted by its next append or
        // edit: the failed save must leave none behind.
        for (Query* q : {&dm.AQcgz1, &dm.AQcgc1, &dm.AQcgfx1, &dm.AQkcfx1, &dm.AQfkfx1}) {
            if (q->state() == Query::State::Edit || q->state() == Query::State::Insert)
                q->cancel();
        }
        throw;
    }
}

static PurchaseSaveResult saveInTransaction(TDM1& dm, const PurchaseSaveInput& in)
{
    Transaction tx(dm.ADOC1);
    Query& z = dm.AQcgz1;
    if (in.modifyMode) {
        const RecordSet held = dm.ADOC1.execute(QStringLiteral("SELECT id FROM cgglz where dh=") + sqlQuote(in.dh)
                                                + QStringLiteral(" and shbj=") + sqlQuote(DocumentState::held())
                                                + QStringLiteral(" order by id"));
        if (held.isEmpty())
            return PurchaseSaveResult::HeldHeaderMissing;
        pointAtHeldHeader(z, in.dh, held.rows.front().front().toLongLong());
        z.edit();
        writeHeaderColumns(z, in, false);
        z.post();
    } else {
        if (!holdsHeaders(z)) {
            z.setSql(purchaseHeadersOfDay(in.today));
            z.open();
        }
        z.append();
        writeHeaderColumns(z, in, true);
        z.post();
    }

    if (in.settle)
        postPurchase(dm, {.dh = in.dh, .ck = in.ck, .ghs = in.ghs, .jsr = in.jsr, .bz = in.bz, .sfe = in.sfe, .rq = in.rq});

    const QString dhCond = QStringLiteral("\nand dh=") + sqlQuote(in.dh);
    dm.ADOC1.exec(QStringLiteral("update cgglc\nset bj='yz'\nwhere bj='dz'") + dhCond);
    if (in.modifyMode)
        dm.ADOC1.exec(QStringLiteral("delete from cgglc\nwhere bj='ds'") + dhCond);
    tx.commit();
    return PurchaseSaveResult::Saved;
}
