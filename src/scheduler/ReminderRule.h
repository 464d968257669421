#pragma once
// A reminder rule: one row of maintsched and the values the date expansion
// works from. The rule is encoded in four columns:
//
//   type 0 daily    subtype 0: every N days (N = interval)
//                   subtype 1: every weekday, Monday to Friday
//   type 1 weekly   every N weeks (N = interval); detail "0100100": one
//                   character per day, Sunday first, "1" = ticked
//   type 2 monthly  subtype 0: day X of every N months; detail = X as typed
//                   subtype 1: the Xth weekday of every N months; detail =
//                   ordinal digit (0 First .. 4 Last) + weekday digit (0 Sunday)
//   type 3 yearly   subtype 0: every year on month m+1, day = interval;
//                   detail = m as decimal text ("0" January .. "11" December)
//                   subtype 1: the Xth weekday of month m+1; detail = ordinal
//                   digit + weekday digit + m as two digits ("4511")
//   type 4 once     detail = the date, ISO "YYYY-MM-DD" (older rows hold it in
//                   the keeper's display order)
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace sched {

enum RuleType : int { Daily = 0, Weekly = 1, Monthly = 2, Yearly = 3, Once = 4 };

// The words of the editor's lists, in list order (the stored digits are
// positions in these lists).
const QStringList& ordinalWords();     // "First" .. "Last" (with its "Forth")
const QStringList& weekdayNames();     // "Sunday" .. "Saturday"
const QStringList& monthNames();       // "January" .. "December"
// English three-letter weekday of a date ("Mon"), whatever the system locale.
QString weekdayAbbrev(const QDate& date);

// Weekday number of a date: 1 Sunday .. 7 Saturday.
int weekdayNumber(const QDate& date);

// The Xth weekday of the month that starts at firstOfMonth: ordinal 0..3 the
// first..fourth, 4 and above the last; weekdayDigit 0 Sunday .. 6 Saturday.
QDate xthWeekdayOfMonth(const QDate& firstOfMonth, int ordinal, int weekdayDigit);

// One row of maintsched as stored (dates are real dates; invalid when the
// column is Null or holds no date).
struct MaintSchedRecord {
    qint64 rowid = 0;
    QString SchedTask;
    QDate SchedStartDate;
    QDate SchedEndDate;
    int SchedInterval = 0;
    int SchedRtype = 0;            // -1 when the column is Null
    int SchedRSubtype = 0;         // Null reads as 0
    QString SchedDetailText;       // Null reads as ""
    QString SchedEnglishDesc;      // Null reads as ""
};

// What the expansion needs of a rule. For a once rule the date is already
// read from the detail text (invalid when it names no date).
struct SchedRule {
    QDate start;
    QDate end;
    int interval = 0;
    int type = 0;
    int subtype = 0;
    QString detail;
    QDate once;
};

// The date a once rule's detail text names: ISO first, else the older form in
// the keeper's date order (two-digit years within the window around today).
// Invalid when it names no date.
QDate onceDateFromDetail(const QString& detail, const QString& dateOrder, const QDate& today);

SchedRule ruleFromRecord(const MaintSchedRecord& rec, const QString& dateOrder, const QDate& today);

// Asked before each rule of a run over all rules is expanded, with that rule:
// the windows show its task and let other work run here. Answering false
// stops the run; what it gathered is then of no use.
using BeforeRule = std::function<bool(const MaintSchedRecord& rule)>;

} // namespace sched
