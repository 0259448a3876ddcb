// Export of a grid to an .xlsx file, read back from the file.
#include "shell/Export.h"
#include "support/Recorder.h"
#include "support/ReadSheet.h"
#include "support/SampleShop.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

// Three purchase headers in a grid of 单号, 厂商, 合计金额 and 备注 on a window "采购单据".
struct ExportFixture : ::testing::Test {
    TempShop shop{false};
    QWidget window;
    DataGrid* grid = new DataGrid(&window);
    QString written;
    bool launched = true;

    void SetUp() override
    {
        shop.dm->ADOC1.exec("INSERT INTO cgglz(dh,rq,ghs,hjje,bz) VALUES('CG001','2026-12-01','  美的 电器  ',12.5,' 急 '),"
                            "('CG002','2026-12-02','格力''s',-3,''),('CG003','2026-12-03','海尔',0,'')");
        shop.dm->AQcgz1.setSql({"SELECT * FROM cgglz", "order by id"});
        shop.dm->AQcgz1.open();
        window.setWindowTitle("采购单据");
        grid->setQuery(&shop.dm->AQcgz1);
        grid->setColumns({{"dh", "单号"}, {"ghs", "厂商"}, {"hjje", "合计金额"}, {"bz", "备注"}});
        setSpreadsheetLauncher([this](const QString& path) { written = path; return launched; });
    }
    void TearDown() override
    {
        setSpreadsheetLauncher({});
        if (!written.isEmpty())
            QFile::remove(written);
    }
};

}

TEST_F(ExportFixture, WritesVisibleColumnsAsTrimmedTextAndLeavesTheLastRowCurrent)
{
    grid->setColumnVisible(3, false);   // 备注 hidden
    MessageRecorder rec;
    EXPECT_TRUE(ExportGridToSpreadsheet(grid));
    EXPECT_TRUE(rec.empty()) << rec.texts().join("|").toStdString();
    EXPECT_TRUE(QFileInfo(written).fileName().startsWith("采购单据_") && written.endsWith(".xlsx"));
    EXPECT_EQ(readSheet(written), (QVector<QStringList>{{"单号", "厂商", "合计金额"}, {"CG001", "美的 电器", "12.5"},
                                                        {"CG002", "格力's", "-3"}, {"CG003", "海尔", "0"}}));
    EXPECT_EQ(shop.dm->AQcgz1.recNo(), 2);
}

TEST_F(ExportFixture, NoSpreadsheetProgramAndOtherFailuresAreReported)
{
    MessageRecorder rec;
    launched = false;
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_EQ(rec.last().caption, "提示");
    launched = true;
    written.clear();
    grid->setColumns({{"nosuchfield", "无"}});
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_TRUE(written.isEmpty());   // nothing was opened
    shop.dm->AQcgz1.close();
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_EQ(rec.texts(), (QStringList{"电脑没有安装Microsoft Excel，不可导出！", "数据导出失败！", "数据导出失败！"}));
}
