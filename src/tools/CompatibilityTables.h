#pragma once
// The two compatibility tables of the reference tools: 39 groups of saltwater
// animals and 50 freshwater species. Each animal has a name text, one letter
// for every animal of its table ("Y" should be compatible, "M" may have
// problems, "N" will probably have problems; letter j concerns animal j, the
// animal's own letter included), a typical size in inches and, for the
// saltwater groups, whether several of the group may share a tank.
// The tables are constant program data: nothing loads, stores or changes them.
#include "core/Services.h"

#include <QString>
#include <QStringList>

enum class WaterKind { Saltwater, Freshwater };

// The three lists the compatibility chart shows for one animal, each in table order.
struct CompatibilityLists {
    QStringList compatible;     // letter "Y"
    QStringList maybe;          // letter "M"
    QStringList incompatible;   // letter "N"
};

class CompatibilityTable {
public:
    static const CompatibilityTable& saltwater();
    static const CompatibilityTable& freshwater();
    static const CompatibilityTable& forWater(WaterKind water);

    // Animals are numbered from 1 to animalCount().
    int animalCount() const;

    // Column 1: the stored name text. Saltwater: the group's name padded with
    // blanks, then the size shown as "N in." ("Anemone-Clownfish         1 in.");
    // freshwater: the bare species name.
    QString nameText(int animal) const;
    // Column 2: the letter row. Saltwater: 39 letters and one blank; freshwater: 50 letters.
    QString letters(int animal) const;
    // The letter that `animal` has for `other` ('\0' outside the table).
    QChar letter(int animal, int other) const;
    // Column 3, saltwater only: "N" when keeping two or more of the group draws a warning.
    QString severalAllowed(int animal) const;
    // Column 4: the typical size in inches (not always the size the saltwater name shows).
    int typicalSize(int animal) const;

    // The name used in warnings and in the fantasy tank's lines: the name
    // text cut to 25 characters, then cut before its first pair of blanks.
    QString displayName(int animal) const;
    // The entry of the animal pick lists: saltwater, the name text as stored;
    // freshwater, the name, eight blanks, the size and " in.".
    QString pickListEntry(int animal) const;
    QStringList pickList() const;

    // Every animal of the table sorted by `animal`'s letter for it; the
    // entries are the stored name texts.
    CompatibilityLists listsFor(int animal) const;

private:
    explicit CompatibilityTable(WaterKind water) : m_water(water) {}
    bool holds(int animal) const { return animal >= 1 && animal <= animalCount(); }
    WaterKind m_water;
};

// The reminder the compatibility chart shows each time it opens.
Message compatibilityChartReminder();
// The chart's reminder for an animal that has no compatible tankmate.
Message aggressiveAnimalReminder();
