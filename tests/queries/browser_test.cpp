// The purchase document browser: filling from the list's current row, paging with the begin
// and end marks deciding the buttons, the refusals on closed queries, closing and printing.

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "queries/Ullcgd1.h"
#include "support/ShopTest.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString kRefusal = QStringLiteral("数据未打开，关闭窗口后重新打开！");

class Browser : public ShopTest {
protected:
    void SetUp() override
    {
        exec("insert into cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values "
             "('CG20240101001','2024-01-01','2024-01-01','已审核','系统管理员','一号仓库','华南电器','张三','',3,100.25,0,100.25,100.25,0),"
             "('CG20240102001','2024-01-02','2024-01-02','未审核','系统管理员','二号仓库','北方电子','李四','急',2,50.25,0,50.25,20,30.25),"
             "('CG20240103001','2024-01-03','2024-01-03','已审核','系统管理员','一号仓库','华南电器','张三','退货',-1,-50,0,-50,-50,0)");
        exec("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values ('CG20240101001','yz','A01','冰箱','台',3,33.4167,1,100.25),"
             "('CG20240102001','yz','B01','彩电','台',1,30,1,30),('CG20240102001','yz','B02','风扇','台',1,20.25,1,20.25),"
             "('CG20240103001','yz','C01','空调','台',-1,50,1,-50)");
        dm->AQcgz1.setSql({QStringLiteral("SELECT * FROM cgglz"), QStringLiteral("order by id")});
        dm->AQcgz1.open();
    }

    void TearDown() override { delete Fllcgd1.data(); }

    // The list's 查单 on header row `row`.
    TFllcgd1* view(int row)
    {
        dm->AQcgz1.moveTo(row);
        TFllcgd1* b = showPurchaseBrowser(*dm);
        QApplication::processEvents();
        return b;
    }

    // 首单 前单 后单 尾单 enabled, as "1" and "0".
    static QString enabled(const TFllcgd1* b)
    {
        QString s;
        for (QPushButton* x : {b->BB1, b->BB2, b->BB3, b->BB4})
            s += x->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }

    // State, number, the header edits, the panels 0, 2, 4 and the lines' codes, joined by "|".
    QString shown(const TFllcgd1* b) const
    {
        QStringList out{b->shbj->text()};
        for (QLineEdit* e : {b->dh, b->rq, b->ck, b->ghs, b->jsr, b->bz, b->yhe, b->yfe, b->sfe})
            out << e->text();
        out << b->panelText(0) << b->panelText(2) << b->panelText(4) << columnTexts(dm->AQcgc1, "txm").join(' ');
        return out.join(QLatin1Char('|'));
    }
};

TEST_F(Browser, ShowsTheListsCurrentDocumentAndPagesByTheMarks)
{
    TFllcgd1* b = view(1);
    EXPECT_EQ(b->windowTitle(), QStringLiteral("浏览采购入库单"));
    EXPECT_EQ(shown(b), QStringLiteral("未审核|CG20240102001|2024-01-02|二号仓库|北方电子|李四|急|0|50.25|20|合计|2|50.25|B01 B02"));
    EXPECT_EQ(b->shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(dm->AQcgc1.sqlText(), QStringLiteral("SELECT *FROM cgglc\nwhere dh='CG20240102001'\norder by id"));
    EXPECT_FALSE(b->DBGrid1->rowStyle(0).font.isValid());
    EXPECT_EQ(enabled(b), QStringLiteral("1111"));

    // Each step: button, number shown afterwards, 首单 前单 后单 尾单 enabled. A step onto the
    // first or last row from its neighbour sets no mark, so the buttons go off one click later.
    const struct { QPushButton* button; const char* number; const char* enabled; } steps[] = {
        {b->BB1, "CG20240101001", "0011"}, {b->BB3, "CG20240102001", "1111"},
        {b->BB3, "CG20240103001", "1111"}, {b->BB3, "CG20240103001", "1100"},
        {b->BB2, "CG20240102001", "1111"}, {b->BB2, "CG20240101001", "1111"},
        {b->BB2, "CG20240101001", "0011"}, {b->BB4, "CG20240103001", "1100"},
    };
    for (const auto& s : steps) {
        s.button->click();
        EXPECT_EQ(b->dh->text(), QLatin1String(s.number)) << s.button->text().toStdString();
        EXPECT_EQ(enabled(b), QLatin1String(s.enabled)) << s.button->text().toStdString() << " to " << s.number;
    }
    // The audited return: its state in the window-text colour, its lines in red.
    EXPECT_EQ(shown(b), QStringLiteral("已审核|CG20240103001|2024-01-03|一号仓库|华南电器|张三|退货|0|-50|-50|合计|-1|-50|C01"));
    EXPECT_NE(b->shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(b->DBGrid1->rowStyle(0).font, QColor(Qt::red));

    // A list that became empty shows empty fields and no lines.
    exec("delete from cgglz");
    dm->AQcgz1.refresh();
    b->BB1->click();
    EXPECT_EQ(shown(b), QStringLiteral("||||||||||合计|||"));
    EXPECT_TRUE(dm->AQcgc1.isOpen());
    EXPECT_TRUE(rec.empty());
}

TEST_F(Browser, ClosesWithItsFrameAndRefusesOnClosedQueries)
{
    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    setMdiArea(&area);
    auto frames = [&] {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return area.subWindowList().size();
    };
    view(0);   // a second 查单 below reuses this window

    // How the browser is closed: a refusal (list or lines query closed, then a navigation or
    // a print), Esc, or its frame. The lines query is closed with it; the list is left as it was.
    for (int c = 0; c < 5; ++c) {
        TFllcgd1* b = view(1);
        EXPECT_EQ(frames(), 1) << c;   // one browser at most
        rec.clear();
        if (c < 3)
            (c == 0 ? dm->AQcgz1 : dm->AQcgc1).close();
        switch (c) {
        case 0: b->BB3->click(); break;
        case 1: b->BB1->click(); break;
        case 2: b->N4->trigger(); break;
        case 3: sendKey(b->DBGrid1, Qt::Key_Escape); break;
        default: area.subWindowList().first()->close();
        }
        EXPECT_EQ(rec.texts(), c < 3 ? QStringList{kRefusal} : QStringList()) << c;
        EXPECT_TRUE(rec.empty() || (rec.last().caption == QStringLiteral("警告") && rec.last().icon == MsgIcon::Warning));
        EXPECT_EQ(frames(), 0) << c;
        EXPECT_TRUE(Fllcgd1.isNull()) << c;
        EXPECT_FALSE(dm->AQcgc1.isOpen()) << c;
        EXPECT_EQ(dm->AQcgz1.isOpen(), c != 0) << c;
        dm->AQcgz1.open();
    }
    setMdiArea(nullptr);
}

TEST_F(Browser, PrintsFromTheMenuThatTheMouseReleaseOpens)
{
    TFllcgd1* b = view(2);
    EXPECT_EQ(b->N3->text(), QStringLiteral("带编码打印"));
    EXPECT_EQ(b->N4->text(), QStringLiteral("不带编码打印"));
    b->BB5->click();   // the keyboard's way in prints nothing
    EXPECT_FALSE(b->PM2->isVisible());
    const QPointF inside(5, 5);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, b->BB5->mapToGlobal(inside), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b->BB5, &release);
    EXPECT_TRUE(b->PM2->isVisible());
    b->PM2->hide();

    // Each menu item prints the document in hand with its layout (the layouts' own texts are
    // checked with the purchase print).
    b->N3->trigger();
    EXPECT_EQ(reportForm(Fdycgd2).QRLdh2->Caption + reportForm(Fdycgd2).e2->Caption, QStringLiteral("CG20240103001￥-50"));
    view(1);
    b->N4->trigger();
    EXPECT_EQ(reportForm(Fdycgd1).QRLdh2->Caption, QStringLiteral("CG20240102001"));
    EXPECT_EQ(modal.classes(), (QStringList{QStringLiteral("TFdyPreview1"), QStringLiteral("TFdyPreview1")}));
    EXPECT_TRUE(rec.empty()) << rec.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Fllcgd1.data(), b);
}

} // namespace
