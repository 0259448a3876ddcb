#include "Udycgd1.h"

#include <algorithm>

TFdycgd1* Fdycgd1 = nullptr;

namespace {
constexpr double TableLeft = 0.1, TableRight = 160.2;
constexpr double RowHeight = 6.1;
constexpr double FirstHeaderRow = 7.1, HeaderRowStep = 4.5, HeaderValues = 10.6;

// Every line field a document layout can show: title, data text, field, alignment.
const TFdycgdLayout::Column LineColumns[] = {
    {"编码", 0, 0, "QRD0", "txm", Qt::AlignLeft},
    {"商品名称", 0, 0, "QRD1", "ppgg", Qt::AlignLeft},
    {"单位", 0, 0, "QRD2", "dw", Qt::AlignHCenter},
    {"数  量", 0, 0, "QRD3", "sl", Qt::AlignRight},
    {"单  价", 0, 0, "QRD4", "jg", Qt::AlignRight},
    {"金  额", 0, 0, "QRD5", "je", Qt::AlignRight},
    {"折扣", 0, 0, "QRD6", "zk", Qt::AlignRight},
};

QVector<TFdycgdLayout::Column> describe(const DocumentColumns& dc)
{
    QVector<TFdycgdLayout::Column> out;
    for (int i = 0; i < dc.fields.size(); ++i)
        for (const auto& c : LineColumns)
            if (qstrcmp(c.field, dc.fields[i]) == 0) {
                out << c;
                out.back().left = dc.edges[i];
                out.back().right = dc.edges[i + 1];
            }
    return out;
}

int columnOf(const QVector<const char*>& fields, const char* field)
{
    for (int i = 0; i < fields.size(); ++i)
        if (qstrcmp(fields[i], field) == 0)
            return i;
    return -1;
}
}

const DocumentColumns& columnsWithoutCodes()
{
    static const DocumentColumns c{{"ppgg", "dw", "sl", "jg", "zk", "je"}, {0.1, 70.5, 83.2, 100.4, 122.9, 135.1, 160.2}};
    return c;
}

const DocumentColumns& columnsWithCodes()
{
    static const DocumentColumns c{{"txm", "ppgg", "dw", "sl", "jg", "je"}, {0.1, 29.8, 75.3, 90.1, 110.2, 135.1, 160.2}};
    return c;
}

DocumentBlocks purchaseBlocks()
{
    return {.leftBlock = {{.caption = "厂商:", .label = "QRLghs2"}, {.caption = "备注:", .label = "QRLbz2"}}};
}

TFdycgdLayout::TFdycgdLayout(const DocumentColumns& dc, const DocumentBlocks& blocks)
{
    const QVector<Column> columns = describe(dc);
    const QVector<double>& edges = dc.edges;
    QuickRep& r = QuickRep1;
    r.Page.printerDefaultPaper = true;
    r.Page.width = 241;
    r.Page.length = 93;
    r.Page.landscape = false;
    r.Page.topMargin = 10;
    r.Page.bottomMargin = 10;
    r.Page.leftMargin = 40;
    r.Page.rightMargin = 0;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;

    const qsizetype rows = blocks.leftBlock.size();
    QRBand* title = r.addBand(BandType::Title, 15.9 + HeaderRowStep * std::max<qsizetype>(0, rows - 2));
    QRLdw = title->addLabelIn(QStringLiteral("QRLdw"), QString(), TableLeft, 0, TableRight - TableLeft,
                              6.5, Qt::AlignHCenter | Qt::AlignTop, songTitleFont());
    // The left block: the values stand at 10.6 mm, or after the longest caption.
    double values = HeaderValues;
    for (const HeaderRow& h : blocks.leftBlock)
        values = std::max(values, 0.5 + songFont().textWidthMm(h.caption) + 1.0);
    for (qsizetype i = 0; i < rows; ++i) {
        const HeaderRow& h = blocks.leftBlock[i];
        const double top = FirstHeaderRow + HeaderRowStep * i;
        title->addLabel(h.label.chopped(1) + QLatin1Char('1'), h.caption, 0.5, top);
        title->addLabel(h.label, QString(), values, top);
    }
    QRLbz2 = title->item(QStringLiteral("QRLbz2"));
    title->addLabel(QStringLiteral("QRLdh1"), QStringLiteral("单号:"), 124.4, FirstHeaderRow);
    QRLdh2 = title->addLabel(QStringLiteral("QRLdh2"), QString(), 134.4, FirstHeaderRow);
    title->addLabel(QStringLiteral("QRLrq1"), QStringLiteral("日期:"), 124.4, FirstHeaderRow + HeaderRowStep);
    QRLrq2 = title->addLabel(QStringLiteral("QRLrq2"), QString(), 134.4, FirstHeaderRow + HeaderRowStep);

    QRBand* colHeader = r.addBand(BandType::ColumnHeader, 7.9);
    RuledTable::ruleHeader(*colHeader, edges);
    QRBand* detail = r.addBand(BandType::Detail, RowHeight);
    RuledTable::ruleRow(*detail, edges, 0, RowHeight);
    for (int i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        const QRectF t = RuledTable::cellRect(c.left, c.right, 0, 7.9);
        colHeader->addLabelIn(QStringLiteral("QRL%1").arg(i + 1), QString::fromUtf8(c.title), t.left(),
                              t.top(), t.width(), t.height(), Qt::AlignCenter);
        const QRectF d = RuledTable::cellRect(c.left, c.right, 0, RowHeight);
        dataTexts << detail->addDBText(QString::fromLatin1(c.name), QString::fromLatin1(c.field), d.left(),
                                       d.top(), d.width(), d.height(), c.align | Qt::AlignVCenter);
    }

    // Summary: a ruled row of four cells (合计 and the capitals up to the quantity column,
    // the quantity, an empty cell up to the amount column, the amount), then 经办 and 制单
    // and the layout's own texts.
    const Column& q = columns[columnOf(dc.fields, "sl")];
    const Column& a = columns[columnOf(dc.fields, "je")];
    QRBand* summary = r.addBand(BandType::Summary, blocks.summaryHeight);
    RuledTable::ruleRow(*summary, {TableLeft, q.left, q.right, a.left, a.right}, 0, RowHeight);
    const double textTop = (RowHeight - songFont().lineHeightMm()) / 2;
    summary->addLabel(QStringLiteral("QRLhj"), QStringLiteral("合计:"), 2.6, textTop);
    QRLdx = summary->addLabel(QStringLiteral("QRLdx"), QString(), 12.7, textTop);
    const QRectF qc = RuledTable::cellRect(q.left, q.right, 0, RowHeight);
    e1 = summary->addLabelIn(QStringLiteral("e1"), QString(), qc.left(), qc.top(), qc.width(), qc.height(),
                             Qt::AlignRight | Qt::AlignVCenter);
    const QRectF ac = RuledTable::cellRect(a.left, a.right, 0, RowHeight);
    e2 = summary->addLabelIn(QStringLiteral("e2"), QString(), ac.left(), ac.top(), ac.width(), ac.height(),
                             Qt::AlignRight | Qt::AlignVCenter);
    summary->addLabel(QStringLiteral("QRLjsr1"), QStringLiteral("经办:"), 92.6, 7.4);
    QRLjsr2 = summary->addLabel(QStringLiteral("QRLjsr2"), QString(), 102.7, 7.4);
    summary->addLabel(QStringLiteral("QRLyhm1"), QStringLiteral("制单:"), 124.4, 7.4);
    QRLyhm2 = summary->addLabel(QStringLiteral("QRLyhm2"), QString(), 134.4, 7.4);
    for (const SummaryText& t : blocks.summary)
        summary->addLabel(t.name, t.caption, t.left, t.top);
}

TFdycgd1::TFdycgd1() : TFdycgdLayout(columnsWithoutCodes(), purchaseBlocks())
{
    QRLghs2 = item(QStringLiteral("QRLghs2"));
    QRDBText** texts[] = {&QRD1, &QRD2, &QRD3, &QRD4, &QRD6, &QRD5};
    for (int i = 0; i < dataTexts.size(); ++i)
        *texts[i] = dataTexts[i];
}
