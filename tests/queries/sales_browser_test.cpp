// The sales document browser and its prints: the layouts' texts as placed on the page, the
// debt line filled and emptied, the footnotes read at every print, the two refusals.

#include "sales_shop.h"

#include "documents/Udyxsd1.h"
#include "documents/Udyxsd2.h"
#include "documents/sales_print.h"
#include "support/PreviewTexts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

namespace {

class SalesBrowser : public SalesShop {
protected:
    // The list's 查单 on a document.
    TFllxsd1& view(const char* dh)
    {
        listAll();
        EXPECT_TRUE(moveTo(dh));
        Fxsgl1->SB55->click();
        return *Fllxsd1;
    }
    // Prints through an item; the placed texts of the named elements.
    QStringList print(QAction* item, const TFdyxsdLayout& form, const QStringList& names)
    {
        return previewTexts(modal, form.QuickRep1, names, [item] { item->trigger(); });
    }
};

const QStringList kMoney{"QRLdw", "QRLkh2", "xx1", "xx2", "e1", "e2", "QRLyh2", "QRLss2", "QRLdx", "QRLqk1", "QRLqk2",
                         "QRD1", "QRD6"};

TEST_F(SalesBrowser, PrintsTheWholesaleDocumentWithItsDebtAndEmptiesTheDebtLineAfterwards)
{
    TFllxsd1& b = view("PF20240105001");
    EXPECT_EQ(b.windowTitle(), "浏览销售出库单");
    EXPECT_EQ(b.kh->text() + b.yhe->text() + '|' + b.yse->text() + '|' + b.sse->text(), "百货商场10.25|5000|3000.25");
    EXPECT_EQ(b.DBGrid1->rowStyle(1).font, QColor(Qt::red));   // the return line
    EXPECT_FALSE(b.DBGrid1->rowStyle(0).font.isValid());

    EXPECT_EQ(print(b.N4, reportForm(Fdyxsd1), kMoney),
              (QStringList{"QRLdw=顺达电器销售单", "QRLkh2=百货商场", "xx1=货物售出，概不退换", "xx2=谢谢惠顾", "e1=10",
                           "e2=￥5010.25", "QRLyh2=￥10.25", "QRLss2=￥3000.25", "QRLdx=(大写)伍仟零壹拾圆贰角伍分",
                           "QRLqk1=欠款:", "QRLqk2=(大写)壹仟玖佰玖拾玖圆柒角伍分", "QRD1=电饭煲|3' 插线板", "QRD6=1|1"}));

    // A document without debt, and a footnote changed meanwhile.
    b.BB1->click();
    exec("UPDATE danwei SET bz4='欢迎再来'");
    EXPECT_EQ(print(b.N3, reportForm(Fdyxsd2), {"QRLkh2", "xx2", "e2", "QRLqk1", "QRLqk2", "QRD0"}),
              (QStringList{"QRLkh2=", "xx2=欢迎再来", "e2=￥3600", "QRLqk1=", "QRLqk2=", "QRD0=A01"}));
    EXPECT_TRUE(rec.empty());
}

TEST_F(SalesBrowser, ARefundDueIsPrintedAsOwedBack)
{
    SalesPrintFields f{.rq = "2024-01-08", .dh = "XS20240108001", .hjsl = "-1", .hjje = "-120.25", .yhe = "0",
                       .yse = "-120.25", .sse = "-100.25"};
    modal.next([](QDialog&) {});
    previewSalesDocument(false, f, dm->AQxsc1);
    const TFdyxsd1& form = *Fdyxsd1;
    EXPECT_EQ(form.e2->Caption + ' ' + form.QRLdx->Caption + ' ' + form.QRLqk2->Caption,
              "￥-120.25 (大写)壹佰贰拾圆贰角伍分(退) (大写)贰拾圆整(退)");
}

TEST_F(SalesBrowser, EachPrintRefusesClosedLinesInItsOwnWordsAndCloses)
{
    for (const auto& [withCodes, refusal] : {std::pair{true, "销售数据未打开，关闭窗口后重新打开！"},
                                             std::pair{false, "数据未打开，关闭窗口后重新打开！"}}) {
        TFllxsd1& b = view("XS20240106001");
        dm->AQxsc1.close();
        rec.clear();
        (withCodes ? b.N3 : b.N4)->trigger();
        EXPECT_EQ(rec.texts(), QStringList{refusal});
        EXPECT_EQ(rec.last().caption, "警告");
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(Fllxsd1.isNull());
        delete Fxsgl1.data();
    }
    EXPECT_EQ(modal.classes(), (QStringList{"TFcxxs1", "TFcxxs1"}));   // no preview
}

TEST_F(SalesBrowser, LayoutsPlaceTheSalesBlocks)
{
    // Both layouts (the purchase layouts' columns): the customer in the header's left block and
    // the rows below the ruled summary row, in mm from the paper (margins: left 40, top 10).
    const double summary = 10 + 15.9 + 7.9 + 6.1;   // one line
    const struct { const char* name; double left, top; } places[] = {
        {"QRLkh1", 0.5, 10 + 7.1},         {"QRLkh2", 10.6, 10 + 7.1},       {"QRLyh1", 0.5, summary + 7.4},
        {"QRLyh2", 12.7, summary + 7.4},   {"QRLss1", 40.0, summary + 7.4},  {"QRLss2", 52.0, summary + 7.4},
        {"QRLqk1", 0.5, summary + 11.9},   {"QRLqk2", 12.7, summary + 11.9}, {"xx1", 0.5, summary + 16.4},
        {"xx2", 0.5, summary + 20.9},
    };
    for (TFdyxsdLayout* form : {static_cast<TFdyxsdLayout*>(&reportForm(Fdyxsd1)),
                                static_cast<TFdyxsdLayout*>(&reportForm(Fdyxsd2))}) {
        for (QRItem* label : {form->QRLkh2, form->QRLyh2, form->QRLss2, form->QRLqk1, form->QRLqk2, form->xx1, form->xx2})
            label->Caption = "x";
        const PageContent p = form->QuickRep1.layout(TableRows({"ppgg"}, {{"冰箱"}})).page(0);
        for (const auto& at : places) {
            const QRectF r = p.named(at.name).value(0).rect;
            EXPECT_TRUE(qAbs(r.left() - 40 - at.left) < 1e-9 && qAbs(r.top() - at.top) < 1e-9) << at.name;
        }
        EXPECT_EQ(p.named("QRLkh1")[0].text + p.named("QRLyh1")[0].text + p.named("QRLss1")[0].text, "客户:优惠额:实收额:");
        EXPECT_EQ(form->QuickRep1.band(BandType::Summary)->height(), 25.4);
    }
}

} // namespace
