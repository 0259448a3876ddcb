// The four document browsers on their shared window: what each shows of the list's current
// document, paging by the list's marks, closing and the refusals on closed queries, and each
// print as placed on its layout (the layouts' own geometry is checked with the documents).

#include "document_shop.h"

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Udydbd1.h"
#include "documents/Udyrkd1.h"
#include "documents/Udyxsd1.h"
#include "documents/Udyxsd2.h"
#include "support/PreviewTexts.h"
#include "ui/DataGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>

namespace {

const QString kRefusal = QStringLiteral("数据未打开，关闭窗口后重新打开！");

class DocumentBrowsers : public DocumentShop {
protected:
    // The list's 查单 on a document.
    DocumentBrowser& view(Kind k, const QString& dh)
    {
        listAll(k);
        EXPECT_TRUE(moveTo(k, dh));
        window(k).SB55->click();
        QApplication::processEvents();
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
    // 首单 前单 后单 尾单 enabled, as "1" and "0".
    static QString enabled(const DocumentBrowser& b)
    {
        QString s;
        for (QPushButton* x : {b.BB1, b.BB2, b.BB3, b.BB4})
            s += x->isEnabled() ? '1' : '0';
        return s;
    }
};

TEST_F(DocumentBrowsers, ShowTheListsCurrentDocument)
{
    exec("UPDATE dbglc SET sl=-3 WHERE dh='DB20240112001'");   // a transfer line of any sign
    const struct {
        const char* caption;
        QStringList edits;   // shown after the state
        const char* shown;   // the state, the edits, panels 2 and 4
        const char* red;     // the lines: "r" in red
    } twins[] = {
        {"浏览采购入库单", {"dh", "rq", "ck", "ghs", "jsr", "bz", "yhe", "yfe", "sfe"},
         "已审核|CG20240101001|2024-01-01|主仓库|华南电器|张三|急|0|100.25|100.25|3|100.25", "--"},
        {"浏览销售出库单", {"dh", "rq", "ck", "kh", "jsr", "bz", "yhe", "yse", "sse"},
         "已审核|PF20240105001|2024-01-05|主仓库|百货商场|王五||10.25|5000|3000.25|10|5010.25", "-r"},
        {"浏览库存异动单", {"dh", "rq", "ck", "lx", "jsr", "bz", "sm"},
         "已审核|YD20240110001|2024-01-10|主仓库|商品报损|王五|月底盘点|    数量＞0：入库    数量＜0：出库|2|-5", "r-"},
        {"浏览库存调拨单", {"dh", "rq", "ck1", "ck2", "jsr", "bz"},
         "已审核|DB20240112001|2024-01-12|主仓库|二号仓|赵六|补货|3|30", "-"},
    };
    for (Kind k : kKinds) {
        SCOPED_TRACE(k);
        const auto& t = twins[k];
        DocumentBrowser& h = view(k, held(k));
        EXPECT_EQ(h.shbj->text(), "未审核");
        EXPECT_EQ(h.shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
        DocumentBrowser& b = view(k, audited(k));
        EXPECT_EQ(&b, &h);   // one browser of a kind
        EXPECT_EQ(b.windowTitle(), t.caption);
        EXPECT_EQ(shown(b, t.edits), t.shown);
        EXPECT_NE(b.shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
        EXPECT_EQ(lineQuery(k).sqlText(), "SELECT *FROM " + lineTable(k) + "\nwhere dh=" + sqlQuote(audited(k)) + "\norder by id");
        QString red;
        for (int r = 0; r < lineQuery(k).recordCount(); ++r)
            red += b.DBGrid1->rowStyle(r).font == QColor(Qt::red) ? 'r' : '-';
        EXPECT_EQ(red, t.red);
    }
    // The forms' own edit members are the edits of their columns.
    EXPECT_EQ((QStringList{Fllcgd1->sfe->objectName(), Fllxsd1->kh->objectName(), Fllrkd1->lx->objectName(),
                           Fllrkd1->jsr->objectName(), Flldbd1->ck2->objectName()}),
              (QStringList{"sfe", "kh", "lx", "jsr", "ck2"}));
    EXPECT_TRUE(rec.empty());
}

TEST_F(DocumentBrowsers, PageByTheListsMarks)
{
    DocumentBrowser& b = view(Sales, "PF20240105001");
    EXPECT_EQ(enabled(b), "1111");
    // Each step: button, number shown afterwards, 首单 前单 后单 尾单 enabled. A step onto the
    // first or last row from its neighbour sets no mark, so the buttons go off one click later.
    const struct { QPushButton* button; const char* number; const char* enabled; } steps[] = {
        {b.BB1, "XS20240105001", "0011"}, {b.BB3, "PF20240105001", "1111"},
        {b.BB3, "XS20240106001", "1111"}, {b.BB3, "XS20240106001", "1100"},
        {b.BB2, "PF20240105001", "1111"}, {b.BB2, "XS20240105001", "1111"},
        {b.BB2, "XS20240105001", "0011"}, {b.BB4, "XS20240106001", "1100"},
    };
    for (const auto& s : steps) {
        s.button->click();
        EXPECT_EQ(b.dh->text() + ' ' + enabled(b), QString(s.number) + ' ' + s.enabled) << s.button->text().toStdString();
    }
    EXPECT_EQ(dm->AQxsz1.text("dh"), "XS20240106001");   // the list's row moved too
    EXPECT_EQ(columnTexts(dm->AQxsc1, "txm"), QStringList{"D04"});

    // A list that became empty shows empty fields and no lines.
    exec("DELETE FROM xsglz");
    dm->AQxsz1.refresh();
    b.BB1->click();
    EXPECT_EQ(shown(b, {"dh", "rq", "kh", "sse"}), "||||||");
    EXPECT_TRUE(dm->AQxsc1.isOpen());
    EXPECT_TRUE(dm->AQxsc1.isEmpty());
    EXPECT_TRUE(rec.empty());
}

TEST_F(DocumentBrowsers, ClosesWithItsFrameAndRefusesOnClosedQueries)
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
    // How the browser is closed: a refusal (list or lines query closed, then a navigation or
    // a print), Esc, or its frame. The lines query is closed with it; the list is left as it was.
    for (int c = 0; c < 5; ++c) {
        DocumentBrowser& b = view(Purchase, held(Purchase));
        EXPECT_EQ(frames(), 2) << c;   // the list and one browser
        rec.clear();
        if (c < 3)
            (c == 0 ? dm->AQcgz1 : dm->AQcgc1).close();
        switch (c) {
        case 0: b.BB3->click(); break;
        case 1: b.BB1->click(); break;
        case 2: b.printItem("N4")->trigger(); break;
        case 3: sendKey(b.DBGrid1, Qt::Key_Escape); break;
        default: qobject_cast<QMdiSubWindow*>(b.parentWidget())->close();
        }
        EXPECT_EQ(rec.texts(), c < 3 ? QStringList{kRefusal} : QStringList()) << c;
        for (const MessageRequest& m : rec.all()) {
            EXPECT_EQ(m.caption, "警告");
            EXPECT_EQ(m.icon, MsgIcon::Warning);
        }
        EXPECT_EQ(frames(), 1) << c;   // the list's
        EXPECT_TRUE(Fllcgd1.isNull()) << c;
        EXPECT_FALSE(dm->AQcgc1.isOpen()) << c;
        EXPECT_EQ(dm->AQcgz1.isOpen(), c != 0) << c;
    }
    setMdiArea(nullptr);
}

TEST_F(DocumentBrowsers, PrintTheDocumentShownOnItsLayout)
{
    // The purchase and sales prints are items of a menu that releasing the mouse on 打印 opens.
    DocumentBrowser& p = view(Purchase, audited(Purchase));
    EXPECT_EQ(p.printItem("N3")->text() + p.printItem("N4")->text(), "带编码打印不带编码打印");
    p.BB5->click();   // the keyboard's way in prints nothing
    EXPECT_FALSE(p.PM2->isVisible());
    const QPointF inside(5, 5);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, p.BB5->mapToGlobal(inside), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(p.BB5, &release);
    EXPECT_TRUE(p.PM2->isVisible());
    p.PM2->hide();

    // Kind, document, print item (none: the button's click), a change made before, the layout
    // and its placed texts.
    const struct {
        Kind kind;
        const char* dh;
        const char* item;
        const char* before;
        std::function<TFdycgdLayout&()> form;
        QStringList placed;
    } prints[] = {
        {Purchase, "CG20240101001", "N3", nullptr, [] () -> TFdycgdLayout& { return reportForm(Fdycgd2); },
         {"QRLdh2=CG20240101001", "QRLghs2=华南电器", "e2=￥100.25", "QRD0=P01|P02"}},
        {Purchase, "CG20240102001", "N4", nullptr, [] () -> TFdycgdLayout& { return reportForm(Fdycgd1); },
         {"QRLdh2=CG20240102001", "QRLbz2=急", "QRD1=彩电|音箱"}},
        {Sales, "PF20240105001", "N4", nullptr, [] () -> TFdycgdLayout& { return reportForm(Fdyxsd1); },
         {"QRLdw=顺达电器销售单", "QRLkh2=百货商场", "xx1=货物售出，概不退换", "xx2=谢谢惠顾", "e1=10", "e2=￥5010.25",
          "QRLyh2=￥10.25", "QRLss2=￥3000.25", "QRLdx=(大写)伍仟零壹拾圆贰角伍分", "QRLqk1=欠款:",
          "QRLqk2=(大写)壹仟玖佰玖拾玖圆柒角伍分", "QRD1=电饭煲|3' 插线板", "QRD6=1|1"}},
        // Without a debt; a footnote changed meanwhile is read at the print.
        {Sales, "XS20240105001", "N3", "UPDATE danwei SET bz4='欢迎再来'", [] () -> TFdycgdLayout& { return reportForm(Fdyxsd2); },
         {"QRLkh2=", "xx2=欢迎再来", "e2=￥3600", "QRLqk1=", "QRLqk2=", "QRD0=A01"}},
        {Movement, "YD20240110001", nullptr, nullptr, [] () -> TFdycgdLayout& { return reportForm(Fdyrkd1); },
         {"QRLdw=顺达电器库存异动单", "QRLlx2=商品报损", "QRLbz2=月底盘点", "QRLdh2=YD20240110001", "e1=2", "e2=￥-5",
          "QRLdx=(大写)伍圆整(出)", "QRD0=M01|M02", "QRD3=-4|6", "QRD5=-20|15", "QRLyhm2=系统管理员"}},
        {Transfer, "DB20240112001", nullptr, nullptr, [] () -> TFdycgdLayout& { return reportForm(Fdydbd1); },
         {"QRLdw=顺达电器库存调拨单", "QRLck12=主仓库", "QRLck22=二号仓", "QRLbz2=补货", "QRLjsr2=赵六", "e1=3",
          "e2=￥30", "QRLdx=(大写)叁拾圆整", "QRD1=微波炉"}},
    };
    for (const auto& t : prints) {
        SCOPED_TRACE(t.placed.join(' ').toStdString());
        if (t.before)
            exec(t.before);
        DocumentBrowser& b = view(t.kind, t.dh);
        EXPECT_EQ(b.PM2 == nullptr, t.item == nullptr);
        QStringList names;
        for (const QString& s : t.placed)
            names << s.section('=', 0, 0);
        EXPECT_EQ(previewTexts(modal, t.form().QuickRep1, names, [&] { t.item ? b.printItem(t.item)->trigger() : b.BB5->click(); }),
                  t.placed);
    }
    EXPECT_TRUE(rec.empty());

    // Each sales print refuses closed lines in its own words, shows no preview and closes.
    const int previews = modal.opened();
    for (const auto& [item, refusal] : {std::pair{"N3", "销售数据未打开，关闭窗口后重新打开！"}, std::pair{"N4", "数据未打开，关闭窗口后重新打开！"}}) {
        DocumentBrowser& b = view(Sales, held(Sales));
        dm->AQxsc1.close();
        rec.clear();
        b.printItem(item)->trigger();
        EXPECT_EQ(rec.texts(), QStringList{refusal});
        EXPECT_EQ(rec.last().caption, "警告");
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(browser(Sales), nullptr);
    }
    EXPECT_EQ(modal.opened(), previews + 2);   // the two condition dialogs
}

} // namespace
