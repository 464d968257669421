#pragma once
// The main window: menus, toolbar, status bar, the reminders box and the
// multiple-document area the child windows open in. It routes every command to
// the window or procedure that does the work.
#include <QHash>
#include <QMainWindow>
#include <functional>

class AppContext;
class ILogbookWindow;
class IChildWindow;
class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolBar;
class QLabel;

// Commands whose windows live in other parts of the program; the wiring
// (app/Wiring.cpp) fills them in. An empty one does nothing.
struct ShellHooks {
    std::function<void()> showTankList;                      // Tools > Tank Setup (modal tank list)
    std::function<void()> addNewTank;                        // tank pop-up "New Tank..."
    std::function<void(const QString&)> changeTankInfo;      // tank pop-up "Properties..."
    std::function<void(const QString&)> deleteTankInfo;      // tank pop-up "Delete Tank"
    std::function<void(int)> showOptions;                    // View > Options... (0), Graph Options (1)
    std::function<void()> backupDatabase;                    // File > Backup Database
    std::function<void()> graphChart;                        // Tools > Graphing
    std::function<bool()> graphVisible;                      // is the graph window showing
    std::function<void()> questionDisclaimer;                // one run of the diagnosis wizard
};

class frm_ZELMDIMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frm_ZELMDIMain(AppContext& ctx, QWidget* parent = nullptr);
    ~frm_ZELMDIMain() override;

    AppContext& context() { return m_ctx; }
    ShellHooks hooks;

    // ---- child windows -------------------------------------------------
    // A child window is created by its factory on first use and added to the
    // document area; it must implement IChildWindow.
    void registerChild(const QString& formName, std::function<QWidget*()> factory);
    QWidget* childWindow(const QString& formName, bool create = true);
    // Show modeless (creating on first use), then give it the focus.
    void showChild(const QString& formName);
    QWidget* activeChild() const;
    ILogbookWindow* logbook(bool create = false);
    bool logbookVisible() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }

    // ---- shared pieces other windows use --------------------------------
    void setStatusText(const QString& text);     // first panel of sbStatusBar
    QString statusText() const;
    // The File > Print takeover: the active child sets state and caption.
    void claimFilePrint(bool enabled, const QString& caption);
    QAction* toolbarButton(const QString& key) const;   // "tanksetup", "logbook", ...

    // ---- public procedures ---------------------------------------------
    void Top20List();                     // rebuild the reminders box
    void cbo_Reminders_Click();
    void CheckTanksSetUp();               // warn when no tank exists; logbook/graphing buttons
    void mnu_ToolsDisease_Click();
    bool DoneCheckingDiagnosis = false;

    // Menu bar
    QMenu* mnu_File = nullptr;
    QAction* mnu_FileNew = nullptr;
    QAction* mnu_FileOpen = nullptr;
    QAction* mnu_FileDelete = nullptr;
    QAction* mnu_FileMoveEntry = nullptr;
    QAction* mnu_FileBackup = nullptr;
    QAction* mnu_FileProperties = nullptr;
    QAction* mnu_FilePageSetup = nullptr;
    QAction* mnu_FilePrint = nullptr;
    QAction* mnu_Exit = nullptr;
    QMenu* mnu_Edit = nullptr;
    QMenu* mnu_View = nullptr;
    QAction* mnu_ViewToolbar = nullptr;
    QAction* mnu_ViewStatusbar = nullptr;
    QAction* mnu_ViewRefresh = nullptr;
    QAction* mnu_ViewOptions = nullptr;
    QAction* mnu_ViewBrowser = nullptr;
    QMenu* mnu_Tools = nullptr;
    QAction* mnu_ToolsTanksetup = nullptr;
    QAction* mnu_ToolsLogbook = nullptr;
    QAction* mnu_ToolsGraphing = nullptr;
    QAction* mnu_ToolsCompatibility = nullptr;
    QAction* mnu_ToolsDisease = nullptr;
    QAction* mnu_ToolsRemindersAddEdit = nullptr;
    QAction* mnu_ToolsReminderSchedule = nullptr;
    QAction* mnu_ToolsFantasy = nullptr;
    QAction* mnu_ToolsCommonNames = nullptr;
    QAction* mnu_ToolsConversions = nullptr;
    QMenu* mnu_Window = nullptr;
    QAction* mnu_WindowCascade = nullptr;
    QAction* mnu_WindowTileHorizontal = nullptr;
    QAction* mnu_WindowTileVertical = nullptr;
    QAction* mnu_WindowArrangeIcons = nullptr;
    QMenu* mnu_Help = nullptr;
    QAction* mnu_HelpContents = nullptr;
    QAction* mnu_HelpSearch = nullptr;
    QAction* mnu_HelpTod = nullptr;
    QAction* mnu_HelpAbout = nullptr;

    // Pop-up menus (never in the menu bar)
    QMenu* mnu_tankPopup = nullptr;
    QAction* mnu_TankAddNew = nullptr;
    QAction* mnu_TankDelete = nullptr;
    QAction* mnu_TankProperties = nullptr;
    QMenu* mnu_LogPopup = nullptr;
    QAction* mnu_LogPopup_New = nullptr;
    QAction* mnu_Logpopup_Open = nullptr;
    QAction* mnu_LogPopup_Delete = nullptr;
    QAction* mnu_movesep = nullptr;
    QAction* mnu_LogPopup_Move = nullptr;
    QMenu* mnu_GraphPopup = nullptr;
    QAction* mnu_GraphOptions = nullptr;

    QToolBar* Toolbar1 = nullptr;
    QComboBox* cbo_Reminders = nullptr;
    QStatusBar* sbStatusBar = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildPopups();

    AppContext& m_ctx;
    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_statusPanel = nullptr;
    QHash<QString, std::function<QWidget*()>> m_factories;
    QHash<QString, QWidget*> m_children;
    QHash<QString, QAction*> m_toolbarButtons;
};
