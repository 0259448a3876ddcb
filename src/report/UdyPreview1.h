#pragma once
// The shared print preview: shows the pages of a report, pages through them, zooms, and
// prints through the system's print dialog (which also prints to a PDF file). It reports
// print errors itself. Created by a report's preview() with the application as owner,
// shown modally, freed on close.
//
// The report is laid out once when the preview opens (where each band goes, by arithmetic)
// and a page is painted only when it shows, so the first page of a report of any length is
// there at once. Printing shows its progress ("正在打印…", "已输出 %1 / %2 页") once it has
// taken half a second and can be cancelled: a cancelled or failed PDF leaves no file behind
// (an existing file of that name stays as it was).

#include "QuickRep.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPrinter;
class QPushButton;
class PreviewPages;
class ReportRows;

class TFdyPreview1 : public QDialog {
    Q_OBJECT
public:
    explicit TFdyPreview1(const QuickRep& rep, QWidget* parent = nullptr);
    ~TFdyPreview1() override;

    int pageCount() const;
    int currentPage() const;            // 1-based
    PreviewPages* previewWidget() const { return preview_; }

    // Prints on a printer set up by the caller (the print dialog's). False, with the
    // message shown, when the printer cannot be used; false without a message when the
    // operator cancelled.
    bool printTo(QPrinter& printer);

    QPushButton *firstPage = nullptr, *priorPage = nullptr, *nextPage = nullptr,
                *lastPage = nullptr, *zoomIn = nullptr, *zoomOut = nullptr, *zoomFit = nullptr,
                *printButton = nullptr, *closeButton = nullptr;

private:
    void showPage(int page);
    void updatePageLabel();
    void printClicked();
    QuickRep::PrintResult printWithProgress(QPrinter& printer);

    const QuickRep& rep_;
    std::unique_ptr<ReportRows> rows_;
    QuickRep::Layout layout_;
    PreviewPages* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
};
