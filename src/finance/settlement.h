#pragma once
// Payments against audited purchase documents and receipts against audited sales documents:
// the two sides described once, and the rules that save, reverse and delete a settlement row.
//
// A settlement row (fkfx, skfx) names its document by number. An applied row ("已审核") is
// counted in its document's paid amount (sfe, sse) and the document's debt qk = due - paid is
// worked out again; a reversed row ("未审核") is not counted. Every rule that writes runs in
// one transaction and reads the row's state again inside it, so an amount is never applied
// or taken out twice and a failure leaves every table as it was.

#include "data/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>

class TDM1;
class Query;

// What differs between the payment side and the receipt side. Every window and rule of
// either side reads its tables, columns and texts from here.
struct SettlementSide {
    // Tables and shared queries.
    QString rowTable;              // "fkfx"
    Query TDM1::*rowQuery;         // &TDM1::AQfkfx1
    QString docTable;              // "cgglz"
    Query TDM1::*docQuery;         // &TDM1::AQcgz1
    QString partyColumn;           // "ghs"
    QString dueColumn;             // "yfe"
    QString paidColumn;            // "sfe"

    // The entry dialog.
    QString partyLabel;            // "厂商"
    QString amountEdit;            // "fk"
    QString amountLabel;           // "本次付款"
    QString zeroAmountRefusal;     // "本次付款不可为零！"
    QString emptiedAmountText;     // what an emptied amount edit reads: "0"
    QString pickerHint;            // SpeedButton1's hint: "选择应付帐单"
    bool closeBeforeSave = false;  // tab order after the panel: 关闭 before 保存
    QString tag;                   // the caller tag of the pickers: "tjfkfx"
    QString newCaption;            // "新增付款"
    QString modifyCaption;         // "修改付款"

    // The open-item picker.
    QString pickerName;            // "Fxzyf1"
    QString pickerCaption;         // "选择应付帐单（采购欠款单）"
    QString dueTitle;              // "应付额"
    QString paidTitle;             // "实付额"

    // The list, its condition dialog and its print.
    QString listName;              // "TFfkfx1"
    QString listCaption;           // "采购付款明细表"
    QString amountTitle;           // "付款金额"
    QString legend;                // "付款＜0：采购退款"
    QString dialogName;            // "TFcxfkfx1"
    QString dialogPartyLabel;      // "厂　　商"
    QStringList typeItems;         // "全部", "采购付款", "采购退款"
    QString reportName;            // "付款明细表"
};

const SettlementSide& paymentSide();
const SettlementSide& receiptSide();

// The document a number names, as the entry dialog shows it: re-points the side's document
// query at "where dh=<number>", "and shbj='已审核'", "and qk<>0" and opens it (the number
// untrimmed; matched without regard to case as every text column is). Not found: a held
// document, one with no debt, or no such number.
struct OpenDocument {
    bool found = false;
    QString dh;                    // the document's own number
    QString party;
    Money qk;
};
OpenDocument lookupOpenDocument(TDM1& dm, const SettlementSide& side, const QString& dh);

// What the entry dialog saves.
struct SettlementInput {
    qint64 rowId = 0;              // the row edited; 0: a new row
    QDate date;
    QString dh;                    // as typed; the row stores the document's own number
    QString party;
    Money amount;
    QString jsr;
    QString bz;
};

enum class SettlementResult {
    Done,
    Missing,     // the row is no longer in the table
    Applied,     // the row is applied ("已审核"): it cannot be modified or deleted
    Reversed,    // the row is already reversed ("未审核")
};

// Saves a row as applied and adds its amount to its document (paid += amount, qk := due -
// paid), in one transaction. A new row is appended to the side's row query; a modified row
// (rowId) must be reversed and is written back through the row query when it holds the row.
// The document query is left on the one document (or none, when the number names none; no
// header then changes). Missing and Applied (modify only) change nothing.
SettlementResult saveSettlement(TDM1& dm, const SettlementSide& side, const SettlementInput& in);

// Takes an applied row's amount back out of its document (paid -= amount, qk := due - paid)
// and marks the row reversed, in one transaction. Reversed and Missing change nothing.
SettlementResult reverseSettlement(TDM1& dm, const SettlementSide& side, qint64 rowId);

// Deletes a reversed row (through the row query when it holds the row); no document changes.
// Applied and Missing change nothing.
SettlementResult deleteSettlement(TDM1& dm, const SettlementSide& side, qint64 rowId);
