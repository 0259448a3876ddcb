#pragma once
// The shops the benchmark suite measures: a shop of about N ledger rows (purchases, sales,
// transfers and movements in the proportions of a working shop, with their headers and
// lines, payments, receipts and other income and expense) over 5,000 goods in 4 warehouses.
// Each size is generated once into a file of the shop folder and reused by later runs; a
// file made for another schema or another generator is made again.

#include <QString>

namespace suite {

// What a day of the generated shop holds.
struct ShopDay {
    static constexpr int purchases = 9, purchaseLines = 8;
    static constexpr int sales = 50, saleLines = 3;          // 35 retail, 15 wholesale
    static constexpr int transfers = 4, transferLines = 5;    // two ledger rows a line
    static constexpr int movements = 3, movementLines = 4;
    static constexpr int incomeAndExpense = 6;
    static constexpr int ledgerRows =
        purchases * purchaseLines + sales * saleLines + transfers * transferLines * 2 + movements * movementLines;
};

constexpr int kGoods = 5000;
constexpr int kWarehouses = 4;
// The last day of every generated shop; a shop of N rows starts N / ShopDay::ledgerRows days
// before.
constexpr const char* kLastDay = "2025-12-31";

// The warehouses: the first two hold "仓库" in their name (the stock reset shows them).
const QStringList& warehouses();

// The file of a shop of `ledgerRows` rows in `folder`, generated now when there is none for
// this schema and generator (older ones of that size are removed). Progress goes to stderr.
QString shopFile(const QString& folder, long long ledgerRows);

// A fresh working copy of the shop file (the runs write into it), returned as its path.
QString workingCopy(const QString& shop, const QString& folder);

// How many days a shop of that many ledger rows covers.
int shopDays(long long ledgerRows);

} // namespace suite
