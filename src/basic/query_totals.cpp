#include "query_totals.h"

#include "data/Query.h"

ControlsOff::ControlsOff(Query& q, bool keepRow) : q_(q), row_(q.recNo()), keepRow_(keepRow)
{
    q_.disableControls();
}

ControlsOff::~ControlsOff()
{
    if (keepRow_)
        q_.moveTo(row_);
    q_.enableControls();
}

QVector<Money> sumFields(Query& q, const QStringList& fields)
{
    QVector<Money> sums(fields.size());
    if (!q.isOpen() || q.isEmpty())
        return sums;
    const ControlsOff off(q, true);
    for (q.first(); !q.eof(); q.next()) {
        for (int i = 0; i < fields.size(); ++i)
            sums[i] += q.money(fields[i]);
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
