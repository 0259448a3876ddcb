#pragma once
// What the benchmarks share: their program (offscreen, the size from the first argument, a
// fresh database as DM1); what they compare with, SQLite alone stepping through a statement
// (sqlite_alone.h) and running the program's statements directly; timing; and the list
// windows' query run.

#include "data/DM1.h"
#include "data/Money.h"
#include "data/Query.h"
#include "queries/ConditionDialog.h"
#include "queries/document_reversal.h"
#include "queries/QueryWindow.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include "sqlite_alone.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>

struct BenchShop {
    long long size;
    int qtArgc = 1;
    ShopApplication app;
    QTemporaryDir dir;
    TDM1 dm{dir.filePath(QStringLiteral("TRZData1.db"))};

    BenchShop(int argc, char** argv, long long defaultSize)
        : size(offscreen(argc > 1 ? std::atoll(argv[1]) : defaultSize)), app(qtArgc, argv)
    {
        DM1 = &dm;
    }
    ~BenchShop() { DM1 = nullptr; }

private:
    static long long offscreen(long long n)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return n;
    }
};

namespace bench {

inline void run(sqlite3* db, const QString& sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string text = err ? err : "?";
        sqlite3_free(err);
        throw std::runtime_error(text);
    }
}

// What a SELECT gave: its row count, and of its first row the first column and the goods
// row's kcsl, kcje, kcjg where it has them.
struct Selected {
    long long rows = 0;
    qint64 id = 0;
    Money kcsl, kcje, kcjg;
    bool found() const { return rows > 0; }
};

// Steps through a SELECT reading every cell as SQLite gives it (text as text, numbers as
// numbers), as a static cursor fills itself.
inline Selected select(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    Selected r;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(st, c);
            else
                (void)sqlite3_column_double(st, c);
        }
        if (r.rows++ == 0) {
            r.id = sqlite3_column_int64(st, 0);
            for (int c = 0; c < n; ++c) {
                const QByteArray name = sqlite3_column_name(st, c);
                const Money v = Money::fromDouble(sqlite3_column_double(st, c));
                if (name == "kcsl") r.kcsl = v;
                else if (name == "kcje") r.kcje = v;
                else if (name == "kcjg") r.kcjg = v;
            }
        }
    }
    sqlite3_finalize(st);
    return r;
}

// Goods rows G00000, G00001, ... (商品00000, ...) in four warehouses; 主仓库 holds a quarter
// of the rows, each 10 at 2 (20).
inline void fillGoods(sqlite3* db, int rows)
{
    run(db, QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i+1<%1) "
        "INSERT INTO sp (lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) SELECT '电视', printf('G%05d',i/4), "
        "printf('商品%05d',i/4), '台', CASE i%4 WHEN 0 THEN '主仓库' WHEN 1 THEN '一仓' WHEN 2 THEN '二仓' "
        "ELSE '三仓' END, 10, 10, 2, 20 FROM n").arg(rows));
}

// The at-cost rule's statements on the goods row of (txm, ppgg, unit '台', ck) as the program
// runs them: the row found (lowest id), then kcsl += delta and kcje := kcsl x kcjg rounded;
// or, when there is none, the row created with the given values.
inline void atCostDirect(sqlite3* db, const QString& txm, const QString& ppgg, const QString& ck, Money delta,
                         Money kcjg, Money kcsl, Money kcje)
{
    const Selected r = select(db, "SELECT * FROM sp\nwhere txm=" + sqlQuote(txm) + "\nand ppgg=" + sqlQuote(ppgg)
                                      + "\nand dw='台'\nand ck=" + sqlQuote(ck) + "\norder by id");
    if (!r.found()) {
        run(db, "INSERT INTO sp (ck,lb,txm,ppgg,dw,kcjg,kcsl,kcje) VALUES (" + sqlQuote(ck) + ",'未知'," + sqlQuote(txm)
                    + "," + sqlQuote(ppgg) + ",'台'," + kcjg.plainText() + "," + kcsl.plainText() + ","
                    + kcje.plainText() + ")");
        return;
    }
    const Money moved = r.kcsl + delta;
    run(db, "UPDATE sp SET kcsl=" + moved.plainText() + ",kcje=" + (moved * r.kcjg).round2().plainText()
                + " WHERE id=" + QString::number(r.id));
}

template <class F>
double timed(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// Direct statements inside one transaction that is rolled back, so the shop stays as it was.
// Best of three, so the page cache is warm as it is for the program's second run.
template <class F>
double timedDirect(sqlite3* db, F f)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        run(db, "BEGIN");
        best = std::min(best, timed(f));
        run(db, "ROLLBACK");
    }
    return best;
}

// A list's condition dialog run with nothing typed, three times, each beside the time SQLite
// alone takes to step through the same two statements.
inline void listRounds(QueryWindow& w, TConditionDialog& dlg, sqlite3* db)
{
    dlg.reset();
    const QStringList clauses = dlg.clauses();
    const QString orderLine = dlg.description().orderLine;
    const QString sumSql = (QStringList{w.description().sumStatement} + clauses).join('\n');
    const QString rowSql = (QStringList{w.description().rowStatement} + clauses + QStringList{orderLine}).join('\n');
    long long rows = 0;
    sqliteAlone(db, w.description().rowStatement, &rows);   // warm the file cache once
    for (int round = 1; round <= 3; ++round) {
        const double window = timed([&] { w.runQuery(clauses, orderLine); });
        long long sumRows = 0;
        const double sumAlone = sqliteAlone(db, sumSql, &sumRows);
        const double rowAlone = sqliteAlone(db, rowSql, &rows);
        std::printf("round %d: list run %.0f ms (%d rows, totals %s / %s)   SQLite alone: sum %.0f ms + rows %.0f ms = "
                    "%.0f ms (%lld rows)\n",
                    round, window, w.query().recordCount(), qPrintable(w.StatusBar1->panelText(2)),
                    qPrintable(w.StatusBar1->panelText(3)), sumAlone, rowAlone, sumAlone + rowAlone, rows);
    }
}

// The un-audit of the document dh of a kind from its list w, the list standing on the
// document's row (its last), twice: the document is audited again and posted by repost()
// in between. Each beside direct(), SQLite alone running the same statements (rolled back).
inline void unauditRounds(QueryWindow& w, TDM1& dm, const DocumentKind& kind, const QString& dh,
                          const std::function<void()>& direct, const std::function<void()>& repost)
{
    sqlite3* db = dm.ADOC1.handle();
    const double alone = timedDirect(db, direct);
    auto unaudit = [&] {
        w.query().last();
        return timed([&] {
            if (unauditDocument(dm, kind, dh) != ReversalResult::Done)
                throw std::runtime_error("un-audit refused");
        });
    };
    const double first = unaudit();
    run(db, "update " + kind.headerTable + " set shbj='已审核' where dh=" + sqlQuote(dh));
    w.query().refresh();
    repost();
    const double second = unaudit();
    std::printf("%-40s %10s %10s\n", "", "program", "SQLite");
    std::printf("%-40s %8.1f ms %8.1f ms\n", "un-audit", first, alone);
    std::printf("%-40s %8.1f ms %8.1f ms\n", "un-audit again", second, alone);
}

} // namespace bench
