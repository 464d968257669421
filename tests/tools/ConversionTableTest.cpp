// The conversion calculator's table: every key with a result, the number the
// keeper types, the notes for values that give no result, and the format of
// the result.
#include "tools/ConversionTable.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct ConversionCase {
    const char* key;
    const char* typed;
    const char* shown;
};

// One case a conversion, in list order; the first ones and the flow, the
// temperature and the large-volume cases are the calculator's own examples.
const ConversionCase kCases[] = {
    {"Gallons (US gal)>Litres (L)", "10", "37.8500"},
    {"Litres (L)>Gallons (US gal)", "1", "0.2640"},
    {"Gallons (US gal)>Cubic Centimeters (cc)", "1000000", "3,785,000,000.0000"},
    {"Cubic Centimeters (cc)>Gallons (US gal)", "7570", "2.0000"},
    {"Gallons (US gal)>Millilitres (mL)", "2", "7,570.0000"},
    {"Litres (L)>Millilitres (mL)", "1.5", "1,500.0000"},
    {"Litres (L)>Cubic Centimeters (cc)", "0.25", "250.0000"},
    {"Litres (L) Water>Pounds(lb)", "10", "22.0460"},
    {"Cubic Centimeters (cc)>Millilitres (mL)", "12.34567", "12.3457"},
    {"Millilitres (mL)>Cubic Centimeters (cc)", "7", "7.0000"},
    {"Drops>Millilitres (mL)", "30", "1.5000"},
    {"Millilitres (mL)>Drops", "2.5", "50.0000"},
    {"Teaspoon (tsp)>Millilitres (mL)", "3", "15.0000"},
    {"Millilitres (mL)>Teaspoon (tsp)", "12", "2.4000"},
    {"Tablespoon (tbsp)>Millilitres (mL)", "2", "30.0000"},
    {"Millilitres (mL)>Tablespoon (tbsp)", "50", "3.3333"},
    {"Ounce (fl. oz)>Millilitres (mL)", "8", "240.0000"},
    {"Millilitres (mL)>Ounce(fl.oz)", "100", "3.3333"},
    {"Degrees Centigrade>Degrees Fahrenheit", "100", "212.0000"},
    {"Degrees Fahrenheit>Degrees Centigrade>", "0", "-17.7778"},
    {"Gallons Per Minute Flow (gpm)>Litres Per Second Flow(L/s)", "100", "6.3100"},
    {"Litres Per Second Flow(L/s)>Gallons Per Minute Flow (gpm)", "1", "15.8479"},
    {"Inches (in)>Millimeters (mm)", "2", "50.8000"},
    {"Millimeters (mm)>Inches (in)", "100", "3.9370"},
    {"Inches (in)>Centimeters (cm)", "12", "30.4800"},
    {"Centimeters (cm)>Inches (in)", "30", "11.8110"},
    {"Pounds (lb)>Kilograms (kg)", "5", "2.2680"},   // 2.26795, halfway
    {"Kilograms (kg)>Pounds (lb)", "1", "2.2046"},
    {"Cubic Feet (ft^3)>Gallons (US gal)", "4", "29.9222"},
    {"Gallons (US gal)>Cubic Feet (ft^3)", "75", "10.0260"},
    {"Cubic Feet (ft^3)>Litres (L)", "2", "56.6340"},
    {"Litres (L)>Cubic Feet (ft^3)", "1000", "35.3145"},
    {"Grams (g)>Ounces (oz)", "100", "3.5270"},
    {"Ounces (oz)>Grams (g)", "16", "453.6433"},
    {"Gallons (US gal)>Gallons (Imperial)", "55", "45.8150"},
    {"Gallons (Imperial)>Gallons (US gal)", "10", "12.0048"},
    {"Ounce (fl. oz)>Gallons (US gal)", "64", "0.5000"},
    {"Gallons (US gal)>Ounce (fl. oz)", "1.5", "192.0000"},
    {"Gallons (US gal) Water>Pounds(lb)", "75", "625.2750"},
    {"Pounds(lb)>Gallons (US gal) Water", "1000", "119.9472"},
};

} // namespace

TEST(ConversionTable, FortyConversionsInListOrder)
{
    const QStringList& keys = conversionKeys();
    ASSERT_EQ(keys.size(), 40);
    ASSERT_EQ(std::size(kCases), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(keys[i], QString::fromLatin1(kCases[i].key)) << "row " << i + 1;
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), 40);
}

TEST(ConversionTable, EveryConversionGivesItsResult)
{
    for (const ConversionCase& c : kCases) {
        SCOPED_TRACE(c.key);
        const ConversionOutcome outcome = convertTypedValue(c.key, c.typed);
        ASSERT_EQ(outcome.status, ConversionOutcome::Converted);
        EXPECT_EQ(outcome.result, QString::fromLatin1(c.shown));
    }
}

TEST(ConversionTable, UnitsAreSplitAtTheFirstMark)
{
    EXPECT_EQ(conversionFromUnit("Gallons (US gal)>Litres (L)"), "Gallons (US gal)");
    EXPECT_EQ(conversionToUnit("Gallons (US gal)>Litres (L)"), "Litres (L)");
    // The Fahrenheit key ends with a second mark, which stays with its unit.
    EXPECT_EQ(conversionFromUnit("Degrees Fahrenheit>Degrees Centigrade>"), "Degrees Fahrenheit");
    EXPECT_EQ(conversionToUnit("Degrees Fahrenheit>Degrees Centigrade>"), "Degrees Centigrade>");
}

TEST(ConversionTable, KeysMatchExactly)
{
    EXPECT_FALSE(convertValue("gallons (us gal)>litres (l)", 1).has_value());
    EXPECT_FALSE(convertValue("Gallons (US gal) > Litres (L)", 1).has_value());
    EXPECT_FALSE(convertValue(QString(), 1).has_value());
    EXPECT_EQ(convertTypedValue("Gallons>Furlongs", "1").status, ConversionOutcome::NoFormula);
    EXPECT_EQ(conversionNote(ConversionOutcome::NoFormula), "Select a formula by clicking on it. ");
}

// The same volume of water weighs the same whichever unit it is given in: a
// litre of water is 2.2046 lb, in step with 8.337 lb a US gallon of 3.785 L.
TEST(ConversionTable, LitreOfWaterWeighsAsMuchAsAGallonOfWaterPerLitre)
{
    EXPECT_EQ(convertTypedValue("Litres (L) Water>Pounds(lb)", "1").result, "2.2046");
    const double perLitre = *convertValue("Litres (L) Water>Pounds(lb)", 3.785);
    const double perGallon = *convertValue("Gallons (US gal) Water>Pounds(lb)", 1);
    EXPECT_NEAR(perLitre / perGallon, 1.0, 0.002);
}

TEST(ConversionTable, NumberUnchangedByTheVolumeTwins)
{
    for (const char* key : {"Cubic Centimeters (cc)>Millilitres (mL)", "Millilitres (mL)>Cubic Centimeters (cc)"}) {
        EXPECT_EQ(*convertValue(key, 0.1), 0.1) << key;
        EXPECT_EQ(convertTypedValue(key, "-3").result, "-3.0000") << key;
    }
}

TEST(ConversionTable, TypedValues)
{
    const struct {
        const char* typed;
        ConversionOutcome::Status status;
        const char* shown;
    } cases[] = {
        {"  10  ", ConversionOutcome::Converted, "37.8500"},
        {"+10", ConversionOutcome::Converted, "37.8500"},
        {"-2", ConversionOutcome::Converted, "-7.5700"},
        {".5", ConversionOutcome::Converted, "1.8925"},
        {"4.", ConversionOutcome::Converted, "15.1400"},
        {"1e3", ConversionOutcome::Converted, "3,785.0000"},
        {"1,000", ConversionOutcome::Converted, "3,785.0000"},
        {"1,000,000.5", ConversionOutcome::Converted, "3,785,001.8925"},
        // 0.11355 exactly halfway, although its nearest double lies just below.
        {"0.03", ConversionOutcome::Converted, "0.1136"},
        {"-0.03", ConversionOutcome::Converted, "-0.1136"},
        // Too small for a double: nothing to speak of, not too large.
        {"1e-400", ConversionOutcome::Converted, "0.0000"},
        {"-1e-400", ConversionOutcome::Converted, "0.0000"},
        {"", ConversionOutcome::EmptyValue, ""},
        {"   ", ConversionOutcome::EmptyValue, ""},
        {"abc", ConversionOutcome::NotANumber, ""},
        {"12abc", ConversionOutcome::NotANumber, ""},
        {"1,5", ConversionOutcome::NotANumber, ""},
        {"10,00", ConversionOutcome::NotANumber, ""},
        {"1234,567", ConversionOutcome::NotANumber, ""},
        // A decimal comma, not a group of thousands: never read as 250.
        {"0,250", ConversionOutcome::NotANumber, ""},
        {"-0,250", ConversionOutcome::NotANumber, ""},
        {"1.2.3", ConversionOutcome::NotANumber, ""},
        {"inf", ConversionOutcome::NotANumber, ""},
        {"nan", ConversionOutcome::NotANumber, ""},
        {"1e400", ConversionOutcome::OutOfRange, ""},
        {"300000000000000", ConversionOutcome::OutOfRange, ""},   // 1.1e15 litres
        {"-300000000000000", ConversionOutcome::OutOfRange, ""},
        {"200000000000000", ConversionOutcome::Converted, "757,000,000,000,000.0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const ConversionOutcome outcome = convertTypedValue("Gallons (US gal)>Litres (L)", c.typed);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.result, QString::fromLatin1(c.shown));
        if (c.status != ConversionOutcome::Converted) {
            EXPECT_FALSE(conversionNote(c.status).isEmpty());
        }
    }
}

TEST(ConversionTable, ResultFormat)
{
    const struct {
        double value;
        const char* shown;
    } cases[] = {
        {0, "0.0000"},
        {0.5, "0.5000"},
        {999.99996, "1,000.0000"},
        {123456.78912, "123,456.7891"},
        {-1234.5, "-1,234.5000"},
        {-0.00001, "0.0000"},
        {1e14, "100,000,000,000,000.0000"},
        {12, "12.0000"},
        {123, "123.0000"},
        {1234, "1,234.0000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatConversionResult(c.value), QString::fromLatin1(c.shown)) << c.value;
}
