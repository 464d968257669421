// The water-test rules: field messages, spinner texts, presets of a new test
// and the values a stored test shows for a change.
#include "logbook/WaterEntry.h"

#include <gtest/gtest.h>

namespace {
const QString kU1 = "Phosphate";
const QString kU2 = "Iodine";
}

TEST(WaterEntry, MeasurementMessagesFollowTheNumberAndLimitRules)
{
    struct Case {
        int measure;
        QString text;
        QStringList expected;
    };
    const QList<Case> cases = {
        {WmAmmonia, "999", {}},
        {WmAmmonia, "999.5", {"Ammonia entries must be less than 1000."}},
        {WmPh, "99", {}},
        {WmPh, "99.5", {"Ph entries must be less than 99."}},
        {WmSg, "9.999", {}},
        {WmSg, "10", {"Specific Gravity entries must be less than 10."}},
        {WmTemp, "999", {}},
        {WmTemp, "999.1", {"Temperature entries must be less than 999."}},
        {WmNitrate, "2000x", {"Nitrate entries must be a number.", "Nitrate entries must be less than 1000."}},
        {WmNitrate, "abc", {"Nitrate entries must be a number."}},
        {WmNitrite, "", {"Nitrite entries must be a number."}},
        {WmCopper, "1001", {"Copper entries must less than 1000."}},
        {WmOrp, "x", {"Orp entries must be a number."}},
        {WmDkh, "1e4", {"dkh entries must be less than 1000."}},
        {WmUser1, "abc", {"Phosphate entries must be a number."}},
        {WmUser2, "1000", {"Iodine entries must be less than 1000."}},
        {WmCalcium, " 420 ", {}},
        // Numbers use '.' whatever the locale: a comma is not a decimal point.
        {WmOxygen, "7,5", {"Oxygen entries must be a number."}},
        // A number too large to be finite is no number.
        {WmAmmonia, "1e999", {"Ammonia entries must be a number."}},
        // No concentration, pH or specific gravity is below zero; temperature,
        // redox potential and the user tests may be.
        {WmAmmonia, "-0.5", {"Ammonia entries must not be negative."}},
        {WmNitrite, "-1", {"Nitrite entries must not be negative."}},
        {WmNitrate, "-1", {"Nitrate entries must not be negative."}},
        {WmPh, "-7", {"Ph entries must not be negative."}},
        {WmSg, "-1.02", {"Specific Gravity entries must not be negative."}},
        {WmOxygen, "-2", {"Oxygen entries must not be negative."}},
        {WmDkh, "-8", {"dkh entries must not be negative."}},
        {WmCalcium, "-400", {"Calcium entries must not be negative."}},
        {WmCopper, "-0.1", {"Copper entries must not be negative."}},
        {WmAmmonia, "-0", {}},
        {WmTemp, "-5", {}},
        {WmOrp, "-250", {}},
        {WmUser1, "-3", {}},
        {WmUser2, "-3", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(waterMeasureMessages(c.measure, c.text, kU1, kU2), c.expected)
            << c.measure << " " << c.text.toStdString();
}

TEST(WaterEntry, SpinnerWritesScaledPositionInShortestForm)
{
    EXPECT_EQ(waterSpinnerText(WmAmmonia, 15), "1.5");
    EXPECT_EQ(waterSpinnerText(WmAmmonia, 20), "2");
    EXPECT_EQ(waterSpinnerText(WmSg, 1023), "1.023");
    EXPECT_EQ(waterSpinnerText(WmPh, 82), "8.200");
    EXPECT_EQ(waterSpinnerText(WmAmmonia, 10000), "1000");
    EXPECT_EQ(waterSpinnerText(WmSg, 10000), "10");
    EXPECT_EQ(waterSpinnerText(WmPh, 10000), "1000.000");
    EXPECT_EQ(waterSpinnerText(WmUser2, 0), "0");
}

TEST(WaterEntry, NewTestPresetsBySaltOrFresh)
{
    auto find = [](const QVector<WaterBoxPreset>& ps, int m) {
        for (const auto& p : ps)
            if (p.measure == m)
                return p;
        return WaterBoxPreset{-1, std::nullopt, "missing"};
    };
    const auto salt = waterNewPresets(true);
    const auto fresh = waterNewPresets(false);
    EXPECT_EQ(salt.size(), WaterMeasureCount);
    EXPECT_EQ(fresh.size(), WaterMeasureCount);
    EXPECT_EQ(find(salt, WmPh).text, "8.40");
    EXPECT_EQ(find(salt, WmPh).spinner, 84);
    EXPECT_EQ(find(salt, WmSg).text, "1.023");
    EXPECT_EQ(find(salt, WmSg).spinner, 1023);
    EXPECT_EQ(find(fresh, WmPh).text, "7.80");
    EXPECT_EQ(find(fresh, WmPh).spinner, 78);
    EXPECT_EQ(find(fresh, WmSg).text, "0");
    EXPECT_EQ(find(fresh, WmSg).spinner, 0);
    for (const auto& ps : {salt, fresh}) {
        EXPECT_EQ(find(ps, WmTemp).text, "78");
        EXPECT_EQ(find(ps, WmTemp).spinner, 780);
        for (int m : {WmAmmonia, WmNitrite, WmNitrate, WmOxygen, WmDkh, WmCalcium, WmCopper, WmOrp, WmUser1, WmUser2}) {
            EXPECT_EQ(find(ps, m).text, "0") << m;
            EXPECT_FALSE(find(ps, m).spinner) << m;
        }
    }
}

TEST(WaterEntry, ChangeShowsFormattedValuesAndRoundedSpinners)
{
    WaterLogRecord r;
    r.ammonia = 0.25;
    r.nitrite = 0.05;   // 0.5 positions: half goes to the even neighbour
    r.nitrate = 12;
    r.ph = 8.15;
    r.sg = 1.0236;
    r.temp = 78.5;
    r.oxygen.reset();
    r.dkh = 9;
    r.calcium = 420;
    r.copper = 0;
    r.orp = 350;
    r.custom1 = 1.25;
    r.custom2.reset();
    QHash<int, WaterBoxPreset> by;
    for (const auto& p : waterChangePresets(r))
        by.insert(p.measure, p);
    ASSERT_EQ(by.size(), WaterMeasureCount);
    EXPECT_EQ(by[WmAmmonia].text, "0.250");
    EXPECT_EQ(by[WmAmmonia].spinner, 2);   // 2.5 -> 2
    EXPECT_EQ(by[WmNitrate].text, "12.000");
    EXPECT_EQ(by[WmNitrate].spinner, 120);
    EXPECT_EQ(by[WmPh].text, "8.150");
    EXPECT_EQ(by[WmSg].text, "1.024");
    EXPECT_EQ(by[WmSg].spinner, 1024);
    EXPECT_EQ(by[WmTemp].text, "78.500");
    EXPECT_EQ(by[WmTemp].spinner, 785);
    EXPECT_EQ(by[WmCalcium].text, "420.000");
    EXPECT_EQ(by[WmUser1].spinner, 12);   // 12.5 -> 12
    // A missing oxygen value leaves its spinner alone; missing values show as 0.
    EXPECT_FALSE(by[WmOxygen].spinner);
    EXPECT_EQ(by[WmOxygen].text, "0.000");
    EXPECT_EQ(by[WmUser2].text, "0.000");
}
