#include "scheduler/ReminderRule.h"

#include "core/Dates.h"

namespace sched {

const QStringList& ordinalWords()
{
    static const QStringList words{QStringLiteral("First"), QStringLiteral("Second"),
                                   QStringLiteral("Third"), QStringLiteral("Forth"),
                                   QStringLiteral("Last")};
    return words;
}

const QStringList& weekdayNames()
{
    static const QStringList names{QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                                   QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                                   QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                   QStringLiteral("Saturday")};
    return names;
}

const QStringList& monthNames()
{
    static const QStringList names{
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    return names;
}

int weekdayNumber(const QDate& date)
{
    // QDate counts Monday 1 .. Sunday 7; the rules count Sunday 1 .. Saturday 7.
    return date.dayOfWeek() % 7 + 1;
}

QString weekdayAbbrev(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return weekdayNames().at(weekdayNumber(date) - 1).left(3);
}

QDate xthWeekdayOfMonth(const QDate& firstOfMonth, int ordinal, int weekdayDigit)
{
    const int wanted = weekdayDigit + 1;
    if (ordinal < 4) {
        QDate c = firstOfMonth;
        c = c.addDays((wanted - weekdayNumber(c) + 7) % 7);
        return c.addDays(7 * ordinal);
    }
    QDate c = firstOfMonth.addMonths(1).addDays(-1);
    return c.addDays(-((weekdayNumber(c) - wanted + 7) % 7));
}

QDate onceDateFromDetail(const QString& detail, const QString& dateOrder, const QDate& today)
{
    const QString text = detail.trimmed();
    if (text.isEmpty())
        return QDate();
    if (const auto iso = fromIsoDate(text))
        return *iso;
    if (const auto typed = parseKeeperDate(text, dateOrder, today))
        return *typed;
    return QDate();
}

SchedRule ruleFromRecord(const MaintSchedRecord& rec, const QString& dateOrder, const QDate& today)
{
    SchedRule rule;
    rule.start = rec.SchedStartDate;
    rule.end = rec.SchedEndDate;
    rule.interval = rec.SchedInterval;
    rule.type = rec.SchedRtype;
    rule.subtype = rec.SchedRSubtype;
    rule.detail = rec.SchedDetailText;
    if (rec.SchedRtype == Once)
        rule.once = onceDateFromDetail(rec.SchedDetailText, dateOrder, today);
    return rule;
}

} // namespace sched
