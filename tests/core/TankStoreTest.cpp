// The tanks table: unique names in any letter case, unique keys, deletion with the logs.
#include "core/TankStore.h"
#include "support/TestEnv.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

TankRecord tank(const QString& name, const QString& type = "1")
{
    TankRecord rec;
    rec.tankname = name;
    rec.tankdesc = name + " description";
    rec.tanksize = 55;
    rec.watertype = type;
    return rec;
}

int count(const QSqlDatabase& db, const QString& sql, const QString& key)
{
    QSqlQuery q(db);
    q.prepare(sql);
    q.addBindValue(key);
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
}

void addLogs(const QSqlDatabase& db, const QString& key, int n)
{
    for (int i = 0; i < n; ++i) {
        for (const char* sql : {"INSERT INTO waterlog (tankname, logdate, logtime) VALUES (?, '2026-01-01', '10:00:00')",
                                "INSERT INTO livestock (tankname, dateadded, timeadded) VALUES (?, '2026-01-01', '10:00:00')",
                                "INSERT INTO maintlog (mainttankname, maintlogdate, maintlogtime) VALUES (?, '2026-01-01', '10:00:00')"}) {
            QSqlQuery q(db);
            q.prepare(sql);
            q.addBindValue(key);
            ASSERT_TRUE(q.exec());
        }
    }
}

// The tank names stored in the file at path, read on a connection of its own.
QStringList namesOnFile(const QString& path)
{
    QStringList names;
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "tankstore_other");
        other.setDatabaseName(path);
        other.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (other.open()) {
            QSqlQuery q(other);
            q.exec("SELECT tankname FROM TANKLST ORDER BY tankname");
            while (q.next())
                names << q.value(0).toString();
            q.finish();
        }
        other.close();
    }
    QSqlDatabase::removeDatabase("tankstore_other");
    return names;
}

} // namespace

TEST(TankStore, AddFindListAndUpdate)
{
    TestEnv env;
    TankStore store(env.ctx->db());
    const QDateTime now = env.clock.now();
    TankRecord reef = tank("reef", "3");
    reef.tanksize.reset();
    reef.tanknotes = "Skimmer, two pumps";
    ASSERT_EQ(store.add(reef, now), TankWrite::Ok);
    EXPECT_EQ(reef.tankid, "12-08-2026 14:05:09");
    TankRecord pond = tank("Pond", "5");
    ASSERT_EQ(store.add(pond, now.addSecs(60)), TankWrite::Ok);
    TankRecord annex = tank("Annex");
    ASSERT_EQ(store.add(annex, now.addSecs(120)), TankWrite::Ok);

    QStringList names;
    for (const TankRecord& t : store.listByName())
        names << t.tankname;
    EXPECT_EQ(names, (QStringList{"Annex", "Pond", "reef"}));

    const auto found = store.findById(reef.tankid);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->tankid, reef.tankid);
    EXPECT_FALSE(found->tanksize.has_value());
    EXPECT_EQ(found->tanknotes, "Skimmer, two pumps");
    EXPECT_EQ(found->watertype, "3");
    EXPECT_FALSE(store.findById("01-01-1990 00:00:00"));
    EXPECT_EQ(store.findById(pond.tankid)->tankname, "Pond");

    // A rename keeps the key; the tank keeps its logs.
    TankRecord renamed = *found;
    renamed.tankname = "Reef 120";
    renamed.tanksize = 120;
    EXPECT_EQ(store.update(renamed), TankWrite::Ok);
    EXPECT_EQ(store.findById(reef.tankid)->tankname, "Reef 120");
    EXPECT_EQ(store.findById(reef.tankid)->tanksize, 120.0);
    // Changing only the letter case of its own name is no duplicate.
    renamed.tankname = "REEF 120";
    EXPECT_EQ(store.update(renamed), TankWrite::Ok);
}

TEST(TankStore, DuplicateNameInAnyLetterCaseIsRefused)
{
    TestEnv env;
    TankStore store(env.ctx->db());
    TankRecord reef = tank("Reef");
    ASSERT_EQ(store.add(reef, env.clock.now()), TankWrite::Ok);
    TankRecord pond = tank("Pond");
    ASSERT_EQ(store.add(pond, env.clock.now()), TankWrite::Ok);

    for (const char* name : {"Reef", "REEF", "reef", "rEeF"}) {
        TankRecord dup = tank(name);
        EXPECT_EQ(store.add(dup, env.clock.now().addDays(1)), TankWrite::DuplicateName) << name;
        EXPECT_TRUE(dup.tankid.isEmpty());
    }
    TankRecord renamed = pond;
    renamed.tankname = "reef";
    EXPECT_EQ(store.update(renamed), TankWrite::DuplicateName);
    EXPECT_EQ(store.findById(pond.tankid)->tankname, "Pond");
    EXPECT_EQ(store.listByName().size(), 2);
}

TEST(TankStore, TanksStampedInTheSameSecondGetDifferentKeys)
{
    TestEnv env;
    TankStore store(env.ctx->db());
    const QDateTime now(QDate(2026, 12, 31), QTime(23, 59, 59));
    QStringList keys;
    for (const char* name : {"A", "B", "C"}) {
        TankRecord t = tank(name);
        ASSERT_EQ(store.add(t, now), TankWrite::Ok);
        keys << t.tankid;
    }
    EXPECT_EQ(keys, (QStringList{"12-31-2026 23:59:59", "01-01-2027 00:00:00", "01-01-2027 00:00:01"}));
}

TEST(TankStore, RemoveDeletesExactlyTheTanksRows)
{
    TestEnv env;
    TankStore store(env.ctx->db());
    TankRecord reef = tank("Reef");
    TankRecord pond = tank("Pond");
    ASSERT_EQ(store.add(reef, env.clock.now()), TankWrite::Ok);
    ASSERT_EQ(store.add(pond, env.clock.now()), TankWrite::Ok);
    addLogs(env.ctx->db(), reef.tankid, 2);
    addLogs(env.ctx->db(), pond.tankid, 3);

    ASSERT_TRUE(store.remove(reef.tankid));
    const QSqlDatabase db = env.ctx->db();
    for (const char* sql : {"SELECT count(*) FROM waterlog WHERE tankname = ?",
                            "SELECT count(*) FROM livestock WHERE tankname = ?",
                            "SELECT count(*) FROM maintlog WHERE mainttankname = ?",
                            "SELECT count(*) FROM TANKLST WHERE tankid = ?"}) {
        EXPECT_EQ(count(db, sql, reef.tankid), 0) << sql;
        EXPECT_EQ(count(db, sql, pond.tankid), QString(sql).contains("TANKLST") ? 1 : 3) << sql;
    }
    // A key that names no tank deletes nothing.
    QString error;
    EXPECT_FALSE(store.remove("01-01-1990 00:00:00", &error));
    EXPECT_EQ(count(db, "SELECT count(*) FROM waterlog WHERE tankname = ?", pond.tankid), 3);
    // and leaves nothing open: the next change reaches the file, as another
    // connection to it reads it.
    TankRecord annex = tank("Annex");
    ASSERT_EQ(store.add(annex, env.clock.now().addSecs(60)), TankWrite::Ok);
    const QStringList onFile = namesOnFile(env.ctx->dbPath());
    EXPECT_EQ(onFile, (QStringList{"Annex", "Pond"})) << onFile.join(", ").toStdString();
}

TEST(TankStore, FailedRemoveRollsBackTheLogs)
{
    TestEnv env;
    TankStore store(env.ctx->db());
    TankRecord reef = tank("Reef");
    ASSERT_EQ(store.add(reef, env.clock.now()), TankWrite::Ok);
    addLogs(env.ctx->db(), reef.tankid, 2);
    // Make the last delete fail after the logs went.
    QSqlQuery trig(env.ctx->db());
    ASSERT_TRUE(trig.exec("CREATE TRIGGER keep BEFORE DELETE ON TANKLST BEGIN SELECT RAISE(ABORT, 'kept'); END"));
    QString error;
    EXPECT_FALSE(store.remove(reef.tankid, &error));
    EXPECT_TRUE(error.contains("kept")) << qPrintable(error);
    EXPECT_EQ(count(env.ctx->db(), "SELECT count(*) FROM waterlog WHERE tankname = ?", reef.tankid), 2);
    EXPECT_EQ(count(env.ctx->db(), "SELECT count(*) FROM maintlog WHERE mainttankname = ?", reef.tankid), 2);
}
