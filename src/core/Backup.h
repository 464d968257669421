#pragma once
// File > Backup Database: a consistent copy of the open VX.MDB to a file the
// keeper names. The copy is written to a temporary file beside the target and
// renamed over it only when complete, so a failed copy never spoils an older
// backup of the same name; the database stays open and usable throughout.
// Temporary copies left by a backup cut short, and the engine's journals beside
// them, are removed by the next backup to the same name, or by the next start.
#include <QDateTime>
#include <QLocale>
#include <QString>

class AppContext;

struct BackupCopy {
    bool ok = false;
    QString error;        // the reason, when the copy failed or was refused
    QString bareName;     // the copy's file name without its folder
    QDateTime modified;   // the copy's last-modified time
    qint64 size = 0;      // the copy's length in bytes
};

// What a backup target would overwrite of the open database: the file itself,
// or one of the files the engine and the program keep beside it (journal,
// lock, a backup's record, ...).
enum class TargetClash { None, DatabaseItself, KeptBesideIt };
TargetClash clashWithDatabase(const AppContext& ctx, const QString& target);

// Copies the open database to target (relative names are taken from the start
// directory), replacing an existing file only once the copy is complete.
// Refuses the database file and the names kept beside it. The copy holds the
// committed state only.
BackupCopy copyDatabaseTo(AppContext& ctx, const QString& target);

// Removes the temporary copies (and their journals) that a backup cut short
// (the program killed, the machine off) left beside its target. Run at start,
// once the database is open: only then does this copy hold the start
// directory's lock, and no other copy's backup is under way.
void removeInterruptedBackupCopy(const AppContext& ctx);

// The platform's general date: short date, then the time with seconds.
QString generalDate(const QDateTime& moment, const QLocale& locale = QLocale::system());

// "VX.MDB was backed up to <target> with these attributes:<name> <date> - <size> bytes."
QString backupReportText(const QString& dbFileName, const QString& target, const BackupCopy& copy,
                         const QLocale& locale = QLocale::system());

enum class BackupOutcome { Copied, Cancelled, Declined, Refused, Failed };

// The whole command: the save-as dialog "Backup Brinestead Database As ...",
// the overwrite question, the copy and its report, each through ctx.services.
BackupOutcome backupDatabaseFile(AppContext& ctx);
