// The fantasy tank's arithmetic: exact decimals, capacities, the fill and its
// cap, the size checks, and the lines and warnings of the planned tank.
#include "tools/FantasyTank.h"

#include <gtest/gtest.h>

namespace {

Decimal num(const char* text) { return Decimal::leadingNumber(QString::fromLatin1(text)); }

QStringList titles(const QList<PlannerMessage>& messages)
{
    QStringList out;
    for (const PlannerMessage& m : messages)
        out << m.message.title;
    return out;
}

} // namespace

TEST(Decimal, ReadsTheLeadingNumberExactly)
{
    struct Case {
        const char* text;
        qint64 millionths;
        const char* shown;
    };
    const Case cases[] = {
        {"55", 55000000, "55"},
        {"  2.5 inches", 2500000, "2.5"},
        {"2.2", 2200000, "2.2"},
        {"-0.25", -250000, "-0.25"},
        {"1e2", 100000000, "100"},
        {"7.5E-1", 750000, "0.75"},
        {".5", 500000, "0.5"},
        {"", 0, "0"},
        {"abc", 0, "0"},
        {"12abc", 12000000, "12"},
        {"0.0000001", 0, "0"},
        {"1.000000000000000000000000000000001", 1000000, "1"},
        {"99999999999999999999999", Decimal::kLimit, "1000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Decimal d = num(c.text);
        EXPECT_EQ(d.millionths(), c.millionths);
        EXPECT_EQ(d.toString(), QString::fromLatin1(c.shown));
    }
    EXPECT_EQ((num("3") * num("2.5")).toString(), QStringLiteral("7.5"));
    EXPECT_EQ(num("-2.5").floor(), -3);
    EXPECT_EQ(num("2.999").floor(), 2);
}

TEST(Stocking, CapacityByWaterTypeAndTankholdingVariables)
{
    struct Case {
        const char* label;
        WaterKind water;
        const char* gallons;
        bool wetDry;
        bool taller;
        qint64 capacity;
    };
    const Case cases[] = {
        {"saltwater", WaterKind::Saltwater, "55", false, false, 27},
        {"freshwater", WaterKind::Freshwater, "55", false, false, 45},
        {"saltwater wet/dry", WaterKind::Saltwater, "55", true, false, 30},
        {"saltwater wet/dry and taller", WaterKind::Saltwater, "55", true, true, 30},
        // 55 / 2.2 is exactly 25.
        {"saltwater taller", WaterKind::Saltwater, "55", false, true, 25},
        {"freshwater taller", WaterKind::Freshwater, "55", false, true, 36},
        {"freshwater wet/dry does not count", WaterKind::Freshwater, "55", true, false, 45},
        // 66 / 2.2 is exactly 30.
        {"66 saltwater taller", WaterKind::Saltwater, "66", false, true, 30},
        {"66 freshwater", WaterKind::Freshwater, "66", false, false, 55},
        {"smallest tank", WaterKind::Saltwater, "5", false, true, 2},
        {"largest tank", WaterKind::Freshwater, "250", false, false, 208},
        {"fractional gallons", WaterKind::Saltwater, "54.9", false, false, 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Stocking s = computeStocking(c.water, num(c.gallons), c.wetDry, c.taller, Decimal());
        EXPECT_EQ(s.capacity, c.capacity);
        EXPECT_EQ(s.percentText, QStringLiteral(" 0%"));
    }
}

TEST(Stocking, SentencesAndPercentShowTheFill)
{
    Stocking s = computeStocking(WaterKind::Saltwater, num("55"), false, false, num("10"));
    EXPECT_EQ(s.holdingText,
              QStringLiteral("A 55 gallon saltwater tank, in ideal conditions, could hold about 27 inches of fish."));
    EXPECT_EQ(s.percentText, QStringLiteral(" 37%"));   // 37.04 percent
    EXPECT_EQ(s.percentFull.floor(), 37);   // the bar's position

    s = computeStocking(WaterKind::Freshwater, num("62.5"), false, true, num("41"));
    EXPECT_EQ(s.holdingText,
              QStringLiteral("A 62.5 gallon freshwater tank, in ideal conditions, could hold about 41 inches of fish."));
    EXPECT_EQ(s.percentText, QStringLiteral(" 100%"));
}

TEST(Stocking, FillIsCappedAt125Percent)
{
    // 40 inches in 27: 148.1 percent.
    const Stocking s = computeStocking(WaterKind::Saltwater, num("55"), false, false, num("40"));
    EXPECT_EQ(s.percentFull, Decimal::fromInt(125));
    EXPECT_EQ(s.percentText, QStringLiteral(" 125%"));
}

TEST(Stocking, NoCapacityNeverDividesByZero)
{
    // A refused size still in the box (0, text, below one factor's gallons).
    for (const char* gallons : {"0", "abc", "1", "-20"}) {
        SCOPED_TRACE(gallons);
        Stocking s = computeStocking(WaterKind::Saltwater, num(gallons), false, true, Decimal());
        EXPECT_EQ(s.capacity, 0);
        EXPECT_EQ(s.percentText, QStringLiteral(" 0%"));
        s = computeStocking(WaterKind::Saltwater, num(gallons), false, true, num("3"));
        EXPECT_EQ(s.capacity, 0);
        EXPECT_EQ(s.percentText, QStringLiteral(" 125%"));
    }
}

TEST(Stocking, TankSizeChecksInOrder)
{
    struct Case {
        const char* text;
        const char* refusal;   // nullptr: accepted
    };
    const Case cases[] = {
        {"250", nullptr},
        {"5", nullptr},
        {"55.5", nullptr},
        {"251", "Fantasy tank size must be less than 250 gallons."},
        {"250.01", "Fantasy tank size must be less than 250 gallons."},
        // Past the sixth decimal, and past the seventh through an exponent.
        {"250.0000001", "Fantasy tank size must be less than 250 gallons."},
        {"2.500000001e2", "Fantasy tank size must be less than 250 gallons."},
        {"250.00000000000000000000000000001", "Fantasy tank size must be less than 250 gallons."},
        {"250.000000000", nullptr},
        {"249.9999999", nullptr},
        {"4.9999999", "Fantasy tank size must be at least 5 gallons."},
        {"4.9", "Fantasy tank size must be at least 5 gallons."},
        {"0", "Fantasy tank size must be at least 5 gallons."},
        {"-300", "Fantasy tank size must be at least 5 gallons."},
        {"abc", "Fantasy tank size must be a number less than 250 gallons."},
        {"", "Fantasy tank size must be a number less than 250 gallons."},
        {"55 gal", "Fantasy tank size must be a number less than 250 gallons."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QString> refusal = tankSizeRefusal(QString::fromLatin1(c.text));
        if (c.refusal)
            EXPECT_EQ(refusal.value_or(QString()), QString::fromLatin1(c.refusal));
        else
            EXPECT_FALSE(refusal.has_value()) << refusal->toStdString();
    }
}

TEST(FantasyTankPlan, CountAndSizeAreRefusedCountFirstAndNeverOverflowTheTotal)
{
    using Refusal = FantasyTankPlan::AdditionRefusal;
    const char* noCount = "You must add at least one animal to the tank.";
    const char* noSize = "Your fish must be at least one inch long to add it to the tank.";
    const char* tooMany = "That number of animals is too large to add to the tank.";
    const char* tooLong = "That size is too large to add to the tank.";
    const char* totalTooLarge =
        "That would make the tank's total too large: all its fish together must come to less than 1,000,000,000 inches.";
    struct Case {
        const char* planned;   // inches of one line already in the tank
        const char* count;
        const char* size;
        std::optional<Refusal::Field> refused;
        const char* message;
    };
    const Case cases[] = {
        {"0", "0", "0", Refusal::Count, noCount},
        {"0", "", "3", Refusal::Count, noCount},
        {"0", "abc", "3", Refusal::Count, noCount},
        {"0", "0.5", "3", Refusal::Count, noCount},
        {"0", "-2", "3", Refusal::Count, noCount},
        {"0", "-1e30", "3", Refusal::Count, noCount},
        {"0", "1", "0", Refusal::Size, noSize},
        {"0", "2", "", Refusal::Size, noSize},
        {"0", "2", "0.9", Refusal::Size, noSize},
        {"0", "1", "1", std::nullopt, nullptr},
        {"0", "20", "2.5", std::nullopt, nullptr},
        // The total stays below a thousand million inches.
        {"0", "999999999", "1", std::nullopt, nullptr},
        {"0", "1000000000", "1", Refusal::Count, tooMany},
        {"0", "1e30", "1", Refusal::Count, tooMany},
        {"0", "1e30", "1e30", Refusal::Count, tooMany},
        {"0", "500000000", "2", Refusal::Count, totalTooLarge},
        {"600000000", "500000000", "1", Refusal::Count, totalTooLarge},
        {"600000000", "399999999", "1", std::nullopt, nullptr},
        {"0", "1", "1e12", Refusal::Size, tooLong},
        {"0", "1", "1000000000", Refusal::Size, tooLong},
        {"999999999", "1", "1", Refusal::Size, totalTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.planned) + ": " + c.count + " / " + c.size);
        FantasyTankPlan plan(WaterKind::Freshwater);
        if (num(c.planned) > Decimal())
            plan.addLine(50, num("1"), num(c.planned));
        const std::optional<Refusal> r = plan.additionRefusal(QString::fromLatin1(c.count), QString::fromLatin1(c.size));
        if (!c.refused) {
            EXPECT_FALSE(r.has_value());
            continue;
        }
        if (!r) {
            ADD_FAILURE() << "accepted";
            continue;
        }
        EXPECT_EQ(r->field, *c.refused);
        EXPECT_EQ(r->message.text.toStdString(), c.message);
        EXPECT_EQ(r->message.title, QStringLiteral("Oops"));
        EXPECT_EQ(r->message.icon, MsgIcon::Exclamation);
    }
}

TEST(FantasyTankPlan, LinesKeepTheirOrderAndRemovalMovesLaterLinesUp)
{
    FantasyTankPlan plan(WaterKind::Saltwater);
    plan.addLine(6, num("2"), num("2.5"));   // Blennies
    plan.addLine(15, num("3"), num("1"));    // Gobies
    plan.addLine(29, num("1"), num("4"));    // Surgeonfish/Tangs
    EXPECT_EQ(plan.lineTexts(), (QStringList{"2 Blennies - 2.5 in.", "3 Gobies - 1 in.", "1 Surgeonfish/Tangs - 4 in."}));
    EXPECT_EQ(plan.inches().toString(), QStringLiteral("12"));

    EXPECT_TRUE(plan.removeLine(1));
    EXPECT_EQ(plan.lineTexts(), (QStringList{"2 Blennies - 2.5 in.", "1 Surgeonfish/Tangs - 4 in."}));
    EXPECT_EQ(plan.inches().toString(), QStringLiteral("9"));
    EXPECT_FALSE(plan.removeLine(2));
    EXPECT_EQ(plan.lineTexts().size(), 2);

    plan.startOver(WaterKind::Freshwater);
    EXPECT_TRUE(plan.isEmpty());
    EXPECT_EQ(plan.inches(), Decimal());
    EXPECT_EQ(plan.water(), WaterKind::Freshwater);
}

TEST(FantasyTankPlan, HoldsAnyNumberOfLines)
{
    FantasyTankPlan plan(WaterKind::Freshwater);
    for (int i = 0; i < 120; ++i)
        plan.addLine(50, num("1"), num("1"));   // Zebra Danios
    EXPECT_EQ(plan.lineTexts().size(), 120);
    EXPECT_EQ(plan.inches().toString(), QStringLiteral("120"));
    EXPECT_EQ(plan.lineText(119), QStringLiteral("1 Zebra Danios - 1 in."));
}

TEST(FantasyTankPlan, OneNewAnimalIsNoTankmateOfItself)
{
    // One Oscar into an empty tank: nothing to warn of.
    FantasyTankPlan plan(WaterKind::Freshwater);
    EXPECT_TRUE(plan.addLine(31, num("1"), num("5")).isEmpty());
    // A second single Oscar meets the first one.
    const QList<PlannerMessage> second = plan.addLine(31, num("1"), num("5"));
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second[0].message.text,
              QStringLiteral("Warning! You MAY have problems if you try to put Oscars together with Oscars,  depending "
                             "on the particular animals involved.\r You should consider checking with your dealer or "
                             "veterinarian BEFORE attempting to place these animals together."));

    // One full-size angelfish into a saltwater tank that holds one clownfish: no
    // word of itself.
    FantasyTankPlan salt(WaterKind::Saltwater);
    salt.addLine(1, num("1"), num("1"));
    EXPECT_TRUE(salt.addLine(2, num("1"), num("5")).isEmpty());
}

TEST(FantasyTankPlan, TwoOscarsAreWarnedOfEachOther)
{
    FantasyTankPlan plan(WaterKind::Freshwater);
    const QList<PlannerMessage> warnings = plan.addLine(31, num("2"), num("5"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].message.title, QStringLiteral("Possible compatibility Problem!"));
    EXPECT_EQ(warnings[0].message.icon, MsgIcon::Exclamation);
    EXPECT_EQ(warnings[0].beeps, 1);
    EXPECT_TRUE(warnings[0].message.text.contains(QStringLiteral("put Oscars together with Oscars,  depending")));
}

TEST(FantasyTankPlan, CardinalTetrasWithOscarsDrawTheSeriousWarning)
{
    FantasyTankPlan plan(WaterKind::Freshwater);
    plan.addLine(31, num("1"), num("5"));
    const QList<PlannerMessage> warnings = plan.addLine(8, num("6"), num("1"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].message.title, QStringLiteral("Serious compatibility Warning!"));
    EXPECT_EQ(warnings[0].message.icon, MsgIcon::Critical);
    EXPECT_EQ(warnings[0].beeps, 2);
    EXPECT_EQ(warnings[0].message.text,
              QStringLiteral("Warning! Cardinal Tetras are generally considered INCOMPATIBLE with Oscars, and may cause "
                             "SERIOUS compatibility problems if attempted.\r Always check with your dealer or "
                             "veterinarian BEFORE attempting to place these animals together!"));
}

TEST(FantasyTankPlan, TwoFullSizeAngelfishAreWarnedOfNumbersThenOfThemselves)
{
    FantasyTankPlan plan(WaterKind::Saltwater);
    const QList<PlannerMessage> warnings = plan.addLine(2, num("2"), num("5"));
    EXPECT_EQ(titles(warnings),
              (QStringList{"Possible compatibility Problem!", "Possible compatibility Problem!"}));
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_EQ(warnings[0].message.text,
              QStringLiteral("WARNING! Keeping 2 or more Angelfish (Full size) in 1 tank may cause compatibility "
                             "problems, possibly SERIOUS ones, and particularly if they are the same species!\r  You "
                             "can continue \"Fantasy Tank\" with this selection but don't attempt to put these animals "
                             "together without first consulting with your EXPERIENCED dealer or veterinarian!"));
    EXPECT_TRUE(warnings[1].message.text.startsWith(
        QStringLiteral("Warning! You MAY have problems if you try to put Angelfish (Full size) together with Angelfish "
                       "(Full size),  depending")));
}

TEST(FantasyTankPlan, AllThreeWarningsComeInOrderAndNameATankmateOncePerLine)
{
    FantasyTankPlan plan(WaterKind::Saltwater);
    plan.addLine(13, num("1"), num("2"));   // Filefish: N for the full-size angelfish
    plan.addLine(1, num("1"), num("1"));    // Anemone-Clownfish: Y
    plan.addLine(13, num("2"), num("2"));   // Filefish again
    const QList<PlannerMessage> warnings = plan.addLine(2, num("3"), num("5"));
    EXPECT_EQ(titles(warnings), (QStringList{"Possible compatibility Problem!", "Possible compatibility Problem!",
                                             "Serious compatibility Warning!"}));
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_TRUE(warnings[2].message.text.contains(QStringLiteral("INCOMPATIBLE with Filefish, Filefish, and may")));
    EXPECT_EQ(plan.lineText(3), QStringLiteral("3 Angelfish (Full size) - 5 in."));
}

TEST(FantasyTankPlan, SeveralOfAKindIsASaltwaterWarningOnly)
{
    // Freshwater rows have no such flag: two Cardinal Tetras draw nothing.
    FantasyTankPlan fresh(WaterKind::Freshwater);
    EXPECT_TRUE(fresh.addLine(8, num("2"), num("1")).isEmpty());
    // Saltwater groups flagged "Y" draw nothing either.
    FantasyTankPlan salt(WaterKind::Saltwater);
    EXPECT_TRUE(salt.addLine(6, num("2"), num("2")).isEmpty());
}

TEST(FantasyTankPlan, SizeReminderIsForMoreThanSixInches)
{
    EXPECT_FALSE(sizeNeedsReminder(QStringLiteral("6")));
    EXPECT_TRUE(sizeNeedsReminder(QStringLiteral("6.5")));
    EXPECT_TRUE(sizeNeedsReminder(QStringLiteral("7")));
    EXPECT_FALSE(sizeNeedsReminder(QStringLiteral("x7")));
    EXPECT_EQ(sizeReminder().title, QStringLiteral("A Reminder!"));
}
