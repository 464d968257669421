// The water-quality log table: one row per test of one tank.
#include "logbook/LogStore.h"
#include "logbook/LogTable.h"

using namespace logtable;

namespace {

const Shape kWater = {
    "SELECT rowid, tankname, logdate, logtime, ph, Ammonia, nitrite, nitrate, sg, temp, oxygen, "
    "dkh, calcium, copper, orp, custom1, custom2, Comment FROM waterlog ",
    "waterlog", "tankname", "logdate", "logtime"};

WaterLogRecord readRow(const QSqlQuery& q)
{
    WaterLogRecord r;
    r.rowid = q.value(0).toLongLong();
    r.tankid = q.value(1).toString();
    r.logdate = readDate(q.value(2));
    r.logtime = readTime(q.value(3));
    r.ph = readNumber(q.value(4));
    r.ammonia = readNumber(q.value(5));
    r.nitrite = readNumber(q.value(6));
    r.nitrate = readNumber(q.value(7));
    r.sg = readNumber(q.value(8));
    r.temp = readNumber(q.value(9));
    r.oxygen = readNumber(q.value(10));
    r.dkh = readNumber(q.value(11));
    r.calcium = readNumber(q.value(12));
    r.copper = readNumber(q.value(13));
    r.orp = readNumber(q.value(14));
    r.custom1 = readNumber(q.value(15));
    r.custom2 = readNumber(q.value(16));
    r.comment = q.value(17).toString();
    return r;
}

// The seventeen written columns, bound in the order of the statements below.
void bindColumns(QSqlQuery& q, const WaterLogRecord& r)
{
    q.addBindValue(r.tankid);
    q.addBindValue(date(r.logdate));
    q.addBindValue(time(r.logtime));
    for (const auto* value : {&r.ph, &r.ammonia, &r.nitrite, &r.nitrate, &r.sg, &r.temp, &r.oxygen,
                              &r.dkh, &r.calcium, &r.copper, &r.orp, &r.custom1, &r.custom2})
        q.addBindValue(number(*value));
    q.addBindValue(r.comment);
}

} // namespace

WaterLogStore::WaterLogStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<WaterLogRecord> WaterLogStore::list(const QString& tankid, SortOrder order, QString* error) const
{
    QVector<WaterLogRecord> rows;
    if (!listRows(m_db, kWater, tankid, order, [&](const QSqlQuery& q) { rows.append(readRow(q)); }, error))
        rows.clear();
    return rows;
}

std::optional<WaterLogRecord> WaterLogStore::get(qint64 rowid, QString* error) const
{
    QSqlQuery q(m_db);
    if (!fetchRow(q, kWater, rowid, error))
        return std::nullopt;
    return readRow(q);
}

bool WaterLogStore::insert(WaterLogRecord& rec, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare("INSERT INTO waterlog (tankname, logdate, logtime, ph, Ammonia, nitrite, nitrate, sg, "
              "temp, oxygen, dkh, calcium, copper, orp, custom1, custom2, Comment) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    bindColumns(q, rec);
    if (!run(q, error))
        return false;
    rec.rowid = q.lastInsertId().toLongLong();
    return true;
}

bool WaterLogStore::update(const WaterLogRecord& rec, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare("UPDATE waterlog SET tankname = ?, logdate = ?, logtime = ?, ph = ?, Ammonia = ?, "
              "nitrite = ?, nitrate = ?, sg = ?, temp = ?, oxygen = ?, dkh = ?, calcium = ?, "
              "copper = ?, orp = ?, custom1 = ?, custom2 = ?, Comment = ? WHERE rowid = ?");
    bindColumns(q, rec);
    q.addBindValue(rec.rowid);
    return run(q, error, true);
}

bool WaterLogStore::remove(qint64 rowid, QString* error)
{
    return removeRow(m_db, kWater, rowid, error);
}
