#include "core/Database.h"

#include "core/AppContext.h"
#include "core/OwnFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QRegularExpression>
#include <QVariant>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// Every running copy holds a lock on the start directory's lock file, taken on
// the open file itself, so the kernel lets go of it however the copy ends: a
// file left behind by a copy that was killed, whatever it holds, keeps no one
// out, and there is no looking at it and taking it over for a second copy to
// slip in between. The copy that holds the lock is the only one that removes
// the file, only its own file, and only while it still holds it; a copy that
// got its lock on a file removed meanwhile looks again. The file is made new
// (never through a link) and opened without following a link: whoever may
// write in a shared start folder can leave a link under its name, and the
// file it points to is never written. Copies of earlier releases (QLockFile)
// lock their lock file in the same way, so each refuses to start beside a
// running copy of the other. Started at the same instant, one of each can
// still both start: an earlier release makes its file before it locks it, and
// lets go of the lock before it removes the file.
struct DatabaseLock::Impl {
    enum class Failure { None, Held, NoPermission, ForeignFile, Unreadable, Link, NotAFile, Other };
    Failure failure = Failure::None;
#ifdef Q_OS_UNIX
    std::function<void(Step)> afterStep;
    int fd = -1;
    void stepDone(Step step) const
    {
        if (afterStep)
            afterStep(step);
    }
#else
    explicit Impl(const QString& path) : file(path) { file.setStaleLockTime(0); }
    QLockFile file;
#endif
};

#ifdef Q_OS_UNIX

namespace {

// True when fd is the file now under the name path (not one removed or
// replaced since it was opened, nor a link put there).
bool isFileAt(int fd, const QByteArray& path)
{
    struct stat opened = {}, there = {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &there) == 0 && opened.st_dev == there.st_dev
        && opened.st_ino == there.st_ino;
}

// Who holds the lock, as earlier releases wrote it: the process id, the
// program's name and the machine's, a line each, and nothing after them (an
// earlier release reads a line left over from a longer owner as another
// machine's). Those releases take a lock file that names a process no longer
// running for one left behind.
void writeOwner(int fd)
{
    const QString program = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).fileName();
    const QByteArray owner = QByteArray::number(qint64(::getpid())) + '\n' + QFile::encodeName(program) + '\n'
        + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd, 0) != 0)
        return;
    // Unwritten, the file names no one; the lock keeps others out all the same.
    const ssize_t written = ::pwrite(fd, owner.constData(), size_t(owner.size()), 0);
    Q_UNUSED(written);
}

} // namespace

DatabaseLock::DatabaseLock(const QString& dbPath, std::function<void(Step)> afterStep)
    : m_path(dbPath + QStringLiteral(".lock")), m_impl(new Impl)
{
    m_impl->afterStep = std::move(afterStep);
}

DatabaseLock::~DatabaseLock()
{
    if (m_impl->fd >= 0) {
        // Removed while still held: no copy can lock this file once it lets go
        // and find it still under the name.
        const QByteArray path = QFile::encodeName(m_path);
        if (isFileAt(m_impl->fd, path)) {
            ::unlink(path.constData());
            m_impl->stepDone(Step::Removed);
        }
        ::close(m_impl->fd);
        m_impl->stepDone(Step::Released);
    }
    delete m_impl;
}

bool DatabaseLock::tryLock()
{
    using Failure = Impl::Failure;
    if (m_impl->fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_path);
    const auto refuse = [this](Failure failure) {
        m_impl->failure = failure;
        return false;
    };
    const auto openFailure = [](int error) {
        if (error == ELOOP)
            return Failure::Link;
        if (error == EISDIR)
            return Failure::NotAFile;
        if (error == EACCES || error == EPERM || error == EROFS)
            return Failure::NoPermission;
        return Failure::Other;
    };
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    // Each turn finds the file another copy removed while letting go; a
    // handful of copies coming and going at once is all there ever is.
    for (int turn = 0; turn < 64; ++turn) {
        bool writable = true;
        int fd = ::open(path.constData(), O_RDWR | flags);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | flags, 0666);
            if (fd < 0 && (errno == EEXIST || errno == ENOENT))
                continue;   // another copy made it, or made and removed it, meanwhile
            if (fd < 0)
                return refuse(openFailure(errno));
        } else if (fd < 0 && errno == EACCES) {
            // A lock file this user may not write to, left by a copy run by
            // another user, still takes a lock.
            fd = ::open(path.constData(), O_RDONLY | flags);
            writable = false;
            if (fd < 0 && errno == ENOENT)
                continue;
            if (fd < 0 && errno == EACCES) {
                struct stat there = {};
                if (::lstat(path.constData(), &there) == 0)
                    return refuse(there.st_uid != ::geteuid() ? Failure::ForeignFile : Failure::Unreadable);
                return refuse(Failure::NoPermission);
            }
            if (fd < 0)
                return refuse(openFailure(errno));
        } else if (fd < 0) {
            return refuse(openFailure(errno));
        }
        // Only a file of its own is written to: not a folder or a device, nor
        // a file that has another name elsewhere (a hard link).
        struct stat opened = {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_nlink > 1) {
            const bool linked = S_ISREG(opened.st_mode) && opened.st_nlink > 1;
            ::close(fd);
            return refuse(linked ? Failure::Link : Failure::NotAFile);
        }
        m_impl->stepDone(Step::Opened);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return refuse(error == EWOULDBLOCK ? Failure::Held : Failure::Other);
        }
        m_impl->stepDone(Step::Locked);
        if (!isFileAt(fd, path)) {
            ::close(fd);
            continue;
        }
        m_impl->stepDone(Step::Checked);
        if (writable)
            writeOwner(fd);
        m_impl->fd = fd;
        m_impl->failure = Failure::None;
        return true;
    }
    return refuse(Failure::Held);
}

#else

DatabaseLock::DatabaseLock(const QString& dbPath, std::function<void(Step)>)
    : m_path(dbPath + QStringLiteral(".lock")), m_impl(new Impl(m_path))
{
}

DatabaseLock::~DatabaseLock()
{
    delete m_impl;
}

bool DatabaseLock::tryLock()
{
    using Failure = Impl::Failure;
    const bool locked = m_impl->file.tryLock(0);
    switch (m_impl->file.error()) {
    case QLockFile::NoError:
        m_impl->failure = Failure::None;
        break;
    case QLockFile::LockFailedError:
        m_impl->failure = Failure::Held;
        break;
    case QLockFile::PermissionError:
        m_impl->failure = Failure::NoPermission;
        break;
    default:
        m_impl->failure = Failure::Other;
        break;
    }
    return locked;
}

#endif

QString DatabaseLock::failureReason() const
{
    using Failure = Impl::Failure;
    switch (m_impl->failure) {
    case Failure::None:
        return QString();
    case Failure::Held:
        return QStringLiteral("it is in use by another running copy of Brinestead");
    case Failure::NoPermission:
        return QStringLiteral("its lock file %1 cannot be created (no permission to write in the folder)")
            .arg(m_path);
    case Failure::ForeignFile:
        return QStringLiteral("its lock file %1 belongs to another user and cannot be opened").arg(m_path);
    case Failure::Unreadable:
        return QStringLiteral("its lock file %1 cannot be opened (no permission to read it)").arg(m_path);
    case Failure::Link:
        return QStringLiteral("its lock file %1 is a link, which Brinestead does not write through (remove "
                              "the link and start again)")
            .arg(m_path);
    case Failure::NotAFile:
        return QStringLiteral("its lock file %1 is not a file").arg(m_path);
    case Failure::Other:
        break;
    }
    return QStringLiteral("its lock file %1 cannot be created").arg(m_path);
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

QString creationTempPath(const QString& dbPath)
{
    return dbPath + QStringLiteral(".new");
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


bool tableHasColumn(const QSqlDatabase& db, const QString& table, const QString& column,
                    Qt::CaseSensitivity cs)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    q.addBindValue(table);
    if (!q.exec())
        return false;
    while (q.next())
        if (q.value(0).toString().compare(column, cs) == 0)
            return true;
    return false;
}

namespace {

const QStringList& requiredTables()
{
    static const QStringList tables = {"CONFIG", "TANKLST", "waterlog", "livestock",
                                       "maintlog", "maintsched", "animallist"};
    return tables;
}

// The damage the whole-file check reports, each line as the engine words it.
// True when every line is about an index that no longer matches its table:
// rebuilding the indexes from the tables makes such a file whole again.
bool onlyIndexesDamaged(const QStringList& problems)
{
    static const QRegularExpression indexLine(QStringLiteral(
        "^(row \\d+ missing from index |wrong # of entries in index |non-unique entry in index )"));
    if (problems.isEmpty())
        return false;
    for (const QString& line : problems)
        if (!indexLine.match(line).hasMatch())
            return false;
    return true;
}

struct Inspection {
    QString reason;              // empty: usable as it is
    bool indexesDamaged = false; // the only damage is in indexes
    QString damage;              // the check's first findings
};

// Looks at an existing file without writing to it: is it an SQLite file, is it
// sound (every page, and every index against its table), does it hold the
// program's tables. An empty reason when it is usable.
// A file left with a journal by an interrupted change is looked at through a
// writable connection, so that the engine first rolls the interrupted change back
// (a read-only look would find it unusable for ever).
Inspection inspectReadOnly(const QString& path)
{
    const bool interrupted = QFileInfo(path + QStringLiteral("-journal")).size() > 0
        || QFileInfo(path + QStringLiteral("-wal")).size() > 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Inspection{QStringLiteral("it cannot be read (%1)").arg(file.errorString()), false, QString()};
    const QByteArray header = file.read(16);
    const qint64 size = file.size();
    file.close();
    if (size == 0)
        return Inspection{QStringLiteral("the file is empty, it is not a Brinestead database"), false, QString()};
    if (header != QByteArray("SQLite format 3\0", 16))
        return Inspection{QStringLiteral("it is not a Brinestead database (not an SQLite database file)"), false, QString()};

    const QString name = QStringLiteral("brinestead_inspect_%1").arg(quintptr(&path));
    QString reason;
    QString damage;
    bool indexesDamaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(interrupted ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=200")
                                         : QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=200"));
        if (!db.open()) {
            reason = QStringLiteral("it cannot be opened (%1)").arg(db.lastError().text());
        } else {
            QSqlQuery check(db);
            check.setForwardOnly(true);
            // The whole check: a quick one does not compare indexes with their
            // tables, and a mismatch would make lists come back short.
            if (!check.exec(QStringLiteral("PRAGMA integrity_check"))) {
                const QString text = check.lastError().databaseText();
                if (text.contains(QLatin1String("locked"), Qt::CaseInsensitive)
                    || text.contains(QLatin1String("busy"), Qt::CaseInsensitive))
                    reason = QStringLiteral("it is in use by another program (%1)").arg(text);
                else
                    reason = QStringLiteral("the file is damaged (%1)").arg(text);
            } else {
                QStringList problems;
                while (check.next()) {
                    const QString line = check.value(0).toString();
                    if (line != QLatin1String("ok"))
                        problems << line;
                }
                if (!problems.isEmpty()) {
                    damage = problems.mid(0, 3).join(QStringLiteral("; "));
                    reason = QStringLiteral("the file is damaged (%1)").arg(damage);
                    indexesDamaged = onlyIndexesDamaged(problems);
                }
            }
            if (reason.isEmpty()) {
                QStringList missing;
                for (const QString& table : requiredTables()) {
                    QSqlQuery q(db);
                    q.setForwardOnly(true);
                    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
                    q.addBindValue(table);
                    if (!q.exec() || !q.next())
                        missing << table;
                }
                if (missing.contains(QLatin1String("CONFIG")))
                    reason = QStringLiteral("it has no CONFIG table, so it is not a Brinestead database");
                else if (!missing.isEmpty())
                    reason = QStringLiteral("it is not a Brinestead database (the table%1 %2 %3 missing)")
                                 .arg(missing.size() > 1 ? QStringLiteral("s") : QString(),
                                      missing.join(QStringLiteral(", ")),
                                      missing.size() > 1 ? QStringLiteral("are") : QStringLiteral("is"));
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return {reason, indexesDamaged, damage};
}

// A name beside path that nothing has yet (a link to no file counts as
// taken): path + suffix, then with a number.
QString freeNameBeside(const QString& path, const QString& suffix)
{
    QString candidate = path + suffix;
    for (int n = 2; nameIsTaken(candidate); ++n)
        candidate = path + suffix + QString::number(n);
    return candidate;
}

// Rebuilds the indexes of a file whose only damage is in them, after keeping a
// copy of the file as it was at *copyPath. When the rebuild does not make the
// file whole, the file is put back as it was and the reason returned.
QString rebuildIndexes(const QString& path, QString* copyPath)
{
    *copyPath = freeNameBeside(path, QStringLiteral(".damaged"));
    if (!QFile::copy(path, *copyPath)) {
        copyPath->clear();
        return QStringLiteral("its damaged indexes could not be rebuilt, as no copy of it could be kept");
    }
    const QString name = QStringLiteral("brinestead_reindex_%1").arg(quintptr(&path));
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("REINDEX"))) {
                problem = q.lastError().text();
            } else if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next()
                       || q.value(0).toString() != QLatin1String("ok")) {
                problem = q.lastError().isValid() ? q.lastError().text() : q.value(0).toString();
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (problem.isEmpty())
        return QString();
    // Put the file back as it was; the copy is no longer needed.
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
    if (QFile::rename(*copyPath, path))
        copyPath->clear();
    return QStringLiteral("the file is damaged and rebuilding its indexes did not mend it (%1)").arg(problem);
}

// Makes the file at path in its installed state, under a temporary name beside
// it first: a crash while it is being made leaves no half-made file at path.
bool createInPlace(const QString& path, const QString& tempPath, QString* error)
{
    QFile::remove(tempPath);
    QFile::remove(tempPath + QStringLiteral("-journal"));
    if (!createInstalledDatabase(tempPath, error)) {
        QFile::remove(tempPath);
        return false;
    }
    const QString unflushed = flushToDisk(tempPath);
    if (!unflushed.isEmpty()) {
        QFile::remove(tempPath);
        if (error)
            *error = unflushed;
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tempPath.toStdString()),
                            std::filesystem::path(path.toStdString()), ec);
    if (ec) {
        QFile::remove(tempPath);
        if (error)
            *error = QString::fromStdString(ec.message());
        return false;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

// Why the open file cannot be written to; empty when it can.
QString writeProbe(QSqlDatabase& db)
{
    QSqlQuery probe(db);
    // Another program's write lock is not waited out for long at start-up.
    probe.exec(QStringLiteral("PRAGMA busy_timeout = 200"));
    // The write lock shows another program writing; a statement that would
    // write (and here removes nothing) shows a file this user may only read.
    const bool begun = probe.exec(QStringLiteral("BEGIN IMMEDIATE"));
    const bool writable = begun && probe.exec(QStringLiteral("DELETE FROM CONFIG WHERE 0"));
    const QString text = probe.lastError().databaseText();
    if (begun)
        probe.exec(QStringLiteral("ROLLBACK"));
    probe.exec(QStringLiteral("PRAGMA busy_timeout = 2000"));
    if (writable)
        return QString();
    if (text.contains(QLatin1String("readonly"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
        return QStringLiteral("it is read-only, so no entry could be saved (%1)").arg(text);
    if (text.contains(QLatin1String("locked"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("busy"), Qt::CaseInsensitive))
        return QStringLiteral("it is in use by another program (%1)").arg(text);
    return QStringLiteral("it cannot be written (%1)").arg(text);
}

DbOpenResult refuse(const QString& path, const QString& reason)
{
    DbOpenResult result;
    result.status = DbOpenResult::Refused;
    result.message = QStringLiteral("The database file %1 cannot be used: %2. The file was left as it is.")
                         .arg(QDir::toNativeSeparators(path), reason);
    return result;
}

} // namespace

DbOpenResult openDatabase(AppContext& ctx)
{
    const QString path = ctx.dbPath();
    closeDatabase(ctx);

    // One running copy per start directory: the lock comes before anything else.
    auto lock = std::make_unique<DatabaseLock>(path);
    if (!lock->tryLock())
        return refuse(path, lock->failureReason());

    DbOpenResult result;
    const QFileInfo info(path);
    const bool existed = info.exists();
    // A new file made by a start that was cut short is thrown away.
    const QString tempPath = creationTempPath(path);
    QFile::remove(tempPath);
    QFile::remove(tempPath + QStringLiteral("-journal"));

    QString repairNote;
    if (existed) {
        if (!info.isFile())
            return refuse(path, QStringLiteral("it is not a file"));
        const Inspection inspection = inspectReadOnly(path);
        if (inspection.indexesDamaged) {
            QString copyPath;
            const QString failure = rebuildIndexes(path, &copyPath);
            if (!failure.isEmpty())
                return refuse(path, failure);
            const Inspection mended = inspectReadOnly(path);
            if (!mended.reason.isEmpty())
                return refuse(path, mended.reason);
            repairNote = QStringLiteral("The database file %1 was damaged: its indexes no longer matched its "
                                        "tables (%2). The indexes were rebuilt from the tables and the file is "
                                        "whole again. A copy of the damaged file was kept as %3.")
                             .arg(QDir::toNativeSeparators(path), inspection.damage,
                                  QDir::toNativeSeparators(copyPath));
        } else if (!inspection.reason.isEmpty()) {
            return refuse(path, inspection.reason);
        }
    } else {
        QString error;
        if (!createInPlace(path, tempPath, &error)) {
            result.message = QStringLiteral("The database file %1 could not be created: %2")
                                 .arg(QDir::toNativeSeparators(path), error);
            return result;
        }
    }

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ctx.connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            const QString text = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(ctx.connectionName);
            return refuse(path, QStringLiteral("it cannot be opened (%1)").arg(text));
        }
        // A file the program may not write to (read-only, or held by another
        // program) would refuse every entry later on; say so now. Taking the
        // write lock and giving it back changes nothing in the file.
        const QString unwritable = writeProbe(db);
        if (!unwritable.isEmpty()) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(ctx.connectionName);
            return refuse(path, unwritable);
        }
        // A CONFIG table without its row gets the default row: nothing to lose.
        if (!ensureConfigRow(db)) {
            const QString text = db.lastError().text();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(ctx.connectionName);
            return refuse(path, QStringLiteral("its CONFIG table cannot be read or written (%1)").arg(text));
        }
    }
    ctx.lock = std::move(lock);
    result.status = existed ? DbOpenResult::Opened : DbOpenResult::Created;
    result.message = repairNote;
    if (!existed)
        result.message = QStringLiteral("A new database file was created at %1.").arg(QDir::toNativeSeparators(path));
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
    if (tableHasColumn(db, QStringLiteral("CONFIG"), QStringLiteral("db_version"), Qt::CaseInsensitive)) {
        // The version the tables are at: the rule columns come with "2.0 ".
        const bool v20 = tableHasColumn(db, QStringLiteral("maintsched"), QStringLiteral("SchedRtype"),
                                        Qt::CaseInsensitive);
        ins.prepare(QStringLiteral("INSERT INTO CONFIG (db_version, default_salt, default_fresh, "
                                   "user_fieldname1, user_fieldname2) VALUES (?, 0, 1, '', '')"));
        ins.addBindValue(v20 ? kCurrentDbVersion : QStringLiteral("1.1 "));
    } else {
        ins.prepare(QStringLiteral("INSERT INTO CONFIG (default_salt, default_fresh, user_fieldname1, "
                                   "user_fieldname2) VALUES (0, 1, '', '')"));
    }
    return ins.exec();
}

QString checkDatabaseVersion(AppContext& ctx)
{
    ctx.dbVersion = QStringLiteral("0.0 ");
    QSqlDatabase db = ctx.db();
    // The column's name is compared exactly, as the first schema had none.
    if (db.isOpen() && tableHasColumn(db, QStringLiteral("CONFIG"), QStringLiteral("db_version"), Qt::CaseSensitive)) {
        ensureConfigRow(db);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("SELECT db_version FROM CONFIG ORDER BY rowid LIMIT 1")) && q.next())
            ctx.dbVersion = q.value(0).isNull() ? QString() : q.value(0).toString();
        else
            ctx.dbVersion = QString();
    }
    return ctx.dbVersion;
}
