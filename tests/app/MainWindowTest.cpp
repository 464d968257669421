// The main window: menus, toolbar, command routing, File > Print takeover,
// window arrangement, the diagnosis loop and the no-tank check.
#include "AppTestSupport.h"
#include "core/ui/HelpWindow.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
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
        main.hooks.addNewTank = [this] { hookCalls << "addNewTank"; };
        main.hooks.changeTankInfo = [this](const QString& n) { hookCalls << "changeTankInfo:" + n; };
        main.hooks.deleteTankInfo = [this](const QString& n) { hookCalls << "deleteTankInfo:" + n; };
        main.hooks.showOptions = [this](int tab) { hookCalls << QString("showOptions:%1").arg(tab); };
        main.hooks.backupDatabase = [this] { hookCalls << "backupDatabase"; };
        main.hooks.graphChart = [this] { hookCalls << "graphChart"; };
        main.hooks.questionDisclaimer = [this] {
            hookCalls << "questionDisclaimer";
            main.DoneCheckingDiagnosis = true;
        };
        main.resize(900, 600);
        main.show();
        QApplication::setActiveWindow(&main);
    }
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

} // namespace

TEST(MainWindow, MenuCaptionsShortcutsAndInitialStates)
{
    Shell s;
    MainWindow& m = s.main;
    const struct {
        QAction* action;
        const char* caption;
        const char* shortcut;
        bool enabled;
        bool visible;
        bool checked;
    } rows[] = {
        {m.mnu_File->menuAction(), "&File", "", true, true, false},
        {m.mnu_FileNew, "&New Log Entry", "Ctrl+N", false, true, false},
        {m.mnu_FileOpen, "&Open Log Entry", "Ctrl+O", false, true, false},
        {m.mnu_FileDelete, "&Delete Log Entry", "", false, true, false},
        {m.mnu_FileMoveEntry, "&Move Log Entry...", "", false, true, false},
        {m.mnu_FileBackup, "&Backup Database", "", true, true, false},
        {m.mnu_FileProperties, "Propert&ies", "", false, false, false},
        {m.mnu_FilePageSetup, "Page Set&up...", "", true, false, false},
        {m.mnu_FilePrint, "&Print", "", false, true, false},
        {m.mnu_Exit, "&Exit", "", true, true, false},
        {m.mnu_Edit->menuAction(), "&Edit", "", true, false, false},
        {m.mnu_EditUndo, "&Undo", "Ctrl+Z", true, true, false},
        {m.mnu_EditCut, "Cu&t", "Ctrl+X", true, true, false},
        {m.mnu_EditCopy, "&Copy ", "Ctrl+C", true, true, false},
        {m.mnu_EditPaste, "&Paste", "Ctrl+V", true, true, false},
        {m.mnu_View->menuAction(), "&View", "", true, true, false},
        {m.mnu_ViewToolbar, "&Toolbar", "", true, true, true},
        {m.mnu_ViewStatusbar, "Status &Bar", "", true, true, true},
        {m.mnu_ViewRefresh, "&Refresh", "", true, true, false},
        {m.mnu_ViewOptions, "&Options...", "", true, true, false},
        {m.mnu_ViewBrowser, "&Web Browser", "", true, false, false},
        {m.mnu_Tools->menuAction(), "&Tools", "", true, true, false},
        {m.mnu_ToolsTanksetup, "&Tank Setup", "Ctrl+T", true, true, false},
        {m.mnu_ToolsLogbook, "&Logbook", "Ctrl+L", true, true, false},
        {m.mnu_ToolsGraphing, "&Graphing", "Ctrl+G", true, true, false},
        {m.mnu_ToolsCompatibility, "Co&mpatibility", "Ctrl+M", true, true, false},
        {m.mnu_ToolsDisease, "&Disease Diagnosis", "Ctrl+D", true, true, false},
        {m.mnu_ToolsRemindersAddEdit, "&Add or Change Reminders", "Ctrl+E", true, true, false},
        {m.mnu_ToolsReminderSchedule, "View Reminder &Schedule", "Ctrl+S", true, true, false},
        {m.mnu_ToolsFantasy, "&Fantasy Tank", "Ctrl+F", true, true, false},
        {m.mnu_ToolsCommonNames, "Common / Latin &Names Cross-reference", "", true, true, false},
        {m.mnu_ToolsConversions, "&Conversion Calculator", "", true, true, false},
        {m.mnu_Window->menuAction(), "&Window", "", true, true, false},
        {m.mnu_WindowCascade, "&Cascade", "", true, true, false},
        {m.mnu_WindowTileHorizontal, "Tile &Horizontal", "", true, true, false},
        {m.mnu_WindowTileVertical, "Tile &Vertical", "", true, true, false},
        {m.mnu_WindowArrangeIcons, "&Arrange Icons", "", true, true, false},
        {m.mnu_Help->menuAction(), "&Help", "", true, true, false},
        {m.mnu_HelpContents, "&Contents", "", true, true, false},
        {m.mnu_HelpSearch, "&Search For Help On...", "", true, true, false},
        {m.mnu_HelpTod, "Tip of the Day", "", true, true, false},
        {m.mnu_HelpAbout, "&About Brinestead...", "", true, true, false},
        {m.mnu_TankAddNew, "New Tank...", "", true, true, false},
        {m.mnu_TankDelete, "Delete Tank", "", true, true, false},
        {m.mnu_TankProperties, "Properties...", "", true, true, false},
        {m.mnu_LogPopup_New, "New", "", true, true, false},
        {m.mnu_Logpopup_Open, "Open", "", true, true, false},
        {m.mnu_LogPopup_Delete, "Delete", "", true, true, false},
        {m.mnu_LogPopup_Move, "Move to Tank...", "", true, true, false},
        {m.mnu_GraphOptions, "Graph Options", "", true, true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.caption);
        ASSERT_NE(r.action, nullptr);
        EXPECT_EQ(r.action->text(), QString::fromLatin1(r.caption));
        EXPECT_EQ(shortcutText(r.action), QString::fromLatin1(r.shortcut));
        EXPECT_EQ(r.action->isVisible(), r.visible);
        if (r.visible)   // Qt reports every hidden item as disabled
            EXPECT_EQ(r.action->isEnabled(), r.enabled);
        EXPECT_EQ(r.action->isChecked(), r.checked);
    }
    EXPECT_EQ(m.windowTitle(), " Brinestead 98");
    // The pop-ups never appear in the menu bar.
    const QList<QAction*> barItems = m.menuBar()->actions();
    for (QMenu* popup : {m.mnu_tankPopup, m.mnu_LogPopup, m.mnu_GraphPopup})
        EXPECT_FALSE(barItems.contains(popup->menuAction())) << popup->title().toStdString();
    EXPECT_EQ(m.mnu_tankPopup->title(), "tank_popup");
    EXPECT_EQ(m.mnu_LogPopup->title(), "log_popup");
    EXPECT_EQ(m.mnu_GraphPopup->title(), "graph_popup");
    EXPECT_TRUE(m.Toolbar1->isVisible());
    EXPECT_TRUE(m.sbStatusBar->isVisible());
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
    const QList<QAction*> actions = s.main.Toolbar1->actions();
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
        QAction* MainWindow::*item;
        const char* effect;   // a child window shown, or a hook called
    } rows[] = {
        {"tanksetup", &MainWindow::mnu_ToolsTanksetup, "showTankList"},
        {"logbook", &MainWindow::mnu_ToolsLogbook, "LogbookWindow"},
        {"graphing", &MainWindow::mnu_ToolsGraphing, "graphChart"},
        {"compatability", &MainWindow::mnu_ToolsCompatibility, "CompatibilityWindow"},
        {"diagnose", &MainWindow::mnu_ToolsDisease, "questionDisclaimer"},
        {"maintsched", &MainWindow::mnu_ToolsRemindersAddEdit, "ReminderListWindow"},
        {"viewschedule", &MainWindow::mnu_ToolsReminderSchedule, "ScheduleWindow"},
        {"fantasy", &MainWindow::mnu_ToolsFantasy, "FantasyTankWindow"},
        {"commonnames", &MainWindow::mnu_ToolsCommonNames, "NamesCrossReferenceWindow"},
        {"conversions", &MainWindow::mnu_ToolsConversions, "ConversionCalculatorWindow"},
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
                (s.main.*(r.item))->trigger();
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
    s.main.Toolbar1_ButtonClick("no such key");
    EXPECT_TRUE(s.hookCalls.isEmpty());
}

TEST(MainWindow, CommandsOfUnregisteredWindowsOpenNothing)
{
    Shell s;
    s.main.mnu_ToolsCompatibility->trigger();
    s.main.mnu_ToolsLogbook->trigger();
    EXPECT_EQ(s.main.activeChild(), nullptr);
    EXPECT_TRUE(s.main.mdiArea()->subWindowList().isEmpty());
}

TEST(MainWindow, ShowingAnOpenChildAgainBringsItToTheFront)
{
    Shell s;
    FakeChild* a = s.addChild("CompatibilityWindow", std::nullopt);
    s.addChild("FantasyTankWindow", std::nullopt);
    s.main.mnu_ToolsCompatibility->trigger();
    EXPECT_EQ(s.created.value("CompatibilityWindow"), 1);
    EXPECT_EQ(s.main.activeChild(), a);
}

TEST(MainWindow, FilePrintFollowsTheActiveChild)
{
    Shell s;
    FakeChild* log = s.addChild("LogbookWindow", FakeChild::Claim{true, "&Print Entries..."});
    EXPECT_TRUE(s.main.mnu_FilePrint->isEnabled());
    EXPECT_EQ(s.main.mnu_FilePrint->text(), "&Print Entries...");

    FakeChild* compat = s.addChild("CompatibilityWindow", FakeChild::Claim{false, "&Print"});
    EXPECT_FALSE(s.main.mnu_FilePrint->isEnabled());
    EXPECT_EQ(s.main.mnu_FilePrint->text(), "&Print");

    // The calculator leaves the item as the previous child set it.
    FakeChild* calc = s.addChild("ConversionCalculatorWindow", std::nullopt);
    EXPECT_FALSE(s.main.mnu_FilePrint->isEnabled());
    s.main.showChild("LogbookWindow");
    EXPECT_TRUE(s.main.mnu_FilePrint->isEnabled());
    s.main.showChild("ConversionCalculatorWindow");
    EXPECT_TRUE(s.main.mnu_FilePrint->isEnabled());
    EXPECT_EQ(s.main.mnu_FilePrint->text(), "&Print Entries...");

    // Print goes to the child in front, and only to it.
    s.main.showChild("LogbookWindow");
    s.main.mnu_FilePrint->trigger();
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
        EXPECT_TRUE(s.main.mnu_FilePrint->isEnabled());
    }
}

TEST(MainWindow, FilePrintWithoutChildDoesNothing)
{
    Shell s;
    QPointer<FakeChild> child = s.addChild("CompatibilityWindow", std::nullopt);
    ASSERT_TRUE(child);
    s.main.mnu_FilePrint_Click();
    EXPECT_EQ(child->prints, 1);

    // Once the last child has closed, File > Print reaches no window at all.
    s.main.mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    s.main.mnu_FilePrint_Click();
    EXPECT_TRUE(child.isNull() || child->prints == 1);
    EXPECT_TRUE(s.env.messages.shown.isEmpty());
    EXPECT_TRUE(s.hookCalls.isEmpty());
}

TEST(MainWindow, LogEntryCommandsReachTheLogbookOnlyWhileItIsVisible)
{
    Shell s;
    FakeLogbook* lb = s.addLogbook();
    ASSERT_NE(lb, nullptr);
    s.main.mnu_FileNew_Click();
    s.main.mnu_FileOpen_Click();
    s.main.mnu_FileDelete_Click();
    s.main.mnu_ViewRefresh_Click();
    s.main.mnu_LogPopup_Delete->trigger();
    EXPECT_EQ(lb->calls,
              (QStringList{"Add_Entries", "Change_Entries", "Delete_Entries", "Refresh_Treeview", "Delete_Entries"}));

    // Minimised to an icon, the logbook is still open and still answers.
    lb->calls.clear();
    QMdiSubWindow* frame = s.main.mdiArea()->subWindowList().first();
    frame->showMinimized();
    EXPECT_TRUE(s.main.logbookVisible());
    s.main.mnu_FileNew_Click();
    s.main.mnu_ViewRefresh_Click();
    EXPECT_EQ(lb->calls, (QStringList{"Add_Entries", "Refresh_Treeview"}));
    frame->showNormal();

    lb->calls.clear();
    lb->hide();
    s.main.mnu_FileNew_Click();
    s.main.mnu_FileOpen_Click();
    s.main.mnu_FileDelete_Click();
    s.main.mnu_ViewRefresh_Click();
    s.main.mnu_FileMoveEntry_Click();   // move has no visibility test
    EXPECT_EQ(lb->calls, QStringList{"Move_Entries"});
}

TEST(MainWindow, TankPopupCallsTheTankCommandsThenRebuildsTheTree)
{
    Shell s;
    FakeLogbook* lb = s.addLogbook();
    lb->tank = "Big Reef";
    s.main.mnu_TankAddNew->trigger();
    s.main.mnu_TankDelete->trigger();
    s.main.mnu_TankProperties->trigger();
    EXPECT_EQ(s.hookCalls, (QStringList{"addNewTank", "deleteTankInfo:Big Reef", "changeTankInfo:Big Reef"}));
    EXPECT_EQ(lb->calls, (QStringList{"Refresh_Treeview", "Refresh_Treeview", "Refresh_Treeview"}));
}

TEST(MainWindow, OptionsAndGraphOptions)
{
    Shell s;
    bool graphShowing = false;
    s.main.hooks.graphVisible = [&] { return graphShowing; };
    s.main.mnu_ViewOptions->trigger();
    s.main.mnu_GraphOptions->trigger();
    graphShowing = true;
    s.main.mnu_GraphOptions->trigger();
    EXPECT_EQ(s.hookCalls, (QStringList{"showOptions:0", "showOptions:1", "showOptions:1", "graphChart"}));
    s.main.mnu_FileBackup->trigger();
    EXPECT_EQ(s.hookCalls.last(), "backupDatabase");
}

TEST(MainWindow, ViewTogglesHideAndShowTheBars)
{
    Shell s;
    s.main.mnu_ViewToolbar->trigger();
    EXPECT_FALSE(s.main.Toolbar1->isVisible());
    EXPECT_FALSE(s.main.mnu_ViewToolbar->isChecked());
    s.main.mnu_ViewToolbar->trigger();
    EXPECT_TRUE(s.main.Toolbar1->isVisible());
    EXPECT_TRUE(s.main.mnu_ViewToolbar->isChecked());

    s.main.mnu_ViewStatusbar_Click();   // called directly, as well as from the menu
    EXPECT_FALSE(s.main.sbStatusBar->isVisible());
    EXPECT_FALSE(s.main.mnu_ViewStatusbar->isChecked());
    s.main.mnu_ViewStatusbar->trigger();
    EXPECT_TRUE(s.main.sbStatusBar->isVisible());
    EXPECT_TRUE(s.main.mnu_ViewStatusbar->isChecked());
}

TEST(MainWindow, WindowMenuListsOpenChildrenWithTheActiveOneChecked)
{
    Shell s;
    s.addChild("CompatibilityWindow", std::nullopt);
    s.addChild("FantasyTankWindow", std::nullopt);
    s.addChild("ConversionCalculatorWindow", std::nullopt);
    s.main.showChild("FantasyTankWindow");
    const QList<QAction*> list = s.main.windowListActions();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0]->text(), "&1 CompatibilityWindow");
    EXPECT_EQ(list[1]->text(), "&2 FantasyTankWindow");
    EXPECT_EQ(list[2]->text(), "&3 ConversionCalculatorWindow");
    EXPECT_FALSE(list[0]->isChecked());
    EXPECT_TRUE(list[1]->isChecked());
    EXPECT_FALSE(list[2]->isChecked());
    EXPECT_TRUE(s.main.mnu_Window->actions().contains(list[1]));

    list[0]->trigger();
    EXPECT_EQ(s.main.activeChild()->objectName(), "CompatibilityWindow");
    const QList<QAction*> again = s.main.windowListActions();
    ASSERT_EQ(again.size(), 3);
    EXPECT_TRUE(again[0]->isChecked());
    EXPECT_FALSE(again[1]->isChecked());
}

TEST(MainWindow, TilingStacksOrPlacesSideBySide)
{
    Shell s;
    s.addChild("CompatibilityWindow", std::nullopt);
    s.addChild("FantasyTankWindow", std::nullopt);
    const QRect area = s.main.mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> subs = s.main.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);

    s.main.mnu_WindowTileHorizontal->trigger();
    for (QMdiSubWindow* sub : subs) {
        EXPECT_EQ(sub->width(), area.width());
        EXPECT_NEAR(sub->height(), area.height() / 2, 1);
    }
    EXPECT_NE(subs[0]->y(), subs[1]->y());
    EXPECT_EQ(subs[0]->x(), subs[1]->x());

    s.main.mnu_WindowTileVertical->trigger();
    for (QMdiSubWindow* sub : subs) {
        EXPECT_EQ(sub->height(), area.height());
        EXPECT_NEAR(sub->width(), area.width() / 2, 1);
    }
    EXPECT_NE(subs[0]->x(), subs[1]->x());
    EXPECT_EQ(subs[0]->y(), subs[1]->y());

    s.main.mnu_WindowCascade->trigger();
    EXPECT_NE(subs[0]->pos(), subs[1]->pos());

    subs[0]->showMinimized();
    subs[1]->showMinimized();
    s.main.mnu_WindowArrangeIcons->trigger();
    EXPECT_EQ(subs[0]->y(), subs[1]->y());
    EXPECT_EQ(subs[0]->geometry().bottom(), area.height() - 1);
    EXPECT_FALSE(subs[0]->geometry().intersects(subs[1]->geometry()));
}

TEST(MainWindow, DiagnosisLoopRunsUntilTheWizardSaysDone)
{
    Shell s;
    int runs = 0;
    s.main.hooks.questionDisclaimer = [&] {
        ++runs;
        if (runs == 3)
            s.main.DoneCheckingDiagnosis = true;   // Cancel on the third run
    };
    s.main.DoneCheckingDiagnosis = true;   // left over from an earlier run: reset first
    s.main.toolbarButton("diagnose")->trigger();
    EXPECT_EQ(runs, 3);

    // The wizard may report through the shared context as well.
    runs = 0;
    s.main.hooks.questionDisclaimer = [&] {
        if (++runs == 2)
            s.env.ctx->doneCheckingDiagnosis = true;
    };
    s.main.mnu_ToolsDisease->trigger();
    EXPECT_EQ(runs, 2);
}

TEST(MainWindow, DiagnosisLoopEndsWhenAPageIsClosedThroughItsFrame)
{
    Shell s;
    int runs = 0;
    s.main.hooks.questionDisclaimer = [&] {
        ++runs;
        s.main.noteWindowClosedByFrame();   // the wizard forgot to count it as Cancel
    };
    s.main.mnu_ToolsDisease_Click();
    EXPECT_EQ(runs, 1);
    // Outside the loop the note means nothing; the next run starts afresh.
    s.main.noteWindowClosedByFrame();
    runs = 0;
    s.main.hooks.questionDisclaimer = [&] {
        if (++runs == 2)
            s.main.DoneCheckingDiagnosis = true;
    };
    s.main.mnu_ToolsDisease_Click();
    EXPECT_EQ(runs, 2);
}

TEST(MainWindow, TankSetupChecksTanksAgain)
{
    Shell s;
    s.main.mnu_ToolsTanksetup->trigger();
    EXPECT_EQ(s.env.messages.shown.size(), 1);
    EXPECT_EQ(s.env.messages.shown.last().title, "No Tanks Set Up Yet");
    EXPECT_FALSE(s.main.toolbarButton("logbook")->isEnabled());

    s.main.hooks.showTankList = [&] {
        QSqlQuery q(s.env.ctx->db());
        ASSERT_TRUE(q.exec("INSERT INTO TANKLST (tankid, tankname, TankWaterType) "
                           "VALUES ('12-08-2026 14:05:09', 'Pond', '5')"));
    };
    s.main.mnu_ToolsTanksetup->trigger();
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
    const QComboBox* box = s.main.cbo_Reminders;
    const int right = box->mapTo(&s.main, QPoint(box->width(), 0)).x();
    EXPECT_EQ(s.main.width() - right, MainWindow::kReminderMargin);
}

TEST(MainWindow, HelpContentsAndSearchOpenTheHelpWindow)
{
    Shell s;
    s.main.mnu_HelpContents->trigger();
    HelpWindow* help = s.main.helpWindow(false);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentTab(), HelpWindow::Tab::Contents);
    EXPECT_EQ(help->currentPage(), kHelpContentsPage);

    s.main.mnu_HelpSearch->trigger();
    EXPECT_EQ(help->currentTab(), HelpWindow::Tab::Index);
    EXPECT_TRUE(help->searchText().isEmpty());

    s.main.showHelpContext(MainWindow::kHelpContextBackup);
    EXPECT_EQ(help->currentPage(), "backup.html");
    EXPECT_TRUE(s.env.messages.shown.isEmpty());
}

TEST(MainWindow, ExitClosesTheMainWindowAndItsChildren)
{
    Shell s;
    QPointer<FakeChild> child = s.addChild("CompatibilityWindow", std::nullopt);
    s.main.mnu_Exit->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(s.main.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(child.isNull());
}
