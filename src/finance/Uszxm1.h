#pragma once
// The income and expense item picker (收支项目设置, modal): every item of both categories in
// id order on the shared query AQszxm1. A choice (选择, Enter or a double-click in the grid)
// writes the item's name into field "xm" of the caller's tag ("tjszfx": the entry dialog)
// and closes; with no item it warns and stays open. 新增 opens the add dialog; 删除 deletes
// the current item after a question (entries that use it stay as they are). 关闭 and Esc
// close it without a choice.

#include "bases/RecordPicker.h"

#include <QPointer>

class TFszxm1 : public RecordPicker {
    Q_OBJECT
public:
    explicit TFszxm1(QWidget* parent = nullptr);

    QPushButton* xin = nullptr;   // 新增
    QPushButton* chu = nullptr;   // 删除

    void xinClick();
    void chuClick();

protected:
    void writeChoice(const Query& q, const QString& tag) override;
};

extern QPointer<TFszxm1> Fszxm1;
