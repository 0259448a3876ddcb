#pragma once
// The picker of document headers (the held purchase documents, the open payables and
// receivables), described per picker: its shared header query and table, the party column
// that Edit2 filters, the grid's columns, the state lines of its statement, the refusal
// when nothing is listed, its colours and where its search panel stands. It has a fixed
// border and the close box only. Shown, it dates the range from one month back to today,
// unticked, and lists at once. 查询 (also Enter in Edit2) lists
//
//   "SELECT * FROM <table>", "where <party> like '%<Edit2>%'",
//   [only while CheckBox1 is ticked: "and rq>='<from>'and rq<='<to>'"], <state lines>, "order by id"
//
// and puts the focus in the grid. 选择 (also Enter in the grid and a double-click on it) refuses
// on an empty list and stays open; otherwise the picker's own choice runs. A title click sorts
// the rows in hand; closing up either calendar keeps from <= to. 关闭 and Esc close it.

#include "ui/DataGrid.h"

#include <QDialog>
#include <QSize>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DatePicker;
class KeyPreview;
class Query;
class TDM1;

struct HeaderPickerDescription {
    QString objectName;            // "Fxzcg1"
    QString caption;               // "选择采购挂单（未审采购单）"
    Query TDM1::*query = nullptr;  // the shared header query: &TDM1::AQcgz1
    QString table;                 // "cgglz"
    QString partyColumn;           // "ghs"
    QString partyLabel;            // "厂商"
    QVector<GridColumn> columns;
    QStringList stateLines;        // after the date line: "and shbj='未审核'"
    QString emptyRefusal;          // "没有单据可选择！"
    QSize size{720, 420};          // the client area
    bool cream = false;            // a cream ground and a grid grey where it has no rows
    bool searchBelow = false;      // the search panel stands under the grid (else above it)
};

class THeaderPicker : public QDialog {
    Q_OBJECT
public:
    THeaderPicker(HeaderPickerDescription desc, QWidget* owner);
    ~THeaderPicker() override;

    const HeaderPickerDescription& description() const { return desc_; }
    Query& query() const { return *q_; }

    DataGrid* DBGrid1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;         // "日期"
    DatePicker* DateTimePicker1 = nullptr;  // from
    DatePicker* DateTimePicker2 = nullptr;  // to
    QLabel* partyLabel = nullptr;
    QLineEdit* Edit2 = nullptr;             // the party filter
    QPushButton* cha = nullptr;             // 查询
    QPushButton* xuan = nullptr;            // 选择
    QPushButton* guan = nullptr;            // 关闭

    void chaClick();
    void xuanClick();

protected:
    // The current row of the header query is chosen; true closes the picker.
    virtual bool choose(Query& q) = 0;
    void showEvent(QShowEvent* e) override;

private:
    HeaderPickerDescription desc_;
    Query* q_ = nullptr;
    KeyPreview* keys_ = nullptr;
    bool shown_ = false;
};
