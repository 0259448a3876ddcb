#include "Utjszxm1.h"

#include "bases/picker_common.h"
#include "data/DM1.h"
#include "other_income.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Forms.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

QPointer<TFtjszxm1> Ftjszxm1;

TFtjszxm1::TFtjszxm1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ftjszxm1"));
    setWindowTitle(QStringLiteral("新增收支项目"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({OtherIncome::Income, OtherIncome::Expense});
    Edit1 = picker::edit(QStringLiteral("Edit1"), this);
    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("保存"), this);
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("关闭"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("类别"), this), 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("项目"), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(picker::buttonRow(BitBtn1, BitBtn2));
    setDialogFrame(this);

    connectHandler(BitBtn1, &QPushButton::clicked, this, &TFtjszxm1::BitBtn1Click);
    connectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    auto* keys = new KeyPreview(this);
    keys->mapKey(Qt::Key_Escape, BitBtn2);
    keys->enterMovesTo(ComboBox1, Edit1);
    keys->onEnter(Edit1, [this] { BitBtn1->click(); });
}

void TFtjszxm1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    ComboBox1->setCurrentIndex(0);
    Edit1->clear();
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TFtjszxm1::BitBtn1Click()
{
    if (const auto refusal = addIncomeItem(*DM1, ComboBox1->currentText(), Edit1->text())) {
        if (refusal->warning)
            warnBox(refusal->text);
        else
            infoBox(refusal->text);
        if (refusal->field == ItemField::Category)
            ComboBox1->setFocus(Qt::OtherFocusReason);
        else
            Edit1->setFocus(Qt::OtherFocusReason);
        return;
    }
    Edit1->clear();
    Edit1->setFocus(Qt::OtherFocusReason);
}
