#pragma once
// The next reminders: the earliest occurrences of all rules inside a window of
// dates, ordered by date and, on the same date, by the text order of their
// tasks. Rules are added one at a time (so a caller can show progress and let
// other work run between rules); only as many occurrences as are asked for are
// ever produced, however many a rule has in the window.
#include "scheduler/RuleExpansion.h"

#include <QString>
#include <QVector>
#include <memory>
#include <vector>

namespace sched {

struct ReminderOccurrence {
    QDate date;
    QString task;
};

// The text order of two tasks falling on the same day: letter case aside
// first, then by case.
bool taskTextLess(const QString& a, const QString& b);

// "Mon 08/17/98 Change filter": English weekday abbreviation, the date in
// the keeper's display pattern, the task.
QString reminderEntryText(const QDate& date, const QString& task, const QString& dateMask);

class NextReminders {
public:
    NextReminders(const QDate& low, const QDate& upper, int limit = 20);
    ~NextReminders();
    NextReminders(const NextReminders&) = delete;
    NextReminders& operator=(const NextReminders&) = delete;

    void addRule(const SchedRule& rule, const QString& task);
    // The earliest occurrences, at most limit of them, in order. Ends the
    // collection: call once.
    QVector<ReminderOccurrence> take();

private:
    struct Source;
    QDate m_low;
    QDate m_upper;
    int m_limit;
    std::vector<std::unique_ptr<Source>> m_sources;
};

// The entries of the reminders box: the texts of the earliest occurrences of
// all rows from today to the same day two years on, both included. Empty when
// `beforeRule` stopped the run.
QStringList nextReminderEntries(const QVector<MaintSchedRecord>& rows, const QDate& today,
                                const QString& dateOrder, const QString& dateMask, int limit = 20,
                                const BeforeRule& beforeRule = {});

} // namespace sched
