#pragma once
// Helpers over a data set: totals over the rows in hand, as the entry forms keep them
// (total quantity and total amount of the lines), and writing a row's fields.

#include "data/Money.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <initializer_list>
#include <utility>

class Query;

// The sum of each field over the rows q holds (NULL counts as 0), read in place: the current
// row stays and the grids bound to q see nothing. A closed query gives zeros; a field q does
// not have throws DbError.
QVector<Money> sumFields(const Query& q, const QStringList& fields);

// Writes the fields (name, text) into q's row in edit or insert (after edit() or
// append()) and posts it. On a failure the edit is cancelled and the error passed on.
void postFields(Query& q, std::initializer_list<std::pair<const char*, QString>> fields);
