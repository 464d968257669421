// Typed dates and times, their display, and the number helpers.
#include "core/Dates.h"
#include "support/CommaDecimalLocale.h"

#include <gtest/gtest.h>

namespace {
const QDate kToday(2026, 12, 8);
}

TEST(Dates, StrictParserReadsTheKeepersOrder)
{
    struct Case {
        const char* text;
        const char* order;
        QDate expected;   // null: refused
    };
    const Case cases[] = {
        {"12/31/98", "MMDDYY", QDate(1998, 12, 31)},
        {"31.12.98", "DDMMYY", QDate(1998, 12, 31)},
        {"98-12-31", "YYMMDD", QDate(1998, 12, 31)},
        {"12/31/1998", "MMDDYY", QDate(1998, 12, 31)},
        {"1998/12/31", "YYMMDD", QDate(1998, 12, 31)},
        {"02/29/24", "MMDDYY", QDate(2024, 2, 29)},
        // Two-digit years fall within [this year - 80, this year + 19]: 1946..2045.
        {"01/01/46", "MMDDYY", QDate(1946, 1, 1)},
        {"12/31/45", "MMDDYY", QDate(2045, 12, 31)},
        {"06/15/00", "MMDDYY", QDate(2000, 6, 15)},
        {"02/30/98", "MMDDYY", QDate()},
        {"13/01/98", "MMDDYY", QDate()},
        {"13/01/98", "DDMMYY", QDate(1998, 1, 13)},
        {"02/29/23", "MMDDYY", QDate()},
        {"1/2/3", "MMDDYY", QDate()},
        {"01/02/3", "MMDDYY", QDate()},
        {"Christmas", "MMDDYY", QDate()},
        {"", "MMDDYY", QDate()},
        {"__/__/__", "MMDDYY", QDate()},
        {"12/31/98", "mmddyy", QDate()},
        {"12/31-98", "MMDDYY", QDate()},
        {"12/31/198", "MMDDYY", QDate()},
        // A four-digit year below 100 names no year a keeper means.
        {"12/31/0098", "MMDDYY", QDate()},
        {"31.12.0099", "DDMMYY", QDate()},
        {"0098/12/31", "YYMMDD", QDate()},
        {"00/10/98", "MMDDYY", QDate()},
        {"1x/31/98", "MMDDYY", QDate()},
    };
    for (const Case& c : cases) {
        const auto got = parseKeeperDate(c.text, c.order, kToday);
        if (c.expected.isNull())
            EXPECT_FALSE(got.has_value()) << c.text << " " << c.order;
        else
            EXPECT_EQ(got.value_or(QDate()), c.expected) << c.text << " " << c.order;
    }
}

TEST(Dates, TwoDigitYearWindowMovesWithToday)
{
    EXPECT_EQ(parseKeeperDate("01/01/20", "MMDDYY", QDate(2000, 1, 1)), QDate(1920, 1, 1));
    EXPECT_EQ(parseKeeperDate("01/01/19", "MMDDYY", QDate(2000, 1, 1)), QDate(2019, 1, 1));
}

TEST(Dates, DateMaskDisplay)
{
    const QDate d(1997, 2, 18);
    EXPECT_EQ(formatDateMask(d, "MM/DD/YY"), "02/18/97");
    EXPECT_EQ(formatDateMask(d, "DD-MM-YY"), "18-02-97");
    EXPECT_EQ(formatDateMask(d, "YY.MM.DD"), "97.02.18");
    EXPECT_EQ(formatDateMask(QDate(2005, 1, 9), "mm/dd/yy"), "01/09/05");
    EXPECT_EQ(formatDateMask(QDate(), "MM/DD/YY"), "");
    // Display and strict reading agree for each order.
    for (const char* order : {"MMDDYY", "DDMMYY", "YYMMDD"}) {
        const QString mask = QString::fromLatin1(order).left(2) + "." + QString::fromLatin1(order).mid(2, 2) + "."
            + QString::fromLatin1(order).right(2);
        EXPECT_EQ(parseKeeperDate(formatDateMask(QDate(2031, 7, 4), mask), order, kToday), QDate(2031, 7, 4));
    }
}

TEST(Dates, AmPmTimes)
{
    struct Case {
        const char* text;
        QTime expected;   // invalid: refused
    };
    const Case cases[] = {
        {"12:05:09 am", QTime(0, 5, 9)},
        {"12:05:09 pm", QTime(12, 5, 9)},
        {"01:00:00 PM", QTime(13, 0, 0)},
        {"11:59:59 AM", QTime(11, 59, 59)},
        {"00:10:00 am", QTime()},
        {"13:10:00 am", QTime()},
        {"10:60:00 am", QTime()},
        {"10:00:60 am", QTime()},
        {"10:00:00 Am", QTime()},
        {"10:00:00 xm", QTime()},
        {"1_:__:__ __", QTime()},
        {"10:00:00", QTime()},
        {"", QTime()},
    };
    for (const Case& c : cases) {
        const auto got = parseAmPmTime(c.text);
        if (!c.expected.isValid())
            EXPECT_FALSE(got.has_value()) << c.text;
        else
            EXPECT_EQ(got.value_or(QTime()), c.expected) << c.text;
    }
    EXPECT_EQ(formatAmPmTime(QTime(0, 5, 9)), "12:05:09 am");
    EXPECT_EQ(formatAmPmTime(QTime(13, 5, 9)), "01:05:09 pm");
    EXPECT_EQ(formatAmPmTime(QTime(12, 0, 0), true), "12:00:00 PM");
    for (int s = 0; s < 24 * 3600; s += 3599) {
        const QTime t = QTime(0, 0).addSecs(s);
        EXPECT_EQ(parseAmPmTime(formatAmPmTime(t)), t);
    }
}

TEST(Dates, TankIdStampAndYearsLater)
{
    EXPECT_EQ(tankIdStamp(QDateTime(QDate(1998, 8, 15), QTime(14, 5, 9))), "08-15-1998 14:05:09");
    EXPECT_EQ(tankIdStamp(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))), "01-02-2026 03:04:05");
    EXPECT_FALSE(fromIsoDate("2023-02-29"));
    EXPECT_FALSE(fromIsoTime("24:00:00"));
    EXPECT_EQ(addYearsKeepingDay(QDate(2024, 2, 29), 1), QDate(2025, 2, 28));
    EXPECT_EQ(addYearsKeepingDay(QDate(2024, 2, 29), 4), QDate(2028, 2, 29));
}

namespace {

void checkLeadingNumbers()
{
    struct Case {
        const char* text;
        double leading;
        bool numeric;
    };
    const Case cases[] = {
        {"55", 55, true},
        {"  12.5", 12.5, true},
        {"-999", -999, true},
        {"1e5", 100000, true},
        {"2E+3", 2000, true},
        {".5", 0.5, true},
        {"12abc", 12, false},
        {"abc", 0, false},
        {"", 0, false},
        {"   ", 0, false},
        {"1,5", 1, false},
        {"1e", 1, false},
        {"-", 0, false},
        {".", 0, false},
        {"7.", 7, true},
        {"10 000", 10, false},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.leading) << c.text;
        EXPECT_EQ(isNumber(c.text), c.numeric) << c.text;
        EXPECT_EQ(parseNumber(c.text).has_value(), c.numeric) << c.text;
    }
    EXPECT_DOUBLE_EQ(parseNumber(" 8.4 ").value_or(0), 8.4);
    EXPECT_DOUBLE_EQ(parseNumber("7.5").value_or(0), 7.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1e10"), 1e10);
    EXPECT_FALSE(parseNumber("1e400").has_value());
    EXPECT_DOUBLE_EQ(parseNumber("1e-400").value_or(1), 0.0);
}

void checkFormatPatterns()
{
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {0.25, "###0.000", "0.250"}, {7, "0.00", "7.00"},        {8.4, "#0.00", "8.40"},
        {3.6, "###0", "4"},          {-2.5, "0.00", "-2.50"},    {-0.0001, "0.00", "0.00"},
        {12345.678, "###0.000", "12345.678"}, {0.5, "#.##", ".5"},
        // Halves round away from zero on the decimal digits the keeper typed.
        {2.5, "###0", "3"},          {-350.5, "###0", "-351"},   {0.125, "0.00", "0.13"},
        {1.005, "###0.00", "1.01"},  {9.995, "0.00", "10.00"},   {0.0005, "##0.000", "0.001"},
        {1e-20, "0.00", "0.00"},     {1234567.0, "###0", "1234567"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), QString::fromLatin1(c.expected)) << c.value << " " << c.pattern;
}

} // namespace

TEST(Numbers, LeadingNumberAndNumericTest)
{
    checkLeadingNumbers();
}

TEST(Numbers, FormatPatterns)
{
    checkFormatPatterns();
}

// On a system whose language writes decimals with a comma the numbers read and
// written are the same: "7.5" is seven and a half, not seven.
TEST(Numbers, SameUnderACommaDecimalLocale)
{
    CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << "no comma-decimal locale installed (scripts/install-deps.sh makes de_DE.UTF-8)";
    checkLeadingNumbers();
    checkFormatPatterns();
}
