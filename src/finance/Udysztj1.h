#pragma once
// The comprehensive statistics report (one A4 page, no data set): the title QRLdw in the page
// header; in the title band the period line rq at the top left and the seventeen figure
// labels in a ruled grid (four rows of two: the quantity and the amount of purchase, sales,
// stock change and stock; three rows of three: payable, paid, owed of purchases and of sales,
// then payments, receipts and other income and expense); the print date at the bottom right.

#include "report/ReportForm.h"

#include <QDate>
#include <QStringList>

class TFdysztj1 : public TReportForm {
public:
    TFdysztj1();

    QRLabel* QRLdw = nullptr;
    QRLabel* rq = nullptr;         // "统计日期：..." or empty
    QRLabel* QRLdyrq = nullptr;    // "打印日期：yyyy-mm-dd"
    // A figure label by its name ("cgsl" ... "sz"); nullptr for another name.
    QRLabel* figure(const QString& name) const;

    // Title := printName + "进销存财综合统计表"; rq := periodLine; each figure label := its
    // caption ("采购数量：", ...) + its text (texts in the order of statisticsFigureNames()).
    void fill(const QString& printName, const QString& periodLine, const QStringList& figureTexts,
              const QDate& printDate);
};

extern TFdysztj1* Fdysztj1;
