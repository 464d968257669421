// The livestock log table: one row per batch of animals acquired.
#include "logbook/LogStore.h"
#include "logbook/LogTable.h"

using namespace logtable;

namespace {

const Shape kLivestock = {"SELECT rowid, tankname, dateadded, timeadded, animalname, quantity, Status, "
                          "price_paid, price_sold, datelost, where_purch, Comment FROM livestock ",
                          "livestock", "tankname", "dateadded", "timeadded"};

LivestockRecord readRow(const QSqlQuery& q)
{
    LivestockRecord r;
    r.rowid = q.value(0).toLongLong();
    r.tankid = q.value(1).toString();
    r.dateadded = readDate(q.value(2));
    r.timeadded = readTime(q.value(3));
    r.animalname = q.value(4).toString();
    r.quantity = readInteger(q.value(5));
    r.status = q.value(6).toString();
    r.price_paid = readNumber(q.value(7));
    r.price_sold = readNumber(q.value(8));
    if (const QDate lost = readDate(q.value(9)); lost.isValid())
        r.datelost = lost;
    r.where_purch = q.value(10).toString();
    r.comment = q.value(11).toString();
    return r;
}

void bindValues(QSqlQuery& q, const LivestockRecord& r)
{
    q.addBindValue(r.tankid);
    q.addBindValue(date(r.dateadded));
    q.addBindValue(time(r.timeadded));
    q.addBindValue(text(r.animalname));
    q.addBindValue(integer(r.quantity));
    q.addBindValue(text(r.status));
    q.addBindValue(number(r.price_paid));
    q.addBindValue(number(r.price_sold));
    q.addBindValue(date(r.datelost.value_or(QDate())));
    q.addBindValue(text(r.where_purch));
    q.addBindValue(text(r.comment));
}

} // namespace

LivestockStore::LivestockStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<LivestockRecord> LivestockStore::list(const QString& tankid, SortOrder order, QString* error) const
{
    QVector<LivestockRecord> rows;
    if (!listRows(m_db, kLivestock, tankid, order, [&](const QSqlQuery& q) { rows.append(readRow(q)); }, error))
        rows.clear();
    return rows;
}

std::optional<LivestockRecord> LivestockStore::get(qint64 rowid, QString* error) const
{
    QSqlQuery q(m_db);
    if (!fetchRow(q, kLivestock, rowid, error))
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
    if (!run(q, error))
        return false;
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
    return run(q, error, true);
}

bool LivestockStore::remove(qint64 rowid, QString* error)
{
    return removeRow(m_db, kLivestock, rowid, error);
}

bool LivestockStore::move(qint64 rowid, const QString& targetTankId,
                          const std::optional<QDateTime>& moment, QString* error)
{
    QSqlQuery q(m_db);
    if (moment) {
        q.prepare(QStringLiteral(
            "UPDATE livestock SET tankname = ?, dateadded = ?, timeadded = ? WHERE rowid = ?"));
        q.addBindValue(targetTankId);
        q.addBindValue(date(moment->date()));
        q.addBindValue(time(moment->time()));
    } else {
        q.prepare(QStringLiteral("UPDATE livestock SET tankname = ? WHERE rowid = ?"));
        q.addBindValue(targetTankId);
    }
    q.addBindValue(rowid);
    return run(q, error, true);
}
