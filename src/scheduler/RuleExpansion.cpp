#include "scheduler/RuleExpansion.h"

#include "core/Dates.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sched {

namespace {

// A single pattern character read as a digit; anything else counts as 0.
int digitAt(const QString& text, int index)
{
    if (index < 0 || index >= text.size())
        return 0;
    const QChar c = text.at(index);
    return c.isDigit() ? c.digitValue() : 0;
}

// A number read by its leading digits (blanks and sign allowed, as a number
// box reads); a text without one counts as 0. Fractions give no whole number.
bool leadingWhole(const QString& text, int* out)
{
    const double v = leadingNumber(text);
    if (!std::isfinite(v) || v != std::floor(v) || std::abs(v) > 1e6)
        return false;
    *out = static_cast<int>(v);
    return true;
}

// The whole text, blanks trimmed, as a whole number.
bool wholeNumber(const QString& text, int* out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *out = v;
    return ok;
}

// Month steps are capped at a million years: any step that long already ends
// every rule after its first date, and the date arithmetic stays in range
// (QDate::addMonths adds the step to the month number as an int).
constexpr int kMaxStepMonths = 12 * 1000000;

int monthSteps(int interval)
{
    return std::min(interval, kMaxStepMonths);
}

int monthsBetween(const QDate& from, const QDate& to)
{
    return (to.year() - from.year()) * 12 + (to.month() - from.month());
}

} // namespace

OccurrenceCursor::OccurrenceCursor(const SchedRule& rule, int onlyWeekday)
{
    m_start = rule.start;
    m_end = rule.end;

    if (rule.type == Once) {
        if (!rule.once.isValid())
            return;
        m_kind = Kind::Once;
        m_cursor = rule.once;
        settle();
        return;
    }
    if (!m_start.isValid() || !m_end.isValid())
        return;
    m_endJd = m_end.toJulianDay();

    switch (rule.type) {
    case Daily:
        if (rule.subtype == 0) {
            if (rule.interval < 1)
                return;
            m_kind = Kind::Series;
            m_runs = 1;
            m_next[0] = m_start.toJulianDay();
            m_stepDays = rule.interval;
        } else if (rule.subtype == 1) {
            m_kind = Kind::Weekdays;
            m_cursor = m_start;
        } else {
            return;
        }
        break;
    case Weekly: {
        if (rule.interval < 1)
            return;
        m_kind = Kind::Series;
        m_stepDays = 7LL * rule.interval;
        for (int day = 1; day <= 7; ++day) {
            if (day - 1 >= rule.detail.size() || rule.detail.at(day - 1) != QLatin1Char('1'))
                continue;
            if (onlyWeekday != 0 && onlyWeekday != day)
                continue;
            const QDate first = m_start.addDays((day - weekdayNumber(m_start) + 7) % 7);
            m_next[m_runs++] = first.toJulianDay();
        }
        break;
    }
    case Monthly:
        if (rule.interval < 1)
            return;
        m_stepMonths = monthSteps(rule.interval);
        if (rule.subtype == 0) {
            int day = 0;
            if (!wholeNumber(rule.detail, &day))
                return;
            QDate d(m_start.year(), m_start.month(), day);
            if (!d.isValid())
                return;
            if (d < m_start)
                d = d.addMonths(1);
            m_kind = Kind::MonthDay;
            m_cursor = d;
        } else if (rule.subtype == 1) {
            m_ordinal = digitAt(rule.detail, 0);
            m_weekdayDigit = digitAt(rule.detail, 1);
            if (m_weekdayDigit > 6)
                return;
            m_kind = Kind::Xth;
            m_month = QDate(m_start.year(), m_start.month(), 1);
            m_firstPass = true;
        } else {
            return;
        }
        break;
    case Yearly:
        if (rule.subtype == 0) {
            int month = 0;
            if (!leadingWhole(rule.detail, &month) || month < 0 || month > 11)
                return;
            QDate d(m_start.year(), month + 1, rule.interval);
            if (!d.isValid())
                return;
            if (d < m_start)
                d = addYearsKeepingDay(d, 1);
            m_kind = Kind::YearDay;
            m_cursor = d;
        } else if (rule.subtype == 1) {
            m_ordinal = digitAt(rule.detail, 0);
            m_weekdayDigit = digitAt(rule.detail, 1);
            int month = 0;
            if (!leadingWhole(rule.detail.mid(2, 2), &month))
                return;
            if (m_weekdayDigit > 6 || month < 0 || month > 11)
                return;
            m_kind = Kind::Xth;
            m_stepMonths = 12;
            m_month = QDate(m_start.year(), month + 1, 1);
            m_firstPass = true;
        } else {
            return;
        }
        break;
    default:
        return;
    }
    settle();
}

void OccurrenceCursor::settle()
{
    m_done = true;
    switch (m_kind) {
    case Kind::None:
        return;
    case Kind::Series: {
        m_pick = -1;
        qint64 best = std::numeric_limits<qint64>::max();
        for (int i = 0; i < m_runs; ++i) {
            if (m_next[i] <= m_endJd && m_next[i] < best) {
                best = m_next[i];
                m_pick = i;
            }
        }
        if (m_pick < 0)
            return;
        m_current = QDate::fromJulianDay(best);
        break;
    }
    case Kind::Weekdays:
        while (m_cursor <= m_end && weekdayNumber(m_cursor) == 1)
            m_cursor = m_cursor.addDays(1);
        while (m_cursor <= m_end && weekdayNumber(m_cursor) == 7)
            m_cursor = m_cursor.addDays(2);
        if (m_cursor > m_end)
            return;
        m_current = m_cursor;
        break;
    case Kind::MonthDay:
    case Kind::YearDay:
        if (m_cursor > m_end)
            return;
        m_current = m_cursor;
        break;
    case Kind::Xth:
        settleXth();
        return;
    case Kind::Once:
        if (!m_cursor.isValid())
            return;
        m_current = m_cursor;
        break;
    }
    m_done = false;
}

void OccurrenceCursor::settleXth()
{
    // Each month considered yields at most one occurrence, counted only when
    // it lies within the rule's own start and end. The first pass runs when
    // the start is not past the end; later passes while the month considered
    // begins on or before the end.
    m_done = true;
    for (;;) {
        if ((m_firstPass ? m_start : m_month) > m_end)
            return;
        const QDate c = xthWeekdayOfMonth(m_month, m_ordinal, m_weekdayDigit);
        if (c >= m_start && c <= m_end) {
            m_current = c;
            m_done = false;
            return;
        }
        m_month = m_month.addMonths(m_stepMonths);
        m_firstPass = false;
    }
}

void OccurrenceCursor::advance()
{
    if (m_done)
        return;
    switch (m_kind) {
    case Kind::None:
        return;
    case Kind::Series:
        m_next[m_pick] += m_stepDays;
        break;
    case Kind::Weekdays:
        m_cursor = m_cursor.addDays(1);
        break;
    case Kind::MonthDay:
        m_cursor = m_cursor.addMonths(m_stepMonths);
        break;
    case Kind::YearDay:
        m_cursor = addYearsKeepingDay(m_cursor, 1);
        break;
    case Kind::Xth:
        m_month = m_month.addMonths(m_stepMonths);
        m_firstPass = false;
        break;
    case Kind::Once:
        m_cursor = QDate();
        break;
    }
    settle();
}

void OccurrenceCursor::seek(const QDate& low)
{
    if (m_done || !low.isValid() || m_current >= low)
        return;
    switch (m_kind) {
    case Kind::Series: {
        const qint64 lowJd = low.toJulianDay();
        for (int i = 0; i < m_runs; ++i) {
            if (m_next[i] < lowJd)
                m_next[i] += (lowJd - m_next[i] + m_stepDays - 1) / m_stepDays * m_stepDays;
        }
        break;
    }
    case Kind::Weekdays:
        m_cursor = low;
        break;
    case Kind::MonthDay:
        // Once the day of the month is 28 or less no month shortens it again,
        // so whole runs of steps can be taken at once.
        while (m_cursor < low && m_cursor <= m_end) {
            const int gap = monthsBetween(m_cursor, low);
            if (m_cursor.day() <= 28 && gap > 2 * m_stepMonths)
                m_cursor = m_cursor.addMonths((gap / m_stepMonths - 1) * m_stepMonths);
            else
                m_cursor = m_cursor.addMonths(m_stepMonths);
        }
        break;
    case Kind::YearDay:
        while (m_cursor < low && m_cursor <= m_end) {
            const int gap = low.year() - m_cursor.year();
            if (!(m_cursor.month() == 2 && m_cursor.day() == 29) && gap > 2)
                m_cursor = QDate(m_cursor.year() + gap - 1, m_cursor.month(), m_cursor.day());
            else
                m_cursor = addYearsKeepingDay(m_cursor, 1);
        }
        break;
    case Kind::Xth: {
        const int gap = monthsBetween(m_month, low);
        if (gap > 2 * m_stepMonths) {
            m_month = m_month.addMonths((gap / m_stepMonths - 1) * m_stepMonths);
            m_firstPass = false;
        }
        settleXth();
        while (!m_done && m_current < low)
            advance();
        return;
    }
    case Kind::Once:
        m_cursor = QDate();
        break;
    case Kind::None:
        return;
    }
    settle();
    while (!m_done && m_current < low)
        advance();
}

QVector<QDate> expandRule(const SchedRule& rule, const ExpansionWindow& window)
{
    QVector<QDate> out;
    if (window.byBounds && (!window.low.isValid() || !window.upper.isValid()))
        return out;
    const auto run = [&](OccurrenceCursor cursor) {
        if (window.byBounds)
            cursor.seek(window.low);
        for (; !cursor.atEnd(); cursor.advance()) {
            if (window.byBounds && cursor.current() > window.upper)
                break;
            out.append(cursor.current());
        }
    };
    if (rule.type == Weekly) {
        // Each ticked day in turn, Sunday first.
        for (int day = 1; day <= 7; ++day)
            if (day - 1 < rule.detail.size() && rule.detail.at(day - 1) == QLatin1Char('1'))
                run(OccurrenceCursor(rule, day));
    } else {
        run(OccurrenceCursor(rule));
    }
    return out;
}

} // namespace sched
