// Opening VX.MDB: creating a missing file, refusing unusable ones untouched,
// one running copy per start directory.
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
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

TEST(Database, UnusableFilesAreRefusedAndLeftUntouched)
{
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;
        const char* reason;   // part of the message
    };
    const QList<Case> cases = {
        {"text file", [](const QString& p) { writeFile(p, "This is my fish list\nNemo\n"); },
         "not an SQLite database file"},
        {"empty file", [](const QString& p) { writeFile(p, QByteArray()); }, "empty"},
        {"damaged file",
         [](const QString& p) {
             ASSERT_TRUE(createInstalledDatabase(p));
             QByteArray bytes = readAll(p);
             // Keep the header, scramble the pages after it.
             for (int i = 100; i < bytes.size(); ++i)
                 bytes[i] = char(0xA5 ^ (i & 0xff));
             writeFile(p, bytes);
         },
         "damaged"},
        {"no CONFIG table",
         [](const QString& p) { runRaw(p, {"CREATE TABLE TANKLST (tankid TEXT, tankname TEXT)"}); },
         "no CONFIG table"},
        {"other tables missing",
         [](const QString& p) { runRaw(p, {"CREATE TABLE CONFIG (db_version TEXT)"}); }, "missing"},
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
        EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(path))) << qPrintable(r.message);
        EXPECT_TRUE(r.message.contains(QLatin1String(c.reason))) << qPrintable(r.message);
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
}

TEST(Database, LockLeftByACopyThatEndedIsTakenOver)
{
    TestEnv env(false);
    qint64 pid = 4000000;
    while (QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        ++pid;
    writeFile(env.ctx->dbPath() + ".lock",
              QStringLiteral("%1\nbrinestead\n%2\n").arg(pid).arg(QSysInfo::machineHostName()).toUtf8());
    const DbOpenResult r = openDatabase(*env.ctx);
    EXPECT_TRUE(r.ok()) << qPrintable(r.message);
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

TEST(Database, FileThatCannotBeWrittenIsRefusedAtStart)
{
    // Held by another program that is writing to it, or read-only to this user:
    // either way no entry could be saved, so the keeper hears it at once.
    {
        TestEnv env(false);
        const QString path = env.ctx->dbPath();
        ASSERT_TRUE(createInstalledDatabase(path));
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other_writer");
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        {
            QSqlQuery q(other);
            ASSERT_TRUE(q.exec("BEGIN IMMEDIATE"));
            ASSERT_TRUE(q.exec("INSERT INTO animallist (animalname, AnimalType) VALUES ('Tang', '2')"));
        }
        const DbOpenResult r = openDatabase(*env.ctx);
        EXPECT_EQ(r.status, DbOpenResult::Refused);
        EXPECT_TRUE(r.message.contains("in use by another program")) << qPrintable(r.message);
        EXPECT_FALSE(env.ctx->db().isOpen());
        EXPECT_FALSE(env.ctx->lock);
        QSqlQuery(other).exec("ROLLBACK");
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("other_writer");
        EXPECT_TRUE(openDatabase(*env.ctx).ok());
    }
}

TEST(Database, ReadOnlyFileIsRefusedAtStart)
{
    // The administrator may write to a read-only file: there the check cannot
    // be made, and the run says so instead of counting it as passed.
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, who may write to a read-only file";
    TestEnv env(false);
    const QString path = env.ctx->dbPath();
    ASSERT_TRUE(createInstalledDatabase(path));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = readAll(path);
    const DbOpenResult r = openDatabase(*env.ctx);
    EXPECT_EQ(r.status, DbOpenResult::Refused);
    EXPECT_TRUE(r.message.contains("read-only")) << qPrintable(r.message);
    EXPECT_EQ(readAll(path), before);
}
