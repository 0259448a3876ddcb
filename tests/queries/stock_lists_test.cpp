// The movement and transfer document lists, twins run from one table: their statements and
// totals, un-audit and delete with their stock, ledger and state effects, the refusals, the
// list prints and the export; and the un-audit rules of both kinds.

#include "stock_shop.h"

#include "Windows.h"
#include "queries/Udydbgl1.h"
#include "queries/Udyrkgl1.h"
#include "shell/Export.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QComboBox>
#include <QMdiArea>
#include <QScopeGuard>

namespace {

using StockLists = StockShop;

TEST_F(StockLists, OpenOnHeldDocumentsAndRunTheirDialogs)
{
    const struct {
        const char* caption;
        QStringList opening, all;   // panels 2, 3 on opening and after an empty run
        const char* firstEdit;      // the column of Edit1
        const char* typed;          // typed into Edit1: the audited document alone
        QStringList typedPanels;
        const char* noPopup;        // the column without the pop-up
    } twins[] = {
        {"库存异动单据", {"3", "7.5"}, {"5", "2.5"}, "lx", "报损", {"2", "-5"}, "仓库"},
        {"库存调拨单据", {"1", "12.5"}, {"4", "42.5"}, "ck1", "主", {"3", "30"}, "调入仓库"},
    };
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        const auto& t = twins[k];
        DocumentList& w = list(k);
        EXPECT_EQ(w.windowTitle(), t.caption);
        EXPECT_EQ(headers(k).sqlText(), "SELECT * FROM " + headerTable(k) + "\nwhere shbj='未审核'\norder by dh");
        EXPECT_EQ(numbers(k), QStringList{held(k)});
        EXPECT_EQ(panels(k), t.opening);
        for (const GridColumn& c : w.DBGrid1->columns())
            EXPECT_EQ(c.popup == nullptr, c.title == t.noPopup) << c.title.toStdString();

        listAll(k);
        EXPECT_EQ(headers(k).sqlText(), QStringLiteral("SELECT * FROM %1\nwhere %2 like '%%'\nand jsr like '%%'\n"
                                                       "and dh like '%%'\norder by id").arg(headerTable(k), t.firstEdit));
        EXPECT_EQ(numbers(k), (QStringList{audited(k), held(k)}));
        EXPECT_EQ(panels(k), t.all);
        EXPECT_FALSE(w.DBGrid1->rowStyle(0).font.isValid());   // no debt font
        EXPECT_EQ(w.DBGrid1->rowStyle(1).brush, QColor(225, 255, 225));

        dialog(k, [&](TConditionDialog& d) {
            EXPECT_EQ(d.CheckBox2, nullptr);
            d.Edit1->setText(t.typed);
            d.BitBtn1->click();
        });
        EXPECT_EQ(numbers(k), QStringList{audited(k)});
        EXPECT_EQ(panels(k), t.typedPanels);

        // Esc in Edit2 closes the dialog; the list stays as it was.
        const QString sql = headers(k).sqlText();
        dialog(k, [](TConditionDialog& d) {
            d.Edit1->setText("无");
            sendKey(d.Edit2, Qt::Key_Escape);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        });
        EXPECT_EQ(headers(k).sqlText(), sql);
    }
    EXPECT_EQ(modal.classes(), (QStringList{"TFcxrk1", "TFcxrk1", "TFcxrk1", "TFcxdb1", "TFcxdb1", "TFcxdb1"}));
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockLists, UnauditPutsTheStockBackAndTheRowTurnsHeld)
{
    // Movement: A01 -4 and B02 6 out of 主仓库 at the rows' cost (A01's amount had drifted);
    // transfer: E05 3 back into 主仓库 and out of 二号仓. The transfer's N2 clicks 反审.
    exec("UPDATE sp SET kcje=97 WHERE txm='A01'");
    exec("INSERT INTO rkfx (dh,ck,sl) VALUES ('YD20231231001','主仓库',1)");
    const QStringList after[] = {{"A01 主仓库 24 120 5", "B02 主仓库 4 10 2.5"},
                                 {"E05 主仓库 8 80 10", "E05 二号仓 5 62.5 12.5"}};
    const char* header[] = {"未审核|2|-5", "未审核|3|30"};
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        const int row = headers(k).recNo();
        const QStringList before = panels(k);
        const int others = count("rkfx WHERE dh<>" + sqlQuote(audited(k)));
        rec.clear();
        k == Movement ? w.SB44->click() : w.N2->trigger();
        EXPECT_EQ(rec.texts(), QStringList{"确定要反审此单据么？"});
        EXPECT_EQ(goods(k == Movement ? "txm IN ('A01','B02')" : "txm='E05'"), after[k]);
        EXPECT_EQ(count("rkfx WHERE dh=" + sqlQuote(audited(k))), 0);
        EXPECT_EQ(count("rkfx"), others);
        EXPECT_EQ(table("shbj,hjsl,hjje", headerTable(k), audited(k)), QStringList{header[k]});
        // The row stays in place, now drawn as held; the totals are not recounted.
        EXPECT_EQ(headers(k).recNo(), row);
        EXPECT_EQ(w.DBGrid1->rowStyle(row).brush, QColor(225, 255, 225));
        EXPECT_EQ(panels(k), before);
        EXPECT_TRUE(dm->AQrkfx1.isOpen() && dm->AQrkfx1.isEmpty());
        EXPECT_EQ(columnTexts(lineQuery(k), "dh").value(0), audited(k));

        rec.clear();
        w.SB44->click();   // again: refused without a question
        EXPECT_EQ(rec.texts(), QStringList{"本单据已经反审！"});
    }
}

TEST_F(StockLists, ADocumentChangedElsewhereIsSaidAndLeftAlone)
{
    for (Kind k : kKinds) {
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        expectStaleUnauditsSaid(*dm, rec, w, headerTable(k), audited(k));
    }
}

TEST_F(StockLists, AFailureAtTheSecondWarehouseChangesNothingAndIsShown)
{
    // Two lines; the second line's destination row cannot change, after three stock changes.
    addGoods("F06", "电扇", "二号仓", "10", "3", "30");
    addGoods("F06", "电扇", "主仓库", "10", "3", "30");
    document(Transfer, "DB20240121001", "主仓库", "二号仓", "已审核", {"E05|微波炉|1|10", "F06|电扇|2|3"});
    exec("CREATE TRIGGER boom BEFORE UPDATE ON sp WHEN OLD.txm='F06' AND OLD.ck='二号仓' "
         "BEGIN SELECT RAISE(ABORT,'stock locked'); END");
    DocumentList& w = listAll(Transfer);
    ASSERT_TRUE(moveTo(Transfer, "DB20240121001"));
    const QString before = dump();
    sendKey(w.SB44, Qt::Key_Space);
    ASSERT_EQ(rec.count(), 2);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_TRUE(rec.last().text.contains("stock locked"));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(columnTexts(dm->AQdbz1, "shbj"), (QStringList{"已审核", "未审核", "已审核"}));
    EXPECT_FALSE(dm->AQdbc1.controlsDisabled());
}

TEST_F(StockLists, RefuseOnAClosedOrEmptyList)
{
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        rec.clear();
        DocumentList& w = list(k);
        headers(k).close();
        for (auto* b : {w.SB44, w.SB55, w.SB66, w.SB88, w.SB99})
            b->click();
        ASSERT_EQ(rec.count(), 5);
        for (const MessageRequest& m : rec.all())
            EXPECT_TRUE(m.text == "数据表未打开，请先查询！" && m.caption == "警告" && m.icon == MsgIcon::Warning);

        rec.clear();
        list(k);
        dialog(k, [](TConditionDialog& d) { d.Edit3->setText("无此单号"); d.BitBtn1->click(); });
        for (auto* b : {w.SB44, w.SB66, w.SB55})
            b->click();
        EXPECT_EQ(rec.texts(), (QStringList{"没有单据可反审，请先查询！", "没有单据可删除！", "没有单据可查阅！"}));
    }
    EXPECT_EQ(modal.opened(), 2);   // the dialogs; no browser, no preview
}

TEST_F(StockLists, DeleteTakesTheDocumentAndItsLedgerButNoStock)
{
    QMdiArea area;
    setMdiArea(&area);
    const auto noArea = qScopeGuard([] { setMdiArea(nullptr); });
    const QStringList left[] = {{"3", "7.5"}, {"1", "12.5"}};
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        w.SB55->click();
        ASSERT_NE(browser(k), nullptr);
        const QStringList stock = goods();
        rec.clear();
        k == Movement ? w.SB66->click() : w.N1->trigger();
        EXPECT_EQ(rec.texts(), QStringList{"确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细！"});
        const QString where = " WHERE dh=" + sqlQuote(audited(k));
        EXPECT_EQ(count(headerTable(k) + where) + count(headerTable(k).replace('z', 'c') + where)
                      + count("rkfx" + where), 0);
        EXPECT_EQ(goods(), stock);
        EXPECT_EQ(numbers(k), QStringList{held(k)});
        EXPECT_EQ(panels(k), left[k]);
        EXPECT_TRUE(dm->AQrkfx1.isOpen() && dm->AQrkfx1.isEmpty());
        EXPECT_FALSE(lineQuery(k).isOpen());

        // The open browser shows no lines of the deleted document; its next step refuses and closes it.
        rec.clear();
        browser(k)->BB3->click();
        EXPECT_EQ(rec.texts(), QStringList{"数据未打开，关闭窗口后重新打开！"});
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(browser(k), nullptr);

        w.SB66->click();   // the held one, the last row: both totals back to "0"
        EXPECT_EQ(panels(k), (QStringList{"0", "0"}));
    }
}

TEST_F(StockLists, PrintAndExportTheList)
{
    const struct {
        QStringList placed;
        const char* under4;          // the data text under the fourth title
        QStringList titles, first;   // the export's first two rows, first six cells ("#": a number cell)
    } twins[] = {
        {{"QRLdw=顺达电器异动单据汇总表", "QRL3=异动原因", "QRL4=合计数量", "QRD3=商品报损|盘盈入库", "QRD4=2|3",
          "QRD6=王五|王五", "e1=5", "e2=2.5"},
         "QRD4",
         {"异动日期", "单号", "仓库", "异动原因", "合计数量", "合计金额"},
         {"2024-01-10", "YD20240110001", "主仓库", "商品报损", "#2", "#-5"}},
        {{"QRLdw=顺达电器调拨单据汇总表", "QRL3=调出仓库", "QRL4=调入仓库", "QRD3=主仓库|二号仓", "QRD4=3|1",
          "QRD6=二号仓|三号仓", "e1=4", "e2=42.5"},
         "QRD6",
         {"调拨日期", "单号", "调出仓库", "调入仓库", "合计数量", "合计金额"},
         {"2024-01-12", "DB20240112001", "主仓库", "二号仓", "#3", "#30"}},
    };
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        const auto& t = twins[k];
        DocumentList& w = listAll(k);
        const QuickRep& rep = k == Movement ? reportForm(Fdyrkgl1).QuickRep1 : reportForm(Fdydbgl1).QuickRep1;
        EXPECT_EQ(previewTexts(modal, rep, {"QRLdw", "QRL3", "QRL4", "QRD3", "QRD4", "QRD6", "e1", "e2"},
                               [&] { w.SB88->click(); }),
                  t.placed);
        const PageContent page = rep.layout(*rep.dataRows()).page(0);
        EXPECT_EQ(page.named("QRL4")[0].rect.left(), page.named(t.under4)[0].rect.left());

        QString written;
        setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
        w.SB99->click();
        setSpreadsheetLauncher({});
        const QVector<QStringList> rows = readSheet(written);
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0].mid(0, 6), t.titles);
        EXPECT_EQ(rows[1].mid(0, 6), t.first);
        EXPECT_EQ(rows[2].value(10), "未审核");
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockLists, MenuItemsOpenTheListsOnce)
{
    TFmain1 main;
    wireMenus(main);
    for (Kind k : kKinds) {
        QAction* item = k == Movement ? main.N410 : main.N420;
        item->trigger();
        DocumentList* w = &window(k);
        headers(k).close();
        item->trigger();   // brought to the front, not run again
        EXPECT_EQ(&window(k), w);
        EXPECT_FALSE(headers(k).isOpen());
    }
}

// ---- The un-audit rules ----

using StockReversal = StockShop;

TEST_F(StockReversal, MovementLinesOfOneMissingItemGoInLineOrder)
{
    // Line 10 creates the row at its price 2; line 11 then moves it at that cost (the other
    // order would create it at 4 and give -32).
    exec("INSERT INTO rkglz (dh,ck,shbj) VALUES ('YD20240120001','主仓库','已审核')");
    exec("INSERT INTO rkglc (id,dh,txm,ppgg,dw,sl,jg,je) VALUES "
         "(11,'YD20240120001','M01','灯泡','台',3,4,12),(10,'YD20240120001','M01','灯泡','台',5,2,10)");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240120001"), ReversalResult::Done);
    EXPECT_EQ(goods("txm='M01'", true), QStringList{"未知 M01 主仓库 -8 -16 2"});

    // A movement without lines: its ledger rows go and its state, no stock changes.
    const QStringList stock = goods();
    exec("DELETE FROM rkglc WHERE dh='YD20240110001'");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240110001"), ReversalResult::Done);
    EXPECT_EQ(goods(), stock);
    EXPECT_EQ(count("rkfx WHERE dh='YD20240110001'"), 0);
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240110001"), ReversalResult::AlreadyHeld);
}

TEST_F(StockReversal, TransferPutsTheLineBackIntoTheSourceThenTakesItOutOfTheDestination)
{
    // A line of 3 at 10 from ck1 to ck2; the goods rows before ("" none) and after (ck1's,
    // then ck2's when another). Created rows take the line's amount as stored (29.99).
    const struct { const char* ck2; const char* before1; const char* before2; QStringList after; } cases[] = {
        {"二号仓", "5 10 50", "8 12.5 100", {"电视 T01 主仓库 8 80 10", "电视 T01 二号仓 5 62.5 12.5"}},
        {"二号仓", "", "", {"未知 T01 主仓库 3 29.99 10", "未知 T01 二号仓 -3 -29.99 10"}},
        {"主仓库", "5 10 47", "", {"电视 T01 主仓库 5 50 10"}},   // one row, twice
        {"主仓库", "", "", {"未知 T01 主仓库 0 0 10"}},           // created, then back to 0
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString dh = QStringLiteral("DB2024012000%1").arg(++n);
        SCOPED_TRACE(n);
        exec("DELETE FROM sp WHERE txm='T01'");
        for (const auto& [ck, before] : {std::pair{"主仓库", c.before1}, std::pair{c.ck2, c.before2}}) {
            const QStringList v = QString(before).split(' ', Qt::SkipEmptyParts);
            if (!v.isEmpty())
                addGoods("T01", "烤箱", ck, qPrintable(v[0]), qPrintable(v[1]), qPrintable(v[2]));
        }
        document(Transfer, dh, "主仓库", c.ck2, "未审核", {"T01|烤箱|3|10"});
        exec("UPDATE dbglz SET shbj='已审核' WHERE dh=" + sqlQuote(dh));
        exec("UPDATE dbglc SET je=" + QString(n == 2 ? "29.99" : "30") + " WHERE dh=" + sqlQuote(dh));
        EXPECT_EQ(unauditDocument(*dm, transferDocuments(), dh), ReversalResult::Done);
        EXPECT_EQ(goods("txm='T01'", true), c.after);
        EXPECT_EQ(scalar("SELECT shbj FROM dbglz WHERE dh=" + sqlQuote(dh)), "未审核");
    }
}

} // namespace
