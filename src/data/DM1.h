#pragma once
// The data module: the one connection ADOC1 and every shared query of the program.
// A window that rewrites a query's SQL and reopens it changes what every other window
// bound to it shows.

#include "Query.h"
#include "Sql.h"

#include <QString>
#include <stdexcept>

class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TDM1 {
public:
    // Opens the database at path, creating it with the schema, the company row and the
    // built-in operator when the file is missing. Throws StartupError when the file cannot
    // be opened or has no company row.
    explicit TDM1(const QString& path);
    ~TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

private:
    bool fresh_ = false; // the file was missing when the module was created
public:
    // Declared before the queries so it outlives them.
    Connection ADOC1;

    Query AQ1;                       // scratch, no design statement
    Query AQcgz1, AQcgc1;            // purchase headers and lines
    Query AQxsz1, AQxsc1;            // sales headers and lines
    Query AQrkz1, AQrkc1;            // movement headers and lines
    Query AQdbz1, AQdbc1;            // transfer headers and lines
    Query AQsp1, AQkcfx1;            // goods rows (lookups and picker; stock table and updates)
    Query AQcgfx1, AQxsfx1, AQrkfx1; // ledgers
    Query AQcghz1, AQxshz1, AQrkhz1; // ledger statistics
    Query AQxstj3, AQkctj1;          // commission, purchase-sales-stock statistics
    Query AQfkfx1, AQskfx1;          // payments and receipts
    Query AQszfx1, AQszxm1;          // other income and expense, and its items
    Query AQzu1, AQchai1;            // assembly and splitting parts lists
    Query AQlb1, AQyg1;              // categories, employees
    Query AQck1, AQghs1, AQkh1;      // warehouses, suppliers, customers (pickers)
    Query ATdanwei1;                 // the company record ("SELECT * FROM danwei")

    // A shared query by its name ("AQcgz1"); nullptr when there is none.
    Query* query(const QString& name);
    // The company's name as the prints head it: mcdy of the company row (ATdanwei1, opened
    // when closed).
    QString printName();
};

// The program's data module, created at start-up (tests set it to their own).
extern TDM1* DM1;
