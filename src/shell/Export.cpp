#include "Export.h"

#include "data/Query.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"
#include "ui/Progress.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <xlsxwriter.h>

#include <charconv>
#include <chrono>
#include <future>

namespace {
const char* XlsxMime = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// Whether the desktop names a program for .xlsx files (without xdg-mime to ask, a desktop
// that can open files at all counts, and opening the file decides).
bool desktopHasProgram()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QLatin1String(XlsxMime)});
    return !(p.waitForFinished(5000) && p.readAllStandardOutput().trimmed().isEmpty());
}

bool desktopLauncher(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

SpreadsheetLauncher& launcher()
{
    static SpreadsheetLauncher l;
    return l;
}

SpreadsheetPresence& presence()
{
    static SpreadsheetPresence p;
    return p;
}

bool programPresent()
{
    if (presence())
        return presence()();
    return launcher() ? true : desktopHasProgram();
}

// Column widths in the spreadsheet's character units: a wide (CJK) character takes two.
constexpr double MaxColumnWidth = 50;
double textWidth(const QString& text)
{
    double w = 0;
    for (QChar ch : text)
        w += ch.unicode() >= 0x1100 ? 2 : 1;
    return w;
}

QString fileNameFor(DataGrid* grid)
{
    // The caption of the form that holds the grid: the nearest titled widget above it (an
    // MDI child is no window of its own, so window() would give the main window's title).
    QString caption;
    for (QWidget* w = grid->parentWidget(); w && caption.isEmpty(); w = w->isWindow() ? nullptr : w->parentWidget())
        caption = w->windowTitle().trimmed();
    if (caption.isEmpty() && grid->query())
        caption = grid->query()->name();
    for (QChar& ch : caption)
        if (QStringLiteral("/\\:*?\"<>|").contains(ch) || ch.isSpace())
            ch = QLatin1Char('_');
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss"));
    const QDir dir(exportFolder());
    QString path = dir.filePath(caption + QLatin1Char('_') + stamp + QStringLiteral(".xlsx"));
    for (int i = 2; QFileInfo::exists(path); ++i)
        path = dir.filePath(QStringLiteral("%1_%2_%3.xlsx").arg(caption, stamp).arg(i));
    return path;
}

enum class Written { Done, Cancelled, Failed };

// Writes the workbook, showing its progress ("正在导出…", "已导出 %1 / %2 行") once it has taken
// half a second. Cancelled or failed, no file stays.
Written writeWorkbook(DataGrid* grid, const QString& path)
{
    Query* q = grid->query();
    if (!q || !q->isOpen())
        return Written::Failed;
    const QVector<GridColumn> cols = grid->visibleColumns();
    QVector<int> fields;
    for (const GridColumn& c : cols) {
        const int i = q->fieldIndex(c.field);
        if (i < 0)
            return Written::Failed;
        fields << i;
    }

    const QByteArray tmp = QFile::encodeName(exportFolder());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!wb)
        return Written::Failed;
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    bool ok = ws != nullptr;
    QVector<double> widths(cols.size());
    for (int c = 0; ok && c < cols.size(); ++c) {
        widths[c] = textWidth(cols[c].title);
        ok = worksheet_write_string(ws, 0, lxw_col_t(c), cols[c].title.toUtf8().constData(), nullptr)
             == LXW_NO_ERROR;
    }
    const int n = q->recordCount();
    WorkProgress progress(grid, QStringLiteral("正在导出…"), QStringLiteral("已导出 %1 / %2 行"), n);
    for (int r = 0; ok && r < n; ++r) {
        for (int c = 0; ok && c < fields.size(); ++c) {
            const QString text = q->cellText(r, fields[c]).trimmed();
            if (text.isEmpty())
                continue;
            widths[c] = qMax(widths[c], textWidth(text));
            if (const std::optional<double> number = spreadsheetNumber(text))
                ok = worksheet_write_number(ws, lxw_row_t(r + 1), lxw_col_t(c), *number, nullptr) == LXW_NO_ERROR;
            else
                ok = worksheet_write_string(ws, lxw_row_t(r + 1), lxw_col_t(c), text.toUtf8().constData(),
                                            nullptr) == LXW_NO_ERROR;
        }
        if (ok && !progress.step(r + 1)) {
            // Nothing is on disk before the workbook closes: the rows so far went to the sheet's
            // unlinked temporary file, closed here (letting the workbook go leaves it open).
            if (ws->optimize_tmpfile) {
                fclose(ws->optimize_tmpfile);
                ws->optimize_tmpfile = nullptr;
            }
            lxw_workbook_free(wb);
            q->last();
            return Written::Cancelled;
        }
    }
    // The columns are laid out when the workbook closes, so their widths can follow the rows.
    for (int c = 0; ok && c < cols.size(); ++c)
        ok = worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), qMin(widths[c] + 1, MaxColumnWidth), nullptr)
             == LXW_NO_ERROR;
    // Closing packs the file (most of the time of a long export): it runs beside the event
    // loop, which keeps the windows painted; it touches nothing but the workbook.
    std::future<lxw_error> closing = std::async(std::launch::async, [wb] { return workbook_close(wb); });
    while (closing.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        progress.idle();
    ok = closing.get() == LXW_NO_ERROR && ok;
    if (n > 0)
        q->last();
    if (!ok || progress.cancelled()) {
        QFile::remove(path);
        return ok ? Written::Cancelled : Written::Failed;
    }
    return Written::Done;
}
}

void setSpreadsheetLauncher(SpreadsheetLauncher l, SpreadsheetPresence present)
{
    launcher() = std::move(l);
    presence() = std::move(present);
}

std::optional<double> spreadsheetNumber(const QString& text)
{
    // One pass (an export reads every cell): [-] (0 | 1-9 digits*) [. digits+].
    const qsizetype n = text.size();
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const auto digitAt = [&](qsizetype k) { return k < n && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9'); };
    if (!digitAt(i))
        return std::nullopt;
    int significant = 0;
    if (text[i] == QLatin1Char('0')) {
        ++i;
    } else {
        while (digitAt(i)) {
            ++significant;
            ++i;
        }
    }
    if (i < n) {
        if (text[i] != QLatin1Char('.') || !digitAt(i + 1))
            return std::nullopt;
        for (++i; digitAt(i); ++i)
            if (significant > 0 || text[i] != QLatin1Char('0'))
                ++significant;   // zeros right after "0." are not significant
        if (i < n)
            return std::nullopt;
    }
    if (significant > 15)
        return std::nullopt;
    char ascii[64];   // at most "-" + 15 significant digits + zeros and a point: checked, else the slow way
    if (n >= qsizetype(sizeof ascii))
        return text.toDouble();
    for (qsizetype k = 0; k < n; ++k)
        ascii[k] = char(text[k].unicode());
    double value = 0;
    std::from_chars(ascii, ascii + n, value);
    return value;
}

QString exportFolder()
{
    const QString dir = QDir(QDir::tempPath()).filePath(QStringLiteral("shop-export"));
    QDir().mkpath(dir);
    return dir;
}

bool ExportGridToSpreadsheet(DataGrid* grid)
{
    const QString noProgram = QStringLiteral("电脑没有安装Microsoft Excel，不可导出！");
    // Without a program to show it, no file is written.
    if (!programPresent()) {
        infoBox(noProgram);
        return false;
    }
    const QString path = grid ? fileNameFor(grid) : QString();
    const Written written = grid ? writeWorkbook(grid, path) : Written::Failed;
    if (written == Written::Cancelled)
        return false;
    if (written == Written::Failed) {
        infoBox(QStringLiteral("数据导出失败！"));
        return false;
    }
    const bool started = launcher() ? launcher()(path) : desktopLauncher(path);
    if (!started) {
        QFile::remove(path);
        infoBox(noProgram);
        return false;
    }
    return true;
}
