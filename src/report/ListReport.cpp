#include "ListReport.h"

namespace {
constexpr double HeaderHeight = 14;
constexpr double TitleRowHeight = 7.9;
constexpr double RowHeight = 6.1;
constexpr double FooterHeight = 8;
}

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
    r.Page = PageSetup{};   // A4 portrait, 10 mm margins
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

    QRBand* header = r.addBand(BandType::PageHeader, HeaderHeight);
    QRLdw = header->addLabelIn(QStringLiteral("QRLdw"), QString(), left, 2, right - left, 9,
                               Qt::AlignHCenter | Qt::AlignVCenter, heiTitleFont());

    QRBand* colHeader = r.addBand(BandType::ColumnHeader, TitleRowHeight);
    RuledTable::ruleHeader(*colHeader, edges);
    QRBand* detail = r.addBand(BandType::Detail, RowHeight);
    RuledTable::ruleRow(*detail, edges, 0, RowHeight);
    for (int i = 0; i < layout.columns.size(); ++i) {
        const ListReportColumn& c = layout.columns[i];
        const QRectF t = RuledTable::cellRect(c.left, c.right, 0, TitleRowHeight);
        titles << colHeader->addLabelIn(QStringLiteral("QRL%1").arg(i + 1), c.title, t.left(), t.top(),
                                        t.width(), t.height(), Qt::AlignCenter);
        const QRectF d = RuledTable::cellRect(c.left, c.right, 0, RowHeight);
        texts << detail->addDBText(QStringLiteral("QRD%1").arg(i + 1), c.field, d.left(), d.top(),
                                   d.width(), d.height(), c.align | Qt::AlignVCenter);
    }

    // Summary: "总计" in one cell up to the first total's column, then the columns from
    // there on, each its own cell.
    QRBand* summary = r.addBand(BandType::Summary, RowHeight);
    int first = layout.columns.size();
    for (const auto& t : layout.totals)
        first = qMin(first, t.column);
    QVector<double> sumEdges{left};
    for (int i = first; i < layout.columns.size(); ++i) {
        sumEdges << layout.columns[i].left;
        if (i == layout.columns.size() - 1)
            sumEdges << layout.columns[i].right;
    }
    if (sumEdges.size() == 1)
        sumEdges << right;
    RuledTable::ruleRow(*summary, sumEdges, 0, RowHeight);
    const QRectF s = RuledTable::cellRect(left, sumEdges[1], 0, RowHeight);
    summary->addLabelIn(QStringLiteral("QRLzj"), QStringLiteral("总计"), s.left(), s.top(), s.width(),
                        s.height(), Qt::AlignCenter);
    for (const auto& t : layout.totals) {
        const ListReportColumn& c = layout.columns[t.column];
        const QRectF e = RuledTable::cellRect(c.left, c.right, 0, RowHeight);
        totals << summary->addLabelIn(t.name, QString(), e.left(), e.top(), e.width(), e.height(),
                                      Qt::AlignRight | Qt::AlignVCenter);
    }

    QRBand* footer = r.addBand(BandType::PageFooter, FooterHeight);
    footer->addPageNumber(QStringLiteral("QRSysData1"), QStringLiteral("（"), left, 2, right - left, 5,
                          Qt::AlignHCenter | Qt::AlignVCenter);
}

QRLabel* TListReport::total(const QString& name) const
{
    for (QRLabel* l : totals)
        if (l->Name == name)
            return l;
    return nullptr;
}
