// The fantasy tank planner and its add-animal dialog, driven as a keeper would:
// water type, size and its spinner and checks, the tankholding variables, adding
// and removing animals, the warnings and the water-type question.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/ui/HelpWindow.h"
#include "support/TestEnv.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "support/RecordingShell.h"
#include "tools/ui/AddAnimalDialog.h"
#include "tools/ui/FantasyTankWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Runs `script` on the add-animal dialog that the next exec() shows; a dialog
// still open afterwards is cancelled.
void onAddAnimalDialog(std::function<void(AddAnimalDialog*)> script)
{
    QTimer::singleShot(0, [script] {
        auto* dlg = qobject_cast<AddAnimalDialog*>(QApplication::activeModalWidget());
        if (!dlg) {
            ADD_FAILURE() << "no add-animal dialog";
            return;
        }
        try {
            script(dlg);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        if (dlg->isVisible())
            dlg->reject();
    });
}

void setText(QWidget* dlg, const char* name, const QString& text)
{
    child<QLineEdit>(dlg, name)->setText(text);
}

struct Planner {
    TestEnv env;
    RecordingShell shell;
    std::unique_ptr<FantasyTankWindow> window;

    explicit Planner(const QString& defaultWater = QStringLiteral("SALT"))
    {
        env.ctx->defWaterType = defaultWater;
        window = std::make_unique<FantasyTankWindow>(*env.ctx, &shell);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        QCoreApplication::processEvents();
        env.messages.clear();
        env.beeper.count = 0;
    }
    template <typename T = QWidget>
    T* control(const char* name) const { return child<T>(window.get(), name); }
    QString holding() const { return control<QLabel>("holdingLabel")->text(); }
    // The inches of fish the holding sentence names.
    qint64 capacityShown() const
    {
        const auto match = QRegularExpression(QStringLiteral("could hold about (\\d+) inches")).match(holding());
        return match.hasMatch() ? match.captured(1).toLongLong() : -1;
    }
    QString percent() const { return control<QLabel>("percentLabel")->text(); }
    QListWidget* species() const { return control<QListWidget>("speciesList"); }
    QListWidget* tank() const { return control<QListWidget>("tankList"); }
    void click(const char* name) const
    {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void selectRow(QListWidget* list, int row) const
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    void selectSpecies(const QString& name) const
    {
        for (int i = 0; i < species()->count(); ++i) {
            if (species()->item(i)->text().startsWith(name)) {
                species()->scrollToItem(species()->item(i));
                selectRow(species(), i);
                return;
            }
        }
        throw std::runtime_error("no species " + name.toStdString());
    }
    // Picks the species and drops `count` of them, `size` inches each, into the tank.
    void addAnimal(const QString& name, const QString& count, const QString& size)
    {
        selectSpecies(name);
        onAddAnimalDialog([count, size](AddAnimalDialog* dlg) {
            setText(dlg, "countEdit", count);
            setText(dlg, "sizeEdit", size);
            QTest::mouseClick(child<QPushButton>(dlg, "dropItInButton"), Qt::LeftButton);
        });
        click("addAnimalButton");
    }
    // Types into the size box and leaves it for the tank list.
    void typeTankSize(const QString& text) const
    {
        auto* edit = control<QLineEdit>("tankSizeEdit");
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(FantasyTankWindow, OpensOnTheDefaultWaterTypeWith55Gallons)
{
    struct Case {
        const char* water;
        const char* holding;
        int species;
        bool wetDryEnabled;
    };
    const Case cases[] = {
        {"SALT", "A 55 gallon saltwater tank, in ideal conditions, could hold about 27 inches of fish.", 39, true},
        {"FRESH", "A 55 gallon freshwater tank, in ideal conditions, could hold about 45 inches of fish.", 50, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.water);
        TestEnv env;
        env.ctx->defWaterType = QString::fromLatin1(c.water);
        RecordingShell shell;
        FantasyTankWindow window(*env.ctx, &shell);
        window.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Fantasy Tank!"));
        EXPECT_EQ(child<QLabel>(&window, "holdingLabel")->text(), QString::fromLatin1(c.holding));
        EXPECT_EQ(child<QLabel>(&window, "percentLabel")->text(), QStringLiteral(" 0%"));
        EXPECT_EQ(child<QLineEdit>(&window, "tankSizeEdit")->text(), QStringLiteral("55"));
        EXPECT_EQ(child<QListWidget>(&window, "speciesList")->count(), c.species);
        EXPECT_EQ(child<QCheckBox>(&window, "wetDryCheck")->isEnabled(), c.wetDryEnabled);
        EXPECT_FALSE(child<QPushButton>(&window, "addAnimalButton")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(&window, "removeAnimalButton")->isEnabled());
        // The reminder on opening; no question for the empty tank.
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].title, QStringLiteral("Please NOTE!"));
        EXPECT_TRUE(env.messages.shown[0].text.contains(
            QStringLiteral("compatibility.\r  For this reason, remember the rule: \"Never take ANY fish advice as "
                           "gospel, EVEN FROM THIS PROGRAM!\r  ALWAYS consult")));
        EXPECT_EQ(env.beeper.count, 1);
        window.activate();
        EXPECT_EQ(shell.claims, QStringList{"disabled &Print"});
    }
}

TEST(FantasyTankWindow, TankholdingVariablesSetTheCapacity)
{
    Planner p;
    auto capacityAfter = [&](bool wetDry, bool taller) {
        auto* w = p.control<QCheckBox>("wetDryCheck");
        auto* t = p.control<QCheckBox>("tallerCheck");
        if (w->isChecked() != wetDry)
            p.click("wetDryCheck");
        if (t->isChecked() != taller)
            p.click("tallerCheck");
        return p.capacityShown();
    };
    EXPECT_EQ(capacityAfter(true, false), 30);
    EXPECT_EQ(capacityAfter(true, true), 30);
    EXPECT_EQ(capacityAfter(false, true), 25);   // 55 / 2.2, exactly 25
    EXPECT_EQ(p.holding(),
              QStringLiteral("A 55 gallon saltwater tank, in ideal conditions, could hold about 25 inches of fish."));
    EXPECT_EQ(capacityAfter(false, false), 27);
}

TEST(FantasyTankWindow, SizeSpinnerWritesItsBoxAndRecomputes)
{
    Planner p;
    QWidget* spinner = p.control("tankSizeSpinner");
    QTest::mouseClick(child<QToolButton>(spinner, "upButton"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(p.control<QLineEdit>("tankSizeEdit")->text(), QStringLiteral("56"));
    EXPECT_EQ(p.capacityShown(), 28);
    // A typed size is stepped from where the keeper left it.
    p.typeTankSize("66");
    p.click("tallerCheck");
    EXPECT_EQ(p.capacityShown(), 30);   // 66 / 2.2, exactly 30
    QTest::mouseClick(child<QToolButton>(spinner, "downButton"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(p.control<QLineEdit>("tankSizeEdit")->text(), QStringLiteral("65"));
    EXPECT_EQ(p.capacityShown(), 29);
}

TEST(FantasyTankWindow, TankSizeIsCheckedWhenLeft)
{
    struct Case {
        const char* text;
        const char* message;   // nullptr: accepted
        qint64 capacity;
    };
    const Case cases[] = {
        {"250", nullptr, 125},
        {"5", nullptr, 2},
        {"251", "Fantasy tank size must be less than 250 gallons.", 27},
        {"250.0000001", "Fantasy tank size must be less than 250 gallons.", 27},
        {"4.9", "Fantasy tank size must be at least 5 gallons.", 27},
        {"big", "Fantasy tank size must be a number less than 250 gallons.", 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Planner p;
        p.typeTankSize(QString::fromLatin1(c.text));
        auto* edit = p.control<QLineEdit>("tankSizeEdit");
        if (c.message) {
            ASSERT_EQ(p.env.messages.shown.size(), 1);
            EXPECT_EQ(p.env.messages.shown[0].text, QString::fromLatin1(c.message));
            EXPECT_EQ(p.env.messages.shown[0].title, QStringLiteral("Validation error!"));
            EXPECT_EQ(p.env.messages.shown[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(p.env.beeper.count, 1);
            EXPECT_TRUE(edit->hasFocus());
            EXPECT_EQ(edit->text(), QString::fromLatin1(c.text));
        } else {
            EXPECT_TRUE(p.env.messages.shown.isEmpty());
        }
        EXPECT_EQ(p.capacityShown(), c.capacity);
    }
}

TEST(FantasyTankWindow, FiguresBelongToTheLastAcceptedSize)
{
    for (const char* refused : {"0", "abc", "251", "4"}) {
        SCOPED_TRACE(refused);
        Planner p;
        p.addAnimal("Blennies", "2", "2");
        p.typeTankSize("100");
        p.typeTankSize(QString::fromLatin1(refused));
        ASSERT_EQ(p.env.messages.shown.size(), 1);
        p.env.messages.clear();
        // A click on a check box right after the refusal: 100 gallons, taller.
        p.click("tallerCheck");
        EXPECT_EQ(p.control<QLineEdit>("tankSizeEdit")->text(), QString::fromLatin1(refused));
        EXPECT_EQ(p.holding(), QStringLiteral("A 100 gallon saltwater tank, in ideal conditions, could hold about "
                                              "45 inches of fish."));
        EXPECT_EQ(p.percent(), QStringLiteral(" 8%"));   // 4 of 45 inches
        EXPECT_EQ(p.control<QProgressBar>("stockingBar")->value(), 8);
    }
}

TEST(FantasyTankWindow, AddingNeedsAPickedAnimal)
{
    Planner p;
    p.control<QPushButton>("addAnimalButton")->setEnabled(true);
    p.click("addAnimalButton");
    ASSERT_EQ(p.env.messages.shown.size(), 1);
    EXPECT_EQ(p.env.messages.shown[0].text, QStringLiteral("You must first select an animal to add."));
    EXPECT_EQ(p.env.messages.shown[0].title, QStringLiteral("Note!"));
    EXPECT_EQ(p.env.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(p.env.beeper.count, 1);
    EXPECT_EQ(p.tank()->count(), 0);

    p.control<QPushButton>("removeAnimalButton")->setEnabled(true);
    p.click("removeAnimalButton");
    ASSERT_EQ(p.env.messages.shown.size(), 2);
    EXPECT_EQ(p.env.messages.shown[1].text, QStringLiteral("You must first select an animal to delete."));
    EXPECT_EQ(p.env.messages.shown[1].title, QStringLiteral("Oops!"));
}

TEST(FantasyTankWindow, DialogProposesTheTypicalSizeAndAddsTheLine)
{
    Planner p;
    p.selectSpecies("Moray eels");
    EXPECT_TRUE(p.control<QPushButton>("addAnimalButton")->isEnabled());
    QString shownAnimal, shownCount, shownSize, caption;
    onAddAnimalDialog([&](AddAnimalDialog* dlg) {
        caption = dlg->windowTitle();
        shownAnimal = child<QLabel>(dlg, "selectedAnimalLabel")->text();
        shownCount = child<QLineEdit>(dlg, "countEdit")->text();
        shownSize = child<QLineEdit>(dlg, "sizeEdit")->text();
        QTest::mouseClick(child<QPushButton>(dlg, "dropItInButton"), Qt::LeftButton);
    });
    p.click("addAnimalButton");
    EXPECT_EQ(caption, QStringLiteral("Add An Animal"));
    EXPECT_EQ(shownAnimal, QStringLiteral("Moray eels               6 in."));
    EXPECT_EQ(shownCount, QStringLiteral("1"));
    EXPECT_EQ(shownSize, QStringLiteral("4"));   // the typical size, not the one the name shows
    EXPECT_EQ(itemsOf(p.tank()), QStringList{"1 Moray eels - 4 in."});
    EXPECT_EQ(p.percent(), QStringLiteral(" 14%"));   // 4 of 27 inches
    EXPECT_EQ(p.species()->selectedItems().size(), 0);
    EXPECT_TRUE(p.env.messages.shown.isEmpty());
}

TEST(FantasyTankWindow, CancelledDialogAddsNothing)
{
    Planner p;
    p.selectSpecies("Gobies");
    onAddAnimalDialog([](AddAnimalDialog* dlg) {
        setText(dlg, "countEdit", "4");
        QTest::mouseClick(child<QPushButton>(dlg, "cancelButton"), Qt::LeftButton);
    });
    p.click("addAnimalButton");
    EXPECT_EQ(p.tank()->count(), 0);
    EXPECT_EQ(p.tank()->count(), 0);
    EXPECT_EQ(p.percent(), QStringLiteral(" 0%"));
}

TEST(FantasyTankWindow, FillIsCappedWithAFullBar)
{
    Planner p;
    p.addAnimal("Lionfish", "8", "5");   // 40 inches in 27
    EXPECT_EQ(p.percent(), QStringLiteral(" 125%"));
    auto* bar = p.control<QProgressBar>("stockingBar");
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST(FantasyTankWindow, RemovingALineMovesTheLaterOnesUp)
{
    Planner p;
    p.addAnimal("Blennies", "2", "2.5");
    p.addAnimal("Gobies", "3", "1");
    p.addAnimal("Hawkfish", "1", "2");
    EXPECT_EQ(itemsOf(p.tank()), (QStringList{"2 Blennies - 2.5 in.", "3 Gobies - 1 in.", "1 Hawkfish - 2 in."}));
    EXPECT_EQ(p.percent(), QStringLiteral(" 37%"));   // 10 of 27 inches
    p.selectRow(p.tank(), 1);
    EXPECT_TRUE(p.control<QPushButton>("removeAnimalButton")->isEnabled());
    p.click("removeAnimalButton");
    EXPECT_EQ(itemsOf(p.tank()), (QStringList{"2 Blennies - 2.5 in.", "1 Hawkfish - 2 in."}));
    EXPECT_EQ(p.percent(), QStringLiteral(" 25%"));   // 7 of 27 inches
    EXPECT_EQ(p.tank()->selectedItems().size(), 0);
    EXPECT_TRUE(p.env.messages.shown.isEmpty());
    // A double click removes too.
    QListWidget* tank = p.tank();
    p.selectRow(tank, 0);
    QTest::mouseDClick(tank->viewport(), Qt::LeftButton, {}, tank->visualItemRect(tank->item(0)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(itemsOf(p.tank()), QStringList{"1 Hawkfish - 2 in."});
}

TEST(FantasyTankWindow, WaterTypeQuestionCancelPutsTheOptionBack)
{
    Planner p;
    p.addAnimal("Gobies", "2", "1");
    p.typeTankSize("60");
    p.env.messages.clear();
    p.env.messages.answers.enqueue(MsgResult::Cancel);
    p.click("freshwaterOption");
    ASSERT_EQ(p.env.messages.shown.size(), 1);
    const Message& q = p.env.messages.shown[0];
    EXPECT_EQ(q.title, QStringLiteral("Are you sure..."));
    EXPECT_EQ(q.text, QStringLiteral("Changing tank water type will clear your choices. Are you sure you want to clear "
                                     "your Fantasy Tank?"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    // Option, species, plan and factor all stay saltwater.
    EXPECT_TRUE(p.control<QRadioButton>("saltwaterOption")->isChecked());
    EXPECT_FALSE(p.control<QRadioButton>("freshwaterOption")->isChecked());
    EXPECT_EQ(p.species()->count(), 39);
    EXPECT_EQ(itemsOf(p.tank()), QStringList{"2 Gobies - 1 in."});
    EXPECT_EQ(p.capacityShown(), 30);   // 60 / 2
    EXPECT_TRUE(p.control<QCheckBox>("wetDryCheck")->isEnabled());
}

TEST(FantasyTankWindow, WaterTypeQuestionOkClearsAndResetsTo55Gallons)
{
    Planner p;
    p.addAnimal("Gobies", "2", "1");
    p.typeTankSize("60");
    p.env.messages.clear();
    p.env.messages.answers.enqueue(MsgResult::Ok);
    p.click("freshwaterOption");
    EXPECT_EQ(p.env.messages.shown.size(), 1);
    EXPECT_TRUE(p.control<QRadioButton>("freshwaterOption")->isChecked());
    EXPECT_EQ(p.species()->count(), 50);
    EXPECT_EQ(p.tank()->count(), 0);
    EXPECT_EQ(p.tank()->count(), 0);
    EXPECT_EQ(p.control<QLineEdit>("tankSizeEdit")->text(), QStringLiteral("55"));
    EXPECT_EQ(p.holding(),
              QStringLiteral("A 55 gallon freshwater tank, in ideal conditions, could hold about 45 inches of fish."));
    EXPECT_EQ(p.percent(), QStringLiteral(" 0%"));
    EXPECT_FALSE(p.control<QCheckBox>("wetDryCheck")->isEnabled());
    // Back to saltwater with an empty tank: no question.
    p.click("saltwaterOption");
    EXPECT_EQ(p.env.messages.shown.size(), 1);
    EXPECT_EQ(p.species()->count(), 39);
}

TEST(AddAnimalDialog, RefusedCountOrSizeKeepsTheDialogOpen)
{
    struct Case {
        const char* count;
        const char* size;
        const char* message;
        const char* focused;
    };
    const Case cases[] = {
        {"0", "2", "You must add at least one animal to the tank.", "countEdit"},
        {"", "2", "You must add at least one animal to the tank.", "countEdit"},
        {"0.5", "2", "You must add at least one animal to the tank.", "countEdit"},
        {"2", "0", "Your fish must be at least one inch long to add it to the tank.", "sizeEdit"},
        {"2", "abc", "Your fish must be at least one inch long to add it to the tank.", "sizeEdit"},
        // So many, or so large, that the tank's total would run past what it can count.
        {"1000000000", "2", "That number of animals is too large to add to the tank.", "countEdit"},
        {"1", "1e12", "That size is too large to add to the tank.", "sizeEdit"},
        {"500000000", "2",
         "That would make the tank's total too large: all its fish together must come to less than 1,000,000,000 "
         "inches.",
         "countEdit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.count) + " / " + c.size);
        TestEnv env;
        FantasyTankPlan plan(WaterKind::Saltwater);
        AddAnimalDialog dlg(*env.ctx, plan, 6, QStringLiteral("Blennies                  2 in."));
        dlg.show();
        dlg.activateWindow();
        (void)QTest::qWaitForWindowActive(&dlg);
        child<QLineEdit>(&dlg, "countEdit")->setText(QString::fromLatin1(c.count));
        child<QLineEdit>(&dlg, "sizeEdit")->setText(QString::fromLatin1(c.size));
        env.messages.clear();   // the reminder a large size draws
        env.beeper.count = 0;
        QTest::mouseClick(child<QPushButton>(&dlg, "dropItInButton"), Qt::LeftButton);
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(env.messages.shown[0].title, QStringLiteral("Oops"));
        EXPECT_EQ(env.beeper.count, 1);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(child<QLineEdit>(&dlg, c.focused)->hasFocus());
        EXPECT_TRUE(plan.isEmpty());
    }
}

TEST(AddAnimalDialog, SizeReminderShowsOncePerChangeAboveSixInches)
{
    TestEnv env;
    FantasyTankPlan plan(WaterKind::Saltwater);
    AddAnimalDialog dlg(*env.ctx, plan, 4, QStringLiteral("Basses/Groupers           6 in."));
    dlg.show();
    auto* size = child<QLineEdit>(&dlg, "sizeEdit");
    EXPECT_EQ(size->text(), QStringLiteral("6"));
    EXPECT_TRUE(env.messages.shown.isEmpty());   // the proposed 6 reminds of nothing

    QWidget* spinner = child<QWidget>(&dlg, "sizeSpinner");
    QTest::mouseClick(child<QToolButton>(spinner, "upButton"), Qt::LeftButton);
    EXPECT_EQ(size->text(), QStringLiteral("7"));   // stepped from the box
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].title, QStringLiteral("A Reminder!"));
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(env.messages.shown[0].text.startsWith(
        QStringLiteral("Note! Brinestead's \"Fantasy Tank\" is based on a variation")));
    EXPECT_TRUE(env.messages.shown[0].text.endsWith(QStringLiteral("BEFORE you attempt to put these animals together!")));
    EXPECT_EQ(env.beeper.count, 2);

    size->selectAll();
    QTest::keyClicks(size, "6");
    EXPECT_EQ(env.messages.shown.size(), 1);
    QTest::keyClicks(size, ".5");   // "6." then "6.5"
    EXPECT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.beeper.count, 4);

    // The count spinner writes its box too.
    QWidget* countSpinner = child<QWidget>(&dlg, "countSpinner");
    QTest::mouseClick(child<QToolButton>(countSpinner, "upButton"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(&dlg, "countEdit")->text(), QStringLiteral("2"));
}

TEST(AddAnimalDialog, WarningsComeInOrderWithTheirBeepsAndNeverStopTheAddition)
{
    TestEnv env;
    FantasyTankPlan plan(WaterKind::Saltwater);
    plan.addLine(13, Decimal::fromInt(1), Decimal::fromInt(2));   // Filefish
    AddAnimalDialog dlg(*env.ctx, plan, 2, QStringLiteral("Angelfish (Full size)     5 in."));
    dlg.show();
    QList<int> beepsBefore;
    env.messages.onShow = [&](const Message&) { beepsBefore << env.beeper.count; };
    child<QLineEdit>(&dlg, "countEdit")->setText("2");
    QTest::mouseClick(child<QPushButton>(&dlg, "dropItInButton"), Qt::LeftButton);
    QStringList titles;
    QList<MsgIcon> icons;
    for (const Message& m : env.messages.shown) {
        titles << m.title;
        icons << m.icon;
    }
    EXPECT_EQ(titles, (QStringList{"Possible compatibility Problem!", "Possible compatibility Problem!",
                                   "Serious compatibility Warning!"}));
    EXPECT_EQ(icons, (QList<MsgIcon>{MsgIcon::Exclamation, MsgIcon::Exclamation, MsgIcon::Critical}));
    EXPECT_EQ(beepsBefore, (QList<int>{1, 2, 4}));
    EXPECT_TRUE(env.messages.shown[0].text.startsWith(QStringLiteral("WARNING! Keeping 2 or more Angelfish (Full size) in 1 tank")));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(plan.lineTexts(), (QStringList{"1 Filefish - 2 in.", "2 Angelfish (Full size) - 5 in."}));
}

TEST(FantasyTankWindow, ToolsFantasyTankOpensThePlanner)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    QAction* command = main.findChild<QAction*>(QStringLiteral("fantasyTankAction"));
    ASSERT_TRUE(command);
    command->trigger();
    QCoreApplication::processEvents();
    auto* planner = qobject_cast<FantasyTankWindow*>(main.activeChild());
    ASSERT_TRUE(planner);
    QAction* print = main.findChild<QAction*>(QStringLiteral("printAction"));
    ASSERT_TRUE(print);
    EXPECT_FALSE(print->isEnabled());
    EXPECT_EQ(print->text(), QStringLiteral("&Print"));

    QTest::keyClick(planner, Qt::Key_F1);
    QCoreApplication::processEvents();
    HelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            help = h;
    ASSERT_TRUE(help);
    EXPECT_EQ(shownHelpPage(*help), QStringLiteral("fantasy.html"));
    help->close();
    main.close();
}
