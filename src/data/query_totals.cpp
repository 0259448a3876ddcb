#include "query_totals.h"

#include "data/Query.h"
#include "data/Sql.h"

#include <QRegularExpression>

QVector<Money> sumFields(const Query& q, const QStringList& fields)
{
    QVector<Money> sums(fields.size());
    if (!q.isOpen())
        return sums;
    const int rows = q.recordCount();
    for (int i = 0; i < fields.size(); ++i) {
        const int col = q.fieldIndex(fields[i]);
        if (col < 0)
            throw DbError(q.name() + QStringLiteral(": Field '") + fields[i] + QStringLiteral("' not found"));
        for (int row = 0; row < rows; ++row)
            sums[i] += q.cellMoney(row, col);
    }
    return sums;
}

std::optional<QVector<SumTerm>> sumTermsOfRows(const QString& sumStatement, const QString& rowStatement)
{
    static const QRegularExpression sums(QStringLiteral(R"(^\s*select\s+(.+?)\s+from\s+(\w+)\s*$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rows(QStringLiteral(R"(^\s*select\s+\*\s+from\s+(\w+)\s*$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression term(QStringLiteral(R"(^\s*sum\(\s*(\w+)\s*(?:-\s*(\w+)\s*)?\)\s*$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch s = sums.match(sumStatement);
    const QRegularExpressionMatch r = rows.match(rowStatement);
    if (!s.hasMatch() || !r.hasMatch() || s.captured(2).compare(r.captured(1), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    QVector<SumTerm> terms;
    for (const QString& item : s.captured(1).split(QLatin1Char(','))) {
        const QRegularExpressionMatch t = term.match(item);
        if (!t.hasMatch())
            return std::nullopt;
        terms << SumTerm{t.captured(1), t.captured(2)};
    }
    return terms;
}

std::optional<QVector<Money>> sumTerms(const Query& q, const QVector<SumTerm>& terms)
{
    if (!q.isOpen())
        return std::nullopt;
    QVector<Money> totals(terms.size());
    const int rows = q.recordCount();
    for (int i = 0; i < terms.size(); ++i) {
        const int col = q.fieldIndex(terms[i].column);
        const int less = terms[i].less.isEmpty() ? -1 : q.fieldIndex(terms[i].less);
        if (col < 0 || (less < 0 && !terms[i].less.isEmpty()))
            return std::nullopt;
        for (int row = 0; row < rows; ++row) {
            if (less < 0) {
                totals[i] += q.cellMoney(row, col);
            } else if (!q.cellIsNull(row, col) && !q.cellIsNull(row, less)) {
                // A difference with a NULL is NULL, which a sum passes over.
                totals[i] += q.cellMoney(row, col) - q.cellMoney(row, less);
            }
        }
    }
    return totals;
}

QVector<Money> runTotalsAndRows(Query& q, const QString& sumStatement, const QString& rowStatement,
                                const QStringList& clauses, const QString& orderLine)
{
    QStringList rowLines = QStringList{rowStatement} + clauses;
    if (!orderLine.isEmpty())
        rowLines << orderLine;
    QVector<Money> totals;
    if (sumStatement.isEmpty()) {
        q.reopen(rowLines);
        return totals;
    }
    if (const auto terms = sumTermsOfRows(sumStatement, rowStatement)) {
        q.reopen(rowLines);
        return sumTerms(q, *terms).value_or(QVector<Money>(terms->size()));
    }
    q.reopen(QStringList{sumStatement} + clauses);
    for (int i = 0; i < q.fieldCount(); ++i)
        totals << (q.recordCount() > 0 && !q.cellIsNull(0, i) ? q.cellMoney(0, i) : Money());
    q.reopen(rowLines);
    return totals;
}

void postFields(Query& q, std::initializer_list<std::pair<const char*, QString>> fields)
{
    try {
        for (const auto& [name, text] : fields)
            q.setText(QString::fromLatin1(name), text);
        q.post();
    } catch (...) {
        q.cancel();
        throw;
    }
}
