#pragma once
// Pieces the pickers and line dialogs share: named controls, the button row at the foot,
// the goods grid columns, reopening a list, and where a picker's tag sends its writes.

#include "ui/DataGrid.h"

#include <QString>
#include <QStringList>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class Query;
class SpeedButton;

namespace picker {

// A push button named and captioned; never the dialog's default button, so Enter in a
// field does only what that field's own handler does.
QPushButton* button(const QString& name, const QString& caption, QWidget* parent);

// The flat "…" button beside a field that opens its picker, named and with its hint.
SpeedButton* chooser(const QString& name, const QString& hint, QWidget* parent);

// A line edit named name.
QLineEdit* edit(const QString& name, QWidget* parent, bool readOnly = false);

// The buttons at the foot of a dialog, pushed to the right.
QHBoxLayout* buttonRow(QPushButton* first, QPushButton* second);
QHBoxLayout* buttonRow(const QVector<QPushButton*>& buttons);

// A grid column: field, title, width in pixels.
GridColumn column(const char* field, const char* title, int width);

// The goods columns: 编码, 商品名称, 单位, 库存数量, [采购单价, 批发单价, 零售单价, 库存单价,
// 商品描述, 备注,] 类别, 仓库; the numbers right-aligned.
QVector<GridColumn> goodsColumns(bool withPrices);

// The grid DBGrid1 showing q in columns.
DataGrid* grid(QWidget* parent, Query& q, const QVector<GridColumn>& columns);

// The hidden label that holds the caller's tag (xzbj) or a mode (ST1).
QLabel* hiddenLabel(const QString& name, QWidget* parent);

// True when q is open and holds at least one row.
bool hasRows(const Query& q);

// '%text%' as an SQL literal, for a like clause.
QString likeAny(const QString& text);

// The assembly and splitting dialogs register their fields once under "zu" and "chai";
// their pickers are told "zu1"/"zu2" or "chai1"/"chai2" for step one or two.
// callerTag("zu2") is "zu", stepSuffix("zu2") is "2"; any other tag is its own caller
// and has no suffix.
QString callerTag(const QString& tag);
QString stepSuffix(const QString& tag);

}
