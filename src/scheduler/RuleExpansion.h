#pragma once
// Expanding a reminder rule into the dates it falls on.
//
// Every rule walks its own range from its start date with calendar steps (N
// days, 7 x N weeks, N months keeping the day of the month and taking the
// last day of a shorter month, years keeping month and day with 29 February
// becoming 28 February), and later steps go on from the date reached. A rule
// the expansion cannot work with (an interval below 1, a weekday digit outside
// 0..6, a month index outside 0..11, a day the start month or year lacks, a
// missing start or end, a once text that names no date, an unknown type or
// subtype) gives no dates at all.
#include "scheduler/ReminderRule.h"

#include <QDate>
#include <QVector>
#include <array>

namespace sched {

// The dates an expansion is limited to. Without bounds every occurrence of the
// rule is given; with bounds only those with low <= date <= upper.
struct ExpansionWindow {
    bool byBounds = false;
    QDate low;
    QDate upper;

    static ExpansionWindow unbounded() { return {}; }
    static ExpansionWindow between(const QDate& from, const QDate& to) { return {true, from, to}; }
};

// The occurrences of one rule inside the window, in the order the schedule
// adds them: ascending dates, except a weekly rule, which gives all its Sundays
// first, then all its Mondays, and so on. Ends for every rule.
QVector<QDate> expandRule(const SchedRule& rule, const ExpansionWindow& window);

// The occurrences of one rule in ascending date order, one at a time, without
// building them all. seek() skips ahead to the first occurrence on or after a
// date without walking every step in between where the steps allow it.
class OccurrenceCursor {
public:
    // onlyWeekday (1 Sunday .. 7 Saturday) limits a weekly rule to one ticked day.
    explicit OccurrenceCursor(const SchedRule& rule, int onlyWeekday = 0);

    bool atEnd() const { return m_done; }
    QDate current() const { return m_current; }
    void advance();
    void seek(const QDate& low);

private:
    enum class Kind { None, Series, Weekdays, MonthDay, Xth, YearDay, Once };
    void settle();          // find the current occurrence from the state
    void settleXth();

    Kind m_kind = Kind::None;
    bool m_done = true;
    QDate m_current;
    QDate m_start;
    QDate m_end;
    qint64 m_endJd = 0;

    // Series: up to seven arithmetic runs of Julian days (daily every N days,
    // weekly per ticked day); exhausted runs hold a value past the end.
    std::array<qint64, 7> m_next{};
    int m_runs = 0;
    qint64 m_stepDays = 1;
    int m_pick = -1;

    // Weekdays, MonthDay, YearDay: the date reached.
    QDate m_cursor;
    int m_stepMonths = 1;

    // Xth: the first day of the month considered, and whether it is the first pass.
    QDate m_month;
    bool m_firstPass = true;
    int m_ordinal = 0;
    int m_weekdayDigit = 0;
};

} // namespace sched
