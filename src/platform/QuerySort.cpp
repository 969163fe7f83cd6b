#include "Query.h"
#include "DataError.h"
#include "QueryPacking.h"
#include <QCollator>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace packed;

void Query::setSort(const QString &sort)
{
    requireOpen();
    struct Key { int column; bool descending; };
    QVector<Key> keys;
    for (const QString &part : sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '));
        if (words.isEmpty() || words.first().isEmpty())
            continue;
        const int c = columnIndex(words.first());
        if (c < 0)
            throw DataError(fieldNotFound(objectName(), words.first()));
        keys << Key{c, words.size() > 1 && words[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0};
    }
    m_sort = sort;
    if (keys.isEmpty()) {
        Q_EMIT reset();
        return;
    }
    // Each row gets one sort value per key: numbers as numbers, texts as the
    // rank of their text among the column's distinct texts in the Persian
    // collation (so the collation runs once per distinct text, not per row),
    // NULL before everything.
    const int n = int(m_rows.size());
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    collator.setNumericMode(false);
    struct SortColumn {
        bool byRank = false; // texts and amounts: compared by rank
        bool descending = false;
        QVector<bool> isNull;
        QVector<double> number; // numeric columns
        QVector<int> rank;      // text and money columns
    };
    QVector<SortColumn> columns(keys.size());
    for (int k = 0; k < keys.size(); ++k) {
        const int c = keys[k].column;
        SortColumn &col = columns[k];
        col.descending = keys[k].descending;
        col.byRank = m_columns[c].kind == ColumnKind::Text || m_columns[c].kind == ColumnKind::Bytes;
        col.isNull.resize(n);
        if (m_columns[c].kind == ColumnKind::Money) {
            // Amounts rank by their exact value: a double cannot tell apart
            // amounts of more than 15 digits, so those that share a double
            // are told apart by their ten-thousandths (a value the engine
            // gave as a number, an average, by the ten-thousandths nearest it).
            std::vector<std::pair<std::pair<double, qint64>, int>> amounts;
            amounts.reserve(size_t(n));
            for (int r = 0; r < n; ++r) {
                const QVariant v = valueAt(r, c);
                col.isNull[r] = v.isNull() || !v.isValid();
                if (col.isNull[r])
                    continue;
                if (v.metaType() == QMetaType::fromType<Money>()) {
                    const Money m = v.value<Money>();
                    amounts.push_back({{m.toDouble(), m.units}, r});
                } else {
                    const double d = numberOf(v);
                    amounts.push_back({{d, std::fabs(d) < 9e14 ? qint64(std::llround(d * double(Money::Scale))) : 0}, r});
                }
            }
            std::sort(amounts.begin(), amounts.end());
            col.byRank = true;
            col.rank = QVector<int>(n, 0);
            int rank = 0;
            for (size_t i = 0; i < amounts.size(); ++i) {
                if (i > 0 && amounts[i].first != amounts[i - 1].first)
                    ++rank;
                col.rank[amounts[i].second] = rank;
            }
            continue;
        }
        if (!col.byRank) {
            col.number.resize(n);
            for (int r = 0; r < n; ++r) {
                const QVariant v = valueAt(r, c);
                col.isNull[r] = v.isNull() || !v.isValid();
                col.number[r] = v.metaType().id() == QMetaType::QDateTime ? double(v.toDateTime().toMSecsSinceEpoch()) : numberOf(v);
            }
            continue;
        }
        QHash<QString, int> ids;
        QVector<QString> distinct;
        QVector<int> id(n, 0);
        for (int r = 0; r < n; ++r) {
            const QVariant v = valueAt(r, c);
            col.isNull[r] = v.isNull() || !v.isValid();
            if (col.isNull[r])
                continue;
            const QString text = displayText(v, m_columns[c].kind, m_columns[c].computed);
            auto it = ids.constFind(text);
            if (it == ids.constEnd()) {
                it = ids.insert(text, int(distinct.size()));
                distinct << text;
            }
            id[r] = *it;
        }
        // Texts made only of digits, blanks and slashes (codes, dates, phone
        // numbers) collate in the order of their characters' codes, which is
        // much cheaper to compare than collation keys.
        const bool plain = std::all_of(distinct.cbegin(), distinct.cend(), [](const QString &text) {
            return std::all_of(text.cbegin(), text.cend(), [](QChar ch) {
                return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char(' ') || ch == QLatin1Char('/');
            });
        });
        // Texts the collation holds equal share a rank.
        QVector<int> rankOf(distinct.size());
        if (plain) {
            // Short texts stay inside std::string itself: sorting them touches
            // no other memory.
            std::vector<std::pair<std::string, int>> texts;
            texts.reserve(distinct.size());
            for (int i = 0; i < distinct.size(); ++i)
                texts.emplace_back(distinct[i].toStdString(), i);
            std::sort(texts.begin(), texts.end());
            int rank = 0;
            for (size_t i = 0; i < texts.size(); ++i) {
                if (i > 0 && texts[i].first != texts[i - 1].first)
                    ++rank;
                rankOf[texts[i].second] = rank;
            }
        } else {
            QVector<QCollatorSortKey> textKeys;
            textKeys.reserve(distinct.size());
            for (const QString &text : distinct)
                textKeys << collator.sortKey(text);
            QVector<int> byCollation(distinct.size());
            for (int i = 0; i < byCollation.size(); ++i)
                byCollation[i] = i;
            std::sort(byCollation.begin(), byCollation.end(), [&](int a, int b) { return textKeys[a].compare(textKeys[b]) < 0; });
            int rank = 0;
            for (int i = 0; i < byCollation.size(); ++i) {
                if (i > 0 && textKeys[byCollation[i]].compare(textKeys[byCollation[i - 1]]) != 0)
                    ++rank;
                rankOf[byCollation[i]] = rank;
            }
        }
        col.rank.resize(n);
        for (int r = 0; r < n; ++r)
            col.rank[r] = col.isNull[r] ? 0 : rankOf[id[r]];
    }
    QVector<int> order(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (const SortColumn &col : columns) {
            int cmp;
            if (col.isNull[a] || col.isNull[b])
                cmp = int(!col.isNull[a]) - int(!col.isNull[b]);
            else if (col.byRank)
                cmp = col.rank[a] < col.rank[b] ? -1 : (col.rank[a] > col.rank[b] ? 1 : 0);
            else
                cmp = col.number[a] < col.number[b] ? -1 : (col.number[a] > col.number[b] ? 1 : 0);
            if (cmp != 0)
                return col.descending ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    const QByteArray currentRow = m_current >= 0 ? m_rows[m_current] : QByteArray();
    const int oldCurrent = m_current;
    QVector<QByteArray> sorted;
    sorted.reserve(n);
    int newCurrent = -1;
    for (int i = 0; i < n; ++i) {
        if (order[i] == oldCurrent)
            newCurrent = i;
        sorted << std::move(m_rows[order[i]]);
    }
    m_rows = std::move(sorted);
    m_current = newCurrent;
    Q_EMIT reset();
    Q_EMIT currentChanged(m_current);
}
