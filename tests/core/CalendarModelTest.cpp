// The calendar's month model: days in a month, the Sunday-first grid, and how
// the day follows month and year changes.
#include "core/CalendarModel.h"

#include <gtest/gtest.h>

namespace {

struct MonthLength {
    int month, year, days;
};

TEST(CalendarModel, DaysInMonthFollowsTheGregorianLeapRules)
{
    const MonthLength cases[] = {
        {2, 2000, 29}, {2, 1900, 28}, {2, 2028, 29}, {2, 2027, 28}, {2, 2400, 29}, {2, 2100, 28},
        {1, 2026, 31}, {4, 2026, 30}, {6, 2026, 30}, {9, 2026, 30}, {11, 2026, 30}, {12, 2026, 31},
        {2, 100, 28},  {12, 9999, 31},
    };
    for (const MonthLength& c : cases)
        EXPECT_EQ(CalendarModel::daysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
}

TEST(CalendarModel, MonthStartingOnSundayUsesCellZero)
{
    CalendarModel model(QDate(2026, 2, 14));   // 1 February 2026 is a Sunday
    EXPECT_EQ(model.firstCell(), 0);
    EXPECT_EQ(model.dayInCell(0), 1);
    EXPECT_EQ(model.dayInCell(27), 28);
    EXPECT_EQ(model.dayInCell(28), 0);
    EXPECT_EQ(model.cellOfDay(14), 13);
    EXPECT_EQ(model.selectedCell(), 13);
}

TEST(CalendarModel, ThirtyOneDayMonthStartingOnSaturdayEndsInCell36)
{
    CalendarModel model(QDate(2026, 8, 1));    // 1 August 2026 is a Saturday
    EXPECT_EQ(model.firstCell(), 6);
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_EQ(model.dayInCell(cell), 0) << cell;
    EXPECT_EQ(model.dayInCell(6), 1);
    EXPECT_EQ(model.dayInCell(36), 31);
    EXPECT_EQ(model.cellOfDay(31), 36);
    for (int cell = 37; cell < CalendarModel::kCells; ++cell)
        EXPECT_EQ(model.dayInCell(cell), 0) << cell;
    EXPECT_EQ(model.dayInCell(-1), 0);
    EXPECT_EQ(model.dayInCell(42), 0);
    EXPECT_EQ(model.cellOfDay(32), -1);
}

TEST(CalendarModel, EveryMonthLaysItsDaysOutInWeekdayColumns)
{
    for (int year : {1899, 1900, 1999, 2000, 2026, 2028}) {
        for (int month = 1; month <= 12; ++month) {
            CalendarModel model(QDate(year, month, 1));
            int seen = 0;
            for (int cell = 0; cell < CalendarModel::kCells; ++cell) {
                const int day = model.dayInCell(cell);
                if (day == 0)
                    continue;
                ++seen;
                EXPECT_EQ(day, seen) << year << "-" << month << " cell " << cell;
                EXPECT_EQ(cell % 7, QDate(year, month, day).dayOfWeek() % 7) << year << "-" << month << "-" << day;
            }
            EXPECT_EQ(seen, CalendarModel::daysInMonth(month, year));
        }
    }
}

TEST(CalendarModel, DayMovesToTheLastDayWhenTheNewMonthIsShorterAndStaysThere)
{
    CalendarModel model(QDate(1998, 1, 31));
    EXPECT_EQ(model.setMonth(2), 2);
    EXPECT_EQ(model.date(), QDate(1998, 2, 28));
    model.setMonth(3);
    EXPECT_EQ(model.date(), QDate(1998, 3, 28));   // the 31st is not restored

    CalendarModel leap(QDate(2000, 1, 31));
    leap.setMonth(2);
    EXPECT_EQ(leap.date(), QDate(2000, 2, 29));
}

TEST(CalendarModel, MonthStepsPastTheYearEndCrossTheYear)
{
    struct Case {
        QDate from;
        int barValue;
        QDate expected;
    };
    const Case cases[] = {
        {QDate(2026, 12, 15), 13, QDate(2027, 1, 15)},
        {QDate(2026, 1, 15), 0, QDate(2025, 12, 15)},
        {QDate(1999, 12, 31), 13, QDate(2000, 1, 31)},
        {QDate(9999, 12, 5), 13, QDate(9999, 12, 5)},   // no year after the last one
        {QDate(100, 1, 5), 0, QDate(100, 1, 5)},        // nor before the first
    };
    for (const Case& c : cases) {
        CalendarModel model(c.from);
        EXPECT_EQ(model.setMonth(c.barValue), c.expected.month()) << c.from.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(model.date(), c.expected) << c.from.toString(Qt::ISODate).toStdString();
    }
}

TEST(CalendarModel, YearChangeKeepsTheDayOrTakesTheLastOfTheMonth)
{
    CalendarModel model(QDate(2000, 2, 29));
    EXPECT_EQ(model.setYear(2001), 2001);
    EXPECT_EQ(model.date(), QDate(2001, 2, 28));
    model.setYear(2004);
    EXPECT_EQ(model.date(), QDate(2004, 2, 28));

    EXPECT_EQ(model.setYear(99), 100);
    EXPECT_EQ(model.setYear(10000), 9999);
    EXPECT_EQ(model.date(), QDate(9999, 2, 28));
}

TEST(CalendarModel, PickDayOnlyAcceptsDaysOfTheShownMonth)
{
    CalendarModel model(QDate(2026, 2, 10));
    EXPECT_TRUE(model.pickDay(28));
    EXPECT_EQ(model.date(), QDate(2026, 2, 28));
    EXPECT_FALSE(model.pickDay(29));
    EXPECT_FALSE(model.pickDay(0));
    EXPECT_EQ(model.date(), QDate(2026, 2, 28));
}

TEST(CalendarModel, DatesOutsideTheYearBarAreRefused)
{
    CalendarModel model(QDate(2026, 12, 8));
    EXPECT_FALSE(model.setDate(QDate()));
    EXPECT_FALSE(model.setDate(QDate(99, 5, 5)));
    EXPECT_EQ(model.date(), QDate(2026, 12, 8));
    EXPECT_TRUE(CalendarModel(QDate()).date().isValid());
}

TEST(CalendarModel, YearMenuOffersTenYearsAroundTheCurrentYear)
{
    const QList<int> years = CalendarModel::yearMenu(2026);
    ASSERT_EQ(years.size(), 10);
    EXPECT_EQ(years.first(), 2021);
    EXPECT_EQ(years.last(), 2030);
    EXPECT_TRUE(years.contains(2026));

    EXPECT_EQ(CalendarModel::yearMenu(101).first(), 100);
    EXPECT_EQ(CalendarModel::yearMenu(9998).last(), 9999);
    EXPECT_EQ(CalendarModel::yearMenu(9998).size(), 10);
}

TEST(CalendarModel, MonthNamesAndReturnTextFollowTheKeepersOrder)
{
    EXPECT_EQ(CalendarModel::monthName(1), QStringLiteral("January"));
    EXPECT_EQ(CalendarModel::monthName(12), QStringLiteral("December"));
    EXPECT_TRUE(CalendarModel::monthName(13).isEmpty());

    const QDate date(1998, 3, 7);
    EXPECT_EQ(CalendarModel::returnDateText(date, "MMDDYY", "/"), QStringLiteral("03/07/1998"));
    EXPECT_EQ(CalendarModel::returnDateText(date, "DDMMYY", "."), QStringLiteral("07.03.1998"));
    EXPECT_EQ(CalendarModel::returnDateText(date, "YYMMDD", "-"), QStringLiteral("1998-03-07"));
    EXPECT_TRUE(CalendarModel::returnDateText(QDate(), "MMDDYY", "/").isEmpty());
}

} // namespace
