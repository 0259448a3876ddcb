#include "Ucggl1.h"

#include "Ucxcg1.h"
#include "data/DM1.h"
#include "purchase_reversal.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include "Udycggl1.h"
#include "Ullcgd1.h"

#include <QAction>
#include <QScopeGuard>

QPointer<TFcggl1> Fcggl1;

namespace {
const QString kHeld = QStringLiteral("未审核");
const QString kAlreadyHeld = QStringLiteral("本单据已经反审！");

// The warning for a document that the database no longer holds as the list shows it.
void warnStale(ReversalResult r)
{
    if (r == ReversalResult::AlreadyHeld)
        warnBox(kAlreadyHeld);
    else if (r == ReversalResult::Missing)
        warnBox(QStringLiteral("本单据已不存在，请重新查询！"));
}
}

ListDescription TFcggl1::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFcggl1");
    s.caption = QStringLiteral("采购单据");
    s.clientSize = QSize(792, 473);
    s.queryName = QStringLiteral("AQcgz1");
    s.sumStatement = QStringLiteral("SELECT sum(hjsl),sum(hjje),sum(yfe),sum(sfe),sum(qk) FROM cgglz");
    s.rowStatement = QStringLiteral("SELECT * FROM cgglz");
    s.openingLines = {QStringLiteral("where shbj=") + sqlQuote(kHeld)};
    s.openingOrder = QStringLiteral("order by dh");
    s.sumPanels = {2, 3, 5, 6, 7};
    s.totalFields = {"hjsl", "hjje", "yfe", "sfe", "qk"};
    // Field, title, width, centred, tinted, numeric, carries the pop-up menu.
    s.columns = {{"rq", "采购日期", 90, true},
                 {"dh", "单号", 110, true},
                 {"ghs", "厂商", 170},
                 {"hjsl", "合计数量", 80, false, true, true},
                 {"hjje", "合计金额", 80, false, true, true},
                 {"yhe", "优惠额", 60, false, false, true},
                 {"yfe", "应付额", 80, false, true, true},
                 {"sfe", "实付额", 80, false, true, true},
                 {"qk", "欠款", 80, false, true, true},
                 {"ck", "仓库", 120, false, false, false, false},
                 {"jsr", "经办人", 80, true},
                 {"zhidan", "制单", 80, true},
                 {"bz", "备注", 200},
                 {"kdrq", "开单日期", 80, true},
                 {"shbj", "审核", 50, true}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{63, Qt::AlignCenter, "总计"}, {322}, {81, right, "0"}, {81, right, "0"}, {61},
                {81, right, "0"}, {81, right, "0"}, {81, right, "0"}, {50}};
    describeDocumentList(s);
    s.colouring.redWhenNonZero = QStringLiteral("qk");

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdycggl1).QuickRep1; };
    p.reportName = QStringLiteral("采购单据汇总表");
    p.labels = {{"QRL3", "厂商"}};
    p.fields = {{"QRD1", "rq"}, {"QRD2", "dh"}, {"QRD3", "ghs"}, {"QRD4", "hjsl"}, {"QRD5", "hjje"}, {"QRD6", "qk"}};
    p.totals = {{"e1", 2}, {"e2", 3}, {"e3", 7}};
    return s;
}

TFcggl1::TFcggl1(QWidget* parent) : QueryWindow(describe(), parent)
{
    SB44 = button(QStringLiteral("SB44"));
    SB55 = button(QStringLiteral("SB55"));
    SB66 = button(QStringLiteral("SB66"));
    SB77 = button(QStringLiteral("SB77"));
    SB88 = button(QStringLiteral("SB88"));
    SB99 = button(QStringLiteral("SB99"));
    SB100 = button(QStringLiteral("SB100"));
    N1 = popupItem(QStringLiteral("N1"));
    N2 = popupItem(QStringLiteral("N2"));
    connectHandler(SB55, &QAbstractButton::clicked, this, &TFcggl1::view);
    connectHandler(SB66, &QAbstractButton::clicked, this, &TFcggl1::remove);
    connectHandler(SB44, &QAbstractButton::clicked, this, &TFcggl1::unaudit);
}

TConditionDialog* TFcggl1::createConditionDialog() { return new TFcxcg1(this, this); }

void TFcggl1::formClosed()
{
    if (Fcggl1 == this)
        Fcggl1 = nullptr;
}

void TFcggl1::view()
{
    if (requireRows(QStringLiteral("没有单据可查阅！")))
        showPurchaseBrowser(*DM1);
}

void TFcggl1::remove()
{
    if (!requireRows(QStringLiteral("没有单据可删除！")))
        return;
    Query& q = query();
    const QString text = QStringLiteral("确定要删除此单据么？") + QLatin1Char('\r') + QStringLiteral("特别提醒：")
        + QLatin1Char('\r') + QStringLiteral("同时删除与本单对应的明细和欠款！");
    if (!confirmBox(text))
        return;
    const QString dh = q.text(QStringLiteral("dh"));
    q.disableControls();
    const auto enable = qScopeGuard([&q] { q.enableControls(); });
    warnStale(deletePurchaseDocument(*DM1, dh));
    recountTotals();
}

void TFcggl1::unaudit()
{
    if (!requireRows(QStringLiteral("没有单据可反审，请先查询！")))
        return;
    Query& q = query();
    if (q.text(QStringLiteral("shbj")) == kHeld) {
        warnBox(kAlreadyHeld);
        return;
    }
    if (confirmBox(QStringLiteral("确定要反审此单据么？")))
        warnStale(unauditPurchase(*DM1, q.text(QStringLiteral("dh"))));
}

void openPurchaseList()
{
    if (ActivateIfOpen(Fcggl1))
        return;
    Fcggl1 = new TFcggl1(nullptr);
    showMdiChild(Fcggl1);
}
