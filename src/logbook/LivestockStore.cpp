// The livestock log table: one row per batch of animals acquired.
#include "logbook/LogStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

// Stored forms: ISO dates and 24-hour times; anything unreadable reads as absent.
QString isoDate(const QDate& d) { return d.toString(Qt::ISODate); }
QString isoTime(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }
QDate readDate(const QVariant& v) { return QDate::fromString(v.toString(), Qt::ISODate); }
QTime readTime(const QVariant& v) { return QTime::fromString(v.toString(), QStringLiteral("HH:mm:ss")); }

const char* kColumns =
    "rowid, tankname, dateadded, timeadded, animalname, quantity, Status, price_paid, "
    "price_sold, datelost, where_purch, Comment";

QVariant textOrNull(const QString& s)
{
    return s.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

QVariant dateOrNull(const QDate& d)
{
    return d.isValid() ? QVariant(isoDate(d)) : QVariant(QMetaType(QMetaType::QString));
}

QVariant timeOrNull(const QTime& t)
{
    return t.isValid() ? QVariant(isoTime(t)) : QVariant(QMetaType(QMetaType::QString));
}

template <typename T>
QVariant optOrNull(const std::optional<T>& v, QMetaType::Type type)
{
    return v ? QVariant::fromValue(*v) : QVariant(QMetaType(type));
}

std::optional<double> readDouble(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

LivestockRecord readRow(const QSqlQuery& q)
{
    LivestockRecord r;
    r.rowid = q.value(0).toLongLong();
    r.tankid = q.value(1).toString();
    r.dateadded = readDate(q.value(2));
    r.timeadded = readTime(q.value(3));
    r.animalname = q.value(4).toString();
    if (!q.value(5).isNull()) {
        bool ok = false;
        const qint64 n = q.value(5).toLongLong(&ok);
        if (ok)
            r.quantity = n;
    }
    r.status = q.value(6).toString();
    r.price_paid = readDouble(q.value(7));
    r.price_sold = readDouble(q.value(8));
    if (const QDate lost = readDate(q.value(9)); lost.isValid())
        r.datelost = lost;
    r.where_purch = q.value(10).toString();
    r.comment = q.value(11).toString();
    return r;
}

void bindValues(QSqlQuery& q, const LivestockRecord& r)
{
    q.addBindValue(r.tankid);
    q.addBindValue(dateOrNull(r.dateadded));
    q.addBindValue(timeOrNull(r.timeadded));
    q.addBindValue(textOrNull(r.animalname));
    q.addBindValue(optOrNull(r.quantity, QMetaType::LongLong));
    q.addBindValue(textOrNull(r.status));
    q.addBindValue(optOrNull(r.price_paid, QMetaType::Double));
    q.addBindValue(optOrNull(r.price_sold, QMetaType::Double));
    q.addBindValue(r.datelost ? dateOrNull(*r.datelost) : QVariant(QMetaType(QMetaType::QString)));
    q.addBindValue(textOrNull(r.where_purch));
    q.addBindValue(textOrNull(r.comment));
}

bool fail(const QSqlQuery& q, QString* error)
{
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

LivestockStore::LivestockStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<LivestockRecord> LivestockStore::list(const QString& tankid, SortOrder order) const
{
    QVector<LivestockRecord> rows;
    QSqlQuery q(m_db);
    const QString dir = order == SortOrder::Descending ? QStringLiteral(" DESC") : QString();
    q.prepare(QStringLiteral("SELECT %1 FROM livestock WHERE tankname = ? ORDER BY dateadded%2, "
                             "timeadded%2, rowid%2")
                  .arg(QLatin1String(kColumns), dir));
    q.addBindValue(tankid);
    if (!q.exec())
        return rows;
    while (q.next())
        rows.append(readRow(q));
    return rows;
}

std::optional<LivestockRecord> LivestockStore::get(qint64 rowid) const
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT %1 FROM livestock WHERE rowid = ?").arg(QLatin1String(kColumns)));
    q.addBindValue(rowid);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return readRow(q);
}

bool LivestockStore::insert(LivestockRecord& rec, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "INSERT INTO livestock (tankname, dateadded, timeadded, animalname, quantity, Status, "
        "price_paid, price_sold, datelost, where_purch, Comment) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
    bindValues(q, rec);
    if (!q.exec())
        return fail(q, error);
    rec.rowid = q.lastInsertId().toLongLong();
    return true;
}

bool LivestockStore::update(const LivestockRecord& rec, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "UPDATE livestock SET tankname = ?, dateadded = ?, timeadded = ?, animalname = ?, "
        "quantity = ?, Status = ?, price_paid = ?, price_sold = ?, datelost = ?, where_purch = ?, "
        "Comment = ? WHERE rowid = ?"));
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

bool LivestockStore::remove(qint64 rowid, QString* error)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM livestock WHERE rowid = ?"));
    q.addBindValue(rowid);
    if (!q.exec())
        return fail(q, error);
    return true;
}

bool LivestockStore::move(qint64 rowid, const QString& targetTankId,
                          const std::optional<QDateTime>& moment, QString* error)
{
    QSqlQuery q(m_db);
    if (moment) {
        q.prepare(QStringLiteral(
            "UPDATE livestock SET tankname = ?, dateadded = ?, timeadded = ? WHERE rowid = ?"));
        q.addBindValue(targetTankId);
        q.addBindValue(isoDate(moment->date()));
        q.addBindValue(isoTime(moment->time()));
    } else {
        q.prepare(QStringLiteral("UPDATE livestock SET tankname = ? WHERE rowid = ?"));
        q.addBindValue(targetTankId);
    }
    q.addBindValue(rowid);
    if (!q.exec())
        return fail(q, error);
    if (q.numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("The entry no longer exists.");
        return false;
    }
    return true;
}
