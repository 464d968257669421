#include "scheduler/NextReminders.h"

#include "core/Dates.h"

#include <algorithm>
#include <queue>

namespace sched {

bool taskTextLess(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

QString reminderEntryText(const QDate& date, const QString& task, const QString& dateMask)
{
    return weekdayAbbrev(date) + QLatin1Char(' ') + formatDateMask(date, dateMask)
           + QLatin1Char(' ') + task;
}

struct NextReminders::Source {
    Source(const SchedRule& rule, QString t, int o) : task(std::move(t)), order(o)
    {
        // A weekly rule gives its days merged in date order here.
        cursor = std::make_unique<OccurrenceCursor>(rule);
    }
    QString task;
    int order;
    std::unique_ptr<OccurrenceCursor> cursor;
};

NextReminders::NextReminders(const QDate& low, const QDate& upper, int limit)
    : m_low(low), m_upper(upper), m_limit(limit)
{
}

NextReminders::~NextReminders() = default;

void NextReminders::addRule(const SchedRule& rule, const QString& task)
{
    if (m_limit <= 0 || !m_low.isValid() || !m_upper.isValid())
        return;
    auto source = std::make_unique<Source>(rule, task, int(m_sources.size()));
    source->cursor->seek(m_low);
    if (source->cursor->atEnd() || source->cursor->current() > m_upper)
        return;
    m_sources.push_back(std::move(source));
}

QVector<ReminderOccurrence> NextReminders::take()
{
    // Earliest date first; on one date the tasks in text order; rows added
    // earlier first when even that is equal.
    const auto later = [](const Source* a, const Source* b) {
        const QDate da = a->cursor->current();
        const QDate db = b->cursor->current();
        if (da != db)
            return da > db;
        if (taskTextLess(a->task, b->task))
            return false;
        if (taskTextLess(b->task, a->task))
            return true;
        return a->order > b->order;
    };
    std::priority_queue<Source*, std::vector<Source*>, decltype(later)> heap(later);
    for (const auto& s : m_sources)
        heap.push(s.get());

    QVector<ReminderOccurrence> out;
    while (!heap.empty() && out.size() < m_limit) {
        Source* s = heap.top();
        heap.pop();
        out.append({s->cursor->current(), s->task});
        s->cursor->advance();
        if (!s->cursor->atEnd() && s->cursor->current() <= m_upper)
            heap.push(s);
    }
    m_sources.clear();
    return out;
}

QStringList nextReminderEntries(const QVector<MaintSchedRecord>& rows, const QDate& today,
                                const QString& dateOrder, const QString& dateMask, int limit,
                                const BeforeRule& beforeRule)
{
    NextReminders next(today, addYearsKeepingDay(today, 2), limit);
    for (const MaintSchedRecord& row : rows) {
        if (beforeRule && !beforeRule(row))
            return {};
        next.addRule(ruleFromRecord(row, dateOrder, today), row.SchedTask);
    }
    QStringList entries;
    for (const ReminderOccurrence& o : next.take())
        entries << reminderEntryText(o.date, o.task, dateMask);
    return entries;
}

} // namespace sched
