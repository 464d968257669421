// The main window: menus, toolbar, command routing, File > Print takeover,
// window arrangement, the diagnosis loop and the no-tank check.
#include "AppTestSupport.h"
#include "app/Wiring.h"
#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "logbook/ui/LogbookWindow.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/QtServices.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

struct Shell {
    TestEnv env;
    MainWindow main{*env.ctx};
    QStringList hookCalls;
    QHash<QString, int> created;

    Shell()
    {
        main.hooks.showTankList = [this] { hookCalls << "showTankList"; };
        main.hooks.addTank = [this] { hookCalls << "addTank"; };
        main.hooks.editTank = [this](const QString& n) { hookCalls << "editTank:" + n; };
        main.hooks.deleteTank = [this](const QString& n) { hookCalls << "deleteTank:" + n; };
        main.hooks.showOptions = [this](int tab) { hookCalls << QString("showOptions:%1").arg(tab); };
        main.hooks.backupDatabase = [this] { hookCalls << "backupDatabase"; };
        main.hooks.showGraph = [this](const std::optional<QString>& tank) { hookCalls << "showGraph" + tank.value_or(""); };
        main.hooks.runDiagnosisWizard = [this] {
            hookCalls << "runDiagnosisWizard";
            return false;   // the keeper's Cancel
        };
        main.resize(900, 600);
        main.show();
        QApplication::setActiveWindow(&main);
    }
    QAction* action(const char* name) const { return child<QAction>(main, name); }
    QMenu* menu(const char* name) const { return child<QMenu>(main, name); }
    FakeChild* addChild(const QString& name, std::optional<FakeChild::Claim> claim)
    {
        main.registerChild(name, [this, name, claim]() -> QWidget* {
            ++created[name];
            return new FakeChild(main, name, claim);
        });
        main.showChild(name);
        return dynamic_cast<FakeChild*>(main.childWindow(name, false));
    }
    FakeLogbook* addLogbook()
    {
        main.registerChild("LogbookWindow", [this]() -> QWidget* {
            ++created["LogbookWindow"];
            return new FakeLogbook(main);
        });
        main.showChild("LogbookWindow");
        return dynamic_cast<FakeLogbook*>(main.childWindow("LogbookWindow", false));
    }
};

QString shortcutText(QAction* a)
{
    return a->shortcut().toString(QKeySequence::PortableText);
}

// The Window menu's list of open windows, as the keeper finds it on opening the menu.
QList<QAction*> openWindowList(Shell& s)
{
    QMenu* menu = s.menu("windowMenu");
    menu->popup(QPoint(0, 0));
    QList<QAction*> list;
    for (QAction* a : menu->actions())
        if (a->isCheckable())
            list << a;
    menu->close();
    return list;
}

} // namespace

TEST(MainWindow, MenuCaptionsShortcutsAndInitialStates)
{
    Shell s;
    MainWindow& m = s.main;
    const struct {
        const char* name;   // an action, or a menu of the menu bar
        const char* caption;
        const char* shortcut;
        bool enabled;
        bool visible;
        bool checked;
    } rows[] = {
        {"fileMenu", "&File", "", true, true, false},
        {"newEntryAction", "&New Log Entry", "Ctrl+N", false, true, false},
        {"openEntryAction", "&Open Log Entry", "Ctrl+O", false, true, false},
        {"deleteEntryAction", "&Delete Log Entry", "", false, true, false},
        {"moveEntryAction", "&Move Log Entry...", "", false, true, false},
        {"backupAction", "&Backup Database", "", true, true, false},
        {"propertiesAction", "Propert&ies", "", false, false, false},
        {"pageSetupAction", "Page Set&up...", "", true, false, false},
        {"printAction", "&Print", "", false, true, false},
        {"exitAction", "&Exit", "", true, true, false},
        {"editMenu", "&Edit", "", true, false, false},
        {"undoAction", "&Undo", "Ctrl+Z", true, true, false},
        {"cutAction", "Cu&t", "Ctrl+X", true, true, false},
        {"copyAction", "&Copy ", "Ctrl+C", true, true, false},
        {"pasteAction", "&Paste", "Ctrl+V", true, true, false},
        {"viewMenu", "&View", "", true, true, false},
        {"showToolbarAction", "&Toolbar", "", true, true, true},
        {"showStatusBarAction", "Status &Bar", "", true, true, true},
        {"refreshAction", "&Refresh", "", true, true, false},
        {"optionsAction", "&Options...", "", true, true, false},
        {"webBrowserAction", "&Web Browser", "", true, false, false},
        {"toolsMenu", "&Tools", "", true, true, false},
        {"tankSetupAction", "&Tank Setup", "Ctrl+T", true, true, false},
        {"logbookAction", "&Logbook", "Ctrl+L", true, true, false},
        {"graphingAction", "&Graphing", "Ctrl+G", true, true, false},
        {"compatibilityAction", "Co&mpatibility", "Ctrl+M", true, true, false},
        {"diagnosisAction", "&Disease Diagnosis", "Ctrl+D", true, true, false},
        {"editRemindersAction", "&Add or Change Reminders", "Ctrl+E", true, true, false},
        {"reminderScheduleAction", "View Reminder &Schedule", "Ctrl+S", true, true, false},
        {"fantasyTankAction", "&Fantasy Tank", "Ctrl+F", true, true, false},
        {"commonNamesAction", "Common / Latin &Names Cross-reference", "", true, true, false},
        {"conversionsAction", "&Conversion Calculator", "", true, true, false},
        {"windowMenu", "&Window", "", true, true, false},
        {"cascadeAction", "&Cascade", "", true, true, false},
        {"tileHorizontalAction", "Tile &Horizontal", "", true, true, false},
        {"tileVerticalAction", "Tile &Vertical", "", true, true, false},
        {"arrangeIconsAction", "&Arrange Icons", "", true, true, false},
        {"helpMenu", "&Help", "", true, true, false},
        {"helpContentsAction", "&Contents", "", true, true, false},
        {"helpSearchAction", "&Search For Help On...", "", true, true, false},
        {"tipOfTheDayAction", "Tip of the Day", "", true, true, false},
        {"aboutAction", "&About Brinestead...", "", true, true, false},
        {"newTankAction", "New Tank...", "", true, true, false},
        {"deleteTankAction", "Delete Tank", "", true, true, false},
        {"tankPropertiesAction", "Properties...", "", true, true, false},
        {"logNewEntryAction", "New", "", true, true, false},
        {"logOpenEntryAction", "Open", "", true, true, false},
        {"logDeleteEntryAction", "Delete", "", true, true, false},
        {"logMoveEntryAction", "Move to Tank...", "", true, true, false},
        {"graphOptionsAction", "Graph Options", "", true, true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const bool isMenu = QByteArray(r.name).endsWith("Menu");
        QAction* action = isMenu ? s.menu(r.name)->menuAction() : s.action(r.name);
        EXPECT_EQ(action->text(), QString::fromLatin1(r.caption));
        EXPECT_EQ(shortcutText(action), QString::fromLatin1(r.shortcut));
        EXPECT_EQ(action->isVisible(), r.visible);
        if (r.visible) {   // Qt reports every hidden item as disabled
            EXPECT_EQ(action->isEnabled(), r.enabled);
        }
        EXPECT_EQ(action->isChecked(), r.checked);
    }
    EXPECT_EQ(m.windowTitle(), " Brinestead 98");
    // The pop-ups never appear in the menu bar.
    const QList<QAction*> barItems = m.menuBar()->actions();
    const struct {
        const char* name;
        const char* title;
    } popups[] = {{"tankMenu", "tank_popup"}, {"logMenu", "log_popup"}, {"graphMenu", "graph_popup"}};
    for (const auto& p : popups) {
        QMenu* popup = s.menu(p.name);
        EXPECT_EQ(popup->title(), QString::fromLatin1(p.title));
        EXPECT_FALSE(barItems.contains(popup->menuAction())) << p.name;
    }
    EXPECT_TRUE(child<QToolBar>(m, "toolbar")->isVisible());
    EXPECT_TRUE(child<QStatusBar>(m, "statusBar")->isVisible());
    EXPECT_EQ(m.statusText(), "Status");
}

TEST(MainWindow, ToolbarButtonsHaveTheirKeysTipsAndPictures)
{
    Shell s;
    const struct {
        const char* key;
        const char* tip;
    } buttons[] = {
        {"tanksetup", "Setup Tanks for Logging"},
        {"logbook", "Logbook - Logging of Water Quality, Maintenance, Livestock"},
        {"graphing", "Graphing of Water Quality"},
        {"compatability", "Check Animal Compatibility"},
        {"diagnose", "Diagnose Disease"},
        {"maintsched", "Schedule Reminders"},
        {"viewschedule", "View Maintenance Schedule"},
        {"fantasy", "Fantasy Tank"},
        {"commonnames", "Common Names to Latin Names Reference"},
        {"conversions", "Conversion Calculator"},
    };
    const QList<QAction*> actions = child<QToolBar>(s.main, "toolbar")->actions();
    ASSERT_GE(actions.size(), 10);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(buttons[i].key);
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(buttons[i].key));   // in this order
        EXPECT_EQ(actions[i]->toolTip(), QString::fromLatin1(buttons[i].tip));
        EXPECT_FALSE(actions[i]->icon().isNull());
        EXPECT_FALSE(actions[i]->icon().pixmap(24, 24).isNull());
    }
}

TEST(MainWindow, EveryToolbarKeyRunsTheSameCommandAsItsToolsItem)
{
    const struct {
        const char* key;
        const char* item;
        const char* effect;   // a child window shown, or a hook called
    } rows[] = {
        {"tanksetup", "tankSetupAction", "showTankList"},
        {"logbook", "logbookAction", "LogbookWindow"},
        {"graphing", "graphingAction", "showGraph"},
        {"compatability", "compatibilityAction", "CompatibilityWindow"},
        {"diagnose", "diagnosisAction", "runDiagnosisWizard"},
        {"maintsched", "editRemindersAction", "ReminderListWindow"},
        {"viewschedule", "reminderScheduleAction", "ScheduleWindow"},
        {"fantasy", "fantasyTankAction", "FantasyTankWindow"},
        {"commonnames", "commonNamesAction", "NamesCrossReferenceWindow"},
        {"conversions", "conversionsAction", "ConversionCalculatorWindow"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        for (int viaToolbar = 0; viaToolbar < 2; ++viaToolbar) {
            Shell s;
            s.env.messages.defaultAnswer = MsgResult::Ok;
            for (const char* name : {"LogbookWindow", "CompatibilityWindow", "ReminderListWindow", "ScheduleWindow", "FantasyTankWindow",
                                     "NamesCrossReferenceWindow", "ConversionCalculatorWindow"})
                s.main.registerChild(name, [&s, name]() -> QWidget* {
                    ++s.created[name];
                    return new FakeChild(s.main, name, std::nullopt);
                });
            if (viaToolbar)
                s.main.toolbarButton(r.key)->trigger();
            else
                s.action(r.item)->trigger();
            const QString effect = QString::fromLatin1(r.effect);
            if (effect.endsWith("Window")) {
                EXPECT_EQ(s.created.value(effect), 1);
                ASSERT_NE(s.main.activeChild(), nullptr);
                EXPECT_EQ(s.main.activeChild()->objectName(), effect);
                EXPECT_TRUE(s.hookCalls.isEmpty());
            } else {
                EXPECT_EQ(s.hookCalls, QStringList{effect});
                EXPECT_TRUE(s.created.isEmpty());
            }
        }
    }
    Shell s;
    EXPECT_EQ(s.main.toolbarButton("no such key"), nullptr);
}

TEST(MainWindow, CommandsOfUnregisteredWindowsOpenNothing)
{
    Shell s;
    s.action("compatibilityAction")->trigger();
    s.action("logbookAction")->trigger();
    EXPECT_EQ(s.main.activeChild(), nullptr);
    EXPECT_TRUE(child<QMdiArea>(s.main, "mdiArea")->subWindowList().isEmpty());
}

TEST(MainWindow, ShowingAnOpenChildAgainBringsItToTheFront)
{
    Shell s;
    FakeChild* a = s.addChild("CompatibilityWindow", std::nullopt);
    s.addChild("FantasyTankWindow", std::nullopt);
    s.action("compatibilityAction")->trigger();
    EXPECT_EQ(s.created.value("CompatibilityWindow"), 1);
    EXPECT_EQ(s.main.activeChild(), a);
}

TEST(MainWindow, FilePrintFollowsTheActiveChild)
{
    Shell s;
    QAction* print = s.action("printAction");
    FakeChild* log = s.addChild("LogbookWindow", FakeChild::Claim{true, "&Print Entries..."});
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(print->text(), "&Print Entries...");

    FakeChild* compat = s.addChild("CompatibilityWindow", FakeChild::Claim{false, "&Print"});
    EXPECT_FALSE(print->isEnabled());
    EXPECT_EQ(print->text(), "&Print");

    // The calculator leaves the item as the previous child set it.
    FakeChild* calc = s.addChild("ConversionCalculatorWindow", std::nullopt);
    EXPECT_FALSE(print->isEnabled());
    s.main.showChild("LogbookWindow");
    EXPECT_TRUE(print->isEnabled());
    s.main.showChild("ConversionCalculatorWindow");
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(print->text(), "&Print Entries...");

    // Print goes to the child in front, and only to it.
    s.main.showChild("LogbookWindow");
    print->trigger();
    EXPECT_EQ(log->prints, 1);
    EXPECT_EQ(compat->prints, 0);
    EXPECT_EQ(calc->prints, 0);

    // Coming back to the main window, the front child claims the item again.
    s.main.claimFilePrint(false, "&Print");
    const int before = log->activations;
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&s.main, &activation);
    if (s.main.isActiveWindow()) {
        EXPECT_EQ(log->activations, before + 1);
        EXPECT_TRUE(print->isEnabled());
    }
}

TEST(MainWindow, FilePrintWithoutChildDoesNothing)
{
    Shell s;
    QPointer<FakeChild> child = s.addChild("CompatibilityWindow", FakeChild::Claim{true, "&Print"});
    ASSERT_TRUE(child);
    QAction* print = s.action("printAction");
    print->trigger();
    EXPECT_EQ(child->prints, 1);

    // Once the last child has closed, File > Print reaches no window at all.
    ::child<QMdiArea>(s.main, "mdiArea")->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(print->isEnabled());
    print->trigger();
    EXPECT_TRUE(child.isNull() || child->prints == 1);
    EXPECT_TRUE(s.env.messages.shown.isEmpty());
    EXPECT_TRUE(s.hookCalls.isEmpty());
}

TEST(MainWindow, LogEntryCommandsReachTheLogbookOnlyWhileItIsVisible)
{
    Shell s;
    FakeLogbook* lb = s.addLogbook();
    ASSERT_NE(lb, nullptr);
    // As the logbook does with a tank selected on its livestock tab.
    s.main.setFileEntryCommandsEnabled(true);
    s.main.setMoveEntryEnabled(true);
    const auto choose = [&s](std::initializer_list<const char*> names) {
        for (const char* name : names)
            s.action(name)->trigger();
    };
    choose({"newEntryAction", "openEntryAction", "deleteEntryAction", "refreshAction", "logDeleteEntryAction"});
    EXPECT_EQ(lb->calls,
              (QStringList{"addEntry", "changeEntry", "deleteEntry", "refreshTankTree", "deleteEntry"}));

    // Minimised to an icon, the logbook is still open and still answers.
    lb->calls.clear();
    QMdiSubWindow* frame = child<QMdiArea>(s.main, "mdiArea")->subWindowList().first();
    frame->showMinimized();
    EXPECT_TRUE(s.main.logbookVisible());
    choose({"newEntryAction", "refreshAction"});
    EXPECT_EQ(lb->calls, (QStringList{"addEntry", "refreshTankTree"}));
    frame->showNormal();

    lb->calls.clear();
    lb->hide();
    choose({"newEntryAction", "openEntryAction", "deleteEntryAction", "refreshAction",
            "moveEntryAction"});   // move has no visibility test
    EXPECT_EQ(lb->calls, QStringList{"moveEntry"});
}

TEST(MainWindow, TankPopupCallsTheTankCommandsThenRebuildsTheTree)
{
    Shell s;
    FakeLogbook* lb = s.addLogbook();
    lb->tankId = "03-04-2026 10:11:12";
    s.action("newTankAction")->trigger();
    s.action("deleteTankAction")->trigger();
    s.action("tankPropertiesAction")->trigger();
    // The tank is handed over by its key, which a blank or shared name is not.
    EXPECT_EQ(s.hookCalls,
              (QStringList{"addTank", "deleteTank:03-04-2026 10:11:12", "editTank:03-04-2026 10:11:12"}));
    EXPECT_EQ(lb->calls, (QStringList{"refreshTankTree", "refreshTankTree", "refreshTankTree"}));
}

TEST(MainWindow, OptionsAndGraphOptions)
{
    Shell s;
    bool graphShowing = false;
    s.main.hooks.graphVisible = [&] { return graphShowing; };
    s.action("optionsAction")->trigger();
    s.action("graphOptionsAction")->trigger();
    graphShowing = true;
    s.action("graphOptionsAction")->trigger();
    EXPECT_EQ(s.hookCalls, (QStringList{"showOptions:0", "showOptions:1", "showOptions:1", "showGraph"}));
    s.action("backupAction")->trigger();
    EXPECT_EQ(s.hookCalls.last(), "backupDatabase");
}

TEST(MainWindow, ViewTogglesHideAndShowTheBars)
{
    Shell s;
    const struct {
        QWidget* bar;
        const char* toggle;
    } rows[] = {
        {child<QToolBar>(s.main, "toolbar"), "showToolbarAction"},
        {child<QStatusBar>(s.main, "statusBar"), "showStatusBarAction"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.toggle);
        QAction* toggle = s.action(r.toggle);
        toggle->trigger();
        EXPECT_FALSE(r.bar->isVisible());
        EXPECT_FALSE(toggle->isChecked());
        toggle->trigger();
        EXPECT_TRUE(r.bar->isVisible());
        EXPECT_TRUE(toggle->isChecked());

        // The bar decides, not the tick: a tick out of step is set right.
        toggle->setChecked(false);
        toggle->trigger();
        EXPECT_FALSE(r.bar->isVisible());
        EXPECT_FALSE(toggle->isChecked());
        toggle->trigger();
        EXPECT_TRUE(r.bar->isVisible());
    }
}

TEST(MainWindow, WindowMenuListsOpenChildrenWithTheActiveOneChecked)
{
    Shell s;
    s.addChild("CompatibilityWindow", std::nullopt);
    s.addChild("FantasyTankWindow", std::nullopt);
    s.addChild("ConversionCalculatorWindow", std::nullopt);
    // A title with a tank's name in it reads as the keeper typed the name: its
    // '&' is doubled, so the menu shows it once and takes it for no shortcut.
    s.addChild("TankWindow", std::nullopt)->setWindowTitle("Reef & Fish");
    s.main.showChild("FantasyTankWindow");
    const QList<QAction*> list = openWindowList(s);
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[0]->text(), "&1 CompatibilityWindow");
    EXPECT_EQ(list[1]->text(), "&2 FantasyTankWindow");
    EXPECT_EQ(list[2]->text(), "&3 ConversionCalculatorWindow");
    EXPECT_EQ(list[3]->text(), "&4 Reef && Fish") << list[3]->text().toStdString();
    EXPECT_FALSE(list[0]->isChecked());
    EXPECT_TRUE(list[1]->isChecked());
    EXPECT_FALSE(list[2]->isChecked());
    EXPECT_FALSE(list[3]->isChecked());

    list[0]->trigger();
    EXPECT_EQ(s.main.activeChild()->objectName(), "CompatibilityWindow");
    const QList<QAction*> again = openWindowList(s);
    ASSERT_EQ(again.size(), 4);
    EXPECT_TRUE(again[0]->isChecked());
    EXPECT_FALSE(again[1]->isChecked());
}

TEST(MainWindow, TilingStacksOrPlacesSideBySide)
{
    Shell s;
    s.addChild("CompatibilityWindow", std::nullopt);
    s.addChild("FantasyTankWindow", std::nullopt);
    const QRect area = child<QMdiArea>(s.main, "mdiArea")->viewport()->rect();
    const QList<QMdiSubWindow*> subs = child<QMdiArea>(s.main, "mdiArea")->subWindowList();
    ASSERT_EQ(subs.size(), 2);

    s.action("tileHorizontalAction")->trigger();
    for (QMdiSubWindow* sub : subs) {
        EXPECT_EQ(sub->width(), area.width());
        EXPECT_NEAR(sub->height(), area.height() / 2, 1);
    }
    EXPECT_NE(subs[0]->y(), subs[1]->y());
    EXPECT_EQ(subs[0]->x(), subs[1]->x());

    s.action("tileVerticalAction")->trigger();
    for (QMdiSubWindow* sub : subs) {
        EXPECT_EQ(sub->height(), area.height());
        EXPECT_NEAR(sub->width(), area.width() / 2, 1);
    }
    EXPECT_NE(subs[0]->x(), subs[1]->x());
    EXPECT_EQ(subs[0]->y(), subs[1]->y());

    s.action("cascadeAction")->trigger();
    EXPECT_NE(subs[0]->pos(), subs[1]->pos());

    subs[0]->showMinimized();
    subs[1]->showMinimized();
    s.action("arrangeIconsAction")->trigger();
    EXPECT_EQ(subs[0]->y(), subs[1]->y());
    EXPECT_EQ(subs[0]->geometry().bottom(), area.height() - 1);
    EXPECT_FALSE(subs[0]->geometry().intersects(subs[1]->geometry()));
}

TEST(MainWindow, DiagnosisLoopRunsUntilTheWizardSaysDone)
{
    Shell s;
    int runs = 0;
    s.main.hooks.runDiagnosisWizard = [&] { return ++runs < 3; };   // Cancel on the third run
    s.main.toolbarButton("diagnose")->trigger();
    EXPECT_EQ(runs, 3);
    // The next loop starts afresh.
    runs = 0;
    s.action("diagnosisAction")->trigger();
    EXPECT_EQ(runs, 3);
}

TEST(MainWindow, DiagnosisLoopEndsWhenAPageIsClosedThroughItsFrame)
{
    Shell s;
    int runs = 0;
    s.main.hooks.runDiagnosisWizard = [&] {
        ++runs;
        s.main.noteWindowClosedByFrame();   // the wizard forgot to count it as Cancel
        return true;
    };
    s.action("diagnosisAction")->trigger();
    EXPECT_EQ(runs, 1);
    // Outside the loop the note means nothing; the next run starts afresh.
    s.main.noteWindowClosedByFrame();
    runs = 0;
    s.main.hooks.runDiagnosisWizard = [&] { return ++runs < 2; };
    s.action("diagnosisAction")->trigger();
    EXPECT_EQ(runs, 2);
}

TEST(MainWindow, TankSetupChecksTanksAgain)
{
    Shell s;
    s.action("tankSetupAction")->trigger();
    EXPECT_EQ(s.env.messages.shown.size(), 1);
    EXPECT_EQ(s.env.messages.shown.last().title, "No Tanks Set Up Yet");
    EXPECT_FALSE(s.main.toolbarButton("logbook")->isEnabled());

    s.main.hooks.showTankList = [&] {
        QSqlQuery q(s.env.ctx->db());
        ASSERT_TRUE(q.exec("INSERT INTO TANKLST (tankid, tankname, TankWaterType) "
                           "VALUES ('12-08-2026 14:05:09', 'Pond', '5')"));
    };
    s.action("tankSetupAction")->trigger();
    EXPECT_EQ(s.env.messages.shown.size(), 1);
    EXPECT_TRUE(s.main.toolbarButton("logbook")->isEnabled());
    EXPECT_TRUE(s.main.toolbarButton("graphing")->isEnabled());
}

TEST(MainWindow, RemindersBoxKeepsClearOfTheRightEdge)
{
    const struct {
        int window, box, left;
    } cases[] = {{1000, 330, 662}, {338, 330, 0}, {300, 330, 38}, {100, 330, 238}};
    for (const auto& c : cases)
        EXPECT_EQ(MainWindow::reminderBoxLeft(c.window, c.box), c.left) << c.window;

    Shell s;
    s.main.resize(1000, 600);
    QApplication::processEvents();
    const QComboBox* box = child<QComboBox>(s.main, "remindersBox");
    const int right = box->mapTo(&s.main, QPoint(box->width(), 0)).x();
    EXPECT_EQ(s.main.width() - right, MainWindow::kReminderMargin);
}

TEST(MainWindow, HelpContentsAndSearchOpenTheHelpWindow)
{
    Shell s;
    EXPECT_EQ(s.main.findChild<HelpWindow*>(), nullptr);
    s.action("helpContentsAction")->trigger();
    auto* help = s.main.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(shownHelpTab(*help), "Contents");
    EXPECT_EQ(shownHelpPage(*help), kHelpContentsPage);

    s.action("helpSearchAction")->trigger();
    EXPECT_EQ(s.main.findChildren<HelpWindow*>().size(), 1);   // the same window
    EXPECT_EQ(shownHelpTab(*help), "Index");
    EXPECT_TRUE(helpSearchText(*help).isEmpty());

    s.main.showHelpContext(MainWindow::kHelpContextBackup);
    EXPECT_EQ(shownHelpPage(*help), "backup.html");
    EXPECT_TRUE(s.env.messages.shown.isEmpty());
}

TEST(MainWindow, ExitClosesTheMainWindowAndItsChildren)
{
    Shell s;
    QPointer<FakeChild> child = s.addChild("CompatibilityWindow", std::nullopt);
    s.action("exitAction")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(s.main.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(child.isNull());
}

TEST(MainWindow, ChildOpensAtTheSizeItGaveItselfWhereTheAreaHasRoom)
{
    Shell s;
    FakeChild* child = s.addChild("CompatibilityWindow", std::nullopt);   // 200 x 150
    QCoreApplication::processEvents();
    EXPECT_EQ(child->size(), QSize(200, 150));
}

namespace {

std::string describe(const QRect& r)
{
    return QStringLiteral("%1x%2 at %3,%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()).toStdString();
}

// The program's own windows over one tank, opened as the keeper opens them.
struct Program {
    TestEnv env;
    QtMessageBox messageBoxes;
    MainWindow main{*env.ctx};

    Program()
    {
        TankRecord reef;
        reef.tankname = QStringLiteral("Reef");
        reef.watertype = QStringLiteral("1");
        TankStore(env.ctx->db()).add(reef, env.clock.now());
        wireApplication(*env.ctx, main);
    }
    // Messages from here on come up as the keeper sees them.
    void showMessageBoxes() { env.ctx->services.messages = &messageBoxes; }
    // Tools > Logbook, on the tank and at the tab given.
    LogbookWindow* logbookAt(LogbookWindow::Tab tab)
    {
        trigger(&main, "logbookAction");
        auto* log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
        if (log && log->selectNode("Reef"))
            child<QTabWidget>(log, "logTabs")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        return log;
    }
    void trigger(const QObject* owner, const char* action)
    {
        child<QAction>(owner, action)->trigger();
        QCoreApplication::processEvents();
    }
};

} // namespace

// Each child window opens whole inside the main window's area, the ones before
// it still open: moved in from where the area puts it and made smaller where
// the area has no room. An area smaller than a window's smallest size shows at
// least its top left corner, and so its title bar.
TEST(MainWindow, EveryWindowOpensInsideTheAreaOrTheScreen)
{
    const struct {
        const char* what;
        std::function<void(Program&)> open;
    } openings[] = {
        {"Tools > Logbook", [](Program& p) { p.trigger(&p.main, "logbookAction"); }},
        {"the logbook's graph button",
         [](Program& p) {
             auto* log = dynamic_cast<LogbookWindow*>(p.main.childWindow("LogbookWindow", false));
             ASSERT_TRUE(log && log->selectNode("Reef"));
             p.trigger(log, "graphAction");
         }},
        {"Tools > Fantasy Tank", [](Program& p) { p.trigger(&p.main, "fantasyTankAction"); }},
        {"Tools > Add or Change Reminders", [](Program& p) { p.trigger(&p.main, "editRemindersAction"); }},
        {"Tools > View Reminder Schedule", [](Program& p) { p.trigger(&p.main, "reminderScheduleAction"); }},
        {"Tools > Compatibility", [](Program& p) { p.trigger(&p.main, "compatibilityAction"); }},
        {"Tools > Common / Latin Names", [](Program& p) { p.trigger(&p.main, "commonNamesAction"); }},
        {"Tools > Conversion Calculator", [](Program& p) { p.trigger(&p.main, "conversionsAction"); }},
        {"Tools > Graphing, the graph closed before",
         [](Program& p) {
             p.main.childWindow("WaterGraphWindow", false)->parentWidget()->close();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
             ASSERT_EQ(p.main.childWindow("WaterGraphWindow", false), nullptr);
             p.trigger(&p.main, "graphingAction");
         }},
    };
    // Along one edge of the area: whole inside where it fits, else starting at the area's start.
    const auto inside = [](int start, int length, int roomStart, int roomLength) {
        return length <= roomLength ? start >= roomStart && start + length <= roomStart + roomLength
                                    : start == roomStart;
    };
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 600));
    const struct {
        const char* what;
        std::function<void(MainWindow&)> show;
    } mainWindows[] = {
        {"main window at its own size", [](MainWindow& main) { main.show(); }},
        {"main window maximized on the screen", [](MainWindow& main) { main.showMaximized(); }},
        {"main window of 560x420, its area smaller than the fantasy tank's smallest size",
         [](MainWindow& main) {
             main.resize(560, 420);
             main.show();
         }},
    };
    for (const auto& mainWindow : mainWindows) {
        SCOPED_TRACE(mainWindow.what);
        Program p;
        mainWindow.show(p.main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.main));
        const auto* area = child<QMdiArea>(p.main, "mdiArea");
        const QRect room = area->viewport()->rect();
        for (const auto& opening : openings) {
            SCOPED_TRACE(opening.what);
            opening.open(p);
            ASSERT_FALSE(::testing::Test::HasFatalFailure());
            for (const QMdiSubWindow* sub : area->subWindowList()) {
                const QRect frame = sub->frameGeometry();
                EXPECT_TRUE(inside(frame.x(), frame.width(), room.x(), room.width())
                            && inside(frame.y(), frame.height(), room.y(), room.height()))
                    << sub->widget()->objectName().toStdString() << " " << describe(frame) << " in "
                    << describe(room);
            }
        }
    }
}

namespace {

// What a modal window was like as it came up.
struct Shown {
    QString className;
    QRect geometry;
    QRect frame;
};

} // namespace

// Each dialog and message box opens where Qt places it, centred over the main
// window, and whole on the screen where that would leave it: with the main
// window near the screen's lower right corner, too. The help window opens on
// the screen, and stays where the keeper moves it.
TEST(MainWindow, DialogsOpenCentredOverTheMainWindowAndOnTheScreen)
{
    const struct {
        const char* what;
        const char* className;
        std::function<void(Program&)> open;   // the dialog is answered as it comes up
        // Where a dialog that places itself puts its top left corner.
        std::function<QPoint(Program&)> placement = {};
    } dialogs[] = {
        {"a message box with a short text", "QMessageBox",
         [](Program& p) {
             p.logbookAt(LogbookWindow::TabLivestock);
             p.showMessageBoxes();
             p.trigger(&p.main, "moveEntryAction");   // no entry selected
         }},
        {"No Tanks Set Up Yet, a long text", "QMessageBox",
         [](Program& p) {
             ASSERT_TRUE(QSqlQuery(p.env.ctx->db()).exec(QStringLiteral("DELETE FROM TANKLST")));
             p.showMessageBoxes();
             p.main.checkTanksSetUp();
         }},
        {"a delete question", "QMessageBox",
         [](Program& p) {
             p.logbookAt(LogbookWindow::TabWater);
             p.showMessageBoxes();
             p.trigger(&p.main, "deleteTankAction");
         }},
        {"Maximize Window?", "QMessageBox",
         [](Program& p) {
             p.trigger(&p.main, "graphingAction");
             p.showMessageBoxes();
             p.trigger(&p.main, "printAction");
         }},
        {"Tip of the Day", "TipOfTheDayDialog", [](Program& p) { p.trigger(&p.main, "tipOfTheDayAction"); }},
        {"About", "AboutBox", [](Program& p) { p.trigger(&p.main, "aboutAction"); }},
        {"the tank list", "TankListDialog", [](Program& p) { p.trigger(&p.main, "tankSetupAction"); }},
        {"Options", "OptionsDialog", [](Program& p) { p.trigger(&p.main, "optionsAction"); }},
        {"the water-test dialog", "WaterTestDialog",
         [](Program& p) {
             p.logbookAt(LogbookWindow::TabWater);
             p.trigger(&p.main, "newEntryAction");
         }},
        {"the livestock entry dialog", "LivestockEntryDialog",
         [](Program& p) {
             p.logbookAt(LogbookWindow::TabLivestock);
             p.trigger(&p.main, "newEntryAction");
         }},
        {"the maintenance entry dialog", "MaintenanceEntryDialog",
         [](Program& p) {
             p.logbookAt(LogbookWindow::TabMaint);
             p.trigger(&p.main, "newEntryAction");
         }},
        {"moving livestock to another tank", "MoveLivestockDialog",
         [](Program& p) {
             LivestockRecord fish;
             fish.tankid = p.env.tankNamed("Reef")->tankid;
             fish.dateadded = QDate(2026, 3, 1);
             fish.animalname = QStringLiteral("Clownfish");
             ASSERT_TRUE(LivestockStore(p.env.ctx->db()).insert(fish));
             auto* list = child<QTreeView>(p.logbookAt(LogbookWindow::TabLivestock), "livestockList");
             list->setCurrentIndex(list->model()->index(0, 0));
             p.trigger(&p.main, "moveEntryAction");
         }},
        {"the log print dialog", "LogPrintDialog",
         [](Program& p) {
             p.logbookAt(LogbookWindow::TabWater);
             p.trigger(&p.main, "printAction");
         }},
        {"a new tank", "TankEditorDialog", [](Program& p) { p.trigger(&p.main, "newTankAction"); }},
        {"adding an animal to the fantasy tank", "AddAnimalDialog",
         [](Program& p) {
             p.trigger(&p.main, "fantasyTankAction");
             QWidget* fantasy = p.main.childWindow("FantasyTankWindow", false);
             auto* species = child<QListWidget>(fantasy, "speciesList");
             QTest::mouseClick(species->viewport(), Qt::LeftButton, {},
                               species->visualItemRect(species->item(0)).center());
             QTest::mouseClick(child<QPushButton>(fantasy, "addAnimalButton"), Qt::LeftButton);
         }},
        {"the file chooser", "QFileDialog",
         [](Program& p) { QtFileDialogs().getSaveFileName(QStringLiteral("Backup Database"), p.env.dir.path()); }},
        {"the diagnosis wizard", "DiagnosisWizard", [](Program& p) { p.trigger(&p.main, "diagnosisAction"); }},
        {"the print dialog", "QPrintDialog",
         [](Program&) {
             QPrinter printer;
             QtPrintDialog().choosePrinter(printer, QStringLiteral("Print Water Quality Graph"));
         }},
        {"the reminder editor", "ReminderEditorDialog",
         [](Program& p) {
             p.trigger(&p.main, "editRemindersAction");
             QTest::mouseClick(child<QPushButton>(p.main.childWindow("ReminderListWindow", false), "addButton"),
                               Qt::LeftButton);
         }},
        {"the schedule's calendar", "CalendarDialog",
         [](Program& p) {
             p.trigger(&p.main, "reminderScheduleAction");
             QWidget* schedule = p.main.childWindow("ScheduleWindow", false);
             QTest::mouseClick(child<QRadioButton>(schedule, "dateRangeOption"), Qt::LeftButton);
             QTest::mouseClick(child<QToolButton>(schedule, "startCalendarButton"), Qt::LeftButton);
         },
         [](Program& p) {
             const QWidget* field = child<QWidget>(p.main.childWindow("ScheduleWindow", false), "startDateEdit");
             return field->mapToGlobal(QPoint(field->width() + 10, field->height() + 10));
         }},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(screen, QRect(0, 0, 800, 600));
    const struct {
        const char* what;
        QPoint at;
        bool roomToCentre;
        bool active = true;
    } mainWindows[] = {
        {"main window away from the screen's corner", QPoint(150, 100), true},
        {"main window near the screen's lower right corner", QPoint(500, 380), false},
        // Without a window manager no window of the program is ever active.
        {"main window away from the corner, no window active", QPoint(150, 100), true, false},
    };
    for (const auto& mainWindow : mainWindows) {
        SCOPED_TRACE(mainWindow.what);
        for (const auto& dialog : dialogs) {
            SCOPED_TRACE(dialog.what);
            Program p;
            p.main.resize(480, 360);
            p.main.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.main));
            p.main.move(mainWindow.at);   // as the keeper drags it
            QApplication::setActiveWindow(mainWindow.active ? &p.main : nullptr);
            QCoreApplication::processEvents();
            ASSERT_EQ(QApplication::activeWindow() != nullptr, mainWindow.active);
            QStringList modals;
            QList<Shown> shown;
            ModalWatcher watcher(modals);
            watcher.answer = [&shown](QWidget* w) {
                shown.append({QString::fromLatin1(w->metaObject()->className()), w->geometry(), w->frameGeometry()});
                static_cast<QDialog*>(w)->reject();
            };
            dialog.open(p);
            ASSERT_FALSE(::testing::Test::HasFatalFailure());
            ASSERT_EQ(shown.size(), 1) << modals.join(", ").toStdString();
            EXPECT_EQ(shown[0].className, dialog.className);
            EXPECT_TRUE(screen.contains(shown[0].frame)) << describe(shown[0].frame);
            if (dialog.placement) {
                // At its placement, moved in only as far as the screen's edges ask.
                const QPoint placement = dialog.placement(p);
                const QSize size = shown[0].frame.size();
                const QPoint expected(std::min(placement.x(), screen.right() + 1 - size.width()),
                                      std::min(placement.y(), screen.bottom() + 1 - size.height()));
                EXPECT_EQ(describe(shown[0].frame), describe(QRect(expected, size)));
            } else if (mainWindow.roomToCentre) {
                const QPoint off = shown[0].geometry.center() - p.main.geometry().center();
                EXPECT_TRUE(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1)
                    << describe(shown[0].geometry) << " over " << describe(p.main.geometry());
            }
        }

        {
            // A message box asked from within a dialog (the water-test dialog
            // refusing a pH of 99.5 on OK) opens centred over that dialog,
            // which the keeper has moved off the main window's centre.
            SCOPED_TRACE("a message box over the water-test dialog");
            Program p;
            p.main.resize(480, 360);
            p.main.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.main));
            p.main.move(mainWindow.at);
            QApplication::setActiveWindow(mainWindow.active ? &p.main : nullptr);
            QCoreApplication::processEvents();
            p.logbookAt(LogbookWindow::TabWater);
            p.showMessageBoxes();
            QStringList modals;
            QList<Shown> shown;
            QRect dialogAt;
            ModalWatcher watcher(modals);
            watcher.answer = [&](QWidget* w) {
                shown.append({QString::fromLatin1(w->metaObject()->className()), w->geometry(), w->frameGeometry()});
                if (shown.size() == 1) {
                    w->move(w->pos() - QPoint(60, 20));
                    dialogAt = w->geometry();
                    child<QLineEdit>(w, "phEdit")->setText(QStringLiteral("99.5"));
                    QTimer::singleShot(0, w, [w, active = mainWindow.active] {
                        if (!active) {
                            QApplication::setActiveWindow(nullptr);
                            QCoreApplication::processEvents();
                            EXPECT_EQ(QApplication::activeWindow(), nullptr);
                        }
                        QTest::mouseClick(child<QPushButton>(w, "okButton"), Qt::LeftButton);
                    });
                } else {
                    static_cast<QDialog*>(w)->reject();
                }
            };
            p.trigger(&p.main, "newEntryAction");
            ASSERT_EQ(shown.size(), 3) << modals.join(", ").toStdString();
            EXPECT_EQ(shown[1].className, "QMessageBox");
            EXPECT_EQ(shown[2].className, "WaterTestDialog");
            const QPoint off = shown[1].geometry.center() - dialogAt.center();
            EXPECT_TRUE(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1)
                << describe(shown[1].geometry) << " over " << describe(dialogAt) << ", the main window at "
                << describe(p.main.geometry());
        }

        Program p;
        p.main.resize(480, 360);
        p.main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.main));
        p.main.move(mainWindow.at);
        p.trigger(&p.main, "helpContentsAction");
        auto* help = p.main.findChild<HelpWindow*>();
        ASSERT_TRUE(help && help->isVisible());
        EXPECT_TRUE(screen.contains(help->frameGeometry())) << "help " << describe(help->frameGeometry());
        // The keeper drags it partly off the screen, minimizes it and brings it back.
        const QPoint dragged = screen.bottomRight() - QPoint(200, 150);
        help->move(dragged);
        help->showMinimized();
        QCoreApplication::processEvents();
        help->showNormal();
        QCoreApplication::processEvents();
        EXPECT_EQ(describe(help->frameGeometry()), describe(QRect(dragged, help->frameGeometry().size())));
    }
}

// The main window opens whole on its screen, status bar and all: at its
// designed 800x560 where the screen has room, smaller where it has not. (The
// window system puts it at the screen's top left corner.)
TEST(MainWindow, OpensWholeOnItsScreenAtItsDesignedSizeWhereThereIsRoom)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 3);
    for (QScreen* screen : screens) {
        const QRect room = screen->availableGeometry();
        SCOPED_TRACE(describe(room));
        TestEnv env;
        MainWindow main(*env.ctx);
        main.move(room.topLeft());
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        const QSize frameExtra = main.frameGeometry().size() - main.size();
        EXPECT_TRUE(room.contains(main.frameGeometry())) << describe(main.frameGeometry());
        EXPECT_EQ(main.size(), QSize(800, 560).boundedTo(room.size() - frameExtra));
        const auto* status = child<QStatusBar>(main, "statusBar");
        EXPECT_TRUE(room.contains(QRect(status->mapToGlobal(QPoint(0, 0)), status->size())));
    }
}
