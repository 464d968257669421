#include "tools/CompatibilityTables.h"

#include <iterator>

namespace {

struct SaltRow {
    const char* name;
    const char* letters;
    const char* several;
    int size;
};

// Rows 1 to 39; each letter row ends with one blank.
constexpr SaltRow kSaltRows[] = {
    {"Anemone-Clownfish         1 in.", "YYYNYYYYYYNYYNYYYYYNYNNYYYNMYYNYNYYYYYY ", "Y", 1},
    {"Angelfish (Full size)     5 in.", "YMYYYYMYNYNYNNMYYYYYYYNYYYNNYYYYNYYMMNM ", "N", 5},
    {"Angelfish (Pigmy)         3 in.", "YYYYYYYYNYNYYNYYYYYYYYNYYYNNYYYYNYYYMMM ", "N", 1},
    {"Basses/Groupers           6 in.", "NYYYYNYYNYNNNNNNYNNYNYNYYYNNYYYYNYYMMMM ", "Y", 6},
    {"Batfish                   5 in.", "YYYYYYYYNYNYYNYYYNNYYYNYYYNNYYYYNYYYYYY ", "Y", 5},
    {"Blennies                  2 in.", "YYYNYYYYYNNYYNYYYYYNYNNYYYNMYYNYNYNYYYY ", "Y", 2},
    {"Boxfish/Trunkfish         2 in.", "YMYYYYYYYYNMYNYYYYYMYMNYYYNMYYYYNYMYNMN ", "Y", 2},
    {"Butterflies               4 in.", "YYYYYYYYYYNYYNYYYYYYYYNYYYNNYYYYNYYYNMN ", "Y", 4},
    {"Cardinalfish              2 in.", "YNNNNYYYYYNNYNYYNYYYYNNYYYNNNNYNNNNYYYY ", "Y", 1},
    {"Catfish (Marine)         2 in.", "YYYYYNYYYYNYYNNYYYNYNYNYYYNNYYNYNYYYYYY ", "Y", 2},
    {"Drums/High Hats          3 in.", "NNNNNNNNNNYNNNNNNNNNNNNNNNNNNNNNNNNNNNN ", "Y", 3},
    {"Damselfish               1 in.", "YYYNYYMYNYNYYNYYYYYNYNNYYYNNYMNYNYYYYYY ", "Y", 1},
    {"Filefish                 2 in.", "YYYNYYYYYYNYYNYYYYYNYNNYYYNNYNNNNYNYNNY ", "Y", 2},
    {"Fingerfish               2 in.", "NNNNNNNNNNNNNYNNNNNNNNNNNNNNNNNNNNNNNNN ", "Y", 2},
    {"Gobies                   1 in.", "YMYNYYYYYNNYYNYYNYYNYNNYYYNMYNNYNYYYYYY ", "Y", 1},
    {"Grammas/Dottybacks       2 in.", "YYYNYYYYYYNYYNYYYYMNYMNYYYNNYYYYNYMYYYY ", "N", 2},
    {"Grunts                   3 in.", "YYYYYYYYNYNYYNNYYYNYNYNYYYNNYYYYNYYYNNN ", "Y", 3},
    {"Hawkfish                 2 in.", "YYYNNYYYYYNYYNYYYYYYYNNYYYNNYNNYNYYYYYY ", "Y", 2},
    {"Jawfish                  2 in.", "YYYNNYYYYNNYYNYMNYYNYNNYYYNMYNNNNYYYYMY ", "Y", 2},
    {"Lionfish                 5 in.", "NYYYYNMYYYNNNNNNYYNYNYNYYYNNYYYYNYYYYNY ", "Y", 5},
    {"Mandarinfish             2 in.", "YYYNYYYYYNNYYNYYNYYNYNNYYNNMYNNNNNNNYYY ", "Y", 2},
    {"Moray eels               6 in.", "NYYYYNMYNYNNNNNMYNNYNYNYYYNNYYYYNYYYYNY ", "Y", 4},
    {"Pine-cone fish           4 in.", "NNNNNNNNNNNNNNNNNNNNNNYNNNNNNNNNNNNNNNN ", "N", 4},
    {"Porcupine fish           3 in.", "YYYYYYYYYYNYYNYYYYYYYYNYNYNNYYYYNYYYNNN ", "Y", 3},
    {"Puffers                  3 in.", "YYYYYYYYYYNYYNYYYYYYYYNNYYNNYYYYNYYYNMM ", "Y", 3},
    {"Rabbitfish               3 in.", "YYYYYYYYYYNYYNYYYYYYNYNYYYNNYYYYNYYYMMM ", "Y", 3},
    {"Razorfish                2 in.", "NNNNNNNNNNNNNNNNNNNNNNNNNNYNNNNNNNNNNNN ", "Y", 2},
    {"Seahorses/Pipefish       2 in.", "MNNNNMMNNNNNNNMNNNMNMNNNNNNYNNNNNNNNMMY ", "Y", 2},
    {"Surgeonfish/Tangs        3 in.", "YYYYYYYYNYNYYNYYYYYYYYNYYYNNYYYYNYYYYYY ", "N", 3},
    {"Squirrelfish             3 in.", "YYYYYYYYNYNNNNNYYNNYNYNYYYNNYYYYNYYYMMM ", "Y", 3},
    {"Stonefish/Frogfish       3 in.", "NYYYYNYYYNNNNNNYYNNYNYNYYYNNYYYYNYYYMMM ", "N", 3},
    {"Sweetlips                3 in.", "YYYYYYYYNYNYNNYYYYNYNYNYYYNNYYYYNYYYNNN ", "Y", 3},
    {"Tigerfish                3 in.", "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNYNNNNNN ", "Y", 3},
    {"Tobies/Moorish Idols     4 in.", "YYYYYYYYNYNYYNYYYYYYNYNYYYNNYYYYNYYYNNN ", "Y", 4},
    {"Triggerfish              4 in.", "YYYYYNMYNYNYNNYMYYYYNYNYYYNNYYYYNYYYMNN ", "N", 4},
    {"Wrasses                  3 in.", "YMYMYYYYYYNYYNYYYYYYNYNYYYNNYYYYNYYYYYY ", "N", 3},
    {"Inverts - Anemones       2 in.", "YMMMYYNNYYNYNNYYNYYYYYNNNMNMYMMNNNMYYYY ", "Y", 2},
    {"Inverts - Shrimp         1 in.", "YNMMYYMMYYNYNNYYNYMNYNNNMMNMYMMNNNNYYYY ", "Y", 1},
    {"Inverts - Corals         2 in.", "YMMMYYNNYYNYYNYYNYYYYYNNMMNYYMMNNNNYYYY ", "Y", 2},
};

// Every freshwater letter row is one of three patterns. Letter j depends only
// on the row's pattern and on the pattern of species j: A gives "M" to A and B
// and "N" to C; B gives "N" to A and "M" to B and C; C gives "N" to A, "M" to B
// and "Y" to C.
constexpr const char* kPatternA = "MMMNNMMNNNMNNMMNMMNNNNNNNMMNMNMMMNMNNMNMMMNMMMNNNN";
constexpr const char* kPatternB = "NMNMMMMMMMMMMMNMNNMMMMMMMNMMNMNNMMNMMNMMMMMNMMMMMM";
constexpr const char* kPatternC = "NMNYYMMYYYMYYMNYNNYYYYYYYNMYNYNNMYNYYNYMMMYNMMYYYY";

struct FreshRow {
    const char* name;
    const char* letters;
    const char* size;
};

// Rows 1 to 50.
constexpr FreshRow kFreshRows[] = {
    {"African Lungfish", kPatternA, "3"},
    {"Angelfish", kPatternB, "2"},
    {"Archerfish", kPatternA, "3"},
    {"Banjo Catfish", kPatternC, "2"},
    {"Blind Cave Fish", kPatternC, "2"},
    {"BumbleBee Gobys", kPatternB, "1"},
    {"Butterfly Fish", kPatternB, "3"},
    {"Cardinal Tetras", kPatternC, "1"},
    {"Characins", kPatternC, "2"},
    {"Cherry Barbs", kPatternC, "1"},
    {"Clown Loachs", kPatternB, "4"},
    {"Cory Catfish", kPatternC, "2"},
    {"Discus", kPatternC, "4"},
    {"Dwarf Gouramis", kPatternB, "1"},
    {"Elongate Cichlids", kPatternA, "2"},
    {"Emperor Tetras", kPatternC, "1"},
    {"Fighting Fish", kPatternA, "2"},
    {"Firemouth Chiclids", kPatternA, "3"},
    {"Giant Danios", kPatternC, "4"},
    {"Glass Catfish", kPatternC, "2"},
    {"Glassfish", kPatternC, "1"},
    {"Goldfish", kPatternC, "3"},
    {"Guppies", kPatternC, "1"},
    {"Harlequin Rasboras", kPatternC, "1"},
    {"Hatchetfish", kPatternC, "1"},
    {"Jack Dempseys", kPatternA, "4"},
    {"Kribs", kPatternB, "1"},
    {"Kuhlii Loaches", kPatternC, "2"},
    {"Leaf Fish", kPatternA, "2"},
    {"Mollies", kPatternC, "2"},
    {"Oscars", kPatternA, "5"},
    {"Peacock Chiclids", kPatternA, "4"},
    {"Pearl Gouramis", kPatternB, "3"},
    {"Pencil Fish", kPatternC, "1"},
    {"Piranhas", kPatternA, "4"},
    {"Platys", kPatternC, "2"},
    {"Plecostomus", kPatternC, "3"},
    {"Pufferfish", kPatternA, "3"},
    {"Rainbowfish", kPatternC, "2"},
    {"Red Tailed Sharks", kPatternB, "3"},
    {"Rosy Barbs", kPatternB, "2"},
    {"Scats", kPatternB, "4"},
    {"Serpae Tetras", kPatternC, "1"},
    {"Snakeheads", kPatternA, "4"},
    {"Spiny Eels", kPatternB, "3"},
    {"Suckers (Otocinclus)", kPatternB, "1"},
    {"Swordtails", kPatternC, "2"},
    {"Tiger Barbs", kPatternC, "1"},
    {"White Cloud Minnows", kPatternC, "1"},
    {"Zebra Danios", kPatternC, "1"},
};

constexpr int kSaltCount = int(std::size(kSaltRows));
constexpr int kFreshCount = int(std::size(kFreshRows));

} // namespace

const CompatibilityTable& CompatibilityTable::saltwater()
{
    static const CompatibilityTable table(WaterKind::Saltwater);
    return table;
}

const CompatibilityTable& CompatibilityTable::freshwater()
{
    static const CompatibilityTable table(WaterKind::Freshwater);
    return table;
}

const CompatibilityTable& CompatibilityTable::forWater(WaterKind water)
{
    return water == WaterKind::Saltwater ? saltwater() : freshwater();
}

int CompatibilityTable::animalCount() const
{
    return m_water == WaterKind::Saltwater ? kSaltCount : kFreshCount;
}

QString CompatibilityTable::nameText(int animal) const
{
    if (!holds(animal))
        return QString();
    return QString::fromLatin1(m_water == WaterKind::Saltwater ? kSaltRows[animal - 1].name
                                                                : kFreshRows[animal - 1].name);
}

QString CompatibilityTable::letters(int animal) const
{
    if (!holds(animal))
        return QString();
    return QString::fromLatin1(m_water == WaterKind::Saltwater ? kSaltRows[animal - 1].letters
                                                                : kFreshRows[animal - 1].letters);
}

QChar CompatibilityTable::letter(int animal, int other) const
{
    if (!holds(animal) || !holds(other))
        return QChar();
    return letters(animal).at(other - 1);
}

QString CompatibilityTable::severalAllowed(int animal) const
{
    if (!holds(animal) || m_water != WaterKind::Saltwater)
        return QString();
    return QString::fromLatin1(kSaltRows[animal - 1].several);
}

int CompatibilityTable::typicalSize(int animal) const
{
    if (!holds(animal))
        return 0;
    if (m_water == WaterKind::Saltwater)
        return kSaltRows[animal - 1].size;
    return QString::fromLatin1(kFreshRows[animal - 1].size).toInt();
}

QString CompatibilityTable::displayName(int animal) const
{
    QString name = nameText(animal).left(25);
    const int pair = int(name.indexOf(QStringLiteral("  ")));
    if (pair >= 0)
        name.truncate(pair);
    return name;
}

QString CompatibilityTable::pickListEntry(int animal) const
{
    if (m_water == WaterKind::Saltwater)
        return nameText(animal);
    if (!holds(animal))
        return QString();
    return nameText(animal) + QString(8, QLatin1Char(' ')) + QString::fromLatin1(kFreshRows[animal - 1].size)
        + QStringLiteral(" in.");
}

QStringList CompatibilityTable::pickList() const
{
    QStringList out;
    for (int i = 1; i <= animalCount(); ++i)
        out << pickListEntry(i);
    return out;
}

CompatibilityLists CompatibilityTable::listsFor(int animal) const
{
    CompatibilityLists lists;
    if (!holds(animal))
        return lists;
    for (int j = 1; j <= animalCount(); ++j) {
        const QChar l = letter(animal, j);
        if (l == QLatin1Char('Y'))
            lists.compatible << nameText(j);
        else if (l == QLatin1Char('M'))
            lists.maybe << nameText(j);
        else if (l == QLatin1Char('N'))
            lists.incompatible << nameText(j);
    }
    return lists;
}

Message compatibilityChartReminder()
{
    Message m;
    m.title = QStringLiteral("Please NOTE!");
    m.icon = MsgIcon::Exclamation;
    m.text = QStringLiteral("REMINDER: This program is only a tool to allow you to experiment"
                            " with a few POSSIBLE stocking and animal combinations. No program"
                            " could ever guarantee complete compatibility. Numerous factors"
                            " such as an animal's size, age, condition, and personality will"
                            " have great effects on compatibility. For this reason, remember"
                            " the rule: \"Never take ANY fish advice as gospel, EVEN FROM THIS"
                            " PROGRAM!\" ALWAYS consult with an EXPERIENCED DEALER or veterinarian"
                            " before putting ANY animals together, compatible or not!");
    return m;
}

Message aggressiveAnimalReminder()
{
    Message m;
    m.title = QStringLiteral("Agressive Animal Reminder");
    m.icon = MsgIcon::Exclamation;
    m.text = QStringLiteral("Note: The animal you've selected is generally considered \"Agressive\" or "
                            "\"Semi-Agressive\". "
                            " Compatability with any of the other animals listed here will vary considerably"
                            " based on the animal's size and age, tank size, stocking ratio and other factors."
                            " Placing it with any other fish should be done with GREAT CAUTION. "
                            "\r"
                            "  ALWAYS consult with an EXPERIENCED DEALER or veterinarian"
                            " before putting ANY animals together, compatible or not!");
    return m;
}
