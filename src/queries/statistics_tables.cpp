#include "statistics_tables.h"

namespace {
// "like'%text%'", the text as typed and quoted.
QString likeText(const QString& text) { return sqlQuote(QLatin1Char('%') + text + QLatin1Char('%')); }
}

QStringList commissionDefinition(const QString& employee, const std::optional<DateRange>& dates)
{
    QStringList lines{
        QStringLiteral("select xsfx.jsr as yuangong,"),
        QStringLiteral("sum(xsfx.sl*IFNULL(sp.slt,0)) as sltc,sum(xsfx.je*IFNULL(sp.jet,0)) as jetc,"
                       "sum(xsfx.sl*IFNULL(sp.slt,0)+xsfx.je*IFNULL(sp.jet,0))as ztc from xsfx join sp"),
        QStringLiteral("on sp.id=(select min(id) from sp where txm=xsfx.txm and ppgg=xsfx.ppgg and dw=xsfx.dw "
                       "and ck=xsfx.ck)"),
        QStringLiteral("where jsr like") + likeText(employee),
    };
    if (dates)
        lines << dateRangeClause(QStringLiteral("rq"), *dates);
    lines << QStringLiteral("group by xsfx.jsr order by xsfx.jsr");
    return lines;
}

QStringList stockBalanceDefinition(const QString& fragment, const std::optional<DateRange>& dates)
{
    QStringList lines{
        QStringLiteral("select txm,ppgg,dw,"),
        QStringLiteral("IFNULL(SUM(num1),0)as cgsl,IFNULL(SUM(je1),0)as cgje,"),
        QStringLiteral("IFNULL(SUM(num2),0)as xssl,IFNULL(SUM(je2),0)as xsje,"),
        QStringLiteral("IFNULL(SUM(num3),0)as rksl,IFNULL(SUM(je3),0)as rkje,"),
        QStringLiteral("IFNULL(SUM(num1),0)-IFNULL(SUM(num2),0)+IFNULL(SUM(num3),0)as ysl,"),
        QStringLiteral("IFNULL(SUM(je1),0)-IFNULL(SUM(je2),0)+IFNULL(SUM(je3),0)as yje from( "),
    };
    // Each ledger's rows, filtered on their own: the name or the code, and the date.
    const QString like = likeText(fragment);
    QStringList filter{QStringLiteral("where (ppgg like ") + like + QStringLiteral(" or txm like ") + like
                       + QLatin1Char(')')};
    if (dates)
        filter << dateRangeClause(QStringLiteral("rq"), *dates);
    const char* const members[] = {
        "SELECT txm,ppgg,dw,sl as num1,je as je1,0 as num2,0 as je2,0 as num3,0 as je3 FROM cgfx",
        "union all SELECT txm,ppgg,dw,0 as num1,0 as je1,sl as num2,je as je2,0 as num3,0 as je3 FROM xsfx",
        "union all SELECT txm,ppgg,dw,0 as num1,0 as je1,0 as num2,0 as je2,sl as num3,je as je3 FROM rkfx",
    };
    for (const char* member : members)
        lines << QString::fromLatin1(member) << filter;
    lines << QStringLiteral(")as 总计") << QStringLiteral("group by txm,ppgg,dw") << QStringLiteral("order by txm");
    return lines;
}

QStringList commissionStatement(const QString& employee, const std::optional<DateRange>& dates)
{
    // A line without a quantity (or amount) adds nothing to ztc, as sl*slt+je*jet is NULL for it:
    // sl2 and je2 leave those lines out.
    QStringList lines{
        QStringLiteral("select g.jsr as yuangong,"),
        QStringLiteral("sum(g.sl*IFNULL(sp.slt,0)) as sltc,sum(g.je*IFNULL(sp.jet,0)) as jetc,"
                       "sum(g.sl2*IFNULL(sp.slt,0)+g.je2*IFNULL(sp.jet,0))as ztc from ("),
        QStringLiteral("select txm,ppgg,dw,jsr,ck,sum(sl) as sl,sum(je) as je,"
                       "sum(case when je is null then null else sl end) as sl2,"
                       "sum(case when sl is null then null else je end) as je2 from xsfx"),
        QStringLiteral("where jsr like") + likeText(employee),
    };
    if (dates)
        lines << dateRangeClause(QStringLiteral("rq"), *dates);
    lines << QStringLiteral("group by txm,ppgg,dw,kh,jsr,ck) as g join sp")
          << QStringLiteral("on sp.id=(select min(id) from sp where txm=g.txm and ppgg=g.ppgg and dw=g.dw and ck=g.ck)")
          << QStringLiteral("group by g.jsr order by g.jsr");
    return lines;
}

QStringList stockBalanceStatement(const QString& fragment, const std::optional<DateRange>& dates)
{
    // The definition's outer lines over partial sums: each ledger's rows of a goods item added
    // up first (NULL for the other ledgers' columns, which the outer IFNULL makes 0), handed on
    // in goods order.
    QStringList lines = stockBalanceDefinition(fragment, dates);
    const QString like = likeText(fragment);
    QStringList filter{QStringLiteral("where (ppgg like ") + like + QStringLiteral(" or txm like ") + like
                       + QLatin1Char(')')};
    if (dates)
        filter << dateRangeClause(QStringLiteral("rq"), *dates);
    filter << QStringLiteral("group by txm,ppgg,dw");
    const char* const members[] = {
        "SELECT txm,ppgg,dw,sum(sl) as num1,sum(je) as je1,null as num2,null as je2,null as num3,null as je3 FROM cgfx",
        "union all SELECT txm,ppgg,dw,null,null,sum(sl),sum(je),null,null FROM xsfx",
        "union all SELECT txm,ppgg,dw,null,null,null,null,sum(sl),sum(je) FROM rkfx",
    };
    QStringList inner;
    for (const char* member : members)
        inner << QString::fromLatin1(member) << filter;
    inner << QStringLiteral("order by txm,ppgg,dw");
    const int from = lines.indexOf(QStringLiteral(")as 总计"));
    return lines.mid(0, 6) + inner + lines.mid(from);
}
