#pragma once
// Printing a document on one of the document layouts: what every document print does once
// the caller has made its checks and gathered the texts it shows.

#include "data/Money.h"

#include <QPair>
#include <QString>
#include <QVector>

class Query;
class TFdycgdLayout;

struct DocumentPrint {
    QString reportName;                          // after the company's print name: "采购单"
    QVector<QPair<QString, QString>> labels{};   // label -> text ("QRLrq2" -> "2024-01-05")
    QVector<QPair<QString, QString>> company{};  // label -> company column ("xx1" -> "bz3")
    QString hjsl;                                // e1
    QString hjje;                                // e2 "￥" + the text; the capitals line
    QString negativeSuffix = QStringLiteral("(退)");   // after the capitals of a negative total
    // The capitals of the signed total instead: "负" + those of its absolute value, no suffix.
    bool signedCapitals = false;
};

// "(大写)" + the capitals of |amount|, followed by suffix when the amount is below zero.
QString capitalsLine(Money amount, const QString& suffix);

// Reads the company row afresh (opening ATdanwei1 when closed), so a print shows the company
// as it is now; title QRLdw := print name + reportName; binds the layout's data texts to
// lines; fills the labels, the company labels, e1, e2, the capitals QRLdx, the printing
// operator as 制单; report title "打印预览"; shows the shared preview. The lines' current row
// is left where it was. A total that is not a number stops it before the preview.
void previewDocument(TFdycgdLayout& form, const DocumentPrint& print, Query& lines);
