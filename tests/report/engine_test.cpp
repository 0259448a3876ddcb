// The banded report engine: pagination of bands, placed texts, flags, painting.
#include "report/PagePainter.h"
#include "report/QuickRep.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace {

// 100 x 60 mm, margins 5 mm; title 8, page header 6 (not on the first page), column header
// 5, detail 5, summary 7, page footer 5. The body ends at 60 - 5 - 5 = 50 mm.
struct Synthetic {
    QuickRep rep;
    TableRows rows{{"name", "qty"}};
    explicit Synthetic(int n)
    {
        rep.Page = PageSetup{false, 100, 60, false, 5, 5, 5, 5};
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
        for (int i = 0; i < n; ++i)
            rows.add({QStringLiteral("货品%1").arg(i), QString::number(i * 10)});
    }
    // "name:text@top" of every placed text of a page, in placing order.
    QStringList page(int i) const
    {
        QStringList out;
        const PageContent p = rep.pages(rows).at(i);
        for (const PlacedText& t : p.texts)
            out << QStringLiteral("%1:%2@%3").arg(t.name, t.text).arg(t.rect.top());
        return out;
    }
};

}

TEST(ReportEngine, PaginatesBandsPlacesTextsAndFlagsApply)
{
    const Synthetic s(7);
    ASSERT_EQ(s.rep.pages(s.rows).size(), 2);
    // Page 1: title, no page header, column header, rows 0..5, footer at the foot.
    EXPECT_EQ(s.page(0), (QStringList{"QRLdw:Title@6", "QRL1:名称@13", "QRD1:货品0@18", "QRD2:0@18", "QRD1:货品1@23",
                                      "QRD2:10@23", "QRD1:货品2@28", "QRD2:20@28", "QRD1:货品3@33", "QRD2:30@33",
                                      "QRD1:货品4@38", "QRD2:40@38", "QRD1:货品5@43", "QRD2:50@43", "QRSysData1:（1@50"}));
    // Page 2: page header, column header again, the last row, summary, footer "（2".
    EXPECT_EQ(s.page(1), (QStringList{"QRLph:Header@5", "QRL1:名称@11", "QRD1:货品6@16", "QRD2:60@16", "e1:总计@22",
                                      "QRSysData1:（2@50"}));
    const PageContent p = s.rep.pages(s.rows).at(0);
    EXPECT_DOUBLE_EQ(p.named("QRD1")[0].rect.left(), 6);
    EXPECT_TRUE(p.named("QRD2")[0].align & Qt::AlignRight);
    EXPECT_EQ(p.lines.size(), 6);

    // No rows: the bands still print, unless the report says otherwise.
    Synthetic e(0);
    EXPECT_EQ(e.page(0), (QStringList{"QRLdw:Title@6", "QRL1:名称@13", "e1:总计@19", "QRSysData1:（1@50"}));
    e.rep.PrintIfEmpty = false;
    EXPECT_TRUE(e.rep.pages(e.rows).isEmpty());

    // Six rows: with the page header on page 1 only five fit, and the summary moves on too.
    Synthetic f(6);
    f.rep.FirstPageHeader = true;
    f.rep.LastPageFooter = false;
    ASSERT_EQ(f.rep.pages(f.rows).size(), 2);
    EXPECT_EQ(f.page(0).mid(0, 3), (QStringList{"QRLph:Header@5", "QRLdw:Title@12", "QRL1:名称@19"}));
    EXPECT_EQ(f.page(0).size(), 3 + 10 + 1);
    EXPECT_EQ(f.page(1), (QStringList{"QRLph:Header@5", "QRL1:名称@11", "QRD1:货品5@16", "QRD2:50@16", "e1:总计@22"}));
}

TEST(ReportEngine, AutoSizedLabelsFollowTheirAlignment)
{
    QuickRep rep;   // left margin 10 mm
    QRBand* b = rep.addBand(BandType::Title, 20);
    b->addLabel("L", "左", 10, 0);
    b->addLabelIn("R", "右对齐", 10, 5, 50, 5, Qt::AlignRight)->AutoSize = true;
    b->addLabelIn("C", "居中的标题", 10, 10, 50, 5, Qt::AlignHCenter)->AutoSize = true;
    const PageContent p = rep.pages(TableRows({})).at(0);
    const QRectF lr = p.named("L")[0].rect, rr = p.named("R")[0].rect, cr = p.named("C")[0].rect;
    EXPECT_DOUBLE_EQ(lr.left(), 20);
    EXPECT_NEAR(lr.width(), 3.5, 1);   // one CJK character at 13 px is about 3.4 mm
    EXPECT_NEAR(rr.width(), 3 * lr.width(), 0.2);
    EXPECT_NEAR(rr.right(), 70, 1e-9);
    EXPECT_NEAR(cr.center().x(), 45, 1e-9);
}

TEST(ReportEngine, PaintsRulesAndTextOnAnImage)
{
    const Synthetic s(3);
    QImage img(1000, 600, QImage::Format_Grayscale8);   // 100 x 60 mm at 254 dpi: 10 pixels a mm
    img.fill(Qt::white);
    QPainter p(&img);
    paintPage(p, s.rep.pages(s.rows).at(0), 254, 254);
    p.end();
    // Row 0 stands at 18..23 mm; its rule runs at 23 mm from x 5 to 66 mm; its text between.
    int rule = 0, ink = 0;
    for (int x = 100; x < 600; ++x)
        rule += qGray(img.pixel(x, 230)) < 128 ? 1 : 0;
    for (int y = 185; y < 226; ++y)
        for (int x = 60; x < 300; ++x)
            ink += qGray(img.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(rule, 450);
    EXPECT_GT(ink, 20);
}

namespace {
// A page drawn element by element with QPainter::drawText, as the engine drew before it kept
// shaped texts: every rule, frame and text on its own.
QImage drawnTextByText(const PageContent& page, QSize size, double dpi)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const double s = dpi / 25.4;
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, dpi / 96.0));
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    for (const QLineF& l : page.lines)
        p.drawLine(QLineF(l.p1() * s, l.p2() * s));
    for (const QRectF& r : page.frames)
        p.drawRect(QRectF(r.topLeft() * s, r.size() * s));
    for (const PlacedText& t : page.texts) {
        const QFont f = t.font.toQFont(dpi);
        p.setFont(f);
        QRectF r(t.rect.topLeft() * s, t.rect.size() * s);
        if (!(t.align & (Qt::AlignVCenter | Qt::AlignBottom)))
            r.translate(0, -qMax(0.0, QFontMetricsF(f).ascent() - 0.86 * f.pixelSize()));
        p.drawText(r, int(t.align) | Qt::TextSingleLine | Qt::TextDontClip, t.text);
    }
    return img;
}
}

// Texts shaped once and placed from the cache, a page's glyphs drawn as one run per font and
// its rules joined into one stroke: the same pixels as drawing each element on its own.
TEST(ReportEngine, ShapedTextsPaintAsDrawTextPaints)
{
    PageContent page;
    const ReportFont song = songFont(), title = songTitleFont(), hei = heiTitleFont();
    struct Text { const char* text; QRectF rect; Qt::Alignment align; ReportFont font; };
    const Text texts[] = {
        {"通达家电销售明细表", {10, 5, 130, 9}, Qt::AlignHCenter | Qt::AlignVCenter, title},
        {"2026-12-06", {11, 20, 22, 6.1}, Qt::AlignHCenter | Qt::AlignVCenter, song},
        {"格力空调 KFR-35GW", {35, 20, 40, 6.1}, Qt::AlignLeft | Qt::AlignVCenter, song},
        {"-1234.56", {77, 20, 20, 6.1}, Qt::AlignRight | Qt::AlignVCenter, song},
        {"2026-12-06", {11, 26.1, 22, 6.1}, Qt::AlignHCenter | Qt::AlignVCenter, song},   // again: from the cache
        {"一段比它的格子宽得多的商品名称", {35, 26.1, 20, 6.1}, Qt::AlignLeft | Qt::AlignVCenter, song},
        {"台 ", {77, 26.1, 20, 6.1}, Qt::AlignRight | Qt::AlignVCenter, song},
        {"合计:", {11, 40, 30, 5}, Qt::AlignLeft | Qt::AlignTop, song},
        {"（12", {60, 40, 40, 5}, Qt::AlignRight | Qt::AlignBottom, song},
        {"采购单", {100, 5, 30, 8}, Qt::AlignCenter, hei},
    };
    for (const Text& t : texts)
        page.texts.push_back({QString(), QString::fromUtf8(t.text), t.rect, t.align, t.font});
    for (double x : {10.0, 34.0, 76.0, 98.0})   // a column's rules row by row, touching
        page.lines << QLineF(x, 20, x, 26.1) << QLineF(x, 26.1, x, 32.2);
    page.lines << QLineF(10, 26.1, 98, 26.1) << QLineF(10, 32.2, 60, 32.2) << QLineF(60, 32.2, 98, 32.2);
    page.frames << QRectF(8, 38, 100, 9);

    for (const double dpi : {96.0, 254.0}) {
        const QSize size(qRound(150 / 25.4 * dpi), qRound(50 / 25.4 * dpi));
        const QImage expected = drawnTextByText(page, size, dpi);
        QImage img(size, QImage::Format_RGB32);
        PagePainter painter;
        for (int round = 0; round < 2; ++round) {   // shaped, then from the cache
            img.fill(Qt::white);
            QPainter p(&img);
            painter.paint(p, page, dpi, dpi);
            p.end();
            EXPECT_TRUE(img == expected) << dpi << " dpi, round " << round;
        }
        EXPECT_EQ(painter.shapedTexts(), 9);   // the date shaped once
    }
}
