// The payables and receivables tables on both sides, over the payments' shop: the menu items,
// the open items listed, the dialog's clauses, 查单 into the document browser that then walks
// the table's rows, Esc printing, the export, and the refusals on a closed query.

#include "settlement_shop.h"

#include "Windows.h"
#include "data/DM1.h"
#include "finance/Udyyffx1.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "ui/DataGrid.h"

#include <QAction>

namespace {

class OpenItems : public SettlementShop {
protected:
    const OpenItemsSide& items = payments() ? payablesSide() : receivablesSide();

    TOpenItemsTable& table()
    {
        payments() ? openPayablesTable() : openReceivablesTable();
        return payments() ? static_cast<TOpenItemsTable&>(*Fyffx1) : *Fysfx1;
    }
    DocumentBrowser* browser() const
    {
        return payments() ? static_cast<DocumentBrowser*>(Fllcgd1.data()) : Fllxsd1.data();
    }
    static QStringList shown(const TOpenItemsTable& w) { return columnTexts(w.query(), "id"); }
    static QString total(const TOpenItemsTable& w) { return w.StatusBar1->panelText(2); }
};

TEST_P(OpenItems, TheMenuOpensTheAuditedDocumentsWithADebtAndTheDialogNarrowsThem)
{
    TFmain1 main;
    wireMenus(main);
    main.show();
    QAction* item = payments() ? main.N601 : main.N602;
    item->trigger();
    TOpenItemsTable& w = table();
    item->trigger();
    EXPECT_EQ(&table(), &w);
    EXPECT_EQ(QStringList({w.objectName(), w.windowTitle(), w.legendLabel->text()}),
              (QStringList{items.windowName, texts.itemsCaption, texts.itemsLegend}));

    // Partly paid, unpaid and the refund due are listed, held and settled are not; the total
    // is signed.
    EXPECT_EQ(shown(w), (QStringList{"1", "4", "6"}));
    EXPECT_EQ(QStringList({w.StatusBar1->panelText(0), total(w), w.StatusBar1->panelText(4)}),
              (QStringList{"总计", "330", "默认显示全部数据"}));
    EXPECT_EQ(w.query().sqlText(), "SELECT * FROM " + side.docTable + "\nwhere shbj='已审核'\nand qk<>0\norder by id");
    EXPECT_EQ(w.DBGrid1->rowStyle(1).font, QColor(255, 0, 0));   // the refund due
    EXPECT_FALSE(w.DBGrid1->rowStyle(0).font.isValid());
    EXPECT_FALSE(w.DBGrid1->rowStyle(0).brush.isValid());

    // Type, party, employee, number, dates (05-02 to 05-02 when dated): the rows and the total.
    const struct { int type; QString party, jsr, dh; bool dated; QStringList ids; QString total; } cases[] = {
        {1, "", "", "", false, {"1", "6"}, "370"},
        {2, "", "", "", false, {"4"}, "-40"},
        {0, "美的", "", "", false, {"6"}, "300"},
        {0, "", "", "0501", false, {"1"}, "70"},   // the held 2 never
        {0, "", "", "", true, {"4"}, "-40"},       // the settled 3 and 5 never
        {1, "", "李", "", true, {}, "0"},
    };
    for (const auto& c : cases) {
        runQuery(modal, w, [&](TConditionDialog& d) {
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
    EXPECT_EQ(w.query().sqlText(), "SELECT * FROM " + side.docTable + "\nwhere " + side.partyColumn
                                       + " like '%%'\nand jsr like '%李%'\nand dh like '%%'\n"
                                         "and rq>='2024-05-02'and rq<='2024-05-02'\nand shbj='已审核'\nand qk>0\norder by id");
    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList{texts.noItemRefusal});
    EXPECT_EQ(rec.last().caption + (browser() ? " browser" : ""), "警告");

    // A party with a quote in its name is matched.
    addDocument(doc(7), "2024-05-04", "已审核", "O'Neil", "10", "0");
    runQuery(modal, w, [](TConditionDialog& d) { d.Edit1->setText("O'Neil"); });
    EXPECT_EQ(shown(w) << total(w), (QStringList{"7", "10"}));

    // The dialog: its class, the to-date's label, the side's type items and party label.
    EXPECT_EQ(dialogTexts(modal, w, &TConditionDialog::ComboBox1), QStringList{"　　至"} + texts.itemsTypeItems << texts.dialogPartyLabel);
    EXPECT_EQ(modal.classes().last(), items.dialogName);
}

TEST_P(OpenItems, ViewOpensTheBrowserThatWalksTheTablesRows)
{
    exec(QStringLiteral("INSERT INTO %1 (dh,bj,txm,ppgg,dw,sl,jg,zk,je) SELECT dh,'yz','A'||id,'冰箱','台',1,1,1,1 FROM %2")
             .arg(payments() ? "cgglc" : "xsglc", side.docTable));
    TOpenItemsTable& w = table();
    emit w.DBGrid1->rowDoubleClicked(0);   // clicks 查单 on row 1
    DocumentBrowser* b = browser();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(QStringList({b->shbj->text(), b->dh->text(), b->editText(side.partyColumn), b->editText(side.dueColumn),
                           b->editText(side.paidColumn), columnTexts(b->lineQuery(), "txm").join(' ')}),
              (QStringList{"已审核", doc(1), "华强电器", "100", "30", "A1"}));

    // 后单 walks the open items only; 查单 shows the row it is on.
    QStringList walked;
    for (int i = 0; i < 2; ++i) {
        b->BB3->click();
        walked << b->dh->text();
    }
    ASSERT_TRUE(w.query().locate({"id"}, {4}));
    w.SB66->click();
    EXPECT_EQ(walked << b->dh->text(), (QStringList{doc(4), doc(6), doc(4)}));
    EXPECT_TRUE(rec.empty());
}

TEST_P(OpenItems, EscPrintsTheRowsShownWhichExportAsWellAndAClosedQueryIsRefused)
{
    TOpenItemsTable& w = table();
    const QStringList names{"QRLdw", "QRL3", "QRL4", "QRL5", "QRD2", "QRD3", "QRD4", "QRD5", "QRD6", "e1"};
    EXPECT_EQ(previewTexts(modal, reportForm(Fdyyffx1).QuickRep1, names, [&w] { sendKey(w.DBGrid1, Qt::Key_Escape); }),
              (QStringList{"QRLdw=华强家电" + QString(texts.itemsReportName), "QRL3=" + QString(texts.partyLabel),
                           "QRL4=" + QString(texts.dueTitle), "QRL5=" + QString(texts.paidTitle), "QRD2=" + QStringList{doc(1), doc(4), doc(6)}.join('|'),
                           "QRD3=华强电器|华强电器|美的专卖", "QRD4=100|-40|300", "QRD5=30|0|0", "QRD6=70|-40|300", "e1=330"}));
    EXPECT_TRUE(standsUnder(Fdyyffx1->QuickRep1, "e1", "QRL6"));

    const QVector<QStringList> rows = exportedSheet(w.SB99);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (QStringList{"日期", "单号", texts.partyLabel, texts.dueTitle, texts.paidTitle, "欠款", "经办人", "备注"}));
    EXPECT_EQ(rows[2].mid(0, 7), (QStringList{"2024-05-02", doc(4), "华强电器", "#-40", "#0", "#-40", "张三"}));
    EXPECT_TRUE(rec.empty());

    // Closed, Esc and 查单 refuse; the table stays.
    w.query().close();
    sendKey(w.DBGrid1, Qt::Key_Escape);
    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList(2, "数据表未打开，请先查询！"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(modal.opened(), 1);
}

SETTLEMENT_SIDES(OpenItems);

} // namespace
