#pragma once
// The employee picker (modal, "选择员工资料"). The opener writes its tag into xzbj and runs
// it. On show the name filter Edit1 is emptied and the employees are listed on the shared
// query AQyg1; every change of Edit1 lists again. A choice (xuan, Enter in Edit1, Enter or
// a double-click in the grid) writes the employee's name yg.xm into field "jsr" of the
// caller's tag and closes:
//
//   "tjcg" (purchase form), "tjfkfx" (payment entry), "tjskfx" (receipt entry),
//   "tjszfx" (other income and expense)
//
// With no employee listed it warns and stays open. guan and Esc close it without writing.

#include "bases/RecordPicker.h"

class QLineEdit;

class TFyg2 : public RecordPicker {
    Q_OBJECT
public:
    explicit TFyg2(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;

    void Edit1Change();

protected:
    void writeChoice(const Query& q, const QString& tag) override;
    void showEvent(QShowEvent* e) override;
};
