#include "logbook/LogListModels.h"

#include "core/Dates.h"

#include <QLocale>
#include <algorithm>

namespace {

// Number shown as stored: its plain text form, '.' as the decimal point.
QString plainNumber(const std::optional<double>& v)
{
    return v ? QString::number(*v, 'f', QLocale::FloatingPointShortest) : QString();
}

QString patternNumber(const std::optional<double>& v, const QString& pattern)
{
    return v ? formatNumber(*v, pattern) : QString();
}

template <typename T>
int cmp(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Missing values come first in ascending order.
int cmpNumber(const std::optional<double>& a, const std::optional<double>& b)
{
    if (!a || !b)
        return cmp(bool(a), bool(b));
    return cmp(*a, *b);
}

int cmpText(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

int cmpDate(const QDate& a, const QDate& b)
{
    if (!a.isValid() || !b.isValid())
        return cmp(a.isValid(), b.isValid());
    return cmp(a, b);
}

int cmpTime(const QTime& a, const QTime& b)
{
    if (!a.isValid() || !b.isValid())
        return cmp(a.isValid(), b.isValid());
    return cmp(a, b);
}

int cmpMoment(const QDate& da, const QTime& ta, const QDate& db, const QTime& tb)
{
    const int d = cmpDate(da, db);
    return d != 0 ? d : cmpTime(ta, tb);
}

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

LogColumn col(const char* header, int width, Qt::Alignment align, LogColumnKind kind,
              const char* format = "")
{
    return {QString::fromLatin1(header), width, align, kind, QString::fromLatin1(format)};
}

} // namespace

QString logItemText(const QDate& date, const QTime& time, const QString& dateMask, bool upperMarker)
{
    const QString d = date.isValid() ? formatDateMask(date, dateMask) : QString();
    return d + QStringLiteral(" - ") + formatAmPmTime(time, upperMarker);
}

SortOrder sortOrderFromText(const QString& text)
{
    return text == QLatin1String("descending") ? SortOrder::Descending : SortOrder::Ascending;
}

// ---- LogListModel ---------------------------------------------------------

LogListModel::LogListModel(QObject* parent) : QAbstractTableModel(parent) {}

int LogListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int LogListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns().size());
}

QString LogListModel::text(int row, int column) const
{
    if (row < 0 || row >= m_order.size() || column < 0 || column >= columns().size())
        return QString();
    return cellText(m_order[row], column);
}

QVariant LogListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns().value(index.column()).alignment);
    case RowIdRole:
        return rowidAt(index.row());
    default:
        return QVariant();
    }
}

QVariant LogListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns().size())
        return QVariant();
    const LogColumn& c = columns()[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.header;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.alignment);
    case WidthTwipsRole:
        return c.widthTwips;
    default:
        return QVariant();
    }
}

qint64 LogListModel::rowidAt(int row) const
{
    if (row < 0 || row >= m_order.size())
        return 0;
    return recordRowid(m_order[row]);
}

int LogListModel::rowOf(qint64 rowid) const
{
    for (int i = 0; i < m_order.size(); ++i)
        if (recordRowid(m_order[i]) == rowid)
            return i;
    return -1;
}

void LogListModel::setDateMask(const QString& dateMask)
{
    if (dateMask == m_dateMask)
        return;
    m_dateMask = dateMask;
    if (!m_order.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_order.size()) - 1, columnCount() - 1));
}

void LogListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columns().size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<qint64> rowids;
    rowids.reserve(before.size());
    for (const QModelIndex& i : before)
        rowids.append(rowidAt(i.row()));
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const int c = compareRecords(a, b, column);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    if (!before.isEmpty()) {
        QHash<qint64, int> rowByRowid;
        for (int i = 0; i < m_order.size(); ++i)
            rowByRowid.insert(recordRowid(m_order[i]), i);
        QModelIndexList after;
        for (int i = 0; i < before.size(); ++i)
            after.append(index(rowByRowid.value(rowids[i], 0), before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

HeaderClick LogListModel::columnClick(int k)
{
    HeaderClick click;
    if (k <= 1) {
        // The Date column: a new query in date and time order.
        m_sorted = false;
        click.requery = true;
        if (m_sortKey == 0 && m_sortOrder == Qt::AscendingOrder) {
            m_sortOrder = Qt::DescendingOrder;
            click.requeryOrder = SortOrder::Descending;
        } else {
            m_sortKey = 0;
            m_sortOrder = Qt::AscendingOrder;
            click.requeryOrder = SortOrder::Ascending;
        }
        return click;
    }
    const int column = k - 1;
    m_sorted = true;
    if (m_sortKey == column)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else {
        m_sortKey = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    click.column = column;
    click.order = m_sortOrder;
    return click;
}

void LogListModel::applyOwnSort()
{
    if (m_sorted)
        sort(m_sortKey, m_sortOrder);
}

void LogListModel::beginFill()
{
    beginResetModel();
}

void LogListModel::endFill()
{
    const int n = recordCount();
    m_order.resize(n);
    for (int i = 0; i < n; ++i)
        m_order[i] = i;
    endResetModel();
}

// ---- water quality ----------------------------------------------------------

const QVector<LogColumn>& WaterLogListModel::waterColumns()
{
    using K = LogColumnKind;
    static const QVector<LogColumn> cols = {
        col("Date", 1520, kLeft, K::Item),
        col("ph", 400, kRight, K::Number, "0.00"),
        col("Nh3 - Ammonia", 400, kRight, K::Number, "###0.000"),
        col("No2 - Nitrite", 400, kRight, K::Number, "###0.000"),
        col("No3 - Nitrate", 400, kRight, K::Number, "###0.000"),
        col("S.G. - Specific Gravity", 400, kRight, K::Number, "###0.000"),
        col("Temperature", 400, kRight, K::Number, "##0.00"),
        col("o2 - Oxygen", 400, kRight, K::Number, "##0.000"),
        col("dKh", 400, kRight, K::Number, "##0.000"),
        col("Calcium", 400, kRight, K::Number, "###0.000"),
        col("Cu - Copper", 400, kRight, K::Number, "##0.000"),
        col("Orp ", 400, kRight, K::Number, "##0.000"),
        col("Custom1", 400, kRight, K::Number),
        col("Custom2", 400, kRight, K::Number),
        col("Comments", 1440, kLeft, K::Text),
    };
    return cols;
}

namespace {
const std::optional<double>& waterValue(const WaterLogRecord& r, int column)
{
    static const std::optional<double> none;
    switch (column) {
    case 1: return r.ph;
    case 2: return r.ammonia;
    case 3: return r.nitrite;
    case 4: return r.nitrate;
    case 5: return r.sg;
    case 6: return r.temp;
    case 7: return r.oxygen;
    case 8: return r.dkh;
    case 9: return r.calcium;
    case 10: return r.copper;
    case 11: return r.orp;
    case 12: return r.custom1;
    case 13: return r.custom2;
    default: return none;
    }
}
} // namespace

QString WaterLogListModel::cellText(int r, int column) const
{
    const WaterLogRecord& rec = m_records[r];
    if (column == 0)
        return logItemText(rec.logdate, rec.logtime, m_dateMask, false);
    if (column == 14)
        return rec.comment;
    if (column == 12 || column == 13)
        return plainNumber(waterValue(rec, column));
    return patternNumber(waterValue(rec, column), waterColumns()[column].format);
}

int WaterLogListModel::compareRecords(int a, int b, int column) const
{
    const WaterLogRecord& x = m_records[a];
    const WaterLogRecord& y = m_records[b];
    if (column == 0)
        return cmpMoment(x.logdate, x.logtime, y.logdate, y.logtime);
    if (column == 14)
        return cmpText(x.comment, y.comment);
    return cmpNumber(waterValue(x, column), waterValue(y, column));
}

void WaterLogListModel::setRecords(QVector<WaterLogRecord> records)
{
    beginFill();
    m_records = std::move(records);
    endFill();
}

// ---- livestock ---------------------------------------------------------------

const QVector<LogColumn>& LivestockListModel::livestockColumns()
{
    using K = LogColumnKind;
    static const QVector<LogColumn> cols = {
        col("Date", 1520, kLeft, K::Item),
        col("Animal", 1500, kLeft, K::Text),
        col("Quantity", 400, kLeft, K::Number, "###0"),
        col("Status", 500, kLeft, K::Text),
        col("Price Paid", 500, kRight, K::Number, "###0.00"),
        col("price_sold", 500, kLeft, K::Number, "###0.00"),
        col("Date Lost", 500, kLeft, K::Date),   // in the keeper's date order, like every date
        col("Where Purchased", 1500, kLeft, K::Text),
        col("Comments", 1440, kLeft, K::Text),
    };
    return cols;
}

namespace {
std::optional<double> quantityValue(const std::optional<qint64>& q)
{
    return q ? std::optional<double>(double(*q)) : std::nullopt;
}
} // namespace

QString LivestockListModel::cellText(int r, int column) const
{
    const LivestockRecord& rec = m_records[r];
    switch (column) {
    case 0: return logItemText(rec.dateadded, rec.timeadded, m_dateMask, true);
    case 1: return rec.animalname;
    case 2: return patternNumber(quantityValue(rec.quantity), QStringLiteral("###0"));
    case 3: return rec.status;
    case 4: return patternNumber(rec.price_paid, QStringLiteral("###0.00"));
    case 5: return patternNumber(rec.price_sold, QStringLiteral("###0.00"));
    case 6:
        return rec.datelost && rec.datelost->isValid() ? formatDateMask(*rec.datelost, m_dateMask)
                                                       : QString();
    case 7: return rec.where_purch;
    case 8: return rec.comment;
    default: return QString();
    }
}

int LivestockListModel::compareRecords(int a, int b, int column) const
{
    const LivestockRecord& x = m_records[a];
    const LivestockRecord& y = m_records[b];
    switch (column) {
    case 0: return cmpMoment(x.dateadded, x.timeadded, y.dateadded, y.timeadded);
    case 1: return cmpText(x.animalname, y.animalname);
    case 2: return cmpNumber(quantityValue(x.quantity), quantityValue(y.quantity));
    case 3: return cmpText(x.status, y.status);
    case 4: return cmpNumber(x.price_paid, y.price_paid);
    case 5: return cmpNumber(x.price_sold, y.price_sold);
    case 6: return cmpDate(x.datelost.value_or(QDate()), y.datelost.value_or(QDate()));
    case 7: return cmpText(x.where_purch, y.where_purch);
    case 8: return cmpText(x.comment, y.comment);
    default: return 0;
    }
}

void LivestockListModel::setRecords(QVector<LivestockRecord> records)
{
    beginFill();
    m_records = std::move(records);
    endFill();
}

// ---- maintenance -------------------------------------------------------------

const QVector<LogColumn>& MaintLogListModel::maintColumns()
{
    using K = LogColumnKind;
    static const QVector<LogColumn> cols = {
        col("Date", 1520, kLeft, K::Item),
        col("Task", 1000, kLeft, K::Text),
        col("Quantity", 500, kLeft, K::Number, "###0"),
        col("Unit of Measure", 500, kLeft, K::Text),
        col("Description", 1000, kLeft, K::Text),
        col("Comments", 1500, kLeft, K::Text),
    };
    return cols;
}

QString MaintLogListModel::cellText(int r, int column) const
{
    const MaintLogRecord& rec = m_records[r];
    switch (column) {
    case 0: return logItemText(rec.logdate, rec.logtime, m_dateMask, false);
    case 1: return rec.task;
    case 2: return patternNumber(rec.quantity, QStringLiteral("###0"));
    case 3: return rec.unit;
    case 4: return rec.description;
    case 5: return rec.note;
    default: return QString();
    }
}

int MaintLogListModel::compareRecords(int a, int b, int column) const
{
    const MaintLogRecord& x = m_records[a];
    const MaintLogRecord& y = m_records[b];
    switch (column) {
    case 0: return cmpMoment(x.logdate, x.logtime, y.logdate, y.logtime);
    case 1: return cmpText(x.task, y.task);
    case 2: return cmpNumber(x.quantity, y.quantity);
    case 3: return cmpText(x.unit, y.unit);
    case 4: return cmpText(x.description, y.description);
    case 5: return cmpText(x.note, y.note);
    default: return 0;
    }
}

void MaintLogListModel::setRecords(QVector<MaintLogRecord> records)
{
    beginFill();
    m_records = std::move(records);
    endFill();
}
