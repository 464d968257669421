// The maintenance log table: stored forms and order.
#include "logbook/LogStore.h"

#include "support/TestEnv.h"

#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

TEST(MaintLogStoreTest, RoundTripStoredFormsAndOrder)
{
    TestEnv env;
    MaintLogStore store(env.ctx->db());

    MaintLogRecord late{0, "T1", QDate(2026, 3, 5), QTime(21, 0), "Water change", 25.0, "percent", " ", " "};
    MaintLogRecord early{0, "T1", QDate(2026, 3, 5), QTime(7, 30, 1), "Dose", std::nullopt, "", "Iodine", "n"};
    ASSERT_TRUE(store.insert(late));
    ASSERT_TRUE(store.insert(early));

    QSqlQuery q(env.ctx->db());
    q.prepare("SELECT maintlogdate, maintlogtime, maintlogqty FROM maintlog WHERE rowid = ?");
    q.addBindValue(early.rowid);
    ASSERT_TRUE(q.exec() && q.next());
    EXPECT_EQ(q.value(0).toString(), "2026-03-05");
    EXPECT_EQ(q.value(1).toString(), "07:30:01");
    EXPECT_TRUE(q.value(2).isNull());

    const auto rows = store.list("T1", SortOrder::Ascending);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].task, "Dose");
    EXPECT_EQ(rows[1].quantity, 25.0);
    EXPECT_EQ(rows[1].unit, "percent");
    EXPECT_EQ(store.list("T1", SortOrder::Descending).first().task, "Water change");

    late.task = "Big water change";
    ASSERT_TRUE(store.update(late));
    EXPECT_EQ(store.get(late.rowid)->task, "Big water change");
    ASSERT_TRUE(store.remove(early.rowid));
    EXPECT_FALSE(store.get(early.rowid));
    EXPECT_TRUE(store.list("T2", SortOrder::Ascending).isEmpty());
}
