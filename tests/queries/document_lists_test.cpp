// The four document lists on their shared list window and condition dialog, run from one
// table per behaviour: opening, the dialogs, refusals, un-audit and delete through the
// window, print, export and the menu; the window's title sort and size once.

#include "document_shop.h"

#include "bases/ConditionDialog.h"
#include "documents/Uxzcg1.h"
#include "queries/Udycggl1.h"
#include "queries/Udydbgl1.h"
#include "queries/Udyrkgl1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>

namespace {

using DocumentLists = DocumentShop;
const QColor kHeld(225, 255, 225), kRed(255, 0, 0);

TEST_F(DocumentLists, OpenOnHeldDocumentsAndRunTheirDialogs)
{
    const struct {
        const char* caption;
        QStringList opening, all, typed;   // totals on opening, after an empty run, after typing
        const char* firstEdit;             // the column of Edit1
        const char* typedText;             // typed into Edit1: the audited document alone
        QStringList styles;                // rows by id: "r" red font (a debt), "h" held brush
        const char* noPopup;               // the column without the pop-up
        const char* dialog;
    } twins[] = {
        {"采购单据", {"2", "50.25", "50.25", "20", "30.25"}, {"5", "150.5", "150.5", "120.25", "30.25"},
         {"3", "100.25", "100.25", "100.25", "0"}, "ghs", "华南", {"--", "rh"}, "仓库", "TFcxcg1"},
        {"销售单据", {"1", "99.5", "99.5", "99.5", "0"}, {"13", "8709.75", "8699.5", "6699.75", "1999.75"},
         {"10", "5010.25", "5000", "3000.25", "1999.75"}, "kh", "百货", {"--", "r-", "-h"}, "仓库", "TFcxxs1"},
        {"库存异动单据", {"3", "7.5"}, {"5", "2.5"}, {"2", "-5"}, "lx", "报损", {"--", "-h"}, "仓库", "TFcxrk1"},
        {"库存调拨单据", {"1", "12.5"}, {"4", "42.5"}, {"3", "30"}, "ck1", "主", {"--", "-h"}, "调入仓库", "TFcxdb1"},
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

        // Every edit empty: every row (the sale without a customer too).
        listAll(k);
        EXPECT_EQ(headers(k).sqlText(), QStringLiteral("SELECT * FROM %1\nwhere %2 like '%%'\nand jsr like '%%'\n"
                                                       "and dh like '%%'\norder by id").arg(headerTable(k), t.firstEdit));
        EXPECT_EQ(panels(k), t.all);
        QStringList styles;
        for (int r = 0; r < headers(k).recordCount(); ++r)
            styles << QString(w.DBGrid1->rowStyle(r).font == kRed ? 'r' : '-') + (w.DBGrid1->rowStyle(r).brush == kHeld ? 'h' : '-');
        EXPECT_EQ(styles, t.styles);

        dialog(k, [&](TConditionDialog& d) {
            EXPECT_EQ(d.objectName(), t.dialog);
            d.Edit1->setText(t.typedText);
            d.BitBtn1->click();
        });
        EXPECT_EQ(numbers(k), QStringList{audited(k)});
        EXPECT_EQ(panels(k), t.typed);
        // Esc in an edit closes the dialog; the list stays as it was.
        dialog(k, [](TConditionDialog& d) {
            d.Edit1->setText("无");
            sendKey(d.Edit2, Qt::Key_Escape);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        });
        EXPECT_EQ(numbers(k), QStringList{audited(k)});
        EXPECT_FALSE(headers(k).controlsDisabled());
    }
    EXPECT_TRUE(rec.empty());
}

TEST(ConditionClauses, FollowTheDialogInOrder)
{
    ConditionValues v{{"O'Neil", "", "0101"}, {2}, true, QDate(2024, 1, 1), QDate(2024, 1, 31), true};
    EXPECT_EQ(buildConditionClauses(TFcxcg1::describe(), v),
              (QStringList{"where ghs like '%O''Neil%'", "and jsr like '%%'", "and dh like '%0101%'",
                           "and shbj='已审核'", "and rq>='2024-01-01'and rq<='2024-01-31'", "and qk<>0"}));
}

TEST_F(DocumentLists, TheDialogStartsAfreshRunsAndShowsAFailedStatement)
{
    const QStringList held{"CG20240102001"}, heldTotals{"2", "50.25", "50.25", "20", "30.25"};
    const struct {
        const char* what;
        std::function<void(TFcxcg1&)> set;
        QStringList rows, totals;
    } cases[] = {
        {"only debts", [](TFcxcg1& d) { d.CheckBox2->setChecked(true); }, held, heldTotals},
        {"one day, both ends included",
         [](TFcxcg1& d) {
             d.CheckBox1->setChecked(true);
             d.DateTimePicker1->setDate(QDate(2024, 1, 2));
             d.DateTimePicker2->setDate(QDate(2024, 1, 2));
         },
         held, heldTotals},
        {"a quote finds nothing",
         [](TFcxcg1& d) { d.Edit1->setText("O'Neil"); d.ComboBox1->setCurrentIndex(1); }, {}, {"0", "0", "0", "0", "0"}},
    };
    Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
    list(Purchase);
    // Shown afresh: the last month, the focus in the first edit; Enter walks the fields and
    // in the last edit runs.
    dialog<TFcxcg1>(Purchase, [](TFcxcg1& d) {
        EXPECT_EQ(d.DateTimePicker2->date(), QDate(2024, 3, 31));
        EXPECT_EQ(d.DateTimePicker1->date(), QDate(2024, 2, 29));
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        sendKey(d.CheckBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.DateTimePicker1);
        sendKey(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        sendKey(d.Edit3, Qt::Key_Return);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_EQ(dm->AQcgz1.recordCount(), 2);
    for (const auto& c : cases) {
        int result = -1;
        dialog<TFcxcg1>(Purchase, [&](TFcxcg1& d) { c.set(d); d.BitBtn1->click(); result = d.result(); });
        EXPECT_EQ(result, QDialog::Accepted) << c.what;
        EXPECT_EQ(numbers(Purchase), c.rows) << c.what;
        EXPECT_EQ(panels(Purchase), c.totals) << c.what;
    }
    EXPECT_EQ(dm->AQcgz1.sqlLines().last(), "order by id");
    EXPECT_EQ(Fcxcg1.data(), nullptr);   // freed after its run
    EXPECT_TRUE(rec.empty());

    // A failed statement is shown, the dialog stays and the controls are enabled again.
    exec("ALTER TABLE cgglz RENAME TO cgglz_gone");
    dialog(Purchase, [](TConditionDialog& d) {
        sendKey(d.Edit3, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_FALSE(dm->AQcgz1.controlsDisabled());
    exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

TEST_F(DocumentLists, RefuseOnAClosedOrEmptyListAndCancelChangesNothing)
{
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        const QString before = dump();
        DocumentList& w = list(k);
        headers(k).close();
        rec.clear();
        for (auto* b : {w.SB44, w.SB55, w.SB66, w.SB88, w.SB99})
            b->click();
        ASSERT_EQ(rec.count(), 5);
        EXPECT_EQ(rec.texts(), QStringList(5, "数据表未打开，请先查询！"));
        for (const MessageRequest& m : rec.all()) {
            EXPECT_EQ(m.caption, "警告");
            EXPECT_EQ(m.icon, MsgIcon::Warning);
        }

        // A held row: 反审 (the pop-up's too) refuses at once. Cancel on a question.
        listAll(k);
        rec.clear();
        ASSERT_TRUE(moveTo(k, held(k)));
        w.N2->trigger();
        ASSERT_TRUE(moveTo(k, audited(k)));
        rec.answer(MbCancel);
        w.SB44->click();
        rec.answer(MbCancel);
        w.SB66->click();
        EXPECT_EQ(rec.texts().mid(0, 2), (QStringList{"本单据已经反审！", "确定要反审此单据么？"}));

        // Nothing found: each action says so; a double-click on the empty grid is a 查单.
        dialog(k, [](TConditionDialog& d) { d.Edit3->setText("无此单号"); d.BitBtn1->click(); });
        rec.clear();
        for (auto* b : {w.SB44, w.SB66, w.SB55})
            b->click();
        w.show();
        const QPoint at(20, 20);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
            QMouseEvent e(type, at, w.DBGrid1->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.DBGrid1->viewport(), &e);
        }
        EXPECT_EQ(rec.texts(), (QStringList{"没有单据可反审，请先查询！", "没有单据可删除！", "没有单据可查阅！", "没有单据可查阅！"}));
        EXPECT_EQ(dump(), before);
    }
    EXPECT_EQ(modal.classes().size(), 8);   // the dialogs; no browser, no preview
}

TEST_F(DocumentLists, UnauditIsAllOrNothingAndTheRowTurnsHeld)
{
    exec("INSERT INTO rkfx (dh,ck,sl) VALUES ('YD20231231001','主仓库',1)");
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        const QString where = " WHERE dh=" + sqlQuote(audited(k));
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        const int row = headers(k).recNo();
        const QStringList totals = panels(k);
        const int others = count(ledger(k) + " WHERE dh<>" + sqlQuote(audited(k)));

        // The header, written last, cannot change: the error is shown and nothing has changed.
        exec("CREATE TRIGGER locked BEFORE UPDATE ON " + headerTable(k) + " BEGIN SELECT RAISE(ABORT,'header locked'); END");
        const QString before = dump();
        rec.clear();
        sendKey(w.SB44, Qt::Key_Space);
        ASSERT_EQ(rec.count(), 2);
        EXPECT_EQ(rec.last().icon, MsgIcon::Error);
        EXPECT_TRUE(rec.last().text.contains("header locked"));
        EXPECT_EQ(dump(), before);
        EXPECT_EQ(headers(k).text("shbj"), "已审核");
        EXPECT_FALSE(lineQuery(k).controlsDisabled());
        exec("DROP TRIGGER locked");

        rec.clear();
        k % 2 ? w.N2->trigger() : w.SB44->click();
        EXPECT_EQ(rec.texts(), QStringList{"确定要反审此单据么？"});
        EXPECT_EQ(scalar("SELECT shbj FROM " + headerTable(k) + where), "未审核");
        EXPECT_EQ(count(ledger(k) + where) + (k <= Sales ? count(k == Purchase ? "fkfx" + where : "skfx" + where) : 0), 0);
        EXPECT_EQ(count(ledger(k)), others);
        // The row stays in place, now drawn as held; the totals are not recounted.
        EXPECT_EQ(headers(k).recNo(), row);
        EXPECT_EQ(w.DBGrid1->rowStyle(row).brush, kHeld);
        EXPECT_EQ(panels(k), totals);
        EXPECT_TRUE(ledgerQuery(k).isOpen());
        EXPECT_TRUE(ledgerQuery(k).isEmpty());
        EXPECT_EQ(columnTexts(lineQuery(k), "dh").value(0), audited(k));
        rec.clear();
        w.SB44->click();   // again: refused without a question
        EXPECT_EQ(rec.texts(), QStringList{"本单据已经反审！"});

        // The list shows it audited while the database holds it held, then no longer at all:
        // each is said after the question, and nothing changes.
        exec("UPDATE " + headerTable(k) + " SET shbj='已审核'" + where);
        listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        for (const auto& [change, warning] : {std::pair{"UPDATE " + headerTable(k) + " SET shbj='未审核'", "本单据已经反审！"},
                                              std::pair{"DELETE FROM " + headerTable(k), "本单据已不存在，请重新查询！"}}) {
            exec(change + where);
            const QString unchanged = dump();
            rec.clear();
            w.SB44->click();
            EXPECT_EQ(rec.texts(), (QStringList{"确定要反审此单据么？", warning}));
            EXPECT_EQ(dump(), unchanged);
        }
    }
}

TEST_F(DocumentLists, DeleteTakesTheDocumentItsLinesAndLedgerAndRecountsTheTotals)
{
    const QStringList left[] = {{"2", "50.25", "50.25", "20", "30.25"}, {"3", "3699.5", "3699.5", "3699.5", "0"},
                                {"3", "7.5"}, {"1", "12.5"}};
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        const QString where = " WHERE dh=" + sqlQuote(audited(k));
        DocumentList& w = listAll(k);
        ASSERT_TRUE(moveTo(k, audited(k)));
        const QStringList stock = goods();
        rec.clear();
        k % 2 ? w.N1->trigger() : w.SB66->click();
        EXPECT_EQ(rec.texts(), QStringList{k <= Sales ? "确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细和欠款！"
                                                      : "确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细！"});
        EXPECT_EQ(rec.last().icon, MsgIcon::Question);
        EXPECT_EQ(count(headerTable(k) + where) + count(lineTable(k) + where) + count(ledger(k) + where), 0);
        if (k <= Sales) {   // payments and receipts stay, and so does the stock
            EXPECT_EQ(count((k == Purchase ? "fkfx" : "skfx") + where), 1);
        }
        EXPECT_EQ(goods(), stock);
        EXPECT_FALSE(numbers(k).contains(audited(k)));
        EXPECT_EQ(panels(k), left[k]);
        EXPECT_EQ(headers(k).recNo(), headers(k).recordCount() - 1);
        EXPECT_FALSE(headers(k).controlsDisabled());
        EXPECT_TRUE(ledgerQuery(k).isOpen());
        EXPECT_TRUE(ledgerQuery(k).isEmpty());
        EXPECT_FALSE(lineQuery(k).isOpen());   // an open browser shows no lines of it, and refuses its next step

        for (int n = headers(k).recordCount(); n > 0; --n)   // down to no row: every total "0"
            w.SB66->click();
        EXPECT_EQ(panels(k), QStringList(left[k].size(), "0"));
    }
}

// Another window's run of the shared header query (the purchase form's held-document picker
// lists the held documents on AQcgz1): once it is done the list's totals add up the rows the
// list now shows, and its cursor stays where the picker left it.
TEST_F(DocumentLists, TheTotalsFollowTheRowsAnotherWindowLeaves)
{
    DocumentList& w = listAll(Purchase);
    ASSERT_EQ(panels(Purchase), (QStringList{"5", "150.5", "150.5", "120.25", "30.25"}));
    {
        TFxzcg1 picker(&w);
        picker.show();
        EXPECT_EQ(numbers(Purchase), QStringList{held(Purchase)});
        QCoreApplication::processEvents();
        EXPECT_EQ(panels(Purchase), (QStringList{"2", "50.25", "50.25", "20", "30.25"}));
    }
    // A payment edits the shown row: the totals follow its new values.
    headers(Purchase).edit();
    headers(Purchase).setText("sfe", "30.25");
    headers(Purchase).setText("qk", "0");
    headers(Purchase).post();
    QCoreApplication::processEvents();
    EXPECT_EQ(panels(Purchase), (QStringList{"2", "50.25", "50.25", "30.25", "0"}));
}

TEST_F(DocumentLists, PrintAndExportTheList)
{
    const struct {
        QStringList placed;          // the print's texts
        const char* under4;          // the data text under the fourth title
        QStringList titles, first;   // the export's first two rows, first six cells ("#": a number cell)
    } twins[] = {
        {{"QRLdw=顺达电器采购单据汇总表", "QRL3=厂商", "QRD2=CG20240101001|CG20240102001", "QRD3=华南电器|北方电子",
          "QRD6=0|30.25", "e1=5", "e2=150.5", "e3=30.25"},
         "QRD4",
         {"采购日期", "单号", "厂商", "合计数量", "合计金额", "优惠额"},
         {"2024-01-01", "CG20240101001", "华南电器", "#3", "#100.25", "#0"}},
        {{"QRLdw=顺达电器销售单据汇总表", "QRL3=客户", "QRD3=|百货商场|张先生", "e1=13", "e2=8709.75", "e3=1999.75"},
         "QRD4",
         {"销售日期", "单号", "客户", "合计数量", "合计金额", "优惠额"},
         {"2024-01-05", "PF20240105001", "百货商场", "#10", "#5010.25", "#10.25"}},
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
        dm->ATdanwei1.close();   // the company is read afresh
        const QuickRep& rep = k <= Sales ? reportForm(Fdycggl1).QuickRep1
                              : k == Movement ? reportForm(Fdyrkgl1).QuickRep1 : reportForm(Fdydbgl1).QuickRep1;
        QStringList names;
        for (const QString& s : t.placed)
            names << s.section('=', 0, 0);
        EXPECT_EQ(previewTexts(modal, rep, names, [&] { w.SB88->click(); }), t.placed);
        EXPECT_EQ(rep.ReportTitle, "打印预览");
        const PageContent page = rep.layout(*rep.dataRows()).page(0);
        EXPECT_EQ(page.named("QRL4")[0].rect.left(), page.named(t.under4)[0].rect.left());

        QString written;
        QVector<QStringList> rows = exportedSheet(w.SB99, &written);
        EXPECT_TRUE(QFileInfo(written).fileName().startsWith(w.windowTitle() + '_')) << written.toStdString();
        ASSERT_EQ(rows.size(), headers(k).recordCount() + 1);
        EXPECT_EQ(rows[0].mid(0, 6), t.titles);
        EXPECT_EQ(rows[k == Sales ? 2 : 1].mid(0, 6), t.first);
        EXPECT_EQ(rows.last().last(), "未审核");
    }
    EXPECT_EQ(modal.classes().mid(0, 2), (QStringList{"TFcxcg1", "TFdyPreview1"}));
    EXPECT_TRUE(rec.empty());
}

// The window follows its size and tints its columns; title clicks sort the rows in hand (the
// pictures are saved to be looked at).
TEST_F(DocumentLists, TheWindowSortsByTitleAndFollowsItsSize)
{
    DocumentList& w = listAll(Purchase);
    w.show();
    const QSize grid = w.DBGrid1->size();
    w.resize(w.size() + QSize(400, 300));   // as a maximised frame gives it
    QApplication::processEvents();
    EXPECT_EQ(w.DBGrid1->size(), grid + QSize(400, 300));
    EXPECT_EQ(w.StatusBar1->width(), w.width());
    EXPECT_EQ(w.DBGrid1->column(3).tint, QColor(222, 253, 254));   // $FEFDDE, pale cyan
    const QDir dir(qEnvironmentVariable("SHOP_SCREENSHOTS", QDir::tempPath()));
    EXPECT_TRUE(w.grab().save(dir.filePath("purchase_list.png")));
    dialog(Purchase, [&](TConditionDialog& d) { EXPECT_TRUE(d.grab().save(dir.filePath("purchase_list_dialog.png"))); });

    exec("ALTER TABLE cgglz RENAME TO cgglz_gone");   // any statement from here on fails
    const int amount = w.DBGrid1->columnOfField("hjje");
    QStringList sorts;   // money by value, not as text
    for (int i = 0; i < 3; ++i) {
        w.DBGrid1->clickTitle(amount);
        sorts << dm->AQcgz1.sort() + ": " + columnTexts(dm->AQcgz1, "hjje").join(' ');
    }
    EXPECT_EQ(sorts, (QStringList{"hjje ASC: 50.25 100.25", "hjje DESC: 100.25 50.25", "hjje ASC: 50.25 100.25"}));
    for (int c = 0; c < w.DBGrid1->columnCountAll(); ++c)
        EXPECT_EQ(w.DBGrid1->isTitleBold(c), c == amount) << c;
    EXPECT_TRUE(rec.empty());
    exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

} // namespace
