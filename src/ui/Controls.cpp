#include "Controls.h"

#include "DataGrid.h"
#include "Handlers.h"
#include "data/Clock.h"
#include "data/Money.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTimer>
#include <algorithm>
#include <vector>

// ---------------------------------------------------------------------------------------
// KeyPreview

KeyPreview::KeyPreview(QWidget* form) : QObject(form), form_(form)
{
    // Keys go to the focused control, so the preview watches the application's key events
    // and keeps those addressed to a control of its own window.
    qApp->installEventFilter(this);
}

void KeyPreview::mapKey(int key, QAbstractButton* button) { keys_.insert(key, button); }

void KeyPreview::onEnter(QWidget* field, std::function<void()> action)
{
    enter_.insert(field, std::move(action));
    connectHandler(field, &QObject::destroyed, this, [this, field] { enter_.remove(field); });
}

void KeyPreview::enterMovesTo(QWidget* field, QWidget* next)
{
    QPointer<QWidget> target(next);
    onEnter(field, [target] {
        if (target) target->setFocus(Qt::TabFocusReason);
    });
}

bool KeyPreview::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() != QEvent::KeyPress || !obj->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(obj);
    if (w != form_ && !form_->isAncestorOf(w))
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    if (auto it = keys_.constFind(key); it != keys_.constEnd()) {
        // A mapped key is the button's: it is not passed on, so a key that bubbles up
        // through the parents clicks only once.
        QAbstractButton* b = it.value();
        if (b && b->isEnabled())
            b->click();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        for (QWidget* p = w; p; p = p->parentWidget()) {
            if (auto it = enter_.constFind(p); it != enter_.constEnd()) {
                const auto action = it.value();
                action();
                return true;
            }
            if (p == form_)
                break;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Number filters

bool numberKeyAllowed(const QString& current, QChar typed, NumberKind kind)
{
    if (typed.isDigit() && typed.unicode() < 128)
        return true;
    if (typed == QLatin1Char('.'))
        return !current.contains(QLatin1Char('.'));
    if (typed == QLatin1Char('-'))
        return kind == NumberKind::Signed && !current.contains(QLatin1Char('-'));
    return false;
}

namespace ListColours {
QColor held() { return QColor(225, 255, 225); }
QColor tint() { return QColor(222, 253, 254); }   // $FEFDDE is blue FE, green FD, red DE
QColor cream() { return QColor(255, 251, 240); }
QColor grey() { return QColor(212, 208, 200); }
QColor red() { return QColor(255, 0, 0); }

void fill(QWidget* w, const QColor& c)
{
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}
}

namespace {
// The characters of text that the filter lets through, typed one after another into base.
QString filtered(QString base, const QString& text, NumberKind kind)
{
    QString out;
    for (QChar ch : text) {
        if (numberKeyAllowed(base + out, ch, kind))
            out += ch;
    }
    return out;
}

class NumberFilter : public QObject {
public:
    NumberFilter(QLineEdit* edit, NumberKind kind) : QObject(edit), edit_(edit), kind_(kind)
    {
        edit->installEventFilter(this);
        // Anything that still changes the text past the keys (the context menu's paste,
        // a drop) is cleaned the same way, from the left.
        connectHandler(edit, &QLineEdit::textEdited, this, [this](const QString& t) {
            const QString clean = filtered(QString(), t, kind_);
            if (clean != t) {
                const int pos = edit_->cursorPosition() - (t.size() - clean.size());
                edit_->setText(clean);
                edit_->setCursorPosition(qBound(0, pos, int(clean.size())));
            }
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        QString rest = edit_->text();
        if (edit_->hasSelectedText())
            rest.remove(edit_->selectionStart(), edit_->selectedText().size());
        if (k == QKeySequence::Paste) {
            edit_->insert(filtered(rest, QApplication::clipboard()->text(), kind_));
            return true;
        }
        const QString t = k->text();
        if (t.size() != 1 || !t[0].isPrint())
            return false;   // backspace, arrows, Enter, shortcuts: not text
        return !numberKeyAllowed(rest, t[0], kind_);
    }

private:
    QLineEdit* edit_;
    NumberKind kind_;
};
}

void installNumberFilter(QLineEdit* edit, NumberKind kind)
{
    new NumberFilter(edit, kind);
    if (auto* field = qobject_cast<ExitEdit*>(edit))
        installRangeCheck(field);
}

// ---------------------------------------------------------------------------------------
// EditAutoSelect

bool EditAutoSelect::selectsAllOn(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:       // Tab, and Enter moving along the form's chain
    case Qt::BacktabFocusReason:   // Shift+Tab
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:     // the program's setFocus()
        return true;
    default:                       // mouse, window activation, a closed pop-up or menu
        return false;
    }
}

bool EditAutoSelect::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::FocusIn && obj->isWidgetType()) {
        auto* edit = qobject_cast<QLineEdit*>(obj);
        // The edit inside a date picker or spin box keeps its own section handling.
        if (edit && !qobject_cast<QAbstractSpinBox*>(edit->parentWidget())
            && selectsAllOn(static_cast<QFocusEvent*>(e)->reason()))
            edit->selectAll();
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// ExitEdit

namespace {
// The form a control belongs to: its top-level window, or the MDI child it sits in.
QWidget* formOf(QWidget* w)
{
    while (w && !w->isWindow()) {
        if (qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            return w;
        w = w->parentWidget();
    }
    return w;
}
}

ExitEdit::ExitEdit(QWidget* parent) : QLineEdit(parent) {}

void ExitEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    // A form being hidden or minimised hands the focus on inside itself first, and a form
    // brought to the front may take the focus itself: neither is another control.
    QWidget* next = QApplication::focusWidget();
    QWidget* form = formOf(this);
    if (next && next != this && next != form && isVisible() && next->isVisible() && formOf(next) == form) {
        emit exited();
        if (!qobject_cast<QAbstractButton*>(next))
            emit exitedToField();
    }
}

void ExitEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    emit doubleClicked();
}

void installRangeCheck(ExitEdit* edit)
{
    connectHandler(edit, &ExitEdit::exited, edit, [edit] {
        try {
            Money::parse(edit->text()).checkedRange();
        } catch (const MoneyRangeError&) {
            showCurrentError();
            edit->setFocus();
        } catch (const MoneyFormatError&) {
        }
    });
}

void installAmountEdit(ExitEdit* edit, const QString& zero)
{
    installNumberFilter(edit, NumberKind::Unsigned);
    connectHandler(edit, &QLineEdit::textChanged, edit, [edit, zero] {
        if (edit->text().trimmed().isEmpty()) {
            edit->setText(zero);
            edit->selectAll();
        }
    });
    connectHandler(edit, &ExitEdit::exited, edit, [edit] { roundTypedField(edit); });
}

void roundTypedField(QLineEdit* edit)
{
    QString rounded;
    try {
        rounded = roundTypedText(edit->text());
    } catch (const MoneyRangeError&) {
        return;   // a value beyond the range stays as typed: the range check refuses it, once
    }
    if (rounded != edit->text())
        edit->setText(rounded);
}

// ---------------------------------------------------------------------------------------
// SpeedButton

SpeedButton::SpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent)
{
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

SpeedButton* pickerButtonAfter(QWidget* field, const QString& name, const QString& hint)
{
    auto* b = named(new SpeedButton(QStringLiteral("…"), field->parentWidget()), name);
    const QRect r = field->geometry();
    b->setGeometry(r.x() + r.width(), r.y(), r.height(), r.height());
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

// ---------------------------------------------------------------------------------------
// DatePicker

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
    setDate(Clock::today());
    if (QCalendarWidget* cal = calendarWidget()) {
        // The calendar sits in a pop-up window; its hiding is the close-up.
        if (QWidget* popup = cal->window(); popup && popup != window())
            popup->installEventFilter(this);
    }
}

bool DatePicker::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::Hide && obj->isWidgetType() && static_cast<QWidget*>(obj)->isWindow())
        emit closeUp();
    return QDateEdit::eventFilter(obj, e);
}

void DatePicker::pickFromCalendar(const QDate& d)
{
    setDate(d);
    emit closeUp();
}

QDate addMonthsClamped(const QDate& d, int months)
{
    if (!d.isValid())
        return d;
    const QDate first = QDate(d.year(), d.month(), 1).addMonths(months);
    return QDate(first.year(), first.month(), qMin(d.day(), first.daysInMonth()));
}

void linkDateRange(DatePicker* from, DatePicker* to)
{
    connectHandler(from, &DatePicker::closeUp, to, [from, to] {
        if (to->date() < from->date()) to->setDate(from->date());
    });
    connectHandler(to, &DatePicker::closeUp, from, [from, to] {
        if (from->date() > to->date()) from->setDate(to->date());
    });
}

DateRangeControls createDateRangeControls(const QString& caption, QWidget* parent)
{
    DateRangeControls c{new QCheckBox(caption, parent), new DatePicker(parent), new DatePicker(parent)};
    c.box->setObjectName(QStringLiteral("CheckBox1"));
    c.from->setObjectName(QStringLiteral("DateTimePicker1"));
    c.to->setObjectName(QStringLiteral("DateTimePicker2"));
    return c;
}

void DateRangeControls::reset() const
{
    const QDate today = Clock::today();
    to->setDate(today);
    from->setDate(addMonthsClamped(today, -1));
    box->setChecked(false);
}

// ---------------------------------------------------------------------------------------
// PanelBar

PanelBar::PanelBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
}

int PanelBar::addPanel(int width, Qt::Alignment align, const QString& text)
{
    auto* l = new QLabel(text, this);
    l->setObjectName(QStringLiteral("Panel%1").arg(panels_.size()));
    l->setAlignment(align);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setContentsMargins(3, 0, 3, 0);
    l->show();
    panels_.push_back({.label = l, .width = width});
    setMinimumHeight(l->sizeHint().height() + 4);
    placePanels();
    return panels_.size() - 1;
}

void PanelBar::setPanelText(int index, const QString& text)
{
    if (index >= 0 && index < panels_.size())
        panels_[index].label->setText(text);
}

QString PanelBar::panelText(int index) const
{
    return index >= 0 && index < panels_.size() ? panels_[index].label->text() : QString();
}

QRect PanelBar::panelGeometry(int index) const
{
    return index >= 0 && index < panels_.size() ? panels_[index].label->geometry() : QRect();
}

void PanelBar::standUnder(int index, DataGrid* grid, const QString& field)
{
    if (index < 0 || index >= panels_.size() || !grid)
        return;
    panels_[index].grid = grid;
    panels_[index].field = field;
    // The column moves with the grid's place in the window, its columns and its scrolling.
    for (QWidget* w = grid; w && w != window(); w = w->parentWidget())
        w->installEventFilter(this);
    QHeaderView* header = grid->horizontalHeader();
    connectHandler(header, &QHeaderView::sectionResized, this, &PanelBar::placeSoon);
    connectHandler(header, &QHeaderView::geometriesChanged, this, &PanelBar::placeSoon);
    connectHandler(header, &QHeaderView::sectionCountChanged, this, &PanelBar::placeSoon);
    connectHandler(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &PanelBar::placeSoon);
    placePanels();
}

bool PanelBar::event(QEvent* e)
{
    const bool done = QStatusBar::event(e);
    if (e->type() == QEvent::Resize || e->type() == QEvent::Show || e->type() == QEvent::Move)
        placePanels();
    return done;
}

bool PanelBar::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::Resize || e->type() == QEvent::Move || e->type() == QEvent::Show
        || e->type() == QEvent::Hide)
        placeSoon();
    return QStatusBar::eventFilter(obj, e);
}

void PanelBar::placeSoon()
{
    if (placing_)
        return;
    placing_ = true;
    QTimer::singleShot(0, this, [this] {
        placing_ = false;
        placePanels();
    });
}

void PanelBar::placePanels()
{
    const int n = panels_.size();
    if (n == 0)
        return;
    // The left edge of each panel: after the one before it, or at its column.
    std::vector<int> left(n + 1), right(n);
    int x = 0;
    for (int i = 0; i < n; ++i) {
        const Panel& p = panels_[i];
        left[i] = x;
        right[i] = -1;
        if (DataGrid* g = p.grid.data()) {
            const int col = g->columnOfField(p.field);
            if (col >= 0 && g->isColumnVisible(col) && window()->isAncestorOf(g)) {
                QHeaderView* h = g->horizontalHeader();
                const QPoint at = mapFrom(window(), g->viewport()->mapTo(window(), QPoint(h->sectionViewportPosition(col), 0)));
                left[i] = i == 0 ? at.x() : std::max(at.x(), left[i - 1] + 1);
                right[i] = std::max(left[i] + 1, at.x() + h->sectionSize(col));
            }
        }
        x = right[i] >= 0 ? right[i] : left[i] + std::max(0, p.width);
    }
    // Every panel reaches the next one (an empty panel before a column's total gives way or
    // stretches); the last reaches the right edge, short of the size grip.
    int end = width();
    if (isSizeGripEnabled())
        if (auto* grip = findChild<QSizeGrip*>(); grip && grip->isVisible())
            end = std::min(end, grip->x());
    left[n] = std::max(end, x);
    const int h = height();
    for (int i = 0; i < n; ++i) {
        const int r = i + 1 < n ? left[i + 1] : left[n];
        panels_[i].label->setGeometry(left[i], 2, std::max(0, r - left[i] - 1), std::max(0, h - 3));
    }
}

#include "moc_Controls.cpp"
