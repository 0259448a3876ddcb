#pragma once
// The login dialog: an operator of yhsz (the built-in "系统管理员" always there) and the
// password. It accepts only an exact match; Cancel or Esc rejects.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class KeyPreview;

class TFdl1 : public QDialog {
    Q_OBJECT
public:
    explicit TFdl1(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // operators
    QLineEdit* Edit1 = nullptr;       // password
    QPushButton* BitBtn1 = nullptr;   // 确定
    QPushButton* BitBtn2 = nullptr;   // 取消

    // The operator chosen (valid after the dialog was accepted).
    QString operatorName() const;

    // True when password is the operator's password exactly (no trimming, case counts).
    static bool passwordMatches(const QString& name, const QString& password);

private:
    void loadOperators();
    void tryLogin();
    KeyPreview* keys_ = nullptr;
};
