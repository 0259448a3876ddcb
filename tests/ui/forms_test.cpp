#include "support/Recorder.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// A main window's MDI area, the one new children go into while it lives.
struct MdiFrame {
    QMainWindow win;
    QMdiArea* area = new QMdiArea(&win);
    MdiFrame()
    {
        win.setCentralWidget(area);
        win.resize(1400, 900);
        win.show();
        setMdiArea(area);
    }
    ~MdiFrame() { setMdiArea(nullptr); }
};
}

// In an MDI frame like the main window's (the area is held weakly): ActivateIfOpen restores a
// minimised child and is false for nil or a closed one; a fixed-size form whose contents would
// like more room gets a frame that fits it exactly, and closeMdiForm leaves no empty frame.
TEST(MdiChild, ActivateIfOpenFramesAndClosing)
{
    MdiFrame frame;
    QMdiArea* area = frame.area;
    EXPECT_FALSE(ActivateIfOpen(nullptr));
    QPointer<QWidget> first = new QWidget;
    first->setWindowTitle(QStringLiteral("采购单据"));
    auto* edit = new QLineEdit(first);
    showMdiChild(first);
    edit->setFocus();
    QPointer<QWidget> second = new QWidget;
    showMdiChild(second);
    auto* sub = qobject_cast<QMdiSubWindow*>(first->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->windowTitle(), QStringLiteral("采购单据"));
    sub->showMinimized();
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(second->parentWidget()));
    QApplication::processEvents();
    ASSERT_TRUE(sub->isMinimized());
    ASSERT_NE(area->activeSubWindow(), sub);

    EXPECT_TRUE(ActivateIfOpen(first));
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_EQ(area->activeSubWindow(), sub);
    EXPECT_EQ(first->focusWidget(), edit) << "the focus back on the control that had it";

    second->parentWidget()->close();
    EXPECT_FALSE(ActivateIfOpen(second)) << "closed, not yet freed";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull()) << "the instance variable clears itself";
    EXPECT_FALSE(ActivateIfOpen(second));

    QPointer<QWidget> fixed = new QWidget;
    auto* wide = new QWidget;
    wide->setMinimumWidth(1200);      // a status bar or grid wider than the form
    (new QVBoxLayout(fixed))->addWidget(wide);
    fixed->setFixedSize(400, 300);
    showMdiChild(fixed);
    QApplication::processEvents();
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(fixed->parentWidget())->contentsRect().size(), QSize(400, 300));
    closeMdiForm(fixed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fixed.isNull());
    EXPECT_EQ(area->subWindowList().size(), 1);
}

// The menu's opener: the open window comes to the front, a closed one is opened anew.
TEST(MdiChild, OpenOrActivateOneInstance)
{
    QPointer<QWidget> instance;
    QWidget* first = openOrActivate(instance);
    EXPECT_EQ(openOrActivate(instance), first);
    first->close();
    QWidget* second = openOrActivate(instance, [] { return new QWidget; });
    EXPECT_NE(second, first);
    EXPECT_EQ(instance.data(), second);
    delete second;
}

// A release over the button drops the menu at its lower left and is taken: no click as well.
TEST(MdiChild, PopMenuOnRelease)
{
    QPushButton button;
    button.resize(60, 20);
    button.show();
    QMenu menu;
    menu.addAction(QStringLiteral("带编码打印"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    popMenuOnRelease(&button, &menu);
    const QPointF inside(5, 5);
    for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, inside, button.mapToGlobal(inside), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &e);
    }
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos().y(), button.mapToGlobal(QPoint(0, button.height())).y());
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button.isDown());
    menu.hide();
}

// A fixed border: dragging the frame's corner leaves the size, maximising fills the area and
// the contents follow; the boxes stay unless the form has the close box only.
TEST(MdiChild, AFixedBorderIsNotResizedByDragging)
{
    MdiFrame frame;
    QMdiArea* area = frame.area;
    for (const bool closeBoxOnly : {false, true}) {
        auto* form = new QWidget;
        auto* content = new QLineEdit(form);
        (new QVBoxLayout(form))->addWidget(content);
        form->resize(400, 300);
        setFixedBorder(form, closeBoxOnly);
        showMdiChild(form);
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        ASSERT_NE(sub, nullptr);
        QApplication::processEvents();
        const QSize before = sub->size();
        const QPoint corner(sub->width() - 2, sub->height() - 2);
        auto mouse = [sub](QEvent::Type t, QPoint at, Qt::MouseButtons held) {
            QMouseEvent e(t, at, sub->mapToGlobal(at), t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
            QApplication::sendEvent(sub, &e);
        };
        mouse(QEvent::MouseMove, corner, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, corner, Qt::LeftButton);
        mouse(QEvent::MouseMove, corner + QPoint(80, 60), Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, corner + QPoint(80, 60), Qt::NoButton);
        EXPECT_EQ(sub->size(), before) << "close box only: " << closeBoxOnly;
        const Qt::WindowFlags f = sub->windowFlags();
        const bool boxes = !(f & Qt::CustomizeWindowHint) || (f & Qt::WindowMinMaxButtonsHint) == Qt::WindowMinMaxButtonsHint;
        EXPECT_EQ(boxes, !closeBoxOnly);
        EXPECT_TRUE(f & Qt::WindowCloseButtonHint || !(f & Qt::CustomizeWindowHint));
        if (!closeBoxOnly) {
            sub->showMaximized();
            QApplication::processEvents();
            EXPECT_EQ(sub->size(), area->viewport()->size());
            EXPECT_GT(content->width(), 400);
        }
        closeMdiForm(form);
    }
}

// Dialogs and message boxes: the close box only, no minimise or maximise box, a size of their
// own that cannot change.
TEST(Dialogs, CloseBoxOnlyAndAFixedSize)
{
    QDialog given, laidOut;
    setDialogFrame(&given, QSize(482, 223));
    (new QVBoxLayout(&laidOut))->addWidget(new QLineEdit(&laidOut));
    setDialogFrame(&laidOut);
    for (QDialog* d : {&given, &laidOut}) {
        d->show();
        QApplication::processEvents();
        const Qt::WindowFlags f = d->windowFlags();
        EXPECT_TRUE((f & Qt::CustomizeWindowHint) && (f & Qt::WindowCloseButtonHint));
        EXPECT_FALSE(f & Qt::WindowMinMaxButtonsHint);
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        d->hide();
    }
    EXPECT_EQ(given.size(), QSize(482, 223));

    Qt::WindowFlags boxFlags;
    bool fixed = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxFlags = box->windowFlags();
            fixed = box->minimumSize() == box->maximumSize();
            box->button(QMessageBox::Ok)->click();
        }
    });
    setMessageHandler({});
    EXPECT_EQ(showMessage(QStringLiteral("仓库不可为空！"), QStringLiteral("提示"), MsgIcon::Information), MbOk);
    installTestFallbacks();
    EXPECT_TRUE((boxFlags & Qt::CustomizeWindowHint) && (boxFlags & Qt::WindowCloseButtonHint));
    EXPECT_FALSE(boxFlags & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(fixed);
}
