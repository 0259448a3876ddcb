#pragma once
// The other income and expense entry dialog (新增其他收支 / 修改其他收支), modal, owned by the
// list. The item and the handler are chosen only through their pickers (the item picker and
// the employee picker write into xm and jsr under the tag "tjszfx"); the amount takes digits
// and one "." only. 保存 checks the entry and writes it: a new entry keeps the dialog open
// for the next one (date, category, handler and remark kept), a changed one closes it; the
// list's totals are recounted over its rows either way.

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DatePicker;
class ExitEdit;
class KeyPreview;
class Query;
class SpeedButton;
class TFszfx1;
struct OtherIncomeEntry;

class TFtjszfx1 : public QDialog {
    Q_OBJECT
public:
    explicit TFtjszfx1(TFszfx1* list);

    DatePicker* DateTimePicker1 = nullptr;
    QComboBox* ComboBox1 = nullptr;     // category, editable
    ExitEdit* xm = nullptr;             // read-only
    SpeedButton* SpeedButton1 = nullptr;
    ExitEdit* je = nullptr;
    ExitEdit* jsr = nullptr;            // read-only
    SpeedButton* SpeedButton2 = nullptr;
    QLineEdit* bz = nullptr;
    QPushButton* BitBtn1 = nullptr;     // 保存
    QPushButton* BitBtn2 = nullptr;     // 关闭
    QLabel* ST1 = nullptr;              // "新增" / "修改"

    // New mode: today, "支出", no item, amount "0", no handler, no remark.
    void startNew();
    // Modify mode, filled from the current row of q.
    void loadCurrent(const Query& q);
    bool modifyMode() const;
    OtherIncomeEntry entry() const;

    void BitBtn1Click();       // 保存
    void SpeedButton1Click();  // the item picker
    void SpeedButton2Click();  // the employee picker

protected:
    void showEvent(QShowEvent* e) override;

private:
    TFszfx1* list_;
    KeyPreview* keys_ = nullptr;
};

extern QPointer<TFtjszfx1> Ftjszfx1;

// Creates the entry dialog for the list (new, or modify on the list's current row), runs it
// modally and frees it.
void runEntryDialog(TFszfx1* list, bool modify);
