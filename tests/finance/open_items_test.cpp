// The payables and receivables tables on both sides: the open items they list, the dialog's
// clauses, 查单 into the document browser that then walks the table's rows, Esc printing, the
// refusals on a closed query, the print, the export, and the menu items. The receivables'
// own shop closes the file.

#include "Windows.h"
#include "data/Clock.h"
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

// Texts as text in the failure messages.
[[maybe_unused]] void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

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

// What both tables share in their tests: the open table of a side, its rows and total, the
// condition dialog run through 查询, the document browser and what a print places.
class OpenItemsTest : public ShopTest {
protected:
    void TearDown() override
    {
        delete Fyffx1.data();
        delete Fysfx1.data();
        delete Fllcgd1.data();
        delete Fllxsd1.data();
        delete Fcggl1.data();
        delete Fxsgl1.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Clock::unpin();
    }

    TOpenItemsTable& table(const OpenItemsSide& side)
    {
        if (&side == &payablesSide()) {
            openPayablesTable();
            return *Fyffx1;
        }
        openReceivablesTable();
        return *Fysfx1;
    }
    DocumentBrowser* browser(const OpenItemsSide& side) const
    {
        return &side == &payablesSide() ? static_cast<DocumentBrowser*>(Fllcgd1.data()) : Fllxsd1.data();
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

    // The texts 打印 places, by element name ("QRLdw=顺达电器应付明细表").
    QStringList printed(TOpenItemsTable& w, const QStringList& names)
    {
        return previewTexts(modal, reportForm(Fdyyffx1).QuickRep1, names, [&w] { w.SB88->click(); });
    }
};

// The shop on either side (purchase headers, or sales headers numbered XS...):
//   id number         date        state   party     employee due/paid/debt
//   1  <P>20240501001 2024-05-01 已审核 华强电器 张三     100/30.25/69.75  partly paid
//   2  <P>20240501002 2024-05-01 未审核 华强电器 张三      50/0/50         held
//   3  <P>20240502001 2024-05-02 已审核 美的专卖 王五     200/200/0        fully paid
//   4  <P>20240502002 2024-05-02 已审核 华强电器 张三     100/120/-20      overpaid
//   5  <P>20240503001 2024-05-03 已审核 美的专卖 王五     300/0/300        unpaid
class OpenItems : public OpenItemsTest, public ::testing::WithParamInterface<const OpenItemsSide*> {
protected:
    const OpenItemsSide& side = *GetParam();
    const SettlementSide& settled = side.settlement;
    bool payables() const { return &side == &payablesSide(); }

    QString doc(int i) const
    {
        static const char* const tails[] = {"20240501001", "20240501002", "20240502001", "20240502002", "20240503001"};
        const QString tail = i >= 1 && i <= 5 ? QString::fromLatin1(tails[i - 1]) : QStringLiteral("20240504%1").arg(i, 3, 10, QLatin1Char('0'));
        return (payables() ? QStringLiteral("CG") : QStringLiteral("XS")) + tail;
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

    TOpenItemsTable& table() { return OpenItemsTest::table(side); }
    DocumentBrowser* browser() const { return OpenItemsTest::browser(side); }
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

TEST_P(OpenItems, OpensOnTheAuditedDocumentsWithADebtRefundsInRed)
{
    TOpenItemsTable& w = table();
    EXPECT_EQ(w.objectName() + " " + w.windowTitle(), side.windowName + " " + side.caption);
    EXPECT_EQ(w.legendLabel->text(), side.legend);
    EXPECT_EQ(w.Shape1->palette().color(QPalette::Window), QColor(255, 0, 0));
    QStringList buttons, titles;
    for (SpeedButton* b : {w.SB66, w.SB77, w.SB88, w.SB99, w.SB100})
        buttons << b->objectName() + " " + b->text();
    EXPECT_EQ(buttons, (QStringList{"SB66 查单", "SB77 查询", "SB88 打印", "SB99 导出", "SB100 关闭"}));
    EXPECT_EQ(w.PopupMenu1, nullptr);
    for (const GridColumn& c : w.DBGrid1->columns())
        titles << c.title;
    EXPECT_EQ(titles, (QStringList{"日期", "单号", settled.partyLabel, settled.dueTitle, settled.paidTitle, "欠款",
                                   "经办人", "备注"}));

    // Partly paid and overpaid are listed, held and fully paid are not; the total is signed.
    EXPECT_EQ(shown(w), (QStringList{"1", "4", "5"}));
    EXPECT_EQ(QStringList({w.StatusBar1->panelText(0), total(w), w.StatusBar1->panelText(4)}),
              (QStringList{"总计", "349.75", "默认显示全部数据"}));
    EXPECT_EQ(w.query().sqlText(), "SELECT * FROM " + settled.docTable + "\nwhere shbj='已审核'\nand qk<>0\norder by id");
    for (int r = 0; r < 3; ++r) {
        const RowStyle s = w.DBGrid1->rowStyle(r);
        EXPECT_EQ(s.font.isValid() ? s.font.name() : "", r == 1 ? "#ff0000" : "") << r;
        EXPECT_FALSE(s.brush.isValid()) << r;
    }
}

TEST_P(OpenItems, TheDialogWritesItsClausesInOrder)
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
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text + " " + rec.last().caption, side.noRowsRefusal + " 警告");
    EXPECT_EQ(browser(), nullptr);

    // A party with a quote in its name is matched, not a broken statement.
    addDocument(settled, doc(6), "2024-05-04", "已审核", "O'Neil", "张三", "10", "0");
    query(w, [](TConditionDialog& d) { d.Edit1->setText("O'Neil"); });
    EXPECT_EQ(shown(w), QStringList{"6"});

    // The dialog: the type combo only, "　　至", no second switch; Enter in the combo goes to
    // the party.
    modal.next([&](QDialog& d) {
        auto& c = dynamic_cast<TConditionDialog&>(d);
        QStringList items, labels;
        for (int i = 0; i < c.ComboBox1->count(); ++i)
            items << c.ComboBox1->itemText(i);
        for (QLabel* l : c.findChildren<QLabel*>())
            labels << l->text();
        EXPECT_EQ(items, side.typeItems);
        EXPECT_EQ(c.ComboBox2, nullptr);
        EXPECT_EQ(c.CheckBox2, nullptr);
        EXPECT_EQ(c.CheckBox1->text(), "日期从");
        EXPECT_EQ(labels, (QStringList{"　　至", "类　型", settled.dialogPartyLabel, "员　　工", "单　　号"}));
        c.ComboBox1->setFocus();
        sendKey(c.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), c.Edit1);
    });
    w.SB77->click();
    EXPECT_EQ(modal.classes().last(), side.dialogName);
    EXPECT_EQ(shown(w), QStringList{"6"});   // closed without a run
}

TEST_P(OpenItems, ViewOpensTheBrowserThatWalksTheTablesRows)
{
    TOpenItemsTable& w = table();
    emit w.DBGrid1->rowDoubleClicked(0);   // clicks 查单 on row 1
    ASSERT_NE(browser(), nullptr);
    DocumentBrowser* b = browser();
    EXPECT_EQ(inBrowser(), "已审核|" + doc(1) + "|一号库|华强电器|100|30.25|A1 B1");
    EXPECT_EQ(b->shbj->palette().color(QPalette::WindowText), b->palette().color(QPalette::WindowText));
    EXPECT_EQ(b->lineQuery().sqlText(), b->lineSql(doc(1)).join('\n'));

    // 后单 walks the open items only: 4, 5, then the end turns 后单 and 尾单 off.
    const struct { int doc; const char* buttons; } steps[] = {{4, "1111"}, {5, "1111"}, {5, "1100"}};
    for (const auto& s : steps) {
        b->BB3->click();
        EXPECT_EQ(b->dh->text(), doc(s.doc));
        EXPECT_EQ(navigation(), QLatin1String(s.buttons)) << s.doc;
    }
    EXPECT_EQ(inBrowser(), "已审核|" + doc(5) + "|一号库|美的专卖|300|0|A5 B5");

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
    EXPECT_TRUE(w.isVisible());
    w.SB66->click();   // a browser on row 1

    // The document list on the same shared query closes it when it closes.
    payables() ? openPurchaseList() : openSalesList();
    QWidget* list = payables() ? static_cast<QWidget*>(Fcggl1.data()) : Fxsgl1.data();
    list->close();
    ASSERT_FALSE(w.query().isOpen());
    sendKey(w.DBGrid1, Qt::Key_Escape);
    w.SB66->click();
    w.SB99->click();
    EXPECT_EQ(rec.texts(), QStringList(3, "数据表未打开，请先查询！"));
    EXPECT_EQ(rec.last().caption, "警告");
    EXPECT_EQ(modal.opened(), 1);
    EXPECT_TRUE(w.isVisible());

    browser()->BB3->click();
    EXPECT_EQ(rec.last().text, "数据未打开，关闭窗口后重新打开！");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(browser(), nullptr);

    w.SB100->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(payables() ? static_cast<QWidget*>(Fyffx1.data()) : Fysfx1.data(), nullptr);
}

TEST_P(OpenItems, PrintsAndExportsTheRowsShown)
{
    TOpenItemsTable& w = table();
    DM1->ATdanwei1.close();
    const QStringList placed =
        printed(w, {"QRLdw", "QRL1", "QRL2", "QRL3", "QRL4", "QRL5", "QRL6", "QRD1", "QRD2", "QRD3", "QRD4", "QRD5", "QRD6", "e1"});
    EXPECT_EQ(placed, (QStringList{"QRLdw=顺达电器" + side.reportName, "QRL1=日期", "QRL2=单号",
                                   "QRL3=" + settled.partyLabel, "QRL4=" + settled.dueTitle,
                                   "QRL5=" + settled.paidTitle, "QRL6=欠款",
                                   "QRD1=2024-05-01|2024-05-02|2024-05-03",
                                   "QRD2=" + QStringList{doc(1), doc(4), doc(5)}.join('|'),
                                   "QRD3=华强电器|华强电器|美的专卖", "QRD4=100|100|300", "QRD5=30.25|120|0",
                                   "QRD6=69.75|-20|300", "e1=349.75"}));
    EXPECT_EQ(Fdyyffx1->QuickRep1.ReportTitle, "打印预览");

    // "总计" and e1 at the right edge under 欠款; the page number at the right.
    const QuickRep& rep = Fdyyffx1->QuickRep1;
    const PageContent p = rep.pages(*rep.dataRows()).at(0);
    const PlacedText e1 = p.named("e1").at(0), pn = p.named("QRSysData1").at(0);
    EXPECT_EQ(p.named("QRLzj").at(0).text, "总计");
    EXPECT_TRUE((e1.align & Qt::AlignRight) && e1.rect.left() >= 10 + 165 && e1.rect.right() <= 10 + 190);
    EXPECT_EQ(pn.text, "（1");
    EXPECT_TRUE(pn.align & Qt::AlignRight);

    QString written;
    setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
    w.SB99->click();
    setSpreadsheetLauncher({});
    const QVector<QStringList> rows = readSheet(written);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (QStringList{"日期", "单号", settled.partyLabel, settled.dueTitle, settled.paidTitle, "欠款",
                                    "经办人", "备注"}));
    EXPECT_EQ(rows[2].mid(0, 7), (QStringList{"2024-05-02", doc(4), "华强电器", "#100", "#120", "#-20", "张三"}));
    EXPECT_EQ(rows[3][5], "#300");
    EXPECT_TRUE(rec.empty());
}

TEST_P(OpenItems, ASettledDocumentLeavesWithTheNextQuery)
{
    TOpenItemsTable& w = table();
    Clock::pin(QDateTime(QDate(2024, 5, 3), QTime(10, 0)));
    ASSERT_EQ(saveSettlement(*dm, settled, {.rowId = 0, .date = QDate(2024, 5, 3), .dh = doc(1), .party = "华强电器",
                                            .amount = Money::parse("69.75"), .jsr = "张三", .bz = ""}),
              SettlementResult::Done);
    query(w);
    EXPECT_EQ(shown(w), (QStringList{"4", "5"}));
    EXPECT_EQ(total(w), "280");
}

TEST_P(OpenItems, TheFinanceMenuOpensOneTablePerSide)
{
    TFmain1 main;
    wireMenus(main);
    createReportForms();
    EXPECT_NE(Fdyyffx1, nullptr);
    QAction* item = payables() ? main.N601 : main.N602;
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    TOpenItemsTable* first = &table();
    item->trigger();
    EXPECT_EQ(&table(), first);
    EXPECT_EQ(first->objectName(), side.windowName);
}

INSTANTIATE_TEST_SUITE_P(BothSides, OpenItems, ::testing::Values(&payablesSide(), &receivablesSide()),
                         [](const ::testing::TestParamInfo<const OpenItemsSide*>& p) {
                             return p.param == &payablesSide() ? "Payables" : "Receivables";
                         });

// The receivables of the shop: retail (XS) and wholesale (PF) documents.
//   1 XS20240501001 已审核 李先生   200/0/200
//   2 PF20240502001 已审核 东方商场 500/500/0
//   3 XS20240502001 已审核 李先生   -60/0/-60 (a return)
//   4 PF20240503001 未审核 东方商场  80/0/80
TEST_F(OpenItemsTest, ReceivablesOfRetailAndWholesaleDocuments)
{
    exec("UPDATE danwei SET mcdy='顺达电器'");
    const SettlementSide& s = receiptSide();
    addDocument(s, "XS20240501001", "2024-05-01", "已审核", "李先生", "张三", "200", "0");
    addDocument(s, "PF20240502001", "2024-05-02", "已审核", "东方商场", "张三", "500", "500");
    addDocument(s, "XS20240502001", "2024-05-02", "已审核", "李先生", "张三", "-60", "0");
    addDocument(s, "PF20240503001", "2024-05-03", "未审核", "东方商场", "张三", "80", "0");
    TOpenItemsTable& w = table(receivablesSide());
    EXPECT_EQ(shown(w), (QStringList{"1", "3"}));
    EXPECT_EQ(total(w), "140");
    EXPECT_EQ(w.DBGrid1->rowStyle(1).font, QColor(255, 0, 0));
    EXPECT_EQ(printed(w, {"QRLdw", "QRL3", "QRL4", "QRL5", "e1"}),
              (QStringList{"QRLdw=顺达电器应收明细表", "QRL3=客户", "QRL4=应收额", "QRL5=实收额", "e1=140"}));

    query(w, [](TConditionDialog& d) { d.ComboBox1->setCurrentIndex(2); });   // 销售应退
    EXPECT_EQ(shown(w) + QStringList{total(w)}, (QStringList{"3", "-60"}));
    query(w, [](TConditionDialog& d) { d.Edit1->setText("东方"); });
    EXPECT_EQ(shown(w) + QStringList{total(w)}, QStringList{"0"});
    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList{"没有明细可查阅！"});

    // A receipt of 200 settles the first; the next query lists the return alone.
    ASSERT_EQ(saveSettlement(*dm, s, {.rowId = 0, .date = QDate(2024, 5, 3), .dh = "XS20240501001", .party = "李先生",
                                      .amount = Money::parse("200"), .jsr = "张三", .bz = ""}),
              SettlementResult::Done);
    query(w);
    EXPECT_EQ(columnTexts(w.query(), "dh") + QStringList{total(w)}, (QStringList{"XS20240502001", "-60"}));
}

} // namespace
