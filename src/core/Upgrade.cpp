// Bringing an older database file up to the current schema, one transaction
// per step, with a copy of the old file kept beside it first.
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Dates.h"
#include "core/OwnFiles.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <stdexcept>

namespace {

const QString kUpgradeTitle = QStringLiteral("Upgrade Successful");

const QString kMessage11 = QStringLiteral(
    "Your copy of Brinestead has been successfully upgraded to version 1.1. The new \"tank water type\" "
    "and freshwater animal list options have been installed, and all of your tanks are set to \"salt "
    "water\". Be sure to use the \"Setup/Manage Tanks\" option to set the correct water type if this is "
    "incorrect. You will not get freshwater animals lists until you do. ");

const QString kMessage20 =
    QStringLiteral("Your copy of Brinestead has been successfully upgraded to version 98.");

struct StepFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void run(QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw StepFailed(q.lastError().text().toStdString());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw StepFailed(q.lastError().text().toStdString());
}

// The callbacks, each optional.
struct Report {
    const UpgradeCallbacks& cb;
    void progress(int value) const
    {
        if (cb.progress)
            cb.progress(value);
    }
    void label(const QString& text) const
    {
        if (cb.label)
            cb.label(text);
    }
    void message(const Message& m) const
    {
        if (cb.message)
            cb.message(m);
    }
};

void upgradeTo11(QSqlDatabase& db, const Report& report)
{
    report.label(QStringLiteral("Upgrading database to version 1.1"));
    run(db, QStringLiteral("ALTER TABLE CONFIG ADD COLUMN db_version TEXT"));
    if (!ensureConfigRow(db))
        throw StepFailed(db.lastError().text().toStdString());
    run(db, QStringLiteral("UPDATE CONFIG SET db_version = ?"), {QStringLiteral("1.1 ")});
    report.progress(10);
    run(db, QStringLiteral("ALTER TABLE TANKLST ADD COLUMN TankWaterType TEXT"));
    report.progress(20);
    run(db, QStringLiteral("UPDATE TANKLST SET TankWaterType = ?"), {QStringLiteral("2")});
    report.progress(30);
    run(db, QStringLiteral("ALTER TABLE animallist ADD COLUMN AnimalType TEXT COLLATE NOCASE"));
    report.progress(40);
    run(db, QStringLiteral("UPDATE animallist SET AnimalType = ?"), {QStringLiteral("2")});
    report.progress(50);
    QSqlQuery seed(db);
    seed.prepare(QStringLiteral("INSERT INTO animallist (animalname, AnimalType) VALUES (?, ?)"));
    auto addSeeds = [&](const QStringList& names, const QString& type) {
        for (const QString& name : names) {
            seed.addBindValue(name);
            seed.addBindValue(type);
            if (!seed.exec())
                throw StepFailed(seed.lastError().text().toStdString());
        }
    };
    addSeeds(freshwaterSeedNames(), QStringLiteral("1"));
    addSeeds(maintenanceSeedNames(), QStringLiteral("M"));
    report.progress(100);
}

void upgradeTo20(QSqlDatabase& db, const Report& report)
{
    report.label(QStringLiteral("Upgrading database to version 2.0"));
    report.progress(10);
    run(db, QStringLiteral("ALTER TABLE maintsched ADD COLUMN SchedRtype INTEGER"));
    report.progress(20);
    run(db, QStringLiteral("ALTER TABLE maintsched ADD COLUMN SchedRSubtype INTEGER"));
    report.progress(30);
    run(db, QStringLiteral("ALTER TABLE maintsched ADD COLUMN SchedDetailText TEXT"));
    report.progress(40);
    run(db, QStringLiteral("ALTER TABLE maintsched ADD COLUMN SchedEnglishDesc TEXT"));
    report.progress(50);
    run(db, QStringLiteral("ALTER TABLE maintsched ADD COLUMN SchedEndDate TEXT"));
    report.progress(60);
    run(db, QStringLiteral("UPDATE maintsched SET SchedRtype = 0"));
    report.progress(70);

    // End date = start date plus schedyears years, on the calendar (29 February
    // plus one year is 28 February); no start date or no years: no end date.
    QList<QPair<qlonglong, QVariant>> ends;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT rowid, SchedStartDate, schedyears FROM maintsched")))
            throw StepFailed(q.lastError().text().toStdString());
        while (q.next()) {
            QVariant end{QMetaType(QMetaType::QString)};
            const auto start = fromIsoDate(q.value(1).toString().trimmed());
            const QVariant years = q.value(2);
            bool ok = false;
            const int n = years.isNull() ? 0 : years.toString().trimmed().toInt(&ok);
            if (start && ok)
                end = toIsoDate(addYearsKeepingDay(*start, n));
            ends.append({q.value(0).toLongLong(), end});
        }
    }
    for (const auto& [rowid, end] : ends)
        run(db, QStringLiteral("UPDATE maintsched SET SchedEndDate = ? WHERE rowid = ?"), {end, rowid});
    report.progress(80);
    run(db, QStringLiteral("UPDATE CONFIG SET db_version = ?"), {kCurrentDbVersion});
}

// Runs one step in a transaction of its own; on failure everything of the step is undone.
bool runStep(QSqlDatabase& db, const std::function<void()>& step, QString* error)
{
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    try {
        step();
    } catch (const StepFailed& e) {
        db.rollback();
        *error = QString::fromStdString(e.what());
        return false;
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

// A copy of the file before any step: "VX.MDB.v1.1.bak", numbered when taken.
QString keepCopy(const QString& path, const QString& version, QString* error)
{
    const QString base = QStringLiteral("%1.v%2.bak").arg(path, version.trimmed());
    QString target = base;
    // A name taken by anything, a link to no file too: a copy is never
    // written through a link.
    for (int i = 2; nameIsTaken(target); ++i)
        target = QStringLiteral("%1.%2").arg(base).arg(i);
    QFile source(path);
    if (!source.copy(target)) {
        *error = QStringLiteral("a copy of the file could not be kept at %1 (%2)").arg(target, source.errorString());
        return QString();
    }
    return target;
}

} // namespace

UpgradeResult upgradeDatabase(AppContext& ctx, const UpgradeCallbacks& callbacks)
{
    UpgradeResult result;
    const bool from11 = ctx.dbVersion.trimmed() == QLatin1String("1.1");
    const bool from00 = ctx.dbVersion == QLatin1String("0.0 ");
    if (!from11 && !from00)
        return result;

    result.ran = true;
    QSqlDatabase db = ctx.db();
    if (!db.isOpen()) {
        result.ok = false;
        result.error = QStringLiteral("the database is not open");
        return result;
    }
    result.backupPath = keepCopy(ctx.dbPath(), ctx.dbVersion, &result.error);
    if (result.backupPath.isEmpty()) {
        result.ok = false;
        return result;
    }

    const Report report{callbacks};
    if (from00) {
        if (!runStep(db, [&] { upgradeTo11(db, report); }, &result.error)) {
            result.ok = false;
            return result;
        }
        ctx.dbVersion = QStringLiteral("1.1 ");
        report.message({kMessage11, kUpgradeTitle, MsgIcon::None, MsgButtons::OkCancel, MsgResult::Ok});
    }
    if (!runStep(db, [&] { upgradeTo20(db, report); }, &result.error)) {
        result.ok = false;
        return result;
    }
    ctx.dbVersion = kCurrentDbVersion;
    report.message({kMessage20, kUpgradeTitle, MsgIcon::Information, MsgButtons::Ok, MsgResult::Ok});
    return result;
}
