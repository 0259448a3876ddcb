#pragma once
// Controls the forms are made of: key preview (function keys, Enter chain, number filters),
// edits with an exit event, speed buttons, date pickers that report close-up, and the
// status bar of numbered panels.

#include <QDate>
#include <QDateEdit>
#include <QHash>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QStatusBar>
#include <QToolButton>
#include <QVector>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QLabel;
class DataGrid;

// Key preview of a form: installed on the form, it sees every key of its children first.
// Function keys and Esc click their buttons (the key is then consumed); Enter in a field runs
// that field's action (the key is then consumed).
class KeyPreview : public QObject {
    Q_OBJECT
public:
    explicit KeyPreview(QWidget* form);
    // Qt::Key_F5 ... Qt::Key_Escape -> the button to click (does nothing while disabled).
    void mapKey(int key, QAbstractButton* button);
    // Enter (Return or Enter) inside field (or its children) runs action.
    void onEnter(QWidget* field, std::function<void()> action);
    // Enter in field moves the focus to next.
    void enterMovesTo(QWidget* field, QWidget* next);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QWidget* form_;
    QHash<int, QAbstractButton*> keys_;
    QHash<QWidget*, std::function<void()>> enter_;
};

// Number filter of an edit: only digits and backspace pass; "-" (anywhere) and "." pass
// at most once each where allowed; pasted text is filtered the same way. Other keys
// (Enter included) do not reach the text. An ExitEdit so filtered is a number field: it also
// gets installRangeCheck.
enum class NumberKind { Signed, Unsigned };   // Signed: digits, one "-", one "."; Unsigned: digits, one "."
void installNumberFilter(QLineEdit* edit, NumberKind kind);
// The filter's rule for one typed character against the current text (tests).
bool numberKeyAllowed(const QString& current, QChar typed, NumberKind kind);

// Edits select their whole text when the focus arrives by Enter, Tab, Shift+Tab or the
// program (setFocus), so that what is typed next replaces it; not when it arrives by a mouse
// click, nor when their window is activated again. The application installs one for every
// edit of every form and dialog (ShopApplication).
class EditAutoSelect : public QObject {
public:
    explicit EditAutoSelect(QObject* parent = nullptr) : QObject(parent) {}
    static bool selectsAllOn(Qt::FocusReason reason);
protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
};

// An edit whose exited() fires only when the focus moves to another control of the same
// window (not when a dialog or message box opens, another window is activated, or its own
// window is deactivated, minimised or hidden). exitedToField() follows it when that control
// is a field, not a button: a field that refuses to be left empty checks on it, so its
// window's buttons (关闭 among them) still work while it is empty.
class ExitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ExitEdit(QWidget* parent = nullptr);
signals:
    void exited();
    void exitedToField();
    void doubleClicked();
protected:
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

// Leaving a number field with a value beyond the program's range (Money::inRange) shows
// "数值超出范围！" (caption "错误") and puts the focus back on it. A text that is no number is
// left to the field's own use.
void installRangeCheck(ExitEdit* edit);

// The amount field of the entry dialogs: digits and one "." (pasted text filtered too);
// emptied it reads zero, selected so that what is typed next replaces it; leaving it rounds
// a text with more than two decimals to two (roundTypedText).
void installAmountEdit(ExitEdit* edit, const QString& zero = QStringLiteral("0"));
// The rounding of a typed amount, on leaving it and again before it is saved: the text is
// rewritten only when it changes, so its handlers run only then. A value beyond the program's
// range is left as typed, for the range check (or the save) to refuse.
void roundTypedField(QLineEdit* edit);

// A flat button that takes no focus (speed button).
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(const QString& caption = QString(), QWidget* parent = nullptr);
};

// Gives w its name (the control's name is its objectName: tests and pickers find it by it)
// and returns it.
template <class W>
W* named(W* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

// A field of a form that shows what was chosen or computed: read-only on a grey ground.
template <class E>
E* greyReadOnly(E* e)
{
    e->setReadOnly(true);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
    e->setPalette(p);
    return e;
}

// The "…" speed button that opens a field's picker, on a form laid out by position: square,
// as high as the field, right after it in the field's parent, with its hint (none when empty).
SpeedButton* pickerButtonAfter(QWidget* field, const QString& name, const QString& hint);

// Colours of the lists and the windows built like them.
namespace ListColours {
QColor held();        // $E1FFE1, pale green: held documents
QColor tint();        // $FEFDDE: tinted columns
QColor cream();       // the windows' cream background
QColor grey();        // the grey of dialogs and browsers, and of grids where they have no rows
QColor red();         // colour 255
// Fills w's background with c.
void fill(QWidget* w, const QColor& c);
}

// A date picker with a drop-down calendar; closeUp() fires when the drop-down closes.
// Display format "yyyy-MM-dd"; it starts on today.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    // Tests: simulate choosing a date in the drop-down and closing it.
    void pickFromCalendar(const QDate& d);
signals:
    void closeUp();
protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
};

// The calendar month step with the day clamped: 2024-03-31 one month back is 2024-02-29.
QDate addMonthsClamped(const QDate& d, int months);

// Keeps from <= to as the query dialogs do: when from's calendar closes up with a date
// after to, to takes it; when to's calendar closes up with a date before from, from takes it.
void linkDateRange(DatePicker* from, DatePicker* to);

// The date switch of the query conditions with its two pickers: CheckBox1, DateTimePicker1
// and DateTimePicker2, children of parent.
struct DateRangeControls {
    QCheckBox* box = nullptr;
    DatePicker* from = nullptr;
    DatePicker* to = nullptr;
    // The switch unticked, to = today, from one calendar month earlier.
    void reset() const;
};
DateRangeControls createDateRangeControls(const QString& caption, QWidget* parent);

// A status bar of numbered panels, laid out from its left edge in their order with their
// widths; the last one reaches the right edge. A panel that shows a column's total stands
// under that column of a grid (standUnder): it takes the column's span wherever the window's
// size, the grid's place or the columns' widths put it, and its neighbours give way. While the
// column is hidden the panel keeps its own width in the order.
class PanelBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PanelBar(QWidget* parent = nullptr);
    // Adds a panel; returns its index. A width of 0 takes what the others leave.
    int addPanel(int width, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, const QString& text = QString());
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    int panelCount() const { return panels_.size(); }
    void standUnder(int index, DataGrid* grid, const QString& field);
    // Where a panel stands, in the bar's coordinates.
    QRect panelGeometry(int index) const;
protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
private:
    void placePanels();
    void placeSoon();
    struct Panel {
        QLabel* label;
        int width;
        QPointer<DataGrid> grid{};
        QString field{};
    };
    QVector<Panel> panels_;
    bool placing_ = false;
};

// A window's status bar StatusBar1 of described panels (each with width, align, text and the
// grid column `under` whose total it shows, when it shows one).
template <class Panels>
PanelBar* describedStatusBar(QWidget* parent, DataGrid* grid, const Panels& panels)
{
    auto* bar = new PanelBar(parent);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (const auto& p : panels) {
        const int i = bar->addPanel(p.width, p.align, p.text);
        if (!p.under.isEmpty())
            bar->standUnder(i, grid, p.under);
    }
    return bar;
}
