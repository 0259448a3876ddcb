#include "comprehensive_statistics.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "data/Sql.h"

namespace {
QString day(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
}

const QStringList& statisticsFigureNames()
{
    static const QStringList names{"cgsl", "cgje", "xssl", "xsje", "rksl", "rkje", "kcsl", "kcje", "yf",
                                   "sf",   "qk1",  "ys",   "ss",   "qk2",  "fk",   "sk",   "sz"};
    return names;
}

QStringList statisticsFigureTexts(const StatisticsFigures& f)
{
    QStringList out;
    for (const Money& m : f)
        out << m.plainText();
    return out;
}

QVector<StatisticsBlock> statisticsBlocks(const StatisticsPeriod& p)
{
    const QString range = QStringLiteral("rq>=") + sqlQuote(day(p.from)) + QStringLiteral("and rq<=") + sqlQuote(day(p.to));
    QStringList plain, audited{QStringLiteral("where shbj=") + sqlQuote(DocumentState::audited())};
    if (p.on) {
        plain << QStringLiteral("where ") + range;
        audited << QStringLiteral("and ") + range;
    }
    enum class Period { None, Plain, Audited };
    const struct {
        Query TDM1::*query;
        const char* sum;
        const char* table;
        Period period;
        QStringList figures;
        bool difference = false;
    } blocks[] = {
        {.query = &TDM1::AQcgfx1, .sum = "SELECT sum(sl),sum(je) FROM cgfx", .table = "cgfx", .period = Period::Plain,
         .figures = {"cgsl", "cgje"}},
        {.query = &TDM1::AQxsfx1, .sum = "SELECT sum(sl),sum(je) FROM xsfx", .table = "xsfx", .period = Period::Plain,
         .figures = {"xssl", "xsje"}},
        {.query = &TDM1::AQrkfx1, .sum = "SELECT sum(sl),sum(je) FROM rkfx", .table = "rkfx", .period = Period::Plain,
         .figures = {"rksl", "rkje"}},
        // Stock as it stands now: no period.
        {.query = &TDM1::AQkcfx1, .sum = "SELECT sum(kcsl),sum(kcje) FROM sp", .table = "sp", .period = Period::None,
         .figures = {"kcsl", "kcje"}},
        {.query = &TDM1::AQcgz1, .sum = "SELECT sum(yfe),sum(sfe),sum(qk)  FROM cgglz", .table = "cgglz",
         .period = Period::Audited, .figures = {"yf", "sf", "qk1"}},
        {.query = &TDM1::AQxsz1, .sum = "SELECT sum(yse),sum(sse),sum(qk) FROM xsglz", .table = "xsglz",
         .period = Period::Audited, .figures = {"ys", "ss", "qk2"}},
        {.query = &TDM1::AQskfx1, .sum = "SELECT sum(je) FROM skfx", .table = "skfx", .period = Period::Audited,
         .figures = {"sk"}},
        {.query = &TDM1::AQfkfx1, .sum = "SELECT sum(je) FROM fkfx", .table = "fkfx", .period = Period::Audited,
         .figures = {"fk"}},
        {.query = &TDM1::AQszfx1, .sum = "SELECT sum(se),sum(ze) FROM szfx", .table = "szfx", .period = Period::Plain,
         .figures = {"sz"}, .difference = true},
    };
    QVector<StatisticsBlock> out;
    for (const auto& b : blocks) {
        const QStringList clauses = b.period == Period::Plain ? plain : b.period == Period::Audited ? audited : QStringList();
        StatisticsBlock s;
        s.query = b.query;
        s.sumLines = QStringList{QString::fromLatin1(b.sum)} + clauses;
        s.rowLines = QStringList{QStringLiteral("SELECT * FROM ") + QLatin1String(b.table)} + clauses
            + QStringList{QStringLiteral("order by id")};
        s.figures = b.figures;
        s.difference = b.difference;
        out << s;
    }
    return out;
}

StatisticsFigures runComprehensiveStatistics(TDM1& dm, const StatisticsPeriod& p)
{
    StatisticsFigures f{};
    const QStringList& names = statisticsFigureNames();
    for (const StatisticsBlock& b : statisticsBlocks(p)) {
        Query& q = dm.*b.query;
        const ControlsDisabled still(q);
        q.reopen(b.sumLines);
        auto field = [&q](int i) { return q.recordCount() > 0 ? q.cellMoney(0, i) : Money(); };
        if (b.difference)
            f[names.indexOf(b.figures[0])] = field(0) - field(1);
        else
            for (int i = 0; i < b.figures.size(); ++i)
                f[names.indexOf(b.figures[i])] = field(i);
        q.close();
        q.setSql(b.rowLines);
        // The rows behind the sums are read now only for a window that shows them; for the
        // others when first asked for.
        q.openDeferred();
    }
    return f;
}

QString statisticsPeriodLine(const StatisticsPeriod& p)
{
    if (!p.on)
        return QString();
    return QStringLiteral("统计日期：") + day(p.from) + QStringLiteral("至") + day(p.to);
}
