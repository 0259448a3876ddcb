#pragma once
// The goods picker of assembly and splitting (modal), limited to one warehouse. The opener
// creates it with itself as owner, writes its tag ("zu1", "zu2", "chai1", "chai2") into
// xzbj and the warehouse into Edit2, and runs it. It lists the goods of that warehouse on
// the shared goods query AQsp1: all of them on show, those of one category when a node of
// the category tree TreeView1 is clicked, those whose code or name holds the text of the
// search edit Edit1 at each change of it.
//
// A choice (xuan, a double-click or Enter in the grid, Enter in Edit1) writes txm, ppgg,
// dw, kcsl (as text) and id of the current goods row, in that order, into the caller's
// fields and closes:
//
//   tag "zu1"   -> fields txm1, ppgg1, dw1, kcsl1, spid1 of tag "zu"    (assembly)
//   tag "zu2"   -> fields txm2, ppgg2, dw2, kcsl2, spid2 of tag "zu"
//   tag "chai1" -> fields txm1, ppgg1, dw1, kcsl1, spid1 of tag "chai"  (splitting)
//   tag "chai2" -> fields txm2, ppgg2, dw2, kcsl2, spid2 of tag "chai"
//
// With no goods listed it warns and stays open. guan and Esc close it without writing.
// Closing it in any way writes "sao" into field "sao" of the caller's tag.

#include "bases/RecordPicker.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class TFsp3 : public RecordPicker {
    Q_OBJECT
public:
    explicit TFsp3(QWidget* parent = nullptr);

    QLineEdit* Edit2 = nullptr;      // 当前仓库 (set by the opener)
    QLineEdit* Edit1 = nullptr;      // search: code or name
    QTreeWidget* TreeView1 = nullptr;

    void Edit1Change();
    void TreeView1Click(QTreeWidgetItem* node);

    void done(int r) override;

protected:
    void writeChoice(const Query& q, const QString& tag) override;
    void showEvent(QShowEvent* e) override;

private:
    void listGoods(const QString& condition);
    void fillTree();
};
