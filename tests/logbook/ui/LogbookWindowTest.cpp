// The logbook window: tank tree, filled lists, menu states, header sorting and
// the water-test commands acting on the selected entry of the selected tank.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/TankStore.h"
#include "core/ui/OptionsDialog.h"
#include "core/ui/TankEditorDialog.h"
#include "scheduler/MaintSchedStore.h"
#include "logbook/ui/LivestockEntryDialog.h"
#include "logbook/NamesFile.h"
#include "logbook/ui/LogbookWindow.h"
#include "logbook/ui/MaintenanceEntryDialog.h"
#include "logbook/ui/WaterTestDialog.h"
#include "support/TestEnv.h"
#include "support/Controls.h"
#include "support/Files.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>

namespace {

// The texts of one column of a list, top to bottom.
QStringList columnTexts(const QTreeView* list, int column)
{
    QStringList out;
    const QAbstractItemModel* model = list->model();
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, column).data().toString();
    return out;
}

// A shown logbook beside a main window, over a few tanks.
struct Logbook {
    TestEnv env;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<LogbookWindow> log;
    QHash<QString, QString> ids;   // tank name -> key
    QList<QMenu*> popups;          // the pop-up menus the logbook showed

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
        log->showPopup = [this](QMenu* menu, const QPoint&) { popups << menu; };
        log->activate();
        log->resize(640, 400);
        log->show();
        if (!QTest::qWaitForWindowExposed(log.get()))
            throw std::runtime_error("the logbook was never shown");
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

    QTreeWidget* tree() const { return child<QTreeWidget>(log.get(), "tankTree"); }
    QTreeView* waterList() const { return child<QTreeView>(log.get(), "waterList"); }
    QString caption(const char* name) const { return child<QLabel>(log.get(), name)->text(); }
    QAction* button(const char* name) const { return child<QAction>(log.get(), name); }
    QAction* menuItem(const char* name) const { return child<QAction>(main.get(), name); }
    QStringList column(int c) const { return columnTexts(waterList(), c); }

    void clickTab(int tab) const
    {
        QTabBar* bar = child<QTabWidget>(log.get(), "logTabs")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }
    QString tabText(int tab) const { return child<QTabWidget>(log.get(), "logTabs")->tabText(tab); }
    void clickRow(int row) const
    {
        QTreeView* list = waterList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
    }
    // Clicks the row whose pH reads ph.
    void clickRowWithPh(const QString& ph) const
    {
        const int row = column(1).indexOf(ph);
        if (row < 0)
            throw std::runtime_error("no row with pH " + ph.toStdString());
        clickRow(row);
    }
    void clickHeader(int column) const
    {
        QHeaderView* header = waterList()->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void clickNode(const QString& name, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTreeWidget* t = tree();
        const QList<QTreeWidgetItem*> items = t->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        if (items.isEmpty())
            throw std::runtime_error("no node " + name.toStdString());
        QTest::mouseClick(t->viewport(), button, {}, t->visualItemRect(items.first()).center());
        QCoreApplication::processEvents();   // the pop-up follows the click
    }
};

// Runs script on the modal dialog that the next exec() shows, then closes it.
template <typename Dialog>
void onNextDialog(std::function<void(Dialog*)> script)
{
    QTimer::singleShot(0, [script] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        try {
            script(dlg);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        if (dlg->isVisible())
            dlg->reject();
    });
}

void clickOk(QDialog* dlg)
{
    QTest::mouseClick(child<QPushButton>(dlg, "okButton"), Qt::LeftButton);
}

QString fieldText(const QDialog* dlg, const char* name)
{
    return child<QLineEdit>(dlg, name)->text();
}

} // namespace

TEST(LogbookWindow, TreeListsAllTanksThenTanksByName)
{
    Logbook lb;
    QTreeWidget* tree = lb.tree();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_TRUE(root);
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), "All Tanks");
    QStringList names;
    for (int i = 0; i < root->childCount(); ++i)
        names << root->child(i)->text(0);
    EXPECT_EQ(names, (QStringList{"angel", "Reef", "Zeta"}));
    EXPECT_EQ(tree->currentItem(), root);
    EXPECT_EQ(lb.caption("treeCaption"), "All Tanks");
    EXPECT_EQ(lb.caption("listCaption"), "Contents of Water Quality Log for 'All Tanks'");
    EXPECT_EQ(lb.log->currentTankId(), "");
}

TEST(LogbookWindow, SelectingATankFillsItsListFormatted)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 3, 1), QTime(14, 0, 0), 7);
    lb.addTest("Reef", QDate(2026, 2, 1), QTime(9, 30, 5), 8.25, 0);
    lb.addTest("Zeta", QDate(2026, 1, 1), QTime(9, 0, 0), 6);
    lb.clickNode("Reef");
    EXPECT_EQ(lb.column(0), (QStringList{"02/01/26 - 09:30:05 am", "03/01/26 - 02:00:00 pm"}));
    EXPECT_EQ(lb.column(1), (QStringList{"8.25", "7.00"}));
    EXPECT_EQ(lb.column(2), (QStringList{"0.000", "0.250"}));
    EXPECT_EQ(lb.caption("listCaption"), "Contents of Water Quality Log for 'Reef'");
    EXPECT_EQ(lb.log->currentTankId(), lb.env.tankNamed("Reef")->tankid);

    lb.clickTab(LogbookWindow::TabLivestock);
    EXPECT_EQ(lb.caption("listCaption"), "Contents of Livestock Log for 'Reef'");
    lb.clickTab(LogbookWindow::TabMaint);
    EXPECT_EQ(lb.caption("listCaption"), "Contents of Maintenance Log for 'Reef'");

    // Back to "All Tanks": empty lists, the last tank's name stays.
    lb.clickTab(LogbookWindow::TabWater);
    lb.clickNode("All Tanks");
    EXPECT_EQ(lb.column(0), QStringList());
    EXPECT_EQ(lb.log->currentTankId(), lb.env.tankNamed("Reef")->tankid);
}

TEST(LogbookWindow, MenuStatesFollowTankAndTab)
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
        lb.clickTab(c.tab);
        ASSERT_TRUE(lb.log->selectNode(c.node));
        const std::string at = c.node.toStdString() + " tab " + std::to_string(c.tab);
        for (QAction* a : {lb.menuItem("newEntryAction"), lb.menuItem("openEntryAction"), lb.menuItem("deleteEntryAction"),
                           lb.menuItem("logNewEntryAction"), lb.menuItem("logOpenEntryAction"),
                           lb.menuItem("logDeleteEntryAction"), lb.menuItem("printAction"),
                           lb.menuItem("deleteTankAction"), lb.menuItem("tankPropertiesAction"),
                           lb.button("addEntryAction"), lb.button("changeEntryAction"),
                           lb.button("deleteEntryAction")})
            EXPECT_EQ(a->isEnabled(), c.entries) << at << " " << a->objectName().toStdString();
        EXPECT_EQ(child<QMenu>(lb.main.get(), "logMenu")->isEnabled(), c.entries) << at;
        EXPECT_EQ(lb.menuItem("moveEntryAction")->isEnabled(), c.move) << at;
        EXPECT_EQ(lb.button("moveEntryAction")->isEnabled(), c.move) << at;
        EXPECT_EQ(lb.menuItem("logMoveEntryAction")->isVisible(), c.move) << at;
        EXPECT_EQ(lb.menuItem("logMoveSeparator")->isVisible(), c.move) << at;
        EXPECT_TRUE(lb.button("printEntriesAction")->isEnabled());
        EXPECT_TRUE(lb.button("refreshAction")->isEnabled());
        const QString t = lb.tabText(c.tab);
        EXPECT_EQ(lb.menuItem("newEntryAction")->text(), "New " + t + " Entry...");
        EXPECT_EQ(lb.menuItem("openEntryAction")->text(), "Open " + t + " Entry...");
        EXPECT_EQ(lb.menuItem("deleteEntryAction")->text(), "Delete " + t + " Entry...");
        EXPECT_EQ(lb.menuItem("logDeleteEntryAction")->text(), lb.menuItem("deleteEntryAction")->text());
        if (!c.entries) {
            EXPECT_EQ(lb.menuItem("tankPropertiesAction")->text(), "(no tank selected) Properties...");
        }

        // Activating again keeps the entry commands as the selection allows.
        lb.log->activate();
        EXPECT_EQ(lb.menuItem("newEntryAction")->isEnabled(), c.entries) << at;
        EXPECT_EQ(lb.menuItem("printAction")->text(), "&Print Entries...");
    }
}

// Every toolbar button takes a click (nothing lies over the toolbar), and a
// click on the tank already selected refills its list.
TEST(LogbookWindow, ToolbarAndSelectedNodeTakeClicks)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    lb.addTest("Reef", QDate(2026, 1, 2), QTime(8, 0, 0), 10);
    QToolBar* toolbar = child<QToolBar>(lb.log.get(), "toolbar");
    for (const char* name : {"addEntryAction", "changeEntryAction", "deleteEntryAction", "moveEntryAction",
                             "printEntriesAction", "graphAction", "refreshAction"}) {
        QWidget* button = toolbar->widgetForAction(lb.button(name));
        ASSERT_TRUE(button) << name;
        const QPoint centre = button->mapTo(lb.log.get(), button->rect().center());
        EXPECT_EQ(lb.log->childAt(centre), button) << name;
    }

    lb.clickNode("Reef");
    lb.clickHeader(0);
    ASSERT_EQ(lb.column(1), (QStringList{"10.00", "9.00"}));
    QTreeWidgetItem* reef = lb.tree()->currentItem();
    lb.clickNode("Reef");
    EXPECT_EQ(lb.tree()->currentItem(), reef);
    EXPECT_EQ(lb.column(1), (QStringList{"9.00", "10.00"}));
}

TEST(LogbookWindow, RightClicksPopUpTheTankAndLogMenus)
{
    Logbook lb({"Reef", "Zeta", "Fish & <b>Chips</b>"});
    QMenu* tankPopup = child<QMenu>(lb.main.get(), "tankMenu");
    lb.clickNode("Zeta");
    lb.clickNode("Zeta", Qt::RightButton);
    EXPECT_EQ(lb.menuItem("tankPropertiesAction")->text(), "Zeta Properties...");
    // The item names the tank as the keeper typed it.
    lb.clickNode("Fish & <b>Chips</b>", Qt::RightButton);
    EXPECT_EQ(shownCaption(lb.menuItem("tankPropertiesAction")->text()).toStdString(),
              "Fish & <b>Chips</b> Properties...");
    lb.clickNode("All Tanks", Qt::RightButton);
    EXPECT_EQ(lb.menuItem("tankPropertiesAction")->text(), "(no tank selected) Properties...");
    EXPECT_EQ(lb.popups, (QList<QMenu*>{tankPopup, tankPopup, tankPopup}));

    lb.popups.clear();
    QTreeView* list = lb.waterList();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->viewport()->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(lb.popups, QList<QMenu*>{child<QMenu>(lb.main.get(), "logMenu")});
}

TEST(LogbookWindow, ClickingAnEntryEnablesTheLogPopupCommands)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    lb.clickNode("Reef");
    QAction* open = lb.menuItem("logOpenEntryAction");
    QAction* remove = lb.menuItem("logDeleteEntryAction");
    open->setEnabled(false);
    remove->setEnabled(false);
    lb.clickRow(0);
    EXPECT_TRUE(open->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
}

TEST(LogbookWindow, DateHeaderRequeriesOtherHeadersSortByValue)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    lb.addTest("Reef", QDate(2026, 1, 2), QTime(8, 0, 0), 10);
    lb.addTest("Reef", QDate(2026, 1, 3), QTime(8, 0, 0), 8.5);
    lb.clickNode("Reef");
    EXPECT_EQ(lb.column(1), (QStringList{"9.00", "10.00", "8.50"}));
    lb.clickHeader(0);
    EXPECT_EQ(lb.column(1), (QStringList{"8.50", "10.00", "9.00"}));   // newest first
    lb.clickHeader(0);
    EXPECT_EQ(lb.column(1), (QStringList{"9.00", "10.00", "8.50"}));
    lb.clickHeader(1);
    EXPECT_EQ(lb.column(1), (QStringList{"8.50", "9.00", "10.00"}));
    lb.clickHeader(1);
    EXPECT_EQ(lb.column(1), (QStringList{"10.00", "9.00", "8.50"}));
    // A refill keeps the list's own sorting.
    lb.log->refresh();
    EXPECT_EQ(lb.column(1), (QStringList{"10.00", "9.00", "8.50"}));
}

// The entry the keeper picked stays picked when a header sorts the list, so
// Change and Delete act on that entry (its rowid), wherever it moved.
TEST(LogbookWindow, SelectedEntryStaysTheSameAfterASort)
{
    Logbook lb;
    const qint64 nine = lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9, 0.5);
    const qint64 ten = lb.addTest("Reef", QDate(2026, 1, 2), QTime(8, 0, 0), 10, 0.25);
    const qint64 low = lb.addTest("Reef", QDate(2026, 1, 3), QTime(8, 0, 0), 8.5, 0.75);
    lb.clickNode("Reef");
    lb.clickRowWithPh("10.00");
    const auto selectedPh = [&] {
        const QModelIndexList rows = lb.waterList()->selectionModel()->selectedRows(1);
        return rows.size() == 1 ? rows.first().data().toString() : QString("%1 rows").arg(rows.size());
    };
    for (int column : {1, 1, 2, 2, 0, 0}) {
        SCOPED_TRACE(column);
        lb.clickHeader(column);
        EXPECT_EQ(selectedPh(), "10.00");
    }
    // Sorted by pH, the picked entry is now the last row; Change edits it.
    lb.clickHeader(1);
    ASSERT_EQ(lb.column(1), (QStringList{"8.50", "9.00", "10.00"}));
    ASSERT_EQ(selectedPh(), "10.00");
    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) {
        EXPECT_EQ(child<QLineEdit>(dlg, "phEdit")->text(), "10.000");
        clickOk(dlg);
    });
    lb.log->changeEntry();

    lb.clickRowWithPh("9.00");
    lb.clickHeader(2);   // by ammonia: 0.25, 0.50, 0.75
    ASSERT_EQ(selectedPh(), "9.00");
    lb.env.messages.answers.enqueue(MsgResult::Ok);
    lb.log->deleteEntry();
    WaterLogStore store(lb.env.ctx->db());
    EXPECT_FALSE(store.get(nine));
    EXPECT_TRUE(store.get(ten));
    EXPECT_TRUE(store.get(low));
}

TEST(LogbookWindow, NothingSelectedNotices)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 1, 1), QTime(8, 0, 0), 9);
    lb.clickNode("Reef");
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

TEST(LogbookWindow, DeleteAsksExactlyAndCancelKeepsTheEntry)
{
    Logbook lb;
    lb.env.ctx->settings.dateMask = "DD-MM-YY";
    lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    lb.clickNode("Reef");
    ASSERT_EQ(lb.column(0), QStringList{"04-03-26 - 01:05:09 pm"});
    lb.clickRow(0);
    lb.env.messages.answers.enqueue(MsgResult::Cancel);
    lb.log->deleteEntry();
    ASSERT_EQ(lb.env.messages.shown.size(), 1);
    const Message& q = lb.env.messages.shown.first();
    // The date reads as the list shows it.
    EXPECT_EQ(q.text, "Are you sure you want to delete the  04-03-26, 01:05:09 pm entry for the Reef tank?   "
                      "(Remember, you CANNOT \"undo\" a delete!)");
    EXPECT_EQ(q.title, "Are you sure...");
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(lb.env.beeper.count, 1);
    EXPECT_EQ(lb.column(1), QStringList{"7.00"});

    lb.log->deleteEntry();   // answered OK
    EXPECT_EQ(lb.column(1), QStringList());
    EXPECT_TRUE(WaterLogStore(lb.env.ctx->db()).list(lb.ids["Reef"], SortOrder::Ascending).isEmpty());
}

TEST(LogbookWindow, SameMomentEntriesAreChangedAndDeletedApart)
{
    Logbook lb;
    const qint64 first = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    const qint64 second = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 8);
    lb.clickNode("Reef");
    lb.clickRowWithPh("8.00");
    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Change Log Entry for Reef Tank");
        QLineEdit* ph = child<QLineEdit>(dlg, "phEdit");
        EXPECT_EQ(ph->text(), "8.000");
        ph->selectAll();
        QTest::keyClicks(ph, "8.4");
        clickOk(dlg);
    });
    lb.log->changeEntry();
    WaterLogStore store(lb.env.ctx->db());
    EXPECT_DOUBLE_EQ(*store.get(first)->ph, 7);
    EXPECT_DOUBLE_EQ(*store.get(second)->ph, 8.4);

    lb.clickRowWithPh("8.40");
    lb.log->deleteEntry();
    EXPECT_TRUE(store.get(first));
    EXPECT_FALSE(store.get(second));
}

TEST(LogbookWindow, NewWaterTestTakesThePresetsOfTheSelectedTanksWaterType)
{
    Logbook lb;
    QSqlQuery q(lb.env.ctx->db());
    q.prepare("UPDATE TANKLST SET TankWaterType = '1' WHERE tankid = ?");
    q.addBindValue(lb.ids["Zeta"]);
    ASSERT_TRUE(q.exec());
    const struct {
        QString tank, defaultType, ph, sg;
    } cases[] = {
        {"Zeta", "SALT", "7.80", "0"},       // a freshwater tank under a saltwater default
        {"Reef", "FRESH", "8.40", "1.023"},  // a reef tank under a freshwater default
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tank.toStdString());
        lb.env.ctx->defWaterType = c.defaultType;
        lb.clickNode(c.tank);
        QString ph, sg;
        onNextDialog<WaterTestDialog>([&](WaterTestDialog* dlg) {
            ph = fieldText(dlg, "phEdit");
            sg = fieldText(dlg, "sgEdit");
            clickOk(dlg);
        });
        lb.log->addEntry();
        EXPECT_EQ(ph, c.ph);
        EXPECT_EQ(sg, c.sg);
        const QVector<WaterLogRecord> saved =
            WaterLogStore(lb.env.ctx->db()).list(lb.ids[c.tank], SortOrder::Ascending);
        ASSERT_EQ(saved.size(), 1);
        EXPECT_DOUBLE_EQ(*saved[0].sg, c.sg.toDouble());
    }
}

TEST(LogbookWindow, AddWritesToTheLogbooksOwnTankAndListsIt)
{
    Logbook lb;
    lb.env.ctx->defWaterType = "SALT";
    lb.clickNode("Reef");
    lb.button("graphAction")->setEnabled(false);
    onNextDialog<WaterTestDialog>([&](WaterTestDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Add a log entry for Reef Tank");
        EXPECT_EQ(fieldText(dlg, "phEdit"), "8.40");
        EXPECT_EQ(fieldText(dlg, "sgEdit"), "1.023");
        EXPECT_FALSE(lb.menuItem("printAction")->isEnabled());   // the dialog claims File > Print
        clickOk(dlg);
    });
    lb.log->addEntry();
    EXPECT_TRUE(lb.env.messages.shown.isEmpty()) << lb.env.messages.texts().join("|").toStdString();
    EXPECT_EQ(lb.column(0), QStringList{"12/08/26 - 02:05:09 pm"});
    EXPECT_EQ(lb.column(1), QStringList{"8.40"});
    EXPECT_TRUE(lb.button("graphAction")->isEnabled());
    // The dialog gave File > Print back to the logbook.
    EXPECT_EQ(lb.menuItem("printAction")->text(), "&Print Entries...");
    EXPECT_TRUE(lb.menuItem("printAction")->isEnabled());
    EXPECT_EQ(WaterLogStore(lb.env.ctx->db()).list(lb.ids["Reef"], SortOrder::Ascending).size(), 1);
    EXPECT_TRUE(WaterLogStore(lb.env.ctx->db()).list(lb.ids["Zeta"], SortOrder::Ascending).isEmpty());

    // Cancel writes nothing.
    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
    lb.log->addEntry();
    EXPECT_EQ(lb.column(1), QStringList{"8.40"});
}

TEST(LogbookWindow, AllTanksSelectedWritesNothing)
{
    Logbook lb;
    const qint64 id = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    lb.clickNode("Reef");
    lb.clickRow(0);
    lb.clickNode("All Tanks");
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            dialogShown = true;
            w->close();
        }
    });
    for (int tab : {LogbookWindow::TabWater, LogbookWindow::TabLivestock, LogbookWindow::TabMaint}) {
        lb.clickTab(tab);
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

// Blank names come from files made elsewhere (the tank editor refuses them).
TEST(LogbookWindow, AwkwardTankNamesListOnlyTheirOwnTests)
{
    Logbook lb({"tankname", "O'Brien", "", " "});
    lb.addTest("tankname", QDate(2026, 1, 1), QTime(8, 0, 0), 6.5);
    lb.addTest("O'Brien", QDate(2026, 1, 2), QTime(8, 0, 0), 7.5);
    lb.addTest("", QDate(2026, 1, 3), QTime(8, 0, 0), 8.5);
    lb.addTest(" ", QDate(2026, 1, 4), QTime(8, 0, 0), 9.5);
    lb.clickNode("tankname");
    EXPECT_EQ(lb.column(1), QStringList{"6.50"});
    lb.clickNode("O'Brien");
    EXPECT_EQ(lb.column(1), QStringList{"7.50"});
    EXPECT_EQ(lb.caption("listCaption"), "Contents of Water Quality Log for 'O'Brien'");
    lb.clickNode("");
    EXPECT_EQ(lb.column(1), QStringList{"8.50"});
    EXPECT_EQ(lb.caption("listCaption"), "Contents of Water Quality Log for ''");
    lb.clickNode(" ");
    EXPECT_EQ(lb.column(1), QStringList{"9.50"});
}

TEST(LogbookWindow, SortSettingIsReadOnRebuildAndSavedOnClose)
{
    {
        Logbook lb;   // nothing stored
        lb.log->close();
        EXPECT_EQ(lb.env.store.values.value("WQ_Sort"), "1");
    }
    Logbook lb;
    lb.env.store.values.insert("WQ_Sort", "2");
    lb.log->refreshTankTree();
    lb.env.store.values.insert("WQ_Sort", "changed elsewhere");
    lb.log->close();
    EXPECT_EQ(lb.env.store.values.value("WQ_Sort"), "2");
    EXPECT_FALSE(lb.menuItem("newEntryAction")->isEnabled());
    EXPECT_FALSE(lb.menuItem("deleteEntryAction")->isEnabled());
}

TEST(LogbookWindow, OpenedFromTheMainWindowBuildsItselfAndTakesFileCommands)
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
    ASSERT_EQ(child<QTreeWidget>(log, "tankTree")->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(child<QAction>(&main, "printAction")->text(), "&Print Entries...");
    ASSERT_TRUE(log->selectNode("Reef"));
    QAction* fileNew = child<QAction>(&main, "newEntryAction");
    EXPECT_TRUE(fileNew->isEnabled());

    onNextDialog<WaterTestDialog>([](WaterTestDialog* dlg) { clickOk(dlg); });
    fileNew->trigger();
    EXPECT_EQ(columnTexts(child<QTreeView>(log, "waterList"), 0).size(), 1);

    // Closing the window saves the sort setting and takes the entry commands away.
    child<QMdiArea>(&main, "mdiArea")->closeAllSubWindows();
    QCoreApplication::processEvents();
    EXPECT_EQ(main.childWindow("LogbookWindow", false), nullptr);
    EXPECT_EQ(env.store.values.value("WQ_Sort"), "1");
    EXPECT_FALSE(fileNew->isEnabled());
    EXPECT_FALSE(child<QAction>(&main, "moveEntryAction")->isEnabled());
}

// After Options > OK with a new date order, the open lists and the reminders
// box show their dates in that order at once, without a restart.
TEST(LogbookWindow, OptionsOkRedrawsOpenDatesInTheNewOrder)
{
    TestEnv env;
    TankRecord t;
    t.tankname = "Reef";
    t.watertype = "3";
    TankStore(env.ctx->db()).add(t, env.clock.now());
    WaterLogRecord w;
    w.tankid = t.tankid;
    w.logdate = QDate(2026, 12, 1);
    w.logtime = QTime(9, 0, 0);
    ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(w));
    LivestockRecord l;
    l.tankid = t.tankid;
    l.animalname = "Clown";
    l.dateadded = QDate(2026, 11, 2);
    l.timeadded = QTime(10, 0, 0);
    l.datelost = QDate(2026, 12, 5);
    ASSERT_TRUE(LivestockStore(env.ctx->db()).insert(l));
    sched::MaintSchedRecord r;
    r.SchedTask = "pump";
    r.SchedRtype = sched::Once;
    r.SchedDetailText = "2027-03-01";
    r.SchedStartDate = QDate(2020, 1, 1);
    r.SchedEndDate = QDate(2020, 1, 2);
    ASSERT_EQ(sched::MaintSchedStore(env.ctx->db()).add(r), sched::SchedWrite::Ok);

    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    main.rebuildRemindersBox();
    main.showChild("LogbookWindow");
    QCoreApplication::processEvents();
    auto* log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
    ASSERT_TRUE(log);
    ASSERT_TRUE(log->selectNode("Reef"));
    auto* reminders = child<QComboBox>(&main, "remindersBox");
    ASSERT_EQ(reminders->itemText(0), "Mon 03/01/27 pump");
    ASSERT_EQ(columnTexts(child<QTreeView>(log, "waterList"), 0), QStringList{"12/01/26 - 09:00:00 am"});
    auto* tabs = child<QTabWidget>(log, "logTabs");
    tabs->setCurrentIndex(LogbookWindow::TabLivestock);
    auto* livestock = child<QTreeView>(log, "livestockList");
    ASSERT_EQ(columnTexts(livestock, 6), QStringList{"12/05/26"});

    onNextDialog<OptionsDialog>([](OptionsDialog* dlg) {
        child<QRadioButton>(dlg, "yearFirstOption")->click();
        auto* delimiter = child<QComboBox>(dlg, "delimiterCombo");
        delimiter->setCurrentIndex(delimiter->findText("-"));
        clickOk(dlg);
    });
    main.hooks.showOptions(0);
    ASSERT_EQ(env.ctx->settings.dateMask, "YY-MM-DD");

    EXPECT_EQ(columnTexts(livestock, 0), QStringList{"26-11-02 - 10:00:00 AM"});
    EXPECT_EQ(columnTexts(livestock, 6), QStringList{"26-12-05"});
    EXPECT_EQ(reminders->itemText(0), "Mon 27-03-01 pump");
    // Cancel changes nothing on screen.
    onNextDialog<OptionsDialog>([](OptionsDialog* dlg) {
        child<QRadioButton>(dlg, "dayFirstOption")->click();
        QTest::mouseClick(child<QPushButton>(dlg, "cancelButton"), Qt::LeftButton);
    });
    main.hooks.showOptions(0);
    EXPECT_EQ(columnTexts(livestock, 6), QStringList{"26-12-05"});
    main.hide();
}

TEST(LogbookWindow, LivestockAndMaintenanceAddsOpenTheirDialogsPreset)
{
    Logbook lb;
    lb.clickNode("Reef");
    lb.clickTab(LogbookWindow::TabLivestock);
    // A freshwater tank set up meanwhile in another window does not change
    // the species list offered for the reef tank chosen here.
    TankEditorDialog editor(*lb.env.ctx);
    editor.prepareAdd();
    child<QLineEdit>(&editor, "nameEdit")->setText("Guppies");
    child<QRadioButton>(&editor, "freshwaterOption")->click();
    clickOk(&editor);
    ASSERT_TRUE(editor.saved());
    onNextDialog<LivestockEntryDialog>([](LivestockEntryDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), " Livestock Detail for Reef");
        EXPECT_EQ(fieldText(dlg, "quantityEdit"), "1");
        EXPECT_EQ(fieldText(dlg, "timeAddedEdit"), "02:05:09 pm");
        EXPECT_TRUE(child<QRadioButton>(dlg, "saltwaterOption")->isChecked());
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    lb.log->addEntry();
    lb.clickTab(LogbookWindow::TabMaint);
    onNextDialog<MaintenanceEntryDialog>([](MaintenanceEntryDialog* dlg) {
        EXPECT_EQ(fieldText(dlg, "quantityEdit"), "0");
        EXPECT_EQ(fieldText(dlg, "descriptionEdit"), " ");
        EXPECT_EQ(fieldText(dlg, "notesEdit"), " ");
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    lb.log->addEntry();
    QSqlQuery q("SELECT (SELECT COUNT(*) FROM livestock) + (SELECT COUNT(*) FROM maintlog)", lb.env.ctx->db());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}

// Every column is at least as wide as designed, and the date-and-time and
// number columns are wide enough to show their values whole in the list's font.
TEST(LogbookWindow, ColumnsShowTheirValuesWhole)
{
    Logbook lb;
    lb.addTest("Reef", QDate(2026, 12, 28), QTime(23, 59, 59), 8.25, 0.25);
    lb.clickNode("Reef");
    QTreeView* view = lb.waterList();
    const QAbstractItemModel* model = view->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        const int designed = model->headerData(c, Qt::Horizontal, LogListModel::WidthTwipsRole).toInt()
            * view->logicalDpiX() / 1440;
        EXPECT_GE(view->header()->sectionSize(c), designed) << c;
        const QString shown = model->index(0, c).data().toString();
        if (c <= 11) {   // the date-and-time item and the formatted measurements
            EXPECT_GT(view->header()->sectionSize(c), view->fontMetrics().horizontalAdvance(shown))
                << shown.toStdString();
        }
    }
}

// No list clips its headers ("mmonia", "c Gravity"): every column opens at
// least as wide as its header text, in each of the three lists.
TEST(LogbookWindow, EveryColumnOpensAsWideAsItsHeader)
{
    Logbook lb;
    for (const char* name : {"waterList", "livestockList", "maintenanceList"}) {
        auto* view = child<QTreeView>(lb.log.get(), name);
        const QAbstractItemModel* model = view->model();
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString header = model->headerData(c, Qt::Horizontal).toString();
            EXPECT_GT(view->header()->sectionSize(c), view->header()->fontMetrics().horizontalAdvance(header))
                << name << " " << header.toStdString();
        }
    }
}

// The width a column needs to show every value of the list whole.
int neededWidth(const QTreeView* view, int column)
{
    return static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column);
}

// Double-clicks the right edge of a column's header, where it is resized.
void doubleClickColumnEdge(QTreeView* view, int column)
{
    QHeaderView* header = view->header();
    const QPoint edge(header->sectionViewportPosition(column) + header->sectionSize(column) - 1, header->height() / 2);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, edge);
}

// Drags the right edge of a column's header `by` pixels, as the keeper sizes it.
void dragColumnEdge(QTreeView* view, int column, int by)
{
    QHeaderView* header = view->header();
    const QPoint edge(header->sectionViewportPosition(column) + header->sectionSize(column) - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(by, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(by, 0));
}

// The keeper's texts read whole once a list is filled, in every list of them,
// at a common screen width (the window maximized in a main window 1280 pixels
// wide): no name is cut while the row has room to spare, even where a row's
// texts need more than half of it. The last column still takes the free width.
// A width the keeper gives a column stays while the list's width changes and
// while tanks and tabs are picked that leave the list as it is, until the list
// is filled again; and a double-click on a column's edge fits a column the
// keeper narrowed.
TEST(LogbookWindow, ListsShowTheKeepersTextsWholeAndTheLastColumnTakesTheRest)
{
    TestEnv env;
    TankRecord reef;
    reef.tankname = "Reef";
    reef.watertype = "3";
    TankStore(env.ctx->db()).add(reef, env.clock.now());
    LivestockRecord fish;
    fish.tankid = reef.tankid;
    fish.dateadded = QDate(2026, 3, 1);
    fish.timeadded = QTime(10, 0);
    fish.animalname = "Clownfish - Ocellaris";
    fish.status = "Alive and well";
    fish.where_purch = "Blue Lagoon Aquatics, Springfield";
    fish.comment = "Hosts the long tentacle anemone";
    LivestockStore(env.ctx->db()).insert(fish);
    MaintLogRecord change;
    change.tankid = reef.tankid;
    change.logdate = QDate(2026, 3, 2);
    change.logtime = QTime(10, 0);
    change.task = "Water Change";
    change.unit = "gallons of RO water";
    change.description = "Twenty percent, with the gravel vacuumed";
    change.note = "Skimmer cup rinsed as well";
    MaintLogStore(env.ctx->db()).insert(change);
    WaterLogRecord test;
    test.tankid = reef.tankid;
    test.logdate = QDate(2026, 3, 3);
    test.logtime = QTime(10, 0);
    test.ph = 8.2;
    test.comment = "Cloudy after the water change";
    WaterLogStore(env.ctx->db()).insert(test);
    for (const char* task : {"Water change and filter rinse", "Clean skimmer cup and collection tube"}) {
        sched::MaintSchedRecord rule;
        rule.SchedTask = task;
        rule.SchedRtype = 1;   // weekly
        rule.SchedInterval = 1;
        rule.SchedDetailText = "0000001";
        rule.SchedStartDate = QDate(2026, 12, 1);
        rule.SchedEndDate = QDate(2027, 12, 1);
        rule.SchedEnglishDesc = "Every week on Saturday, from 12/01/26 until 12/01/27";
        ASSERT_EQ(sched::MaintSchedStore(env.ctx->db()).add(rule), sched::SchedWrite::Ok);
    }
    {
        sched::MaintSchedRecord rule;
        rule.SchedTask = "Change the RO/DI sediment, carbon and resin filter";   // 50 characters
        rule.SchedRtype = 1;   // weekly
        rule.SchedInterval = 2;
        rule.SchedDetailText = "1101011";
        rule.SchedStartDate = QDate(2026, 12, 1);
        rule.SchedEndDate = QDate(2027, 12, 1);
        rule.SchedEnglishDesc =
            "Every 2 weeks on Sunday, Monday, Wednesday, Friday and Saturday, from 12/01/26 until 12/01/27";
        ASSERT_EQ(sched::MaintSchedStore(env.ctx->db()).add(rule), sched::SchedWrite::Ok);
    }
    // A names file with a long common name of the keeper's own.
    writeFile(QDir(env.ctx->startDir).filePath(kSaltNamesFile),
              (QString("Yellow Tang").leftJustified(49) + "Zebrasoma flavescens\r\n"
               + QString("Longfin Bannerfish of the Hawaiian reef crests").leftJustified(49)
               + "Heniochus acuminatus\r\n")
                  .toLatin1());

    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    main.resize(1280, 800);   // wider than the screen once open: it opens inside the screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    auto logbook = [&main] { return qobject_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false)); };
    // Tanks picked in the logbook while it shows the log of `tab`: only that log is filled.
    auto pickTanksOnTab = [&](int tab) {
        child<QTabWidget>(logbook(), "logTabs")->setCurrentIndex(tab);
        ASSERT_TRUE(logbook()->selectNode("All Tanks"));
        ASSERT_TRUE(logbook()->selectNode("Reef"));
        QCoreApplication::processEvents();
    };
    auto showLogbookTab = [&](int tab) {
        child<QTabWidget>(logbook(), "logTabs")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    };
    auto pickSaltwaterNames = [&] {
        QTest::mouseClick(child<QRadioButton>(main.childWindow("NamesCrossReferenceWindow", false), "saltOption"),
                          Qt::LeftButton);
    };

    const struct {
        const char* window;
        const char* list;
        int tab;                // the logbook's tab, or -1
        QVector<int> texts;     // the columns of the keeper's texts
        bool overHalf;          // its texts together need more than half the view
        std::function<void()> pickElsewhere;   // tanks and tabs picked that leave the list as it is
        std::function<void()> fillAgain;       // the list filled again, if the test can
    } lists[] = {
        {"LogbookWindow", "livestockList", LogbookWindow::TabLivestock, {1, 3, 7, 8}, false,
         [&] { pickTanksOnTab(LogbookWindow::TabMaint); }, [&] { showLogbookTab(LogbookWindow::TabLivestock); }},
        {"LogbookWindow", "maintenanceList", LogbookWindow::TabMaint, {1, 3, 4, 5}, false,
         [&] { pickTanksOnTab(LogbookWindow::TabWater); }, [&] { showLogbookTab(LogbookWindow::TabMaint); }},
        {"LogbookWindow", "waterList", LogbookWindow::TabWater, {14}, false,
         [&] { pickTanksOnTab(LogbookWindow::TabLivestock); }, [&] { showLogbookTab(LogbookWindow::TabWater); }},
        {"ReminderListWindow", "taskList", -1, {0, 1}, true, [&] { pickTanksOnTab(LogbookWindow::TabMaint); }, {}},
        {"ScheduleWindow", "scheduleList", -1, {1}, false, [&] { pickTanksOnTab(LogbookWindow::TabWater); }, {}},
        {"NamesCrossReferenceWindow", "namesList", -1, {0, 1}, false,
         [&] { pickTanksOnTab(LogbookWindow::TabLivestock); }, pickSaltwaterNames},
    };
    for (const auto& l : lists) {
        SCOPED_TRACE(l.list);
        main.showChild(l.window);
        QWidget* window = main.childWindow(l.window, false);
        ASSERT_TRUE(window);
        window->parentWidget()->showMaximized();
        QCoreApplication::processEvents();
        if (auto* log = qobject_cast<LogbookWindow*>(window)) {
            ASSERT_TRUE(log->selectNode("Reef"));
            child<QTabWidget>(log, "logTabs")->setCurrentIndex(l.tab);
        }
        if (QString(l.window) == "ScheduleWindow")
            QTest::mouseClick(child<QPushButton>(window, "generateButton"), Qt::LeftButton);
        QCoreApplication::processEvents();

        auto* view = child<QTreeView>(window, l.list);
        ASSERT_GE(view->viewport()->width(), 800);
        QHeaderView* header = view->header();
        const QAbstractItemModel* model = view->model();
        ASSERT_GT(model->rowCount(), 0);
        const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
        for (int column : l.texts) {
            for (int row = 0; row < model->rowCount(); ++row) {
                const QString text = model->index(row, column).data().toString();
                EXPECT_GE(header->sectionSize(column), view->fontMetrics().horizontalAdvance(text) + margin)
                    << text.toStdString();
            }
        }
        if (l.overHalf) {
            int needed = 0;
            for (int column : l.texts)
                needed += neededWidth(view, column);
            ASSERT_GT(needed, view->viewport()->width() / 2);
        }
        const int last = header->logicalIndex(header->count() - 1 - (header->isSectionHidden(
                                                                         header->logicalIndex(header->count() - 1))));
        auto lastReachesTheEdge = [&] {
            return header->sectionViewportPosition(last) + header->sectionSize(last) >= view->viewport()->width();
        };
        EXPECT_TRUE(lastReachesTheEdge());

        const int sized = l.texts.first();
        const int fitted = header->sectionSize(sized);
        dragColumnEdge(view, sized, 40);
        ASSERT_EQ(header->sectionSize(sized), fitted + 40);
        for (int width : {1180, 1280}) {
            main.resize(width, 800);
            QCoreApplication::processEvents();
            EXPECT_EQ(header->sectionSize(sized), fitted + 40) << width;
            EXPECT_TRUE(lastReachesTheEdge()) << width;
        }
        l.pickElsewhere();
        EXPECT_EQ(header->sectionSize(sized), fitted + 40);
        if (l.fillAgain) {
            l.fillAgain();
            EXPECT_EQ(header->sectionSize(sized), fitted);
        }

        const int narrowed = l.texts.first();
        header->resizeSection(narrowed, 20);
        doubleClickColumnEdge(view, narrowed);
        EXPECT_GE(header->sectionSize(narrowed), neededWidth(view, narrowed));
    }
}

// A text too long for the room is cut before the other columns are pushed out
// of sight: they stay in the view, as wide as their values need.
TEST(LogbookWindow, AVeryLongNameLeavesTheOtherColumnsInView)
{
    Logbook lb;
    lb.log->resize(1200, 400);
    LivestockRecord fish;
    fish.tankid = lb.ids.value("Reef");
    fish.dateadded = QDate(2026, 3, 1);
    fish.timeadded = QTime(10, 0);
    fish.animalname = QString(300, QLatin1Char('W'));
    fish.quantity = 2;
    LivestockStore(lb.env.ctx->db()).insert(fish);
    lb.clickNode("Reef");
    lb.clickTab(LogbookWindow::TabLivestock);
    QCoreApplication::processEvents();
    auto* view = child<QTreeView>(lb.log.get(), "livestockList");
    QHeaderView* header = view->header();
    EXPECT_GT(header->sectionSize(1), 2 * view->fontMetrics().horizontalAdvance("Clownfish - Ocellaris"));
    for (int column : {0, 2, 4, 5, 6}) {   // date, quantity, prices, date lost
        EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), view->viewport()->width())
            << column;
        EXPECT_GE(header->sectionSize(column), neededWidth(view, column)) << column;
    }
}

// The program's main window shown, with Tools > Logbook run in it.
LogbookWindow* openLogbookIn(AppContext& ctx, MainWindow& main)
{
    wireApplication(ctx, main);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        throw std::runtime_error("the main window was never shown");
    child<QAction>(&main, "logbookAction")->trigger();
    QCoreApplication::processEvents();
    auto* log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
    if (!log)
        throw std::runtime_error("Tools > Logbook opened no logbook");
    return log;
}

// Opened from the main window, the tree shows the tank names whole.
TEST(LogbookWindow, TheTankPaneOpensWideEnoughForTheTankNames)
{
    TestEnv env;
    for (const QString& name : {QStringLiteral("Community 29"), QStringLiteral("Reef")}) {
        TankRecord t;
        t.tankname = name;
        t.watertype = "1";
        TankStore(env.ctx->db()).add(t, env.clock.now().addSecs(name.size()));
    }
    MainWindow main(*env.ctx);
    LogbookWindow* log = openLogbookIn(*env.ctx, main);
    auto* tree = child<QTreeWidget>(log, "tankTree");
    EXPECT_GE(tree->viewport()->width(), neededWidth(tree, 0));
}

// However long a tank's name, the logbook never grows past the screen.
TEST(LogbookWindow, ATankNameOfAHundredThousandCharactersLeavesTheWindowOnTheScreen)
{
    TestEnv env;
    TankRecord t;
    t.tankname = QString(100000, QLatin1Char('W'));
    t.watertype = "1";
    TankStore(env.ctx->db()).add(t, env.clock.now());
    MainWindow main(*env.ctx);
    LogbookWindow* log = openLogbookIn(*env.ctx, main);
    ASSERT_TRUE(log->selectNode(t.tankname));
    QCoreApplication::processEvents();
    const int screen = main.screen()->availableGeometry().width();
    EXPECT_LE(log->window()->width(), screen);
    EXPECT_LE(log->parentWidget()->width(), screen);
    EXPECT_LE(log->minimumSizeHint().width(), screen);
    EXPECT_LE(child<QTreeWidget>(log, "tankTree")->width(), log->width() / 2);
    // The caption says whose log it is, as far as it fits.
    const QString caption = child<QLabel>(log, "listCaption")->text();
    EXPECT_TRUE(caption.startsWith("Contents of Water Quality Log for 'W") && caption.endsWith(QChar(0x2026)))
        << caption.left(80).toStdString();
}

TEST(LogbookWindow, FailedReadsAndWritesAreReportedAsSuchAndChangeNothing)
{
    auto sql = [](Logbook& lb, const char* statement) {
        QSqlQuery q(lb.env.ctx->db());
        ASSERT_TRUE(q.exec(QString::fromLatin1(statement))) << q.lastError().text().toStdString();
    };
    struct Case {
        const char* name;
        std::function<void(Logbook&)> act;   // after Reef's test is listed and selected
        const char* what;                    // the message says what failed
        const char* reason;                  // and the database's reason
        QStringList listedAfter;
    };
    const QList<Case> cases = {
        {"delete refused",
         [&](Logbook& lb) {
             sql(lb, "CREATE TRIGGER stuck BEFORE DELETE ON waterlog BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
             lb.log->deleteEntry();   // the question is answered OK
         },
         "could not be deleted", "disk I/O error", {"7.00"}},
        {"entry unreadable on delete",
         [&](Logbook& lb) {
             sql(lb, "ALTER TABLE waterlog RENAME TO waterlog_away");
             lb.log->deleteEntry();
         },
         "could not be read", "no such table", {"7.00"}},
        {"entry unreadable on change",
         [&](Logbook& lb) {
             sql(lb, "ALTER TABLE waterlog RENAME TO waterlog_away");
             lb.log->changeEntry();
         },
         "could not be read", "no such table", {"7.00"}},
        {"list unreadable",
         [&](Logbook& lb) {
             sql(lb, "ALTER TABLE waterlog RENAME TO waterlog_away");
             lb.clickNode("Zeta");
         },
         "Water Quality Log of 'Zeta' could not be read", "no such table", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Logbook lb;
        lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
        lb.clickNode("Reef");
        lb.clickRow(0);
        lb.env.messages.clear();

        c.act(lb);

        ASSERT_FALSE(lb.env.messages.shown.isEmpty());
        const Message& m = lb.env.messages.shown.last();
        EXPECT_NE(m.text, "yo... no match on da key!");
        EXPECT_TRUE(m.text.contains(c.what)) << qPrintable(m.text);
        EXPECT_TRUE(m.text.contains(c.reason)) << qPrintable(m.text);
        EXPECT_EQ(lb.column(1), c.listedAfter);
    }
}

TEST(LogbookWindow, EntryDeletedElsewhereStillSaysNoMatch)
{
    Logbook lb;
    const qint64 rowid = lb.addTest("Reef", QDate(2026, 3, 4), QTime(13, 5, 9), 7);
    lb.clickNode("Reef");
    lb.clickRow(0);
    ASSERT_TRUE(WaterLogStore(lb.env.ctx->db()).remove(rowid));
    lb.env.messages.clear();
    lb.log->deleteEntry();
    EXPECT_EQ(lb.env.messages.texts(), QStringList{"yo... no match on da key!"});
}
