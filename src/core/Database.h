#pragma once
// The database file VX.MDB: opening, creating it in its installed state, the
// lock that keeps one running copy per start directory, the version check and
// the schema upgrade.
#include "core/Services.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

class AppContext;

// The current schema version text (with its trailing blank).
inline const QString kCurrentDbVersion = QStringLiteral("2.0 ");

struct DbOpenResult {
    enum Status { Opened, Created, Refused };
    Status status = Refused;
    // Created: where the file was made; Opened: what was mended (empty when
    // nothing was); Refused: the file and the reason.
    QString message;
    bool ok() const { return status != Refused; }
};

// Open ctx.dbPath() (creating it in its installed state when missing) on
// ctx.connectionName, after taking the start directory's lock. A file whose
// only damage is indexes that no longer match their tables gets its indexes
// rebuilt, after a copy of it is kept beside it as "VX.MDB.damaged"; any other
// damage refuses the file.
DbOpenResult openDatabase(AppContext& ctx);
// Close the connection and release the lock. Safe to call when nothing is open.
void closeDatabase(AppContext& ctx);

// The temporary name a new database file is made under, beside it, until it is
// complete; one left by a start that was cut short is removed by the next open.
QString creationTempPath(const QString& dbPath);

// Create a new file at path in the installed state (schema "2.0 ", one CONFIG
// row, the seed names). Used by openDatabase and by test fixtures.
bool createInstalledDatabase(const QString& path, QString* error = nullptr);
// The tables of the installed schema on an open, empty database.
bool createInstalledSchema(QSqlDatabase& db, QString* error = nullptr);

// Adds the default CONFIG row (default_salt False, default_fresh True, empty
// test names, the version the tables are at) when the table has no row.
// True when a row exists afterwards.
bool ensureConfigRow(QSqlDatabase& db);

// Whether table has a column of that name (exact or ignoring case).
bool tableHasColumn(const QSqlDatabase& db, const QString& table, const QString& column,
                    Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// Reads CONFIG.db_version ("0.0 " when the column is missing) into ctx.dbVersion
// and returns it.
QString checkDatabaseVersion(AppContext& ctx);

struct UpgradeCallbacks {
    std::function<void(int)> progress;                       // 10, 20, ... 100
    std::function<void(const QString&)> label;               // "Upgrading database to version 1.1"
    std::function<MsgResult(const Message&)> message;        // the step's closing message
};

struct UpgradeResult {
    bool ok = true;
    bool ran = false;      // false: the version called for no step
    QString error;         // the reason, when a step failed and was rolled back
    QString backupPath;    // the copy of the old file kept beside it, when a step ran
};

// Runs the upgrade steps that ctx.dbVersion calls for ("0.0 ": both, "1.1": the
// second, anything else: none). One transaction per step; a copy of the old
// file is kept beside it before the first step. A failing step is rolled back
// completely and leaves ctx.dbVersion at the version the file still has; the
// failure is not passed to callbacks.message: the caller reports result.error.
UpgradeResult upgradeDatabase(AppContext& ctx, const UpgradeCallbacks& callbacks);

// The seed names of the 1.1 step, in order.
const QStringList& freshwaterSeedNames();   // 55
const QStringList& maintenanceSeedNames();  // 12

// The start directory's lock, on the file "VX.MDB.lock" beside VX.MDB: at most
// one running copy holds it. It is let go of when the copy ends, however it
// ends, so a lock file left behind keeps no one out.
class DatabaseLock {
public:
    // The steps of taking the lock (the file opened, locked, checked to be
    // the one still under the lock's name) and of letting go of it (the file
    // removed, the lock let go).
    enum class Step { Opened, Locked, Checked, Removed, Released };
    // afterStep, when given, is called after each step: between them another
    // copy may come or go, remove the file or put another in its place.
    explicit DatabaseLock(const QString& dbPath, std::function<void(Step)> afterStep = {});
    // Lets go of the lock and removes the lock file.
    ~DatabaseLock();
    // True when this copy holds the lock now; never waits for another copy.
    bool tryLock();
    // Why the last tryLock failed, as a clause for a message; empty when it did not.
    QString failureReason() const;

private:
    QString m_path;
    struct Impl;
    Impl* m_impl = nullptr;
};
