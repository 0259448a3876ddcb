#pragma once
// The ruled list report of the document lists and most tables: A4 (portrait unless the
// layout says landscape), the title QRLdw centred in the page header (first page too), the
// column titles QRL1, QRL2, ... in a ruled column header, one ruled row per data set row
// with the data texts QRD1, QRD2, ..., a ruled summary row "总计" (QRLzj) with the totals
// e1, e2, ... under their columns, and the page footer "（" + the page number (last page
// too). A list's layout is a description of its columns, totals, band heights, title font,
// summary cells and page number place.

#include "ReportForm.h"

#include <QStringList>

struct ListReportColumn {
    double left = 0, right = 0;        // mm from the table's left
    QString title;
    QString field;
    Qt::Alignment align = Qt::AlignLeft;
    QString textName{};                // the data text's name; empty: QRD + the column's number
};

struct ListTotal {
    QString name;                      // "e1", "e2", ...
    int column = 0;                    // index into the columns
};

// How the summary row is ruled.
enum class SummaryCells {
    // "总计" in one cell from the left edge up to the first total's column, then every
    // column from there on a cell of its own.
    UpToFirstTotal,
    // "总计" under the first column alone; the columns from the second up to the first
    // total form one empty cell; then every column from there on a cell of its own.
    FirstColumn,
};

// Where the page number stands in the page footer.
struct PageNumberPlace {
    enum class At { Centre, Right, Left } at = At::Centre;
    double left = 0;                   // At::Left: mm from the table's left
    double px = 13;                    // text height in pixels
};

struct ListLayout {
    QVector<ListReportColumn> columns;
    QVector<ListTotal> totals;         // in order of their columns
    bool landscape = false;
    // Band heights, mm.
    double pageHeaderHeight = 14;
    double columnHeaderHeight = 7.9;
    double rowHeight = 6.1;
    double summaryHeight = 6.1;
    double pageFooterHeight = 8;
    ReportFont titleFont = songTitleFont();   // unless the layout names its own
    SummaryCells summaryCells = SummaryCells::UpToFirstTotal;
    QString summaryCaption = QStringLiteral("总计");
    PageNumberPlace pageNumber{};
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
