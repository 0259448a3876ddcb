#include "QuickRep.h"

#include "PagePainter.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace {
constexpr double MmPerInch = 25.4;

QString installedFamily(const QString& family)
{
    if (family == QStringLiteral("黑体"))
        return QStringLiteral("Noto Sans CJK SC");
    return QStringLiteral("Noto Serif CJK SC");   // 宋体 and anything else
}

Qt::Alignment withVertical(Qt::Alignment a)
{
    return (a & Qt::AlignVertical_Mask) ? a : (a | Qt::AlignTop);
}

// A line or a frame: no text, only where it stands.
std::unique_ptr<QRItem> ruleItem(QRItem::Kind kind, double left, double top, double width, double height)
{
    auto it = std::make_unique<QRItem>();
    it->kind = kind;
    it->left = left;
    it->top = top;
    it->width = width;
    it->height = height;
    return it;
}
}

// ---- fonts ------------------------------------------------------------------------

QFont ReportFont::toQFont(double dpi) const
{
    QFont f;
    f.setFamilies({installedFamily(family), family});
    f.setPixelSize(qMax(1, qRound(px * dpi / 96.0)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double ReportFont::lineHeightMm() const { return px * 1.25 / 96.0 * MmPerInch; }

double ReportFont::textWidthMm(const QString& text) const
{
    constexpr double dpi = 960;   // measured large, for sub-pixel widths
    const QFontMetricsF fm(toQFont(dpi));
    return fm.horizontalAdvance(text) / dpi * MmPerInch;
}

ReportFont songFont() { return {QStringLiteral("宋体"), 13, false}; }
ReportFont songTitleFont(double px) { return {QStringLiteral("宋体"), px, true}; }
ReportFont heiTitleFont() { return {QStringLiteral("黑体"), 14.0 * 96.0 / 72.0, true}; }

// ---- bands ------------------------------------------------------------------------

QRItem* QRBand::add(std::unique_ptr<QRItem> it)
{
    items_.push_back(std::move(it));
    return items_.back().get();
}

QRItem* QRBand::addLabel(const QString& name, const QString& caption, double left, double top,
                         Qt::Alignment align, const ReportFont& font)
{
    auto it = std::make_unique<QRItem>();
    it->kind = QRItem::Kind::Label;
    it->Name = name;
    it->Caption = caption;
    it->left = left;
    it->top = top;
    it->height = font.lineHeightMm();
    it->Alignment = align;
    it->Font = font;
    it->AutoSize = true;
    return add(std::move(it));
}

QRItem* QRBand::addLabelIn(const QString& name, const QString& caption, double left, double top,
                           double width, double height, Qt::Alignment align, const ReportFont& font)
{
    QRItem* it = addLabel(name, caption, left, top, align, font);
    it->width = width;
    it->height = height;
    it->AutoSize = false;
    return it;
}

QRItem* QRBand::addDBText(const QString& name, const QString& field, double left, double top,
                          double width, double height, Qt::Alignment align, const ReportFont& font)
{
    QRItem* it = addLabelIn(name, QString(), left, top, width, height, align, font);
    it->kind = QRItem::Kind::DBText;
    it->DataField = field;
    return it;
}

QRItem* QRBand::addPageNumber(const QString& name, const QString& prefix, double left, double top,
                              double width, double height, Qt::Alignment align, const ReportFont& font)
{
    QRItem* it = addLabelIn(name, prefix, left, top, width, height, align, font);
    it->kind = QRItem::Kind::PageNumber;
    return it;
}

QRItem* QRBand::addHLine(double left, double top, double width)
{
    return add(ruleItem(QRItem::Kind::HLine, left, top, width, 0));
}

QRItem* QRBand::addVLine(double left, double top, double height)
{
    return add(ruleItem(QRItem::Kind::VLine, left, top, 0, height));
}

QRItem* QRBand::addFrame(double left, double top, double width, double height)
{
    return add(ruleItem(QRItem::Kind::Frame, left, top, width, height));
}

QRItem* QRBand::item(const QString& name) const
{
    for (const auto& it : items_)
        if (it->Name == name)
            return it.get();
    return nullptr;
}

// ---- page content -----------------------------------------------------------------

QVector<PlacedText> PageContent::find(const QString& text) const
{
    QVector<PlacedText> out;
    for (const auto& t : texts)
        if (t.text == text)
            out << t;
    return out;
}

QVector<PlacedText> PageContent::named(const QString& name) const
{
    QVector<PlacedText> out;
    for (const auto& t : texts)
        if (t.name == name)
            out << t;
    return out;
}

QStringList PageContent::allTexts() const
{
    QStringList out;
    for (const auto& t : texts)
        out << t.text;
    return out;
}

// ---- the report -------------------------------------------------------------------

QuickRep::QuickRep() = default;
QuickRep::~QuickRep() = default;

QRBand* QuickRep::addBand(BandType type, double height)
{
    for (auto& b : bands_)
        if (b->type() == type) {
            b = std::make_unique<QRBand>(type, height);
            return b.get();
        }
    bands_.push_back(std::make_unique<QRBand>(type, height));
    return bands_.back().get();
}

QRBand* QuickRep::band(BandType type) const
{
    for (const auto& b : bands_)
        if (b->type() == type && b->enabled)
            return b.get();
    return nullptr;
}

QRItem* QuickRep::item(const QString& name) const
{
    for (const auto& b : bands_)
        if (QRItem* it = b->item(name))
            return it;
    return nullptr;
}

QVector<QRItem*> QuickRep::items() const
{
    QVector<QRItem*> out;
    for (const auto& b : bands_)
        for (const auto& it : b->items())
            out << it.get();
    return out;
}

QSizeF QuickRep::designPaper() const
{
    return Page.landscape ? QSizeF(Page.length, Page.width) : QSizeF(Page.width, Page.length);
}

QuickRep::Layout QuickRep::layout(const ReportRows& rows, QSizeF paperMm) const
{
    Layout lay;
    lay.rep_ = this;
    lay.rows_ = &rows;
    lay.paper_ = paperMm;
    for (const auto& b : bands_)
        if (b->enabled) {
            std::vector<int>& cols = lay.columns_[size_t(b->type())];
            for (const auto& it : b->items())
                cols.push_back(it->kind == QRItem::Kind::DBText ? rows.column(it->DataField) : -1);
        }
    const int n = rows.count();
    if (n == 0 && !PrintIfEmpty)
        return lay;

    const QRBand* title = band(BandType::Title);
    const QRBand* pageHeader = band(BandType::PageHeader);
    const QRBand* colHeader = band(BandType::ColumnHeader);
    const QRBand* detail = band(BandType::Detail);
    const QRBand* summary = band(BandType::Summary);
    const QRBand* footer = band(BandType::PageFooter);

    const double limit = paperMm.height() - Page.bottomMargin - (footer ? footer->height() : 0);
    double y = 0;
    bool body = false;   // the page holds a detail or the summary
    int lastRow = n > 0 ? 0 : -1;

    auto place = [&](const QRBand* b, int row) {
        lay.placed_.push_back({y, row, b->type()});
        y += b->height();
    };
    auto startPage = [&]() {
        lay.pageStarts_.push_back(lay.placed_.size());
        y = Page.topMargin;
        body = false;
        const bool first = lay.pageStarts_.size() == 1;
        if (pageHeader && (!first || FirstPageHeader))
            place(pageHeader, lastRow);
        if (first && title)
            place(title, lastRow);
        if (colHeader)
            place(colHeader, lastRow);
    };
    auto fit = [&](const QRBand* b) {
        if (body && y + b->height() > limit + 1e-9)
            startPage();
        body = true;
    };

    lay.placed_.reserve(size_t(n) + size_t(n) / 8 + 16);   // a row each, and a page's headers
    startPage();
    if (detail)
        for (int r = 0; r < n; ++r) {
            fit(detail);
            lastRow = r;
            place(detail, r);
        }
    if (summary) {
        fit(summary);
        place(summary, lastRow);
    }
    return lay;
}

PageContent QuickRep::Layout::page(int index) const
{
    PageContent pc;
    pc.number = index + 1;
    if (index < 0 || index >= pageCount())
        return pc;
    const QuickRep& rep = *rep_;
    const double x0 = rep.Page.leftMargin;

    auto paintBand = [&](const QRBand& b, double y, int row) {
        const std::vector<int>& cols = columns_[size_t(b.type())];
        for (size_t k = 0; k < b.items().size(); ++k) {
            const QRItem& it = *b.items()[k];
            switch (it.kind) {
            case QRItem::Kind::HLine:
                pc.lines << QLineF(x0 + it.left, y + it.top, x0 + it.left + it.width, y + it.top);
                break;
            case QRItem::Kind::VLine:
                pc.lines << QLineF(x0 + it.left, y + it.top, x0 + it.left, y + it.top + it.height);
                break;
            case QRItem::Kind::Frame:
                pc.frames << QRectF(x0 + it.left, y + it.top, it.width, it.height);
                break;
            default: {
                QString text;
                if (it.kind == QRItem::Kind::Label)
                    text = it.Caption;
                else if (it.kind == QRItem::Kind::PageNumber)
                    text = it.Caption + QString::number(index + 1);
                else {
                    const int col = k < cols.size() ? cols[k] : -1;
                    const int r = row >= 0 ? row : (rows_->count() > 0 ? 0 : -1);
                    if (col >= 0 && r >= 0 && r < rows_->count())
                        text = rows_->text(r, col);
                }
                QRectF rect(x0 + it.left, y + it.top, it.width, it.height);
                if (it.AutoSize && it.kind != QRItem::Kind::DBText) {
                    const double w = it.Font.textWidthMm(text);
                    if (it.Alignment & Qt::AlignHCenter)
                        rect = QRectF(x0 + it.left + it.width / 2 - w / 2, y + it.top, w, it.height);
                    else if (it.Alignment & Qt::AlignRight)
                        rect = QRectF(x0 + it.left + it.width - w, y + it.top, w, it.height);
                    else
                        rect.setWidth(w);
                }
                pc.texts.push_back({it.Name, text, rect, withVertical(it.Alignment), it.Font});
            }
            }
        }
    };

    const size_t from = pageStarts_[size_t(index)];
    const size_t to = size_t(index) + 1 < pageStarts_.size() ? pageStarts_[size_t(index) + 1] : placed_.size();
    pc.texts.reserve(qsizetype(to - from) * 8);
    pc.lines.reserve(qsizetype(to - from) * 10);
    for (size_t i = from; i < to; ++i)
        if (const QRBand* b = rep.band(placed_[i].type))
            paintBand(*b, placed_[i].y, placed_[i].row);

    const QRBand* footer = rep.band(BandType::PageFooter);
    const bool last = index == pageCount() - 1;
    if (footer && (!last || rep.LastPageFooter)) {
        const int row = to > from ? placed_[to - 1].row : -1;
        paintBand(*footer, paper_.height() - rep.Page.bottomMargin - footer->height(), row);
    }
    return pc;
}

QVector<PageContent> QuickRep::pages(const ReportRows& rows) const
{
    const Layout lay = layout(rows);
    QVector<PageContent> out;
    for (int i = 0; i < lay.pageCount(); ++i)
        out << lay.page(i);
    return out;
}

// ---- painting ---------------------------------------------------------------------

void paintPage(QPainter& p, const PageContent& page, double dpiX, double dpiY)
{
    PagePainter().paint(p, page, dpiX, dpiY);
}

void QuickRep::setUpPrinter(QPrinter& printer) const
{
    printer.setFullPage(true);
    if (!Page.printerDefaultPaper)
        printer.setPageSize(QPageSize(QSizeF(Page.width, Page.length), QPageSize::Millimeter,
                                      QString(), QPageSize::ExactMatch));
    printer.setPageOrientation(Page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QSizeF QuickRep::paperOf(const QPrinter& printer) const
{
    return printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
}

QuickRep::PrintResult QuickRep::print(QPagedPaintDevice& device, const ReportRows& rows,
                                      const PrintProgress& progress) const
{
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const QSizeF paper = device.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const Layout lay = layout(rows, paper);
    QPainter p;
    if (!p.begin(&device))
        return PrintResult::Failed;
    const double dx = device.logicalDpiX(), dy = device.logicalDpiY();
    PagePainter painter;
    for (int i = 0; i < lay.pageCount(); ++i) {
        if (i > 0 && !device.newPage()) {
            p.end();
            return PrintResult::Failed;
        }
        painter.paint(p, lay.page(i), dx, dy);
        if (progress && !progress(i + 1, lay.pageCount())) {
            p.end();
            return PrintResult::Cancelled;
        }
    }
    return p.end() ? PrintResult::Printed : PrintResult::Failed;
}

// ---- rows in memory ---------------------------------------------------------------

int TableRows::column(const QString& field) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TableRows::text(int row, int col) const
{
    const QStringList& r = rows_[static_cast<size_t>(row)];
    return col < r.size() ? r[col] : QString();
}

// ---- ruled tables -----------------------------------------------------------------

namespace RuledTable {
void ruleHeader(QRBand& band, const QVector<double>& edges)
{
    if (edges.size() < 2)
        return;
    const double w = edges.back() - edges.front();
    band.addHLine(edges.front(), 0, w);
    band.addHLine(edges.front(), band.height(), w);
    for (double e : edges)
        band.addVLine(e, 0, band.height());
}

void ruleRow(QRBand& band, const QVector<double>& edges, double top, double height)
{
    if (edges.size() < 2)
        return;
    for (double e : edges)
        band.addVLine(e, top, height);
    band.addHLine(edges.front(), top + height, edges.back() - edges.front());
}

QRectF cellRect(double left, double right, double top, double height)
{
    return QRectF(left + 1.0, top, qMax(0.0, right - left - 2.0), height);
}
}
