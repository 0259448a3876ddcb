#pragma once
// Un-audit and deletion of a document, as the document lists run them, for every kind of
// document described by a DocumentKind: which tables and shared queries hold its headers,
// lines and posted rows, and how one line's stock change is put back. Each runs in one
// transaction, reads the header's state again from the database and walks the lines in
// line order (order by id).

#include <QString>
#include <QVector>
#include <functional>

class Query;
class TDM1;

enum class ReversalResult { Done, AlreadyHeld, Missing };

// Rows that settling a document wrote elsewhere, found by the document's number: a ledger
// (deleted by the un-audit and by the delete) or payments and receipts (deleted by the
// un-audit only: a deleted document keeps them). Afterwards the query is left empty on its
// table ("where dh='刷新数据'"), so no window shows rows that are gone.
struct PostedRows {
    QString table;                   // "xsfx"
    Query TDM1::*query = nullptr;    // &TDM1::AQxsfx1
    bool keptOnDelete = false;       // payments and receipts
};

struct DocumentKind {
    QString headerTable;             // "xsglz"
    QString lineTable;               // "xsglc"
    Query TDM1::*headers = nullptr;  // the lists' header query (&TDM1::AQxsz1)
    Query TDM1::*lines = nullptr;    // the shared line query (&TDM1::AQxsc1)
    QVector<PostedRows> posted;
    // Puts back the stock change of one line; header is the document's header row as the
    // database holds it, line the current line.
    std::function<void(TDM1& dm, const Query& header, const Query& line)> reverseLine;
};

// Purchase: cgglz/cgglc, ledger cgfx, payments fkfx; each line's quantity and amount taken
// back out of the header's warehouse by the moving weighted average (a missing goods row is
// created with -sl, -je at the line's price).
const DocumentKind& purchaseDocuments();
// Retail and wholesale: xsglz/xsglc, ledger xsfx, receipts skfx; each line's quantity put
// back into the header's warehouse at the row's cost (a missing goods row is created with
// sl at the line's cost price cbjg, kcje = sl x cbjg rounded).
const DocumentKind& salesDocuments();
// Movement: rkglz/rkglc, ledger rkfx; each line's signed quantity taken back out of the
// header's warehouse at the row's cost (a missing goods row is created with -sl, -je at the
// line's price jg).
const DocumentKind& movementDocuments();
// Transfer: dbglz/dbglc, ledger rkfx; per line the quantity put back into ck1, then taken
// out of ck2, both at the rows' cost (a missing row in ck1 is created with sl, je, in ck2
// with -sl, -je, both at jg). When ck1 and ck2 are one warehouse the second step finds the
// row the first one changed or created.
const DocumentKind& transferDocuments();

// Un-audits the audited document dh: lines re-read through the kind's line query (which then
// holds them), each line's stock change put back, the posted rows deleted, the header set
// back to "未审核" with its money unchanged (through the header query when it holds the row,
// so windows showing it follow, its cursor kept; else by statement), then the posted
// queries refreshed. AlreadyHeld: the header says "未审核" (nothing changes); Missing: no
// such header.
ReversalResult unauditDocument(TDM1& dm, const DocumentKind& kind, const QString& dh);

// Deletes the lines, the ledger rows and the header of dh (through the header query when it
// holds the row, else by statement); stock, payments and receipts stay. The line query is
// left closed, as running the delete through it leaves it, so an open browser shows no lines
// of the deleted document and refuses its next step. The ledger queries are refreshed.
// Missing when no such header exists (nothing changes).
ReversalResult deleteDocument(TDM1& dm, const DocumentKind& kind, const QString& dh);
