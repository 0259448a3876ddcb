// The purchase document layouts and their print.
#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "data/DM1.h"
#include "documents/purchase_print.h"
#include "report/UdyPreview1.h"
#include "shell/Capitals.h"
#include "shell/Umain1.h"
#include "support/Recorder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TableRows purchaseLines()
{
    TableRows rows({"id", "dh", "txm", "ppgg", "dw", "sl", "jg", "zk", "je"});
    rows.add({"1", "CG20261206001", "6901234567890", "格力空调 KFR-35GW", "台", "2", "2999", "1", "5998"});
    rows.add({"2", "CG20261206001", "6909876543210", "美的微波炉 M1-211A", "台", "-1", "499", "0.9", "-449.1"});
    return rows;
}

void fillLabels(TFdycgdLayout& f)
{
    f.QRLdw->Caption = "通达家电采购单";
    f.QRLrq2->Caption = "2026-12-06";
    f.QRLdh2->Caption = "CG20261206001";
    f.QRLghs2->Caption = "格力电器";
    f.QRLbz2->Caption = "含退货一台";
    f.QRLjsr2->Caption = "张三";
    f.QRLyhm2->Caption = "系统管理员";
    f.e1->Caption = "1";
    f.e2->Caption = "￥5548.9";
    f.QRLdx->Caption = "(大写)伍仟伍佰肆拾捌圆玖角";
}

struct Col {
    QString title;
    double left, right;
    QString name, text;
    Qt::Alignment align;
};

void checkTable(const PageContent& p, const QVector<Col>& cols)
{
    const double x0 = 40;   // left margin
    for (int i = 0; i < cols.size(); ++i) {
        const Col& c = cols[i];
        const auto title = p.find(c.title);
        ASSERT_EQ(title.size(), 1) << c.title.toStdString();
        EXPECT_NEAR(title[0].rect.center().x(), x0 + (c.left + c.right) / 2, 1e-9) << c.title.toStdString();
        EXPECT_TRUE(title[0].align & Qt::AlignHCenter);
        const auto cells = p.named(c.name);
        ASSERT_EQ(cells.size(), 2) << c.name.toStdString();
        EXPECT_EQ(cells[0].text, c.text) << c.name.toStdString();
        EXPECT_TRUE(cells[0].align & c.align) << c.name.toStdString();
        EXPECT_GE(cells[0].rect.left(), x0 + c.left);
        EXPECT_LE(cells[0].rect.right(), x0 + c.right);
        // A vertical rule at the column's left edge through the first line.
        bool rule = false;
        for (const QLineF& l : p.lines)
            rule |= qAbs(l.x1() - (x0 + c.left)) < 1e-9 && l.x1() == l.x2() && l.y1() <= cells[0].rect.top()
                    && l.y2() >= cells[0].rect.bottom();
        EXPECT_TRUE(rule) << c.title.toStdString();
    }
}

}

TEST(PurchaseLayouts, WithoutCodesShowsTheDiscountColumn)
{
    TFdycgd1 f;
    fillLabels(f);
    const TableRows rows = purchaseLines();
    const QVector<PageContent> pages = f.QuickRep1.pages(rows);
    ASSERT_EQ(pages.size(), 1);
    const PageContent& p = pages[0];
    checkTable(p, {
                      {"商品名称", 0.1, 70.5, "QRD1", "格力空调 KFR-35GW", Qt::AlignLeft},
                      {"单位", 70.5, 83.2, "QRD2", "台", Qt::AlignHCenter},
                      {"数  量", 83.2, 100.4, "QRD3", "2", Qt::AlignRight},
                      {"单  价", 100.4, 122.9, "QRD4", "2999", Qt::AlignRight},
                      {"折扣", 122.9, 135.1, "QRD6", "1", Qt::AlignRight},
                      {"金  额", 135.1, 160.2, "QRD5", "5998", Qt::AlignRight},
                  });
    EXPECT_TRUE(p.find("编码").isEmpty());
    EXPECT_EQ(p.named("QRD5")[1].text, "-449.1");
    EXPECT_EQ(p.named("QRD6")[1].text, "0.9");
}

TEST(PurchaseLayouts, WithCodesHasNoDiscount)
{
    TFdycgd2 f;
    fillLabels(f);
    const TableRows rows = purchaseLines();
    const PageContent p = f.QuickRep1.pages(rows).at(0);
    checkTable(p, {
                      {"编码", 0.1, 29.8, "QRD0", "6901234567890", Qt::AlignLeft},
                      {"商品名称", 29.8, 75.3, "QRD1", "格力空调 KFR-35GW", Qt::AlignLeft},
                      {"单位", 75.3, 90.1, "QRD2", "台", Qt::AlignHCenter},
                      {"数  量", 90.1, 110.2, "QRD3", "2", Qt::AlignRight},
                      {"单  价", 110.2, 135.1, "QRD4", "2999", Qt::AlignRight},
                      {"金  额", 135.1, 160.2, "QRD5", "5998", Qt::AlignRight},
                  });
    EXPECT_TRUE(p.find("折扣").isEmpty());
}

TEST(PurchaseLayouts, TitleBlockAndRuledSummaryStandWhereDrawn)
{
    TFdycgd1 f;
    fillLabels(f);
    EXPECT_TRUE(f.QuickRep1.Page.printerDefaultPaper);
    EXPECT_EQ(f.QuickRep1.designPaper(), QSizeF(241, 93));
    const TableRows rows = purchaseLines();
    const PageContent p = f.QuickRep1.pages(rows).at(0);
    const double x0 = 40, y0 = 10;
    auto at = [&](const QString& text) {
        const auto t = p.find(text);
        EXPECT_EQ(t.size(), 1) << text.toStdString();
        return t.isEmpty() ? QPointF(-1, -1) : t[0].rect.topLeft();
    };
    const PlacedText title = p.named("QRLdw").at(0);
    EXPECT_EQ(title.text, "通达家电采购单");
    EXPECT_NEAR(title.rect.center().x(), x0 + (0.1 + 160.2) / 2, 1e-9);
    EXPECT_DOUBLE_EQ(title.rect.top(), y0);
    EXPECT_EQ(title.font.px, 19);
    EXPECT_TRUE(title.font.bold);
    EXPECT_EQ(p.find("格力电器").at(0).font.px, 13);
    EXPECT_EQ(at("厂商:"), QPointF(x0 + 0.5, y0 + 7.1));
    EXPECT_EQ(at("格力电器"), QPointF(x0 + 10.6, y0 + 7.1));
    EXPECT_EQ(at("备注:"), QPointF(x0 + 0.5, y0 + 11.6));
    EXPECT_EQ(at("含退货一台"), QPointF(x0 + 10.6, y0 + 11.6));
    EXPECT_EQ(at("单号:"), QPointF(x0 + 124.4, y0 + 7.1));
    EXPECT_EQ(at("CG20261206001"), QPointF(x0 + 134.4, y0 + 7.1));
    EXPECT_EQ(at("日期:"), QPointF(x0 + 124.4, y0 + 11.6));
    EXPECT_EQ(at("2026-12-06"), QPointF(x0 + 134.4, y0 + 11.6));

    // Bands: title 15.9, column header 7.9, two details of 6.1, then the summary.
    const double sumTop = y0 + 15.9 + 7.9 + 2 * 6.1;
    EXPECT_NEAR(p.named("QRD1")[0].rect.top(), y0 + 15.9 + 7.9, 1e-9);
    EXPECT_NEAR(at("合计:").x(), x0 + 2.6, 1e-9);
    EXPECT_NEAR(p.named("QRLdx").at(0).rect.left(), x0 + 12.7, 1e-9);
    EXPECT_EQ(p.named("QRLdx").at(0).text, "(大写)伍仟伍佰肆拾捌圆玖角");
    const PlacedText e1 = p.named("e1").at(0), e2 = p.named("e2").at(0);
    EXPECT_EQ(e1.text, "1");
    EXPECT_EQ(e2.text, "￥5548.9");
    EXPECT_DOUBLE_EQ(e1.rect.right(), p.named("QRD3")[0].rect.right());
    EXPECT_DOUBLE_EQ(e2.rect.right(), p.named("QRD5")[0].rect.right());
    EXPECT_TRUE(e1.align & Qt::AlignRight);
    EXPECT_NEAR(at("经办:").y(), sumTop + 7.4, 1e-9);
    EXPECT_NEAR(at("经办:").x(), x0 + 92.6, 1e-9);
    EXPECT_NEAR(at("张三").x(), x0 + 102.7, 1e-9);
    EXPECT_NEAR(at("制单:").x(), x0 + 124.4, 1e-9);
    EXPECT_NEAR(at("系统管理员").x(), x0 + 134.4, 1e-9);

    // The summary row's cells: rules at the table's left edge, both sides of the quantity
    // cell and the amount cell's left, none inside the first cell or at the price column.
    auto vrule = [&](double x) {
        for (const QLineF& l : p.lines)
            if (l.x1() == l.x2() && qAbs(l.x1() - (x0 + x)) < 1e-9 && qAbs(l.y1() - sumTop) < 1e-9)
                return true;
        return false;
    };
    for (double x : {0.1, 83.2, 100.4, 135.1, 160.2})
        EXPECT_TRUE(vrule(x)) << x;
    for (double x : {70.5, 122.9})
        EXPECT_FALSE(vrule(x)) << x;
    bool under = false;
    for (const QLineF& l : p.lines)
        under |= l.y1() == l.y2() && qAbs(l.y1() - (sumTop + 6.1)) < 1e-9 && qAbs(l.x2() - (x0 + 160.2)) < 1e-9;
    EXPECT_TRUE(under);
    // A document prints no page footer.
    EXPECT_TRUE(p.named("QRSysData1").isEmpty());
}

// ---- the print function --------------------------------------------------------

namespace {
struct PrintFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    void SetUp() override
    {
        dm = std::make_unique<TDM1>(dir.filePath("shop.db"));
        DM1 = dm.get();
        dm->ADOC1.exec("UPDATE danwei SET mcdy='通达家电'");
        dm->ADOC1.exec("INSERT INTO cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES('CG001','dz','690001','格力空调','台',2,2999,1,5998)");
        dm->ADOC1.exec("INSERT INTO cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES('CG001','dz','690002','美的微波炉','台',-1,499,0.9,-449.1)");
        Query& q = dm->AQcgc1;
        q.clearSql();
        q.addSql("SELECT * FROM cgglc");
        q.addSql("order by id");
        q.open();
        q.moveTo(1);
    }
    void TearDown() override { DM1 = nullptr; }

    PurchasePrintFields fields(const QString& total) const
    {
        return {"2026-12-06", "CG001", "格力电器", "张三", "急", "1", total};
    }
    // Prints and returns the first page as the preview showed it.
    PageContent print(bool withCodes, const QString& total)
    {
        ModalScript modal;
        int pages = -1;
        modal.next([&](QDialog& d) { pages = qobject_cast<TFdyPreview1*>(&d)->pageCount(); });
        previewPurchaseDocument(withCodes, fields(total), dm->AQcgc1);
        EXPECT_EQ(pages, 1);
        TFdycgdLayout& f = withCodes ? static_cast<TFdycgdLayout&>(*Fdycgd2) : *Fdycgd1;
        const auto rows = f.QuickRep1.dataRows();
        return f.QuickRep1.layout(*rows).page(0);
    }
};
}

TEST_F(PrintFixture, FillsTheLayoutFromTheFormAndTheCompany)
{
    ASSERT_FALSE(dm->ATdanwei1.isOpen());
    const PageContent p = print(false, "5548.9");
    EXPECT_TRUE(dm->ATdanwei1.isOpen());
    EXPECT_EQ(Fdycgd1->QuickRep1.ReportTitle, "打印预览");
    EXPECT_EQ(Fdycgd1->QuickRep1.DataSet, &dm->AQcgc1);
    EXPECT_EQ(p.named("QRLdw").at(0).text, "通达家电采购单");
    EXPECT_EQ(p.named("QRLrq2").at(0).text, "2026-12-06");
    EXPECT_EQ(p.named("QRLdh2").at(0).text, "CG001");
    EXPECT_EQ(p.named("QRLghs2").at(0).text, "格力电器");
    EXPECT_EQ(p.named("QRLjsr2").at(0).text, "张三");
    EXPECT_EQ(p.named("QRLbz2").at(0).text, "急");
    EXPECT_EQ(p.named("e1").at(0).text, "1");
    EXPECT_EQ(p.named("e2").at(0).text, "￥5548.9");
    EXPECT_EQ(p.named("QRLdx").at(0).text, "(大写)" + AmountToCapitals(Money::parse("5548.9")));
    EXPECT_EQ(p.named("QRLyhm2").at(0).text, currentOperatorName());
    // Lines from the first, though the cursor stood on the second; the cursor stays.
    EXPECT_EQ(p.named("QRD1").at(0).text, "格力空调");
    EXPECT_EQ(p.named("QRD6").at(1).text, "0.9");
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);
}

TEST_F(PrintFixture, ReturnsZeroTotalsAndAnEmptyPrintName)
{
    PageContent p = print(true, "-449.1");
    EXPECT_EQ(p.named("QRLdx").at(0).text, "(大写)" + AmountToCapitals(Money::parse("449.1")) + "(退)");
    EXPECT_EQ(p.named("e2").at(0).text, "￥-449.1");
    EXPECT_EQ(p.named("QRD0").at(1).text, "690002");

    p = print(true, "0");
    EXPECT_EQ(p.named("QRLdx").at(0).text, "(大写)零");

    dm->ATdanwei1.close();
    dm->ADOC1.exec("UPDATE danwei SET mcdy=''");
    p = print(false, "0");
    EXPECT_EQ(p.named("QRLdw").at(0).text, "采购单");

    // A total that is not a number stops the print before the preview.
    ModalScript modal;
    EXPECT_THROW(previewPurchaseDocument(false, fields("abc"), dm->AQcgc1), MoneyFormatError);
    EXPECT_EQ(modal.opened(), 0);
}
