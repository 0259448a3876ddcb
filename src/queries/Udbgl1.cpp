#include "Udbgl1.h"

#include "Ucxdb1.h"
#include "Udydbgl1.h"
#include "Ulldbd1.h"
#include "Urkgl1.h"
#include "data/DM1.h"

QPointer<TFdbgl1> Fdbgl1;

// The movement list's twin: its panels, buttons, pop-up, colours, opening condition and
// print, on the transfer headers.
ListDescription TFdbgl1::describe()
{
    ListDescription s = TFrkgl1::describe();
    s.objectName = QStringLiteral("TFdbgl1");
    s.caption = QStringLiteral("库存调拨单据");
    s.query = &TDM1::AQdbz1;
    s.sumStatement = QStringLiteral("SELECT sum(hjsl),sum(hjje) FROM dbglz");
    s.rowStatement = QStringLiteral("SELECT * FROM dbglz");
    s.columns[0].title = QStringLiteral("调拨日期");
    s.columns[2] = {.field = "ck1", .title = "调出仓库", .width = 120};
    s.columns[3] = {.field = "ck2", .title = "调入仓库", .width = 120, .popup = false};

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdydbgl1).QuickRep1; };
    p.reportName = QStringLiteral("调拨单据汇总表");
    p.fields = {{"QRD1", "rq"}, {"QRD2", "dh"}, {"QRD3", "ck1"}, {"QRD4", "hjsl"}, {"QRD5", "hjje"}, {"QRD6", "ck2"}};
    return s;
}

TFdbgl1::TFdbgl1(QWidget* parent)
    : DocumentList(describe(),
                   {.kind = &transferDocuments(),
                    .deleteWarning = QStringLiteral("同时删除与本单对应的明细！"),
                    .showBrowser = [](TDM1& dm) { showTransferBrowser(dm); }},
                   parent)
{
}

TConditionDialog* TFdbgl1::createConditionDialog() { return new TFcxdb1(this, this); }

void openTransferList() { openOrActivate(Fdbgl1); }
