// Export of a grid to an .xlsx file, read back from the file.
#include "data/DM1.h"
#include "shell/Export.h"
#include "support/Recorder.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

// The cells of the first sheet, row by row (the writer streams inline strings).
QVector<QStringList> readSheet(const QString& xlsx)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", xlsx, "xl/worksheets/sheet1.xml"});
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
            col = x.attributes().value("r").at(0).unicode() - 'A';
            while (rows.back().size() <= col)
                rows.back() << QString();
            if (x.attributes().value("t") != u"inlineStr")
                rows.back()[col] = "not text";
        } else if (x.name() == u"t") {
            rows.back()[col] = x.readElementText();
        }
    }
    return rows;
}

struct ExportFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    QWidget window;
    DataGrid* grid = nullptr;
    QString written;
    bool launched = true;

    void SetUp() override
    {
        dm = std::make_unique<TDM1>(dir.filePath("shop.db"));
        DM1 = dm.get();
        dm->ADOC1.exec("INSERT INTO cgglz(dh,rq,ghs,hjje,bz) VALUES('CG001','2026-12-01','  美的 电器  ',12.5,' 急 ')");
        dm->ADOC1.exec("INSERT INTO cgglz(dh,rq,ghs,hjje,bz) VALUES('CG002','2026-12-02','格力''s',-3,'')");
        dm->ADOC1.exec("INSERT INTO cgglz(dh,rq,ghs,hjje,bz) VALUES('CG003','2026-12-03','海尔',0,'')");
        Query& q = dm->AQcgz1;
        q.clearSql();
        q.addSql("SELECT * FROM cgglz");
        q.addSql("order by id");
        q.open();
        window.setWindowTitle("采购单据");
        grid = new DataGrid(&window);
        grid->setQuery(&q);
        QVector<GridColumn> cols(4);
        cols[0].field = "dh";
        cols[0].title = "单号";
        cols[1].field = "ghs";
        cols[1].title = "厂商";
        cols[2].field = "hjje";
        cols[2].title = "合计金额";
        cols[3].field = "bz";
        cols[3].title = "备注";
        grid->setColumns(cols);
        setSpreadsheetLauncher([this](const QString& path) {
            written = path;
            return launched;
        });
    }
    void TearDown() override
    {
        setSpreadsheetLauncher({});
        if (!written.isEmpty())
            QFile::remove(written);
        DM1 = nullptr;
    }
};

}

TEST_F(ExportFixture, WritesVisibleColumnsAsTrimmedTextAndLeavesTheLastRowCurrent)
{
    grid->setColumnVisible(3, false);   // 备注 hidden
    MessageRecorder rec;
    EXPECT_TRUE(ExportGridToSpreadsheet(grid));
    EXPECT_TRUE(rec.empty()) << rec.texts().join("|").toStdString();
    ASSERT_FALSE(written.isEmpty());
    EXPECT_TRUE(QFileInfo(written).fileName().startsWith("采购单据_"));
    EXPECT_TRUE(written.endsWith(".xlsx"));
    const QVector<QStringList> rows = readSheet(written);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QStringList({"单号", "厂商", "合计金额"}));
    EXPECT_EQ(rows[1], QStringList({"CG001", "美的 电器", "12.5"}));
    EXPECT_EQ(rows[2], QStringList({"CG002", "格力's", "-3"}));
    EXPECT_EQ(rows[3], QStringList({"CG003", "海尔", "0"}));
    EXPECT_EQ(dm->AQcgz1.recNo(), 2);
}

TEST_F(ExportFixture, NoSpreadsheetProgramAndOtherFailuresAreReported)
{
    MessageRecorder rec;
    launched = false;
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "电脑没有安装Microsoft Excel，不可导出！");
    EXPECT_EQ(rec.last().caption, "提示");

    rec.clear();
    launched = true;
    written.clear();
    GridColumn bad;
    bad.field = "nosuchfield";
    bad.title = "无";
    grid->setColumns({bad});
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "数据导出失败！");
    EXPECT_TRUE(written.isEmpty());   // nothing was opened

    rec.clear();
    dm->AQcgz1.close();
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_EQ(rec.texts(), QStringList({"数据导出失败！"}));
}
