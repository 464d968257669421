// The maintenance entry dialog, driven through its handlers with scripted
// message boxes and the fixed clock.
#include "logbook/ui/MaintenanceEntryDialog.h"

#include "core/ui/EntryWidgets.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class MaintAddEditTest : public ::testing::Test {
protected:
    TestEnv env;

    MaintLogRecord preset() const
    {
        MaintLogRecord rec;
        rec.tankid = QStringLiteral("12-01-2026 10:00:00");
        rec.logdate = QDate(2026, 12, 8);
        rec.logtime = QTime(14, 5, 9);
        rec.quantity = 0;
        rec.note = QStringLiteral(" ");
        rec.description = QStringLiteral(" ");
        return rec;
    }

    std::unique_ptr<MaintenanceEntryDialog> filledNew(const QString& task = QStringLiteral("Water change"))
    {
        auto dlg = std::make_unique<MaintenanceEntryDialog>(*env.ctx);
        dlg->setEntry(preset(), true);
        dlg->lst_mainttasklist->setEditText(task);
        return dlg;
    }

    int rowCount()
    {
        QSqlQuery q(env.ctx->db());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM maintlog"));
        q.next();
        return q.value(0).toInt();
    }
};

} // namespace

TEST_F(MaintAddEditTest, NewEntryDefaultsAndUnitOrder)
{
    auto dlg = filledNew();
    EXPECT_EQ(dlg->windowTitle(), "Add a New Maintenence Activity");
    EXPECT_EQ(dlg->txt_quantity->text(), "0");
    EXPECT_EQ(dlg->txt_logtime->text(), "02:05:09 pm");
    QStringList units;
    for (int i = 0; i < dlg->lst_unit->count(); ++i)
        units << dlg->lst_unit->itemText(i);
    EXPECT_EQ(units, (QStringList{"c.c.", "drops", "gallons", "litres", "ml", "oz.", "percent", "ppm"}));
    EXPECT_TRUE(dlg->lst_unit->currentText().isEmpty());

    dlg->txt_quantity->clear();
    dlg->txt_description->clear();
    dlg->txt_maintlognotes->clear();
    dlg->cmd_OK_Click();
    ASSERT_EQ(dlg->result(), QDialog::Accepted) << env.messages.texts().join("|").toStdString();
    EXPECT_EQ(dlg->txt_quantity->text(), "0");
    const auto saved = MaintLogStore(env.ctx->db()).get(dlg->savedEntry().rowid);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->quantity, 0.0);
    EXPECT_EQ(saved->description, " ");
    EXPECT_EQ(saved->note, " ");
    EXPECT_EQ(saved->unit, "");
    EXPECT_EQ(saved->logdate, QDate(2026, 12, 8));
    EXPECT_EQ(saved->logtime, QTime(14, 5, 9));
    EXPECT_EQ(saved->tankid, "12-01-2026 10:00:00");
}

TEST_F(MaintAddEditTest, LimitsOnOk)
{
    const struct {
        const char* label;
        std::function<void(MaintenanceEntryDialog&)> set;
        QString refusal;   // empty: accepted
        const char* focus;
    } cases[] = {
        {"task empty", [](MaintenanceEntryDialog& d) { d.lst_mainttasklist->setEditText(""); },
         "You must enter a task for your entry", "lst_mainttasklist"},
        {"task of 50", [](MaintenanceEntryDialog& d) { d.lst_mainttasklist->setEditText(QString(50, 't')); }, "", ""},
        {"task of 51", [](MaintenanceEntryDialog& d) { d.lst_mainttasklist->setEditText(QString(51, 't')); },
         "Your task description must be less than 50 characters.", "lst_mainttasklist"},
        {"quantity 9999", [](MaintenanceEntryDialog& d) { d.txt_quantity->setText("9999"); }, "", ""},
        {"quantity 10000", [](MaintenanceEntryDialog& d) { d.txt_quantity->setText("10000"); },
         "Your quantity must be less than 10,000.", "txt_quantity"},
        {"description of 51", [](MaintenanceEntryDialog& d) { d.txt_description->setText(QString(51, 'd')); },
         "Your description must be 50 characters or less.", "txt_description"},
        {"unit of 10", [](MaintenanceEntryDialog& d) { d.lst_unit->setEditText(QString(10, 'u')); }, "", ""},
        {"unit of 11", [](MaintenanceEntryDialog& d) { d.lst_unit->setEditText(QString(11, 'u')); },
         "Your \"unit of measure\" entry must be 10 characters or less.", "lst_unit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        env.messages.clear();
        const int before = rowCount();
        auto dlg = filledNew();
        c.set(*dlg);
        dlg->cmd_OK_Click();
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(env.messages.shown.isEmpty());
            EXPECT_EQ(rowCount(), before + 1);
            continue;
        }
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].text, c.refusal);
        EXPECT_EQ(env.messages.shown[0].title, "Note!");
        ASSERT_TRUE(dlg->focusWidget());
        EXPECT_EQ(dlg->focusWidget()->objectName(), c.focus);
        EXPECT_EQ(rowCount(), before);
    }
}

TEST_F(MaintAddEditTest, OkRerunsTheFieldChecks)
{
    const struct {
        const char* label;
        std::function<void(MaintenanceEntryDialog&)> spoil;
        QString text;
    } cases[] = {
        {"date", [](MaintenanceEntryDialog& d) { d.txt_logdate->setText("02/30/26"); },
         "You must enter a valad date to add a maintenence entry to the log."},
        {"time", [](MaintenanceEntryDialog& d) { d.txt_logtime->setText("00:10:00 am"); },
         "You must enter a valid time in \"HH:MM:SS am\" format to add a maintenence entry to the log."},
        {"quantity", [](MaintenanceEntryDialog& d) { d.txt_quantity->setText("2 cups"); },
         "Quantity entries must be a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        env.messages.clear();
        auto dlg = filledNew();
        c.spoil(*dlg);
        dlg->cmd_OK_Click();
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].text, c.text);
        EXPECT_EQ(env.messages.shown[0].title, "Oops!");
        EXPECT_EQ(rowCount(), 0);
    }
}

TEST_F(MaintAddEditTest, TaskTypedOnceIsOfferedNextTime)
{
    // A refusal leaves the dialog open; the corrected entry is written in full.
    auto dlg = filledNew("Clean pump impeller");
    dlg->txt_quantity->setText("10000");
    dlg->cmd_OK_Click();
    EXPECT_EQ(rowCount(), 0);
    dlg->txt_quantity->setText("2.5");
    dlg->cmd_OK_Click();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(MaintLogStore(env.ctx->db()).get(dlg->savedEntry().rowid)->quantity, 2.5);
    MaintenanceEntryDialog next(*env.ctx);
    EXPECT_GE(next.lst_mainttasklist->findText("Clean pump impeller"), 0);
    EXPECT_EQ(next.lst_mainttasklist->count(), maintenanceSeedNames().size() + 1);
}

TEST_F(MaintAddEditTest, SpinnerWritesTheQuantity)
{
    auto dlg = filledNew();
    dlg->ud_quantity->setValue(12);
    EXPECT_EQ(dlg->txt_quantity->text(), "12");
}

TEST_F(MaintAddEditTest, ChangeKeepsTheRowAndReadsDayMonthOrder)
{
    env.ctx->settings.dateOrder = "DDMMYY";
    env.ctx->settings.dateMask = "DD/MM/YY";
    MaintLogRecord rec = preset();
    rec.task = "Dose";
    rec.quantity = 5;
    rec.unit = "ml";
    MaintLogStore store(env.ctx->db());
    ASSERT_TRUE(store.insert(rec));

    MaintenanceEntryDialog dlg(*env.ctx);
    dlg.setEntry(rec, false);
    EXPECT_EQ(dlg.txt_logdate->text(), "08/12/26");
    EXPECT_EQ(dlg.txt_quantity->text(), "5");
    EXPECT_EQ(dlg.lst_unit->currentText(), "ml");
    dlg.txt_logdate->setText("05/03/26");
    dlg.cmd_OK_Click();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(store.get(rec.rowid)->logdate, QDate(2026, 3, 5));
}
