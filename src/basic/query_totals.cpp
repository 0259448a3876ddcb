#include "query_totals.h"

#include "data/Query.h"

QVector<Money> sumFields(Query& q, const QStringList& fields)
{
    QVector<Money> sums(fields.size());
    if (!q.isOpen() || q.isEmpty())
        return sums;
    const int here = q.recNo();
    q.disableControls();
    struct Enable {
        Query& q;
        int row;
        ~Enable()
        {
            q.moveTo(row);
            q.enableControls();
        }
    } enable{q, here};
    for (q.first(); !q.eof(); q.next()) {
        for (int i = 0; i < fields.size(); ++i)
            sums[i] += q.money(fields[i]);
    }
    return sums;
}
