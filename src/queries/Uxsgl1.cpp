#include "Uxsgl1.h"

#include "Ucggl1.h"
#include "Ucxxs1.h"
#include "Ullxsd1.h"
#include "data/DM1.h"

QPointer<TFxsgl1> Fxsgl1;

// The purchase list's twin: its panels, buttons, pop-up, colours, opening condition and
// report form, on the sales headers.
ListDescription TFxsgl1::describe()
{
    ListDescription s = TFcggl1::describe();
    s.objectName = QStringLiteral("TFxsgl1");
    s.caption = QStringLiteral("销售单据");
    s.clientSize = QSize(792, 514);
    s.query = &TDM1::AQxsz1;
    s.sumStatement = QStringLiteral("SELECT sum(hjsl),sum(hjje),sum(yse),sum(sse),sum(qk) FROM xsglz");
    s.rowStatement = QStringLiteral("SELECT * FROM xsglz");
    s.totalFields = {"hjsl", "hjje", "yse", "sse", "qk"};
    s.columns = {{.field = "rq", .title = "销售日期", .width = 90, .centred = true},
                 {.field = "dh", .title = "单号", .width = 110, .centred = true},
                 {.field = "kh", .title = "客户", .width = 170},
                 {.field = "hjsl", .title = "合计数量", .width = 80, .tinted = true, .numeric = true},
                 {.field = "hjje", .title = "合计金额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "yhe", .title = "优惠额", .width = 60, .numeric = true},
                 {.field = "yse", .title = "应收额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "sse", .title = "实收额", .width = 80, .tinted = true, .numeric = true},
                 {.field = "qk", .title = "欠款", .width = 80, .tinted = true, .numeric = true},
                 {.field = "ck", .title = "仓库", .width = 120, .popup = false},
                 {.field = "jsr", .title = "经办人", .width = 80, .centred = true},
                 {.field = "bz", .title = "备注", .width = 200},
                 {.field = "zhidan", .title = "制单", .width = 80, .centred = true},
                 {.field = "kdrq", .title = "开单日期", .width = 80, .centred = true},
                 {.field = "shbj", .title = "审核", .width = 60, .centred = true}};
    s.panels[5].under = QStringLiteral("yse");
    s.panels[6].under = QStringLiteral("sse");

    ListPrint& p = s.print;
    p.reportName = QStringLiteral("销售单据汇总表");
    p.labels = {{"QRL3", "客户"}};
    p.fields = {{"QRD1", "rq"}, {"QRD2", "dh"}, {"QRD3", "kh"}, {"QRD4", "hjsl"}, {"QRD5", "hjje"}, {"QRD6", "qk"}};
    return s;
}

TFxsgl1::TFxsgl1(QWidget* parent)
    : DocumentList(describe(),
                   {.kind = &salesDocuments(),
                    .deleteWarning = QStringLiteral("同时删除与本单对应的明细和欠款！"),
                    .showBrowser = [](TDM1& dm) { showSalesBrowser(dm); }},
                   parent)
{
}

TConditionDialog* TFxsgl1::createConditionDialog() { return new TFcxxs1(this, this); }

void openSalesList() { openOrActivate(Fxsgl1); }
