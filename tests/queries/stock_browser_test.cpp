// The movement and transfer browsers and their prints: paging by the list's marks, what a
// document shows, the prints' texts as placed on the page, and where the two layouts place
// their header blocks.

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
    // The state, the header edits and panels 2 and 4, joined by "|".
    static QString shown(const DocumentBrowser& b, const QStringList& edits)
    {
        QStringList out{b.shbj->text()};
        for (const QString& e : edits)
            out << b.editText(e);
        return (out << b.panelText(2) << b.panelText(4)).join('|');
    }
    static TFdycgdLayout& layout(Kind k)
    {
        return k == Movement ? static_cast<TFdycgdLayout&>(reportForm(Fdyrkd1)) : reportForm(Fdydbd1);
    }
};

TEST_F(StockBrowser, MovementPagesByTheListsMarksAndShowsItsDocument)
{
    document(Movement, "YD20240114001", "主仓库", "赠送出库", "未审核", {"A01|冰箱|-1|5"});
    DocumentBrowser& b = view(Movement, "YD20240111001");
    EXPECT_EQ(b.windowTitle(), "浏览库存异动单");
    EXPECT_EQ(b.shbj->palette().color(QPalette::WindowText), QColor(Qt::red));

    // Button, number shown afterwards, 首单 前单 后单 尾单 enabled.
    const struct { QPushButton* button; const char* number; const char* enabled; } steps[] = {
        {b.BB2, "YD20240110001", "1111"},   // onto the first row: no mark yet
        {b.BB2, "YD20240110001", "0011"},   // the mark: 首单 and 前单 off
        {b.BB3, "YD20240111001", "1111"},
        {b.BB1, "YD20240110001", "0011"},
    };
    for (const auto& s : steps) {
        s.button->click();
        QString enabled;
        for (QPushButton* x : {b.BB1, b.BB2, b.BB3, b.BB4})
            enabled += x->isEnabled() ? '1' : '0';
        EXPECT_EQ(b.dh->text() + ' ' + enabled, QString(s.number) + ' ' + s.enabled) << s.button->text().toStdString();
    }
    EXPECT_EQ(dm->AQrkz1.text("dh"), "YD20240110001");   // the list's row moved too
    EXPECT_EQ(shown(b, {"rq", "ck", "lx", "jsr", "bz", "sm"}),
              "已审核|2024-01-10|主仓库|商品报损|王五|月底盘点|    数量＞0：入库    数量＜0：出库|2|-5");
    EXPECT_NE(b.shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
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
    DocumentBrowser& b = view(Transfer, "DB20240112001");
    EXPECT_EQ(b.windowTitle(), "浏览库存调拨单");
    EXPECT_EQ(shown(b, {"dh", "rq", "ck1", "ck2", "jsr", "bz"}), "已审核|DB20240112001|2024-01-12|主仓库|二号仓|赵六|补货|3|30");
    EXPECT_EQ(dm->AQdbc1.sqlText(), "SELECT *FROM dbglc\nwhere dh='DB20240112001'\norder by id");
    EXPECT_FALSE(b.DBGrid1->rowStyle(0).font.isValid());

    sendKey(b.DBGrid1, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Flldbd1.isNull());
    EXPECT_FALSE(dm->AQdbc1.isOpen());
}

TEST_F(StockBrowser, PrintsTheDocumentShownOnItsLayout)
{
    // The header's total as stored, or changed before 查单 (the print reads what is shown).
    const struct { Kind kind; const char* hjje; QStringList placed; } prints[] = {
        {Movement, nullptr,
         {"QRLdw=顺达电器库存异动单", "QRLlx2=商品报损", "QRLbz2=月底盘点", "QRLdh2=YD20240110001", "e1=2", "e2=￥-5",
          "QRLdx=(大写)伍圆整(出)", "QRD0=A01|B02", "QRD3=-4|6", "QRD5=-20|15", "QRLyhm2=系统管理员"}},
        {Movement, "0", {"e2=￥0", "QRLdx=(大写)零"}},
        {Transfer, nullptr,
         {"QRLdw=顺达电器库存调拨单", "QRLck12=主仓库", "QRLck22=二号仓", "QRLbz2=补货", "QRLjsr2=赵六", "e1=3",
          "e2=￥30", "QRLdx=(大写)叁拾圆整", "QRD1=微波炉"}},
        {Transfer, "-12.5", {"e2=￥-12.5", "QRLdx=(大写)负壹拾贰圆伍角整"}},
    };
    for (const auto& p : prints) {
        SCOPED_TRACE(p.placed.join(' ').toStdString());
        if (p.hjje)
            exec("UPDATE " + headerTable(p.kind) + " SET hjje=" + p.hjje + " WHERE dh=" + sqlQuote(audited(p.kind)));
        DocumentBrowser& b = view(p.kind, audited(p.kind));
        EXPECT_EQ(b.PM2, nullptr);   // one print: the button's click
        QStringList names;
        for (const QString& s : p.placed)
            names << s.section('=', 0, 0);
        EXPECT_EQ(previewTexts(modal, layout(p.kind).QuickRep1, names, [&] { b.BB5->click(); }), p.placed);
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(StockBrowser, LayoutsPlaceTheirHeaderBlocks)
{
    // Rows 4.5 mm apart from 7.1 mm, values at 10.6 mm or after the longest caption; the title
    // band grows with a third row. Positions from the paper (margins: left 40, top 10).
    const double after = 0.5 + songFont().textWidthMm("调出仓库:") + 1.0;
    ASSERT_GT(after, 10.6);
    const struct { Kind kind; double band; QVector<std::tuple<const char*, const char*, double, double>> at; } layouts[] = {
        {Movement, 15.9, {{"QRLlx1", "异动:", 0.5, 7.1}, {"QRLlx2", "x", 10.6, 7.1},
                          {"QRLbz1", "备注:", 0.5, 11.6}, {"QRLbz2", "x", 10.6, 11.6}}},
        {Transfer, 20.4, {{"QRLck11", "调出仓库:", 0.5, 7.1}, {"QRLck12", "x", after, 7.1},
                          {"QRLck21", "调入仓库:", 0.5, 11.6}, {"QRLck22", "x", after, 11.6},
                          {"QRLbz1", "备注说明:", 0.5, 16.1}, {"QRLbz2", "x", after, 16.1}}},
    };
    for (const auto& l : layouts) {
        SCOPED_TRACE(l.kind);
        TFdycgdLayout& form = layout(l.kind);
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
        EXPECT_EQ(form.dataTexts.front()->Name, "QRD0");
    }
}

} // namespace
