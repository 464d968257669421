// The water-test dialog: presets, spinners writing their boxes, every field's
// message with its title and focus, and the row OK writes.
#include "core/Settings.h"
#include "core/ui/EntryWidgets.h"
#include "logbook/WaterEntry.h"
#include "logbook/ui/WaterTestDialog.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int rowCount(AppContext& ctx)
{
    QSqlQuery q("SELECT COUNT(*) FROM waterlog", ctx.db());
    return q.next() ? q.value(0).toInt() : -1;
}

struct ShownDialog {
    TestEnv env;
    std::unique_ptr<WaterTestDialog> dlg;
    ShownDialog()
    {
        env.ctx->userFieldName1 = "Phosphate";
        env.ctx->userFieldName2 = "Iodine";
        dlg = std::make_unique<WaterTestDialog>(*env.ctx);
        dlg->setNewEntry("K1");
        dlg->show();
        dlg->activateWindow();
        (void)QTest::qWaitForWindowActive(dlg.get());
    }
};

} // namespace

TEST(WaterAddEdit, NewTestPresetsFollowTheDefaultWaterType)
{
    for (const QString type : {"SALT", "FRESH"}) {
        TestEnv env;
        env.ctx->defWaterType = type;
        WaterTestDialog dlg(*env.ctx);
        dlg.setNewEntry("K1");
        const bool salt = type == "SALT";
        EXPECT_EQ(dlg.txt_date->text(), "12/08/26");
        EXPECT_EQ(dlg.txt_time->text(), "02:05:09 pm");
        EXPECT_EQ(dlg.txt_ph->text(), salt ? "8.40" : "7.80");
        EXPECT_EQ(dlg.ud_Ph->value(), salt ? 84 : 78);
        EXPECT_EQ(dlg.txt_sg->text(), salt ? "1.023" : "0");
        EXPECT_EQ(dlg.Ud_SG->value(), salt ? 1023 : 0);
        EXPECT_EQ(dlg.txt_temp->text(), "78");
        EXPECT_EQ(dlg.ud_temp->value(), 780);
        for (QLineEdit* box : {dlg.txt_ammonia, dlg.txt_nitrite, dlg.txt_nitrate, dlg.txt_oxygen, dlg.txt_dkh,
                               dlg.txt_calcium, dlg.txt_copper, dlg.txt_orp, dlg.txt_user1, dlg.txt_user2})
            EXPECT_EQ(box->text(), "0") << box->objectName().toStdString();
        EXPECT_EQ(dlg.txt_Comment->text(), " ");
    }
}

TEST(WaterAddEdit, SpinnersWriteTheirScaledPositionOverTypedText)
{
    TestEnv env;
    WaterTestDialog dlg(*env.ctx);
    dlg.setNewEntry("K1");
    dlg.txt_ph->setText("7.5");
    dlg.ud_Ph->stepUp();   // 78 -> 79
    EXPECT_EQ(dlg.txt_ph->text(), "7.900");
    dlg.Ud_SG->setValue(10000);
    EXPECT_EQ(dlg.txt_sg->text(), "10");
    dlg.ud_Ammonia->setValue(15);
    EXPECT_EQ(dlg.txt_ammonia->text(), "1.5");
    // Typing never moves the spinner.
    dlg.txt_ammonia->setText("900");
    EXPECT_EQ(dlg.ud_Ammonia->value(), 15);
    EXPECT_EQ(dlg.ud_Ammonia->buddy(), nullptr);
}

TEST(WaterAddEdit, UserTestsCarryTheirNames)
{
    ShownDialog s;
    EXPECT_EQ(s.dlg->Label15->text(), "Phosphate");
    EXPECT_EQ(s.dlg->Label16->text(), "Iodine");
    s.dlg->txt_user1->setText("abc");
    EXPECT_FALSE(s.dlg->txt_measure_LostFocus(WmUser1));
    s.dlg->txt_user2->setText("1000");
    EXPECT_FALSE(s.dlg->txt_measure_LostFocus(WmUser2));
    EXPECT_EQ(s.env.messages.texts(), (QStringList{"Phosphate entries must be a number.",
                                                   "Iodine entries must be less than 1000."}));
}

// Every field's message appears on OK, under "Oops!" with the exclamation
// icon and a beep, the field gets the focus and nothing is written.
TEST(WaterAddEdit, OkRefusesEachBadFieldWithItsMessageAndFocus)
{
    struct Case {
        QString field;
        QString text;
        QStringList messages;
    };
    const QList<Case> cases = {
        {"txt_date", "13/45/26", {kWaterDateMessage}},
        {"txt_time", "13:00:00 pm", {kWaterTimeMessage}},
        {"ammoniaEdit", "999.5", {"Ammonia entries must be less than 1000."}},
        {"nitriteEdit", "", {"Nitrite entries must be a number."}},
        {"nitrateEdit", "2000x", {"Nitrate entries must be a number.", "Nitrate entries must be less than 1000."}},
        {"phEdit", "99.5", {"Ph entries must be less than 99."}},
        {"specificGravityEdit", "10", {"Specific Gravity entries must be less than 10."}},
        {"temperatureEdit", "999.1", {"Temperature entries must be less than 999."}},
        {"oxygenEdit", "x", {"Oxygen entries must be a number."}},
        {"dkhEdit", "1000", {"dkh entries must be less than 1000."}},
        {"calciumEdit", "c", {"Calcium entries must be a number."}},
        {"copperEdit", "1000", {"Copper entries must less than 1000."}},
        {"redoxEdit", "o", {"Orp entries must be a number."}},
        {"userTest1Edit", "u", {"Phosphate entries must be a number."}},
        {"userTest2Edit", "2000", {"Iodine entries must be less than 1000."}},
    };
    for (const Case& c : cases) {
        ShownDialog s;
        auto* field = s.dlg->findChild<QLineEdit*>(c.field);
        ASSERT_TRUE(field) << c.field.toStdString();
        field->setText(c.text);
        s.dlg->cmd_OK->setFocus();
        s.dlg->cmd_OK_Click();
        EXPECT_EQ(s.env.messages.texts(), c.messages) << c.field.toStdString();
        for (const Message& m : s.env.messages.shown) {
            EXPECT_EQ(m.title, "Oops!");
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(s.env.beeper.count, c.messages.size());
        EXPECT_TRUE(field->hasFocus()) << c.field.toStdString();
        EXPECT_EQ(s.dlg->result(), QDialog::Rejected);
        EXPECT_TRUE(s.dlg->isVisible());
        EXPECT_EQ(rowCount(*s.env.ctx), 0);
    }
}

TEST(WaterAddEdit, LeavingABadFieldShowsItsMessageAndTakesTheFocusBack)
{
    ShownDialog s;
    s.dlg->txt_ph->setFocus();
    s.dlg->txt_ph->setText("99.5");
    s.dlg->txt_sg->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.env.messages.texts(), QStringList{"Ph entries must be less than 99."});
    EXPECT_TRUE(s.dlg->txt_ph->hasFocus());

    // Leaving for Cancel checks nothing.
    s.env.messages.clear();
    s.dlg->cmd_Exit->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.env.messages.shown.isEmpty());
}

TEST(WaterAddEdit, TimeCheckAcceptsTwelveHourTimesOnly)
{
    TestEnv env;
    WaterTestDialog dlg(*env.ctx);
    const QList<QPair<QString, bool>> cases = {
        {"12:00:00 am", true}, {"11:59:59 Pm", false},
        {"01", false},   // still holding the mask's prompts
    };
    for (const auto& [text, ok] : cases) {
        env.messages.clear();
        dlg.txt_time->setText(text);
        EXPECT_EQ(dlg.txt_time_LostFocus(), ok) << text.toStdString();
        EXPECT_EQ(env.messages.texts(), ok ? QStringList() : QStringList{kWaterTimeMessage}) << text.toStdString();
    }
}

TEST(WaterAddEdit, OkWritesAllSeventeenColumns)
{
    ShownDialog s;
    bool saved = false;
    s.dlg->onSaved = [&] { saved = true; };
    s.dlg->txt_date->setText("03/04/26");
    s.dlg->txt_time->setText("01:05:09 pm");
    const QStringList values = {"0.25", "0.1", "12", "8.2", "1.024", "78.5", "6", "9", "420", "0.05", "350", "1.5", "2"};
    for (int m = 0; m < WaterMeasureCount; ++m)
        s.dlg->box(m)->setText(values[m]);
    s.dlg->txt_Comment->setText("Cloudy, added \"buffer\"");
    s.dlg->cmd_OK_Click();
    EXPECT_TRUE(s.env.messages.shown.isEmpty()) << s.env.messages.texts().join("|").toStdString();
    EXPECT_EQ(s.dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(saved);

    QSqlQuery q("SELECT tankname, logdate, logtime, Ammonia, nitrite, nitrate, ph, sg, temp, oxygen, dkh, calcium, "
                "copper, orp, custom1, custom2, Comment FROM waterlog",
                s.env.ctx->db());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "K1");
    EXPECT_EQ(q.value(1).toString(), "2026-03-04");
    EXPECT_EQ(q.value(2).toString(), "13:05:09");
    for (int m = 0; m < WaterMeasureCount; ++m)
        EXPECT_DOUBLE_EQ(q.value(3 + m).toDouble(), values[m].toDouble()) << m;
    EXPECT_EQ(q.value(16).toString(), "Cloudy, added \"buffer\"");
    EXPECT_FALSE(q.next());
}

TEST(WaterAddEdit, EnterInABadFieldWritesNothingAndCancelNeither)
{
    ShownDialog s;
    s.dlg->txt_copper->setFocus();
    s.dlg->txt_copper->setText("lots");
    QTest::keyClick(s.dlg->txt_copper, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.env.messages.texts(), QStringList{"Copper entries must be a number."});
    EXPECT_EQ(rowCount(*s.env.ctx), 0);
    EXPECT_TRUE(s.dlg->isVisible());

    s.dlg->txt_copper->setText("0");
    QTest::keyClick(s.dlg.get(), Qt::Key_Escape);
    EXPECT_EQ(s.dlg->result(), QDialog::Rejected);
    EXPECT_EQ(rowCount(*s.env.ctx), 0);
}

TEST(WaterAddEdit, ChangeLoadsTheStoredTestFormatted)
{
    TestEnv env;
    WaterLogRecord r;
    r.tankid = "K1";
    r.logdate = QDate(2026, 1, 2);
    r.logtime = QTime(23, 4, 5);
    r.ph = 8.1;
    r.ammonia = 0.25;
    r.nitrite = 0;
    r.nitrate = 5;
    r.sg = 1.025;
    r.temp = 77;
    r.oxygen = 6;
    r.dkh = 8;
    r.calcium = 410;
    r.copper = 0;
    r.orp = 300;
    r.custom1 = 1;
    r.custom2 = 2;
    r.comment = "fine";
    ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(r));
    WaterTestDialog dlg(*env.ctx);
    dlg.setEntry(r);
    EXPECT_EQ(dlg.txt_date->text(), "01/02/26");
    EXPECT_EQ(dlg.txt_time->text(), "11:04:05 pm");
    EXPECT_EQ(dlg.txt_ph->text(), "8.100");
    EXPECT_EQ(dlg.ud_Ph->value(), 81);
    EXPECT_EQ(dlg.txt_ammonia->text(), "0.250");
    EXPECT_EQ(dlg.txt_sg->text(), "1.025");
    EXPECT_EQ(dlg.Ud_SG->value(), 1025);
    EXPECT_EQ(dlg.txt_calcium->text(), "410.000");
    EXPECT_EQ(dlg.txt_Comment->text(), "fine");

    dlg.txt_ph->setText("8.3");
    dlg.cmd_OK_Click();
    const auto back = WaterLogStore(env.ctx->db()).get(r.rowid);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(*back->ph, 8.3);
    EXPECT_EQ(back->logtime, QTime(23, 4, 5));
}

// Whatever the keeper's date order, a changed test keeps its date, and a date
// typed in that order is stored as the day meant.
TEST(WaterAddEdit, DatesFollowTheKeepersOrder)
{
    struct Case {
        QString order, delimiter, shown, typed;
        QDate typedMeans;
    };
    const QList<Case> cases = {
        {"MMDDYY", "/", "01/02/26", "03/04/25", QDate(2025, 3, 4)},
        {"DDMMYY", "-", "02-01-26", "03-04-25", QDate(2025, 4, 3)},
        {"YYMMDD", ".", "26.01.02", "25.03.04", QDate(2025, 3, 4)},
    };
    for (const Case& c : cases) {
        TestEnv env;
        env.ctx->settings.dateOrder = c.order;
        env.ctx->settings.dateDelimiter = c.delimiter;
        env.ctx->settings.dateMask = buildDateMask(c.order, c.delimiter);
        WaterLogRecord r;
        r.tankid = "K1";
        r.logdate = QDate(2026, 1, 2);
        r.logtime = QTime(7, 8, 9);
        r.ph = 8;
        ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(r));
        {
            WaterTestDialog dlg(*env.ctx);
            dlg.setEntry(r);
            EXPECT_EQ(dlg.txt_date->text(), c.shown) << c.order.toStdString();
            dlg.cmd_OK_Click();
            EXPECT_EQ(WaterLogStore(env.ctx->db()).get(r.rowid)->logdate, r.logdate) << c.order.toStdString();
        }
        WaterTestDialog dlg(*env.ctx);
        dlg.setEntry(r);
        dlg.txt_date->setText(c.typed);
        dlg.cmd_OK_Click();
        EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join("|").toStdString();
        EXPECT_EQ(WaterLogStore(env.ctx->db()).get(r.rowid)->logdate, c.typedMeans) << c.order.toStdString();
    }
}
