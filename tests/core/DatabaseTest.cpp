// Opening VX.MDB: creating a missing file, refusing unusable ones untouched,
// one running copy per start directory.
#include "support/ReadOnlyForThisThread.h"
#include "support/TestEnv.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct PairTally {
    int both = 0;      // pairs in which both copies held the lock at once
    int neither = 0;   // pairs in which no copy got it
};

// Forks pairs of copies that wait on one pipe and, released at the same
// instant, try the lock of dbPath; a copy that gets it keeps it until its
// partner has tried, and ends without letting go of it, as a killed one does.
// before() runs ahead of each pair. With a holder, a third copy holds the lock
// first and lets go of it as the pair is released.
PairTally lockTriedByPairsAtOnce(const QString& dbPath, int pairs, const std::function<void()>& before,
                                 bool holder = false)
{
    PairTally tally;
    for (int pair = 0; pair < pairs; ++pair) {
        before();
        int go[2], told[2], done[2];
        if (::pipe(go) != 0 || ::pipe(told) != 0 || ::pipe(done) != 0) {
            ADD_FAILURE() << "no pipe";
            return tally;
        }
        QList<pid_t> copies;
        for (int n = holder ? 3 : 2; n > 0; --n) {
            const bool holds = holder && n == 3;
            const pid_t copy = ::fork();
            if (copy == 0) {
                ::close(go[1]);
                ::close(told[0]);
                ::close(done[1]);
                char c = 0;
                if (holds) {
                    {
                        DatabaseLock lock(dbPath);
                        c = lock.tryLock() ? 'h' : 'x';
                        if (::write(told[1], &c, 1) != 1 || ::read(go[0], &c, 1) < 0)
                            ::_exit(1);
                    }   // lets go as the pair starts
                    ::_exit(0);
                }
                if (::read(go[0], &c, 1) < 0)   // the end of the pipe releases the pair
                    ::_exit(1);
                DatabaseLock lock(dbPath);
                c = lock.tryLock() ? '1' : '0';
                if (::write(told[1], &c, 1) != 1 || ::read(done[0], &c, 1) < 0)
                    ::_exit(1);
                ::_exit(0);
            }
            copies << copy;
            char c = 0;
            if (holds && (::read(told[0], &c, 1) != 1 || c != 'h'))
                ADD_FAILURE() << "the holder did not get the lock";
        }
        ::close(go[0]);
        ::close(told[1]);
        ::close(done[0]);
        ::close(go[1]);
        int held = 0;
        char c = 0;
        for (int answers = 0; answers < 2 && ::read(told[0], &c, 1) == 1; ++answers)
            held += c == '1';
        ::close(done[1]);
        ::close(told[0]);
        for (const pid_t copy : copies)
            ::waitpid(copy, nullptr, 0);
        tally.both += held == 2;
        tally.neither += held == 0;
    }
    return tally;
}

QStringList column(const QSqlDatabase& db, const QString& sql)
{
    QStringList out;
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(sql)) << qPrintable(q.lastError().text());
    while (q.next())
        out << (q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString());
    return out;
}

void runRaw(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw");
        raw.setDatabaseName(path);
        ASSERT_TRUE(raw.open());
        for (const QString& sql : statements) {
            QSqlQuery q(raw);
            ASSERT_TRUE(q.exec(sql)) << qPrintable(sql);
        }
        raw.close();
    }
    QSqlDatabase::removeDatabase("raw");
}

// Where an index or table keeps its rows: the byte range of its root page.
QPair<qint64, qint64> rootPageRange(const QString& path, const QString& object)
{
    qint64 root = 0, pageSize = 0;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "pages");
        raw.setDatabaseName(path);
        if (raw.open()) {
            QSqlQuery q(raw);
            q.prepare("SELECT rootpage FROM sqlite_master WHERE name = ?");
            q.addBindValue(object);
            if (q.exec() && q.next())
                root = q.value(0).toLongLong();
            if (q.exec("PRAGMA page_size") && q.next())
                pageSize = q.value(0).toLongLong();
            raw.close();
        }
    }
    QSqlDatabase::removeDatabase("pages");
    return {(root - 1) * pageSize, root * pageSize};
}

// Damages the file the way a few flipped bits do: the first `from` stored in
// the object's root page becomes `to` (of the same length), nothing else.
void flipInPage(const QString& path, const QString& object, const QByteArray& from, const QByteArray& to)
{
    ASSERT_EQ(from.size(), to.size());
    const auto [begin, end] = rootPageRange(path, object);
    ASSERT_GT(end, begin);
    QByteArray bytes = readAll(path);
    const qint64 at = bytes.indexOf(from, begin);
    ASSERT_TRUE(at >= 0 && at + from.size() <= end) << "not in the root page of " << object.toStdString();
    bytes.replace(at, from.size(), to);
    writeFile(path, bytes);
}

QString firstValue(const QString& path, const QString& sql)
{
    QString value;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "peek");
        raw.setDatabaseName(path);
        if (raw.open()) {
            QSqlQuery q(raw);
            if (q.exec(sql) && q.next())
                value = q.value(0).toString();
            q.finish();
            raw.close();
        }
    }
    QSqlDatabase::removeDatabase("peek");
    return value;
}

} // namespace

TEST(Database, MissingFileIsCreatedInItsInstalledState)
{
    TestEnv env(false);
    const DbOpenResult r = openDatabase(*env.ctx);
    ASSERT_EQ(r.status, DbOpenResult::Created);
    EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(env.ctx->dbPath()))) << qPrintable(r.message);
    {
        const QSqlDatabase db = env.ctx->db();
        EXPECT_EQ(checkDatabaseVersion(*env.ctx), "2.0 ");
        EXPECT_EQ(column(db, "SELECT default_salt || ',' || default_fresh || ',' || user_fieldname1 || ',' || "
                             "user_fieldname2 FROM CONFIG"),
                  QStringList{"0,1,,"});
        EXPECT_EQ(column(db, "SELECT animalname FROM animallist WHERE AnimalType = '1' ORDER BY rowid"),
                  freshwaterSeedNames());
        EXPECT_EQ(column(db, "SELECT animalname FROM animallist WHERE AnimalType = 'M' ORDER BY rowid"),
                  maintenanceSeedNames());
        EXPECT_EQ(column(db, "SELECT count(*) FROM animallist"), QStringList{"67"});
        EXPECT_EQ(column(db, "SELECT count(*) FROM TANKLST"), QStringList{"0"});
        EXPECT_TRUE(tableHasColumn(db, "maintsched", "SchedEndDate"));
    }

    // A second start finds the file and opens it as it is.
    closeDatabase(*env.ctx);
    const DbOpenResult again = openDatabase(*env.ctx);
    EXPECT_EQ(again.status, DbOpenResult::Opened);
    EXPECT_TRUE(again.message.isEmpty());
}

TEST(Database, NewFileLeftHalfMadeByACrashGoesAtTheNextStart)
{
    // A first start killed while it made the file leaves only the temporary
    // file (empty, or without its CONFIG row); VX.MDB itself does not exist
    // yet and is made afresh, or has been put there since and is opened as it is.
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;
        bool dbThere = false;
    };
    const QList<Case> cases = {
        {"empty", [](const QString& p) { writeFile(p, QByteArray()); }},
        {"tables without CONFIG", [](const QString& p) { runRaw(p, {"CREATE TABLE TANKLST (tankid TEXT)"}); }},
        {"garbage", [](const QString& p) { writeFile(p, QByteArray(3000, '\x7f')); }},
        {"garbage beside a VX.MDB", [](const QString& p) { writeFile(p, QByteArray(3000, '\x7f')); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env(false);
        if (c.dbThere) {
            ASSERT_TRUE(createInstalledDatabase(env.ctx->dbPath()));
            runRaw(env.ctx->dbPath(), {"INSERT INTO TANKLST (tankid, tankname) VALUES ('k', 'Reef')"});
        }
        const QString leftover = creationTempPath(env.ctx->dbPath());
        EXPECT_TRUE(leftover.startsWith(env.dir.path()));
        c.make(leftover);
        writeFile(leftover + "-journal", "torn");

        const DbOpenResult r = openDatabase(*env.ctx);

        ASSERT_EQ(r.status, c.dbThere ? DbOpenResult::Opened : DbOpenResult::Created) << qPrintable(r.message);
        EXPECT_FALSE(QFileInfo::exists(leftover));
        EXPECT_FALSE(QFileInfo::exists(leftover + "-journal"));
        EXPECT_EQ(column(env.ctx->db(), "SELECT db_version FROM CONFIG"), QStringList{"2.0 "});
        EXPECT_EQ(column(env.ctx->db(), "SELECT count(*) FROM TANKLST"), QStringList{c.dbThere ? "1" : "0"});
    }
}

TEST(Database, IndexesThatNoLongerMatchTheirTablesAreRebuiltAndACopyKept)
{
    TestEnv env(false);
    const QString path = env.ctx->dbPath();
    ASSERT_TRUE(openDatabase(*env.ctx).ok());
    for (int day = 1; day <= 5; ++day)
        runRaw(path, {QStringLiteral("INSERT INTO waterlog (tankname, logdate, logtime, ph) VALUES "
                                     "('T1', '2024-01-0%1', '08:00:00', 7.%1)").arg(day)});
    closeDatabase(*env.ctx);
    // The index entry of the last test now names another day: a list read
    // through the index comes back one test short.
    flipInPage(path, "waterlog_tank", "2024-01-05", "2024-01-07");
    ASSERT_EQ(firstValue(path, "SELECT count(*) FROM waterlog WHERE tankname = 'T1' AND logdate <= '2024-01-05'"), "4");
    const QByteArray damaged = readAll(path);

    const DbOpenResult r = openDatabase(*env.ctx);

    ASSERT_EQ(r.status, DbOpenResult::Opened) << qPrintable(r.message);
    const QString copy = path + ".damaged";
    EXPECT_TRUE(r.message.contains("index")) << qPrintable(r.message);
    EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(copy))) << qPrintable(r.message);
    EXPECT_EQ(readAll(copy), damaged);
    EXPECT_EQ(column(env.ctx->db(), "SELECT count(*) FROM waterlog WHERE tankname = 'T1' AND logdate <= '2024-01-05'"),
              QStringList{"5"});
    EXPECT_EQ(column(env.ctx->db(), "PRAGMA integrity_check"), QStringList{"ok"});

    // The mended file opens quietly from then on.
    closeDatabase(*env.ctx);
    const DbOpenResult again = openDatabase(*env.ctx);
    EXPECT_EQ(again.status, DbOpenResult::Opened);
    EXPECT_TRUE(again.message.isEmpty()) << qPrintable(again.message);
    closeDatabase(*env.ctx);

    // Damaged again while the first copy is still there, and a link to no
    // file under the next name: the indexes are rebuilt once more, the new
    // copy is kept under the next free name (not through the link) and the
    // first copy stays as it was.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.filePath("copy"), path + ".damaged2"));
    flipInPage(path, "waterlog_tank", "2024-01-05", "2024-01-07");
    const QByteArray damagedAgain = readAll(path);
    ASSERT_NE(damagedAgain, damaged);

    const DbOpenResult second = openDatabase(*env.ctx);

    ASSERT_EQ(second.status, DbOpenResult::Opened) << qPrintable(second.message);
    const QString secondCopy = path + ".damaged3";
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("copy")));
    EXPECT_TRUE(second.message.contains(QDir::toNativeSeparators(secondCopy))) << qPrintable(second.message);
    EXPECT_EQ(readAll(secondCopy), damagedAgain);
    EXPECT_EQ(readAll(copy), damaged);
    EXPECT_EQ(column(env.ctx->db(), "SELECT count(*) FROM waterlog WHERE tankname = 'T1' AND logdate <= '2024-01-05'"),
              QStringList{"5"});
}

TEST(Database, DamageThatRebuildingIndexesCannotMendIsRefusedAndTheFileLeftAsItWas)
{
    TestEnv env(false);
    const QString path = env.ctx->dbPath();
    ASSERT_TRUE(openDatabase(*env.ctx).ok());
    runRaw(path, {"INSERT INTO TANKLST (tankid, tankname) VALUES ('a', 'Reef')",
                  "INSERT INTO TANKLST (tankid, tankname) VALUES ('b', 'Reeg')"});
    closeDatabase(*env.ctx);
    // Two tanks of one name in the table: the unique index cannot be rebuilt.
    flipInPage(path, "TANKLST", "Reeg", "Reef");
    const QByteArray damaged = readAll(path);
    const QStringList filesBefore = QDir(env.dir.path()).entryList(QDir::Files);

    const DbOpenResult r = openDatabase(*env.ctx);

    EXPECT_EQ(r.status, DbOpenResult::Refused);
    EXPECT_TRUE(r.message.contains("damaged")) << qPrintable(r.message);
    EXPECT_TRUE(r.message.contains("UNIQUE")) << qPrintable(r.message);
    EXPECT_EQ(readAll(path), damaged);
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files), filesBefore);
}

TEST(Database, UnusableFilesAreRefusedWithTheirReasonAndLeftUntouched)
{
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;
        const char* reason;   // how the message's reason begins
    };
    const QList<Case> cases = {
        {"text file", [](const QString& p) { writeFile(p, "This is my fish list\nNemo\n"); },
         "it is not a Brinestead database (not an SQLite database file)"},
        {"empty file", [](const QString& p) { writeFile(p, QByteArray()); },
         "the file is empty, it is not a Brinestead database"},
        {"damaged file",
         [](const QString& p) {
             ASSERT_TRUE(createInstalledDatabase(p));
             QByteArray bytes = readAll(p);
             // Keep the header, scramble the pages after it.
             for (int i = 100; i < bytes.size(); ++i)
                 bytes[i] = char(0xA5 ^ (i & 0xff));
             writeFile(p, bytes);
         },
         "the file is damaged ("},
        // Damage outside the indexes: rebuilding them cannot mend it, so none
        // is tried and the file is not written to.
        {"wrong count of free pages in the header",
         [](const QString& p) {
             ASSERT_TRUE(createInstalledDatabase(p));
             QByteArray bytes = readAll(p);
             ASSERT_EQ(bytes.mid(36, 4), QByteArray(4, '\0'));
             bytes[39] = 5;
             writeFile(p, bytes);
         },
         "the file is damaged ("},
        {"no CONFIG table",
         [](const QString& p) { runRaw(p, {"CREATE TABLE TANKLST (tankid TEXT, tankname TEXT)"}); },
         "it has no CONFIG table, so it is not a Brinestead database"},
        {"other tables missing",
         [](const QString& p) { runRaw(p, {"CREATE TABLE CONFIG (db_version TEXT)"}); },
         "it is not a Brinestead database (the tables TANKLST, waterlog, livestock, maintlog, maintsched, "
         "animallist are missing)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env(false);
        const QString path = env.ctx->dbPath();
        c.make(path);
        const QByteArray before = readAll(path);
        const QStringList filesBefore = QDir(env.dir.path()).entryList(QDir::Files);

        const DbOpenResult r = openDatabase(*env.ctx);
        EXPECT_EQ(r.status, DbOpenResult::Refused);
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("The database file %1 cannot be used: %2")
                                             .arg(QDir::toNativeSeparators(path), QLatin1String(c.reason))))
            << qPrintable(r.message);
        EXPECT_TRUE(r.message.endsWith(". The file was left as it is.")) << qPrintable(r.message);
        EXPECT_FALSE(env.ctx->db().isOpen());
        EXPECT_FALSE(env.ctx->lock);
        EXPECT_EQ(readAll(path), before);
        EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files), filesBefore);
    }
}

TEST(Database, SecondOpenOfTheSameStartDirectoryIsRefused)
{
    TestEnv first;
    const QByteArray before = readAll(first.ctx->dbPath());
    AppContext second;
    second.startDir = first.dir.path();
    const DbOpenResult r = openDatabase(second);
    EXPECT_EQ(r.status, DbOpenResult::Refused);
    EXPECT_TRUE(r.message.contains("another running copy")) << qPrintable(r.message);
    EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(first.ctx->dbPath())));
    EXPECT_EQ(readAll(first.ctx->dbPath()), before);

    // Once the first copy has closed, the directory can be opened again.
    closeDatabase(*first.ctx);
    EXPECT_TRUE(openDatabase(second).ok());
    closeDatabase(second);

    // A copy of an earlier release (it locks with QLockFile) and this one
    // refuse to run beside each other, whichever came first.
    const QString lockPath = first.ctx->dbPath() + ".lock";
    {
        QLockFile earlier(lockPath);
        earlier.setStaleLockTime(0);
        ASSERT_TRUE(earlier.tryLock(0));
        const DbOpenResult beside = openDatabase(second);
        EXPECT_EQ(beside.status, DbOpenResult::Refused);
        EXPECT_TRUE(beside.message.contains("another running copy")) << qPrintable(beside.message);
    }
    ASSERT_TRUE(openDatabase(second).ok());
    QLockFile earlier(lockPath);
    earlier.setStaleLockTime(0);
    EXPECT_FALSE(earlier.tryLock(0));
}

TEST(Database, LockLeftByACopyThatEndedIsTakenOver)
{
    TestEnv env(false);
    qint64 pid = 4000000;
    while (QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        ++pid;
    const QString lockPath = env.ctx->dbPath() + ".lock";
    // What a copy of an earlier release that was killed leaves, naming more
    // than this release writes (its program's longer name, the machine's id).
    const QByteArray leftByAnEarlierRelease = QStringLiteral("%1\nbrinestead-of-an-earlier-release\n%2\n%3\n")
                                                  .arg(pid)
                                                  .arg(QSysInfo::machineHostName(),
                                                       QString::fromLatin1(QSysInfo::machineUniqueId()))
                                                  .toUtf8();
    writeFile(lockPath, leftByAnEarlierRelease);
    const DbOpenResult r = openDatabase(*env.ctx);
    EXPECT_TRUE(r.ok()) << qPrintable(r.message);
    // Who holds it now, and nothing of the owner before.
    EXPECT_EQ(readAll(lockPath).toStdString(),
              QStringLiteral("%1\n%2\n%3\n")
                  .arg(::getpid())
                  .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), QSysInfo::machineHostName())
                  .toStdString());
    closeDatabase(*env.ctx);

    // A copy of this release killed while it held the lock leaves its lock
    // file; the next copy starts, of this release or of an earlier one (it
    // locks with QLockFile and takes over a lock file only when it names a
    // process that no longer runs, on this machine).
    for (const bool earlierRelease : {false, true}) {
        SCOPED_TRACE(earlierRelease ? "next copy of an earlier release" : "next copy of this release");
        writeFile(lockPath, leftByAnEarlierRelease);
        const pid_t killed = ::fork();
        if (killed == 0) {
            DatabaseLock lock(env.ctx->dbPath());
            ::_exit(lock.tryLock() ? 0 : 1);
        }
        int status = -1;
        ::waitpid(killed, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        ASSERT_TRUE(QFileInfo::exists(lockPath));
        if (earlierRelease) {
            QLockFile earlier(lockPath);
            earlier.setStaleLockTime(0);
            EXPECT_TRUE(earlier.tryLock(0)) << earlier.error();
        } else {
            const DbOpenResult next = openDatabase(*env.ctx);
            EXPECT_TRUE(next.ok()) << qPrintable(next.message);
            closeDatabase(*env.ctx);
        }
    }
}

TEST(Database, LockFileThatNamesNoOneIsTakenOverOnlyWhenNobodyHoldsIt)
{
    // Left by a copy killed between making its lock file and writing who it
    // is into it, or held by a copy starting at this very moment.
    const struct {
        const char* label;
        QByteArray content;
        bool held;
    } cases[] = {{"empty", {}, false}, {"torn", "12", false}, {"empty, held by a copy starting", {}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TestEnv env(false);
        const QString lockPath = env.ctx->dbPath() + ".lock";
        writeFile(lockPath, c.content);
        QFile holder(lockPath);
        ASSERT_TRUE(holder.open(QIODevice::ReadOnly));
        if (c.held) {
            ASSERT_EQ(::flock(holder.handle(), LOCK_EX | LOCK_NB), 0);
        }
        const DbOpenResult r = openDatabase(*env.ctx);
        if (c.held) {
            EXPECT_EQ(r.status, DbOpenResult::Refused);
            EXPECT_TRUE(r.message.contains("another running copy")) << qPrintable(r.message);
            EXPECT_EQ(readAll(lockPath), c.content);
            continue;
        }
        EXPECT_TRUE(r.ok()) << qPrintable(r.message);

        // The lock is then held again: a second copy is still refused.
        AppContext second;
        second.startDir = env.dir.path();
        second.connectionName = QStringLiteral("second_copy");
        EXPECT_EQ(openDatabase(second).status, DbOpenResult::Refused);
    }

    // A guard beside the interleavings tried one by one below: copies of their
    // own, started at the same instant over an empty lock file that nobody
    // holds, over none at all, or as the copy before them ends.
    for (const bool emptyFile : {true, false}) {
        SCOPED_TRACE(emptyFile ? "copies started together over an empty lock file"
                               : "copies started together over no lock file");
        TestEnv env(false);
        const QString lockPath = env.ctx->dbPath() + ".lock";
        const PairTally tally = lockTriedByPairsAtOnce(env.ctx->dbPath(), 5, [&] {
            QFile::remove(lockPath);
            if (emptyFile)
                writeFile(lockPath, {});
        });
        EXPECT_EQ(tally.both, 0);
        EXPECT_EQ(tally.neither, 0);
    }
    {
        SCOPED_TRACE("copies started together as the copy before them ends");
        TestEnv env(false);
        const PairTally tally = lockTriedByPairsAtOnce(env.ctx->dbPath(), 5, [] {}, true);
        EXPECT_EQ(tally.both, 0);
    }
}

namespace {

using Step = DatabaseLock::Step;

// What is done after one step of a lock, the first time it is taken.
std::function<void(Step)> after(Step step, std::function<void()> what)
{
    return [step, what = std::move(what), done = std::make_shared<bool>(false)](Step taken) {
        if (taken == step && !*done) {
            *done = true;
            what();
        }
    };
}

const char* stepName(Step step)
{
    switch (step) {
    case Step::Opened: return "opened";
    case Step::Locked: return "locked";
    case Step::Checked: return "checked";
    case Step::Removed: return "removed";
    case Step::Released: return "released";
    }
    return "?";
}

} // namespace

// Locks opened apart keep each other out within one process as copies do, so
// each order of two copies' steps is tried in turn, through what the lock does
// between its steps.
TEST(Database, OneCopyHoldsTheLockInWhateverOrderCopiesComeAndGo)
{
    // While this copy takes the lock, between two of its steps: the copy
    // before it ends, the lock file is removed (by someone else), another
    // copy starts.
    const struct {
        const char* label;
        Step step;
        bool copyBefore;      // a copy holds the lock as this one starts
        bool leftBehind;      // else a lock file left by a killed copy is there
        bool copyBeforeEnds;
        bool fileRemoved;
        bool anotherStarts;
        bool thisCopyHolds;
        bool linkPut = false;   // the file is moved aside and a link to it put under its name
    } cases[] = {
        {"the copy before ends", Step::Opened, true, false, true, false, false, true},
        {"the copy before ends and another starts", Step::Opened, true, false, true, false, true, false},
        {"the file left behind is removed and another copy starts", Step::Opened, false, true, false, true, true,
         false},
        {"the file left behind is removed", Step::Opened, false, true, false, true, false, true},
        {"the file is removed and another copy starts", Step::Locked, false, true, false, true, true, false},
        {"the file is removed", Step::Locked, false, false, false, true, false, true},
        {"another copy starts", Step::Opened, false, true, false, false, true, false},
        {"another copy starts", Step::Checked, false, false, false, false, true, true},
        // a link under the lock's name is never taken for the lock file
        {"the file left behind is put aside, a link to it in its place", Step::Opened, false, true, false, false,
         false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.label) + ", after this copy's lock file is " + stepName(c.step));
        TestEnv env(false);
        const QString db = env.ctx->dbPath();
        const QString lockPath = db + ".lock";
        if (c.leftBehind)
            writeFile(lockPath, "4000000\nbrinestead\nelsewhere\n");
        auto before = std::make_unique<DatabaseLock>(db);
        if (c.copyBefore) {
            ASSERT_TRUE(before->tryLock());
        }
        DatabaseLock another(db);
        bool anotherHolds = false;
        DatabaseLock thisCopy(db, after(c.step, [&] {
            if (c.copyBeforeEnds)
                before.reset();
            if (c.fileRemoved)
                QFile::remove(lockPath);
            if (c.anotherStarts)
                anotherHolds = another.tryLock();
            if (c.linkPut) {
                ASSERT_TRUE(QFile::rename(lockPath, env.path("aside")));
                ASSERT_TRUE(QFile::link(env.path("aside"), lockPath));
            }
        }));

        EXPECT_EQ(thisCopy.tryLock(), c.thisCopyHolds);
        if (!c.thisCopyHolds) {
            EXPECT_TRUE(thisCopy.failureReason().startsWith(c.linkPut ? "its lock file " + lockPath + " is a link"
                                                                      : "it is in use by another running copy"))
                << qPrintable(thisCopy.failureReason());
        }
        EXPECT_EQ(anotherHolds, c.anotherStarts && !c.thisCopyHolds);
        // Whoever holds it, the lock is held: one more copy is refused.
        DatabaseLock oneMore(db);
        EXPECT_FALSE(oneMore.tryLock());
        EXPECT_TRUE(QFileInfo::exists(lockPath));
        if (c.linkPut) {
            EXPECT_EQ(readAll(env.path("aside")), "4000000\nbrinestead\nelsewhere\n");
        }
    }

    // While the copy before lets go, between two of its steps, this copy
    // starts; one more copy starts once the copy before is gone.
    for (const Step step : {Step::Removed, Step::Released}) {
        SCOPED_TRACE(std::string("this copy starts after the lock file of the copy before is ") + stepName(step));
        TestEnv env(false);
        const QString db = env.ctx->dbPath();
        DatabaseLock thisCopy(db);
        bool thisCopyHolds = false;
        {
            DatabaseLock before(db, [&](Step taken) {
                if (taken == step)
                    thisCopyHolds = thisCopy.tryLock();
            });
            ASSERT_TRUE(before.tryLock());
        }
        EXPECT_TRUE(thisCopyHolds);
        DatabaseLock oneMore(db);
        EXPECT_FALSE(oneMore.tryLock());
    }

    // The lock file removed by someone else while a copy runs: the next copy
    // starts beside it, as nothing shows the first one is there; when the
    // first ends, it leaves the second copy's file alone.
    {
        SCOPED_TRACE("the file removed while a copy runs");
        TestEnv env(false);
        const QString db = env.ctx->dbPath();
        auto first = std::make_unique<DatabaseLock>(db);
        ASSERT_TRUE(first->tryLock());
        ASSERT_TRUE(QFile::remove(db + ".lock"));
        DatabaseLock second(db);
        ASSERT_TRUE(second.tryLock());
        first.reset();
        EXPECT_TRUE(QFileInfo::exists(db + ".lock"));
        DatabaseLock third(db);
        EXPECT_FALSE(third.tryLock());
    }
}

TEST(Database, LockFileNotThisUsersToWriteIsLeftAsItIs)
{
    // A shared start folder: what others may leave under the lock's name.
    // Only the lock's own file is ever written; a link is not followed.
    enum class Ends { Opens, Refused };
    const char* const kLink =
        "its lock file %1 is a link, which Brinestead does not write through (remove the link and start again)";
    const struct {
        const char* label;
        std::function<void(const QString& lockPath, const QString& keepers)> make;
        Ends ends;
        const char* reason;    // %1: the lock file
        bool anotherUser;      // the case needs a file of another user's
    } cases[] = {
        {"a link to a file of the keeper's",
         [](const QString& lockPath, const QString& keepers) { ASSERT_TRUE(QFile::link(keepers, lockPath)); },
         Ends::Refused, kLink, false},
        {"a link to no file",
         [](const QString& lockPath, const QString& keepers) {
             ASSERT_TRUE(QFile::remove(keepers));
             ASSERT_TRUE(QFile::link(keepers, lockPath));
         },
         Ends::Refused, kLink, false},
        {"a second name of a file of the keeper's",
         [](const QString& lockPath, const QString& keepers) {
             ASSERT_EQ(::link(QFile::encodeName(keepers).constData(), QFile::encodeName(lockPath).constData()), 0);
         },
         Ends::Refused, kLink, false},
        {"a folder", [](const QString& lockPath, const QString&) { ASSERT_TRUE(QDir().mkdir(lockPath)); },
         Ends::Refused, "its lock file %1 is not a file", false},
        {"another user's, that this user may not read",
         [](const QString& lockPath, const QString&) {
             writeFile(lockPath, "4000000\nbrinestead\nelsewhere\n");
             ::chmod(QFile::encodeName(lockPath).constData(), 0600);
         },
         Ends::Refused, "its lock file %1 belongs to another user and cannot be opened", true},
        {"another user's, left by a copy that was killed",
         [](const QString& lockPath, const QString&) {
             writeFile(lockPath, "4000000\nbrinestead\nelsewhere\n");
             ::chmod(QFile::encodeName(lockPath).constData(), 0644);
         },
         Ends::Opens, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TestEnv env(false);
        const QString lockPath = env.ctx->dbPath() + ".lock";
        const QString keepers = env.path("notes.txt");
        writeFile(keepers, "the keeper's notes\n");
        c.make(lockPath, keepers);
        std::optional<FileOverridesSetAside> asAnyUser;
        if (c.anotherUser) {
            const QByteArray native = QFile::encodeName(lockPath);
            if (::geteuid() == 0) {
                ASSERT_EQ(::chown(native.constData(), 65534, 65534), 0);
            }
            ::chmod(QFile::encodeName(env.dir.path()).constData(), 0777);
            asAnyUser.emplace(true);
            const int probe = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
            if (probe >= 0) {
                ::close(probe);
                std::cout << "skipped: nothing here makes the lock file another user's\n";
                continue;
            }
        }
        const QByteArray lockBefore = readAll(lockPath);

        const DbOpenResult r = openDatabase(*env.ctx);

        if (c.ends == Ends::Opens) {
            EXPECT_TRUE(r.ok()) << qPrintable(r.message);
            EXPECT_TRUE(env.ctx->lock);
            // Held all the same: a second copy is refused.
            DatabaseLock second(env.ctx->dbPath());
            EXPECT_FALSE(second.tryLock());
            EXPECT_EQ(readAll(lockPath), lockBefore);
            closeDatabase(*env.ctx);
        } else {
            EXPECT_EQ(r.status, DbOpenResult::Refused);
            EXPECT_EQ(r.message.toStdString(),
                      QStringLiteral("The database file %1 cannot be used: ")
                              .arg(QDir::toNativeSeparators(env.ctx->dbPath()))
                              .toStdString()
                          + QString::fromLatin1(c.reason).arg(lockPath).toStdString()
                          + ". The file was left as it is.");
            EXPECT_FALSE(QFileInfo::exists(env.ctx->dbPath()));
            EXPECT_EQ(readAll(lockPath), lockBefore);
        }
        if (QFileInfo::exists(keepers)) {
            EXPECT_EQ(readAll(keepers), "the keeper's notes\n");
        } else {
            EXPECT_FALSE(QFileInfo(keepers).isSymLink());   // nothing made where the link points
        }
    }

    // A start folder this user may not write in.
    TestEnv env(false);
    const ReadOnlyForThisThread readOnly(env.dir.path());
    if (!readOnly.holds())
        GTEST_SKIP() << "nothing here stops this user writing into a read-only folder";
    const DbOpenResult r = openDatabase(*env.ctx);
    EXPECT_EQ(r.status, DbOpenResult::Refused);
    EXPECT_TRUE(r.message.contains(QStringLiteral("its lock file %1.lock cannot be created (no permission to "
                                                  "write in the folder)")
                                       .arg(env.ctx->dbPath())))
        << qPrintable(r.message);
}

TEST(Database, ConfigWithoutItsRowGetsTheDefaultRow)
{
    TestEnv env(false);
    ASSERT_TRUE(createInstalledDatabase(env.ctx->dbPath()));
    runRaw(env.ctx->dbPath(), {"DELETE FROM CONFIG"});
    ASSERT_TRUE(openDatabase(*env.ctx).ok());
    EXPECT_EQ(checkDatabaseVersion(*env.ctx), "2.0 ");
    EXPECT_EQ(column(env.ctx->db(), "SELECT count(*) FROM CONFIG"), QStringList{"1"});
    loadSettings(*env.ctx);
    EXPECT_EQ(env.ctx->defWaterType, "FRESH");
    EXPECT_EQ(env.ctx->userFieldName1, "");
}

TEST(Database, VersionCheckReadsTheColumnOrTheFirstSchema)
{
    TestEnv env(false);
    ASSERT_TRUE(createInstalledDatabase(env.ctx->dbPath()));
    runRaw(env.ctx->dbPath(), {"UPDATE CONFIG SET db_version = NULL"});
    ASSERT_TRUE(openDatabase(*env.ctx).ok());
    EXPECT_EQ(checkDatabaseVersion(*env.ctx), "");   // Null reads as empty text
    closeDatabase(*env.ctx);

    // The column's name must match exactly; otherwise the file counts as the first schema.
    runRaw(env.ctx->dbPath(), {"ALTER TABLE CONFIG RENAME COLUMN db_version TO DB_VERSION"});
    ASSERT_TRUE(openDatabase(*env.ctx).ok());
    EXPECT_EQ(checkDatabaseVersion(*env.ctx), "0.0 ");
}

TEST(Database, FileLeftByAnInterruptedChangeIsRecovered)
{
    // Copy the file and its journal while a change is under way: the copy is
    // what a crash in the middle of that change leaves behind.
    QTemporaryDir source;
    const QString original = source.filePath("VX.MDB");
    ASSERT_TRUE(createInstalledDatabase(original));
    TestEnv env(false);
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_crash");
        raw.setDatabaseName(original);
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("PRAGMA cache_size = 1"));
        ASSERT_TRUE(raw.transaction());
        ASSERT_TRUE(q.exec("UPDATE animallist SET animalname = 'gone' || hex(randomblob(400))"));
        ASSERT_TRUE(QFile::exists(original + "-journal"));
        ASSERT_TRUE(QFile::copy(original, env.ctx->dbPath()));
        ASSERT_TRUE(QFile::copy(original + "-journal", env.ctx->dbPath() + "-journal"));
        raw.rollback();
        raw.close();
    }
    QSqlDatabase::removeDatabase("raw_crash");

    const DbOpenResult r = openDatabase(*env.ctx);
    ASSERT_TRUE(r.ok()) << qPrintable(r.message);
    EXPECT_EQ(column(env.ctx->db(), "SELECT count(*) FROM animallist WHERE animalname LIKE 'gone%'"),
              QStringList{"0"});
    EXPECT_EQ(checkDatabaseVersion(*env.ctx), "2.0 ");
}

TEST(Database, FileHeldByAnotherProgramIsRefusedAsInUseNotAsDamaged)
{
    // Another program writing to the file (it may still be read), or holding
    // it under its exclusive lock (not even readable meanwhile): either way no
    // entry could be saved, so the keeper hears it at once, and not that the
    // file is damaged, which could send them to an old backup.
    for (const char* lock : {"BEGIN IMMEDIATE", "BEGIN EXCLUSIVE"}) {
        SCOPED_TRACE(lock);
        TestEnv env(false);
        const QString path = env.ctx->dbPath();
        ASSERT_TRUE(createInstalledDatabase(path));
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other_writer");
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        {
            QSqlQuery q(other);
            ASSERT_TRUE(q.exec(QLatin1String(lock)));
            ASSERT_TRUE(q.exec("INSERT INTO animallist (animalname, AnimalType) VALUES ('Tang', '2')"));
        }
        const QByteArray before = readAll(path);
        const QStringList filesBefore = QDir(env.dir.path()).entryList(QDir::Files);

        const DbOpenResult r = openDatabase(*env.ctx);

        EXPECT_EQ(r.status, DbOpenResult::Refused);
        EXPECT_TRUE(r.message.contains("in use by another program")) << qPrintable(r.message);
        EXPECT_FALSE(r.message.contains("damaged")) << qPrintable(r.message);
        EXPECT_FALSE(env.ctx->db().isOpen());
        EXPECT_FALSE(env.ctx->lock);
        EXPECT_EQ(readAll(path), before);
        EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files), filesBefore);

        // Once the other program lets go, the file opens as usual.
        QSqlQuery(other).exec("ROLLBACK");
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("other_writer");
        EXPECT_TRUE(openDatabase(*env.ctx).ok());
    }
}

TEST(Database, ReadOnlyFileIsRefusedAtStart)
{
    TestEnv env(false);
    const QString path = env.ctx->dbPath();
    ASSERT_TRUE(createInstalledDatabase(path));
    const ReadOnlyForThisThread readOnly(path);
    if (!readOnly.holds())
        GTEST_SKIP() << "nothing here stops this user writing to a read-only file";
    const QByteArray before = readAll(path);

    const DbOpenResult r = openDatabase(*env.ctx);

    EXPECT_EQ(r.status, DbOpenResult::Refused);
    EXPECT_TRUE(r.message.contains("it is read-only, so no entry could be saved")) << qPrintable(r.message);
    EXPECT_FALSE(env.ctx->lock);
    EXPECT_EQ(readAll(path), before);
}
