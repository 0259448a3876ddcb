#include "support/Recorder.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

TEST(ActivateIfOpen, RestoresAMinimisedChildAndIsFalseForNilOrAClosedOne)
{
    QMainWindow win;   // an MDI frame like the main window's (the area is held weakly)
    auto* area = new QMdiArea(&win);
    win.setCentralWidget(area);
    win.resize(800, 600);
    win.show();
    setMdiArea(area);
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
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(area->activeSubWindow(), sub);
    EXPECT_EQ(first->focusWidget(), edit) << "the focus back on the control that had it";
    EXPECT_EQ(area->subWindowList().size(), 2) << "no second instance";

    second->parentWidget()->close();
    EXPECT_FALSE(ActivateIfOpen(second)) << "closed, not yet freed";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull()) << "the instance variable clears itself";
    EXPECT_FALSE(ActivateIfOpen(second));
}

// A fixed-size form whose contents would like more room gets a frame that fits it exactly,
// and closing it through closeMdiForm leaves no empty frame behind.
TEST(MdiChild, FrameFitsAFixedSizeFormAndClosesWithIt)
{
    QMdiArea area;
    area.resize(1400, 900);
    area.show();
    setMdiArea(&area);
    QPointer<QWidget> form = new QWidget;
    auto* wide = new QWidget;
    wide->setMinimumWidth(1200);      // a status bar or grid wider than the form
    (new QVBoxLayout(form))->addWidget(wide);
    form->setFixedSize(400, 300);
    showMdiChild(form);
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    ASSERT_NE(sub, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(sub->contentsRect().size(), QSize(400, 300));

    closeMdiForm(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    setMdiArea(nullptr);
}

TEST(ErrorBox, AnExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    MessageRecorder rec;
    int after = 0;
    QTimer::singleShot(0, [] { throw std::runtime_error("no such column: qk2"); });
    QTimer::singleShot(0, [&] { ++after; });
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, QStringLiteral("no such column: qk2"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("禾岚货栈通家电行业版"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_EQ(after, 1) << "later events still run";
}
