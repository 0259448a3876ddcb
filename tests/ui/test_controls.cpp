#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

namespace {
void press(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &up);
}

void type(QLineEdit* e, const QString& keys)
{
    for (QChar c : keys) press(e, c.unicode(), QString(c));
}

void activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    QApplication::processEvents();
}
}

TEST(NumberFilter, TypedAndPastedKeys)
{
    QLineEdit s, u;
    installNumberFilter(&s, NumberKind::Signed);
    installNumberFilter(&u, NumberKind::Unsigned);
    type(&s, QStringLiteral("1-2-..x"));
    EXPECT_EQ(s.text(), QStringLiteral("1-2."));
    type(&u, QStringLiteral("-1-2.3.a 4"));
    EXPECT_EQ(u.text(), QStringLiteral("12.34"));
    press(&u, Qt::Key_Backspace);
    EXPECT_EQ(u.text(), QStringLiteral("12.3"));

    // A selected "." or "-" is replaced, so typing it again is allowed.
    s.setText(QStringLiteral("-1.5"));
    s.selectAll();
    type(&s, QStringLiteral("-"));
    EXPECT_EQ(s.text(), QStringLiteral("-"));
    EXPECT_FALSE(numberKeyAllowed(QString(), QChar(0xFF11), NumberKind::Signed)) << "full-width digit";

    // Paste by key and by the context menu (no key) is cleaned the same way.
    s.clear();
    u.clear();
    QApplication::clipboard()->setText(QStringLiteral("a1-2.3.4-"));
    press(&s, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    EXPECT_EQ(s.text(), QStringLiteral("1-2.34"));
    u.paste();
    EXPECT_EQ(u.text(), QStringLiteral("12.34"));
}

namespace {
// A shown, active form: an exit edit (focused), a plain edit and three counted buttons.
struct Form {
    Form()
    {
        auto* lay = new QVBoxLayout(&w);
        lay->addWidget(e1);
        lay->addWidget(e2);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new QPushButton(&w);
            lay->addWidget(buttons[i]);
            QObject::connect(buttons[i], &QPushButton::clicked, [this, i] { ++clicks[i]; });
        }
        QObject::connect(e1, &ExitEdit::exited, [this] { ++exits; });
        activate(&w);
        e1->setFocus();
        QApplication::processEvents();
    }
    QWidget w;
    ExitEdit* e1 = new ExitEdit(&w);
    QLineEdit* e2 = new QLineEdit(&w);
    QPushButton* buttons[3];
    int clicks[3] = {0, 0, 0};
    int exits = 0;
};
}

TEST(KeyPreview, FunctionKeysEscAndTheEnterChain)
{
    Form f;
    auto [ok, close, off] = f.buttons;
    off->setEnabled(false);
    auto* keys = new KeyPreview(&f.w);
    keys->mapKey(Qt::Key_F8, ok);
    keys->mapKey(Qt::Key_Escape, close);
    keys->mapKey(Qt::Key_F9, off);
    keys->enterMovesTo(f.e1, f.e2);
    keys->onEnter(f.e2, [&] { ok->click(); });

    press(f.e1, Qt::Key_F8);
    press(f.e2, Qt::Key_Escape);
    press(f.e1, Qt::Key_F9);
    EXPECT_EQ(f.clicks[0], 1) << "a key that bubbles to the parents clicks once";
    EXPECT_EQ(f.clicks[1], 1);
    EXPECT_EQ(f.clicks[2], 0) << "a disabled button is not clicked";

    press(f.e1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.e2);
    press(f.e2, Qt::Key_Enter);
    EXPECT_EQ(f.clicks[0], 2);

    // Keys of another window (a dialog the form opened) are not the form's.
    QDialog dlg(&f.w);
    press(new QLineEdit(&dlg), Qt::Key_F8);
    EXPECT_EQ(f.clicks[0], 2);
}

TEST(EditAutoSelect, FocusByKeyboardOrProgramSelectsTheWholeText)
{
    Form f;
    auto* keys = new KeyPreview(&f.w);
    keys->enterMovesTo(f.e1, f.e2);
    // how the focus reaches e2 (from e1) -> whether its text "2" is then all selected
    const struct { const char* how; std::function<void()> move; bool selected; } arrivals[] = {
        {"Tab", [&] { press(f.e1, Qt::Key_Tab); }, true},
        {"Enter", [&] { press(f.e1, Qt::Key_Return); }, true},
        {"setFocus", [&] { f.e2->setFocus(); }, true},
        {"mouse", [&] { f.e2->setFocus(Qt::MouseFocusReason); }, false},
        {"window activated", [&] { f.e2->setFocus(Qt::ActiveWindowFocusReason); }, false},
    };
    for (const auto& a : arrivals) {
        f.e1->setFocus();
        f.e2->setText(QStringLiteral("2"));
        f.e2->setCursorPosition(1);
        a.move();
        ASSERT_EQ(QApplication::focusWidget(), f.e2) << a.how;
        EXPECT_EQ(f.e2->selectedText(), a.selected ? QStringLiteral("2") : QString()) << a.how;
        type(f.e2, QStringLiteral("3"));
        EXPECT_EQ(f.e2->text(), a.selected ? QStringLiteral("3") : QStringLiteral("23")) << a.how;
    }
    // Shift+Tab back into e1 selects it too, a partial selection included.
    f.e1->setText(QStringLiteral("-1"));
    f.e1->setSelection(0, 1);
    f.e2->setFocus();
    press(f.e2, Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.e1);
    EXPECT_EQ(f.e1->selectedText(), QStringLiteral("-1"));
}

TEST(ExitEdit, FiresOnlyWhenTheFocusMovesWithinTheWindow)
{
    Form f;
    ASSERT_TRUE(f.e1->hasFocus());

    // A message box or dialog taking the focus is no exit.
    QDialog box;
    auto* other = new QLineEdit(&box);
    activate(&box);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.exits, 0);
    box.hide();
    activate(&f.w);
    f.e1->setFocus();
    QApplication::processEvents();

    f.e2->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(f.exits, 1);
}

TEST(DatePicker, MonthStepClampsTheDay)
{
    const struct {
        QDate from;
        int months;
        QDate to;
    } cases[] = {{{2024, 3, 31}, -1, {2024, 2, 29}}, {{2023, 3, 31}, -1, {2023, 2, 28}},
                 {{2024, 1, 31}, -1, {2023, 12, 31}}, {{2024, 1, 31}, 1, {2024, 2, 29}},
                 {{2024, 3, 15}, -13, {2023, 2, 15}}};
    for (const auto& c : cases)
        EXPECT_EQ(addMonthsClamped(c.from, c.months), c.to) << c.from.toString(Qt::ISODate).toStdString();
}

TEST(DatePicker, LinkedRangeAdjustsOnlyOnCloseUp)
{
    DatePicker from, to;
    from.setDate(QDate(2024, 3, 1));
    to.setDate(QDate(2024, 3, 10));
    linkDateRange(&from, &to);

    from.setDate(QDate(2024, 3, 20));   // typed: nothing follows
    EXPECT_EQ(to.date(), QDate(2024, 3, 10));
    from.pickFromCalendar(QDate(2024, 3, 25));
    EXPECT_EQ(to.date(), QDate(2024, 3, 25));
    to.pickFromCalendar(QDate(2024, 3, 5));
    EXPECT_EQ(from.date(), QDate(2024, 3, 5));
    to.pickFromCalendar(QDate(2024, 4, 1));
    EXPECT_EQ(from.date(), QDate(2024, 3, 5)) << "a later to-date leaves from alone";

    // The real drop-down: closing it signals close-up.
    int ups = 0;
    QObject::connect(&from, &DatePicker::closeUp, [&] { ++ups; });
    from.show();
    QWidget* popup = from.calendarWidget()->window();
    ASSERT_NE(popup, from.window());
    popup->show();
    popup->hide();
    EXPECT_EQ(ups, 1);
}
