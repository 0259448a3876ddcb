#pragma once
// The query-condition dialog of the list and table windows, described per window: the date
// switch with its two pickers, the combo boxes with the clause each item adds, the text
// edits with their labels and the columns behind them, the second switch and its clause,
// and the order in which the clauses are written. Its run button rewrites the owning
// window's query (QueryWindow::runQuery) and closes the dialog.

#include <QDate>
#include <QDialog>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

class QCheckBox;
class QFrame;
class QGridLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DatePicker;
class KeyPreview;
class QueryWindow;

// A text edit: its label and the column it tests with LIKE. lead replaces the default
// beginning of the clause ("where <column> like " for the first edit, "and <column> like "
// for the others).
struct ConditionEdit {
    QString label;
    QString column;
    QString lead{};
};

// A drop-down combo (ComboBox1, ComboBox2, ...): its label, items, and the clause each
// item adds (an empty clause adds nothing).
struct ConditionCombo {
    QString label;
    QStringList items;
    QStringList clauses;
};

// The parts of the statement, in the order the window writes them.
enum class ClausePart { Edits, Combo1, Combo2, Date, CheckBox2, Fixed };

struct ConditionDescription {
    QString objectName;                                   // "TFcxcg1"
    QString caption = QStringLiteral("按条件查询");
    QString runCaption = QStringLiteral("查询");
    QString dateCaption = QStringLiteral("日期从");       // CheckBox1
    QString dateColumn = QStringLiteral("rq");
    bool keepDateOrder = true;                            // from <= to kept on close-up
    QVector<ConditionCombo> combos;                       // ComboBox1, ComboBox2
    QVector<ConditionEdit> edits;                         // Edit1, Edit2, ...
    QString checkBox2Caption;                             // empty: no CheckBox2
    QString checkBox2Clause;
    QStringList fixedClauses;                             // written at ClausePart::Fixed
    QVector<ClausePart> order{ClausePart::Edits, ClausePart::Combo1, ClausePart::Combo2,
                              ClausePart::Date, ClausePart::CheckBox2};
    QString orderLine = QStringLiteral("order by id");
    // false: Esc does nothing (the dialog leaves Esc unbound; only 关闭 and the close box close it).
    bool escCloses = true;
    // The label of the to-date (DateTimePicker2).
    QString toCaption = QStringLiteral("至");
    QSize clientSize{482, 223};                           // 按条件统计: 482 × 263
};

// The values a dialog holds when its run button is clicked.
struct ConditionValues {
    QStringList edits;
    QVector<int> combos;
    bool dateOn = false;
    QDate from, to;
    bool checkBox2 = false;
};

// The clauses of the statement, each a line of its own, in the described order. Every value
// goes in through sqlQuote.
QStringList buildConditionClauses(const ConditionDescription& desc, const ConditionValues& v);

// What every condition dialog is drawn as: its client area of the given size, grey, fixed,
// with the close box only; the cream panel Panel1 that holds the conditions (the returned
// panel, its layout left to the caller) and under it the run button BitBtn1 and 关闭 BitBtn2
// with their icons. The buttons are not default buttons: Enter does what the focused
// control's own handler does.
struct ConditionFrame {
    QFrame* panel = nullptr;
    QPushButton* run = nullptr;
    QPushButton* close = nullptr;
};
ConditionFrame buildConditionFrame(QDialog* dialog, const QSize& client, const QString& runCaption);

// The items and clauses of the audit-state combo of the document lists.
ConditionCombo auditStateCombo(const QString& label = QStringLiteral("审核"));

class TConditionDialog : public QDialog {
    Q_OBJECT
public:
    TConditionDialog(ConditionDescription desc, QueryWindow* list, QWidget* owner);

    const ConditionDescription& description() const { return desc_; }

    QCheckBox* CheckBox1 = nullptr;
    DatePicker* DateTimePicker1 = nullptr;
    DatePicker* DateTimePicker2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* BitBtn1 = nullptr;   // run
    QPushButton* BitBtn2 = nullptr;   // close

    ConditionValues values() const;
    virtual QStringList clauses() const;
    // Every control back to its default: edits empty, combos at 0, boxes unticked,
    // to = today, from = one calendar month earlier, the focus in Edit1.
    void reset();

protected:
    void showEvent(QShowEvent* e) override;
    // The run button: the owning window's statements with the clauses, then the dialog
    // closes. A failed statement leaves the dialog open (its error leaves the handler).
    virtual void run();

    // For dialogs with further controls (radio buttons, a category): the condition panel's
    // grid (label and control columns 0-1 at the left, 2-3 at the right) and the key preview.
    QGridLayout* conditionGrid() const { return grid_; }
    KeyPreview* keyPreview() const { return keys_; }

    QueryWindow* list_;

private:
    void buildUi();

    ConditionDescription desc_;
    QVector<QLineEdit*> edits_;
    QVector<QComboBox*> combos_;
    KeyPreview* keys_ = nullptr;
    QGridLayout* grid_ = nullptr;
};
