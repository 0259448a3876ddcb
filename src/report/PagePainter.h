#pragma once
// Paints laid-out pages on any painter: the printer, a PDF file, the preview, an image.
// A page shows the same texts again and again (column titles, page footers, dates, names,
// amounts): each text is shaped once per font and resolution and reused wherever it repeats,
// across pages. A page goes out with few state changes: its rules as one stroke (segments
// that continue one another joined), its texts as one glyph run per font. Texts stand where
// QPainter::drawText would put them in their rectangles, glyph for glyph. On a PDF (a PDF
// file or a printer) the glyphs are placed in units of 1/64 pixel, the text engine's own
// unit: every position is a whole number there, which keeps the written pages short.

#include <QHash>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

class QPainter;
struct PageContent;
struct ReportFont;

class PagePainter {
public:
    PagePainter();
    ~PagePainter();
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    // Paints one page (coordinates mm) with a painter whose coordinates have the given
    // resolution; origin is the paper's top left corner.
    void paint(QPainter& p, const PageContent& page, double dpiX, double dpiY);

    // Shaped texts kept (tests).
    int shapedTexts() const;

private:
    struct Shape;
    struct Face;
    struct Batch {
        QVector<quint32> glyphs;
        QVector<QPointF> positions;
    };

    Face& face(const ReportFont& font, double dpi);
    const Shape& shape(Face& f, const QString& text, const QPainter& p);
    int rawFontIndex(const QRawFont& font);

    std::vector<std::unique_ptr<Face>> faces_;
    Face* last_ = nullptr;
    std::vector<QRawFont> rawFonts_;
    std::vector<QRawFont> fineFonts_;   // the same at 64 times the size, for PDF (made when needed)
    std::vector<Batch> batches_;   // the page's glyphs, by raw font
};
