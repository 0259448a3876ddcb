#pragma once
// Helpers over a data set: totals over the rows in hand, as the entry forms keep them
// (total quantity and total amount of the lines), and writing a row's fields.

#include "data/Money.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <initializer_list>
#include <optional>
#include <utility>

class Query;

// The sum of each field over the rows q holds (NULL counts as 0), read in place: the current
// row stays and the grids bound to q see nothing. A closed query gives zeros; a field q does
// not have throws DbError.
QVector<Money> sumFields(const Query& q, const QStringList& fields);

// One total of a sum statement that adds up a column of the rows its row statement reads, or
// a column less another: sum(hjje) is {"hjje"}, sum(se-ze) is {"se", "ze"}.
struct SumTerm {
    QString column;
    QString less{};
};
// The totals of sumStatement when each adds up columns of the rows rowStatement reads from the
// same table ("SELECT sum(hjsl),sum(se-ze) FROM cgglz" beside "SELECT * FROM cgglz"); none
// when the sum statement is anything else.
std::optional<QVector<SumTerm>> sumTermsOfRows(const QString& sumStatement, const QString& rowStatement);
// The terms added up over the rows q holds (NULL counts as 0), read in place; none when q is
// closed or lacks one of the columns.
std::optional<QVector<Money>> sumTerms(const Query& q, const QVector<SumTerm>& terms);

// A window's run on q: the totals of sumStatement with the clauses, then the rows of
// rowStatement with the clauses and the order line (when there is one). When the totals add
// up columns of those rows (sumTermsOfRows), they are added up from the rows just read, exact
// in Money, and the sum statement does not run; otherwise it runs first, as its own statement,
// and its fields are read. No sum statement: no totals. A failed statement throws DbError.
QVector<Money> runTotalsAndRows(Query& q, const QString& sumStatement, const QString& rowStatement,
                                const QStringList& clauses, const QString& orderLine);

// Writes the fields (name, text) into q's row in edit or insert (after edit() or
// append()) and posts it. On a failure the edit is cancelled and the error passed on.
void postFields(Query& q, std::initializer_list<std::pair<const char*, QString>> fields);
