#pragma once
// Moving a reminder rule between a stored row, the nine values the reminder
// editor exchanges with the task list, and the editor's controls; and the
// rule in words as the editor's label shows it.
#include "scheduler/ReminderRule.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace sched {

// The values the task list hands to the editor before it opens and reads back
// after it closes. Dates are texts in the keeper's display pattern.
struct SchedEditorVars {
    QString task;
    int type = Daily;
    int subtype = 0;
    QString startDate;
    QString endDate;
    int interval = 1;
    QString detail;
    QString englishDesc;
    bool cancelled = true;     // false only after the editor closed with OK
};

// The editor's rule controls as plain values. Number and date boxes are held
// as the texts they show; list selections as 0-based positions (-1: nothing
// selected); option groups as the index of the option that is on (-1: none).
struct EditorValues {
    QString task;
    QString startDate;
    QString endDate;
    int type = Daily;                     // which of the five rule kinds is chosen
    int dailySubtype = 0;                 // 0 every N days, 1 every weekday
    QString dailyDays = QStringLiteral("1");
    QString weeklyWeeks = QStringLiteral("1");
    std::array<bool, 7> weeklyDays{};     // the ticked days, index 0 Sunday
    int monthlySubtype = 0;               // 0 day X of every N months, 1 the Xth weekday
    QString monthlyDay = QStringLiteral("1");
    QString monthlyInterval = QStringLiteral("1");
    int monthlyXth = 0;                   // ordinal position, 0 "First" .. 4 "Last"
    int monthlyWeekday = 0;               // 0 Sunday .. 6 Saturday
    QString monthlyInterval2 = QStringLiteral("1");
    int yearlySubtype = 0;                // 0 a month and day, 1 the Xth weekday of a month
    int yearlyMonth = 0;                  // 0 January .. 11 December
    QString yearlyDay = QStringLiteral("1");
    int yearlyXth = 0;
    int yearlyWeekday = 0;
    int yearlyMonth2 = 0;
    QString onceDate;
    QString englishDesc;                  // the rule in words, as the label shows it

    // The editor as it opens: daily every 1 day, the month lists on this
    // month, the weekday lists on this weekday, the ordinals on "First", and
    // the wording of that daily rule.
    static EditorValues startup(const QDate& today);
};

// The whole number a box holds, as the rule stores it: its leading number,
// rounded, kept within the 16-bit range; 0 when the text starts with none.
int boxNumber(const QString& text);

// The rule in words for the controls; nothing when no complete rule is
// selected (the label then keeps what it showed). Lists show the given names.
std::optional<QString> describeRule(const EditorValues& v, const QStringList& months = monthNames(),
                                    const QStringList& weekdays = weekdayNames());

// A stored rule in words as the keeper reads it now: its stored wording, but a
// once rule names its date in the keeper's current date order, whatever order
// it was worded in.
QString shownWording(const MaintSchedRecord& rec, const QString& dateMask, const QString& dateOrder,
                     const QDate& today);

// Controls into the nine values (after a validated OK). Only the fields the
// selected rule sets are written; the others keep what the caller put there.
// A once date is kept as ISO text when it names a date in the keeper's order.
void ruleFromEditorValues(const EditorValues& v, SchedEditorVars& vars, const QString& dateOrder,
                          const QDate& today);

// A stored rule into the controls of a freshly opened editor (whose values
// are `opened`): the stored wording is shown, or the rule is worded afresh
// when there is none or when it is a once rule (its date in the keeper's
// current order). Digits a hand-edited row got wrong leave the list with
// nothing selected rather than failing.
EditorValues editorValuesFromRule(const SchedEditorVars& vars, const EditorValues& opened,
                                  const QString& dateMask, const QString& dateOrder, const QDate& today);

// The preset for a new reminder: empty task, today to today plus two years,
// daily every 1 day.
SchedEditorVars newTaskVars(const QDate& today, const QString& dateMask);
// A stored row for the editor: dates in the display pattern, Null subtype 0,
// Null detail and wording "".
SchedEditorVars varsFromRecord(const MaintSchedRecord& rec, const QString& dateMask);
// The editor's values for storing: the dates read in the keeper's order
// (invalid when they name no date).
MaintSchedRecord recordFromVars(const SchedEditorVars& vars, const QString& dateOrder,
                                const QDate& today);

// The rule the controls describe as they stand (for a preview): the start,
// end and once dates read in the keeper's order, invalid when they name no date.
SchedRule ruleFromEditor(const EditorValues& v, const QString& dateOrder, const QDate& today);

} // namespace sched
