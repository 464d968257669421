#pragma once
// What the calendar shows: one month of one year, the day being pointed at,
// and the 6 x 7 grid of day cells (Sunday first) the month is laid out on.
// Changing the month or the year keeps the day when the new month has it and
// otherwise moves to the new month's last day.
#include <QDate>
#include <QString>
#include <QStringList>

class CalendarModel {
public:
    static constexpr int kCells = 42;      // 6 rows of 7, index = row * 7 + column
    static constexpr int kMinYear = 100;   // range of the year bar
    static constexpr int kMaxYear = 9999;
    static constexpr int kMonthBarMin = 0; // 0 and 13 exist only to wrap
    static constexpr int kMonthBarMax = 13;

    // An invalid date (or one outside the year range) shows 1 January 2000.
    explicit CalendarModel(const QDate& date = QDate());

    // The largest of 31, 30, 29, 28 that makes a date in that month and year.
    static int daysInMonth(int month, int year);
    // "January" .. "December"; empty text outside 1..12.
    static QString monthName(int month);
    static QStringList monthNames();
    // The years the year menu offers: ten years around `currentYear`
    // (five before it, the year itself and four after), kept within the bar's range.
    static QList<int> yearMenu(int currentYear);

    QDate date() const { return m_date; }
    int day() const { return m_date.day(); }
    int month() const { return m_date.month(); }
    int year() const { return m_date.year(); }

    // Shows the month of `date` and points at its day; false (and nothing
    // changes) when the date is invalid or outside the year range.
    bool setDate(const QDate& date);

    // A month bar value: 13 steps to January of the next year and 0 to December
    // of the previous one (not past the year range); other values outside
    // 1..12 are clamped. Returns the month shown.
    int setMonth(int monthBarValue);
    // A year bar value, clamped to 100..9999.
    int setYear(int year);
    // Points at `day` of the shown month; false when the month has no such day.
    bool pickDay(int day);

    // The cell of the first of the month: Sunday 0 .. Saturday 6.
    int firstCell() const;
    // Number of the day in `cell`, 0 for an empty cell or an index outside the grid.
    int dayInCell(int cell) const;
    // The cell of `day` of the shown month, -1 when the month has no such day.
    int cellOfDay(int day) const;
    int selectedCell() const { return cellOfDay(day()); }

    // The date as the calendar shows it back to the keeper: the keeper's date
    // order ("MMDDYY", "DDMMYY", "YYMMDD") and delimiter with a four-digit year.
    static QString returnDateText(const QDate& date, const QString& dateOrder, const QString& delimiter);

private:
    void moveTo(int year, int month, int day);
    QDate m_date;
};
