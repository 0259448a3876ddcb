#pragma once
// The supplier picker (modal). The opener writes its tag into xzbj and runs it. A choice
// (xuan, a double-click or Enter in the grid) with tag "tjcg" writes the supplier name
// ghs.mc into field "ghs" of tag "tjcg" (the purchase form) and closes. With no supplier
// it warns and stays open. guan and Esc close it without writing.

#include "bases/RecordPicker.h"

class TFghs2 : public RecordPicker {
    Q_OBJECT
public:
    explicit TFghs2(QWidget* parent = nullptr);

protected:
    void writeChoice(const Query& q, const QString& tag) override;
};
