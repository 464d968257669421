#include "scheduler/MaintSchedStore.h"

#include "core/Dates.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sched {

namespace {

const char* const kSelect =
    "SELECT rowid, SchedTask, SchedStartDate, SchedEndDate, SchedInterval, SchedRtype, "
    "SchedRSubtype, SchedDetailText, SchedEnglishDesc FROM maintsched ";

QDate dateValue(const QVariant& v)
{
    if (v.isNull())
        return QDate();
    const auto d = fromIsoDate(v.toString().trimmed());
    return d ? *d : QDate();
}

int intValue(const QVariant& v, int whenNull)
{
    if (v.isNull())
        return whenNull;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : whenNull;
}

MaintSchedRecord readRow(const QSqlQuery& q)
{
    MaintSchedRecord rec;
    rec.rowid = q.value(0).toLongLong();
    rec.SchedTask = q.value(1).toString();
    rec.SchedStartDate = dateValue(q.value(2));
    rec.SchedEndDate = dateValue(q.value(3));
    rec.SchedInterval = intValue(q.value(4), 0);
    rec.SchedRtype = intValue(q.value(5), -1);
    rec.SchedRSubtype = intValue(q.value(6), 0);
    rec.SchedDetailText = q.value(7).isNull() ? QString() : q.value(7).toString();
    rec.SchedEnglishDesc = q.value(8).isNull() ? QString() : q.value(8).toString();
    return rec;
}

QVariant dateParam(const QDate& d)
{
    return d.isValid() ? QVariant(toIsoDate(d)) : QVariant(QMetaType(QMetaType::QString));
}

QVariant textParam(const QString& text)
{
    return QVariant(text.isNull() ? QStringLiteral("") : text);
}

void bindColumns(QSqlQuery& q, const MaintSchedRecord& rec)
{
    q.addBindValue(textParam(rec.SchedTask));
    q.addBindValue(dateParam(rec.SchedStartDate));
    q.addBindValue(dateParam(rec.SchedEndDate));
    q.addBindValue(rec.SchedInterval);
    q.addBindValue(rec.SchedRtype);
    q.addBindValue(rec.SchedRSubtype);
    q.addBindValue(textParam(rec.SchedEnglishDesc));
    q.addBindValue(textParam(rec.SchedDetailText));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool isUniqueViolation(const QSqlError& e)
{
    // SQLITE_CONSTRAINT_UNIQUE (2067).
    return e.nativeErrorCode() == QLatin1String("2067")
           || e.databaseText().contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive);
}

// Does a row other than exceptRowid carry task (letter case aside)?
bool taskTaken(const QSqlDatabase& db, const QString& task, qint64 exceptRowid)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT 1 FROM maintsched WHERE SchedTask = ? COLLATE NOCASE AND rowid <> ? LIMIT 1"));
    q.addBindValue(textParam(task));
    q.addBindValue(exceptRowid);
    return q.exec() && q.next();
}

std::optional<qint64> rowidOf(const QSqlDatabase& db, const QString& task)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT rowid FROM maintsched WHERE SchedTask = ? COLLATE NOCASE ORDER BY rowid LIMIT 1"));
    q.addBindValue(textParam(task));
    if (!q.exec() || !q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}

} // namespace

MaintSchedStore::MaintSchedStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<MaintSchedRecord> MaintSchedStore::list(bool* ok, QString* error) const
{
    QVector<MaintSchedRecord> out;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    bool ran = q.exec(QLatin1String(kSelect) + QStringLiteral("ORDER BY rowid"));
    while (ran && q.next())
        out.append(readRow(q));
    ran = ran && !q.lastError().isValid();
    if (!ran) {
        out.clear();
        if (error)
            *error = q.lastError().text();
    }
    if (ok)
        *ok = ran;
    return out;
}

std::optional<MaintSchedRecord> MaintSchedStore::findByTask(const QString& task) const
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QLatin1String(kSelect)
              + QStringLiteral("WHERE SchedTask = ? COLLATE NOCASE ORDER BY rowid LIMIT 1"));
    q.addBindValue(textParam(task));
    if (!q.exec() || !q.next())
        return std::nullopt;
    return readRow(q);
}

bool MaintSchedStore::isTaskTaken(const QString& task, qint64 exceptRowid) const
{
    return taskTaken(m_db, task, exceptRowid);
}

SchedWrite MaintSchedStore::add(const MaintSchedRecord& rec, QString* error)
{
    if (taskTaken(m_db, rec.SchedTask, -1))
        return SchedWrite::DuplicateTask;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "INSERT INTO maintsched (SchedTask, SchedStartDate, SchedEndDate, SchedInterval, SchedRtype, "
        "SchedRSubtype, SchedEnglishDesc, SchedDetailText) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    bindColumns(q, rec);
    if (!q.exec()) {
        setError(error, q.lastError().text());
        return isUniqueViolation(q.lastError()) ? SchedWrite::DuplicateTask : SchedWrite::Failed;
    }
    return SchedWrite::Ok;
}

SchedWrite MaintSchedStore::change(const QString& oldTask, const MaintSchedRecord& rec, QString* error)
{
    const auto rowid = rowidOf(m_db, oldTask);
    if (!rowid)
        return SchedWrite::NotFound;
    if (taskTaken(m_db, rec.SchedTask, *rowid))
        return SchedWrite::DuplicateTask;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "UPDATE maintsched SET SchedTask = ?, SchedStartDate = ?, SchedEndDate = ?, SchedInterval = ?, "
        "SchedRtype = ?, SchedRSubtype = ?, SchedEnglishDesc = ?, SchedDetailText = ? WHERE rowid = ?"));
    bindColumns(q, rec);
    q.addBindValue(*rowid);
    if (!q.exec()) {
        setError(error, q.lastError().text());
        return isUniqueViolation(q.lastError()) ? SchedWrite::DuplicateTask : SchedWrite::Failed;
    }
    return SchedWrite::Ok;
}

SchedWrite MaintSchedStore::remove(const QString& task, QString* error)
{
    const auto rowid = rowidOf(m_db, task);
    if (!rowid)
        return SchedWrite::NotFound;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM maintsched WHERE rowid = ?"));
    q.addBindValue(*rowid);
    if (!q.exec()) {
        setError(error, q.lastError().text());
        return SchedWrite::Failed;
    }
    return SchedWrite::Ok;
}

} // namespace sched
