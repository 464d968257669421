// The water-quality log table: rows identified by rowid, kept apart by tank key.
#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "support/TestEnv.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

WaterLogRecord test(const QString& tankid, const QDate& d, const QTime& t, double ph)
{
    WaterLogRecord r;
    r.tankid = tankid;
    r.logdate = d;
    r.logtime = t;
    r.ph = ph;
    r.ammonia = 0.25;
    r.sg = 1.023;
    r.comment = "ok";
    return r;
}

QList<double> phs(const QVector<WaterLogRecord>& rows)
{
    QList<double> out;
    for (const auto& r : rows)
        out << r.ph.value_or(-1);
    return out;
}

} // namespace

TEST(WaterLogStore, WritesAndReadsEveryColumnWithNullsKept)
{
    TestEnv env;
    WaterLogStore store(env.ctx->db());
    WaterLogRecord r = test("K1", QDate(2026, 3, 4), QTime(13, 5, 9), 8.2);
    r.nitrite = 0.1;
    r.nitrate = 12.5;
    r.temp = 78;
    r.oxygen.reset();
    r.dkh = 9;
    r.calcium = 420;
    r.copper = 0;
    r.orp = 350;
    r.custom1 = 0.03;
    r.custom2.reset();
    ASSERT_TRUE(store.insert(r));
    ASSERT_GT(r.rowid, 0);

    QSqlQuery raw(env.ctx->db());
    raw.prepare("SELECT logdate, logtime, typeof(ph), oxygen IS NULL FROM waterlog WHERE rowid = ?");
    raw.addBindValue(r.rowid);
    ASSERT_TRUE(raw.exec() && raw.next());
    EXPECT_EQ(raw.value(0).toString(), "2026-03-04");
    EXPECT_EQ(raw.value(1).toString(), "13:05:09");
    EXPECT_EQ(raw.value(2).toString(), "real");
    EXPECT_EQ(raw.value(3).toInt(), 1);

    const auto back = store.get(r.rowid);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tankid, "K1");
    EXPECT_EQ(back->logdate, QDate(2026, 3, 4));
    EXPECT_EQ(back->logtime, QTime(13, 5, 9));
    EXPECT_DOUBLE_EQ(*back->ph, 8.2);
    EXPECT_DOUBLE_EQ(*back->calcium, 420);
    EXPECT_DOUBLE_EQ(*back->custom1, 0.03);
    EXPECT_FALSE(back->oxygen);
    EXPECT_FALSE(back->custom2);
    EXPECT_EQ(back->comment, "ok");
}

TEST(WaterLogStore, ListsOneTankInDateAndTimeOrderBothWays)
{
    TestEnv env;
    WaterLogStore store(env.ctx->db());
    for (auto r : {test("A", QDate(2026, 5, 1), QTime(9, 0, 0), 3), test("A", QDate(2025, 12, 31), QTime(23, 0, 0), 1),
                   test("A", QDate(2026, 5, 1), QTime(8, 0, 0), 2), test("B", QDate(2026, 1, 1), QTime(0, 0, 0), 9)})
        ASSERT_TRUE(store.insert(r));
    EXPECT_EQ(phs(store.list("A", SortOrder::Ascending)), (QList<double>{1, 2, 3}));
    EXPECT_EQ(phs(store.list("A", SortOrder::Descending)), (QList<double>{3, 2, 1}));
    EXPECT_TRUE(store.list("All Tanks", SortOrder::Ascending).isEmpty());
}

TEST(WaterLogStore, TwoTestsWithTheSameMomentAreChangedAndDeletedApart)
{
    TestEnv env;
    WaterLogStore store(env.ctx->db());
    WaterLogRecord first = test("A", QDate(2026, 5, 1), QTime(9, 0, 0), 7.0);
    WaterLogRecord second = test("A", QDate(2026, 5, 1), QTime(9, 0, 0), 8.0);
    ASSERT_TRUE(store.insert(first));
    ASSERT_TRUE(store.insert(second));

    second.ph = 8.5;
    ASSERT_TRUE(store.update(second));
    EXPECT_DOUBLE_EQ(*store.get(first.rowid)->ph, 7.0);
    EXPECT_DOUBLE_EQ(*store.get(second.rowid)->ph, 8.5);

    ASSERT_TRUE(store.remove(second.rowid));
    EXPECT_TRUE(store.get(first.rowid));
    EXPECT_FALSE(store.get(second.rowid));
    // A row already gone is reported, not silently "deleted" again.
    QString error;
    EXPECT_FALSE(store.remove(second.rowid, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(store.update(second));
}

TEST(WaterLogStore, TanksWithAwkwardNamesKeepTheirOwnTests)
{
    TestEnv env;
    TankStore tanks(env.ctx->db());
    TankRecord a;
    a.tankname = "tankname";
    a.watertype = "1";
    TankRecord b;
    b.tankname = "O'Brien";
    b.watertype = "1";
    ASSERT_EQ(tanks.add(a, env.clock.now()), TankWrite::Ok);
    ASSERT_EQ(tanks.add(b, env.clock.now().addSecs(5)), TankWrite::Ok);
    WaterLogStore store(env.ctx->db());
    WaterLogRecord ra = test(a.tankid, QDate(2026, 1, 1), QTime(1, 0, 0), 6.5);
    WaterLogRecord rb = test(b.tankid, QDate(2026, 1, 2), QTime(1, 0, 0), 7.5);
    ASSERT_TRUE(store.insert(ra));
    ASSERT_TRUE(store.insert(rb));
    EXPECT_EQ(phs(store.list(a.tankid, SortOrder::Ascending)), QList<double>{6.5});
    EXPECT_EQ(phs(store.list(b.tankid, SortOrder::Ascending)), QList<double>{7.5});
    EXPECT_TRUE(store.list("tankname", SortOrder::Ascending).isEmpty());
}
