#pragma once
// The purchase receipt entry form (采购入库单). Its controls are described as tables in
// Utjcgd1.cpp (fields with their captions, places and pickers; buttons with their keys and
// handlers; the Enter chain), as the list windows describe their columns.
//
// Other windows write into its controls directly (the held-document picker loads a held
// document into them; pickers write through PickerTargets under the tag "tjcg"); every
// write runs the form's change handlers as typed text would.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QMenu;
class QAction;
class DataGrid;
class DatePicker;
class ExitEdit;
class SpeedButton;
class KeyPreview;
struct PurchaseSaveInput;

class TFtjcgd1 : public QWidget {
    Q_OBJECT
public:
    explicit TFtjcgd1(QWidget* parent = nullptr);
    ~TFtjcgd1() override;

    // Gives back the pending line marks of the document in hand (its "dz" lines deleted,
    // its "ds" lines back to "yz"); the held-document picker calls it before loading.
    void rollbackLineMarks();

    // Header
    DatePicker* DateTimePicker1 = nullptr;
    ExitEdit* ck = nullptr;
    ExitEdit* jsr = nullptr;
    ExitEdit* ghs = nullptr;
    ExitEdit* yhe = nullptr;
    QLineEdit* yfe = nullptr;
    ExitEdit* sfe = nullptr;
    ExitEdit* bz = nullptr;
    QLineEdit* dh = nullptr;
    QLabel* ztbj = nullptr;     // "新增" / "修改"
    QLabel* shbj = nullptr;     // "未审核"
    QLabel* Label1 = nullptr;   // "采购入库单"
    // Entry row and totals
    ExitEdit* txm = nullptr;
    QLineEdit* ppgg = nullptr;
    QLineEdit* dw = nullptr;
    ExitEdit* jg = nullptr;
    ExitEdit* sl = nullptr;
    QLineEdit* hjsl = nullptr;
    QLineEdit* hjje = nullptr;
    DataGrid* DBGrid1 = nullptr;
    // Buttons
    SpeedButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr, *SpeedButton4 = nullptr;
    SpeedButton *SB1 = nullptr, *SB2 = nullptr, *SB3 = nullptr;
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr, *BB5 = nullptr, *BB6 = nullptr;
    QPushButton* newButton = nullptr;     // hidden "new" (新开单)
    QPushButton* shenhe = nullptr;        // hidden posting button: settles as BB4 does
    QMenu* PM1 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr;
    QMenu* PM2 = nullptr;
    QAction *N3 = nullptr, *N4 = nullptr;
    KeyPreview* keys = nullptr;

    // True in modify mode (ztbj "修改").
    bool modifyMode() const;
    // Makes the line query hold this form's own lines (see ensurePurchaseLines).
    void ensureOwnLines();

    // Handlers (the buttons and keys click them; tests may call them directly).
    void newClick();            // new (hidden "新开单"; also on first show): a blank document, next number
    void BB1Click();            // 开单 F5: gives back the pending line marks, then a new document
    void BB2Click();            // 取单 F6: takes a held document (the held-document picker)
    void BB3Popup();            // 打印 F7: drops the print menu PM2
    void BB4Click();            // 结单 F8 (Enter in bz): settles (save audited and post)
    void BB5Click();            // 挂单 F9: holds (save unaudited, nothing posted)
    void BB6Click();            // 关闭 Esc: closes the form
    void SB1Click();            // F10 (Enter in sl): adds the entry row as a line
    void SB2Click();            // F11, 删除明细: deletes the current line
    void SB3Click();            // F12, double-click on the lines: edits the current line (修改采购明细)
    void N2Click();             // 整单折扣: one discount rate for every line (采购单折扣率)
    void N3Click();             // 带编码打印: prints with the goods codes
    void N4Click();             // 不带编码打印: prints without them
    void shenheClick();         // hidden posting button: settles as BB4 does
    void SpeedButton1Click();   // 选择经办人: the employee picker
    void SpeedButton2Click();   // 选择厂商: the supplier picker
    void SpeedButton3Click();   // 选择商品 (Enter in txm with no goods): the goods picker
    void SpeedButton4Click();   // 选择仓库: the warehouse picker

protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void buildTitleBox();
    void buildLines();
    void wireHandlers();
    bool guardQueries();
    bool guardLines(const QString& noneWarning);
    bool linesAndSignsHold();
    void clearEntry();
    bool takeNumber(const std::optional<QString>& next);
    PurchaseSaveInput saveInput(bool settle) const;
    void saveDocument(bool settle);
    void printDocument(bool withCodes);
    void recomputeTotals();     // hjsl, hjje := the sums over the lines
    void txmChange();           // the code lookup in the header's warehouse
    void dhChange();            // in new mode the lines follow the number
    void yheChange();           // the money chain: payable := total - discount ...
    void hjjeChange();
    void yfeChange();           // ... and paid := payable
    void ckExit();              // leaving the warehouse empty is refused
    void activated();           // back in front: the line query holds the form's own lines

    bool started_ = false;
    bool closing_ = false;
    // While the held-document picker runs; whether the document in hand gave back its line
    // changes for the chosen one.
    bool choosingHeld_ = false;
    bool heldRolledBack_ = false;
};

extern QPointer<TFtjcgd1> Ftjcgd1;
