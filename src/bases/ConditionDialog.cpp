#include "ConditionDialog.h"

#include "QueryWindow.h"
#include "data/DocumentState.h"
#include "data/Sql.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QStringList buildConditionClauses(const ConditionDescription& desc, const ConditionValues& v)
{
    QStringList out;
    auto comboClause = [&](int which) {
        if (which >= desc.combos.size() || which >= v.combos.size())
            return;
        const int idx = v.combos[which];
        const QStringList& clauses = desc.combos[which].clauses;
        if (idx >= 0 && idx < clauses.size() && !clauses[idx].isEmpty())
            out << clauses[idx];
    };
    for (ClausePart part : desc.order) {
        switch (part) {
        case ClausePart::Edits:
            for (int i = 0; i < desc.edits.size(); ++i) {
                const ConditionEdit& e = desc.edits[i];
                const QString lead = !e.lead.isEmpty()
                    ? e.lead
                    : (i == 0 ? QStringLiteral("where ") : QStringLiteral("and ")) + e.column + QStringLiteral(" like ");
                const QString text = i < v.edits.size() ? v.edits[i] : QString();
                out << lead + sqlQuote(QLatin1Char('%') + text + QLatin1Char('%'));
            }
            break;
        case ClausePart::Combo1:
            comboClause(0);
            break;
        case ClausePart::Combo2:
            comboClause(1);
            break;
        case ClausePart::Date:
            if (v.dateOn)
                out << dateRangeClause(desc.dateColumn, {v.from, v.to});
            break;
        case ClausePart::CheckBox2:
            if (v.checkBox2 && !desc.checkBox2Clause.isEmpty())
                out << desc.checkBox2Clause;
            break;
        case ClausePart::Fixed:
            out << desc.fixedClauses;
            break;
        }
    }
    return out;
}

ConditionCombo auditStateCombo(const QString& label)
{
    ConditionCombo c;
    c.label = label;
    c.items = {QStringLiteral("全部"), DocumentState::held(), DocumentState::audited()};
    c.clauses = {QString(), QStringLiteral("and shbj=") + sqlQuote(DocumentState::held()),
                 QStringLiteral("and shbj=") + sqlQuote(DocumentState::audited())};
    return c;
}

ConditionFrame buildConditionFrame(QDialog* dialog, const QSize& client, const QString& runCaption)
{
    setListFont(dialog);
    ListColours::fill(dialog, ListColours::grey());
    auto* outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(8, 8, 8, 8);
    ConditionFrame f;
    f.panel = new QFrame(dialog);
    f.panel->setObjectName(QStringLiteral("Panel1"));
    f.panel->setFrameShape(QFrame::StyledPanel);
    ListColours::fill(f.panel, ListColours::cream());
    outer->addWidget(f.panel, 1);
    const std::pair<QPushButton**, QStyle::StandardPixmap> glyphs[] = {
        {&f.run, QStyle::SP_DialogApplyButton}, {&f.close, QStyle::SP_DialogCloseButton}};
    f.run = new QPushButton(runCaption, dialog);
    f.run->setObjectName(QStringLiteral("BitBtn1"));
    f.close = new QPushButton(QStringLiteral("关闭"), dialog);
    f.close->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const auto& [b, glyph] : glyphs) {
        (*b)->setIcon(dialog->style()->standardIcon(glyph));
        (*b)->setAutoDefault(false);
        (*b)->setMinimumWidth(80);
        buttons->addWidget(*b);
    }
    buttons->addStretch(1);
    outer->addLayout(buttons);
    setDialogFrame(dialog, client);
    return f;
}

TConditionDialog::TConditionDialog(ConditionDescription desc, QueryWindow* list, QWidget* owner)
    : QDialog(owner), list_(list), desc_(std::move(desc))
{
    setObjectName(desc_.objectName);
    setWindowTitle(desc_.caption);
    buildUi();
}

void TConditionDialog::buildUi()
{
    const ConditionFrame frame = buildConditionFrame(this, desc_.clientSize, desc_.runCaption);
    QFrame* panel = frame.panel;
    BitBtn1 = frame.run;
    BitBtn2 = frame.close;
    auto* grid = grid_ = new QGridLayout(panel);
    int row = 0;

    // Left column: dates and combos; right column: the edits.
    const DateRangeControls dates = createDateRangeControls(desc_.dateCaption, panel);
    CheckBox1 = dates.box;
    DateTimePicker1 = dates.from;
    DateTimePicker2 = dates.to;
    grid->addWidget(CheckBox1, row, 0);
    grid->addWidget(DateTimePicker1, row++, 1);
    grid->addWidget(new QLabel(desc_.toCaption, panel), row, 0, Qt::AlignRight);
    grid->addWidget(DateTimePicker2, row++, 1);
    if (desc_.keepDateOrder)
        linkDateRange(DateTimePicker1, DateTimePicker2);

    for (int i = 0; i < desc_.combos.size() && i < 2; ++i) {
        auto* cb = new QComboBox(panel);
        cb->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
        cb->addItems(desc_.combos[i].items);
        cb->setCurrentIndex(0);
        grid->addWidget(new QLabel(desc_.combos[i].label, panel), row, 0, Qt::AlignRight);
        grid->addWidget(cb, row++, 1);
        combos_ << cb;
    }
    ComboBox1 = combos_.value(0, nullptr);
    ComboBox2 = combos_.value(1, nullptr);

    int erow = 0;
    for (int i = 0; i < desc_.edits.size(); ++i) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        grid->addWidget(new QLabel(desc_.edits[i].label, panel), erow, 2, Qt::AlignRight);
        grid->addWidget(e, erow++, 3);
        edits_ << e;
    }
    QLineEdit** named[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5};
    for (int i = 0; i < 5; ++i)
        *named[i] = edits_.value(i, nullptr);

    if (!desc_.checkBox2Caption.isEmpty()) {
        CheckBox2 = new QCheckBox(desc_.checkBox2Caption, panel);
        CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
        grid->addWidget(CheckBox2, qMax(row, erow), 2, 1, 2);
    }

    // Tab order and the Enter chain: CheckBox1, the pickers, the combos, the edits,
    // CheckBox2, the buttons. Enter moves on; in the last edit it runs.
    QVector<QWidget*> chain{CheckBox1, DateTimePicker1, DateTimePicker2};
    for (QComboBox* cb : combos_)
        chain << cb;
    for (QLineEdit* e : edits_)
        chain << e;
    QVector<QWidget*> tabs = chain;
    if (CheckBox2)
        tabs << CheckBox2;
    tabs << BitBtn1 << BitBtn2;
    for (int i = 0; i + 1 < tabs.size(); ++i)
        setTabOrder(tabs[i], tabs[i + 1]);

    keys_ = new KeyPreview(this);
    for (int i = 0; i + 1 < chain.size(); ++i)
        keys_->enterMovesTo(chain[i], chain[i + 1]);
    if (!edits_.isEmpty())
        keys_->onEnter(edits_.back(), [this] { BitBtn1->click(); });
    // Esc clicks 关闭, or is swallowed where Esc does nothing (a key mapped to no button is
    // consumed, so the dialog's own Esc does not close it either).
    keys_->mapKey(Qt::Key_Escape, desc_.escCloses ? BitBtn2 : nullptr);

    // A failed run leaves the dialog open; the application shows the error.
    connectHandler(BitBtn1, &QPushButton::clicked, this, &TConditionDialog::run);
    connectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

ConditionValues TConditionDialog::values() const
{
    ConditionValues v;
    for (QLineEdit* e : edits_)
        v.edits << e->text();
    for (QComboBox* c : combos_)
        v.combos << c->currentIndex();
    v.dateOn = CheckBox1->isChecked();
    v.from = DateTimePicker1->date();
    v.to = DateTimePicker2->date();
    v.checkBox2 = CheckBox2 && CheckBox2->isChecked();
    return v;
}

QStringList TConditionDialog::clauses() const { return buildConditionClauses(desc_, values()); }

void TConditionDialog::reset()
{
    for (QLineEdit* e : edits_)
        e->clear();
    for (QComboBox* c : combos_)
        c->setCurrentIndex(0);
    DateRangeControls{CheckBox1, DateTimePicker1, DateTimePicker2}.reset();
    if (CheckBox2)
        CheckBox2->setChecked(false);
    if (!edits_.isEmpty())
        edits_.front()->setFocus();
}

void TConditionDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    reset();
}

void TConditionDialog::run()
{
    if (list_)
        list_->runQuery(clauses(), desc_.orderLine);
    accept();
}
