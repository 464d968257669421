#include "scheduler/ReminderChecks.h"

#include "core/Dates.h"
#include "scheduler/RuleExpansion.h"

#include <algorithm>

namespace sched {

namespace {

bool isPositive(const QString& text)
{
    return leadingNumber(text) > 0;
}

// The box holds a whole number from low to high (blanks around it aside), so
// the rule stores exactly what the keeper typed and worded.
bool isWholeNumberIn(const QString& text, int low, int high)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return false;
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok && value >= low && value <= high;
}

std::optional<QDate> keeperDate(const QString& text, const QString& dateOrder, const QDate& today)
{
    return parseKeeperDate(text.trimmed(), dateOrder, today);
}

const char* const kMonthsWhole = "The number of months must be a whole number from 1 to 999.";

EditorRefusal refuse(int check, const char* message, EditorField field)
{
    return {check, QString::fromUtf8(message), field};
}

} // namespace

std::optional<EditorRefusal> checkEditorValues(const EditorValues& v, const QString& dateOrder,
                                               const QDate& today)
{
    if (v.task.isEmpty())
        return refuse(1, "You must enter a description for this reminder.", EditorField::Task);
    const auto start = keeperDate(v.startDate, dateOrder, today);
    if (!start)
        return refuse(2, "Please enter a valid date from which to begin your reminders.", EditorField::StartDate);
    const auto end = keeperDate(v.endDate, dateOrder, today);
    if (!end)
        return refuse(3, "Please enter a valid date to end your recurring reminders.", EditorField::EndDate);
    if (start->daysTo(*end) <= 0)
        return refuse(4, "Your End Date must be greater than your Start date for recurring reminders.",
                      EditorField::EndDate);

    switch (v.type) {
    case Daily:
        if (v.dailySubtype == 0 && !isPositive(v.dailyDays))
            return refuse(5, "Enter the number of days apart you wish to schedule this reminder.",
                          EditorField::DailyDays);
        if (v.dailySubtype == 0 && !isWholeNumberIn(v.dailyDays, 1, kMaxRuleCount))
            return refuse(5, "The number of days must be a whole number from 1 to 999.", EditorField::DailyDays);
        break;
    case Weekly:
        if (!isPositive(v.weeklyWeeks))
            return refuse(6, "The number of weeks must be greater than 0.", EditorField::WeeklyWeeks);
        if (!isWholeNumberIn(v.weeklyWeeks, 1, kMaxRuleCount))
            return refuse(6, "The number of weeks must be a whole number from 1 to 999.", EditorField::WeeklyWeeks);
        if (std::none_of(v.weeklyDays.begin(), v.weeklyDays.end(), [](bool ticked) { return ticked; }))
            return refuse(7, "Check the days of the week on which you wish to schedule this reminder.",
                          EditorField::WeeklySunday);
        break;
    case Monthly:
        if (v.monthlySubtype == 0) {
            // The day is stored as typed, so "7.5" or "15x" would name no day.
            if (!isWholeNumberIn(v.monthlyDay, 1, kMaxMonthlyDay))
                return refuse(8, "When choosing the same day of the every month, the day must be between 1 and 28.",
                              EditorField::MonthlyDay);
            if (!isPositive(v.monthlyInterval))
                return refuse(9, "The number of months must be greater than 0.", EditorField::MonthlyInterval);
            if (!isWholeNumberIn(v.monthlyInterval, 1, kMaxRuleCount))
                return refuse(9, kMonthsWhole, EditorField::MonthlyInterval);
        } else {
            if (v.monthlyXth < 0)
                return refuse(10, "Choose a frequency from the list.", EditorField::MonthlyXth);
            if (v.monthlyWeekday < 0)
                return refuse(11, "Choose a weekday from the list.", EditorField::MonthlyWeekday);
            if (!isPositive(v.monthlyInterval2))
                return refuse(12, "The number of months must be greater than 0.", EditorField::MonthlyInterval2);
            if (!isWholeNumberIn(v.monthlyInterval2, 1, kMaxRuleCount))
                return refuse(12, kMonthsWhole, EditorField::MonthlyInterval2);
        }
        break;
    case Yearly:
        if (v.yearlySubtype == 0) {
            const char* badDay = "Please enter a valid combination of Month and Day (Sorry No February 29ths here).";
            if (v.yearlyMonth < 0)
                return refuse(13, "Choose a month.", EditorField::YearlyMonth);
            const double day = leadingNumber(v.yearlyDay);
            if (day <= 0 || day >= 31)
                return refuse(14, badDay, EditorField::YearlyDay);
            // The day as typed must make a date of that month in a year
            // without 29 February.
            bool whole = false;
            const int typedDay = v.yearlyDay.trimmed().toInt(&whole);
            if (!whole || !QDate::isValid(1997, v.yearlyMonth + 1, typedDay))
                return refuse(15, badDay, EditorField::YearlyDay);
        } else {
            if (v.yearlyXth < 0)
                return refuse(16, "Choose a frequency from the list.", EditorField::YearlyXth);
            if (v.yearlyWeekday < 0)
                return refuse(17, "Choose a weekday from the list.", EditorField::YearlyWeekday);
            if (v.yearlyMonth2 < 0)
                return refuse(18, "Choose a Month from the list.", EditorField::YearlyMonth2);
        }
        break;
    case Once:
        if (!keeperDate(v.onceDate, dateOrder, today))
            return refuse(19, "Please enter a valid date, or choose one with the calendar.", EditorField::OnceDate);
        break;
    default:
        break;
    }
    return std::nullopt;
}

QString duplicateTaskMessage()
{
    return QStringLiteral(
        "That identical task already exists. Make your new task unique by changing at least one letter.");
}

ReminderPreview previewDates(const EditorValues& v, const QString& dateOrder, const QDate& today)
{
    ReminderPreview preview;
    if (v.type == Once && !keeperDate(v.onceDate, dateOrder, today)) {
        preview.onceDateValid = false;
        return preview;
    }
    const SchedRule rule = ruleFromEditor(v, dateOrder, today);
    if (rule.type == Once) {
        // The once date is listed whatever the range says.
        preview.dates.append(rule.once);
        return preview;
    }
    preview.dates = expandRule(rule, ExpansionWindow::unbounded());
    std::sort(preview.dates.begin(), preview.dates.end());
    return preview;
}

QString occurrenceText(const QDate& date, const QString& dateMask)
{
    if (!date.isValid())
        return QString();
    return weekdayNames().at(weekdayNumber(date) - 1) + QLatin1Char(' ') + formatDateMask(date, dateMask);
}

QString occurrenceKey(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

} // namespace sched
