#pragma once
// The open-item pickers (TFxzyf1 选择应付帐单, TFxzys1 选择应收帐单): the audited documents of
// a side with a debt, filtered by party and dates. A choice writes the document's number into
// the entry dialog (which looks it up) and then its party and debt as the lookup found them.

#include "bases/HeaderPicker.h"

#include <QPointer>

struct SettlementSide;

class TOpenItemPicker : public THeaderPicker {
    Q_OBJECT
public:
    static HeaderPickerDescription describe(const SettlementSide& side);

protected:
    TOpenItemPicker(const SettlementSide& side, QWidget* owner);
    bool choose(Query& q) override;

private:
    const SettlementSide& side_;
};

class TFxzyf1 : public TOpenItemPicker {
    Q_OBJECT
public:
    explicit TFxzyf1(QWidget* owner);
};

class TFxzys1 : public TOpenItemPicker {
    Q_OBJECT
public:
    explicit TFxzys1(QWidget* owner);
};

extern QPointer<TFxzyf1> Fxzyf1;
extern QPointer<TFxzys1> Fxzys1;
