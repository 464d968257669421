// The livestock entry dialog, driven through its controls with scripted
// message boxes and the fixed clock (2026-12-08 14:05:09).
#include "logbook/ui/LivestockEntryDialog.h"

#include "core/ui/EntryWidgets.h"
#include "logbook/NamesFile.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QComboBox* list(const QWidget& d, const char* name) { return child<QComboBox>(d, name); }
QLineEdit* edit(const QWidget& d, const char* name) { return child<QLineEdit>(d, name); }

void clickOk(const QWidget& d) { QTest::mouseClick(child<QPushButton>(d, "okButton"), Qt::LeftButton); }

class LivesAddEditTest : public ::testing::Test {
protected:
    TestEnv env;
    QStringList statuses;

    void SetUp() override
    {
        env.ctx->statusLine = [this](const QString& s) { statuses << s; };
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
        dlg->setEntry(preset(), true, QStringLiteral("1"));
        list(*dlg, "animalNameList")->setEditText(QStringLiteral("Tang - Yellow "));
        return dlg;
    }

    int rowCount()
    {
        QSqlQuery q(env.ctx->db());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM livestock"));
        q.next();
        return q.value(0).toInt();
    }
    // The row the last OK wrote: the newest of the table.
    std::optional<LivestockRecord> newestRow()
    {
        QSqlQuery q(QStringLiteral("SELECT MAX(rowid) FROM livestock"), env.ctx->db());
        if (!q.next())
            return std::nullopt;
        return LivestockStore(env.ctx->db()).get(q.value(0).toLongLong());
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
             list(d, "animalNameList")->setEditText(QString());
             edit(d, "dateAddedEdit")->clear();
             edit(d, "quantityEdit")->setText("99999");
         },
         "Oops!",
         "You must enter an animal name or pick one from the list to add a livestock entry to the log.",
         "animalNameList"},
        {"name of 51", [&](LivestockEntryDialog& d) { list(d, "animalNameList")->setEditText(fifty + "b"); },
         "Note!", "Your animal description must be less than 50 characters.", "animalNameList"},
        {"place of 51", [&](LivestockEntryDialog& d) { list(d, "wherePurchasedList")->setEditText(fifty + "b"); },
         "Note!", "Your place of purchase must be less than 50 characters.", "wherePurchasedList"},
        {"date acquired empty", [](LivestockEntryDialog& d) { edit(d, "dateAddedEdit")->clear(); }, "Oops!",
         "You must enter a valid date acquired in MM/DD/YY format to add a livestock entry to the log.",
         "dateAddedEdit"},
        {"time acquired unreadable", [](LivestockEntryDialog& d) { edit(d, "timeAddedEdit")->setText("13:00:00 pm"); },
         "Oops!", "You must enter a valid time in \"HH:MM:SS am\" format to add a livestock entry to the log.",
         "timeAddedEdit"},
        {"date lost impossible", [](LivestockEntryDialog& d) { edit(d, "dateLostEdit")->setText("31/31/99"); },
         "Oops!",
         "You must enter a valid date in MM/DD/YY format to add a \"Date Lost\" to the livestock entry to the log.",
         "dateLostEdit"},
        // Acquired on 12/08/26: an animal cannot be lost the day before.
        {"date lost before acquired", [](LivestockEntryDialog& d) { edit(d, "dateLostEdit")->setText("12/07/26"); },
         "Oops!", "The \"Date Lost\" must not be before the date acquired.", "dateLostEdit"},
        {"price paid too large", [](LivestockEntryDialog& d) { edit(d, "pricePaidEdit")->setText("1e999"); },
         "Oops!", "Price Paid must be a number.", "pricePaidEdit"},
        {"price paid", [](LivestockEntryDialog& d) { edit(d, "pricePaidEdit")->setText("12,50"); }, "Oops!",
         "Price Paid must be a number.", "pricePaidEdit"},
        {"price paid negative", [](LivestockEntryDialog& d) { edit(d, "pricePaidEdit")->setText("-5"); }, "Oops!",
         "Price Paid must not be negative.", "pricePaidEdit"},
        {"price sold", [](LivestockEntryDialog& d) { edit(d, "priceSoldEdit")->setText("abc"); }, "Oops!",
         "Price Sold must be a number.", "priceSoldEdit"},
        {"price sold negative", [](LivestockEntryDialog& d) { edit(d, "priceSoldEdit")->setText("-0.01"); },
         "Oops!", "Price Sold must not be negative.", "priceSoldEdit"},
        {"status of 31", [](LivestockEntryDialog& d) { list(d, "statusList")->setEditText(QString(31, 's')); },
         "Note!", "Your status description must be less than 30 characters.", "statusList"},
        {"quantity over 32000", [](LivestockEntryDialog& d) { edit(d, "quantityEdit")->setText("32001"); }, "Note!",
         "Your quantity must be less than 32,000. (Besides, what size tank do you hold 32,000 fish in?)",
         "quantityEdit"},
        {"quantity negative", [](LivestockEntryDialog& d) { edit(d, "quantityEdit")->setText("-3"); }, "Oops!",
         "Quantity entries must not be negative.", "quantityEdit"},
        {"quantity not a number", [](LivestockEntryDialog& d) { edit(d, "quantityEdit")->setText("12abc"); },
         "Oops!", "Quantity entries must be a number.", "quantityEdit"},
        {"quantity empty", [](LivestockEntryDialog& d) { edit(d, "quantityEdit")->clear(); }, "Oops!",
         "Quantity entries must be a number.", "quantityEdit"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.label);
        env.messages.clear();
        const int beeps = env.beeper.count;
        auto dlg = filledNew();
        c.spoil(*dlg);
        clickOk(*dlg);
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
    clickOk(*dlg);
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    auto saved = newestRow();
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
    list(*second, "animalNameList")->setEditText(QString(50, 'a'));
    edit(*second, "quantityEdit")->setText("32000");
    edit(*second, "pricePaidEdit")->setText(" 12.5 ");
    edit(*second, "priceSoldEdit")->setText("20");
    edit(*second, "dateLostEdit")->setText("12/08/26");   // the day it was acquired
    list(*second, "statusList")->setEditText("Sold");
    list(*second, "wherePurchasedList")->setEditText("Reef Shop");
    clickOk(*second);
    ASSERT_EQ(second->result(), QDialog::Accepted) << env.messages.texts().join('\n').toStdString();
    saved = newestRow();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->price_paid, 12.5);
    EXPECT_EQ(saved->price_sold, 20.0);
    EXPECT_EQ(saved->datelost, QDate(2026, 12, 8));
    EXPECT_EQ(saved->status, "Sold");
    EXPECT_EQ(saved->where_purch, "Reef Shop");
    EXPECT_EQ(saved->quantity, 32000);

    // The place of purchase and the status are offered next time.
    LivestockEntryDialog next(*env.ctx);
    EXPECT_GE(list(next, "wherePurchasedList")->findText("Reef Shop"), 0);
    EXPECT_GE(list(next, "statusList")->findText("Sold"), 0);
}

TEST_F(LivesAddEditTest, ChangeClearsEmptiedValuesAndReadsKeeperDateOrder)
{
    env.ctx->settings.dateOrder = "DDMMYY";
    env.ctx->settings.dateMask = "DD/MM/YY";
    LivestockRecord rec = preset();
    rec.animalname = "Koi";
    rec.price_paid = 30;
    rec.price_sold = 40;
    rec.datelost = QDate(2026, 12, 2);
    LivestockStore store(env.ctx->db());
    ASSERT_TRUE(store.insert(rec));

    LivestockEntryDialog dlg(*env.ctx);
    dlg.setEntry(rec, false, "1");
    EXPECT_EQ(list(dlg, "animalNameList")->currentText(), "Koi");
    EXPECT_EQ(edit(dlg, "pricePaidEdit")->text(), "30");
    EXPECT_EQ(edit(dlg, "dateLostEdit")->text(), "02/12/26");
    edit(dlg, "pricePaidEdit")->clear();
    edit(dlg, "priceSoldEdit")->clear();
    edit(dlg, "dateAddedEdit")->setText("05/03/26");
    clickOk(dlg);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);

    const auto saved = store.get(rec.rowid);
    EXPECT_FALSE(saved->price_paid);
    EXPECT_FALSE(saved->price_sold);
    EXPECT_EQ(saved->dateadded, QDate(2026, 3, 5));
    EXPECT_EQ(saved->datelost, QDate(2026, 12, 2));
    EXPECT_EQ(rowCount(), 1);
}

TEST_F(LivesAddEditTest, LeavingTheDateChecksItInTheKeeperOrderAndCancelSkipsTheCheck)
{
    env.ctx->settings.dateOrder = "DDMMYY";
    env.ctx->settings.dateMask = "DD/MM/YY";
    const auto settle = [] {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    };
    const auto openOnScreen = [&] {
        auto dlg = filledNew();
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    };

    auto dlg = openOnScreen();
    QLineEdit* date = edit(*dlg, "dateAddedEdit");
    date->setFocus(Qt::TabFocusReason);
    date->setText("31/12/26");
    QTest::keyClick(date, Qt::Key_Tab);
    settle();
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), edit(*dlg, "timeAddedEdit"));

    date->setFocus(Qt::TabFocusReason);
    date->setText("12/31/26");
    QTest::keyClick(date, Qt::Key_Tab);
    settle();
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "You must enter a valid date to add a livestock entry to the log.");
    EXPECT_EQ(env.messages.shown[0].title, "Oops!");
    EXPECT_EQ(QApplication::focusWidget(), date);
    dlg.reset();

    // Cancel from a bad date: no message, nothing written.
    env.messages.clear();
    auto cancelled = openOnScreen();
    date = edit(*cancelled, "dateAddedEdit");
    date->setFocus(Qt::TabFocusReason);
    date->setText("12/31/26");
    // Pressing the button takes the focus from the date before the click lands.
    QPushButton* cancel = child<QPushButton>(*cancelled, "cancelButton");
    QTest::mousePress(cancel, Qt::LeftButton);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), cancel);
    QTest::mouseRelease(cancel, Qt::LeftButton);
    settle();
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(cancelled->result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled->isVisible());
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(LivesAddEditTest, WaterTypeChoosesTheList)
{
    const struct {
        const char* type;
        bool salt;
    } cases[] = {{"1", false}, {"2", true}, {"3", true}, {"4", false}, {"5", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        LivestockEntryDialog dlg(*env.ctx);
        dlg.setEntry(preset(), true, c.type);
        EXPECT_EQ(child<QRadioButton>(dlg, "saltwaterOption")->isChecked(), c.salt);
        EXPECT_EQ(child<QRadioButton>(dlg, "freshwaterOption")->isChecked(), !c.salt);
        // The installed reference names are freshwater ones; the saltwater list starts empty.
        EXPECT_EQ(list(dlg, "animalNameList")->count() > 0, !c.salt);
        EXPECT_EQ(statuses.last(), "Ready.");
    }
}

TEST_F(LivesAddEditTest, MissingNamesFileFallsBackToTheDatabaseList)
{
    env.ctx->settings.useFileSaltwater = true;
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("INSERT INTO animallist (animalname, AnimalType) VALUES ('Tang - Yellow ', '2')"));

    LivestockEntryDialog dlg(*env.ctx);
    dlg.setEntry(preset(), true, "2");
    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& m = env.messages.shown[0];
    EXPECT_EQ(m.title, "Names File Not Found!");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(m.text.startsWith("The file containing the saltwater names (NAMESSW.TXT) is missing"));
    EXPECT_TRUE(m.text.contains("Quorvexa"));
    EXPECT_TRUE(m.text.endsWith(" to obtain a copy of the file.\r\n"
                                "The Brinestead database version of the list will be used."));
    QComboBox* names = list(dlg, "animalNameList");
    EXPECT_EQ(names->count(), 1);
    EXPECT_EQ(names->itemText(0), "Tang - Yellow ");
    EXPECT_EQ(names->currentText(), "");
    EXPECT_EQ(statuses.last(), "Ready.");
}

TEST_F(LivesAddEditTest, NewEntryOpensWithoutANameFromEitherListAndAChangedOneKeepsItsName)
{
    writeNamesFile("NamesFW.TXT", 3);
    for (const bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile ? "names file" : "database list");
        env.messages.clear();
        env.ctx->settings.useFileFreshwater = fromFile;
        LivestockEntryDialog dlg(*env.ctx);
        dlg.setEntry(preset(), true, "1");
        QComboBox* names = list(dlg, "animalNameList");
        ASSERT_GT(names->count(), 0);
        EXPECT_EQ(names->currentText(), "");
        // A forgotten pick is caught, not saved as the first species.
        clickOk(dlg);
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].text,
                  "You must enter an animal name or pick one from the list to add a livestock entry to the log.");
        EXPECT_EQ(rowCount(), 0);

        // Switching the list and back picks nothing either.
        QTest::mouseClick(child<QRadioButton>(dlg, "saltwaterOption"), Qt::LeftButton);
        QTest::mouseClick(child<QRadioButton>(dlg, "freshwaterOption"), Qt::LeftButton);
        EXPECT_EQ(names->currentText(), "");
    }

    LivestockRecord stored = preset();
    stored.animalname = "Guppy";
    env.ctx->settings.useFileFreshwater = false;
    LivestockEntryDialog changed(*env.ctx);
    changed.setEntry(stored, false, "1");
    EXPECT_EQ(list(changed, "animalNameList")->currentText(), "Guppy");
}

TEST_F(LivesAddEditTest, NamesFileLoadsWithProgress)
{
    writeNamesFile("NamesFW.TXT", 45);
    env.ctx->settings.useFileFreshwater = true;
    LivestockEntryDialog dlg(*env.ctx);
    dlg.setEntry(preset(), true, "1");
    QComboBox* names = list(dlg, "animalNameList");
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(names->count(), 45);
    EXPECT_EQ(names->itemText(0), "0 - Fish ");
    EXPECT_EQ(names->currentIndex(), -1);
    ASSERT_GE(statuses.size(), 3);
    EXPECT_EQ(statuses.first(), "Loading...");
    EXPECT_EQ(statuses.last(), "45 names loaded.");
    EXPECT_EQ(statuses.at(statuses.size() - 2 - 5), "Loading...");   // after the 40th name

    // Switching to the other water type reloads from its own source.
    dlg.show();
    QTest::mouseClick(child<QRadioButton>(dlg, "saltwaterOption"), Qt::LeftButton);
    EXPECT_EQ(names->count(), 0);
    EXPECT_EQ(statuses.last(), "Ready.");
}
