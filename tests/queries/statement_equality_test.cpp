// The statements the statistics windows run against their definitions, and the totals the list
// windows add up from their rows against their sum statements, on random shops: NULLs, empty
// texts, returns, goods in several warehouses (and twice in one), codes and names that differ
// only in case, quotes in names, amounts whose floating-point sums drift.

#include "data/Money.h"
#include "data/query_totals.h"
#include "finance/Ufkfx1.h"
#include "finance/Uszfx1.h"
#include "finance/Uyffx1.h"
#include "finance/settlement.h"
#include "queries/LedgerDetail.h"
#include "queries/Ucggl1.h"
#include "queries/Udbgl1.h"
#include "queries/Ukcfx1.h"
#include "queries/Urkgl1.h"
#include "queries/Uxsgl1.h"
#include "queries/ledger_statements.h"
#include "queries/statistics_tables.h"
#include "support/ShopTest.h"

#include <random>

namespace {

class RandomShop : public ShopTest {
protected:
    RandomShop() : ShopTest(false) {}

    // Every column of every table the windows read gets values of its kind.
    void fill(unsigned seed, int rows)
    {
        Transaction t(dm->ADOC1);
        std::mt19937 rnd(seed);
        auto pick = [&](const QStringList& from) { return from.at(int(rnd() % from.size())); };
        const QStringList codes{"'A01'", "'a01'", "'B02'", "'C''3'", "''", "'D04'"};
        const QStringList names{"'Fan'", "'fan'", "'Kettle'", "'O''Neil 音箱'", "''"};
        const QStringList units{"'台'", "'个'", "''"};
        const QStringList parties{"'华南'", "'Li''s'", "''", "'北方电子'", "'li''s'"};
        const QStringList people{"'Li'", "'li'", "'Wang'", "'O''Brien'", "''", "'张三'"};
        const QStringList stores{"'W1'", "'W2'", "'主仓库'"};
        const QStringList states{"'未审核'", "'已审核'"};
        const QStringList amounts{"0.1", "0.2", "7654321.07", "-7654321.07", "19.99", "-5", "0", "NULL", "''", "3",
                                  "120.101", "0.0001", "-0.3"};
        const QStringList rates{"0.15", "1", "0.5", "NULL", "0", "2.5", "0.05"};
        const QStringList quantities{"1", "2", "-1", "0.5", "3.3333", "NULL", "-2", "10"};
        for (const char* table : {"cgfx", "xsfx", "rkfx", "sp", "cgglz", "xsglz", "rkglz", "dbglz", "fkfx", "skfx", "szfx"}) {
            const RecordSet info = dm->ADOC1.execute(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table)));
            for (int r = 0; r < rows; ++r) {
                QStringList names_, values;
                for (const QVariantList& col : info.rows) {
                    const QString name = col.at(1).toString();
                    const QString type = col.at(2).toString();
                    if (name == "id")
                        continue;
                    QString v;
                    if (name == "txm") v = pick(codes);
                    else if (name == "ppgg") v = pick(names);
                    else if (name == "dw") v = pick(units);
                    else if (name == "ck" || name == "ck1" || name == "ck2") v = pick(stores);
                    else if (name == "jsr" || name == "zhidan") v = pick(people);
                    else if (name == "shbj") v = pick(states);
                    else if (name == "rq" || name == "kdrq") v = QStringLiteral("'2024-03-%1'").arg(1 + rnd() % 28, 2, 10, QLatin1Char('0'));
                    else if (name == "slt" || name == "jet" || name == "zk") v = pick(rates);
                    else if (name == "sl" || name == "kcsl" || name == "hjsl") v = pick(quantities);
                    else if (type == "MONEY" || type == "DOUBLE") v = pick(amounts);
                    else v = pick(parties);
                    names_ << name;
                    values << v;
                }
                exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(QLatin1String(table), names_.join(','), values.join(',')));
            }
        }
        t.commit();
    }

    // Each row as text, every number as the four-decimal value it reads as, NULL apart. Texts
    // as the database compares them, without case: which spelling a group of rows shows among
    // those that differ only in case is the database's choice, not the statement's.
    QStringList rowsOf(const QStringList& lines)
    {
        QStringList out;
        for (const QVariantList& row : dm->ADOC1.execute(lines.join('\n')).rows) {
            QStringList cells;
            for (const QVariant& v : row) {
                if (!v.isValid())
                    cells << "NULL";
                else if (v.typeId() == QMetaType::QString)
                    cells << "'" + v.toString().toLower();
                else
                    cells << Money::fromDouble(v.toDouble()).plainText();
            }
            out << cells.join('|');
        }
        return out;
    }
};

// Every condition and grouping of the three tables, run by definition and by the statement
// the window runs: the same rows in the same order, the same values to the fourth decimal.
TEST_F(RandomShop, StatisticsStatementsYieldTheirDefinitionsRows)
{
    const std::optional<DateRange> none, march{{QDate(2024, 3, 5), QDate(2024, 3, 20)}};
    const QStringList texts{"", "a", "'", "Fan", "O'", "华南"};
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        exec("DELETE FROM cgfx; DELETE FROM xsfx; DELETE FROM rkfx; DELETE FROM sp");
        fill(seed, 300);
        int compared = 0;
        for (const QString& text : texts)
            for (const auto& dates : {none, march}) {
                const QStringList def = rowsOf(stockBalanceDefinition(text, dates));
                EXPECT_EQ(rowsOf(stockBalanceStatement(text, dates)), def) << text.toStdString();
                EXPECT_EQ(rowsOf(commissionStatement(text, dates)), rowsOf(commissionDefinition(text, dates)))
                    << text.toStdString();
                compared += def.size();
            }
        for (Ledger ledger : {Ledger::Purchase, Ledger::Sales, Ledger::StockChange}) {
            const QString party = ledgerKind(ledger).partyColumn;
            for (Grouping g : {Grouping::None, Grouping::ByParty, Grouping::ByEmployee})
                for (const QString& text : texts)
                    for (const QString& type : {QString(), QStringLiteral("and sl>0"), QStringLiteral("and sl<0")}) {
                        QStringList clauses{"where " + party + " like" + sqlQuote("%" + text + "%"),
                                            "and jsr like " + sqlQuote("%" + text.left(1) + "%"),
                                            "and txm like '%%'", "and ppgg like " + sqlQuote("%" + text + "%")};
                        if (ledger != Ledger::StockChange)
                            clauses << "and ck like '%W%'";
                        if (!type.isEmpty())
                            clauses << type;
                        if (text.size() == 1)
                            clauses << dateRangeClause("rq", *march);
                        const QStringList def = rowsOf(statisticsDefinition(ledger, g, clauses));
                        EXPECT_EQ(rowsOf(statisticsStatement(ledger, g, clauses)), def) << clauses.join(' ').toStdString();
                        compared += def.size();
                    }
        }
        EXPECT_GT(compared, 1000);
    }
}

// The list and detail windows: the totals added up from the rows just read equal the sum
// statement's with the same conditions (exact on both sides), on the opening condition, on
// none and on a part of the rows.
TEST_F(RandomShop, TotalsOfTheRowsEqualTheSumStatements)
{
    fill(7, 400);
    const ListDescription windows[] = {
        TFcggl1::describe(), TFxsgl1::describe(), TFrkgl1::describe(), TFdbgl1::describe(),
        TLedgerDetail::describe(Ledger::Purchase), TLedgerDetail::describe(Ledger::Sales),
        TLedgerDetail::describe(Ledger::StockChange), TSettlementList::describe(paymentSide()),
        TSettlementList::describe(receiptSide()), TFszfx1::describe(), TOpenItemsTable::describe(payablesSide()),
        TOpenItemsTable::describe(receivablesSide()), TFkcfx1::describe(),
    };
    for (const ListDescription& w : windows) {
        SCOPED_TRACE(w.objectName.toStdString());
        ASSERT_TRUE(sumTermsOfRows(w.sumStatement, w.rowStatement).has_value()) << w.sumStatement.toStdString();
        Query q(dm->ADOC1, "Q");
        for (const QStringList& clauses : {QStringList{}, w.openingLines, QStringList{"where id%3=1"}}) {
            const QVector<Money> fromRows = runTotalsAndRows(q, w.sumStatement, w.rowStatement, clauses, w.openingOrder);
            const RecordSet sums = dm->ADOC1.execute((QStringList{w.sumStatement} + clauses).join('\n'));
            ASSERT_EQ(fromRows.size(), sums.columns.size());
            for (int i = 0; i < fromRows.size(); ++i)
                EXPECT_EQ(fromRows[i], Money::fromDouble(sums.rows.at(0).at(i).toDouble())) << sums.columns.at(i).toStdString();
        }
        EXPECT_GT(q.recordCount(), 50);
    }
}

} // namespace
