#include "statistics_tables.h"

namespace {
// "like'%text%'", the text as typed and quoted.
QString likeText(const QString& text) { return sqlQuote(QLatin1Char('%') + text + QLatin1Char('%')); }
}

QStringList commissionStatement(const QString& employee, const std::optional<DateRange>& dates)
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

QStringList stockBalanceStatement(const QString& fragment, const std::optional<DateRange>& dates)
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
