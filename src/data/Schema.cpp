#include "Schema.h"
#include "Sql.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <QScopeGuard>
#include <QStringList>
#include <QUrl>

namespace {

// Column kinds: T text, M money, N number, I integer.
struct Table {
    const char* name;
    const char* columns; // "dh:T rq:T hjsl:N ..."
    bool withId = true;
};

const Table Tables[] = {
    // Documents: headers and lines.
    {"cgglz", "dh:T rq:T kdrq:T shbj:T zhidan:T ck:T ghs:T jsr:T bz:T hjsl:N hjje:M yhe:M yfe:M sfe:M qk:M"},
    {"xsglz", "dh:T rq:T kdrq:T shbj:T zhidan:T ck:T kh:T jsr:T bz:T hjsl:N hjje:M yhe:M yse:M sse:M qk:M"},
    {"rkglz", "dh:T rq:T kdrq:T shbj:T zhidan:T ck:T jsr:T bz:T hjsl:N hjje:M lx:T"},
    {"dbglz", "dh:T rq:T kdrq:T shbj:T zhidan:T ck1:T ck2:T jsr:T bz:T hjsl:N hjje:M"},
    {"cgglc", "dh:T bj:T txm:T ppgg:T dw:T sl:N jg:M zk:N je:M"},
    {"xsglc", "dh:T bj:T txm:T ppgg:T dw:T sl:N jg:M zk:N je:M cbjg:M cbje:M maoli:M"},
    {"rkglc", "dh:T bj:T txm:T ppgg:T dw:T sl:N jg:M je:M"},
    {"dbglc", "dh:T bj:T txm:T ppgg:T dw:T sl:N jg:M je:M"},
    // Goods rows, one per goods item per warehouse.
    {"sp", "lb:T txm:T ppgg:T dw:T ck:T jj:M xjpf:M xjls:M kcsl:N kcjg:M kcje:M slt:M jet:N ms:T bz:T"},
    // Ledgers.
    {"cgfx", "rq:T txm:T ppgg:T dw:T sl:N jg:M zk:N je:M ghs:T jsr:T dh:T ck:T"},
    {"xsfx", "rq:T txm:T ppgg:T dw:T sl:N jg:M zk:N je:M cbjg:M cbje:M maoli:M kh:T jsr:T dh:T ck:T"},
    {"rkfx", "rq:T txm:T ppgg:T dw:T sl:N jg:M je:M lx:T jsr:T dh:T ck:T"},
    // Payments, receipts, other income and expense.
    {"fkfx", "shbj:T rq:T dh:T ghs:T je:M jsr:T bz:T"},
    {"skfx", "shbj:T rq:T dh:T kh:T je:M jsr:T bz:T"},
    {"szfx", "rq:T lb:T xm:T se:M ze:M jsr:T bz:T"},
    {"szxm", "lb:T xm:T"},
    // Assembly and splitting parts lists (no id: written by rowid).
    {"zu", "spid1:I spid2:I xs:N sl:N", false},
    {"chai", "spid1:I spid2:I xs:N sl:N", false},
    // Basic data.
    {"lb", "lb:T"},
    {"ck", "ck:T"},
    {"ghs", "mc:T"},
    {"kh", "mc:T"},
    {"yg", "xm:T"},
    {"danwei", "mczc:T mcdy:T bz1:T bz2:T bz3:T bz4:T"},
    {"yhsz", "yhm:T mm:T"},
    {"quanxian", "yhm:T qxmc:T"},
    // Tables named by the statistics queries' first statements.
    {"cghz", "txm:T ppgg:T dw:T zsl:N zje:M"},
    {"xshz", "txm:T ppgg:T dw:T zsl:N zje:M"},
    {"rkhz", "txm:T ppgg:T dw:T zsl:N zje:M"},
    {"xstj3", "yuangong:T sltc:M jetc:M ztc:M"},
    {"kctj", "txm:T ppgg:T dw:T cgsl:N cgje:M xssl:N xsje:M rksl:N rkje:M ysl:N yje:M"},
};

const char* const Indexes[] = {
    "cgglz(dh)", "xsglz(dh)", "rkglz(dh)", "dbglz(dh)",
    "cgglc(dh)", "xsglc(dh)", "rkglc(dh)", "dbglc(dh)",
    "cgfx(dh)", "xsfx(dh)", "rkfx(dh)",
    "cgfx(rq)", "xsfx(rq)", "rkfx(rq)",
    // The ledgers by goods key, carrying every column the statistics by goods filter on and
    // add up, so a statistics run reads the index alone, already in goods order.
    "cgfx(txm,ppgg,dw,ghs,jsr,ck,rq,sl,je)", "xsfx(txm,ppgg,dw,kh,jsr,ck,rq,sl,je,cbje,maoli)",
    "rkfx(txm,ppgg,dw,lx,jsr,ck,rq,sl,je)",
    "sp(txm,ppgg,dw,ck)",
    "fkfx(dh)", "skfx(dh)",
    // The date ranges of the finance lists and the comprehensive statistics.
    "cgglz(rq)", "xsglz(rq)", "fkfx(rq)", "skfx(rq)", "szfx(rq)",
    // A new purchase number looks up the day's headers by their entry date.
    "cgglz(kdrq)",
};

// Indexes an older file has that the ones above replace.
const char* const RetiredIndexes[] = {"ix_cgfx_txm_ppgg_dw", "ix_xsfx_txm_ppgg_dw", "ix_rkfx_txm_ppgg_dw"};

// A table's column definitions ("dh:T"), in order; the id is not among them.
QStringList columnDefs(const Table& table)
{
    return QString::fromLatin1(table.columns).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString columnSql(const QString& def)
{
    const QString name = def.section(QLatin1Char(':'), 0, 0);
    const QString kind = def.section(QLatin1Char(':'), 1, 1);
    if (kind == QLatin1String("T"))
        return name + QStringLiteral(" TEXT NOT NULL DEFAULT '' COLLATE NOCASE");
    if (kind == QLatin1String("M"))
        return name + QStringLiteral(" MONEY");
    if (kind == QLatin1String("N"))
        return name + QStringLiteral(" DOUBLE");
    return name + QStringLiteral(" INTEGER");
}

} // namespace

namespace Schema {

FileCheck checkFile(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {};
    if (file.size() == 0)
        return {FileCheck::Unreadable};   // opened, it would be given a header
    // Read only; and, while the file has no write-ahead log beside it, as a file nobody changes,
    // so that not even the log files a reader of a logged database makes are left beside it.
    QByteArray uri = QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded();
    if (!QFileInfo::exists(path + QStringLiteral("-wal")))
        uri += "?immutable=1";
    sqlite3* db = nullptr;
    const auto closed = qScopeGuard([&db] { sqlite3_close_v2(db); });
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
        return {FileCheck::Unreadable};
    // The first column of a statement's rows; false when the statement fails.
    const auto names = [db](const QString& sql, QStringList& out) {
        sqlite3_stmt* st = nullptr;
        bool ok = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK;
        int rc = SQLITE_DONE;
        while (ok && (rc = sqlite3_step(st)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).toLower();
        sqlite3_finalize(st);
        return ok && rc == SQLITE_DONE;
    };
    QStringList tables;
    if (!names(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"), tables))
        return {FileCheck::Unreadable};
    if (tables.isEmpty())
        return {};
    FileCheck check{FileCheck::Ours};
    for (const Table& table : Tables) {
        const QString name = QString::fromLatin1(table.name);
        QStringList have;
        if (!names(QStringLiteral("SELECT name FROM pragma_table_info(%1)").arg(sqlQuote(name)), have))
            return {FileCheck::Unreadable};
        if (have.isEmpty()) {
            check.missingTables << name;
            continue;
        }
        QStringList wanted;
        if (table.withId)
            wanted << QStringLiteral("id");
        for (const QString& def : columnDefs(table))
            wanted << def.section(QLatin1Char(':'), 0, 0);
        for (const QString& column : wanted)
            if (!have.contains(column))
                check.missingColumns << name + QLatin1Char('.') + column;
    }
    if (!check.missingTables.isEmpty() || !check.missingColumns.isEmpty())
        check.state = FileCheck::Incomplete;
    return check;
}

void create(Connection& c)
{
    Transaction t(c);
    for (const Table& table : Tables) {
        QStringList cols;
        if (table.withId)
            cols << QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT");
        for (const QString& def : columnDefs(table))
            cols << columnSql(def);
        c.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(QLatin1String(table.name), cols.join(QStringLiteral(", "))));
    }
    for (const char* ix : Indexes) {
        QString def = QString::fromLatin1(ix);
        QString name = QStringLiteral("ix_") + def;
        name.replace(QLatin1Char('('), QLatin1Char('_')).replace(QLatin1Char(','), QLatin1Char('_')).remove(QLatin1Char(')'));
        c.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2").arg(name, def));
    }
    for (const char* ix : RetiredIndexes)
        c.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(QLatin1String(ix)));
    t.commit();
}

void seed(Connection& c)
{
    Transaction t(c);
    if (c.execute(QStringLiteral("SELECT id FROM danwei")).isEmpty())
        c.exec(QStringLiteral("INSERT INTO danwei (mczc, mcdy) VALUES ('', '')"));
    const QString op = builtInOperator();
    if (c.execute(QStringLiteral("SELECT id FROM yhsz WHERE yhm=") + sqlQuote(op)).isEmpty()) {
        c.exec(QStringLiteral("INSERT INTO yhsz (yhm, mm) VALUES (%1, '')").arg(sqlQuote(op)));
        for (const QString& p : permissionNames())
            c.exec(QStringLiteral("INSERT INTO quanxian (yhm, qxmc) VALUES (%1, %2)").arg(sqlQuote(op), sqlQuote(p)));
    }
    t.commit();
}

QStringList permissionNames()
{
    // The main window's menu items, then the two permissions of the stock table.
    return {
        QStringLiteral("单位信息"), QStringLiteral("操作员设置"), QStringLiteral("数据备份"),
        QStringLiteral("数据恢复"), QStringLiteral("数据压缩"), QStringLiteral("数据清除"),
        QStringLiteral("商品资料"), QStringLiteral("仓库资料"), QStringLiteral("厂商资料"),
        QStringLiteral("客户资料"), QStringLiteral("员工资料"), QStringLiteral("收支项目"),
        QStringLiteral("采购"), QStringLiteral("零售"), QStringLiteral("批发"),
        QStringLiteral("调拨"), QStringLiteral("异动"),
        QStringLiteral("采购单据"), QStringLiteral("采购明细表"), QStringLiteral("采购统计表"),
        QStringLiteral("销售单据"), QStringLiteral("销售明细表"), QStringLiteral("销售统计表"),
        QStringLiteral("员工提成表"), QStringLiteral("异动单据"), QStringLiteral("变动明细表"),
        QStringLiteral("变动统计表"), QStringLiteral("商品库存明细表"), QStringLiteral("商品进销存统计表"),
        QStringLiteral("调拨单据"),
        QStringLiteral("付款"), QStringLiteral("收款"), QStringLiteral("其他收支"),
        QStringLiteral("采购应付明细表"), QStringLiteral("销售应收明细表"), QStringLiteral("采购付款明细表"),
        QStringLiteral("销售收款明细表"), QStringLiteral("其他收支明细表"), QStringLiteral("进销存财综合统计表"),
        permShowPrices(), permResetStock(),
    };
}

} // namespace Schema
