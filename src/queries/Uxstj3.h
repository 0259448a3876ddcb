#pragma once
// The employee commission table (员工提成表): per employee, the commission earned on the
// posted sales lines (per unit sold and on the amount), for an employee fragment and a
// date range; print and export.

#include "bases/QueryWindow.h"

#include <QPointer>

class TFxstj3 : public StatisticsTable {
    Q_OBJECT
public:
    explicit TFxstj3(QWidget* parent = nullptr);

    static ListDescription describe();
};

extern QPointer<TFxstj3> Fxstj3;

// The main menu's 员工提成表: brings the open table to the front or creates it.
void openCommissionTable();
