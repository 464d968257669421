// The livestock entry dialog, driven through its handlers with scripted
// message boxes and the fixed clock (2026-12-08 14:05:09).
#include "logbook/ui/LivestockEntryDialog.h"

#include "core/ui/EntryWidgets.h"
#include "logbook/NamesFile.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class LivesAddEditTest : public ::testing::Test {
protected:
    TestEnv env;
    QStringList statuses;

    void SetUp() override
    {
        env.ctx->statusLine = [this](const QString& s) { statuses << s; };
        env.ctx->currentWaterType = QStringLiteral("1");
    }

    LivestockRecord preset() const
    {
        LivestockRecord rec;
        rec.tankid = QStringLiteral("12-01-2026 10:00:00");
        rec.dateadded = QDate(2026, 12, 8);
        rec.timeadded = QTime(14, 5, 9);
        rec.quantity = 1;
        rec.comment = QStringLiteral(" ");
        return rec;
    }

    // A dialog for a new entry with every required field filled.
    std::unique_ptr<LivestockEntryDialog> filledNew()
    {
        auto dlg = std::make_unique<LivestockEntryDialog>(*env.ctx);
        dlg->setEntry(preset(), true);
        dlg->lst_AnimalList->setEditText(QStringLiteral("Tang - Yellow "));
        return dlg;
    }

    int rowCount()
    {
        QSqlQuery q(env.ctx->db());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM livestock"));
        q.next();
        return q.value(0).toInt();
    }

    void writeNamesFile(const QString& fileName, int names)
    {
        QFile f(env.path(fileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("! test names\r\n");
        for (int i = 0; i < names; ++i)
            f.write((QStringLiteral("Fish %1").arg(i).leftJustified(49) + "Genus species\r\n").toLatin1());
    }
};

struct CheckCase {
    const char* label;
    std::function<void(LivestockEntryDialog&)> spoil;
    QString title;
    QString text;
    const char* focus;
};

} // namespace

TEST_F(LivesAddEditTest, ChecksRunInOrderWithTheirTextsAndFocus)
{
    const QString fifty(50, QLatin1Char('a'));
    const CheckCase cases[] = {
        {"name empty, before anything else",
         [](LivestockEntryDialog& d) {
             d.lst_AnimalList->setEditText(QString());
             d.txt_DateAdded->clear();
             d.txt_quantity->setText("99999");
         },
         "Oops!",
         "You must enter an animal name or pick one from the list to add a livestock entry to the log.",
         "lst_AnimalList"},
        {"name of 51", [&](LivestockEntryDialog& d) { d.lst_AnimalList->setEditText(fifty + "b"); }, "Note!",
         "Your animal description must be less than 50 characters.", "lst_AnimalList"},
        {"place of 51", [&](LivestockEntryDialog& d) { d.lst_where->setEditText(fifty + "b"); }, "Note!",
         "Your place of purchase must be less than 50 characters.", "lst_where"},
        {"date acquired empty", [](LivestockEntryDialog& d) { d.txt_DateAdded->clear(); }, "Oops!",
         "You must enter a valid date acquired in MM/DD/YY format to add a livestock entry to the log.",
         "txt_DateAdded"},
        {"time acquired unreadable", [](LivestockEntryDialog& d) { d.txt_timeadded->setText("13:00:00 pm"); },
         "Oops!", "You must enter a valid time in \"HH:MM:SS am\" format to add a livestock entry to the log.",
         "txt_timeadded"},
        {"date lost impossible", [](LivestockEntryDialog& d) { d.txt_datelost->setText("31/31/99"); }, "Oops!",
         "You must enter a valid date in MM/DD/YY format to add a \"Date Lost\" to the livestock entry to the log.",
         "txt_datelost"},
        {"price paid", [](LivestockEntryDialog& d) { d.txt_pricepaid->setText("12,50"); }, "Oops!",
         "Price Paid must be a number.", "txt_pricepaid"},
        {"price sold", [](LivestockEntryDialog& d) { d.txt_pricesold->setText("abc"); }, "Oops!",
         "Price Sold must be a number.", "txt_pricesold"},
        {"status of 31", [](LivestockEntryDialog& d) { d.lst_Status->setEditText(QString(31, 's')); }, "Note!",
         "Your status description must be less than 30 characters.", "lst_Status"},
        {"quantity over 32000", [](LivestockEntryDialog& d) { d.txt_quantity->setText("32001"); }, "Note!",
         "Your quantity must be less than 32,000. (Besides, what size tank do you hold 32,000 fish in?)",
         "txt_quantity"},
        {"quantity not a number", [](LivestockEntryDialog& d) { d.txt_quantity->setText("12abc"); }, "Oops!",
         "Quantity entries must be a number.", "txt_quantity"},
        {"quantity empty", [](LivestockEntryDialog& d) { d.txt_quantity->clear(); }, "Oops!",
         "Quantity entries must be a number.", "txt_quantity"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.label);
        env.messages.clear();
        const int beeps = env.beeper.count;
        auto dlg = filledNew();
        c.spoil(*dlg);
        dlg->cmd_OK_Click();
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].title, c.title);
        EXPECT_EQ(env.messages.shown[0].text, c.text);
        EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(env.beeper.count, beeps + 1);
        ASSERT_TRUE(dlg->focusWidget());
        EXPECT_EQ(dlg->focusWidget()->objectName(), c.focus);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_EQ(rowCount(), 0);
    }
}

TEST_F(LivesAddEditTest, NewEntryWritesOptionalFieldsOnlyWhenFilled)
{
    auto dlg = filledNew();
    dlg->cmd_OK_Click();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    auto saved = LivestockStore(env.ctx->db()).get(dlg->savedEntry().rowid);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->tankid, "12-01-2026 10:00:00");
    EXPECT_EQ(saved->animalname, "Tang - Yellow ");
    EXPECT_EQ(saved->dateadded, QDate(2026, 12, 8));
    EXPECT_EQ(saved->timeadded, QTime(14, 5, 9));
    EXPECT_EQ(saved->quantity, 1);
    EXPECT_EQ(saved->comment, " ");
    EXPECT_FALSE(saved->price_paid);
    EXPECT_FALSE(saved->price_sold);
    EXPECT_FALSE(saved->datelost);

    // Every limit at its edge value is accepted.
    auto second = filledNew();
    second->lst_AnimalList->setEditText(QString(50, 'a'));
    second->txt_quantity->setText("32000");
    second->txt_pricepaid->setText(" 12.5 ");
    second->txt_pricesold->setText("20");
    second->txt_datelost->setText("12/24/26");
    second->lst_Status->setEditText("Sold");
    second->lst_where->setEditText("Reef Shop");
    second->cmd_OK_Click();
    saved = LivestockStore(env.ctx->db()).get(second->savedEntry().rowid);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->price_paid, 12.5);
    EXPECT_EQ(saved->price_sold, 20.0);
    EXPECT_EQ(saved->datelost, QDate(2026, 12, 24));
    EXPECT_EQ(saved->status, "Sold");
    EXPECT_EQ(saved->where_purch, "Reef Shop");
    EXPECT_EQ(saved->quantity, 32000);

    // The place of purchase and the status are offered next time.
    LivestockEntryDialog next(*env.ctx);
    EXPECT_GE(next.lst_where->findText("Reef Shop"), 0);
    EXPECT_GE(next.lst_Status->findText("Sold"), 0);
}

TEST_F(LivesAddEditTest, ChangeClearsEmptiedValuesAndReadsKeeperDateOrder)
{
    env.ctx->settings.dateOrder = "DDMMYY";
    env.ctx->settings.dateMask = "DD/MM/YY";
    LivestockRecord rec = preset();
    rec.animalname = "Koi";
    rec.price_paid = 30;
    rec.price_sold = 40;
    rec.datelost = QDate(2026, 1, 2);
    LivestockStore store(env.ctx->db());
    ASSERT_TRUE(store.insert(rec));

    LivestockEntryDialog dlg(*env.ctx);
    dlg.setEntry(rec, false);
    EXPECT_EQ(dlg.lst_AnimalList->currentText(), "Koi");
    EXPECT_EQ(dlg.txt_pricepaid->text(), "30");
    EXPECT_EQ(dlg.txt_datelost->text(), "02/01/26");
    dlg.txt_pricepaid->clear();
    dlg.txt_pricesold->clear();
    dlg.txt_DateAdded->setText("05/03/26");
    dlg.cmd_OK_Click();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);

    const auto saved = store.get(rec.rowid);
    EXPECT_FALSE(saved->price_paid);
    EXPECT_FALSE(saved->price_sold);
    EXPECT_EQ(saved->dateadded, QDate(2026, 3, 5));
    EXPECT_EQ(saved->datelost, QDate(2026, 1, 2));
    EXPECT_EQ(rowCount(), 1);
}

TEST_F(LivesAddEditTest, LeavingTheDateChecksItInTheKeeperOrder)
{
    env.ctx->settings.dateOrder = "DDMMYY";
    env.ctx->settings.dateMask = "DD/MM/YY";
    LivestockEntryDialog dlg(*env.ctx);
    dlg.txt_DateAdded->setText("31/12/26");
    EXPECT_TRUE(dlg.txt_dateadded_LostFocus());
    dlg.txt_DateAdded->setText("12/31/26");
    EXPECT_FALSE(dlg.txt_dateadded_LostFocus());
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "You must enter a valid date to add a livestock entry to the log.");
    EXPECT_EQ(env.messages.shown[0].title, "Oops!");
}

TEST_F(LivesAddEditTest, WaterTypeChoosesTheList)
{
    const struct {
        const char* type;
        bool salt;
    } cases[] = {{"1", false}, {"2", true}, {"3", true}, {"4", false}, {"5", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        env.ctx->currentWaterType = c.type;
        LivestockEntryDialog dlg(*env.ctx);
        EXPECT_EQ(dlg.opt_SaltWater->isChecked(), c.salt);
        EXPECT_EQ(dlg.opt_Fresh->isChecked(), !c.salt);
        // The installed reference names are freshwater ones; the saltwater list starts empty.
        EXPECT_EQ(dlg.lst_AnimalList->count() > 0, !c.salt);
        EXPECT_EQ(statuses.last(), "Ready.");
    }
}

TEST_F(LivesAddEditTest, MissingNamesFileFallsBackToTheDatabaseList)
{
    env.ctx->settings.useFileSaltwater = true;
    env.ctx->currentWaterType = "2";
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("INSERT INTO animallist (animalname, AnimalType) VALUES ('Tang - Yellow ', '2')"));

    LivestockEntryDialog dlg(*env.ctx);
    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& m = env.messages.shown[0];
    EXPECT_EQ(m.title, "Names File Not Found!");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(m.text.startsWith("The file containing the saltwater names (NAMESSW.TXT) is missing"));
    EXPECT_TRUE(m.text.contains("Quorvexa"));
    EXPECT_TRUE(m.text.endsWith(" to obtain a copy of the file.\r\n"
                                "The Brinestead database version of the list will be used."));
    EXPECT_EQ(dlg.lst_AnimalList->count(), 1);
    EXPECT_EQ(dlg.lst_AnimalList->currentIndex(), 0);
    EXPECT_EQ(dlg.lst_AnimalList->currentText(), "Tang - Yellow ");
    EXPECT_EQ(statuses.last(), "Ready.");
}

TEST_F(LivesAddEditTest, NamesFileLoadsWithProgress)
{
    writeNamesFile("NamesFW.TXT", 45);
    env.ctx->settings.useFileFreshwater = true;
    LivestockEntryDialog dlg(*env.ctx);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(dlg.lst_AnimalList->count(), 45);
    EXPECT_EQ(dlg.lst_AnimalList->itemText(0), "0 - Fish ");
    EXPECT_EQ(dlg.lst_AnimalList->currentIndex(), -1);
    ASSERT_GE(statuses.size(), 3);
    EXPECT_EQ(statuses.first(), "Loading...");
    EXPECT_EQ(statuses.last(), "45 names loaded.");
    EXPECT_EQ(statuses.at(statuses.size() - 2 - 5), "Loading...");   // after the 40th name

    // Switching to the other water type reloads from its own source.
    dlg.opt_SaltWater->setChecked(true);
    EXPECT_EQ(dlg.lst_AnimalList->count(), 0);
    EXPECT_EQ(statuses.last(), "Ready.");
}
