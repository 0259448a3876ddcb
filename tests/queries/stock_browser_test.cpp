// The movement and transfer browsers and their prints: paging by the list's marks, what a
// document shows, the prints' texts as placed on the page, the refusal on closed lines,
// and where the two layouts place their header blocks.

#include "stock_shop.h"

#include "documents/Udydbd1.h"
#include "documents/Udyrkd1.h"
#include "support/PreviewTexts.h"
#include "ui/DataGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScopeGuard>

namespace {

class StockBrowser : public StockShop {
protected:
    // The list's 查单 on a document.
    DocumentBrowser& view(Kind k, const QString& dh)
    {
        listAll(k);
        EXPECT_TRUE(moveTo(k, dh));
        window(k).SB55->click();
        return *browser(k);
    }
    // 首单 前单 后单 尾单 enabled, as "1" and "0".
    static QString enabled(const DocumentBrowser& b)
    {
        QString s;
        for (QPushButton* x : {b.BB1, b.BB2, b.BB3, b.BB4})
            s += x->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    static const TFdycgdLayout& layout(Kind k)
    {
        return k == Kind::Movement ? static_cast<TFdycgdLayout&>(reportForm(Fdyrkd1)) : reportForm(Fdydbd1);
    }
};

TEST_F(StockBrowser, MovementPagesByTheListsMarksAndShowsItsDocument)
{
    movement("YD20240114001", "2024-01-14", "主仓库", "赠送出库", "未审核", {"A01|冰箱|-1|5"});
    TFllrkd1& b = static_cast<TFllrkd1&>(view(Kind::Movement, "YD20240111001"));
    EXPECT_EQ(b.windowTitle(), "浏览库存异动单");
    EXPECT_EQ(b.shbj->palette().color(QPalette::WindowText), QColor(Qt::red));

    const struct { QPushButton* button; const char* number; const char* enabled; } steps[] = {
        {b.BB2, "YD20240110001", "1111"},   // onto the first row: no mark yet
        {b.BB2, "YD20240110001", "0011"},   // the mark: 首单 and 前单 off
        {b.BB3, "YD20240111001", "1111"},
        {b.BB1, "YD20240110001", "0011"},
    };
    for (const auto& s : steps) {
        s.button->click();
        EXPECT_EQ(b.dh->text(), s.number);
        EXPECT_EQ(enabled(b), s.enabled) << s.button->text().toStdString() << " to " << s.number;
    }
    EXPECT_EQ(dm->AQrkz1.text("dh"), "YD20240110001");   // the list's row moved too

    const QStringList shown{b.shbj->text(), b.rq->text(), b.ck->text(), b.lx->text(), b.jsr->text(), b.bz->text(),
                            b.sm->text(), b.panelText(0), b.panelText(2), b.panelText(4)};
    EXPECT_EQ(shown, (QStringList{"已审核", "2024-01-10", "主仓库", "商品报损", "王五", "月底盘点",
                                  "    数量＞0：入库    数量＜0：出库", "合计", "2", "-5"}));
    EXPECT_NE(b.shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(dm->AQrkc1.sqlText(), "SELECT *FROM rkglc\nwhere dh='YD20240110001'\norder by id");
    EXPECT_EQ(b.DBGrid1->rowStyle(0).font, QColor(Qt::red));   // A01 -4: stock going out
    EXPECT_FALSE(b.DBGrid1->rowStyle(1).font.isValid());
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockBrowser, TransferShowsBothWarehousesInDefaultColoursAndClosesOnEsc)
{
    QMdiArea area;
    setMdiArea(&area);
    const auto noArea = qScopeGuard([] { setMdiArea(nullptr); });
    exec("UPDATE dbglc SET sl=-3 WHERE dh='DB20240112001'");   // a quantity of any sign
    TFlldbd1& b = static_cast<TFlldbd1&>(view(Kind::Transfer, "DB20240112001"));
    EXPECT_EQ(b.windowTitle(), "浏览库存调拨单");
    const QStringList shown{b.shbj->text(), b.dh->text(), b.rq->text(), b.ck1->text(), b.ck2->text(),
                            b.jsr->text(), b.bz->text(), b.panelText(2), b.panelText(4)};
    EXPECT_EQ(shown, (QStringList{"已审核", "DB20240112001", "2024-01-12", "主仓库", "二号仓", "赵六", "补货", "3", "30"}));
    EXPECT_EQ(columnTexts(dm->AQdbc1, "txm"), QStringList{"E05"});
    EXPECT_FALSE(b.DBGrid1->rowStyle(0).font.isValid());
    b.BB3->click();
    EXPECT_EQ(b.dh->text(), "DB20240113001");

    sendKey(b.DBGrid1, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Flldbd1.isNull());
    EXPECT_FALSE(dm->AQdbc1.isOpen());
}

TEST_F(StockBrowser, PrintsTheDocumentShownOnItsLayout)
{
    // A header's total changed before 查单 (the print reads what the browser shows).
    const struct {
        Kind kind;
        const char* hjje;   // nullptr: as stored
        QStringList placed;
    } prints[] = {
        {Kind::Movement, nullptr,
         {"QRLdw=顺达电器库存异动单", "QRLlx2=商品报损", "QRLbz2=月底盘点", "QRLdh2=YD20240110001", "e1=2", "e2=￥-5",
          "QRLdx=(大写)伍圆整(出)", "QRD0=A01|B02", "QRD3=-4|6", "QRD5=-20|15"}},
        {Kind::Movement, "0", {"e2=￥0", "QRLdx=(大写)零"}},
        {Kind::Transfer, nullptr,
         {"QRLdw=顺达电器库存调拨单", "QRLck12=主仓库", "QRLck22=二号仓", "QRLbz2=补货", "QRLjsr2=赵六", "e1=3",
          "e2=￥30", "QRLdx=(大写)叁拾圆整", "QRD1=微波炉"}},
        {Kind::Transfer, "-12.5", {"e2=￥-12.5", "QRLdx=(大写)负壹拾贰圆伍角整"}},
    };
    for (const auto& p : prints) {
        SCOPED_TRACE(testing::Message() << p.kind << ' ' << (p.hjje ? p.hjje : ""));
        if (p.hjje)
            exec(QStringLiteral("UPDATE %1 SET hjje=%2 WHERE dh=%3").arg(headerTable(p.kind), p.hjje, sqlQuote(audited(p.kind))));
        DocumentBrowser& b = view(p.kind, audited(p.kind));
        EXPECT_EQ(b.PM2, nullptr);   // one print: the button's click
        QStringList names;
        for (const QString& s : p.placed)
            names << s.section('=', 0, 0);
        EXPECT_EQ(previewTexts(modal, layout(p.kind).QuickRep1, names, [&] { b.BB5->click(); }), p.placed);
        EXPECT_EQ(layout(p.kind).QRLyhm2->Caption, "系统管理员");
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockBrowser, PrintWithClosedLinesRefusesAndCloses)
{
    for (Kind k : {Kind::Movement, Kind::Transfer}) {
        DocumentBrowser& b = view(k, held(k));
        lineQuery(k).close();
        rec.clear();
        b.BB5->click();
        EXPECT_EQ(rec.texts(), QStringList{"数据未打开，关闭窗口后重新打开！"}) << k;
        EXPECT_EQ(rec.last().caption, "警告");
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(browser(k), nullptr) << k;
    }
    EXPECT_EQ(modal.classes(), (QStringList{"TFcxrk1", "TFcxdb1"}));   // no preview
}

TEST_F(StockBrowser, LayoutsPlaceTheirHeaderBlocks)
{
    // The left block's rows 4.5 mm apart from 7.1 mm, values at 10.6 mm or after the longest
    // caption; the title band grows with a third row. Positions from the paper (margins:
    // left 40, top 10).
    const double after = 0.5 + songFont().textWidthMm("调出仓库:") + 1.0;
    const struct {
        Kind kind;
        double band;
        QVector<std::tuple<const char*, const char*, double, double>> at;   // name, text, left, top
    } layouts[] = {
        {Kind::Movement, 15.9, {{"QRLlx1", "异动:", 0.5, 7.1}, {"QRLlx2", "x", 10.6, 7.1},
                                {"QRLbz1", "备注:", 0.5, 11.6}, {"QRLbz2", "x", 10.6, 11.6}}},
        {Kind::Transfer, 20.4, {{"QRLck11", "调出仓库:", 0.5, 7.1}, {"QRLck12", "x", after, 7.1},
                                {"QRLck21", "调入仓库:", 0.5, 11.6}, {"QRLck22", "x", after, 11.6},
                                {"QRLbz1", "备注说明:", 0.5, 16.1}, {"QRLbz2", "x", after, 16.1}}},
    };
    EXPECT_GT(after, 10.6);
    for (const auto& l : layouts) {
        SCOPED_TRACE(testing::Message() << l.kind);
        const TFdycgdLayout& form = layout(l.kind);
        for (const auto& [name, text, left, top] : l.at)
            if (QString(text) == "x")
                form.item(name)->Caption = "x";
        const PageContent p = form.QuickRep1.layout(TableRows({"txm"}, {{"A01"}})).page(0);
        for (const auto& [name, text, left, top] : l.at) {
            const PlacedText t = p.named(name).value(0);
            EXPECT_EQ(t.text, text) << name;
            EXPECT_TRUE(qAbs(t.rect.left() - 40 - left) < 1e-9 && qAbs(t.rect.top() - 10 - top) < 1e-9) << name;
        }
        EXPECT_EQ(form.QuickRep1.band(BandType::Title)->height(), l.band);
        EXPECT_EQ(form.dataTexts.size(), 6);
        EXPECT_EQ(form.dataTexts.front()->Name, "QRD0");
    }
}

} // namespace
