#pragma once
// The maintenance schedule: every occurrence of every stored rule inside one
// window of dates, in date order and, on the same date, in the text order of
// the tasks. Rules are added one at a time, so a caller can show progress and
// let other work run between rules.
#include "scheduler/ReminderRule.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

namespace sched {

struct ScheduleRow {
    QDate date;
    QString task;
};

} // namespace sched
Q_DECLARE_TYPEINFO(sched::ScheduleRow, Q_RELOCATABLE_TYPE);
namespace sched {

class ScheduleBuilder {
public:
    ScheduleBuilder(const QDate& low, const QDate& upper);

    void addRule(const SchedRule& rule, const QString& task);
    // The rows of all rules added, in schedule order. Ends the collection.
    QVector<ScheduleRow> take();

private:
    struct Entry {
        qint64 day;
        int rule;
    };
    QDate m_low;
    QDate m_upper;
    QVector<QString> m_tasks;
    QVector<Entry> m_entries;
};

// The schedule of all rows between low and upper, both included. Empty when
// `beforeRule` stopped the run.
QVector<ScheduleRow> buildSchedule(const QVector<MaintSchedRecord>& rows, const QDate& low,
                                   const QDate& upper, const QString& dateOrder, const QDate& today,
                                   const BeforeRule& beforeRule = {});

// The window of dates a schedule is generated for: two years from today, or a
// range the keeper typed. A range is refused by the first check it fails.
enum class RangeRefusal { None, StartNotDate, EndNotDate, EndTooFar, StartAfterEnd };

struct ScheduleRange {
    QDate low;
    QDate upper;
    RangeRefusal refusal = RangeRefusal::None;
};

// A range may end at most this many years after today.
constexpr int kMaxRangeYears = 30;

ScheduleRange twoYearsFrom(const QDate& today);
// The range from two dates read from the boxes (nothing: the box names no
// date). The end may lie at most kMaxRangeYears after today.
ScheduleRange checkedRange(const std::optional<QDate>& start, const std::optional<QDate>& end, const QDate& today);
// The day the range boxes read two-digit years around. A typed date's
// two-digit year falls within 80 years before and 19 years after the day it
// is read around; for a range that day lies 11 years on, so that the years
// typed with two digits end with the furthest end allowed: "50" typed in 2026
// is 2050, not 1950, and "57" is 1957.
QDate rangeReadingDay(const QDate& today);
QString rangeRefusalMessage(RangeRefusal refusal);

} // namespace sched
