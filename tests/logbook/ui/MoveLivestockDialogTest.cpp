// The livestock move dialog: tank list, refusal, the move by key and Cancel.
#include "logbook/ui/MoveLivestockDialog.h"

#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class LivesMoveTest : public ::testing::Test {
protected:
    TestEnv env;
    qint64 rowid = 0;

    void SetUp() override
    {
        addTank("01-01-2026 10:00:00", "Reef");
        addTank("01-01-2026 10:00:01", "tankname");
        addTank("01-01-2026 10:00:02", "Big \"Quote\" Tank");
        LivestockRecord rec;
        rec.tankid = "01-01-2026 10:00:00";
        rec.dateadded = QDate(2026, 2, 3);
        rec.timeadded = QTime(9, 8, 7);
        rec.animalname = "Tang - Yellow ";
        rec.quantity = 1;
        ASSERT_TRUE(LivestockStore(env.ctx->db()).insert(rec));
        rowid = rec.rowid;
    }

    void addTank(const QString& id, const QString& name)
    {
        QSqlQuery q(env.ctx->db());
        q.prepare("INSERT INTO TANKLST (tankid, tankname, TankWaterType) VALUES (?, ?, '2')");
        q.addBindValue(id);
        q.addBindValue(name);
        ASSERT_TRUE(q.exec());
    }

    void select(MoveLivestockDialog& dlg, const QString& name)
    {
        const auto items = dlg.lst_tanklist->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        dlg.lst_tanklist->setCurrentItem(items.first());
    }

    LivestockRecord row() { return *LivestockStore(env.ctx->db()).get(rowid); }
};

} // namespace

TEST_F(LivesMoveTest, ListsEveryTankAndRefusesWhenNoneIsPicked)
{
    MoveLivestockDialog dlg(*env.ctx, rowid, "Tang - Yellow ");
    EXPECT_EQ(dlg.windowTitle(), "Other Tanks");
    EXPECT_EQ(dlg.lbl_Move->text(), "Moving Tang - Yellow  to...");
    EXPECT_EQ(dlg.chk_ChangeDate->text(), "Change Date/Time added to \"Now\"");
    EXPECT_FALSE(dlg.chk_ChangeDate->isChecked());
    QStringList names;
    for (int i = 0; i < dlg.lst_tanklist->count(); ++i)
        names << dlg.lst_tanklist->item(i)->text();
    EXPECT_EQ(names, (QStringList{"Big \"Quote\" Tank", "Reef", "tankname"}));

    dlg.cmd_OK_Click();
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "You must first select a tank entry to move your animal to.");
    EXPECT_EQ(env.messages.shown[0].title, "Note!");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(env.beeper.count, 1);
    EXPECT_TRUE(dlg.Form_Cancelled);
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
}

TEST_F(LivesMoveTest, LandsInThePickedTankByKey)
{
    for (const char* name : {"tankname", "Big \"Quote\" Tank"}) {
        SCOPED_TRACE(name);
        MoveLivestockDialog dlg(*env.ctx, rowid, "Tang - Yellow ");
        select(dlg, name);
        dlg.lst_tanklist_DblClick();
        EXPECT_FALSE(dlg.Form_Cancelled);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        const auto tank = TankStore(env.ctx->db()).findByName(name);
        ASSERT_TRUE(tank);
        EXPECT_EQ(row().tankid, tank->tankid);
        EXPECT_EQ(row().dateadded, QDate(2026, 2, 3));
        EXPECT_EQ(row().timeadded, QTime(9, 8, 7));
    }
}

TEST_F(LivesMoveTest, CheckBoxSetsDateAndTimeToNow)
{
    MoveLivestockDialog dlg(*env.ctx, rowid, "Tang - Yellow ");
    select(dlg, "Reef");
    dlg.chk_ChangeDate->setChecked(true);
    dlg.cmd_OK_Click();
    EXPECT_FALSE(dlg.Form_Cancelled);
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
    EXPECT_EQ(row().dateadded, QDate(2026, 12, 8));
    EXPECT_EQ(row().timeadded, QTime(14, 5, 9));
}

TEST_F(LivesMoveTest, CancelOrCloseChangesNothing)
{
    MoveLivestockDialog dlg(*env.ctx, rowid, "Tang - Yellow ");
    select(dlg, "tankname");
    dlg.chk_ChangeDate->setChecked(true);
    dlg.cmd_Cancel_Click();
    EXPECT_TRUE(dlg.Form_Cancelled);

    MoveLivestockDialog framed(*env.ctx, rowid, "Tang - Yellow ");
    select(framed, "tankname");
    framed.reject();   // Escape or the window frame
    EXPECT_TRUE(framed.Form_Cancelled);
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
    EXPECT_EQ(row().dateadded, QDate(2026, 2, 3));
}

TEST_F(LivesMoveTest, TankDeletedMeanwhileIsNotWritten)
{
    MoveLivestockDialog dlg(*env.ctx, rowid, "Tang - Yellow ");
    select(dlg, "tankname");
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("DELETE FROM TANKLST WHERE tankname = 'tankname'"));
    dlg.cmd_OK_Click();
    EXPECT_TRUE(dlg.Form_Cancelled);
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(dlg.lst_tanklist->count(), 2);
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
}
