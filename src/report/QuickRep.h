#pragma once
// The banded report engine. A report (QuickRep) has a page in millimetres, one column and
// bands: title (once), page header (each page; the first page only when asked), column
// header (each page), detail (one per row of its data set, from the first), summary (once,
// at the end) and page footer (each page; the last page only when asked). Bands hold
// elements placed in millimetres from the band's top left corner: labels, data texts bound
// to a field, page numbers, rules and frames. Band heights are fixed, so pages are worked
// out by arithmetic and each page is laid out only when it is painted or inspected.
//
// The engine reads rows through ReportRows, by index: it never moves a data set's cursor.

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class Query;
class QPainter;
class QPagedPaintDevice;
class QPrinter;

// A font as the layouts give it: a family, a size in pixels at 96 dpi, bold or not.
struct ReportFont {
    QString family = QStringLiteral("宋体");
    double px = 13;          // 13 px = 10 pt
    bool bold = false;

    // The installed font playing the family's part: 宋体 -> Noto Serif CJK SC,
    // 黑体 -> Noto Sans CJK SC. pixelSize is that of the device.
    QFont toQFont(double dpi) const;
    double lineHeightMm() const;                  // height of one line of text
    double textWidthMm(const QString& text) const;
};
ReportFont songFont();          // 宋体 13 px
ReportFont songTitleFont(double px = 19);   // 宋体 bold, 19 px unless a report gives its own size
ReportFont heiTitleFont();      // 黑体 bold 14 pt

class QRItem {
public:
    enum class Kind { Label, DBText, PageNumber, HLine, VLine, Frame };
    Kind kind = Kind::Label;
    QString Name;
    // Position and size in mm from the band's top left. Lines: a horizontal rule from
    // (left, top) over width; a vertical one from (left, top) down height.
    double left = 0, top = 0, width = 0, height = 0;
    Qt::Alignment Alignment = Qt::AlignLeft;
    ReportFont Font;
    // Labels and page numbers: the width follows the text, from left (left-aligned),
    // around the centre of the rectangle (centred) or back from its right edge.
    bool AutoSize = false;
    QString Caption;          // label text; for a page number the text before the number
    Query* DataSet = nullptr; // data text: its data set (the report's) and field
    QString DataField;

    void setCaption(const QString& s) { Caption = s; }
    const QString& caption() const { return Caption; }
};
using QRLabel = QRItem;
using QRDBText = QRItem;

enum class BandType { Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter };

class QRBand {
public:
    QRBand(BandType type, double height) : type_(type), height_(height) {}
    BandType type() const { return type_; }
    double height() const { return height_; }
    void setHeight(double h) { height_ = h; }
    bool enabled = true;

    QRItem* addLabel(const QString& name, const QString& caption, double left, double top,
                     Qt::Alignment align = Qt::AlignLeft, const ReportFont& font = songFont());
    // A label of fixed width; the text is aligned inside it.
    QRItem* addLabelIn(const QString& name, const QString& caption, double left, double top,
                       double width, double height, Qt::Alignment align,
                       const ReportFont& font = songFont());
    QRItem* addDBText(const QString& name, const QString& field, double left, double top,
                      double width, double height, Qt::Alignment align,
                      const ReportFont& font = songFont());
    QRItem* addPageNumber(const QString& name, const QString& prefix, double left, double top,
                          double width, double height, Qt::Alignment align,
                          const ReportFont& font = songFont());
    QRItem* addHLine(double left, double top, double width);
    QRItem* addVLine(double left, double top, double height);
    QRItem* addFrame(double left, double top, double width, double height);

    const std::vector<std::unique_ptr<QRItem>>& items() const { return items_; }
    QRItem* item(const QString& name) const;

private:
    QRItem* add(std::unique_ptr<QRItem> it);
    BandType type_;
    double height_;
    std::vector<std::unique_ptr<QRItem>> items_;
};

// Rows as the engine reads them: by index and column, without a cursor.
class ReportRows {
public:
    virtual ~ReportRows() = default;
    virtual int count() const = 0;
    virtual int column(const QString& field) const = 0;   // -1 when there is no such field
    virtual QString text(int row, int col) const = 0;
};

// What a page shows, in mm from the paper's top left corner.
struct PlacedText {
    QString name;        // the element's name (may be empty)
    QString text;
    QRectF rect;         // mm
    Qt::Alignment align;
    ReportFont font;
};
struct PageContent {
    int number = 0;                 // 1-based
    QVector<PlacedText> texts;
    QVector<QLineF> lines;          // mm
    QVector<QRectF> frames;         // mm
    // Texts with this text / of this element, in placing order.
    QVector<PlacedText> find(const QString& text) const;
    QVector<PlacedText> named(const QString& name) const;
    QStringList allTexts() const;
};

struct PageSetup {
    bool printerDefaultPaper = false; // print on the printer's own paper size
    double width = 210, length = 297; // mm, the paper the layout is drawn for
    bool landscape = false;
    double topMargin = 10, bottomMargin = 10, leftMargin = 10, rightMargin = 10;
};

class QuickRep {
public:
    QuickRep();
    ~QuickRep();
    QuickRep(const QuickRep&) = delete;
    QuickRep& operator=(const QuickRep&) = delete;

    PageSetup Page;
    bool PrintIfEmpty = true;
    bool FirstPageHeader = true;     // page header on the first page too
    bool LastPageFooter = true;      // page footer on the last page too
    QString ReportTitle;
    Query* DataSet = nullptr;

    QRBand* addBand(BandType type, double height);   // replaces a band of that type
    QRBand* band(BandType type) const;                // nullptr when absent
    QRItem* item(const QString& name) const;          // any band
    QVector<QRItem*> items() const;                   // of every band

    // Lays out the report over the rows for paper of the given size (mm; portrait or
    // landscape as given). Keeps only where each band goes; page(i) builds one page.
    class Layout {
    public:
        int pageCount() const { return static_cast<int>(pageStarts_.size()); }
        PageContent page(int index) const;
        QSizeF paperMm() const { return paper_; }
    private:
        friend class QuickRep;
        struct Placed { double y; int row; BandType type; };   // 16 bytes: a long report holds many
        const QuickRep* rep_ = nullptr;
        const ReportRows* rows_ = nullptr;
        QSizeF paper_;
        std::vector<Placed> placed_;        // every page's bands, page after page
        std::vector<size_t> pageStarts_;    // where each page's bands begin in placed_
        std::array<std::vector<int>, 6> columns_;   // by band type: each item's column (-1: none)
    };
    Layout layout(const ReportRows& rows, QSizeF paperMm) const;
    Layout layout(const ReportRows& rows) const { return layout(rows, designPaper()); }
    QSizeF designPaper() const;       // the stored paper size, oriented

    // Every page laid out (tests; small reports).
    QVector<PageContent> pages(const ReportRows& rows) const;

    // Paints every page on the device: the painter is begun here; newPage between pages.
    // The device's full paper is the page (no printer margins). After each page `progress`
    // (when given) hears the pages done of the total; when it answers false the run stops
    // there (Cancelled; what the device got so far is the caller's to discard). Failed when
    // the painter cannot begin on the device or a page cannot be started.
    enum class PrintResult { Printed, Cancelled, Failed };
    using PrintProgress = std::function<bool(int done, int total)>;
    PrintResult print(QPagedPaintDevice& device, const ReportRows& rows, const PrintProgress& progress = {}) const;
    // Sets the printer's paper (unless the layout prints on the printer's own paper),
    // orientation and full-page mode for this report.
    void setUpPrinter(QPrinter& printer) const;
    // The paper of a printer as this report will use it (mm).
    QSizeF paperOf(const QPrinter& printer) const;

    // The rows of DataSet (empty when unset or closed) and the preview of them.
    std::unique_ptr<ReportRows> dataRows() const;
    void preview();

private:
    std::vector<std::unique_ptr<QRBand>> bands_;
};

// Paints one page (coordinates mm) with a painter whose device has the given resolution;
// origin is the paper's top left corner. Several pages: one PagePainter for all of them.
void paintPage(QPainter& p, const PageContent& page, double dpiX, double dpiY);

// Rows held in memory (tests and samples): fields by name, texts per row.
class TableRows : public ReportRows {
public:
    TableRows(QStringList fields, std::vector<QStringList> rows = {})
        : fields_(std::move(fields)), rows_(std::move(rows)) {}
    void add(const QStringList& row) { rows_.push_back(row); }
    int count() const override { return static_cast<int>(rows_.size()); }
    int column(const QString& field) const override;
    QString text(int row, int col) const override;
private:
    QStringList fields_;
    std::vector<QStringList> rows_;
};

// The rows of a query, read with cellText: its cursor stays where it is.
class QueryRows : public ReportRows {
public:
    explicit QueryRows(const Query& q) : q_(q) {}
    int count() const override;
    int column(const QString& field) const override;
    QString text(int row, int col) const override;
private:
    const Query& q_;
};

// Ruled tables from column edges (mm, from the band's left).
namespace RuledTable {
// A frame line along the top and the bottom of the band, vertical rules at every edge.
void ruleHeader(QRBand& band, const QVector<double>& edges);
// Vertical rules at every edge from top to bottom and a rule under the row.
void ruleRow(QRBand& band, const QVector<double>& edges, double top, double height);
// The rectangle a cell's text goes into: inside the rules by 1 mm at each side.
QRectF cellRect(double left, double right, double top, double height);
}
