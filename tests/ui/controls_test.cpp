#include "support/Recorder.h"
#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace {
void type(QLineEdit* e, const QString& keys)
{
    for (QChar c : keys) sendKey(e, c.unicode(), QString(c));
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
    // (A price refusing "-", a second "." and letters is checked through the purchase form.)
    type(&s, QStringLiteral("1-2-..x"));
    EXPECT_EQ(s.text(), QStringLiteral("1-2."));

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
    sendKey(&s, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
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

// Mapped keys click once, wherever in the form they are typed; a dialog the form opened keeps
// its keys and taking the focus there is no exit of the form's edit; Enter walks the chain.
TEST(KeyPreview, FunctionKeysEscTheEnterChainAndTheExitEdit)
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

    sendKey(f.e1, Qt::Key_F8);
    sendKey(f.e2, Qt::Key_Escape);
    sendKey(f.e1, Qt::Key_F9);
    EXPECT_EQ(f.clicks[0], 1) << "a key that bubbles to the parents clicks once";
    EXPECT_EQ(f.clicks[1], 1);
    EXPECT_EQ(f.clicks[2], 0) << "a disabled button is not clicked";

    QDialog dlg(&f.w);
    auto* other = new QLineEdit(&dlg);
    activate(&dlg);
    other->setFocus();
    QApplication::processEvents();
    sendKey(other, Qt::Key_F8);
    EXPECT_EQ(f.clicks[0], 1);
    EXPECT_EQ(f.exits, 0);
    dlg.hide();
    activate(&f.w);
    f.e1->setFocus();
    QApplication::processEvents();

    sendKey(f.e1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.e2);
    EXPECT_EQ(f.exits, 1);
    sendKey(f.e2, Qt::Key_Enter);
    EXPECT_EQ(f.clicks[0], 2);
}

TEST(EditAutoSelect, FocusByKeyboardOrProgramSelectsTheWholeText)
{
    Form f;
    auto* keys = new KeyPreview(&f.w);
    keys->enterMovesTo(f.e1, f.e2);
    // how the focus reaches e2 (from e1) -> whether its text "2" is then all selected
    const struct { const char* how; std::function<void()> move; bool selected; } arrivals[] = {
        {"Tab", [&] { sendKey(f.e1, Qt::Key_Tab); }, true},
        {"Enter", [&] { sendKey(f.e1, Qt::Key_Return); }, true},
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
    sendKey(f.e2, Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.e1);
    EXPECT_EQ(f.e1->selectedText(), QStringLiteral("-1"));
}

TEST(DatePicker, MonthStepClampsTheDayAndALinkedRangeAdjustsOnlyOnCloseUp)
{
    const std::tuple<QDate, int, QDate> cases[] = {{{2023, 3, 31}, -1, {2023, 2, 28}}, {{2024, 1, 31}, -1, {2023, 12, 31}},
                                                   {{2024, 1, 31}, 1, {2024, 2, 29}}, {{2024, 3, 15}, -13, {2023, 2, 15}}};
    for (const auto& [from, months, to] : cases)
        EXPECT_EQ(addMonthsClamped(from, months), to) << from.toString(Qt::ISODate).toStdString();

    // The calendar speaks Chinese whatever the environment's language; the date keeps its form.
    DatePicker from, to;
    from.setDate(QDate(2024, 12, 5));
    from.calendarWidget()->setCurrentPage(2024, 12);
    EXPECT_EQ(from.text(), "2024-12-05");
    EXPECT_EQ(from.calendarWidget()->findChild<QToolButton*>("qt_calendar_monthbutton")->text(), "十二月");

    // A linked range follows a date picked from the calendar, not one typed.
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

TEST(FormPieces, PickerButtonStandsSquareRightAfterItsFieldAndReadOnlyFieldsAreGrey)
{
    QWidget form;
    QWidget box(&form);
    auto* field = greyReadOnly(named(new ExitEdit(&box), "ck"));
    field->setGeometry(10, 20, 100, 24);
    SpeedButton* b = pickerButtonAfter(field, "SpeedButton4", "选择仓库");
    EXPECT_EQ(field->objectName() + b->objectName() + b->text() + b->toolTip(), "ckSpeedButton4…选择仓库");
    EXPECT_EQ(b->parentWidget(), &box);
    EXPECT_EQ(b->geometry(), QRect(110, 20, 24, 24));
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_TRUE(pickerButtonAfter(field, "SB", "")->toolTip().isEmpty());
}
