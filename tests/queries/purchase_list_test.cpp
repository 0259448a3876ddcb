// The purchase document list: un-audit, delete and view through the window, print and
// export of the list, and a picture of it.

#include "list_shop.h"

#include "queries/Ucxcg1.h"
#include "support/Recorder.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>

namespace {

QStringList panels(TFcggl1& w)
{
    return {w.StatusBar1->panelText(2), w.StatusBar1->panelText(3), w.StatusBar1->panelText(5),
            w.StatusBar1->panelText(6), w.StatusBar1->panelText(7)};
}

// The list with every header, by id.
TFcggl1& listAll(ListShop& shop, ModalScript& modal)
{
    TFcggl1& w = shop.list();
    modal.next([](QDialog& d) { static_cast<TFcxcg1&>(d).BitBtn1->click(); });
    w.SB77->click();
    return w;
}

bool moveTo(Query& q, const QString& dh)
{
    return q.locate({QStringLiteral("dh")}, {dh});
}

// An audited document CG20240101001 with one line of 5 at 3.00 in 总仓, its ledger row, its
// payment row, another document's payment row, and the goods row it left: 15, 35.00, 2.33.
void auditedWithStock(ListShop& shop)
{
    shop.exec("INSERT INTO cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES "
              "('CG20240101001','yz','T1','电视','台',5,3,1,15)");
    shop.exec("INSERT INTO sp (lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje) VALUES ('电器','T1','电视','台','总仓',15,2.33,35)");
    shop.exec("INSERT INTO cgfx (rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck) VALUES "
              "('2024-01-01','T1','电视','台',5,3,1,15,'华南电器','张三','CG20240101001','总仓')");
    shop.exec("INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) VALUES "
              "('已审核','2024-01-01','CG20240101001','华南电器',100.25,'张三','')");
    shop.exec("INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) VALUES "
              "('已审核','2024-01-02','CG20240102001','北方电子',20,'张三','')");
}

} // namespace

TEST(PurchaseList, UnauditThroughTheWindow)
{
    ListShop shop;
    auditedWithStock(shop);
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = listAll(shop, modal);
    Query& q = DM1->AQcgz1;
    ASSERT_TRUE(moveTo(q, "CG20240101001"));
    const int row = q.recNo();
    EXPECT_FALSE(w.DBGrid1->rowStyle(row).brush.isValid());

    w.SB44->click();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "确定要反审此单据么？");
    EXPECT_EQ(rec.last().caption, "提示");
    EXPECT_EQ(rec.last().icon, MsgIcon::Question);
    EXPECT_EQ(rec.last().buttons, MbOk | MbCancel);

    EXPECT_EQ(shop.scalar("SELECT printf('%g/%g/%g',kcsl,kcje,kcjg) FROM sp WHERE txm='T1'"), "10/20/2");
    EXPECT_EQ(shop.count("cgfx WHERE dh='CG20240101001'"), 0);
    EXPECT_EQ(shop.count("fkfx WHERE dh='CG20240101001'"), 0);
    EXPECT_EQ(shop.count("fkfx WHERE dh='CG20240102001'"), 1);
    EXPECT_EQ(shop.scalar("SELECT printf('%s/%g/%g/%g',shbj,yfe,sfe,qk) FROM cgglz WHERE dh='CG20240101001'"),
              "未审核/100.25/100.25/0");
    // The row stays in place, now drawn as held; the totals are not recounted.
    EXPECT_EQ(q.recNo(), row);
    EXPECT_EQ(q.text("shbj"), "未审核");
    EXPECT_EQ(w.DBGrid1->rowStyle(row).brush, QColor(225, 255, 225));
    EXPECT_EQ(panels(w), (QStringList{"5", "150.5", "150.5", "120.25", "30.25"}));
    // The ledger and payment queries are left empty.
    EXPECT_TRUE(DM1->AQcgfx1.isOpen());
    EXPECT_EQ(DM1->AQcgfx1.recordCount(), 0);
    EXPECT_EQ(DM1->AQfkfx1.sqlText(), "SELECT * FROM fkfx\nwhere dh='刷新数据'");

    // Again: refused without a question.
    rec.clear();
    w.SB44->click();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "本单据已经反审！");
    EXPECT_EQ(rec.last().caption, "警告");
}

TEST(PurchaseList, UnauditRefusalsAndCancel)
{
    ListShop shop;
    auditedWithStock(shop);
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = listAll(shop, modal);
    Query& q = DM1->AQcgz1;

    ASSERT_TRUE(moveTo(q, "CG20240102001"));
    w.N2->trigger();   // the pop-up 反审核 clicks SB44
    EXPECT_EQ(rec.texts(), QStringList{"本单据已经反审！"});

    rec.clear();
    ASSERT_TRUE(moveTo(q, "CG20240101001"));
    rec.answer(MbCancel);
    w.SB44->click();
    EXPECT_EQ(rec.texts(), QStringList{"确定要反审此单据么？"});
    EXPECT_EQ(shop.scalar("SELECT shbj FROM cgglz WHERE dh='CG20240101001'"), "已审核");
    EXPECT_EQ(shop.count("cgfx"), 1);

    // Held in the database meanwhile: the rule says so and nothing changes.
    rec.clear();
    shop.exec("UPDATE cgglz SET shbj='未审核' WHERE dh='CG20240101001'");
    w.SB44->click();
    EXPECT_EQ(rec.texts(), (QStringList{"确定要反审此单据么？", "本单据已经反审！"}));
    EXPECT_EQ(shop.count("cgfx"), 1);
    EXPECT_EQ(shop.scalar("SELECT printf('%g',kcsl) FROM sp WHERE txm='T1'"), "15");

    // No rows.
    rec.clear();
    modal.next([](QDialog& d) { static_cast<TFcxcg1&>(d).Edit1->setText("无此厂商"); static_cast<TFcxcg1&>(d).BitBtn1->click(); });
    w.SB77->click();
    w.SB44->click();
    w.SB66->click();
    w.SB55->click();
    EXPECT_EQ(rec.texts(), (QStringList{"没有单据可反审，请先查询！", "没有单据可删除！", "没有单据可查阅！"}));
}

TEST(PurchaseList, FailedUnauditLeavesEverythingAsBefore)
{
    ListShop shop;
    auditedWithStock(shop);
    shop.exec("CREATE TRIGGER no_fkfx_delete BEFORE DELETE ON fkfx BEGIN SELECT RAISE(ABORT, 'payments locked'); END");
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = listAll(shop, modal);
    Query& q = DM1->AQcgz1;
    ASSERT_TRUE(moveTo(q, "CG20240101001"));
    w.SB44->click();
    ASSERT_EQ(rec.count(), 2);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_TRUE(rec.last().text.contains("payments locked"));
    EXPECT_EQ(shop.scalar("SELECT printf('%g/%g/%g',kcsl,kcje,kcjg) FROM sp WHERE txm='T1'"), "15/35/2.33");
    EXPECT_EQ(shop.count("cgfx"), 1);
    EXPECT_EQ(shop.count("fkfx"), 2);
    EXPECT_EQ(shop.scalar("SELECT shbj FROM cgglz WHERE dh='CG20240101001'"), "已审核");
    ASSERT_TRUE(moveTo(q, "CG20240101001"));
    EXPECT_EQ(q.text("shbj"), "已审核");
}

TEST(PurchaseList, DeleteRemovesTheDocumentAndRecountsTheTotals)
{
    ListShop shop;
    auditedWithStock(shop);
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = listAll(shop, modal);
    Query& q = DM1->AQcgz1;
    ASSERT_TRUE(moveTo(q, "CG20240101001"));

    rec.answer(MbCancel);
    w.SB66->click();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "确定要删除此单据么？\r特别提醒：\r同时删除与本单对应的明细和欠款！");
    EXPECT_EQ(rec.last().caption, "提示");
    EXPECT_EQ(rec.last().icon, MsgIcon::Question);
    EXPECT_EQ(shop.count("cgglz"), 2);

    w.N1->trigger();   // the pop-up 删除 clicks SB66
    EXPECT_EQ(shop.count("cgglz WHERE dh='CG20240101001'"), 0);
    EXPECT_EQ(shop.count("cgglc"), 0);
    EXPECT_EQ(shop.count("cgfx"), 0);
    EXPECT_EQ(shop.count("fkfx"), 2);                                           // payments stay
    EXPECT_EQ(shop.scalar("SELECT printf('%g',kcsl) FROM sp WHERE txm='T1'"), "15");       // stock stays
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(panels(w), (QStringList{"2", "50.25", "50.25", "20", "30.25"}));
    EXPECT_EQ(q.recNo(), q.recordCount() - 1);
    EXPECT_FALSE(q.controlsDisabled());
    EXPECT_EQ(DM1->AQcgfx1.sqlText(), "SELECT * FROM cgfx\nwhere dh='刷新数据'");

    // The last row: every total back to "0".
    w.SB66->click();
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(panels(w), (QStringList{"0", "0", "0", "0", "0"}));
}

TEST(PurchaseList, Screenshot)
{
    ListShop shop;
    shop.header("CG20240103001", "2024-01-03", "东方家电", "已审核", "4", "880", "880", "800", "80");
    shop.header("CG20240104001", "2024-01-04", "西部电器", "未审核", "1", "199.5", "199.5", "199.5", "0");
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = listAll(shop, modal);
    DM1->AQcgz1.first();
    const QPixmap shot = w.grab();
    ASSERT_FALSE(shot.isNull());
    const QString dir = qEnvironmentVariableIsSet("SHOP_SCREENSHOTS") ? qEnvironmentVariable("SHOP_SCREENSHOTS")
                                                                       : QDir::currentPath();
    EXPECT_TRUE(shot.save(QDir(dir).filePath("purchase_list.png")));
}
