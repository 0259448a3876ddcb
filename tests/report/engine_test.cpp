// The banded report engine: pagination of bands, placed texts, flags, painting.
#include "report/QuickRep.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

// A small report: 100 x 60 mm, margins 5 mm; title 8, page header 6, column header 5,
// detail 5, summary 7, page footer 5. The body ends at 60 - 5 - 5 = 50 mm.
struct Synthetic {
    QuickRep rep;
    Synthetic()
    {
        rep.Page.width = 100;
        rep.Page.length = 60;
        rep.Page.topMargin = rep.Page.bottomMargin = rep.Page.leftMargin = rep.Page.rightMargin = 5;
        rep.FirstPageHeader = false;
        rep.addBand(BandType::Title, 8)->addLabel("QRLdw", "Title", 10, 1, Qt::AlignLeft, songTitleFont());
        rep.addBand(BandType::PageHeader, 6)->addLabel("QRLph", "Header", 0, 0);
        rep.addBand(BandType::ColumnHeader, 5)->addLabelIn("QRL1", "名称", 0, 0, 40, 5, Qt::AlignCenter);
        QRBand* d = rep.addBand(BandType::Detail, 5);
        d->addDBText("QRD1", "name", 1, 0, 38, 5, Qt::AlignLeft | Qt::AlignVCenter);
        d->addDBText("QRD2", "qty", 41, 0, 20, 5, Qt::AlignRight | Qt::AlignVCenter);
        d->addHLine(0, 5, 61);
        rep.addBand(BandType::Summary, 7)->addLabel("e1", "总计", 0, 1);
        rep.addBand(BandType::PageFooter, 5)->addPageNumber("QRSysData1", "（", 0, 0, 90, 5, Qt::AlignHCenter);
    }
};

TableRows rowsOf(int n)
{
    TableRows rows({"name", "qty"});
    for (int i = 0; i < n; ++i)
        rows.add({QStringLiteral("货品%1").arg(i), QString::number(i * 10)});
    return rows;
}

}

TEST(ReportEngine, PaginatesBandsAndPlacesTexts)
{
    Synthetic s;
    const TableRows rows = rowsOf(10);
    const QVector<PageContent> pages = s.rep.pages(rows);
    ASSERT_EQ(pages.size(), 2);

    // Page 1: title, no page header (first page off), column header, rows 0..5, footer.
    const PageContent& p1 = pages[0];
    ASSERT_EQ(p1.named("QRLdw").size(), 1);
    EXPECT_EQ(p1.named("QRLdw")[0].text, "Title");
    EXPECT_DOUBLE_EQ(p1.named("QRLdw")[0].rect.left(), 15);
    EXPECT_DOUBLE_EQ(p1.named("QRLdw")[0].rect.top(), 6);
    EXPECT_TRUE(p1.named("QRLph").isEmpty());
    ASSERT_EQ(p1.find("名称").size(), 1);
    EXPECT_DOUBLE_EQ(p1.find("名称")[0].rect.top(), 13);
    EXPECT_TRUE(p1.find("名称")[0].align & Qt::AlignHCenter);
    const auto names1 = p1.named("QRD1");
    ASSERT_EQ(names1.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(names1[i].text, QStringLiteral("货品%1").arg(i));
        EXPECT_DOUBLE_EQ(names1[i].rect.top(), 18 + 5 * i);
        EXPECT_DOUBLE_EQ(names1[i].rect.left(), 6);
    }
    EXPECT_EQ(p1.named("QRD2")[5].text, "50");
    EXPECT_TRUE(p1.named("QRD2")[5].align & Qt::AlignRight);
    EXPECT_TRUE(p1.named("e1").isEmpty());
    ASSERT_EQ(p1.named("QRSysData1").size(), 1);
    EXPECT_EQ(p1.named("QRSysData1")[0].text, "（1");
    EXPECT_DOUBLE_EQ(p1.named("QRSysData1")[0].rect.top(), 50);
    EXPECT_EQ(p1.lines.size(), 6);

    // Page 2: page header, column header again, rows 6..9, summary, footer "（2".
    const PageContent& p2 = pages[1];
    EXPECT_TRUE(p2.named("QRLdw").isEmpty());
    ASSERT_EQ(p2.named("QRLph").size(), 1);
    EXPECT_DOUBLE_EQ(p2.named("QRLph")[0].rect.top(), 5);
    EXPECT_DOUBLE_EQ(p2.find("名称")[0].rect.top(), 11);
    const auto names2 = p2.named("QRD1");
    ASSERT_EQ(names2.size(), 4);
    EXPECT_EQ(names2.front().text, "货品6");
    EXPECT_DOUBLE_EQ(names2.front().rect.top(), 16);
    ASSERT_EQ(p2.named("e1").size(), 1);
    EXPECT_EQ(p2.named("e1")[0].text, "总计");
    EXPECT_DOUBLE_EQ(p2.named("e1")[0].rect.top(), 37);
    EXPECT_EQ(p2.named("QRSysData1")[0].text, "（2");
}

TEST(ReportEngine, EmptyDataSetStillPrintsItsBands)
{
    Synthetic s;
    const TableRows none = rowsOf(0);
    const QVector<PageContent> pages = s.rep.pages(none);
    ASSERT_EQ(pages.size(), 1);
    const QStringList texts = pages[0].allTexts();
    EXPECT_TRUE(texts.contains("Title"));
    EXPECT_TRUE(texts.contains("名称"));
    EXPECT_TRUE(texts.contains("总计"));
    EXPECT_TRUE(texts.contains("（1"));
    EXPECT_TRUE(pages[0].named("QRD1").isEmpty());
    // The summary follows the column header directly.
    EXPECT_DOUBLE_EQ(pages[0].named("e1")[0].rect.top(), 19);

    s.rep.PrintIfEmpty = false;
    EXPECT_TRUE(s.rep.pages(none).isEmpty());
}

TEST(ReportEngine, SummaryThatDoesNotFitGoesToANewPageAndFlagsApply)
{
    Synthetic s;
    s.rep.FirstPageHeader = true;
    s.rep.LastPageFooter = false;
    // Six rows fill page 1 to 48 mm; the 7 mm summary does not fit under 50 mm.
    const TableRows rows = rowsOf(6);
    const QVector<PageContent> pages = s.rep.pages(rows);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].named("QRLph").size(), 1);
    EXPECT_DOUBLE_EQ(pages[0].named("QRLdw")[0].rect.top(), 12);   // under the page header
    EXPECT_EQ(pages[0].named("QRD1").size(), 5);                   // header took 6 mm
    EXPECT_EQ(pages[1].named("QRD1").size(), 1);
    EXPECT_EQ(pages[1].named("e1").size(), 1);
    EXPECT_EQ(pages[0].named("QRSysData1").size(), 1);
    EXPECT_TRUE(pages[1].named("QRSysData1").isEmpty());          // last page: no footer
}

TEST(ReportEngine, AutoSizedLabelsFollowTheirAlignment)
{
    QuickRep rep;
    QRBand* b = rep.addBand(BandType::Title, 20);
    QRItem* l = b->addLabel("L", "左", 10, 0);
    QRItem* r = b->addLabelIn("R", "右对齐", 10, 5, 50, 5, Qt::AlignRight);
    r->AutoSize = true;
    QRItem* c = b->addLabelIn("C", "居中的标题", 10, 10, 50, 5, Qt::AlignHCenter);
    c->AutoSize = true;
    const TableRows none({});
    const PageContent p = rep.pages(none).at(0);
    const double x0 = rep.Page.leftMargin;
    const QRectF lr = p.named("L")[0].rect, rr = p.named("R")[0].rect, cr = p.named("C")[0].rect;
    EXPECT_DOUBLE_EQ(lr.left(), x0 + 10);
    EXPECT_GT(lr.width(), 2.5);       // one CJK character at 13 px is about 3.4 mm
    EXPECT_LT(lr.width(), 4.5);
    EXPECT_NEAR(rr.right(), x0 + 60, 1e-9);
    EXPECT_NEAR(cr.center().x(), x0 + 35, 1e-9);
    EXPECT_NEAR(rr.width(), 3 * lr.width(), 0.2);
    EXPECT_EQ(l->caption(), "左");
}

TEST(ReportEngine, PaintsRulesAndTextOnAnImage)
{
    Synthetic s;
    const TableRows rows = rowsOf(3);
    const PageContent page = s.rep.pages(rows).at(0);
    // 96 dpi: 100 x 60 mm is about 378 x 227 pixels.
    QImage img(378, 227, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        paintPage(p, page, 96, 96);
    }
    // Row 0 stands at 18..23 mm from the top; its rule runs at 23 mm, x 5..66 mm.
    const int y = qRound(18.0 * 96 / 25.4);
    const int yRule = qRound(23.0 * 96 / 25.4);
    int dark = 0;
    for (int yy = yRule - 1; yy <= yRule + 1; ++yy) {
        int n = 0;
        for (int x = qRound(10 * 96 / 25.4); x < qRound(60 * 96 / 25.4); ++x)
            n += qGray(img.pixel(x, yy)) < 128 ? 1 : 0;
        dark = qMax(dark, n);
    }
    EXPECT_GT(dark, 150);
    // Some ink of the first row's text lies between the rules.
    int ink = 0;
    for (int yy = y + 2; yy < yRule - 1; ++yy)
        for (int x = qRound(6 * 96 / 25.4); x < qRound(30 * 96 / 25.4); ++x)
            ink += qGray(img.pixel(x, yy)) < 160 ? 1 : 0;
    EXPECT_GT(ink, 20);
}
