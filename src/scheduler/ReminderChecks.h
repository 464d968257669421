#pragma once
// What the reminder editor checks when the keeper presses OK, and the dates
// its preview lists. Both work on the editor's controls as plain values.
#include "scheduler/RuleCodec.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

namespace sched {

// The editor control a refused check gives the focus to.
enum class EditorField {
    Task,
    StartDate,
    EndDate,
    DailyDays,
    WeeklyWeeks,
    WeeklySunday,
    MonthlyDay,
    MonthlyInterval,
    MonthlyXth,
    MonthlyWeekday,
    MonthlyInterval2,
    YearlyMonth,
    YearlyDay,
    YearlyXth,
    YearlyWeekday,
    YearlyMonth2,
    OnceDate,
};

// The largest count of days, weeks or months between occurrences, and the
// last day of the month a monthly rule may name: the ranges of the editor's
// boxes, which are also what the rule can store exactly.
constexpr int kMaxRuleCount = 999;
constexpr int kMaxMonthlyDay = 28;

struct EditorRefusal {
    int check = 0;          // 1..19, in the order the checks run
    QString message;
    EditorField field = EditorField::Task;
};

// The first check the values fail, or nothing when the rule may be stored.
// Dates are read in the keeper's date order; only the checks of the chosen
// rule kind and variant run, after the task and the range.
std::optional<EditorRefusal> checkEditorValues(const EditorValues& v, const QString& dateOrder,
                                               const QDate& today);

// Told when another reminder already has the task text (letter case aside).
QString duplicateTaskMessage();

// The preview of the rule the controls describe: every date it falls on from
// its start to its end, in date order (a once rule: its date, wherever it
// lies). onceDateValid is false when a once rule's date box names no date;
// the list is then empty. A rule the expansion cannot work with (a step of
// 0, a start or end that names no date) gives no dates.
struct ReminderPreview {
    QVector<QDate> dates;
    bool onceDateValid = true;
};
ReminderPreview previewDates(const EditorValues& v, const QString& dateOrder, const QDate& today);

// "Monday 12/08/26": the full weekday name and the date in the display pattern,
// as the preview and the schedule show an occurrence.
QString occurrenceText(const QDate& date, const QString& dateMask);
// "20261208", the order the lists sort occurrences by.
QString occurrenceKey(const QDate& date);

} // namespace sched
