#include "Usztj1.h"

#include "Udysztj1.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "bases/QueryWindow.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QPointer<TFsztj1> Fsztj1;

namespace {
// The figures as the window arranges them: goods (quantity left, amount right), a rule, then
// money; an empty name leaves the place free.
struct Place {
    const char* name;
    const char* label;
};
const Place Goods[][2] = {
    {{"cgsl", "采购数量:"}, {"cgje", "采购金额:"}},
    {{"xssl", "销售数量:"}, {"xsje", "销售金额:"}},
    {{"rksl", "异动数量:"}, {"rkje", "异动金额:"}},
    {{"kcsl", "库存数量:"}, {"kcje", "库存金额:"}},
};
const Place Finance[][2] = {
    {{"yf", "应付金额:"}, {"sf", "实付金额:"}},
    {{"qk1", "欠款金额:"}, {nullptr, nullptr}},
    {{"ys", "应收金额:"}, {"ss", "实收金额:"}},
    {{"qk2", "欠款金额:"}, {nullptr, nullptr}},
    {{"fk", "营业付款:"}, {"sk", "营业收款:"}},
    {{"sz", "其他收支:"}, {nullptr, nullptr}},
};
}

TFsztj1::TFsztj1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TFsztj1"));
    setWindowTitle(QStringLiteral("进销存财综合统计表"));
    setFixedBorder(this, true);
    buildUi();
}

void TFsztj1::buildUi()
{
    setListFont(this);
    ListColours::fill(this, ListColours::cream());
    auto* outer = new QVBoxLayout(this);

    // Top panel: the date range and the buttons.
    auto* top = new QFrame(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setFrameShape(QFrame::StyledPanel);
    auto* tl = new QGridLayout(top);
    const DateRangeControls dates = createDateRangeControls(QStringLiteral("日期范围"), top);
    CheckBox1 = dates.box;
    DateTimePicker1 = dates.from;
    DateTimePicker2 = dates.to;
    tl->addWidget(CheckBox1, 0, 0, 2, 1);
    tl->addWidget(DateTimePicker1, 0, 1);
    tl->addWidget(DateTimePicker2, 1, 1);
    tl->setColumnStretch(2, 1);
    const std::tuple<QPushButton**, const char*, const char*, QStyle::StandardPixmap> buttons[] = {
        {&BB1, "BB1", "统计", QStyle::SP_FileDialogContentsView},
        {&BB2, "BB2", "打印", QStyle::SP_DialogSaveButton},
        {&BB3, "BB3", "关闭", QStyle::SP_DialogCloseButton}};
    int column = 3;
    for (const auto& [b, name, caption, glyph] : buttons) {
        *b = new QPushButton(style()->standardIcon(glyph), QString::fromUtf8(caption), top);
        (*b)->setObjectName(QString::fromLatin1(name));
        (*b)->setAutoDefault(false);
        (*b)->setMinimumHeight(40);
        tl->addWidget(*b, 0, column++, 2, 1);
    }
    outer->addWidget(top);

    // The figures: read-only, blue on cream.
    auto* figuresPanel = new QWidget(this);
    auto* grid = new QGridLayout(figuresPanel);
    grid->setHorizontalSpacing(10);
    QPalette blue = palette();
    blue.setColor(QPalette::Text, QColor(0, 0, 255));
    blue.setColor(QPalette::Base, ListColours::cream());
    auto place = [&](const Place& p, int row, int col) {
        if (!p.name)
            return;
        auto* e = new QLineEdit(figuresPanel);
        e->setObjectName(QString::fromLatin1(p.name));
        e->setReadOnly(true);
        e->setPalette(blue);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setMinimumWidth(150);
        e->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(new QLabel(QString::fromUtf8(p.label), figuresPanel), row, col * 2, Qt::AlignRight);
        grid->addWidget(e, row, col * 2 + 1);
        figures_.insert(e->objectName(), e);
    };
    int row = 0;
    for (const auto& line : Goods) {
        place(line[0], row, 0);
        place(line[1], row++, 1);
    }
    auto* rule = new QFrame(figuresPanel);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, row++, 0, 1, 4);
    for (const auto& line : Finance) {
        place(line[0], row, 0);
        place(line[1], row++, 1);
    }
    outer->addWidget(figuresPanel);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* const tabs[] = {CheckBox1, DateTimePicker1, DateTimePicker2, BB1, BB2, BB3};
    for (std::size_t i = 1; i < std::size(tabs); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);
    linkDateRange(DateTimePicker1, DateTimePicker2);

    connectHandler(BB1, &QPushButton::clicked, this, &TFsztj1::BB1Click);
    connectHandler(BB2, &QPushButton::clicked, this, &TFsztj1::BB2Click);
    connectHandler(BB3, &QPushButton::clicked, this, [this] { closeMdiForm(this); });
    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, BB3);
    for (std::size_t i = 0; i < 3; ++i)
        keys_->enterMovesTo(tabs[i], tabs[i + 1]);
}

QLineEdit* TFsztj1::figure(const QString& name) const { return figures_.value(name, nullptr); }

QStringList TFsztj1::figureTexts() const
{
    QStringList out;
    for (const QString& name : statisticsFigureNames())
        out << figure(name)->text();
    return out;
}

StatisticsPeriod TFsztj1::period() const
{
    return {.on = CheckBox1->isChecked(), .from = DateTimePicker1->date(), .to = DateTimePicker2->date()};
}

void TFsztj1::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (shown_)
        return;
    shown_ = true;
    DateRangeControls{CheckBox1, DateTimePicker1, DateTimePicker2}.reset();
    for (QLineEdit* e : std::as_const(figures_))
        e->setText(QStringLiteral("0"));
}

void TFsztj1::BB1Click()
{
    const StatisticsPeriod p = period();
    // A failed statement leaves every figure as it was (the error leaves the handler).
    const QStringList texts = statisticsFigureTexts(runComprehensiveStatistics(*DM1, p));
    const QStringList& names = statisticsFigureNames();
    for (int i = 0; i < names.size(); ++i)
        figure(names[i])->setText(texts[i]);
    lastRun_ = p;
    infoBox(QStringLiteral("统计完毕！"));
}

void TFsztj1::BB2Click()
{
    TFdysztj1& form = reportForm(Fdysztj1);
    // The figures shown are those of the last run: its period heads them.
    form.fill(DM1->printName(), statisticsPeriodLine(lastRun_.value_or(period())), figureTexts(),
              Clock::today());
    form.QuickRep1.ReportTitle = QStringLiteral("打印预览");
    form.preview();
}

void openComprehensiveStatistics() { openOrActivate(Fsztj1); }
