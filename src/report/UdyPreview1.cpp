#include "UdyPreview1.h"

#include "PreviewPages.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"
#include "ui/Progress.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QPushButton* toolButton(QWidget* parent, QHBoxLayout* bar, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    bar->addWidget(b);
    return b;
}
}

TFdyPreview1::TFdyPreview1(const QuickRep& rep, QWidget* parent)
    : QDialog(parent), rep_(rep), rows_(rep.dataRows())
{
    setObjectName(QStringLiteral("Fdypreview1"));
    setWindowTitle(rep.ReportTitle);

    auto* bar = new QHBoxLayout;
    firstPage = toolButton(this, bar, "firstPage", QStringLiteral("首页"));
    priorPage = toolButton(this, bar, "priorPage", QStringLiteral("上页"));
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    bar->addWidget(pageLabel_);
    nextPage = toolButton(this, bar, "nextPage", QStringLiteral("下页"));
    lastPage = toolButton(this, bar, "lastPage", QStringLiteral("末页"));
    zoomIn = toolButton(this, bar, "zoomIn", QStringLiteral("放大"));
    zoomOut = toolButton(this, bar, "zoomOut", QStringLiteral("缩小"));
    zoomFit = toolButton(this, bar, "zoomFit", QStringLiteral("整页"));
    printButton = toolButton(this, bar, "printButton", QStringLiteral("打印"));
    closeButton = toolButton(this, bar, "closeButton", QStringLiteral("关闭"));
    bar->addStretch();

    preview_ = new PreviewPages(this);
    preview_->setObjectName(QStringLiteral("preview"));
    connectHandler(preview_, &PreviewPages::changed, this, &TFdyPreview1::updatePageLabel);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(bar);
    lay->addWidget(preview_, 1);

    connectHandler(firstPage, &QPushButton::clicked, this, [this] { showPage(1); });
    connectHandler(priorPage, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connectHandler(nextPage, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connectHandler(lastPage, &QPushButton::clicked, this, [this] { showPage(pageCount()); });
    connectHandler(zoomIn, &QPushButton::clicked, preview_, [this] { preview_->zoomIn(); });
    connectHandler(zoomOut, &QPushButton::clicked, preview_, [this] { preview_->zoomOut(); });
    connectHandler(zoomFit, &QPushButton::clicked, preview_, &PreviewPages::fitInView);
    connectHandler(printButton, &QPushButton::clicked, this, &TFdyPreview1::printClicked);
    connectHandler(closeButton, &QPushButton::clicked, this, &QDialog::close);

    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        resize(a.width() * 4 / 5, a.height() * 4 / 5);
    }
    // The pages on the paper the report prints on (the printer's own where the layout says
    // so), shown at the screen's resolution.
    QPrinter screen(QPrinter::ScreenResolution);
    rep_.setUpPrinter(screen);
    layout_ = rep_.layout(*rows_, rep_.paperOf(screen));
    preview_->setPages(&layout_, screen.logicalDpiY());
    preview_->fitToWidth();
    updatePageLabel();
}

TFdyPreview1::~TFdyPreview1() = default;

int TFdyPreview1::pageCount() const { return preview_->pageCount(); }

int TFdyPreview1::currentPage() const { return preview_->currentPage(); }

void TFdyPreview1::showPage(int page)
{
    if (pageCount() == 0)
        return;
    preview_->setCurrentPage(qBound(1, page, pageCount()));
    updatePageLabel();
}

void TFdyPreview1::updatePageLabel()
{
    pageLabel_->setText(QStringLiteral("%1/%2").arg(currentPage()).arg(pageCount()));
}

QuickRep::PrintResult TFdyPreview1::printWithProgress(QPrinter& printer)
{
    // A PDF file is written under a name of its own beside the one asked for and takes that
    // name only when it is whole.
    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    QString part;
    if (!target.isEmpty()) {
        part = target + QStringLiteral(".part");
        for (int i = 2; QFileInfo::exists(part); ++i)
            part = target + QStringLiteral(".part%1").arg(i);
        printer.setOutputFileName(part);
    }
    WorkProgress progress(this, QStringLiteral("正在打印…"), QStringLiteral("已输出 %1 / %2 页"), layout_.pageCount());
    QuickRep::PrintResult result = rep_.print(printer, *rows_, [&progress](int done, int total) {
        progress.setTotal(total);
        return progress.step(done);
    });
    if (!part.isEmpty()) {
        printer.setOutputFileName(target);
        if (result == QuickRep::PrintResult::Printed) {
            QFile::remove(target);
            if (!QFile::rename(part, target))
                result = QuickRep::PrintResult::Failed;
        }
        if (result != QuickRep::PrintResult::Printed)
            QFile::remove(part);
    }
    return result;
}

bool TFdyPreview1::printTo(QPrinter& printer)
{
    const bool usable = printer.outputFormat() != QPrinter::NativeFormat
                        || (printer.isValid() && !printer.printerName().isEmpty());
    const QuickRep::PrintResult result = usable ? printWithProgress(printer) : QuickRep::PrintResult::Failed;
    if (result == QuickRep::PrintResult::Failed)
        infoBox(QStringLiteral("找不到打印机，请安装打印机！"));
    return result == QuickRep::PrintResult::Printed;
}

void TFdyPreview1::printClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    rep_.setUpPrinter(printer);
    QPrintDialog dlg(&printer, this);
    if (runModal(dlg) != QDialog::Accepted)
        return;
    printTo(printer);
}

void QuickRep::preview()
{
    auto* dlg = new TFdyPreview1(*this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<TFdyPreview1> guard(dlg);
    runModal(*dlg);
    if (guard)
        guard->deleteLater();
}
