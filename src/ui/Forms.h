#pragma once
// What every window shares: opening and activation of single-instance MDI children, the main
// window's MDI area, the drop-down menu of a button and the application object that routes
// handler errors to the default error box.

#include <QApplication>
#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QDialog;
class QIcon;
class QMdiArea;
class QMenu;

// Brings an open window to the front: restored when minimised, shown, raised, focused.
// False when w is null (the window is not open); callers then create it.
bool ActivateIfOpen(QWidget* w);

// The MDI area new child windows go into (the main window's); nullptr before it exists.
QMdiArea* mdiArea();
void setMdiArea(QMdiArea* area);
// Puts an MDI child form into the MDI area (when there is one) and shows it centred.
// The form frees itself on close (WA_DeleteOnClose on the form and its sub-window).
void showMdiChild(QWidget* form);
// Closes a form shown by showMdiChild: inside the MDI area its frame closes (which closes the
// form first), so no empty frame is left behind; elsewhere the form itself closes.
void closeMdiForm(QWidget* form);

// ---- Frames ----
// An MDI child with a fixed border: showMdiChild gives it a frame that dragging does not
// resize. It keeps its minimise and maximise boxes (maximised, its contents follow the frame)
// unless it has the close box only.
void setFixedBorder(QWidget* form, bool closeBoxOnly = false);
// A modal dialog (picker, condition or entry dialog) with a fixed border and the close box
// only: no minimise or maximise box, and no resizing. Its client area is `client` when given,
// else what its layout needs. Call it once its controls are made.
void setDialogFrame(QDialog* dialog, const QSize& client = QSize());
// The window flags of such a dialog; message boxes take them too.
Qt::WindowFlags dialogFrameFlags();

// The program's own icon, on every window (ShopApplication sets it for the application).
QIcon programIcon();

// The main menu's item of a window: brings the open window of `instance` to the front, or
// creates one with the application as owner and shows it as an MDI child; returns it. A
// window that has closed is not open (it is freed on the next turn, which clears `instance`).
template <class W, class Create>
W* openOrActivate(QPointer<W>& instance, Create create)
{
    if (!ActivateIfOpen(instance.data())) {
        instance = create();
        showMdiChild(instance.data());
    }
    return instance.data();
}
template <class W>
W* openOrActivate(QPointer<W>& instance)
{
    return openOrActivate(instance, [] { return new W(nullptr); });
}

// Pops menu at the lower left corner of button whenever the mouse is released on it. The
// release is taken, so it does not also click the button: a button whose click drops the
// same menu (from its function key) drops it once.
void popMenuOnRelease(QAbstractButton* button, QMenu* menu);

// The application: an exception that leaves an event handler is caught in notify() and
// shown in the default error box (showErrorBox); the program goes on. (Signal handlers are
// guarded where they are connected: connectHandler, ui/Handlers.h.) Every edit of every
// window selects its text when the focus arrives by keyboard or program (EditAutoSelect).
class ShopApplication : public QApplication {
public:
    ShopApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    static QString title();   // "禾岚货栈通家电行业版"
};
