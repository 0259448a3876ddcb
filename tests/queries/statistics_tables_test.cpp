// The employee commission table and the purchase-sales-stock statistics, driven through
// their windows: opening, the condition panel's keys, runs (rows, red rows, totals,
// messages), refusals, a failed run, print and export.

#include "Windows.h"
#include "data/Clock.h"
#include "queries/Udykctj1.h"
#include "queries/Udyxstj3.h"
#include "queries/Ukctj1.h"
#include "queries/Uxstj3.h"
#include "queries/statistics_tables.h"
#include "shell/Export.h"
#include "shell/Umain1.h"
#include "support/ReadSheet.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

struct StatsRun {
    const char* what;
    QString text;
    std::optional<DateRange> dates;
    QStringList rows;       // every column as the grid shows it
    QVector<int> red;       // rows drawn in red
    QStringList panels;     // the total panels
};

const QDate march1(2024, 3, 1), march2(2024, 3, 2), march15(2024, 3, 15), march31(2024, 3, 31);

class StatisticsTables : public ShopTest {
protected:
    StatisticsTables() : ShopTest(false) {}
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
        exec("UPDATE danwei SET mcdy='禾岚家电'");
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Fxstj3.data();
        delete Fkctj1.data();
        Clock::unpin();
    }

    // Goods rows (the sales' own warehouse decides the rates; a later duplicate of Fan in W1
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

    // Sets the panel's conditions.
    static void setConditions(QueryWindow& w, const StatsRun& r)
    {
        w.Edit1->setText(r.text);
        w.CheckBox1->setChecked(r.dates.has_value());
        if (r.dates) {
            w.DateTimePicker1->setDate(r.dates->from);
            w.DateTimePicker2->setDate(r.dates->to);
        }
    }
    // Checks what the grid and the panels show after a run.
    static void expectShown(QueryWindow& w, const StatsRun& r, const QVector<int>& panels)
    {
        QStringList rows;
        QVector<int> red;
        const DataGrid& g = *w.DBGrid1;
        for (int row = 0; row < w.query().recordCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < g.columnCountAll(); ++c)
                cells << g.cellText(row, c);
            rows << cells.join(' ');
            if (g.rowStyle(row).font == QColor(255, 0, 0))
                red << row;
        }
        QStringList shown;
        for (int p : panels)
            shown << w.StatusBar1->panelText(p);
        EXPECT_EQ(rows, r.rows) << r.what;
        EXPECT_EQ(red, r.red) << r.what;
        EXPECT_EQ(shown, r.panels) << r.what;
        EXPECT_FALSE(w.query().controlsDisabled()) << r.what;
    }
    // The report the print button filled, laid out over its rows, and printed to a PDF in
    // the screenshot folder to be looked at.
    QVector<PageContent> printed(QPushButton* print, TListReport& form, const QString& pdf)
    {
        QVector<PageContent> pages;
        modal.next([&](QDialog&) {
            const auto rows = form.QuickRep1.dataRows();
            pages = form.QuickRep1.pages(*rows);
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QDir(qEnvironmentVariable("SHOP_SCREENSHOTS", QDir::tempPath())).filePath(pdf));
            form.QuickRep1.setUpPrinter(printer);
            EXPECT_TRUE(form.QuickRep1.print(printer, *rows));
        });
        print->click();
        return pages;
    }
    static void saveScreenshot(QWidget& w, const QString& name)
    {
        const QDir dir(qEnvironmentVariable("SHOP_SCREENSHOTS", QDir::tempPath()));
        EXPECT_TRUE(w.grab().save(dir.filePath(name)));
    }
};

QStringList texts(const PageContent& p, const QString& name)
{
    QStringList out;
    for (const PlacedText& t : p.named(name))
        out << t.text;
    return out;
}

bool hasVerticalRule(const PageContent& p, double x, double top, double bottom)
{
    for (const QLineF& l : p.lines)
        if (qAbs(l.x1() - x) < 1e-6 && qAbs(l.x2() - x) < 1e-6 && qAbs(l.y1() - top) < 1e-6
            && qAbs(l.y2() - bottom) < 1e-6)
            return true;
    return false;
}

} // namespace

// Both tables open from the menu (once) empty, with the panel's defaults, refuse print and
// export, keep their dates in order and walk Enter to their run.
TEST_F(StatisticsTables, OpenEmptyRefuseAndWalkEnter)
{
    commissionShop();
    TFmain1 main;
    setMdiArea(main.mdi);
    wireMenus(main);
    main.show();
    main.activateWindow();
    QApplication::setActiveWindow(&main);
    QApplication::processEvents();
    const struct {
        QAction* item;
        std::function<QueryWindow*()> window;
        QString caption, label, refusal;
        QStringList panels;
        bool enterRuns;
    } tables[] = {
        {main.N408, [] { return Fxstj3.data(); }, "员工提成表", "员　　工", "数据表未打开，请先统计！",
         {"总计", "", "0.00", "0.00", "0.00", ""}, false},
        {main.N415, [] { return Fkctj1.data(); }, "商品进销存统计表", "编码或品名", "统计表未打开，请先统计！",
         {"总计", "结存＝采购－销售＋异动", "0", "0", ""}, true},
    };
    for (const auto& t : tables) {
        t.item->trigger();
        t.item->trigger();
        ASSERT_TRUE(t.window());
        QueryWindow& w = *t.window();
        EXPECT_EQ(w.windowTitle(), t.caption);
        EXPECT_FALSE(w.query().isOpen());
        QStringList panels;
        for (int i = 0; i < w.StatusBar1->panelCount(); ++i)
            panels << w.StatusBar1->panelText(i);
        EXPECT_EQ(panels, t.panels);
        EXPECT_TRUE(w.Edit1->text().isEmpty() && !w.CheckBox1->isChecked() && w.CheckBox1->text() == "日期范围");
        EXPECT_EQ(w.DateTimePicker2->date(), march31);
        EXPECT_EQ(w.DateTimePicker1->date(), QDate(2024, 2, 29));
        bool labelled = false;
        for (QLabel* l : w.findChildren<QLabel*>())
            labelled = labelled || l->text() == t.label;
        EXPECT_TRUE(labelled) << t.label.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), w.Edit1);

        rec.clear();
        w.panelButton("BB2")->click();
        w.panelButton("BB3")->click();
        ASSERT_EQ(rec.count(), 2);
        for (const MessageRequest& m : rec.all())
            EXPECT_TRUE(m.text == t.refusal && m.caption == "警告" && m.icon == MsgIcon::Warning);
        EXPECT_EQ(modal.opened(), 0);

        // The pickers keep from <= to when their calendars close.
        w.DateTimePicker1->pickFromCalendar(QDate(2024, 4, 5));
        EXPECT_EQ(w.DateTimePicker2->date(), QDate(2024, 4, 5));
        w.DateTimePicker2->pickFromCalendar(QDate(2024, 4, 1));
        EXPECT_EQ(w.DateTimePicker1->date(), QDate(2024, 4, 1));

        rec.clear();
        sendKey(w.CheckBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.DateTimePicker1);
        sendKey(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.DateTimePicker2);
        sendKey(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.Edit1);
        sendKey(w.Edit1, Qt::Key_Return);
        // The commission table stops on 统计 (Enter there runs it); the other runs at once.
        EXPECT_EQ(w.query().isOpen(), t.enterRuns);
        if (!t.enterRuns) {
            EXPECT_EQ(QApplication::focusWidget(), w.panelButton("BB1"));
            sendKey(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_EQ(w.query().recordCount(), 4);
        }
        EXPECT_EQ(rec.texts(), t.enterRuns ? QStringList{} : QStringList{"统计完毕！"});
    }
    EXPECT_EQ(main.mdi->subWindowList().size(), 2);

    // Esc closes a table and its query.
    sendKey(Fkctj1->DBGrid1, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Fkctj1.data(), nullptr);
    EXPECT_FALSE(DM1->AQkctj1.isOpen());
    setMdiArea(nullptr);
}

TEST_F(StatisticsTables, CommissionCountsEachSaleOnceWithItsWarehouseRates)
{
    commissionShop();
    openCommissionTable();
    TFxstj3& w = *Fxstj3;
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
        setConditions(w, r);
        w.BB1->click();
        expectShown(w, r, {2, 3, 4});
        ASSERT_EQ(rec.count(), 1) << r.what;
        EXPECT_TRUE(rec.last().text == "统计完毕！" && rec.last().caption == "提示"
                    && rec.last().icon == MsgIcon::Information);
    }

    // A statement the database refuses: the error box, the controls enabled, no message.
    rec.clear();
    exec("ALTER TABLE xsfx RENAME TO xsfx_gone");
    sendKey(w.BB1, Qt::Key_Space);
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_FALSE(w.query().controlsDisabled());
    exec("ALTER TABLE xsfx_gone RENAME TO xsfx");
}

TEST_F(StatisticsTables, PurchaseSalesStockLimitsBothTestsByTheDates)
{
    ledgerShop();
    openStockBalanceTable();
    TFkctj1& w = *Fkctj1;
    const StatsRun runs[] = {
        {"every item, all dates", "", {},
         {"A01 Fan 台 8 160 3 90 0 0 5 70", "B02 Kettle 台 1 35.5 2 100 0 0 -1 -64.5", "D04 Iron 台 0 0 0 0 6 90 6 90",
          "FAN9 Blower 台 3 150 0 0 0 0 3 150"},
         {1}, {"13", "245.5"}},
        {"first half of March", "", DateRange{march1, march15},
         {"A01 Fan 台 8 160 3 90 0 0 5 70", "B02 Kettle 台 1 35.5 0 0 0 0 1 35.5", "D04 Iron 台 0 0 0 0 6 90 6 90",
          "FAN9 Blower 台 2 100 0 0 0 0 2 100"},
         {}, {"14", "295.5"}},
        {"name or code, dated", "fan", DateRange{march2, march31},
         {"A01 Fan 台 -2 -40 3 90 0 0 -5 -130", "FAN9 Blower 台 2 100 0 0 0 0 2 100"}, {0}, {"-3", "-30"}},
        {"nothing matches", "zzz", {}, {}, {}, {"0", "0"}},
        {"a quote", "O'Neil", {}, {}, {}, {"0", "0"}},
    };
    for (const StatsRun& r : runs) {
        setConditions(w, r);
        w.BB1->click();
        expectShown(w, r, {2, 3});
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(StatisticsTables, StatementsQuoteTheTextAndDateEveryLedger)
{
    const DateRange range{march1, march31};
    const QStringList commission = commissionStatement("O'Neil", range);
    EXPECT_EQ(commission.mid(3), (QStringList{"where jsr like'%O''Neil%'", "and rq>='2024-03-01'and rq<='2024-03-31'",
                                              "group by xsfx.jsr order by xsfx.jsr"}));
    const QStringList balance = stockBalanceStatement("O'Neil", range);
    const QString filter = "where (ppgg like '%O''Neil%' or txm like '%O''Neil%')";
    EXPECT_EQ(balance.count(filter), 3);
    EXPECT_EQ(balance.count("and rq>='2024-03-01'and rq<='2024-03-31'"), 3);
    for (const char* ledger : {"cgfx", "xsfx", "rkfx"}) {
        const int member = balance.indexOf(QRegularExpression(QStringLiteral(".* FROM ") + ledger));
        ASSERT_GE(member, 0) << ledger;
        EXPECT_EQ(balance.value(member + 1), filter) << ledger;
    }
    EXPECT_EQ(balance.mid(balance.size() - 3), (QStringList{")as 总计", "group by txm,ppgg,dw", "order by txm"}));
}

TEST_F(StatisticsTables, CommissionPrintsPortraitWithItsTotals)
{
    commissionShop();
    openCommissionTable();
    TFxstj3& w = *Fxstj3;
    w.BB1->click();
    saveScreenshot(w, "commission_table.png");
    DM1->ATdanwei1.close();
    TListReport& form = reportForm(Fdyxstj3);
    const QVector<PageContent> pages = printed(w.BB2, form, "commission_table.pdf");
    ASSERT_EQ(pages.size(), 1);
    const PageContent& p = pages[0];
    EXPECT_LT(form.QuickRep1.designPaper().width(), form.QuickRep1.designPaper().height());
    const PlacedText title = p.named("QRLdw").at(0);
    EXPECT_EQ(title.text, "禾岚家电销售统计表（提成）");
    EXPECT_TRUE(title.font.family == "宋体" && title.font.px == 19 && title.font.bold);
    EXPECT_EQ(texts(p, "QRD1"), (QStringList{"Li", "Wang", "Zhao", "Zhou"}));
    EXPECT_EQ(texts(p, "QRD4"), (QStringList{"10.7", "1", "-3.2", "0"}));
    EXPECT_EQ(texts(p, "e1") + texts(p, "e2") + texts(p, "e3"), (QStringList{"1", "7.5", "8.5"}));
    const QVector<PlacedText> rows = p.named("QRD1");
    EXPECT_NEAR(rows[1].rect.top() - rows[0].rect.top(), 6.1, 1e-9);
    const PlacedText sum = p.named("QRLzj").at(0);
    EXPECT_EQ(sum.text, "总计");
    EXPECT_NEAR(sum.rect.center().x(), 10 + (0.1 + 70.5) / 2, 1e-9);
    EXPECT_NEAR(sum.rect.height(), 6.6, 1e-9);
    EXPECT_DOUBLE_EQ(p.named("e3").at(0).rect.right(), p.named("QRD4").at(0).rect.right());
    const PlacedText page = p.named("QRSysData1").at(0);
    EXPECT_EQ(page.text, "（1");
    EXPECT_TRUE(qAbs(page.rect.left() - (10 + 182)) < 1e-9 && page.font.px == 12);
}

TEST_F(StatisticsTables, PurchaseSalesStockPrintsLandscapeWithoutTheCode)
{
    ledgerShop();
    openStockBalanceTable();
    TFkctj1& w = *Fkctj1;
    w.BB1->click();
    saveScreenshot(w, "stock_balance_table.png");
    TListReport& form = reportForm(Fdykctj1);
    const QVector<PageContent> pages = printed(w.BB2, form, "stock_balance_table.pdf");
    ASSERT_EQ(pages.size(), 1);
    const PageContent& p = pages[0];
    EXPECT_GT(form.QuickRep1.designPaper().width(), form.QuickRep1.designPaper().height());
    EXPECT_EQ(p.named("QRLdw").at(0).text, "禾岚家电商品进销存统计表");
    QStringList titles;
    for (int i = 1; i <= 10; ++i)
        titles << texts(p, QStringLiteral("QRL%1").arg(i));
    EXPECT_EQ(titles, (QStringList{"商品名称", "单位", "采购数量", "采购金额", "销售数量", "销售金额", "变动数量",
                                   "变动金额", "结存数量", "结存金额"}));
    EXPECT_EQ(texts(p, "QRD2"), (QStringList{"Fan", "Kettle", "Iron", "Blower"}));
    EXPECT_EQ(texts(p, "QRD4").join(' ') + ' ' + texts(p, "QRD9").join(' '), "台 台 台 台 0 0 6 0");
    EXPECT_EQ(texts(p, "QRD12"), (QStringList{"70", "-64.5", "90", "150"}));
    EXPECT_FALSE(p.allTexts().contains("A01"));
    // "总　　计" in the name column alone, the unit up to the change amount one empty cell,
    // the two totals under the balance.
    const PlacedText sum = p.named("QRLzj").at(0);
    EXPECT_EQ(sum.text, "总　　计");
    EXPECT_NEAR(sum.rect.center().x(), 10 + (0.1 + 59.9) / 2, 1e-9);
    const double top = sum.rect.top(), bottom = top + 6.6;
    for (const double edge : {0.1, 59.9, 224.5, 249.9, 276.9})
        EXPECT_TRUE(hasVerticalRule(p, 10 + edge, top, bottom)) << edge;
    for (const double edge : {75.8, 100.2, 126.1, 150.4, 174.8, 200.2})
        EXPECT_FALSE(hasVerticalRule(p, 10 + edge, top, bottom)) << edge;
    const PlacedText e1 = p.named("e1").at(0), e2 = p.named("e2").at(0);
    EXPECT_TRUE(e1.text == "13" && e2.text == "245.5" && (e2.align & Qt::AlignRight));
    EXPECT_DOUBLE_EQ(e1.rect.right(), 10 + 249.9 - 1);
    EXPECT_DOUBLE_EQ(e2.rect.right(), 10 + 276.9 - 1);
    const PlacedText page = p.named("QRSysData1").at(0);
    EXPECT_TRUE(qAbs(page.rect.left() - (10 + 268.8)) < 1e-9 && page.font.px == 12);

    // Export: the grid's titles, then its rows.
    QString written;
    setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
    w.BB3->click();
    setSpreadsheetLauncher({});
    const QVector<QStringList> sheet = readSheet(written);
    ASSERT_EQ(sheet.size(), 5);
    EXPECT_EQ(sheet[0].mid(7, 2), (QStringList{"异动数量", "异动金额"}));
    EXPECT_EQ(sheet[2], (QStringList{"B02", "Kettle", "台", "1", "35.5", "2", "100", "0", "0", "-1", "-64.5"}));
    EXPECT_TRUE(rec.empty());
}
