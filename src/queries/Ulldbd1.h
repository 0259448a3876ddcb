#pragma once
// The transfer document browser (浏览库存调拨单): the transfer list's current header with its
// two warehouses and its lines, paged through the list's rows and printed on the transfer
// layout.

#include "bases/DocumentBrowser.h"

#include <QPointer>

class TDM1;

class TFlldbd1 : public DocumentBrowser {
    Q_OBJECT
public:
    explicit TFlldbd1(TDM1& dm, QWidget* parent = nullptr);

    // Header edits (dh, the state and the heading are the base's).
    QLineEdit *rq = nullptr, *ck1 = nullptr, *ck2 = nullptr, *jsr = nullptr, *bz = nullptr;
};

extern QPointer<TFlldbd1> Flldbd1;

// What the transfer list's 查单 runs once it has checked that AQdbz1 is open and has rows:
// brings the browser to the front or creates it, and shows AQdbz1's current header with its
// lines (re-pointing AQdbc1).
TFlldbd1* showTransferBrowser(TDM1& dm);
