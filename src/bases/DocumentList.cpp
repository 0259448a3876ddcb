#include "DocumentList.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QAction>

namespace {
const QString kAlreadyHeld = QStringLiteral("本单据已经反审！");

// The warning for a document that the database no longer holds as the list shows it.
void warnStale(ReversalResult r)
{
    if (r == ReversalResult::AlreadyHeld)
        warnBox(kAlreadyHeld);
    else if (r == ReversalResult::Missing)
        warnBox(QStringLiteral("本单据已不存在，请重新查询！"));
}
}

DocumentList::DocumentList(ListDescription list, DocumentListActions actions, QWidget* parent)
    : QueryWindow(std::move(list), parent), actions_(std::move(actions))
{
    takeButtons({&SB44, &SB55, &SB66, &SB77, &SB88, &SB99, &SB100});
    N1 = popupItem(QStringLiteral("N1"));
    N2 = popupItem(QStringLiteral("N2"));
    connectHandler(SB55, &QAbstractButton::clicked, this, &DocumentList::view);
    connectHandler(SB66, &QAbstractButton::clicked, this, &DocumentList::remove);
    connectHandler(SB44, &QAbstractButton::clicked, this, &DocumentList::unaudit);
}

void DocumentList::view()
{
    if (requireRows(QStringLiteral("没有单据可查阅！")) && actions_.showBrowser)
        actions_.showBrowser(*DM1);
}

void DocumentList::remove()
{
    if (!requireRows(QStringLiteral("没有单据可删除！")))
        return;
    Query& q = query();
    const QString text = QStringLiteral("确定要删除此单据么？") + QLatin1Char('\r') + QStringLiteral("特别提醒：")
        + QLatin1Char('\r') + actions_.deleteWarning;
    if (!confirmBox(text))
        return;
    const QString dh = q.text(QStringLiteral("dh"));
    const ControlsDisabled still(q);
    warnStale(deleteDocument(*DM1, *actions_.kind, dh));
    recountTotals();
}

void DocumentList::unaudit()
{
    if (!requireRows(QStringLiteral("没有单据可反审，请先查询！")))
        return;
    Query& q = query();
    if (q.text(QStringLiteral("shbj")) == DocumentState::held()) {
        warnBox(kAlreadyHeld);
        return;
    }
    if (confirmBox(QStringLiteral("确定要反审此单据么？")))
        warnStale(unauditDocument(*DM1, *actions_.kind, q.text(QStringLiteral("dh"))));
}

void describeDocumentList(ListDescription& s)
{
    s.buttons = {{QStringLiteral("SB44"), QStringLiteral("反审")},
                 {QStringLiteral("SB55"), QStringLiteral("查单")},
                 {QStringLiteral("SB66"), QStringLiteral("删除")},
                 {QStringLiteral("SB77"), QStringLiteral("查询")},
                 {QStringLiteral("SB88"), QStringLiteral("打印")},
                 {QStringLiteral("SB99"), QStringLiteral("导出")},
                 {QStringLiteral("SB100"), QStringLiteral("关闭")}};
    s.popup = {{QStringLiteral("N1"), QStringLiteral("删除"), QStringLiteral("SB66")},
               {QStringLiteral("N2"), QStringLiteral("反审核"), QStringLiteral("SB44")}};
    s.doubleClickClicks = QStringLiteral("SB55");
    s.legendText = QStringLiteral("未审核单据");
    s.legendColour = ListColours::held();
    s.colouring.heldBrush = QStringLiteral("shbj");
}
