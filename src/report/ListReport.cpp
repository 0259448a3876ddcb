#include "ListReport.h"

void TReportForm::bindTo(Query* q)
{
    QuickRep1.DataSet = q;
    for (QRItem* it : QuickRep1.items())
        if (it->kind == QRItem::Kind::DBText)
            it->DataSet = q;
}

TListReport::TListReport(const ListLayout& layout) : layout_(layout)
{
    QuickRep& r = QuickRep1;
    r.Page = PageSetup{};   // A4, 10 mm margins
    r.Page.landscape = layout.landscape;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;

    QVector<double> edges;
    for (const auto& c : layout.columns) {
        if (edges.isEmpty())
            edges << c.left;
        edges << c.right;
    }
    const double left = edges.isEmpty() ? 0 : edges.front();
    const double right = edges.isEmpty() ? 0 : edges.back();

    QRBand* header = r.addBand(BandType::PageHeader, layout.pageHeaderHeight);
    const double titleHeight = qMin(9.0, layout.pageHeaderHeight - 1);
    QRLdw = header->addLabelIn(QStringLiteral("QRLdw"), QString(), left,
                               (layout.pageHeaderHeight - titleHeight) / 2, right - left, titleHeight,
                               Qt::AlignHCenter | Qt::AlignVCenter, layout.titleFont);

    const double titleRow = layout.columnHeaderHeight, row = layout.rowHeight;
    QRBand* colHeader = r.addBand(BandType::ColumnHeader, titleRow);
    RuledTable::ruleHeader(*colHeader, edges);
    QRBand* detail = r.addBand(BandType::Detail, row);
    RuledTable::ruleRow(*detail, edges, 0, row);
    for (int i = 0; i < layout.columns.size(); ++i) {
        const ListReportColumn& c = layout.columns[i];
        const QRectF t = RuledTable::cellRect(c.left, c.right, 0, titleRow);
        titles << colHeader->addLabelIn(QStringLiteral("QRL%1").arg(i + 1), c.title, t.left(), t.top(),
                                        t.width(), t.height(), Qt::AlignCenter);
        const QRectF d = RuledTable::cellRect(c.left, c.right, 0, row);
        const QString name = c.textName.isEmpty() ? QStringLiteral("QRD%1").arg(i + 1) : c.textName;
        texts << detail->addDBText(name, c.field, d.left(), d.top(), d.width(), d.height(),
                                   c.align | Qt::AlignVCenter);
    }

    // Summary: the "总计" cell, then the columns from the first total's on, each its own cell.
    const double sumRow = layout.summaryHeight;
    QRBand* summary = r.addBand(BandType::Summary, sumRow);
    int first = layout.columns.size();
    for (const auto& t : layout.totals)
        first = qMin(first, t.column);
    QVector<double> sumEdges{left};
    if (layout.summaryCells == SummaryCells::FirstColumn && !layout.columns.isEmpty() && first > 1)
        sumEdges << layout.columns.front().right;
    for (int i = first; i < layout.columns.size(); ++i) {
        sumEdges << layout.columns[i].left;
        if (i == layout.columns.size() - 1)
            sumEdges << layout.columns[i].right;
    }
    if (sumEdges.size() == 1)
        sumEdges << right;
    RuledTable::ruleRow(*summary, sumEdges, 0, sumRow);
    const QRectF s = RuledTable::cellRect(left, sumEdges[1], 0, sumRow);
    summary->addLabelIn(QStringLiteral("QRLzj"), layout.summaryCaption, s.left(), s.top(), s.width(),
                        s.height(), Qt::AlignCenter);
    for (const auto& t : layout.totals) {
        const ListReportColumn& c = layout.columns[t.column];
        const QRectF e = RuledTable::cellRect(c.left, c.right, 0, sumRow);
        totals << summary->addLabelIn(t.name, QString(), e.left(), e.top(), e.width(), e.height(),
                                      Qt::AlignRight | Qt::AlignVCenter);
    }

    const double footerHeight = layout.pageFooterHeight;
    const PageNumberPlace& pn = layout.pageNumber;
    ReportFont pnFont = songFont();
    pnFont.px = pn.px;
    const double pnHeight = qMin(5.0, footerHeight);
    const double pnTop = qMax(0.0, qMin(2.0, footerHeight - pnHeight));
    QRBand* footer = r.addBand(BandType::PageFooter, footerHeight);
    // Centred or at the right over the table's width, or from a point in it to the right.
    double pnLeft = left, pnWidth = right - left;
    Qt::Alignment pnAlign = Qt::AlignHCenter;
    if (pn.at == PageNumberPlace::At::Right) {
        pnAlign = Qt::AlignRight;
    } else if (pn.at == PageNumberPlace::At::Left) {
        pnLeft += pn.left;
        pnWidth = qMax(1.0, pnWidth - pn.left);
        pnAlign = Qt::AlignLeft;
    }
    footer->addPageNumber(QStringLiteral("QRSysData1"), QStringLiteral("（"), pnLeft, pnTop, pnWidth, pnHeight,
                          pnAlign | Qt::AlignVCenter, pnFont);
}

QRLabel* TListReport::total(const QString& name) const
{
    for (QRLabel* l : totals)
        if (l->Name == name)
            return l;
    return nullptr;
}
