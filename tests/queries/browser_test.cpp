// The purchase document browser: filling from the list's current row, paging with the begin
// and end marks deciding the buttons, the refusals on closed queries, and closing.

#include "data/DM1.h"
#include "queries/Ullcgd1.h"
#include "support/Recorder.h"
#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

namespace {

class Browser : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = std::make_unique<TDM1>(dir.filePath(QStringLiteral("shop.db")));
        DM1 = dm.get();
        exec("insert into cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values "
             "('CG20240101001','2024-01-01','2024-01-01','已审核','系统管理员','一号仓库','华南电器','张三','',3,100.25,0,100.25,100.25,0),"
             "('CG20240102001','2024-01-02','2024-01-02','未审核','系统管理员','二号仓库','北方电子','李四','急',2,50.25,0,50.25,20,30.25),"
             "('CG20240103001','2024-01-03','2024-01-03','已审核','系统管理员','一号仓库','华南电器','张三','退货',-1,-50,0,-50,-50,0)");
        exec("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values "
             "('CG20240101001','yz','A01','冰箱','台',3,33.4167,1,100.25),"
             "('CG20240102001','yz','B01','彩电','台',1,30,1,30),"
             "('CG20240102001','yz','B02','风扇','台',1,20.25,1,20.25),"
             "('CG20240103001','yz','C01','空调','台',-1,50,1,-50)");
        Query& z = dm->AQcgz1;
        z.clearSql();
        z.addSql(QStringLiteral("SELECT * FROM cgglz"));
        z.addSql(QStringLiteral("order by id"));
        z.open();
    }

    void TearDown() override
    {
        delete Fllcgd1.data();
        DM1 = nullptr;
        dm.reset();
    }

    void exec(const char* sql) { dm->ADOC1.exec(QString::fromUtf8(sql)); }

    // The list's 查单 on header row `row`.
    TFllcgd1* view(int row)
    {
        dm->AQcgz1.moveTo(row);
        TFllcgd1* b = showPurchaseBrowser(*dm);
        QApplication::processEvents();
        return b;
    }

    static QString enabled(const TFllcgd1* b)
    {
        QString s;
        for (QPushButton* x : {b->BB1, b->BB2, b->BB3, b->BB4})
            s += x->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }

    QStringList lineCodes() const
    {
        Query& c = dm->AQcgc1;
        QStringList out;
        for (int r = 0; r < c.recordCount(); ++r)
            out << c.cellText(r, c.fieldIndex(QStringLiteral("txm")));
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    MessageRecorder rec;
};

TEST_F(Browser, ShowsTheListsCurrentDocument)
{
    TFllcgd1* b = view(1);
    ASSERT_TRUE(b);
    EXPECT_EQ(Fllcgd1.data(), b);
    EXPECT_EQ(b->windowTitle(), QStringLiteral("浏览采购入库单"));
    EXPECT_EQ(b->ztbj->text(), QStringLiteral("浏览"));
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240102001"));
    EXPECT_EQ(b->rq->text(), QStringLiteral("2024-01-02"));
    EXPECT_EQ(b->ck->text(), QStringLiteral("二号仓库"));
    EXPECT_EQ(b->ghs->text(), QStringLiteral("北方电子"));
    EXPECT_EQ(b->jsr->text(), QStringLiteral("李四"));
    EXPECT_EQ(b->bz->text(), QStringLiteral("急"));
    EXPECT_EQ(b->yhe->text(), QStringLiteral("0"));
    EXPECT_EQ(b->yfe->text(), QStringLiteral("50.25"));
    EXPECT_EQ(b->sfe->text(), QStringLiteral("20"));
    EXPECT_EQ(b->panelText(0), QStringLiteral("合计"));
    EXPECT_EQ(b->panelText(2), QStringLiteral("2"));
    EXPECT_EQ(b->panelText(4), QStringLiteral("50.25"));
    EXPECT_EQ(b->shbj->text(), QStringLiteral("未审核"));
    EXPECT_EQ(b->shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(dm->AQcgc1.sqlText(), QStringLiteral("SELECT *FROM cgglc\nwhere dh='CG20240102001'\norder by id"));
    EXPECT_EQ(lineCodes(), (QStringList{QStringLiteral("B01"), QStringLiteral("B02")}));
    EXPECT_FALSE(dm->AQcgc1.controlsDisabled());

    // A second 查单 reuses the window and shows the new row in the window-text colour.
    TFllcgd1* again = view(0);
    EXPECT_EQ(again, b);
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240101001"));
    EXPECT_NE(b->shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(enabled(b), QStringLiteral("1111"));

    // Return lines are drawn red.
    view(2);
    EXPECT_EQ(b->DBGrid1->rowStyle(0).font, QColor(Qt::red));
    view(1);
    EXPECT_FALSE(b->DBGrid1->rowStyle(0).font.isValid());
}

TEST_F(Browser, NavigationFollowsTheBeginAndEndMarks)
{
    TFllcgd1* b = view(1);
    b->BB1->click();
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240101001"));
    EXPECT_EQ(enabled(b), QStringLiteral("0011"));
    EXPECT_EQ(lineCodes(), QStringList{QStringLiteral("A01")});

    b->BB3->click();
    EXPECT_EQ(enabled(b), QStringLiteral("1111"));
    b->BB3->click();
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240103001"));
    EXPECT_EQ(b->shbj->text(), QStringLiteral("已审核"));
    EXPECT_EQ(b->panelText(4), QStringLiteral("-50"));
    EXPECT_EQ(enabled(b), QStringLiteral("1111"));   // stepped onto the last row: no mark yet
    b->BB3->click();
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240103001"));
    EXPECT_EQ(enabled(b), QStringLiteral("1100"));

    b->BB2->click();
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240102001"));
    EXPECT_EQ(enabled(b), QStringLiteral("1111"));
    b->BB2->click();
    EXPECT_EQ(enabled(b), QStringLiteral("1111"));
    b->BB2->click();
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240101001"));
    EXPECT_EQ(enabled(b), QStringLiteral("0011"));

    b->BB4->click();
    EXPECT_EQ(b->dh->text(), QStringLiteral("CG20240103001"));
    EXPECT_EQ(enabled(b), QStringLiteral("1100"));
    EXPECT_EQ(dm->AQcgz1.recNo(), 2);   // the list's cursor moved with it
    EXPECT_TRUE(rec.empty());
}

TEST_F(Browser, OneRowListAndEmptyList)
{
    exec("delete from cgglz where dh<>'CG20240102001'");
    dm->AQcgz1.refresh();
    TFllcgd1* b = view(0);
    b->BB1->click();
    EXPECT_EQ(enabled(b), QStringLiteral("0011"));
    b->BB3->click();
    EXPECT_EQ(enabled(b), QStringLiteral("1100"));

    // A list that became empty shows empty fields and no lines.
    exec("delete from cgglz");
    dm->AQcgz1.refresh();
    b->BB1->click();
    EXPECT_TRUE(rec.empty());
    EXPECT_EQ(b->dh->text(), QString());
    EXPECT_EQ(b->ghs->text(), QString());
    EXPECT_TRUE(dm->AQcgc1.isOpen());
    EXPECT_EQ(dm->AQcgc1.recordCount(), 0);
}

TEST_F(Browser, ClosedQueriesRefuseAndClose)
{
    for (int button = 0; button < 2; ++button) {
        TFllcgd1* b = view(1);
        QPointer<TFllcgd1> alive(b);
        rec.clear();
        if (button == 0) {
            dm->AQcgz1.close();       // the list closed its query
            b->BB3->click();
        } else {
            dm->AQcgc1.close();       // another window closed the lines
            b->BB1->click();
        }
        ASSERT_EQ(rec.count(), 1);
        EXPECT_EQ(rec.last().text, QStringLiteral("数据未打开，关闭窗口后重新打开！"));
        EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
        EXPECT_EQ(rec.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(Fllcgd1.isNull());
        EXPECT_FALSE(dm->AQcgc1.isOpen());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull());
        if (!dm->AQcgz1.isOpen())
            dm->AQcgz1.open();
    }
}

TEST_F(Browser, PrintRefusesClosedLines)
{
    for (const char* item : {"N3", "N4"}) {
        TFllcgd1* b = view(1);
        rec.clear();
        dm->AQcgc1.close();
        QAction* a = QString::fromLatin1(item) == QLatin1String("N3") ? b->N3 : b->N4;
        ASSERT_TRUE(a);
        a->trigger();
        ASSERT_EQ(rec.count(), 1);
        EXPECT_EQ(rec.last().text, QStringLiteral("数据未打开，关闭窗口后重新打开！"));
        EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
        EXPECT_TRUE(Fllcgd1.isNull());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Browser, PrintsThroughThePreview)
{
    TFllcgd1* b = view(2);
    ModalScript modal;
    b->N3->trigger();
    b->N4->trigger();
    EXPECT_EQ(modal.classes(), (QStringList{QStringLiteral("TFdyPreview1"), QStringLiteral("TFdyPreview1")}));
    EXPECT_TRUE(rec.empty()) << rec.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Fllcgd1.data(), b);
    EXPECT_TRUE(dm->AQcgc1.isOpen());
}

TEST_F(Browser, PrintMenuOpensOnMouseReleaseOnly)
{
    TFllcgd1* b = view(1);
    ASSERT_TRUE(b->PM2);
    EXPECT_EQ(b->N3->text(), QStringLiteral("带编码打印"));
    EXPECT_EQ(b->N4->text(), QStringLiteral("不带编码打印"));
    b->BB5->click();                       // the keyboard's way in prints nothing
    EXPECT_FALSE(b->PM2->isVisible());
    const QPointF inside(5, 5);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, b->BB5->mapToGlobal(inside), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b->BB5, &release);
    EXPECT_TRUE(b->PM2->isVisible());
    b->PM2->hide();
    EXPECT_TRUE(rec.empty());
}

TEST_F(Browser, EscClosesAndClosesTheLines)
{
    TFllcgd1* b = view(1);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(b->DBGrid1, &esc);
    QApplication::processEvents();
    EXPECT_TRUE(Fllcgd1.isNull());
    EXPECT_FALSE(dm->AQcgc1.isOpen());
    EXPECT_TRUE(dm->AQcgz1.isOpen());
    EXPECT_TRUE(rec.empty());
}

} // namespace
