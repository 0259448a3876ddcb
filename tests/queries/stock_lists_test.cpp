// The movement and transfer document lists, twins run from one table: their statements,
// dialogs and totals, the un-audit and delete through the window with their stock, ledger
// and state effects, the refusals, the list prints and the export.

#include "stock_shop.h"

#include "queries/Udydbgl1.h"
#include "queries/Udyrkgl1.h"
#include "shell/Export.h"
#include "shell/Umain1.h"
#include "Windows.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QScopeGuard>

namespace {

using StockLists = StockShop;
const Kind kKinds[] = {Kind::Movement, Kind::Transfer};

TEST_F(StockLists, OpenOnHeldDocumentsAndRunTheirDialogs)
{
    const struct {
        Kind kind;
        const char* caption;
        QStringList opening;            // panels 2, 3 on opening
        const char* emptyRun;           // the statement of a run with nothing typed
        QStringList all;                // panels after it
        QStringList labels;             // the edits' captions
        const char* edit1;              // typed into Edit1: the audited document alone
        QStringList edit1Panels;
        const char* noPopup;            // the column without the pop-up
    } twins[] = {
        {Kind::Movement, "库存异动单据", {"3", "7.5"},
         "SELECT * FROM rkglz\nwhere lx like '%%'\nand jsr like '%%'\nand dh like '%%'\norder by id", {"5", "2.5"},
         {"类　　型", "员　　工", "单　　号"}, "报损", {"2", "-5"}, "仓库"},
        {Kind::Transfer, "库存调拨单据", {"1", "12.5"},
         "SELECT * FROM dbglz\nwhere ck1 like '%%'\nand jsr like '%%'\nand dh like '%%'\norder by id", {"4", "42.5"},
         {"调出仓库", "员　　工", "单　　号"}, "主", {"3", "30"}, "调入仓库"},
    };
    for (const auto& t : twins) {
        SCOPED_TRACE(testing::Message() << t.kind);
        const Kind k = t.kind;
        DocumentList& w = list(k);
        EXPECT_EQ(w.windowTitle(), t.caption);
        EXPECT_EQ(numbers(k), QStringList{held(k)});
        EXPECT_EQ(headers(k).sqlText(), QStringLiteral("SELECT * FROM %1\nwhere shbj='未审核'\norder by dh").arg(headerTable(k)));
        EXPECT_EQ(panels(k), t.opening);
        EXPECT_EQ(w.legendLabel->text(), "未审核单据");
        EXPECT_EQ(w.DBGrid1->rowStyle(0).brush, QColor(225, 255, 225));
        for (const GridColumn& c : w.DBGrid1->columns())
            EXPECT_EQ(c.popup == nullptr, c.title == t.noPopup) << c.title.toStdString();

        listAll(k);
        EXPECT_EQ(headers(k).sqlText(), t.emptyRun);
        EXPECT_EQ(numbers(k), (QStringList{audited(k), held(k)}));
        EXPECT_EQ(panels(k), t.all);
        EXPECT_FALSE(w.DBGrid1->rowStyle(0).font.isValid());   // no debt font

        // The dialog: its captions and no debt switch; the first edit, the state, the dates.
        dialog(k, [&](TConditionDialog& d) {
            QStringList labels;
            for (const QLabel* l : d.findChildren<QLabel*>())
                labels << l->text();
            for (const QString& l : t.labels)
                EXPECT_TRUE(labels.contains(l)) << l.toStdString();
            EXPECT_EQ(d.CheckBox2, nullptr);
            d.Edit1->setText(t.edit1);
            d.BitBtn1->click();
        });
        EXPECT_EQ(numbers(k), QStringList{audited(k)});
        EXPECT_EQ(panels(k), t.edit1Panels);
        dialog(k, [](TConditionDialog& d) { d.ComboBox1->setCurrentIndex(2); d.BitBtn1->click(); });
        EXPECT_EQ(numbers(k), QStringList{audited(k)});
        dialog(k, [](TConditionDialog& d) {
            d.CheckBox1->setChecked(true);
            d.DateTimePicker1->setDate(QDate(2024, 1, 11));
            d.DateTimePicker2->setDate(QDate(2024, 1, 12));
            d.BitBtn1->click();
        });
        EXPECT_EQ(headers(k).sqlLines().value(4), "and rq>='2024-01-11'and rq<='2024-01-12'");
        EXPECT_EQ(numbers(k).size(), 1);

        // Esc in Edit2 closes the dialog; the list stays as it was.
        const QString sql = headers(k).sqlText();
        dialog(k, [](TConditionDialog& d) {
            d.Edit1->setText("无");
            sendKey(d.Edit2, Qt::Key_Escape);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        });
        EXPECT_EQ(headers(k).sqlText(), sql);
        EXPECT_EQ(numbers(k).size(), 1);
    }
    EXPECT_EQ(modal.classes().filter("TFcxrk1").size(), 5);
    EXPECT_EQ(modal.classes().filter("TFcxdb1").size(), 5);
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockLists, UnauditPutsTheStockBackAndTheRowTurnsHeld)
{
    // Movement: A01 -4 and B02 6 out of 主仓库 at the rows' cost (A01's amount had drifted);
    // transfer: E05 3 back into 主仓库 and out of 二号仓. The transfer's N2 clicks 反审.
    setStock("A01", "主仓库", "20", "5", "97");
    exec("INSERT INTO rkfx (rq,txm,ppgg,dw,sl,jg,je,lx,jsr,dh,ck) "
         "VALUES ('2023-12-31','A01','冰箱','台',1,5,5,'盘盈入库','王五','YD20231231001','主仓库')");
    const struct {
        Kind kind;
        QStringList stock;       // txm ck kcsl kcje kcjg afterwards
    } twins[] = {
        {Kind::Movement, {"A01 主仓库 24 120 5", "B02 主仓库 4 10 2.5"}},
        {Kind::Transfer, {"E05 主仓库 8 80 10", "E05 二号仓 5 62.5 12.5"}},
    };
    for (const auto& t : twins) {
        SCOPED_TRACE(testing::Message() << t.kind);
        const Kind k = t.kind;
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        const int row = headers(k).recNo();
        const QStringList before = panels(k);
        const QString others = "rkfx WHERE dh<>" + sqlQuote(audited(k));
        const int otherRows = count(others);
        ASSERT_GT(otherRows, 0);
        rec.clear();
        k == Kind::Movement ? w.SB44->click() : w.N2->trigger();
        EXPECT_EQ(rec.texts(), QStringList{"确定要反审此单据么？"});
        EXPECT_EQ(rec.last().icon, MsgIcon::Question);

        QStringList stock;
        for (const QString& s : t.stock) {
            const QStringList f = s.split(' ');
            stock << lines("SELECT txm,ck,kcsl,kcje,kcjg FROM sp WHERE txm=" + sqlQuote(f[0]) + " AND ck=" + sqlQuote(f[1]),
                           ' ')
                         .join(';');
        }
        EXPECT_EQ(stock, t.stock);
        EXPECT_EQ(count("rkfx WHERE dh=" + sqlQuote(audited(k))), 0);
        EXPECT_EQ(count(others), otherRows);
        EXPECT_EQ(table("shbj,hjsl,hjje", headerTable(k), audited(k)),
                  QStringList{k == Kind::Movement ? "未审核|2|-5" : "未审核|3|30"});
        // The row stays in place, now drawn as held; the totals are not recounted.
        EXPECT_EQ(headers(k).recNo(), row);
        EXPECT_EQ(w.DBGrid1->rowStyle(row).brush, QColor(225, 255, 225));
        EXPECT_EQ(panels(k), before);
        EXPECT_TRUE(dm->AQrkfx1.isOpen() && dm->AQrkfx1.isEmpty());
        EXPECT_EQ(dm->AQrkfx1.sqlLines().value(1), "where dh='刷新数据'");
        EXPECT_EQ(columnTexts(lineQuery(k), "dh").value(0), audited(k));

        // Again: refused without a question.
        rec.clear();
        w.SB44->click();
        EXPECT_EQ(rec.texts(), QStringList{"本单据已经反审！"});
    }
}

TEST_F(StockLists, AFailureAtTheSecondWarehouseChangesNothingAndIsShown)
{
    exec("CREATE TRIGGER boom BEFORE UPDATE ON sp WHEN OLD.ck='二号仓' BEGIN SELECT RAISE(ABORT,'stock locked'); END");
    DocumentList& w = listAll(Kind::Transfer);
    ASSERT_TRUE(moveTo(Kind::Transfer, audited(Kind::Transfer)));
    const QString before = dump();
    sendKey(w.SB44, Qt::Key_Space);
    ASSERT_EQ(rec.count(), 2);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_TRUE(rec.last().text.contains("stock locked"));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(headers(Kind::Transfer).text("shbj"), "已审核");
}

TEST_F(StockLists, ADocumentChangedElsewhereIsSaidAndLeftAlone)
{
    for (Kind k : kKinds) {
        SCOPED_TRACE(testing::Message() << k);
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        expectStaleUnauditsSaid(*dm, rec, w, headerTable(k), audited(k));
    }
}

TEST_F(StockLists, RefuseOnAClosedOrEmptyListAndOnCancel)
{
    for (Kind k : kKinds) {
        SCOPED_TRACE(testing::Message() << k);
        DocumentList& w = list(k);
        headers(k).close();
        for (auto* b : {w.SB44, w.SB55, w.SB66, w.SB88, w.SB99})
            b->click();
        ASSERT_EQ(rec.count(), 5);
        for (const MessageRequest& m : rec.all())
            EXPECT_TRUE(m.text == "数据表未打开，请先查询！" && m.caption == "警告" && m.icon == MsgIcon::Warning);

        // A held document: refused before any question; Cancel keeps the audited one.
        rec.clear();
        listAll(k);
        ASSERT_TRUE(moveTo(k, held(k)));
        w.SB44->click();
        ASSERT_TRUE(moveTo(k, audited(k)));
        const QString before = dump();
        rec.answer(MbCancel);
        w.SB44->click();
        rec.answer(MbCancel);
        w.SB66->click();
        EXPECT_EQ(dump(), before);

        dialog(k, [](TConditionDialog& d) { d.Edit3->setText("无此单号"); d.BitBtn1->click(); });
        for (auto* b : {w.SB44, w.SB66, w.SB55})
            b->click();
        EXPECT_EQ(rec.texts(), (QStringList{"本单据已经反审！", "确定要反审此单据么？",
                                            "确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细！",
                                            "没有单据可反审，请先查询！", "没有单据可删除！", "没有单据可查阅！"}));
        rec.clear();
    }
    EXPECT_EQ(modal.opened(), 4);   // the dialogs; no browser, no preview
}

TEST_F(StockLists, DeleteTakesTheDocumentAndItsLedgerButNoStock)
{
    QMdiArea area;
    setMdiArea(&area);
    const auto noArea = qScopeGuard([] { setMdiArea(nullptr); });
    const struct { Kind kind; QStringList left; } twins[] = {
        {Kind::Movement, {"3", "7.5"}},
        {Kind::Transfer, {"1", "12.5"}},
    };
    for (const auto& t : twins) {
        SCOPED_TRACE(testing::Message() << t.kind);
        const Kind k = t.kind;
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        w.SB55->click();
        ASSERT_NE(browser(k), nullptr);
        const QString stock = allStock();
        rec.clear();
        k == Kind::Movement ? w.SB66->click() : w.N1->trigger();
        EXPECT_EQ(rec.texts(), QStringList{"确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细！"});
        const QString where = " WHERE dh=" + sqlQuote(audited(k));
        EXPECT_EQ(count(headerTable(k) + where) + count(lineTable(k) + where) + count("rkfx" + where), 0);
        EXPECT_EQ(allStock(), stock);
        EXPECT_EQ(numbers(k), QStringList{held(k)});
        EXPECT_EQ(panels(k), t.left);
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
        EXPECT_EQ(count(headerTable(k)), 0);
    }
}

TEST_F(StockLists, PrintAndExportTheList)
{
    const struct {
        Kind kind;
        QStringList placed;
        QStringList titles, first;   // the export's first two rows, first six cells
    } twins[] = {
        {Kind::Movement,
         {"QRLdw=顺达电器异动单据汇总表", "QRL3=异动原因", "QRL4=合计数量", "QRD3=商品报损|盘盈入库", "QRD4=2|3",
          "QRD6=王五|王五", "e1=5", "e2=2.5"},
         {"异动日期", "单号", "仓库", "异动原因", "合计数量", "合计金额"},
         {"2024-01-10", "YD20240110001", "主仓库", "商品报损", "2", "-5"}},
        {Kind::Transfer,
         {"QRLdw=顺达电器调拨单据汇总表", "QRL3=调出仓库", "QRL4=调入仓库", "QRD3=主仓库|二号仓", "QRD4=3|1",
          "QRD6=二号仓|三号仓", "e1=4", "e2=42.5"},
         {"调拨日期", "单号", "调出仓库", "调入仓库", "合计数量", "合计金额"},
         {"2024-01-12", "DB20240112001", "主仓库", "二号仓", "3", "30"}},
    };
    for (const auto& t : twins) {
        SCOPED_TRACE(testing::Message() << t.kind);
        DocumentList& w = listAll(t.kind);
        const QuickRep& rep = t.kind == Kind::Movement ? reportForm(Fdyrkgl1).QuickRep1 : reportForm(Fdydbgl1).QuickRep1;
        EXPECT_EQ(previewTexts(modal, rep, {"QRLdw", "QRL3", "QRL4", "QRD3", "QRD4", "QRD6", "e1", "e2"},
                               [&] { w.SB88->click(); }),
                  t.placed);
        // Each data text stands under its title: QRD6 under the fourth title of the transfer.
        const PageContent page = rep.layout(*rep.dataRows()).page(0);
        const char* under[][2] = {{"QRL3", "QRD3"}, {"QRL4", t.kind == Kind::Movement ? "QRD4" : "QRD6"}};
        for (const auto& u : under)
            EXPECT_EQ(page.named(u[0]).value(0).rect.left(), page.named(u[1]).value(0).rect.left()) << u[1];

        QString written;
        setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
        w.SB99->click();
        setSpreadsheetLauncher({});
        const QVector<QStringList> rows = readSheet(written);
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0].size(), 11);
        EXPECT_EQ(rows[0].mid(0, 6), t.titles);
        EXPECT_EQ(rows[1].mid(0, 6), t.first);
        EXPECT_EQ(rows[2][10], "未审核");
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockLists, MenuItemsOpenTheListsOnce)
{
    TFmain1 main;
    wireMenus(main);
    const struct { QAction* item; Kind kind; } items[] = {{main.N410, Kind::Movement}, {main.N420, Kind::Transfer}};
    for (const auto& it : items) {
        it.item->trigger();
        DocumentList* w = &window(it.kind);
        ASSERT_NE(w, nullptr);
        headers(it.kind).close();
        it.item->trigger();   // brought to the front, not run again
        EXPECT_EQ(&window(it.kind), w);
        EXPECT_FALSE(headers(it.kind).isOpen());
    }
}

} // namespace
