#pragma once
// Helpers over a data set: totals over the rows in hand, as the entry forms keep them
// (total quantity and total amount of the lines), writing a row's fields, and the guard
// that keeps a data set's grids still while it is walked or rewritten.

#include "data/Money.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <initializer_list>
#include <utility>

class Query;

// Disables q's controls while it lives and enables them again when it goes, also when an
// error leaves the scope. With keepRow the current row is first moved back to the one q
// had (use it only where q is not left in edit).
class ControlsOff {
public:
    explicit ControlsOff(Query& q, bool keepRow = false);
    ~ControlsOff();
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    Query& q_;
    int row_;
    bool keepRow_;
};

// Walks q from its first row to its end and returns the sum of each field (NULL counts
// as 0). The current row afterwards is the one it was; the grids bound to q do not
// follow the walk. A closed query gives zeros.
QVector<Money> sumFields(Query& q, const QStringList& fields);

// Writes the fields (name, text) into q's row in edit or insert (after edit() or
// append()) and posts it. On a failure the edit is cancelled and the error passed on.
void postFields(Query& q, std::initializer_list<std::pair<const char*, QString>> fields);
