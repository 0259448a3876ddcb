#include "Export.h"

#include "data/Query.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <xlsxwriter.h>

namespace {
const char* XlsxMime = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// The desktop's program for .xlsx files; none when the desktop names no handler.
bool desktopLauncher(const QString& path)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!xdgMime.isEmpty()) {
        QProcess p;
        p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QLatin1String(XlsxMime)});
        if (p.waitForFinished(5000) && p.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

SpreadsheetLauncher& launcher()
{
    static SpreadsheetLauncher l;
    return l;
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

// Writes the workbook; false on any failure (the file is removed).
bool writeWorkbook(DataGrid* grid, const QString& path)
{
    Query* q = grid->query();
    if (!q || !q->isOpen())
        return false;
    const QVector<GridColumn> cols = grid->visibleColumns();
    QVector<int> fields;
    for (const GridColumn& c : cols) {
        const int i = q->fieldIndex(c.field);
        if (i < 0)
            return false;
        fields << i;
    }

    const QByteArray tmp = QFile::encodeName(exportFolder());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!wb)
        return false;
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    bool ok = ws != nullptr;
    for (int c = 0; ok && c < cols.size(); ++c)
        ok = worksheet_write_string(ws, 0, lxw_col_t(c), cols[c].title.toUtf8().constData(), nullptr)
             == LXW_NO_ERROR;
    const int n = q->recordCount();
    for (int r = 0; ok && r < n; ++r)
        for (int c = 0; ok && c < fields.size(); ++c) {
            const QString text = q->cellText(r, fields[c]).trimmed();
            if (!text.isEmpty())
                ok = worksheet_write_string(ws, lxw_row_t(r + 1), lxw_col_t(c), text.toUtf8().constData(),
                                            nullptr) == LXW_NO_ERROR;
        }
    ok = workbook_close(wb) == LXW_NO_ERROR && ok;
    if (n > 0)
        q->last();
    if (!ok)
        QFile::remove(path);
    return ok;
}
}

void setSpreadsheetLauncher(SpreadsheetLauncher l) { launcher() = std::move(l); }

QString exportFolder()
{
    const QString dir = QDir(QDir::tempPath()).filePath(QStringLiteral("shop-export"));
    QDir().mkpath(dir);
    return dir;
}

bool ExportGridToSpreadsheet(DataGrid* grid)
{
    const QString path = grid ? fileNameFor(grid) : QString();
    if (!grid || !writeWorkbook(grid, path)) {
        infoBox(QStringLiteral("数据导出失败！"));
        return false;
    }
    const bool started = launcher() ? launcher()(path) : desktopLauncher(path);
    if (!started) {
        infoBox(QStringLiteral("电脑没有安装Microsoft Excel，不可导出！"));
        return false;
    }
    return true;
}
