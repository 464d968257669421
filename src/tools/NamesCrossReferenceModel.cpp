#include "tools/NamesCrossReferenceModel.h"

#include <algorithm>
#include <numeric>

NamesCrossReferenceModel::NamesCrossReferenceModel(QObject* parent) : QAbstractTableModel(parent) {}

int NamesCrossReferenceModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int NamesCrossReferenceModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant NamesCrossReferenceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || role != Qt::DisplayRole)
        return QVariant();
    const NameRow& r = m_rows.at(index.row());
    return index.column() == CommonColumn ? r.common : r.latin;
}

QVariant NamesCrossReferenceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case CommonColumn: return QStringLiteral("Common Name");
    case LatinColumn: return QStringLiteral("Latin Name");
    default: return QVariant();
    }
}

void NamesCrossReferenceModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void NamesCrossReferenceModel::setRows(QVector<NameRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    if (m_sortingOn) {
        const QVector<int> order = sortedOrder();
        QVector<NameRow> sorted;
        sorted.reserve(m_rows.size());
        for (int i : order)
            sorted.append(std::move(m_rows[i]));
        m_rows = std::move(sorted);
    }
    endResetModel();
}

QVector<int> NamesCrossReferenceModel::sortedOrder() const
{
    // Case is ignored by comparing case-folded copies of the sort column, made
    // once per row (into one buffer) rather than once per comparison. The
    // first four UTF-16 units of each copy, packed into a number, settle most
    // comparisons without reaching the text.
    const bool latin = m_sortColumn == LatinColumn;
    qsizetype total = 0;
    for (const NameRow& r : m_rows)
        total += (latin ? r.latin : r.common).size();
    QString folded;
    folded.reserve(total);
    struct Key {
        quint64 prefix;
        qsizetype start;
        qsizetype length;
    };
    QVector<Key> keys;
    keys.reserve(m_rows.size());
    for (const NameRow& r : m_rows) {
        const QString& text = latin ? r.latin : r.common;
        const qsizetype start = folded.size();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                const char32_t cp = QChar::toCaseFolded(QChar::surrogateToUcs4(c, text[i + 1]));
                folded += QChar(QChar::highSurrogate(cp));
                folded += QChar(QChar::lowSurrogate(cp));
                ++i;
            } else {
                folded += c.toCaseFolded();
            }
        }
        const qsizetype length = folded.size() - start;
        quint64 prefix = 0;
        for (qsizetype i = 0; i < 4; ++i)
            prefix = (prefix << 16) | (i < length ? folded.at(start + i).unicode() : 0u);
        keys.append({prefix, start, length});
    }
    const QStringView text(folded);
    auto less = [&](int a, int b) {
        const Key& ka = keys[a];
        const Key& kb = keys[b];
        if (ka.prefix != kb.prefix)
            return ka.prefix < kb.prefix;
        return text.sliced(ka.start, ka.length) < text.sliced(kb.start, kb.length);
    };

    QVector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (m_sortOrder == Qt::DescendingOrder)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);
    return order;
}

void NamesCrossReferenceModel::sort(int column, Qt::SortOrder order)
{
    if (column != CommonColumn && column != LatinColumn)
        return;
    m_sortingOn = true;
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QVector<int> sorted = sortedOrder();
    QVector<int> newRowOf(m_rows.size());
    QVector<NameRow> rows;
    rows.reserve(m_rows.size());
    for (int i = 0; i < sorted.size(); ++i) {
        newRowOf[sorted[i]] = i;
        rows.append(std::move(m_rows[sorted[i]]));
    }
    m_rows = std::move(rows);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(index.row() < newRowOf.size() ? createIndex(newRowOf[index.row()], index.column())
                                                   : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void NamesCrossReferenceModel::sortByHeaderClick(int column)
{
    if (m_sortingOn && m_sortColumn == column)
        sort(column, m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        sort(column, Qt::AscendingOrder);
}
