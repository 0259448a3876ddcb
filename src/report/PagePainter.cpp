#include "PagePainter.h"

#include "QuickRep.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr double MmPerInch = 25.4;
// Shaped texts a face keeps in each of its two generations: a page of a long list brings
// few new texts, so the recent ones stay while a report of any length goes by.
constexpr int KeptTexts = 20000;

// A position cut as the text engine cuts a drawing origin (to 1/64 pixel, towards zero), so
// that the glyphs placed from it stand exactly where a drawn text's glyphs stand.
double fixedPoint(double v) { return std::trunc(v * 64) / 64; }

// A horizontal or vertical rule: the line it lies on and where it runs along it.
struct Segment {
    double along, from, to;
    bool operator<(const Segment& o) const { return along != o.along ? along < o.along : from < o.from; }
};

// Joins the segments along one line that touch or overlap and adds them to the rules.
void joinSegments(std::vector<Segment>& segs, bool vertical, QVector<QLineF>& rules)
{
    constexpr double Touch = 1e-6;
    std::sort(segs.begin(), segs.end());
    for (size_t i = 0; i < segs.size();) {
        Segment run = segs[i];
        for (++i; i < segs.size() && std::abs(segs[i].along - run.along) <= Touch && segs[i].from <= run.to + Touch; ++i)
            run.to = std::max(run.to, segs[i].to);
        rules << (vertical ? QLineF(run.along, run.from, run.along, run.to) : QLineF(run.from, run.along, run.to, run.along));
    }
}

// A text as the key of the shaped texts, with a cheap hash of its few characters (a page
// looks up hundreds of texts; the string hash of the library costs more than the rest).
struct Text {
    QString text;
    bool operator==(const Text& o) const { return text == o.text; }
    friend size_t qHash(const Text& t, size_t seed) noexcept
    {
        size_t h = 14695981039346656037ull ^ seed;   // FNV-1a over the UTF-16 code units
        for (const QChar c : t.text)
            h = (h ^ c.unicode()) * 1099511628211ull;
        return h;
    }
};
}

struct PagePainter::Shape {
    struct Run {
        int font = 0;   // index into rawFonts_
        QVector<quint32> glyphs;
        QVector<QPointF> positions;   // from the line's left end, on its baseline
    };
    std::vector<Run> runs;
    double advance = 0;   // the line's horizontal advance
    double height = 0;    // ascent + descent
};

struct PagePainter::Face {
    ReportFont font;
    double dpi = 0;
    QFont qfont;
    double raise = 0;
    QHash<Text, Shape> recent, older;
};

PagePainter::PagePainter() = default;
PagePainter::~PagePainter() = default;

int PagePainter::shapedTexts() const
{
    int n = 0;
    for (const auto& f : faces_)
        n += int(f->recent.size() + f->older.size());
    return n;
}

PagePainter::Face& PagePainter::face(const ReportFont& font, double dpi)
{
    auto same = [&](const Face& f) {
        return f.dpi == dpi && f.font.px == font.px && f.font.bold == font.bold && f.font.family == font.family;
    };
    if (last_ && same(*last_))
        return *last_;
    for (const auto& f : faces_)
        if (same(*f))
            return *(last_ = f.get());
    auto f = std::make_unique<Face>();
    f->font = font;
    f->dpi = dpi;
    f->qfont = font.toQFont(dpi);
    // The layouts place a top-aligned text for a font whose ascent is 0.86 of its size; the
    // installed CJK fonts ascend further, which would push the glyphs down onto the rule
    // under them. The baseline stays where the layout means it.
    f->raise = qMax(0.0, QFontMetricsF(f->qfont).ascent() - 0.86 * f->qfont.pixelSize());
    faces_.push_back(std::move(f));
    return *(last_ = faces_.back().get());
}

int PagePainter::rawFontIndex(const QRawFont& font)
{
    for (size_t i = 0; i < rawFonts_.size(); ++i)
        if (rawFonts_[i] == font)
            return int(i);
    rawFonts_.push_back(font);
    batches_.emplace_back();
    return int(rawFonts_.size() - 1);
}

const PagePainter::Shape& PagePainter::shape(Face& f, const QString& text, const QPainter& p)
{
    const Text key{text};
    if (auto it = f.recent.constFind(key); it != f.recent.constEnd())
        return *it;
    if (f.recent.size() >= KeptTexts) {
        f.older = std::move(f.recent);
        f.recent = {};
    }
    if (auto it = f.older.find(key); it != f.older.end()) {
        Shape s = std::move(*it);
        f.older.erase(it);
        return *f.recent.insert(key, std::move(s));
    }
    // One line, laid out as drawText lays out a single line: no wrapping, left to right.
    QTextLayout layout(text, f.qfont, p.device());
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    Shape s;
    if (line.isValid()) {
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        s.advance = line.horizontalAdvance();
        s.height = line.ascent() + line.descent();
    }
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        s.runs.push_back({rawFontIndex(run.rawFont()), run.glyphIndexes(), run.positions()});
    return *f.recent.insert(key, std::move(s));
}

void PagePainter::paint(QPainter& p, const PageContent& page, double dpiX, double dpiY)
{
    const double sx = dpiX / MmPerInch, sy = dpiY / MmPerInch;
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, dpiX / 96.0));
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);

    // The rules: one stroke; a column's rules of every row make one line down the page.
    std::vector<Segment> vertical, horizontal;
    QVector<QLineF> rules;
    for (const QLineF& l : page.lines) {
        const QLineF d(l.x1() * sx, l.y1() * sy, l.x2() * sx, l.y2() * sy);
        if (d.x1() == d.x2())
            vertical.push_back({d.x1(), std::min(d.y1(), d.y2()), std::max(d.y1(), d.y2())});
        else if (d.y1() == d.y2())
            horizontal.push_back({d.y1(), std::min(d.x1(), d.x2()), std::max(d.x1(), d.x2())});
        else
            rules << d;
    }
    joinSegments(vertical, true, rules);
    joinSegments(horizontal, false, rules);
    if (!rules.isEmpty())
        p.drawLines(rules);
    for (const QRectF& r : page.frames)
        p.drawRect(QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy));

    // The texts: placed as drawText places a single line in its rectangle, gathered by font.
    for (const PlacedText& t : page.texts) {
        if (t.text.isEmpty())
            continue;
        Face& f = face(t.font, dpiY);
        QRectF r(t.rect.x() * sx, t.rect.y() * sy, t.rect.width() * sx, t.rect.height() * sy);
        if (!(t.align & (Qt::AlignVCenter | Qt::AlignBottom | Qt::AlignBaseline)))
            r.translate(0, -f.raise);
        const Shape& s = shape(f, t.text, p);
        double x = 0, y = 0;
        if (t.align & Qt::AlignBottom)
            y = r.height() - s.height;
        else if (t.align & Qt::AlignVCenter)
            y = (r.height() - s.height) / 2;
        if (t.align & Qt::AlignRight)
            x = r.width() - s.advance;
        else if (t.align & Qt::AlignHCenter)
            x = (r.width() - s.advance) / 2;
        const QPointF origin(fixedPoint(r.x() + x), fixedPoint(r.y() + y));
        for (const Shape::Run& run : s.runs) {
            Batch& b = batches_[size_t(run.font)];
            b.glyphs += run.glyphs;
            for (const QPointF& at : run.positions)
                b.positions.push_back(origin + at);
        }
    }
    // A PDF writes each glyph's move from the one before as a decimal: in 1/64 pixel units
    // (glyphs 64 times the size, drawn at 1/64 scale) the moves are whole numbers, shorter
    // to write and to pack, and they add up exactly.
    const bool pdf = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Pdf;
    if (pdf) {
        p.save();
        p.scale(1.0 / 64, 1.0 / 64);
    }
    for (size_t i = 0; i < batches_.size(); ++i) {
        Batch& b = batches_[i];
        if (b.glyphs.isEmpty())
            continue;
        QGlyphRun run;
        if (pdf) {
            fineFonts_.resize(rawFonts_.size());
            if (!fineFonts_[i].isValid()) {
                fineFonts_[i] = rawFonts_[i];
                fineFonts_[i].setPixelSize(rawFonts_[i].pixelSize() * 64);
            }
            for (QPointF& at : b.positions)
                at *= 64;
            run.setRawFont(fineFonts_[i]);
        } else {
            run.setRawFont(rawFonts_[i]);
        }
        run.setGlyphIndexes(b.glyphs);
        run.setPositions(b.positions);
        p.drawGlyphRun(QPointF(0, 0), run);
        b.glyphs.clear();
        b.positions.clear();
    }
    if (pdf)
        p.restore();
}
