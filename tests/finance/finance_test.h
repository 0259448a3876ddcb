#pragma once
// What every finance test shares: texts as text in failure messages, and a list window's
// condition dialog run with what a step fills in.

#include "queries/ConditionDialog.h"
#include "queries/QueryWindow.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join(", ").toStdString() << '}'; }

// 查询 of w: its condition dialog filled by fill, then run.
inline void runQuery(ModalScript& modal, QueryWindow& w, const std::function<void(TConditionDialog&)>& fill = {})
{
    modal.next([fill](QDialog& d) {
        auto& c = dynamic_cast<TConditionDialog&>(d);
        if (fill)
            fill(c);
        c.BitBtn1->click();
    });
    w.button(QStringLiteral("SB77"))->click();
}
