#pragma once
// The ruled list report of the document lists and most tables: A4 portrait, the title
// QRLdw centred in 黑体 bold 14 pt in the page header (first page too), the column titles
// QRL1, QRL2, ... in a ruled column header, one ruled row per data set row with the data
// texts QRD1, QRD2, ..., a ruled summary row "总计" with the totals e1, e2, ... under their
// columns, and the page footer "（" + the page number (last page too). A list's layout is
// a description of its columns and totals.

#include "ReportForm.h"

#include <QStringList>

struct ListReportColumn {
    double left = 0, right = 0;        // mm from the table's left
    QString title;
    QString field;
    Qt::Alignment align = Qt::AlignLeft;
};

struct ListTotal {
    QString name;                      // "e1", "e2", ...
    int column = 0;                    // index into the columns
};

struct ListLayout {
    QVector<ListReportColumn> columns;
    QVector<ListTotal> totals;         // in order of their columns
};

class TListReport : public TReportForm {
public:
    explicit TListReport(const ListLayout& layout);

    QRLabel* QRLdw = nullptr;
    QVector<QRLabel*> titles;          // QRL1, QRL2, ...
    QVector<QRDBText*> texts;          // QRD1, QRD2, ...
    QVector<QRLabel*> totals;          // e1, e2, ... as described
    QRLabel* total(const QString& name) const;   // nullptr when not described

    const ListLayout& layout() const { return layout_; }

private:
    ListLayout layout_;
};

// The print of a list window: the company table opened when closed, QRLdw := the print
// name followed directly by reportName, the report and its data texts bound to q (fields
// as described), the totals set in their order, report title "打印预览", the preview.
void printListReport(TListReport& form, const QString& reportName, Query& q,
                     const QStringList& totals);
