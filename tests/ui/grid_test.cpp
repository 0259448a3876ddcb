#include "data/DM1.h"
#include "support/SampleShop.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QStyledItemDelegate>

namespace {
// A grid over a small table of its own in a fresh shop.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DM1->ADOC1.exec(QStringLiteral(
            "CREATE TABLE gt (id INTEGER PRIMARY KEY AUTOINCREMENT, dh TEXT, je MONEY, shbj TEXT)"));
        DM1->ADOC1.exec(QStringLiteral(
            "INSERT INTO gt (dh, je, shbj) VALUES ('B', 20, '已审核'), ('A', -5, '未审核'), ('C', 7.5, '已审核')"));
        q = &DM1->AQ1;
        q->setSql({QStringLiteral("SELECT * FROM gt order by id")});
        grid.setColumns({{QStringLiteral("dh"), QStringLiteral("单号"), 80, Qt::AlignLeft | Qt::AlignVCenter, true},
                         {QStringLiteral("je"), QStringLiteral("金额"), 60, Qt::AlignRight | Qt::AlignVCenter},
                         {QStringLiteral("shbj"), QStringLiteral("状态"), 60, Qt::AlignLeft, false, QColor(255, 255, 200), false}});
        // Negative amounts red, held documents on pale green (reads fields a frozen grid's query may lack).
        grid.setRowStyler([this](int row) {
            RowStyle s;
            if (q->cellMoney(row, q->fieldIndex(QStringLiteral("je"))).isNegative()) s.font = Qt::red;
            if (q->cellText(row, q->fieldIndex(QStringLiteral("shbj"))) == QStringLiteral("未审核")) s.brush = QColor(0xE1, 0xFF, 0xE1);
            return s;
        });
        grid.setQuery(q);
        grid.resize(400, 300);
    }
    void TearDown() override
    {
        grid.setQuery(nullptr);
        q->close();
    }

    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 0; r < grid.model()->rowCount(); ++r) out << grid.cellText(r, col);
        return out;
    }
    bool titleBold(int col) const
    {
        return grid.model()->headerData(col, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
    }

    TempShop shop;
    Query* q = nullptr;
    DataGrid grid;
};
}

TEST_F(GridTest, FollowsTheQueryBothWaysThroughOpenSortPostAppendDeleteAndClose)
{
    EXPECT_EQ(grid.model()->rowCount(), 0);
    q->open();
    EXPECT_EQ(column(0), QStringList({"B", "A", "C"}));
    EXPECT_EQ(grid.cellText(2, 1), QStringLiteral("7.5"));
    EXPECT_EQ(grid.currentRow(), 0);
    q->moveTo(2);
    EXPECT_EQ(grid.currentRow(), 2);
    grid.setCurrentIndex(grid.model()->index(1, 0));
    EXPECT_EQ(q->text(QStringLiteral("dh")), QStringLiteral("A"));

    // Titles centred, cells aligned as described, the third column hidden; row 1 ("A", -5,
    // held) red on pale green, the hidden column keeps its tint.
    auto* m = grid.model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_TRUE(grid.isColumnHidden(2));
    EXPECT_EQ(grid.visibleColumns().size(), 2);
    EXPECT_EQ(m->data(m->index(1, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_EQ(m->data(m->index(1, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(225, 255, 225));
    EXPECT_EQ(m->data(m->index(0, 2), Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 200));

    q->setSort(QStringLiteral("dh DESC"));
    EXPECT_EQ(column(0), QStringList({"C", "B", "A"}));
    EXPECT_EQ(grid.currentRow(), 2) << "the same record stays current";
    q->edit();
    q->setText(QStringLiteral("dh"), QStringLiteral("A2"));
    q->post();
    EXPECT_EQ(grid.cellText(2, 0), QStringLiteral("A2"));

    q->append();
    q->setText(QStringLiteral("dh"), QStringLiteral("D"));
    q->post();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(grid.currentRow(), q->recNo());
    EXPECT_EQ(grid.cellText(grid.currentRow(), 0), QStringLiteral("D"));
    q->deleteRow();
    EXPECT_EQ(column(0), QStringList({"C", "B", "A2"}));
    EXPECT_EQ(grid.currentRow(), q->recNo());

    q->close();
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.cellText(0, 0), QString());
}

TEST_F(GridTest, FreezesWhileControlsAreDisabled)
{
    q->open();
    q->disableControls();
    q->close();
    q->setSql({QStringLiteral("SELECT dh FROM gt where dh='C'")});
    q->open();
    q->last();
    EXPECT_EQ(grid.model()->rowCount(), 3) << "the grid shows what it showed";
    grid.show();
    grid.grab();   // painting a frozen grid over fewer rows and fields reads nothing missing
    EXPECT_EQ(grid.cellText(2, 1), QString());
    grid.setCurrentIndex(grid.model()->index(2, 0));
    EXPECT_EQ(q->recNo(), 0) << "a frozen grid does not move the query";
    q->enableControls();
    EXPECT_EQ(column(0), QStringList({"C"}));
}

// A click on a title sorts an open query only and makes its title the one bold (the ASC, DESC,
// ASC cycle and money by value are shown through the purchase list); a right click makes the
// pointed row current before the column's popup.
TEST_F(GridTest, TitleAndRightClicks)
{
    grid.enableTitleSort();
    QMenu menu;
    QVector<GridColumn> cols = grid.columns();
    for (auto& c : cols) c.popup = &menu;
    grid.setColumns(cols);
    grid.show();
    emit grid.horizontalHeader()->sectionClicked(0);   // closed: nothing sorts
    EXPECT_FALSE(titleBold(0));
    EXPECT_EQ(q->sort(), QString());
    q->open();
    emit grid.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(q->sort(), QStringLiteral("dh ASC"));
    EXPECT_EQ(column(0), QStringList({"A", "B", "C"}));
    EXPECT_TRUE(titleBold(0));
    grid.clickTitle(1);   // the bold title moves
    EXPECT_EQ(q->sort(), QStringLiteral("je ASC"));
    EXPECT_FALSE(titleBold(0));
    EXPECT_TRUE(titleBold(1));

    const QPoint p = grid.visualRect(grid.model()->index(2, 1)).center();
    QContextMenuEvent ev(QContextMenuEvent::Mouse, p, grid.viewport()->mapToGlobal(p));
    QApplication::sendEvent(grid.viewport(), &ev);
    EXPECT_EQ(q->recNo(), 2);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.lastPopup(), &menu);
    menu.hide();
}

// The grid lays each text out once and paints it where the view's own item painting does:
// the same pixels for left, right and centred cells, red and tinted rows, the selected row
// and its focused cell, a text too long for its column (elided) and an empty one.
TEST_F(GridTest, PaintsEveryCellAsTheViewsOwnPainting)
{
    DM1->ADOC1.exec(QStringLiteral("INSERT INTO gt (dh, je, shbj) VALUES ('一个放不下的很长很长的单号文字', NULL, '已审核'),"
                                   " ('', 0.05, '未审核')"));
    grid.setColumns({{QStringLiteral("dh"), QStringLiteral("单号"), 80, Qt::AlignLeft | Qt::AlignVCenter, true},
                     {QStringLiteral("je"), QStringLiteral("金额"), 60, Qt::AlignRight | Qt::AlignVCenter},
                     {QStringLiteral("shbj"), QStringLiteral("状态"), 70, Qt::AlignCenter, false, QColor(255, 255, 200)}});
    q->open();
    q->moveTo(1);
    grid.show();
    grid.setFocus();
    QApplication::processEvents();
    const QImage ours = grid.grab().toImage();
    grid.setItemDelegate(new QStyledItemDelegate(&grid));
    const QImage views = grid.grab().toImage();
    EXPECT_EQ(ours, views);
}
