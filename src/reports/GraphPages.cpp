#include "reports/GraphPages.h"

#include "core/Dates.h"

#include <QSqlQuery>
#include <algorithm>

namespace {

// The thirteen measurement columns of waterlog, in the order of the graph choices.
const char* const kColumns[] = {"ph",     "Ammonia", "nitrite", "nitrate", "sg",  "temp",   "oxygen",
                                "dkh",    "calcium", "copper",  "orp",     "custom1", "custom2"};
constexpr int kMeasurements = 13;
constexpr int kFirstValueColumn = 3;   // after rowid, logdate, logtime

const QString kSelect = QStringLiteral(
    "SELECT rowid, logdate, logtime, ph, Ammonia, nitrite, nitrate, sg, temp, oxygen, dkh, calcium, "
    "copper, orp, custom1, custom2 FROM waterlog WHERE tankname = ?");
const QString kAscending = QStringLiteral(" ORDER BY logdate ASC, logtime ASC, rowid ASC LIMIT ?");
const QString kDescending = QStringLiteral(" ORDER BY logdate DESC, logtime DESC, rowid DESC LIMIT ?");

// A row as read: its key and the thirteen measurement values.
struct Row {
    GraphEntryKey key;
    QVariant values[kMeasurements];
};

Row readRow(const QSqlQuery& q)
{
    Row row;
    row.key.rowid = q.value(0).toLongLong();
    row.key.logdate = q.value(1);
    row.key.logtime = q.value(2);
    for (int i = 0; i < kMeasurements; ++i)
        row.values[i] = q.value(kFirstValueColumn + i);
    return row;
}

// One range of the order, read with the tank's index: `condition` follows the
// tank condition and its values are bound after the tank key.
QVector<Row> readRange(const QSqlDatabase& db, const QString& tankId, const QString& condition,
                       const QVariantList& values, bool descending, int limit)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(kSelect + condition + (descending ? kDescending : kAscending));
    q.addBindValue(tankId);
    for (const QVariant& v : values)
        q.addBindValue(v);
    q.addBindValue(limit);
    QVector<Row> rows;
    if (!q.exec())
        return rows;
    while (q.next())
        rows.append(readRow(q));
    return rows;
}

QVariant stored(const QVariant& v)
{
    // A null key part is bound as null, whatever type it was read with.
    return v.isNull() ? QVariant() : v;
}

// Up to `limit` rows beyond `key`, nearest first. Null dates and times sort
// before every other value, as the database orders them; each range below is
// one stretch of the order that the index reads directly.
QVector<Row> rowsBeyond(const QSqlDatabase& db, const QString& tankId, const GraphEntryKey& key, bool later,
                        bool inclusive, int limit)
{
    const QVariant d = stored(key.logdate);
    const QVariant t = stored(key.logtime);
    const QVariant r = key.rowid;
    struct Range {
        QString condition;
        QVariantList values;
    };
    QVector<Range> ranges;   // nearest range first
    if (later) {
        ranges.append({inclusive ? QStringLiteral(" AND logdate IS ? AND logtime IS ? AND rowid >= ?")
                                 : QStringLiteral(" AND logdate IS ? AND logtime IS ? AND rowid > ?"),
                       {d, t, r}});
        if (t.isNull())
            ranges.append({QStringLiteral(" AND logdate IS ? AND logtime IS NOT NULL"), {d}});
        else
            ranges.append({QStringLiteral(" AND logdate IS ? AND logtime > ?"), {d, t}});
        if (d.isNull())
            ranges.append({QStringLiteral(" AND logdate IS NOT NULL"), {}});
        else
            ranges.append({QStringLiteral(" AND logdate > ?"), {d}});
    } else {
        ranges.append({inclusive ? QStringLiteral(" AND logdate IS ? AND logtime IS ? AND rowid <= ?")
                                 : QStringLiteral(" AND logdate IS ? AND logtime IS ? AND rowid < ?"),
                       {d, t, r}});
        if (!t.isNull()) {
            ranges.append({QStringLiteral(" AND logdate IS ? AND logtime < ?"), {d, t}});
            ranges.append({QStringLiteral(" AND logdate IS ? AND logtime IS NULL"), {d}});
        }
        if (!d.isNull()) {
            ranges.append({QStringLiteral(" AND logdate < ?"), {d}});
            ranges.append({QStringLiteral(" AND logdate IS NULL"), {}});
        }
    }
    QVector<Row> rows;
    for (const Range& range : ranges) {
        if (rows.size() >= limit)
            break;
        rows += readRange(db, tankId, range.condition, range.values, !later, limit - int(rows.size()));
    }
    return rows;
}

} // namespace

QVector<GraphSeriesChoice> graphMeasurements(const QString& userFieldName1, const QString& userFieldName2)
{
    const QString labels[kMeasurements] = {
        QStringLiteral("ph"),   QStringLiteral("Nh3"), QStringLiteral("No2"),     QStringLiteral("No3"),
        QStringLiteral("S.G."), QStringLiteral("temp"), QStringLiteral("o2"),     QStringLiteral("dkh"),
        QStringLiteral("calcium"), QStringLiteral("cu"), QStringLiteral("Redox"), userFieldName1,
        userFieldName2};
    QVector<GraphSeriesChoice> out;
    for (int i = 0; i < kMeasurements; ++i)
        out.append({i + 1, QString::fromLatin1(kColumns[i]), labels[i]});
    return out;
}

QVector<GraphSeriesChoice> chosenGraphSeries(const QString& checks, const QString& userFieldName1,
                                             const QString& userFieldName2)
{
    const QVector<GraphSeriesChoice> all = graphMeasurements(userFieldName1, userFieldName2);
    QVector<GraphSeriesChoice> out;
    for (int i = 0; i < kMeasurements && i < checks.size(); ++i)
        if (checks.at(i) == QLatin1Char('1'))
            out.append(all[i]);
    return out;
}

QString graphRowLabel(const QDate& date, const GraphDateFormat& format)
{
    if (!date.isValid())
        return QString();
    const QString month = QString::number(date.month());
    const QString day = QString::number(date.day());
    const bool dayFirst = format.order == QLatin1String("DDMMYY");
    QString label = (dayFirst ? day : month) + format.delimiter + (dayFirst ? month : day);
    if (format.delimiter == QLatin1String("."))
        label += format.delimiter;
    return label;
}

bool GraphPageData::hasValues() const
{
    return std::any_of(entries.cbegin(), entries.cend(), [](const GraphEntry& entry) {
        return std::any_of(entry.values.cbegin(), entry.values.cend(),
                           [](const std::optional<double>& v) { return v.has_value(); });
    });
}

GraphPager::GraphPager(QSqlDatabase db, int pageSize) : m_db(std::move(db)), m_pageSize(std::max(1, pageSize)) {}

void GraphPager::startTank(const QString& tankId)
{
    m_tankId = tankId;
    m_page = 1;
    m_start = Start::First;
    m_anchor = {};
}

void GraphPager::turnToNextPage(const GraphEntryKey& lastShown)
{
    ++m_page;
    m_start = Start::After;
    m_anchor = lastShown;
}

void GraphPager::turnToPreviousPage(const GraphEntryKey& firstShown)
{
    m_page = std::max(1, m_page - 1);
    if (m_page == 1) {
        m_start = Start::First;
        m_anchor = {};
        return;
    }
    const QVector<Row> before = rowsBeyond(m_db, m_tankId, firstShown, false, false, m_pageSize);
    if (before.isEmpty()) {
        m_start = Start::First;
        m_anchor = {};
        return;
    }
    m_start = Start::At;
    m_anchor = before.last().key;   // the earliest of them
}

int GraphPager::countEntries() const
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM waterlog WHERE tankname = ?"));
    q.addBindValue(m_tankId);
    if (!q.exec() || !q.next())
        return 0;
    return q.value(0).toInt();
}

int GraphPager::pageCountFor(int entries, int pageSize)
{
    if (pageSize <= 0 || entries <= 0)
        return 0;
    return entries / pageSize + (entries % pageSize ? 1 : 0);
}

GraphPageData GraphPager::readPage(const QVector<GraphSeriesChoice>& series, bool skipZeroes) const
{
    GraphPageData data;
    data.page = m_page;
    data.totalEntries = countEntries();
    data.pageCount = pageCountFor(data.totalEntries, m_pageSize);

    QVector<Row> rows;
    if (m_start == Start::First)
        rows = readRange(m_db, m_tankId, QString(), {}, false, m_pageSize);
    else
        rows = rowsBeyond(m_db, m_tankId, m_anchor, true, m_start == Start::At, m_pageSize);

    for (const Row& row : rows) {
        GraphEntry entry;
        entry.key = row.key;
        entry.date = fromIsoDate(row.key.logdate.toString()).value_or(QDate());
        for (const GraphSeriesChoice& s : series) {
            const QVariant& v = row.values[s.position - 1];
            std::optional<double> value;
            if (!v.isNull()) {
                value = v.toDouble();
                if (skipZeroes && *value == 0)
                    value.reset();
            }
            entry.values.append(value);
        }
        data.entries.append(entry);
    }
    return data;
}
