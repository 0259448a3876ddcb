// The ruled list report from a description; the shared preview over a query-bound list
// report: pages, navigation, zoom, pages painted as they show, printing and its cancelling,
// and the bound query's cursor left alone.
#include "finance/Udyfkfx1.h"
#include "finance/Udyszfx1.h"
#include "finance/Udyyffx1.h"
#include "queries/Ucggl1.h"
#include "queries/Udycgfx1.h"
#include "queries/Udycggl1.h"
#include "queries/Udykcfx1.h"
#include "queries/Udyrkgl1.h"
#include "report/PagePainter.h"
#include "report/PreviewPages.h"
#include "report/UdyPreview1.h"
#include "ui/Controls.h"
#include "support/ShopTest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

bool hasLine(const PageContent& p, double x1, double y1, double x2, double y2)
{
    for (const QLineF& l : p.lines)
        if ((l.p1() - QPointF(x1, y1)).manhattanLength() < 1e-6 && (l.p2() - QPointF(x2, y2)).manhattanLength() < 1e-6)
            return true;
    return false;
}

// Unaudited purchase headers (sixty: two pages of the list report), AQcgz1 open on them at row 7.
struct PreviewFixture : ShopTest {
    PreviewFixture() : ShopTest(false) {}
    void SetUp() override { addHeaders(60); }
    void addHeaders(int n)
    {
        exec(QString("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<%1) INSERT INTO "
                     "cgglz(dh,rq,ghs,hjsl,hjje,qk,shbj) SELECT printf('CG%04d',i),'2026-12-01','美的',1,i*10,0,'未审核' "
                     "FROM n").arg(n - 1));
        dm->AQcgz1.reopen({"SELECT * FROM cgglz", "order by id"});
        dm->AQcgz1.moveTo(7);
    }
};

// What the preview shows of a page, inside its paper (a pixel clear of the edges).
QImage shownPage(PreviewPages& pages, int page)
{
    pages.viewport()->repaint();
    const QRect paper = pages.pageRect(page).toAlignedRect().adjusted(1, 1, -1, -1) & pages.viewport()->rect();
    return pages.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(paper);
}

// The same part of the page painted as the preview places it, by a painter that has painted
// every page before it, as a print run does.
QImage pageOfAWholeRun(const QuickRep::Layout& layout, PreviewPages& pages, int page)
{
    PagePainter painter;
    QImage img(pages.viewport()->size(), QImage::Format_RGB32);
    const QRectF sheet = pages.pageRect(page);
    for (int i = 0; i < page; ++i) {
        img.fill(Qt::white);
        QPainter p(&img);
        p.translate(sheet.topLeft());
        p.scale(pages.zoomFactor(), pages.zoomFactor());
        painter.paint(p, layout.page(i), pages.resolution(), pages.resolution());
    }
    return img.copy(sheet.toAlignedRect().adjusted(1, 1, -1, -1) & pages.viewport()->rect());
}
}

TEST_F(PreviewFixture, ListPrintPagesPrintsAndReportsAMissingPrinterWithoutMovingTheCursor)
{
    // Printed from the purchase list, which shows the sixty headers.
    TFcggl1* list = openOrActivate(Fcggl1);
    dm->AQcgz1.moveTo(7);
    const QString pdf = shop.dir.filePath("printed.pdf");
    QPointer<TFdyPreview1> shown;
    QStringList seen;   // title, page count, page after 下页, after 末页 and 下页
    modal.next([&](QDialog& d) {
        shown = &dynamic_cast<TFdyPreview1&>(d);
        seen << shown->windowTitle() << QString::number(shown->pageCount());
        shown->nextPage->click();
        seen << QString::number(shown->currentPage());
        shown->lastPage->click();
        shown->nextPage->click();
        seen << QString::number(shown->currentPage());
        shown->printButton->click();   // to a PDF file
        shown->printButton->click();   // to a printer that does not exist
        shown->closeButton->click();
    });
    for (const bool toPdf : {true, false})
        modal.next([&, toPdf](QDialog& d) {
            auto& pd = dynamic_cast<QPrintDialog&>(d);
            pd.printer()->setOutputFormat(toPdf ? QPrinter::PdfFormat : QPrinter::NativeFormat);
            if (toPdf)
                pd.printer()->setOutputFileName(pdf);
            else
                pd.printer()->setPrinterName("no-such-printer");
            pd.done(QDialog::Accepted);   // keeps the printer as set here
        });
    list->SB88->click();
    EXPECT_EQ(modal.opened(), 3);
    EXPECT_EQ(seen, (QStringList{"打印预览", "2", "2", "2"}));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    EXPECT_TRUE(data.startsWith("%PDF"));
    EXPECT_EQ(data.count("/Type /Page\n") + data.count("/Type /Page\r") + data.count("/Type /Page "), 2);
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "找不到打印机，请安装打印机！");
    EXPECT_EQ(rec.last().caption, "提示");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull());   // the preview freed itself

    // The report read every row (two pages), and the cursor stays; the title and totals it
    // prints are checked through the purchase list.
    EXPECT_EQ(dm->AQcgz1.recNo(), 7);
    delete list;
}

// The default layout, through the purchase list's (the landscape, first-column summary and
// placed page number variants are checked through the tables that use them).
TEST_F(PreviewFixture, ListLayoutFromItsDescription)
{
    TFdycggl1& rep = reportForm(Fdycggl1);
    rep.QRLdw->Caption = "通达家电采购单据汇总表";
    for (const char* e : {"e1", "e2", "e3"})
        rep.total(e)->Caption = e;
    const QVector<PageContent> pages = rep.QuickRep1.pages(QueryRows(dm->AQcgz1));
    ASSERT_EQ(pages.size(), 2);
    for (const PageContent& p : pages) {   // title centred over the table (x 10..200 mm), 黑体 bold
        const PlacedText t = p.named("QRLdw").at(0);
        EXPECT_EQ(t.text, "通达家电采购单据汇总表");
        EXPECT_NEAR(t.rect.center().x(), 105, 1e-9);
        EXPECT_EQ(t.font.family, "黑体");
        EXPECT_TRUE(t.font.bold);
        EXPECT_EQ(p.named("QRL2").at(0).text, "单号");
    }
    EXPECT_EQ(pages[0].named("QRD1").size() + pages[1].named("QRD1").size(), 60);
    EXPECT_GT(pages[0].named("QRD1").size(), 35);
    const PlacedText rq = pages[0].named("QRD1")[0], ghs = pages[0].named("QRD3")[0], qty = pages[0].named("QRD4")[0];
    EXPECT_TRUE(rq.align & Qt::AlignHCenter);
    EXPECT_TRUE(ghs.align & Qt::AlignLeft);
    EXPECT_TRUE(qty.align & Qt::AlignRight);
    EXPECT_DOUBLE_EQ(qty.rect.left(), 10 + 106 + 1);   // inside its rules by 1 mm
    EXPECT_DOUBLE_EQ(qty.rect.right(), 10 + 130 - 1);
    for (double e : {0.0, 25.0, 60.0, 106.0, 130.0, 160.0, 190.0})
        EXPECT_TRUE(hasLine(pages[0], 10 + e, rq.rect.top(), 10 + e, rq.rect.top() + 6.1)) << e;
    EXPECT_TRUE(hasLine(pages[0], 10, rq.rect.top() + 6.1, 200, rq.rect.top() + 6.1));

    // Summary on the last page only: "总计" in one cell up to the quantity column, the
    // totals right-aligned under their columns.
    EXPECT_TRUE(pages[0].find("总计").isEmpty());
    const PlacedText sum = pages[1].find("总计").at(0);
    EXPECT_NEAR(sum.rect.center().x(), 10 + 53, 1e-9);
    for (const auto& [e, d] : {std::pair{"e1", "QRD4"}, {"e2", "QRD5"}, {"e3", "QRD6"}}) {
        const PlacedText t = pages[1].named(e).at(0);
        EXPECT_EQ(t.text, e);
        EXPECT_TRUE(t.align & Qt::AlignRight) << e;
        EXPECT_DOUBLE_EQ(t.rect.right(), pages[1].named(d).at(0).rect.right()) << e;
    }
    EXPECT_TRUE(hasLine(pages[1], 10 + 106, sum.rect.top(), 10 + 106, sum.rect.top() + 6.1));
    EXPECT_FALSE(hasLine(pages[1], 10 + 60, sum.rect.top(), 10 + 60, sum.rect.top() + 6.1));

    // Page footers "（" + number at the foot of each page, the last included.
    EXPECT_EQ(pages[0].named("QRSysData1").at(0).text + pages[1].named("QRSysData1").at(0).text, "（1（2");
    EXPECT_GT(pages[1].named("QRSysData1").at(0).rect.top(), 270);
}

// A long list: laid out at once, the pages painted only as they come into view, each as a
// whole run paints it; the zoom steps and fits a page.
TEST_F(PreviewFixture, ALongPreviewPaintsThePagesAsTheyShow)
{
    addHeaders(2000);   // 2,060 rows
    TFcggl1* list = openOrActivate(Fcggl1);
    const QuickRep& rep = reportForm(Fdycggl1).QuickRep1;
    modal.next([&](QDialog& d) {
        auto& preview = dynamic_cast<TFdyPreview1&>(d);
        PreviewPages& pages = *preview.previewWidget();
        pages.resize(800, 600);
        const auto rows = rep.dataRows();
        const QuickRep::Layout whole = rep.layout(*rows);
        ASSERT_EQ(preview.pageCount(), whole.pageCount());
        EXPECT_EQ(preview.pageCount(), 52);
        pages.viewport()->repaint();
        EXPECT_LE(pages.paintedPages(), 2);   // the first page, and the top of the second
        for (const int page : {26, 52}) {
            pages.setCurrentPage(page);
            EXPECT_EQ(preview.currentPage(), page);
            EXPECT_TRUE(shownPage(pages, page) == pageOfAWholeRun(whole, pages, page)) << page;
        }
        EXPECT_LE(pages.paintedPages(), 8);
        // Scrolled by hand, the page that fills most of the view is the current one.
        pages.verticalScrollBar()->setValue(pages.verticalScrollBar()->value() + int(pages.pageRect(30).top()));
        EXPECT_EQ(preview.currentPage(), 30);
        EXPECT_EQ(preview.findChild<QLabel*>("pageLabel")->text(), "30/52");

        const double fitted = pages.zoomFactor();
        preview.zoomIn->click();
        EXPECT_DOUBLE_EQ(pages.zoomFactor(), fitted * 1.1);
        preview.zoomOut->click();
        preview.zoomOut->click();
        EXPECT_DOUBLE_EQ(pages.zoomFactor(), fitted / 1.1);
        preview.zoomFit->click();   // the whole current page in view
        EXPECT_TRUE(QRectF(pages.viewport()->rect()).contains(pages.pageRect(preview.currentPage())));
        EXPECT_EQ(preview.currentPage(), 30);
        preview.firstPage->click();
        EXPECT_EQ(preview.currentPage(), 1);
        EXPECT_TRUE(QRectF(pages.viewport()->rect()).contains(pages.pageRect(1)));
    });
    list->SB88->click();
    EXPECT_EQ(modal.opened(), 1);
    delete list;
}

// A cancelled print to PDF leaves no file, not even a part of one, and an older file of
// that name as it was; printed in full, the file is whole under its name.
TEST_F(PreviewFixture, ACancelledPrintLeavesNoHalfFile)
{
    const QString pdf = shop.dir.filePath("list.pdf");
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older file");
    }
    ProgressScript progress(true);
    TFcggl1* list = openOrActivate(Fcggl1);
    modal.next([&](QDialog& d) {
        auto& preview = dynamic_cast<TFdyPreview1&>(d);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        EXPECT_FALSE(preview.printTo(printer));
        QFile f(pdf);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == "an older file");
        progress.cancel = false;
        EXPECT_TRUE(preview.printTo(printer));
        EXPECT_EQ(printer.outputFileName(), pdf);
    });
    list->SB88->click();
    EXPECT_EQ(progress.shown, (QStringList{"正在打印…", "正在打印…\n已输出 1 / 2 页", "取消", "正在打印…",
                                           "正在打印…\n已输出 1 / 2 页", "取消"}));
    EXPECT_TRUE(rec.empty()) << rec.texts().join("|").toStdString();   // a cancel is no failure
    EXPECT_EQ(QDir(shop.dir.path()).entryList({"list.pdf*"}, QDir::Files), QStringList{"list.pdf"});
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
    delete list;
}

// Titles in the reports' Song face at 19 px bold unless a layout names its own: 黑体 bold 14
// point for the document lists and the payments, Song bold 14 point for the stock table.
TEST(ListReportTitles, SongUnlessTheLayoutNamesItsOwnFont)
{
    const struct { const TListReport& rep; const char* family; double px; } titles[] = {
        {reportForm(Fdyszfx1), "宋体", 19},           {reportForm(Fdycgfx1), "宋体", 19},
        {reportForm(Fdyyffx1), "宋体", 19},           {reportForm(Fdykcfx1), "宋体", 14 * 96.0 / 72},
        {reportForm(Fdycggl1), "黑体", 14 * 96.0 / 72}, {reportForm(Fdyrkgl1), "黑体", 14 * 96.0 / 72},
        {reportForm(Fdyfkfx1), "黑体", 14 * 96.0 / 72}};
    for (const auto& t : titles) {
        const ReportFont& f = t.rep.layout().titleFont;
        EXPECT_EQ(f.family, QString::fromUtf8(t.family));
        EXPECT_DOUBLE_EQ(f.px, t.px);
        EXPECT_TRUE(f.bold);
    }
}

// A report with no page (no rows, not printed empty): the preview shows none and its buttons
// do nothing.
TEST_F(PreviewFixture, APreviewWithoutPages)
{
    QuickRep rep;
    rep.PrintIfEmpty = false;
    rep.addBand(BandType::Detail, 5)->addDBText("QRD1", "dh", 0, 0, 30, 5, Qt::AlignLeft);
    modal.next([&](QDialog& d) {
        auto& preview = dynamic_cast<TFdyPreview1&>(d);
        for (QPushButton* b : {preview.firstPage, preview.priorPage, preview.nextPage, preview.lastPage, preview.zoomIn,
                               preview.zoomOut, preview.zoomFit})
            b->click();
        preview.previewWidget()->viewport()->repaint();
        EXPECT_EQ(preview.pageCount(), 0);
        EXPECT_EQ(preview.findChild<QLabel*>("pageLabel")->text(), "0/0");
    });
    rep.preview();
    EXPECT_EQ(modal.opened(), 1);
}
