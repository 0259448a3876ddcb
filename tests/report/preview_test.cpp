// The shared preview over a query-bound report: pages, navigation, printing, and the
// bound query's cursor left alone.
#include "data/DM1.h"
#include "queries/Udycggl1.h"
#include "report/ListReport.h"
#include "report/UdyPreview1.h"
#include "support/Recorder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
struct PreviewFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    void SetUp() override
    {
        dm = std::make_unique<TDM1>(dir.filePath("shop.db"));
        DM1 = dm.get();
        dm->ADOC1.exec("BEGIN");
        for (int i = 0; i < 60; ++i)
            dm->ADOC1.exec(QStringLiteral("INSERT INTO cgglz(dh,rq,ghs,hjsl,hjje,qk) VALUES('CG%1','2026-12-01','美的',1,%2,0)")
                               .arg(i, 3, 10, QLatin1Char('0'))
                               .arg(i * 10));
        dm->ADOC1.exec("COMMIT");
        Query& q = dm->AQcgz1;
        q.clearSql();
        q.addSql("SELECT * FROM cgglz");
        q.addSql("order by id");
        q.open();
        q.moveTo(7);
    }
    void TearDown() override { DM1 = nullptr; }
};
}

TEST_F(PreviewFixture, ShowsPagesOfTheBoundQueryWithoutMovingItsCursor)
{
    TFdycggl1& rep = reportForm(Fdycggl1);
    rep.bindTo(&dm->AQcgz1);
    rep.QRLdw->Caption = "通达家电采购单据汇总表";
    rep.QuickRep1.ReportTitle = "打印预览";
    int pages = 0, afterNext = 0, afterLast = 0;
    QString title;
    ModalScript modal;
    modal.next([&](QDialog& d) {
        auto* p = qobject_cast<TFdyPreview1*>(&d);
        ASSERT_NE(p, nullptr);
        title = p->windowTitle();
        pages = p->pageCount();
        p->nextPage->click();
        afterNext = p->currentPage();
        p->lastPage->click();
        p->nextPage->click();
        afterLast = p->currentPage();
        p->closeButton->click();
    });
    rep.preview();
    EXPECT_EQ(modal.opened(), 1);
    EXPECT_EQ(title, "打印预览");
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(afterNext, 2);
    EXPECT_EQ(afterLast, 2);
    EXPECT_EQ(dm->AQcgz1.recNo(), 7);

    // The report read the rows from the first, whatever the cursor.
    const auto rows = rep.QuickRep1.dataRows();
    const PageContent first = rep.QuickRep1.layout(*rows, QSizeF(210, 297)).page(0);
    EXPECT_EQ(first.named("QRD2").at(0).text, "CG000");
    EXPECT_EQ(dm->AQcgz1.recNo(), 7);
}

TEST_F(PreviewFixture, PrintsThroughThePrintDialogAndReportsAMissingPrinter)
{
    TFdycggl1& rep = reportForm(Fdycggl1);
    rep.bindTo(&dm->AQcgz1);
    const QString pdf = dir.filePath("printed.pdf");
    MessageRecorder rec;
    ModalScript modal;
    modal.next([&](QDialog& d) {
        auto* p = qobject_cast<TFdyPreview1*>(&d);
        ASSERT_NE(p, nullptr);
        p->printButton->click();   // the print dialog is the next step
        p->printButton->click();
        p->close();
    });
    modal.next([&](QDialog& d) {
        auto& pd = dynamic_cast<QPrintDialog&>(d);
        pd.printer()->setOutputFormat(QPrinter::PdfFormat);
        pd.printer()->setOutputFileName(pdf);
        pd.done(QDialog::Accepted);   // keeps the printer as set here
    });
    modal.next([&](QDialog& d) {
        auto& pd = dynamic_cast<QPrintDialog&>(d);
        pd.printer()->setOutputFormat(QPrinter::NativeFormat);
        pd.printer()->setPrinterName("no-such-printer");
        pd.done(QDialog::Accepted);   // keeps the printer as set here
    });
    rep.preview();
    EXPECT_EQ(modal.opened(), 3);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_GT(QFile(pdf).size(), 1000);
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "找不到打印机，请安装打印机！");
    EXPECT_EQ(rec.last().caption, "提示");
    EXPECT_EQ(dm->AQcgz1.recNo(), 7);
}

TEST_F(PreviewFixture, ListPrintFillsTheTitleTotalsAndBindingsAndThePreviewFreesItself)
{
    dm->ADOC1.exec("UPDATE danwei SET mcdy='通达家电'");
    dm->ATdanwei1.close();
    TFdycggl1& rep = reportForm(Fdycggl1);
    rep.QRL3->Caption = "厂商";
    QPointer<QDialog> shown;
    ModalScript modal;
    modal.next([&](QDialog& d) { shown = &d; });
    printListReport(rep, "采购单据汇总表", dm->AQcgz1, {"60", "17700", "0"});
    EXPECT_TRUE(dm->ATdanwei1.isOpen());
    EXPECT_EQ(rep.QRLdw->Caption, "通达家电采购单据汇总表");
    EXPECT_EQ(rep.QuickRep1.ReportTitle, "打印预览");
    EXPECT_EQ(rep.QuickRep1.DataSet, &dm->AQcgz1);
    for (QRDBText* t : rep.texts)
        EXPECT_EQ(t->DataSet, &dm->AQcgz1);
    EXPECT_EQ(rep.total("e1")->Caption, "60");
    EXPECT_EQ(rep.total("e2")->Caption, "17700");
    EXPECT_EQ(rep.total("e3")->Caption, "0");
    EXPECT_EQ(dm->AQcgz1.recNo(), 7);
    ASSERT_FALSE(shown.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull());
}
