// The maintenance entry dialog, driven through its controls with scripted
// message boxes and the fixed clock.
#include "logbook/ui/MaintenanceEntryDialog.h"

#include "core/ui/EntryWidgets.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QComboBox* list(QWidget* dialog, const QString& name)
{
    return child<QComboBox>(dialog, name);
}

void clickOk(QWidget* dialog)
{
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
}

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
        list(dlg.get(), "taskList")->setEditText(task);
        return dlg;
    }

    int rowCount()
    {
        QSqlQuery q(env.ctx->db());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM maintlog"));
        q.next();
        return q.value(0).toInt();
    }
    // The row the last OK wrote: the newest of the table.
    std::optional<MaintLogRecord> newestRow()
    {
        QSqlQuery q(QStringLiteral("SELECT MAX(rowid) FROM maintlog"), env.ctx->db());
        if (!q.next())
            return std::nullopt;
        return MaintLogStore(env.ctx->db()).get(q.value(0).toLongLong());
    }
};

} // namespace

TEST_F(MaintAddEditTest, NewEntryDefaultsAndUnitOrder)
{
    auto dlg = filledNew();
    EXPECT_EQ(dlg->windowTitle(), "Add a New Maintenence Activity");
    EXPECT_EQ(child<QLineEdit>(dlg.get(), "quantityEdit")->text(), "0");
    EXPECT_EQ(child<QLineEdit>(dlg.get(), "timeEdit")->text(), "02:05:09 pm");
    QStringList units;
    QComboBox* unitList = list(dlg.get(), "unitList");
    for (int i = 0; i < unitList->count(); ++i)
        units << unitList->itemText(i);
    EXPECT_EQ(units, (QStringList{"c.c.", "drops", "gallons", "litres", "ml", "oz.", "percent", "ppm"}));
    EXPECT_TRUE(unitList->currentText().isEmpty());

    for (const char* name : {"quantityEdit", "descriptionEdit", "notesEdit"})
        child<QLineEdit>(dlg.get(), name)->clear();
    clickOk(dlg.get());
    ASSERT_EQ(dlg->result(), QDialog::Accepted) << env.messages.texts().join("|").toStdString();
    EXPECT_EQ(child<QLineEdit>(dlg.get(), "quantityEdit")->text(), "0");
    const auto saved = newestRow();
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
        {"task empty", [](MaintenanceEntryDialog& d) { list(&d, "taskList")->setEditText(""); },
         "You must enter a task for your entry", "taskList"},
        {"task of 50", [](MaintenanceEntryDialog& d) { list(&d, "taskList")->setEditText(QString(50, 't')); }, "", ""},
        {"task of 51", [](MaintenanceEntryDialog& d) { list(&d, "taskList")->setEditText(QString(51, 't')); },
         "Your task description must be less than 50 characters.", "taskList"},
        {"quantity 9999", [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "quantityEdit")->setText("9999"); },
         "", ""},
        {"quantity 10000", [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "quantityEdit")->setText("10000"); },
         "Your quantity must be less than 10,000.", "quantityEdit"},
        {"description of 50",
         [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "descriptionEdit")->setText(QString(50, 'd')); }, "", ""},
        {"description of 51",
         [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "descriptionEdit")->setText(QString(51, 'd')); },
         "Your description must be 50 characters or less.", "descriptionEdit"},
        {"unit of 10", [](MaintenanceEntryDialog& d) { list(&d, "unitList")->setEditText(QString(10, 'u')); }, "", ""},
        {"unit of 11", [](MaintenanceEntryDialog& d) { list(&d, "unitList")->setEditText(QString(11, 'u')); },
         "Your \"unit of measure\" entry must be 10 characters or less.", "unitList"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        env.messages.clear();
        const int before = rowCount();
        auto dlg = filledNew();
        c.set(*dlg);
        clickOk(dlg.get());
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(env.messages.shown.isEmpty());
            EXPECT_EQ(rowCount(), before + 1);
            // What was typed is stored whole.
            const auto saved = newestRow();
            ASSERT_TRUE(saved);
            EXPECT_EQ(saved->task.toStdString(), list(dlg.get(), "taskList")->currentText().toStdString());
            EXPECT_EQ(saved->description.toStdString(),
                      child<QLineEdit>(dlg.get(), "descriptionEdit")->text().toStdString());
            EXPECT_EQ(saved->unit.toStdString(), list(dlg.get(), "unitList")->currentText().toStdString());
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
        {"date", [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "dateEdit")->setText("02/30/26"); },
         "You must enter a valad date to add a maintenence entry to the log."},
        {"time", [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "timeEdit")->setText("00:10:00 am"); },
         "You must enter a valid time in \"HH:MM:SS am\" format to add a maintenence entry to the log."},
        {"quantity", [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "quantityEdit")->setText("2 cups"); },
         "Quantity entries must be a number."},
        {"negative quantity", [](MaintenanceEntryDialog& d) { child<QLineEdit>(&d, "quantityEdit")->setText("-10"); },
         "Quantity entries must not be negative."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        env.messages.clear();
        auto dlg = filledNew();
        c.spoil(*dlg);
        clickOk(dlg.get());
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
    child<QLineEdit>(dlg.get(), "quantityEdit")->setText("10000");
    clickOk(dlg.get());
    EXPECT_EQ(rowCount(), 0);
    child<QLineEdit>(dlg.get(), "quantityEdit")->setText("2.5");
    clickOk(dlg.get());
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(newestRow()->quantity, 2.5);
    MaintenanceEntryDialog next(*env.ctx);
    EXPECT_GE(list(&next, "taskList")->findText("Clean pump impeller"), 0);
    EXPECT_EQ(list(&next, "taskList")->count(), maintenanceSeedNames().size() + 1);
}

TEST_F(MaintAddEditTest, SpinnerWritesTheQuantity)
{
    auto dlg = filledNew();
    child<UpDown>(dlg.get(), "quantitySpinner")->setValue(12);
    EXPECT_EQ(child<QLineEdit>(dlg.get(), "quantityEdit")->text(), "12");
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
    EXPECT_EQ(child<QLineEdit>(&dlg, "dateEdit")->text(), "08/12/26");
    EXPECT_EQ(child<QLineEdit>(&dlg, "quantityEdit")->text(), "5");
    EXPECT_EQ(list(&dlg, "unitList")->currentText(), "ml");
    child<QLineEdit>(&dlg, "dateEdit")->setText("05/03/26");
    clickOk(&dlg);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(store.get(rec.rowid)->logdate, QDate(2026, 3, 5));
}

TEST_F(MaintAddEditTest, FailedWriteTellsTheKeeperAndDoesNotAccept)
{
    auto dlg = filledNew();
    QSqlQuery(env.ctx->db()).exec(QStringLiteral("DROP TABLE maintlog"));
    clickOk(dlg.get());
    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& m = env.messages.shown[0];
    EXPECT_TRUE(m.text.startsWith("ERROR ") && m.text.endsWith(" occurred.")) << m.text.toStdString();
    EXPECT_EQ(m.title, "Oops");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(rowCount(), 0);
}
