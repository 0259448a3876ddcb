#pragma once
// The data module: the one connection ADOC1 and every shared query of the program.
// A window that rewrites a query's SQL and reopens it changes what every other window
// bound to it shows.

#include "Query.h"
#include "Sql.h"

#include <QString>
#include <span>
#include <stdexcept>

class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every shared query of the module, written once: its name (the member's name, which is also
// the query's name and objectName) and the statement it holds before any caller rewrites it.
// The members, their construction and TDM1::sharedQueries() are made from this table.
#define DM1_SHARED_QUERIES(X) \
    X(AQ1, "")                             /* scratch, no design statement */                \
    X(AQcgz1, "SELECT * FROM cgglz")       /* purchase headers and lines */                  \
    X(AQcgc1, "SELECT * FROM cgglc")                                                         \
    X(AQxsz1, "SELECT * FROM xsglz")       /* sales headers and lines */                     \
    X(AQxsc1, "SELECT * FROM xsglc")                                                         \
    X(AQrkz1, "SELECT * FROM rkglz")       /* movement headers and lines */                  \
    X(AQrkc1, "SELECT * FROM rkglc")                                                         \
    X(AQdbz1, "SELECT * FROM dbglz")       /* transfer headers and lines */                  \
    X(AQdbc1, "SELECT * FROM dbglc")                                                         \
    X(AQsp1, "SELECT * FROM sp")           /* goods rows: lookups and picker */              \
    X(AQkcfx1, "SELECT * FROM sp")         /* goods rows: stock table and updates */         \
    X(AQcgfx1, "SELECT * FROM cgfx")       /* ledgers */                                     \
    X(AQxsfx1, "SELECT * FROM xsfx")                                                         \
    X(AQrkfx1, "SELECT * FROM rkfx")                                                         \
    X(AQcghz1, "SELECT * FROM cghz")       /* ledger statistics */                           \
    X(AQxshz1, "SELECT * FROM xshz")                                                         \
    X(AQrkhz1, "SELECT * FROM rkhz")                                                         \
    X(AQxstj3, "SELECT * FROM xstj3")      /* commission statistics */                       \
    X(AQkctj1, "SELECT * FROM kctj")       /* purchase-sales-stock statistics */             \
    X(AQfkfx1, "SELECT * FROM fkfx")       /* payments and receipts */                       \
    X(AQskfx1, "SELECT * FROM skfx")                                                         \
    X(AQszfx1, "SELECT * FROM szfx")       /* other income and expense, and its items */     \
    X(AQszxm1, "SELECT * FROM szxm")                                                         \
    X(AQzu1, "SELECT * FROM zu")           /* assembly and splitting parts lists */          \
    X(AQchai1, "SELECT * FROM chai")                                                         \
    X(AQlb1, "SELECT * FROM lb")           /* categories */                                  \
    X(AQyg1, "SELECT * FROM yg")           /* employees */                                   \
    X(AQck1, "SELECT * FROM ck")           /* warehouses, suppliers, customers (pickers) */  \
    X(AQghs1, "SELECT * FROM ghs")                                                           \
    X(AQkh1, "SELECT * FROM kh")                                                             \
    X(ATdanwei1, "SELECT * FROM danwei")   /* the company record */

class TDM1 {
public:
    // Opens the database at path, creating it with the schema, the company row and the
    // built-in operator when it is new (no file, or a file without any table). Throws
    // StartupError, its text the message to show, when the file cannot be opened, is empty or
    // no database, lacks a table or a column the program reads (named in the text; nothing is
    // written to such a file) or has no company row.
    explicit TDM1(const QString& path);
    ~TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

private:
    bool fresh_ = false; // a new database: no file, or one without any table
public:
    // Declared before the queries so it outlives them.
    Connection ADOC1;

#define DM1_DECLARE_QUERY(name, sql) Query name{ADOC1, QStringLiteral(#name), QStringLiteral(sql)};
    DM1_SHARED_QUERIES(DM1_DECLARE_QUERY)
#undef DM1_DECLARE_QUERY

    // Every shared query, as a member of the module, in the order of the table above.
    static std::span<Query TDM1::* const> sharedQueries();
    // A shared query by its name ("AQcgz1"); nullptr when there is none.
    Query* query(const QString& name);
    // The company's name as the prints head it: mcdy of the company row (ATdanwei1, opened
    // when closed).
    QString printName();
};

// The program's data module, created at start-up (tests set it to their own).
extern TDM1* DM1;

// The shared query of the program's data module that a description names by its member
// (&TDM1::AQcgz1). Throws std::logic_error when there is no module or no member.
Query& sharedQuery(Query TDM1::*member);
