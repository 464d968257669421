#include "core/Backup.h"

#include "core/AppContext.h"
#include "core/OwnFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>


namespace {

const QString kTitle = QStringLiteral("Database Backup");

QString absoluteTarget(const AppContext& ctx, const QString& target)
{
    return QDir::cleanPath(QDir(ctx.startDir).absoluteFilePath(target));
}

// The path with symbolic links resolved as far as it exists.
QString resolved(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dir.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : QDir(dir).filePath(info.fileName());
}

// The record, beside the database, of a backup in progress: written before the
// temporary copy is made and removed once the backup is over, it names the
// backup's target, so a backup cut short at any moment (the program killed, the
// machine off) leaves its record, and the next start removes the temporary
// copies beside the target it names. The record ends with a line end; one that
// lacks it was torn when the machine went off, and a torn name may be that of
// a file of the keeper's (the backup's own target, say).
QString pendingRecordPath(const AppContext& ctx)
{
    return ctx.dbPath() + QStringLiteral(".backup");
}

// How the record names the target. Earlier releases recorded the temporary
// copy itself, by its bare path, once it was made.
const QString kRecordedTarget = QStringLiteral("backup to ");

void writePendingRecord(const AppContext& ctx, const QString& target)
{
    // On the disk, with its name in the folder, before the copy is made: no
    // power cut keeps the copy and loses its record. A backup goes on without
    // a record it could not write, as before there were records.
    writeOwnFile(pendingRecordPath(ctx), (kRecordedTarget + target).toUtf8() + '\n');
}

// The engine keeps a journal beside the copy while it writes it; a copy cut
// short leaves both.
const QString kJournalSuffix = QStringLiteral("-journal");

// The temporary copies an earlier backup to the same file name left beside it:
// "<name>.XXXXXX.part", as this program names them (the target's name as it
// is written, six letters or digits), and their journals
// "<name>.XXXXXX.part-journal" (also when the copy itself is gone). Files of
// the keeper's that only look alike (another letter case, other characters)
// stay.
void removeStaleParts(const QFileInfo& target)
{
    const QDir folder(target.absolutePath());
    const QRegularExpression ours(QLatin1Char('^') + QRegularExpression::escape(target.fileName())
                                  + QStringLiteral("\\.[A-Za-z0-9]{6}\\.part(-journal)?$"));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (ours.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
}

BackupCopy failed(const QString& reason)
{
    BackupCopy copy;
    copy.error = reason;
    return copy;
}

} // namespace

TargetClash clashWithDatabase(const AppContext& ctx, const QString& target)
{
    if (target.isEmpty())
        return TargetClash::None;
    const QString wanted = resolved(absoluteTarget(ctx, target));
    const QString db = resolved(ctx.dbPath());
    if (wanted == db)
        return TargetClash::DatabaseItself;
    // The engine's journals, the lock, and the files the program itself keeps
    // beside the database for a while (a backup's record, a new file being
    // made, an unfinished first start) and removes again: a backup written
    // under one of those names would be removed with it.
    const QStringList companions = {QStringLiteral("-journal"), QStringLiteral("-wal"),   QStringLiteral("-shm"),
                                    QStringLiteral(".lock"),    QStringLiteral(".backup"), QStringLiteral(".new"),
                                    QStringLiteral(".setup")};
    for (const QString& suffix : companions)
        if (wanted == db + suffix)
            return TargetClash::KeptBesideIt;
    return TargetClash::None;
}

BackupCopy copyDatabaseTo(AppContext& ctx, const QString& target)
{
    if (target.trimmed().isEmpty())
        return failed(QStringLiteral("no file name was given"));
    switch (clashWithDatabase(ctx, target)) {
    case TargetClash::DatabaseItself:
        return failed(QStringLiteral("%1 is the open database itself").arg(ctx.dbFileName));
    case TargetClash::KeptBesideIt:
        return failed(QStringLiteral("%1 is a name Brinestead keeps beside the database for its own use")
                          .arg(QFileInfo(target).fileName()));
    case TargetClash::None:
        break;
    }

    const QString path = absoluteTarget(ctx, target);
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return failed(QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder.absoluteFilePath())));
    if (!folder.isDir())
        return failed(QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder.absoluteFilePath())));
    if (info.isDir())
        return failed(QStringLiteral("%1 is a folder").arg(QDir::toNativeSeparators(path)));

    removeStaleParts(info);

    // The record first, then the temporary copy it accounts for.
    writePendingRecord(ctx, path);
    struct ForgetRecord {
        QString path;
        ~ForgetRecord() { QFile::remove(path); }
    } forget{pendingRecordPath(ctx)};

    // An empty temporary file beside the target: the engine writes the copy
    // into it, and it replaces the target only when the copy is complete.
    QString tempPath;
    {
        QTemporaryFile temp(QDir(info.absolutePath()).filePath(info.fileName() + QStringLiteral(".XXXXXX.part")));
        temp.setAutoRemove(false);
        if (!temp.open())
            return failed(temp.errorString());
        tempPath = temp.fileName();
        // Read by all, as a copy the keeper makes is; set on the file opened,
        // not on whatever may stand under its name by now.
        temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
        temp.close();
    }

    // The copy is read through a connection of its own: VACUUM INTO reads
    // inside one read transaction, so it sees only committed data (never half
    // of a write in progress), and queries other windows keep open on the
    // program's connection neither block it nor are disturbed by it.
    QString reason;
    const QString name = ctx.connectionName + QStringLiteral("_backup");
    {
        QSqlDatabase source = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        source.setDatabaseName(ctx.dbPath());
        source.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!source.open()) {
            reason = source.lastError().text();
        } else {
            QSqlQuery query(source);
            bool ok = query.prepare(QStringLiteral("VACUUM INTO ?"));
            if (ok) {
                query.addBindValue(tempPath);
                ok = query.exec();
            }
            if (!ok) {
                reason = query.lastError().databaseText();
                if (reason.isEmpty())
                    reason = query.lastError().text();
            }
            query.finish();
            source.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!reason.isNull()) {
        QFile::remove(tempPath);
        return failed(reason.isEmpty() ? QStringLiteral("the copy could not be written") : reason);
    }
    // The engine does not flush the copy it writes; the copy must be on the
    // disk before it takes the place of an older backup.
    const QString flushError = flushToDisk(tempPath);
    if (!flushError.isEmpty()) {
        QFile::remove(tempPath);
        return failed(flushError);
    }

    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tempPath.toStdString()),
                            std::filesystem::path(path.toStdString()), ec);
    if (ec) {
        QFile::remove(tempPath);
        return failed(QString::fromStdString(ec.message()));
    }

    const QFileInfo copyInfo(path);
    BackupCopy copy;
    copy.ok = true;
    copy.bareName = copyInfo.fileName();
    copy.modified = copyInfo.lastModified();
    copy.size = copyInfo.size();
    return copy;
}

void removeInterruptedBackupCopy(const AppContext& ctx)
{
    const QString recordPath = pendingRecordPath(ctx);
    if (!nameIsTaken(recordPath))
        return;
    // Only a record the program wrote is read: a link under its name is not
    // followed, and goes like the record.
    QString line;
    const std::optional<QByteArray> text = readOwnFile(recordPath, 64 * 1024);
    if (text && text->endsWith('\n'))
        line = QString::fromUtf8(text->chopped(1));
    if (line.startsWith(kRecordedTarget)) {
        // The temporary copies beside the target, as this program names them,
        // whether the backup had made one yet or not.
        const QString target = line.mid(kRecordedTarget.size());
        if (!target.isEmpty())
            removeStaleParts(QFileInfo(absoluteTarget(ctx, target)));
    } else if (line.endsWith(QLatin1String(".part")) && clashWithDatabase(ctx, line) == TargetClash::None) {
        // A record of an earlier release: only a file it names as this program
        // names its temporary copies, and the engine's journal beside it.
        for (const QString& path : {line, line + kJournalSuffix})
            if (QFileInfo(path).isFile())
                QFile::remove(path);
    }
    QFile::remove(recordPath);
}

QString generalDate(const QDateTime& moment, const QLocale& locale)
{
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    if (!timeFormat.contains(QLatin1String("ss"))) {
        const int minutes = timeFormat.indexOf(QLatin1String("mm"));
        if (minutes >= 0)
            timeFormat.insert(minutes + 2, QStringLiteral(":ss"));
    }
    return locale.toString(moment.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(moment.time(), timeFormat);
}

QString backupReportText(const QString& dbFileName, const QString& target, const BackupCopy& copy,
                         const QLocale& locale)
{
    return dbFileName + QStringLiteral(" was backed up to ") + target +
           QStringLiteral(" with these attributes:") + copy.bareName + QLatin1Char(' ') +
           generalDate(copy.modified, locale) + QStringLiteral(" - ") + QString::number(copy.size) +
           QStringLiteral(" bytes.");
}

BackupOutcome backupDatabaseFile(AppContext& ctx)
{
    Services& services = ctx.services;
    if (!services.files)
        return BackupOutcome::Cancelled;
    const QString target =
        services.files->getSaveFileName(QStringLiteral("Backup Brinestead Database As ..."), QString());
    if (target.isEmpty())
        return BackupOutcome::Cancelled;

    switch (clashWithDatabase(ctx, target)) {
    case TargetClash::DatabaseItself:
        services.tell(QStringLiteral("%1 is the database Brinestead has open; it cannot be backed up onto "
                                     "itself. Choose another name for the backup copy.")
                          .arg(ctx.dbFileName),
                      kTitle, MsgIcon::Exclamation);
        return BackupOutcome::Refused;
    case TargetClash::KeptBesideIt:
        services.tell(QStringLiteral("%1 is a name Brinestead keeps beside the database %2 for its own use, "
                                     "so a backup copy under it would not last. Choose another name for the "
                                     "backup copy.")
                          .arg(QFileInfo(target).fileName(), ctx.dbFileName),
                      kTitle, MsgIcon::Exclamation);
        return BackupOutcome::Refused;
    case TargetClash::None:
        break;
    }

    const bool existed = QFileInfo::exists(absoluteTarget(ctx, target));
    if (existed) {
        const MsgResult answer = services.tell(QStringLiteral("The file already exists, overwrite?"),
                                               QStringLiteral("Note!"), MsgIcon::Question, false,
                                               MsgButtons::OkCancel, MsgResult::Ok);
        if (answer != MsgResult::Ok)
            return BackupOutcome::Declined;
    }

    const BackupCopy copy = copyDatabaseTo(ctx, target);
    if (!copy.ok) {
        QString text = QStringLiteral("%1 could not be backed up to %2: %3.")
                           .arg(ctx.dbFileName, target, copy.error);
        if (existed)
            text += QStringLiteral(" The existing file %1 was left as it was.").arg(target);
        services.tell(text, kTitle, MsgIcon::Exclamation);
        return BackupOutcome::Failed;
    }

    services.tell(backupReportText(ctx.dbFileName, target, copy), kTitle, MsgIcon::Information);
    return BackupOutcome::Copied;
}
