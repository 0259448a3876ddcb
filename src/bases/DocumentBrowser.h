#pragma once
// The document browser: one document shown read-only (its header fields, its state, its lines
// and its totals), paged through the header rows of the list that filled it, and printed.
// The purchase, sales, movement and transfer browsers are this window described differently:
// which shared queries hold the header and the lines, the lines' statement, the header edits,
// the line grid's columns, the status panels and the print actions.

#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>
#include <initializer_list>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class KeyPreview;
class PanelBar;
class Query;
class DocumentBrowser;

// A read-only edit of the header area. Its objectName is the header column it shows.
struct BrowserField {
    QString name;            // header column, and the edit's name
    QString label;           // caption before the edit
    int width = 120;         // width of the edit in pixels
    bool newRow = false;     // starts a new row of the header area
    bool stretch = false;    // takes the rest of its row
    QString fixedText{};     // an edit that always reads this text (not filled from the header)
};

// A status bar panel; field names the header column it shows (empty: the fixed text).
struct BrowserPanel {
    int width = 100;
    QString text{};
    QString field{};
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    QString under{};         // the line column whose total it shows: it stands under it
};

// One way of printing the document in hand. With a name the print is an item of the pop-up
// menu PM2 that the print button opens on mouse release; without, the print button's click
// runs it. A closed line query refuses the print with `refusal` and closes the browser.
struct BrowserPrint {
    QString name{};          // "N3"; empty for the button's own click
    QString caption{};       // "带编码打印"
    QString refusal = QStringLiteral("数据未打开，关闭窗口后重新打开！");
    std::function<void(DocumentBrowser&)> run;
};

struct BrowserSpec {
    QString objectName;      // "Fllcgd1"
    QString caption;         // "浏览采购入库单"
    QString heading;         // "采购入库单"
    Query* header = nullptr; // the list's header query (its current row is the document)
    Query* lines = nullptr;  // the shared line query the grid shows
    QString lineStatement;   // first line of the lines' statement: "SELECT *FROM cgglc"
    QVector<BrowserField> fields;        // header edits other than the number `dh`
    QVector<GridColumn> columns;         // the line grid
    QVector<BrowserPanel> panels;        // the status bar
    bool redNegativeLines = true;        // lines whose `sl` is below zero drawn in red
    QVector<BrowserPrint> prints;
};

class DocumentBrowser : public QWidget {
    Q_OBJECT
public:
    explicit DocumentBrowser(BrowserSpec spec, QWidget* parent = nullptr);
    ~DocumentBrowser() override;

    Query& lineQuery() const { return *spec_.lines; }

    QLabel* Label1 = nullptr;    // heading
    QLabel* ztbj = nullptr;      // "浏览"
    QLabel* shbj = nullptr;      // state, red when "未审核"
    QLineEdit* dh = nullptr;     // the number, borderless
    DataGrid* DBGrid1 = nullptr;
    PanelBar* StatusBar1 = nullptr;
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr, *BB5 = nullptr, *BB6 = nullptr;
    QMenu* PM2 = nullptr;        // print menu (only when the prints have names)

    // A header edit by its column name (dh included); nullptr when there is none.
    QLineEdit* edit(const QString& name) const;
    // The text of a header edit ("" when there is none): what the prints read.
    QString editText(const QString& name) const;
    // A print menu item by name ("N3"); nullptr when there is none.
    QAction* printItem(const QString& name) const;
    QString panelText(int index) const;

    // Shows the header query's current row: its fields, state and panels, then its lines.
    // Run by the window that fills the browser; the navigation buttons keep their states.
    void showCurrent();

    // 首单, 前单, 后单, 尾单.
    void BB1Click();
    void BB2Click();
    void BB3Click();
    void BB4Click();
    // Runs print i of the description with its check.
    void print(int i);

    // Closes the browser (and its MDI frame).
    void closeWindow();

protected:
    void closeEvent(QCloseEvent* e) override;
    // Points the browser's own edit members at its header edits, in the described order of
    // the fields (a browser of rq, ck, ghs passes {&rq, &ck, &ghs}).
    void takeEdits(std::initializer_list<QLineEdit**> inOrder) const;

private:
    bool queriesOpen();         // false: refused and closing
    // Moves the header query and sets the buttons by the mark on the side it moved to.
    void step(void (Query::*move)(), bool towardsFirst);
    void copyHeader();
    void loadLines();
    void setStateColour();

    BrowserSpec spec_;
    QHash<QString, QLineEdit*> edits_;
    QHash<QString, QAction*> printItems_;
    KeyPreview* keys_ = nullptr;
};

// What the purchase and sales browsers share: the seven line columns (编码, 商品名称, 单位,
// 数量 and 金额 tinted, 单价, 折扣; numbers to the right) and the status bar (合计, the
// document's hjsl in panel 2 under 数量 and its hjje in panel 4 under 金额).
QVector<GridColumn> documentLineColumns();
QVector<BrowserPanel> documentTotalPanels();

// Opens or activates the browser of `instance` (created with create()), then shows the header
// query's current document in it.
template <class T>
T* showDocumentBrowser(QPointer<T>& instance, const std::function<T*()>& create)
{
    T* browser = openOrActivate(instance, create);
    browser->showCurrent();
    return browser;
}
