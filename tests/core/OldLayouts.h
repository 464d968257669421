#pragma once
// Database files in the layouts of older versions ("0.0 " and "1.1 "), for
// the upgrade tests.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace oldlayout {

enum class Version { V00, V11 };

struct Reminder {
    QString task;
    QVariant startDate;   // ISO text or Null
    QVariant years;       // whole number or Null
};

struct Content {
    QStringList tanks;         // names; keys "01-0N-1998 10:00:00"
    QStringList animals;       // animallist rows already present
    QList<Reminder> reminders;
    bool configRow = true;
};

inline QString tankKey(int i)
{
    return QStringLiteral("01-%1-1998 10:00:00").arg(i + 1, 2, 10, QLatin1Char('0'));
}

// Writes a file at path in the given layout; returns the error text, empty when fine.
inline QString build(const QString& path, Version version, const Content& content)
{
    const QString name = QStringLiteral("oldlayout_") + path;
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            return db.lastError().text();
        const bool v11 = version == Version::V11;
        QStringList ddl = {
            v11 ? "CREATE TABLE CONFIG (default_salt INTEGER, default_fresh INTEGER, user_fieldname1 TEXT, "
                  "user_fieldname2 TEXT, db_version TEXT)"
                : "CREATE TABLE CONFIG (default_salt INTEGER, default_fresh INTEGER, user_fieldname1 TEXT, "
                  "user_fieldname2 TEXT)",
            v11 ? "CREATE TABLE TANKLST (tankid TEXT NOT NULL UNIQUE, tankname TEXT NOT NULL COLLATE NOCASE, "
                  "Tankdesc TEXT, tanknotes TEXT, tanksize REAL, TankWaterType TEXT)"
                : "CREATE TABLE TANKLST (tankid TEXT NOT NULL UNIQUE, tankname TEXT NOT NULL COLLATE NOCASE, "
                  "Tankdesc TEXT, tanknotes TEXT, tanksize REAL)",
            "CREATE UNIQUE INDEX TANKLST_tankname ON TANKLST (tankname COLLATE NOCASE)",
            "CREATE TABLE waterlog (tankname TEXT, logdate TEXT, logtime TEXT, ph REAL, Ammonia REAL, "
            "nitrite REAL, nitrate REAL, sg REAL, temp REAL, oxygen REAL, dkh REAL, calcium REAL, "
            "copper REAL, orp REAL, custom1 REAL, custom2 REAL, Comment TEXT)",
            "CREATE TABLE livestock (tankname TEXT, dateadded TEXT, timeadded TEXT, animalname TEXT, "
            "quantity INTEGER, Status TEXT, price_paid REAL, price_sold REAL, datelost TEXT, "
            "where_purch TEXT, Comment TEXT)",
            "CREATE TABLE maintlog (mainttankname TEXT, maintlogdate TEXT, maintlogtime TEXT, "
            "maintlogtask TEXT, maintlogqty REAL, maintlogunit TEXT, maintlogdesc TEXT, maintlognote TEXT)",
            "CREATE TABLE maintsched (SchedTask TEXT NOT NULL UNIQUE COLLATE NOCASE, schedtankname TEXT, "
            "SchedStartDate TEXT, schedyears INTEGER, schedcomment TEXT, SchedInterval INTEGER)",
            v11 ? "CREATE TABLE animallist (animalname TEXT, AnimalType TEXT)"
                : "CREATE TABLE animallist (animalname TEXT)",
        };
        for (const QString& sql : ddl) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                error = q.lastError().text();
        }
        auto insert = [&](const QString& sql, const QVariantList& values) {
            QSqlQuery q(db);
            q.prepare(sql);
            for (const QVariant& v : values)
                q.addBindValue(v);
            if (!q.exec())
                error = q.lastError().text();
        };
        if (content.configRow) {
            if (v11)
                insert("INSERT INTO CONFIG VALUES (1, 0, 'Iodine', 'Strontium', '1.1 ')", {});
            else
                insert("INSERT INTO CONFIG VALUES (1, 0, 'Iodine', 'Strontium')", {});
        }
        for (int i = 0; i < content.tanks.size(); ++i) {
            if (v11)
                insert("INSERT INTO TANKLST VALUES (?, ?, 'desc', 'notes', 55, '1')", {tankKey(i), content.tanks[i]});
            else
                insert("INSERT INTO TANKLST VALUES (?, ?, 'desc', 'notes', 55)", {tankKey(i), content.tanks[i]});
        }
        for (const QString& animal : content.animals) {
            if (v11)
                insert("INSERT INTO animallist VALUES (?, '2')", {animal});
            else
                insert("INSERT INTO animallist VALUES (?)", {animal});
        }
        for (const Reminder& r : content.reminders)
            insert("INSERT INTO maintsched (SchedTask, schedtankname, SchedStartDate, schedyears, schedcomment, "
                   "SchedInterval) VALUES (?, 'Reef', ?, ?, '', 7)",
                   {r.task, r.startDate, r.years});
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

} // namespace oldlayout
