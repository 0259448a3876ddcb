#include "Uxstj3.h"

#include "Udyxstj3.h"
#include "data/DM1.h"
#include "statistics_tables.h"

QPointer<TFxstj3> Fxstj3;

ListDescription TFxstj3::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFxstj3");
    s.caption = QStringLiteral("员工提成表");
    s.clientSize = QSize(880, 473);
    s.query = &TDM1::AQxstj3;
    describeStatisticsTable(s, QStringLiteral("员　　工"));
    s.inlineConditions->statement = commissionStatement;
    s.inlineConditions->doneMessage = QStringLiteral("统计完毕！");
    s.sumPanels = {2, 3, 4};
    s.totalFields = {"sltc", "jetc", "ztc"};
    s.columns = {{.field = "yuangong", .title = "员工", .width = 305},
                 {.field = "sltc", .title = "销售提成额", .width = 150, .tinted = true, .numeric = true},
                 {.field = "jetc", .title = "金额提成额", .width = 150, .tinted = true, .numeric = true},
                 {.field = "ztc", .title = "总提成额", .width = 150, .centred = true, .tinted = true}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"},
                {.width = 255},
                {.width = 151, .align = right, .text = "0.00", .under = "sltc"},
                {.width = 151, .align = right, .text = "0.00", .under = "jetc"},
                {.width = 151, .align = right, .text = "0.00", .under = "ztc"},
                {.width = 50}};
    s.colouring.redWhenNegative = QStringLiteral("ztc");
    s.closedRefusal = QStringLiteral("数据表未打开，请先统计！");

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdyxstj3).QuickRep1; };
    p.reportName = QStringLiteral("销售统计表（提成）");
    p.fields = {{"QRD1", "yuangong"}, {"QRD2", "sltc"}, {"QRD3", "jetc"}, {"QRD4", "ztc"}};
    p.totals = {{"e1", 2}, {"e2", 3}, {"e3", 4}};
    return s;
}

TFxstj3::TFxstj3(QWidget* parent) : StatisticsTable(describe(), parent) {}

void openCommissionTable() { openOrActivate(Fxstj3); }
