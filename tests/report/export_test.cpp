// Export of a grid to an .xlsx file, read back from the file.
#include "shell/Export.h"
#include "support/ReadSheet.h"
#include "support/ShopTest.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace {

// Three purchase headers in a grid of 单号, 厂商, 合计金额 and 备注 on a window "采购单据".
struct ExportFixture : ShopTest {
    ExportFixture() : ShopTest(false) {}
    QWidget window;
    DataGrid* grid = new DataGrid(&window);
    QString written;
    bool launched = true;
    bool present = true;

    void SetUp() override
    {
        exec("INSERT INTO cgglz(dh,rq,ghs,hjje,bz) VALUES('CG001','2026-12-01','  美的 电器  ',12.5,' 急 '),"
             "('CG002','2026-12-02','格力''s',-3,'" + QString(60, 'x') + "'),('CG003','2026-12-03','海尔',0,'007')");
        dm->AQcgz1.setSql({"SELECT * FROM cgglz", "order by id"});
        dm->AQcgz1.open();
        window.setWindowTitle("采购单据");
        grid->setQuery(&dm->AQcgz1);
        grid->setColumns({{"dh", "单号"}, {"ghs", "厂商"}, {"hjje", "合计金额"}, {"bz", "备注"}});
        setSpreadsheetLauncher([this](const QString& path) { written = path; return launched; }, [this] { return present; });
    }
    void TearDown() override
    {
        setSpreadsheetLauncher({});
        if (!written.isEmpty())
            QFile::remove(written);
    }
};

}

// Leaving out hidden columns is checked through the lists that export.
TEST_F(ExportFixture, WritesTrimmedTextsNumbersAsNumbersAndLeavesTheLastRowCurrent)
{
    EXPECT_TRUE(ExportGridToSpreadsheet(grid));
    EXPECT_TRUE(rec.empty()) << rec.texts().join("|").toStdString();
    EXPECT_TRUE(QFileInfo(written).fileName().startsWith("采购单据_")) << written.toStdString();
    EXPECT_TRUE(written.endsWith(".xlsx")) << written.toStdString();
    EXPECT_EQ(readSheet(written), (QVector<QStringList>{{"单号", "厂商", "合计金额", "备注"}, {"CG001", "美的 电器", "#12.5", "急"},
                                                        {"CG002", "格力's", "#-3", QString(60, 'x')}, {"CG003", "海尔", "#0", "007"}}));
    // As wide as the title or the longest text (a wide character counts two), capped.
    EXPECT_EQ(readColumnWidths(written), (QVector<double>{6, 10, 9, 50}));
    EXPECT_EQ(dm->AQcgz1.recNo(), 2);

    // Only plain decimal numbers of up to 15 significant digits go out as numbers.
    const std::pair<const char*, double> numbers[] = {{"0.05", 0.05}, {"-0.5", -0.5}, {"12.50", 12.5},
        {"123456789012345", 123456789012345.0}, {"0.000123456789012345", 0.000123456789012345}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(spreadsheetNumber(QString::fromLatin1(text)), std::optional<double>(value)) << text;
    // Leading zeros (codes), separators, signs, exponents, a bare point, document numbers: text.
    for (const char* text : {"007", "00.5", "-01", "1,000", "1 000", "+5", "5.", ".5", "-", "", "1e5", "1.2.3",
                             "1234567890123456", "0.1234567890123456", "CG20261206001", "１２"})
        EXPECT_FALSE(spreadsheetNumber(QString::fromUtf8(text))) << text;
}

TEST_F(ExportFixture, NoSpreadsheetProgramAndOtherFailuresAreReported)
{
    // No program: refused before anything is written.
    present = false;
    const QStringList before = QDir(exportFolder()).entryList(QDir::Files);
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_EQ(rec.last().caption, "提示");
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(QDir(exportFolder()).entryList(QDir::Files), before);
    // A program that then cannot be started: refused, and the file goes.
    present = true;
    launched = false;
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_FALSE(QFile::exists(written));
    launched = true;
    written.clear();
    grid->setColumns({{"nosuchfield", "无"}});
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_TRUE(written.isEmpty());   // nothing was opened
    dm->AQcgz1.close();
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_EQ(rec.texts(), (QStringList{"电脑没有安装Microsoft Excel，不可导出！", "电脑没有安装Microsoft Excel，不可导出！",
                                        "数据导出失败！", "数据导出失败！"}));
}

// A long export shows its progress; cancelled there, nothing is written or opened and no
// message shows; the data set is left on its last row as after any export. A short one shows
// no dialog.
TEST_F(ExportFixture, ACancelledExportWritesNothing)
{
    {
        ProgressScript quick(true, -1);
        EXPECT_TRUE(ExportGridToSpreadsheet(grid));
        EXPECT_TRUE(quick.shown.isEmpty());
        QFile::remove(written);
        written.clear();
    }
    ProgressScript progress(true);
    const QStringList before = QDir(exportFolder()).entryList(QDir::Files);
    EXPECT_FALSE(ExportGridToSpreadsheet(grid));
    EXPECT_EQ(progress.shown, (QStringList{"正在导出…", "正在导出…\n已导出 1 / 3 行", "取消"}));
    EXPECT_TRUE(rec.empty()) << rec.texts().join("|").toStdString();
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(QDir(exportFolder()).entryList(QDir::Files), before);
    EXPECT_EQ(dm->AQcgz1.recNo(), 2);
}
