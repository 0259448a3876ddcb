#include "query_totals.h"

#include "data/Query.h"
#include "data/Sql.h"

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
