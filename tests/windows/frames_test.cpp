// Every window as its description draws it, opened as the clerk opens it: MDI children with a
// fixed border at their stated client size, the program's icon, tool glyphs of one size, grey
// grids where they have no rows, each status total under the column it sums at the opening size
// and maximised; dialogs and pickers with the close box only at their size, the condition
// dialogs alike, the open-item pickers cream with their search panel under the grid, and the
// labels as worded.

#include "Windows.h"
#include "basic/Uck1.h"
#include "basic/Ucxsp1.h"
#include "basic/Ughs2.h"
#include "basic/Usp3.h"
#include "basic/Uyg2.h"
#include "bases/ConditionDialog.h"
#include "bases/DocumentBrowser.h"
#include "bases/QueryWindow.h"
#include "documents/Uchai1.h"
#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"
#include "documents/Uxzcg1.h"
#include "documents/Uzu1.h"
#include "finance/Ufkfx1.h"
#include "finance/Uszfx1.h"
#include "finance/Uszxm1.h"
#include "finance/Utjfkfx1.h"
#include "finance/Utjszfx1.h"
#include "finance/Utjszxm1.h"
#include "finance/Uxzyf1.h"
#include "shell/Umain1.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <memory>

namespace {

void settle() { QApplication::processEvents(); }

// The columns a list's status totals sum, panel by panel: sum(x) of its sum statement in order,
// or the fields it recounts.
QVector<QPair<int, QString>> totalsOf(const ListDescription& d)
{
    QStringList fields = d.totalFields;
    if (!d.sumStatement.isEmpty()) {
        fields.clear();
        const QRegularExpression sum(QStringLiteral("sum\\(([^)]*)\\)"));
        for (auto it = sum.globalMatch(d.sumStatement); it.hasNext();)
            fields << it.next().captured(1);
    }
    QVector<QPair<int, QString>> out;
    for (int i = 0; i < d.sumPanels.size() && i < fields.size(); ++i)
        out.push_back({d.sumPanels[i], fields[i]});
    return out;
}

// Each total's panel overlaps its column horizontally, in the window's coordinates. A sum with
// no column of its own (income less expense) has none to stand under.
void expectTotalsUnderColumns(PanelBar* bar, DataGrid* grid, const QVector<QPair<int, QString>>& totals, const char* when)
{
    QWidget* top = grid->window();
    int checked = 0;
    for (const auto& [panel, field] : totals) {
        const int col = grid->columnOfField(field);
        if (col < 0)
            continue;
        ASSERT_TRUE(grid->isColumnVisible(col)) << field.toStdString();
        const QHeaderView* h = grid->horizontalHeader();
        const int left = grid->viewport()->mapTo(top, QPoint(h->sectionViewportPosition(col), 0)).x();
        const int right = left + h->sectionSize(col);
        const QRect p = bar->panelGeometry(panel).translated(bar->mapTo(top, QPoint(0, 0)));
        EXPECT_TRUE(p.left() < right && left < p.right())
            << when << ": panel " << panel << " [" << p.left() << "," << p.right() << "] under " << field.toStdString()
            << " [" << left << "," << right << "]";
        ++checked;
    }
    EXPECT_GT(checked, 0) << when;
}

// A dialog with the close box only and a size that cannot change (the given one when valid).
void expectDialogFrame(QDialog& d, const QSize& client = QSize())
{
    SCOPED_TRACE(d.metaObject()->className());
    d.show();
    settle();
    const Qt::WindowFlags f = d.windowFlags();
    EXPECT_TRUE((f & Qt::CustomizeWindowHint) && (f & Qt::WindowCloseButtonHint));
    EXPECT_FALSE(f & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    if (client.isValid()) {
        EXPECT_EQ(d.size(), client);
    }
    d.hide();
}

QColor ground(QWidget* w) { return w->palette().color(QPalette::Window); }

QStringList labelTexts(QWidget* parent)
{
    QStringList out;
    for (QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (!l->isHidden())
            out << l->text();
    return out;
}

class WindowFrames : public ShopTest {
protected:
    void SetUp() override
    {
        setMdiArea(main.mdi);
        wireMenus(main);
        main.resize(1500, 950);
        main.show();
        settle();
    }
    void TearDown() override
    {
        main.mdi->closeAllSubWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setMdiArea(nullptr);
    }
    QWidget* open(QAction* item)
    {
        item->trigger();
        settle();
        QMdiSubWindow* sub = main.mdi->activeSubWindow();
        return sub ? sub->widget() : nullptr;
    }
    static QMdiSubWindow* frameOf(QWidget* form) { return qobject_cast<QMdiSubWindow*>(form->parentWidget()); }
    void close(QWidget* form)
    {
        closeMdiForm(form);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFmain1 main;
};

TEST_F(WindowFrames, MdiWindowsFixedBorderSizeGreyGridsAndTotalsUnderTheirColumns)
{
    const struct {
        QAction* TFmain1::*item;
        QSize client{};
        bool closeBoxOnly = false;
        bool greyGrid = false;
    } windows[] = {
        {.item = &TFmain1::N301, .client = {812, 523}}, {.item = &TFmain1::N401, .client = {792, 473}},
        {.item = &TFmain1::N405, .client = {792, 514}}, {.item = &TFmain1::N410},
        {.item = &TFmain1::N420},
        {.item = &TFmain1::N402, .client = {792, 473}, .greyGrid = true},
        {.item = &TFmain1::N406, .client = {792, 473}, .greyGrid = true},
        {.item = &TFmain1::N411, .client = {792, 473}, .greyGrid = true},
        {.item = &TFmain1::N403, .client = {792, 473}, .greyGrid = true},
        {.item = &TFmain1::N407, .client = {792, 473}, .greyGrid = true},
        {.item = &TFmain1::N412, .client = {792, 473}, .greyGrid = true},
        {.item = &TFmain1::N408}, {.item = &TFmain1::N414}, {.item = &TFmain1::N415}, {.item = &TFmain1::N601},
        {.item = &TFmain1::N602}, {.item = &TFmain1::N603}, {.item = &TFmain1::N604}, {.item = &TFmain1::N606},
        {.item = &TFmain1::N607, .closeBoxOnly = true},
    };
    const qint64 programIconKey = QApplication::windowIcon().cacheKey();
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(main.windowIcon().cacheKey(), programIconKey);
    for (const auto& c : windows) {
        QAction* item = main.*c.item;
        SCOPED_TRACE(item->text().toStdString());
        QWidget* form = open(item);
        ASSERT_NE(form, nullptr);
        QMdiSubWindow* sub = frameOf(form);
        const Qt::WindowFlags f = sub->windowFlags();
        EXPECT_TRUE(f & Qt::MSWindowsFixedSizeDialogHint);
        EXPECT_EQ(!(f & Qt::CustomizeWindowHint) || (f & Qt::WindowMinMaxButtonsHint) == Qt::WindowMinMaxButtonsHint,
                  !c.closeBoxOnly);
        if (c.client.isValid()) {
            EXPECT_EQ(sub->contentsRect().size(), c.client);
        }
        EXPECT_EQ(sub->windowIcon().cacheKey(), programIconKey) << "the program's icon";
        if (auto* w = qobject_cast<QueryWindow*>(form)) {
            EXPECT_EQ(w->DBGrid1->palette().color(QPalette::Base) == ListColours::grey(), c.greyGrid);
            // Every tool glyph as large as its neighbours (导出's too).
            for (const ListButton& b : w->description().buttons) {
                SpeedButton* button = w->button(b.name);
                ASSERT_NE(button, nullptr);
                EXPECT_EQ(button->icon().pixmap(button->iconSize()).size(), button->iconSize()) << b.caption.toStdString();
            }
            const auto totals = totalsOf(w->description());
            expectTotalsUnderColumns(w->StatusBar1, w->DBGrid1, totals, "opening size");
            const int gridWidth = w->DBGrid1->width();
            sub->showMaximized();
            settle();
            EXPECT_GT(w->DBGrid1->width(), gridWidth) << "the grid follows the window";
            expectTotalsUnderColumns(w->StatusBar1, w->DBGrid1, totals, "maximised");
        }
        close(form);
    }
}

// The browsers (their lists' 查单): a fixed border at 812 × 523, the document's totals under
// 数量 and 金额, opening size and maximised.
TEST_F(WindowFrames, BrowsersTotalsUnderTheirColumns)
{
    for (const char* kind : {"cg", "xs", "rk", "db"})
        exec(QStringLiteral("insert into %1glz(dh,rq,shbj,hjsl,hjje) values('D1','2026-12-01','未审核',2,20);"
                            "insert into %1glc(dh,bj,txm,ppgg,dw,sl,jg,je) values('D1','yz','T1','彩电','台',2,10,20)")
                 .arg(QString::fromLatin1(kind)));
    for (QAction* TFmain1::*item : {&TFmain1::N401, &TFmain1::N405, &TFmain1::N410, &TFmain1::N420}) {
        auto* list = qobject_cast<QueryWindow*>(open(main.*item));
        ASSERT_NE(list, nullptr);
        SCOPED_TRACE(list->windowTitle().toStdString());
        list->query().reopen({list->description().rowStatement, QStringLiteral("order by id")});
        list->button(QStringLiteral("SB55"))->click();
        settle();
        auto* browser = qobject_cast<DocumentBrowser*>(main.mdi->activeSubWindow()->widget());

        ASSERT_NE(browser, nullptr);
        QMdiSubWindow* sub = frameOf(browser);
        EXPECT_TRUE(sub->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
        EXPECT_EQ(sub->contentsRect().size(), QSize(812, 523));
        const QVector<QPair<int, QString>> totals{{2, QStringLiteral("sl")}, {4, QStringLiteral("je")}};
        expectTotalsUnderColumns(browser->StatusBar1, browser->DBGrid1, totals, "opening size");
        sub->showMaximized();
        settle();
        expectTotalsUnderColumns(browser->StatusBar1, browser->DBGrid1, totals, "maximised");
        close(browser);
        close(list);
    }
}

TEST_F(WindowFrames, DialogsAndPickersCloseBoxOnlyAtTheirSize)
{
    // The condition dialogs: 482 × 223 ("按条件统计" 482 × 263), the conditions on a cream panel,
    // the buttons with their icons; the stock table's drawn the same.
    int conditionDialogs = 0;
    for (QAction* TFmain1::*item : {&TFmain1::N401, &TFmain1::N405, &TFmain1::N410, &TFmain1::N420, &TFmain1::N402,
                                    &TFmain1::N406, &TFmain1::N411, &TFmain1::N403, &TFmain1::N407, &TFmain1::N412,
                                    &TFmain1::N601, &TFmain1::N602, &TFmain1::N603, &TFmain1::N604, &TFmain1::N606}) {
        auto* list = qobject_cast<QueryWindow*>(open(main.*item));
        ASSERT_NE(list, nullptr);
        std::unique_ptr<TConditionDialog> d(list->createConditionDialog());
        ASSERT_NE(d, nullptr);
        const bool statistics = d->windowTitle() == QStringLiteral("按条件统计");
        expectDialogFrame(*d, statistics ? QSize(482, 263) : QSize(482, 223));
        EXPECT_EQ(ground(d->findChild<QWidget*>(QStringLiteral("Panel1"))), ListColours::cream());
        EXPECT_FALSE(d->BitBtn1->icon().isNull() || d->BitBtn2->icon().isNull());
        ++conditionDialogs;
        d.reset();
        close(list);
    }
    EXPECT_EQ(conditionDialogs, 15);
    QWidget* stock = open(main.N414);
    {
        TFcxsp1 d(stock);
        expectDialogFrame(d, QSize(482, 223));
        EXPECT_EQ(ground(d.findChild<QWidget*>(QStringLiteral("Panel1"))), ListColours::cream());
        EXPECT_FALSE(d.BitBtn1->icon().isNull() || d.BitBtn2->icon().isNull());
        EXPECT_LT(d.BitBtn1->geometry().top() - d.findChild<QWidget*>(QStringLiteral("Panel1"))->geometry().bottom(), 16)
            << "no empty gap above 查询/关闭";
    }
    close(stock);

    // Pickers, line and entry dialogs, the parts dialogs.
    {
        TFck1 ck(nullptr);
        TFghs2 ghs(nullptr);
        TFyg2 yg(nullptr);
        TFsp3 sp(nullptr);
        TFszxm1 items(nullptr);
        TFtjszxm1 item(nullptr);
        TFxzcg1 held(nullptr);
        TFxgmx1 line(nullptr);
        TFxgmx4 discount(nullptr);
        TFzu1 zu(nullptr);
        TFchai1 chai(nullptr);
        for (QDialog* d : std::initializer_list<QDialog*>{&ck, &ghs, &yg, &sp, &items, &item, &held, &line, &discount,
                                                          &zu, &chai})
            expectDialogFrame(*d);
    }
    auto* payments = qobject_cast<QueryWindow*>(open(main.N603));
    {
        TFtjfkfx1 entry(payments, payments);
        expectDialogFrame(entry);
        // The open-item picker: cream, its grid grey where it has no rows, its search panel under it.
        TFxzyf1 picker(&entry);
        expectDialogFrame(picker);
        EXPECT_EQ(ground(&picker), ListColours::cream());
        EXPECT_EQ(picker.DBGrid1->palette().color(QPalette::Base), ListColours::grey());
        EXPECT_GT(picker.Edit2->geometry().top(), picker.DBGrid1->geometry().bottom());
        EXPECT_GT(picker.cha->geometry().top(), picker.DBGrid1->geometry().bottom());
    }
    close(payments);
    auto* income = qobject_cast<TFszfx1*>(open(main.N606));
    ASSERT_NE(income, nullptr);
    {
        TFtjszfx1 entry(income);
        expectDialogFrame(entry);
        EXPECT_EQ(labelTexts(&entry), (QStringList{"日期", "类别", "项目", "金额", "经办人", "备注说明"}));
    }
    close(income);
}

// The statistics tables with their conditions in the window: only the edit's label, no "至"
// between the date pickers.
TEST_F(WindowFrames, InlineConditionsCarryOnlyTheirLabels)
{
    const std::pair<QAction* TFmain1::*, const char*> tables[] = {{&TFmain1::N408, "员　　工"}, {&TFmain1::N415, "编码或品名"}};
    for (const auto& [item, label] : tables) {
        auto* w = qobject_cast<QueryWindow*>(open(main.*item));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(labelTexts(w->CheckBox1->parentWidget()), QStringList{QString::fromUtf8(label)});
        close(w);
    }
}

}
