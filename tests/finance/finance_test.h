#pragma once
// What every finance test shares: a list window's condition dialog run with what a step
// fills in.

#include "bases/ConditionDialog.h"
#include "bases/QueryWindow.h"
#include "report/QuickRep.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <functional>

// 查询 of w: its condition dialog filled by fill, then run.
inline void runQuery(ModalScript& modal, QueryWindow& w, const std::function<void(TConditionDialog&)>& fill = {})
{
    modal.drive<TConditionDialog>(w.button(QStringLiteral("SB77")), [fill](TConditionDialog& c) {
        if (fill)
            fill(c);
        c.BitBtn1->click();
    });
}

// The to-date's label, the items of combo and the label of Edit1, as w's condition dialog
// shows them (closed unrun).
inline QStringList dialogTexts(ModalScript& modal, QueryWindow& w, QComboBox* TConditionDialog::*combo)
{
    QStringList out;
    modal.drive<TConditionDialog>(w.button(QStringLiteral("SB77")), [&](TConditionDialog& c) {
        out << labelOf(c.DateTimePicker2) << itemsOf(c.*combo) << labelOf(c.Edit1);
    });
    return out;
}

// Whether the printed total stands flush under the column titled title.
inline bool standsUnder(const QuickRep& rep, const QString& total, const QString& title)
{
    const PageContent p = rep.layout(*rep.dataRows()).page(0);
    return std::abs(p.named(total).at(0).rect.right() - p.named(title).at(0).rect.right()) < 1e-6;
}
