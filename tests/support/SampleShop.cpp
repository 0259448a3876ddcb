#include "SampleShop.h"

#include "data/Sql.h"

#include <stdexcept>

namespace {

// Stock value (kcje) is worked out from kcsl and kcjg.
struct Goods {
    const char *lb, *txm, *ppgg, *dw, *ck, *jj, *xjpf, *xjls, *kcsl, *kcjg, *slt, *jet, *ms;
};

const Goods SampleGoods[] = {
    {"电视机", "A01", "长虹彩电29寸", "台", "一号库", "1500", "1650", "1800", "10", "1500", "20", "0.01", "纯平"},
    {"电视机", "A02", "康佳彩电25寸", "台", "一号库", "1100", "1200", "1350", "8", "1100", "15", "0.01", ""},
    {"电视机", "A01", "长虹彩电29寸", "台", "二号库", "1500", "1650", "1800", "4", "1500", "20", "0.01", "纯平"},
    {"冰箱", "B01", "海尔冰箱185升", "台", "一号库", "2100", "2300", "2580", "6", "2100", "30", "0.015", "双门"},
    {"冰箱", "B02", "美的冰箱220升", "台", "二号库", "2400", "2600", "2890", "3", "2400", "30", "0.015", ""},
    {"洗衣机", "C01", "小天鹅洗衣机", "台", "一号库", "980", "1080", "1199", "12", "980", "10", "0.02", "全自动"},
    {"洗衣机", "C02", "荣事达洗衣机", "台", "二号库", "860", "950", "1050", "5", "860", "10", "0.02", ""},
    {"空调", "D01", "格力空调1.5匹", "台", "一号库", "2650", "2850", "3100", "7", "2650", "50", "0.01", "挂机"},
    {"小家电", "E01", "九阳豆浆机", "个", "一号库", "210.5", "240", "268", "20", "210.5", "3", "0.03", ""},
    {"小家电", "E02", "美的电饭煲", "个", "一号库", "168", "190", "219", "15", "168", "2", "0.03", ""},
    {"小家电", "E03", "飞利浦剃须刀", "把", "二号库", "125.25", "145", "169", "9", "125.25", "2", "0.05", ""},
    {"配件", "F01", "遥控器", "个", "一号库", "15", "20", "25", "50", "15", "0.5", "0.1", "通用"},
};

void insert(Connection& c, const QString& table, const QStringList& cols, const QStringList& values)
{
    QStringList quoted;
    for (const QString& v : values)
        quoted << sqlQuote(v);
    c.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, cols.join(QLatin1Char(',')), quoted.join(QLatin1Char(','))));
}

} // namespace

void buildSampleShop(TDM1& dm)
{
    Connection& c = dm.ADOC1;
    Transaction t(c);
    c.exec(QStringLiteral("UPDATE danwei SET mczc='华强家电商行', mcdy='华强家电', bz1='地址：幸福路88号', "
                          "bz2='电话：0755-12345678', bz3='谢谢惠顾', bz4='货物售出七日内包换'"));
    const struct {
        const char* table;
        const char* column;
        std::initializer_list<const char*> values;
    } lists[] = {
        {"ck", "ck", {"一号库", "二号库"}},
        {"ghs", "mc", {"华南电器", "华北电器", "北方电子"}},
        {"kh", "mc", {"张三家电", "李四商店", "王五公司"}},
        {"yg", "xm", {"王小明", "李红", "赵刚", "陈静"}},
        {"lb", "lb", {"电视机", "冰箱", "洗衣机", "空调", "小家电", "配件"}},
    };
    for (const auto& list : lists)
        for (const char* v : list.values)
            insert(c, QString::fromLatin1(list.table), {QString::fromLatin1(list.column)}, {QString::fromUtf8(v)});
    const QStringList szxm = {QStringLiteral("lb"), QStringLiteral("xm")};
    for (const char* xm : {"房租", "水电费", "工资"})
        insert(c, QStringLiteral("szxm"), szxm, {QStringLiteral("支出"), QString::fromUtf8(xm)});
    insert(c, QStringLiteral("szxm"), szxm, {QStringLiteral("收入"), QStringLiteral("维修收入")});

    for (const Goods& g : SampleGoods) {
        const Money kcsl = Money::parse(QString::fromUtf8(g.kcsl));
        const Money kcjg = Money::parse(QString::fromUtf8(g.kcjg));
        c.exec(QStringLiteral("INSERT INTO sp (lb,txm,ppgg,dw,ck,jj,xjpf,xjls,kcsl,kcjg,kcje,slt,jet,ms,bz) "
                              "VALUES (%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,'')")
                   .arg(sqlQuote(QString::fromUtf8(g.lb)), sqlQuote(QString::fromUtf8(g.txm)),
                        sqlQuote(QString::fromUtf8(g.ppgg)), sqlQuote(QString::fromUtf8(g.dw)),
                        sqlQuote(QString::fromUtf8(g.ck)), QString::fromUtf8(g.jj), QString::fromUtf8(g.xjpf),
                        QString::fromUtf8(g.xjls), kcsl.plainText())
                   .arg(kcjg.plainText(), (kcsl * kcjg).round2().plainText(), QString::fromUtf8(g.slt),
                        QString::fromUtf8(g.jet), sqlQuote(QString::fromUtf8(g.ms))));
    }
    t.commit();
}

int sqlCount(TDM1& dm, const QString& sql)
{
    return dm.ADOC1.execute(sql).rows.at(0).at(0).toInt();
}

QString sqlScalar(TDM1& dm, const QString& sql)
{
    const RecordSet rs = dm.ADOC1.execute(sql);
    return rs.isEmpty() ? QStringLiteral("<none>") : rs.rows.front().value(0).toString();
}

QStringList columnTexts(const Query& q, const QString& field)
{
    QStringList out;
    for (int r = 0; q.isOpen() && r < q.recordCount(); ++r)
        out << q.cellText(r, q.fieldIndex(field));
    return out;
}

QString dumpDatabase(TDM1& dm)
{
    QString out;
    for (const QVariantList& t : dm.ADOC1.execute("SELECT name FROM sqlite_master where type='table' order by name").rows) {
        out += "[" + t[0].toString() + "]\n";
        for (const QVariantList& row : dm.ADOC1.execute("SELECT * FROM \"" + t[0].toString() + "\" order by rowid").rows)
            out += QVariant(row).toStringList().join('|') + '\n';
    }
    return out;
}

TempShop::TempShop(bool sample)
{
    if (!dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    dm = std::make_unique<TDM1>(path());
    if (sample)
        buildSampleShop(*dm);
    DM1 = dm.get();
}

TempShop::~TempShop()
{
    if (DM1 == dm.get())
        DM1 = nullptr;
    dm.reset();
}
