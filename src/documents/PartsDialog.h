#pragma once
// The goods assembly and splitting dialog (modal): one class, described twice (TFzu1 in
// Uzu1.h, TFchai1 in Uchai1.h). Step 1 chooses the whole item (warehouse ck1, code txm1,
// the count), step 2 the parts (warehouse ck2, code txm2, the coefficient) with 新增 and
// 删除; the grid lists the whole item's parts list; the confirm button moves the stock
// (rules in parts_lists.h) and empties step 1 for the next one.
//
// The warehouse picker TFck1 and the goods picker TFsp3 write into the fields through the
// tag ("zu" or "chai"; the pickers are told "zu1"/"zu2" ...). While the goods picker is open
// (sao "xuan") a change of the code looks nothing up; otherwise (sao "sao") every change of
// a code looks up the goods row of that code in the step's warehouse.
//
// Counts and coefficients take digits and one "."; leaving the field rounds a longer
// fraction to two decimals. A text that is not yet a number (".") is passed over while
// typing and counts as 0 when adding a part or confirming.

#include "data/Money.h"

#include <QDialog>
#include <QStringList>

class DataGrid;
class ExitEdit;
class KeyPreview;
class QLabel;
class QLineEdit;
class QPushButton;
class SpeedButton;
struct PartsKind;

// What tells assembly and splitting apart.
struct PartsDialogDescription {
    QString objectName;        // "Fzu1"
    QString caption;           // "商品组装/打包"
    QString tag;               // "zu": the pickers write through it
    const PartsKind* kind = nullptr;
    QString step1, step2;      // the step boxes' captions
    QString countName;         // "zzsl"
    QString countLabel;        // "组装数量"
    QString coefName;          // "zzxs"
    QString coefLabel;         // "组装系数" (also the grid's title of xs)
    QStringList help;          // the four help lines: count, its example, coefficient, its example
    QString confirmCaption;    // "确定组装"
    QString slTitle;           // "组装所需数量"
    QString wholeMissing;      // "组装而成的整件不可为空！"
    QString countZero;         // "组装数量不可为零！"
    QString partMissing;       // "组装所需的零件不可为空！"
    QString coefZero;          // "组装系数不可为零！"
};

class TPartsDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPartsDialog(PartsDialogDescription desc, QWidget* parent = nullptr);
    ~TPartsDialog() override;

    const PartsDialogDescription& description() const { return desc_; }

    // Step 1: the whole item.
    ExitEdit* ck1 = nullptr;
    ExitEdit* txm1 = nullptr;
    QLineEdit *ppgg1 = nullptr, *dw1 = nullptr, *kcsl1 = nullptr;
    ExitEdit* countEdit = nullptr;        // zzsl / cfsl
    QLineEdit* spid1 = nullptr;           // hidden: sp.id, "0" while none is chosen
    QLabel* sao = nullptr;                // hidden: "sao" or "xuan"
    // Step 2: the part.
    ExitEdit* ck2 = nullptr;
    ExitEdit* txm2 = nullptr;
    QLineEdit *ppgg2 = nullptr, *dw2 = nullptr, *kcsl2 = nullptr;
    ExitEdit* coefEdit = nullptr;         // zzxs / cfxs
    QLineEdit* spid2 = nullptr;           // hidden
    // Buttons and the list.
    SpeedButton *SBck1 = nullptr, *SBck2 = nullptr, *SBsp1 = nullptr, *SBsp2 = nullptr;
    SpeedButton *SB1 = nullptr, *SB2 = nullptr;   // 新增, 删除
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;
    QPushButton* cha = nullptr;           // hidden: reloads the parts list
    DataGrid* DBGrid1 = nullptr;
    KeyPreview* keys = nullptr;

    void SBck1Click();
    void SBck2Click();
    void SBsp1Click();
    void SBsp2Click();
    void SB1Click();
    void SB2Click();
    void BitBtn1Click();
    void chaClick();

    // Closing in any way closes the parts list (AQ1); the lists in the table stay.
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void wireHandlers();
    void lookUp(int step);
    void spid1Change();
    void countChange();
    void pickWarehouse(int step);
    void pickGoods(int step);
    // A refusal: the message (提示) and the focus to field (none: the focus stays); false.
    bool refuse(const QString& text, QWidget* field);
    // The checks adding a part and confirming share, in order: the step's warehouse, the
    // whole item, a count that is not zero.
    bool wholeAndCountHold(QLineEdit* warehouse, const QString& noWarehouse);

    PartsDialogDescription desc_;
};
