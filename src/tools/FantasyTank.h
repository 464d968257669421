#pragma once
// The fantasy tank planner's arithmetic: the planned tank (its lines of
// animals), how many inches of fish a tank of a given size can hold by the
// inches-per-gallon rule, how full the plan makes it, and the compatibility
// warnings a new line draws. Every quantity is an exact decimal: 55 gallons
// at 2.2 gallons per inch hold 25 inches, not 24.
#include "core/Services.h"
#include "tools/CompatibilityTables.h"

#include <QList>
#include <QString>
#include <QVector>
#include <compare>
#include <optional>

// An exact decimal number, held in millionths. Values are kept within
// ±1,000,000,000 so that no sum or product of them overflows.
class Decimal {
public:
    constexpr Decimal() = default;
    static constexpr qint64 kScale = 1000000;
    static constexpr qint64 kLimit = 1000000000LL * kScale;

    static Decimal fromInt(qint64 value);
    static Decimal fromMillionths(qint64 millionths);
    // The number the text begins with (leading blanks skipped, '.' as the
    // decimal point, an exponent allowed); 0 when it begins with none.
    // Digits past the sixth decimal are dropped and a number beyond the limit
    // is held at it; `exact`, when given, tells whether the number was read
    // without either.
    static Decimal leadingNumber(const QString& text, bool* exact = nullptr);

    qint64 millionths() const { return m_value; }
    // Rounded down to a whole number.
    qint64 floor() const;
    // Shortest decimal form: 55, 2.5, -0.25.
    QString toString() const;

    Decimal operator+(Decimal other) const { return fromMillionths(m_value + other.m_value); }
    Decimal operator-(Decimal other) const { return fromMillionths(m_value - other.m_value); }
    Decimal operator*(Decimal other) const;
    auto operator<=>(const Decimal&) const = default;

private:
    qint64 m_value = 0;
};

// One line of the planned tank: `count` animals of one species, each `size` inches long.
struct FantasyTankLine {
    int species = 0;   // animal number in the table of the plan's water type
    Decimal count;
    Decimal size;
    Decimal inches() const { return count * size; }
};

// What the tank can hold and how full the plan makes it.
struct Stocking {
    Decimal gallons;
    int factorTenths = 20;          // gallons per inch of fish, in tenths
    qint64 capacity = 0;            // inches of fish the tank can hold (never negative)
    Decimal percentFull;            // of the capacity, at most 125
    QString holdingText;            // "A 55 gallon saltwater tank, in ideal conditions, ..."
    QString percentText;            // " 37%"
};

inline constexpr int kStockingCap = 125;          // percent: the bar's end
inline constexpr int kDefaultTankGallons = 55;
inline constexpr int kMinTankGallons = 5;
inline constexpr int kMaxTankGallons = 250;

// Gallons per inch of fish, in tenths. Saltwater: 1.8 with wet/dry filtration
// (whatever the other box), else 2.2 for a taller tank, else 2. Freshwater:
// 1.5 for a taller tank, else 1.2 (wet/dry filtration does not count).
int stockingFactorTenths(WaterKind water, bool wetDry, bool taller);
// Capacity = whole part of gallons / factor; percent = inches / capacity × 100,
// capped at 125. A capacity of 0 (a tank of under one factor's gallons, or a
// refused size) holds nothing: no fish is 0 percent, any fish is full.
Stocking computeStocking(WaterKind water, Decimal gallons, bool wetDry, bool taller, Decimal inches);

// The planner's check of a typed tank size: the refusal's text, or nothing
// when the size is a number from 5 to 250 (250.0000001 is above it).
std::optional<QString> tankSizeRefusal(const QString& text);

// A message the planner shows, with the number of beeps before it.
struct PlannerMessage {
    Message message;
    int beeps = 1;
};

// The planned tank. Lines keep the order they were added in; any number of
// lines may be added.
class FantasyTankPlan {
public:
    explicit FantasyTankPlan(WaterKind water = WaterKind::Saltwater) : m_water(water) {}

    WaterKind water() const { return m_water; }
    const CompatibilityTable& table() const { return CompatibilityTable::forWater(m_water); }
    // Empties the plan for another water type.
    void startOver(WaterKind water);

    bool isEmpty() const { return m_lines.isEmpty(); }
    Decimal inches() const { return m_inches; }

    // The refusal of a count or size typed in the add-animal dialog, and the
    // field it belongs to: a count, then a size below 1; a count, then a size
    // that is itself the limit of a Decimal (a thousand million) or more; then
    // a size so large that one such animal, or a count so large that all of
    // them, would bring the plan's total inches to that limit. Nothing when
    // the line can be added.
    struct AdditionRefusal {
        enum Field { Count, Size };
        Field field;
        Message message;
    };
    std::optional<AdditionRefusal> additionRefusal(const QString& countText, const QString& sizeText) const;

    // Adds a line and returns the warnings it draws, in the order they are shown:
    // several of a kind that should be kept alone (saltwater), doubtful
    // tankmates, incompatible tankmates. A tankmate is named once for every
    // line it is on; the new animals meet their own kind only when there are
    // two or more of them. Warnings never stop the addition.
    QList<PlannerMessage> addLine(int species, Decimal count, Decimal size);
    // Removes line `index` (from 0); later lines move up. False when there is no such line.
    bool removeLine(int index);

    // "3 Angelfish - 2 in.": count, display name, size.
    QString lineText(int index) const;
    QStringList lineTexts() const;

private:
    WaterKind m_water;
    QVector<FantasyTankLine> m_lines;
    Decimal m_inches;
};

// The reminder the add-animal dialog shows when the size typed is over six inches.
Message sizeReminder();
bool sizeNeedsReminder(const QString& sizeText);
// The reminder the planner shows when it opens.
Message fantasyTankReminder();
