#include "Udl1.h"

#include "data/DM1.h"
#include "data/Schema.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFdl1::TFdl1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fdl1"));
    setWindowTitle(QStringLiteral("用户登录"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    ComboBox1->setMinimumWidth(180);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("操作员："), this), 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("密  码："), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addLayout(buttons);
    setFixedSize(sizeHint());

    connectHandler(BitBtn1, &QPushButton::clicked, this, &TFdl1::tryLogin);
    connectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    keys_ = new KeyPreview(this);
    keys_->mapKey(Qt::Key_Escape, BitBtn2);
    keys_->enterMovesTo(ComboBox1, Edit1);
    keys_->onEnter(Edit1, [this] { BitBtn1->click(); });

    loadOperators();
    Edit1->setFocus();
}

void TFdl1::loadOperators()
{
    QStringList names;
    if (DM1) {
        const RecordSet rs = DM1->ADOC1.execute(QStringLiteral("SELECT yhm FROM yhsz order by id"));
        for (const QVariantList& row : rs.rows) {
            const QString n = row.value(0).toString();
            if (!n.isEmpty() && !names.contains(n)) names << n;
        }
    }
    if (!names.contains(Schema::builtInOperator()))
        names.prepend(Schema::builtInOperator());
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(0);
}

QString TFdl1::operatorName() const { return ComboBox1->currentText(); }

bool TFdl1::passwordMatches(const QString& name, const QString& password)
{
    if (DM1) {
        const RecordSet rs = DM1->ADOC1.execute(QStringLiteral("SELECT mm FROM yhsz WHERE yhm=") + sqlQuote(name));
        if (!rs.isEmpty())
            return rs.rows.front().value(0).toString() == password;
    }
    // The built-in operator without a row of its own has no password.
    return name == Schema::builtInOperator() && password.isEmpty();
}

void TFdl1::tryLogin()
{
    if (passwordMatches(operatorName(), Edit1->text())) {
        accept();
        return;
    }
    showMessage(QStringLiteral("密码错误，请重新输入！"), QStringLiteral("提示"), MsgIcon::Information);
    Edit1->clear();
    Edit1->setFocus();
}

#include "moc_Udl1.cpp"
