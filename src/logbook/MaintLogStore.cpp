// The maintenance log table: one row per piece of work done on a tank.
#include "logbook/LogStore.h"
#include "logbook/LogTable.h"

using namespace logtable;

namespace {

const Shape kMaint = {"SELECT rowid, mainttankname, maintlogdate, maintlogtime, maintlogtask, "
                      "maintlogqty, maintlogunit, maintlogdesc, maintlognote FROM maintlog ",
                      "maintlog", "mainttankname", "maintlogdate", "maintlogtime"};

MaintLogRecord readRow(const QSqlQuery& q)
{
    MaintLogRecord r;
    r.rowid = q.value(0).toLongLong();
    r.tankid = q.value(1).toString();
    r.logdate = readDate(q.value(2));
    r.logtime = readTime(q.value(3));
    r.task = q.value(4).toString();
    r.quantity = readNumber(q.value(5));
    r.unit = q.value(6).toString();
    r.description = q.value(7).toString();
    r.note = q.value(8).toString();
    return r;
}

void bindValues(QSqlQuery& q, const MaintLogRecord& r)
{
    q.addBindValue(r.tankid);
    q.addBindValue(date(r.logdate));
    q.addBindValue(time(r.logtime));
    q.addBindValue(text(r.task));
    q.addBindValue(number(r.quantity));
    q.addBindValue(text(r.unit));
    q.addBindValue(text(r.description));
    q.addBindValue(text(r.note));
}

} // namespace

MaintLogStore::MaintLogStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<MaintLogRecord> MaintLogStore::list(const QString& tankid, SortOrder order, QString* error) const
{
    QVector<MaintLogRecord> rows;
    if (!listRows(m_db, kMaint, tankid, order, [&](const QSqlQuery& q) { rows.append(readRow(q)); }, error))
        rows.clear();
    return rows;
}

std::optional<MaintLogRecord> MaintLogStore::get(qint64 rowid, QString* error) const
{
    QSqlQuery q(m_db);
    if (!fetchRow(q, kMaint, rowid, error))
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
    if (!run(q, error))
        return false;
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
    return run(q, error, true);
}

bool MaintLogStore::remove(qint64 rowid, QString* error)
{
    return removeRow(m_db, kMaint, rowid, error);
}
