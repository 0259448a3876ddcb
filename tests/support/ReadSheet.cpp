#include "ReadSheet.h"

#include "shell/Export.h"

#include <QAbstractButton>
#include <QProcess>
#include <QXmlStreamReader>

#include <cmath>

namespace {
QByteArray sheetXml(const QString& xlsx)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, QStringLiteral("xl/worksheets/sheet1.xml")});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}
}

QVector<QStringList> readSheet(const QString& xlsx)
{
    QVector<QStringList> rows;
    QXmlStreamReader x(sheetXml(xlsx));
    int col = 0;
    QString kind;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"row") {
            rows.append(QStringList());
        } else if (x.name() == u"c") {
            col = x.attributes().value(QStringLiteral("r")).at(0).unicode() - 'A';
            while (rows.back().size() <= col)
                rows.back() << QString();
            kind = x.attributes().value(QStringLiteral("t")).toString();
            if (kind != u"inlineStr" && !kind.isEmpty())
                rows.back()[col] = QStringLiteral("not text");
        } else if (x.name() == u"t") {
            rows.back()[col] = x.readElementText();
        } else if (x.name() == u"v" && kind.isEmpty()) {
            rows.back()[col] = QLatin1Char('#') + x.readElementText();
        }
    }
    return rows;
}

QVector<double> readColumnWidths(const QString& xlsx)
{
    QVector<double> widths;
    QXmlStreamReader x(sheetXml(xlsx));
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != u"col")
            continue;
        const int first = x.attributes().value(QStringLiteral("min")).toInt();
        const int last = x.attributes().value(QStringLiteral("max")).toInt();
        while (widths.size() < last)
            widths << 0;
        for (int c = first; c <= last; ++c)
            widths[c - 1] = std::floor(x.attributes().value(QStringLiteral("width")).toDouble());
    }
    return widths;
}

QVector<QStringList> exportedSheet(QAbstractButton* exportButton, QString* path)
{
    QString written;
    setSpreadsheetLauncher([&written](const QString& p) { written = p; return true; });
    exportButton->click();
    setSpreadsheetLauncher({});
    if (path)
        *path = written;
    return readSheet(written);
}
