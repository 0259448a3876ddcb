#include "Ullxsd1.h"

#include "data/DM1.h"
#include "documents/sales_print.h"

#include <QLineEdit>

QPointer<TFllxsd1> Fllxsd1;

namespace {

BrowserSpec salesBrowser(TDM1& dm)
{
    BrowserSpec s;
    s.objectName = QStringLiteral("Fllxsd1");
    s.caption = QStringLiteral("浏览销售出库单");
    s.heading = QStringLiteral("销售出库单");
    s.header = &dm.AQxsz1;
    s.lines = &dm.AQxsc1;
    s.lineStatement = QStringLiteral("SELECT *FROM xsglc");
    s.fields = {{.name = "rq", .label = "日期", .width = 100},
                {.name = "ck", .label = "仓库", .width = 150},
                {.name = "kh", .label = "客户", .width = 220, .stretch = true},
                {.name = "jsr", .label = "经办人", .width = 100, .newRow = true},
                {.name = "bz", .label = "备注", .width = 300, .stretch = true},
                {.name = "yhe", .label = "优惠额", .width = 100, .newRow = true},
                {.name = "yse", .label = "应收额", .width = 100},
                {.name = "sse", .label = "实收额", .width = 100}};
    s.columns = documentLineColumns();
    s.panels = documentTotalPanels();

    // Both prints read what the browser shows; their refusals on closed lines differ.
    auto print = [](const char* name, const char* caption, const char* refusal, bool withCodes) {
        return BrowserPrint{.name = QString::fromLatin1(name),
                            .caption = QString::fromUtf8(caption),
                            .refusal = QString::fromUtf8(refusal),
                            .run = [withCodes](DocumentBrowser& b) {
                                previewSalesDocument(
                                    withCodes,
                                    {.rq = b.editText("rq"), .dh = b.editText("dh"), .kh = b.editText("kh"),
                                     .jsr = b.editText("jsr"), .bz = b.editText("bz"), .hjsl = b.panelText(2),
                                     .hjje = b.panelText(4), .yhe = b.editText("yhe"), .yse = b.editText("yse"),
                                     .sse = b.editText("sse")},
                                    b.lineQuery());
                            }};
    };
    s.prints = {print("N3", "带编码打印", "销售数据未打开，关闭窗口后重新打开！", true),
                print("N4", "不带编码打印", "数据未打开，关闭窗口后重新打开！", false)};
    return s;
}

} // namespace

TFllxsd1::TFllxsd1(TDM1& dm, QWidget* parent) : DocumentBrowser(salesBrowser(dm), parent)
{
    takeEdits({&rq, &ck, &kh, &jsr, &bz, &yhe, &yse, &sse});
    N3 = printItem(QStringLiteral("N3"));
    N4 = printItem(QStringLiteral("N4"));
}

TFllxsd1* showSalesBrowser(TDM1& dm)
{
    return showDocumentBrowser<TFllxsd1>(Fllxsd1, [&dm] { return new TFllxsd1(dm); });
}
