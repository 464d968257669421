#include "core/Dates.h"

#include <QtGlobal>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

namespace {

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return true;
}

int windowedYear(int twoDigits, const QDate& today)
{
    const int low = today.year() - 80;
    int year = low - (low % 100) + twoDigits;
    if (year < low)
        year += 100;
    return year;
}

} // namespace

std::optional<QDate> parseKeeperDate(const QString& text, const QString& dateOrder, const QDate& today)
{
    // Three fields split by one delimiter character each; two-digit day and
    // month, the year two or four digits.
    const bool yearFirst = dateOrder == QLatin1String("YYMMDD");
    if (!yearFirst && dateOrder != QLatin1String("MMDDYY") && dateOrder != QLatin1String("DDMMYY"))
        return std::nullopt;
    const int n = text.size();
    if (n != 8 && n != 10)
        return std::nullopt;
    const int yearLen = n - 6;
    QStringView f1, f2, f3;
    QChar d1, d2;
    if (yearFirst) {
        f1 = QStringView(text).mid(0, yearLen);
        d1 = text.at(yearLen);
        f2 = QStringView(text).mid(yearLen + 1, 2);
        d2 = text.at(yearLen + 3);
        f3 = QStringView(text).mid(yearLen + 4, 2);
    } else {
        f1 = QStringView(text).mid(0, 2);
        d1 = text.at(2);
        f2 = QStringView(text).mid(3, 2);
        d2 = text.at(5);
        f3 = QStringView(text).mid(6, yearLen);
    }
    if (d1.isDigit() || d2.isDigit() || d1.isSpace() || d2.isSpace() || d1 != d2)
        return std::nullopt;
    if (!allDigits(f1) || !allDigits(f2) || !allDigits(f3))
        return std::nullopt;

    int year = 0, month = 0, day = 0;
    QStringView yearText;
    if (dateOrder == QLatin1String("MMDDYY")) {
        month = f1.toInt();
        day = f2.toInt();
        yearText = f3;
    } else if (dateOrder == QLatin1String("DDMMYY")) {
        day = f1.toInt();
        month = f2.toInt();
        yearText = f3;
    } else {
        yearText = f1;
        month = f2.toInt();
        day = f3.toInt();
    }
    year = yearText.toInt();
    if (yearText.size() == 2)
        year = windowedYear(year, today);
    if (year < 100)   // "0098" and the like name no year a keeper means
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString formatDateMask(const QDate& date, const QString& dateMask)
{
    if (!date.isValid())
        return QString();
    QString out;
    out.reserve(dateMask.size());
    for (int i = 0; i < dateMask.size();) {
        const QString pair = dateMask.mid(i, 2).toUpper();
        if (pair == QLatin1String("MM")) {
            out += QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
            i += 2;
        } else if (pair == QLatin1String("DD")) {
            out += QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
            i += 2;
        } else if (pair == QLatin1String("YY")) {
            out += QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
            i += 2;
        } else {
            out += dateMask.at(i);
            ++i;
        }
    }
    return out;
}

std::optional<QTime> parseAmPmTime(const QString& text)
{
    // Layout of the time box: hour 1-2, minutes 4-5, seconds 7-8, marker 10-11.
    if (text.size() != 11)
        return std::nullopt;
    const QStringView v(text);
    if (text.at(2) != QLatin1Char(':') || text.at(5) != QLatin1Char(':') || text.at(8) != QLatin1Char(' '))
        return std::nullopt;
    if (!allDigits(v.mid(0, 2)) || !allDigits(v.mid(3, 2)) || !allDigits(v.mid(6, 2)))
        return std::nullopt;
    const int hour = v.mid(0, 2).toInt();
    const int minute = v.mid(3, 2).toInt();
    const int second = v.mid(6, 2).toInt();
    const QStringView marker = v.mid(9, 2);
    if (hour < 1 || hour > 12 || minute > 59 || second > 59)
        return std::nullopt;
    bool pm = false;
    if (marker == u"pm" || marker == u"PM")
        pm = true;
    else if (marker != u"am" && marker != u"AM")
        return std::nullopt;
    int h24 = hour % 12;
    if (pm)
        h24 += 12;
    return QTime(h24, minute, second);
}

QString formatAmPmTime(const QTime& time, bool upperMarker)
{
    if (!time.isValid())
        return QString();
    int h12 = time.hour() % 12;
    if (h12 == 0)
        h12 = 12;
    const bool pm = time.hour() >= 12;
    const QString marker = upperMarker ? (pm ? QStringLiteral("PM") : QStringLiteral("AM"))
                                       : (pm ? QStringLiteral("pm") : QStringLiteral("am"));
    return QStringLiteral("%1:%2:%3 %4")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'))
        .arg(marker);
}

QString tankIdStamp(const QDateTime& moment)
{
    const QDate d = moment.date();
    const QTime t = moment.time();
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString toIsoDate(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

std::optional<QDate> fromIsoDate(const QString& text)
{
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return std::nullopt;
    const QStringView v(text);
    if (!allDigits(v.mid(0, 4)) || !allDigits(v.mid(5, 2)) || !allDigits(v.mid(8, 2)))
        return std::nullopt;
    const QDate date(v.mid(0, 4).toInt(), v.mid(5, 2).toInt(), v.mid(8, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString toIsoTime(const QTime& time)
{
    if (!time.isValid())
        return QString();
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

std::optional<QTime> fromIsoTime(const QString& text)
{
    if (text.size() != 8 || text.at(2) != QLatin1Char(':') || text.at(5) != QLatin1Char(':'))
        return std::nullopt;
    const QStringView v(text);
    if (!allDigits(v.mid(0, 2)) || !allDigits(v.mid(3, 2)) || !allDigits(v.mid(6, 2)))
        return std::nullopt;
    const QTime time(v.mid(0, 2).toInt(), v.mid(3, 2).toInt(), v.mid(6, 2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QDate addYearsKeepingDay(const QDate& date, int years)
{
    if (!date.isValid())
        return QDate();
    // QDate::addYears keeps month and day and moves 29 February to the 28th.
    return date.addYears(years);
}

namespace {

// Length of the number at the start of s (after pos): sign, digits, one '.',
// digits, an exponent with its own sign and digits. 0 when there is no digit.
int scanNumber(QStringView s, int pos)
{
    int i = pos;
    const int n = s.size();
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        int expDigits = 0;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - pos;
}

// The text (as scanNumber accepted it) as a number, with '.' as the decimal
// point whatever the C library's locale says.
double toDouble(QStringView s)
{
    const std::string text = s.toString().toStdString();
    const char* first = text.c_str();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;   // from_chars takes no plus sign
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Too large a magnitude is infinite (the callers refuse it); one too
        // small for a double is zero.
        const std::string_view digits(first, std::size_t(last - first));
        const std::size_t e = digits.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        const bool negative = *first == '-';
        if (tiny)
            return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    (void)end;
    return ec == std::errc() ? value : 0.0;
}

// The value (not negative) with exactly `decimals` decimal places, rounded half
// away from zero on its fifteen significant decimal digits, the way a keeper
// reads the number: 2.5 shows as 3 and 0.125 as 0.13, although the binary
// fraction would round them down.
QString roundedDigits(double value, int decimals)
{
    char buf[64] = {};
    std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 14);
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    const int exponent = *p ? std::atoi(p + 1) : 0;
    // value = 0.<mantissa> * 10^(exponent + 1)
    int point = exponent + 1;
    if (point < 1) {
        mantissa.insert(0, std::size_t(1 - point), '0');
        point = 1;
    }
    const int keep = point + decimals;
    if (int(mantissa.size()) < keep) {
        mantissa.append(std::size_t(keep - int(mantissa.size())), '0');
    } else if (int(mantissa.size()) > keep) {
        const bool up = mantissa[std::size_t(keep)] >= '5';
        mantissa.resize(std::size_t(keep));
        if (up) {
            int j = keep - 1;
            while (j >= 0 && mantissa[std::size_t(j)] == '9')
                mantissa[std::size_t(j--)] = '0';
            if (j < 0) {
                mantissa.insert(0, 1, '1');
                ++point;
            } else {
                ++mantissa[std::size_t(j)];
            }
        }
    }
    std::string out = mantissa.substr(0, std::size_t(point));
    if (decimals > 0)
        out += '.' + mantissa.substr(std::size_t(point));
    return QString::fromStdString(out);
}

} // namespace

double leadingNumber(const QString& text)
{
    int pos = 0;
    while (pos < text.size() && (text[pos] == QLatin1Char(' ') || text[pos] == QLatin1Char('\t')
                                 || text[pos] == QLatin1Char('\n') || text[pos] == QLatin1Char('\r')))
        ++pos;
    const int len = scanNumber(text, pos);
    if (len == 0)
        return 0.0;
    const double value = toDouble(QStringView(text).mid(pos, len));
    return std::isfinite(value) ? value : 0.0;
}

bool isNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    const int len = scanNumber(t, 0);
    if (len != t.size())
        return false;
    return std::isfinite(toDouble(t));
}

std::optional<double> parseNumber(const QString& text)
{
    if (!isNumber(text))
        return std::nullopt;
    return toDouble(text.trimmed());
}

QString formatNumber(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        return QString();
    const int dot = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString decPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const bool grouping = intPart.contains(QLatin1Char(','));
    int decimals = 0, minDecimals = 0;
    for (QChar ch : decPart) {
        if (ch == QLatin1Char('0')) {
            ++decimals;
            minDecimals = decimals;
        } else if (ch == QLatin1Char('#')) {
            ++decimals;
        }
    }

    QString digits = roundedDigits(std::fabs(value), decimals);
    QString whole = digits, frac;
    const int p = digits.indexOf(QLatin1Char('.'));
    if (p >= 0) {
        whole = digits.left(p);
        frac = digits.mid(p + 1);
    }
    // Optional decimal places drop their trailing zeros.
    while (frac.size() > minDecimals && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    // Integer digits: strip leading zeros down to the pattern's minimum.
    while (whole.size() > minInt && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    while (whole.size() < minInt)
        whole.prepend(QLatin1Char('0'));
    if (grouping && whole.size() > 3) {
        for (int i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
    }
    QString out = whole;
    if (dot >= 0 && (!frac.isEmpty() || decPart.isEmpty()))
        out += QLatin1Char('.') + frac;
    else if (dot >= 0 && frac.isEmpty() && minDecimals == 0 && !decPart.isEmpty())
        out += QLatin1Char('.');
    bool zero = true;
    for (QChar ch : whole + frac)
        if (ch != QLatin1Char('0') && ch != QLatin1Char(','))
            zero = false;
    if (value < 0 && !zero)
        out.prepend(QLatin1Char('-'));
    return out;
}
