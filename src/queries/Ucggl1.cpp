#include "Ucggl1.h"

#include "Ucxcg1.h"
#include "Udycggl1.h"
#include "Ullcgd1.h"
#include "data/DM1.h"
#include "data/DocumentState.h"

QPointer<TFcggl1> Fcggl1;

ListDescription TFcggl1::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFcggl1");
    s.caption = QStringLiteral("采购单据");
    s.clientSize = QSize(792, 473);
    s.query = &TDM1::AQcgz1;
    s.sumStatement = QStringLiteral("SELECT sum(hjsl),sum(hjje),sum(yfe),sum(sfe),sum(qk) FROM cgglz");
    s.rowStatement = QStringLiteral("SELECT * FROM cgglz");
    s.openingLines = {QStringLiteral("where shbj=") + sqlQuote(DocumentState::held())};
    s.openingOrder = QStringLiteral("order by dh");
    s.sumPanels = {2, 3, 5, 6, 7};
    s.totalFields = {"hjsl", "hjje", "yfe", "sfe", "qk"};
    s.columns = {{.field = "rq", .title = "采购日期", .width = 90, .centred = true},
                 {.field = "dh", .title = "单号", .width = 110, .centred = true},
                 {.field = "ghs", .title = "厂商", .width = 170},
                 {.field = "hjsl", .title = "合计数量", .width = 80, .tinted = true, .numeric = true},
                 {.field = "hjje", .title = "合计金额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "yhe", .title = "优惠额", .width = 60, .numeric = true},
                 {.field = "yfe", .title = "应付额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "sfe", .title = "实付额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "qk", .title = "欠款", .width = 80, .tinted = true, .numeric = true},
                 {.field = "ck", .title = "仓库", .width = 120, .popup = false},
                 {.field = "jsr", .title = "经办人", .width = 80, .centred = true},
                 {.field = "zhidan", .title = "制单", .width = 80, .centred = true},
                 {.field = "bz", .title = "备注", .width = 200},
                 {.field = "kdrq", .title = "开单日期", .width = 80, .centred = true},
                 {.field = "shbj", .title = "审核", .width = 50, .centred = true}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"},
                {.width = 322},
                {.width = 81, .align = right, .text = "0", .under = "hjsl"},
                {.width = 81, .align = right, .text = "0", .under = "hjje"},
                {.width = 61},
                {.width = 81, .align = right, .text = "0", .under = "yfe"},
                {.width = 81, .align = right, .text = "0", .under = "sfe"},
                {.width = 81, .align = right, .text = "0", .under = "qk"},
                {.width = 50}};
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

TFcggl1::TFcggl1(QWidget* parent)
    : DocumentList(describe(),
                   {.kind = &purchaseDocuments(),
                    .deleteWarning = QStringLiteral("同时删除与本单对应的明细和欠款！"),
                    .showBrowser = [](TDM1& dm) { showPurchaseBrowser(dm); }},
                   parent)
{
}

TConditionDialog* TFcggl1::createConditionDialog() { return new TFcxcg1(this, this); }

void openPurchaseList() { openOrActivate(Fcggl1); }
