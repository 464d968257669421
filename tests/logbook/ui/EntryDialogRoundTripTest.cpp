// Each entry dialog shows every column of a stored entry in its own box and,
// when OK is pressed without a change, writes every column back as it was.
// All values are distinct, so two boxes swapped on the way in or out fail.
#include "logbook/LogStore.h"
#include "logbook/ui/LivestockEntryDialog.h"
#include "logbook/ui/MaintenanceEntryDialog.h"
#include "logbook/ui/WaterTestDialog.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void clickOk(const QWidget& dialog)
{
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
}

const QString kTank = QStringLiteral("12-01-2026 10:00:00");

} // namespace

TEST(EntryDialogRoundTrip, WaterTestShowsAndWritesBackEveryColumn)
{
    TestEnv env;
    WaterLogRecord rec;
    rec.tankid = kTank;
    rec.logdate = QDate(2026, 4, 5);
    rec.logtime = QTime(10, 16, 31);
    // box name, column, value
    const struct {
        const char* box;
        std::optional<double> WaterLogRecord::*column;
        double value;
        const char* shown;
    } columns[] = {
        {"ammoniaEdit", &WaterLogRecord::ammonia, 0.25, "0.250"},
        {"nitriteEdit", &WaterLogRecord::nitrite, 0.5, "0.500"},
        {"nitrateEdit", &WaterLogRecord::nitrate, 20.125, "20.125"},
        {"phEdit", &WaterLogRecord::ph, 8.2, "8.200"},
        {"sgEdit", &WaterLogRecord::sg, 1.024, "1.024"},
        {"tempEdit", &WaterLogRecord::temp, 77.5, "77.500"},
        {"oxygenEdit", &WaterLogRecord::oxygen, 6.75, "6.750"},
        {"dkhEdit", &WaterLogRecord::dkh, 9.5, "9.500"},
        {"calciumEdit", &WaterLogRecord::calcium, 420, "420.000"},
        {"copperEdit", &WaterLogRecord::copper, 0.125, "0.125"},
        {"orpEdit", &WaterLogRecord::orp, 350, "350.000"},
        {"user1Edit", &WaterLogRecord::custom1, 1.75, "1.750"},
        {"user2Edit", &WaterLogRecord::custom2, 3.5, "3.500"},
    };
    for (const auto& c : columns)
        rec.*c.column = c.value;
    rec.comment = "after the water change";
    ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(rec));

    WaterTestDialog dlg(*env.ctx);
    dlg.setEntry(rec);
    EXPECT_EQ(child<QLineEdit>(dlg, "dateEdit")->text(), "04/05/26");
    EXPECT_EQ(child<QLineEdit>(dlg, "timeEdit")->text(), "10:16:31 am");
    for (const auto& c : columns)
        EXPECT_EQ(child<QLineEdit>(dlg, c.box)->text(), c.shown) << c.box;
    EXPECT_EQ(child<QLineEdit>(dlg, "commentEdit")->text(), rec.comment);

    clickOk(dlg);
    ASSERT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join("|").toStdString();
    const auto saved = WaterLogStore(env.ctx->db()).get(rec.rowid);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->tankid, kTank);
    EXPECT_EQ(saved->logdate, rec.logdate);
    EXPECT_EQ(saved->logtime, rec.logtime);
    for (const auto& c : columns) {
        ASSERT_TRUE((*saved).*c.column) << c.box;
        EXPECT_DOUBLE_EQ(*((*saved).*c.column), c.value) << c.box;
    }
    EXPECT_EQ(saved->comment, rec.comment);
}

TEST(EntryDialogRoundTrip, LivestockEntryShowsAndWritesBackEveryColumn)
{
    TestEnv env;
    LivestockRecord rec;
    rec.tankid = kTank;
    rec.dateadded = QDate(2026, 2, 3);
    rec.timeadded = QTime(21, 11, 6);
    rec.animalname = "Clown - Percula";
    rec.quantity = 4;
    rec.status = "Alive";
    rec.price_paid = 12.5;
    rec.price_sold = 30.75;
    rec.datelost = QDate(2026, 7, 8);
    rec.where_purch = "Reef Shop";
    rec.comment = "a mated pair";
    ASSERT_TRUE(LivestockStore(env.ctx->db()).insert(rec));

    LivestockEntryDialog dlg(*env.ctx);
    dlg.setEntry(rec, false, "3");
    EXPECT_EQ(child<QComboBox>(dlg, "animalNameList")->currentText(), rec.animalname);
    EXPECT_EQ(child<QLineEdit>(dlg, "dateAddedEdit")->text(), "02/03/26");
    EXPECT_EQ(child<QLineEdit>(dlg, "timeAddedEdit")->text(), "09:11:06 PM");
    EXPECT_EQ(child<QLineEdit>(dlg, "quantityEdit")->text(), "4");
    EXPECT_EQ(child<QComboBox>(dlg, "statusList")->currentText(), rec.status);
    EXPECT_EQ(child<QLineEdit>(dlg, "pricePaidEdit")->text(), "12.5");
    EXPECT_EQ(child<QLineEdit>(dlg, "priceSoldEdit")->text(), "30.75");
    EXPECT_EQ(child<QLineEdit>(dlg, "dateLostEdit")->text(), "07/08/26");
    EXPECT_EQ(child<QComboBox>(dlg, "wherePurchasedList")->currentText(), rec.where_purch);
    EXPECT_EQ(child<QLineEdit>(dlg, "commentEdit")->text(), rec.comment);

    clickOk(dlg);
    ASSERT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join("|").toStdString();
    const auto saved = LivestockStore(env.ctx->db()).get(rec.rowid);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->tankid, kTank);
    EXPECT_EQ(saved->dateadded, rec.dateadded);
    EXPECT_EQ(saved->timeadded, rec.timeadded);
    EXPECT_EQ(saved->animalname, rec.animalname);
    EXPECT_EQ(saved->quantity, rec.quantity);
    EXPECT_EQ(saved->status, rec.status);
    EXPECT_EQ(saved->price_paid, rec.price_paid);
    EXPECT_EQ(saved->price_sold, rec.price_sold);
    EXPECT_EQ(saved->datelost, rec.datelost);
    EXPECT_EQ(saved->where_purch, rec.where_purch);
    EXPECT_EQ(saved->comment, rec.comment);
}

TEST(EntryDialogRoundTrip, MaintenanceEntryShowsAndWritesBackEveryColumn)
{
    TestEnv env;
    MaintLogRecord rec;
    rec.tankid = kTank;
    rec.logdate = QDate(2026, 6, 7);
    rec.logtime = QTime(8, 9, 10);
    rec.task = "Water Change";
    rec.quantity = 25;
    rec.unit = "Gallons";
    rec.description = "25 percent";
    rec.note = "nitrate was high";
    ASSERT_TRUE(MaintLogStore(env.ctx->db()).insert(rec));

    MaintenanceEntryDialog dlg(*env.ctx);
    dlg.setEntry(rec, false);
    EXPECT_EQ(child<QComboBox>(dlg, "taskList")->currentText(), rec.task);
    EXPECT_EQ(child<QLineEdit>(dlg, "dateEdit")->text(), "06/07/26");
    EXPECT_EQ(child<QLineEdit>(dlg, "timeEdit")->text(), "08:09:10 am");
    EXPECT_EQ(child<QLineEdit>(dlg, "quantityEdit")->text(), "25");
    EXPECT_EQ(child<QComboBox>(dlg, "unitList")->currentText(), rec.unit);
    EXPECT_EQ(child<QLineEdit>(dlg, "descriptionEdit")->text(), rec.description);
    EXPECT_EQ(child<QLineEdit>(dlg, "notesEdit")->text(), rec.note);

    clickOk(dlg);
    ASSERT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join("|").toStdString();
    const auto saved = MaintLogStore(env.ctx->db()).get(rec.rowid);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->tankid, kTank);
    EXPECT_EQ(saved->logdate, rec.logdate);
    EXPECT_EQ(saved->logtime, rec.logtime);
    EXPECT_EQ(saved->task, rec.task);
    EXPECT_EQ(saved->quantity, rec.quantity);
    EXPECT_EQ(saved->unit, rec.unit);
    EXPECT_EQ(saved->description, rec.description);
    EXPECT_EQ(saved->note, rec.note);
}
