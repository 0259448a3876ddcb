// The employee commission table and the purchase-sales-stock statistics, driven through
// their windows: opening, the condition panel's keys, runs (rows, red rows, totals,
// messages), refusals, a failed run, print and export.

#include "data/Clock.h"
#include "queries/Udykctj1.h"
#include "queries/Udyxstj3.h"
#include "queries/Ukctj1.h"
#include "queries/Uxstj3.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>

namespace {

struct StatsRun {
    const char* what;
    QString text;
    std::optional<DateRange> dates;
    QStringList rows;       // every column as the grid shows it
    QVector<int> red;       // rows drawn in red
    QStringList panels;     // the total panels
};

const QDate march1(2024, 3, 1), march15(2024, 3, 15), march31(2024, 3, 31);

class StatisticsTables : public ShopTest {
protected:
    StatisticsTables() : ShopTest(false) {}
    void SetUp() override
    {
        Clock::pin(QDateTime(march31, QTime(9, 0)));
        exec("UPDATE danwei SET mcdy='禾岚家电'");
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Fxstj3.data();
        delete Fkctj1.data();
        Clock::unpin();
    }

    // Goods rows (the sale's own warehouse decides the rates; a later duplicate of Fan in W1
    // must not count) and sales in 2024.
    void commissionShop()
    {
        exec("INSERT INTO sp (txm,ppgg,dw,ck,slt,jet) VALUES ('A01','Fan','台','W1',1,0.02),"
             "('A01','Fan','台','W2',0.5,0),('C03','Heater','台','W1',0,0.05),('D04','Iron','台','W1',NULL,NULL),"
             "('A01','Fan','台','W1',9,0.9)");
        exec("INSERT INTO xsfx (rq,jsr,txm,ppgg,dw,ck,sl,je) VALUES "
             "('2024-03-02','Li','A01','Fan','台','W1',3,90),('2024-03-16','Li','A01','Fan','台','W1',-1,-30),"
             "('2024-01-10','Li','C03','Heater','台','W1',1,150),('2024-03-06','Wang','A01','Fan','台','W2',2,56),"
             "('2024-03-20','Zhao','A01','Fan','台','W1',-2,-60),('2024-03-21','Zhou','D04','Iron','台','W1',2,40)");
    }
    // Purchases, sales and stock changes in 2024.
    void ledgerShop()
    {
        const QString cols = " (rq,txm,ppgg,dw,sl,je) VALUES ";
        exec("INSERT INTO cgfx" + cols
             + "('2024-03-01','A01','Fan','台',10,200),('2024-03-15','A01','Fan','台',-2,-40),"
               "('2024-03-15','B02','Kettle','台',1,35.5),('2024-03-10','FAN9','Blower','台',2,100),"
               "('2024-02-10','FAN9','Blower','台',1,50)");
        exec("INSERT INTO xsfx" + cols + "('2024-03-02','A01','Fan','台',3,90),('2024-03-16','B02','Kettle','台',2,100)");
        exec("INSERT INTO rkfx" + cols
             + "('2024-03-03','A01','Fan','台',-4,-80),('2024-03-03','A01','Fan','台',4,80),"
               "('2024-03-12','D04','Iron','台',6,90)");
    }

    // Sets the panel, clicks 统计 and checks what the grid and the panels show.
    static void run(StatisticsTable& w, const StatsRun& r)
    {
        w.Edit1->setText(r.text);
        w.CheckBox1->setChecked(r.dates.has_value());
        if (r.dates) {
            w.DateTimePicker1->setDate(r.dates->from);
            w.DateTimePicker2->setDate(r.dates->to);
        }
        w.BB1->click();
        QStringList rows, shown;
        QVector<int> red;
        for (int row = 0; row < w.query().recordCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < w.DBGrid1->columnCountAll(); ++c)
                cells << w.DBGrid1->cellText(row, c);
            rows << cells.join(' ');
            if (w.DBGrid1->rowStyle(row).font == QColor(255, 0, 0))
                red << row;
        }
        for (int p : w.description().sumPanels)
            shown << w.StatusBar1->panelText(p);
        EXPECT_EQ(rows, r.rows) << r.what;
        EXPECT_EQ(red, r.red) << r.what;
        EXPECT_EQ(shown, r.panels) << r.what;
    }
};

} // namespace

// Both tables open empty with the panel's defaults, refuse print and export, and walk Enter
// to their run: the commission table stops on 统计, the other runs.
TEST_F(StatisticsTables, OpenEmptyRefuseAndWalkEnter)
{
    commissionShop();
    TFmain1 main;
    setMdiArea(main.mdi);
    main.show();
    main.activateWindow();
    QApplication::setActiveWindow(&main);
    const struct {
        std::function<StatisticsTable*()> open;
        QString label, refusal;
        QStringList panels;
        bool enterRuns;
    } tables[] = {
        {[] { openCommissionTable(); return Fxstj3.data(); }, "员　　工", "数据表未打开，请先统计！",
         {"总计", "", "0.00", "0.00", "0.00", ""}, false},
        {[] { openStockBalanceTable(); return Fkctj1.data(); }, "编码或品名", "统计表未打开，请先统计！",
         {"总计", "结存＝采购－销售＋异动", "0", "0", ""}, true},
    };
    for (const auto& t : tables) {
        StatisticsTable& w = *t.open();
        QStringList panels;
        for (int i = 0; i < w.StatusBar1->panelCount(); ++i)
            panels << w.StatusBar1->panelText(i);
        EXPECT_EQ(panels, t.panels);
        EXPECT_EQ(w.Edit1->text(), "");
        EXPECT_FALSE(w.CheckBox1->isChecked());
        EXPECT_FALSE(w.query().isOpen());
        EXPECT_EQ(w.DateTimePicker1->date().toString("yyyy-MM-dd") + w.DateTimePicker2->date().toString(" yyyy-MM-dd"),
                  "2024-02-29 2024-03-31");
        EXPECT_EQ(labelOf(w.Edit1), t.label);
        EXPECT_EQ(QApplication::focusWidget(), w.Edit1);

        rec.clear();
        w.BB2->click();
        w.BB3->click();
        EXPECT_EQ(rec.texts(), QStringList(2, t.refusal));
        EXPECT_EQ(rec.last().caption, "警告");
        EXPECT_EQ(rec.last().icon, MsgIcon::Warning);

        rec.clear();
        for (QWidget* field : QList<QWidget*>{w.CheckBox1, w.DateTimePicker1, w.DateTimePicker2, w.Edit1})
            sendKey(field, Qt::Key_Return);
        EXPECT_EQ(w.query().isOpen(), t.enterRuns);
        if (!t.enterRuns) {
            EXPECT_EQ(QApplication::focusWidget(), w.BB1);
            sendKey(w.BB1, Qt::Key_Return);
            EXPECT_EQ(w.query().recordCount(), 4);
        }
        EXPECT_EQ(rec.texts(), t.enterRuns ? QStringList{} : QStringList{"统计完毕！"});
    }
    setMdiArea(nullptr);
}

TEST_F(StatisticsTables, CommissionCountsEachSaleOnceWithItsWarehouseRates)
{
    commissionShop();
    openCommissionTable();
    const QStringList none{"0", "0", "0"};
    const StatsRun runs[] = {
        {"every sale", "", {}, {"Li 2 8.7 10.7", "Wang 1 0 1", "Zhao -2 -1.2 -3.2", "Zhou 0 0 0"}, {2}, {"1", "7.5", "8.5"}},
        {"first half of March", "", DateRange{march1, march15}, {"Li 3 1.8 4.8", "Wang 1 0 1"}, {}, {"4", "1.8", "5.8"}},
        {"a fragment", "Zh", {}, {"Zhao -2 -1.2 -3.2", "Zhou 0 0 0"}, {0}, {"-2", "-1.2", "-3.2"}},
        {"nobody", "Nobody", {}, {}, {}, none},
        {"a quote", "O'Neil", DateRange{march1, march31}, {}, {}, none},
    };
    for (const StatsRun& r : runs) {
        rec.clear();
        run(*Fxstj3, r);
        ASSERT_EQ(rec.texts(), QStringList{"统计完毕！"}) << r.what;
        EXPECT_EQ(rec.last().caption, "提示");
        EXPECT_EQ(rec.last().icon, MsgIcon::Information);
    }

    // A statement the database refuses: the error box, the controls enabled, no message.
    rec.clear();
    exec("ALTER TABLE xsfx RENAME TO xsfx_gone");
    Fxstj3->BB1->click();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_FALSE(DM1->AQxstj3.controlsDisabled());
}

TEST_F(StatisticsTables, PurchaseSalesStockLimitsNameAndCodeByTheDates)
{
    ledgerShop();
    openStockBalanceTable();
    const QString a01 = "A01 Fan 台 8 160 3 90 0 0 5 70", d04 = "D04 Iron 台 0 0 0 0 6 90 6 90";
    const StatsRun runs[] = {
        {"every item, all dates", "", {},
         {a01, "B02 Kettle 台 1 35.5 2 100 0 0 -1 -64.5", d04, "FAN9 Blower 台 3 150 0 0 0 0 3 150"}, {1}, {"13", "245.5"}},
        {"first half of March", "", DateRange{march1, march15},
         {a01, "B02 Kettle 台 1 35.5 0 0 0 0 1 35.5", d04, "FAN9 Blower 台 2 100 0 0 0 0 2 100"}, {}, {"14", "295.5"}},
        {"name or code, dated", "fan", DateRange{QDate(2024, 3, 2), march31},
         {"A01 Fan 台 -2 -40 3 90 0 0 -5 -130", "FAN9 Blower 台 2 100 0 0 0 0 2 100"}, {0}, {"-3", "-30"}},
        {"nothing matches", "zzz", {}, {}, {}, {"0", "0"}},
        {"a quote", "O'Neil", {}, {}, {}, {"0", "0"}},
    };
    for (const StatsRun& r : runs)
        run(*Fkctj1, r);
    EXPECT_TRUE(rec.empty());
}

// The prints: the grid's rows and the totals as placed texts; the commission table on
// portrait paper, the other on landscape without the code.
TEST_F(StatisticsTables, CommissionPrintsPortraitWithItsTotals)
{
    commissionShop();
    openCommissionTable();
    Fxstj3->BB1->click();
    DM1->ATdanwei1.close();
    const QuickRep& rep = reportForm(Fdyxstj3).QuickRep1;
    EXPECT_EQ(previewTexts(modal, rep, {"QRLdw", "QRD1", "QRD4", "QRLzj", "e1", "e2", "e3"}, [] { Fxstj3->BB2->click(); }),
              (QStringList{"QRLdw=禾岚家电销售统计表（提成）", "QRD1=Li|Wang|Zhao|Zhou", "QRD4=10.7|1|-3.2|0", "QRLzj=总计",
                           "e1=1", "e2=7.5", "e3=8.5"}));
    EXPECT_LT(rep.designPaper().width(), rep.designPaper().height());
}

TEST_F(StatisticsTables, PurchaseSalesStockPrintsLandscapeWithoutTheCodeAndExports)
{
    ledgerShop();
    openStockBalanceTable();
    Fkctj1->BB1->click();
    const QuickRep& rep = reportForm(Fdykctj1).QuickRep1;
    EXPECT_EQ(previewTexts(modal, rep, {"QRLdw", "QRL1", "QRL7", "QRL8", "QRD2", "QRD4", "QRD12", "QRLzj", "e1", "e2"},
                           [] { Fkctj1->BB2->click(); }),
              (QStringList{"QRLdw=禾岚家电商品进销存统计表", "QRL1=商品名称", "QRL7=变动数量", "QRL8=变动金额",
                           "QRD2=Fan|Kettle|Iron|Blower", "QRD4=台|台|台|台", "QRD12=70|-64.5|90|150", "QRLzj=总　　计",
                           "e1=13", "e2=245.5"}));
    EXPECT_GT(rep.designPaper().width(), rep.designPaper().height());
    EXPECT_FALSE(rep.layout(*rep.dataRows()).page(0).allTexts().contains("A01"));

    // Export: the grid's titles (the grid says 异动), then its rows.
    const QVector<QStringList> sheet = exportedSheet(Fkctj1->BB3);
    ASSERT_EQ(sheet.size(), 5);
    EXPECT_EQ(sheet[0].mid(7, 2).join(' ') + ' ' + sheet[2].join(' '), "异动数量 异动金额 B02 Kettle 台 #1 #35.5 #2 #100 #0 #0 #-1 #-64.5");
    EXPECT_TRUE(rec.empty());
}
