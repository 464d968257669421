// The livestock log table: stored forms, optional columns, order, moves.
#include "logbook/LogStore.h"

#include "support/TestEnv.h"

#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

LivestockRecord animal(const QString& tank, const QDate& d, const QTime& t, const QString& name)
{
    LivestockRecord r;
    r.tankid = tank;
    r.dateadded = d;
    r.timeadded = t;
    r.animalname = name;
    r.quantity = 1;
    r.comment = " ";
    return r;
}

class LivestockStoreTest : public ::testing::Test {
protected:
    TestEnv env;
    LivestockStore store{env.ctx->db()};
};

} // namespace

TEST_F(LivestockStoreTest, StoresIsoTextAndNullsForAbsentValues)
{
    LivestockRecord r = animal("T1", QDate(2026, 3, 5), QTime(14, 5, 9), "Koi");
    r.price_paid = 12.5;
    r.datelost = QDate(2026, 4, 1);
    ASSERT_TRUE(store.insert(r));
    ASSERT_GT(r.rowid, 0);

    QSqlQuery q(env.ctx->db());
    q.prepare("SELECT dateadded, timeadded, datelost, price_paid, price_sold FROM livestock WHERE rowid = ?");
    q.addBindValue(r.rowid);
    ASSERT_TRUE(q.exec() && q.next());
    EXPECT_EQ(q.value(0).toString(), "2026-03-05");
    EXPECT_EQ(q.value(1).toString(), "14:05:09");
    EXPECT_EQ(q.value(2).toString(), "2026-04-01");
    EXPECT_DOUBLE_EQ(q.value(3).toDouble(), 12.5);
    EXPECT_TRUE(q.value(4).isNull());

    const auto back = store.get(r.rowid);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->dateadded, r.dateadded);
    EXPECT_EQ(back->timeadded, r.timeadded);
    EXPECT_EQ(back->quantity, 1);
    EXPECT_EQ(back->price_paid, 12.5);
    EXPECT_FALSE(back->price_sold);
    EXPECT_EQ(back->datelost, QDate(2026, 4, 1));
}

TEST_F(LivestockStoreTest, MoveChangesTankAndOptionallyTheMoment)
{
    LivestockRecord r = animal("T1", QDate(2026, 3, 5), QTime(9, 0), "Koi");
    LivestockRecord twin = animal("T1", QDate(2026, 3, 5), QTime(9, 0), "Koi");
    ASSERT_TRUE(store.insert(r));
    ASSERT_TRUE(store.insert(twin));

    ASSERT_TRUE(store.move(r.rowid, "T2", std::nullopt));
    auto moved = store.get(r.rowid);
    EXPECT_EQ(moved->tankid, "T2");
    EXPECT_EQ(moved->dateadded, QDate(2026, 3, 5));
    EXPECT_EQ(store.get(twin.rowid)->tankid, "T1");

    ASSERT_TRUE(store.move(r.rowid, "T3", QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9, 500))));
    moved = store.get(r.rowid);
    EXPECT_EQ(moved->tankid, "T3");
    EXPECT_EQ(moved->dateadded, QDate(2026, 12, 8));
    EXPECT_EQ(moved->timeadded, QTime(14, 5, 9));

    QString error;
    EXPECT_FALSE(store.move(99999, "T2", std::nullopt, &error));
    EXPECT_FALSE(error.isEmpty());
}
