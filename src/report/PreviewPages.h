#pragma once
// The pages of a laid-out report as the preview shows them: one under the other on a grey
// ground, each with a shadow, scrolled and zoomed. A page is painted when it comes into
// view, straight from the layout, and nothing of it is kept: a report of any length opens
// at once and holds no page images. The current page is the one that takes most of the
// view; the zoom fits the page's width (as the preview opens), the whole page, or is
// stepped in and out. A drag with the mouse moves the pages.

#include "QuickRep.h"

#include <QAbstractScrollArea>

#include <memory>

class PagePainter;

class PreviewPages : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewPages(QWidget* parent = nullptr);
    ~PreviewPages() override;

    // The pages to show, at the given resolution (pixels per inch at zoom 1); the layout
    // stays the caller's and must outlive the view, or be replaced.
    void setPages(const QuickRep::Layout* layout, double dpi);

    int pageCount() const;
    int currentPage() const { return current_; }   // 1-based; 0 without pages
    void setCurrentPage(int page);                 // brings the page's top into view

    void zoomIn(double factor = 1.1);
    void zoomOut(double factor = 1.1);
    void fitToWidth();
    void fitInView();
    double zoomFactor() const { return scale_; }
    double resolution() const { return dpi_; }

    // Where a page's paper stands in the viewport (1-based; it may lie outside the view).
    QRectF pageRect(int page) const;
    // Pages painted since the pages were set (tests: only those that came into view).
    int paintedPages() const { return painted_; }

signals:
    void changed();   // the current page or the zoom

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    enum class Mode { FitToWidth, FitInView, Custom };
    QSizeF itemSize() const;           // a page with its border, zoom 1
    double border() const;
    QPointF origin() const;            // where the first page's border starts in the view
    void setScale(double scale, QPointF anchor);
    // Applies a fitting zoom; toCurrentPage: brings the current page's top (fitting the
    // width) into view; a whole page fitted is always the current one, centred.
    void fit(bool toCurrentPage);
    void updateBars();
    void updateCurrent();

    const QuickRep::Layout* layout_ = nullptr;
    std::unique_ptr<PagePainter> painter_;
    double dpi_ = 96;
    double scale_ = 1;
    Mode mode_ = Mode::FitToWidth;
    int current_ = 0;
    int painted_ = 0;
    QPoint dragFrom_;
    bool dragging_ = false;
    bool adjusting_ = false;   // scale and scroll bars changing together
};
