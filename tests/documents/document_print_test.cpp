// The document layouts: the purchase print's columns, rules and texts; where every layout
// places its header block and summary rows; each kind's capitals of its total.
#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Udydbd1.h"
#include "documents/Udyrkd1.h"
#include "documents/Udyxsd1.h"
#include "documents/Udyxsd2.h"
#include "documents/purchase_print.h"
#include "documents/sales_print.h"
#include "documents/stock_print.h"
#include "report/UdyPreview1.h"
#include "shell/Umain1.h"
#include "support/ShopTest.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <algorithm>

namespace {

// Two saved purchase lines in AQcgc1, its cursor on the second; the company's print name; a
// document made by 李四, printed by 王五.
struct PrintFixture : ::testing::Test {
    TempShop shop{false};
    TDM1* dm = shop.dm.get();
    TFmain1 main;
    void SetUp() override
    {
        main.STyhm1->setText("王五");
        dm->ADOC1.exec("INSERT INTO cgglz(dh,kdrq,rq,shbj,zhidan) VALUES('CG001','2026-12-06','2026-12-06','未审核','李四')");
        dm->ADOC1.exec("UPDATE danwei SET mcdy='通达家电'");
        dm->ADOC1.exec("INSERT INTO cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES('CG001','dz','690001','格力空调','台',2,2999,1,5998),"
                       "('CG001','dz','690002','美的微波炉','台',-1,499,0.9,-449.1)");
        dm->AQcgc1.setSql({"SELECT * FROM cgglc", "order by id"});
        dm->AQcgc1.open();
        dm->AQcgc1.moveTo(1);
    }
    static PurchasePrintFields fields(const QString& total) { return {"2026-12-06", "CG001", "格力电器", "张三", "急", "1", total}; }
    // Prints and returns the page the preview showed (one page, checked).
    PageContent print(bool withCodes, const QString& total)
    {
        ModalScript modal;
        int pages = -1;
        modal.next([&](QDialog& d) { pages = dynamic_cast<TFdyPreview1&>(d).pageCount(); });
        previewPurchaseDocument(withCodes, fields(total), dm->AQcgc1);
        EXPECT_EQ(pages, 1);
        const TFdycgdLayout& f = form(withCodes);
        EXPECT_EQ(f.QuickRep1.ReportTitle, "打印预览");
        EXPECT_EQ(f.QuickRep1.DataSet, &dm->AQcgc1);
        return f.QuickRep1.layout(*f.QuickRep1.dataRows()).page(0);
    }
    static const TFdycgdLayout& form(bool withCodes)
    {
        return withCodes ? static_cast<TFdycgdLayout&>(*Fdycgd2) : *Fdycgd1;
    }
    static QString text(const PageContent& p, const char* name) { return p.named(name).value(0).text; }
};

}

TEST_F(PrintFixture, BothLayoutsFilledFromTheFormAndTheCompany)
{
    struct Case {
        bool withCodes;
        QStringList columns;          // title=data text:first line's text, alignment < | >
        QList<double> edges, summaryRules;   // mm from the table's left
    } cases[] = {
        {false,
         {"商品名称=QRD1:格力空调<", "单位=QRD2:台|", "数  量=QRD3:2>", "单  价=QRD4:2999>", "折扣=QRD6:1>", "金  额=QRD5:5998>"},
         {0.1, 70.5, 83.2, 100.4, 122.9, 135.1, 160.2},
         {0.1, 83.2, 100.4, 135.1, 160.2}},
        {true,
         {"编码=QRD0:690001<", "商品名称=QRD1:格力空调<", "单位=QRD2:台|", "数  量=QRD3:2>", "单  价=QRD4:2999>",
          "金  额=QRD5:5998>"},
         {0.1, 29.8, 75.3, 90.1, 110.2, 135.1, 160.2},
         {0.1, 90.1, 110.2, 135.1, 160.2}},
    };
    ASSERT_FALSE(dm->ATdanwei1.isOpen());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.withCodes);
        const PageContent p = print(c.withCodes, "5548.9");
        QStringList cols;
        for (int i = 1; i <= 6; ++i) {
            const PlacedText t = p.named(QStringLiteral("QRL%1").arg(i)).at(0),
                             d = p.named(form(c.withCodes).dataTexts[i - 1]->Name).at(0);
            EXPECT_NEAR(t.rect.center().x(), d.rect.center().x(), 1e-9) << i;   // title over its cells
            cols << t.text + "=" + d.name + ":" + d.text + (d.align & Qt::AlignRight ? ">" : d.align & Qt::AlignHCenter ? "|" : "<");
        }
        EXPECT_EQ(cols, c.columns);
        QStringList labels;
        for (const char* n : {"QRLdw", "QRLrq2", "QRLdh2", "QRLghs2", "QRLjsr2", "QRLbz2", "e1", "e2", "QRLdx", "QRLyhm2"})
            labels << text(p, n);
        EXPECT_EQ(labels, (QStringList{"通达家电采购单", "2026-12-06", "CG001", "格力电器", "张三", "急", "1", "￥5548.9",
                                       "(大写)伍仟伍佰肆拾捌圆玖角整", "王五"}));
        EXPECT_EQ(p.named("QRD1").value(1).text, "美的微波炉");   // lines from the first, the cursor kept
        EXPECT_EQ(dm->AQcgc1.recNo(), 1);
        EXPECT_NEAR(p.named("QRLdw").at(0).rect.center().x(), 40 + (0.1 + 160.2) / 2, 1e-9);   // over the table
        EXPECT_TRUE(form(c.withCodes).QuickRep1.Page.printerDefaultPaper);
        EXPECT_EQ(form(c.withCodes).QuickRep1.designPaper(), QSizeF(241, 93));

        // The summary row: the quantity and the amount right-aligned under their columns in
        // cells of their own, a rule under it; no page footer on a document.
        const PlacedText e1 = p.named("e1").at(0), e2 = p.named("e2").at(0);
        EXPECT_EQ(e1.rect.right(), p.named("QRD3")[0].rect.right());
        EXPECT_EQ(e2.rect.right(), p.named("QRD5")[0].rect.right());
        EXPECT_TRUE(e1.align & Qt::AlignRight);
        EXPECT_TRUE(e2.align & Qt::AlignRight);
        const double lineTop = 10 + 15.9 + 7.9, sumTop = lineTop + 2 * 6.1;   // top margin 10, left 40
        auto rulesFrom = [&](double top) {   // vertical rules starting at top
            QList<double> xs;
            for (const QLineF& l : p.lines)
                if (l.x1() == l.x2() && qAbs(l.y1() - top) < 1e-9)
                    xs << qRound((l.x1() - 40) * 10) / 10.0;
            return xs;
        };
        EXPECT_EQ(rulesFrom(lineTop), c.edges);
        EXPECT_EQ(rulesFrom(sumTop), c.summaryRules);
        EXPECT_TRUE(std::any_of(p.lines.begin(), p.lines.end(), [&](const QLineF& l) {
            return l.y1() == l.y2() && qAbs(l.y1() - (sumTop + 6.1)) < 1e-9 && qAbs(l.x2() - 200.2) < 1e-9;
        }));
        EXPECT_TRUE(p.named("QRSysData1").isEmpty());
    }
    EXPECT_TRUE(dm->ATdanwei1.isOpen());
}

// Each kind's capitals of a negative or zero total: purchase and sales "(退)" after them,
// movement "(出)", transfer "负" before them; the sales debt line of a refund due too.
TEST_F(PrintFixture, CapitalsOfEachKindsTotalAndAnEmptyPrintName)
{
    ModalScript modal;   // each preview closed at once
    Query& lines = dm->AQcgc1;
    const auto purchase = [&](const QString& t) { previewPurchaseDocument(true, fields(t), lines); return Fdycgd2->QRLdx->Caption; };
    const auto movement = [&](const QString& t) { MovementPrintFields f; f.hjje = t; previewMovementDocument(f, lines); return Fdyrkd1->QRLdx->Caption; };
    const auto transfer = [&](const QString& t) { TransferPrintFields f; f.hjje = t; previewTransferDocument(f, lines); return Fdydbd1->QRLdx->Caption; };
    const struct { std::function<QString(const QString&)> print; const char* total; const char* capitals; } cases[] = {
        {purchase, "-449.1", "(大写)肆佰肆拾玖圆壹角整(退)"}, {purchase, "0", "(大写)零"},
        {movement, "-5", "(大写)伍圆整(出)"},               {movement, "0", "(大写)零"},
        {transfer, "-12.5", "(大写)负壹拾贰圆伍角整"},      {transfer, "12.5", "(大写)壹拾贰圆伍角整"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.print(c.total), c.capitals) << c.total;
    const auto sales = [&](const char* yse, const char* sse) {
        SalesPrintFields f;
        f.hjje = f.yse = yse;
        f.sse = sse;
        previewSalesDocument(false, f, lines);
        return QStringList{Fdyxsd1->e2->Caption, Fdyxsd1->QRLdx->Caption, Fdyxsd1->QRLqk1->Caption, Fdyxsd1->QRLqk2->Caption};
    };
    EXPECT_EQ(sales("-120.25", "-100.25"), (QStringList{"￥-120.25", "(大写)壹佰贰拾圆贰角伍分(退)", "欠款:", "(大写)贰拾圆整(退)"}));
    // The next document printed owes nothing: its debt line is empty.
    EXPECT_EQ(sales("80", "80"), (QStringList{"￥80", "(大写)捌拾圆整", "", ""}));

    dm->ATdanwei1.close();
    dm->ADOC1.exec("UPDATE danwei SET mcdy=''");
    EXPECT_EQ(text(print(false, "0"), "QRLdw"), "采购单");
    // A total that is not a number stops the print before the preview.
    const int shown = modal.opened();
    EXPECT_THROW(previewPurchaseDocument(false, fields("abc"), lines), MoneyFormatError);
    EXPECT_EQ(modal.opened(), shown);
}

// Every layout's left header block (rows 4.5 mm apart from 7.1 mm, values at 10.6 mm or after
// the longest caption; the title band grows with a third row) and the sales summary rows, in
// mm from the paper (margins: left 40, top 10).
TEST_F(PrintFixture, LayoutsPlaceTheirHeaderBlocksAndSummaryRows)
{
    const double after = 0.5 + songFont().textWidthMm("调出仓库:") + 1.0, sum = 10 + 15.9 + 7.9 + 6.1;
    ASSERT_GT(after, 10.6);
    using At = std::tuple<const char*, const char*, double, double>;   // name, text ("x": filled by the print), left, top
    const QVector<At> sales{{"QRLkh1", "客户:", 0.5, 17.1},      {"QRLkh2", "x", 10.6, 17.1},
                            {"QRLbz1", "备注:", 0.5, 21.6},      {"QRLyh1", "优惠额:", 0.5, sum + 7.4},
                            {"QRLyh2", "x", 12.7, sum + 7.4},    {"QRLss1", "实收额:", 40.0, sum + 7.4},
                            {"QRLss2", "x", 52.0, sum + 7.4},    {"QRLqk1", "x", 0.5, sum + 11.9},
                            {"QRLqk2", "x", 12.7, sum + 11.9},   {"xx1", "x", 0.5, sum + 16.4},
                            {"xx2", "x", 0.5, sum + 20.9}};
    const struct { const char* name; TFdycgdLayout& form; double title, summary; const char* firstData; QVector<At> at; } layouts[] = {
        {"purchase", reportForm(Fdycgd1), 15.9, 12.7, "QRD1",
         {{"QRLghs1", "厂商:", 0.5, 17.1}, {"QRLghs2", "x", 10.6, 17.1}, {"QRLbz1", "备注:", 0.5, 21.6}, {"QRLbz2", "x", 10.6, 21.6}}},
        {"sales", reportForm(Fdyxsd1), 15.9, 25.4, "QRD1", sales},
        {"sales with codes", reportForm(Fdyxsd2), 15.9, 25.4, "QRD0", sales},
        {"movement", reportForm(Fdyrkd1), 15.9, 12.7, "QRD0",
         {{"QRLlx1", "异动:", 0.5, 17.1}, {"QRLlx2", "x", 10.6, 17.1}, {"QRLbz1", "备注:", 0.5, 21.6}, {"QRLbz2", "x", 10.6, 21.6}}},
        {"transfer", reportForm(Fdydbd1), 20.4, 12.7, "QRD0",
         {{"QRLck11", "调出仓库:", 0.5, 17.1}, {"QRLck12", "x", after, 17.1}, {"QRLck21", "调入仓库:", 0.5, 21.6},
          {"QRLck22", "x", after, 21.6}, {"QRLbz1", "备注说明:", 0.5, 26.1}, {"QRLbz2", "x", after, 26.1}}},
    };
    for (const auto& l : layouts) {
        SCOPED_TRACE(l.name);
        for (const auto& [name, text, left, top] : l.at)
            if (QString(text) == "x")
                l.form.item(name)->Caption = "x";
        const PageContent p = l.form.QuickRep1.layout(TableRows({"txm"}, {{"A01"}})).page(0);
        for (const auto& [name, text, left, top] : l.at) {
            const PlacedText t = p.named(name).value(0);
            EXPECT_EQ(t.text, text) << name;
            EXPECT_NEAR(t.rect.left() - 40, left, 1e-9) << name;
            EXPECT_NEAR(t.rect.top(), top, 1e-9) << name;
        }
        EXPECT_EQ(l.form.QuickRep1.band(BandType::Title)->height(), l.title);
        EXPECT_EQ(l.form.QuickRep1.band(BandType::Summary)->height(), l.summary);
        EXPECT_EQ(l.form.dataTexts.front()->Name, l.firstData);
    }
}
