#pragma once
// The held purchase document picker (选择采购挂单). The purchase entry form opens it with its
// supplier in Edit2; it lists the held purchase headers on the shared header query and loads
// the chosen one into the entry form in modify mode.

#include "bases/HeaderPicker.h"

class TFxzcg1 : public THeaderPicker {
    Q_OBJECT
public:
    explicit TFxzcg1(QWidget* owner);

    static HeaderPickerDescription describe();

protected:
    // Loads the current header into the entry form.
    bool choose(Query& z) override;
};
