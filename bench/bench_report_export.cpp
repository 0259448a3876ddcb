// Export of a large grid to a spreadsheet and rendering of a large list report to PDF.
//   ./build/bench/bench_report_export [rows]      (default 100000)
#include "data/DM1.h"
#include "queries/Udycggl1.h"
#include "shell/Export.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {
long statusKb(const char* key)
{
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return -1;
}

void report(const char* what, qint64 ms, const QString& file)
{
    std::printf("%-34s %8lld ms   rss %7ld KB   peak %7ld KB   file %lld KB\n", what, (long long)ms,
                statusKb("VmRSS:"), statusKb("VmHWM:"), (long long)(QFileInfo(file).size() / 1024));
}

void fill(TDM1& dm, int n)
{
    sqlite3* db = dm.ADOC1.handle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO cgglz(dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
                       "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &st, nullptr);
    for (int i = 0; i < n; ++i) {
        const QByteArray dh = QStringLiteral("CG%1").arg(202600000000LL + i).toUtf8();
        const QByteArray rq = QStringLiteral("2026-%1-%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                                  .arg(i % 28 + 1, 2, 10, QLatin1Char('0')).toUtf8();
        const QByteArray ghs = QStringLiteral("供货商%1 家电批发").arg(i % 300).toUtf8();
        const double je = (i % 997) * 13.5;
        sqlite3_bind_text(st, 1, dh.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, rq.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, rq.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, i % 5 ? "已审核" : "未审核", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 5, "系统管理员", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 6, "总仓", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 7, ghs.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 8, "张三", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 9, "  备注  ", -1, SQLITE_STATIC);
        sqlite3_bind_double(st, 10, i % 17);
        sqlite3_bind_double(st, 11, je);
        sqlite3_bind_double(st, 12, 0);
        sqlite3_bind_double(st, 13, je);
        sqlite3_bind_double(st, 14, je / 2);
        sqlite3_bind_double(st, 15, je - je / 2);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    TDM1 dm(dir.filePath("bench.db"));
    DM1 = &dm;
    fill(dm, n);

    QElapsedTimer t;
    t.start();
    dm.AQcgz1.clearSql();
    dm.AQcgz1.addSql("SELECT * FROM cgglz");
    dm.AQcgz1.addSql("order by id");
    dm.AQcgz1.open();
    std::printf("rows: %d\n", dm.AQcgz1.recordCount());
    report("open query", t.elapsed(), QString());

    DataGrid grid;
    grid.setWindowTitle(QStringLiteral("采购单据"));
    grid.setQuery(&dm.AQcgz1);
    const char* fields[][2] = {{"rq", "采购日期"}, {"dh", "单号"},   {"ghs", "厂商"},   {"hjsl", "合计数量"},
                               {"hjje", "合计金额"}, {"yhe", "优惠额"}, {"yfe", "应付额"}, {"sfe", "实付额"},
                               {"qk", "欠款"},     {"ck", "仓库"},   {"jsr", "经办人"}, {"zhidan", "制单"},
                               {"bz", "备注"},     {"kdrq", "开单日期"}, {"shbj", "审核"}};
    QVector<GridColumn> cols;
    for (const auto& f : fields) {
        GridColumn c;
        c.field = QString::fromUtf8(f[0]);
        c.title = QString::fromUtf8(f[1]);
        cols << c;
    }
    grid.setColumns(cols);

    QString written;
    setSpreadsheetLauncher([&](const QString& path) { written = path; return true; });
    t.restart();
    const bool ok = ExportGridToSpreadsheet(&grid);
    report(ok ? "export 15 columns to .xlsx" : "export FAILED", t.elapsed(), written);
    QFile::remove(written);

    TFdycggl1& rep = reportForm(Fdycggl1);
    rep.QRLdw->Caption = QStringLiteral("通达家电采购单据汇总表");
    rep.bindTo(&dm.AQcgz1);
    const QString pdfPath = dir.filePath("list.pdf");
    t.restart();
    {
        QPdfWriter pdf(pdfPath);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        const auto rows = rep.QuickRep1.dataRows();
        const auto lay = rep.QuickRep1.layout(*rows, QSizeF(210, 297));
        std::printf("pages: %d\n", lay.pageCount());
        rep.QuickRep1.print(pdf, *rows);
    }
    report("list report to PDF", t.elapsed(), pdfPath);
    DM1 = nullptr;
    return 0;
}
