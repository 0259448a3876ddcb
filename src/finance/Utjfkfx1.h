#pragma once
// The payment and receipt entry dialogs (TFtjfkfx1 新增付款/修改付款, TFtjskfx1 新增收款/修改收款):
// one dialog described by its side. The list opens it in new mode (any number of saves, each
// against its own document) or in modify mode on a reversed row (one save, then it closes).
//
// Every change of 单号 looks the document up: only an audited document with a debt fills the
// party and the debt. 保存 rounds the amount, refuses an empty bill, a zero debt, a zero
// amount and an empty handler (in that order, each focusing its field), saves the row and
// its document in one transaction and recounts the list's total. The pickers write into the
// dialog through the side's tag.

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class DatePicker;
class ExitEdit;
class KeyPreview;
class Query;
class QueryWindow;
class SpeedButton;
class THeaderPicker;
struct SettlementSide;

class TSettlementEntry : public QDialog {
    Q_OBJECT
public:
    DatePicker* DateTimePicker1 = nullptr;
    ExitEdit* dh = nullptr;
    QLineEdit* party = nullptr;        // ghs / kh, read-only
    QLineEdit* qk = nullptr;           // read-only
    ExitEdit* amount = nullptr;        // fk / sk
    ExitEdit* jsr = nullptr;           // read-only, filled by the employee picker
    QLineEdit* bz = nullptr;
    SpeedButton* SpeedButton1 = nullptr;   // the open-item picker
    SpeedButton* SpeedButton2 = nullptr;   // the employee picker
    QPushButton* BitBtn1 = nullptr;    // 保存
    QPushButton* BitBtn2 = nullptr;    // 关闭
    QLabel* ST1 = nullptr;             // hidden: "新增" / "修改"

    // New mode: caption, mode, today, every field empty, the amount "0".
    void startNew();
    // Modify mode on the current row of rows (the list's): its date (a text that does not
    // read as "yyyy-MM-dd" throws before anything changes), its number (which looks the
    // document up), then its party, amount, handler and remark.
    void startModify(const Query& rows);
    bool modifyMode() const;

    void BitBtn1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    TSettlementEntry(const SettlementSide& side, QueryWindow* list, QWidget* owner);
    // The side's open-item picker.
    virtual THeaderPicker* createPicker() = 0;
    void showEvent(QShowEvent* e) override;

private:
    void buildUi();
    void dhChange();
    void setNumber(const QString& text);

    const SettlementSide& side_;
    QPointer<QueryWindow> list_;
    qint64 rowId_ = 0;
    KeyPreview* keys_ = nullptr;
};

class TFtjfkfx1 : public TSettlementEntry {
    Q_OBJECT
public:
    // list: the payment list whose rows and total the dialog writes.
    TFtjfkfx1(QueryWindow* list, QWidget* owner);
protected:
    THeaderPicker* createPicker() override;
};

class TFtjskfx1 : public TSettlementEntry {
    Q_OBJECT
public:
    TFtjskfx1(QueryWindow* list, QWidget* owner);
protected:
    THeaderPicker* createPicker() override;
};

extern QPointer<TFtjfkfx1> Ftjfkfx1;
extern QPointer<TFtjskfx1> Ftjskfx1;
