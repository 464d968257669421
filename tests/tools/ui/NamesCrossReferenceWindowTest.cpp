// The common and Latin names cross-reference: the lists read from the names
// files, the status texts, header sorting, the missing-file messages and how
// the window opens from the main window.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/ui/HelpWindow.h"
#include "logbook/NamesFile.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "support/TestEnv.h"
#include "tools/ui/NamesCrossReferenceWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

QString line(const QString& common, const QString& latin)
{
    return common.leftJustified(49, QLatin1Char(' ')) + latin;
}

void writeNames(const QString& path, const QStringList& lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    f.write((lines.join("\r\n") + "\r\n").toLatin1());
}

// A shell that records what File > Print was set to.
class RecordingShell : public IShell {
public:
    int claims = 0;
    bool enabled = true;
    QString caption;
    void claimFilePrint(bool e, const QString& c) override
    {
        ++claims;
        enabled = e;
        caption = c;
    }
    void setFilePrintEnabled(bool e) override { enabled = e; }
};

const QStringList kSaltLines = {
    "! saltwater test list",
    line("Yellow Tang", "Zebrasoma flavescens"),
    line("Flame Angelfish", "Centropyge loricula"),
    "!" + line("Hidden Comment", "Nomen nescio"),
    line("Watchman Goby", "Cryptocentrus cinctus"),
    QString(50, QLatin1Char('x')),   // too short for a name
    line("Blue Tang", "Paracanthurus hepatus"),
};

const QStringList kFreshLines = {
    line("Goldfish", "Carassius auratus"),
    line("Neon Tetra", "Paracheirodon innesi"),
};

struct NamesWindow {
    TestEnv env;
    RecordingShell shell;
    std::unique_ptr<NamesCrossReferenceWindow> window;

    NamesWindow(const std::optional<QStringList>& salt, const std::optional<QStringList>& fresh)
    {
        for (const QString& name : QDir(env.dir.path()).entryList({"names*.txt"}, QDir::Files))
            QFile::remove(env.path(name));
        if (salt)
            writeNames(env.path("namessw.txt"), *salt);
        if (fresh)
            writeNames(env.path("NAMESFW.TXT"), *fresh);
        window = std::make_unique<NamesCrossReferenceWindow>(*env.ctx, &shell);
        window->resize(600, 400);
        window->show();
    }
    QTreeView* list() const { return child<QTreeView>(window.get(), "namesList"); }
    QString status() const { return child<QLabel>(window.get(), "statusPanel")->text(); }
    QStringList columnTexts(int column) const
    {
        QStringList out;
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, column).data().toString();
        return out;
    }
    QString selectedCommonName() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedRows(0);
        return rows.size() == 1 ? rows.first().data().toString() : QString();
    }
    void clickHeader(int column)
    {
        QHeaderView* header = list()->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST(NamesCrossReferenceWindowTest, OpensOnTheSaltwaterListSortedByCommonName)
{
    NamesWindow w(kSaltLines, kFreshLines);
    EXPECT_EQ(w.window->windowTitle(), "Common and Latin Names Reference");
    EXPECT_TRUE(child<QRadioButton>(w.window.get(), "saltOption")->isChecked());
    EXPECT_EQ(child<QRadioButton>(w.window.get(), "saltOption")->text(), "Saltwater and Reef");
    EXPECT_EQ(w.columnTexts(0),
              QStringList({"Angelfish - Flame ", "Goby - Watchman ", "Tang - Blue ", "Tang - Yellow "}));
    EXPECT_EQ(w.columnTexts(1), QStringList({"Centropyge loricula", "Cryptocentrus cinctus",
                                             "Paracanthurus hepatus", "Zebrasoma flavescens"}));
    EXPECT_EQ(w.list()->model()->headerData(0, Qt::Horizontal).toString(), "Common Name");
    EXPECT_EQ(w.list()->model()->headerData(1, Qt::Horizontal).toString(), "Latin Name");
    EXPECT_EQ(w.status(), "4 names loaded.");
    EXPECT_EQ(w.selectedCommonName(), "Angelfish - Flame ");
    EXPECT_TRUE(w.env.messages.shown.isEmpty());
}

TEST(NamesCrossReferenceWindowTest, SwitchingWaterTypeReadsTheOtherFile)
{
    NamesWindow w(kSaltLines, kFreshLines);
    QTest::mouseClick(child<QRadioButton>(w.window.get(), "freshwaterOption"), Qt::LeftButton);
    EXPECT_EQ(w.columnTexts(0), QStringList({"Goldfish", "Tetra - Neon "}));
    EXPECT_EQ(w.status(), "2 names loaded.");
    EXPECT_EQ(w.selectedCommonName(), "Goldfish");

    // The file is read again at every switch: a name added meanwhile shows.
    writeNames(w.env.path("namessw.txt"), QStringList(kSaltLines) << line("Clown Fish", "Amphiprion ocellaris"));
    QTest::mouseClick(child<QRadioButton>(w.window.get(), "saltOption"), Qt::LeftButton);
    EXPECT_EQ(w.status(), "5 names loaded.");
    EXPECT_EQ(w.columnTexts(0).first(), "Angelfish - Flame ");
    EXPECT_TRUE(w.columnTexts(0).contains("Fish - Clown "));
}

TEST(NamesCrossReferenceWindowTest, StatusTexts)
{
    const struct {
        const char* label;
        QStringList lines;
        const char* status;
        int rows;
    } cases[] = {
        {"only comments", {"! one", "! two", "!" + line("Long Comment", "Latin name")}, "0 names loaded.", 0},
        {"one name keeps the plural", {line("Goldfish", "Carassius auratus")}, "1 names loaded.", 1},
        {"empty file", {}, "0 names loaded.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        NamesWindow w(c.lines, kFreshLines);
        EXPECT_EQ(w.status(), c.status);
        EXPECT_EQ(w.list()->model()->rowCount(), c.rows);
        if (c.rows == 0) {
            EXPECT_FALSE(w.list()->currentIndex().isValid());
            EXPECT_TRUE(w.list()->selectionModel()->selectedRows().isEmpty());
        }
    }
}

TEST(NamesCrossReferenceWindowTest, HeaderClicksSortAndTheSelectedAnimalStaysSelected)
{
    NamesWindow w(kSaltLines, kFreshLines);
    // The keeper picks the Blue Tang.
    const QModelIndex blue = w.list()->model()->index(2, 0);
    ASSERT_EQ(blue.data().toString(), "Tang - Blue ");
    QTest::mouseClick(w.list()->viewport(), Qt::LeftButton, {}, w.list()->visualRect(blue).center());
    ASSERT_EQ(w.selectedCommonName(), "Tang - Blue ");

    const struct {
        int clicked;
        QStringList latin;
        int blueRow;
    } steps[] = {
        {1, {"Centropyge loricula", "Cryptocentrus cinctus", "Paracanthurus hepatus", "Zebrasoma flavescens"}, 2},
        {1, {"Zebrasoma flavescens", "Paracanthurus hepatus", "Cryptocentrus cinctus", "Centropyge loricula"}, 1},
        {0, {"Centropyge loricula", "Cryptocentrus cinctus", "Paracanthurus hepatus", "Zebrasoma flavescens"}, 2},
        {0, {"Zebrasoma flavescens", "Paracanthurus hepatus", "Cryptocentrus cinctus", "Centropyge loricula"}, 1},
    };
    int n = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(++n);
        w.clickHeader(s.clicked);
        EXPECT_EQ(w.columnTexts(1), s.latin);
        EXPECT_EQ(w.selectedCommonName(), "Tang - Blue ");
        EXPECT_EQ(w.list()->currentIndex().row(), s.blueRow);
        EXPECT_EQ(w.list()->header()->sortIndicatorSection(), s.clicked);
    }
    EXPECT_EQ(w.list()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST(NamesCrossReferenceWindowTest, MissingSaltwaterFile)
{
    NamesWindow w(std::nullopt, kFreshLines);
    ASSERT_EQ(w.env.messages.shown.size(), 1);
    const Message& m = w.env.messages.shown.first();
    EXPECT_EQ(m.title, "Names File Not Found!");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(m.text.startsWith("The file containing the saltwater names (NAMESSW.TXT) is missing or not in "
                                  "the correct format. "));
    EXPECT_TRUE(m.text.contains("Contact Quorvexa via email or download the file from the Quorvexa Website at "));
    EXPECT_TRUE(m.text.endsWith(" to obtain a copy of the file."));
    EXPECT_EQ(w.list()->model()->rowCount(), 0);
    EXPECT_EQ(w.status(), "Loading...");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(NamesCrossReferenceWindowTest, MissingFreshwaterFileEmptiesTheListUntilSaltwaterIsPickedAgain)
{
    NamesWindow w(kSaltLines, std::nullopt);
    ASSERT_TRUE(w.env.messages.shown.isEmpty());
    QTest::mouseClick(child<QRadioButton>(w.window.get(), "freshwaterOption"), Qt::LeftButton);
    ASSERT_EQ(w.env.messages.shown.size(), 1);
    EXPECT_EQ(w.env.messages.shown.first().title, "Names File Not Found!");
    EXPECT_EQ(w.env.messages.shown.first().text,
              "The file containing the freshwater names (NAMESFW.TXT) is missing or not in the correct format. "
              "You will not be able to view freshwater names. Contact Quorvexa via email or download the file "
              "from the Quorvexa Website at https://www.quorvexa.com/brinestead");
    EXPECT_EQ(w.list()->model()->rowCount(), 0);
    EXPECT_EQ(w.status(), "4 names loaded.");   // the freshwater load leaves the panel as it was

    QTest::mouseClick(child<QRadioButton>(w.window.get(), "saltOption"), Qt::LeftButton);
    EXPECT_EQ(w.list()->model()->rowCount(), 4);
    EXPECT_EQ(w.status(), "4 names loaded.");
    EXPECT_EQ(w.env.messages.shown.size(), 1);
}

TEST(NamesCrossReferenceWindowTest, ActivationDisablesFilePrintAndExplainsSorting)
{
    NamesWindow w(kSaltLines, kFreshLines);
    w.window->activate();
    EXPECT_EQ(w.shell.claims, 1);
    EXPECT_FALSE(w.shell.enabled);
    EXPECT_EQ(w.shell.caption, "&Print");
    EXPECT_EQ(w.list()->toolTip(), "Click column headings to sort");
}

TEST(NamesCrossReferenceWindowTest, F1ShowsItsHelpPage)
{
    NamesWindow w(kSaltLines, kFreshLines);
    QTest::keyClick(w.list(), Qt::Key_F1);
    auto* help = w.window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(shownHelpPage(*help), "names.html");
    EXPECT_TRUE(help->isVisible());
}

TEST(NamesCrossReferenceWindowTest, ToolsMenuOpensTheWindowInTheMainWindow)
{
    TestEnv env;
    ASSERT_TRUE(installDefaultNameFiles(env.dir.path()));
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    main.claimFilePrint(true, "&Print Something");
    child<QAction>(&main, "commonNamesAction")->trigger();
    auto* window = dynamic_cast<NamesCrossReferenceWindow*>(main.activeChild());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowName(), "NamesCrossReferenceWindow");
    QAction* print = child<QAction>(&main, "printAction");
    EXPECT_FALSE(print->isEnabled());
    EXPECT_EQ(print->text(), "&Print");
    // The shipped names file of a new start directory fills the list.
    EXPECT_GT(child<QTreeView>(window, "namesList")->model()->rowCount(), 100);
    EXPECT_TRUE(env.messages.shown.isEmpty());
}
