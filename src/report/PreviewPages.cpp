#include "PreviewPages.h"

#include "PagePainter.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QScrollBar>

#include <cmath>

namespace {
constexpr double MmPerInch = 25.4;
// The pages scroll within the range of a scroll bar: the zoom stops where the whole report
// would no longer fit into it.
constexpr double LongestView = 1e9;
constexpr double SmallestZoom = 0.02;
// setCurrentPage leaves this much of the grey ground above the page's border.
constexpr int AbovePage = 10;

// The shadow at the right and bottom edges of a page's paper.
void paintShadow(QPainter& p, const QRectF& paper)
{
    const double w = paper.width() / 100;
    const QRectF right(paper.topRight() + QPointF(0, w), paper.bottomRight() + QPointF(w, 0));
    QLinearGradient rg(right.topLeft(), right.topRight());
    rg.setColorAt(0.0, QColor(0, 0, 0, 255));
    rg.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(right, QBrush(rg));
    const QRectF bottom(paper.bottomLeft() + QPointF(w, 0), paper.bottomRight() + QPointF(0, w));
    QLinearGradient bg(bottom.topLeft(), bottom.bottomLeft());
    bg.setColorAt(0.0, QColor(0, 0, 0, 255));
    bg.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(bottom, QBrush(bg));
    const QRectF corner(paper.bottomRight(), paper.bottomRight() + QPointF(w, w));
    QRadialGradient cg(corner.topLeft(), w, corner.topLeft());
    cg.setColorAt(0.0, QColor(0, 0, 0, 255));
    cg.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(corner, QBrush(cg));
}
}

PreviewPages::PreviewPages(QWidget* parent) : QAbstractScrollArea(parent), painter_(std::make_unique<PagePainter>())
{
    viewport()->setCursor(Qt::OpenHandCursor);
    viewport()->setAutoFillBackground(false);
}

PreviewPages::~PreviewPages() = default;

void PreviewPages::setPages(const QuickRep::Layout* layout, double dpi)
{
    layout_ = layout;
    dpi_ = dpi;
    painter_ = std::make_unique<PagePainter>();
    painted_ = 0;
    current_ = pageCount() > 0 ? 1 : 0;
    fit(true);
}

int PreviewPages::pageCount() const { return layout_ ? layout_->pageCount() : 0; }

double PreviewPages::border() const
{
    if (!layout_)
        return 0;
    const QSizeF mm = layout_->paperMm();
    return qMax(mm.width(), mm.height()) / MmPerInch * dpi_ / 25;
}

QSizeF PreviewPages::itemSize() const
{
    if (!layout_)
        return {};
    const QSizeF paper = layout_->paperMm() / MmPerInch * dpi_;
    const double b = border();
    return {paper.width() + 2 * b, paper.height() + 2 * b};
}

QPointF PreviewPages::origin() const
{
    const QSizeF item = itemSize() * scale_;
    const double width = item.width(), height = item.height() * pageCount();
    const QSize view = viewport()->size();
    return {width < view.width() ? (view.width() - width) / 2 : -horizontalScrollBar()->value(),
            height < view.height() ? (view.height() - height) / 2 : -verticalScrollBar()->value()};
}

void PreviewPages::updateBars()
{
    const QSizeF item = itemSize() * scale_;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, int(std::ceil(item.width() - view.width()))));
    verticalScrollBar()->setRange(0, qMax(0, int(std::ceil(item.height() * pageCount() - view.height()))));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(qMax(1, view.width() / 20));
    // Fitting whole pages, a step is a page.
    const int step = mode_ == Mode::FitInView ? qMax(1, qRound(item.height())) : 0;
    verticalScrollBar()->setPageStep(step ? step : view.height());
    verticalScrollBar()->setSingleStep(step ? step : qMax(1, view.height() / 20));
}

void PreviewPages::setScale(double scale, QPointF anchor)
{
    if (pageCount() > 0)
        scale = qMin(scale, LongestView / (itemSize().height() * pageCount()));
    scale = qMax(scale, SmallestZoom);
    const QPointF scene = (anchor - origin()) / scale_;   // the point that stays under the anchor
    const bool changedScale = scale != scale_;
    scale_ = scale;
    adjusting_ = true;
    updateBars();
    horizontalScrollBar()->setValue(qRound(scene.x() * scale_ - anchor.x()));
    verticalScrollBar()->setValue(qRound(scene.y() * scale_ - anchor.y()));
    adjusting_ = false;
    viewport()->update();
    updateCurrent();
    if (changedScale)
        emit changed();
}

void PreviewPages::fit(bool toCurrentPage)
{
    if (!layout_ || mode_ == Mode::Custom || pageCount() == 0)
        return;
    const QSizeF item = itemSize();
    const QSize view = viewport()->size();
    const int page = qMax(1, current_) - 1;
    if (mode_ == Mode::FitToWidth) {
        // What shows at the top of the view stays there.
        setScale(view.width() / item.width(), QPointF(0, 0));
        if (toCurrentPage)
            verticalScrollBar()->setValue(qRound(page * item.height() * scale_));
    } else {
        // The whole page inside the view, two pixels clear of its edges, centred.
        setScale(qMin((view.width() - 4) / item.width(), (view.height() - 4) / item.height()), QPointF(0, 0));
        verticalScrollBar()->setValue(qRound((page + 0.5) * item.height() * scale_ - view.height() / 2.0));
    }
}

void PreviewPages::fitToWidth()
{
    mode_ = Mode::FitToWidth;
    fit(true);
}

void PreviewPages::fitInView()
{
    mode_ = Mode::FitInView;
    fit(true);
}

void PreviewPages::zoomIn(double factor)
{
    mode_ = Mode::Custom;
    const QSize view = viewport()->size();
    setScale(scale_ * factor, QPointF(view.width() / 2.0, view.height() / 2.0));
}

void PreviewPages::zoomOut(double factor) { zoomIn(1 / factor); }

void PreviewPages::setCurrentPage(int page)
{
    if (page < 1 || page > pageCount() || page == current_)
        return;
    current_ = page;
    const double item = itemSize().height() * scale_;
    if (mode_ == Mode::FitInView) {
        verticalScrollBar()->setValue(qRound((page - 0.5) * item - viewport()->height() / 2.0));
    } else {
        verticalScrollBar()->setValue(qRound((page - 1) * item) - AbovePage);
        horizontalScrollBar()->setValue(0);
    }
    emit changed();
}

void PreviewPages::updateCurrent()
{
    const int n = pageCount();
    if (n == 0 || adjusting_)
        return;
    // The page whose border takes most of the view; the first of equals.
    const double item = itemSize().height() * scale_;
    const double top = origin().y(), view = viewport()->height();
    const int first = qBound(0, int(std::floor(-top / item)), n - 1);
    int best = current_;
    double most = 0;
    for (int i = first; i < n; ++i) {
        const double y = top + i * item;
        if (y >= view)
            break;
        const double seen = qMin(y + item, view) - qMax(y, 0.0);
        if (seen > most + 1e-9) {
            most = seen;
            best = i + 1;
        }
    }
    if (best != current_) {
        current_ = best;
        emit changed();
    }
}

QRectF PreviewPages::pageRect(int page) const
{
    const QSizeF item = itemSize() * scale_;
    const double b = border() * scale_;
    const QPointF o = origin();
    return {o.x() + b, o.y() + (page - 1) * item.height() + b, item.width() - 2 * b, item.height() - 2 * b};
}

void PreviewPages::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    p.fillRect(e->rect(), Qt::gray);
    const int n = pageCount();
    if (n == 0)
        return;
    const double item = itemSize().height() * scale_;
    const int first = qBound(0, int(std::floor((e->rect().top() - origin().y()) / item)), n - 1);
    for (int i = first; i < n; ++i) {
        const QRectF sheet = pageRect(i + 1);
        if (sheet.top() - border() * scale_ > e->rect().bottom())
            break;
        paintShadow(p, sheet);
        if (!sheet.intersects(QRectF(e->rect())))
            continue;
        p.fillRect(sheet, Qt::white);
        p.save();
        p.setClipRect(sheet & QRectF(e->rect()));
        p.translate(sheet.topLeft());
        p.scale(scale_, scale_);
        painter_->paint(p, layout_->page(i), dpi_, dpi_);
        p.restore();
        ++painted_;
    }
}

void PreviewPages::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (mode_ == Mode::Custom) {
        updateBars();
        updateCurrent();
    } else {
        fit(false);
    }
}

void PreviewPages::scrollContentsBy(int, int)
{
    viewport()->update();
    updateCurrent();
}

void PreviewPages::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(e);
    dragging_ = true;
    dragFrom_ = e->position().toPoint();
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void PreviewPages::mouseMoveEvent(QMouseEvent* e)
{
    if (!dragging_)
        return QAbstractScrollArea::mouseMoveEvent(e);
    const QPoint at = e->position().toPoint(), by = at - dragFrom_;
    dragFrom_ = at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - by.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - by.y());
}

void PreviewPages::mouseReleaseEvent(QMouseEvent* e)
{
    if (!dragging_)
        return QAbstractScrollArea::mouseReleaseEvent(e);
    dragging_ = false;
    viewport()->setCursor(Qt::OpenHandCursor);
}
