// The payment and receipt windows on both sides: the list from the menu and its dialog, the
// entry dialog with its lookup, pickers, refusals and keys, the list's actions, and the print.

#include "settlement_shop.h"

#include "Windows.h"
#include "basic/Uyg2.h"
#include "data/DM1.h"
#include "finance/Udyfkfx1.h"
#include "finance/Utjfkfx1.h"
#include "finance/Uxzyf1.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "ui/DataGrid.h"

#include <QAction>
#include <QApplication>

namespace {

QWidget* focus() { return QApplication::focusWidget(); }

// Types text into w key by key, as the keyboard does.
void type(QWidget* w, const QString& text)
{
    for (QChar ch : text)
        sendKey(w, ch.toUpper().unicode(), QString(ch));
}

QString fields(const TSettlementEntry& e)
{
    return QStringList{e.dh->text(), e.party->text(), e.qk->text(), e.amount->text(), e.jsr->text(), e.bz->text()}.join('|');
}

class SettlementWindows : public SettlementShop {
protected:
    TSettlementList& list()
    {
        payments() ? openPaymentList() : openReceiptList();
        return payments() ? static_cast<TSettlementList&>(*Ffkfx1) : *Fskfx1;
    }
    QString total() { return list().StatusBar1->panelText(2); }
    QStringList shown() { return columnTexts(list().query(), "id"); }
    bool select(int id) { return list().query().locate({"id"}, {id}); }
    // The entry dialog through 新增 (or 修改), handed to step.
    void entry(const std::function<void(TSettlementEntry&)>& step, bool modify = false)
    {
        modal.next([step](QDialog& d) { step(dynamic_cast<TSettlementEntry&>(d)); });
        (modify ? list().SB55 : list().SB44)->click();
    }
    // A complete payment typed into the dialog, the handler set as the employee picker sets it.
    static void fill(TSettlementEntry& e, const QString& dh, const QString& amount)
    {
        e.dh->setText(dh);
        e.amount->setText(amount);
        e.jsr->setText("李四");
    }
};

TEST_P(SettlementWindows, MenuOpensOneListOnTodaysRowsAndItsDialogFilters)
{
    TFmain1 main;
    wireMenus(main);
    main.show();
    QAction* item = payments() ? main.N603 : main.N604;
    item->trigger();
    TSettlementList& w = list();
    item->trigger();
    EXPECT_EQ(&list(), &w);
    EXPECT_EQ(QStringList({w.objectName(), w.windowTitle(), w.legendLabel->text()}),
              (QStringList{side.listName, texts.listCaption, texts.legend}));
    EXPECT_EQ(shown(), QStringList{"4"});
    EXPECT_EQ(total(), "50");
    EXPECT_EQ(w.DBGrid1->rowStyle(0).brush, QColor(225, 255, 225));   // reversed: held

    // Party, employee, number; audit; type; dates: each run sums what it lists.
    const QDate d2(2024, 5, 2);
    const struct { QString party; int audit, type; bool dated; QString total; } cases[] = {
        {"", 0, 0, false, "240"}, {"", 0, 1, false, "280"}, {"", 0, 2, false, "-40"},
        {"", 1, 0, false, "50"},  {"华强", 2, 0, false, "-10"}, {"", 0, 0, true, "160"},
    };
    for (const auto& c : cases) {
        runQuery(modal, w, [&](TConditionDialog& d) {
            d.Edit1->setText(c.party);
            d.ComboBox1->setCurrentIndex(c.audit);
            d.ComboBox2->setCurrentIndex(c.type);
            d.CheckBox1->setChecked(c.dated);
            d.DateTimePicker1->setDate(d2);
            d.DateTimePicker2->setDate(d2);
        });
        EXPECT_EQ(total(), c.total) << c.party.toStdString() << c.audit << c.type << c.dated;
    }
    EXPECT_EQ(w.query().sqlText(), "SELECT * FROM " + side.rowTable + "\nwhere " + side.partyColumn
                                       + " like '%%'\nand jsr like '%%'\nand dh like '%%'\nand rq>='2024-05-02'and rq<='2024-05-02'\norder by id");
    EXPECT_EQ(shown(), (QStringList{"2", "3"}));
    EXPECT_EQ(w.DBGrid1->rowStyle(1).font, QColor(255, 0, 0));   // the refund, applied: no brush
    EXPECT_FALSE(w.DBGrid1->rowStyle(1).brush.isValid());

    // The dialog: the to-date's label, the side's type items and party label.
    EXPECT_EQ(dialogTexts(modal, w, &TConditionDialog::ComboBox2), QStringList{"　　至"} + texts.typeItems << texts.dialogPartyLabel);
    EXPECT_EQ(modal.classes().last(), side.dialogName);
}

TEST_P(SettlementWindows, EntryLooksUpPicksSavesAndStartsTheNext)
{
    entry([&](TSettlementEntry& e) {
        EXPECT_EQ(e.windowTitle() + e.ST1->text(), texts.newCaption + QString("新增"));
        EXPECT_EQ(QStringList({labelOf(e.party), labelOf(e.amount), e.SpeedButton1->toolTip(), e.BitBtn1->toolTip()}),
                  (QStringList{texts.partyLabel, texts.amountLabel, texts.pickerHint, "保存并审核"}));
        EXPECT_EQ(e.DateTimePicker1->date(), QDate(2024, 5, 3));
        EXPECT_EQ(fields(e), "||0|0||");
        EXPECT_EQ(focus(), e.dh);

        // Looked up at each character: only the whole number finds its document.
        type(e.dh, doc(1).chopped(1));
        EXPECT_EQ(e.party->text() + e.qk->text(), "0");
        type(e.dh, "1");
        EXPECT_EQ(e.party->text() + " " + e.qk->text(), "华强电器 70");

        // With no party Enter opens the picker on every open item; an empty list refuses the
        // choice, Enter in the grid chooses.
        e.dh->clear();
        modal.next([&](QDialog& d) {
            auto& p = dynamic_cast<THeaderPicker&>(d);
            EXPECT_EQ(p.windowTitle(), texts.pickerCaption);
            EXPECT_EQ(columnTexts(p.query(), "id"), (QStringList{"1", "4", "6"}));
            p.Edit2->setText("东方");
            p.chaClick();
            p.xuan->click();
            EXPECT_EQ(rec.texts(), QStringList{"没有帐单可选择！"});
            p.Edit2->setText("美的");
            p.chaClick();
            sendKey(p.DBGrid1, Qt::Key_Return);
        });
        sendKey(e.dh, Qt::Key_Return);
        EXPECT_EQ(e.dh->text() + " " + e.party->text() + " " + e.qk->text(), doc(6) + " 美的专卖 300");
        // Opened with a party shown: only that party's items.
        modal.next([&](QDialog& d) {
            auto& p = dynamic_cast<THeaderPicker&>(d);
            EXPECT_EQ(p.Edit2->text() + " " + columnTexts(p.query(), "id").join(','), "美的专卖 6");
        });
        e.SpeedButton1->click();

        // With a party Enter walks on; the handler comes from the employee picker; Enter in
        // the remark saves.
        rec.clear();
        QApplication::setActiveWindow(&e);   // back from the picker, as the end of its modal run gives it back
        sendKey(e.dh, Qt::Key_Return);
        EXPECT_EQ(focus(), e.party);
        sendKey(e.party, Qt::Key_Return);
        EXPECT_EQ(focus(), e.amount);
        e.amount->selectAll();
        type(e.amount, "50");
        sendKey(e.amount, Qt::Key_Return);
        EXPECT_EQ(focus(), e.jsr);
        modal.next([](QDialog& d) { dynamic_cast<TFyg2&>(d).xuan->click(); });
        sendKey(e.jsr, Qt::Key_Return);
        EXPECT_EQ(e.jsr->text(), "王小明");
        QApplication::setActiveWindow(&e);
        sendKey(e.jsr, Qt::Key_Return);
        EXPECT_EQ(focus(), e.bz);
        e.bz->setText("首付");
        sendKey(e.bz, Qt::Key_Return);

        EXPECT_EQ(row(5), "已审核|2024-05-03|" + doc(6) + "|美的专卖|50");
        EXPECT_EQ(debt(6), "50/250");
        EXPECT_EQ(shown(), (QStringList{"4", "5"}));
        EXPECT_EQ(total(), "100");
        // Ready for the next: number, amount and remark cleared; date and handler kept.
        EXPECT_EQ(fields(e), "||0|0|王小明|");
        EXPECT_EQ(e.DateTimePicker1->date(), QDate(2024, 5, 3));
        EXPECT_EQ(focus(), e.dh);

        // Leaving the amount rounds a longer fraction, and so does the save.
        e.amount->setText("12.3456");
        e.amount->setFocus();
        e.bz->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(e.amount->text(), "12.35");
        fill(e, doc(1), "12.3456");
        e.BitBtn1->click();
        EXPECT_EQ(debt(1), "42.35/57.65");
        EXPECT_EQ(total(), "112.35");
        EXPECT_TRUE(e.isVisible());
    });
    EXPECT_TRUE(rec.empty()) << rec.texts().join(' ').toStdString();
}

TEST_P(SettlementWindows, RefusalsComeInOrderAndAFailedSaveWritesNothing)
{
    entry([&](TSettlementEntry& e) {
        const struct { QString dh, party, amount, jsr; QString refusal; QWidget* field; QString amountAfter; } cases[] = {
            {"", "", "0", "", "帐单不可为空！", e.dh, "0"},
            {"", "某厂", "5", "张三", "欠款为零，无须支付！", e.qk, "5"},
            {doc(1), "", "0.001", "", texts.zeroAmountRefusal, e.amount, "0.00"},
            {doc(1), "", "5", "", "经办人不可为空！", e.jsr, "5"},
        };
        for (const auto& c : cases) {
            rec.clear();
            e.dh->setText(c.dh);
            if (!c.party.isEmpty())
                e.party->setText(c.party);
            e.amount->setText(c.amount);
            e.jsr->setText(c.jsr);
            e.BitBtn1->click();
            ASSERT_EQ(rec.texts(), QStringList{c.refusal});
            EXPECT_EQ(rec.last().caption, "提示");
            EXPECT_EQ(rec.last().icon, MsgIcon::Information);
            EXPECT_EQ(focus(), c.field) << c.refusal.toStdString();
            EXPECT_EQ(e.amount->text(), c.amountAfter);
        }
        // Emptied, the amount reads the side's zero; after the panel the tab goes to 保存 and
        // 关闭, the receipt's to 关闭 first.
        e.amount->clear();
        EXPECT_EQ(e.amount->text(), texts.emptiedAmount);
        e.bz->setFocus();
        sendKey(e.bz, Qt::Key_Tab);
        EXPECT_EQ(focus(), payments() ? e.BitBtn1 : e.BitBtn2);

        // A save that fails is shown and keeps what was typed; Esc closes.
        blockUpdates(side.docTable);
        rec.clear();
        fill(e, doc(1), "50");
        sendKey(e.bz, Qt::Key_Return);   // saves; the error leaves the handler
        ASSERT_EQ(rec.count(), 1);
        EXPECT_EQ(rec.last().icon, MsgIcon::Error);
        EXPECT_TRUE(rec.last().text.contains("blocked"));
        EXPECT_EQ(e.dh->text() + " " + e.amount->text(), doc(1) + " 50");
        sendKey(e.bz, Qt::Key_Escape);
        EXPECT_FALSE(e.isVisible());
    });
    EXPECT_EQ(debt(1), "30/70");
}

TEST_P(SettlementWindows, ModifyOpensAReversedRowAndClosesAfterItsSave)
{
    TSettlementList& w = list();
    runQuery(modal, w);
    ASSERT_TRUE(select(4));
    entry(
        [&](TSettlementEntry& e) {
            EXPECT_EQ(e.windowTitle() + e.ST1->text(), texts.modifyCaption + QString("修改"));
            EXPECT_EQ(fields(e), doc(1) + "|华强电器|70|50|张三|");
            e.dh->setText(doc(6));
            e.BitBtn1->click();
            EXPECT_FALSE(e.isVisible());
        },
        true);
    EXPECT_EQ(row(4), "已审核|2024-05-03|" + doc(6) + "|美的专卖|50");
    EXPECT_EQ(debt(6) + " " + debt(1), "50/250 30/70");
    EXPECT_EQ(total(), "240");

    // A refund reversed shows its negative amount; saved unchanged it applies it again.
    ASSERT_TRUE(select(3));
    w.SB33->click();
    entry([](TSettlementEntry& e) {
        EXPECT_EQ(e.amount->text(), "-40");
        e.BitBtn1->click();
    }, true);
    EXPECT_EQ(debt(5), "-40/0");

    // Applied meanwhile: refused, the dialog closes, nothing applied twice. (The save's
    // recount left the list on its last row.)
    ASSERT_TRUE(select(3));
    w.SB33->click();
    entry([&](TSettlementEntry& e) {
        exec("UPDATE " + side.rowTable + " SET shbj='已审核' WHERE id=3");
        e.BitBtn1->click();
        EXPECT_FALSE(e.isVisible());
    }, true);
    EXPECT_EQ(rec.texts().mid(2), QStringList{"审核数据不可修改，请先反审核！"});
    EXPECT_EQ(debt(5), "0/-40");

    // A date that does not read stops 修改 in the error box before the dialog opens.
    exec("UPDATE " + side.rowTable + " SET rq='2024-5-1x', shbj='未审核' WHERE id=3");
    w.query().refresh();
    ASSERT_TRUE(select(3));
    rec.clear();
    const int opened = modal.opened();
    sendKey(w.SB55, Qt::Key_Space);   // clicked as a key does: the error reaches the application's box
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_EQ(rec.last().text, "“2024-5-1x”不是有效的日期！");
    EXPECT_EQ(modal.opened(), opened);
}

TEST_P(SettlementWindows, ReverseAndDeleteAskAndRefuseAsTheRowsStand)
{
    TSettlementList& w = list();
    w.query().close();
    entry([](TSettlementEntry&) {});   // 新增 opens the query it holds first
    EXPECT_TRUE(w.query().isOpen());

    runQuery(modal, w, [](TConditionDialog& d) { d.Edit3->setText("无此单号"); });
    for (SpeedButton* b : {w.SB33, w.SB55, w.SB66})
        b->click();
    EXPECT_EQ(rec.texts(), (QStringList{"没有数据可反审，请先查询！", "没有数据可修改！", "没有数据可删除！"}));

    rec.clear();
    runQuery(modal, w);
    ASSERT_TRUE(select(1));
    emit w.DBGrid1->rowDoubleClicked(0);   // 修改 on an applied row
    w.N1->trigger();                       // 删除 on an applied row: refused without a question
    rec.answer(MbCancel);
    w.N2->trigger();                       // 反审, cancelled
    w.SB33->click();                       // 反审
    w.SB33->click();                       // again
    EXPECT_EQ(rec.texts(), (QStringList{"审核数据不可修改，请先反审核！", "审核数据不可删除，请先反审核！", "确定要反审么？",
                                        "确定要反审么？", "数据已经反审！"}));
    EXPECT_EQ(rec.all()[2].icon, MsgIcon::Question);
    EXPECT_EQ(debt(1) + " " + row(1).section('|', 0, 0), "0/100 未审核");
    EXPECT_EQ(total(), "240");
    EXPECT_EQ(w.DBGrid1->rowStyle(0).brush, QColor(225, 255, 225));

    // Reversed in the database while the list shows it applied: refused after the question.
    rec.clear();
    exec("UPDATE " + side.rowTable + " SET shbj='未审核' WHERE id=2");
    ASSERT_TRUE(select(2));
    w.SB33->click();
    EXPECT_EQ(rec.texts(), (QStringList{"确定要反审么？", "数据已经反审！"}));
    EXPECT_EQ(debt(3), "200/0");

    // 删除 of a reversed row: asked, gone, the total over the rows left; no document changes.
    rec.clear();
    const QString before = documents();
    ASSERT_TRUE(select(4));
    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList{"确定要删除此记录么？"});
    EXPECT_EQ(shown(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(total(), "190");
    EXPECT_EQ(documents(), before);
}

TEST_P(SettlementWindows, PrintsTheRowsShownWithTheSidesTitles)
{
    TSettlementList& w = list();
    runQuery(modal, w);
    const QStringList names{"QRLdw", "QRL3", "QRL4", "QRD2", "QRD3", "QRD4", "QRD5", "e1"};
    EXPECT_EQ(previewTexts(modal, reportForm(Fdyfkfx1).QuickRep1, names, [&w] { w.SB88->click(); }),
              (QStringList{"QRLdw=华强家电" + QString(texts.reportName), "QRL3=" + QString(texts.partyLabel), "QRL4=" + QString(texts.amountTitle),
                           "QRD2=" + QStringList{doc(1), doc(3), doc(5), doc(1)}.join('|'),
                           "QRD3=华强电器|美的专卖|华强电器|华强电器", "QRD4=30|200|-40|50", "QRD5=张三|张三|张三|张三", "e1=240"}));
    EXPECT_TRUE(standsUnder(Fdyfkfx1->QuickRep1, "e1", "QRL4"));
    // "总计" in the date's cell alone; the page number at the right, in 9 point.
    const PageContent p = Fdyfkfx1->QuickRep1.layout(*Fdyfkfx1->QuickRep1.dataRows()).page(0);
    const PlacedText sum = p.named("QRLzj").at(0), pn = p.named("QRSysData1").at(0);
    EXPECT_EQ(sum.text, "总计");
    EXPECT_LE(sum.rect.right(), 10 + 28);
    EXPECT_TRUE(pn.align & Qt::AlignRight);
    EXPECT_EQ(pn.font.px, 12);
}

SETTLEMENT_SIDES(SettlementWindows);

} // namespace
