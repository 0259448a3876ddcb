#include "Ucggl1.h"

#include "Ucxcg1.h"
#include "data/DM1.h"
#include "purchase_reversal.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

#include "Udycggl1.h"
#include "Ullcgd1.h"

#include <QAction>

QPointer<TFcggl1> Fcggl1;

namespace {
const QString kHeld = QStringLiteral("未审核");
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
    s.totalFields = {QStringLiteral("hjsl"), QStringLiteral("hjje"), QStringLiteral("yfe"),
                     QStringLiteral("sfe"), QStringLiteral("qk")};
    auto col = [](const char* f, const char* t, int w, bool c, bool tint, bool num = false) {
        ListColumn lc;
        lc.field = QString::fromUtf8(f);
        lc.title = QString::fromUtf8(t);
        lc.width = w;
        lc.centred = c;
        lc.tinted = tint;
        lc.numeric = num;
        return lc;
    };
    s.columns = {col("rq", "采购日期", 90, true, false),
                 col("dh", "单号", 110, true, false),
                 col("ghs", "厂商", 170, false, false),
                 col("hjsl", "合计数量", 80, false, true, true),
                 col("hjje", "合计金额", 80, false, true, true),
                 col("yhe", "优惠额", 60, false, false, true),
                 col("yfe", "应付额", 80, false, true, true),
                 col("sfe", "实付额", 80, false, true, true),
                 col("qk", "欠款", 80, false, true, true),
                 col("ck", "仓库", 120, false, false),
                 col("jsr", "经办人", 80, true, false),
                 col("zhidan", "制单", 80, true, false),
                 col("bz", "备注", 200, false, false),
                 col("kdrq", "开单日期", 80, true, false),
                 col("shbj", "审核", 50, true, false)};
    s.columns[9].popup = false;   // 仓库 carries no pop-up menu
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{63, Qt::AlignCenter, QStringLiteral("总计")},
                {322, Qt::AlignLeft | Qt::AlignVCenter, QString()},
                {81, right, QStringLiteral("0")},
                {81, right, QStringLiteral("0")},
                {61, Qt::AlignLeft | Qt::AlignVCenter, QString()},
                {81, right, QStringLiteral("0")},
                {81, right, QStringLiteral("0")},
                {81, right, QStringLiteral("0")},
                {50, Qt::AlignLeft | Qt::AlignVCenter, QString()}};
    describeDocumentList(s);
    s.colouring.redWhenNonZero = QStringLiteral("qk");

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdycggl1).QuickRep1; };
    p.reportName = QStringLiteral("采购单据汇总表");
    p.labels = {{QStringLiteral("QRL3"), QStringLiteral("厂商")}};
    p.fields = {{QStringLiteral("QRD1"), QStringLiteral("rq")}, {QStringLiteral("QRD2"), QStringLiteral("dh")},
                {QStringLiteral("QRD3"), QStringLiteral("ghs")}, {QStringLiteral("QRD4"), QStringLiteral("hjsl")},
                {QStringLiteral("QRD5"), QStringLiteral("hjje")}, {QStringLiteral("QRD6"), QStringLiteral("qk")}};
    p.totals = {{QStringLiteral("e1"), 2}, {QStringLiteral("e2"), 3}, {QStringLiteral("e3"), 7}};
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
    connect(SB55, &QAbstractButton::clicked, this, [this] { guarded([this] { view(); }); });
    connect(SB66, &QAbstractButton::clicked, this, [this] { guarded([this] { remove(); }); });
    connect(SB44, &QAbstractButton::clicked, this, [this] { guarded([this] { unaudit(); }); });
}

TFcggl1::~TFcggl1()
{
    if (Fcggl1 == this)
        Fcggl1 = nullptr;
}

TConditionDialog* TFcggl1::createConditionDialog() { return new TFcxcg1(this, this); }

void TFcggl1::formClosed()
{
    if (Fcggl1 == this)
        Fcggl1 = nullptr;
}

void TFcggl1::view()
{
    if (!requireOpen())
        return;
    if (query().isEmpty()) {
        warnBox(QStringLiteral("没有单据可查阅！"));
        return;
    }
    showPurchaseBrowser(*DM1);
}

void TFcggl1::remove()
{
    if (!requireOpen())
        return;
    Query& q = query();
    if (q.isEmpty()) {
        warnBox(QStringLiteral("没有单据可删除！"));
        return;
    }
    const QString text = QStringLiteral("确定要删除此单据么？") + QLatin1Char('\r') + QStringLiteral("特别提醒：")
        + QLatin1Char('\r') + QStringLiteral("同时删除与本单对应的明细和欠款！");
    if (!confirmBox(text))
        return;
    const QString dh = q.text(QStringLiteral("dh"));
    q.disableControls();
    try {
        const ReversalResult r = deletePurchaseDocument(*DM1, dh);
        if (r == ReversalResult::Missing)
            warnBox(QStringLiteral("本单据已不存在，请重新查询！"));
        recountTotals();
    } catch (...) {
        q.enableControls();
        throw;
    }
    q.enableControls();
}

void TFcggl1::unaudit()
{
    if (!requireOpen())
        return;
    Query& q = query();
    if (q.isEmpty()) {
        warnBox(QStringLiteral("没有单据可反审，请先查询！"));
        return;
    }
    if (q.text(QStringLiteral("shbj")) == kHeld) {
        warnBox(QStringLiteral("本单据已经反审！"));
        return;
    }
    if (!confirmBox(QStringLiteral("确定要反审此单据么？")))
        return;
    switch (unauditPurchase(*DM1, q.text(QStringLiteral("dh")))) {
    case ReversalResult::Done:
        break;
    case ReversalResult::AlreadyHeld:
        warnBox(QStringLiteral("本单据已经反审！"));
        break;
    case ReversalResult::Missing:
        warnBox(QStringLiteral("本单据已不存在，请重新查询！"));
        break;
    }
}

void openPurchaseList()
{
    if (ActivateIfOpen(Fcggl1))
        return;
    Fcggl1 = new TFcggl1(nullptr);
    showMdiChild(Fcggl1);
}
