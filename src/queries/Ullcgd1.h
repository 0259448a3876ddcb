#pragma once
// The purchase document browser (浏览采购入库单): the purchase list's current header with its
// lines, paged through the list's rows and printed on the two purchase layouts.

#include "bases/DocumentBrowser.h"

#include <QPointer>

class TDM1;

class TFllcgd1 : public DocumentBrowser {
    Q_OBJECT
public:
    explicit TFllcgd1(TDM1& dm, QWidget* parent = nullptr);

    // Header edits (dh, the state and the heading are the base's).
    QLineEdit *rq = nullptr, *ck = nullptr, *ghs = nullptr, *jsr = nullptr, *bz = nullptr;
    QLineEdit *yhe = nullptr, *yfe = nullptr, *sfe = nullptr;
    QAction* N3 = nullptr;   // 带编码打印
    QAction* N4 = nullptr;   // 不带编码打印
};

extern QPointer<TFllcgd1> Fllcgd1;

// What the purchase list's 查单 (and the payables table) run once they have checked that
// AQcgz1 is open and has rows: brings the browser to the front or creates it, and shows
// AQcgz1's current header with its lines (re-pointing AQcgc1).
TFllcgd1* showPurchaseBrowser(TDM1& dm);
