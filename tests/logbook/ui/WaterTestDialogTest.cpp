// The water-test dialog: presets, spinners writing their boxes, every field's
// message with its title and focus, and the row OK writes.
#include "core/Settings.h"
#include "core/ui/EntryWidgets.h"
#include "logbook/WaterEntry.h"
#include "logbook/ui/WaterTestDialog.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void clickOk(QWidget* dialog)
{
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
}

// The measurement boxes in the dialog's order.
const QStringList kMeasureEdits = {"ammoniaEdit", "nitriteEdit", "nitrateEdit", "phEdit", "sgEdit",
                                   "tempEdit", "oxygenEdit", "dkhEdit", "calciumEdit", "copperEdit",
                                   "orpEdit", "user1Edit", "user2Edit"};

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
        dlg->setNewEntry("K1", "1");
        dlg->show();
        dlg->activateWindow();
        (void)QTest::qWaitForWindowActive(dlg.get());
    }
    QLineEdit* edit(const QString& name) const { return child<QLineEdit>(dlg.get(), name); }
};

} // namespace

TEST(WaterAddEdit, NewTestPresetsFollowTheTanksWaterType)
{
    // The tank's own water type decides; the options' default only stands in
    // for a tank without a known type.
    const struct {
        QString tankType, defaultType;
        bool salt;
    } cases[] = {
        {"1", "SALT", false}, {"2", "FRESH", true}, {"3", "FRESH", true}, {"4", "SALT", false},
        {"5", "SALT", false}, {"", "SALT", true},   {"", "FRESH", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(("tank " + c.tankType + " default " + c.defaultType).toStdString());
        TestEnv env;
        env.ctx->defWaterType = c.defaultType;
        WaterTestDialog dlg(*env.ctx);
        dlg.setNewEntry("K1", c.tankType);
        EXPECT_EQ(child<QLineEdit>(&dlg, "dateEdit")->text(), "12/08/26");
        EXPECT_EQ(child<QLineEdit>(&dlg, "timeEdit")->text(), "02:05:09 pm");
        EXPECT_EQ(child<QLineEdit>(&dlg, "phEdit")->text(), c.salt ? "8.40" : "7.80");
        EXPECT_EQ(child<QLineEdit>(&dlg, "sgEdit")->text(), c.salt ? "1.023" : "0");
        EXPECT_EQ(child<QLineEdit>(&dlg, "tempEdit")->text(), "78");
        for (const char* name : {"ammoniaEdit", "nitriteEdit", "nitrateEdit", "oxygenEdit", "dkhEdit",
                                 "calciumEdit", "copperEdit", "orpEdit", "user1Edit", "user2Edit"})
            EXPECT_EQ(child<QLineEdit>(&dlg, name)->text(), "0") << name;
        EXPECT_EQ(child<QLineEdit>(&dlg, "commentEdit")->text(), " ");
    }
}

TEST(WaterAddEdit, SpinnersStepFromWhatTheBoxShows)
{
    // Each case types into one box of a new freshwater test, then steps its spinner.
    const struct {
        const char* measure;
        QString typed;
        bool up;
        QString shown;
    } cases[] = {
        {"ph", "8.2", true, "8.300"},       // from the typed value, in the box's own step
        {"ph", "8.2", false, "8.100"},
        {"ph", "8.25", true, "8.300"},      // between two steps: the next one that way
        {"ph", "8.25", false, "8.200"},
        {"ph", "", true, "7.900"},          // empty: from the preset 7.8
        {"ph", "abc", false, "7.700"},      // refused: from the preset
        {"ph", "150", true, "7.900"},       // above the limit: from the preset
        {"sg", "1.02", true, "1.021"},
        {"sg", "1.02", false, "1.019"},
        {"temp", "76.5", true, "76.6"},
        {"ammonia", "0.25", true, "0.3"},
        {"ammonia", "0", false, "0"},       // nothing below the spinner's minimum
        {"nitrate", "-3", true, "0.1"},     // a refused negative: from the preset 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.measure) + " '" + c.typed.toStdString() + (c.up ? "' up" : "' down"));
        TestEnv env;
        WaterTestDialog dlg(*env.ctx);
        dlg.setNewEntry("K1", "1");
        const QString name = QString::fromLatin1(c.measure);
        QLineEdit* box = child<QLineEdit>(&dlg, name + "Edit");
        auto* spinner = child<UpDown>(&dlg, name + "Spinner");
        box->setText(c.typed);
        QTest::mouseClick(spinner->findChild<QWidget*>(c.up ? "upButton" : "downButton"), Qt::LeftButton);
        EXPECT_EQ(box->text(), c.shown);
    }
}

TEST(WaterAddEdit, SpinnersOfAChangedTestStepFromItsStoredValues)
{
    TestEnv env;
    WaterTestDialog dlg(*env.ctx);
    WaterLogRecord rec;
    rec.tankid = "K1";
    rec.logdate = QDate(2026, 3, 1);
    rec.logtime = QTime(9, 0, 0);
    rec.ph = 8.1;
    rec.sg = 1.025;
    dlg.setEntry(rec);
    child<QLineEdit>(&dlg, "phEdit")->clear();
    child<UpDown>(&dlg, "phSpinner")->stepUp();
    EXPECT_EQ(child<QLineEdit>(&dlg, "phEdit")->text(), "8.200");
    child<UpDown>(&dlg, "sgSpinner")->stepDown();
    EXPECT_EQ(child<QLineEdit>(&dlg, "sgEdit")->text(), "1.024");
    // A step goes from what the box holds now, not from the stored value.
    child<QLineEdit>(&dlg, "ammoniaEdit")->setText("1.5");
    child<UpDown>(&dlg, "ammoniaSpinner")->stepUp();
    EXPECT_EQ(child<QLineEdit>(&dlg, "ammoniaEdit")->text(), "1.6");
}

TEST(WaterAddEdit, UserTestsCarryTheirNames)
{
    const struct {
        QString name1, name2, shown1, shown2;
    } cases[] = {
        {"Phosphate", "Iodine", "Phosphate", "Iodine"},
        {"", "", "User1", "User2"},
        // Shown as typed, never read as markup.
        {"<i>Mg</i> & Ca", "K&lt;Na", "<i>Mg</i> & Ca", "K&lt;Na"},
    };
    for (const auto& c : cases) {
        TestEnv env;
        env.ctx->userFieldName1 = c.name1;
        env.ctx->userFieldName2 = c.name2;
        WaterTestDialog dlg(*env.ctx);
        EXPECT_EQ(shownText(child<QLabel>(&dlg, "user1Label")).toStdString(), c.shown1.toStdString());
        EXPECT_EQ(shownText(child<QLabel>(&dlg, "user2Label")).toStdString(), c.shown2.toStdString());
    }
}

// Every field's message appears on OK, under "Oops!" with the exclamation
// icon and a beep, the field gets the focus and nothing is written. The user
// tests' messages carry the names the keeper gave them.
TEST(WaterAddEdit, OkRefusesEachBadFieldWithItsMessageAndFocus)
{
    struct Case {
        QString field;
        QString text;
        QStringList messages;
    };
    const QList<Case> cases = {
        {"dateEdit", "13/45/26", {kWaterDateMessage}},
        {"timeEdit", "13:00:00 pm", {kWaterTimeMessage}},
        {"ammoniaEdit", "999.5", {"Ammonia entries must be less than 1000."}},
        {"nitriteEdit", "", {"Nitrite entries must be a number."}},
        {"nitrateEdit", "2000x", {"Nitrate entries must be a number.", "Nitrate entries must be less than 1000."}},
        {"phEdit", "99.5", {"Ph entries must be less than 99."}},
        {"sgEdit", "10", {"Specific Gravity entries must be less than 10."}},
        {"tempEdit", "999.1", {"Temperature entries must be less than 999."}},
        {"oxygenEdit", "x", {"Oxygen entries must be a number."}},
        {"dkhEdit", "1000", {"dkh entries must be less than 1000."}},
        {"calciumEdit", "c", {"Calcium entries must be a number."}},
        {"copperEdit", "1000", {"Copper entries must less than 1000."}},
        {"orpEdit", "o", {"Orp entries must be a number."}},
        {"user1Edit", "u", {"Phosphate entries must be a number."}},
        {"user2Edit", "2000", {"Iodine entries must be less than 1000."}},
        {"ammoniaEdit", "-0.25", {"Ammonia entries must not be negative."}},
        {"phEdit", "-7", {"Ph entries must not be negative."}},
        {"sgEdit", "-1.020", {"Specific Gravity entries must not be negative."}},
        {"calciumEdit", "1e999", {"Calcium entries must be a number."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        ShownDialog s;
        QLineEdit* field = s.edit(c.field);
        field->setText(c.text);
        clickOk(s.dlg.get());
        EXPECT_EQ(s.env.messages.texts(), c.messages);
        for (const Message& m : s.env.messages.shown) {
            EXPECT_EQ(m.title, "Oops!");
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(s.env.beeper.count, c.messages.size());
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(s.dlg->result(), QDialog::Rejected);
        EXPECT_TRUE(s.dlg->isVisible());
        EXPECT_EQ(rowCount(*s.env.ctx), 0);
    }
}

TEST(WaterAddEdit, LeavingABadFieldShowsItsMessageAndTakesTheFocusBack)
{
    ShownDialog s;
    QLineEdit* ph = s.edit("phEdit");
    ph->setFocus();
    ph->setText("99.5");
    QTest::keyClick(ph, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.env.messages.texts(), QStringList{"Ph entries must be less than 99."});
    EXPECT_TRUE(ph->hasFocus());

    // Leaving for Cancel checks nothing, and Cancel writes nothing.
    s.env.messages.clear();
    QTest::mouseClick(child<QPushButton>(s.dlg.get(), "cancelButton"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.env.messages.shown.isEmpty()) << s.env.messages.texts().join("|").toStdString();
    EXPECT_EQ(s.dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(s.dlg->isVisible());
    EXPECT_EQ(rowCount(*s.env.ctx), 0);
}

TEST(WaterAddEdit, TimeCheckAcceptsTwelveHourTimesOnly)
{
    const QList<QPair<QString, bool>> cases = {
        {"12:00:00 am", true}, {"11:59:59 Pm", false},
        {"01", false},   // still holding the mask's prompts
    };
    for (const auto& [text, ok] : cases) {
        SCOPED_TRACE(text.toStdString());
        ShownDialog s;
        s.edit("timeEdit")->setText(text);
        clickOk(s.dlg.get());
        EXPECT_EQ(s.env.messages.texts(), ok ? QStringList() : QStringList{kWaterTimeMessage});
        EXPECT_EQ(s.dlg->result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST(WaterAddEdit, OkWritesAllSeventeenColumns)
{
    ShownDialog s;
    bool saved = false;
    s.dlg->onSaved = [&] { saved = true; };
    s.edit("dateEdit")->setText("03/04/26");
    s.edit("timeEdit")->setText("01:05:09 pm");
    const QStringList values = {"0.25", "0.1", "12", "8.2", "1.024", "78.5", "6", "9", "420", "0.05", "350", "1.5", "2"};
    for (int m = 0; m < WaterMeasureCount; ++m)
        s.edit(kMeasureEdits[m])->setText(values[m]);
    QLineEdit* comment = s.edit("commentEdit");
    comment->clear();
    QTest::keyClicks(comment, "Cloudy, added \"buffer\"");
    clickOk(s.dlg.get());
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

TEST(WaterAddEdit, FailedWriteTellsTheKeeperAndStaysOpen)
{
    ShownDialog s;
    bool saved = false;
    s.dlg->onSaved = [&] { saved = true; };
    QSqlQuery(s.env.ctx->db()).exec("DROP TABLE waterlog");
    clickOk(s.dlg.get());
    ASSERT_EQ(s.env.messages.shown.size(), 1);
    EXPECT_TRUE(s.env.messages.shown[0].text.startsWith("The water quality entry could not be saved: "))
        << s.env.messages.shown[0].text.toStdString();
    EXPECT_EQ(s.env.messages.shown[0].title, "Note!");
    EXPECT_EQ(s.env.messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(s.dlg->isVisible());
    EXPECT_EQ(s.dlg->result(), QDialog::Rejected);
}

TEST(WaterAddEdit, EnterInABadFieldWritesNothingAndCancelNeither)
{
    ShownDialog s;
    QLineEdit* copper = s.edit("copperEdit");
    copper->setFocus();
    copper->clear();
    QTest::keyClicks(copper, "lots");
    QTest::keyClick(copper, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.env.messages.texts(), QStringList{"Copper entries must be a number."});
    EXPECT_EQ(rowCount(*s.env.ctx), 0);
    EXPECT_TRUE(s.dlg->isVisible());

    copper->setText("0");
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
    EXPECT_EQ(child<QLineEdit>(&dlg, "dateEdit")->text(), "01/02/26");
    EXPECT_EQ(child<QLineEdit>(&dlg, "timeEdit")->text(), "11:04:05 pm");
    EXPECT_EQ(child<QLineEdit>(&dlg, "phEdit")->text(), "8.100");
    EXPECT_EQ(child<QLineEdit>(&dlg, "ammoniaEdit")->text(), "0.250");
    EXPECT_EQ(child<QLineEdit>(&dlg, "sgEdit")->text(), "1.025");
    EXPECT_EQ(child<QLineEdit>(&dlg, "calciumEdit")->text(), "410.000");
    EXPECT_EQ(child<QLineEdit>(&dlg, "commentEdit")->text(), "fine");

    child<QLineEdit>(&dlg, "phEdit")->setText("8.3");
    clickOk(&dlg);
    const auto back = WaterLogStore(env.ctx->db()).get(r.rowid);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(*back->ph, 8.3);
    EXPECT_EQ(back->logtime, QTime(23, 4, 5));
    EXPECT_EQ(rowCount(*env.ctx), 1);
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
        SCOPED_TRACE(c.order.toStdString());
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
            EXPECT_EQ(child<QLineEdit>(&dlg, "dateEdit")->text(), c.shown);
            clickOk(&dlg);
            EXPECT_EQ(WaterLogStore(env.ctx->db()).get(r.rowid)->logdate, r.logdate);
        }
        WaterTestDialog dlg(*env.ctx);
        dlg.setEntry(r);
        child<QLineEdit>(&dlg, "dateEdit")->setText(c.typed);
        clickOk(&dlg);
        EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join("|").toStdString();
        EXPECT_EQ(WaterLogStore(env.ctx->db()).get(r.rowid)->logdate, c.typedMeans);
    }
}
