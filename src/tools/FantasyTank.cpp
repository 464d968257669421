#include "tools/FantasyTank.h"

#include "core/Dates.h"

#include <algorithm>

namespace {

qint64 clampToLimit(__int128 value)
{
    if (value > Decimal::kLimit)
        return Decimal::kLimit;
    if (value < -Decimal::kLimit)
        return -Decimal::kLimit;
    return static_cast<qint64>(value);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

// ---- Decimal ---------------------------------------------------------------------

Decimal Decimal::fromInt(qint64 value)
{
    return fromMillionths(clampToLimit(__int128(value) * kScale));
}

Decimal Decimal::fromMillionths(qint64 millionths)
{
    Decimal d;
    d.m_value = clampToLimit(millionths);
    return d;
}

Decimal Decimal::leadingNumber(const QString& text, bool* exact)
{
    bool dropped = false;   // a digit that is not 0 was left out
    int pos = 0;
    const int n = int(text.size());
    while (pos < n && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < n && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    // The significant digits as a whole number; digits past its precision
    // still count for the place of the decimal point.
    const __int128 kMantissaLimit = __int128(1000000000000000000LL) * 100000000LL;
    __int128 mantissa = 0;
    int fractionDigits = 0;   // digits of the mantissa after the point
    int droppedDigits = 0;    // whole-part digits past the mantissa's precision
    bool point = false;
    bool anyDigit = false;
    for (; pos < n; ++pos) {
        const QChar c = text[pos];
        if (c.isDigit() && c.unicode() < 128) {
            anyDigit = true;
            if (mantissa < kMantissaLimit) {
                mantissa = mantissa * 10 + (c.unicode() - '0');
                if (point)
                    ++fractionDigits;
            } else {
                if (!point)
                    ++droppedDigits;
                dropped = dropped || c != QLatin1Char('0');
            }
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (exact)
        *exact = true;
    if (!anyDigit)
        return Decimal();
    int exponent = 0;
    if (pos < n && (text[pos] == QLatin1Char('e') || text[pos] == QLatin1Char('E'))) {
        int p = pos + 1;
        bool expNegative = false;
        if (p < n && (text[p] == QLatin1Char('+') || text[p] == QLatin1Char('-'))) {
            expNegative = text[p] == QLatin1Char('-');
            ++p;
        }
        int value = 0;
        bool expDigit = false;
        while (p < n && text[p].isDigit() && text[p].unicode() < 128) {
            expDigit = true;
            value = std::min(value * 10 + (text[p].unicode() - '0'), 1000);
            ++p;
        }
        if (expDigit)
            exponent = expNegative ? -value : value;
    }
    // value = mantissa × 10^(exponent + dropped - fraction digits); in millionths the power grows by 6.
    const int shift = exponent + droppedDigits - fractionDigits + 6;
    __int128 value = mantissa;
    if (shift > 0) {
        for (int i = 0; i < shift && value != 0 && value <= kLimit; ++i)
            value *= 10;
    } else {
        for (int i = 0; i < -shift && value != 0; ++i) {
            dropped = dropped || value % 10 != 0;
            value /= 10;
        }
    }
    if (negative)
        value = -value;
    const qint64 held = clampToLimit(value);
    if (exact)
        *exact = !dropped && held == value;
    return fromMillionths(held);
}

qint64 Decimal::floor() const
{
    qint64 whole = m_value / kScale;
    if (m_value < 0 && m_value % kScale != 0)
        --whole;
    return whole;
}

QString Decimal::toString() const
{
    const qint64 magnitude = m_value < 0 ? -m_value : m_value;
    QString out = QString::number(magnitude / kScale);
    qint64 fraction = magnitude % kScale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(6, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        out += QLatin1Char('.') + digits;
    }
    if (m_value < 0)
        out.prepend(QLatin1Char('-'));
    return out;
}

Decimal Decimal::operator*(Decimal other) const
{
    return fromMillionths(clampToLimit(__int128(m_value) * other.m_value / kScale));
}

// ---- stocking ----------------------------------------------------------------------

int stockingFactorTenths(WaterKind water, bool wetDry, bool taller)
{
    if (water == WaterKind::Saltwater)
        return wetDry ? 18 : (taller ? 22 : 20);
    return taller ? 15 : 12;
}

Stocking computeStocking(WaterKind water, Decimal gallons, bool wetDry, bool taller, Decimal inches)
{
    Stocking s;
    s.gallons = gallons;
    s.factorTenths = stockingFactorTenths(water, wetDry, taller);
    // gallons / (factor / 10) = gallons in millionths × 10 / (factor × 10^6)
    const __int128 numerator = __int128(gallons.millionths()) * 10;
    const __int128 denominator = __int128(s.factorTenths) * Decimal::kScale;
    __int128 capacity = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0)
        --capacity;
    s.capacity = capacity > 0 ? static_cast<qint64>(capacity) : 0;

    const Decimal cap = Decimal::fromInt(kStockingCap);
    if (s.capacity == 0) {
        s.percentFull = inches > Decimal() ? cap : Decimal();
    } else {
        const __int128 pct = __int128(inches.millionths()) * 100 / s.capacity;
        s.percentFull = pct > cap.millionths() ? cap : Decimal::fromMillionths(static_cast<qint64>(pct));
    }

    s.holdingText = QStringLiteral("A ") + gallons.toString()
        + (water == WaterKind::Saltwater
               ? QStringLiteral(" gallon saltwater tank, in ideal conditions, could hold about ")
               : QStringLiteral(" gallon freshwater tank, in ideal conditions, could hold about "))
        + QString::number(s.capacity) + QStringLiteral(" inches of fish.");
    const qint64 whole = s.percentFull.floor();
    s.percentText = (whole < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(whole < 0 ? -whole : whole)
        + QStringLiteral("%");
    return s;
}

std::optional<QString> tankSizeRefusal(const QString& text)
{
    if (!isNumber(text))
        return QStringLiteral("Fantasy tank size must be a number less than 250 gallons.");
    bool exact = true;
    const Decimal gallons = Decimal::leadingNumber(text, &exact);
    // A size just above the largest one may have lost its last digits.
    const Decimal largest = Decimal::fromInt(kMaxTankGallons);
    if (gallons > largest || (gallons == largest && !exact))
        return QStringLiteral("Fantasy tank size must be less than 250 gallons.");
    if (gallons < Decimal::fromInt(kMinTankGallons))
        return QStringLiteral("Fantasy tank size must be at least 5 gallons.");
    return std::nullopt;
}

// ---- the plan ----------------------------------------------------------------------

void FantasyTankPlan::startOver(WaterKind water)
{
    m_water = water;
    m_lines.clear();
    m_inches = Decimal();
}

std::optional<FantasyTankPlan::AdditionRefusal> FantasyTankPlan::additionRefusal(const QString& countText,
                                                                                 const QString& sizeText) const
{
    const AdditionRefusal countRefused{
        AdditionRefusal::Count,
        {QStringLiteral("You must add at least one animal to the tank."), QStringLiteral("Oops"), MsgIcon::Exclamation}};
    const AdditionRefusal sizeRefused{AdditionRefusal::Size,
                                      {QStringLiteral("Your fish must be at least one inch long to add it to the tank."),
                                       QStringLiteral("Oops"), MsgIcon::Exclamation}};
    const auto tooLarge = [](AdditionRefusal::Field field, const char* text) {
        return AdditionRefusal{field, {QString::fromLatin1(text), QStringLiteral("Oops"), MsgIcon::Exclamation}};
    };
    const Decimal one = Decimal::fromInt(1);
    const Decimal count = Decimal::leadingNumber(countText);
    const Decimal size = Decimal::leadingNumber(sizeText);
    if (count < one)
        return countRefused;
    if (size < one)
        return sizeRefused;
    // A count or size read as the limit itself (or held at it) is too large
    // whatever the other one is.
    if (count.millionths() >= Decimal::kLimit)
        return tooLarge(AdditionRefusal::Count, "That number of animals is too large to add to the tank.");
    if (size.millionths() >= Decimal::kLimit)
        return tooLarge(AdditionRefusal::Size, "That size is too large to add to the tank.");
    // Totals in full, before anything is held at the limit. The size is at
    // fault when a single animal of it would reach the limit.
    const char* totalTooLarge = "That would make the tank's total too large: all its fish together must come "
                                "to less than 1,000,000,000 inches.";
    const __int128 limit = Decimal::kLimit;
    const __int128 planned = m_inches.millionths();
    if (planned + size.millionths() >= limit)
        return tooLarge(AdditionRefusal::Size, totalTooLarge);
    if (planned + __int128(count.millionths()) * size.millionths() / Decimal::kScale >= limit)
        return tooLarge(AdditionRefusal::Count, totalTooLarge);
    return std::nullopt;
}

QList<PlannerMessage> FantasyTankPlan::addLine(int species, Decimal count, Decimal size)
{
    const CompatibilityTable& t = table();
    m_lines.append({species, count, size});
    m_inches = m_inches + count * size;

    const Decimal one = Decimal::fromInt(1);
    QString doubtful;
    QString incompatible;
    for (int i = 0; i < m_lines.size(); ++i) {
        // A single new animal is no tankmate of itself.
        if (i == m_lines.size() - 1 && count <= one)
            break;
        const int other = m_lines[i].species;
        const QChar l = t.letter(species, other);
        if (l == QLatin1Char('M'))
            doubtful += t.displayName(other) + QStringLiteral(", ");
        else if (l == QLatin1Char('N'))
            incompatible += t.displayName(other) + QStringLiteral(", ");
    }

    const QString name = t.displayName(species);
    QList<PlannerMessage> out;
    if (m_water == WaterKind::Saltwater && count > one && t.severalAllowed(species) == QLatin1String("N")) {
        out.append({{QStringLiteral("WARNING! Keeping 2 or more ") + name
                         + QStringLiteral(" in 1 tank may cause compatibility problems, possibly SERIOUS ones, "
                                          "and particularly if they are the same species!"
                                          "\r"
                                          "  You can continue \"Fantasy Tank\" with this selection but don't attempt "
                                          "to put these animals together without first consulting with your "
                                          "EXPERIENCED dealer or veterinarian!"),
                     QStringLiteral("Possible compatibility Problem!"), MsgIcon::Exclamation},
                    1});
    }
    if (!doubtful.isEmpty()) {
        out.append({{QStringLiteral("Warning! You MAY have problems if you try to put ") + name
                         + QStringLiteral(" together with ") + doubtful
                         + QStringLiteral(" depending on the particular animals involved."
                                          "\r"
                                          " You should consider checking with your dealer or veterinarian BEFORE "
                                          "attempting to place these animals together."),
                     QStringLiteral("Possible compatibility Problem!"), MsgIcon::Exclamation},
                    1});
    }
    if (!incompatible.isEmpty()) {
        out.append({{QStringLiteral("Warning! ") + name + QStringLiteral(" are generally considered INCOMPATIBLE with ")
                         + incompatible
                         + QStringLiteral("and may cause SERIOUS compatibility problems if attempted."
                                          "\r"
                                          " Always check with your dealer or veterinarian BEFORE attempting to place "
                                          "these animals together!"),
                     QStringLiteral("Serious compatibility Warning!"), MsgIcon::Critical},
                    2});
    }
    return out;
}

bool FantasyTankPlan::removeLine(int index)
{
    if (index < 0 || index >= m_lines.size())
        return false;
    m_inches = m_inches - m_lines[index].inches();
    m_lines.removeAt(index);
    return true;
}

QString FantasyTankPlan::lineText(int index) const
{
    if (index < 0 || index >= m_lines.size())
        return QString();
    const FantasyTankLine& line = m_lines[index];
    return line.count.toString() + QLatin1Char(' ') + table().displayName(line.species) + QStringLiteral(" - ")
        + line.size.toString() + QStringLiteral(" in.");
}

QStringList FantasyTankPlan::lineTexts() const
{
    QStringList out;
    for (int i = 0; i < m_lines.size(); ++i)
        out << lineText(i);
    return out;
}

// ---- reminders -------------------------------------------------------------------

Message sizeReminder()
{
    return {QStringLiteral(
                "Note! Brinestead's \"Fantasy Tank\" is based on a variation of the traditional \"inches to gallons\" "
                "rule-of-thumb, and adjusted for the variables shown on the screen."
                "\r"
                "  This rule, like most aquarium-related \"rules\", is not accurate in all cases. Typical exceptions "
                "to this rule are large fish (over 5 inches), abnormally passive or agressive fish, or those with "
                "\"atypical\" body shapes (eg. eels, anemones, etc). The compatibility guidelines in Brinestead are "
                "based on fish having the sizes as listed on the screen when they first appear."
                "\r"
                "  In light of all of this, be sure to double-check ANY stocking combinations with a qualified "
                "dealer or vererinarian BEFORE you attempt to put these animals together!"),
            QStringLiteral("A Reminder!"), MsgIcon::Exclamation};
}

bool sizeNeedsReminder(const QString& sizeText)
{
    return Decimal::leadingNumber(sizeText) > Decimal::fromInt(6);
}

Message fantasyTankReminder()
{
    return {QStringLiteral("REMINDER: This program is only a tool to allow you to experiment"
                           " with a few POSSIBLE stocking and animal combinations. No program"
                           " could ever guarantee complete compatibility. Numerous factors"
                           " such as an animal's size, age, condition, and personality will"
                           " have great effects on compatibility."
                           "\r"
                           "  For this reason, remember the rule: \"Never take ANY fish advice as gospel, EVEN FROM THIS"
                           " PROGRAM!"
                           "\r"
                           "  ALWAYS consult with an EXPERIENCED DEALER or veterinarian"
                           " before putting ANY animals together, compatible or not!"),
            QStringLiteral("Please NOTE!"), MsgIcon::Exclamation};
}
