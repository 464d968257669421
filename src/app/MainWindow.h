#pragma once
// The main window: menus, toolbar, status bar, the reminders box and the
// multiple-document area the child windows open in. It routes every command to
// the window or procedure that does the work.
#include <QHash>
#include <QList>
#include <QMainWindow>
#include "core/ui/ShellInterfaces.h"
#include <functional>

class AppContext;
class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolBar;
class QLabel;
class HelpWindow;
class QMdiSubWindow;

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
    std::function<void()> loadCompatTables;                  // start-up: fill the compatibility tables
};

class MainWindow : public QMainWindow, public ILogbookShell {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppContext& context() { return m_ctx; }
    ShellHooks hooks;

    // ---- child windows -------------------------------------------------
    // A child window is created by its factory on first use and added to the
    // document area; it must implement IChildWindow.
    void registerChild(const QString& windowName, std::function<QWidget*()> factory);
    QWidget* childWindow(const QString& windowName, bool create = true);
    // Show modeless (creating on first use), then give it the focus.
    void showChild(const QString& windowName);
    QWidget* activeChild() const;
    ILogbookWindow* logbook(bool create = false);
    bool logbookVisible() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }

    // ---- shared pieces other windows use --------------------------------
    void setStatusText(const QString& text);     // first panel of sbStatusBar
    QString statusText() const;
    // The File > Print takeover: the active child sets state and caption.
    void claimFilePrint(bool enabled, const QString& caption) override;
    void setFilePrintEnabled(bool enabled) override;

    // ---- the logbook's entry commands ---------------------------------------
    void setFileEntryCommandsEnabled(bool enabled) override;
    void setMoveEntryEnabled(bool enabled) override;
    void enableLogPopupEntryCommands() override;
    void updateEntryCommands(const QString& logCaption, bool tankSelected, bool livestockLog) override;
    void setTankPropertiesCaption(const QString& caption) override;
    QMenu* tankPopupMenu() const override { return mnu_tankPopup; }
    QMenu* logPopupMenu() const override { return mnu_LogPopup; }
    void showWaterGraph() override;
    QAction* toolbarButton(const QString& key) const;   // "tanksetup", "logbook", ...

    // ---- public procedures ---------------------------------------------
    void rebuildRemindersBox();                     // rebuild the reminders box
    void cbo_Reminders_Click();
    void checkTanksSetUp();               // warn when no tank exists; logbook/graphing buttons
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

    // Edit menu (hidden, never shown; its items do nothing)
    QAction* mnu_EditUndo = nullptr;
    QAction* mnu_EditCut = nullptr;
    QAction* mnu_EditCopy = nullptr;
    QAction* mnu_EditPaste = nullptr;

    // ---- command handlers (menu items, toolbar keys, pop-ups) -----------
    void mnu_FileNew_Click();
    void mnu_FileOpen_Click();
    void mnu_FileDelete_Click();
    void mnu_FileMoveEntry_Click();
    void mnu_FileBackup_Click();
    void mnu_FilePrint_Click();
    void mnu_Exit_Click();
    void mnu_ViewToolbar_Click();
    void mnu_ViewStatusbar_Click();
    void mnu_ViewRefresh_Click();
    void mnu_ViewOptions_Click();
    void mnu_ToolsTanksetup_Click();
    void mnu_ToolsLogbook_Click();
    void mnu_ToolsGraphing_Click();
    void mnu_ToolsCompatibility_Click();
    void mnu_ToolsRemindersAddEdit_Click();
    void mnu_ToolsReminderSchedule_Click();
    void mnu_ToolsFantasy_Click();
    void mnu_ToolsCommonNames_Click();
    void mnu_ToolsConversions_Click();
    void mnu_HelpContents_Click();
    void mnu_HelpSearch_Click();
    void mnu_HelpTod_Click();
    void mnu_HelpAbout_Click();
    void mnu_TankAddNew_Click();
    void mnu_TankDelete_Click();
    void mnu_TankProperties_Click();
    void mnu_GraphOptions_Click();
    // Runs the Tools item that belongs to the toolbar key; an unknown key does nothing.
    void Toolbar1_ButtonClick(const QString& key);

    // Window arrangement: 0 cascade, 1 tile horizontally (stacked, full width),
    // 2 tile vertically (side by side), 3 arrange the icons of minimised windows.
    void Arrange(int code);
    // The open child windows in the Window menu's list (rebuilt when the menu opens).
    QList<QAction*> windowListActions();
    void rebuildWindowList();

    // Help: the help window (created on first use), and help by context number.
    HelpWindow* helpWindow(bool create = true);
    void showHelpContext(int contextId);
    static constexpr int kHelpContextBackup = 4;

    // Left edge of the reminders box for a window `windowWidth` wide: the box
    // sits kReminderMargin pixels from the right edge, and never off the left.
    static int reminderBoxLeft(int windowWidth, int boxWidth);
    static constexpr int kReminderMargin = 8;   // about 120 twips

    // A wizard page closed through its frame during the diagnosis loop counts
    // as the keeper leaving the wizard.
    void noteWindowClosedByFrame();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeReminderBox();
    void activateChildForm(QWidget* child);
    void onSubWindowActivated(QMdiSubWindow* sub);
    void buildMenus();
    void buildToolbar();
    void buildPopups();

    AppContext& m_ctx;
    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_statusPanel = nullptr;
    QHash<QString, std::function<QWidget*()>> m_factories;
    QHash<QString, QWidget*> m_children;
    QHash<QString, QAction*> m_toolbarButtons;
    QHash<QString, std::function<void()>> m_toolbarCommands;
    QAction* m_windowListSeparator = nullptr;
    QList<QAction*> m_windowListActions;
    HelpWindow* m_help = nullptr;
    bool m_inDiagnosisLoop = false;
    bool m_diagnosisFrameClosed = false;
    bool m_closing = false;
};
