#include "Ukctj1.h"

#include "Udykctj1.h"
#include "data/DM1.h"
#include "statistics_tables.h"

QPointer<TFkctj1> Fkctj1;

ListDescription TFkctj1::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFkctj1");
    s.caption = QStringLiteral("商品进销存统计表");
    s.clientSize = QSize(1010, 473);
    s.query = &TDM1::AQkctj1;
    describeStatisticsTable(s, QStringLiteral("编码或品名"));
    s.inlineConditions->statement = stockBalanceStatement;
    s.inlineConditions->enterRuns = true;
    s.sumPanels = {2, 3};
    s.totalFields = {"ysl", "yje"};
    s.columns = {{.field = "txm", .title = "编码", .width = 110},
                 {.field = "ppgg", .title = "商品名称", .width = 230},
                 {.field = "dw", .title = "单位", .width = 50, .centred = true},
                 {.field = "cgsl", .title = "采购数量", .width = 70, .numeric = true},
                 {.field = "cgje", .title = "采购金额", .width = 80, .numeric = true},
                 {.field = "xssl", .title = "销售数量", .width = 70, .numeric = true},
                 {.field = "xsje", .title = "销售金额", .width = 80, .numeric = true},
                 {.field = "rksl", .title = "异动数量", .width = 70, .numeric = true},
                 {.field = "rkje", .title = "异动金额", .width = 70, .numeric = true},
                 {.field = "ysl", .title = "结存数量", .width = 70, .tinted = true, .numeric = true},
                 {.field = "yje", .title = "结存金额", .width = 80, .tinted = true, .numeric = true}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"},
                {.width = 555, .align = right, .text = "结存＝采购－销售＋异动"},
                {.width = 71, .align = right, .text = "0", .under = "ysl"},
                {.width = 71, .align = right, .text = "0", .under = "yje"},
                {.width = 50}};
    s.colouring.redWhenNegative = QStringLiteral("yje");
    s.closedRefusal = QStringLiteral("统计表未打开，请先统计！");

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdykctj1).QuickRep1; };
    p.reportName = QStringLiteral("商品进销存统计表");
    p.fields = {{"QRD2", "ppgg"}, {"QRD4", "dw"},   {"QRD5", "cgsl"},  {"QRD6", "cgje"},  {"QRD7", "xssl"},
                {"QRD8", "xsje"}, {"QRD9", "rksl"}, {"QRD10", "rkje"}, {"QRD11", "ysl"}, {"QRD12", "yje"}};
    p.totals = {{"e1", 2}, {"e2", 3}};
    return s;
}

TFkctj1::TFkctj1(QWidget* parent) : StatisticsTable(describe(), parent) {}

void openStockBalanceTable() { openOrActivate(Fkctj1); }
