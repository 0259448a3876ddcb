// The main menu's query windows: one window per item, brought to the front by a second click
// (not run again), closed with its query by Esc in its grid.

#include "ledger_shop.h"

#include "Windows.h"
#include "queries/Ucggl1.h"
#include "queries/Udbgl1.h"
#include "queries/Ukcfx1.h"
#include "queries/Ukctj1.h"
#include "queries/Urkgl1.h"
#include "queries/Uxsgl1.h"
#include "queries/Uxstj3.h"
#include "shell/Umain1.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QAction>

using QueryWindowMenus = LedgerShop;

TEST_F(QueryWindowMenus, EachItemOpensOneWindowAndEscClosesIt)
{
    TFmain1 main;
    wireMenus(main);
    // The item, the one that brings it again (the toolbar's for the stock table), the window.
    const struct { QAction *item, *again; std::function<QueryWindow*()> window; } items[] = {
        {main.N401, main.N401, [] { return Fcggl1.data(); }}, {main.N405, main.N405, [] { return Fxsgl1.data(); }},
        {main.N410, main.N410, [] { return Frkgl1.data(); }}, {main.N420, main.N420, [] { return Fdbgl1.data(); }},
        {main.N402, main.N402, [] { return Fcgfx1.data(); }}, {main.N406, main.N406, [] { return Fxsfx1.data(); }},
        {main.N411, main.N411, [] { return Frkfx1.data(); }}, {main.N403, main.N403, [] { return Fcghz1.data(); }},
        {main.N407, main.N407, [] { return Fxshz1.data(); }}, {main.N412, main.N412, [] { return Frkhz1.data(); }},
        {main.N408, main.N408, [] { return Fxstj3.data(); }}, {main.N415, main.N415, [] { return Fkctj1.data(); }},
        {main.N414, main.ToolButtonKc, [] { return Fkcfx1.data(); }},
    };
    for (const auto& it : items) {
        SCOPED_TRACE(it.item->text().toStdString());
        ASSERT_TRUE(it.item->isEnabled());
        it.item->trigger();
        QueryWindow* w = it.window();
        ASSERT_NE(w, nullptr);
        Query& q = w->query();
        const bool ran = q.isOpen();
        q.close();
        it.again->trigger();
        EXPECT_EQ(it.window(), w);
        EXPECT_FALSE(q.isOpen());
        if (ran)
            q.open();
        sendKey(w->DBGrid1, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(it.window(), nullptr);
        EXPECT_FALSE(q.isOpen());
    }
}
