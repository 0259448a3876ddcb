#pragma once
// The list and table window that the document lists, ledger tables, statistics tables and
// finance lists are built on. A concrete window describes itself in a ListDescription (its
// shared query, statements, opening condition, grid columns, status panels, tool buttons,
// row colouring, legend, print and export) and adds only its own actions.
//
// The running of a query (sum statement into the total panels, then the row statement),
// the refusal on a closed query, the title-click sort, Esc, the close that closes the
// shared query, print through a report form and export are done here once.

#include "data/Sql.h"
#include "data/query_totals.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <optional>

class Query;
class TDM1;
class QAbstractButton;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class DatePicker;
class QMenu;
class QAction;
class KeyPreview;
class PanelBar;
class SpeedButton;
class TConditionDialog;
class QuickRep;
class QTreeWidget;
class QTreeWidgetItem;

// One column of the grid as a window lists it.
struct ListColumn {
    QString field;
    QString title;
    int width = 64;
    bool centred = false;      // centred cell text (titles are always centred)
    bool tinted = false;       // the pale tint $FEFDDE
    bool numeric = false;      // right-aligned number
    bool popup = true;         // carries the window's pop-up menu (when it has one)
};

// One numbered panel of the status bar.
struct ListPanel {
    int width = 50;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    QString text{};            // fixed text ("总计", "默认显示全部数据") or the total's "0"
    QString under{};           // the grid column whose total it shows: it stands under it
};

// A tool button: its name (objectName, "SB44") and caption ("反审").
struct ListButton {
    QString name;
    QString caption;
};

// A pop-up item that only clicks a tool button.
struct ListPopupItem {
    QString name;              // "N1"
    QString caption;           // "删除"
    QString clicks;            // "SB66"
};

// How the rows are coloured while the query has rows; each rule applies when its field is
// named, and a row may get both a red font and the held brush.
struct RowColouring {
    QString redWhenNonZero;    // red font when this field is not zero (the lists' debt "qk")
    QString redWhenNegative;   // red font when this field is below zero (ledgers' "sl", "je")
    QString heldBrush;         // brush $E1FFE1 when this field reads "未审核" ("shbj")
    QString redWhenNotPositive;   // red font when this field is zero or below (stock "kcsl")
    // Red font when this field is above zero (the expense "ze" of other income and expense).
    QString redWhenPositive{};
    bool any() const
    {
        return !redWhenNonZero.isEmpty() || !redWhenNegative.isEmpty() || !heldBrush.isEmpty()
            || !redWhenNotPositive.isEmpty() || !redWhenPositive.isEmpty();
    }
};

// A status panel that the recount of the rows in hand fills with the difference of two
// totals (income less expense): panel := total `of` - total `less`, both indexes into
// totalFields. Panel -1: none.
struct PanelDifference {
    int panel = -1;
    int of = 0;
    int less = 1;
};

// A data text of a report form and the query field it shows.
struct PrintField {
    QString name;              // "QRD1"
    QString field;             // "rq"
};

// What the print button fills on the window's report form (the report-form protocol):
// the title QRLdw := company print name + reportName, the column-title labels that differ,
// the report and its data texts bound to the window's query, the summary labels from the
// status panels, report title "打印预览", then the preview.
struct ListPrint {
    std::function<QuickRep*()> report;           // the report form's QuickRep1
    QString reportName;                          // after the company's print name: "采购单据汇总表"
    QVector<QPair<QString, QString>> labels;     // label name -> text ("QRL3" -> "厂商")
    QVector<PrintField> fields;                  // QRD1..: the query's fields
    QVector<QPair<QString, int>> totals;         // "e1" -> panel 2 ...
};

// ---- Inline condition panel --------------------------------------------------------
// Statistics tables that run from their own window carry their conditions in a panel
// above the grid, in place of the tool panel: CheckBox1 "日期范围" (the date switch) with the
// linked pickers DateTimePicker1 and DateTimePicker2, one labelled Edit1, then push buttons
// that take the focus (BB1 统计, BB2 打印, ...), the first of them the run button. Enter in
// the switch and the pickers moves on; in Edit1 it moves to the run button or clicks it;
// Enter on a focused button clicks it.
// The run gives the statement of Edit1's text and the dates (when the switch is ticked)
// to the shared query with its controls disabled, walks the rows into the total panels
// and shows doneMessage (when there is one).
struct InlineConditions {
    QString editLabel;                 // "员　　工"
    QVector<ListButton> buttons;       // after the edit, left to right; the first runs
    bool enterRuns = false;            // Enter in Edit1 clicks the run button (else moves to it)
    std::function<QStringList(const QString& text, const std::optional<DateRange>& dates)> statement;
    QString doneMessage;               // "统计完毕！" (提示); empty: none
};

// ---- Category tree and drop-down tool button (the stock table) ----------------------
// A tree TreeView1 left of the grid: the root "全部类别" and one node per category of the lb
// table in id order, read once when the window is created. A click on the root runs
// rowStatement alone, a click on a category adds "where <field>='<category>'"; no order
// line. The totals are then recounted from the rows (totalFields into sumPanels) and
// afterRun() is called. A click with no node does nothing.
struct CategoryTree {
    bool shown = false;
    QString rowStatement;              // "select * from sp"
    QString field;                     // "lb"
};

// A tool button whose click does nothing and that pops a menu at its lower left corner
// when the mouse is released on it. The window connects the menu's items itself.
struct ListDropDown {
    QString button;                    // "SB88"
    QString menu;                      // "PopupMenu2"
    QVector<ListButton> items;         // {"N11", "1、带库存价格打印"}
};

struct ListDescription {
    QString objectName;                // the class name as object name ("TFcggl1")
    QString caption;                   // "采购单据"
    QSize clientSize{792, 473};
    Query TDM1::*query = nullptr;      // the shared query of DM1 (&TDM1::AQcgz1)
    QString sumStatement;              // "SELECT sum(hjsl),... FROM cgglz"; empty: no sum run
    QString rowStatement;              // "SELECT * FROM cgglz"
    QStringList openingLines;          // the opening condition ("where shbj='未审核'")
    QString openingOrder;              // "order by dh"
    bool runOnShow = true;             // false: the window opens empty (statistics tables)
    QVector<int> sumPanels;            // sum field i -> panel sumPanels[i]
    QStringList totalFields;           // fields recounted into sumPanels by walking the rows
    PanelDifference difference{};      // recounted after them
    QVector<ListColumn> columns;
    QVector<ListPanel> panels;
    QVector<ListButton> buttons;       // left to right
    QVector<ListPopupItem> popup;      // PopupMenu1 items (none: no pop-up menu)
    QString doubleClickClicks;         // the button a double-click on the grid clicks
    QString escClicks = QStringLiteral("SB100");
    QString closeButton = QStringLiteral("SB100");
    QString queryButton = QStringLiteral("SB77");
    QString printButton = QStringLiteral("SB88");
    QString exportButton = QStringLiteral("SB99");
    RowColouring colouring;
    bool greyGrid = false;             // the grid grey where it has no rows
    QString legendText;                // beside Shape1 ("未审核单据"); empty: no legend
    QColor legendColour;               // Shape1's fill
    QString closedRefusal = QStringLiteral("数据表未打开，请先查询！");
    ListPrint print;
    std::optional<InlineConditions> inlineConditions;   // none: the tool panel
    CategoryTree tree;
    ListDropDown dropDown;
};

// The lists' and their dialogs' font: 宋体, 12 pixels.
void setListFont(QWidget* w);

class QueryWindow : public QWidget {
    Q_OBJECT
public:
    explicit QueryWindow(ListDescription desc, QWidget* parent = nullptr);

    const ListDescription& description() const { return desc_; }
    Query& query() const { return *q_; }

    DataGrid* DBGrid1 = nullptr;
    PanelBar* StatusBar1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* legendLabel = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;   // when the description shows a category tree
    QMenu* dropDownMenu = nullptr;      // the drop-down button's menu (PopupMenu2)

    // A tool button or pop-up item by name (nullptr when the window has none).
    SpeedButton* button(const QString& name) const;
    QAction* popupItem(const QString& name) const;

    // Runs the window's statements (sum into the panels, then the rows) with the clauses
    // and the order line on the shared query; a sum statement that adds up columns of those
    // rows is added up from them instead (runTotalsAndRows). The controls are enabled again
    // also when a statement fails; the error then goes on to the caller.
    void runQuery(const QStringList& clauses, const QString& orderLine);
    // The opening query: the opening condition and the window's own order line.
    void runOpeningQuery();
    // Runs lines as the shared query's whole statement (no sum statement) with its controls
    // disabled (enabled again however the run ends), walks the rows into the total panels,
    // which leaves the cursor on the last row, then afterRun(). A failed statement goes on
    // to the caller.
    void runAndRecount(const QStringList& lines);
    // Walks the query from the first row to the end adding totalFields into sumPanels (and
    // their difference into the difference panel); the cursor ends on the last row.
    void recountTotals();
    // "数据表未打开，请先查询！" (警告) when the query is closed; true when it is open.
    bool requireOpen() const;
    // requireOpen(), then emptyRefusal (警告) when the query has no rows; true when it has.
    bool requireRows(const QString& emptyRefusal) const;

    // Print and export of the window (also the buttons' actions).
    void print();
    // The same report-form protocol with another print description (a window that prints
    // more than one layout).
    void print(const ListPrint& p);
    void exportGrid();

    // ---- Inline condition panel (nullptr without one) ----
    QCheckBox* CheckBox1 = nullptr;
    DatePicker* DateTimePicker1 = nullptr;
    DatePicker* DateTimePicker2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* panelButton(const QString& name) const;
    // The panel's show defaults: Edit1 empty and focused, to = today, from one calendar
    // month earlier, the switch unticked.
    void resetConditions();
    // The run button: the statement of the panel's values on the shared query, the totals
    // walked into their panels, then doneMessage. The controls are enabled again also when
    // the statement fails; the error then goes on to the caller and no message is shown.
    void runConditions();

    // The window's condition dialog (SB77); a window without one returns nullptr.
    virtual TConditionDialog* createConditionDialog() { return nullptr; }
    // Creates the dialog, runs it modally and frees it.
    void openConditionDialog();

    // Closes the window (its MDI frame when it has one).
    void closeWindow();

    // The category tree's click (see CategoryTree).
    void treeClicked(QTreeWidgetItem* node);

protected:
    // Errors of the button actions and of the opening query are not caught here: they
    // leave the event handler and the application shows them in the default error box.
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Points the window's own button members at its tool buttons, in the described order
    // (a list with SB44 ... SB100 passes {&SB44, &SB55, ..., &SB100}).
    void takeButtons(std::initializer_list<SpeedButton**> inOrder) const;
    // Called after every successful run of the window's statements (a window that hides
    // columns or empties panels for some operators does it here).
    virtual void afterRun() {}

private:
    void buildUi();
    QWidget* buildConditionPanel();
    QAbstractButton* anyButton(const QString& name) const;   // a tool or a panel button
    void buildTree();
    void buildDropDown();
    RowStyle styleRow(int row) const;
    void clickButton(const QString& name) const;
    // After another caller changed the rows of the shared query (another window's run, a
    // posting, a refresh): once that caller is done, the total panels are added up from the
    // rows the query now holds, then afterRun().
    void noteRowsChanged();
    void followOtherChange();

    ListDescription desc_;
    Query* q_ = nullptr;
    KeyPreview* keys_ = nullptr;
    QHash<QString, SpeedButton*> buttons_;
    QHash<QString, QAction*> popupItems_;
    QHash<QString, QPushButton*> panelButtons_;
    bool shown_ = false;
    std::optional<QVector<SumTerm>> rowTerms_;   // the sum statement's terms over the rows
    quint64 countedVersion_ = 0;                 // the rows the panels add up (rowsVersion)
    bool recountQueued_ = false;
};

// What the statistics tables with a condition panel share: the panel with the date switch
// and edit (labelled editLabel) and the buttons BB1 统计, BB2 打印, BB3 导出 and BB4 关闭 as
// the print, export and close buttons; Esc clicks 关闭; nothing runs on opening.
void describeStatisticsTable(ListDescription& s, const QString& editLabel);

// A statistics table so described, its panel's buttons by name.
class StatisticsTable : public QueryWindow {
    Q_OBJECT
public:
    StatisticsTable(ListDescription desc, QWidget* parent);
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr;
};
