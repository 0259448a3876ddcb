#include "suite_shop.h"

#include "bench_support.h"
#include "data/DM1.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace suite {

namespace {

using bench::run;

// Bump when the shop the script below makes changes.
constexpr const char* kGenerator = "g1";

// Runs each statement of a script; one that takes long is named on stderr.
void runScript(sqlite3* db, const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    const char* at = text.constData();
    while (at && *at) {
        sqlite3_stmt* st = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, at, -1, &st, &tail) != SQLITE_OK)
            throw std::runtime_error(std::string("shop generation: ") + sqlite3_errmsg(db) + " in " + at);
        QElapsedTimer t;
        t.start();
        int rc = SQLITE_DONE;
        while (st && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string("shop generation: ") + sqlite3_errmsg(db));
        if (t.elapsed() > 2000)
            std::fprintf(stderr, "  %.1f s: %.60s\n", t.elapsed() / 1000.0, QByteArray(at, tail - at).trimmed().constData());
        at = tail;
    }
}

// Lookup tables of the generation (temporary: they are not part of the shop).
const char* const kNames = R"SQL(
CREATE TEMP TABLE brand(i INTEGER PRIMARY KEY, name TEXT, code TEXT);
INSERT INTO brand VALUES (0,'海尔','HE'),(1,'美的','MD'),(2,'格力','GL'),(3,'海信','HX'),(4,'长虹','CH'),
  (5,'创维','CW'),(6,'西门子','XMZ'),(7,'松下','SX');
CREATE TEMP TABLE cat(i INTEGER PRIMARY KEY, name TEXT, code TEXT);
INSERT INTO cat VALUES (0,'电视','DS'),(1,'冰箱','BX'),(2,'洗衣机','XYJ'),(3,'空调','KT'),(4,'热水器','RSQ'),
  (5,'微波炉','WBL'),(6,'电饭煲','DFB'),(7,'吸尘器','XCQ'),(8,'油烟机','YYJ'),(9,'小家电','XJD');
CREATE TEMP TABLE wh(i INTEGER PRIMARY KEY, name TEXT);
INSERT INTO wh VALUES (0,'一号仓库'),(1,'二号仓库'),(2,'门市部'),(3,'展厅');
CREATE TEMP TABLE emp(i INTEGER PRIMARY KEY, name TEXT);
INSERT INTO emp VALUES (0,'王小明'),(1,'李红'),(2,'赵刚'),(3,'陈静'),(4,'刘伟'),(5,'张三'),(6,'李四'),
  (7,'王芳'),(8,'杨洋'),(9,'周杰'),(10,'吴敏'),(11,'郑强'),(12,'孙丽'),(13,'朱峰'),(14,'胡军'),(15,'郭华'),
  (16,'何平'),(17,'高洁'),(18,'林涛'),(19,'罗燕');
CREATE TEMP TABLE region(i INTEGER PRIMARY KEY, name TEXT);
INSERT INTO region VALUES (0,'华南'),(1,'华北'),(2,'华东'),(3,'华中'),(4,'西南'),(5,'西北'),(6,'东北'),
  (7,'江南'),(8,'岭南'),(9,'中原');
CREATE TEMP TABLE item(i INTEGER PRIMARY KEY, lb TEXT, xm TEXT);
INSERT INTO item VALUES (0,'收入','维修收入'),(1,'收入','安装收入'),(2,'收入','租金收入'),(3,'支出','房租'),
  (4,'支出','水电费'),(5,'支出','工资'),(6,'支出','运费'),(7,'支出','广告费'),(8,'支出','办公费');
CREATE TEMP TABLE n(i INTEGER PRIMARY KEY);
WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM c WHERE i+1<{COUNT}) INSERT INTO n SELECT i FROM c;
)SQL";

// Basic records and the goods rows: every goods item in every warehouse.
const char* const kRecords = R"SQL(
UPDATE danwei SET mczc='通达家电商行', mcdy='通达家电', bz3='货物售出七日内可退换', bz4='谢谢惠顾';
INSERT INTO lb(lb) SELECT name FROM cat ORDER BY i;
INSERT INTO ck(ck) SELECT name FROM wh ORDER BY i;
INSERT INTO yg(xm) SELECT name FROM emp ORDER BY i;
INSERT INTO ghs(mc) SELECT r.name || '家电批发' || printf('%03d', k.i) FROM n k JOIN region r ON r.i=k.i%10 WHERE k.i<300;
INSERT INTO kh(mc) SELECT r.name || '家电商场' || printf('%04d', k.i) FROM n k JOIN region r ON r.i=k.i%10 WHERE k.i<2000;
INSERT INTO szxm(lb,xm) SELECT lb, xm FROM item ORDER BY i;
CREATE TEMP TABLE goods(g INTEGER PRIMARY KEY, lb TEXT, txm TEXT, ppgg TEXT, jj REAL);
INSERT INTO goods SELECT k.i, c.name, b.code || c.code || printf('%04d', k.i), b.name || c.name || printf('-%04d', k.i),
  100 + (k.i*37%50)*50 FROM n k JOIN cat c ON c.i=k.i%10 JOIN brand b ON b.i=(k.i/10)%8 WHERE k.i<{GOODS};
INSERT INTO sp(lb,txm,ppgg,dw,ck,jj,xjpf,xjls,kcsl,kcjg,kcje,slt,jet,ms,bz)
  SELECT g.lb, g.txm, g.ppgg, '台', w.name, g.jj, round(g.jj*1.1), round(g.jj*1.2), 10+(g.g*7+w.i)%40, g.jj,
    (10+(g.g*7+w.i)%40)*g.jj, (g.g%5)*5, (g.g%4)*0.01, '', '' FROM goods g JOIN wh w ORDER BY g.g, w.i;
)SQL";

// Purchases: nine documents a day of eight lines, one in fifty a return, one in 97 held;
// paid at once in full, in half or not at all.
const char* const kPurchases = R"SQL(
CREATE TEMP TABLE pdoc AS SELECT k.i AS d, date({START}, '+' || (k.i/9) || ' days') AS rq, k.i%9+1 AS seq,
  CASE WHEN k.i%10<7 THEN '一号仓库' ELSE '二号仓库' END AS ck,
  (SELECT mc FROM ghs WHERE id=1+(k.i*13)%300) AS ghs, (SELECT name FROM emp WHERE emp.i=k.i%20) AS jsr,
  k.i%97=96 AS held, k.i%20 AS pay, CASE WHEN k.i%50=49 THEN -1 ELSE 1 END AS sign
  FROM n k WHERE k.i<{DAYS}*9;
CREATE UNIQUE INDEX temp.pdoc_d ON pdoc(d);
CREATE TEMP TABLE pline AS SELECT p.d AS d, l.i AS l, (p.d*7919+l.i*104729)%{GOODS} AS g, p.sign*(1+(p.d+l.i)%5) AS sl
  FROM pdoc p JOIN n l ON l.i<8;
INSERT INTO cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je)
  SELECT 'CG' || replace(p.rq,'-','') || printf('%03d', p.seq), 'yz', g.txm, g.ppgg, '台', x.sl, g.jj, 1, x.sl*g.jj
  FROM pline x JOIN pdoc p ON p.d=x.d JOIN goods g ON g.g=x.g ORDER BY x.d, x.l;
INSERT INTO cgfx(rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck)
  SELECT p.rq, g.txm, g.ppgg, '台', x.sl, g.jj, 1, x.sl*g.jj, p.ghs, p.jsr,
    'CG' || replace(p.rq,'-','') || printf('%03d', p.seq), p.ck
  FROM pline x JOIN pdoc p ON p.d=x.d JOIN goods g ON g.g=x.g WHERE NOT p.held ORDER BY x.d, x.l;
CREATE TEMP TABLE psum(d INTEGER PRIMARY KEY, hjsl REAL, hjje REAL);
INSERT INTO psum SELECT x.d, sum(x.sl), sum(x.sl*g.jj) FROM pline x JOIN goods g ON g.g=x.g GROUP BY x.d;
INSERT INTO cgglz(dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk)
  SELECT dh, rq, rq, shbj, '系统管理员', ck, ghs, jsr, '', hjsl, hjje, 0, hjje, paid, hjje-paid FROM (
    SELECT 'CG' || replace(p.rq,'-','') || printf('%03d', p.seq) AS dh, p.rq, p.ck, p.ghs, p.jsr, p.d,
      CASE WHEN p.held THEN '未审核' ELSE '已审核' END AS shbj, s.hjsl, s.hjje,
      CASE WHEN p.held THEN 0 WHEN p.pay<12 THEN s.hjje WHEN p.pay<17 THEN round(s.hjje/2, 2) ELSE 0 END AS paid
    FROM pdoc p JOIN psum s ON s.d=p.d) ORDER BY d;
INSERT INTO fkfx(shbj,rq,dh,ghs,je,jsr,bz)
  SELECT '已审核', rq, dh, ghs, sfe, jsr, '' FROM cgglz WHERE shbj='已审核' AND sfe<>0 ORDER BY id;
)SQL";

// Sales: fifty documents a day of three lines, 35 retail (paid at once) and 15 wholesale to
// customers; one in forty a return, one in 199 held.
const char* const kSales = R"SQL(
CREATE TEMP TABLE sdoc AS SELECT k.i AS d, date({START}, '+' || (k.i/50) || ' days') AS rq, k.i%50<35 AS retail,
  CASE WHEN k.i%50<35 THEN 'XS' ELSE 'PF' END AS kind, CASE WHEN k.i%50<35 THEN k.i%50+1 ELSE k.i%50-34 END AS seq,
  CASE WHEN k.i%50<35 THEN '' ELSE (SELECT mc FROM kh WHERE id=1+(k.i*7)%2000) END AS kh,
  CASE WHEN k.i%50<35 THEN '门市部' ELSE '一号仓库' END AS ck, (SELECT name FROM emp WHERE emp.i=k.i%20) AS jsr,
  k.i%199=198 AS held, k.i%10 AS pay, CASE WHEN k.i%40=39 THEN -1 ELSE 1 END AS sign
  FROM n k WHERE k.i<{DAYS}*50;
CREATE UNIQUE INDEX temp.sdoc_d ON sdoc(d);
CREATE TEMP TABLE sline AS SELECT s.d AS d, l.i AS l, (s.d*6151+l.i*7727)%{GOODS} AS g, s.sign*(1+(s.d+l.i)%3) AS sl,
  s.retail AS retail FROM sdoc s JOIN n l ON l.i<3;
CREATE TEMP TABLE sline2 AS SELECT x.d, x.l, g.txm, g.ppgg, x.sl, CASE WHEN x.retail THEN round(g.jj*1.2) ELSE round(g.jj*1.1) END AS jg,
  g.jj AS cbjg FROM sline x JOIN goods g ON g.g=x.g;
INSERT INTO xsglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli)
  SELECT s.kind || replace(s.rq,'-','') || printf('%03d', s.seq), 'yz', x.txm, x.ppgg, '台', x.sl, x.jg, 1, x.sl*x.jg,
    x.cbjg, x.sl*x.cbjg, x.sl*(x.jg-x.cbjg) FROM sline2 x JOIN sdoc s ON s.d=x.d ORDER BY x.d, x.l;
INSERT INTO xsfx(rq,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli,kh,jsr,dh,ck)
  SELECT s.rq, x.txm, x.ppgg, '台', x.sl, x.jg, 1, x.sl*x.jg, x.cbjg, x.sl*x.cbjg, x.sl*(x.jg-x.cbjg), s.kh, s.jsr,
    s.kind || replace(s.rq,'-','') || printf('%03d', s.seq), s.ck
  FROM sline2 x JOIN sdoc s ON s.d=x.d WHERE NOT s.held ORDER BY x.d, x.l;
CREATE TEMP TABLE ssum(d INTEGER PRIMARY KEY, hjsl REAL, hjje REAL);
INSERT INTO ssum SELECT d, sum(sl), sum(sl*jg) FROM sline2 GROUP BY d;
INSERT INTO xsglz(dh,rq,kdrq,shbj,zhidan,ck,kh,jsr,bz,hjsl,hjje,yhe,yse,sse,qk)
  SELECT dh, rq, rq, shbj, '系统管理员', ck, kh, jsr, '', hjsl, hjje, 0, hjje, paid, hjje-paid FROM (
    SELECT s.kind || replace(s.rq,'-','') || printf('%03d', s.seq) AS dh, s.rq, s.ck, s.kh, s.jsr, s.d,
      CASE WHEN s.held THEN '未审核' ELSE '已审核' END AS shbj, t.hjsl, t.hjje,
      CASE WHEN s.held THEN 0 WHEN s.retail OR s.pay<5 THEN t.hjje WHEN s.pay<8 THEN round(t.hjje/2, 2) ELSE 0 END AS paid
    FROM sdoc s JOIN ssum t ON t.d=s.d) ORDER BY d;
INSERT INTO skfx(shbj,rq,dh,kh,je,jsr,bz)
  SELECT '已审核', rq, dh, kh, sse, jsr, '' FROM xsglz WHERE shbj='已审核' AND sse<>0 ORDER BY id;
)SQL";

// Transfers (four a day of five lines, out of 一号仓库) and movements (three a day of four
// lines, a loss, a gain, a gift or a loan), their ledger rows in date order.
const char* const kStockChanges = R"SQL(
CREATE TEMP TABLE tdoc AS SELECT k.i AS d, date({START}, '+' || (k.i/4) || ' days') AS rq, k.i%4+1 AS seq,
  CASE k.i%3 WHEN 0 THEN '门市部' WHEN 1 THEN '展厅' ELSE '二号仓库' END AS ck2,
  (SELECT name FROM emp WHERE emp.i=k.i%20) AS jsr, k.i%101=100 AS held FROM n k WHERE k.i<{DAYS}*4;
CREATE UNIQUE INDEX temp.tdoc_d ON tdoc(d);
CREATE TEMP TABLE tline AS SELECT t.d AS d, l.i AS l, g.txm, g.ppgg, 1+(t.d+l.i)%4 AS sl, g.jj AS jg
  FROM tdoc t JOIN n l ON l.i<5 JOIN goods g ON g.g=(t.d*3571+l.i*2221)%{GOODS};
INSERT INTO dbglc(dh,bj,txm,ppgg,dw,sl,jg,je)
  SELECT 'DB' || replace(t.rq,'-','') || printf('%03d', t.seq), 'yz', x.txm, x.ppgg, '台', x.sl, x.jg, x.sl*x.jg
  FROM tline x JOIN tdoc t ON t.d=x.d ORDER BY x.d, x.l;
CREATE TEMP TABLE tsum(d INTEGER PRIMARY KEY, hjsl REAL, hjje REAL);
INSERT INTO tsum SELECT d, sum(sl), sum(sl*jg) FROM tline GROUP BY d;
INSERT INTO dbglz(dh,rq,kdrq,shbj,zhidan,ck1,ck2,jsr,bz,hjsl,hjje)
  SELECT 'DB' || replace(t.rq,'-','') || printf('%03d', t.seq), t.rq, t.rq,
    CASE WHEN t.held THEN '未审核' ELSE '已审核' END, '系统管理员', '一号仓库', t.ck2, t.jsr, '', s.hjsl, s.hjje
  FROM tdoc t JOIN tsum s ON s.d=t.d ORDER BY t.d;
CREATE TEMP TABLE mdoc AS SELECT k.i AS d, date({START}, '+' || (k.i/3) || ' days') AS rq, k.i%3+1 AS seq,
  (SELECT name FROM wh WHERE wh.i=k.i%4) AS ck, CASE k.i%4 WHEN 0 THEN '报损' WHEN 1 THEN '盘盈' WHEN 2 THEN '赠品' ELSE '借出' END AS lx,
  CASE k.i%4 WHEN 1 THEN 1 ELSE -1 END AS sign, (SELECT name FROM emp WHERE emp.i=k.i%20) AS jsr,
  k.i%89=88 AS held FROM n k WHERE k.i<{DAYS}*3;
CREATE UNIQUE INDEX temp.mdoc_d ON mdoc(d);
CREATE TEMP TABLE mline AS SELECT m.d AS d, l.i AS l, g.txm, g.ppgg, m.sign*(1+(m.d+l.i)%3) AS sl, g.jj AS jg
  FROM mdoc m JOIN n l ON l.i<4 JOIN goods g ON g.g=(m.d*1543+l.i*977)%{GOODS};
INSERT INTO rkglc(dh,bj,txm,ppgg,dw,sl,jg,je)
  SELECT 'YD' || replace(m.rq,'-','') || printf('%03d', m.seq), 'yz', x.txm, x.ppgg, '台', x.sl, x.jg, x.sl*x.jg
  FROM mline x JOIN mdoc m ON m.d=x.d ORDER BY x.d, x.l;
CREATE TEMP TABLE msum(d INTEGER PRIMARY KEY, hjsl REAL, hjje REAL);
INSERT INTO msum SELECT d, sum(sl), sum(sl*jg) FROM mline GROUP BY d;
INSERT INTO rkglz(dh,rq,kdrq,shbj,zhidan,ck,jsr,bz,hjsl,hjje,lx)
  SELECT 'YD' || replace(m.rq,'-','') || printf('%03d', m.seq), m.rq, m.rq,
    CASE WHEN m.held THEN '未审核' ELSE '已审核' END, '系统管理员', m.ck, m.jsr, '', s.hjsl, s.hjje, m.lx
  FROM mdoc m JOIN msum s ON s.d=m.d ORDER BY m.d;
INSERT INTO rkfx(rq,txm,ppgg,dw,sl,jg,je,lx,jsr,dh,ck)
  SELECT rq, txm, ppgg, '台', sl, jg, sl*jg, lx, jsr, dh, ck FROM (
    SELECT t.rq, 0 AS kind, x.d, x.l, 0 AS side, x.txm, x.ppgg, -x.sl AS sl, x.jg, '库存调出' AS lx, t.jsr,
      'DB' || replace(t.rq,'-','') || printf('%03d', t.seq) AS dh, '一号仓库' AS ck FROM tline x JOIN tdoc t ON t.d=x.d WHERE NOT t.held
    UNION ALL
    SELECT t.rq, 0, x.d, x.l, 1, x.txm, x.ppgg, x.sl, x.jg, '库存调入', t.jsr,
      'DB' || replace(t.rq,'-','') || printf('%03d', t.seq), t.ck2 FROM tline x JOIN tdoc t ON t.d=x.d WHERE NOT t.held
    UNION ALL
    SELECT m.rq, 1, x.d, x.l, 0, x.txm, x.ppgg, x.sl, x.jg, m.lx, m.jsr,
      'YD' || replace(m.rq,'-','') || printf('%03d', m.seq), m.ck FROM mline x JOIN mdoc m ON m.d=x.d WHERE NOT m.held)
  ORDER BY rq, kind, d, l, side;
)SQL";

// Other income and expense: six a day, one in three income.
const char* const kOtherIncome = R"SQL(
INSERT INTO szfx(rq,lb,xm,se,ze,jsr,bz)
  SELECT date({START}, '+' || (k.i/6) || ' days'), it.lb, it.xm,
    CASE WHEN it.lb='收入' THEN 50+(k.i*37)%500 ELSE 0 END, CASE WHEN it.lb='收入' THEN 0 ELSE 20+(k.i*53)%800 END,
    (SELECT name FROM emp WHERE emp.i=k.i%20), ''
  FROM n k JOIN item it ON it.i = CASE WHEN k.i%3=0 THEN (k.i/3)%3 ELSE 3+(k.i/3)%6 END WHERE k.i<{DAYS}*6 ORDER BY k.i;
)SQL";

QString schemaFingerprint()
{
    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("schema.db")));
    const RecordSet rs = dm.ADOC1.execute(
        QStringLiteral("SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql NOT NULL ORDER BY name)"));
    const QByteArray text = rs.rows.at(0).value(0).toString().toUtf8() + kGenerator;
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex().left(10));
}

void generate(const QString& path, long long ledgerRows)
{
    const int days = shopDays(ledgerRows);
    const QString start = QDate::fromString(QLatin1String(kLastDay), Qt::ISODate).addDays(1 - days).toString(Qt::ISODate);
    auto fill = [&](const char* script) {
        return QString::fromUtf8(script)
            .replace(QLatin1String("{START}"), sqlQuote(start))
            .replace(QLatin1String("{DAYS}"), QString::number(days))
            .replace(QLatin1String("{GOODS}"), QString::number(kGoods))
            .replace(QLatin1String("{COUNT}"), QString::number(std::max(days * ShopDay::sales, 5000)));
    };
    TDM1 dm(path);
    sqlite3* db = dm.ADOC1.handle();
    // The rows go in without the indexes, which are made again afterwards as they were.
    const RecordSet indexes =
        dm.ADOC1.execute(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='index' AND sql NOT NULL"));
    run(db, QStringLiteral("PRAGMA cache_size=-500000; PRAGMA temp_store=MEMORY"));
    run(db, QStringLiteral("BEGIN"));
    for (const QVariantList& ix : indexes.rows)
        run(db, QStringLiteral("DROP INDEX ") + ix.value(0).toString());
    for (const char* script : {kNames, kRecords, kPurchases, kSales, kStockChanges, kOtherIncome})
        runScript(db, fill(script));
    for (const QVariantList& ix : indexes.rows)
        run(db, ix.value(1).toString());
    run(db, QStringLiteral("COMMIT"));
    run(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

void removeWithJournal(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

const QStringList& warehouses()
{
    static const QStringList names{QStringLiteral("一号仓库"), QStringLiteral("二号仓库"), QStringLiteral("门市部"),
                                   QStringLiteral("展厅")};
    return names;
}

int shopDays(long long ledgerRows)
{
    return std::max(1, static_cast<int>(std::llround(double(ledgerRows) / ShopDay::ledgerRows)));
}

QString shopFile(const QString& folder, long long ledgerRows)
{
    QDir().mkpath(folder);
    const QString prefix = QStringLiteral("shop-%1-").arg(ledgerRows);
    const QString path = QDir(folder).filePath(prefix + schemaFingerprint() + QStringLiteral(".db"));
    if (QFileInfo::exists(path))
        return path;
    for (const QString& old : QDir(folder).entryList({prefix + QStringLiteral("*.db")}))
        removeWithJournal(QDir(folder).filePath(old));
    std::fprintf(stderr, "generating the shop of %lld ledger rows into %s ...\n", ledgerRows, qPrintable(path));
    QElapsedTimer t;
    t.start();
    const QString partial = path + QStringLiteral(".part");
    removeWithJournal(partial);
    generate(partial, ledgerRows);
    removeWithJournal(path);
    if (!QFile::rename(partial, path))
        throw std::runtime_error("cannot name the generated shop " + path.toStdString());
    removeWithJournal(partial);
    std::fprintf(stderr, "  generated in %.1f s\n", t.elapsed() / 1000.0);
    return path;
}

QString workingCopy(const QString& shop, const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("work.db"));
    removeWithJournal(path);
    if (!QFile::copy(shop, path))
        throw std::runtime_error("cannot copy the shop to " + path.toStdString());
    return path;
}

} // namespace suite
