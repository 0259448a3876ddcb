// Locate and sort over a query's rows in hand, without a statement.

#include "QueryImpl.h"

#include <QCollator>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <optional>

using namespace QueryCells;

namespace {

// --- locate -----------------------------------------------------------------------------

// A field and the value it must equal; a numeric target is compared to four decimals.
struct Target {
    int col;
    const QVariant* value;
    bool text;
    std::optional<Money> number;
};

std::vector<Target> locateTargets(const Query& q, const Query::Impl& d, const QStringList& fields, const QVariantList& values)
{
    std::vector<int> cols;
    for (const QString& f : fields) {
        const int col = q.fieldIndex(f);
        if (col < 0)
            Query::Impl::noField(q, f);
        cols.push_back(col);
    }
    const std::size_t n = std::min<std::size_t>(cols.size(), values.size());
    std::vector<Target> targets;
    targets.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const QVariant& v = values[k];
        Target t{cols[k], &v, d.cols[cols[k]].type == FieldType::Text, std::nullopt};
        if (!t.text && v.isValid() && !v.isNull())
            t.number = v.typeId() == QMetaType::QString ? Money::tryParse(v.toString()) : Money::fromDouble(v.toDouble());
        targets.push_back(std::move(t));
    }
    return targets;
}

bool matches(const Query::Impl& d, int row, const std::vector<Target>& targets)
{
    for (const Target& t : targets) {
        const Cell c = d.cell(row, t.col);
        const QVariant& v = *t.value;
        bool same;
        if (!v.isValid() || v.isNull())
            same = kindOf(c) == Kind::Null;
        else if (t.text || kindOf(c) == Kind::Text)
            same = kindOf(c) != Kind::Null && d.textOf(c).compare(v.toString(), Qt::CaseInsensitive) == 0;
        else
            same = kindOf(c) != Kind::Null && t.number && d.moneyOf(c) == *t.number;
        if (!same)
            return false;
    }
    return true;
}

// --- sort -------------------------------------------------------------------------------

struct SortKey {
    int col;
    bool desc;
    bool text;
    // Of the rows in hand: whether the field is NULL, and the value they are ordered by.
    std::vector<char> nulls;
    std::vector<double> values;
};

// The keys of "field ASC" / "field DESC" / "a ASC, b DESC".
std::vector<SortKey> parseSort(const Query& q, const Query::Impl& d, const QString& sort)
{
    std::vector<SortKey> keys;
    for (const QString& part : sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const int col = q.fieldIndex(words[0]);
        if (col < 0)
            Query::Impl::noField(q, words[0]);
        bool desc = false;
        if (words.size() > 1) {
            if (words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
                desc = true;
            else if (words[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
                throw DbError(Query::Impl::nameOf(q) + QStringLiteral(": Invalid sort text '%1'").arg(sort));
        }
        keys.push_back({col, desc, d.cols[col].type == FieldType::Text, {}, {}});
    }
    return keys;
}

// A text key's values: each row's text as its rank among the distinct texts in Chinese pinyin
// order (ledgers repeat their texts a lot, so each distinct text is collated once).
void rankTexts(const Query::Impl& d, int rows, const QCollator& collator, SortKey& key)
{
    QHash<QString, int> distinct;
    QStringList texts;
    std::vector<int> which(rows);
    for (int r = 0; r < rows; ++r) {
        const Cell c = d.cell(r, key.col);
        key.nulls[r] = kindOf(c) == Kind::Null;
        const QString t = d.textOf(c);
        auto it = distinct.constFind(t);
        if (it == distinct.constEnd()) {
            it = distinct.insert(t, static_cast<int>(texts.size()));
            texts << t;
        }
        which[r] = it.value();
    }
    std::vector<int> byCollation(texts.size());
    for (int i = 0; i < texts.size(); ++i)
        byCollation[i] = i;
    std::sort(byCollation.begin(), byCollation.end(),
              [&](int a, int b) { return collator.compare(texts[a], texts[b]) < 0; });
    std::vector<int> rank(texts.size());
    int current = 0;
    for (std::size_t i = 0; i < byCollation.size(); ++i) {
        if (i > 0 && collator.compare(texts[byCollation[i - 1]], texts[byCollation[i]]) != 0)
            ++current;
        rank[byCollation[i]] = current;
    }
    for (int r = 0; r < rows; ++r)
        key.values[r] = rank[which[r]];
}

// Each key's values of the rows in hand: numbers as they are, texts by rank.
void keyValues(const Query::Impl& d, int rows, std::vector<SortKey>& keys)
{
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    collator.setNumericMode(false);
    for (SortKey& key : keys) {
        key.nulls.resize(rows);
        key.values.resize(rows);
        if (key.text) {
            rankTexts(d, rows, collator, key);
            continue;
        }
        for (int r = 0; r < rows; ++r) {
            const Cell c = d.cell(r, key.col);
            key.nulls[r] = kindOf(c) == Kind::Null;
            key.values[r] = key.nulls[r] ? 0.0 : d.numberOf(c);
        }
    }
}

// The rows in hand in the keys' order (NULL first, equal rows keeping their order).
std::vector<int> sortedRows(int rows, const std::vector<SortKey>& keys)
{
    std::vector<int> perm(rows);
    for (int r = 0; r < rows; ++r)
        perm[r] = r;
    std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
        for (const SortKey& key : keys) {
            int cmp;
            const bool na = key.nulls[a], nb = key.nulls[b];
            if (na || nb) {
                cmp = na == nb ? 0 : (na ? -1 : 1);
            } else {
                const double x = key.values[a], y = key.values[b];
                cmp = x < y ? -1 : (x > y ? 1 : 0);
            }
            if (cmp != 0)
                return key.desc ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    return perm;
}

} // namespace

bool Query::locate(const QStringList& fields, const QVariantList& values)
{
    readDeferred();
    Impl::leaveRow(*this);
    const std::vector<Target> targets = locateTargets(*this, *d_, fields, values);
    for (int r = 0; r < recordCount(); ++r) {
        if (matches(*d_, r, targets)) {
            cur_ = r;
            bof_ = eof_ = false;
            notifyCurrent();
            return true;
        }
    }
    return false;
}

void Query::setSort(const QString& sort)
{
    readDeferred();
    if (state_ == State::Inactive)
        return;
    if (state_ != State::Browse)
        post();
    Impl& d = *d_;
    std::vector<SortKey> keys = parseSort(*this, d, sort);
    sort_ = sort;
    if (keys.empty() || isEmpty()) {
        notifyReset();
        return;
    }

    const int rows = recordCount();
    keyValues(d, rows, keys);
    const std::vector<int> perm = sortedRows(rows, keys);
    // The rows in hand take the new order; the current row stays the same row.
    d.takeOrder();
    const std::uint32_t current = cur_ >= 0 ? d.order[cur_] : 0;
    std::vector<std::uint32_t> order(rows);
    for (int r = 0; r < rows; ++r) {
        order[r] = d.order[perm[r]];
        if (cur_ >= 0 && order[r] == current)
            cur_ = r;
    }
    d.order.swap(order);
    notifyReset();
    notifyCurrent();
}
