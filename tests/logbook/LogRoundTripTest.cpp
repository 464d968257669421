// Every column of the three logs comes back from its store as written, with
// every value distinct, so that two columns swapped on the way in or out fail.
#include "logbook/LogStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

// The first record holds one set of distinct values, the second another: the
// second replaces the first through update, so both directions are checked.
WaterLogRecord waterRecord(int set)
{
    const double b = set * 100;
    WaterLogRecord r;
    r.tankid = QStringLiteral("12-01-2026 10:00:0%1").arg(set);
    r.logdate = QDate(2026, 3 + set, 4 + set);
    r.logtime = QTime(9 + set, 15 + set, 30 + set);
    r.ph = b + 1.5;
    r.ammonia = b + 2.25;
    r.nitrite = b + 3.125;
    r.nitrate = b + 4.5;
    r.sg = b + 5.024;
    r.temp = -(b + 6.5);   // temperature may be below zero
    r.oxygen = b + 7.25;
    r.dkh = b + 8.75;
    r.calcium = b + 9.5;
    r.copper = b + 10.125;
    r.orp = -(b + 11.5);
    r.custom1 = b + 12.25;
    r.custom2 = -(b + 13.75);
    r.comment = QStringLiteral("water comment %1").arg(set);
    return r;
}

LivestockRecord livestockRecord(int set)
{
    LivestockRecord r;
    r.tankid = QStringLiteral("12-01-2026 10:00:0%1").arg(set);
    r.dateadded = QDate(2026, 1 + set, 2 + set);
    r.timeadded = QTime(20 + set, 10 + set, 5 + set);
    r.animalname = QStringLiteral("Clown %1").arg(set);
    r.quantity = 3 + set;
    r.status = QStringLiteral("Alive %1").arg(set);
    r.price_paid = 12.5 + set;
    r.price_sold = 40.25 + set;
    r.datelost = QDate(2026, 6 + set, 7 + set);
    r.where_purch = QStringLiteral("Shop %1").arg(set);
    r.comment = QStringLiteral("livestock comment %1").arg(set);
    return r;
}

MaintLogRecord maintRecord(int set)
{
    MaintLogRecord r;
    r.tankid = QStringLiteral("12-01-2026 10:00:0%1").arg(set);
    r.logdate = QDate(2026, 5 + set, 6 + set);
    r.logtime = QTime(7 + set, 8 + set, 9 + set);
    r.task = QStringLiteral("Water Change %1").arg(set);
    r.quantity = 25 + set;
    r.unit = QStringLiteral("Gallons %1").arg(set);
    r.description = QStringLiteral("description %1").arg(set);
    r.note = QStringLiteral("note %1").arg(set);
    return r;
}

void expectSame(const WaterLogRecord& got, const WaterLogRecord& want)
{
    EXPECT_EQ(got.tankid, want.tankid);
    EXPECT_EQ(got.logdate, want.logdate);
    EXPECT_EQ(got.logtime, want.logtime);
    const std::pair<const char*, std::optional<double> WaterLogRecord::*> columns[] = {
        {"ph", &WaterLogRecord::ph},           {"ammonia", &WaterLogRecord::ammonia},
        {"nitrite", &WaterLogRecord::nitrite}, {"nitrate", &WaterLogRecord::nitrate},
        {"sg", &WaterLogRecord::sg},           {"temp", &WaterLogRecord::temp},
        {"oxygen", &WaterLogRecord::oxygen},   {"dkh", &WaterLogRecord::dkh},
        {"calcium", &WaterLogRecord::calcium}, {"copper", &WaterLogRecord::copper},
        {"orp", &WaterLogRecord::orp},         {"custom1", &WaterLogRecord::custom1},
        {"custom2", &WaterLogRecord::custom2},
    };
    for (const auto& [name, member] : columns) {
        ASSERT_TRUE(got.*member) << name;
        EXPECT_DOUBLE_EQ(*(got.*member), *(want.*member)) << name;
    }
    EXPECT_EQ(got.comment, want.comment);
}

void expectSame(const LivestockRecord& got, const LivestockRecord& want)
{
    EXPECT_EQ(got.tankid, want.tankid);
    EXPECT_EQ(got.dateadded, want.dateadded);
    EXPECT_EQ(got.timeadded, want.timeadded);
    EXPECT_EQ(got.animalname, want.animalname);
    EXPECT_EQ(got.quantity, want.quantity);
    EXPECT_EQ(got.status, want.status);
    EXPECT_EQ(got.price_paid, want.price_paid);
    EXPECT_EQ(got.price_sold, want.price_sold);
    EXPECT_EQ(got.datelost, want.datelost);
    EXPECT_EQ(got.where_purch, want.where_purch);
    EXPECT_EQ(got.comment, want.comment);
}

void expectSame(const MaintLogRecord& got, const MaintLogRecord& want)
{
    EXPECT_EQ(got.tankid, want.tankid);
    EXPECT_EQ(got.logdate, want.logdate);
    EXPECT_EQ(got.logtime, want.logtime);
    EXPECT_EQ(got.task, want.task);
    EXPECT_EQ(got.quantity, want.quantity);
    EXPECT_EQ(got.unit, want.unit);
    EXPECT_EQ(got.description, want.description);
    EXPECT_EQ(got.note, want.note);
}

template <typename Store, typename Record>
void roundTrip(Record (*make)(int))
{
    TestEnv env;
    Store store(env.ctx->db());
    Record first = make(1);
    ASSERT_TRUE(store.insert(first));
    ASSERT_GT(first.rowid, 0);
    const auto read = store.get(first.rowid);
    ASSERT_TRUE(read);
    expectSame(*read, first);

    // The update writes every column again, each with a new value.
    Record second = make(2);
    second.rowid = first.rowid;
    ASSERT_TRUE(store.update(second));
    const auto changed = store.get(first.rowid);
    ASSERT_TRUE(changed);
    expectSame(*changed, second);
    const auto listed = store.list(second.tankid, SortOrder::Ascending);
    ASSERT_EQ(listed.size(), 1);
    expectSame(listed[0], second);
}

} // namespace

TEST(LogRoundTrip, WaterLogKeepsEveryColumnApart)
{
    roundTrip<WaterLogStore>(&waterRecord);
}

TEST(LogRoundTrip, LivestockLogKeepsEveryColumnApart)
{
    roundTrip<LivestockStore>(&livestockRecord);
}

TEST(LogRoundTrip, MaintenanceLogKeepsEveryColumnApart)
{
    roundTrip<MaintLogStore>(&maintRecord);
}
