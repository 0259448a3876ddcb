#pragma once
// The read-only data grid of every window (DBGrid1), bound to a shared Query.
// The grid's current row and the query's current row follow each other both ways; the grid
// follows the query's open, close, sort, moves, posts and deletes, and freezes while the
// query's controls are disabled. It reads cells straight from the query's rows, so it
// stays fast on a million rows.

#include <QColor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <QVector>
#include <functional>

class Query;
class QMenu;
class QueryModel;

struct GridColumn {
    QString field;                 // the query's field
    QString title;
    int width = 64;                // pixels
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;  // of the cells
    bool titleCentered = false;
    QColor tint{};                 // background of the column; invalid = white
    bool visible = true;
    QMenu* popup = nullptr;        // pop-up menu of the column (right click)
};

// Colours of one row: set font and/or brush; leave invalid for the defaults.
struct RowStyle {
    QColor font;
    QColor brush;
};

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setQuery(Query* q);
    Query* query() const { return query_; }

    void setColumns(const QVector<GridColumn>& cols);
    int columnCountAll() const;                // including hidden columns
    const GridColumn& column(int i) const;
    int columnOfField(const QString& field) const;   // -1 when absent
    void setColumnVisible(int i, bool visible);
    bool isColumnVisible(int i) const;
    // A column's title changed after the grid was built (a statistics table names its group
    // column after the grouping chosen).
    void setColumnTitle(int i, const QString& title);
    // Visible columns in order (what the export writes).
    QVector<GridColumn> visibleColumns() const;

    // Called for every row drawn while the query has rows; row is the query's row index.
    using RowStyler = std::function<RowStyle(int row)>;
    void setRowStyler(RowStyler styler);
    RowStyle rowStyle(int row) const;          // what the styler gives (tests)

    // The grid's colour where it has no rows; the cells keep white (or their column's tint).
    void setEmptyAreaColour(const QColor& c);

    // The common title-click sort: "field ASC" <-> "field DESC" on the query's sort (the
    // first click ascending), the clicked title bold and every other normal; only while
    // the query is open; no statement runs.
    void enableTitleSort(bool on = true);
    bool isTitleBold(int col) const;
    void clearTitleBold();
    // Simulates a click on a column title (tests, keyboard).
    void clickTitle(int col);

    // Text of a cell as shown (tests and export).
    QString cellText(int row, int col) const;

    // Every column in order, hidden ones included. Without setColumns() the grid shows every
    // field of the open query under its field name.
    const QVector<GridColumn>& columns() const { return cols_; }
    // The grid's current row (-1 when none).
    int currentRow() const;
    // The pop-up menu the last right click opened (tests).
    QMenu* lastPopup() const { return lastPopup_; }

signals:
    void titleClicked(int col);               // every title click (after the built-in sort)
    void rowDoubleClicked(int row);           // row -1: below the rows or on an empty grid
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;   // makes the clicked row current first

private:
    void refreshAutoColumns();
    void applyColumnLayout();
    int firstVisibleColumn() const;
    void followQueryRow(int row);
    void afterReset();

    Query* query_ = nullptr;
    QueryModel* model_ = nullptr;
    QVector<GridColumn> cols_;
    RowStyler styler_;
    QVector<bool> bold_;
    bool titleSort_ = false;
    bool syncing_ = false;
    bool autoColumns_ = true;
    QPointer<QMenu> lastPopup_;
    QColor emptyArea_;
    friend class QueryModel;
};
