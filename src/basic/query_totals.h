#pragma once
// Totals over the rows in hand of a data set, as the entry forms keep them (total
// quantity and total amount of the lines).

#include "data/Money.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Query;

// Walks q from its first row to its end and returns the sum of each field (NULL counts
// as 0). The current row afterwards is the one it was; the grids bound to q do not
// follow the walk. A closed query gives zeros.
QVector<Money> sumFields(Query& q, const QStringList& fields);
