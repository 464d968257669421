#include "app/MainWindow.h"

#include "core/ui/ShellInterfaces.h"
#include "core/AppContext.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/AboutBox.h"
#include "core/ui/TipOfTheDayDialog.h"

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
    sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName("sbStatusBar");
    m_statusPanel = new QLabel(QStringLiteral("Status"), sbStatusBar);
    m_statusPanel->setObjectName("sbStatusBar_panel1");
    sbStatusBar->addWidget(m_statusPanel, 1);
    setStatusBar(sbStatusBar);
    m_ctx.statusLine = [this](const QString& text) { setStatusText(text); };

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);
    resize(800, 560);
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
    mnu_File = bar->addMenu(QStringLiteral("&File"));
    mnu_File->setObjectName("mnu_File");
    mnu_FileNew = makeAction(this, mnu_File, "mnu_FileNew", QStringLiteral("&New Log Entry"), ctrl('N'));
    mnu_FileOpen = makeAction(this, mnu_File, "mnu_FileOpen", QStringLiteral("&Open Log Entry"), ctrl('O'));
    mnu_FileDelete = makeAction(this, mnu_File, "mnu_FileDelete", QStringLiteral("&Delete Log Entry"));
    mnu_File->addSeparator();
    mnu_FileMoveEntry = makeAction(this, mnu_File, "mnu_FileMoveEntry", QStringLiteral("&Move Log Entry..."));
    mnu_File->addSeparator();
    mnu_FileBackup = makeAction(this, mnu_File, "mnu_FileBackup", QStringLiteral("&Backup Database"));
    mnu_File->addSeparator();
    mnu_FileProperties = makeAction(this, mnu_File, "mnu_FileProperties", QStringLiteral("Propert&ies"));
    mnu_FilePageSetup = makeAction(this, mnu_File, "mnu_FilePageSetup", QStringLiteral("Page Set&up..."));
    mnu_FilePrint = makeAction(this, mnu_File, "mnu_FilePrint", QStringLiteral("&Print"));
    mnu_File->addSeparator();
    mnu_Exit = makeAction(this, mnu_File, "mnu_Exit", QStringLiteral("&Exit"));

    // The log entry commands wait for the logbook to enable and caption them.
    for (QAction* a : {mnu_FileNew, mnu_FileOpen, mnu_FileDelete, mnu_FileMoveEntry})
        a->setEnabled(false);
    mnu_FileProperties->setVisible(false);
    mnu_FileProperties->setEnabled(false);
    mnu_FilePageSetup->setVisible(false);
    mnu_FilePrint->setEnabled(false);
    // F1 on Backup Database opens its help page.
    mnu_FileBackup->setData(kHelpContextBackup);
    mnu_File->installEventFilter(this);

    mnu_Edit = bar->addMenu(QStringLiteral("&Edit"));
    mnu_Edit->setObjectName("mnu_Edit");
    mnu_EditUndo = makeAction(this, mnu_Edit, "mnu_EditUndo", QStringLiteral("&Undo"), ctrl('Z'));
    mnu_EditCut = makeAction(this, mnu_Edit, "mnu_EditCut", QStringLiteral("Cu&t"), ctrl('X'));
    mnu_EditCopy = makeAction(this, mnu_Edit, "mnu_EditCopy", QStringLiteral("&Copy "), ctrl('C'));
    mnu_EditPaste = makeAction(this, mnu_Edit, "mnu_EditPaste", QStringLiteral("&Paste"), ctrl('V'));
    // The Edit menu is never shown; its shortcuts must not take the keys from
    // the text fields of the child windows.
    for (QAction* a : {mnu_EditUndo, mnu_EditCut, mnu_EditCopy, mnu_EditPaste})
        a->setShortcutContext(Qt::WidgetShortcut);
    mnu_Edit->menuAction()->setVisible(false);

    mnu_View = bar->addMenu(QStringLiteral("&View"));
    mnu_View->setObjectName("mnu_View");
    mnu_ViewToolbar = makeAction(this, mnu_View, "mnu_ViewToolbar", QStringLiteral("&Toolbar"));
    mnu_ViewStatusbar = makeAction(this, mnu_View, "mnu_ViewStatusbar", QStringLiteral("Status &Bar"));
    for (QAction* a : {mnu_ViewToolbar, mnu_ViewStatusbar}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    mnu_View->addSeparator();
    mnu_ViewRefresh = makeAction(this, mnu_View, "mnu_ViewRefresh", QStringLiteral("&Refresh"));
    mnu_ViewOptions = makeAction(this, mnu_View, "mnu_ViewOptions", QStringLiteral("&Options..."));
    mnu_ViewBrowser = makeAction(this, mnu_View, "mnu_ViewBrowser", QStringLiteral("&Web Browser"));
    mnu_ViewBrowser->setVisible(false);

    mnu_Tools = bar->addMenu(QStringLiteral("&Tools"));
    mnu_Tools->setObjectName("mnu_Tools");
    mnu_ToolsTanksetup = makeAction(this, mnu_Tools, "mnu_ToolsTanksetup", QStringLiteral("&Tank Setup"), ctrl('T'));
    mnu_ToolsLogbook = makeAction(this, mnu_Tools, "mnu_ToolsLogbook", QStringLiteral("&Logbook"), ctrl('L'));
    mnu_ToolsGraphing = makeAction(this, mnu_Tools, "mnu_ToolsGraphing", QStringLiteral("&Graphing"), ctrl('G'));
    mnu_Tools->addSeparator();
    mnu_ToolsCompatibility = makeAction(this, mnu_Tools, "mnu_ToolsCompatibility", QStringLiteral("Co&mpatibility"), ctrl('M'));
    mnu_ToolsDisease = makeAction(this, mnu_Tools, "mnu_ToolsDisease", QStringLiteral("&Disease Diagnosis"), ctrl('D'));
    mnu_ToolsRemindersAddEdit = makeAction(this, mnu_Tools, "mnu_ToolsRemindersAddEdit", QStringLiteral("&Add or Change Reminders"), ctrl('E'));
    mnu_ToolsReminderSchedule = makeAction(this, mnu_Tools, "mnu_ToolsReminderSchedule", QStringLiteral("View Reminder &Schedule"), ctrl('S'));
    mnu_ToolsFantasy = makeAction(this, mnu_Tools, "mnu_ToolsFantasy", QStringLiteral("&Fantasy Tank"), ctrl('F'));
    mnu_ToolsCommonNames = makeAction(this, mnu_Tools, "mnu_ToolsCommonNames", QStringLiteral("Common / Latin &Names Cross-reference"));
    mnu_ToolsConversions = makeAction(this, mnu_Tools, "mnu_ToolsConversions", QStringLiteral("&Conversion Calculator"));

    mnu_Window = bar->addMenu(QStringLiteral("&Window"));
    mnu_Window->setObjectName("mnu_Window");
    mnu_WindowCascade = makeAction(this, mnu_Window, "mnu_WindowCascade", QStringLiteral("&Cascade"));
    mnu_WindowTileHorizontal = makeAction(this, mnu_Window, "mnu_WindowTileHorizontal", QStringLiteral("Tile &Horizontal"));
    mnu_WindowTileVertical = makeAction(this, mnu_Window, "mnu_WindowTileVertical", QStringLiteral("Tile &Vertical"));
    mnu_WindowArrangeIcons = makeAction(this, mnu_Window, "mnu_WindowArrangeIcons", QStringLiteral("&Arrange Icons"));
    m_windowListSeparator = mnu_Window->addSeparator();
    m_windowListSeparator->setVisible(false);
    connect(mnu_Window, &QMenu::aboutToShow, this, &MainWindow::rebuildWindowList);

    mnu_Help = bar->addMenu(QStringLiteral("&Help"));
    mnu_Help->setObjectName("mnu_Help");
    mnu_HelpContents = makeAction(this, mnu_Help, "mnu_HelpContents", QStringLiteral("&Contents"));
    mnu_HelpSearch = makeAction(this, mnu_Help, "mnu_HelpSearch", QStringLiteral("&Search For Help On..."));
    mnu_Help->addSeparator();
    mnu_HelpTod = makeAction(this, mnu_Help, "mnu_HelpTod", QStringLiteral("Tip of the Day"));
    mnu_Help->addSeparator();
    mnu_HelpAbout = makeAction(this, mnu_Help, "mnu_HelpAbout", QStringLiteral("&About Brinestead..."));

    const auto on = [this](QAction* action, void (MainWindow::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(mnu_FileNew, &MainWindow::mnu_FileNew_Click);
    on(mnu_FileOpen, &MainWindow::mnu_FileOpen_Click);
    on(mnu_FileDelete, &MainWindow::mnu_FileDelete_Click);
    on(mnu_FileMoveEntry, &MainWindow::mnu_FileMoveEntry_Click);
    on(mnu_FileBackup, &MainWindow::mnu_FileBackup_Click);
    on(mnu_FilePrint, &MainWindow::mnu_FilePrint_Click);
    on(mnu_Exit, &MainWindow::mnu_Exit_Click);
    on(mnu_ViewToolbar, &MainWindow::mnu_ViewToolbar_Click);
    on(mnu_ViewStatusbar, &MainWindow::mnu_ViewStatusbar_Click);
    on(mnu_ViewRefresh, &MainWindow::mnu_ViewRefresh_Click);
    on(mnu_ViewOptions, &MainWindow::mnu_ViewOptions_Click);
    on(mnu_ToolsTanksetup, &MainWindow::mnu_ToolsTanksetup_Click);
    on(mnu_ToolsLogbook, &MainWindow::mnu_ToolsLogbook_Click);
    on(mnu_ToolsGraphing, &MainWindow::mnu_ToolsGraphing_Click);
    on(mnu_ToolsCompatibility, &MainWindow::mnu_ToolsCompatibility_Click);
    on(mnu_ToolsDisease, &MainWindow::mnu_ToolsDisease_Click);
    on(mnu_ToolsRemindersAddEdit, &MainWindow::mnu_ToolsRemindersAddEdit_Click);
    on(mnu_ToolsReminderSchedule, &MainWindow::mnu_ToolsReminderSchedule_Click);
    on(mnu_ToolsFantasy, &MainWindow::mnu_ToolsFantasy_Click);
    on(mnu_ToolsCommonNames, &MainWindow::mnu_ToolsCommonNames_Click);
    on(mnu_ToolsConversions, &MainWindow::mnu_ToolsConversions_Click);
    on(mnu_HelpContents, &MainWindow::mnu_HelpContents_Click);
    on(mnu_HelpSearch, &MainWindow::mnu_HelpSearch_Click);
    on(mnu_HelpTod, &MainWindow::mnu_HelpTod_Click);
    on(mnu_HelpAbout, &MainWindow::mnu_HelpAbout_Click);
    connect(mnu_WindowCascade, &QAction::triggered, this, [this] { Arrange(0); });
    connect(mnu_WindowTileHorizontal, &QAction::triggered, this, [this] { Arrange(1); });
    connect(mnu_WindowTileVertical, &QAction::triggered, this, [this] { Arrange(2); });
    connect(mnu_WindowArrangeIcons, &QAction::triggered, this, [this] { Arrange(3); });
}

void MainWindow::buildPopups()
{
    // The pop-ups are never in the menu bar; the logbook and the graph pop them up.
    mnu_tankPopup = new QMenu(QStringLiteral("tank_popup"), this);
    mnu_tankPopup->setObjectName("mnu_tankPopup");
    mnu_TankAddNew = makeAction(this, mnu_tankPopup, "mnu_TankAddNew", QStringLiteral("New Tank..."));
    mnu_TankDelete = makeAction(this, mnu_tankPopup, "mnu_TankDelete", QStringLiteral("Delete Tank"));
    mnu_tankPopup->addSeparator();
    mnu_TankProperties = makeAction(this, mnu_tankPopup, "mnu_TankProperties", QStringLiteral("Properties..."));

    mnu_LogPopup = new QMenu(QStringLiteral("log_popup"), this);
    mnu_LogPopup->setObjectName("mnu_LogPopup");
    mnu_LogPopup_New = makeAction(this, mnu_LogPopup, "mnu_LogPopup_New", QStringLiteral("New"));
    mnu_Logpopup_Open = makeAction(this, mnu_LogPopup, "mnu_Logpopup_Open", QStringLiteral("Open"));
    mnu_LogPopup->addSeparator();
    mnu_LogPopup_Delete = makeAction(this, mnu_LogPopup, "mnu_LogPopup_Delete", QStringLiteral("Delete"));
    mnu_movesep = mnu_LogPopup->addSeparator();
    mnu_movesep->setObjectName("mnu_movesep");
    mnu_LogPopup_Move = makeAction(this, mnu_LogPopup, "mnu_LogPopup_Move", QStringLiteral("Move to Tank..."));

    mnu_GraphPopup = new QMenu(QStringLiteral("graph_popup"), this);
    mnu_GraphPopup->setObjectName("mnu_GraphPopup");
    mnu_GraphOptions = makeAction(this, mnu_GraphPopup, "mnu_GraphOptions", QStringLiteral("Graph Options"));

    connect(mnu_TankAddNew, &QAction::triggered, this, [this] { mnu_TankAddNew_Click(); });
    connect(mnu_TankDelete, &QAction::triggered, this, [this] { mnu_TankDelete_Click(); });
    connect(mnu_TankProperties, &QAction::triggered, this, [this] { mnu_TankProperties_Click(); });
    connect(mnu_LogPopup_New, &QAction::triggered, this, [this] { mnu_FileNew_Click(); });
    connect(mnu_Logpopup_Open, &QAction::triggered, this, [this] { mnu_FileOpen_Click(); });
    connect(mnu_LogPopup_Delete, &QAction::triggered, this, [this] { mnu_FileDelete_Click(); });
    connect(mnu_LogPopup_Move, &QAction::triggered, this, [this] { mnu_FileMoveEntry_Click(); });
    connect(mnu_GraphOptions, &QAction::triggered, this, [this] { mnu_GraphOptions_Click(); });
}

void MainWindow::buildToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar"));
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const struct {
        const char* key;
        const char* tip;
        const char* picture;
        void (MainWindow::*handler)();
    } buttons[] = {
        {"tanksetup", "Setup Tanks for Logging", "setup", &MainWindow::mnu_ToolsTanksetup_Click},
        {"logbook", "Logbook - Logging of Water Quality, Maintenance, Livestock", "testlog", &MainWindow::mnu_ToolsLogbook_Click},
        {"graphing", "Graphing of Water Quality", "graphing", &MainWindow::mnu_ToolsGraphing_Click},
        {"compatability", "Check Animal Compatibility", "compatability", &MainWindow::mnu_ToolsCompatibility_Click},
        {"diagnose", "Diagnose Disease", "med", &MainWindow::mnu_ToolsDisease_Click},
        {"maintsched", "Schedule Reminders", "handwithstring", &MainWindow::mnu_ToolsRemindersAddEdit_Click},
        {"viewschedule", "View Maintenance Schedule", "cal", &MainWindow::mnu_ToolsReminderSchedule_Click},
        {"fantasy", "Fantasy Tank", "fantasy", &MainWindow::mnu_ToolsFantasy_Click},
        {"commonnames", "Common Names to Latin Names Reference", "commonnames", &MainWindow::mnu_ToolsCommonNames_Click},
        {"conversions", "Conversion Calculator", "rulers", &MainWindow::mnu_ToolsConversions_Click},
    };
    for (const auto& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        // The text shows only when a narrow window moves the button into the
        // toolbar's overflow menu; the key is the object name.
        QAction* action = Toolbar1->addAction(
            QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(b.picture))), QString::fromLatin1(b.tip));
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(b.tip));
        action->setData(QString::fromLatin1(b.picture));
        m_toolbarButtons.insert(key, action);
        const auto handler = b.handler;
        m_toolbarCommands.insert(key, [this, handler] { (this->*handler)(); });
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
    // The reminders box is not one of the toolbar's items: it is placed by hand
    // at the right end of the bar (placeReminderBox).
    cbo_Reminders = new QComboBox(Toolbar1);
    cbo_Reminders->setObjectName("cbo_Reminders");
    cbo_Reminders->setFixedWidth(330);
    cbo_Reminders->setToolTip(QStringLiteral("Upcoming maintenance reminders"));
    connect(cbo_Reminders, qOverload<int>(&QComboBox::activated), this, [this] { cbo_Reminders_Click(); });
    Toolbar1->setMinimumHeight(cbo_Reminders->sizeHint().height() + 6);
    Toolbar1->installEventFilter(this);
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
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->setAttribute(Qt::WA_DeleteOnClose);
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
            activateChildForm(child);   // already in front: claim File > Print again
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

void MainWindow::activateChildForm(QWidget* child)
{
    if (auto* form = dynamic_cast<IChildWindow*>(child))
        form->activate();
}

void MainWindow::onSubWindowActivated(QMdiSubWindow* sub)
{
    if (sub)
        activateChildForm(sub->widget());
}

// ---- shared pieces --------------------------------------------------------

void MainWindow::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
    m_statusPanel->repaint();
}

QString MainWindow::statusText() const
{
    return m_statusPanel->text();
}

void MainWindow::claimFilePrint(bool enabled, const QString& caption)
{
    mnu_FilePrint->setEnabled(enabled);
    mnu_FilePrint->setText(caption);
}

QAction* MainWindow::toolbarButton(const QString& key) const
{
    return m_toolbarButtons.value(key);
}

void MainWindow::checkTanksSetUp()
{
    QSqlQuery q(m_ctx.db());
    const bool anyTank = q.exec(QStringLiteral("SELECT 1 FROM TANKLST LIMIT 1")) && q.next();
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

void MainWindow::mnu_FileNew_Click()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->addEntry();
}

void MainWindow::mnu_FileOpen_Click()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->changeEntry();
}

void MainWindow::mnu_FileDelete_Click()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->deleteEntry();
}

void MainWindow::mnu_FileMoveEntry_Click()
{
    // The logbook enables this item only on its livestock tab.
    if (ILogbookWindow* lb = logbook())
        lb->moveEntry();
}

void MainWindow::mnu_FileBackup_Click()
{
    if (hooks.backupDatabase)
        hooks.backupDatabase();
}

void MainWindow::mnu_FilePrint_Click()
{
    // The active child decides what printing means for it (nothing, for most).
    if (auto* form = dynamic_cast<IChildWindow*>(activeChild()))
        form->printRequested();
}

void MainWindow::mnu_Exit_Click()
{
    close();
}

// ---- View ------------------------------------------------------------------

// The bar decides: shown -> hide it and clear the tick, hidden -> show and tick.
// (Qt has already flipped the tick of a chosen checkable item; this sets it right
// whichever way the command arrives.)
void MainWindow::mnu_ViewToolbar_Click()
{
    const bool show = !Toolbar1->isVisibleTo(this);
    Toolbar1->setVisible(show);
    mnu_ViewToolbar->setChecked(show);
}

void MainWindow::mnu_ViewStatusbar_Click()
{
    const bool show = !sbStatusBar->isVisibleTo(this);
    sbStatusBar->setVisible(show);
    mnu_ViewStatusbar->setChecked(show);
}

void MainWindow::mnu_ViewRefresh_Click()
{
    if (logbookVisible())
        if (ILogbookWindow* lb = logbook())
            lb->refreshTankTree();
}

void MainWindow::mnu_ViewOptions_Click()
{
    if (hooks.showOptions)
        hooks.showOptions(0);
}

// ---- Tools -----------------------------------------------------------------

void MainWindow::mnu_ToolsTanksetup_Click()
{
    if (hooks.showTankList)
        hooks.showTankList();
    checkTanksSetUp();
}

void MainWindow::mnu_ToolsLogbook_Click() { showChild(QStringLiteral("LogbookWindow")); }

void MainWindow::mnu_ToolsGraphing_Click()
{
    if (hooks.graphChart)
        hooks.graphChart();
}

void MainWindow::mnu_ToolsCompatibility_Click() { showChild(QStringLiteral("CompatibilityWindow")); }
void MainWindow::mnu_ToolsRemindersAddEdit_Click() { showChild(QStringLiteral("ReminderListWindow")); }
void MainWindow::mnu_ToolsReminderSchedule_Click() { showChild(QStringLiteral("ScheduleWindow")); }
void MainWindow::mnu_ToolsFantasy_Click() { showChild(QStringLiteral("FantasyTankWindow")); }
void MainWindow::mnu_ToolsCommonNames_Click() { showChild(QStringLiteral("NamesCrossReferenceWindow")); }
void MainWindow::mnu_ToolsConversions_Click() { showChild(QStringLiteral("ConversionCalculatorWindow")); }

void MainWindow::mnu_ToolsDisease_Click()
{
    if (m_inDiagnosisLoop)
        return;   // a shortcut pressed while the wizard runs must not start a second loop
    QApplication::processEvents();
    DoneCheckingDiagnosis = false;
    m_ctx.doneCheckingDiagnosis = false;
    m_diagnosisFrameClosed = false;
    if (!hooks.questionDisclaimer)
        return;
    m_inDiagnosisLoop = true;
    qApp->installEventFilter(this);
    // The wizard says when the keeper is done (its Cancel); a page closed through
    // its frame, or the main window closing, ends the loop as well.
    while (!DoneCheckingDiagnosis && !m_ctx.doneCheckingDiagnosis && !m_diagnosisFrameClosed && !m_closing)
        hooks.questionDisclaimer();
    qApp->removeEventFilter(this);
    m_inDiagnosisLoop = false;
    DoneCheckingDiagnosis = true;
}

void MainWindow::noteWindowClosedByFrame()
{
    if (m_inDiagnosisLoop)
        m_diagnosisFrameClosed = true;
}

void MainWindow::Toolbar1_ButtonClick(const QString& key)
{
    const auto command = m_toolbarCommands.constFind(key);
    if (command != m_toolbarCommands.constEnd())
        (*command)();
}

// ---- pop-ups ---------------------------------------------------------------

void MainWindow::mnu_TankAddNew_Click()
{
    if (hooks.addNewTank)
        hooks.addNewTank();
    if (ILogbookWindow* lb = logbook())
        lb->refreshTankTree();
}

void MainWindow::mnu_TankDelete_Click()
{
    ILogbookWindow* lb = logbook();
    if (!lb)
        return;   // the pop-up belongs to the logbook's tree
    if (hooks.deleteTankInfo)
        hooks.deleteTankInfo(lb->currentTankName());
    lb->refreshTankTree();
}

void MainWindow::mnu_TankProperties_Click()
{
    ILogbookWindow* lb = logbook();
    if (!lb)
        return;
    if (hooks.changeTankInfo)
        hooks.changeTankInfo(lb->currentTankName());
    lb->refreshTankTree();
}

void MainWindow::mnu_GraphOptions_Click()
{
    if (hooks.showOptions)
        hooks.showOptions(1);
    if (hooks.graphVisible && hooks.graphVisible() && hooks.graphChart)
        hooks.graphChart();
}

// ---- Window ------------------------------------------------------------------

void MainWindow::Arrange(int code)
{
    switch (code) {
    case 0:
        m_mdiArea->cascadeSubWindows();
        return;
    case 1:
    case 2: {
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
            if (code == 1) {
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
    case 3: {
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
    default:
        return;
    }
}

QList<QAction*> MainWindow::windowListActions()
{
    rebuildWindowList();
    return m_windowListActions;
}

void MainWindow::rebuildWindowList()
{
    for (QAction* a : std::as_const(m_windowListActions)) {
        mnu_Window->removeAction(a);
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
        QString title = sub->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                            : QStringLiteral("%1 %2").arg(number).arg(title);
        auto* action = new QAction(caption, mnu_Window);
        action->setCheckable(true);
        action->setChecked(sub == active);
        connect(action, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            m_mdiArea->setActiveSubWindow(sub);
        });
        mnu_Window->addAction(action);
        m_windowListActions.append(action);
    }
    m_windowListSeparator->setVisible(!m_windowListActions.isEmpty());
}

// ---- Help ----------------------------------------------------------------------

HelpWindow* MainWindow::helpWindow(bool create)
{
    if (!m_help && create) {
        m_help = new HelpWindow(this);
        m_help->setWindowFlag(Qt::Window, true);
    }
    return m_help;
}

namespace {
bool helpAvailable()
{
    return QFile::exists(QStringLiteral(":/help/") + kHelpContentsPage);
}
} // namespace

void MainWindow::mnu_HelpContents_Click()
{
    if (!helpAvailable()) {
        m_ctx.services.tell(QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."),
                            windowTitle(), MsgIcon::Information, false);
        return;
    }
    helpWindow()->showContents();
}

void MainWindow::mnu_HelpSearch_Click()
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

void MainWindow::mnu_HelpTod_Click()
{
    TipOfTheDayDialog tod(m_ctx, this);
    tod.exec();
}

void MainWindow::mnu_HelpAbout_Click()
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
    if (!cbo_Reminders || !Toolbar1)
        return;
    const int left = reminderBoxLeft(width(), cbo_Reminders->width()) - Toolbar1->x();
    const int top = qMax(0, (Toolbar1->height() - cbo_Reminders->height()) / 2);
    cbo_Reminders->move(left, top);
    cbo_Reminders->raise();
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
        activateChildForm(activeChild());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Toolbar1 && (event->type() == QEvent::Resize || event->type() == QEvent::Move
                                || event->type() == QEvent::Show)) {
        placeReminderBox();
    } else if (watched == mnu_File && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && mnu_File->activeAction()
            && mnu_File->activeAction()->data().isValid()) {
            const int context = mnu_File->activeAction()->data().toInt();
            mnu_File->close();
            showHelpContext(context);
            return true;
        }
    } else if (m_inDiagnosisLoop && event->type() == QEvent::Close && event->spontaneous()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() && widget != this)
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
    mnu_FilePrint->setEnabled(enabled);
}

void MainWindow::setFileEntryCommandsEnabled(bool enabled)
{
    mnu_FileNew->setEnabled(enabled);
    mnu_FileOpen->setEnabled(enabled);
    mnu_FileDelete->setEnabled(enabled);
}

void MainWindow::setMoveEntryEnabled(bool enabled)
{
    mnu_FileMoveEntry->setEnabled(enabled);
}

void MainWindow::enableLogPopupEntryCommands()
{
    mnu_Logpopup_Open->setEnabled(true);
    mnu_LogPopup_Delete->setEnabled(true);
}

void MainWindow::updateEntryCommands(const QString& logCaption, bool tankSelected, bool livestockLog)
{
    mnu_FileNew->setText(QStringLiteral("New ") + logCaption + QStringLiteral(" Entry..."));
    mnu_FileOpen->setText(QStringLiteral("Open ") + logCaption + QStringLiteral(" Entry..."));
    mnu_FileDelete->setText(QStringLiteral("Delete ") + logCaption + QStringLiteral(" Entry..."));
    mnu_LogPopup_New->setText(mnu_FileNew->text());
    mnu_Logpopup_Open->setText(mnu_FileOpen->text());
    mnu_LogPopup_Delete->setText(mnu_FileDelete->text());

    mnu_LogPopup_Move->setVisible(livestockLog);
    mnu_movesep->setVisible(livestockLog);
    mnu_FileMoveEntry->setEnabled(livestockLog);

    mnu_FilePrint->setEnabled(tankSelected);
    if (!tankSelected)
        mnu_TankProperties->setText(QStringLiteral("(no tank selected) Properties..."));

    for (QAction* a : {mnu_TankProperties, mnu_TankDelete, mnu_FileNew, mnu_FileOpen, mnu_FileDelete,
                       mnu_LogPopup_New, mnu_Logpopup_Open, mnu_LogPopup_Delete})
        a->setEnabled(tankSelected);
    mnu_LogPopup->setEnabled(tankSelected);
}

void MainWindow::setTankPropertiesCaption(const QString& caption)
{
    mnu_TankProperties->setText(caption);
}

void MainWindow::showWaterGraph()
{
    if (hooks.graphChart)
        hooks.graphChart();
}
