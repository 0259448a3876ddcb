// The purchase document layouts and their print.
#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/purchase_print.h"
#include "report/UdyPreview1.h"
#include "shell/Capitals.h"
#include "shell/Umain1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>


namespace {

// "title=name:text" and the alignment (< | >) of each column's first line.
QStringList columns(const TFdycgdLayout& f, const PageContent& p)
{
    QStringList out;
    for (int i = 0; i < f.dataTexts.size(); ++i) {
        const PlacedText t = p.named(QStringLiteral("QRL%1").arg(i + 1)).at(0), d = p.named(f.dataTexts[i]->Name).at(0);
        EXPECT_NEAR(t.rect.center().x(), d.rect.center().x(), 1e-9) << i;   // title over its cells
        out << t.text + "=" + d.name + ":" + d.text
                   + (d.align & Qt::AlignRight ? ">" : d.align & Qt::AlignHCenter ? "|" : "<");
    }
    return out;
}

}

TEST(PurchaseLayouts, ColumnsSummaryCellsAndTitle)
{
    TableRows rows({"id", "txm", "ppgg", "dw", "sl", "jg", "zk", "je"});
    rows.add({"1", "6901234567890", "格力空调 KFR-35GW", "台", "2", "2999", "0.9", "5398.2"});
    TFdycgd1 f1;
    TFdycgd2 f2;
    EXPECT_EQ(f1.QRD6->DataField + f1.QRD5->DataField + f2.QRD0->DataField + f2.QRD5->DataField, "zkjetxmje");
    struct Case {
        TFdycgdLayout& f;
        QStringList cols;
        QList<double> summaryRules;   // mm from the table's left
    } cases[] = {
        {f1,
         {"商品名称=QRD1:格力空调 KFR-35GW<", "单位=QRD2:台|", "数  量=QRD3:2>", "单  价=QRD4:2999>", "折扣=QRD6:0.9>",
          "金  额=QRD5:5398.2>"},
         {0.1, 83.2, 100.4, 135.1, 160.2}},
        {f2,
         {"编码=QRD0:6901234567890<", "商品名称=QRD1:格力空调 KFR-35GW<", "单位=QRD2:台|", "数  量=QRD3:2>",
          "单  价=QRD4:2999>", "金  额=QRD5:5398.2>"},
         {0.1, 90.1, 110.2, 135.1, 160.2}},
    };
    for (Case& c : cases) {
        c.f.QRLdw->Caption = "通达家电采购单";
        c.f.e1->Caption = "2";
        c.f.e2->Caption = "￥5398.2";
        const QVector<PageContent> pages = c.f.QuickRep1.pages(rows);
        ASSERT_EQ(pages.size(), 1);
        const PageContent& p = pages[0];
        EXPECT_EQ(columns(c.f, p), c.cols);
        EXPECT_NEAR(p.named("QRLdw").at(0).rect.center().x(), 40 + (0.1 + 160.2) / 2, 1e-9);   // over the table
        // The summary row: the quantity and the amount under their columns, in cells of
        // their own; a rule under it; no page footer on a document.
        const PlacedText e1 = p.named("e1").at(0), e2 = p.named("e2").at(0);
        EXPECT_DOUBLE_EQ(e1.rect.right(), p.named("QRD3")[0].rect.right());
        EXPECT_DOUBLE_EQ(e2.rect.right(), p.named("QRD5")[0].rect.right());
        EXPECT_TRUE((e1.align & Qt::AlignRight) && (e2.align & Qt::AlignRight));
        const double sumTop = 10 + 15.9 + 7.9 + 6.1;
        QList<double> rules;   // vertical rules of the summary row; is there one under it
        bool under = false;
        for (const QLineF& l : p.lines) {
            if (l.x1() == l.x2() && qAbs(l.y1() - sumTop) < 1e-9)
                rules << qRound((l.x1() - 40) * 10) / 10.0;
            under |= l.y1() == l.y2() && qAbs(l.y1() - (sumTop + 6.1)) < 1e-9 && qAbs(l.x2() - 200.2) < 1e-9;
        }
        EXPECT_EQ(rules, c.summaryRules);
        EXPECT_TRUE(under);
        EXPECT_TRUE(p.named("QRSysData1").isEmpty());
    }
}

namespace {
struct PrintFixture : ::testing::Test {
    TempShop shop{false};
    TDM1* dm = shop.dm.get();
    void SetUp() override
    {
        dm->ADOC1.exec("UPDATE danwei SET mcdy='通达家电'");
        dm->ADOC1.exec("INSERT INTO cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES('CG001','dz','690001','格力空调','台',2,2999,1,5998),"
                       "('CG001','dz','690002','美的微波炉','台',-1,499,0.9,-449.1)");
        dm->AQcgc1.setSql({"SELECT * FROM cgglc", "order by id"});
        dm->AQcgc1.open();
        dm->AQcgc1.moveTo(1);
    }

    PurchasePrintFields fields(const QString& total) const
    {
        return {"2026-12-06", "CG001", "格力电器", "张三", "急", "1", total};
    }
    // Prints; "name=text" of the filled labels and some line texts of the page the preview showed.
    QStringList print(bool withCodes, const QString& total)
    {
        ModalScript modal;
        int pages = -1;
        modal.next([&](QDialog& d) { pages = qobject_cast<TFdyPreview1*>(&d)->pageCount(); });
        previewPurchaseDocument(withCodes, fields(total), dm->AQcgc1);
        EXPECT_EQ(pages, 1);
        TFdycgdLayout& f = withCodes ? static_cast<TFdycgdLayout&>(*Fdycgd2) : *Fdycgd1;
        EXPECT_EQ(f.QuickRep1.ReportTitle, "打印预览");
        EXPECT_EQ(f.QuickRep1.DataSet, &dm->AQcgc1);
        QStringList out;
        for (const PlacedText& t : f.QuickRep1.layout(*f.QuickRep1.dataRows()).page(0).texts)
            if (QStringList{"QRLdw", "QRLghs2", "QRLbz2", "QRLdh2", "QRLrq2", "QRD0", "QRD1", "QRD6", "QRLdx", "e1",
                            "e2", "QRLjsr2", "QRLyhm2"}
                    .contains(t.name))
                out << t.name + "=" + t.text;
        return out;
    }
};
}

TEST_F(PrintFixture, FillsTheLayoutFromTheFormAndTheCompany)
{
    ASSERT_FALSE(dm->ATdanwei1.isOpen());
    EXPECT_EQ(print(false, "5548.9"),
              (QStringList{"QRLdw=通达家电采购单", "QRLghs2=格力电器", "QRLbz2=急", "QRLdh2=CG001", "QRLrq2=2026-12-06",
                           "QRD1=格力空调", "QRD6=1", "QRD1=美的微波炉", "QRD6=0.9",
                           "QRLdx=(大写)" + AmountToCapitals(Money::parse("5548.9")), "e1=1", "e2=￥5548.9",
                           "QRLjsr2=张三", "QRLyhm2=" + currentOperatorName()}));
    EXPECT_TRUE(dm->ATdanwei1.isOpen());
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);   // lines printed from the first; the cursor stays
}

TEST_F(PrintFixture, ReturnsZeroTotalsAndAnEmptyPrintName)
{
    const QStringList back = print(true, "-449.1");
    EXPECT_TRUE(back.contains("QRLdx=(大写)" + AmountToCapitals(Money::parse("449.1")) + "(退)"));
    EXPECT_TRUE(back.contains("e2=￥-449.1") && back.contains("QRD0=690002"));
    EXPECT_TRUE(print(true, "0").contains("QRLdx=(大写)零"));
    dm->ATdanwei1.close();
    dm->ADOC1.exec("UPDATE danwei SET mcdy=''");
    EXPECT_TRUE(print(false, "0").contains("QRLdw=采购单"));

    // A total that is not a number stops the print before the preview.
    ModalScript modal;
    EXPECT_THROW(previewPurchaseDocument(false, fields("abc"), dm->AQcgc1), MoneyFormatError);
    EXPECT_EQ(modal.opened(), 0);
}
