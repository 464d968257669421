// The logbook window: tank tree, filled lists, menu states, header sorting and
// the water-test commands acting on the selected entry of the selected tank.
#include "app/MainWindow.h"
#include "core/TankStore.h"
#include "logbook/ui/WaterTestDialog.h"
#include "logbook/ui/LogbookWindow.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QHeaderView>
#include <gtest/gtest.h>

namespace {

struct Logbook {
    TestEnv env;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<LogbookWindow> log;
    QHash<QString, QString> ids;   // tank name -> key

    explicit Logbook(const QStringList& tanks = {"Reef", "Zeta", "angel"})
    {
        TankStore store(env.ctx->db());
        int s = 0;
        for (const QString& name : tanks) {
            TankRecord t;
            t.tankname = name;
            t.watertype = "3";
            store.add(t, env.clock.now().addSecs(s++));
            ids.insert(name, t.tankid);
        }
        main = std::make_unique<MainWindow>(*env.ctx);
        log = std::make_unique<LogbookWindow>(*env.ctx, main.get());
        log->showPopup = [](QMenu*, const QPoint&) {};
        log->activate();
    }
    qint64 addTest(const QString& tank, const QDate& d, const QTime& t, double ph, double ammonia = 0.25)
    {
        WaterLogRecord r;
        r.tankid = ids.value(tank);
        r.logdate = d;
        r.logtime = t;
        r.ph = ph;
        r.ammonia = ammonia;
        WaterLogStore(env.ctx->db()).insert(r);
        return r.rowid;
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < log->waterModel()->rowCount(); ++r)
            out << log->waterModel()->text(r, c);
        return out;
    }
    void selectRow(int row) const
    {
        log->lstv_WaterLog->setCurrentIndex(log->waterModel()->index(row, 0));
    }
    QAction* button(const char* key) const { return log->toolbarButton(key); }
};

// Runs `script` on the modal dialog that the next exec() shows.
template <typename Dialog>
void onNextDialog(std::function<void(Dialog*)> script)
{
    QTimer::singleShot(0, [script] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        script(dlg);
        if (dlg->isVisible())
            dlg->reject();
    });
}

} // namespace

TEST(WaterlogWindow, TreeListsAllTanksThenTanksByName)
{
    Logbook lb;
    QTreeWidgetItem* root = lb.log->TreeView1->topLevelItem(0);
    ASSERT_TRUE(root);
    EXPECT_EQ(lb.log->TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), "All Tanks");
    QStringList names;
    for (int i = 0; i < root->childCount(); ++i)
        names << root->child(i)->text(0);
    EXPECT_EQ(names, (QStringList{"angel", "Reef", "Zeta"}));
    EXPECT_EQ(lb.log->TreeView1->currentItem(), root);
    EXPECT_FALSE(lb.log->setupPending());
    EXPECT_EQ(lb.log->captionPanel(1), "All Tanks");
    EXPECT_EQ(lb.log->captionPanel(2), "Contents of Water Quality Log for 'All Tanks'");
    EXPECT_EQ(lb.env.ctx->currentTankID, "All Tanks");
    EXPECT_EQ(lb.log->currentTankName(), "");
}

TEST(WaterlogWindow, SelectingATankFillsItsListFormatted)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 3, 1), QTime(14, 0, 0), 7);
    lb.addTest("Reef", QDate(2026, 2, 1), QTime(9, 30, 5), 8.25, 0);
    lb.addTest("Zeta", QDate(2026, 1, 1), QTime(9, 0, 0), 6);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    EXPECT_EQ(lb.column(0), (QStringList{"02/01/26 - 09:30:05 am", "03/01/26 - 02:00:00 pm"}));
    EXPECT_EQ(lb.column(1), (QStringList{"8.25", "7.00"}));
    EXPECT_EQ(lb.column(2), (QStringList{"0.000", "0.250"}));
    EXPECT_EQ(lb.log->captionPanel(2), "Contents of Water Quality Log for 'Reef'");
    EXPECT_EQ(lb.log->currentTankName(), "Reef");
    EXPECT_EQ(lb.env.ctx->currentTankName, "Reef");
    EXPECT_EQ(lb.env.ctx->currentTankID, lb.ids["Reef"]);

    lb.log->tab_logtype->setCurrentIndex(LogbookWindow::TabLivestock);
    EXPECT_EQ(lb.log->captionPanel(2), "Contents of Livestock Log for 'Reef'");
    EXPECT_EQ(lb.env.ctx->currentWaterType, "3");
    lb.log->tab_logtype->setCurrentIndex(LogbookWindow::TabMaint);
    EXPECT_EQ(lb.log->captionPanel(2), "Contents of Maintenance Log for 'Reef'");

    // Back to "All Tanks": empty lists, the last tank's name stays.
    lb.log->tab_logtype->setCurrentIndex(LogbookWindow::TabWater);
    ASSERT_TRUE(lb.log->selectNode("All Tanks"));
    EXPECT_EQ(lb.log->waterModel()->rowCount(), 0);
    EXPECT_EQ(lb.log->currentTankName(), "Reef");
}

TEST(WaterlogWindow, MenuStatesFollowTankAndTab)
{
    struct Case {
        QString node;
        int tab;
        bool entries;   // New/Open/Delete, pop-up and toolbar add/change/delete, print, tank items
        bool move;      // File Move, toolbar move, pop-up move shown
    };
    const QList<Case> cases = {
        {"Reef", LogbookWindow::TabWater, true, false},
        {"Reef", LogbookWindow::TabMaint, true, false},
        {"Reef", LogbookWindow::TabLivestock, true, true},
        {"All Tanks", LogbookWindow::TabWater, false, false},
        {"All Tanks", LogbookWindow::TabMaint, false, false},
        {"All Tanks", LogbookWindow::TabLivestock, false, true},
    };
    for (const Case& c : cases) {
        Logbook lb;
        lb.log->tab_logtype->setCurrentIndex(c.tab);
        ASSERT_TRUE(lb.log->selectNode(c.node));
        MainWindow& w = *lb.main;
        const std::string at = c.node.toStdString() + " tab " + std::to_string(c.tab);
        for (QAction* a : {w.findChild<QAction*>("newEntryAction"), w.findChild<QAction*>("openEntryAction"),
                           w.findChild<QAction*>("deleteEntryAction"), w.findChild<QAction*>("logNewEntryAction"),
                           w.findChild<QAction*>("logOpenEntryAction"), w.findChild<QAction*>("logDeleteEntryAction"),
                           w.findChild<QAction*>("printAction"), w.findChild<QAction*>("deleteTankAction"),
                           w.findChild<QAction*>("tankPropertiesAction"),
                           lb.button("addentries"), lb.button("changeentries"), lb.button("deleteentries")})
            EXPECT_EQ(a->isEnabled(), c.entries) << at << " " << a->objectName().toStdString();
        EXPECT_EQ(w.findChild<QMenu*>("logMenu")->isEnabled(), c.entries) << at;
        EXPECT_EQ(w.findChild<QAction*>("moveEntryAction")->isEnabled(), c.move) << at;
        EXPECT_EQ(lb.button("moveentries")->isEnabled(), c.move) << at;
        EXPECT_EQ(w.findChild<QAction*>("logMoveEntryAction")->isVisible(), c.move) << at;
        EXPECT_EQ(w.findChild<QAction*>("logMoveSeparator")->isVisible(), c.move) << at;
        EXPECT_TRUE(lb.button("printentries")->isEnabled());
        EXPECT_TRUE(lb.button("refresh")->isEnabled());
        const QString t = lb.log->tab_logtype->tabText(c.tab);
        EXPECT_EQ(w.findChild<QAction*>("newEntryAction")->text(), "New " + t + " Entry...");
        EXPECT_EQ(w.findChild<QAction*>("openEntryAction")->text(), "Open " + t + " Entry...");
        EXPECT_EQ(w.findChild<QAction*>("deleteEntryAction")->text(), "Delete " + t + " Entry...");
        EXPECT_EQ(w.findChild<QAction*>("logDeleteEntryAction")->text(),
                  w.findChild<QAction*>("deleteEntryAction")->text());
        if (!c.entries)
            EXPECT_EQ(w.findChild<QAction*>("tankPropertiesAction")->text(), "(no tank selected) Properties...");

        // Activating again keeps the entry commands as the selection allows.
        lb.log->activate();
        EXPECT_EQ(w.findChild<QAction*>("newEntryAction")->isEnabled(), c.entries) << at;
        EXPECT_EQ(w.findChild<QAction*>("printAction")->text(), "&Print Entries...");
    }
}

// A shown logbook: every toolbar button takes a click (nothing lies over the
// toolbar), and a click on the tank already selected refills its list.
TEST(WaterlogWindow, ShownWindowTakesToolbarAndNodeClicks)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    lb.addTest("Reef", QDate(2026, 1, 2), QTime(8, 0, 0), 10);
    lb.log->resize(640, 400);
    lb.log->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(lb.log.get()));
    for (const char* key : {"addentries", "changeentries", "deleteentries", "moveentries", "printentries",
                            "graphentries", "refresh"}) {
        QWidget* button = lb.log->Toolbar1->widgetForAction(lb.button(key));
        ASSERT_TRUE(button) << key;
        const QPoint centre = button->mapTo(lb.log.get(), button->rect().center());
        EXPECT_EQ(lb.log->childAt(centre), button) << key;
    }

    ASSERT_TRUE(lb.log->selectNode("Reef"));
    lb.log->lstv_ColumnClick(LogbookWindow::TabWater, 1);
    ASSERT_EQ(lb.column(1), (QStringList{"10.00", "9.00"}));
    QTreeWidgetItem* reef = lb.log->TreeView1->currentItem();
    const QPoint at = lb.log->TreeView1->visualItemRect(reef).center();
    QTest::mouseClick(lb.log->TreeView1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(lb.log->TreeView1->currentItem(), reef);
    EXPECT_EQ(lb.column(1), (QStringList{"9.00", "10.00"}));
}

TEST(WaterlogWindow, TankPopupNamesTheSelectedTank)
{
    Logbook lb;
    ASSERT_TRUE(lb.log->selectNode("Zeta"));
    lb.log->TreeView1_MouseUp(Qt::RightButton, QPoint());
    EXPECT_EQ(lb.main->findChild<QAction*>("tankPropertiesAction")->text(), "Zeta Properties...");
    ASSERT_TRUE(lb.log->selectNode("All Tanks"));
    lb.log->TreeView1_MouseUp(Qt::RightButton, QPoint());
    EXPECT_EQ(lb.main->findChild<QAction*>("tankPropertiesAction")->text(), "(no tank selected) Properties...");
}

TEST(WaterlogWindow, DateHeaderRequeriesOtherHeadersSortByValue)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    lb.addTest("Reef", QDate(2026, 1, 2), QTime(8, 0, 0), 10);
    lb.addTest("Reef", QDate(2026, 1, 3), QTime(8, 0, 0), 8.5);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    EXPECT_EQ(lb.column(1), (QStringList{"9.00", "10.00", "8.50"}));
    lb.log->lstv_ColumnClick(LogbookWindow::TabWater, 1);
    EXPECT_EQ(lb.column(1), (QStringList{"8.50", "10.00", "9.00"}));   // newest first
    lb.log->lstv_ColumnClick(LogbookWindow::TabWater, 1);
    EXPECT_EQ(lb.column(1), (QStringList{"9.00", "10.00", "8.50"}));
    lb.log->lstv_ColumnClick(LogbookWindow::TabWater, 2);
    EXPECT_EQ(lb.column(1), (QStringList{"8.50", "9.00", "10.00"}));
    lb.log->lstv_ColumnClick(LogbookWindow::TabWater, 2);
    EXPECT_EQ(lb.column(1), (QStringList{"10.00", "9.00", "8.50"}));
    // A refill keeps the list's own sorting.
    lb.log->Refresh_Listview("ascending");
    EXPECT_EQ(lb.column(1), (QStringList{"10.00", "9.00", "8.50"}));
}

TEST(WaterlogWindow, NothingSelectedNotices)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    lb.log->changeEntry();
    lb.log->deleteEntry();
    lb.log->moveEntry();
    EXPECT_EQ(lb.env.messages.texts(),
              (QStringList{"You must first select a log entry to change.", "You must first select a log entry to delete",
                           "You must first select a log entry to move."}));
    for (const Message& m : lb.env.messages.shown) {
        EXPECT_EQ(m.title, "Note!");
        EXPECT_EQ(m.icon, MsgIcon::Information);
    }
}

TEST(WaterlogWindow, DeleteAsksExactlyAndCancelKeepsTheEntry)
{
    Logbook lb;
    lb.env.ctx->settings.dateMask = "DD-MM-YY";   // the question keeps month/day/year
    lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    lb.selectRow(0);
    lb.env.messages.answers.enqueue(MsgResult::Cancel);
    lb.log->deleteEntry();
    ASSERT_EQ(lb.env.messages.shown.size(), 1);
    const Message& q = lb.env.messages.shown.first();
    EXPECT_EQ(q.text, "Are you sure you want to delete the  03/04/26, 01:05:09 pm entry for the Reef tank?   "
                      "(Remember, you CANNOT \"undo\" a delete!)");
    EXPECT_EQ(q.title, "Are you sure...");
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(lb.env.beeper.count, 1);
    EXPECT_EQ(lb.log->waterModel()->rowCount(), 1);

    lb.log->deleteEntry();   // answered OK
    EXPECT_EQ(lb.log->waterModel()->rowCount(), 0);
    EXPECT_TRUE(WaterLogStore(lb.env.ctx->db()).list(lb.ids["Reef"], SortOrder::Ascending).isEmpty());
}

TEST(WaterlogWindow, SameMomentEntriesAreChangedAndDeletedApart)
{
    Logbook lb;
    const qint64 first = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    const qint64 second = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 8);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    ASSERT_EQ(lb.log->waterModel()->rowidAt(1), second);
    lb.selectRow(1);
    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Change Log Entry for Reef Tank");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("phEdit")->text(), "8.000");
        dlg->findChild<QLineEdit*>("phEdit")->setText("8.4");
        dlg->accept();
    });
    lb.log->changeEntry();
    WaterLogStore store(lb.env.ctx->db());
    EXPECT_DOUBLE_EQ(*store.get(first)->ph, 7);
    EXPECT_DOUBLE_EQ(*store.get(second)->ph, 8.4);

    lb.selectRow(lb.log->waterModel()->rowOf(second));
    lb.log->deleteEntry();
    EXPECT_TRUE(store.get(first));
    EXPECT_FALSE(store.get(second));
}

TEST(WaterlogWindow, AddWritesToTheLogbooksOwnTankAndListsIt)
{
    Logbook lb;
    lb.env.ctx->defWaterType = "SALT";
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    // Another window choosing another tank does not redirect the logbook.
    lb.env.ctx->currentTankID = lb.ids["Zeta"];
    lb.env.ctx->currentTankName = "Zeta";
    lb.button("graphentries")->setEnabled(false);
    onNextDialog<WaterTestDialog>([&](WaterTestDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Add a log entry for Reef Tank");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("phEdit")->text(), "8.40");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("sgEdit")->text(), "1.023");
        EXPECT_FALSE(lb.main->findChild<QAction*>("printAction")->isEnabled());   // the dialog claims File > Print
        dlg->accept();
    });
    lb.log->addEntry();
    EXPECT_TRUE(lb.env.messages.shown.isEmpty()) << lb.env.messages.texts().join("|").toStdString();
    EXPECT_EQ(lb.column(0), QStringList{"12/08/26 - 02:05:09 pm"});
    EXPECT_EQ(lb.column(1), QStringList{"8.40"});
    EXPECT_TRUE(lb.button("graphentries")->isEnabled());
    // The dialog gave File > Print back to the logbook.
    EXPECT_EQ(lb.main->findChild<QAction*>("printAction")->text(), "&Print Entries...");
    EXPECT_TRUE(lb.main->findChild<QAction*>("printAction")->isEnabled());
    EXPECT_EQ(WaterLogStore(lb.env.ctx->db()).list(lb.ids["Reef"], SortOrder::Ascending).size(), 1);
    EXPECT_TRUE(WaterLogStore(lb.env.ctx->db()).list(lb.ids["Zeta"], SortOrder::Ascending).isEmpty());

    // Cancel writes nothing.
    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) { dlg->reject(); });
    lb.log->addEntry();
    EXPECT_EQ(lb.log->waterModel()->rowCount(), 1);
}

TEST(WaterlogWindow, AllTanksSelectedWritesNothing)
{
    Logbook lb;
    const qint64 id = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    lb.selectRow(0);
    ASSERT_TRUE(lb.log->selectNode("All Tanks"));
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            dialogShown = true;
            w->close();
        }
    });
    for (int tab : {LogbookWindow::TabWater, LogbookWindow::TabLivestock, LogbookWindow::TabMaint}) {
        lb.log->tab_logtype->setCurrentIndex(tab);
        lb.log->addEntry();
        lb.log->changeEntry();
        lb.log->deleteEntry();
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(lb.env.messages.shown.isEmpty());
    EXPECT_TRUE(WaterLogStore(lb.env.ctx->db()).get(id));
    QSqlQuery q("SELECT (SELECT COUNT(*) FROM waterlog) + (SELECT COUNT(*) FROM livestock) + "
                "(SELECT COUNT(*) FROM maintlog)",
                lb.env.ctx->db());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
}

TEST(WaterlogWindow, AwkwardTankNamesListOnlyTheirOwnTests)
{
    Logbook lb({"tankname", "O'Brien"});
    lb.addTest("tankname", QDate(2026, 1, 1), QTime(8, 0, 0), 6.5);
    lb.addTest("O'Brien", QDate(2026, 1, 2), QTime(8, 0, 0), 7.5);
    ASSERT_TRUE(lb.log->selectNode("tankname"));
    EXPECT_EQ(lb.column(1), QStringList{"6.50"});
    ASSERT_TRUE(lb.log->selectNode("O'Brien"));
    EXPECT_EQ(lb.column(1), QStringList{"7.50"});
    EXPECT_EQ(lb.log->captionPanel(2), "Contents of Water Quality Log for 'O'Brien'");
}

TEST(WaterlogWindow, SortSettingIsReadOnRebuildAndSavedOnClose)
{
    Logbook lb;
    EXPECT_EQ(lb.log->sortSetting(), "1");
    lb.env.store.values.insert("WQ_Sort", "2");
    lb.log->refreshTankTree();
    EXPECT_EQ(lb.log->sortSetting(), "2");
    lb.env.store.values.insert("WQ_Sort", "changed elsewhere");
    lb.log->close();
    EXPECT_EQ(lb.env.store.values.value("WQ_Sort"), "2");
    EXPECT_FALSE(lb.main->findChild<QAction*>("newEntryAction")->isEnabled());
    EXPECT_FALSE(lb.main->findChild<QAction*>("deleteEntryAction")->isEnabled());
}

#include "app/Wiring.h"
#include "core/ui/EntryWidgets.h"
#include "logbook/ui/LivestockEntryDialog.h"
#include "logbook/ui/MaintenanceEntryDialog.h"

TEST(WaterlogWindow, OpenedFromTheMainWindowBuildsItselfAndTakesFileCommands)
{
    TestEnv env;
    TankRecord t;
    t.tankname = "Reef";
    t.watertype = "3";
    TankStore(env.ctx->db()).add(t, env.clock.now());
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    main.showChild("LogbookWindow");
    QCoreApplication::processEvents();
    auto* log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
    ASSERT_TRUE(log);
    EXPECT_FALSE(log->setupPending());
    ASSERT_EQ(log->TreeView1->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(main.findChild<QAction*>("printAction")->text(), "&Print Entries...");
    ASSERT_TRUE(log->selectNode("Reef"));
    EXPECT_TRUE(main.findChild<QAction*>("newEntryAction")->isEnabled());

    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) { dlg->accept(); });
    main.findChild<QAction*>("newEntryAction")->trigger();
    EXPECT_EQ(log->waterModel()->rowCount(), 1);

    // Closing the window saves the sort setting and takes the entry commands away.
    main.mdiArea()->closeAllSubWindows();
    QCoreApplication::processEvents();
    EXPECT_EQ(main.childWindow("LogbookWindow", false), nullptr);
    EXPECT_EQ(env.store.values.value("WQ_Sort"), "1");
    EXPECT_FALSE(main.findChild<QAction*>("newEntryAction")->isEnabled());
    EXPECT_FALSE(main.findChild<QAction*>("moveEntryAction")->isEnabled());
}

TEST(WaterlogWindow, LivestockAndMaintenanceAddsOpenTheirDialogsPreset)
{
    Logbook lb;
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    lb.log->tab_logtype->setCurrentIndex(LogbookWindow::TabLivestock);
    onNextDialog<LivestockEntryDialog>([](LivestockEntryDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), " Livestock Detail for Reef");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("quantityEdit")->text(), "1");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("timeAddedEdit")->text(), "02:05:09 pm");
        QTest::mouseClick(dlg->findChild<QWidget*>("cancelButton"), Qt::LeftButton);
    });
    lb.log->addEntry();
    lb.log->tab_logtype->setCurrentIndex(LogbookWindow::TabMaint);
    onNextDialog<MaintenanceEntryDialog>([](MaintenanceEntryDialog* dlg) {
        EXPECT_EQ(dlg->findChild<QLineEdit*>("quantityEdit")->text(), "0");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("descriptionEdit")->text(), " ");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("notesEdit")->text(), " ");
        dlg->reject();
    });
    lb.log->addEntry();
    QSqlQuery q("SELECT (SELECT COUNT(*) FROM livestock) + (SELECT COUNT(*) FROM maintlog)", lb.env.ctx->db());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}

// Every column is at least as wide as designed, and the date-and-time and
// number columns are wide enough to show their values whole in the list's font.
TEST(WaterlogWindow, ColumnsShowTheirValuesWhole)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 12, 28), QTime(23, 59, 59), 8.25, 0.25);
    ASSERT_TRUE(lb.log->selectNode("Reef"));
    QTreeView* view = lb.log->lstv_WaterLog;
    const LogListModel* model = lb.log->waterModel();
    for (int c = 0; c < model->columnCount(); ++c) {
        const int designed = model->headerData(c, Qt::Horizontal, LogListModel::WidthTwipsRole).toInt()
            * view->logicalDpiX() / 1440;
        EXPECT_GE(view->header()->sectionSize(c), designed) << c;
        if (c <= 11)   // the date-and-time item and the formatted measurements
            EXPECT_GT(view->header()->sectionSize(c), view->fontMetrics().horizontalAdvance(model->text(0, c)))
                << model->text(0, c).toStdString();
    }
}
