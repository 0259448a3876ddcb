#pragma once
// The shared print preview: shows the pages of a report, pages through them, zooms, and
// prints through the system's print dialog (which also prints to a PDF file). It reports
// print errors itself. Created by a report's preview() with the application as owner,
// shown modally, freed on close.

#include <QDialog>
#include <memory>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QuickRep;
class ReportRows;

class TFdyPreview1 : public QDialog {
    Q_OBJECT
public:
    explicit TFdyPreview1(const QuickRep& rep, QWidget* parent = nullptr);
    ~TFdyPreview1() override;

    int pageCount() const;
    int currentPage() const;            // 1-based
    QPrintPreviewWidget* previewWidget() const { return preview_; }

    // Prints on a printer set up by the caller (the print dialog's). False, with the
    // message shown, when the printer cannot be used.
    bool printTo(QPrinter& printer);

    QPushButton *firstPage = nullptr, *priorPage = nullptr, *nextPage = nullptr,
                *lastPage = nullptr, *zoomIn = nullptr, *zoomOut = nullptr, *zoomFit = nullptr,
                *printButton = nullptr, *closeButton = nullptr;

private:
    void showPage(int page);
    void updatePageLabel();
    void printClicked();

    const QuickRep& rep_;
    std::unique_ptr<ReportRows> rows_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
};
