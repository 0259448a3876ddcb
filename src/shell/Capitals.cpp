#include "Capitals.h"

namespace {
const QString kDigits[] = {
    QStringLiteral("零"), QStringLiteral("壹"), QStringLiteral("贰"), QStringLiteral("叁"),
    QStringLiteral("肆"), QStringLiteral("伍"), QStringLiteral("陆"), QStringLiteral("柒"),
    QStringLiteral("捌"), QStringLiteral("玖")};

// 1..9999: zeros between digits become one 零, trailing zeros vanish.
QString group(quint64 n)
{
    static const QString units[] = {QString(), QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("仟")};
    QString out;
    bool pendingZero = false;
    for (int p = 3; p >= 0; --p) {
        quint64 scale = 1;
        for (int i = 0; i < p; ++i) scale *= 10;
        const int d = int((n / scale) % 10);
        if (d == 0) {
            if (!out.isEmpty()) pendingZero = true;
            continue;
        }
        if (pendingZero) out += kDigits[0];
        pendingZero = false;
        out += kDigits[d] + units[p];
    }
    return out;
}

// n > 0: groups of 万 and 亿. A run of zeros between the higher part and the lower part is
// written as one 零, whether it ends the higher part's group or starts the lower part.
QString wholePart(quint64 n)
{
    static const struct {
        quint64 unit;
        QString name;
    } bigUnits[] = {{100000000ULL, QStringLiteral("亿")}, {10000ULL, QStringLiteral("万")}};
    for (const auto& big : bigUnits) {
        if (n < big.unit)
            continue;
        const quint64 lo = n % big.unit;
        QString s = wholePart(n / big.unit) + big.name;
        if (lo) {
            if ((n / big.unit) % 10 == 0 || lo < big.unit / 10) s += kDigits[0];
            s += wholePart(lo);
        }
        return s;
    }
    return group(n);
}
}

QString AmountToCapitals(Money amount)
{
    const Money rounded = amount.round2();
    if (rounded.isNegative())
        return QStringLiteral("负") + AmountToCapitals(rounded.abs());
    const quint64 cents = quint64(rounded.raw() / (Money::Scale / 100));
    if (cents == 0)
        return kDigits[0];
    const quint64 whole = cents / 100;
    const int jiao = int(cents / 10 % 10);
    const int fen = int(cents % 10);

    QString s;
    if (whole)
        s = wholePart(whole) + QStringLiteral("圆");
    if (jiao) {
        s += kDigits[jiao] + QStringLiteral("角");
        s += fen ? kDigits[fen] + QStringLiteral("分") : QStringLiteral("整");
    } else if (fen) {
        if (whole) s += kDigits[0];
        s += kDigits[fen] + QStringLiteral("分");
    } else {
        s += QStringLiteral("整");
    }
    return s;
}
