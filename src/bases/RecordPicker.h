#pragma once
// What the modal record pickers share: the hidden caller tag xzbj, the grid DBGrid1 on a
// shared query, 选择 (xuan) and 关闭 (guan). A choice (xuan, a double-click or Enter in the
// grid) with no row listed warns and keeps the picker open; otherwise the picker writes
// the current row into its caller (writeChoice) and closes. guan and Esc close it without
// writing.

#include "ui/DataGrid.h"

#include <QDialog>
#include <QSize>
#include <QStringList>

class QBoxLayout;
class QLabel;
class QPushButton;
class Query;

class RecordPicker : public QDialog {
    Q_OBJECT
public:
    ~RecordPicker() override;

    QLabel* xzbj = nullptr;
    DataGrid* DBGrid1 = nullptr;
    QPushButton* xuan = nullptr;
    QPushButton* guan = nullptr;

    void xuanClick();
    // Runs the picker modally for the caller told by tag; the dialog's result.
    int runFor(const QString& tag);

protected:
    RecordPicker(QWidget* parent, const QString& name, const QString& title);

    struct List {
        Query& query;
        QVector<GridColumn> columns;
        QString emptyText;     // the warning when a choice finds no row
        QStringList showSql{}; // when given, the list reopened on show, the grid focused
        // Further buttons of the picker's own (新增, 删除), between 选择 and 关闭, left to right.
        QVector<QPushButton*> buttons{};
        QSize size{};          // the client area; the picker has a fixed border and the close box only
    };
    // Creates the grid, the buttons and the layout: the top row (may be null) over the
    // grid (with beside, may be null, on its left) over the buttons at the foot. Called by
    // the subclass after its own controls, so the tab order follows the layout.
    void buildList(const List& list, QBoxLayout* top = nullptr, QWidget* beside = nullptr);

    // Writes the current row of q into the caller told by tag.
    virtual void writeChoice(const Query& q, const QString& tag) = 0;

    void showEvent(QShowEvent* e) override;

private:
    Query* query_ = nullptr;
    QString emptyText_;
    QStringList showSql_;
};
