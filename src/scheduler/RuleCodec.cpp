#include "scheduler/RuleCodec.h"

#include "core/Dates.h"

#include <cmath>

namespace sched {

namespace {

QString itemText(const QStringList& items, int position)
{
    return position >= 0 && position < items.size() ? items.at(position) : QString();
}

// A single digit of the detail text; not a digit reads as 0.
int detailDigit(const QString& detail, int index)
{
    if (index >= detail.size())
        return 0;
    const QChar c = detail.at(index);
    return c.isDigit() ? c.digitValue() : 0;
}

int positionOrNone(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

// A stored month number (0 to 11) as a list position, -1 when it is not a whole
// number in range. The range is checked on the double, before any conversion.
int monthPositionOrNone(double month)
{
    if (!std::isfinite(month) || month != std::floor(month) || month < 0 || month > 11)
        return -1;
    return static_cast<int>(month);
}

} // namespace

EditorValues EditorValues::startup(const QDate& today)
{
    EditorValues v;
    v.yearlyMonth = today.month() - 1;
    v.yearlyMonth2 = today.month() - 1;
    v.monthlyWeekday = weekdayNumber(today) - 1;
    v.yearlyWeekday = weekdayNumber(today) - 1;
    v.englishDesc = describeRule(v).value_or(QString());
    return v;
}

int boxNumber(const QString& text)
{
    const double v = leadingNumber(text);
    if (!std::isfinite(v))
        return 0;
    const double r = std::round(v);
    if (r > 32767)
        return 32767;
    if (r < -32768)
        return -32768;
    return static_cast<int>(r);
}

std::optional<QString> describeRule(const EditorValues& v, const QStringList& months,
                                    const QStringList& weekdays)
{
    switch (v.type) {
    case Daily:
        if (v.dailySubtype == 0)
            return QStringLiteral("Every ") + v.dailyDays + QStringLiteral(" days.");
        if (v.dailySubtype == 1)
            return QStringLiteral("Every Weekday (Mon, Tue, Wed, Thu, Fri).");
        return std::nullopt;
    case Weekly: {
        QString s = QStringLiteral("Every ") + v.weeklyWeeks + QStringLiteral(" week(s) on ");
        for (int day = 0; day < 7; ++day)
            if (v.weeklyDays[day])
                s += weekdayNames().at(day).left(3) + QStringLiteral(", ");
        if (s.endsWith(QStringLiteral(", ")))
            s.chop(2);
        return s + QLatin1Char('.');
    }
    case Monthly:
        if (v.monthlySubtype == 0)
            return QStringLiteral("Day ") + v.monthlyDay + QStringLiteral(" of every ")
                   + v.monthlyInterval + QStringLiteral(" months.");
        if (v.monthlySubtype == 1)
            return QStringLiteral("The ") + itemText(ordinalWords(), v.monthlyXth) + QLatin1Char(' ')
                   + itemText(weekdays, v.monthlyWeekday) + QStringLiteral(" of every ")
                   + v.monthlyInterval2 + QStringLiteral(" month(s).");
        return std::nullopt;
    case Yearly:
        if (v.yearlySubtype == 0)
            return QStringLiteral("Every year on ") + itemText(months, v.yearlyMonth) + QLatin1Char(' ')
                   + v.yearlyDay + QLatin1Char('.');
        if (v.yearlySubtype == 1)
            return QStringLiteral("The ") + itemText(ordinalWords(), v.yearlyXth) + QLatin1Char(' ')
                   + itemText(weekdays, v.yearlyWeekday) + QStringLiteral(" of every ")
                   + itemText(months, v.yearlyMonth2) + QLatin1Char('.');
        return std::nullopt;
    case Once:
        return QStringLiteral("Only once on ") + v.onceDate + QLatin1Char('.');
    default:
        return std::nullopt;
    }
}

namespace {

// "Only once on 12/20/26." in the given display pattern.
QString onceWording(const QDate& date, const QString& dateMask)
{
    EditorValues v;
    v.type = Once;
    v.onceDate = formatDateMask(date, dateMask);
    return describeRule(v).value_or(QString());
}

} // namespace

QString shownWording(const MaintSchedRecord& rec, const QString& dateMask, const QString& dateOrder,
                     const QDate& today)
{
    if (rec.SchedRtype == Once) {
        const QDate date = onceDateFromDetail(rec.SchedDetailText, dateOrder, today);
        if (date.isValid())
            return onceWording(date, dateMask);
    }
    return rec.SchedEnglishDesc;
}

void ruleFromEditorValues(const EditorValues& v, SchedEditorVars& vars, const QString& dateOrder,
                          const QDate& today)
{
    vars.startDate = v.startDate;
    vars.endDate = v.endDate;
    vars.task = v.task;
    switch (v.type) {
    case Daily:
        vars.type = Daily;
        vars.interval = boxNumber(v.dailyDays);
        if (v.dailySubtype == 0 || v.dailySubtype == 1)
            vars.subtype = v.dailySubtype;
        break;
    case Weekly: {
        vars.type = Weekly;
        vars.interval = boxNumber(v.weeklyWeeks);
        QString days;
        for (bool ticked : v.weeklyDays)
            days += ticked ? QLatin1Char('1') : QLatin1Char('0');
        vars.detail = days;
        break;
    }
    case Monthly:
        vars.type = Monthly;
        if (v.monthlySubtype == 0) {
            vars.subtype = 0;
            vars.interval = boxNumber(v.monthlyInterval);
            vars.detail = v.monthlyDay;
        } else if (v.monthlySubtype == 1) {
            vars.subtype = 1;
            vars.interval = boxNumber(v.monthlyInterval2);
            vars.detail = QString::number(qMax(0, v.monthlyXth)) + QString::number(qMax(0, v.monthlyWeekday));
        }
        break;
    case Yearly:
        vars.type = Yearly;
        if (v.yearlySubtype == 0) {
            vars.subtype = 0;
            vars.interval = boxNumber(v.yearlyDay);
            vars.detail = QString::number(qMax(0, v.yearlyMonth));
        } else if (v.yearlySubtype == 1) {
            vars.subtype = 1;
            vars.detail = QString::number(qMax(0, v.yearlyXth))
                                   + QString::number(qMax(0, v.yearlyWeekday))
                                   + QStringLiteral("%1").arg(qMax(0, v.yearlyMonth2), 2, 10, QLatin1Char('0'));
        }
        break;
    case Once: {
        vars.type = Once;
        // The date itself is kept, not its display form, so a later change of
        // the date order cannot move the reminder to another day.
        const auto date = parseKeeperDate(v.onceDate, dateOrder, today);
        vars.detail = date ? toIsoDate(*date) : v.onceDate;
        break;
    }
    default:
        return;
    }
    vars.englishDesc = v.englishDesc;
}

EditorValues editorValuesFromRule(const SchedEditorVars& vars, const EditorValues& opened,
                                  const QString& dateMask, const QString& dateOrder, const QDate& today)
{
    EditorValues v = opened;
    v.startDate = vars.startDate;
    v.endDate = vars.endDate;
    v.task = vars.task;
    const QString& detail = vars.detail;
    const QString interval = QString::number(vars.interval);
    switch (vars.type) {
    case Daily:
        v.type = Daily;
        v.dailyDays = interval;
        if (vars.subtype == 0 || vars.subtype == 1)
            v.dailySubtype = vars.subtype;
        break;
    case Weekly:
        v.type = Weekly;
        v.weeklyWeeks = interval;
        for (int day = 0; day < 7; ++day)
            if (day < detail.size() && detail.at(day) == QLatin1Char('1'))
                v.weeklyDays[day] = true;
        break;
    case Monthly:
        v.type = Monthly;
        v.monthlyInterval = interval;
        v.monthlyInterval2 = interval;
        if (vars.subtype == 0) {
            v.monthlySubtype = 0;
            v.monthlyDay = detail.trimmed();
        } else if (vars.subtype == 1) {
            v.monthlySubtype = 1;
            // An ordinal above "Last" means the last, as the expansion reads it.
            v.monthlyXth = qMin(detailDigit(detail, 0), 4);
            v.monthlyWeekday = positionOrNone(detailDigit(detail, 1), 7);
        }
        break;
    case Yearly:
        v.type = Yearly;
        if (vars.subtype == 0) {
            v.yearlyDay = interval;
            v.yearlySubtype = 0;
            v.yearlyMonth = monthPositionOrNone(leadingNumber(detail));
        } else if (vars.subtype == 1) {
            v.yearlySubtype = 1;
            v.yearlyXth = qMin(detailDigit(detail, 0), 4);
            v.yearlyWeekday = positionOrNone(detailDigit(detail, 1), 7);
            v.yearlyMonth2 = monthPositionOrNone(leadingNumber(detail.mid(2, 2)));
        }
        break;
    case Once: {
        v.type = Once;
        const QDate date = onceDateFromDetail(detail, dateOrder, today);
        v.onceDate = date.isValid() ? formatDateMask(date, dateMask) : detail;
        if (date.isValid()) {
            v.englishDesc = onceWording(date, dateMask);
            return v;
        }
        break;
    }
    default:
        // An unknown type: only the task and the dates are shown.
        return v;
    }
    v.englishDesc = vars.englishDesc;
    if (v.englishDesc.isEmpty())
        v.englishDesc = describeRule(v).value_or(QString());
    return v;
}

SchedEditorVars newTaskVars(const QDate& today, const QString& dateMask)
{
    SchedEditorVars vars;
    vars.task = QString();
    vars.startDate = formatDateMask(today, dateMask);
    vars.endDate = formatDateMask(addYearsKeepingDay(today, 2), dateMask);
    vars.interval = 1;
    vars.type = Daily;
    vars.subtype = 0;
    vars.englishDesc = QString();
    vars.detail = QString();
    vars.cancelled = true;
    return vars;
}

SchedEditorVars varsFromRecord(const MaintSchedRecord& rec, const QString& dateMask)
{
    SchedEditorVars vars;
    vars.task = rec.SchedTask;
    vars.startDate = rec.SchedStartDate.isValid() ? formatDateMask(rec.SchedStartDate, dateMask) : QString();
    vars.endDate = rec.SchedEndDate.isValid() ? formatDateMask(rec.SchedEndDate, dateMask) : QString();
    vars.interval = rec.SchedInterval;
    vars.type = rec.SchedRtype;
    vars.subtype = rec.SchedRSubtype;
    vars.englishDesc = rec.SchedEnglishDesc;
    vars.detail = rec.SchedDetailText;
    return vars;
}

MaintSchedRecord recordFromVars(const SchedEditorVars& vars, const QString& dateOrder, const QDate& today)
{
    MaintSchedRecord rec;
    rec.SchedTask = vars.task;
    const auto start = parseKeeperDate(vars.startDate, dateOrder, today);
    const auto end = parseKeeperDate(vars.endDate, dateOrder, today);
    rec.SchedStartDate = start ? *start : QDate();
    rec.SchedEndDate = end ? *end : QDate();
    rec.SchedInterval = vars.interval;
    rec.SchedRtype = vars.type;
    rec.SchedRSubtype = vars.subtype;
    rec.SchedDetailText = vars.detail;
    rec.SchedEnglishDesc = vars.englishDesc;
    return rec;
}

SchedRule ruleFromEditor(const EditorValues& v, const QString& dateOrder, const QDate& today)
{
    SchedEditorVars vars;
    vars.type = -1;
    ruleFromEditorValues(v, vars, dateOrder, today);
    return ruleFromRecord(recordFromVars(vars, dateOrder, today), dateOrder, today);
}

} // namespace sched
