// The options dialog: controls change the settings at once, OK stores them,
// every other way out puts them back.
#include "core/ui/OptionsDialog.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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

// A click near the left edge, where a check box or option has its mark.
void click(QWidget& dialog, const char* name)
{
    auto* button = child<QAbstractButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button->height() / 2));
}

void type(QWidget& dialog, const char* name, const QString& text)
{
    auto* edit = child<QLineEdit>(dialog, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

bool isChecked(QWidget& dialog, const char* name)
{
    return child<QAbstractButton>(dialog, name)->isChecked();
}

void showTab(QWidget& dialog, int tab)
{
    child<QTabWidget>(dialog, "optionTabs")->setCurrentIndex(tab);
}

// Changes every control of the dialog away from the keeper's stored settings.
void changeEverything(OptionsDialog& dlg)
{
    showTab(dlg, 0);
    click(dlg, "yearFirstOption");
    child<QComboBox>(dlg, "delimiterCombo")->setCurrentIndex(2);
    click(dlg, "freshwaterOption");
    type(dlg, "userFieldName1Edit", "Magnesium");

    showTab(dlg, 1);
    auto* graphType = child<QComboBox>(dlg, "graphTypeCombo");
    graphType->setCurrentIndex(graphType->findData(14));
    click(dlg, "skipZeroesCheck");
    click(dlg, "grayscalePrintingOption");
    click(dlg, "phCheck");

    showTab(dlg, 2);
    click(dlg, "freshwaterDatabaseOption");
    click(dlg, "saltwaterFileOption");
}

// Shows the dialog on that tab and runs script while it is up; a dialog the
// script leaves open is cancelled, so a failing check cannot hang the test.
void runModal(OptionsDialog& dlg, int tab, std::function<void(OptionsDialog&)> script)
{
    QTimer::singleShot(0, &dlg, [&dlg, script] {
        if (QApplication::activeModalWidget() == &dlg)
            script(dlg);
        else
            ADD_FAILURE() << "the options dialog is not the modal window";
        if (dlg.isVisible())
            dlg.reject();
    });
    dlg.showOptions(tab);
}

} // namespace

TEST(Options, StoredValuesTheControlsCannotShowAreKept)
{
    TestEnv env;
    env.store.values = {{"Graph_Checks", "1"}, {"Graph_Style", "12"}};
    OptionsDialog dlg(*env.ctx);
    runModal(dlg, 1, [&](OptionsDialog& d) {
        EXPECT_TRUE(isChecked(d, "phCheck"));
        EXPECT_FALSE(isChecked(d, "nitriteCheck"));
        EXPECT_EQ(child<QComboBox>(d, "graphTypeCombo")->currentIndex(), -1);
        EXPECT_EQ(env.ctx->settings.graphChecks, "1");
        EXPECT_EQ(env.ctx->settings.graphStyle, 12);
    });

    env.store.values["Graph_Style"] = "14";
    runModal(dlg, 1, [&](OptionsDialog& d) {
        auto* graphType = child<QComboBox>(d, "graphTypeCombo");
        EXPECT_EQ(graphType->currentIndex(), 10);
        EXPECT_EQ(graphType->currentText(), "2D Pie");
    });
}

TEST(Options, ShowOptionsOpensOnTheTabAsked)
{
    TestEnv env;
    for (int tab : {1, 0}) {
        OptionsDialog dlg(*env.ctx);
        int shown = -1;
        runModal(dlg, tab, [&](OptionsDialog& d) {
            shown = child<QTabWidget>(d, "optionTabs")->currentIndex();
            click(d, "cancelButton");
        });
        EXPECT_EQ(shown, tab);
    }
}

TEST(Options, DelimiterChangesTheExamplesAtOnceButNotTheMask)
{
    TestEnv env;
    OptionsDialog dlg(*env.ctx);
    runModal(dlg, 0, [&](OptionsDialog& d) {
        EXPECT_EQ(child<QRadioButton>(d, "monthFirstOption")->text(), "02/18/97");

        auto* delimiter = child<QComboBox>(d, "delimiterCombo");
        delimiter->setCurrentIndex(delimiter->findText("."));
        EXPECT_EQ(child<QRadioButton>(d, "dayFirstOption")->text(), "18.02.97");
        EXPECT_EQ(child<QRadioButton>(d, "monthFirstOption")->text(), "02.18.97");
        EXPECT_EQ(child<QRadioButton>(d, "yearFirstOption")->text(), "97.02.18");
        EXPECT_EQ(env.ctx->settings.dateDelimiter, ".");

        click(d, "yearFirstOption");
        EXPECT_EQ(env.ctx->settings.dateOrder, "YYMMDD");
        EXPECT_EQ(env.ctx->settings.dateMask, "MM/DD/YY");
    });
}

TEST(Options, UserTestNamesAreLimitedTo50Characters)
{
    TestEnv env;
    OptionsDialog dlg(*env.ctx);
    runModal(dlg, 0, [](OptionsDialog& d) {
        type(d, "userFieldName1Edit", QString(60, 'x'));
        type(d, "userFieldName2Edit", QString(60, 'y'));
        click(d, "okButton");
    });
    EXPECT_EQ(env.ctx->userFieldName1, QString(50, 'x'));
    EXPECT_EQ(readConfig(*env.ctx).user2, QString(50, 'y'));
}

enum class Leave { CancelButton, ApplyThenCancel, FrameClose, Escape };

const char* nameOf(Leave leave)
{
    static const char* const names[] = {"Cancel", "ApplyThenCancel", "FrameClose", "Escape"};
    return names[int(leave)];
}

void PrintTo(Leave leave, std::ostream* os)
{
    *os << nameOf(leave);
}

std::string leaveName(const ::testing::TestParamInfo<Leave>& info)
{
    return nameOf(info.param);
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
        case Leave::CancelButton: click(d, "cancelButton"); break;
        case Leave::ApplyThenCancel:
            click(d, "applyButton");
            EXPECT_TRUE(d.isVisible());
            click(d, "cancelButton");
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
    EXPECT_TRUE(isChecked(dlg, "dayFirstOption"));
    EXPECT_EQ(child<QComboBox>(dlg, "delimiterCombo")->currentText(), "-");
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
        click(d, "okButton");
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


// Stored test names are shown whole and as typed, in their boxes and beside
// their graph check boxes, and OK keeps them whole; the dialog checks nothing,
// so nothing is cut without a word.
TEST(OptionsDialog, StoredTestNamesShowWholeAsTypedAndOkKeepsThem)
{
    const struct {
        QString name1, name2;
    } cases[] = {
        {QString(60, 'P') + "1", QString(55, 'I') + "2"},   // longer than the boxes take
        {"<i>Mg</i> & Ca", "K&Na && Cl&"},
    };
    for (const auto& c : cases) {
        TestEnv env;
        writeConfig(*env.ctx, true, c.name1, c.name2);
        OptionsDialog dlg(*env.ctx);
        QStringList shown;
        runModal(dlg, 0, [&](OptionsDialog& d) {
            shown << child<QLineEdit>(d, "userFieldName1Edit")->text()
                  << child<QLineEdit>(d, "userFieldName2Edit")->text()
                  << shownCaption(child<QAbstractButton>(d, "userField1Check")->text())
                  << shownCaption(child<QAbstractButton>(d, "userField2Check")->text());
            click(d, "okButton");
        });
        const QStringList typed = {c.name1, c.name2, c.name1, c.name2};
        EXPECT_EQ(shown.join(" | ").toStdString(), typed.join(" | ").toStdString());
        EXPECT_EQ(readConfig(*env.ctx), (ConfigRow{1, 0, c.name1, c.name2}));
        EXPECT_EQ(env.ctx->userFieldName1, c.name1);
    }
}

TEST(Options, FailedSaveIsReportedAndTheDialogStaysOpen)
{
    struct Case {
        const char* name;
        std::function<void(TestEnv&)> breakWrites;
        const char* where;    // named in the message
        const char* reason;   // the store's or the database's own words
    };
    const QList<Case> cases = {
        {"settings store", [](TestEnv& env) { env.store.failWrites = "the settings file cannot be written"; },
         "settings store", "the settings file cannot be written"},
        {"CONFIG", [](TestEnv& env) {
             QSqlQuery q(env.ctx->db());
             ASSERT_TRUE(q.exec("CREATE TRIGGER full BEFORE UPDATE ON CONFIG BEGIN "
                                "SELECT RAISE(ABORT, 'database or disk is full'); END"));
         },
         "CONFIG", "database or disk is full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        storeKeeperSettings(env);
        c.breakWrites(env);
        OptionsDialog dlg(*env.ctx);
        bool openAfterOk = false;
        runModal(dlg, 0, [&](OptionsDialog& d) {
            changeEverything(d);
            click(d, "okButton");
            openAfterOk = d.isVisible();
        });

        EXPECT_TRUE(openAfterOk);
        ASSERT_EQ(env.messages.shown.size(), 1);
        const QString text = env.messages.shown.first().text;
        EXPECT_TRUE(text.contains("could not be saved")) << qPrintable(text);
        EXPECT_TRUE(text.contains(c.where)) << qPrintable(text);
        EXPECT_TRUE(text.contains(c.reason)) << qPrintable(text);
        // The dialog was then cancelled: the session is back at what is stored.
        EXPECT_EQ(env.ctx->settings.dateOrder, env.store.values.value("Date_Order"));
    }
}
