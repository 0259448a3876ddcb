#include "Ullcgd1.h"

#include "data/DM1.h"
#include "documents/purchase_print.h"

#include <QCloseEvent>
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

    auto field = [&](const char* name, const char* label, int width, bool newRow = false, bool stretch = false) {
        BrowserField f;
        f.name = QString::fromLatin1(name);
        f.label = QString::fromUtf8(label);
        f.width = width;
        f.newRow = newRow;
        f.stretch = stretch;
        s.fields << f;
    };
    field("rq", "日期", 100);
    field("ck", "仓库", 150);
    field("ghs", "厂商", 220, false, true);
    field("jsr", "经办人", 100, true);
    field("bz", "备注", 300, false, true);
    field("yhe", "优惠额", 100, true);
    field("yfe", "应付额", 100);
    field("sfe", "实付额", 100);

    const QColor tint(0xDE, 0xFD, 0xFE);   // $FEFDDE
    // Numbers stand to the right, as number fields show in a grid.
    auto col = [&](const char* name, const char* title, int width, bool number, bool tinted) {
        GridColumn c;
        c.field = QString::fromLatin1(name);
        c.title = QString::fromUtf8(title);
        c.width = width;
        if (number)
            c.align = Qt::AlignRight | Qt::AlignVCenter;
        if (tinted)
            c.tint = tint;
        s.columns << c;
    };
    col("txm", "编码", 110, false, false);
    col("ppgg", "商品名称", 220, false, false);
    col("dw", "单位", 40, false, false);
    col("sl", "数量", 60, true, true);
    col("jg", "单价", 80, true, false);
    col("zk", "折扣", 40, true, false);
    col("je", "金额", 80, true, true);

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {
        {150, QStringLiteral("合计"), QString(), Qt::AlignCenter},
        {200, QString(), QString()},
        {100, QString(), QStringLiteral("hjsl"), right},
        {100, QString(), QString()},
        {100, QString(), QStringLiteral("hjje"), right},
        {100, QString(), QString()},
    };

    // Both prints read what the browser shows: its edits and the two total panels.
    auto print = [](const char* name, const char* caption, bool withCodes) {
        BrowserPrint p;
        p.name = QString::fromLatin1(name);
        p.caption = QString::fromUtf8(caption);
        p.run = [withCodes](DocumentBrowser& b) {
            PurchasePrintFields f;
            f.rq = b.edit(QStringLiteral("rq"))->text();
            f.dh = b.edit(QStringLiteral("dh"))->text();
            f.ghs = b.edit(QStringLiteral("ghs"))->text();
            f.jsr = b.edit(QStringLiteral("jsr"))->text();
            f.bz = b.edit(QStringLiteral("bz"))->text();
            f.hjsl = b.panelText(2);
            f.hjje = b.panelText(4);
            previewPurchaseDocument(withCodes, f, b.lineQuery());
        };
        return p;
    };
    s.prints = {print("N3", "带编码打印", true), print("N4", "不带编码打印", false)};
    return s;
}

} // namespace

TFllcgd1::TFllcgd1(TDM1& dm, QWidget* parent) : DocumentBrowser(purchaseBrowser(dm), parent)
{
    rq = edit(QStringLiteral("rq"));
    ck = edit(QStringLiteral("ck"));
    ghs = edit(QStringLiteral("ghs"));
    jsr = edit(QStringLiteral("jsr"));
    bz = edit(QStringLiteral("bz"));
    yhe = edit(QStringLiteral("yhe"));
    yfe = edit(QStringLiteral("yfe"));
    sfe = edit(QStringLiteral("sfe"));
    N3 = printItem(QStringLiteral("N3"));
    N4 = printItem(QStringLiteral("N4"));
}

TFllcgd1::~TFllcgd1() = default;

void TFllcgd1::closeEvent(QCloseEvent* e)
{
    DocumentBrowser::closeEvent(e);
    if (e->isAccepted() && Fllcgd1 == this)
        Fllcgd1 = nullptr;
}

TFllcgd1* showPurchaseBrowser(TDM1& dm)
{
    return showDocumentBrowser<TFllcgd1>(Fllcgd1, [&dm] { return new TFllcgd1(dm); });
}
