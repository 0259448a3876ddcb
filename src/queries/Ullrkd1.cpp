#include "Ullrkd1.h"

#include "data/DM1.h"
#include "documents/stock_print.h"
#include "ui/Controls.h"

#include <QLineEdit>

QPointer<TFllrkd1> Fllrkd1;

QVector<GridColumn> stockLineColumns()
{
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignVCenter;
    const QColor tint = ListColours::tint();
    return {{.field = "txm", .title = "编码", .width = 110},
            {.field = "ppgg", .title = "商品名称", .width = 230},
            {.field = "dw", .title = "单位", .width = 50, .align = Qt::AlignCenter},
            {.field = "sl", .title = "数量", .width = 70, .align = number, .tint = tint},
            {.field = "jg", .title = "单价", .width = 80, .align = number},
            {.field = "je", .title = "金额", .width = 90, .align = number, .tint = tint}};
}

namespace {

BrowserSpec movementBrowser(TDM1& dm)
{
    BrowserSpec s;
    s.objectName = QStringLiteral("Fllrkd1");
    s.caption = QStringLiteral("浏览库存异动单");
    s.heading = QStringLiteral("库存异动单");
    s.header = &dm.AQrkz1;
    s.lines = &dm.AQrkc1;
    s.lineStatement = QStringLiteral("SELECT *FROM rkglc");
    s.fields = {{.name = "rq", .label = "日期", .width = 100},
                {.name = "ck", .label = "仓库", .width = 150},
                {.name = "lx", .label = "异动原因", .width = 150, .stretch = true},
                {.name = "jsr", .label = "经办人", .width = 100, .newRow = true},
                {.name = "bz", .label = "备注", .width = 300, .stretch = true},
                {.name = "sm", .label = "说明", .width = 300, .newRow = true, .stretch = true,
                 .fixedText = "    数量＞0：入库    数量＜0：出库"}};
    s.columns = stockLineColumns();
    s.panels = documentTotalPanels();
    s.prints = {{.run = [](DocumentBrowser& b) {
        previewMovementDocument({.rq = b.editText("rq"), .dh = b.editText("dh"), .lx = b.editText("lx"),
                                 .jsr = b.editText("jsr"), .bz = b.editText("bz"), .hjsl = b.panelText(2),
                                 .hjje = b.panelText(4)},
                                b.lineQuery());
    }}};
    return s;
}

} // namespace

TFllrkd1::TFllrkd1(TDM1& dm, QWidget* parent) : DocumentBrowser(movementBrowser(dm), parent)
{
    takeEdits({&rq, &ck, &lx, &jsr, &bz, &sm});
}

TFllrkd1* showMovementBrowser(TDM1& dm)
{
    return showDocumentBrowser<TFllrkd1>(Fllrkd1, [&dm] { return new TFllrkd1(dm); });
}
