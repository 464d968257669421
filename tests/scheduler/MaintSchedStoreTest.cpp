// The rules table: reading rows (old rows with empty columns included),
// adding, changing and deleting a rule by its task text.
#include "scheduler/MaintSchedStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

using namespace sched;

namespace {

MaintSchedRecord ruleRow(const QString& task, int type = Daily, const QString& detail = QString())
{
    MaintSchedRecord rec;
    rec.SchedTask = task;
    rec.SchedStartDate = QDate(2026, 1, 1);
    rec.SchedEndDate = QDate(2028, 1, 1);
    rec.SchedInterval = 3;
    rec.SchedRtype = type;
    rec.SchedRSubtype = 0;
    rec.SchedDetailText = detail;
    rec.SchedEnglishDesc = QStringLiteral("Every 3 days.");
    return rec;
}

QStringList tasks(const MaintSchedStore& store)
{
    QStringList out;
    for (const MaintSchedRecord& r : store.list())
        out << r.SchedTask + QLatin1Char('|') + QString::number(r.SchedInterval);
    return out;
}

class MaintSchedStoreTest : public ::testing::Test {
protected:
    TestEnv env;
    MaintSchedStore store{env.ctx->db()};
};

TEST_F(MaintSchedStoreTest, AddedRuleReadsBackWithItsColumns)
{
    MaintSchedRecord rec = ruleRow(QStringLiteral("Clean skimmer"), Weekly, QStringLiteral("0100100"));
    rec.SchedRSubtype = 1;
    rec.SchedStartDate = QDate(2031, 5, 6);
    rec.SchedEndDate = QDate(2033, 5, 6);
    ASSERT_EQ(store.add(rec), SchedWrite::Ok);

    const QVector<MaintSchedRecord> rows = store.list();
    ASSERT_EQ(rows.size(), 1);
    const MaintSchedRecord& got = rows[0];
    EXPECT_EQ(got.SchedTask, rec.SchedTask);
    EXPECT_EQ(got.SchedStartDate, rec.SchedStartDate);
    EXPECT_EQ(got.SchedEndDate, rec.SchedEndDate);
    EXPECT_EQ(got.SchedInterval, 3);
    EXPECT_EQ(got.SchedRtype, Weekly);
    EXPECT_EQ(got.SchedRSubtype, 1);
    EXPECT_EQ(got.SchedDetailText, QStringLiteral("0100100"));
    EXPECT_EQ(got.SchedEnglishDesc, QStringLiteral("Every 3 days."));

    // Dates are stored as ISO text.
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("SELECT SchedStartDate, SchedEndDate FROM maintsched") && q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("2031-05-06"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("2033-05-06"));
}

TEST_F(MaintSchedStoreTest, OldRowWithEmptyColumnsReadsAsSubtypeZeroAndEmptyTexts)
{
    QSqlQuery q(env.ctx->db());
    q.prepare("INSERT INTO maintsched (SchedTask, SchedStartDate, schedyears, SchedInterval, SchedRtype, "
              "SchedEndDate) VALUES (?, ?, ?, ?, ?, ?)");
    for (const QVariant& v : {QVariant("Old task"), QVariant("1998-03-01"), QVariant(2), QVariant(7),
                              QVariant(0), QVariant("2000-03-01")})
        q.addBindValue(v);
    ASSERT_TRUE(q.exec());

    const auto got = store.findByTask(QStringLiteral("old TASK"));
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->SchedRSubtype, 0);
    EXPECT_TRUE(got->SchedDetailText.isEmpty());
    EXPECT_TRUE(got->SchedEnglishDesc.isEmpty());
    EXPECT_EQ(got->SchedInterval, 7);
    EXPECT_EQ(got->SchedEndDate, QDate(2000, 3, 1));
}

TEST_F(MaintSchedStoreTest, TaskTextIsUniqueRegardlessOfCase)
{
    ASSERT_EQ(store.add(ruleRow(QStringLiteral("Water change"))), SchedWrite::Ok);
    ASSERT_EQ(store.add(ruleRow(QStringLiteral("Feed"))), SchedWrite::Ok);
    EXPECT_EQ(store.add(ruleRow(QStringLiteral("WATER CHANGE"))), SchedWrite::DuplicateTask);

    // A change may not take another rule's task either...
    EXPECT_EQ(store.change(QStringLiteral("Feed"), ruleRow(QStringLiteral("water Change"))),
              SchedWrite::DuplicateTask);
    // ...but may recase its own.
    EXPECT_EQ(store.change(QStringLiteral("Feed"), ruleRow(QStringLiteral("FEED"))), SchedWrite::Ok);
    EXPECT_EQ(tasks(store), (QStringList{"Water change|3", "FEED|3"}));
}

TEST_F(MaintSchedStoreTest, ChangeAndDeleteTouchOnlyTheirOwnRow)
{
    const QString quoted = QStringLiteral("Rinse \"sponge\" filter");
    const QString named = QStringLiteral("SchedTask");
    for (const QString& t : {QStringLiteral("Plain"), quoted, named, QStringLiteral("x\" OR \"1\"=\"1")})
        ASSERT_EQ(store.add(ruleRow(t)), SchedWrite::Ok) << t.toStdString();

    MaintSchedRecord changed = ruleRow(named);
    changed.SchedInterval = 9;
    ASSERT_EQ(store.change(named, changed), SchedWrite::Ok);
    changed = ruleRow(quoted);
    changed.SchedInterval = 5;
    ASSERT_EQ(store.change(quoted, changed), SchedWrite::Ok);
    EXPECT_EQ(tasks(store), (QStringList{"Plain|3", quoted + "|5", "SchedTask|9", "x\" OR \"1\"=\"1|3"}));

    ASSERT_EQ(store.remove(named), SchedWrite::Ok);
    ASSERT_EQ(store.remove(quoted), SchedWrite::Ok);
    EXPECT_EQ(tasks(store), (QStringList{"Plain|3", "x\" OR \"1\"=\"1|3"}));
}

TEST_F(MaintSchedStoreTest, RenamingKeepsTheRowAndUnknownTasksAreReported)
{
    ASSERT_EQ(store.add(ruleRow(QStringLiteral("Old name"))), SchedWrite::Ok);
    const qint64 rowid = store.list().at(0).rowid;
    ASSERT_EQ(store.change(QStringLiteral("Old name"), ruleRow(QStringLiteral("New name"))), SchedWrite::Ok);
    const auto rows = store.list();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].rowid, rowid);
    EXPECT_EQ(rows[0].SchedTask, QStringLiteral("New name"));

    EXPECT_EQ(store.change(QStringLiteral("Old name"), ruleRow(QStringLiteral("x"))), SchedWrite::NotFound);
    EXPECT_EQ(store.remove(QStringLiteral("Old name")), SchedWrite::NotFound);
    EXPECT_EQ(store.list().size(), 1);
}

} // namespace
