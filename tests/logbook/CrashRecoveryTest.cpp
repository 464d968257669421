// A keeper's program killed at any moment (the first start that makes VX.MDB
// included, and during a backup): the next start opens the file, every entry
// that was acknowledged is there, the file is sound, and no temporary backup
// copy is left behind.
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/Database.h"
#include "logbook/LogStore.h"

#include <QDir>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The child: opens (creating) the database in startDir, then stores water
// tests one after another, writing each stored row's id to `out` once the
// store has acknowledged it; every 40 entries it backs the file up. Never returns.
[[noreturn]] void writeUntilKilled(const QString& startDir, const QString& backupDir, int out)
{
    AppContext ctx;
    ctx.startDir = startDir;
    ctx.connectionName = QStringLiteral("crash_child");
    if (!openDatabase(ctx).ok())
        _exit(3);
    WaterLogStore store(ctx.db());
    for (int i = 0; i < 200000; ++i) {
        WaterLogRecord rec;
        rec.tankid = QStringLiteral("T%1").arg(i % 3);
        rec.logdate = QDate(2024, 1, 1).addDays(i % 365);
        rec.logtime = QTime(8, 0).addSecs(i % 3600);
        rec.ph = 7.0 + (i % 10) / 10.0;
        rec.comment = QStringLiteral("entry %1").arg(i);
        if (!store.insert(rec))
            _exit(4);
        const std::string line = std::to_string(rec.rowid) + "\n";
        if (::write(out, line.data(), line.size()) != ssize_t(line.size()))
            _exit(5);
        if (i % 40 == 39)
            copyDatabaseTo(ctx, QDir(backupDir).filePath(QStringLiteral("nightly.bak")));
    }
    _exit(0);
}

// Runs the writer in a child process and kills it after delayUs; returns the
// row ids it had acknowledged.
QSet<qint64> runAndKill(const QString& startDir, const QString& backupDir, int delayUs)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        writeUntilKilled(startDir, backupDir, fds[1]);
    }
    ::close(fds[1]);
    ::usleep(useconds_t(delayUs));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);

    QByteArray acknowledged;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        acknowledged.append(buffer, n);
    ::close(fds[0]);
    QSet<qint64> ids;
    for (const QByteArray& line : acknowledged.split('\n'))
        if (!line.isEmpty())
            ids.insert(line.toLongLong());
    return ids;
}

} // namespace

TEST(CrashRecovery, KilledAtRandomMomentsKeepsEveryAcknowledgedEntry)
{
    std::mt19937 random(20261208);
    int rounds = 0, killedDuringCreation = 0;
    for (int series = 0; series < 3; ++series) {
        QTemporaryDir startDir, backupDir;
        QSet<qint64> acknowledged;
        for (int round = 0; round < 8; ++round, ++rounds) {
            SCOPED_TRACE(QStringLiteral("series %1, round %2").arg(series).arg(round).toStdString());
            // The first kills of a series come early, while the file is being made.
            const int maxDelayUs = round < 2 ? 25000 : 150000;
            const int delayUs = std::uniform_int_distribution<int>(0, maxDelayUs)(random);
            const bool existedBefore = QFileInfo::exists(QDir(startDir.path()).filePath("VX.MDB"));
            acknowledged.unite(runAndKill(startDir.path(), backupDir.path(), delayUs));
            if (!existedBefore && !QFileInfo::exists(QDir(startDir.path()).filePath("VX.MDB")))
                ++killedDuringCreation;

            AppContext ctx;
            ctx.startDir = startDir.path();
            const DbOpenResult opened = openDatabase(ctx);
            ASSERT_TRUE(opened.ok()) << opened.message.toStdString();
            removeInterruptedBackupCopy(ctx);
            {
                QSqlQuery q(ctx.db());
                ASSERT_TRUE(q.exec("PRAGMA integrity_check") && q.next());
                EXPECT_EQ(q.value(0).toString(), "ok");
                QSet<qint64> stored;
                ASSERT_TRUE(q.exec("SELECT rowid FROM waterlog"));
                while (q.next())
                    stored.insert(q.value(0).toLongLong());
                const QSet<qint64> missing = QSet<qint64>(acknowledged).subtract(stored);
                EXPECT_TRUE(missing.isEmpty()) << missing.size() << " acknowledged entries are missing";
                ASSERT_TRUE(q.exec("SELECT count(*) FROM CONFIG") && q.next());
                EXPECT_EQ(q.value(0).toInt(), 1);
            }
            closeDatabase(ctx);
            EXPECT_TRUE(QDir(backupDir.path()).entryList({"*.part"}, QDir::Files).isEmpty());
            EXPECT_FALSE(QFileInfo::exists(creationTempPath(QDir(startDir.path()).filePath("VX.MDB"))));
        }
    }
    EXPECT_EQ(rounds, 24);
    RecordProperty("killedDuringCreation", killedDuringCreation);
}
