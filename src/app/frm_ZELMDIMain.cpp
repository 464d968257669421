#include "app/frm_ZELMDIMain.h"

#include "app/ChildWindow.h"
#include "core/AppContext.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

frm_ZELMDIMain::frm_ZELMDIMain(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx)
{
    setObjectName("frm_ZELMDIMain");
    setWindowTitle(QStringLiteral(" Brinestead 98"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("mdiArea");
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
}

frm_ZELMDIMain::~frm_ZELMDIMain()
{
    m_ctx.statusLine = nullptr;
}

namespace {
QAction* makeAction(QWidget* owner, QMenu* menu, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (menu)
        menu->addAction(action);
    return action;
}
} // namespace

void frm_ZELMDIMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    mnu_File = bar->addMenu(QStringLiteral("&File"));
    mnu_File->setObjectName("mnu_File");
    mnu_FileNew = makeAction(this, mnu_File, "mnu_FileNew", QStringLiteral("&New Log Entry"));
    mnu_FileOpen = makeAction(this, mnu_File, "mnu_FileOpen", QStringLiteral("&Open Log Entry"));
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

    mnu_Edit = bar->addMenu(QStringLiteral("&Edit"));
    mnu_Edit->setObjectName("mnu_Edit");
    mnu_Edit->menuAction()->setVisible(false);

    mnu_View = bar->addMenu(QStringLiteral("&View"));
    mnu_View->setObjectName("mnu_View");
    mnu_ViewToolbar = makeAction(this, mnu_View, "mnu_ViewToolbar", QStringLiteral("&Toolbar"));
    mnu_ViewStatusbar = makeAction(this, mnu_View, "mnu_ViewStatusbar", QStringLiteral("Status &Bar"));
    mnu_View->addSeparator();
    mnu_ViewRefresh = makeAction(this, mnu_View, "mnu_ViewRefresh", QStringLiteral("&Refresh"));
    mnu_ViewOptions = makeAction(this, mnu_View, "mnu_ViewOptions", QStringLiteral("&Options..."));
    mnu_ViewBrowser = makeAction(this, mnu_View, "mnu_ViewBrowser", QStringLiteral("&Web Browser"));

    mnu_Tools = bar->addMenu(QStringLiteral("&Tools"));
    mnu_Tools->setObjectName("mnu_Tools");
    mnu_ToolsTanksetup = makeAction(this, mnu_Tools, "mnu_ToolsTanksetup", QStringLiteral("&Tank Setup"));
    mnu_ToolsLogbook = makeAction(this, mnu_Tools, "mnu_ToolsLogbook", QStringLiteral("&Logbook"));
    mnu_ToolsGraphing = makeAction(this, mnu_Tools, "mnu_ToolsGraphing", QStringLiteral("&Graphing"));
    mnu_Tools->addSeparator();
    mnu_ToolsCompatibility = makeAction(this, mnu_Tools, "mnu_ToolsCompatibility", QStringLiteral("Co&mpatibility"));
    mnu_ToolsDisease = makeAction(this, mnu_Tools, "mnu_ToolsDisease", QStringLiteral("&Disease Diagnosis"));
    mnu_ToolsRemindersAddEdit = makeAction(this, mnu_Tools, "mnu_ToolsRemindersAddEdit", QStringLiteral("&Add or Change Reminders"));
    mnu_ToolsReminderSchedule = makeAction(this, mnu_Tools, "mnu_ToolsReminderSchedule", QStringLiteral("View Reminder &Schedule"));
    mnu_ToolsFantasy = makeAction(this, mnu_Tools, "mnu_ToolsFantasy", QStringLiteral("&Fantasy Tank"));
    mnu_ToolsCommonNames = makeAction(this, mnu_Tools, "mnu_ToolsCommonNames", QStringLiteral("Common / Latin &Names Cross-reference"));
    mnu_ToolsConversions = makeAction(this, mnu_Tools, "mnu_ToolsConversions", QStringLiteral("&Conversion Calculator"));

    mnu_Window = bar->addMenu(QStringLiteral("&Window"));
    mnu_Window->setObjectName("mnu_Window");
    mnu_WindowCascade = makeAction(this, mnu_Window, "mnu_WindowCascade", QStringLiteral("&Cascade"));
    mnu_WindowTileHorizontal = makeAction(this, mnu_Window, "mnu_WindowTileHorizontal", QStringLiteral("Tile &Horizontal"));
    mnu_WindowTileVertical = makeAction(this, mnu_Window, "mnu_WindowTileVertical", QStringLiteral("Tile &Vertical"));
    mnu_WindowArrangeIcons = makeAction(this, mnu_Window, "mnu_WindowArrangeIcons", QStringLiteral("&Arrange Icons"));

    mnu_Help = bar->addMenu(QStringLiteral("&Help"));
    mnu_Help->setObjectName("mnu_Help");
    mnu_HelpContents = makeAction(this, mnu_Help, "mnu_HelpContents", QStringLiteral("&Contents"));
    mnu_HelpSearch = makeAction(this, mnu_Help, "mnu_HelpSearch", QStringLiteral("&Search For Help On..."));
    mnu_Help->addSeparator();
    mnu_HelpTod = makeAction(this, mnu_Help, "mnu_HelpTod", QStringLiteral("Tip of the Day"));
    mnu_Help->addSeparator();
    mnu_HelpAbout = makeAction(this, mnu_Help, "mnu_HelpAbout", QStringLiteral("&About Brinestead..."));
}

void frm_ZELMDIMain::buildPopups()
{
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
}

void frm_ZELMDIMain::buildToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar"));
    Toolbar1->setObjectName("Toolbar1");
    const struct { const char* key; const char* tip; } buttons[] = {
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
    for (const auto& b : buttons) {
        QAction* action = Toolbar1->addAction(QString::fromLatin1(b.key));
        action->setObjectName(QString::fromLatin1(b.key));
        action->setToolTip(QString::fromLatin1(b.tip));
        m_toolbarButtons.insert(QString::fromLatin1(b.key), action);
    }
    cbo_Reminders = new QComboBox(Toolbar1);
    cbo_Reminders->setObjectName("cbo_Reminders");
    Toolbar1->addWidget(cbo_Reminders);
}

void frm_ZELMDIMain::registerChild(const QString& formName, std::function<QWidget*()> factory)
{
    m_factories.insert(formName, std::move(factory));
}

QWidget* frm_ZELMDIMain::childWindow(const QString& formName, bool create)
{
    if (QWidget* existing = m_children.value(formName))
        return existing;
    if (!create || !m_factories.contains(formName))
        return nullptr;
    QWidget* child = m_factories.value(formName)();
    if (!child)
        return nullptr;
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->setAttribute(Qt::WA_DeleteOnClose);
    m_children.insert(formName, child);
    connect(child, &QObject::destroyed, this, [this, formName] { m_children.remove(formName); });
    return child;
}

void frm_ZELMDIMain::showChild(const QString& formName)
{
    QWidget* child = childWindow(formName, true);
    if (!child)
        return;
    QWidget* frame = child->parentWidget();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) {
        sub->show();
        m_mdiArea->setActiveSubWindow(sub);
    }
    child->show();
    child->setFocus();
}

QWidget* frm_ZELMDIMain::activeChild() const
{
    QMdiSubWindow* sub = m_mdiArea->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

ILogbookWindow* frm_ZELMDIMain::logbook(bool create)
{
    return dynamic_cast<ILogbookWindow*>(childWindow(QStringLiteral("frm_Waterlog"), create));
}

bool frm_ZELMDIMain::logbookVisible() const
{
    QWidget* w = m_children.value(QStringLiteral("frm_Waterlog"));
    return w && w->isVisible();
}

void frm_ZELMDIMain::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
    m_statusPanel->repaint();
}

QString frm_ZELMDIMain::statusText() const
{
    return m_statusPanel->text();
}

void frm_ZELMDIMain::claimFilePrint(bool enabled, const QString& caption)
{
    mnu_FilePrint->setEnabled(enabled);
    mnu_FilePrint->setText(caption);
}

QAction* frm_ZELMDIMain::toolbarButton(const QString& key) const
{
    return m_toolbarButtons.value(key);
}

void frm_ZELMDIMain::CheckTanksSetUp() {}

void frm_ZELMDIMain::mnu_ToolsDisease_Click() {}

void frm_ZELMDIMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
}

void frm_ZELMDIMain::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
}
