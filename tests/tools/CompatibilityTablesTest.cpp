// The compatibility tables as tabled, and the chart's three lists for one animal.
#include "tools/CompatibilityTables.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

const CompatibilityTable& salt() { return CompatibilityTable::saltwater(); }
const CompatibilityTable& fresh() { return CompatibilityTable::freshwater(); }

// The animal whose display name is `name` (0 when there is none).
int animalNamed(const CompatibilityTable& table, const QString& name)
{
    for (int i = 1; i <= table.animalCount(); ++i)
        if (table.displayName(i) == name)
            return i;
    return 0;
}

} // namespace

TEST(CompatibilityTables, RowsAndLetterRowsHaveTheirTabledLengths)
{
    ASSERT_EQ(salt().animalCount(), 39);
    ASSERT_EQ(fresh().animalCount(), 50);
    for (int i = 1; i <= 39; ++i) {
        SCOPED_TRACE(i);
        const QString letters = salt().letters(i);
        ASSERT_EQ(letters.size(), 40);
        EXPECT_EQ(letters.at(39), QLatin1Char(' '));
        EXPECT_EQ(letters.left(39).count(QLatin1Char('Y')) + letters.left(39).count(QLatin1Char('M'))
                      + letters.left(39).count(QLatin1Char('N')),
                  39);
        EXPECT_EQ(salt().nameText(i).size(), i <= 9 ? 31 : 30);
        EXPECT_TRUE(salt().nameText(i).endsWith(QStringLiteral(" in.")));
        EXPECT_TRUE(salt().severalAllowed(i) == QLatin1String("Y") || salt().severalAllowed(i) == QLatin1String("N"));
    }
    for (int i = 1; i <= 50; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fresh().letters(i).size(), 50);
        const int size = fresh().typicalSize(i);
        EXPECT_GE(size, 1);
        EXPECT_LE(size, 5);
    }
}

TEST(CompatibilityTables, EverySaltwaterGroupIsCompatibleWithItselfButFullSizeAngelfish)
{
    for (int i = 1; i <= 39; ++i) {
        SCOPED_TRACE(salt().displayName(i).toStdString());
        EXPECT_EQ(salt().letter(i, i), QLatin1Char(i == 2 ? 'M' : 'Y'));
    }
    EXPECT_EQ(salt().displayName(2), QStringLiteral("Angelfish (Full size)"));
}

TEST(CompatibilityTables, FiveSaltwaterGroupsGetOnOnlyWithThemselves)
{
    std::set<int> onlySelf;
    for (int i = 1; i <= 39; ++i) {
        int yes = 0;
        for (int j = 1; j <= 39; ++j)
            yes += salt().letter(i, j) == QLatin1Char('Y') ? 1 : 0;
        if (yes == 1 && salt().letter(i, i) == QLatin1Char('Y'))
            onlySelf.insert(i);
    }
    EXPECT_EQ(onlySelf, (std::set<int>{11, 14, 23, 27, 33}));
    EXPECT_EQ(salt().displayName(11), QStringLiteral("Drums/High Hats"));
    EXPECT_EQ(salt().displayName(33), QStringLiteral("Tigerfish"));
}

TEST(CompatibilityTables, TwoSaltwaterPairsDifferByDirectionAsTabled)
{
    std::set<std::pair<int, int>> differing;
    for (int i = 1; i <= 39; ++i)
        for (int j = i + 1; j <= 39; ++j)
            if (salt().letter(i, j) != salt().letter(j, i))
                differing.insert({i, j});
    EXPECT_EQ(differing, (std::set<std::pair<int, int>>{{2, 13}, {12, 30}}));
    // Full-size angelfish will probably have problems with filefish, not the other way round.
    EXPECT_EQ(salt().letter(2, 13), QLatin1Char('N'));
    EXPECT_EQ(salt().letter(13, 2), QLatin1Char('Y'));
    // Damselfish may have problems with squirrelfish; squirrelfish will with damselfish.
    EXPECT_EQ(salt().letter(12, 30), QLatin1Char('M'));
    EXPECT_EQ(salt().letter(30, 12), QLatin1Char('N'));
}

TEST(CompatibilityTables, FreshwaterLettersFollowTheThreePatterns)
{
    // The pattern of a species is read from its letter for a species of each
    // pattern: A gives M to A, B gives N to A, C gives N to A and Y to C.
    const int oscars = animalNamed(fresh(), "Oscars");          // pattern A
    const int angelfish = animalNamed(fresh(), "Angelfish");    // pattern B
    const int cardinals = animalNamed(fresh(), "Cardinal Tetras");   // pattern C
    ASSERT_TRUE(oscars && angelfish && cardinals);
    auto patternOf = [&](int i) {
        if (fresh().letter(i, oscars) == QLatin1Char('M'))
            return 'A';
        return fresh().letter(i, cardinals) == QLatin1Char('Y') ? 'C' : 'B';
    };
    const QString rule[3] = {"MMN", "NMM", "NMY"};   // row pattern -> letter for A, B, C
    QMap<char, int> rows;
    for (int i = 1; i <= 50; ++i) {
        const char row = patternOf(i);
        ++rows[row];
        for (int j = 1; j <= 50; ++j) {
            SCOPED_TRACE(QStringLiteral("%1 for %2").arg(fresh().nameText(i), fresh().nameText(j)).toStdString());
            EXPECT_EQ(fresh().letter(i, j), rule[row - 'A'].at(patternOf(j) - 'A'));
        }
    }
    EXPECT_EQ(rows.value('A'), 12);
    EXPECT_EQ(rows.value('B'), 12);
    EXPECT_EQ(rows.value('C'), 26);
}

TEST(CompatibilityTables, TypicalSizesAndFlagsReadAsTabled)
{
    // Typical sizes that differ from the size the name shows.
    EXPECT_EQ(salt().typicalSize(3), 1);
    EXPECT_TRUE(salt().nameText(3).endsWith(QStringLiteral("3 in.")));
    EXPECT_EQ(salt().typicalSize(9), 1);
    EXPECT_EQ(salt().typicalSize(22), 4);
    EXPECT_TRUE(salt().nameText(22).endsWith(QStringLiteral("6 in.")));
    EXPECT_EQ(salt().severalAllowed(23), QStringLiteral("N"));
    EXPECT_EQ(fresh().nameText(31), QStringLiteral("Oscars"));
    EXPECT_EQ(fresh().typicalSize(31), 5);
    // Nothing outside the tables.
    EXPECT_EQ(salt().typicalSize(40), 0);
    EXPECT_TRUE(salt().nameText(40).isEmpty());
    EXPECT_TRUE(fresh().severalAllowed(31).isEmpty());
}

TEST(CompatibilityTables, DisplayNamesAndPickListEntries)
{
    struct Case {
        const CompatibilityTable& table;
        int animal;
        const char* display;
        const char* entry;
    };
    const Case cases[] = {
        {salt(), 1, "Anemone-Clownfish", "Anemone-Clownfish         1 in."},
        {salt(), 10, "Catfish (Marine)", "Catfish (Marine)         2 in."},
        {salt(), 39, "Inverts - Corals", "Inverts - Corals         2 in."},
        {fresh(), 31, "Oscars", "Oscars        5 in."},
        {fresh(), 46, "Suckers (Otocinclus)", "Suckers (Otocinclus)        1 in."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(c.table.displayName(c.animal), QString::fromLatin1(c.display));
        EXPECT_EQ(c.table.pickListEntry(c.animal), QString::fromLatin1(c.entry));
    }
    EXPECT_EQ(salt().pickList().size(), 39);
    EXPECT_EQ(fresh().pickList().size(), 50);
}

TEST(CompatibilityChartLists, FullSizeAngelfishMayHaveProblemsWithItself)
{
    const CompatibilityLists lists = salt().listsFor(2);
    EXPECT_TRUE(lists.maybe.contains(QStringLiteral("Angelfish (Full size)     5 in.")));
    EXPECT_FALSE(lists.compatible.contains(QStringLiteral("Angelfish (Full size)     5 in.")));
    EXPECT_EQ(lists.maybe.first(), QStringLiteral("Angelfish (Full size)     5 in."));
    EXPECT_EQ(lists.compatible.size() + lists.maybe.size() + lists.incompatible.size(), 39);
    EXPECT_EQ(lists.maybe.size(), 6);
    EXPECT_EQ(lists.incompatible.size(), 9);
}

TEST(CompatibilityChartLists, DrumsGetOnOnlyWithThemselves)
{
    const CompatibilityLists lists = salt().listsFor(11);
    EXPECT_EQ(lists.compatible, QStringList{"Drums/High Hats          3 in."});
    EXPECT_TRUE(lists.maybe.isEmpty());
    EXPECT_EQ(lists.incompatible.size(), 38);
    EXPECT_EQ(lists.incompatible.first(), QStringLiteral("Anemone-Clownfish         1 in."));
    EXPECT_EQ(lists.incompatible.last(), QStringLiteral("Inverts - Corals         2 in."));
}

TEST(CompatibilityChartLists, OscarsHaveNoCompatibleTankmate)
{
    const CompatibilityLists lists = fresh().listsFor(31);
    EXPECT_TRUE(lists.compatible.isEmpty());
    EXPECT_EQ(lists.maybe.size(), 24);          // every species of patterns A and B
    EXPECT_EQ(lists.incompatible.size(), 26);   // every species of pattern C
    EXPECT_TRUE(lists.maybe.contains(QStringLiteral("Oscars")));
    EXPECT_EQ(lists.incompatible.first(), QStringLiteral("Banjo Catfish"));
}

TEST(CompatibilityChartLists, CardinalTetrasListTheLastRowsToo)
{
    const CompatibilityLists lists = fresh().listsFor(8);
    EXPECT_EQ(lists.compatible.size(), 26);
    EXPECT_EQ(lists.maybe.size(), 12);
    EXPECT_EQ(lists.incompatible.size(), 12);
    EXPECT_TRUE(lists.compatible.contains(QStringLiteral("Cardinal Tetras")));
    EXPECT_EQ(lists.compatible.last(), QStringLiteral("Zebra Danios"));
    EXPECT_EQ(lists.incompatible.last(), QStringLiteral("Snakeheads"));
    EXPECT_EQ(lists.maybe.last(), QStringLiteral("Suckers (Otocinclus)"));
    // Table order, not sorted.
    EXPECT_EQ(lists.incompatible.first(), QStringLiteral("African Lungfish"));
}
