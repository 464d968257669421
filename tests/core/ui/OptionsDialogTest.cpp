// The options dialog: controls change the settings at once, OK stores them,
// every other way out puts them back.
#include "core/ui/OptionsDialog.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct ConfigRow {
    int salt = -1, fresh = -1;
    QString user1, user2;
    bool operator==(const ConfigRow&) const = default;
};

ConfigRow readConfig(AppContext& ctx)
{
    QSqlQuery q(ctx.db());
    q.exec("SELECT default_salt, default_fresh, user_fieldname1, user_fieldname2 FROM CONFIG");
    ConfigRow row;
    if (q.next())
        row = {q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString()};
    return row;
}

void writeConfig(AppContext& ctx, bool salt, const QString& user1, const QString& user2)
{
    QSqlQuery q(ctx.db());
    q.prepare("UPDATE CONFIG SET default_salt = ?, default_fresh = ?, user_fieldname1 = ?, user_fieldname2 = ?");
    q.addBindValue(salt ? 1 : 0);
    q.addBindValue(salt ? 0 : 1);
    q.addBindValue(user1);
    q.addBindValue(user2);
    ASSERT_TRUE(q.exec());
}

// Every setting the dialog edits, for comparing before and after.
QStringList snapshot(const AppContext& ctx)
{
    const Settings& s = ctx.settings;
    return {s.graphChecks, QString::number(s.graphStyle), QString::number(s.graphSkipZeroes),
            s.defaultWaterType, QString::number(s.graphPrintColor), s.dateOrder, s.dateDelimiter, s.dateMask,
            s.useFileFreshwater ? "T" : "F", s.useFileSaltwater ? "T" : "F", ctx.defWaterType,
            ctx.userFieldName1, ctx.userFieldName2};
}

// A keeper who has set things up once: stored values that differ from the defaults.
void storeKeeperSettings(TestEnv& env)
{
    env.store.values = {{"Date_Order", "DDMMYY"},   {"Date_Delim", "-"},           {"Graph_Checks", "1000000000011"},
                        {"Graph_Style", "3"},        {"Graph_SkipZeroes", "1"},     {"GraphPrintColor", "1"},
                        {"UseFile_Fresh", "TRUE"},   {"UseFile_Salt", "FALSE"}};
    writeConfig(*env.ctx, true, "Iodine", "Strontium");
    loadSettings(*env.ctx);
}

// Changes every control of the dialog away from the keeper's stored settings.
void changeEverything(OptionsDialog& dlg)
{
    dlg.opt_Dateform_YYMMDD->click();
    dlg.cbo_Delimiter->setCurrentIndex(2);
    dlg.cbo_GraphType->setCurrentIndex(dlg.cbo_GraphType->findData(14));
    dlg.chk_SkipZeroValues->click();
    dlg.opt_BWPrinting->click();
    dlg.opt_UseFreshDB->click();
    dlg.opt_UseSaltFile->click();
    dlg.opt_Fresh->click();
    dlg.chk_ph->click();
    dlg.txt_username1->setText("Magnesium");
}

void runModal(OptionsDialog& dlg, int tab, std::function<void(OptionsDialog&)> script)
{
    QTimer::singleShot(0, &dlg, [&dlg, script] {
        ASSERT_EQ(QApplication::activeModalWidget(), &dlg);
        script(dlg);
    });
    dlg.ShowOptions(tab);
}

} // namespace

TEST(Options, StoredValuesTheControlsCannotShowAreKept)
{
    TestEnv env;
    env.store.values = {{"Graph_Checks", "1"}, {"Graph_Style", "12"}};
    OptionsDialog dlg(*env.ctx);
    dlg.loadSettings();
    EXPECT_TRUE(dlg.chk_ph->isChecked());
    EXPECT_FALSE(dlg.chk_nitrite->isChecked());
    EXPECT_EQ(env.ctx->settings.graphChecks, "1");
    EXPECT_EQ(dlg.cbo_GraphType->currentIndex(), -1);
    EXPECT_EQ(env.ctx->settings.graphStyle, 12);

    env.store.values["Graph_Style"] = "14";
    dlg.loadSettings();
    EXPECT_EQ(dlg.cbo_GraphType->currentIndex(), 10);
    EXPECT_EQ(dlg.cbo_GraphType->currentText(), "2D Pie");
}

TEST(Options, ShowOptionsOpensOnTheTabAsked)
{
    TestEnv env;
    for (int tab : {1, 0}) {
        OptionsDialog dlg(*env.ctx);
        int shown = -1;
        runModal(dlg, tab, [&](OptionsDialog& d) {
            shown = d.SSTab1->currentIndex();
            d.cmdCancel_Click();
        });
        EXPECT_EQ(shown, tab);
    }
}

TEST(Options, DelimiterChangesTheExamplesAtOnceButNotTheMask)
{
    TestEnv env;
    OptionsDialog dlg(*env.ctx);
    dlg.loadSettings();
    EXPECT_EQ(dlg.opt_Dateform_MMDDYY->text(), "02/18/97");

    dlg.cbo_Delimiter->setCurrentIndex(dlg.cbo_Delimiter->findText("."));
    EXPECT_EQ(dlg.opt_Dateform_ddmmyy->text(), "18.02.97");
    EXPECT_EQ(dlg.opt_Dateform_MMDDYY->text(), "02.18.97");
    EXPECT_EQ(dlg.opt_Dateform_YYMMDD->text(), "97.02.18");
    EXPECT_EQ(env.ctx->settings.dateDelimiter, ".");

    dlg.opt_Dateform_YYMMDD->click();
    EXPECT_EQ(env.ctx->settings.dateOrder, "YYMMDD");
    EXPECT_EQ(env.ctx->settings.dateMask, "MM/DD/YY");
}

TEST(Options, UserTestNamesAreLimitedTo50Characters)
{
    TestEnv env;
    OptionsDialog dlg(*env.ctx);
    dlg.loadSettings();
    dlg.txt_username1->setText(QString(60, 'x'));
    dlg.txt_username2->setText(QString(60, 'y'));
    dlg.finishOptions(true);
    EXPECT_EQ(env.ctx->userFieldName1, QString(50, 'x'));
    EXPECT_EQ(readConfig(*env.ctx).user2, QString(50, 'y'));
}

enum class Leave { CancelButton, ApplyThenCancel, FrameClose, Escape };

std::string leaveName(const ::testing::TestParamInfo<Leave>& info)
{
    static const char* const names[] = {"Cancel", "ApplyThenCancel", "FrameClose", "Escape"};
    return names[int(info.param)];
}

class OptionsRevert : public ::testing::TestWithParam<Leave> {};

TEST_P(OptionsRevert, EverySettingIsBackAndNothingIsStored)
{
    TestEnv env;
    storeKeeperSettings(env);
    const QStringList before = snapshot(*env.ctx);
    const auto storedBefore = env.store.values;
    const ConfigRow configBefore = readConfig(*env.ctx);
    env.store.writes = 0;

    OptionsDialog dlg(*env.ctx);
    QStringList during;
    runModal(dlg, 0, [&](OptionsDialog& d) {
        changeEverything(d);
        during = snapshot(*env.ctx);
        switch (GetParam()) {
        case Leave::CancelButton: d.cmdCancel->click(); break;
        case Leave::ApplyThenCancel:
            d.cmdApply->click();
            EXPECT_TRUE(d.isVisible());
            d.cmdCancel->click();
            break;
        case Leave::FrameClose: d.close(); break;
        case Leave::Escape: QTest::keyClick(&d, Qt::Key_Escape); break;
        }
    });

    EXPECT_NE(during, before);   // the handlers did change the settings meanwhile
    EXPECT_EQ(snapshot(*env.ctx), before);
    EXPECT_EQ(env.store.writes, 0);
    EXPECT_EQ(env.store.values, storedBefore);
    EXPECT_EQ(readConfig(*env.ctx), configBefore);
    EXPECT_TRUE(dlg.opt_Dateform_ddmmyy->isChecked());
    EXPECT_EQ(dlg.cbo_Delimiter->currentText(), "-");
}

INSTANTIATE_TEST_SUITE_P(WaysOut, OptionsRevert,
                         ::testing::Values(Leave::CancelButton, Leave::ApplyThenCancel, Leave::FrameClose,
                                           Leave::Escape),
                         leaveName);

TEST(Options, OkStoresTheEightKeysAndConfig)
{
    TestEnv env;
    storeKeeperSettings(env);
    env.store.writes = 0;
    OptionsDialog dlg(*env.ctx);
    runModal(dlg, 0, [](OptionsDialog& d) {
        changeEverything(d);
        d.cmdOK->click();
    });

    EXPECT_EQ(env.store.writes, 8);
    const QHash<QString, QString> expected = {
        {"Date_Order", "YYMMDD"},   {"Date_Delim", "."},         {"Graph_Checks", "0000000000011"},
        {"Graph_Style", "14"},      {"Graph_SkipZeroes", "0"},   {"GraphPrintColor", "0"},
        {"UseFile_Fresh", "FALSE"}, {"UseFile_Salt", "TRUE"}};
    EXPECT_EQ(env.store.values, expected);
    EXPECT_EQ(readConfig(*env.ctx), (ConfigRow{0, 1, "Magnesium", "Strontium"}));
    EXPECT_EQ(env.ctx->defWaterType, "FRESH");
    EXPECT_EQ(env.ctx->userFieldName1, "Magnesium");
    EXPECT_EQ(env.ctx->settings.dateMask, "YY.MM.DD");
}

