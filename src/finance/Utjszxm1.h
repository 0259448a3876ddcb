#pragma once
// The add dialog of income and expense items (新增收支项目, modal, owned by the item picker):
// a category (收入 or 支出) and a name. 保存 adds the item unless the pair exists; the dialog
// stays open for the next item with the category kept and the name emptied.

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLineEdit;
class QPushButton;

class TFtjszxm1 : public QDialog {
    Q_OBJECT
public:
    explicit TFtjszxm1(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // 类别, drop-down list
    QLineEdit* Edit1 = nullptr;       // 项目
    QPushButton* BitBtn1 = nullptr;   // 保存
    QPushButton* BitBtn2 = nullptr;   // 关闭

    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* e) override;
};

extern QPointer<TFtjszxm1> Ftjszxm1;
