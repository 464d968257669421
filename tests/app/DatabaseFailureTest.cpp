// A read or write the database refuses reaches the keeper as what it is, with
// the database's reason, instead of as an empty list, "no reminders" or "no
// tanks set up".
#include "app/MainWindow.h"
#include "core/TankStore.h"
#include "scheduler/MaintSchedStore.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

void runSql(AppContext& ctx, const QString& sql)
{
    QSqlQuery q(ctx.db());
    ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
}

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

TEST(DatabaseFailure, TanksThatCannotBeReadAreNotTakenForNoTanks)
{
    TestEnv env;
    TankRecord tank;
    tank.tankname = "Reef";
    ASSERT_EQ(TankStore(env.ctx->db()).add(tank, env.clock.now()), TankWrite::Ok);
    MainWindow main(*env.ctx);
    main.checkTanksSetUp();
    ASSERT_TRUE(env.messages.shown.isEmpty());

    // The table is out of reach (as a damaged page or a locked file would put it).
    runSql(*env.ctx, "ALTER TABLE TANKLST RENAME TO TANKLST_away");
    main.checkTanksSetUp();

    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& m = env.messages.shown.first();
    EXPECT_NE(m.title, "No Tanks Set Up Yet");
    EXPECT_TRUE(m.text.contains("could not be read")) << qPrintable(m.text);
    EXPECT_TRUE(m.text.contains("no such table")) << qPrintable(m.text);
    // The buttons are left as they were.
    EXPECT_TRUE(main.toolbarButton("logbook")->isEnabled());
}

TEST(DatabaseFailure, RemindersThatCannotBeReadAreNotShownAsNone)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    runSql(*env.ctx, "ALTER TABLE maintsched RENAME TO maintsched_away");

    main.rebuildRemindersBox();

    const QComboBox* box = child<QComboBox>(main, "remindersBox");
    EXPECT_FALSE(items(box).contains("(No Reminders Available)"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    const QString text = env.messages.shown.first().text;
    EXPECT_TRUE(text.contains("reminders could not be read")) << qPrintable(text);
    EXPECT_TRUE(text.contains("no such table")) << qPrintable(text);
}
