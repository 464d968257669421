// The compatibility chart: the water type it opens on, its reminder, the three
// coloured lists for a picked animal, and its place in the main window.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/ui/HelpWindow.h"
#include "support/TestEnv.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "support/RecordingShell.h"
#include "tools/ui/CompatibilityWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

struct Chart {
    TestEnv env;
    RecordingShell shell;
    std::unique_ptr<CompatibilityWindow> window;

    explicit Chart(const QString& defaultWater)
    {
        env.ctx->defWaterType = defaultWater;
        window = std::make_unique<CompatibilityWindow>(*env.ctx, &shell);
        window->show();
        QCoreApplication::processEvents();
    }
    QComboBox* animals() const { return child<QComboBox>(window.get(), "animalList"); }
    QListWidget* list(const char* name) const { return child<QListWidget>(window.get(), name); }

    // The keeper picks the entry that starts with `name` from the animal box by keyboard.
    void pick(const QString& name)
    {
        QComboBox* box = animals();
        int index = -1;
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i).startsWith(name))
                index = i;
        if (index < 0)
            throw std::runtime_error("no animal " + name.toStdString());
        box->setFocus();
        if (index > 0) {
            box->setCurrentIndex(index - 1);
            QTest::keyClick(box, Qt::Key_Down);
        } else {
            box->setCurrentIndex(1);
            QTest::keyClick(box, Qt::Key_Up);
        }
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(CompatibilityWindow, OpensOnTheDefaultWaterTypeWithItsReminder)
{
    struct Case {
        const char* water;
        bool salt;
        int animals;
    };
    for (const Case c : {Case{"SALT", true, 39}, Case{"FRESH", false, 50}, Case{"POND", false, 50}}) {
        SCOPED_TRACE(c.water);
        Chart chart(QString::fromLatin1(c.water));
        EXPECT_EQ(chart.window->windowTitle(), QStringLiteral("Quick Compatibility"));
        EXPECT_EQ(child<QRadioButton>(chart.window.get(), "saltwaterOption")->isChecked(), c.salt);
        EXPECT_EQ(chart.animals()->count(), c.animals);
        EXPECT_EQ(chart.animals()->currentIndex(), -1);
        EXPECT_EQ(chart.list("compatibleList")->count() + chart.list("maybeList")->count()
                      + chart.list("incompatibleList")->count(),
                  0);
        ASSERT_EQ(chart.env.messages.shown.size(), 1);
        const Message& m = chart.env.messages.shown[0];
        EXPECT_EQ(m.title, QStringLiteral("Please NOTE!"));
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_TRUE(m.text.contains(QStringLiteral("the rule: \"Never take ANY fish advice as gospel, EVEN FROM THIS "
                                                   "PROGRAM!\" ALWAYS consult")));
        EXPECT_EQ(chart.env.beeper.count, 1);
        // Showing it again (from an icon) does not remind again.
        chart.window->hide();
        chart.window->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(chart.env.messages.shown.size(), 1);
    }
}

TEST(CompatibilityWindow, ListLabelsAndColours)
{
    Chart chart("SALT");
    EXPECT_EQ(child<QLabel>(chart.window.get(), "compatibleLabel")->text(), QStringLiteral("Should be compatible with..."));
    EXPECT_EQ(child<QLabel>(chart.window.get(), "maybeLabel")->text(), QStringLiteral("May have problems with..."));
    EXPECT_EQ(child<QLabel>(chart.window.get(), "incompatibleLabel")->text(),
              QStringLiteral("Will probably have problems with..."));
    EXPECT_EQ(chart.list("compatibleList")->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(chart.list("maybeList")->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(chart.list("maybeList")->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(chart.list("incompatibleList")->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(chart.list("incompatibleList")->palette().color(QPalette::Text), QColor(255, 255, 0));
}

TEST(CompatibilityWindow, FullSizeAngelfishLandsInItsOwnMaybeList)
{
    Chart chart("SALT");
    chart.env.messages.clear();
    chart.pick("Angelfish (Full size)");
    const QStringList maybe = itemsOf(chart.list("maybeList"));
    EXPECT_EQ(maybe.first(), QStringLiteral("Angelfish (Full size)     5 in."));
    EXPECT_EQ(maybe.size(), 6);
    EXPECT_EQ(chart.list("incompatibleList")->count(), 9);
    EXPECT_EQ(chart.list("compatibleList")->count(), 24);
    EXPECT_TRUE(chart.env.messages.shown.isEmpty());
}

TEST(CompatibilityWindow, DrumsAreCompatibleOnlyWithThemselves)
{
    Chart chart("SALT");
    chart.env.messages.clear();
    chart.pick("Drums/High Hats");
    EXPECT_EQ(itemsOf(chart.list("compatibleList")), QStringList{"Drums/High Hats          3 in."});
    EXPECT_EQ(chart.list("maybeList")->count(), 0);
    EXPECT_EQ(chart.list("incompatibleList")->count(), 38);
    EXPECT_TRUE(chart.env.messages.shown.isEmpty());
}

TEST(CompatibilityWindow, OscarsShowTheAggressiveAnimalReminder)
{
    Chart chart("FRESH");
    chart.env.messages.clear();
    const int beepsBefore = chart.env.beeper.count;
    chart.pick("Oscars");
    EXPECT_EQ(chart.list("compatibleList")->count(), 0);
    EXPECT_EQ(chart.list("maybeList")->count(), 24);
    EXPECT_TRUE(itemsOf(chart.list("maybeList")).contains(QStringLiteral("Oscars")));
    EXPECT_EQ(chart.list("incompatibleList")->count(), 26);
    ASSERT_EQ(chart.env.messages.shown.size(), 1);
    const Message& m = chart.env.messages.shown[0];
    EXPECT_EQ(m.title, QStringLiteral("Agressive Animal Reminder"));
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("Note: The animal you've selected is generally considered "
                                                 "\"Agressive\" or \"Semi-Agressive\".  Compatability")));
    EXPECT_TRUE(m.text.contains(QStringLiteral("GREAT CAUTION. \r  ALWAYS consult")));
    EXPECT_EQ(chart.env.beeper.count, beepsBefore + 1);
}

TEST(CompatibilityWindow, CardinalTetrasListSnakeheadsAsProblems)
{
    Chart chart("FRESH");
    chart.env.messages.clear();
    chart.pick("Cardinal Tetras");
    EXPECT_EQ(chart.list("compatibleList")->count(), 26);
    EXPECT_EQ(chart.list("maybeList")->count(), 12);
    EXPECT_EQ(itemsOf(chart.list("incompatibleList")).last(), QStringLiteral("Snakeheads"));
    EXPECT_TRUE(chart.env.messages.shown.isEmpty());
}

TEST(CompatibilityWindow, SwitchingTheWaterTypeClearsTheListsAndRefillsTheAnimals)
{
    Chart chart("SALT");
    chart.pick("Gobies");
    ASSERT_GT(chart.list("compatibleList")->count(), 0);
    QTest::mouseClick(child<QRadioButton>(chart.window.get(), "freshwaterOption"), Qt::LeftButton);
    EXPECT_EQ(chart.animals()->count(), 50);
    EXPECT_EQ(chart.animals()->itemText(30), QStringLiteral("Oscars        5 in."));
    EXPECT_EQ(chart.animals()->currentIndex(), -1);
    EXPECT_EQ(chart.list("compatibleList")->count(), 0);
    EXPECT_EQ(chart.list("incompatibleList")->count(), 0);
    // Filling the box sorted nothing and reminded of nothing.
    EXPECT_EQ(chart.env.messages.shown.size(), 1);
}

TEST(CompatibilityWindow, DisablesFilePrintWhenActivated)
{
    Chart chart("SALT");
    chart.window->activate();
    EXPECT_EQ(chart.shell.claims, QStringList{"disabled &Print"});
}

TEST(CompatibilityWindow, ToolsCompatibilityOpensTheChartAndF1ItsHelp)
{
    TestEnv env;
    env.ctx->defWaterType = "SALT";
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    QAction* command = main.findChild<QAction*>(QStringLiteral("compatibilityAction"));
    ASSERT_TRUE(command);
    command->trigger();
    QCoreApplication::processEvents();
    auto* chart = qobject_cast<CompatibilityWindow*>(main.activeChild());
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->windowName(), QStringLiteral("CompatibilityWindow"));
    QAction* print = main.findChild<QAction*>(QStringLiteral("printAction"));
    ASSERT_TRUE(print);
    EXPECT_FALSE(print->isEnabled());
    EXPECT_EQ(print->text(), QStringLiteral("&Print"));

    QTest::keyClick(chart, Qt::Key_F1);
    QCoreApplication::processEvents();
    HelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            help = h;
    ASSERT_TRUE(help);
    EXPECT_EQ(shownHelpPage(*help), QStringLiteral("compatibility.html"));
    help->close();
    main.close();
}
