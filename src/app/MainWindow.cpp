#include "app/MainWindow.h"

#include "core/ui/EntryWidgets.h"
#include "core/ui/ShellInterfaces.h"
#include "core/AppContext.h"
#include "core/TankStore.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/AboutBox.h"
#include "core/ui/ElidedComboBox.h"
#include "core/ui/ElidedLabel.h"
#include "core/ui/TipOfTheDayDialog.h"
#include "core/ui/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSqlError>
#include <QSqlQuery>
#include <QStatusBar>
#include <QToolBar>

#include <cstdlib>

MainWindow::MainWindow(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx)
{
    setObjectName("MainWindow");
    setWindowTitle(QStringLiteral(" Brinestead 98"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/brinestead.png")));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("mdiArea");
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    buildMenus();
    buildPopups();
    buildToolbar();
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("statusBar");
    m_statusPanel = new ElidedLabel(m_statusBar);
    m_statusPanel->setFullText(QStringLiteral("Status"));
    m_statusPanel->setObjectName("statusPanel");
    m_statusBar->addWidget(m_statusPanel, 1);
    setStatusBar(m_statusBar);
    m_ctx.statusLine = [this](const QString& text) { setStatusText(text); };

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);
    resize(800, 560);
    // Every top-level window, this one too, opens on its screen.
    qApp->installEventFilter(new ScreenPlacement(this));
}

MainWindow::~MainWindow()
{
    m_ctx.statusLine = nullptr;
    if (m_inDiagnosisLoop)
        qApp->removeEventFilter(this);
    // The child windows go before this window's own members do: their
    // "destroyed" notices must not reach the registry after it is gone.
    for (QWidget* child : std::as_const(m_children))
        disconnect(child, nullptr, this, nullptr);
    m_children.clear();
    disconnect(m_mdiArea, nullptr, this, nullptr);
    delete m_mdiArea;
    m_mdiArea = nullptr;
}

namespace {
QAction* makeAction(QWidget* owner, QMenu* menu, const char* name, const QString& caption,
                    const QKeySequence& shortcut = QKeySequence())
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (menu)
        menu->addAction(action);
    return action;
}

QKeySequence ctrl(char letter)
{
    return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_A + (letter - 'A')));
}
} // namespace

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    m_fileMenu = bar->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName("fileMenu");
    m_newEntryAction = makeAction(this, m_fileMenu, "newEntryAction", QStringLiteral("&New Log Entry"), ctrl('N'));
    m_openEntryAction = makeAction(this, m_fileMenu, "openEntryAction", QStringLiteral("&Open Log Entry"), ctrl('O'));
    m_deleteEntryAction = makeAction(this, m_fileMenu, "deleteEntryAction", QStringLiteral("&Delete Log Entry"));
    m_fileMenu->addSeparator();
    m_moveEntryAction = makeAction(this, m_fileMenu, "moveEntryAction", QStringLiteral("&Move Log Entry..."));
    m_fileMenu->addSeparator();
    m_backupAction = makeAction(this, m_fileMenu, "backupAction", QStringLiteral("&Backup Database"));
    m_fileMenu->addSeparator();
    m_propertiesAction = makeAction(this, m_fileMenu, "propertiesAction", QStringLiteral("Propert&ies"));
    m_pageSetupAction = makeAction(this, m_fileMenu, "pageSetupAction", QStringLiteral("Page Set&up..."));
    m_printAction = makeAction(this, m_fileMenu, "printAction", QStringLiteral("&Print"));
    m_fileMenu->addSeparator();
    m_exitAction = makeAction(this, m_fileMenu, "exitAction", QStringLiteral("&Exit"));

    // The log entry commands wait for the logbook to enable and caption them.
    for (QAction* a : {m_newEntryAction, m_openEntryAction, m_deleteEntryAction, m_moveEntryAction})
        a->setEnabled(false);
    m_propertiesAction->setVisible(false);
    m_propertiesAction->setEnabled(false);
    m_pageSetupAction->setVisible(false);
    m_printAction->setEnabled(false);
    // F1 on Backup Database opens its help page.
    m_backupAction->setData(kHelpContextBackup);
    m_fileMenu->installEventFilter(this);

    m_editMenu = bar->addMenu(QStringLiteral("&Edit"));
    m_editMenu->setObjectName("editMenu");
    m_undoAction = makeAction(this, m_editMenu, "undoAction", QStringLiteral("&Undo"), ctrl('Z'));
    m_cutAction = makeAction(this, m_editMenu, "cutAction", QStringLiteral("Cu&t"), ctrl('X'));
    m_copyAction = makeAction(this, m_editMenu, "copyAction", QStringLiteral("&Copy "), ctrl('C'));
    m_pasteAction = makeAction(this, m_editMenu, "pasteAction", QStringLiteral("&Paste"), ctrl('V'));
    // The Edit menu is never shown; its shortcuts must not take the keys from
    // the text fields of the child windows.
    for (QAction* a : {m_undoAction, m_cutAction, m_copyAction, m_pasteAction})
        a->setShortcutContext(Qt::WidgetShortcut);
    m_editMenu->menuAction()->setVisible(false);

    m_viewMenu = bar->addMenu(QStringLiteral("&View"));
    m_viewMenu->setObjectName("viewMenu");
    m_showToolbarAction = makeAction(this, m_viewMenu, "showToolbarAction", QStringLiteral("&Toolbar"));
    m_showStatusBarAction = makeAction(this, m_viewMenu, "showStatusBarAction", QStringLiteral("Status &Bar"));
    for (QAction* a : {m_showToolbarAction, m_showStatusBarAction}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    m_viewMenu->addSeparator();
    m_refreshAction = makeAction(this, m_viewMenu, "refreshAction", QStringLiteral("&Refresh"));
    m_optionsAction = makeAction(this, m_viewMenu, "optionsAction", QStringLiteral("&Options..."));
    m_webBrowserAction = makeAction(this, m_viewMenu, "webBrowserAction", QStringLiteral("&Web Browser"));
    m_webBrowserAction->setVisible(false);

    m_toolsMenu = bar->addMenu(QStringLiteral("&Tools"));
    m_toolsMenu->setObjectName("toolsMenu");
    m_tankSetupAction = makeAction(this, m_toolsMenu, "tankSetupAction", QStringLiteral("&Tank Setup"), ctrl('T'));
    m_logbookAction = makeAction(this, m_toolsMenu, "logbookAction", QStringLiteral("&Logbook"), ctrl('L'));
    m_graphingAction = makeAction(this, m_toolsMenu, "graphingAction", QStringLiteral("&Graphing"), ctrl('G'));
    m_toolsMenu->addSeparator();
    m_compatibilityAction = makeAction(this, m_toolsMenu, "compatibilityAction", QStringLiteral("Co&mpatibility"), ctrl('M'));
    m_diagnosisAction = makeAction(this, m_toolsMenu, "diagnosisAction", QStringLiteral("&Disease Diagnosis"), ctrl('D'));
    m_editRemindersAction = makeAction(this, m_toolsMenu, "editRemindersAction", QStringLiteral("&Add or Change Reminders"), ctrl('E'));
    m_reminderScheduleAction = makeAction(this, m_toolsMenu, "reminderScheduleAction", QStringLiteral("View Reminder &Schedule"), ctrl('S'));
    m_fantasyTankAction = makeAction(this, m_toolsMenu, "fantasyTankAction", QStringLiteral("&Fantasy Tank"), ctrl('F'));
    m_commonNamesAction = makeAction(this, m_toolsMenu, "commonNamesAction", QStringLiteral("Common / Latin &Names Cross-reference"));
    m_conversionsAction = makeAction(this, m_toolsMenu, "conversionsAction", QStringLiteral("&Conversion Calculator"));

    m_windowMenu = bar->addMenu(QStringLiteral("&Window"));
    m_windowMenu->setObjectName("windowMenu");
    m_cascadeAction = makeAction(this, m_windowMenu, "cascadeAction", QStringLiteral("&Cascade"));
    m_tileHorizontalAction = makeAction(this, m_windowMenu, "tileHorizontalAction", QStringLiteral("Tile &Horizontal"));
    m_tileVerticalAction = makeAction(this, m_windowMenu, "tileVerticalAction", QStringLiteral("Tile &Vertical"));
    m_arrangeIconsAction = makeAction(this, m_windowMenu, "arrangeIconsAction", QStringLiteral("&Arrange Icons"));
    m_windowListSeparator = m_windowMenu->addSeparator();
    m_windowListSeparator->setVisible(false);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildWindowList);

    m_helpMenu = bar->addMenu(QStringLiteral("&Help"));
    m_helpMenu->setObjectName("helpMenu");
    m_helpContentsAction = makeAction(this, m_helpMenu, "helpContentsAction", QStringLiteral("&Contents"));
    m_helpSearchAction = makeAction(this, m_helpMenu, "helpSearchAction", QStringLiteral("&Search For Help On..."));
    m_helpMenu->addSeparator();
    m_tipOfTheDayAction = makeAction(this, m_helpMenu, "tipOfTheDayAction", QStringLiteral("Tip of the Day"));
    m_helpMenu->addSeparator();
    m_aboutAction = makeAction(this, m_helpMenu, "aboutAction", QStringLiteral("&About Brinestead..."));

    const auto on = [this](QAction* action, void (MainWindow::*slot)()) {
        connect(action, &QAction::triggered, this, slot);
    };
    on(m_newEntryAction, &MainWindow::newEntry);
    on(m_openEntryAction, &MainWindow::openEntry);
    on(m_deleteEntryAction, &MainWindow::deleteEntry);
    on(m_moveEntryAction, &MainWindow::moveEntry);
    on(m_backupAction, &MainWindow::backupDatabase);
    on(m_printAction, &MainWindow::printActiveChild);
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
    on(m_showToolbarAction, &MainWindow::toggleToolbar);
    on(m_showStatusBarAction, &MainWindow::toggleStatusBar);
    on(m_refreshAction, &MainWindow::refreshLogbook);
    on(m_optionsAction, &MainWindow::showOptions);
    on(m_tankSetupAction, &MainWindow::showTankList);
    on(m_logbookAction, &MainWindow::showLogbook);
    on(m_graphingAction, &MainWindow::showGraph);
    on(m_compatibilityAction, &MainWindow::showCompatibility);
    on(m_diagnosisAction, &MainWindow::runDiagnosis);
    on(m_editRemindersAction, &MainWindow::showReminderList);
    on(m_reminderScheduleAction, &MainWindow::showReminderSchedule);
    on(m_fantasyTankAction, &MainWindow::showFantasyTank);
    on(m_commonNamesAction, &MainWindow::showNamesCrossReference);
    on(m_conversionsAction, &MainWindow::showConversionCalculator);
    on(m_helpContentsAction, &MainWindow::showHelpContents);
    on(m_helpSearchAction, &MainWindow::showHelpIndex);
    on(m_tipOfTheDayAction, &MainWindow::showTipOfTheDay);
    on(m_aboutAction, &MainWindow::showAboutBox);
    connect(m_cascadeAction, &QAction::triggered, this, [this] { arrangeWindows(Arrangement::Cascade); });
    connect(m_tileHorizontalAction, &QAction::triggered, this,
            [this] { arrangeWindows(Arrangement::TileHorizontally); });
    connect(m_tileVerticalAction, &QAction::triggered, this, [this] { arrangeWindows(Arrangement::TileVertically); });
    connect(m_arrangeIconsAction, &QAction::triggered, this,
            [this] { arrangeWindows(Arrangement::IconsAlongTheBottom); });
}

void MainWindow::buildPopups()
{
    // The pop-ups are never in the menu bar; the logbook and the graph pop them up.
    m_tankMenu = new QMenu(QStringLiteral("tank_popup"), this);
    m_tankMenu->setObjectName("tankMenu");
    m_newTankAction = makeAction(this, m_tankMenu, "newTankAction", QStringLiteral("New Tank..."));
    m_deleteTankAction = makeAction(this, m_tankMenu, "deleteTankAction", QStringLiteral("Delete Tank"));
    m_tankMenu->addSeparator();
    m_tankPropertiesAction = makeAction(this, m_tankMenu, "tankPropertiesAction", QStringLiteral("Properties..."));

    m_logMenu = new QMenu(QStringLiteral("log_popup"), this);
    m_logMenu->setObjectName("logMenu");
    m_logNewEntryAction = makeAction(this, m_logMenu, "logNewEntryAction", QStringLiteral("New"));
    m_logOpenEntryAction = makeAction(this, m_logMenu, "logOpenEntryAction", QStringLiteral("Open"));
    m_logMenu->addSeparator();
    m_logDeleteEntryAction = makeAction(this, m_logMenu, "logDeleteEntryAction", QStringLiteral("Delete"));
    m_logMoveSeparator = m_logMenu->addSeparator();
    m_logMoveSeparator->setObjectName("logMoveSeparator");
    m_logMoveEntryAction = makeAction(this, m_logMenu, "logMoveEntryAction", QStringLiteral("Move to Tank..."));

    m_graphMenu = new QMenu(QStringLiteral("graph_popup"), this);
    m_graphMenu->setObjectName("graphMenu");
    m_graphOptionsAction = makeAction(this, m_graphMenu, "graphOptionsAction", QStringLiteral("Graph Options"));

    connect(m_newTankAction, &QAction::triggered, this, &MainWindow::addTank);
    connect(m_deleteTankAction, &QAction::triggered, this, &MainWindow::deleteTank);
    connect(m_tankPropertiesAction, &QAction::triggered, this, &MainWindow::showTankProperties);
    connect(m_logNewEntryAction, &QAction::triggered, this, &MainWindow::newEntry);
    connect(m_logOpenEntryAction, &QAction::triggered, this, &MainWindow::openEntry);
    connect(m_logDeleteEntryAction, &QAction::triggered, this, &MainWindow::deleteEntry);
    connect(m_logMoveEntryAction, &QAction::triggered, this, &MainWindow::moveEntry);
    connect(m_graphOptionsAction, &QAction::triggered, this, &MainWindow::showGraphOptions);
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName("toolbar");
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const struct {
        const char* key;
        const char* tip;
        const char* picture;
        void (MainWindow::*command)();
    } buttons[] = {
        {"tanksetup", "Setup Tanks for Logging", "setup", &MainWindow::showTankList},
        {"logbook", "Logbook - Logging of Water Quality, Maintenance, Livestock", "testlog", &MainWindow::showLogbook},
        {"graphing", "Graphing of Water Quality", "graphing", &MainWindow::showGraph},
        {"compatability", "Check Animal Compatibility", "compatability", &MainWindow::showCompatibility},
        {"diagnose", "Diagnose Disease", "med", &MainWindow::runDiagnosis},
        {"maintsched", "Schedule Reminders", "handwithstring", &MainWindow::showReminderList},
        {"viewschedule", "View Maintenance Schedule", "cal", &MainWindow::showReminderSchedule},
        {"fantasy", "Fantasy Tank", "fantasy", &MainWindow::showFantasyTank},
        {"commonnames", "Common Names to Latin Names Reference", "commonnames", &MainWindow::showNamesCrossReference},
        {"conversions", "Conversion Calculator", "rulers", &MainWindow::showConversionCalculator},
    };
    for (const auto& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        // The text shows only when a narrow window moves the button into the
        // toolbar's overflow menu; the key is the object name.
        QAction* action = m_toolbar->addAction(
            QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(b.picture))), QString::fromLatin1(b.tip));
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(b.tip));
        action->setData(QString::fromLatin1(b.picture));
        m_toolbarButtons.insert(key, action);
        connect(action, &QAction::triggered, this, b.command);
    }
    // The reminders box is not one of the toolbar's items: it is placed by hand
    // at the right end of the bar (placeReminderBox).
    // A long task is cut short on the box's face and in its list, never mid-letter.
    m_remindersBox = new ElidedComboBox(m_toolbar);
    m_remindersBox->setObjectName("remindersBox");
    m_remindersBox->setFixedWidth(330);
    m_remindersBox->setToolTip(QStringLiteral("Upcoming maintenance reminders"));
    connect(m_remindersBox, qOverload<int>(&QComboBox::activated), this, &MainWindow::showFirstReminder);
    m_toolbar->setMinimumHeight(m_remindersBox->sizeHint().height() + 6);
    m_toolbar->installEventFilter(this);
}

// ---- child windows ------------------------------------------------------

void MainWindow::registerChild(const QString& windowName, std::function<QWidget*()> factory)
{
    m_factories.insert(windowName, std::move(factory));
}

QWidget* MainWindow::childWindow(const QString& windowName, bool create)
{
    if (QWidget* existing = m_children.value(windowName))
        return existing;
    if (!create || !m_factories.contains(windowName))
        return nullptr;
    QWidget* child = m_factories.value(windowName)();
    if (!child)
        return nullptr;
    // The window opens at the size it gave itself (the frame would otherwise
    // shrink it to its smallest), whole inside the area: moved in from where
    // the area put it, and smaller where the area has no room for it.
    const QSize asked = child->testAttribute(Qt::WA_Resized) ? child->size() : QSize();
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->setAttribute(Qt::WA_DeleteOnClose);
    const QSize size = asked.isValid() ? asked.grownBy(sub->contentsMargins()) : sub->size();   // the title bar included
    const QRect fitted = fittedInside(QRect(sub->pos(), size), smallestSize(sub), m_mdiArea->viewport()->rect());
    if (m_mdiArea->isVisible())
        sub->setGeometry(fitted);
    else if (asked.isValid())
        sub->resize(fitted.size());   // a hidden area places its windows as it shows
    m_children.insert(windowName, child);
    connect(child, &QObject::destroyed, this, [this, windowName] { m_children.remove(windowName); });
    return child;
}

void MainWindow::showChild(const QString& windowName)
{
    QWidget* child = childWindow(windowName, true);
    if (!child)
        return;
    QWidget* frame = child->parentWidget();
    auto* sub = qobject_cast<QMdiSubWindow*>(frame);
    if (sub) {
        if (sub->isMinimized())
            sub->showNormal();
        sub->show();
    }
    child->show();
    if (sub) {
        if (m_mdiArea->activeSubWindow() == sub)
            activateChild(child);   // already in front: claim File > Print again
        else
            m_mdiArea->setActiveSubWindow(sub);
    }
    child->setFocus();
}

QWidget* MainWindow::activeChild() const
{
    QMdiSubWindow* sub = m_mdiArea->activeSubWindow();
    if (!sub)
        sub = m_mdiArea->currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

ILogbookWindow* MainWindow::logbook(bool create)
{
    return dynamic_cast<ILogbookWindow*>(childWindow(QStringLiteral("LogbookWindow"), create));
}

bool MainWindow::logbookVisible() const
{
    QWidget* w = m_children.value(QStringLiteral("LogbookWindow"));
    if (!w)
        return false;
    // A minimised logbook is still open: its frame shows, though the window
    // inside is hidden while it is an icon.
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    return w->isVisible() || (sub && sub->isVisible() && sub->isMinimized());
}

void MainWindow::activateChild(QWidget* child)
{
    if (auto* window = dynamic_cast<IChildWindow*>(child))
        window->activate();
}

void MainWindow::onSubWindowActivated(QMdiSubWindow* sub)
{
    if (sub)
        activateChild(sub->widget());
}

// ---- shared pieces --------------------------------------------------------

void MainWindow::setStatusText(const QString& text)
{
    m_statusPanel->setFullText(text);
    m_statusPanel->repaint();
}

QString MainWindow::statusText() const
{
    return m_statusPanel->fullText();
}

void MainWindow::claimFilePrint(bool enabled, const QString& caption)
{
    m_printAction->setEnabled(enabled);
    m_printAction->setText(caption);
}

QAction* MainWindow::toolbarButton(const QString& key) const
{
    return m_toolbarButtons.value(key);
}

void MainWindow::checkTanksSetUp()
{
    QSqlQuery q(m_ctx.db());
    if (!q.exec(QStringLiteral("SELECT 1 FROM TANKLST LIMIT 1"))) {
        // Not the no-tank warning: the tanks may well be there.
        m_ctx.services.tell(QStringLiteral("The list of tanks could not be read: %1").arg(q.lastError().text()),
                            QStringLiteral("Database Error"), MsgIcon::Exclamation);
        return;
    }
    const bool anyTank = q.next();
    if (!anyTank) {
        m_ctx.services.tell(
            QStringLiteral("You have no tanks set up in Brinestead for Windows. You must set-up at least one "
                           "tank before you can use the logging, graphing, or data-import tools in Brinestead. "
                           "Set up a tank by clicking on the \"Setup / Manage Tanks\" button on the main menu."),
            QStringLiteral("No Tanks Set Up Yet"), MsgIcon::Exclamation, true);
    }
    toolbarButton(QStringLiteral("logbook"))->setEnabled(anyTank);
    toolbarButton(QStringLiteral("graphing"))->setEnabled(anyTank);
}

// ---- File ------------------------------------------------------------------

void MainWindow::newEntry()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->addEntry();
}

void MainWindow::openEntry()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->changeEntry();
}

void MainWindow::deleteEntry()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->deleteEntry();
}

void MainWindow::moveEntry()
{
    // The logbook enables this item only on its livestock tab.
    if (ILogbookWindow* lb = logbook())
        lb->moveEntry();
}

void MainWindow::backupDatabase()
{
    if (hooks.backupDatabase)
        hooks.backupDatabase();
}

void MainWindow::printActiveChild()
{
    // The active child decides what printing means for it (nothing, for most).
    if (auto* window = dynamic_cast<IChildWindow*>(activeChild()))
        window->printRequested();
}

// ---- View ------------------------------------------------------------------

// The bar decides: shown -> hide it and clear the tick, hidden -> show and tick.
// (Qt has already flipped the tick of a chosen checkable item; this sets it right
// whichever way the command arrives.)
void MainWindow::toggleToolbar()
{
    const bool show = !m_toolbar->isVisibleTo(this);
    m_toolbar->setVisible(show);
    m_showToolbarAction->setChecked(show);
}

void MainWindow::toggleStatusBar()
{
    const bool show = !m_statusBar->isVisibleTo(this);
    m_statusBar->setVisible(show);
    m_showStatusBarAction->setChecked(show);
}

void MainWindow::refreshLogbook()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->refreshTankTree();
}

void MainWindow::showOptions()
{
    if (hooks.showOptions)
        hooks.showOptions(0);
}

// ---- Tools -----------------------------------------------------------------

void MainWindow::showTankList()
{
    if (hooks.showTankList)
        hooks.showTankList();
    checkTanksSetUp();
}

void MainWindow::showLogbook() { showChild(QStringLiteral("LogbookWindow")); }

void MainWindow::showGraph()
{
    // A picked tank deleted since leaves the graph to the tank it shows.
    if (m_pickedTank && !TankStore(m_ctx.db()).findById(*m_pickedTank))
        m_pickedTank.reset();
    if (hooks.showGraph)
        hooks.showGraph(m_pickedTank);
}

void MainWindow::showCompatibility() { showChild(QStringLiteral("CompatibilityWindow")); }
void MainWindow::showReminderList() { showChild(QStringLiteral("ReminderListWindow")); }
void MainWindow::showReminderSchedule() { showChild(QStringLiteral("ScheduleWindow")); }
void MainWindow::showFantasyTank() { showChild(QStringLiteral("FantasyTankWindow")); }
void MainWindow::showNamesCrossReference() { showChild(QStringLiteral("NamesCrossReferenceWindow")); }
void MainWindow::showConversionCalculator() { showChild(QStringLiteral("ConversionCalculatorWindow")); }

void MainWindow::runDiagnosis()
{
    if (m_inDiagnosisLoop)
        return;   // a shortcut pressed while the wizard runs must not start a second loop
    QApplication::processEvents();
    m_diagnosisFrameClosed = false;
    if (!hooks.runDiagnosisWizard)
        return;
    m_inDiagnosisLoop = true;
    qApp->installEventFilter(this);
    // A run started over starts the next one; the keeper's Cancel, a page
    // closed through its frame, or the main window closing end the loop.
    bool done = false;
    while (!done && !m_diagnosisFrameClosed && !m_closing)
        done = !hooks.runDiagnosisWizard();
    qApp->removeEventFilter(this);
    m_inDiagnosisLoop = false;
}

void MainWindow::noteWindowClosedByFrame()
{
    if (m_inDiagnosisLoop)
        m_diagnosisFrameClosed = true;
}

// ---- pop-ups ---------------------------------------------------------------

void MainWindow::addTank()
{
    if (hooks.addTank)
        hooks.addTank();
    if (ILogbookWindow* lb = logbook())
        lb->refreshTankTree();
}

void MainWindow::deleteTank()
{
    ILogbookWindow* lb = logbook();
    if (!lb)
        return;   // the pop-up belongs to the logbook's tree
    if (hooks.deleteTank)
        hooks.deleteTank(lb->currentTankId());
    lb->refreshTankTree();
}

void MainWindow::showTankProperties()
{
    ILogbookWindow* lb = logbook();
    if (!lb)
        return;
    if (hooks.editTank)
        hooks.editTank(lb->currentTankId());
    lb->refreshTankTree();
}

void MainWindow::showGraphOptions()
{
    if (hooks.showOptions)
        hooks.showOptions(1);
    if (hooks.graphVisible && hooks.graphVisible() && hooks.showGraph)
        hooks.showGraph(std::nullopt);
}

// ---- Window ------------------------------------------------------------------

void MainWindow::arrangeWindows(Arrangement arrangement)
{
    switch (arrangement) {
    case Arrangement::Cascade:
        m_mdiArea->cascadeSubWindows();
        return;
    case Arrangement::TileHorizontally:
    case Arrangement::TileVertically: {
        QList<QMdiSubWindow*> open;
        for (QMdiSubWindow* sub : m_mdiArea->subWindowList(QMdiArea::StackingOrder))
            if (sub->isVisible() && !sub->isMinimized())
                open.append(sub);
        if (open.isEmpty())
            return;
        const QRect area = m_mdiArea->viewport()->rect();
        const int n = static_cast<int>(open.size());
        for (int i = 0; i < n; ++i) {
            QMdiSubWindow* sub = open[n - 1 - i];   // the window in front goes first
            if (sub->isMaximized())
                sub->showNormal();
            if (arrangement == Arrangement::TileHorizontally) {
                const int top = area.height() * i / n;
                const int bottom = area.height() * (i + 1) / n;
                sub->setGeometry(0, top, area.width(), bottom - top);
            } else {
                const int left = area.width() * i / n;
                const int right = area.width() * (i + 1) / n;
                sub->setGeometry(left, 0, right - left, area.height());
            }
        }
        return;
    }
    case Arrangement::IconsAlongTheBottom: {
        // Minimised windows in a row along the bottom, wrapping upwards.
        const QRect area = m_mdiArea->viewport()->rect();
        int x = 0;
        int y = area.height();
        for (QMdiSubWindow* sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
            if (!sub->isMinimized() || !sub->isVisible())
                continue;
            const QSize size = sub->size();
            if (x > 0 && x + size.width() > area.width()) {
                x = 0;
                y -= size.height();
            }
            if (x == 0 && y == area.height())
                y -= size.height();
            sub->move(x, y);
            x += size.width();
        }
        return;
    }
    }
}

void MainWindow::rebuildWindowList()
{
    for (QAction* a : std::as_const(m_windowListActions)) {
        m_windowMenu->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if (!active)
        active = m_mdiArea->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() && !sub->isMinimized())
            continue;
        ++number;
        const QString title = captionText(sub->windowTitle());
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                            : QStringLiteral("%1 %2").arg(number).arg(title);
        auto* action = new QAction(caption, m_windowMenu);
        action->setCheckable(true);
        action->setChecked(sub == active);
        connect(action, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            m_mdiArea->setActiveSubWindow(sub);
        });
        m_windowMenu->addAction(action);
        m_windowListActions.append(action);
    }
    m_windowListSeparator->setVisible(!m_windowListActions.isEmpty());
}

// ---- Help ----------------------------------------------------------------------

HelpWindow* MainWindow::helpWindow()
{
    if (!m_help)
        m_help = HelpWindow::forWindow(this);
    return m_help;
}

namespace {
bool helpAvailable()
{
    return QFile::exists(QStringLiteral(":/help/") + kHelpContentsPage);
}
} // namespace

void MainWindow::showHelpContents()
{
    if (!helpAvailable()) {
        m_ctx.services.tell(QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."),
                            windowTitle(), MsgIcon::Information, false);
        return;
    }
    helpWindow()->showContents();
}

void MainWindow::showHelpIndex()
{
    if (!helpAvailable()) {
        m_ctx.services.tell(QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."),
                            windowTitle(), MsgIcon::Information, false);
        return;
    }
    helpWindow()->showIndex(QString());
}

void MainWindow::showHelpContext(int contextId)
{
    if (!helpAvailable())
        return;
    helpWindow()->showContext(contextId);
}

void MainWindow::showTipOfTheDay()
{
    TipOfTheDayDialog tod(m_ctx, this);
    tod.exec();
}

void MainWindow::showAboutBox()
{
    m_ctx.splashMode = false;
    AboutBox about(m_ctx, this);
    about.exec();
}

// ---- window events -----------------------------------------------------------

int MainWindow::reminderBoxLeft(int windowWidth, int boxWidth)
{
    return std::abs(windowWidth - boxWidth - kReminderMargin);
}

void MainWindow::placeReminderBox()
{
    if (!m_remindersBox || !m_toolbar)
        return;
    const int left = reminderBoxLeft(width(), m_remindersBox->width()) - m_toolbar->x();
    const int top = qMax(0, (m_toolbar->height() - m_remindersBox->height()) / 2);
    m_remindersBox->move(left, top);
    m_remindersBox->raise();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    placeReminderBox();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Coming back to the main window: the child in front claims File > Print again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activateChild(activeChild());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_toolbar && (event->type() == QEvent::Resize || event->type() == QEvent::Move
                                || event->type() == QEvent::Show)) {
        placeReminderBox();
    } else if (watched == m_fileMenu && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && m_fileMenu->activeAction()
            && m_fileMenu->activeAction()->data().isValid()) {
            const int context = m_fileMenu->activeAction()->data().toInt();
            m_fileMenu->close();
            showHelpContext(context);
            return true;
        }
    } else if (m_inDiagnosisLoop && event->type() == QEvent::Close && event->spontaneous()) {
        // Only the wizard's own window: closing its help window, a print dialog
        // or a message box through the frame does not leave the wizard.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() && widget->parentWidget() == this)
            noteWindowClosedByFrame();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    m_mdiArea->closeAllSubWindows();
    if (m_help)
        m_help->close();
    QMainWindow::closeEvent(event);
}

// ---- the logbook's entry commands ---------------------------------------------

void MainWindow::setFilePrintEnabled(bool enabled)
{
    m_printAction->setEnabled(enabled);
}

void MainWindow::setFileEntryCommandsEnabled(bool enabled)
{
    m_newEntryAction->setEnabled(enabled);
    m_openEntryAction->setEnabled(enabled);
    m_deleteEntryAction->setEnabled(enabled);
}

void MainWindow::setMoveEntryEnabled(bool enabled)
{
    m_moveEntryAction->setEnabled(enabled);
}

void MainWindow::enableLogPopupEntryCommands()
{
    m_logOpenEntryAction->setEnabled(true);
    m_logDeleteEntryAction->setEnabled(true);
}

void MainWindow::updateEntryCommands(const QString& logCaption, bool tankSelected, bool livestockLog)
{
    m_newEntryAction->setText(QStringLiteral("New ") + logCaption + QStringLiteral(" Entry..."));
    m_openEntryAction->setText(QStringLiteral("Open ") + logCaption + QStringLiteral(" Entry..."));
    m_deleteEntryAction->setText(QStringLiteral("Delete ") + logCaption + QStringLiteral(" Entry..."));
    m_logNewEntryAction->setText(m_newEntryAction->text());
    m_logOpenEntryAction->setText(m_openEntryAction->text());
    m_logDeleteEntryAction->setText(m_deleteEntryAction->text());

    m_logMoveEntryAction->setVisible(livestockLog);
    m_logMoveSeparator->setVisible(livestockLog);
    m_moveEntryAction->setEnabled(livestockLog);

    m_printAction->setEnabled(tankSelected);
    if (!tankSelected)
        m_tankPropertiesAction->setText(QStringLiteral("(no tank selected) Properties..."));

    for (QAction* a : {m_tankPropertiesAction, m_deleteTankAction, m_newEntryAction, m_openEntryAction, m_deleteEntryAction,
                       m_logNewEntryAction, m_logOpenEntryAction, m_logDeleteEntryAction})
        a->setEnabled(tankSelected);
    m_logMenu->setEnabled(tankSelected);
}

void MainWindow::setTankPropertiesCaption(const QString& caption)
{
    m_tankPropertiesAction->setText(caption);
}

void MainWindow::showWaterGraph(const QString& tankId)
{
    if (hooks.showGraph)
        hooks.showGraph(tankId);
}

void MainWindow::noteTankPicked(const QString& tankId)
{
    m_pickedTank = tankId;
}
