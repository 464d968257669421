#include "core/Database.h"

#include "core/AppContext.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSqlError>
#include <QSqlQuery>

struct DatabaseLock::Impl {
    explicit Impl(const QString& path) : file(path) {}
    QLockFile file;
};

DatabaseLock::DatabaseLock(const QString& dbPath)
    : m_path(dbPath + QStringLiteral(".lock")), m_impl(new Impl(m_path))
{
    m_impl->file.setStaleLockTime(0);
}

DatabaseLock::~DatabaseLock()
{
    delete m_impl;
}

bool DatabaseLock::tryLock()
{
    return m_impl->file.tryLock(0);
}

namespace {

bool exec(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

} // namespace

const QStringList& freshwaterSeedNames()
{
    static const QStringList names = {
        "Algaeeater", "Angel", "Angel - Black", "Angel - Golden", "Angel - Long Veiled",
        "Angel - Marbled", "Angel - Miniature", "Angel - Silver", "Barb", "Barb - Tiger",
        "Barb - Tinfoil", "Betta", "Cardinal", "Catfish", "Catfish - Channel",
        "Catfish - Corey", "Catfish - Pleco", "Chiclid", "Convict", "Danio",
        "Discus", "Ghost", "Goldfish", "Goldfish - common", "Goldfish - celestral",
        "Goldfish - bubble-eye", "Guppy", "Guppy - Fancy", "Grouami - Blue", "Gourami - Kissing",
        "Jack Demsey", "Knife fish", "Koi", "Kulie", "Killifish",
        "Loach - Clown", "Loach - Kulie", "Mollie - Black", "Mollie - Marbled", "Millie - Sailfin",
        "Moon", "Neon", "Neon - Black", "Oranda", "Oscar",
        "Pirahna - Red bellied", "Pleco", "Rainbowfish", "Severum", "Shark",
        "Shark - Red Tail", "Shark - Bala", "Swordtail", "Tetra", "Zebra",
    };
    return names;
}

const QStringList& maintenanceSeedNames()
{
    static const QStringList names = {
        "Additives Added", "Equipment Maintenance", "Filter Change", "Filter Clean",
        "Medication Added", "Pre-Filter Clean", "Skimmer Cleaned", "Special Feeding",
        "Substrate Vacumed", "Water Change", "Water Top - off", "Water Test",
    };
    return names;
}

bool createInstalledSchema(QSqlDatabase& db, QString* error)
{
    // Dates are ISO text, times "HH:MM:SS"; compared text columns ignore case.
    const QStringList ddl = {
        "CREATE TABLE CONFIG (db_version TEXT, default_salt INTEGER, default_fresh INTEGER, "
        "user_fieldname1 TEXT COLLATE NOCASE, user_fieldname2 TEXT COLLATE NOCASE)",
        "CREATE TABLE TANKLST (tankid TEXT NOT NULL UNIQUE, tankname TEXT NOT NULL COLLATE NOCASE, "
        "Tankdesc TEXT COLLATE NOCASE, tanknotes TEXT COLLATE NOCASE, tanksize REAL, TankWaterType TEXT)",
        "CREATE UNIQUE INDEX TANKLST_tankname ON TANKLST (tankname COLLATE NOCASE)",
        "CREATE TABLE waterlog (tankname TEXT, logdate TEXT, logtime TEXT, ph REAL, Ammonia REAL, "
        "nitrite REAL, nitrate REAL, sg REAL, temp REAL, oxygen REAL, dkh REAL, calcium REAL, "
        "copper REAL, orp REAL, custom1 REAL, custom2 REAL, Comment TEXT COLLATE NOCASE)",
        "CREATE INDEX waterlog_tank ON waterlog (tankname, logdate, logtime)",
        "CREATE TABLE livestock (tankname TEXT, dateadded TEXT, timeadded TEXT, "
        "animalname TEXT COLLATE NOCASE, quantity INTEGER, Status TEXT COLLATE NOCASE, "
        "price_paid REAL, price_sold REAL, datelost TEXT, where_purch TEXT COLLATE NOCASE, "
        "Comment TEXT COLLATE NOCASE)",
        "CREATE INDEX livestock_tank ON livestock (tankname, dateadded, timeadded)",
        "CREATE TABLE maintlog (mainttankname TEXT, maintlogdate TEXT, maintlogtime TEXT, "
        "maintlogtask TEXT COLLATE NOCASE, maintlogqty REAL, maintlogunit TEXT COLLATE NOCASE, "
        "maintlogdesc TEXT COLLATE NOCASE, maintlognote TEXT COLLATE NOCASE)",
        "CREATE INDEX maintlog_tank ON maintlog (mainttankname, maintlogdate, maintlogtime)",
        "CREATE TABLE maintsched (SchedTask TEXT NOT NULL UNIQUE COLLATE NOCASE, "
        "schedtankname TEXT COLLATE NOCASE, SchedStartDate TEXT, schedyears INTEGER, "
        "schedcomment TEXT COLLATE NOCASE, SchedInterval INTEGER, SchedRtype INTEGER, "
        "SchedRSubtype INTEGER, SchedDetailText TEXT, SchedEnglishDesc TEXT, SchedEndDate TEXT)",
        "CREATE TABLE animallist (animalname TEXT COLLATE NOCASE, AnimalType TEXT COLLATE NOCASE)",
    };
    for (const QString& sql : ddl)
        if (!exec(db, sql, error))
            return false;

    QSqlQuery config(db);
    config.prepare("INSERT INTO CONFIG (db_version, default_salt, default_fresh, user_fieldname1, "
                   "user_fieldname2) VALUES (?, 0, 1, '', '')");
    config.addBindValue(kCurrentDbVersion);
    if (!config.exec()) {
        if (error)
            *error = config.lastError().text();
        return false;
    }

    QSqlQuery seed(db);
    seed.prepare("INSERT INTO animallist (animalname, AnimalType) VALUES (?, ?)");
    auto addSeeds = [&](const QStringList& names, const QString& type) {
        for (const QString& name : names) {
            seed.addBindValue(name);
            seed.addBindValue(type);
            if (!seed.exec()) {
                if (error)
                    *error = seed.lastError().text();
                return false;
            }
        }
        return true;
    };
    return addSeeds(freshwaterSeedNames(), "1") && addSeeds(maintenanceSeedNames(), "M");
}

bool createInstalledDatabase(const QString& path, QString* error)
{
    const QString name = QStringLiteral("brinestead_create_%1").arg(quintptr(&path));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        if (!db.open()) {
            if (error)
                *error = db.lastError().text();
        } else {
            db.transaction();
            ok = createInstalledSchema(db, error);
            ok = ok ? db.commit() : (db.rollback(), false);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// Minimal open: creates a missing file. The checks of a refused file and the
// lock are completed with the foundation work.
DbOpenResult openDatabase(AppContext& ctx)
{
    DbOpenResult result;
    const QString path = ctx.dbPath();
    const bool existed = QFileInfo::exists(path);
    if (!existed) {
        QString error;
        if (!createInstalledDatabase(path, &error)) {
            result.message = QStringLiteral("The database file %1 could not be created: %2").arg(path, error);
            return result;
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", ctx.connectionName);
    db.setDatabaseName(path);
    if (!db.open()) {
        result.message = QStringLiteral("The database file %1 could not be opened: %2")
                             .arg(path, db.lastError().text());
        return result;
    }
    result.status = existed ? DbOpenResult::Opened : DbOpenResult::Created;
    if (!existed)
        result.message = QStringLiteral("A new database file was created at %1.").arg(path);
    return result;
}

void closeDatabase(AppContext& ctx)
{
    if (QSqlDatabase::contains(ctx.connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(ctx.connectionName, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(ctx.connectionName);
    }
    ctx.lock.reset();
}

namespace {

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"));
    q.addBindValue(table);
    q.addBindValue(column);
    return q.exec() && q.next();
}

} // namespace

bool ensureConfigRow(QSqlDatabase& db)
{
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM CONFIG")) || !q.next())
            return false;
        if (q.value(0).toLongLong() > 0)
            return true;
    }
    QSqlQuery ins(db);
    if (hasColumn(db, QStringLiteral("CONFIG"), QStringLiteral("db_version"))) {
        // The version the tables are at: the rule columns come with "2.0 ".
        const bool v20 = hasColumn(db, QStringLiteral("maintsched"), QStringLiteral("SchedRtype"));
        ins.prepare(QStringLiteral("INSERT INTO CONFIG (db_version, default_salt, default_fresh, "
                                   "user_fieldname1, user_fieldname2) VALUES (?, 0, 1, '', '')"));
        ins.addBindValue(v20 ? kCurrentDbVersion : QStringLiteral("1.1 "));
    } else {
        ins.prepare(QStringLiteral("INSERT INTO CONFIG (default_salt, default_fresh, user_fieldname1, "
                                   "user_fieldname2) VALUES (0, 1, '', '')"));
    }
    return ins.exec();
}
