#pragma once
// One place for converting dates and times between the keeper's display forms
// and real values. Stored dates are ISO "YYYY-MM-DD", times "HH:MM:SS".
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

// Strict reading of a date typed in the keeper's order ("MMDDYY", "DDMMYY",
// "YYMMDD") with any one-character delimiter: two-digit fields, the year either
// two digits (within [today.year - 80, today.year + 19]) or four digits.
// Refuses impossible dates and anything else.
std::optional<QDate> parseKeeperDate(const QString& text, const QString& dateOrder, const QDate& today);

// Format with a dateMask such as "MM/DD/YY", "DD-MM-YY", "YY.MM.DD".
QString formatDateMask(const QDate& date, const QString& dateMask);

// "hh:mm:ss am/pm": hour 1..12, minutes and seconds 0..59, marker exactly
// "am", "AM", "pm" or "PM". "12:05:09 am" is 00:05:09. Mask prompts are refused.
std::optional<QTime> parseAmPmTime(const QString& text);
// 13:05:09 -> "01:05:09 pm" (or "PM" with upperMarker).
QString formatAmPmTime(const QTime& time, bool upperMarker = false);

// The tank key "MM-DD-YYYY HH:MM:SS".
QString tankIdStamp(const QDateTime& moment);

QString toIsoDate(const QDate& date);          // null date -> empty
std::optional<QDate> fromIsoDate(const QString& text);
QString toIsoTime(const QTime& time);          // "HH:MM:SS"
std::optional<QTime> fromIsoTime(const QString& text);

// Same month and day N years on; 29 February becomes 28 February.
QDate addYearsKeepingDay(const QDate& date, int years);

// Numbers with '.' whatever the locale. Leading-number rule: the number the
// text begins with (leading blanks skipped), 0 when none.
double leadingNumber(const QString& text);
// Whole text is a number ('.' decimal point, optional sign and exponent).
bool isNumber(const QString& text);
std::optional<double> parseNumber(const QString& text);
// Format with a pattern like "###0.000", "0.00", "##0.00", "###0".
QString formatNumber(double value, const QString& pattern);
