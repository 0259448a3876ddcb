#pragma once
// Goods assembly (商品组装/打包): parts of a warehouse made into whole items. Opened only by
// the stock table's 组装; its pickers write through the tag "zu".

#include "PartsDialog.h"

#include <QPointer>

class TFzu1 : public TPartsDialog {
    Q_OBJECT
public:
    explicit TFzu1(QWidget* parent = nullptr);
    static PartsDialogDescription describe();

    ExitEdit* zzsl = nullptr;   // 组装数量
    ExitEdit* zzxs = nullptr;   // 组装系数
};

extern QPointer<TFzu1> Fzu1;
