#include "core/TankStore.h"

#include "core/Dates.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char* const kSelect =
    "SELECT tankid, tankname, Tankdesc, tanknotes, tanksize, TankWaterType FROM TANKLST ";

TankRecord readTank(const QSqlQuery& q)
{
    TankRecord rec;
    rec.tankid = q.value(0).toString();
    rec.tankname = q.value(1).toString();
    rec.tankdesc = q.value(2).toString();
    rec.tanknotes = q.value(3).toString();
    if (!q.value(4).isNull()) {
        bool ok = false;
        const double size = q.value(4).toDouble(&ok);
        if (ok)
            rec.tanksize = size;
    }
    rec.watertype = q.value(5).toString();
    return rec;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QVariant sizeValue(const std::optional<double>& size)
{
    return size ? QVariant(*size) : QVariant(QMetaType(QMetaType::Double));
}

QVariant textValue(const QString& text)
{
    // Empty boxes are stored as empty text, never as Null.
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

} // namespace

TankStore::TankStore(QSqlDatabase db) : m_db(std::move(db)) {}

QVector<TankRecord> TankStore::listByName(QString* error) const
{
    QVector<TankRecord> out;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    bool ok = q.exec(QLatin1String(kSelect) + QStringLiteral("ORDER BY tankname COLLATE NOCASE ASC, tankid"));
    while (ok && q.next())
        out.append(readTank(q));
    ok = ok && !q.lastError().isValid();
    if (!ok) {
        if (error)
            *error = q.lastError().text();
        out.clear();
    }
    return out;
}

std::optional<TankRecord> TankStore::findById(const QString& tankid) const
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QLatin1String(kSelect) + QStringLiteral("WHERE tankid = ? LIMIT 1"));
    q.addBindValue(tankid);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return readTank(q);
}

namespace {

// Another tank (other than exceptId) already carries this name in any letter case.
std::optional<bool> nameTaken(const QSqlDatabase& db, const QString& name, const QString& exceptId,
                              QString* error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT 1 FROM TANKLST WHERE tankname = ? COLLATE NOCASE AND tankid <> ? LIMIT 1"));
    q.addBindValue(name);
    q.addBindValue(exceptId.isNull() ? QStringLiteral("") : exceptId);
    if (!q.exec()) {
        setError(error, q.lastError().text());
        return std::nullopt;
    }
    return q.next();
}

bool isNameConstraint(const QSqlError& e)
{
    const QString text = e.databaseText();
    return text.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive)
        && text.contains(QLatin1String("tankname"), Qt::CaseInsensitive);
}

} // namespace

TankWrite TankStore::add(TankRecord& rec, const QDateTime& moment, QString* error)
{
    const auto taken = nameTaken(m_db, rec.tankname, QString(), error);
    if (!taken)
        return TankWrite::Failed;
    if (*taken)
        return TankWrite::DuplicateName;

    // The key is the creation second; when another tank holds it, the next free second.
    QDateTime stamp = moment;
    QString id = tankIdStamp(stamp);
    for (int guard = 0; guard < 100000; ++guard) {
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT 1 FROM TANKLST WHERE tankid = ? LIMIT 1"));
        q.addBindValue(id);
        if (!q.exec()) {
            setError(error, q.lastError().text());
            return TankWrite::Failed;
        }
        if (!q.next())
            break;
        stamp = stamp.addSecs(1);
        id = tankIdStamp(stamp);
    }

    QSqlQuery ins(m_db);
    ins.prepare(QStringLiteral("INSERT INTO TANKLST (tankid, tankname, Tankdesc, tanknotes, tanksize, "
                               "TankWaterType) VALUES (?, ?, ?, ?, ?, ?)"));
    ins.addBindValue(id);
    ins.addBindValue(textValue(rec.tankname));
    ins.addBindValue(textValue(rec.tankdesc));
    ins.addBindValue(textValue(rec.tanknotes));
    ins.addBindValue(sizeValue(rec.tanksize));
    ins.addBindValue(textValue(rec.watertype));
    if (!ins.exec()) {
        setError(error, ins.lastError().text());
        return isNameConstraint(ins.lastError()) ? TankWrite::DuplicateName : TankWrite::Failed;
    }
    rec.tankid = id;
    return TankWrite::Ok;
}

TankWrite TankStore::update(const TankRecord& rec, QString* error)
{
    const auto taken = nameTaken(m_db, rec.tankname, rec.tankid, error);
    if (!taken)
        return TankWrite::Failed;
    if (*taken)
        return TankWrite::DuplicateName;

    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("UPDATE TANKLST SET tankname = ?, Tankdesc = ?, tanknotes = ?, tanksize = ?, "
                             "TankWaterType = ? WHERE tankid = ?"));
    q.addBindValue(textValue(rec.tankname));
    q.addBindValue(textValue(rec.tankdesc));
    q.addBindValue(textValue(rec.tanknotes));
    q.addBindValue(sizeValue(rec.tanksize));
    q.addBindValue(textValue(rec.watertype));
    q.addBindValue(rec.tankid);
    if (!q.exec()) {
        setError(error, q.lastError().text());
        return isNameConstraint(q.lastError()) ? TankWrite::DuplicateName : TankWrite::Failed;
    }
    if (q.numRowsAffected() < 1) {
        setError(error, QStringLiteral("No tank has the key %1.").arg(rec.tankid));
        return TankWrite::Failed;
    }
    return TankWrite::Ok;
}

bool TankStore::remove(const QString& tankid, QString* error)
{
    if (!m_db.transaction()) {
        setError(error, m_db.lastError().text());
        return false;
    }
    // The logs first, then the tank itself, all or nothing.
    static const char* const statements[] = {
        "DELETE FROM maintlog WHERE mainttankname = ?",
        "DELETE FROM livestock WHERE tankname = ?",
        "DELETE FROM waterlog WHERE tankname = ?",
        "DELETE FROM TANKLST WHERE tankid = ?",
    };
    int tankRows = 0;
    for (const char* sql : statements) {
        QSqlQuery q(m_db);
        q.prepare(QLatin1String(sql));
        q.addBindValue(tankid);
        if (!q.exec()) {
            setError(error, q.lastError().text());
            m_db.rollback();
            return false;
        }
        tankRows = q.numRowsAffected();
    }
    if (tankRows < 1) {
        m_db.rollback();
        setError(error, QStringLiteral("No tank has the key %1.").arg(tankid));
        return false;
    }
    if (!m_db.commit()) {
        setError(error, m_db.lastError().text());
        m_db.rollback();
        return false;
    }
    return true;
}
