#include "Forms.h"

#include "Controls.h"
#include "Handlers.h"
#include "Messages.h"

#include <QAbstractButton>
#include <QDialog>
#include <QIcon>
#include <QLayout>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <exception>

namespace {
QPointer<QMdiArea>& area()
{
    static QPointer<QMdiArea> a;
    return a;
}

class PopOnRelease : public QObject {
public:
    PopOnRelease(QAbstractButton* b, QMenu* m) : QObject(b), button_(b), menu_(m) { b->installEventFilter(this); }
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        if (obj != button_ || e->type() != QEvent::MouseButtonRelease
            || !button_->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint()))
            return false;
        button_->setDown(false);
        menu_->popup(button_->mapToGlobal(QPoint(0, button_->height())));
        return true;
    }
private:
    QAbstractButton* button_;
    QMenu* menu_;
};
}

void popMenuOnRelease(QAbstractButton* button, QMenu* menu) { new PopOnRelease(button, menu); }

QMdiArea* mdiArea() { return area(); }
void setMdiArea(QMdiArea* a) { area() = a; }

bool ActivateIfOpen(QWidget* w)
{
    if (!w)
        return false;
    QWidget* frame = w;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        frame = sub;
    // A form that has closed and waits to be freed is no longer open (an open window is
    // never hidden; closing hides it and frees it on the next turn of the event loop).
    if (!frame->isMinimized() && (w->isHidden() || frame->isHidden()))
        return false;
    if (frame->isMinimized())
        frame->showNormal();
    frame->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    w->activateWindow();
    // The focus goes back to the control of the form that last had it (the form itself
    // when none had), not to the form in its place.
    if (QWidget* last = w->focusWidget(); last && w->isAncestorOf(last))
        last->setFocus();
    else
        w->setFocus();
    return true;
}

void showMdiChild(QWidget* form)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    // A form that was given a size keeps it; others take their preferred size.
    const QSize want = form->testAttribute(Qt::WA_Resized) ? form->size() : form->sizeHint();
    if (QMdiArea* a = mdiArea()) {
        QMdiSubWindow* sub = a->addSubWindow(form, form->windowFlags() & ~Qt::WindowType_Mask);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(form->windowTitle());
        connectHandler(form, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
        // The frame is the form's size plus the frame's own margins (the frame would take the
        // form's size hint, which a fixed-size form does not follow).
        const QMargins m = sub->contentsMargins();
        if (want.isValid())
            sub->resize(want + QSize(m.left() + m.right(), m.top() + m.bottom()));
        else
            sub->adjustSize();
        const QSize room = a->viewport()->size();
        sub->move(qMax(0, (room.width() - sub->width()) / 2), qMax(0, (room.height() - sub->height()) / 2));
        sub->show();
        a->setActiveSubWindow(sub);
    } else {
        form->show();
    }
}

void setFixedBorder(QWidget* form, bool closeBoxOnly)
{
    Qt::WindowFlags f = form->windowFlags() | Qt::MSWindowsFixedSizeDialogHint;
    if (closeBoxOnly)
        f = (f | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
            & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    form->setWindowFlags(f);
}

Qt::WindowFlags dialogFrameFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
}

void setDialogFrame(QDialog* dialog, const QSize& client)
{
    dialog->setWindowFlags(dialogFrameFlags());
    dialog->setSizeGripEnabled(false);
    if (client.isValid())
        dialog->setFixedSize(client);
    else if (QLayout* l = dialog->layout())
        l->setSizeConstraint(QLayout::SetFixedSize);
}

void closeMdiForm(QWidget* form)
{
    if (!form)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        sub->close();
    else
        form->close();
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64, 128})
        icon.addFile(QStringLiteral(":/icons/icons/shop%1.png").arg(size), QSize(size, size));
    return icon;
}

ShopApplication::ShopApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    Q_INIT_RESOURCE(icons);
    // Every window without an icon of its own shows the program's, MDI children and the
    // maximised child's corner in the menu bar included.
    setWindowIcon(programIcon());
    // The title is the application's name only: a display name would be appended to the
    // caption of every top-level window and dialog.
    setApplicationName(title());
    // Chinese whatever the environment's language: the calendars' month and day names. What
    // the program writes itself keeps its own patterns (QDate with "yyyy-MM-dd", Money's
    // plain text, QString::number), which no locale changes.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    installEventFilter(new EditAutoSelect(this));
}

QString ShopApplication::title() { return QStringLiteral("禾岚货栈通家电行业版"); }

bool ShopApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentError();
    }
    return false;
}
