#include "Urkgl1.h"

#include "Ucxrk1.h"
#include "Udyrkgl1.h"
#include "Ullrkd1.h"
#include "data/DM1.h"
#include "data/DocumentState.h"

QPointer<TFrkgl1> Frkgl1;

ListDescription TFrkgl1::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFrkgl1");
    s.caption = QStringLiteral("库存异动单据");
    s.query = &TDM1::AQrkz1;
    s.sumStatement = QStringLiteral("SELECT sum(hjsl),sum(hjje) FROM rkglz");
    s.rowStatement = QStringLiteral("SELECT * FROM rkglz");
    s.openingLines = {QStringLiteral("where shbj=") + sqlQuote(DocumentState::held())};
    s.openingOrder = QStringLiteral("order by dh");
    s.sumPanels = {2, 3};
    s.totalFields = {"hjsl", "hjje"};
    s.columns = {{.field = "rq", .title = "异动日期", .width = 90, .centred = true},
                 {.field = "dh", .title = "单号", .width = 110, .centred = true},
                 {.field = "ck", .title = "仓库", .width = 120, .popup = false},
                 {.field = "lx", .title = "异动原因", .width = 120},
                 {.field = "hjsl", .title = "合计数量", .width = 80, .tinted = true, .numeric = true},
                 {.field = "hjje", .title = "合计金额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "jsr", .title = "经办人", .width = 80, .centred = true},
                 {.field = "bz", .title = "备注", .width = 192},
                 {.field = "zhidan", .title = "制单", .width = 80, .centred = true},
                 {.field = "kdrq", .title = "开单日期", .width = 80, .centred = true},
                 {.field = "shbj", .title = "审核", .width = 60, .centred = true}};
    // 总计, then the totals under 合计数量 and 合计金额.
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"},
                {.width = 374},
                {.width = 74, .align = right, .text = "0", .under = "hjsl"},
                {.width = 74, .align = right, .text = "0", .under = "hjje"},
                {.width = 50}};
    describeDocumentList(s);

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdyrkgl1).QuickRep1; };
    p.reportName = QStringLiteral("异动单据汇总表");
    p.fields = {{"QRD1", "rq"}, {"QRD2", "dh"}, {"QRD3", "lx"}, {"QRD4", "hjsl"}, {"QRD5", "hjje"}, {"QRD6", "jsr"}};
    p.totals = {{"e1", 2}, {"e2", 3}};
    return s;
}

TFrkgl1::TFrkgl1(QWidget* parent)
    : DocumentList(describe(),
                   {.kind = &movementDocuments(),
                    .deleteWarning = QStringLiteral("同时删除与本单对应的明细！"),
                    .showBrowser = [](TDM1& dm) { showMovementBrowser(dm); }},
                   parent)
{
}

TConditionDialog* TFrkgl1::createConditionDialog() { return new TFcxrk1(this, this); }

void openMovementList() { openOrActivate(Frkgl1); }
