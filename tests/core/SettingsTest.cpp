// Loading and saving the keeper's preferences.
#include "core/Dates.h"
#include "support/TestEnv.h"

#include <QSettings>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QStringList configRow(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.exec("SELECT default_salt, default_fresh, user_fieldname1, user_fieldname2 FROM CONFIG");
    QStringList out;
    if (q.next())
        for (int i = 0; i < 4; ++i)
            out << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
    return out;
}

void setConfig(const QSqlDatabase& db, const QVariant& salt, const QVariant& name1)
{
    QSqlQuery q(db);
    q.prepare("UPDATE CONFIG SET default_salt = ?, user_fieldname1 = ?");
    q.addBindValue(salt);
    q.addBindValue(name1);
    ASSERT_TRUE(q.exec());
}

} // namespace

TEST(Settings, FirstRunGivesEveryDefaultAndWritesNothing)
{
    TestEnv env(true, false);
    env.ctx->settings.dateOrder = "junk";   // the load resets, whatever was there
    loadSettings(*env.ctx);
    const Settings& s = env.ctx->settings;
    EXPECT_EQ(s.dateOrder, "MMDDYY");
    EXPECT_EQ(s.dateDelimiter, "/");
    EXPECT_EQ(s.dateMask, "MM/DD/YY");
    EXPECT_EQ(s.graphChecks, "0111000000000");
    EXPECT_EQ(s.graphStyle, 1);
    EXPECT_EQ(s.graphSkipZeroes, 0);
    EXPECT_EQ(s.graphPrintColor, 0);
    EXPECT_FALSE(s.useFileFreshwater);
    EXPECT_FALSE(s.useFileSaltwater);
    EXPECT_EQ(s.defaultWaterType, "FRESH");
    EXPECT_EQ(env.ctx->defWaterType, "FRESH");
    EXPECT_EQ(env.ctx->userFieldName1, "");
    EXPECT_EQ(env.ctx->userFieldName2, "");
    EXPECT_EQ(env.store.writes, 0);
    EXPECT_TRUE(env.store.values.isEmpty());
}

TEST(Settings, StoredValuesAndTheirFallbacks)
{
    struct Case {
        const char* key;
        const char* stored;
        std::function<void(const Settings&)> check;
    };
    const QList<Case> cases = {
        {"Date_Order", "ddmmyy", [](const Settings& s) { EXPECT_EQ(s.dateOrder, "MMDDYY"); }},
        {"Date_Order", "DDMMYY", [](const Settings& s) { EXPECT_EQ(s.dateMask, "DD/MM/YY"); }},
        {"Date_Order", "Not Found", [](const Settings& s) { EXPECT_EQ(s.dateOrder, "MMDDYY"); }},
        {"Date_Delim", ",", [](const Settings& s) { EXPECT_EQ(s.dateDelimiter, "/"); }},
        {"Date_Delim", "-", [](const Settings& s) { EXPECT_EQ(s.dateMask, "MM-DD-YY"); }},
        {"UseFile_Salt", "true", [](const Settings& s) { EXPECT_TRUE(s.useFileSaltwater); }},
        {"UseFile_Salt", "yes", [](const Settings& s) { EXPECT_FALSE(s.useFileSaltwater); }},
        {"UseFile_Fresh", "TRUE", [](const Settings& s) { EXPECT_TRUE(s.useFileFreshwater); }},
        {"Graph_Checks", "1", [](const Settings& s) { EXPECT_EQ(s.graphChecks, "1"); }},
        {"Graph_Checks", "Not Found",
         [](const Settings& s) { EXPECT_EQ(s.graphChecks, "0111000000000"); }},
        {"Graph_Style", "14", [](const Settings& s) { EXPECT_EQ(s.graphStyle, 14); }},
        {"Graph_Style", "pie", [](const Settings& s) { EXPECT_EQ(s.graphStyle, 1); }},
        {"Graph_Style", "", [](const Settings& s) { EXPECT_EQ(s.graphStyle, 1); }},
        {"Graph_Style", "99999999999", [](const Settings& s) { EXPECT_EQ(s.graphStyle, 1); }},
        {"Graph_SkipZeroes", "1", [](const Settings& s) { EXPECT_EQ(s.graphSkipZeroes, 1); }},
        {"Graph_SkipZeroes", "x", [](const Settings& s) { EXPECT_EQ(s.graphSkipZeroes, 0); }},
        {"GraphPrintColor", "1", [](const Settings& s) { EXPECT_EQ(s.graphPrintColor, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        TestEnv env(true, false);
        env.store.values.insert(c.key, c.stored);
        loadSettings(*env.ctx);
        c.check(env.ctx->settings);
        EXPECT_EQ(env.store.writes, 0);
    }
}

TEST(Settings, ConfigColumnsGiveWaterTypeAndTestNames)
{
    struct Case {
        QVariant salt;
        const char* expected;
    };
    const Case cases[] = {{1, "SALT"}, {-1, "SALT"}, {0, "FRESH"}, {QVariant(), "FRESH"}};
    for (const Case& c : cases) {
        TestEnv env(true, false);
        setConfig(env.ctx->db(), c.salt, QVariant());
        loadSettings(*env.ctx);
        EXPECT_EQ(env.ctx->settings.defaultWaterType, c.expected);
        EXPECT_EQ(env.ctx->defWaterType, c.expected);
        EXPECT_EQ(env.ctx->userFieldName1, "");
    }
}

TEST(Settings, SaveThenLoadRoundTrips)
{
    TestEnv env;
    Settings& s = env.ctx->settings;
    s.dateOrder = "YYMMDD";
    s.dateDelimiter = ".";
    s.graphStyle = 16;
    s.graphSkipZeroes = 1;
    s.graphPrintColor = 1;
    s.useFileFreshwater = true;
    s.useFileSaltwater = false;
    EXPECT_EQ(s.dateMask, "MM/DD/YY");   // unchanged until the save
    saveSettings(*env.ctx, {"1010101010101", true, "Iodine", "Strontium"});
    EXPECT_EQ(s.dateMask, "YY.MM.DD");
    EXPECT_EQ(formatDateMask(QDate(1997, 2, 18), s.dateMask), "97.02.18");
    EXPECT_EQ(env.ctx->defWaterType, "SALT");
    EXPECT_EQ(env.ctx->userFieldName1, "Iodine");
    EXPECT_EQ(configRow(env.ctx->db()), (QStringList{"1", "0", "Iodine", "Strontium"}));

    const QHash<QString, QString> expected = {
        {"Graph_Checks", "1010101010101"}, {"Graph_Style", "16"}, {"Graph_SkipZeroes", "1"},
        {"GraphPrintColor", "1"},          {"Date_Order", "YYMMDD"}, {"Date_Delim", "."},
        {"UseFile_Fresh", "TRUE"},         {"UseFile_Salt", "FALSE"},
    };
    EXPECT_EQ(env.store.values, expected);

    env.ctx->settings = Settings();
    env.ctx->defWaterType.clear();
    loadSettings(*env.ctx);
    EXPECT_EQ(s.dateOrder, "YYMMDD");
    EXPECT_EQ(s.dateDelimiter, ".");
    EXPECT_EQ(s.dateMask, "YY.MM.DD");
    EXPECT_EQ(s.graphChecks, "1010101010101");
    EXPECT_EQ(s.graphStyle, 16);
    EXPECT_EQ(s.graphSkipZeroes, 1);
    EXPECT_EQ(s.graphPrintColor, 1);
    EXPECT_TRUE(s.useFileFreshwater);
    EXPECT_FALSE(s.useFileSaltwater);
    EXPECT_EQ(s.defaultWaterType, "SALT");
    EXPECT_EQ(env.ctx->userFieldName2, "Strontium");

    // Emptied name boxes store empty names, fresh water the negation.
    saveSettings(*env.ctx, {"0111000000000", false, QString(), QString()});
    EXPECT_EQ(configRow(env.ctx->db()), (QStringList{"0", "1", "", ""}));
    EXPECT_EQ(env.ctx->defWaterType, "FRESH");
    EXPECT_EQ(env.ctx->userFieldName1, "");
}

TEST(Settings, AllNineDateMasks)
{
    const QDate d(1997, 2, 18);
    struct Case {
        const char* order;
        const char* delim;
        const char* mask;
        const char* shown;
    };
    const Case cases[] = {
        {"MMDDYY", "/", "MM/DD/YY", "02/18/97"}, {"MMDDYY", "-", "MM-DD-YY", "02-18-97"},
        {"MMDDYY", ".", "MM.DD.YY", "02.18.97"}, {"DDMMYY", "/", "DD/MM/YY", "18/02/97"},
        {"DDMMYY", "-", "DD-MM-YY", "18-02-97"}, {"DDMMYY", ".", "DD.MM.YY", "18.02.97"},
        {"YYMMDD", "/", "YY/MM/DD", "97/02/18"}, {"YYMMDD", "-", "YY-MM-DD", "97-02-18"},
        {"YYMMDD", ".", "YY.MM.DD", "97.02.18"},
    };
    for (const Case& c : cases) {
        TestEnv env(true, false);
        env.store.values = {{"Date_Order", c.order}, {"Date_Delim", c.delim}};
        loadSettings(*env.ctx);
        EXPECT_EQ(env.ctx->settings.dateMask, c.mask);
        EXPECT_EQ(buildDateMask(c.order, c.delim), c.mask);
        EXPECT_EQ(formatDateMask(d, env.ctx->settings.dateMask), c.shown);
    }
}

TEST(Settings, QSettingsStoreKeepsKeysInTheSettingsSection)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("zel.ini");
    {
        auto store = makeQSettingsStore(ini);
        EXPECT_EQ(store->get("Date_Order", kNotFound), kNotFound);
        store->set("Date_Order", "DDMMYY");
        store->set("Graph_Checks", "0111000000000");
    }
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value("SETTINGS/Date_Order").toString(), "DDMMYY");
    auto again = makeQSettingsStore(ini);
    EXPECT_EQ(again->get("Graph_Checks", kNotFound), "0111000000000");
}
