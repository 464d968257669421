// The livestock move dialog: tank list, refusal, the move by key and Cancel.
#include "logbook/ui/MoveLivestockDialog.h"

#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QListWidget* tankList(const QWidget& d) { return child<QListWidget>(d, "tankList"); }
QCheckBox* changeDateCheck(const QWidget& d) { return child<QCheckBox>(d, "changeDateCheck"); }
void click(const QWidget& d, const char* button) { QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton); }

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

    // The dialog on screen, as the keeper sees it.
    std::unique_ptr<MoveLivestockDialog> open(const QString& animalName = "Tang - Yellow ")
    {
        auto dlg = std::make_unique<MoveLivestockDialog>(*env.ctx, rowid, animalName);
        dlg->show();
        return dlg;
    }

    // The tank's item, clicked once (twice when doubleClick).
    void pick(MoveLivestockDialog& dlg, const QString& name, bool doubleClick = false)
    {
        QListWidget* list = tankList(dlg);
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        const QPoint at = list->visualItemRect(items.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (doubleClick)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        ASSERT_EQ(list->currentItem(), items.first());
    }

    LivestockRecord row() { return *LivestockStore(env.ctx->db()).get(rowid); }
};

} // namespace

TEST_F(LivesMoveTest, ListsEveryTankAndRefusesWhenNoneIsPicked)
{
    // The animal is named as the keeper typed it, whatever it holds.
    for (const char* animal : {"<i>Tang</i> - Yellow & Blue", "Clown &lt;2&gt;"}) {
        const std::string moving = std::string("Moving ") + animal + " to...";
        EXPECT_EQ(shownText(child<QLabel>(*open(animal), "moveLabel")).toStdString(), moving);
    }
    auto dlg = open();
    EXPECT_EQ(dlg->windowTitle(), "Other Tanks");
    EXPECT_EQ(shownText(child<QLabel>(*dlg, "moveLabel")), "Moving Tang - Yellow  to...");
    EXPECT_EQ(changeDateCheck(*dlg)->text(), "Change Date/Time added to \"Now\"");
    EXPECT_FALSE(changeDateCheck(*dlg)->isChecked());
    QStringList names;
    for (int i = 0; i < tankList(*dlg)->count(); ++i)
        names << tankList(*dlg)->item(i)->text();
    EXPECT_EQ(names, (QStringList{"Big \"Quote\" Tank", "Reef", "tankname"}));

    click(*dlg, "okButton");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "You must first select a tank entry to move your animal to.");
    EXPECT_EQ(env.messages.shown[0].title, "Note!");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(env.beeper.count, 1);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
}

TEST_F(LivesMoveTest, DoubleClickLandsInThePickedTankByKey)
{
    addTank("01-01-2026 10:00:03", "");   // blank names, from files made elsewhere
    addTank("01-01-2026 10:00:04", " ");
    for (const char* name : {"tankname", "Big \"Quote\" Tank", "", " "}) {
        SCOPED_TRACE(name);
        auto dlg = open();
        pick(*dlg, name, true);
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_FALSE(dlg->isVisible());
        const auto tank = env.tankNamed(name);
        ASSERT_TRUE(tank);
        EXPECT_EQ(row().tankid, tank->tankid);
        EXPECT_EQ(row().dateadded, QDate(2026, 2, 3));
        EXPECT_EQ(row().timeadded, QTime(9, 8, 7));
    }
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST_F(LivesMoveTest, CheckBoxSetsDateAndTimeToNow)
{
    auto dlg = open();
    pick(*dlg, "Reef");
    QTest::mouseClick(changeDateCheck(*dlg), Qt::LeftButton);
    ASSERT_TRUE(changeDateCheck(*dlg)->isChecked());
    click(*dlg, "okButton");
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
    EXPECT_EQ(row().dateadded, QDate(2026, 12, 8));
    EXPECT_EQ(row().timeadded, QTime(14, 5, 9));
}

TEST_F(LivesMoveTest, CancelEscapeOrCloseChangesNothing)
{
    const struct {
        const char* label;
        std::function<void(MoveLivestockDialog&)> leave;
    } cases[] = {
        {"Cancel", [](MoveLivestockDialog& d) { click(d, "cancelButton"); }},
        {"Escape", [](MoveLivestockDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"window frame", [](MoveLivestockDialog& d) { d.close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto dlg = open();
        pick(*dlg, "tankname");
        changeDateCheck(*dlg)->setChecked(true);
        c.leave(*dlg);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
        EXPECT_EQ(row().dateadded, QDate(2026, 2, 3));
    }
}

TEST_F(LivesMoveTest, TankDeletedMeanwhileIsNotWritten)
{
    auto dlg = open();
    pick(*dlg, "tankname");
    changeDateCheck(*dlg)->setChecked(true);
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("DELETE FROM TANKLST WHERE tankname = 'tankname'"));
    click(*dlg, "okButton");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "The tank you picked no longer exists. Pick another tank.");
    // The list offers the tanks there are now, with none picked and the date kept.
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(tankList(*dlg)->count(), 2);
    EXPECT_FALSE(changeDateCheck(*dlg)->isChecked());
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");

    // Another tank can be picked then.
    pick(*dlg, "Reef");
    click(*dlg, "okButton");
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(LivesMoveTest, MoveTheDatabaseRefusesIsReportedAndTheEntryStays)
{
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("CREATE TRIGGER stuck BEFORE UPDATE ON livestock BEGIN "
                       "SELECT RAISE(ABORT, 'database or disk is full'); END"));
    auto dlg = open();
    pick(*dlg, "tankname");
    click(*dlg, "okButton");

    ASSERT_EQ(env.messages.shown.size(), 1);
    const QString text = env.messages.shown[0].text;
    EXPECT_NE(text, "entry not found to be moved");
    EXPECT_TRUE(text.contains("could not be moved")) << qPrintable(text);
    EXPECT_TRUE(text.contains("database or disk is full")) << qPrintable(text);
    EXPECT_EQ(row().tankid, "01-01-2026 10:00:00");
    // The dialog stays for another try or Cancel.
    EXPECT_TRUE(dlg->isVisible());

    // A row that is really gone keeps its own message.
    ASSERT_TRUE(q.exec("DROP TRIGGER stuck"));
    ASSERT_TRUE(LivestockStore(env.ctx->db()).remove(rowid));
    env.messages.clear();
    click(*dlg, "okButton");
    EXPECT_EQ(env.messages.texts(), QStringList{"entry not found to be moved"});
}
