#include "ReadSheet.h"

#include <QProcess>
#include <QXmlStreamReader>

QVector<QStringList> readSheet(const QString& xlsx)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, QStringLiteral("xl/worksheets/sheet1.xml")});
    unzip.waitForFinished();
    QVector<QStringList> rows;
    QXmlStreamReader x(unzip.readAllStandardOutput());
    int col = 0;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"row") {
            rows.append(QStringList());
        } else if (x.name() == u"c") {
            col = x.attributes().value(QStringLiteral("r")).at(0).unicode() - 'A';
            while (rows.back().size() <= col)
                rows.back() << QString();
            if (x.attributes().value(QStringLiteral("t")) != u"inlineStr")
                rows.back()[col] = QStringLiteral("not text");
        } else if (x.name() == u"t") {
            rows.back()[col] = x.readElementText();
        }
    }
    return rows;
}
