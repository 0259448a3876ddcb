#include "QuickRep.h"

#include "data/Query.h"

int QueryRows::count() const { return q_.isOpen() ? q_.recordCount() : 0; }

int QueryRows::column(const QString& field) const { return q_.isOpen() ? q_.fieldIndex(field) : -1; }

QString QueryRows::text(int row, int col) const { return q_.cellText(row, col); }

namespace {
class NoRows : public ReportRows {
public:
    int count() const override { return 0; }
    int column(const QString&) const override { return -1; }
    QString text(int, int) const override { return QString(); }
};
}

std::unique_ptr<ReportRows> QuickRep::dataRows() const
{
    if (DataSet)
        return std::make_unique<QueryRows>(*DataSet);
    return std::make_unique<NoRows>();
}
