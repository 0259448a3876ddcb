#pragma once
// Pieces the pickers share: the buttons, the hidden tag label, and where a picker's tag
// sends its writes.

#include "ui/DataGrid.h"

#include <QString>

class QLabel;
class QPushButton;
class QWidget;
class Query;

namespace picker {

// A push button named and captioned; never the dialog's default button, so Enter in a
// field does only what that field's own handler does.
QPushButton* button(const QString& name, const QString& caption, QWidget* parent);

// A grid column: field, title, width in pixels.
GridColumn column(const char* field, const char* title, int width);

// The hidden label that holds the caller's tag (xzbj) or a mode (ST1).
QLabel* hiddenLabel(const QString& name, QWidget* parent);

// True when q is open and holds at least one row.
bool hasRows(const Query& q);

// The assembly and splitting dialogs register their fields once under "zu" and "chai";
// their pickers are told "zu1"/"zu2" or "chai1"/"chai2" for step one or two.
// callerTag("zu2") is "zu", stepSuffix("zu2") is "2"; any other tag is its own caller
// and has no suffix.
QString callerTag(const QString& tag);
QString stepSuffix(const QString& tag);

}
