#pragma once
// The sales document browser (浏览销售出库单): the sales list's current header with its
// lines, paged through the list's rows and printed on the two sales layouts.

#include "bases/DocumentBrowser.h"

#include <QPointer>

class TDM1;

class TFllxsd1 : public DocumentBrowser {
    Q_OBJECT
public:
    explicit TFllxsd1(TDM1& dm, QWidget* parent = nullptr);

    // Header edits (dh, the state and the heading are the base's).
    QLineEdit *rq = nullptr, *ck = nullptr, *kh = nullptr, *jsr = nullptr, *bz = nullptr;
    QLineEdit *yhe = nullptr, *yse = nullptr, *sse = nullptr;
    QAction* N3 = nullptr;   // 带编码打印
    QAction* N4 = nullptr;   // 不带编码打印
};

extern QPointer<TFllxsd1> Fllxsd1;

// What the sales list's 查单 (and the receivables table) run once they have checked that
// AQxsz1 is open and has rows: brings the browser to the front or creates it, and shows
// AQxsz1's current header with its lines (re-pointing AQxsc1).
TFllxsd1* showSalesBrowser(TDM1& dm);
