#include "Ullcgd1.h"

#include "data/DM1.h"
#include "documents/purchase_print.h"

#include <QLineEdit>

QPointer<TFllcgd1> Fllcgd1;

namespace {

BrowserSpec purchaseBrowser(TDM1& dm)
{
    BrowserSpec s;
    s.objectName = QStringLiteral("Fllcgd1");
    s.caption = QStringLiteral("浏览采购入库单");
    s.heading = QStringLiteral("采购入库单");
    s.header = &dm.AQcgz1;
    s.lines = &dm.AQcgc1;
    s.lineStatement = QStringLiteral("SELECT *FROM cgglc");
    s.fields = {{.name = "rq", .label = "日期", .width = 100},
                {.name = "ck", .label = "仓库", .width = 150},
                {.name = "ghs", .label = "厂商", .width = 220, .stretch = true},
                {.name = "jsr", .label = "经办人", .width = 100, .newRow = true},
                {.name = "bz", .label = "备注", .width = 300, .stretch = true},
                {.name = "yhe", .label = "优惠额", .width = 100, .newRow = true},
                {.name = "yfe", .label = "应付额", .width = 100},
                {.name = "sfe", .label = "实付额", .width = 100}};
    s.columns = documentLineColumns();
    s.panels = documentTotalPanels();

    // Both prints read what the browser shows: its edits and the two total panels.
    auto print = [](const char* name, const char* caption, bool withCodes) {
        return BrowserPrint{.name = QString::fromLatin1(name),
                            .caption = QString::fromUtf8(caption),
                            .run = [withCodes](DocumentBrowser& b) {
                                previewPurchaseDocument(
                                    withCodes,
                                    {.rq = b.editText("rq"), .dh = b.editText("dh"), .ghs = b.editText("ghs"),
                                     .jsr = b.editText("jsr"), .bz = b.editText("bz"), .hjsl = b.panelText(2),
                                     .hjje = b.panelText(4)},
                                    b.lineQuery());
                            }};
    };
    s.prints = {print("N3", "带编码打印", true), print("N4", "不带编码打印", false)};
    return s;
}

} // namespace

TFllcgd1::TFllcgd1(TDM1& dm, QWidget* parent) : DocumentBrowser(purchaseBrowser(dm), parent)
{
    takeEdits({&rq, &ck, &ghs, &jsr, &bz, &yhe, &yfe, &sfe});
    N3 = printItem(QStringLiteral("N3"));
    N4 = printItem(QStringLiteral("N4"));
}

TFllcgd1* showPurchaseBrowser(TDM1& dm)
{
    return showDocumentBrowser<TFllcgd1>(Fllcgd1, [&dm] { return new TFllcgd1(dm); });
}
