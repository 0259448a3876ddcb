// The purchase document list: un-audit, delete and view through the window, print and
// export of the list.

#include "list_shop.h"

#include "queries/Udycggl1.h"
#include "queries/Ullcgd1.h"
#include "shell/Export.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QMouseEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QScopeGuard>

// The window shows the wiring of un-audit and delete: questions, refusals, the row repainted
// or removed, the totals, the error shown. Their stock, ledger and payment effects are checked
// with the rules.

TEST(PurchaseList, UnauditThroughTheWindowIsAllOrNothing)
{
    ListShop s;
    s.exec("CREATE TRIGGER no_header BEFORE UPDATE ON cgglz BEGIN SELECT RAISE(ABORT, 'header locked'); END");
    TFcggl1& w = s.listAll();
    Query& q = DM1->AQcgz1;
    ASSERT_TRUE(s.moveTo("CG20240101001"));
    const int row = q.recNo();

    // Failing half-way (the header cannot change): shown, and nothing has changed.
    sendKey(w.SB44, Qt::Key_Space);
    ASSERT_EQ(s.rec.count(), 2);
    EXPECT_EQ(s.rec.last().icon, MsgIcon::Error);
    EXPECT_TRUE(s.rec.last().text.contains("header locked"));
    EXPECT_EQ(s.scalar("SELECT group_concat(shbj) FROM cgglz"), "已审核,未审核");
    EXPECT_EQ(q.text("shbj"), "已审核");

    s.exec("DROP TRIGGER no_header");
    s.rec.clear();
    w.SB44->click();
    EXPECT_EQ(s.rec.texts(), QStringList{"确定要反审此单据么？"});
    EXPECT_EQ(s.scalar("SELECT group_concat(shbj) FROM cgglz"), "未审核,未审核");
    // The row stays in place, now drawn as held; the totals are not recounted.
    EXPECT_EQ(q.recNo(), row);
    EXPECT_EQ(w.DBGrid1->rowStyle(row).brush, QColor(225, 255, 225));
    EXPECT_EQ(s.panels(), (QStringList{"5", "150.5", "150.5", "120.25", "30.25"}));

    // Again: refused without a question.
    s.rec.clear();
    w.SB44->click();
    EXPECT_EQ(s.rec.texts(), QStringList{"本单据已经反审！"});
}

TEST(PurchaseList, RefusalsAndCancelChangeNothing)
{
    ListShop s;
    TFcggl1& w = s.list();
    DM1->AQcgz1.close();
    for (auto* b : {w.SB55, w.SB66, w.SB44, w.SB88, w.SB99})
        b->click();
    ASSERT_EQ(s.rec.count(), 5);
    for (const MessageRequest& m : s.rec.all())
        EXPECT_TRUE(m.text == "数据表未打开，请先查询！" && m.caption == "警告" && m.icon == MsgIcon::Warning);
    EXPECT_EQ(s.modal.opened(), 0);

    s.rec.clear();
    s.listAll();

    ASSERT_TRUE(s.moveTo("CG20240102001"));
    w.N2->trigger();   // the pop-up 反审核 clicks SB44
    ASSERT_TRUE(s.moveTo("CG20240101001"));
    s.rec.answer(MbCancel);
    w.SB44->click();
    EXPECT_EQ(s.scalar("SELECT shbj FROM cgglz WHERE dh='CG20240101001'"), "已审核");
    // Held in the database meanwhile: the rule says so.
    s.exec("UPDATE cgglz SET shbj='未审核' WHERE dh='CG20240101001'");
    w.SB44->click();
    EXPECT_EQ(s.rec.texts(), (QStringList{"本单据已经反审！", "确定要反审此单据么？", "确定要反审此单据么？", "本单据已经反审！"}));

    s.rec.clear();
    s.dialog([](TFcxcg1& d) { d.Edit1->setText("无此厂商"); d.BitBtn1->click(); });
    for (auto* b : {w.SB44, w.SB66, w.SB55})
        b->click();
    // A double-click on the empty grid clicks 查单 too.
    w.show();
    const QPoint at(20, 20);
    QMouseEvent press(QEvent::MouseButtonPress, at, w.DBGrid1->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w.DBGrid1->viewport()->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.DBGrid1->viewport(), &press);
    QApplication::sendEvent(w.DBGrid1->viewport(), &dbl);
    EXPECT_EQ(s.rec.texts(), (QStringList{"没有单据可反审，请先查询！", "没有单据可删除！", "没有单据可查阅！", "没有单据可查阅！"}));
    EXPECT_EQ(s.count("cgglz"), 2);
}

TEST(PurchaseList, FollowsItsWindowSizeAndTintsItsColumns)
{
    ListShop s;
    TFcggl1& w = s.list();
    w.show();
    const QSize grid = w.DBGrid1->size();
    w.resize(w.size() + QSize(400, 300));   // as a maximised frame gives it
    QApplication::processEvents();
    EXPECT_EQ(w.DBGrid1->size(), grid + QSize(400, 300));
    EXPECT_EQ(w.StatusBar1->width(), w.width());
    EXPECT_EQ(w.DBGrid1->column(3).tint, QColor(222, 253, 254));   // $FEFDDE, pale cyan
}

TEST(PurchaseList, DeleteRemovesTheDocumentAndRecountsTheTotals)
{
    ListShop s;
    TFcggl1& w = s.listAll();
    Query& q = DM1->AQcgz1;
    ASSERT_TRUE(s.moveTo("CG20240101001"));

    s.rec.answer(MbCancel);
    w.SB66->click();
    EXPECT_EQ(s.rec.last().text, "确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细和欠款！");
    EXPECT_EQ(s.rec.last().icon, MsgIcon::Question);
    EXPECT_EQ(s.count("cgglz"), 2);

    w.SB55->click();   // a browser open on the document
    w.N1->trigger();   // the pop-up 删除 clicks SB66
    EXPECT_EQ(s.column("dh"), QStringList{"CG20240102001"});
    // The browser keeps no lines of the deleted document and refuses its next step.
    EXPECT_FALSE(DM1->AQcgc1.isOpen());
    Fllcgd1->BB3->click();
    EXPECT_EQ(s.rec.last().text, "数据未打开，关闭窗口后重新打开！");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Fllcgd1.isNull());
    EXPECT_EQ(s.count("cgglz"), 1);
    EXPECT_EQ(s.panels(), (QStringList{"2", "50.25", "50.25", "20", "30.25"}));
    EXPECT_EQ(q.recNo(), q.recordCount() - 1);
    EXPECT_FALSE(q.controlsDisabled());

    w.SB66->click();   // the last row: every total back to "0"
    EXPECT_EQ(s.panels(), (QStringList{"0", "0", "0", "0", "0"}));
}

TEST(PurchaseList, ViewPrintAndExportTheList)
{
    ListShop s;
    s.exec("UPDATE danwei SET mcdy='禾岚家电'");
    QMdiArea area;   // the list inside the main window's frame, as the menu opens it
    area.setWindowTitle("禾岚货栈通家电行业版");
    setMdiArea(&area);
    const auto noArea = qScopeGuard([] { setMdiArea(nullptr); });
    TFcggl1& w = s.listAll();
    ASSERT_TRUE(s.moveTo("CG20240101001"));
    emit w.DBGrid1->rowDoubleClicked(DM1->AQcgz1.recNo());   // clicks SB55
    ASSERT_NE(Fllcgd1.data(), nullptr);
    EXPECT_EQ(Fllcgd1->ghs->text(), "华南电器");
    delete Fllcgd1.data();

    DM1->ATdanwei1.close();
    const QStringList placed = previewTexts(s.modal, reportForm(Fdycggl1).QuickRep1,
                                            {"QRLdw", "QRL3", "QRD2", "QRD3", "QRD6", "e1", "e2", "e3"},
                                            [&] { w.SB88->click(); });
    EXPECT_EQ(Fdycggl1->QuickRep1.ReportTitle, "打印预览");
    EXPECT_EQ(s.modal.classes(), (QStringList{"TFcxcg1", "TFdyPreview1"}));
    EXPECT_EQ(placed, (QStringList{"QRLdw=禾岚家电采购单据汇总表", "QRL3=厂商", "QRD2=CG20240101001|CG20240102001",
                                   "QRD3=华南电器|北方电子", "QRD6=0|30.25", "e1=5", "e2=150.5", "e3=30.25"}));

    QString written;
    setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
    w.SB99->click();
    setSpreadsheetLauncher({});
    EXPECT_TRUE(s.rec.empty());
    EXPECT_TRUE(QFileInfo(written).fileName().startsWith("采购单据_")) << written.toStdString();
    const QVector<QStringList> rows = readSheet(written);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].size(), 15);
    EXPECT_EQ(rows[0].mid(0, 5), (QStringList{"采购日期", "单号", "厂商", "合计数量", "合计金额"}));
    EXPECT_EQ(rows[1].mid(0, 5), (QStringList{"2024-01-01", "CG20240101001", "华南电器", "#3", "#100.25"}));
    EXPECT_EQ(rows[2][8], "#30.25");
}
