// Settling a purchase of 100 lines through the entry form's save (header, posting, marks in
// one transaction), beside the same inserts and updates done directly in one SQLite
// transaction; then the next number of the day, which steps over every number a header,
// line, ledger or payment row names, beside SQLite alone running the same lookups.
#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_save.h"

#include "sqlite_alone.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kLines = 100;
const QDate kToday(2026, 12, 6);

void seedGoods(TDM1& dm)
{
    Transaction tx(dm.ADOC1);
    for (int i = 0; i < kLines; ++i)
        dm.ADOC1.exec(QStringLiteral("insert into sp(lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) values('电视','T%1','商品%1','台','一号库',10,10,2,20)")
                          .arg(i));
    tx.commit();
}

void addPendingLines(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    for (int i = 0; i < kLines; ++i)
        dm.ADOC1.exec(QStringLiteral("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values(%1,'dz','T%2','商品%2','台',5,3,1,15)")
                          .arg(sqlQuote(dh)).arg(i));
    tx.commit();
}

void run(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err);
        sqlite3_free(err);
    }
}

// Runs a statement whose one parameter is the document number.
void runForDocument(sqlite3* db, const char* sql, const QByteArray& dh)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    sqlite3_bind_text(st, 1, dh.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_finalize(st);
}

// The same writes by hand: header, per line a ledger row and the goods row looked up and
// updated, the payment row, the marks.
void settleDirect(sqlite3* db, const QString& dh)
{
    run(db, "BEGIN");
    const QByteArray d = dh.toUtf8();
    runForDocument(db, "insert into cgglz(shbj,zhidan,kdrq,dh,rq,ck,ghs,hjsl,hjje,yhe,yfe,sfe,qk,jsr,bz) "
                       "values('已审核','系统管理员','2026-12-06',?,'2026-12-06','一号库','甲厂',500,1500,0,1500,100,1400,'张三','')",
                   d);
    sqlite3_stmt* lines = nullptr;
    sqlite3_prepare_v2(db, "select txm,ppgg,dw,sl,jg,zk,je from cgglc where dh=? and bj='dz' order by id", -1, &lines, nullptr);
    sqlite3_bind_text(lines, 1, d.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "insert into cgfx(txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck,rq) values(?,?,?,?,?,?,?,'甲厂','张三',?,'一号库','2026-12-06')",
                       -1, &ins, nullptr);
    sqlite3_stmt* find = nullptr;
    sqlite3_prepare_v2(db, "select id,kcsl,kcje from sp where ppgg=? and txm=? and dw=? and ck='一号库' order by id limit 1", -1, &find, nullptr);
    sqlite3_stmt* upd = nullptr;
    sqlite3_prepare_v2(db, "update sp set kcsl=?,kcje=?,kcjg=round(?/?,2) where id=?", -1, &upd, nullptr);
    while (sqlite3_step(lines) == SQLITE_ROW) {
        for (int c = 0; c < 7; ++c)
            sqlite3_bind_value(ins, c + 1, sqlite3_column_value(lines, c));
        sqlite3_bind_text(ins, 8, d.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(ins);
        sqlite3_reset(ins);
        sqlite3_bind_value(find, 1, sqlite3_column_value(lines, 1));
        sqlite3_bind_value(find, 2, sqlite3_column_value(lines, 0));
        sqlite3_bind_value(find, 3, sqlite3_column_value(lines, 2));
        if (sqlite3_step(find) == SQLITE_ROW) {
            const double kcsl = sqlite3_column_double(find, 1) + sqlite3_column_double(lines, 3);
            const double kcje = sqlite3_column_double(find, 2) + sqlite3_column_double(lines, 6);
            sqlite3_bind_double(upd, 1, kcsl);
            sqlite3_bind_double(upd, 2, kcje);
            sqlite3_bind_double(upd, 3, kcje);
            sqlite3_bind_double(upd, 4, kcsl);
            sqlite3_bind_int64(upd, 5, sqlite3_column_int64(find, 0));
            sqlite3_step(upd);
            sqlite3_reset(upd);
        }
        sqlite3_reset(find);
    }
    for (sqlite3_stmt* s : {lines, ins, find, upd})
        sqlite3_finalize(s);
    runForDocument(db, "insert into fkfx(shbj,rq,dh,ghs,je,jsr,bz) values('已审核','2026-12-06',?,'甲厂',100,'张三','')", d);
    runForDocument(db, "update cgglc set bj='yz' where bj='dz' and dh=?", d);
    run(db, "COMMIT");
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    Clock::pin(QDateTime(kToday, QTime(10, 0)));
    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("bench.db")));
    DM1 = &dm;
    seedGoods(dm);

    qint64 formNs = 0, directNs = 0;
    for (int r = 0; r < rounds; ++r) {
        const QString dh = purchaseNumber(kToday, 2 * r + 1);
        addPendingLines(dm, dh);
        ensurePurchaseLines(dm, dh, false);
        const PurchaseSaveInput in{.settle = true, .dh = dh, .rq = kToday, .ck = QStringLiteral("一号库"),
                                   .ghs = QStringLiteral("甲厂"), .jsr = QStringLiteral("张三"), .hjsl = QStringLiteral("500"),
                                   .hjje = QStringLiteral("1500"), .yhe = QStringLiteral("0"), .yfe = QStringLiteral("1500"),
                                   .sfe = QStringLiteral("100"), .zhidan = QStringLiteral("系统管理员"), .today = kToday};
        QElapsedTimer t;
        t.start();
        savePurchase(dm, in);
        formNs += t.nsecsElapsed();

        const QString dh2 = purchaseNumber(kToday, 2 * r + 2);
        addPendingLines(dm, dh2);
        t.restart();
        settleDirect(dm.ADOC1.handle(), dh2);
        directNs += t.nsecsElapsed();
    }
    std::printf("settle a %d-line purchase (mean of %d)\n", kLines, rounds);
    std::printf("  savePurchase (header, posting, marks): %8.3f ms\n", formNs / 1e6 / rounds);
    std::printf("  same writes, direct SQLite:            %8.3f ms\n", directNs / 1e6 / rounds);

    // The day's numbers so far are taken; the next one is looked up as a new form does.
    QElapsedTimer t;
    t.start();
    QString next;
    for (int r = 0; r < rounds; ++r)
        next = nextPurchaseNumber(dm, kToday).value_or(QString());
    const double numberMs = ms(t) / rounds;
    double aloneMs = 0;
    long long rows = 0;
    const QString day = QStringLiteral("'2026-12-06'");
    for (int r = 0; r < rounds; ++r) {
        aloneMs += sqliteAlone(dm.ADOC1.handle(), QStringLiteral("SELECT * FROM cgglz where kdrq=") + day + QStringLiteral(" order by dh"), &rows);
        for (const char* table : {"cgglz", "cgglc", "cgfx", "fkfx"})
            aloneMs += sqliteAlone(dm.ADOC1.handle(), QStringLiteral("SELECT 1 FROM %1 where dh=%2").arg(QLatin1String(table), sqlQuote(next)), &rows);
    }
    std::printf("next number (%s, %d documents of the day)\n", qPrintable(next), 2 * rounds);
    std::printf("  nextPurchaseNumber:                    %8.3f ms\n", numberMs);
    std::printf("  the same lookups, SQLite alone:        %8.3f ms\n", aloneMs / rounds);
    DM1 = nullptr;
    return 0;
}
