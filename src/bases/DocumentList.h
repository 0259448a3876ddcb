#pragma once
// A document list: a QueryWindow over a kind of document's headers with the actions every
// document list has. 查单 (SB55, a double-click) opens the kind's browser on the current
// header; 删除 (SB66, pop-up N1) asks the three-line question and deletes the document;
// 反审 (SB44, pop-up N2) refuses a held document, asks, and un-audits it. Both report a
// header that the database no longer holds as the list shows it; a delete recounts the
// totals by walking the rows that remain.

#include "QueryWindow.h"
#include "rules/document_reversal.h"

#include <functional>

class QAction;
class SpeedButton;
class TDM1;

struct DocumentListActions {
    const DocumentKind* kind = nullptr;          // what delete and un-audit reverse
    QString deleteWarning;                       // the delete question's third line
    std::function<void(TDM1&)> showBrowser;      // 查单: the browser on the current header
};

// What the four document lists share: the buttons 反审, 查单, 删除, 查询, 打印, 导出, 关闭;
// the pop-up 删除 (clicks SB66) and 反审核 (clicks SB44); a double-click clicks SB55; the
// held-document legend and brush (the purchase and sales lists add the red debt font).
void describeDocumentList(ListDescription& s);

class DocumentList : public QueryWindow {
    Q_OBJECT
public:
    // list is described with describeDocumentList() (buttons, pop-up, double-click, legend).
    DocumentList(ListDescription list, DocumentListActions actions, QWidget* parent = nullptr);

    SpeedButton *SB44 = nullptr, *SB55 = nullptr, *SB66 = nullptr, *SB77 = nullptr,
                *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr;

    void view();       // SB55, double-click
    void remove();     // SB66, N1
    void unaudit();    // SB44, N2

private:
    DocumentListActions actions_;
};

