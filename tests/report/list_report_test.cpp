// The ruled list report built from a description.
#include "report/ListReport.h"

#include <gtest/gtest.h>

namespace {

bool hasLine(const PageContent& p, double x1, double y1, double x2, double y2)
{
    for (const QLineF& l : p.lines)
        if ((l.p1() - QPointF(x1, y1)).manhattanLength() < 1e-6 && (l.p2() - QPointF(x2, y2)).manhattanLength() < 1e-6)
            return true;
    return false;
}

}

TEST(ListReport, DescriptionGivesTitlesRulesRowsTotalsAndPageNumbers)
{
    TListReport rep(ListLayout{{{0, 30, "编码", "txm", Qt::AlignHCenter},
                                {30, 110, "商品名称", "ppgg", Qt::AlignLeft},
                                {110, 150, "数量", "sl", Qt::AlignRight},
                                {150, 190, "金额", "je", Qt::AlignRight}},
                               {{"e1", 2}, {"e2", 3}}});
    rep.QRLdw->Caption = "通达家电商品汇总表";
    rep.total("e1")->Caption = "12";
    rep.total("e2")->Caption = "3400.5";
    EXPECT_EQ(rep.total("e3"), nullptr);
    TableRows rows({"txm", "ppgg", "sl", "je"});
    for (int i = 0; i < 60; ++i)
        rows.add({QStringLiteral("69%1").arg(i), QStringLiteral("海尔冰箱 BCD-%1").arg(200 + i), "1", "2.5"});
    const QVector<PageContent> pages = rep.QuickRep1.pages(rows);
    ASSERT_EQ(pages.size(), 2);

    for (const PageContent& p : pages) {   // title centred over the table (x 10..200 mm), 黑体 bold
        const PlacedText t = p.named("QRLdw").at(0);
        EXPECT_EQ(t.text, "通达家电商品汇总表");
        EXPECT_NEAR(t.rect.center().x(), 105, 1e-9);
        EXPECT_TRUE(t.font.family == "黑体" && t.font.bold);
        EXPECT_EQ(p.named("QRL2").at(0).text, "商品名称");
    }
    EXPECT_EQ(pages[0].named("QRD1").size() + pages[1].named("QRD1").size(), 60);
    EXPECT_GT(pages[0].named("QRD1").size(), 35);
    const PlacedText code = pages[0].named("QRD1")[0], name = pages[0].named("QRD2")[0], qty = pages[0].named("QRD3")[0];
    EXPECT_TRUE((code.align & Qt::AlignHCenter) && (name.align & Qt::AlignLeft) && (qty.align & Qt::AlignRight));
    EXPECT_DOUBLE_EQ(qty.rect.left(), 10 + 110 + 1);   // inside its rules by 1 mm
    EXPECT_DOUBLE_EQ(qty.rect.right(), 10 + 150 - 1);
    EXPECT_EQ(name.text, "海尔冰箱 BCD-200");
    const double y = code.rect.top();
    for (double e : {0.0, 30.0, 110.0, 150.0, 190.0})
        EXPECT_TRUE(hasLine(pages[0], 10 + e, y, 10 + e, y + 6.1)) << e;
    EXPECT_TRUE(hasLine(pages[0], 10, y + 6.1, 200, y + 6.1));

    // Summary on the last page only: "总计" in one cell up to the quantity column, the
    // totals right-aligned under their columns.
    EXPECT_TRUE(pages[0].find("总计").isEmpty());
    const PlacedText sum = pages[1].find("总计").at(0), e1 = pages[1].named("e1").at(0);
    EXPECT_NEAR(sum.rect.center().x(), 10 + 55, 1e-9);
    EXPECT_EQ(e1.text + " " + pages[1].named("e2").at(0).text, "12 3400.5");
    EXPECT_DOUBLE_EQ(e1.rect.right(), qty.rect.right());
    EXPECT_TRUE(e1.align & Qt::AlignRight);
    EXPECT_TRUE(hasLine(pages[1], 10 + 110, sum.rect.top(), 10 + 110, sum.rect.top() + 6.1));
    EXPECT_FALSE(hasLine(pages[1], 10 + 30, sum.rect.top(), 10 + 30, sum.rect.top() + 6.1));

    // Page footers "（" + number at the foot of each page, the last included.
    EXPECT_EQ(pages[0].named("QRSysData1").at(0).text + pages[1].named("QRSysData1").at(0).text, "（1（2");
    EXPECT_GT(pages[1].named("QRSysData1").at(0).rect.top(), 270);
}
