#include "scheduler/ScheduleGeneration.h"

#include "core/Dates.h"
#include "scheduler/NextReminders.h"
#include "scheduler/RuleExpansion.h"

#include <algorithm>
#include <numeric>

namespace sched {

ScheduleBuilder::ScheduleBuilder(const QDate& low, const QDate& upper) : m_low(low), m_upper(upper) {}

void ScheduleBuilder::addRule(const SchedRule& rule, const QString& task)
{
    const int index = m_tasks.size();
    m_tasks.append(task);
    const QVector<QDate> dates = expandRule(rule, ExpansionWindow::between(m_low, m_upper));
    for (const QDate& d : dates)
        m_entries.append({d.toJulianDay(), index});
}

QVector<ScheduleRow> ScheduleBuilder::take()
{
    // Rank the tasks once by their text order, so the sort compares numbers.
    QVector<int> byText(m_tasks.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::stable_sort(byText.begin(), byText.end(),
                     [this](int a, int b) { return taskTextLess(m_tasks[a], m_tasks[b]); });
    QVector<int> rank(m_tasks.size());
    for (int i = 0; i < byText.size(); ++i)
        rank[byText[i]] = i;

    const int* ranks = rank.constData();
    std::stable_sort(m_entries.begin(), m_entries.end(), [ranks](const Entry& a, const Entry& b) {
        if (a.day != b.day)
            return a.day < b.day;
        return ranks[a.rule] < ranks[b.rule];
    });

    QVector<ScheduleRow> rows(m_entries.size());
    ScheduleRow* out = rows.data();
    for (const Entry& e : std::as_const(m_entries)) {
        out->date = QDate::fromJulianDay(e.day);
        out->task = m_tasks.at(e.rule);
        ++out;
    }
    m_entries.clear();
    return rows;
}

QVector<ScheduleRow> buildSchedule(const QVector<MaintSchedRecord>& rows, const QDate& low,
                                   const QDate& upper, const QString& dateOrder, const QDate& today,
                                   const BeforeRule& beforeRule)
{
    ScheduleBuilder builder(low, upper);
    for (const MaintSchedRecord& r : rows) {
        if (beforeRule && !beforeRule(r))
            return {};
        builder.addRule(ruleFromRecord(r, dateOrder, today), r.SchedTask);
    }
    return builder.take();
}

ScheduleRange twoYearsFrom(const QDate& today)
{
    return {today, addYearsKeepingDay(today, 2), RangeRefusal::None};
}

ScheduleRange checkedRange(const std::optional<QDate>& start, const std::optional<QDate>& end, const QDate& today)
{
    ScheduleRange range;
    if (!start) {
        range.refusal = RangeRefusal::StartNotDate;
        return range;
    }
    if (!end) {
        range.refusal = RangeRefusal::EndNotDate;
        return range;
    }
    if (*end > addYearsKeepingDay(today, kMaxRangeYears)) {
        range.refusal = RangeRefusal::EndTooFar;
        return range;
    }
    if (start->daysTo(*end) < 0) {
        range.refusal = RangeRefusal::StartAfterEnd;
        return range;
    }
    range.low = *start;
    range.upper = *end;
    return range;
}

QDate rangeReadingDay(const QDate& today)
{
    return today.addYears(kMaxRangeYears - 19);
}

QString rangeRefusalMessage(RangeRefusal refusal)
{
    switch (refusal) {
    case RangeRefusal::StartNotDate:
        return QStringLiteral("The start date must be a valid date. Please reenter it and try again.");
    case RangeRefusal::EndNotDate:
        return QStringLiteral("The end date must be a valid date. Please reenter it and try again.");
    case RangeRefusal::EndTooFar:
        return QStringLiteral("The end date cannot be more than 30 years in the future. "
                              "(Come on, 30 years of maintenance?) ");
    case RangeRefusal::StartAfterEnd:
        return QStringLiteral("The start date must be prior to, or equal to, the end date for schedule generation");
    case RangeRefusal::None:
        break;
    }
    return QString();
}

} // namespace sched
