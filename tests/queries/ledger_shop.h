#pragma once
// The ledger tables' shop: an empty database on 2024-03-15 with helpers that write ledger
// rows, open the detail and statistics tables as the menu does, drive their dialogs and read
// what they show. The five fixture rows are the same in every ledger (the party column is
// ghs, kh or lx):
//   1 03-01 A01 Fan pc 10 200 SupA Li W1      2 03-05 A01 Fan pc 5 110 SupB Wang W1
//   3 03-15 B02 Kettle pc 4 142 SupA Li W2    4 03-15 A01 Fan pc -2 -40 SupA Li W1
//   5 02-20 C03 Heater set 3 269.73 SupB Wang W1

#include "data/Clock.h"
#include "queries/LedgerDetail.h"
#include "queries/LedgerStatistics.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

class LedgerShop : public ShopTest {
protected:
    LedgerShop() : ShopTest(false) {}
    void SetUp() override { Clock::pin(QDateTime(QDate(2024, 3, 15), QTime(10, 0))); }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Fcgfx1.data();
        delete Fxsfx1.data();
        delete Frkfx1.data();
        delete Fcghz1.data();
        delete Fxshz1.data();
        delete Frkhz1.data();
        Clock::unpin();
    }

    // One ledger row; the sales ledger also gets cost and gross profit.
    void row(Ledger l, const QString& rq, const QString& txm, const QString& ppgg, const QString& dw, const QString& sl,
             const QString& je, const QString& party, const QString& jsr = "Li", const QString& ck = "W1",
             const QString& cbje = "0", const QString& maoli = "0")
    {
        const LedgerKind& k = ledgerKind(l);
        const bool costs = k.costs;
        exec(QStringLiteral("INSERT INTO %1 (rq,txm,ppgg,dw,sl,jg,je,%2,jsr,dh,ck%3) VALUES (%4,%5,%6,%7,%8,%9*1.0/%8,%9,%10,%11,'D1',%12%13)")
                 .arg(k.table, k.partyColumn, costs ? ",cbje,maoli" : "", sqlQuote(rq), sqlQuote(txm), sqlQuote(ppgg),
                      sqlQuote(dw), sl, je, sqlQuote(party), sqlQuote(jsr), sqlQuote(ck),
                      costs ? "," + cbje + "," + maoli : QString()));
    }
    void fixture(Ledger l)
    {
        row(l, "2024-03-01", "A01", "Fan", "pc", "10", "200", "SupA", "Li", "W1");
        row(l, "2024-03-05", "A01", "Fan", "pc", "5", "110", "SupB", "Wang", "W1");
        row(l, "2024-03-15", "B02", "Kettle", "pc", "4", "142", "SupA", "Li", "W2");
        row(l, "2024-03-15", "A01", "Fan", "pc", "-2", "-40", "SupA", "Li", "W1");
        row(l, "2024-02-20", "C03", "Heater", "set", "3", "269.73", "SupB", "Wang", "W1");
    }

    // The window's condition dialog (SB77) filled by set, then run.
    void detailRun(TLedgerDetail& w, std::function<void(TLedgerDetailDialog&)> set)
    {
        modal.drive<TLedgerDetailDialog>(w.SB77, [set](TLedgerDetailDialog& d) { set(d); d.BitBtn1->click(); });
    }
    void statsRun(TLedgerStatistics& w, std::function<void(TLedgerStatisticsDialog&)> set)
    {
        modal.drive<TLedgerStatisticsDialog>(w.SB77, [set](TLedgerStatisticsDialog& d) { set(d); d.BitBtn1->click(); });
    }

    // Panel texts.
    static QStringList panels(const QueryWindow& w, std::initializer_list<int> which)
    {
        QStringList out;
        for (int i : which)
            out << w.StatusBar1->panelText(i);
        return out;
    }
    // The rows a query holds, each its fields' texts joined by "|".
    static QStringList rows(const Query& q, const QStringList& fields)
    {
        QStringList out;
        for (int r = 0; r < q.recordCount(); ++r) {
            QStringList cells;
            for (const QString& f : fields)
                cells << q.cellText(r, q.fieldIndex(f));
            out << cells.join('|');
        }
        return out;
    }
    static QStringList ids(const Query& q) { return rows(q, {"id"}); }
};
