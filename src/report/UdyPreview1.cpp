#include "UdyPreview1.h"

#include "QuickRep.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
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
    : QDialog(parent), rep_(rep), rows_(rep.dataRows()),
      printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    setObjectName(QStringLiteral("Fdypreview1"));
    setWindowTitle(rep.ReportTitle);
    rep_.setUpPrinter(*printer_);

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

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setObjectName(QStringLiteral("preview"));
    connectHandler(preview_, &QPrintPreviewWidget::paintRequested, this,
                   [this](QPrinter* p) { rep_.print(*p, *rows_); });
    connectHandler(preview_, &QPrintPreviewWidget::previewChanged, this, &TFdyPreview1::updatePageLabel);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(bar);
    lay->addWidget(preview_, 1);

    connectHandler(firstPage, &QPushButton::clicked, this, [this] { showPage(1); });
    connectHandler(priorPage, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connectHandler(nextPage, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connectHandler(lastPage, &QPushButton::clicked, this, [this] { showPage(pageCount()); });
    connectHandler(zoomIn, &QPushButton::clicked, preview_, [this] { preview_->zoomIn(); });
    connectHandler(zoomOut, &QPushButton::clicked, preview_, [this] { preview_->zoomOut(); });
    connectHandler(zoomFit, &QPushButton::clicked, preview_, &QPrintPreviewWidget::fitInView);
    connectHandler(printButton, &QPushButton::clicked, this, &TFdyPreview1::printClicked);
    connectHandler(closeButton, &QPushButton::clicked, this, &QDialog::close);

    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        resize(a.width() * 4 / 5, a.height() * 4 / 5);
    }
    preview_->updatePreview();
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

bool TFdyPreview1::printTo(QPrinter& printer)
{
    const bool usable = printer.outputFormat() != QPrinter::NativeFormat
                        || (printer.isValid() && !printer.printerName().isEmpty());
    if (!usable || !rep_.print(printer, *rows_)) {
        infoBox(QStringLiteral("找不到打印机，请安装打印机！"));
        return false;
    }
    return true;
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
