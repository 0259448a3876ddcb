#pragma once
// The held purchase document picker (选择采购挂单). The purchase entry form opens it with its
// supplier in Edit2; it lists the held purchase headers on the shared header query and loads
// the chosen one into the entry form in modify mode.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class DataGrid;
class DatePicker;
class KeyPreview;

class TFxzcg1 : public QDialog {
    Q_OBJECT
public:
    explicit TFxzcg1(QWidget* owner);
    ~TFxzcg1() override;

    DataGrid* DBGrid1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;       // "日期"
    DatePicker* DateTimePicker1 = nullptr;  // from
    DatePicker* DateTimePicker2 = nullptr;  // to
    QLineEdit* Edit2 = nullptr;           // 厂商
    QPushButton* cha = nullptr;           // 查询
    QPushButton* xuan = nullptr;          // 选择
    QPushButton* guan = nullptr;          // 关闭

    // 查询: lists the held headers of the supplier text (and the date range when ticked).
    void chaClick();
    // 选择: loads the current header into the entry form and closes.
    void xuanClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void formShow();
    KeyPreview* keys_ = nullptr;
    bool shown_ = false;
};
