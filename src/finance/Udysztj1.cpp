#include "Udysztj1.h"

#include "comprehensive_statistics.h"

TFdysztj1* Fdysztj1 = nullptr;

namespace {
constexpr double Width = 190, GridTop = 10, CellHeight = 10;

// The figures as the report shows them, row by row.
struct Cell {
    const char* name;
    const char* caption;
};
const QVector<QVector<Cell>> Rows{
    {{"cgsl", "采购数量："}, {"cgje", "采购金额："}},
    {{"xssl", "销售数量："}, {"xsje", "销售金额："}},
    {{"rksl", "异动数量："}, {"rkje", "异动金额："}},
    {{"kcsl", "库存数量："}, {"kcje", "库存金额："}},
    {{"yf", "采购应付："}, {"sf", "采购实付："}, {"qk1", "采购欠款："}},
    {{"ys", "销售应收："}, {"ss", "销售实收："}, {"qk2", "销售欠款："}},
    {{"fk", "营业付款："}, {"sk", "营业收款："}, {"sz", "其他收支："}},
};

QString captionOf(const QString& name)
{
    for (const auto& row : Rows)
        for (const Cell& c : row)
            if (name == QLatin1String(c.name))
                return QString::fromUtf8(c.caption);
    return QString();
}
}

TFdysztj1::TFdysztj1()
{
    QuickRep& r = QuickRep1;
    r.Page = PageSetup{};   // A4 portrait, 10 mm margins
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;

    QRBand* header = r.addBand(BandType::PageHeader, 14);
    QRLdw = header->addLabelIn(QStringLiteral("QRLdw"), QString(), 0, 2.5, Width, 9,
                               Qt::AlignHCenter | Qt::AlignVCenter, songTitleFont());

    const double gridBottom = GridTop + Rows.size() * CellHeight;
    QRBand* title = r.addBand(BandType::Title, gridBottom + 12);
    rq = title->addLabel(QStringLiteral("rq"), QString(), 0, 3);
    title->addHLine(0, GridTop, Width);
    for (int i = 0; i < Rows.size(); ++i) {
        const QVector<Cell>& row = Rows[i];
        const double top = GridTop + i * CellHeight, w = Width / row.size();
        QVector<double> edges;
        for (int c = 0; c <= row.size(); ++c)
            edges << c * w;
        RuledTable::ruleRow(*title, edges, top, CellHeight);
        for (int c = 0; c < row.size(); ++c) {
            const QRectF cell = RuledTable::cellRect(edges[c], edges[c + 1], top, CellHeight);
            title->addLabelIn(QString::fromLatin1(row[c].name), QString::fromUtf8(row[c].caption) + QStringLiteral("0"),
                              cell.left() + 1, cell.top(), cell.width() - 1, cell.height(),
                              Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    QRLdyrq = title->addLabelIn(QStringLiteral("QRLdyrq"), QString(), 0, gridBottom + 4, Width, 6,
                                Qt::AlignRight | Qt::AlignVCenter);
}

QRLabel* TFdysztj1::figure(const QString& name) const
{
    return captionOf(name).isEmpty() ? nullptr : QuickRep1.item(name);
}

void TFdysztj1::fill(const QString& printName, const QString& periodLine, const QStringList& figureTexts,
                     const QDate& printDate)
{
    QRLdw->Caption = printName + QStringLiteral("进销存财综合统计表");
    rq->Caption = periodLine;
    const QStringList& names = statisticsFigureNames();
    for (int i = 0; i < names.size(); ++i)
        if (QRLabel* l = figure(names[i]))
            l->Caption = captionOf(names[i]) + figureTexts.value(i);
    QRLdyrq->Caption = QStringLiteral("打印日期：") + printDate.toString(QStringLiteral("yyyy-MM-dd"));
}
