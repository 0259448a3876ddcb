#pragma once
// The two states of a document, and of a payment or receipt row, as its shbj column holds them.

#include <QString>

namespace DocumentState {
// Saved but not posted (挂单): it moves no stock and no money yet and can still be changed.
inline QString held() { return QStringLiteral("未审核"); }
// Posted (结单, and a settlement row that is applied): stock, ledgers and debts count it.
inline QString audited() { return QStringLiteral("已审核"); }
}
