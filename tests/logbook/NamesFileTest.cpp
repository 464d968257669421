// The names file format: line rules, display names, encodings, load progress
// and the shipped default files.
#include "logbook/NamesFile.h"
#include "support/TestEnv.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString pad(const QString& common, const QString& latin)
{
    return common.leftJustified(49, QLatin1Char(' ')) + latin;
}


struct LineCase {
    const char* label;
    QString line;
    bool taken;
    QString display;
    QString latin;
};

} // namespace

TEST(NamesFileLine, LineRules)
{
    const QString fifty = QString(49, QLatin1Char('x')) + QLatin1Char('y');
    const LineCase cases[] = {
        {"empty line", QString(), false, {}, {}},
        {"exactly 50 characters", fifty, false, {}, {}},
        {"51 characters", fifty + QLatin1Char('z'), true, QString(49, QLatin1Char('x')), "yz"},
        {"comment, however long", QStringLiteral("!") + pad("Yellow Tang", "Zebrasoma flavescens"),
         false, {}, {}},
        {"leading blank is not a comment", pad("  Goldfish", "Carassius auratus"), true,
         "Goldfish", "Carassius auratus"},
        {"two words", pad("Yellow Tang", "Zebrasoma flavescens"), true, "Tang - Yellow ",
         "Zebrasoma flavescens"},
        {"three words split at the last blank", pad("Blue Spotted Stingray", "Taeniura lymma"), true,
         "Stingray - Blue Spotted ", "Taeniura lymma"},
        {"carriage return ignored", pad("Yellow Tang", "Zebrasoma flavescens") + QLatin1Char('\r'),
         true, "Tang - Yellow ", "Zebrasoma flavescens"},
        {"50 characters plus a carriage return", fifty + QLatin1Char('\r'), false, {}, {}},
        {"blank common name", QString(49, QLatin1Char(' ')) + "Genus species", true, "",
         "Genus species"},
        {"latin name trimmed", pad("Goldfish", "  Carassius auratus   "), true, "Goldfish",
         "Carassius auratus"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.label);
        const auto entry = parseNamesLine(c.line);
        ASSERT_EQ(entry.has_value(), c.taken);
        if (entry) {
            EXPECT_EQ(entry->display, c.display);
            EXPECT_EQ(entry->latin, c.latin);
        }
    }
}

TEST(NamesFileText, MixedLineEndsAndComments)
{
    const QString text = QStringLiteral("! header\r\n") + pad("Yellow Tang", "Zebrasoma flavescens")
                         + "\r\n" + pad("Goldfish", "Carassius auratus") + "\n"
                         + pad("Neon Tetra", "Paracheirodon innesi") + "\r" + "short line\r\n";
    const QVector<NameEntry> names = parseNamesText(text);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names[0].display, "Tang - Yellow ");
    EXPECT_EQ(names[1].display, "Goldfish");
    EXPECT_EQ(names[2].latin, "Paracheirodon innesi");
}

TEST(NamesFileText, Utf8AndLatin1ReadAlike)
{
    const QString line = pad(QString::fromUtf8("Pl\u00e9co Commun"), "Hypostomus plecostomus");
    const QByteArray utf8 = QByteArray("\xEF\xBB\xBF") + line.toUtf8() + "\r\n";
    const QByteArray latin1 = line.toLatin1() + "\r\n";
    for (const QByteArray& bytes : {utf8, latin1}) {
        const QVector<NameEntry> names = parseNamesText(decodeNamesFileText(bytes));
        ASSERT_EQ(names.size(), 1);
        EXPECT_EQ(names[0].display, QString::fromUtf8("Commun - Pl\u00e9co "));
        EXPECT_EQ(names[0].latin, "Hypostomus plecostomus");
    }
}

TEST(NamesLoadProgressTest, DotEveryTwentyNamesAndResetEveryTwoThousand)
{
    NamesLoadProgress p;
    QStringList texts;
    for (int i = 0; i < 2000; ++i)
        texts << p.addName();
    EXPECT_EQ(texts[18], "Loading.");       // 19 names
    EXPECT_EQ(texts[19], "Loading..");      // 20 names
    EXPECT_EQ(texts[1998].size(), 8 + 99);  // 1999 names
    EXPECT_EQ(texts[1999], "Loading..");    // 2000 names: back to "Loading." and its dot
    EXPECT_EQ(p.doneText(), "2000 names loaded.");
}

TEST(NamesFileInstall, CopiesOnlyMissingFiles)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("NamesSW.txt"), "! my own list\r\n");

    EXPECT_TRUE(installDefaultNameFiles(dir.path()));

    QFile own(dir.filePath("NamesSW.txt"));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), QByteArray("! my own list\r\n"));
    const QString fresh = findNamesFile(dir.path(), kFreshNamesFile);
    ASSERT_FALSE(fresh.isEmpty());
    EXPECT_TRUE(QFileInfo(fresh).isWritable());

    // Installing again changes nothing.
    EXPECT_TRUE(installDefaultNameFiles(dir.path()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

// The shipped lists: enough animals, every line in its columns, each common
// name once, every Latin name a binomial.
TEST(NamesFileInstall, ShippedListsAreWellFormed)
{
    const QRegularExpression binomial(QStringLiteral("^[A-Z][a-z]+ [a-z]+$"));
    for (const QString& name : {kSaltNamesFile, kFreshNamesFile}) {
        SCOPED_TRACE(name.toStdString());
        QFile f(QStringLiteral(":/names/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = decodeNamesFileText(f.readAll());
        int comments = 0;
        for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1Char('!'))) {
                ++comments;
                continue;
            }
            EXPECT_GE(line.size(), 51) << line.toStdString();
            EXPECT_NE(line.at(49), QLatin1Char(' ')) << line.toStdString();
        }
        EXPECT_GE(comments, 1);
        const QVector<NameEntry> names = parseNamesText(text);
        EXPECT_GE(names.size(), 150);
        QSet<QString> commons;
        for (const NameEntry& e : names) {
            EXPECT_TRUE(binomial.match(e.latin).hasMatch()) << e.latin.toStdString();
            EXPECT_FALSE(e.common.isEmpty());
            EXPECT_FALSE(commons.contains(e.common.toLower())) << e.common.toStdString();
            commons.insert(e.common.toLower());
        }
    }
}

// A new database gets the shipped names in its reference list once, typed by
// their file, beside the seed names it already holds.
TEST(NamesFileInstall, ShippedNamesJoinTheReferenceListOnce)
{
    TestEnv env;
    QSqlDatabase db = env.ctx->db();
    auto count = [&](const QString& name, const QString& type) {
        QSqlQuery q(db);
        q.prepare("SELECT COUNT(*) FROM animallist WHERE animalname = ? AND AnimalType = ?");
        q.addBindValue(name);
        q.addBindValue(type);
        q.exec();
        q.next();
        return q.value(0).toInt();
    };
    const int added = addShippedNamesToAnimalList(db);
    EXPECT_GT(added, 300);
    EXPECT_EQ(count("Tang - Yellow ", "2"), 1);
    EXPECT_EQ(count("Tetra - Neon ", "1"), 1);
    EXPECT_EQ(count("Goldfish", "1"), 1);   // a seed name already there stays single
    EXPECT_EQ(addShippedNamesToAnimalList(db), 0);
}

// Columns count whole characters: a character outside the Basic Multilingual
// Plane (two UTF-16 units) is one column, and never split between the names.
TEST(NamesFileLine, CharactersOutsideTheBasicPlaneAreWholeColumns)
{
    const QString fish = QString::fromUtf8("\xF0\x9F\x90\x9F");   // U+1F41F, two UTF-16 units
    ASSERT_EQ(fish.size(), 2);

    // The 49th character is the fish: it ends the common name.
    const auto atColumn49 = parseNamesLine(QString(48, QLatin1Char('a')) + fish + "Genus species");
    ASSERT_TRUE(atColumn49.has_value());
    EXPECT_EQ(atColumn49->common, QString(48, QLatin1Char('a')) + fish);
    EXPECT_EQ(atColumn49->latin, "Genus species");

    // The 50th character is the fish: it starts the Latin name.
    const auto atColumn50 = parseNamesLine(QString(49, QLatin1Char('b')) + fish + "x");
    ASSERT_TRUE(atColumn50.has_value());
    EXPECT_EQ(atColumn50->latin, fish + "x");

    // Fifty characters, one of them the fish, are too short for a name even
    // though they take 51 UTF-16 units.
    EXPECT_FALSE(parseNamesLine(fish + QString(49, QLatin1Char('c'))).has_value());
    // Fifty-one characters with the fish make a name.
    const auto shortest = parseNamesLine(fish + QString(50, QLatin1Char('c')));
    ASSERT_TRUE(shortest.has_value());
    EXPECT_EQ(shortest->latin, "cc");
}

// A file of blank CRLF lines is read in one pass: 16 MB of them hold no name,
// and the name after them is found.
TEST(NamesFileText, LongRunOfBlankCrLfLines)
{
    QString text;
    const qsizetype blankLines = 8 * 1024 * 1024;   // 16 MB of "\r\n"
    text.reserve(blankLines * 2 + 80);
    for (qsizetype i = 0; i < blankLines; ++i)
        text += QStringLiteral("\r\n");
    text += pad("Yellow Tang", "Zebrasoma flavescens") + "\r\n\r\r\n";
    const QVector<NameEntry> names = parseNamesText(text);
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(names[0].display, "Tang - Yellow ");
    EXPECT_EQ(names[0].latin, "Zebrasoma flavescens");
}

// A names file saved as UTF-8 (with or without a byte order mark) or as
// Latin-1, with CRLF line ends, gives the same names, accents in their columns.
TEST(NamesFileRead, EncodingsAndLineEnds)
{
    const QStringList lines = {
        QStringLiteral("! comment \u00e0 la ligne"),
        pad(QString::fromUtf8("Pl\u00e9co Commun"), "Hypostomus plecostomus"),
        pad(QString::fromUtf8("Barbu de Sumatra"), QString::fromUtf8("Puntigrus tetrazona \u00e9t\u00e9")),
    };
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const struct {
        const char* label;
        QByteArray bytes;
    } files[] = {
        {"UTF-8 with byte order mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"UTF-8", text.toUtf8()},
        {"Latin-1", text.toLatin1()},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.label);
        QTemporaryDir dir;
        writeFile(dir.filePath("NAMESFW.TXT"), f.bytes);
        QVector<NameEntry> names;
        const NamesFileResult result =
            readNamesFile(dir.path(), kFreshNamesFile, [&](const NameEntry& e) { names.append(e); });
        ASSERT_EQ(result.status, NamesFileResult::Loaded);
        ASSERT_EQ(result.count, 2);
        ASSERT_EQ(names.size(), 2);
        EXPECT_EQ(names[0].display, QString::fromUtf8("Commun - Pl\u00e9co "));
        EXPECT_EQ(names[0].latin, "Hypostomus plecostomus");
        EXPECT_EQ(names[1].display, "Sumatra - Barbu de ");
        EXPECT_EQ(names[1].latin, QString::fromUtf8("Puntigrus tetrazona \u00e9t\u00e9"));
    }
}

TEST(NamesFileRead, MissingFile)
{
    QTemporaryDir dir;
    int calls = 0;
    auto count = [&](const NameEntry&) { ++calls; };
    EXPECT_EQ(readNamesFile(dir.path(), kSaltNamesFile, count).status, NamesFileResult::Missing);
    // A folder of that name is no file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(kSaltNamesFile));
    EXPECT_EQ(readNamesFile(dir.path(), kSaltNamesFile, count).status, NamesFileResult::Missing);
    EXPECT_EQ(calls, 0);
}
