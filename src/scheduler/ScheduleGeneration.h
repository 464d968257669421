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
    int ruleCount() const { return m_tasks.size(); }
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

// The whole schedule of the given rows at once.
QVector<ScheduleRow> buildSchedule(const QVector<MaintSchedRecord>& rows, const QDate& low,
                                   const QDate& upper, const QString& dateOrder, const QDate& today);

// The window of dates a schedule is generated for: two years from today, or a
// range the keeper typed. A range is refused by the first check it fails.
enum class RangeRefusal { None, StartNotDate, EndNotDate, EndTooFar, StartAfterEnd };

struct ScheduleRange {
    QDate low;
    QDate upper;
    RangeRefusal refusal = RangeRefusal::None;
};

ScheduleRange twoYearsFrom(const QDate& today);
// The range from two dates read from the boxes (nothing: the box names no
// date). The end may lie at most 30 years after today.
ScheduleRange checkedRange(const std::optional<QDate>& start, const std::optional<QDate>& end, const QDate& today);
// The same for dates typed in the keeper's order.
ScheduleRange typedRange(const QString& startText, const QString& endText, const QString& dateOrder,
                         const QDate& today);
QString rangeRefusalMessage(RangeRefusal refusal);

} // namespace sched
