#include "support/Recorder.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

namespace {
// An MDI frame like the main window's, set as the area children go into.
struct Frame {
    Frame()
    {
        area = new QMdiArea(&win);
        win.setCentralWidget(area);
        win.resize(800, 600);
        win.show();
        setMdiArea(area);
    }
    ~Frame() { setMdiArea(nullptr); }
    QMainWindow win;
    QMdiArea* area;
};
}

TEST(ActivateIfOpen, RestoresAMinimisedChildAndBringsItToTheFront)
{
    Frame f;
    QPointer<QWidget> first = new QWidget;
    first->setWindowTitle(QStringLiteral("采购单据"));
    showMdiChild(first);
    QPointer<QWidget> second = new QWidget;
    showMdiChild(second);
    auto* sub = qobject_cast<QMdiSubWindow*>(first->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->windowTitle(), QStringLiteral("采购单据"));
    sub->showMinimized();
    f.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(second->parentWidget()));
    QApplication::processEvents();
    ASSERT_TRUE(sub->isMinimized());
    ASSERT_NE(f.area->activeSubWindow(), sub);

    EXPECT_TRUE(ActivateIfOpen(first));
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(f.area->activeSubWindow(), sub);
    EXPECT_EQ(f.area->subWindowList().size(), 2) << "no second instance";
}

TEST(ActivateIfOpen, FalseForNilAndForAFormThatClosed)
{
    Frame f;
    EXPECT_FALSE(ActivateIfOpen(nullptr));
    QPointer<QWidget> w = new QWidget;
    showMdiChild(w);
    ASSERT_TRUE(w);
    w->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull()) << "the instance variable clears itself";
    EXPECT_FALSE(ActivateIfOpen(w));
}

TEST(ErrorBox, AnExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    MessageRecorder rec;
    QPushButton button(QStringLiteral("审核"));
    int after = 0;
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("no such column: qk2"); });
    button.resize(80, 30);
    button.show();
    const QPoint p(10, 10);
    QMouseEvent down(QEvent::MouseButtonPress, p, button.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, p, button.mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &down);
    QApplication::sendEvent(&button, &up);

    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, QStringLiteral("no such column: qk2"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("禾岚货栈通家电行业版"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);

    // A queued handler that throws is caught the same way; later events still run.
    QTimer::singleShot(0, [] { throw std::runtime_error("queued"); });
    QTimer::singleShot(0, [&] { ++after; });
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(rec.texts(), QStringList({"no such column: qk2", "queued"}));
    EXPECT_EQ(after, 1);
}
