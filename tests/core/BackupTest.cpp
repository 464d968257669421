// The database backup: a consistent copy beside the target, then renamed over
// it; failures leave an older backup and the open database alone.
#include "core/Backup.h"
#include "support/ReadOnlyForThisThread.h"
#include "support/TestEnv.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <optional>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void addTank(AppContext& ctx, const QString& id, const QString& name)
{
    QSqlQuery q(ctx.db());
    q.prepare("INSERT INTO TANKLST (tankid, tankname, tanksize, TankWaterType) VALUES (?, ?, 55, '1')");
    q.addBindValue(id);
    q.addBindValue(name);
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
}

QStringList tankNamesIn(const QString& path)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "backup_check");
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery q(db);
            q.exec("SELECT tankname FROM TANKLST ORDER BY tankname");
            while (q.next())
                names << q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("backup_check");
    return names;
}



// The temporary copies and their journals in folder.
QStringList partFiles(const QString& folder)
{
    return QDir(folder).entryList({"*.part", "*.part-journal"}, QDir::Files | QDir::Hidden);
}

bool databaseUsable(AppContext& ctx)
{
    QSqlQuery q(ctx.db());
    return q.exec("INSERT INTO animallist (animalname, AnimalType) VALUES ('Tang', '2')");
}

} // namespace

TEST(Backup, CopyOpensAsDatabaseWithTheSameRowsAndReportsItsAttributes)
{
    // The backup's record beside the database is made new under its name: a
    // link left there, to a file of the keeper's or to none, is not written
    // through.
    enum Record { Free, LinkToAFile, DanglingLink };
    for (const Record record : {Free, LinkToAFile, DanglingLink}) {
        SCOPED_TRACE(record == Free ? "no record beside the database"
                     : record == LinkToAFile ? "a link to a file of the keeper's under the record's name"
                                             : "a dangling link under the record's name");
        TestEnv env(true, false);
        addTank(*env.ctx, "12-08-2026 14:05:09", "Reef");
        addTank(*env.ctx, "12-08-2026 14:05:10", "Guppies");
        QTemporaryDir other;
        const QString target = other.filePath("saved.bak");
        const QString recordPath = env.ctx->dbPath() + ".backup";
        const QString keepers = other.filePath("notes.txt");
        if (record == LinkToAFile) {
            writeFile(keepers, "the keeper's notes\n");
        }
        if (record != Free) {
            ASSERT_TRUE(QFile::link(keepers, recordPath));
        }

        const BackupCopy copy = copyDatabaseTo(*env.ctx, target);

        ASSERT_TRUE(copy.ok) << copy.error.toStdString();
        EXPECT_EQ(tankNamesIn(target), QStringList({"Guppies", "Reef"}));
        EXPECT_EQ(copy.bareName, "saved.bak");
        EXPECT_EQ(copy.size, QFileInfo(target).size());
        EXPECT_GT(copy.size, 0);
        EXPECT_EQ(QFile::permissions(target) & 0x7777, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                          | QFileDevice::ReadGroup | QFileDevice::ReadOther
                                                          | QFileDevice::ReadUser | QFileDevice::WriteUser);
        EXPECT_EQ(QDir(other.path()).entryList(QDir::Files).join(", ").toStdString(),
                  record == LinkToAFile ? "notes.txt, saved.bak" : "saved.bak");
        if (record == LinkToAFile) {
            EXPECT_EQ(readAll(keepers), "the keeper's notes\n");
        }
        // The record is gone with the backup over, and the link with it.
        EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files | QDir::System).join(", ").toStdString(),
                  "VX.MDB, VX.MDB.lock");
        EXPECT_TRUE(databaseUsable(*env.ctx));
    }
}

TEST(Backup, ReplacesAnExistingFileOnlyWithACompleteCopy)
{
    TestEnv env(true, false);
    addTank(*env.ctx, "12-08-2026 14:05:09", "Reef");
    const QString target = env.path("old.bak");
    writeFile(target, "an older backup");

    const BackupCopy copy = copyDatabaseTo(*env.ctx, target);

    ASSERT_TRUE(copy.ok) << copy.error.toStdString();
    EXPECT_EQ(tankNamesIn(target), QStringList({"Reef"}));
    EXPECT_TRUE(partFiles(env.dir.path()).isEmpty());
}

TEST(Backup, TemporaryCopiesLeftByABackupCutShortAreRemoved)
{
    TestEnv env(true, false);
    addTank(*env.ctx, "12-08-2026 14:05:09", "Reef");
    const QString target = env.path("backup.mdb");
    // Files of the keeper's that merely look like what a backup leaves: other
    // letter cases of the name or of ".part", other than six letters or digits.
    const QStringList keepers = {
        "BACKUP.MDB.Keeper.PART",       "Backup.mdb.abcdef.part",  "backup.mdb.ABCDEF.PART",
        "backup.mdb.a-b-c-.part",       "backup.mdb.ab cd .part",  "backup.mdb.notes.part",
        "backup.mdb.notes.part-journal", "backup.mdb.abcdef.PART-journal", "Backup.mdb.abcdef.part-journal",
        "backup.mdb.abcdefg.part",      "backup.mdb.abcdef.part.old", "xbackup.mdb.abcdef.part",
    };
    const auto leaveWhatABackupCutShortLeaves = [&] {
        // What backups to the same name killed half-way leave: temporary
        // copies beside the target, with the engine's journal, or the journal
        // alone.
        writeFile(env.path("backup.mdb.a1B2c3.part"), QByteArray(4096, 'x'));
        writeFile(env.path("backup.mdb.a1B2c3.part-journal"), QByteArray(512, 'j'));
        writeFile(env.path("backup.mdb.D4e5F6.part-journal"), QByteArray(512, 'j'));
        writeFile(env.path("backup.mdb.QRSTUV.part"), QByteArray(4096, 'x'));
    };
    for (const QString& name : keepers)
        writeFile(env.path(name), "the keeper's own " + name.toUtf8());
    const auto expectOnlyTheKeepersLeft = [&] {
        QStringList left = QDir(env.dir.path()).entryList(QDir::Files);
        left.removeAll("VX.MDB");
        left.removeAll("VX.MDB.lock");
        left.removeAll("backup.mdb");
        QStringList wanted = keepers;
        wanted.sort();
        left.sort();
        EXPECT_EQ(left.join(" | ").toStdString(), wanted.join(" | ").toStdString());
        for (const QString& name : keepers)
            EXPECT_EQ(readAll(env.path(name)), "the keeper's own " + name.toUtf8()) << name.toStdString();
        EXPECT_EQ(tankNamesIn(target), QStringList({"Reef"}));
    };

    {
        SCOPED_TRACE("the next backup to the same name");
        leaveWhatABackupCutShortLeaves();
        const BackupCopy copy = copyDatabaseTo(*env.ctx, target);
        ASSERT_TRUE(copy.ok) << copy.error.toStdString();
        expectOnlyTheKeepersLeft();
        EXPECT_FALSE(QFileInfo::exists(env.ctx->dbPath() + ".backup"));
    }
    {
        SCOPED_TRACE("the next start after a backup cut short");
        leaveWhatABackupCutShortLeaves();
        writeFile(env.ctx->dbPath() + ".backup", ("backup to " + target + "\n").toUtf8());
        removeInterruptedBackupCopy(*env.ctx);
        expectOnlyTheKeepersLeft();
        EXPECT_FALSE(QFileInfo::exists(env.ctx->dbPath() + ".backup"));
    }
    {
        // A backup an earlier release was making when it was killed: its
        // record names the temporary copy itself, and the next start removes
        // that copy and its journal.
        SCOPED_TRACE("the next start after a backup of an earlier release cut short");
        writeFile(env.path("backup.mdb.a1B2c3.part"), QByteArray(4096, 'x'));
        writeFile(env.path("backup.mdb.a1B2c3.part-journal"), QByteArray(512, 'j'));
        writeFile(env.ctx->dbPath() + ".backup", (env.path("backup.mdb.a1B2c3.part") + "\n").toUtf8());
        removeInterruptedBackupCopy(*env.ctx);
        expectOnlyTheKeepersLeft();
        EXPECT_FALSE(QFileInfo::exists(env.ctx->dbPath() + ".backup"));
    }
}

namespace {

// Backs the database in startDir up to target in a child process that may
// write no more than maxBytes to a file, as on a disk that fills up half-way.
// Unless the child survives that, the system stops it there, as a program
// killed half-way through a backup; a surviving child ends with 5 when the
// copy reported its failure. Returns how the child ended.
int backUpHalfWay(const QString& startDir, const QString& target, bool survive, rlim_t maxBytes = 64 * 1024)
{
    const pid_t child = ::fork();
    if (child == 0) {
        AppContext ctx;
        ctx.startDir = startDir;
        ctx.connectionName = QStringLiteral("cut_short_backup");
        if (!openDatabase(ctx).ok())
            _exit(3);
        const rlimit limit{maxBytes, maxBytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (survive)
            ::signal(SIGXFSZ, SIG_IGN);
        const BackupCopy copy = copyDatabaseTo(ctx, target);
        _exit(copy.ok || copy.error.isEmpty() ? 4 : 5);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

} // namespace

TEST(Backup, WhatABackupCutShortHalfWayLeftIsGoneAtOnceOrAfterTheNextStartOrBackup)
{
    enum End { Fails, KilledThenNextStart, KilledThenNextBackup, KilledAtItsFirstWriteThenNextStart };
    for (const End end : {Fails, KilledThenNextStart, KilledThenNextBackup, KilledAtItsFirstWriteThenNextStart}) {
        SCOPED_TRACE(end == Fails                  ? "fails"
                     : end == KilledThenNextStart  ? "next start"
                     : end == KilledThenNextBackup ? "next backup to the same name"
                                                   : "killed before it wrote a byte, next start");
        TestEnv env(true, false);
        ASSERT_TRUE(env.ctx->db().transaction());
        for (int i = 0; i < 400; ++i)
            addTank(*env.ctx, QStringLiteral("12-08-2026 14:%1").arg(i, 5, 10, QLatin1Char('0')),
                    QStringLiteral("Tank %1 ").arg(i) + QString(200, QLatin1Char('x')));
        ASSERT_TRUE(env.ctx->db().commit());
        QTemporaryDir other;
        const QString target = other.filePath("weekly.bak");
        writeFile(target, "last week's backup");
        closeDatabase(*env.ctx);

        const bool atFirstWrite = end == KilledAtItsFirstWriteThenNextStart;
        const int status = backUpHalfWay(env.dir.path(), target, end == Fails, atFirstWrite ? 0 : 64 * 1024);
        if (end == Fails) {
            // The copy fails and takes what it wrote with it.
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 5) << status;
        } else {
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
            const QStringList left = partFiles(other.path());
            if (!atFirstWrite) {
                ASSERT_EQ(left.size(), 2) << left.join(", ").toStdString();   // the copy and its journal
            }
        }
        EXPECT_EQ(readAll(target), QByteArray("last week's backup"));

        ASSERT_TRUE(openDatabase(*env.ctx).ok());
        if (end == KilledThenNextStart || atFirstWrite) {
            removeInterruptedBackupCopy(*env.ctx);
            EXPECT_EQ(readAll(target), QByteArray("last week's backup"));
        } else if (end == KilledThenNextBackup) {
            const BackupCopy copy = copyDatabaseTo(*env.ctx, target);
            ASSERT_TRUE(copy.ok) << copy.error.toStdString();
            EXPECT_EQ(tankNamesIn(target).size(), 400);
        }
        EXPECT_TRUE(partFiles(other.path()).isEmpty()) << partFiles(other.path()).join(", ").toStdString();
        EXPECT_TRUE(databaseUsable(*env.ctx));
    }
}

TEST(Backup, RecordThatNamesNoTemporaryCopyMakesTheStartRemoveNothing)
{
    // What the record of a backup in progress may hold after a crash: torn
    // off inside the name of the copy (as earlier releases recorded it) or of
    // the target, it names the older backup the copy was to replace, or
    // another file of the keeper's, or a target whose copies' names fit one.
    const struct {
        const char* label;
        const char* keepersFile;
        const char* record;   // %1: the folder
    } cases[] = {
        {"torn inside the copy's name, naming the older backup", "weekly.bak", "%1/weekly.bak"},
        {"torn after a name of the keeper's that ends as a copy's does", "weekly.part", "%1/weekly.part"},
        {"whole, naming a file the program does not name so", "weekly.bak", "%1/weekly.bak\n"},
        {"torn inside the target's name", "weekly.backup.part", "backup to %1/weekly"},
        // a link under the record's name, to a file that reads as a record
        {"a link to a file of the keeper's", "weekly.bak", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TestEnv env(true, false);
        QTemporaryDir other;
        const QString keepers = other.filePath(QString::fromLatin1(c.keepersFile));
        writeFile(keepers, "last week's backup");
        const QString recordPath = env.ctx->dbPath() + ".backup";
        const QString linked = other.filePath("record.txt");
        const QByteArray readsAsARecord = ("backup to " + keepers.chopped(4) + "\n").toUtf8();
        if (c.record) {
            writeFile(recordPath, QString::fromLatin1(c.record).arg(other.path()).toUtf8());
        } else {
            writeFile(keepers.chopped(4) + ".a1B2c3.part", "the keeper's own");
            writeFile(linked, readsAsARecord);
            ASSERT_TRUE(QFile::link(linked, recordPath));
        }

        removeInterruptedBackupCopy(*env.ctx);

        EXPECT_EQ(readAll(keepers).toStdString(), "last week's backup");
        EXPECT_FALSE(QFileInfo(recordPath).exists() || QFileInfo(recordPath).isSymLink());
        if (!c.record) {
            EXPECT_EQ(readAll(linked), readsAsARecord);
            EXPECT_EQ(readAll(keepers.chopped(4) + ".a1B2c3.part"), "the keeper's own");
        }
    }
}

TEST(Backup, RefusesTheDatabaseAndItsCompanionFiles)
{
    TestEnv env(true, false);
    const QByteArray before = readAll(env.ctx->dbPath());
    const QString itself = "VX.MDB is the database Brinestead has open; it cannot be backed up onto itself. "
                           "Choose another name for the backup copy.";
    const QString kept = "%1 is a name Brinestead keeps beside the database VX.MDB for its own use, so a backup "
                         "copy under it would not last. Choose another name for the backup copy.";
    const struct {
        QString target;
        TargetClash clash;
        QString told;
    } cases[] = {
        {"VX.MDB", TargetClash::DatabaseItself, itself},
        {env.ctx->dbPath(), TargetClash::DatabaseItself, itself},
        {env.path("sub/../VX.MDB"), TargetClash::DatabaseItself, itself},
        {env.path("VX.MDB-journal"), TargetClash::KeptBesideIt, kept.arg("VX.MDB-journal")},
        {env.path("VX.MDB.lock"), TargetClash::KeptBesideIt, kept.arg("VX.MDB.lock")},
        // the program removes these again of itself
        {"VX.MDB.backup", TargetClash::KeptBesideIt, kept.arg("VX.MDB.backup")},
        {"VX.MDB.new", TargetClash::KeptBesideIt, kept.arg("VX.MDB.new")},
        {env.path("VX.MDB.setup"), TargetClash::KeptBesideIt, kept.arg("VX.MDB.setup")},
        {"VX.MDB.bak", TargetClash::None, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        EXPECT_EQ(clashWithDatabase(*env.ctx, c.target), c.clash);
        if (c.clash == TargetClash::None)
            continue;
        const BackupCopy copy = copyDatabaseTo(*env.ctx, c.target);
        EXPECT_FALSE(copy.ok);
        EXPECT_FALSE(copy.error.isEmpty());

        env.messages.clear();
        env.files.answers.enqueue(c.target);
        EXPECT_EQ(backupDatabaseFile(*env.ctx), BackupOutcome::Refused);
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].text.toStdString(), c.told.toStdString());
        EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(readAll(env.ctx->dbPath()), before);
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files).join(", ").toStdString(), "VX.MDB, VX.MDB.lock");
    EXPECT_TRUE(databaseUsable(*env.ctx));
}

struct FailingTarget {
    const char* label;
    std::function<QString(TestEnv&)> make;   // the target path
    bool folderTakesNoFiles = false;         // the target's folder is made read-only
};

void PrintTo(const FailingTarget& target, std::ostream* os) { *os << target.label; }

class BackupFailure : public ::testing::TestWithParam<FailingTarget> {};

TEST_P(BackupFailure, IsReportedWithAReasonAndLeavesTheDatabaseWorking)
{
    TestEnv env(true, false);
    const QString target = GetParam().make(env);
    std::optional<ReadOnlyForThisThread> readOnly;
    if (GetParam().folderTakesNoFiles) {
        readOnly.emplace(QFileInfo(target).absolutePath());
        if (!readOnly->holds())
            GTEST_SKIP() << "nothing here stops this user writing into a read-only folder";
    }

    const BackupCopy copy = copyDatabaseTo(*env.ctx, target);

    EXPECT_FALSE(copy.ok);
    EXPECT_FALSE(copy.error.trimmed().isEmpty());
    EXPECT_FALSE(QFileInfo(target).isFile());
    EXPECT_TRUE(databaseUsable(*env.ctx));
    EXPECT_TRUE(partFiles(QFileInfo(target).absolutePath()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, BackupFailure,
    ::testing::Values(
        FailingTarget{"MissingFolder", [](TestEnv& env) { return env.path("nowhere/copy.bak"); }},
        FailingTarget{"TargetIsAFolder",
                      [](TestEnv& env) {
                          QDir().mkpath(env.path("adir"));
                          return env.path("adir");
                      }},
        FailingTarget{"FolderThatTakesNoFiles",
                      [](TestEnv& env) {
                          QDir().mkpath(env.path("locked"));
                          return env.path("locked/copy.bak");
                      },
                      true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Backup, CopyHoldsOnlyCommittedRowsWhileAWriteIsInProgress)
{
    TestEnv env(true, false);
    addTank(*env.ctx, "12-08-2026 14:05:09", "Reef");
    const QString target = env.path("copy.bak");
    ASSERT_TRUE(env.ctx->db().transaction());
    addTank(*env.ctx, "12-08-2026 14:05:10", "Half written");

    const BackupCopy copy = copyDatabaseTo(*env.ctx, target);

    ASSERT_TRUE(copy.ok) << copy.error.toStdString();
    EXPECT_EQ(tankNamesIn(target), QStringList({"Reef"}));
    EXPECT_TRUE(env.ctx->db().commit());
    EXPECT_TRUE(databaseUsable(*env.ctx));
}

TEST(Backup, QueriesLeftOpenByWindowsDoNotStopTheCopy)
{
    TestEnv env(true, false);
    addTank(*env.ctx, "12-08-2026 14:05:09", "Reef");
    addTank(*env.ctx, "12-08-2026 14:05:10", "Pond");
    QSqlQuery open(env.ctx->db());
    ASSERT_TRUE(open.exec("SELECT tankname FROM TANKLST"));
    ASSERT_TRUE(open.next());

    const BackupCopy copy = copyDatabaseTo(*env.ctx, env.path("copy.bak"));

    ASSERT_TRUE(copy.ok) << copy.error.toStdString();
    EXPECT_TRUE(open.next());
}

// The command as a whole, with scripted answers.
TEST(BackupCommand, NewTargetIsCopiedAndReported)
{
    TestEnv env(true, false);
    const QString target = env.path("new.bak");
    env.files.answers.enqueue(target);

    EXPECT_EQ(backupDatabaseFile(*env.ctx), BackupOutcome::Copied);

    ASSERT_EQ(env.files.titles, QStringList({"Backup Brinestead Database As ..."}));
    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& report = env.messages.shown[0];
    EXPECT_EQ(report.title, "Database Backup");
    EXPECT_EQ(report.icon, MsgIcon::Information);
    EXPECT_TRUE(report.text.startsWith("VX.MDB was backed up to " + target + " with these attributes:new.bak "));
    EXPECT_TRUE(report.text.endsWith(" - " + QString::number(QFileInfo(target).size()) + " bytes."));
    EXPECT_EQ(env.beeper.count, 1);
}

TEST(BackupCommand, ExistingTargetAsksFirstAndCancelKeepsItByteForByte)
{
    TestEnv env(true, false);
    const QString target = env.path("old.bak");
    writeFile(target, "an older backup");
    env.files.answers.enqueue(target);
    env.messages.answers.enqueue(MsgResult::Cancel);

    EXPECT_EQ(backupDatabaseFile(*env.ctx), BackupOutcome::Declined);

    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& question = env.messages.shown[0];
    EXPECT_EQ(question.text, "The file already exists, overwrite?");
    EXPECT_EQ(question.title, "Note!");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(readAll(target), QByteArray("an older backup"));
}


TEST(BackupCommand, FailureSaysAnOlderBackupWasKeptOnlyWhenThereWasOne)
{
    TestEnv env(true, false);
    const QString missing = env.path("nowhere/new.bak");
    env.files.answers.enqueue(missing);

    EXPECT_EQ(backupDatabaseFile(*env.ctx), BackupOutcome::Failed);

    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text.toStdString(),
              QStringLiteral("VX.MDB could not be backed up to %1: the folder %2 does not exist.")
                  .arg(missing, QDir::toNativeSeparators(env.path("nowhere")))
                  .toStdString());
    EXPECT_EQ(env.messages.shown[0].title, "Database Backup");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Exclamation);

    // Over an older backup in a folder that takes no new file: the keeper
    // agrees to replace it, the copy fails, and the older backup is kept.
    env.messages.clear();
    QDir().mkpath(env.path("backups"));
    const QString older = env.path("backups/old.bak");
    writeFile(older, "an older backup");
    const ReadOnlyForThisThread readOnly(env.path("backups"));
    if (!readOnly.holds())
        GTEST_SKIP() << "nothing here stops this user writing into a read-only folder";
    env.files.answers.enqueue(older);
    env.messages.answers.enqueue(MsgResult::Ok);

    EXPECT_EQ(backupDatabaseFile(*env.ctx), BackupOutcome::Failed);

    ASSERT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.messages.shown[0].text, "The file already exists, overwrite?");
    const QString failure = env.messages.shown[1].text;
    EXPECT_TRUE(failure.startsWith("VX.MDB could not be backed up to " + older + ": ")) << qPrintable(failure);
    EXPECT_TRUE(failure.endsWith(". The existing file " + older + " was left as it was.")) << qPrintable(failure);
    EXPECT_EQ(readAll(older), QByteArray("an older backup"));
}
