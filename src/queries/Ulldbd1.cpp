#include "Ulldbd1.h"

#include "Ullrkd1.h"
#include "data/DM1.h"
#include "documents/stock_print.h"

#include <QLineEdit>

QPointer<TFlldbd1> Flldbd1;

namespace {

BrowserSpec transferBrowser(TDM1& dm)
{
    BrowserSpec s;
    s.objectName = QStringLiteral("Flldbd1");
    s.caption = QStringLiteral("浏览库存调拨单");
    s.heading = QStringLiteral("库存调拨单");
    s.header = &dm.AQdbz1;
    s.lines = &dm.AQdbc1;
    s.lineStatement = QStringLiteral("SELECT *FROM dbglc");
    s.fields = {{.name = "rq", .label = "日期", .width = 100},
                {.name = "ck1", .label = "调出仓库", .width = 150},
                {.name = "ck2", .label = "调入仓库", .width = 150},
                {.name = "jsr", .label = "经办人", .width = 100},
                {.name = "bz", .label = "备注", .width = 300, .newRow = true, .stretch = true}};
    s.columns = stockLineColumns();
    s.panels = documentTotalPanels();
    s.redNegativeLines = false;
    s.prints = {{.run = [](DocumentBrowser& b) {
        previewTransferDocument({.rq = b.editText("rq"), .dh = b.editText("dh"), .ck1 = b.editText("ck1"),
                                 .ck2 = b.editText("ck2"), .jsr = b.editText("jsr"), .bz = b.editText("bz"),
                                 .hjsl = b.panelText(2), .hjje = b.panelText(4)},
                                b.lineQuery());
    }}};
    return s;
}

} // namespace

TFlldbd1::TFlldbd1(TDM1& dm, QWidget* parent) : DocumentBrowser(transferBrowser(dm), parent)
{
    takeEdits({&rq, &ck1, &ck2, &jsr, &bz});
}

TFlldbd1* showTransferBrowser(TDM1& dm)
{
    return showDocumentBrowser<TFlldbd1>(Flldbd1, [&dm] { return new TFlldbd1(dm); });
}
