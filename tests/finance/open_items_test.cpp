// The payables and receivables tables on both sides: the menu items, the open items listed,
// the dialog's clauses, 查单 into the document browser that then walks the table's rows, Esc
// printing, the refusals on a closed query, the print and the export.

#include "Windows.h"
#include "data/DM1.h"
#include "finance/Udyyffx1.h"
#include "finance/Uyffx1.h"
#include "finance/settlement.h"
#include "queries/ConditionDialog.h"
#include "queries/Ucggl1.h"
#include "queries/Ullcgd1.h"
#include "queries/Ullxsd1.h"
#include "queries/Uxsgl1.h"
#include "shell/Export.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A document header of the side's table with two lines (codes "A<id>" and "B<id>"), in 一号库.
void addDocument(const SettlementSide& s, const QString& dh, const QString& rq, const QString& shbj,
                 const QString& party, const QString& jsr, const QString& due, const QString& paid)
{
    TDM1& dm = *DM1;
    dm.ADOC1.exec(QStringLiteral("INSERT INTO %1 (dh,rq,kdrq,shbj,zhidan,ck,%2,jsr,bz,hjsl,hjje,yhe,%3,%4,qk) "
                                 "VALUES (%5,%6,%6,%7,'系统管理员','一号库',%8,%9,'',2,%10,0,%10,%11,%10-(%11))")
                      .arg(s.docTable, s.partyColumn, s.dueColumn, s.paidColumn, sqlQuote(dh), sqlQuote(rq),
                           sqlQuote(shbj), sqlQuote(party), sqlQuote(jsr))
                      .arg(due, paid));
    const QString lines = s.docTable == QLatin1String("cgglz") ? QStringLiteral("cgglc") : QStringLiteral("xsglc");
    const QString id = sqlScalar(dm, QStringLiteral("SELECT max(id) FROM ") + s.docTable);
    dm.ADOC1.exec(QStringLiteral("INSERT INTO %1 (dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES "
                                 "(%2,'yz','A%3','冰箱','台',1,1,1,1),(%2,'yz','B%3','彩电','台',1,1,1,1)")
                      .arg(lines, sqlQuote(dh), id));
}

// The shop, the same on either side (purchase headers, or sales headers numbered XS...):
//   id number         date        state   party     employee due/paid/debt
//   1  <P>20240501001 2024-05-01 已审核 华强电器 张三     100/30.25/69.75  partly paid
//   2  <P>20240501002 2024-05-01 未审核 华强电器 张三      50/0/50         held
//   3  <P>20240502001 2024-05-02 已审核 美的专卖 王五     200/200/0        fully paid
//   4  <P>20240502002 2024-05-02 已审核 华强电器 张三     100/120/-20      overpaid
//   5  <P>20240503001 2024-05-03 已审核 美的专卖 王五     300/0/300        unpaid
class OpenItems : public ShopTest, public ::testing::WithParamInterface<const OpenItemsSide*> {
protected:
    const OpenItemsSide& side = *GetParam();
    const SettlementSide& settled = side.settlement;
    bool payables() const { return &side == &payablesSide(); }

    QString doc(int i) const
    {
        static const char* const tails[] = {"20240501001", "20240501002", "20240502001", "20240502002", "20240503001"};
        return (payables() ? QStringLiteral("CG") : QStringLiteral("XS"))
            + (i <= 5 ? QString::fromLatin1(tails[i - 1]) : QStringLiteral("20240504%1").arg(i, 3, 10, QLatin1Char('0')));
    }

    void SetUp() override
    {
        exec("UPDATE danwei SET mcdy='顺达电器'");
        const struct { const char *rq, *shbj, *party, *jsr, *due, *paid; } docs[] = {
            {"2024-05-01", "已审核", "华强电器", "张三", "100", "30.25"},
            {"2024-05-01", "未审核", "华强电器", "张三", "50", "0"},
            {"2024-05-02", "已审核", "美的专卖", "王五", "200", "200"},
            {"2024-05-02", "已审核", "华强电器", "张三", "100", "120"},
            {"2024-05-03", "已审核", "美的专卖", "王五", "300", "0"}};
        for (int i = 0; i < 5; ++i)
            addDocument(settled, doc(i + 1), docs[i].rq, docs[i].shbj, docs[i].party, docs[i].jsr, docs[i].due,
                        docs[i].paid);
    }
    void TearDown() override
    {
        for (QWidget* w : std::initializer_list<QWidget*>{Fyffx1, Fysfx1, Fllcgd1, Fllxsd1, Fcggl1, Fxsgl1})
            delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TOpenItemsTable& table()
    {
        if (payables()) {
            openPayablesTable();
            return *Fyffx1;
        }
        openReceivablesTable();
        return *Fysfx1;
    }
    DocumentBrowser* browser() const
    {
        return payables() ? static_cast<DocumentBrowser*>(Fllcgd1.data()) : Fllxsd1.data();
    }
    static QStringList shown(const TOpenItemsTable& w) { return columnTexts(w.query(), "id"); }
    static QString total(const TOpenItemsTable& w) { return w.StatusBar1->panelText(2); }

    // The table's condition dialog through 查询, filled by fill and run.
    void query(TOpenItemsTable& w, const std::function<void(TConditionDialog&)>& fill = {})
    {
        modal.next([fill](QDialog& d) {
            auto& c = dynamic_cast<TConditionDialog&>(d);
            if (fill)
                fill(c);
            c.BitBtn1->click();
        });
        w.SB77->click();
    }
    // The browser's state, number, warehouse, party, due, paid and lines' codes.
    QString inBrowser() const
    {
        const DocumentBrowser* b = browser();
        return QStringList{b->shbj->text(), b->dh->text(), b->editText("ck"), b->editText(settled.partyColumn),
                           b->editText(settled.dueColumn), b->editText(settled.paidColumn),
                           columnTexts(b->lineQuery(), "txm").join(' ')}
            .join('|');
    }
    // 首单 前单 后单 尾单 enabled, as "1" and "0".
    QString navigation() const
    {
        QString s;
        for (QPushButton* x : {browser()->BB1, browser()->BB2, browser()->BB3, browser()->BB4})
            s += x->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
};

TEST_P(OpenItems, TheMenuOpensTheAuditedDocumentsWithADebtRefundsInRed)
{
    TFmain1 main;
    wireMenus(main);
    main.show();
    QAction* item = payables() ? main.N601 : main.N602;
    item->trigger();
    TOpenItemsTable& w = table();
    item->trigger();
    EXPECT_EQ(&table(), &w);
    EXPECT_EQ(w.objectName(), side.windowName);

    // Partly paid and overpaid are listed, held and fully paid are not; the total is signed.
    EXPECT_EQ(shown(w), (QStringList{"1", "4", "5"}));
    EXPECT_EQ(QStringList({w.StatusBar1->panelText(0), total(w), w.StatusBar1->panelText(4)}),
              (QStringList{"总计", "349.75", "默认显示全部数据"}));
    EXPECT_EQ(w.query().sqlText(), "SELECT * FROM " + settled.docTable + "\nwhere shbj='已审核'\nand qk<>0\norder by id");
    for (int r = 0; r < 3; ++r) {   // only the refund due in red, no brush
        const RowStyle s = w.DBGrid1->rowStyle(r);
        EXPECT_EQ(s.font.isValid() ? s.font.name() : "", r == 1 ? "#ff0000" : "") << r;
        EXPECT_FALSE(s.brush.isValid()) << r;
    }
}

TEST_P(OpenItems, TheDialogsClausesAndASettledDocumentLeavingWithTheNextQuery)
{
    TOpenItemsTable& w = table();
    // Type, party, employee, number, dates (05-02 to 05-02 when dated): the rows and the total.
    const struct { int type; QString party, jsr, dh; bool dated; QStringList ids; QString total; } cases[] = {
        {1, "", "", "", false, {"1", "5"}, "369.75"},
        {2, "", "", "", false, {"4"}, "-20"},
        {0, "", "", "", false, {"1", "4", "5"}, "349.75"},
        {0, "美的", "", "", false, {"5"}, "300"},
        {0, "", "", "0501", false, {"1"}, "69.75"},   // the held 2 never
        {0, "", "", "", true, {"4"}, "-20"},          // the settled 3 never
        {1, "", "李", "", true, {}, "0"},
    };
    for (const auto& c : cases) {
        query(w, [&](TConditionDialog& d) {
            d.ComboBox1->setCurrentIndex(c.type);
            d.Edit1->setText(c.party);
            d.Edit2->setText(c.jsr);
            d.Edit3->setText(c.dh);
            d.CheckBox1->setChecked(c.dated);
            d.DateTimePicker1->setDate(QDate(2024, 5, 2));
            d.DateTimePicker2->setDate(QDate(2024, 5, 2));
        });
        const std::string what = QStringLiteral("%1 %2 %3 %4 %5").arg(c.type).arg(c.party, c.jsr, c.dh).arg(c.dated).toStdString();
        EXPECT_EQ(shown(w), c.ids) << what;
        EXPECT_EQ(total(w), c.total) << what;
    }
    EXPECT_EQ(w.query().sqlText(), "SELECT * FROM " + settled.docTable + "\nwhere " + settled.partyColumn
                                       + " like '%%'\nand jsr like '%李%'\nand dh like '%%'\n"
                                         "and rq>='2024-05-02'and rq<='2024-05-02'\nand shbj='已审核'\nand qk>0\norder by id");
    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList{side.noRowsRefusal});
    EXPECT_EQ(rec.last().caption + (browser() ? " browser" : ""), "警告");

    // A party with a quote in its name is matched; a document settled in full leaves.
    addDocument(settled, doc(6), "2024-05-04", "已审核", "O'Neil", "张三", "10", "0");
    query(w, [](TConditionDialog& d) { d.Edit1->setText("O'Neil"); });
    EXPECT_EQ(shown(w), QStringList{"6"});
    saveSettlement(*dm, settled, {.date = QDate(2024, 5, 3), .dh = doc(1), .amount = Money::parse("69.75")});
    query(w);
    EXPECT_EQ(shown(w) << total(w), (QStringList{"4", "5", "6", "290"}));

    // The dialog: its class, the side's type items, the to-date's label; no second switch.
    modal.next([&](QDialog& d) {
        auto& c = dynamic_cast<TConditionDialog&>(d);
        QStringList items{c.ComboBox2 || c.CheckBox2 ? "more" : ""};
        for (int i = 0; i < c.ComboBox1->count(); ++i)
            items << c.ComboBox1->itemText(i);
        EXPECT_EQ(items, QStringList{""} + side.typeItems);
        EXPECT_EQ(c.findChildren<QLabel*>().at(0)->text(), "　　至");
    });
    w.SB77->click();
    EXPECT_EQ(modal.classes().last(), side.dialogName);
}

TEST_P(OpenItems, ViewOpensTheBrowserThatWalksTheTablesRows)
{
    TOpenItemsTable& w = table();
    emit w.DBGrid1->rowDoubleClicked(0);   // clicks 查单 on row 1
    ASSERT_NE(browser(), nullptr);
    DocumentBrowser* b = browser();
    EXPECT_EQ(inBrowser(), "已审核|" + doc(1) + "|一号库|华强电器|100|30.25|A1 B1");
    EXPECT_EQ(b->shbj->palette().color(QPalette::WindowText), b->palette().color(QPalette::WindowText));

    // 后单 walks the open items only: 4, 5, then the end turns 后单 and 尾单 off.
    const struct { int doc; const char* buttons; } steps[] = {{4, "1111"}, {5, "1111"}, {5, "1100"}};
    for (const auto& s : steps) {
        b->BB3->click();
        EXPECT_EQ(b->dh->text() + " " + navigation(), doc(s.doc) + " " + s.buttons);
    }
    // 查单 on another row with the browser open reuses it with that row and only its lines.
    b->BB1->click();
    ASSERT_TRUE(w.query().locate({"id"}, {5}));
    w.SB66->click();
    EXPECT_EQ(browser(), b);
    EXPECT_EQ(inBrowser(), "已审核|" + doc(5) + "|一号库|美的专卖|300|0|A5 B5");
    EXPECT_TRUE(rec.empty());
}

TEST_P(OpenItems, EscPrintsAndAClosedQueryIsRefused)
{
    TOpenItemsTable& w = table();
    sendKey(w.DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(modal.classes(), QStringList{"TFdyPreview1"});
    w.SB66->click();   // a browser on row 1

    // The document list on the same shared query closes it when it closes.
    payables() ? openPurchaseList() : openSalesList();
    (payables() ? static_cast<QWidget*>(Fcggl1.data()) : Fxsgl1.data())->close();
    sendKey(w.DBGrid1, Qt::Key_Escape);
    w.SB66->click();
    w.SB99->click();
    EXPECT_EQ(rec.texts(), QStringList(3, "数据表未打开，请先查询！"));
    EXPECT_EQ(rec.last().caption + (w.isVisible() ? " open" : ""), "警告 open");
    EXPECT_EQ(modal.opened(), 1);
    browser()->BB3->click();
    EXPECT_EQ(rec.last().text, "数据未打开，关闭窗口后重新打开！");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(browser(), nullptr);
}

TEST_P(OpenItems, PrintsThroughTheSharedReportAndExportsTheRowsShown)
{
    TOpenItemsTable& w = table();
    DM1->ATdanwei1.close();
    QuickRep& rep = reportForm(Fdyyffx1).QuickRep1;
    const QStringList names{"QRLdw", "QRL1", "QRL2", "QRL3", "QRL4", "QRL5", "QRL6", "QRD1", "QRD2", "QRD3", "QRD4",
                            "QRD5", "QRD6", "QRLzj", "e1", "QRSysData1"};
    EXPECT_EQ(previewTexts(modal, rep, names, [&w] { w.SB88->click(); }),
              (QStringList{"QRLdw=顺达电器" + side.reportName, "QRL1=日期", "QRL2=单号", "QRL3=" + settled.partyLabel,
                           "QRL4=" + settled.dueTitle, "QRL5=" + settled.paidTitle, "QRL6=欠款",
                           "QRD1=2024-05-01|2024-05-02|2024-05-03", "QRD2=" + QStringList{doc(1), doc(4), doc(5)}.join('|'),
                           "QRD3=华强电器|华强电器|美的专卖", "QRD4=100|100|300", "QRD5=30.25|120|0", "QRD6=69.75|-20|300",
                           "QRLzj=总计", "e1=349.75", "QRSysData1=（1"}));
    // e1 at the right edge under 欠款; the page number at the right.
    const PageContent p = rep.pages(*rep.dataRows()).at(0);
    const PlacedText e1 = p.named("e1").at(0);
    EXPECT_TRUE((e1.align & Qt::AlignRight) && e1.rect.left() >= 10 + 165 && e1.rect.right() <= 10 + 190);
    EXPECT_TRUE(p.named("QRSysData1").at(0).align & Qt::AlignRight);

    QString written;
    setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
    w.SB99->click();
    setSpreadsheetLauncher({});
    const QVector<QStringList> rows = readSheet(written);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (QStringList{"日期", "单号", settled.partyLabel, settled.dueTitle, settled.paidTitle, "欠款",
                                    "经办人", "备注"}));   // the grid's titles
    EXPECT_EQ(rows[2].mid(0, 7), (QStringList{"2024-05-02", doc(4), "华强电器", "#100", "#120", "#-20", "张三"}));
    EXPECT_TRUE(rec.empty());
}

INSTANTIATE_TEST_SUITE_P(BothSides, OpenItems, ::testing::Values(&payablesSide(), &receivablesSide()),
                         [](const ::testing::TestParamInfo<const OpenItemsSide*>& p) {
                             return p.param == &payablesSide() ? "Payables" : "Receivables";
                         });

} // namespace
