// The water-quality log table: one row per test of one tank.
#include "logbook/LogStore.h"

#include "core/Dates.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char* const kSelect =
    "SELECT rowid, tankname, logdate, logtime, ph, Ammonia, nitrite, nitrate, sg, temp, oxygen, "
    "dkh, calcium, copper, orp, custom1, custom2, Comment FROM waterlog ";

std::optional<double> optionalNumber(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok)
        return d;
    // A value stored as text by an older file: read it with '.' whatever the locale.
    return parseNumber(v.toString().trimmed());
}

QVariant numberValue(const std::optional<double>& v)
{
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double));
}

QVariant textOrNull(const QString& s, bool isNull)
{
    return isNull ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

WaterLogRecord readRow(const QSqlQuery& q)
{
    WaterLogRecord r;
    r.rowid = q.value(0).toLongLong();
    r.tankid = q.value(1).toString();
    if (const auto d = fromIsoDate(q.value(2).toString()))
        r.logdate = *d;
    if (const auto t = fromIsoTime(q.value(3).toString()))
        r.logtime = *t;
    r.ph = optionalNumber(q.value(4));
    r.ammonia = optionalNumber(q.value(5));
    r.nitrite = optionalNumber(q.value(6));
    r.nitrate = optionalNumber(q.value(7));
    r.sg = optionalNumber(q.value(8));
    r.temp = optionalNumber(q.value(9));
    r.oxygen = optionalNumber(q.value(10));
    r.dkh = optionalNumber(q.value(11));
    r.calcium = optionalNumber(q.value(12));
    r.copper = optionalNumber(q.value(13));
    r.orp = optionalNumber(q.value(14));
    r.custom1 = optionalNumber(q.value(15));
    r.custom2 = optionalNumber(q.value(16));
    r.comment = q.value(17).toString();
    return r;
}

// The seventeen written columns, bound in the order of the statements below.
void bindColumns(QSqlQuery& q, const WaterLogRecord& r)
{
    q.addBindValue(r.tankid);
    q.addBindValue(textOrNull(toIsoDate(r.logdate), !r.logdate.isValid()));
    q.addBindValue(textOrNull(toIsoTime(r.logtime), !r.logtime.isValid()));
    q.addBindValue(numberValue(r.ph));
    q.addBindValue(numberValue(r.ammonia));
    q.addBindValue(numberValue(r.nitrite));
    q.addBindValue(numberValue(r.nitrate));
    q.addBindValue(numberValue(r.sg));
    q.addBindValue(numberValue(r.temp));
    q.addBindValue(numberValue(r.oxygen));
    q.addBindValue(numberValue(r.dkh));
    q.addBindValue(numberValue(r.calcium));
    q.addBindValue(numberValue(r.copper));
    q.addBindValue(numberValue(r.orp));
    q.addBindValue(numberValue(r.custom1));
    q.addBindValue(numberValue(r.custom2));
    q.addBindValue(r.comment);
}

void setError(QString* error, const QSqlQuery& q)
{
    if (error)
        *error = q.lastError().text();
}

} // namespace

WaterLogStore::WaterLogStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<WaterLogRecord> WaterLogStore::list(const QString& tankid, SortOrder order) const
{
    QVector<WaterLogRecord> rows;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    const QString sql = QString::fromLatin1(kSelect)
        + (order == SortOrder::Descending
               ? QStringLiteral("WHERE tankname = ? ORDER BY logdate DESC, logtime DESC, rowid DESC")
               : QStringLiteral("WHERE tankname = ? ORDER BY logdate, logtime, rowid"));
    q.prepare(sql);
    q.addBindValue(tankid);
    if (!q.exec())
        return rows;
    while (q.next())
        rows.append(readRow(q));
    return rows;
}

std::optional<WaterLogRecord> WaterLogStore::get(qint64 rowid) const
{
    QSqlQuery q(m_db);
    q.prepare(QString::fromLatin1(kSelect) + QStringLiteral("WHERE rowid = ?"));
    q.addBindValue(rowid);
    if (!q.exec() || !q.next())
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
    if (!q.exec()) {
        setError(error, q);
        return false;
    }
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
    if (!q.exec()) {
        setError(error, q);
        return false;
    }
    if (q.numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("The entry is no longer in the log.");
        return false;
    }
    return true;
}

bool WaterLogStore::remove(qint64 rowid, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare("DELETE FROM waterlog WHERE rowid = ?");
    q.addBindValue(rowid);
    if (!q.exec()) {
        setError(error, q);
        return false;
    }
    if (q.numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("The entry is no longer in the log.");
        return false;
    }
    return true;
}
