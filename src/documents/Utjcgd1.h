#pragma once
// The purchase receipt entry form (采购入库单).
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
    void newClick();
    void BB1Click();
    void BB2Click();
    void BB3Popup();
    void BB4Click();
    void BB5Click();
    void SB1Click();
    void SB2Click();
    void SB3Click();
    void N2Click();
    void N3Click();
    void N4Click();
    void shenheClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void wireHandlers();
    bool guardQueries();
    bool guardLines(const QString& noneWarning);
    bool linesAndSignsHold();
    void clearEntry();
    bool takeNumber(const std::optional<QString>& next);
    PurchaseSaveInput saveInput(bool settle) const;
    void saveDocument(bool settle);
    void printDocument(bool withCodes);
    void recomputeTotals();
    void txmChange();
    void dhChange();
    void yheChange();
    void hjjeChange();
    void yfeChange();
    void ckExit();
    void activated();

    bool started_ = false;
    bool closing_ = false;
    // While the held-document picker runs; whether the document in hand gave back its line
    // changes for the chosen one.
    bool choosingHeld_ = false;
    bool heldRolledBack_ = false;
};

extern QPointer<TFtjcgd1> Ftjcgd1;
