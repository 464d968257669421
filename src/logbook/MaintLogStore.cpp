// The maintenance log table: one row per piece of work done on a tank.
#include "logbook/LogStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString isoDate(const QDate& d) { return d.toString(Qt::ISODate); }
QString isoTime(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }
QDate readDate(const QVariant& v) { return QDate::fromString(v.toString(), Qt::ISODate); }
QTime readTime(const QVariant& v) { return QTime::fromString(v.toString(), QStringLiteral("HH:mm:ss")); }

QVariant nullText() { return QVariant(QMetaType(QMetaType::QString)); }
QVariant textOrNull(const QString& s) { return s.isNull() ? nullText() : QVariant(s); }

const char* kColumns = "rowid, mainttankname, maintlogdate, maintlogtime, maintlogtask, "
                       "maintlogqty, maintlogunit, maintlogdesc, maintlognote";

MaintLogRecord readRow(const QSqlQuery& q)
{
    MaintLogRecord r;
    r.rowid = q.value(0).toLongLong();
    r.tankid = q.value(1).toString();
    r.logdate = readDate(q.value(2));
    r.logtime = readTime(q.value(3));
    r.task = q.value(4).toString();
    if (!q.value(5).isNull()) {
        bool ok = false;
        const double d = q.value(5).toDouble(&ok);
        if (ok)
            r.quantity = d;
    }
    r.unit = q.value(6).toString();
    r.description = q.value(7).toString();
    r.note = q.value(8).toString();
    return r;
}

void bindValues(QSqlQuery& q, const MaintLogRecord& r)
{
    q.addBindValue(r.tankid);
    q.addBindValue(r.logdate.isValid() ? QVariant(isoDate(r.logdate)) : nullText());
    q.addBindValue(r.logtime.isValid() ? QVariant(isoTime(r.logtime)) : nullText());
    q.addBindValue(textOrNull(r.task));
    q.addBindValue(r.quantity ? QVariant(*r.quantity) : QVariant(QMetaType(QMetaType::Double)));
    q.addBindValue(textOrNull(r.unit));
    q.addBindValue(textOrNull(r.description));
    q.addBindValue(textOrNull(r.note));
}

bool fail(const QSqlQuery& q, QString* error)
{
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

MaintLogStore::MaintLogStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<MaintLogRecord> MaintLogStore::list(const QString& tankid, SortOrder order) const
{
    QVector<MaintLogRecord> rows;
    QSqlQuery q(m_db);
    const QString dir = order == SortOrder::Descending ? QStringLiteral(" DESC") : QString();
    q.prepare(QStringLiteral("SELECT %1 FROM maintlog WHERE mainttankname = ? ORDER BY "
                             "maintlogdate%2, maintlogtime%2, rowid%2")
                  .arg(QLatin1String(kColumns), dir));
    q.addBindValue(tankid);
    if (!q.exec())
        return rows;
    while (q.next())
        rows.append(readRow(q));
    return rows;
}

std::optional<MaintLogRecord> MaintLogStore::get(qint64 rowid) const
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT %1 FROM maintlog WHERE rowid = ?").arg(QLatin1String(kColumns)));
    q.addBindValue(rowid);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return readRow(q);
}

bool MaintLogStore::insert(MaintLogRecord& rec, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "INSERT INTO maintlog (mainttankname, maintlogdate, maintlogtime, maintlogtask, "
        "maintlogqty, maintlogunit, maintlogdesc, maintlognote) VALUES (?,?,?,?,?,?,?,?)"));
    bindValues(q, rec);
    if (!q.exec())
        return fail(q, error);
    rec.rowid = q.lastInsertId().toLongLong();
    return true;
}

bool MaintLogStore::update(const MaintLogRecord& rec, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "UPDATE maintlog SET mainttankname = ?, maintlogdate = ?, maintlogtime = ?, "
        "maintlogtask = ?, maintlogqty = ?, maintlogunit = ?, maintlogdesc = ?, maintlognote = ? "
        "WHERE rowid = ?"));
    bindValues(q, rec);
    q.addBindValue(rec.rowid);
    if (!q.exec())
        return fail(q, error);
    if (q.numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("The entry no longer exists.");
        return false;
    }
    return true;
}

bool MaintLogStore::remove(qint64 rowid, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM maintlog WHERE rowid = ?"));
    q.addBindValue(rowid);
    if (!q.exec())
        return fail(q, error);
    return true;
}
