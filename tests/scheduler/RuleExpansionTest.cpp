// Expanding rules into dates: every kind of rule, its steps, its ends, the
// window, and rules the expansion cannot work with.
#include "scheduler/RuleExpansion.h"
#include "support/ParamNames.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <random>

using namespace sched;

namespace {

QDate iso(const char* text)
{
    return text ? QDate::fromString(QString::fromLatin1(text), Qt::ISODate) : QDate();
}

SchedRule rule(int type, int subtype, int interval, const char* detail, const char* start,
               const char* end)
{
    SchedRule r;
    r.type = type;
    r.subtype = subtype;
    r.interval = interval;
    r.detail = QString::fromLatin1(detail);
    r.start = iso(start);
    r.end = iso(end);
    return r;
}

SchedRule once(const char* date)
{
    SchedRule r;
    r.type = Once;
    r.once = iso(date);
    r.start = iso("2020-01-01");
    r.end = iso("2020-12-31");
    return r;
}

QStringList texts(const QVector<QDate>& dates)
{
    QStringList out;
    for (const QDate& d : dates)
        out << d.toString(Qt::ISODate);
    return out;
}

struct ExpansionCase {
    const char* name;
    SchedRule rule;
    ExpansionWindow window;
    QStringList expected;
};

void PrintTo(const ExpansionCase& c, std::ostream* os) { *os << c.name; }

class ExpansionTable : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(ExpansionTable, GivesExactlyTheseDatesInThisOrder)
{
    const ExpansionCase& c = GetParam();
    EXPECT_EQ(texts(expandRule(c.rule, c.window)).join(' ').toStdString(),
              c.expected.join(' ').toStdString())
        << c.name;
}

const ExpansionWindow all = ExpansionWindow::unbounded();
ExpansionWindow within(const char* from, const char* to) { return ExpansionWindow::between(iso(from), iso(to)); }

const ExpansionCase kCases[] = {
    // daily, every N days
    {"daily every 3 days, end on an occurrence", rule(Daily, 0, 3, "", "2026-03-01", "2026-03-10"), all,
     {"2026-03-01", "2026-03-04", "2026-03-07", "2026-03-10"}},
    {"daily every 3 days, end between occurrences", rule(Daily, 0, 3, "", "2026-03-01", "2026-03-09"), all,
     {"2026-03-01", "2026-03-04", "2026-03-07"}},
    {"daily every weekday over a full week", rule(Daily, 1, 0, "", "2026-01-04", "2026-01-10"), all,
     {"2026-01-05", "2026-01-06", "2026-01-07", "2026-01-08", "2026-01-09"}},
    {"daily every weekday starting on a Saturday", rule(Daily, 1, 5, "", "2026-01-10", "2026-01-13"), all,
     {"2026-01-12", "2026-01-13"}},

    // weekly: each ticked day anchored on its own first date, Sundays first
    {"every 2 weeks on Monday and Thursday from a Wednesday",
     rule(Weekly, 0, 2, "0100100", "2026-01-07", "2026-01-31"), all,
     {"2026-01-12", "2026-01-26", "2026-01-08", "2026-01-22"}},
    {"weekly: a ticked day whose first date is past the end gives nothing",
     rule(Weekly, 0, 1, "0100100", "2026-01-07", "2026-01-09"), all, {"2026-01-08"}},
    {"weekly: a short detail text leaves the missing days unticked",
     rule(Weekly, 0, 1, "01", "2026-01-01", "2026-01-20"), all,
     {"2026-01-05", "2026-01-12", "2026-01-19"}},
    {"weekly: the subtype is not read", rule(Weekly, 7, 1, "1000000", "2026-01-01", "2026-01-11"), all,
     {"2026-01-04", "2026-01-11"}},
    {"weekly: nothing ticked", rule(Weekly, 0, 1, "0000000", "2026-01-01", "2026-03-01"), all, {}},

    // monthly, day X of every N months
    {"day 15 every 2 months from 20 January", rule(Monthly, 0, 2, "15", "2026-01-20", "2026-05-31"), all,
     {"2026-02-15", "2026-04-15"}},
    {"day 15 every 2 months from 10 January", rule(Monthly, 0, 2, "15", "2026-01-10", "2026-05-31"), all,
     {"2026-01-15", "2026-03-15", "2026-05-15"}},
    {"monthly day with blanks around it", rule(Monthly, 0, 1, " 15 ", "2026-01-01", "2026-02-28"), all,
     {"2026-01-15", "2026-02-15"}},
    {"day 30 takes February's last day and goes on from it",
     rule(Monthly, 0, 1, "30", "2026-01-01", "2026-05-31"), all,
     {"2026-01-30", "2026-02-28", "2026-03-28", "2026-04-28", "2026-05-28"}},
    {"day 30 seen from a later window: the last days of 30-day months and of February",
     rule(Monthly, 0, 1, "30", "2026-03-01", "2027-12-31"), within("2026-09-01", "2027-02-28"),
     {"2026-09-30", "2026-10-30", "2026-11-30", "2026-12-30", "2027-01-30", "2027-02-28"}},
    {"monthly across the year 2030", rule(Monthly, 0, 6, "1", "2029-07-01", "2031-01-01"), all,
     {"2029-07-01", "2030-01-01", "2030-07-01", "2031-01-01"}},

    // monthly, the Xth weekday of every N months
    {"second Tuesday every 3 months from the day after January's",
     rule(Monthly, 1, 3, "12", "2026-01-14", "2026-08-01"), all, {"2026-04-14", "2026-07-14"}},
    {"last Friday monthly, nothing past the end", rule(Monthly, 1, 1, "45", "2026-01-10", "2026-03-10"), all,
     {"2026-01-30", "2026-02-27"}},
    {"ordinal digit 7 reads as the last", rule(Monthly, 1, 1, "75", "2026-01-10", "2026-03-10"), all,
     {"2026-01-30", "2026-02-27"}},
    {"first Sunday from an empty detail text", rule(Monthly, 1, 1, "", "2026-02-01", "2026-03-31"), all,
     {"2026-02-01", "2026-03-01"}},
    {"fourth Saturday every month in 2031", rule(Monthly, 1, 1, "36", "2031-01-01", "2031-03-31"), all,
     {"2031-01-25", "2031-02-22", "2031-03-22"}},

    // yearly, a month and day
    {"month index 0 day 15 is 15 January", rule(Yearly, 0, 15, "0", "2026-01-01", "2028-12-31"), all,
     {"2026-01-15", "2027-01-15", "2028-01-15"}},
    {"month index 11 is December", rule(Yearly, 0, 15, "11", "2026-01-01", "2028-12-31"), all,
     {"2026-12-15", "2027-12-15", "2028-12-15"}},
    {"a start on the rule's own day gives that day, then each later year",
     rule(Yearly, 0, 15, "2", "2026-03-15", "2028-12-31"), all, {"2026-03-15", "2027-03-15", "2028-03-15"}},
    {"the start year's date before the start begins next year",
     rule(Yearly, 0, 15, "2", "2026-04-01", "2028-12-31"), all, {"2027-03-15", "2028-03-15"}},
    {"29 February becomes 28 February and stays there",
     rule(Yearly, 0, 29, "1", "2028-01-01", "2032-12-31"), all,
     {"2028-02-29", "2029-02-28", "2030-02-28", "2031-02-28", "2032-02-28"}},

    // yearly, the Xth weekday of a month
    {"last Friday of December", rule(Yearly, 1, 0, "4511", "2026-01-01", "2027-12-31"), all,
     {"2026-12-25", "2027-12-31"}},
    {"last Friday of December, start after this year's", rule(Yearly, 1, 0, "4511", "2026-12-26", "2027-12-31"),
     all, {"2027-12-31"}},
    {"last Friday of December, nothing past the end", rule(Yearly, 1, 0, "4511", "2026-01-01", "2027-12-30"),
     all, {"2026-12-25"}},
    {"first Monday of January", rule(Yearly, 1, 99, "0100", "2026-01-01", "2028-01-31"), all,
     {"2026-01-05", "2027-01-04", "2028-01-03"}},

    // once
    {"once inside the window, outside its own range", once("2026-05-01"), within("2026-01-01", "2026-12-31"),
     {"2026-05-01"}},
    {"once outside the window", once("2026-05-01"), within("2026-05-02", "2026-12-31"), {}},
    {"once without a window", once("2026-05-01"), all, {"2026-05-01"}},

    // the window: both ends included, the rule's own steps unchanged
    {"window ends included", rule(Daily, 0, 1, "", "2026-01-01", "2026-01-31"), within("2026-01-10", "2026-01-12"),
     {"2026-01-10", "2026-01-11", "2026-01-12"}},
    {"window keeps the rule's own step", rule(Daily, 0, 7, "", "2020-01-01", "2030-01-01"),
     within("2026-01-01", "2026-01-20"), {"2026-01-07", "2026-01-14"}},
    {"weekly inside a window keeps its day order", rule(Weekly, 0, 1, "1000001", "2020-01-01", "2030-01-01"),
     within("2026-01-01", "2026-01-11"), {"2026-01-04", "2026-01-11", "2026-01-03", "2026-01-10"}},
    {"a start in 2035", rule(Daily, 0, 30, "", "2035-01-01", "2035-03-31"), all,
     {"2035-01-01", "2035-01-31", "2035-03-02"}},
    {"a start in 2035 outside the next two years", rule(Daily, 0, 30, "", "2035-01-01", "2035-03-31"),
     within("2026-12-08", "2028-12-08"), {}},

    // a start after the end gives nothing, whatever the kind
    {"start after end: daily", rule(Daily, 0, 1, "", "2026-02-01", "2026-01-01"), all, {}},
    {"start after end: weekdays", rule(Daily, 1, 1, "", "2026-02-01", "2026-01-01"), all, {}},
    {"start after end: weekly", rule(Weekly, 0, 1, "1111111", "2026-02-01", "2026-01-01"), all, {}},
    {"start after end: monthly day", rule(Monthly, 0, 1, "1", "2026-02-01", "2026-01-01"), all, {}},
    {"start after end: monthly weekday", rule(Monthly, 1, 1, "00", "2026-02-01", "2026-01-01"), all, {}},
    {"start after end: yearly day", rule(Yearly, 0, 1, "0", "2026-02-01", "2026-01-01"), all, {}},
    {"start after end: yearly weekday", rule(Yearly, 1, 1, "0000", "2026-02-01", "2026-01-01"), all, {}},

    // rules the expansion cannot work with end at once, with nothing
    {"interval 0, daily", rule(Daily, 0, 0, "", "2026-01-01", "2026-12-31"), all, {}},
    {"interval -1, weekly", rule(Weekly, 0, -1, "1111111", "2026-01-01", "2026-12-31"), all, {}},
    {"interval 0, monthly day", rule(Monthly, 0, 0, "15", "2026-01-01", "2026-12-31"), all, {}},
    {"interval 0, monthly weekday", rule(Monthly, 1, 0, "12", "2026-01-01", "2026-12-31"), all, {}},
    {"weekday digit 9, monthly", rule(Monthly, 1, 1, "19", "2026-01-01", "2026-12-31"), all, {}},
    {"weekday digit 9, yearly", rule(Yearly, 1, 1, "1903", "2026-01-01", "2026-12-31"), all, {}},
    {"month 12, yearly day", rule(Yearly, 0, 1, "12", "2026-01-01", "2026-12-31"), all, {}},
    {"month 12, yearly weekday", rule(Yearly, 1, 1, "0012", "2026-01-01", "2026-12-31"), all, {}},
    {"day 31 in April", rule(Monthly, 0, 1, "31", "2026-04-05", "2026-12-31"), all, {}},
    {"monthly day that is no number", rule(Monthly, 0, 1, "abc", "2026-04-05", "2026-12-31"), all, {}},
    {"yearly 31 April", rule(Yearly, 0, 31, "3", "2026-01-01", "2028-12-31"), all, {}},
    {"yearly 29 February from a common year", rule(Yearly, 0, 29, "1", "2026-01-01", "2028-12-31"), all, {}},
    {"once naming no date", once(nullptr), all, {}},
    {"no start", rule(Daily, 0, 1, "", nullptr, "2026-12-31"), all, {}},
    {"no end", rule(Monthly, 1, 1, "12", "2026-01-01", nullptr), all, {}},
    {"unknown type", rule(7, 0, 1, "", "2026-01-01", "2026-12-31"), all, {}},
    {"unknown daily subtype", rule(Daily, 2, 1, "", "2026-01-01", "2026-12-31"), all, {}},
    {"unknown yearly subtype", rule(Yearly, 5, 1, "0", "2026-01-01", "2026-12-31"), all, {}},

    // a month step longer than any calendar gives the first date and nothing after it
    {"monthly day every 2147483647 months", rule(Monthly, 0, 2147483647, "15", "2020-01-01", "9999-12-31"),
     all, {"2020-01-15"}},
    {"monthly weekday every 2147483647 months", rule(Monthly, 1, 2147483647, "25", "2020-01-01", "9999-12-31"),
     all, {"2020-01-17"}},
    {"monthly day every 2147483647 months, windowed",
     rule(Monthly, 0, 2147483647, "15", "2026-12-01", "9999-12-31"), within("2026-12-08", "2028-12-08"),
     {"2026-12-15"}},
};

INSTANTIATE_TEST_SUITE_P(Rules, ExpansionTable, ::testing::ValuesIn(kCases), NameOfCase());

// Skipping ahead to the window must give exactly what walking every step from
// the start and filtering gives, for every kind of rule.
TEST(Expansion, WindowedExpansionEqualsFilteredFullExpansion)
{
    std::mt19937 gen(20261208);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    const QDate base(1995, 1, 1);
    for (int n = 0; n < 3000; ++n) {
        SchedRule r;
        r.type = pick(0, 4);
        r.subtype = pick(0, 1);
        r.start = base.addDays(pick(0, 365 * 40));
        r.end = r.start.addDays(pick(-30, 365 * 12));
        r.interval = r.type == Yearly && r.subtype == 0 ? pick(1, 30) : pick(1, 14);
        switch (r.type) {
        case Weekly:
            for (int i = 0; i < 7; ++i)
                r.detail += pick(0, 2) == 0 ? QLatin1Char('1') : QLatin1Char('0');
            break;
        case Monthly:
            r.detail = r.subtype == 0 ? QString::number(pick(1, 30))
                                      : QString::number(pick(0, 6)) + QString::number(pick(0, 6));
            break;
        case Yearly:
            r.detail = r.subtype == 0 ? QString::number(pick(0, 11))
                                      : QString::number(pick(0, 5)) + QString::number(pick(0, 6))
                                            + QStringLiteral("%1").arg(pick(0, 11), 2, 10, QLatin1Char('0'));
            break;
        case Once:
            r.once = base.addDays(pick(0, 365 * 50));
            break;
        }
        const QDate low = base.addDays(pick(0, 365 * 50));
        const QDate high = low.addDays(pick(0, 365 * 3));

        QVector<QDate> filtered;
        for (const QDate& d : expandRule(r, all))
            if (d >= low && d <= high)
                filtered.append(d);
        ASSERT_EQ(texts(expandRule(r, ExpansionWindow::between(low, high))).join(' ').toStdString(),
                  texts(filtered).join(' ').toStdString())
            << "type " << r.type << " subtype " << r.subtype << " interval " << r.interval << " detail "
            << r.detail.toStdString() << " " << r.start.toString(Qt::ISODate).toStdString() << ".."
            << r.end.toString(Qt::ISODate).toStdString() << " window "
            << low.toString(Qt::ISODate).toStdString() << ".." << high.toString(Qt::ISODate).toStdString();
    }
}

} // namespace
