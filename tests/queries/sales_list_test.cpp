// The sales document list: its statements and totals, the un-audit and delete through the
// window (stock, ledger and receipts by the sales description), the stale-header warnings,
// the browser left without lines by a delete, and the list print.

#include "sales_shop.h"

#include "queries/Udycggl1.h"
#include "support/PreviewTexts.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QMdiArea>
#include <QScopeGuard>

namespace {

using SalesList = SalesShop;

TEST_F(SalesList, OpensOnHeldDocumentsAndRunsTheDialogsClauses)
{
    TFxsgl1& w = list();
    EXPECT_EQ(w.windowTitle(), "销售单据");
    EXPECT_EQ(columnTexts(dm->AQxsz1, "dh"), QStringList{"XS20240106001"});
    EXPECT_EQ(panels(), (QStringList{"1", "99.5", "99.5", "99.5", "0"}));

    // Every edit empty: every row, row 1 despite its empty customer.
    listAll();
    EXPECT_EQ(dm->AQxsz1.sqlText(), "SELECT * FROM xsglz\nwhere kh like '%%'\nand jsr like '%%'\nand dh like '%%'\norder by id");
    EXPECT_EQ(columnTexts(dm->AQxsz1, "dh"), (QStringList{"XS20240105001", "PF20240105001", "XS20240106001"}));
    EXPECT_EQ(panels(), (QStringList{"13", "8709.75", "8699.5", "6699.75", "1999.75"}));

    // The dialog: the customer's edit, a number that keeps the wholesale document, only debts.
    const struct { const char* kh; const char* dh; bool debts; QStringList rows; } runs[] = {
        {"", "pf", false, {"PF20240105001"}},
        {"百货", "", false, {"PF20240105001"}},
        {"", "XS", true, {}},
        {"张", "", false, {"XS20240106001"}},
    };
    for (const auto& r : runs) {
        dialog([&](TFcxxs1& d) {
            EXPECT_EQ(d.objectName(), "TFcxxs1");
            d.Edit1->setText(r.kh);
            d.Edit3->setText(r.dh);
            d.CheckBox2->setChecked(r.debts);
            d.BitBtn1->click();
        });
        EXPECT_EQ(columnTexts(dm->AQxsz1, "dh"), r.rows) << r.kh << r.dh;
    }
    EXPECT_EQ(panels(), (QStringList{"1", "99.5", "99.5", "99.5", "0"}));
    EXPECT_TRUE(rec.empty());
}

TEST_F(SalesList, UnauditPutsTheSaleBackAndTheRowTurnsHeld)
{
    TFxsgl1& w = listAll();
    ASSERT_TRUE(moveTo("XS20240105001"));
    const QString otherWarehouse = stock("A01", "二号仓");
    ASSERT_EQ(stock("A01"), "电视 8 12000 1500");

    w.SB44->click();
    EXPECT_EQ(rec.texts(), QStringList{"确定要反审此单据么？"});
    EXPECT_EQ(stock("A01"), "电视 10 15000 1500");
    EXPECT_EQ(stock("A01", "二号仓"), otherWarehouse);
    EXPECT_EQ(lines("SELECT dh FROM xsfx union all SELECT dh||' '||je FROM skfx"),
              (QStringList{"PF20240105001", "PF20240105001", "PF20240105001 3000.25"}));
    EXPECT_EQ(table("shbj,yse,sse,qk", "xsglz", "XS20240105001"), QStringList{"未审核|3600|3600|0"});
    EXPECT_EQ(w.DBGrid1->rowStyle(dm->AQxsz1.recNo()).brush, QColor(225, 255, 225));
    for (Query* q : {&dm->AQxsfx1, &dm->AQskfx1})
        EXPECT_TRUE(q->sqlLines().value(1) == "where dh='刷新数据'" && q->isOpen() && q->isEmpty());

    // The list still shows an audited row that the database holds held, or no longer holds:
    // each is said, after the question, and nothing changes.
    ASSERT_TRUE(moveTo("PF20240105001"));
    expectStaleUnauditsSaid(*dm, rec, w, "xsglz", "PF20240105001");
}

TEST_F(SalesList, DeleteKeepsReceiptsAndStockAndLeavesAnOpenBrowserWithoutLines)
{
    QMdiArea area;
    setMdiArea(&area);
    const auto noArea = qScopeGuard([] { setMdiArea(nullptr); });
    TFxsgl1& w = listAll();
    ASSERT_TRUE(moveTo("PF20240105001"));
    w.SB55->click();
    ASSERT_FALSE(Fllxsd1.isNull());
    const QString stockBefore = lines("SELECT kcsl,kcje FROM sp ORDER BY id").join(';');

    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList{"确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细和欠款！"});
    EXPECT_EQ(count("xsglz WHERE dh='PF20240105001'") + count("xsglc WHERE dh='PF20240105001'")
                  + count("xsfx WHERE dh='PF20240105001'"),
              0);
    EXPECT_EQ(table("je", "skfx", "PF20240105001"), QStringList{"3000.25"});
    EXPECT_EQ(lines("SELECT kcsl,kcje FROM sp ORDER BY id").join(';'), stockBefore);
    EXPECT_EQ(panels(), (QStringList{"3", "3699.5", "3699.5", "3699.5", "0"}));
    EXPECT_TRUE(dm->AQxsfx1.isOpen() && dm->AQxsfx1.isEmpty());
    EXPECT_FALSE(dm->AQxsc1.isOpen());

    // The browser shows no lines of the deleted document; its next step refuses and closes it.
    rec.clear();
    Fllxsd1->BB3->click();
    EXPECT_EQ(rec.texts(), QStringList{"数据未打开，关闭窗口后重新打开！"});
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Fllxsd1.isNull());
}

TEST_F(SalesList, PrintsTheListWithTheCustomerColumn)
{
    TFxsgl1& w = listAll();
    EXPECT_EQ(previewTexts(modal, reportForm(Fdycggl1).QuickRep1, {"QRLdw", "QRL3", "QRD3", "e1", "e2", "e3"},
                           [&] { w.SB88->click(); }),
              (QStringList{"QRLdw=顺达电器销售单据汇总表", "QRL3=客户", "QRD3=|百货商场|张先生", "e1=13",
                                   "e2=8709.75", "e3=1999.75"}));
}

} // namespace
