// The paths the suite measures. A window's run is one line: its menu item, the button that
// runs it and, for a dialog, what the dialog gets before its 查询 (BitBtn1) is clicked.

#include "suite.h"
#include "suite_shop.h"

#include "basic/Ucxsp1.h"
#include "data/DM1.h"
#include "documents/parts_lists.h"
#include "documents/postings.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_save.h"
#include "rules/stock_update.h"
#include "finance/settlement.h"
#include "bases/QueryWindow.h"
#include "rules/document_reversal.h"
#include "report/QuickRep.h"
#include "report/PreviewPages.h"
#include "report/UdyPreview1.h"
#include "shell/Export.h"
#include "shell/Umain1.h"
#include "bench_support.h"
#include "ui/DataGrid.h"
#include "ui/Controls.h"
#include "ui/Progress.h"

#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <malloc.h>

#include <stdexcept>

namespace suite {

namespace {

const QDate kDocumentDay(2026, 1, 2);
const QString kPurchase = QStringLiteral("CG20260102001");
const QString kSale = QStringLiteral("XS20260102001");
const QString kTransfer = QStringLiteral("DB20260102001");

RecordSet rows(TDM1& dm, const QString& sql) { return dm.ADOC1.execute(sql); }

// --- a 100-line purchase, held, then settled and un-audited ------------------------------

PurchaseSaveInput purchaseInput(TDM1& dm, bool settle, bool modify)
{
    const RecordSet t = rows(dm, QStringLiteral("SELECT sum(sl), sum(je) FROM cgglc WHERE dh=") + sqlQuote(kPurchase));
    const Money hjsl = Money::fromDouble(t.rows.at(0).value(0).toDouble());
    const Money hjje = Money::fromDouble(t.rows.at(0).value(1).toDouble());
    return {.modifyMode = modify, .settle = settle, .dh = kPurchase, .rq = kDocumentDay, .ck = warehouses()[0],
            .ghs = QStringLiteral("华南家电批发000"), .jsr = QStringLiteral("王小明"), .bz = {}, .hjsl = hjsl.plainText(),
            .hjje = hjje.plainText(), .yhe = QStringLiteral("0"), .yfe = hjje.plainText(), .sfe = QStringLiteral("100"),
            .zhidan = QStringLiteral("系统管理员"), .today = kDocumentDay};
}

// The purchase of 100 lines entered and held (once per shop).
void holdPurchase(TDM1& dm)
{
    if (!rows(dm, QStringLiteral("SELECT id FROM cgglz WHERE dh=") + sqlQuote(kPurchase)).isEmpty())
        return;
    dm.ADOC1.exec(QStringLiteral("INSERT INTO cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) SELECT ") + sqlQuote(kPurchase)
                  + QStringLiteral(",'dz',txm,ppgg,dw,1+id%5,jj,1,(1+id%5)*jj FROM sp WHERE ck=")
                  + sqlQuote(warehouses()[0]) + QStringLiteral(" ORDER BY id LIMIT 100")
                  + QStringLiteral(" OFFSET 1000"));
    ensurePurchaseLines(dm, kPurchase, false);
    savePurchase(dm, purchaseInput(dm, false, false));
}

void settlePurchase(TDM1& dm)
{
    ensurePurchaseLines(dm, kPurchase, true);
    if (savePurchase(dm, purchaseInput(dm, true, true)) != PurchaseSaveResult::Saved)
        throw std::runtime_error("the purchase is not held");
}

void unauditPurchase(TDM1& dm)
{
    if (unauditDocument(dm, purchaseDocuments(), kPurchase) != ReversalResult::Done)
        throw std::runtime_error("the purchase is not audited");
}

// --- a 100-line sale, posted --------------------------------------------------------------

void postSale(TDM1& dm)
{
    if (rows(dm, QStringLiteral("SELECT id FROM xsglz WHERE dh=") + sqlQuote(kSale)).isEmpty()) {
        Transaction t(dm.ADOC1);
        // Built by concatenation: the quantities' "%" are not arg() markers.
        dm.ADOC1.exec(QStringLiteral("INSERT INTO xsglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli) SELECT ")
                      + sqlQuote(kSale)
                      + QStringLiteral(",'yz',txm,ppgg,dw,1+id%3,xjls,1,(1+id%3)*xjls,kcjg,(1+id%3)*kcjg,"
                                       "(1+id%3)*(xjls-kcjg) FROM sp WHERE ck=")
                      + sqlQuote(warehouses()[2]) + QStringLiteral(" ORDER BY id LIMIT 100")
                      + QStringLiteral(" OFFSET 2000"));
        dm.ADOC1.exec(QStringLiteral("INSERT INTO xsglz(dh,rq,kdrq,shbj,zhidan,ck,kh,jsr,bz,hjsl,hjje,yhe,yse,sse,qk) "
                                     "SELECT %1,'2026-01-02','2026-01-02','已审核','系统管理员',%2,'','李红','',sum(sl),"
                                     "sum(je),0,sum(je),sum(je),0 FROM xsglc WHERE dh=%1")
                          .arg(sqlQuote(kSale), sqlQuote(warehouses()[2])));
        t.commit();
    } else {
        dm.ADOC1.exec(QStringLiteral("UPDATE xsglz SET shbj='已审核' WHERE dh=") + sqlQuote(kSale));
    }
    postSales(dm, kSale);
}

// --- a 100-line transfer out of the first warehouse, posted ---------------------------------

void postTransferOf100(TDM1& dm)
{
    if (rows(dm, QStringLiteral("SELECT id FROM dbglz WHERE dh=") + sqlQuote(kTransfer)).isEmpty()) {
        Transaction t(dm.ADOC1);
        dm.ADOC1.exec(QStringLiteral("INSERT INTO dbglc(dh,bj,txm,ppgg,dw,sl,jg,je) SELECT ") + sqlQuote(kTransfer)
                      + QStringLiteral(",'yz',txm,ppgg,dw,1+id%4,kcjg,(1+id%4)*kcjg FROM sp WHERE ck=")
                      + sqlQuote(warehouses()[0]) + QStringLiteral(" ORDER BY id LIMIT 100")
                      + QStringLiteral(" OFFSET 2500"));
        dm.ADOC1.exec(QStringLiteral("INSERT INTO dbglz(dh,rq,kdrq,shbj,zhidan,ck1,ck2,jsr,bz,hjsl,hjje) SELECT %1,"
                                     "'2026-01-02','2026-01-02','已审核','系统管理员',%2,%3,'赵刚','',sum(sl),sum(je) "
                                     "FROM dbglc WHERE dh=%1")
                          .arg(sqlQuote(kTransfer), sqlQuote(warehouses()[0]), sqlQuote(warehouses()[3])));
        t.commit();
    } else {
        dm.ADOC1.exec(QStringLiteral("UPDATE dbglz SET shbj='已审核' WHERE dh=") + sqlQuote(kTransfer));
    }
    postTransfer(dm, kTransfer);
}

// --- a payment on an owing purchase, and its reverse audit --------------------------------

QString owingPurchase(TDM1& dm)
{
    const RecordSet r = rows(dm, QStringLiteral("SELECT dh FROM cgglz WHERE shbj='已审核' AND qk>0 ORDER BY id DESC LIMIT 1"));
    if (r.isEmpty())
        throw std::runtime_error("no purchase owes");
    return r.rows.at(0).value(0).toString();
}

SettlementInput payment(const QString& dh, qint64 rowId = 0)
{
    return {.rowId = rowId, .date = kDocumentDay, .dh = dh, .party = QStringLiteral("华南家电批发000"),
            .amount = Money::parse("12.5"), .jsr = QStringLiteral("王小明"), .bz = QString()};
}

qint64 lastPayment(TDM1& dm, const QString& dh)
{
    const RecordSet r = rows(dm, QStringLiteral("SELECT id FROM fkfx WHERE dh=%1 ORDER BY id DESC LIMIT 1").arg(sqlQuote(dh)));
    return r.isEmpty() ? 0 : r.rows.at(0).value(0).toLongLong();
}

void settle(TDM1& dm, const SettlementInput& in)
{
    if (saveSettlement(dm, paymentSide(), in) != SettlementResult::Done)
        throw std::runtime_error("payment not saved");
}

void reverse(TDM1& dm, qint64 id)
{
    if (reverseSettlement(dm, paymentSide(), id) != SettlementResult::Done)
        throw std::runtime_error("payment not reversed");
}

// A new payment, then (as its undo) reversed and deleted again.
Path paymentPath()
{
    return {QStringLiteral("a payment"), Target::Write, [](Context& c) {
                const QString dh = owingPurchase(c.dm);
                return measureWrite(
                    c, [] {}, [&] { settle(c.dm, payment(dh)); },
                    [&] {
                        const qint64 id = lastPayment(c.dm, dh);
                        reverse(c.dm, id);
                        deleteSettlement(c.dm, paymentSide(), id);
                    });
            }};
}

// The reverse audit of one payment, applied again (saved as modified) as its undo.
Path reversePaymentPath()
{
    return {QStringLiteral("reverse audit of the payment"), Target::Write, [](Context& c) {
                const QString dh = owingPurchase(c.dm);
                settle(c.dm, payment(dh));
                const qint64 id = lastPayment(c.dm, dh);
                return measureWrite(c, [] {}, [&] { reverse(c.dm, id); }, [&] { settle(c.dm, payment(dh, id)); });
            }};
}

// --- the stock table showing the goods rows of the two stores (10,000 rows) ---------------

void showStoreRows(TDM1& dm)
{
    dm.ADOC1.exec(QStringLiteral("UPDATE sp SET kcsl=10+id%40, kcje=(10+id%40)*kcjg WHERE ck LIKE '%仓库%'"));
    runStockQuery(dm, StockConditions{.lb = {}, .txm = {}, .ppgg = {}, .ck = QStringLiteral("仓库")});
}

// --- assembly: one whole item of 20 parts of its warehouse -------------------------------

qint64 assemblyItem(TDM1& dm)
{
    const RecordSet ids = rows(dm, QStringLiteral("SELECT id FROM sp WHERE ck=%1 ORDER BY id LIMIT 21 OFFSET 3000")
                                       .arg(sqlQuote(warehouses()[0])));
    const qint64 whole = ids.rows.at(0).value(0).toLongLong();
    if (rows(dm, QStringLiteral("SELECT 1 FROM zu WHERE spid1=") + sqlQuote(QString::number(whole))).isEmpty()) {
        Transaction t(dm.ADOC1);
        for (int i = 1; i < ids.recordCount(); ++i)
            addPart(dm, assemblyParts(), whole, ids.rows.at(i).value(0).toLongLong(), Money::fromInt(1 + i % 3),
                    Money::fromInt(1));
        t.commit();
    }
    return whole;
}

// --- the sales detail showing at most 100,000 rows (export and print) --------------------

QWidget* openSalesDetailOf100k(Context& c, std::vector<Statement>* run)
{
    const RecordSet first = rows(c.dm, QStringLiteral("SELECT rq FROM xsfx ORDER BY rq DESC LIMIT 1 OFFSET 99999"));
    const QDate from = first.isEmpty() ? QDate(2000, 1, 1) : QDate::fromString(first.rows.at(0).value(0).toString(), Qt::ISODate).addDays(1);
    const QDate to = QDate::fromString(QLatin1String(kLastDay), Qt::ISODate);
    c.main.N406->trigger();
    QWidget* w = activeWindow(c);
    c.nextDialog = [&](QDialog& d) {
        d.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
        d.findChild<DatePicker*>(QStringLiteral("DateTimePicker1"))->setDate(from);
        d.findChild<DatePicker*>(QStringLiteral("DateTimePicker2"))->setDate(to);
        d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    };
    StatementCatcher catcher(c.db());
    w->findChild<QAbstractButton*>(QStringLiteral("SB77"))->click();
    c.nextDialog = nullptr;
    *run = std::move(catcher.statements);
    return w;
}

// The best of the rounds of action (which returns the milliseconds it counts) beside SQLite
// alone reading the rows the window shows.
Figures beside(Context& c, const std::vector<Statement>& run, const std::function<double()>& action)
{
    Figures f;
    for (int i = 0; i < c.rounds; ++i) {
        f.keepProgram(action());
        const Replayed r = replay(c.plain, run, false);
        f.keepSqlite(r.ms);
        f.rows = r.rows;
    }
    return f;
}

// The process's resident memory now and at its peak since the last reset (Linux), in MB.
double residentMb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}
void resetPeakMemory()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Opens the print preview of the window's rows (打印, SB88) and hands it to `use`; returns
// the milliseconds from the click to the preview showing its first page painted.
double openPreview(Context& c, QWidget* w, const std::function<void(TFdyPreview1&)>& use)
{
    QElapsedTimer t;
    double firstPage = 0;
    c.nextDialog = [&](QDialog& d) {
        auto& preview = dynamic_cast<TFdyPreview1&>(d);
        if (preview.previewWidget()->paintedPages() == 0)
            preview.previewWidget()->viewport()->repaint();
        firstPage = ms(t);
        if (use)
            use(preview);
    };
    t.start();
    w->findChild<QAbstractButton*>(QStringLiteral("SB88"))->click();
    c.nextDialog = nullptr;
    return firstPage;
}

// The preview's first page; its memory: the process's peak while it shows the first page
// and then the last, above what the process held before the click.
Figures previewOf(Context& c, QWidget* w, const std::vector<Statement>& run)
{
    int pages = 0;
    double before = 0, peak = 0;
    Figures f = beside(c, run, [&] {
        malloc_trim(0);
        resetPeakMemory();
        before = residentMb("VmRSS:");
        const double took = openPreview(c, w, [&](TFdyPreview1& preview) {
            pages = preview.pageCount();
            preview.lastPage->click();
            preview.previewWidget()->viewport()->repaint();
            peak = residentMb("VmHWM:");
        });
        return took;
    });
    f.limitMs = 500;
    f.note = QStringLiteral("%1 pages; memory peak %2 MB, %3 MB above the window's").arg(pages).arg(peak, 0, 'f', 0).arg(peak - before, 0, 'f', 0);
    return f;
}

// When the progress dialog of a long write showed (the last round's).
QString progressNote(double shownAtMs)
{
    return shownAtMs < 0 ? QStringLiteral("no progress dialog (under 0.5 s)")
                         : QStringLiteral("progress dialog at %1 ms").arg(shownAtMs, 0, 'f', 0);
}

Path exportPath()
{
    return {QStringLiteral("export of <=100,000 rows (sales detail)"), Target::Other, [](Context& c) {
                std::vector<Statement> run;
                QWidget* w = openSalesDetailOf100k(c, &run);
                QString written;
                setSpreadsheetLauncher([&](const QString& path) { written = path; return true; }, [] { return true; });
                QElapsedTimer t;
                double shown = -1;
                setProgressWatcher([&](QProgressDialog&) { shown = ms(t); });
                Figures f = beside(c, run, [&] {
                    shown = -1;
                    t.start();
                    w->findChild<QAbstractButton*>(QStringLiteral("SB99"))->click();
                    const double took = ms(t);
                    if (written.isEmpty())
                        throw std::runtime_error("nothing exported");
                    QFile::remove(written);
                    written.clear();
                    return took;
                });
                setProgressWatcher({});
                setSpreadsheetLauncher({});
                closeWindow(w);
                f.note = progressNote(shown);
                return f;
            }};
}

// The preview's first page of the sales detail that open() shows.
Path previewPath(const QString& name, QWidget* (*open)(Context&, std::vector<Statement>*))
{
    return {name, Target::Other, [open](Context& c) {
                std::vector<Statement> run;
                QWidget* w = open(c, &run);
                const Figures f = previewOf(c, w, run);
                closeWindow(w);
                return f;
            }};
}

Path pdfPath()
{
    return {QStringLiteral("list report: whole PDF, <=100,000 rows"), Target::Other, [](Context& c) {
                std::vector<Statement> run;
                QWidget* w = openSalesDetailOf100k(c, &run);
                QTemporaryDir dir;
                const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
                int pages = 0;
                QElapsedTimer t;
                double shown = -1;
                setProgressWatcher([&](QProgressDialog&) { shown = ms(t); });
                Figures f = beside(c, run, [&] {
                    double took = 0;
                    openPreview(c, w, [&](TFdyPreview1& preview) {
                        pages = preview.pageCount();
                        QPrinter printer(QPrinter::HighResolution);
                        printer.setOutputFormat(QPrinter::PdfFormat);
                        printer.setOutputFileName(pdf);
                        shown = -1;
                        t.start();
                        if (!preview.printTo(printer))
                            throw std::runtime_error("no PDF written");
                        took = ms(t);
                    });
                    return took;
                });
                setProgressWatcher({});
                f.note = QStringLiteral("%1 pages, %2 MB; %3")
                             .arg(pages)
                             .arg(QFileInfo(pdf).size() / 1e6, 0, 'f', 1)
                             .arg(progressNote(shown));
                closeWindow(w);
                return f;
            }};
}

// The sales detail opened from its menu item and run with no condition: every row of the
// ledger. The statements of the run go into run when it is given.
QWidget* wholeSalesDetail(Context& c, std::vector<Statement>* run = nullptr)
{
    c.main.N406->trigger();
    QWidget* w = activeWindow(c);
    c.nextDialog = [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click(); };
    StatementCatcher catcher(c.db());
    w->findChild<QAbstractButton*>(QStringLiteral("SB77"))->click();
    c.nextDialog = nullptr;
    if (run)
        *run = std::move(catcher.statements);
    return w;
}

// A click on the goods name's title of the sales detail showing every row: the rows in hand
// sorted in pinyin order (no statement runs), then painted.
Path titleSortPath()
{
    return {QStringLiteral("title sort of the sales detail (pinyin)"), Target::Other, [](Context& c) {
                QWidget* w = wholeSalesDetail(c);
                auto* grid = w->findChild<DataGrid*>();
                const int column = grid->columnOfField(QStringLiteral("ppgg"));
                Figures f;
                for (int i = 0; i < c.rounds; ++i) {
                    const double took = bench::timed([&] {
                        grid->clickTitle(column);
                        paint(w);
                    });
                    f.keepProgram(took);
                }
                f.rows = grid->model()->rowCount();
                f.note = QStringLiteral("no statement runs");
                closeWindow(w);
                return f;
            }};
}

Path writePath(const QString& name, std::function<void(TDM1&)> setUp, std::function<void(TDM1&)> prepare,
               std::function<void(TDM1&)> action, std::function<void(TDM1&)> undo)
{
    return {name, Target::Write, [=](Context& c) {
                TDM1& dm = c.dm;
                setUp(dm);
                return measureWrite(c, [&] { prepare(dm); }, [&] { action(dm); }, [&] { undo(dm); });
            }};
}

void nothing(TDM1&) {}

// A write path again with the commits as they were before they were made durable
// (synchronous=NORMAL: a power cut may take back the last commits); its replay runs with the
// same setting.
Path withNormalCommits(const Path& p)
{
    return {p.name + QStringLiteral(", synchronous=NORMAL"), p.target, [measure = p.measure](Context& c) {
                struct Normal {
                    Connection& c;
                    explicit Normal(Connection& conn) : c(conn) { c.exec(QStringLiteral("PRAGMA synchronous=NORMAL")); }
                    ~Normal() { c.exec(QStringLiteral("PRAGMA synchronous=FULL")); }
                } normal(c.dm.ADOC1);
                return measure(c);
            }};
}

} // namespace

std::vector<Path> paths()
{
    const std::vector<Path> all{
        // Document lists, detail tables, the stock table: the empty condition.
        window(QStringLiteral("purchase list"), &TFmain1::N401, QStringLiteral("SB77")),
        window(QStringLiteral("sales list"), &TFmain1::N405, QStringLiteral("SB77")),
        window(QStringLiteral("purchase detail"), &TFmain1::N402, QStringLiteral("SB77")),
        window(QStringLiteral("sales detail"), &TFmain1::N406, QStringLiteral("SB77")),
        window(QStringLiteral("stock change detail"), &TFmain1::N411, QStringLiteral("SB77")),
        window(QStringLiteral("movement list"), &TFmain1::N410, QStringLiteral("SB77")),
        window(QStringLiteral("transfer list"), &TFmain1::N420, QStringLiteral("SB77")),
        window(QStringLiteral("payment list"), &TFmain1::N603, QStringLiteral("SB77")),
        window(QStringLiteral("receipt list"), &TFmain1::N604, QStringLiteral("SB77")),
        window(QStringLiteral("payables table"), &TFmain1::N601, QStringLiteral("SB77")),
        window(QStringLiteral("receivables table"), &TFmain1::N602, QStringLiteral("SB77")),
        window(QStringLiteral("other income and expense list"), &TFmain1::N606, QStringLiteral("SB77")),
        window(QStringLiteral("stock table"), &TFmain1::N414, QStringLiteral("SB77")),
        // Statistics.
        window(QStringLiteral("purchase statistics"), &TFmain1::N403, QStringLiteral("SB77"), radio("RB1")),
        window(QStringLiteral("purchase statistics by supplier"), &TFmain1::N403, QStringLiteral("SB77"), radio("RB2")),
        window(QStringLiteral("purchase statistics by employee"), &TFmain1::N403, QStringLiteral("SB77"), radio("RB3")),
        window(QStringLiteral("sales statistics"), &TFmain1::N407, QStringLiteral("SB77"), radio("RB1")),
        window(QStringLiteral("sales statistics by customer"), &TFmain1::N407, QStringLiteral("SB77"), radio("RB2")),
        window(QStringLiteral("sales statistics by employee"), &TFmain1::N407, QStringLiteral("SB77"), radio("RB3")),
        window(QStringLiteral("stock change statistics"), &TFmain1::N412, QStringLiteral("SB77"), radio("RB1")),
        window(QStringLiteral("stock change statistics by reason"), &TFmain1::N412, QStringLiteral("SB77"), radio("RB2")),
        window(QStringLiteral("stock change statistics by employee"), &TFmain1::N412, QStringLiteral("SB77"), radio("RB3")),
        window(QStringLiteral("employee commission"), &TFmain1::N408, QStringLiteral("BB1")),
        window(QStringLiteral("purchase-sales-stock balance"), &TFmain1::N415, QStringLiteral("BB1")),
        window(QStringLiteral("comprehensive statistics"), &TFmain1::N607, QStringLiteral("BB1")),
        // The next number of the shop's last day (nine purchases), as a new purchase form takes it.
        {QStringLiteral("next purchase number of a day"), Target::Read,
         [](Context& c) {
             const QDate day = QDate::fromString(QLatin1String(kLastDay), Qt::ISODate);
             return measureRead(c, [&] { return bench::timed([&] { nextPurchaseNumber(c.dm, day); }); });
         }},
        // The data set alone: the whole purchase ledger opened in its shared query.
        {QStringLiteral("purchase ledger opened in a query"), Target::Read,
         [](Context& c) {
             Query& q = c.dm.AQcgfx1;
             const Figures f = measureRead(c, [&q] {
                 q.close();
                 q.setSql({QStringLiteral("SELECT * FROM cgfx")});
                 QElapsedTimer t;
                 t.start();
                 q.open();
                 return ms(t);
             });
             q.close();
             return f;
         }},
        // Posting and reversing.
        writePath(QStringLiteral("settle a 100-line purchase"), holdPurchase, nothing, settlePurchase, unauditPurchase),
        writePath(QStringLiteral("un-audit the 100-line purchase"),
                  [](TDM1& dm) {
                      holdPurchase(dm);
                      if (!rows(dm, QStringLiteral("SELECT id FROM cgglz WHERE shbj='未审核' AND dh=") + sqlQuote(kPurchase))
                               .isEmpty())
                          settlePurchase(dm);
                  },
                  nothing, unauditPurchase, settlePurchase),
        writePath(QStringLiteral("un-audit a 100-line sale"), postSale, nothing,
                  [](TDM1& dm) {
                      if (unauditDocument(dm, salesDocuments(), kSale) != ReversalResult::Done)
                          throw std::runtime_error("the sale is not audited");
                  },
                  postSale),
        writePath(QStringLiteral("un-audit a 100-line transfer"), postTransferOf100, nothing,
                  [](TDM1& dm) {
                      if (unauditDocument(dm, transferDocuments(), kTransfer) != ReversalResult::Done)
                          throw std::runtime_error("the transfer is not audited");
                  },
                  postTransferOf100),
        paymentPath(),
        reversePaymentPath(),
        writePath(QStringLiteral("stock reset of 10,000 shown rows"), nothing, showStoreRows,
                  [](TDM1& dm) { resetShownStock(dm); }, nothing),
        {QStringLiteral("assembly of 20 parts"), Target::Write,
         [](Context& c) {
             const qint64 whole = assemblyItem(c.dm);
             return measureWrite(c, [] {}, [&] { confirmParts(c.dm, assemblyParts(), whole, Money::fromInt(2)); }, [] {});
         }},
        // Sort, export and print.
        titleSortPath(),
        exportPath(),
        previewPath(QStringLiteral("list report: preview's first page, <=100,000 rows"), openSalesDetailOf100k),
        pdfPath(),
        previewPath(QStringLiteral("preview of the whole sales detail"), wholeSalesDetail),
    };
    // Each write beside the same write with the old commits.
    std::vector<Path> out;
    for (const Path& p : all) {
        out.push_back(p);
        if (p.target == Target::Write)
            out.push_back(withNormalCommits(p));
    }
    return out;
}

} // namespace suite
