#include "DataGrid.h"

#include "Handlers.h"
#include "data/Query.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

// The table model over a Query. It keeps only the row count and the column -> field map of
// the last reset; cells are read from the query's rows when the view asks for them.
class QueryModel : public QAbstractTableModel {
public:
    explicit QueryModel(DataGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    void attach(Query* q)
    {
        beginResetModel();
        for (const auto& c : conns_) disconnect(c);
        conns_.clear();
        query_ = q;
        if (q) {
            conns_ << connectHandler(q, &Query::dataReset, this, [this] { reset(); });
            conns_ << connectHandler(q, &Query::rowChanged, this, [this](int row) { rowChanged(row); });
            conns_ << connectHandler(q, &Query::currentChanged, this, [this](int row) { grid_->followQueryRow(row); });
            conns_ << connectHandler(q, &QObject::destroyed, this, [this] { attach(nullptr); });
        }
        snapshot();
        endResetModel();
    }

    Query* query() const { return query_; }

    void reset()
    {
        beginResetModel();
        snapshot();
        endResetModel();
        grid_->afterReset();
    }

    // Columns changed: the field map and the headers are rebuilt.
    void columnsChanged()
    {
        beginResetModel();
        snapshot();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(grid_->columns().size());
    }

    // True when row and column can be read from the query now.
    bool readable(int row, int col) const
    {
        return query_ && query_->isOpen() && row >= 0 && row < rows_ && row < query_->recordCount()
            && col >= 0 && col < fieldOf_.size();
    }

    QString text(int row, int col) const
    {
        // While the grid is frozen the query may hold other rows and fields than the grid
        // took at its last reset: only what still exists is read.
        if (!readable(row, col) || fieldOf_[col] < 0 || fieldOf_[col] >= query_->fieldCount())
            return QString();
        return query_->cellText(row, fieldOf_[col]);
    }

    RowStyle style(int row) const
    {
        if (!grid_->styler_ || !query_ || !query_->isOpen() || row < 0 || row >= query_->recordCount())
            return {};
        if (row != styleRow_) {
            styleRow_ = row;
            style_ = grid_->styler_(row);
        }
        return style_;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int row = index.row(), col = index.column();
        if (!readable(row, col))
            return QVariant();
        const GridColumn& c = grid_->columns()[col];
        switch (role) {
        case Qt::DisplayRole:
            return text(row, col);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(c.align);
        case Qt::BackgroundRole: {
            const RowStyle s = style(row);
            if (s.brush.isValid()) return QBrush(s.brush);
            if (c.tint.isValid()) return QBrush(c.tint);
            if (grid_->emptyArea_.isValid()) return QBrush(Qt::white);
            return QVariant();
        }
        case Qt::ForegroundRole: {
            const RowStyle s = style(row);
            if (s.font.isValid()) return QBrush(s.font);
            return QVariant();
        }
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || section < 0 || section >= grid_->columns().size())
            return QVariant();
        const GridColumn& c = grid_->columns()[section];
        switch (role) {
        case Qt::DisplayRole:
            return c.title;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(c.titleCentered ? Qt::Alignment(Qt::AlignCenter)
                                                       : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case Qt::FontRole: {
            QFont f = grid_->font();
            f.setBold(grid_->isTitleBold(section));
            return f;
        }
        default:
            return QVariant();
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void titlesChanged()
    {
        if (const int n = columnCount()) emit headerDataChanged(Qt::Horizontal, 0, n - 1);
    }

private:
    void snapshot()
    {
        styleRow_ = -1;
        grid_->refreshAutoColumns();
        const auto& cols = grid_->columns();
        fieldOf_.resize(cols.size());
        const bool open = query_ && query_->isOpen();
        for (int i = 0; i < cols.size(); ++i)
            fieldOf_[i] = open ? query_->fieldIndex(cols[i].field) : -1;
        rows_ = open ? query_->recordCount() : 0;
    }

    void rowChanged(int row)
    {
        if (row < 0 || row >= rows_) {
            reset();
            return;
        }
        styleRow_ = -1;
        if (const int n = columnCount()) emit dataChanged(index(row, 0), index(row, n - 1));
    }

    DataGrid* grid_;
    QPointer<Query> query_;
    QVector<QMetaObject::Connection> conns_;
    QVector<int> fieldOf_;
    int rows_ = 0;
    mutable int styleRow_ = -1;
    mutable RowStyle style_;
};

// Paints a cell as the view's own item painting does (background, selection, the text in the
// cell's alignment) but lays each distinct text out once: a screen of a ledger repeats its
// dates, names and amounts, and laying a text out is most of what painting it costs. A text
// that does not fit (elided), the focused cell (framed around its text) and an empty cell are
// left to the view's own way.
class CellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* w = opt.widget;
        const QStyle* style = w ? w->style() : QApplication::style();
        if (opt.text.isEmpty() || (opt.features & QStyleOptionViewItem::WrapText) || (opt.state & QStyle::State_HasFocus)) {
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
            return;
        }
        // No check box or icon in these cells: the text has the whole cell less the margins
        // (asking the style would lay the text out to measure it).
        QRect textRect = opt.rect;
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
        textRect.adjust(margin, 0, -margin, 0);
        const QStaticText& text = laidOut(opt.text, opt.font);
        const QSizeF size = text.size();
        if (size.width() > textRect.width()) {
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
            return;
        }
        // Everything but the text, then the text where the view would put it.
        opt.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
        QPalette::ColorGroup cg = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (cg == QPalette::Normal && !(opt.state & QStyle::State_Active))
            cg = QPalette::Inactive;
        const QRect line = QStyle::alignedRect(opt.direction, opt.displayAlignment & Qt::AlignVertical_Mask,
                                               QSize(textRect.width(), int(size.height())), textRect);
        double x = line.left();
        const Qt::Alignment h = QStyle::visualAlignment(opt.direction, opt.displayAlignment) & Qt::AlignHorizontal_Mask;
        if (h & Qt::AlignRight)
            x += textRect.width() - size.width();
        else if (h & Qt::AlignHCenter)
            x += (textRect.width() - size.width()) / 2;
        painter->save();
        painter->setClipRect(opt.rect);
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(cg, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        painter->drawStaticText(QPointF(x, line.top()), text);
        painter->restore();
    }

private:
    // The text laid out in the font (kept for the next paint; two thousand at most).
    const QStaticText& laidOut(const QString& s, const QFont& font) const
    {
        if (font != font_) {
            texts_.clear();
            font_ = font;
        }
        auto it = texts_.find(s);
        if (it == texts_.end()) {
            if (texts_.size() > 2048)
                texts_.clear();
            QStaticText t(s);
            t.setTextFormat(Qt::PlainText);
            t.prepare(QTransform(), font);
            it = texts_.insert(s, t);
        }
        return it.value();
    }

    mutable QHash<QString, QStaticText> texts_;
    mutable QFont font_;
};

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    model_ = new QueryModel(this);
    setModel(model_);
    setItemDelegate(new CellPainter(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);

    connectHandler(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::clickTitle);
    connectHandler(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                   [this](const QModelIndex& cur, const QModelIndex&) {
                       if (syncing_ || !cur.isValid() || !query_ || !query_->isOpen() || query_->controlsDisabled())
                           return;
                       if (query_->recNo() == cur.row())
                           return;
                       syncing_ = true;
                       try {
                           query_->moveTo(cur.row());
                       } catch (...) {
                           syncing_ = false;
                           throw;
                       }
                       syncing_ = false;
                   });
}

DataGrid::~DataGrid() = default;

void DataGrid::setQuery(Query* q)
{
    query_ = q;
    if (q)
        connectHandler(q, &QObject::destroyed, this, [this, q] { if (query_ == q) query_ = nullptr; });
    model_->attach(q);
    applyColumnLayout();
    afterReset();
}

void DataGrid::setColumns(const QVector<GridColumn>& cols)
{
    cols_ = cols;
    autoColumns_ = cols_.isEmpty();
    bold_ = QVector<bool>(cols_.size(), false);
    model_->columnsChanged();
    applyColumnLayout();
    afterReset();
}

// Without columns given, the grid shows every field of the query under its name.
void DataGrid::refreshAutoColumns()
{
    if (!autoColumns_)
        return;
    QVector<GridColumn> cols;
    if (query_ && query_->isOpen()) {
        for (int i = 0; i < query_->fieldCount(); ++i) {
            GridColumn c;
            c.field = query_->fieldName(i);
            c.title = c.field;
            cols << c;
        }
    }
    bool same = cols.size() == cols_.size();
    for (int i = 0; same && i < cols.size(); ++i)
        same = cols[i].field == cols_[i].field;
    if (!same) {
        cols_ = cols;
        bold_ = QVector<bool>(cols_.size(), false);
    }
}

void DataGrid::applyColumnLayout()
{
    for (int i = 0; i < cols_.size(); ++i) {
        setColumnWidth(i, cols_[i].width);
        setColumnHidden(i, !cols_[i].visible);
    }
}

int DataGrid::columnCountAll() const { return cols_.size(); }

const GridColumn& DataGrid::column(int i) const { return cols_.at(i); }

int DataGrid::columnOfField(const QString& field) const
{
    for (int i = 0; i < cols_.size(); ++i)
        if (cols_[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DataGrid::setEmptyAreaColour(const QColor& c)
{
    emptyArea_ = c;
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);   // the titles' strip past the last column too
    setPalette(p);
}

void DataGrid::setColumnVisible(int i, bool visible)
{
    if (i < 0 || i >= cols_.size())
        return;
    cols_[i].visible = visible;
    setColumnHidden(i, !visible);
}

bool DataGrid::isColumnVisible(int i) const
{
    return i >= 0 && i < cols_.size() && cols_[i].visible;
}

void DataGrid::setColumnTitle(int i, const QString& title)
{
    if (i < 0 || i >= cols_.size())
        return;
    cols_[i].title = title;
    model_->titlesChanged();
}

QVector<GridColumn> DataGrid::visibleColumns() const
{
    QVector<GridColumn> out;
    for (const GridColumn& c : cols_)
        if (c.visible) out << c;
    return out;
}

void DataGrid::setRowStyler(RowStyler styler)
{
    styler_ = std::move(styler);
    model_->columnsChanged();
    applyColumnLayout();
    afterReset();
}

RowStyle DataGrid::rowStyle(int row) const
{
    return model_->style(row);
}

void DataGrid::enableTitleSort(bool on) { titleSort_ = on; }

bool DataGrid::isTitleBold(int col) const { return col >= 0 && col < bold_.size() && bold_[col]; }

void DataGrid::clearTitleBold()
{
    bold_.fill(false);
    model_->titlesChanged();
}

void DataGrid::clickTitle(int col)
{
    if (col < 0 || col >= cols_.size())
        return;
    if (titleSort_ && query_ && query_->isOpen()) {
        bold_.fill(false);
        const QString field = cols_[col].field;
        const QString asc = field + QStringLiteral(" ASC");
        query_->setSort(query_->sort() == asc ? field + QStringLiteral(" DESC") : asc);
        bold_[col] = true;
        model_->titlesChanged();
    }
    emit titleClicked(col);
}

QString DataGrid::cellText(int row, int col) const { return model_->text(row, col); }

int DataGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

int DataGrid::firstVisibleColumn() const
{
    for (int i = 0; i < cols_.size(); ++i)
        if (cols_[i].visible) return i;
    return 0;
}

// The query's cursor moved: the grid's current row follows (unless the grid moved it).
void DataGrid::followQueryRow(int row)
{
    if (syncing_)
        return;
    const int rows = model_->rowCount();
    if (row < 0 || row >= rows)
        return;
    int col = currentIndex().isValid() ? currentIndex().column() : firstVisibleColumn();
    syncing_ = true;
    const QModelIndex idx = model_->index(row, col);
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(idx);
    syncing_ = false;
}

void DataGrid::afterReset()
{
    if (query_ && query_->isOpen() && query_->recNo() >= 0)
        followQueryRow(query_->recNo());
}

void DataGrid::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit enterPressed();
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTableView::mouseDoubleClickEvent(e);
    // Anywhere in the grid, as on its rows: the window's action refuses when there is no row.
    const QModelIndex idx = indexAt(e->position().toPoint());
    emit rowDoubleClicked(idx.isValid() ? idx.row() : -1);
}

void DataGrid::contextMenuEvent(QContextMenuEvent* e)
{
    const QModelIndex idx = indexAt(e->pos());
    if (!idx.isValid()) {
        e->ignore();
        return;
    }
    // The pointed row becomes the current row (of the grid and of the query) first, so an
    // action of the pop-up acts on the row the operator sees under the pointer.
    setCurrentIndex(idx);
    if (query_ && query_->isOpen() && !query_->controlsDisabled() && query_->recNo() != idx.row())
        query_->moveTo(idx.row());
    QMenu* menu = cols_.value(idx.column()).popup;
    if (menu) {
        lastPopup_ = menu;
        menu->popup(e->globalPos());
    }
    e->accept();
}

#include "moc_DataGrid.cpp"
