// The ledger detail and statistics tables on one fixture, the same for the three ledgers:
// opening rows, dialog runs and totals, groupings, drill-down, refusals, quoting, print.

#include "ledger_shop.h"

#include "documents/postings.h"
#include "queries/Udycgfx1.h"
#include "queries/Udycghz1.h"
#include "rules/document_reversal.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {
const QColor kRed(255, 0, 0);
}

// A ledger as the cases see it: the code's kind for its table and columns, and the texts its
// windows show, written out here.
struct LedgerCase {
    Ledger ledger;
    const char* name;
    const char *detailCaption, *statisticsCaption, *legend;
    const char *partyTitle, *partyGroup, *partyLabel;   // column title, group title, dialog label
    QStringList typeItems;
};
const LedgerCase kLedgers[] = {
    {Ledger::Purchase, "Purchase", "采购明细表", "采购统计表", "数量＜0：采购退货", "厂商", "厂商", "厂　商",
     {"全部", "采购入库", "采购退货"}},
    {Ledger::Sales, "Sales", "销售明细表", "销售统计表", "数量＜0：销售退货", "客户", "客户", "客　户",
     {"全部", "销售出库", "销售退货"}},
    {Ledger::StockChange, "StockChange", "库存变动明细表", "库存变动统计表", "数量＜0：变动出库", "变动原因", "异动原因",
     "原　因", {"全部", "异动入库", "异动出库"}},
};
void PrintTo(const LedgerCase& c, std::ostream* os) { *os << c.name; }

class LedgerTables : public LedgerShop, public ::testing::WithParamInterface<LedgerCase> {
protected:
    const LedgerCase& texts = GetParam();
    Ledger l = texts.ledger;
    const LedgerKind& k = ledgerKind(l);
    void SetUp() override
    {
        LedgerShop::SetUp();
        fixture(l);
    }
    QLineEdit* lastEdit(TConditionDialog& d) const { return d.Edit5 ? d.Edit5 : d.Edit4; }
};

INSTANTIATE_TEST_SUITE_P(Ledgers, LedgerTables, ::testing::ValuesIn(kLedgers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(LedgerTables, DetailOpensOnTodayAndRunsTheDialog)
{
    TLedgerDetail& w = *openLedgerDetail(l);
    Query& q = w.query();
    EXPECT_EQ(w.windowTitle(), texts.detailCaption);
    EXPECT_EQ(w.DBGrid1->column(w.DBGrid1->columnOfField(k.partyColumn)).title, texts.partyTitle);
    EXPECT_EQ(q.sqlText(), "SELECT * FROM " + k.table + "\nwhere rq='2024-03-15'\norder by id");
    EXPECT_EQ(ids(q), (QStringList{"3", "4"}));
    EXPECT_EQ(panels(w, {2, 4}), (QStringList{"2", "102"}));
    EXPECT_EQ(w.DBGrid1->rowStyle(1).font, kRed);
    EXPECT_FALSE(w.DBGrid1->rowStyle(0).font.isValid());
    EXPECT_EQ(w.legendLabel->text(), texts.legend);

    const struct {
        const char* what;
        std::function<void(TLedgerDetailDialog&)> set;
        QStringList ids, totals;
    } cases[] = {
        {"all empty", [](TLedgerDetailDialog&) {}, {"1", "2", "3", "4", "5"}, {"20", "681.73"}},
        {"party SupB, in", [](TLedgerDetailDialog& d) { d.Edit1->setText("SupB"); d.ComboBox1->setCurrentIndex(1); },
         {"2", "5"}, {"8", "379.73"}},
        {"returns", [](TLedgerDetailDialog& d) { d.ComboBox1->setCurrentIndex(2); }, {"4"}, {"-2", "-40"}},
        {"03-01 to 03-05",
         [](TLedgerDetailDialog& d) {
             d.CheckBox1->setChecked(true);
             d.DateTimePicker1->setDate(QDate(2024, 3, 1));
             d.DateTimePicker2->setDate(QDate(2024, 3, 5));
         },
         {"1", "2"}, {"15", "310"}},
        {"warehouse W2, code B", [](TLedgerDetailDialog& d) { d.Edit3->setText("B"); d.Edit5->setText("W2"); },
         {"3"}, {"4", "142"}},
        {"nothing", [](TLedgerDetailDialog& d) { d.Edit4->setText("Nothing"); }, {}, {"0", "0"}},
    };
    for (const auto& c : cases) {
        detailRun(w, c.set);
        EXPECT_EQ(ids(q), c.ids) << c.what;
        EXPECT_EQ(panels(w, {2, 4}), c.totals) << c.what;
    }
    EXPECT_EQ(modal.classes().first(), QStringLiteral("TFcx") + w.objectName().mid(2));
    EXPECT_EQ(q.sqlLines().first(), "SELECT * FROM " + k.table);
    EXPECT_EQ(q.sqlLines()[1], "where " + k.partyColumn + " like '%%'");

    // Enter walks to the last edit, which runs; the sales dialog lets from pass to.
    modal.drive<TLedgerDetailDialog>(w.SB77, [&](TLedgerDetailDialog& d) {
        EXPECT_EQ(d.windowTitle(), "按条件查询");
        EXPECT_EQ(itemsOf(d.ComboBox1) << labelOf(d.Edit1), texts.typeItems + QStringList{texts.partyLabel});
        sendKey(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        d.DateTimePicker1->pickFromCalendar(QDate(2024, 3, 20));
        EXPECT_EQ(d.DateTimePicker2->date(), l == Ledger::Sales ? QDate(2024, 3, 15) : QDate(2024, 3, 20));
        sendKey(d.Edit5, Qt::Key_Return);
    });
    EXPECT_EQ(q.recordCount(), 5);
    EXPECT_TRUE(rec.empty());
}

TEST_P(LedgerTables, StatisticsGroupAndDrillDownIntoTheDetail)
{
    TLedgerStatistics& w = *openLedgerStatistics(l);
    Query& q = w.query();
    const QStringList goods{"txm", "zsl", "zje"}, grouped{"fenzu", "txm", "zsl", "zje"};
    const int group = w.DBGrid1->columnOfField("fenzu");
    EXPECT_EQ(w.windowTitle(), texts.statisticsCaption);
    EXPECT_FALSE(q.isOpen());

    statsRun(w, [](TLedgerStatisticsDialog&) {});
    EXPECT_EQ(rows(q, goods), (QStringList{"A01|13|270", "B02|4|142", "C03|3|269.73"}));
    // The run reads the goods-key index alone, in goods order: it carries every column the
    // statement filters on and adds up.
    QStringList plan;
    for (const QVariantList& step : dm->ADOC1.execute("EXPLAIN QUERY PLAN " + q.sqlText()).rows)
        plan << step.value(3).toString();
    EXPECT_TRUE(plan.join('|').startsWith("SCAN " + k.table + " USING COVERING INDEX ix_" + k.table + "_txm_ppgg_dw_"))
        << plan.join('|').toStdString();
    EXPECT_EQ(panels(w, {2, 3}), (QStringList{"20", "681.73"}));
    ASSERT_EQ(rec.texts(), QStringList{"统计完毕！"});
    EXPECT_EQ(rec.last().caption, "提示");
    EXPECT_FALSE(w.DBGrid1->isColumnVisible(group));
    EXPECT_EQ(q.recNo(), 2);   // left on the last row, C03
    EXPECT_EQ(w.DBGrid1->currentRow(), 2);

    // By party, then by employee: the group column titled after the grouping.
    statsRun(w, [](TLedgerStatisticsDialog& d) { d.RB2->setChecked(true); });
    const QString from = k.partyColumn;
    EXPECT_EQ(q.sqlText(), "select " + from + " as fenzu,txm,ppgg,dw,sum(sl)as zsl,sum(je)as zje"
                               + (k.costs ? ",sum(cbje)as zcb,sum(maoli)as zmaoli" : "") + " from " + k.table
                               + "\nwhere " + from + " like'%%'\nand jsr like '%%'\nand txm like '%%'\nand ppgg like '%%'"
                               + (l == Ledger::StockChange ? "" : "\nand ck like '%%'") + "\ngroup by " + from
                               + ",txm,ppgg,dw\norder by " + from);
    EXPECT_EQ(rows(q, grouped),
              (QStringList{"SupA|A01|8|160", "SupA|B02|4|142", "SupB|A01|5|110", "SupB|C03|3|269.73"}));
    EXPECT_TRUE(w.DBGrid1->isColumnVisible(group));
    EXPECT_EQ(w.DBGrid1->column(group).title, texts.partyGroup);
    ASSERT_TRUE(q.locate({"fenzu", "txm"}, {"SupB", "A01"}));
    w.SB66->click();
    TLedgerDetail* detail = openLedgerDetail(l);
    EXPECT_EQ(ids(detail->query()), QStringList{"2"});
    EXPECT_EQ(panels(*detail, {2, 4}), (QStringList{"5", "110"}));

    statsRun(w, [](TLedgerStatisticsDialog& d) { d.RB3->setChecked(true); });
    EXPECT_EQ(w.DBGrid1->column(group).title, "经办人");
    EXPECT_EQ(rows(q, grouped),
              (QStringList{"Li|A01|8|160", "Li|B02|4|142", "Wang|A01|5|110", "Wang|C03|3|269.73"}));

    // Ungrouped over 03-10..03-20: the return in red; 明细 with no click takes the last row,
    // then A01 lists every date of the item.
    statsRun(w, [](TLedgerStatisticsDialog& d) {
        d.CheckBox1->setChecked(true);
        d.DateTimePicker1->setDate(QDate(2024, 3, 10));
        d.DateTimePicker2->setDate(QDate(2024, 3, 20));
    });
    EXPECT_EQ(rows(q, goods), (QStringList{"A01|-2|-40", "B02|4|142"}));
    EXPECT_EQ(w.DBGrid1->rowStyle(0).font, kRed);
    EXPECT_FALSE(w.DBGrid1->rowStyle(1).font.isValid());
    emit w.DBGrid1->rowDoubleClicked(-1);
    EXPECT_EQ(ids(detail->query()), QStringList{"3"});
    EXPECT_EQ(panels(*detail, {2, 4}), (QStringList{"4", "142"}));
    q.first();
    w.SB66->click();
    EXPECT_EQ(openLedgerDetail(l), detail);
    EXPECT_EQ(ids(detail->query()), (QStringList{"1", "2", "4"}));
    EXPECT_EQ(panels(*detail, {2, 4}), (QStringList{"13", "270"}));
    EXPECT_EQ(rec.count(), 4);
}

TEST_P(LedgerTables, StatisticsRefuseWithoutAResultAndEveryDialogClearsIt)
{
    TLedgerStatistics& w = *openLedgerStatistics(l);
    const QString reset = k.costs ? "" : "0";
    EXPECT_EQ(panels(w, {2, 3}), (QStringList{reset, reset}));
    for (auto* b : {w.SB66, w.SB88, w.SB99})
        b->click();
    EXPECT_EQ(rec.texts(), QStringList(3, "数据表未打开，请先统计！"));
    EXPECT_EQ(rec.last().caption, "警告");

    rec.clear();
    statsRun(w, [](TLedgerStatisticsDialog& d) { d.Edit1->setText("NoSuch"); });
    EXPECT_TRUE(w.query().isOpen());
    EXPECT_EQ(panels(w, {2, 3}), (QStringList{"0", "0"}));
    w.SB66->click();
    EXPECT_EQ(rec.texts(), (QStringList{"统计完毕！", "没有数据可查阅！"}));

    // A grouped result, then the dialog shown and closed with Esc: empty, reset, ungrouped.
    statsRun(w, [](TLedgerStatisticsDialog& d) { d.RB2->setChecked(true); });
    ASSERT_EQ(w.query().recordCount(), 4);
    rec.clear();
    modal.drive<TLedgerStatisticsDialog>(w.SB77, [&](TLedgerStatisticsDialog& d) {
        EXPECT_EQ(d.windowTitle(), "按条件统计");
        EXPECT_EQ(d.BitBtn1->text(), "统计");
        EXPECT_TRUE(d.RB1->isChecked());
        EXPECT_EQ(d.RB2->text(), texts.partyGroup + QString("分组统计"));
        EXPECT_EQ(labelOf(d.Edit1), texts.partyLabel);
        EXPECT_EQ(d.Edit5 == nullptr, l == Ledger::StockChange);
        // A radio chosen clears the result too; Enter on it goes to the first edit.
        d.RB3->setChecked(true);
        EXPECT_EQ(w.DBGrid1->column(w.DBGrid1->columnOfField("fenzu")).title, "经办人");
        sendKey(d.RB3, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        sendKey(d.Edit1, Qt::Key_Escape);
    });
    EXPECT_FALSE(w.query().isOpen());
    EXPECT_EQ(w.DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(panels(w, {2, 3}), (QStringList{reset, reset}));
    w.SB88->click();
    EXPECT_EQ(rec.texts(), QStringList{"数据表未打开，请先统计！"});

    // Enter in the last edit runs.
    modal.drive<TLedgerStatisticsDialog>(w.SB77,
                                         [&](TLedgerStatisticsDialog& d) { sendKey(lastEdit(d), Qt::Key_Return); });
    EXPECT_EQ(w.query().recordCount(), 3);
}

// A quote in a condition or in a drilled goods item and group key is a plain character.
TEST_P(LedgerTables, QuotesAreQueriedAndDrilled)
{
    row(l, "2024-03-15", "T29", "29' TV", "pc", "1", "999", "O'Neil");
    TLedgerDetail& d = *openLedgerDetail(l);
    detailRun(d, [](TLedgerDetailDialog& dlg) { dlg.Edit4->setText("29'"); });
    EXPECT_EQ(ids(d.query()), QStringList{"6"});
    EXPECT_EQ(panels(d, {2, 4}), (QStringList{"1", "999"}));

    TLedgerStatistics& w = *openLedgerStatistics(l);
    statsRun(w, [](TLedgerStatisticsDialog& dlg) { dlg.RB2->setChecked(true); dlg.Edit1->setText("O'"); });
    ASSERT_EQ(rows(w.query(), {"fenzu", "ppgg"}), QStringList{"O'Neil|29' TV"});
    w.SB66->click();
    EXPECT_EQ(d.query().sqlLines().mid(1, 4),
              (QStringList{"where ppgg='29'' TV'", "and txm='T29'", "and dw='pc'", "and " + k.partyColumn + "='O''Neil'"}));
    EXPECT_EQ(ids(d.query()), QStringList{"6"});
    EXPECT_EQ(panels(d, {2, 4}), (QStringList{"1", "999"}));
    EXPECT_EQ(rec.texts(), QStringList{"统计完毕！"});
}

// Sums read as currency: never a long float.
TEST_P(LedgerTables, TotalsAreExactToTheCent)
{
    exec("DELETE FROM " + k.table);
    for (int i = 0; i < 3; ++i)
        row(l, "2024-03-15", "P1", "Pen", "pc", "1", "19.99", "SupA");
    for (int i = 0; i < 10; ++i)
        row(l, "2024-03-15", "P2", "Pin", "pc", "0.1", "0.10", "SupA");
    TLedgerDetail& d = *openLedgerDetail(l);
    EXPECT_EQ(panels(d, {2, 4}), (QStringList{"4", "60.97"}));
    TLedgerStatistics& w = *openLedgerStatistics(l);
    statsRun(w, [](TLedgerStatisticsDialog&) {});
    EXPECT_EQ(rows(w.query(), {"txm", "zsl", "zje"}), (QStringList{"P1|3|59.97", "P2|1|1"}));
    EXPECT_EQ(panels(w, {2, 3}), (QStringList{"4", "60.97"}));
}

// Both prints through their report forms: the title, the rows and the totals as placed
// texts; "总计" under the first column alone, the page number at the right.
TEST_P(LedgerTables, PrintsThroughTheirReportForms)
{
    exec("UPDATE danwei SET mcdy='禾岚家电'");
    QueryWindow& d = *openLedgerDetail(l);
    const QuickRep& detail = reportForm(Fdycgfx1).QuickRep1;
    EXPECT_EQ(previewTexts(modal, detail, {"QRLdw", "QRL1", "QRL7", "QRD1", "QRD3", "QRD5", "QRD6", "QRD7", "e1", "e2", "QRLzj"},
                           [&] { d.button("SB88")->click(); }),
              (QStringList{"QRLdw=禾岚家电" + QString(texts.detailCaption), "QRL1=日期", "QRL7=金额", "QRD1=2024-03-15|2024-03-15",
                           "QRD3=Kettle|Fan", "QRD5=4|-2", "QRD6=35.5|20", "QRD7=142|-40", "e1=2", "e2=102", "QRLzj=总计"}));
    PageContent page = detail.layout(*detail.dataRows()).page(0);
    EXPECT_LE(page.named("QRLzj")[0].rect.right(), 10 + 24);
    EXPECT_TRUE(page.named("QRSysData1")[0].align & Qt::AlignRight);

    TLedgerStatistics& w = *openLedgerStatistics(l);
    statsRun(w, [](TLedgerStatisticsDialog&) {});
    const QuickRep& stats = reportForm(Fdycghz1).QuickRep1;
    EXPECT_EQ(previewTexts(modal, stats, {"QRLdw", "QRL1", "QRL5", "QRD1", "QRD2", "QRD4", "QRD5", "e1", "e2"},
                           [&] { w.SB88->click(); }),
              (QStringList{"QRLdw=禾岚家电" + QString(texts.statisticsCaption), "QRL1=编码", "QRL5=金额", "QRD1=A01|B02|C03",
                           "QRD2=Fan|Kettle|Heater", "QRD4=13|4|3", "QRD5=270|142|269.73", "e1=20", "e2=681.73"}));
    page = stats.layout(*stats.dataRows()).page(0);
    EXPECT_LE(page.named("QRLzj")[0].rect.right(), 10 + 34);
}

// The tests of one ledger.
using OneLedger = LedgerShop;

// Cost and gross profit only for the administrator, in the tables and their totals; never
// printed.
TEST_F(OneLedger, CostAndProfitOnlyForTheAdministrator)
{
    exec("insert into xsglz (dh,rq,kdrq,shbj,ck,kh,jsr,bz,sse) values "
           "('XS20240315001','2024-03-15','2024-03-15','已审核','W2','Zhou','Li','',50)");
    exec("insert into xsglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli) values "
           "('XS20240315001','yz','B02','Kettle','pc',1,50,1,50,35.5,35.5,14.5)");
    postSales(*dm, "XS20240315001");
    const QStringList costFields{"cbje", "maoli"};
    {
        TLedgerDetail& d = *openLedgerDetail(Ledger::Sales);
        EXPECT_EQ(panels(d, {2, 4, 5, 6}), (QStringList{"1", "50", "35.5", "14.5"}));
        for (const QString& f : costFields)
            EXPECT_TRUE(d.DBGrid1->isColumnVisible(d.DBGrid1->columnOfField(f)));
        d.closeWindow();
    }

    TFmain1 main;   // the operator's label; the tables open in its frame
    main.setOperator("张三");
    main.show();
    TLedgerDetail& d = *openLedgerDetail(Ledger::Sales);
    auto costsShown = [](const QueryWindow& w, const QStringList& fields) {
        QStringList shown;
        for (const QString& f : fields)
            if (w.DBGrid1->isColumnVisible(w.DBGrid1->columnOfField(f)))
                shown << f;
        return shown;
    };
    EXPECT_EQ(costsShown(d, costFields), QStringList{});
    EXPECT_EQ(panels(d, {2, 4, 5, 6}), (QStringList{"1", "50", "", ""}));
    detailRun(d, [](TLedgerDetailDialog&) {});
    EXPECT_EQ(panels(d, {2, 4, 5, 6}), (QStringList{"1", "50", "", ""}));

    TLedgerStatistics& w = *openLedgerStatistics(Ledger::Sales);
    EXPECT_EQ(costsShown(w, {"zcb", "zmaoli"}), QStringList{});
    statsRun(w, [](TLedgerStatisticsDialog&) {});
    EXPECT_EQ(panels(w, {2, 3, 4, 5}), (QStringList{"1", "50", "", ""}));
    exec("UPDATE xsfx SET cbje=1");   // the drill-down's own sums, still hidden
    w.SB66->click();
    EXPECT_EQ(panels(d, {2, 4, 5, 6}), (QStringList{"1", "50", "", ""}));

    // The export leaves the hidden columns out; the print has its seven columns.
    const QVector<QStringList> sheet = exportedSheet(d.SB99);
    ASSERT_EQ(sheet.size(), 2);
    EXPECT_EQ(sheet[0], (QStringList{"日期", "编码", "商品名称", "单位", "数量", "单价", "折扣", "金额", "客户", "经办人",
                                     "单号", "仓库"}));
    EXPECT_EQ(sheet[1][8], "Zhou");
    EXPECT_EQ(reportForm(Fdycgfx1).texts.size(), 7);
    EXPECT_EQ(reportForm(Fdycghz1).texts.size(), 5);
}

// A transfer and a loss through their postings: the transfer cancels out ungrouped and stands
// as two rows by reason; a posting appends to an open detail table without touching its totals.
TEST_F(OneLedger, TransfersCancelOutUnlessGroupedByReason)
{
    TLedgerDetail& d = *openLedgerDetail(Ledger::StockChange);
    exec("insert into dbglz (dh,rq,kdrq,shbj,ck1,ck2,jsr) values ('DB1','2024-03-15','2024-03-15','已审核','W1','W2','Li')");
    exec("insert into dbglc (dh,bj,txm,ppgg,dw,sl,jg,je) values ('DB1','yz','A01','Fan','pc',4,20,80)");
    postTransfer(*dm, "DB1");
    exec("insert into rkglz (dh,rq,kdrq,shbj,ck,jsr,lx) values ('YD1','2024-03-15','2024-03-15','已审核','W2','Li','报损')");
    exec("insert into rkglc (dh,bj,txm,ppgg,dw,sl,jg,je) values ('YD1','yz','B02','Kettle','pc',-1,35.5,-35.5)");
    postMovement(*dm, "YD1");
    EXPECT_EQ(rows(d.query(), {"lx", "sl", "ck"}),
              (QStringList{"库存调出|-4|W1", "库存调入|4|W2", "报损|-1|W2"}));
    EXPECT_EQ(panels(d, {2, 4}), (QStringList{"0", "0"}));

    TLedgerStatistics& w = *openLedgerStatistics(Ledger::StockChange);
    statsRun(w, [](TLedgerStatisticsDialog&) {});
    EXPECT_EQ(rows(w.query(), {"txm", "zsl", "zje"}), (QStringList{"A01|0|0", "B02|-1|-35.5"}));
    EXPECT_FALSE(w.DBGrid1->rowStyle(0).font.isValid());
    EXPECT_EQ(w.DBGrid1->rowStyle(1).font, kRed);
    EXPECT_EQ(panels(w, {2, 3}), (QStringList{"-1", "-35.5"}));
    statsRun(w, [](TLedgerStatisticsDialog& dlg) { dlg.RB2->setChecked(true); });
    EXPECT_EQ(w.DBGrid1->column(w.DBGrid1->columnOfField("fenzu")).title, "异动原因");
    EXPECT_EQ(rows(w.query(), {"fenzu", "txm", "zsl", "zje"}),
              (QStringList{"库存调入|A01|4|80", "库存调出|A01|-4|-80", "报损|B02|-1|-35.5"}));
}

// A purchase document deleted elsewhere empties the open detail table, and then its totals.
TEST_F(OneLedger, ADeleteElsewhereEmptiesTheDetailAndItsTotals)
{
    fixture(Ledger::Purchase);
    exec("INSERT INTO cgglz (dh,rq,shbj) VALUES ('D1','2024-03-15','已审核')");
    TLedgerDetail& d = *openLedgerDetail(Ledger::Purchase);
    ASSERT_EQ(d.query().recordCount(), 2);
    EXPECT_EQ(deleteDocument(*dm, purchaseDocuments(), "D1"), ReversalResult::Done);
    EXPECT_TRUE(d.query().isOpen());
    EXPECT_EQ(d.query().recordCount(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(panels(d, {2, 4}), (QStringList{"0", "0"}));
}

