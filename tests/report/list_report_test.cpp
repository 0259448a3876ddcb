// The ruled list report built from a description, and the purchase list's layout.
#include "queries/Udycggl1.h"
#include "report/ListReport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

ListLayout sampleLayout()
{
    return ListLayout{
        {
            {0, 30, "编码", "txm", Qt::AlignHCenter},
            {30, 110, "商品名称", "ppgg", Qt::AlignLeft},
            {110, 150, "数量", "sl", Qt::AlignRight},
            {150, 190, "金额", "je", Qt::AlignRight},
        },
        {{"e1", 2}, {"e2", 3}},
    };
}

TableRows sampleRows(int n)
{
    TableRows rows({"txm", "ppgg", "sl", "je"});
    for (int i = 0; i < n; ++i)
        rows.add({QStringLiteral("69%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("海尔冰箱 BCD-%1").arg(200 + i),
                  QString::number(i % 7 - 2), QStringLiteral("%1.5").arg(i * 13)});
    return rows;
}

bool hasLine(const PageContent& p, const QLineF& l)
{
    for (const QLineF& x : p.lines)
        if (qAbs(x.x1() - l.x1()) < 1e-6 && qAbs(x.y1() - l.y1()) < 1e-6 && qAbs(x.x2() - l.x2()) < 1e-6
            && qAbs(x.y2() - l.y2()) < 1e-6)
            return true;
    return false;
}

}

TEST(ListReport, DescriptionGivesTitlesRulesRowsTotalsAndPageNumbers)
{
    TListReport rep(sampleLayout());
    rep.QRLdw->Caption = "通达家电商品汇总表";
    rep.total("e1")->Caption = "12";
    rep.total("e2")->Caption = "3400.5";
    EXPECT_EQ(rep.total("e3"), nullptr);
    const TableRows rows = sampleRows(60);
    const QVector<PageContent> pages = rep.QuickRep1.pages(rows);
    ASSERT_EQ(pages.size(), 2);

    for (const PageContent& p : pages) {
        // Title centred over the table (x 10..200 mm) on every page, 黑体 bold.
        ASSERT_EQ(p.named("QRLdw").size(), 1);
        const PlacedText t = p.named("QRLdw")[0];
        EXPECT_EQ(t.text, "通达家电商品汇总表");
        EXPECT_NEAR(t.rect.center().x(), 105, 1e-9);
        EXPECT_TRUE(t.align & Qt::AlignHCenter);
        EXPECT_EQ(t.font.family, "黑体");
        EXPECT_TRUE(t.font.bold);
        EXPECT_EQ(p.named("QRL2").at(0).text, "商品名称");
    }
    // Page 1 holds as many rows as fit between the headers and the footer.
    const int first = pages[0].named("QRD1").size();
    EXPECT_EQ(first + pages[1].named("QRD1").size(), 60);
    EXPECT_GT(first, 35);
    // Row alignment per column; texts inside their column's rules.
    const PlacedText code = pages[0].named("QRD1")[0], name = pages[0].named("QRD2")[0],
                     qty = pages[0].named("QRD3")[0];
    EXPECT_TRUE(code.align & Qt::AlignHCenter);
    EXPECT_TRUE(name.align & Qt::AlignLeft);
    EXPECT_TRUE(qty.align & Qt::AlignRight);
    EXPECT_DOUBLE_EQ(qty.rect.left(), 10 + 110 + 1);
    EXPECT_DOUBLE_EQ(qty.rect.right(), 10 + 150 - 1);
    EXPECT_EQ(name.text, "海尔冰箱 BCD-200");
    // Vertical rules at each edge of the first detail row, and the rule under it.
    const double y = code.rect.top();
    for (double e : {0.0, 30.0, 110.0, 150.0, 190.0})
        EXPECT_TRUE(hasLine(pages[0], QLineF(10 + e, y, 10 + e, y + 6.1))) << e;
    EXPECT_TRUE(hasLine(pages[0], QLineF(10, y + 6.1, 200, y + 6.1)));

    // Summary only on the last page: "总计" in one cell up to the quantity column, the
    // totals right-aligned under their columns.
    EXPECT_TRUE(pages[0].find("总计").isEmpty());
    ASSERT_EQ(pages[1].find("总计").size(), 1);
    const PlacedText sum = pages[1].find("总计")[0];
    EXPECT_NEAR(sum.rect.center().x(), 10 + 55, 1e-9);
    const PlacedText e1 = pages[1].named("e1").at(0), e2 = pages[1].named("e2").at(0);
    EXPECT_EQ(e1.text, "12");
    EXPECT_EQ(e2.text, "3400.5");
    EXPECT_DOUBLE_EQ(e1.rect.right(), qty.rect.right());
    EXPECT_TRUE(e2.align & Qt::AlignRight);
    EXPECT_TRUE(hasLine(pages[1], QLineF(10 + 110, sum.rect.top(), 10 + 110, sum.rect.top() + 6.1)));
    EXPECT_FALSE(hasLine(pages[1], QLineF(10 + 30, sum.rect.top(), 10 + 30, sum.rect.top() + 6.1)));

    // Page footers "（" + number, at the foot of each page, the last included.
    EXPECT_EQ(pages[0].named("QRSysData1").at(0).text, "（1");
    EXPECT_EQ(pages[1].named("QRSysData1").at(0).text, "（2");
    EXPECT_GT(pages[1].named("QRSysData1").at(0).rect.top(), 270);
}

TEST(ListReport, PurchaseListLayout)
{
    TFdycggl1 rep;
    QStringList titles;
    for (QRLabel* l : rep.titles)
        titles << l->Caption;
    EXPECT_EQ(titles, QStringList({"日期", "单号", "厂商", "合计数量", "合计金额", "欠款"}));
    QStringList fields;
    for (QRDBText* d : rep.texts)
        fields << d->Name + "=" + d->DataField;
    EXPECT_EQ(fields, QStringList({"QRD1=rq", "QRD2=dh", "QRD3=ghs", "QRD4=hjsl", "QRD5=hjje", "QRD6=qk"}));
    rep.QRL3->Caption = "客户";
    rep.total("e3")->Caption = "-20";

    TableRows rows({"rq", "dh", "ghs", "hjsl", "hjje", "qk"});
    rows.add({"2026-12-01", "CG20261201001", "美的电器", "3", "4500", "-20"});
    const PageContent p = rep.QuickRep1.pages(rows).at(0);
    EXPECT_EQ(p.named("QRL3").at(0).text, "客户");
    EXPECT_TRUE(p.named("QRD1").at(0).align & Qt::AlignHCenter);
    EXPECT_TRUE(p.named("QRD2").at(0).align & Qt::AlignHCenter);
    EXPECT_TRUE(p.named("QRD3").at(0).align & Qt::AlignLeft);
    for (const char* n : {"QRD4", "QRD5", "QRD6"})
        EXPECT_TRUE(p.named(n).at(0).align & Qt::AlignRight) << n;
    // e1..e3 under the quantity, amount and debt columns.
    EXPECT_DOUBLE_EQ(p.named("e1").at(0).rect.right(), p.named("QRD4").at(0).rect.right());
    EXPECT_DOUBLE_EQ(p.named("e2").at(0).rect.right(), p.named("QRD5").at(0).rect.right());
    EXPECT_DOUBLE_EQ(p.named("e3").at(0).rect.right(), p.named("QRD6").at(0).rect.right());
    EXPECT_EQ(p.named("e3").at(0).text, "-20");
}

TEST(ListReport, PrintsTwoPagesToPdf)
{
    TListReport rep(sampleLayout());
    rep.QRLdw->Caption = "通达家电商品汇总表";
    rep.total("e1")->Caption = "57";
    rep.total("e2")->Caption = "23014.5";
    const TableRows rows = sampleRows(60);
    const QString path = QDir::temp().filePath("list_report_sample.pdf");
    QFile::remove(path);
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        ASSERT_TRUE(rep.QuickRep1.print(pdf, rows));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    EXPECT_TRUE(data.startsWith("%PDF"));
    EXPECT_EQ(data.count("/Type /Page\n") + data.count("/Type /Page\r") + data.count("/Type /Page "), 2);
}
