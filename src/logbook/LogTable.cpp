#include "logbook/LogTable.h"

#include "core/Dates.h"

#include <QSqlError>

namespace logtable {

namespace {
QVariant nullOf(QMetaType::Type type)
{
    return QVariant(QMetaType(type));
}
} // namespace

QVariant date(const QDate& d)
{
    return d.isValid() ? QVariant(toIsoDate(d)) : nullOf(QMetaType::QString);
}

QVariant time(const QTime& t)
{
    return t.isValid() ? QVariant(toIsoTime(t)) : nullOf(QMetaType::QString);
}

QVariant text(const QString& s)
{
    return s.isNull() ? nullOf(QMetaType::QString) : QVariant(s);
}

QVariant number(const std::optional<double>& v)
{
    return v ? QVariant(*v) : nullOf(QMetaType::Double);
}

QVariant integer(const std::optional<qint64>& v)
{
    return v ? QVariant(*v) : nullOf(QMetaType::LongLong);
}

QDate readDate(const QVariant& v)
{
    return fromIsoDate(v.toString()).value_or(QDate());
}

QTime readTime(const QVariant& v)
{
    return fromIsoTime(v.toString()).value_or(QTime());
}

std::optional<double> readNumber(const QVariant& v)
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

std::optional<qint64> readInteger(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

bool run(QSqlQuery& q, QString* error, bool oneRow)
{
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (oneRow && q.numRowsAffected() < 1) {
        if (error)
            *error = kEntryGone;
        return false;
    }
    return true;
}

bool listRows(const QSqlDatabase& db, const Shape& shape, const QString& tankid, SortOrder order,
              const std::function<void(const QSqlQuery&)>& onRow, QString* error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString dir = order == SortOrder::Descending ? QStringLiteral(" DESC") : QString();
    // A statement the database cannot prepare gives its reason then, not at exec.
    const bool prepared = q.prepare(QString::fromLatin1(shape.select)
              + QStringLiteral("WHERE %1 = ? ORDER BY %2%4, %3%4, rowid%4")
                    .arg(QLatin1String(shape.tankColumn), QLatin1String(shape.dateColumn),
                         QLatin1String(shape.timeColumn), dir));
    q.addBindValue(tankid);
    if (!prepared || !q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    while (q.next())
        onRow(q);
    // A read that breaks off half-way (a damaged page) is a failure too.
    if (q.lastError().isValid()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

bool fetchRow(QSqlQuery& q, const Shape& shape, qint64 rowid, QString* error)
{
    const bool prepared = q.prepare(QString::fromLatin1(shape.select) + QStringLiteral("WHERE rowid = ?"));
    q.addBindValue(rowid);
    if (!prepared || !q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (q.next())
        return true;
    if (error && q.lastError().isValid())
        *error = q.lastError().text();
    return false;
}

bool removeRow(const QSqlDatabase& db, const Shape& shape, qint64 rowid, QString* error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(QLatin1String(shape.table)));
    q.addBindValue(rowid);
    return run(q, error, true);
}

} // namespace logtable
