#include "core/CalendarModel.h"

#include <algorithm>

namespace {
bool inYearRange(const QDate& date)
{
    return date.isValid() && date.year() >= CalendarModel::kMinYear && date.year() <= CalendarModel::kMaxYear;
}
} // namespace

CalendarModel::CalendarModel(const QDate& date)
    : m_date(inYearRange(date) ? date : QDate(2000, 1, 1))
{
}

int CalendarModel::daysInMonth(int month, int year)
{
    for (int day : {31, 30, 29, 28}) {
        if (QDate::isValid(year, month, day))
            return day;
    }
    return 28;
}

QString CalendarModel::monthName(int month)
{
    const QStringList names = monthNames();
    return (month >= 1 && month <= 12) ? names[month - 1] : QString();
}

QStringList CalendarModel::monthNames()
{
    return {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
}

QList<int> CalendarModel::yearMenu(int currentYear)
{
    int first = currentYear - 5;
    first = std::clamp(first, kMinYear, kMaxYear - 9);
    QList<int> years;
    for (int y = first; y < first + 10; ++y)
        years << y;
    return years;
}

bool CalendarModel::setDate(const QDate& date)
{
    if (!inYearRange(date))
        return false;
    m_date = date;
    return true;
}

void CalendarModel::moveTo(int year, int month, int day)
{
    const int last = daysInMonth(month, year);
    m_date = QDate(year, month, std::min(day, last));
}

int CalendarModel::setMonth(int monthBarValue)
{
    // Stepping past December or before January crosses into the next or the
    // previous year, as long as that year is within the calendar's range.
    if (monthBarValue == kMonthBarMax) {
        if (year() < kMaxYear)
            moveTo(year() + 1, 1, day());
        return month();
    }
    if (monthBarValue == kMonthBarMin) {
        if (year() > kMinYear)
            moveTo(year() - 1, 12, day());
        return month();
    }
    moveTo(year(), std::clamp(monthBarValue, 1, 12), day());
    return month();
}

int CalendarModel::setYear(int newYear)
{
    newYear = std::clamp(newYear, kMinYear, kMaxYear);
    moveTo(newYear, month(), day());
    return newYear;
}

bool CalendarModel::pickDay(int newDay)
{
    if (newDay < 1 || newDay > daysInMonth(month(), year()))
        return false;
    m_date = QDate(year(), month(), newDay);
    return true;
}

int CalendarModel::firstCell() const
{
    return QDate(year(), month(), 1).dayOfWeek() % 7;   // Qt counts Monday 1 .. Sunday 7
}

int CalendarModel::dayInCell(int cell) const
{
    if (cell < 0 || cell >= kCells)
        return 0;
    const int d = cell - firstCell() + 1;
    return (d >= 1 && d <= daysInMonth(month(), year())) ? d : 0;
}

int CalendarModel::cellOfDay(int d) const
{
    if (d < 1 || d > daysInMonth(month(), year()))
        return -1;
    return firstCell() + d - 1;
}

QString CalendarModel::returnDateText(const QDate& date, const QString& dateOrder, const QString& delimiter)
{
    if (!date.isValid())
        return QString();
    const QString mm = QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
    const QString dd = QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    const QString yyyy = QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    const QString d = delimiter.isEmpty() ? QStringLiteral("/") : delimiter;
    if (dateOrder == QLatin1String("DDMMYY"))
        return dd + d + mm + d + yyyy;
    if (dateOrder == QLatin1String("YYMMDD"))
        return yyyy + d + mm + d + dd;
    return mm + d + dd + d + yyyy;
}
