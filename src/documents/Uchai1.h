#pragma once
// Goods splitting (商品拆分/拆包): whole items of a warehouse taken apart into parts. Opened
// only by the stock table's 拆零; its pickers write through the tag "chai".

#include "PartsDialog.h"

#include <QPointer>

class TFchai1 : public TPartsDialog {
    Q_OBJECT
public:
    explicit TFchai1(QWidget* parent = nullptr);
    static PartsDialogDescription describe();

    ExitEdit* cfsl = nullptr;   // 拆分数量
    ExitEdit* cfxs = nullptr;   // 拆分系数
};

extern QPointer<TFchai1> Fchai1;
