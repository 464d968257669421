#pragma once
// The main window: menus, toolbar, status bar, the reminders box and the
// multiple-document area the child windows open in. It routes every command to
// the window or procedure that does the work.
#include <QHash>
#include <QList>
#include <QMainWindow>
#include "core/ui/ShellInterfaces.h"
#include <functional>
#include <optional>

class AppContext;
class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolBar;
class QLabel;
class ElidedLabel;
class HelpWindow;
class QMdiSubWindow;

// Commands whose windows live in other parts of the program; the wiring
// (app/Wiring.cpp) fills them in. An empty one does nothing.
struct ShellHooks {
    std::function<void()> showTankList;                      // Tools > Tank Setup (modal tank list)
    std::function<void()> addTank;                           // tank pop-up "New Tank..."
    std::function<void(const QString&)> editTank;            // tank pop-up "Properties..." (tank key)
    std::function<void(const QString&)> deleteTank;          // tank pop-up "Delete Tank" (tank key)
    std::function<void(int)> showOptions;                    // View > Options... (0), Graph Options (1)
    std::function<void()> backupDatabase;                    // File > Backup Database
    std::function<void(const std::optional<QString>&)> showGraph;   // the graph of a tank, by key (none: the one shown)
    std::function<bool()> graphVisible;                      // is the graph window showing
    std::function<bool()> runDiagnosisWizard;                // one run of the diagnosis wizard; true: run again
};

class MainWindow : public QMainWindow, public ILogbookShell {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

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

    // ---- shared pieces other windows use --------------------------------
    void setStatusText(const QString& text);     // first panel of the status bar
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
    QMenu* tankPopupMenu() const override { return m_tankMenu; }
    QMenu* logPopupMenu() const override { return m_logMenu; }
    void showWaterGraph(const QString& tankId) override;
    // The tank (its key) the keeper picked last, in the logbook's tree or the
    // graph's tank box: Tools > Graphing draws it.
    void noteTankPicked(const QString& tankId);
    QAction* toolbarButton(const QString& key) const;   // "tanksetup", "logbook", ...

    // ---- start-up ----------------------------------------------------------
    void rebuildRemindersBox();
    // Warns when no tank exists; the logbook and graphing buttons follow.
    void checkTanksSetUp();

    // ---- the diagnosis wizard ----------------------------------------------
    // A wizard page closed through its frame during the diagnosis loop counts
    // as the keeper leaving the wizard.
    void noteWindowClosedByFrame();

    // Help by context number.
    void showHelpContext(int contextId);
    static constexpr int kHelpContextBackup = 4;

    // Left edge of the reminders box for a window `windowWidth` wide: the box
    // sits kReminderMargin pixels from the right edge, and never off the left.
    static int reminderBoxLeft(int windowWidth, int boxWidth);
    static constexpr int kReminderMargin = 8;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // File
    void newEntry();
    void openEntry();
    void deleteEntry();
    void moveEntry();
    void backupDatabase();
    void printActiveChild();
    // View
    void toggleToolbar();
    void toggleStatusBar();
    void refreshLogbook();
    void showOptions();
    // Tools
    void showTankList();
    void showLogbook();
    void showGraph();
    void showCompatibility();
    void runDiagnosis();
    void showReminderList();
    void showReminderSchedule();
    void showFantasyTank();
    void showNamesCrossReference();
    void showConversionCalculator();
    // Window
    void rebuildWindowList();
    // Help
    void showHelpContents();
    void showHelpIndex();
    void showTipOfTheDay();
    void showAboutBox();
    // Pop-ups
    void addTank();
    void deleteTank();
    void showTankProperties();
    void showGraphOptions();
    // The reminders box only displays: a choice of the keeper puts the first entry back.
    void showFirstReminder();

private:
    enum class Arrangement { Cascade, TileHorizontally, TileVertically, IconsAlongTheBottom };
    // Tile horizontally: stacked, full width; vertically: side by side.
    void arrangeWindows(Arrangement arrangement);
    // The help window, created on first use.
    HelpWindow* helpWindow();
    void placeReminderBox();
    void activateChild(QWidget* child);
    void onSubWindowActivated(QMdiSubWindow* sub);
    void buildMenus();
    void buildToolbar();
    void buildPopups();

    AppContext& m_ctx;
    QMdiArea* m_mdiArea = nullptr;

    QMenu* m_fileMenu = nullptr;
    QAction* m_newEntryAction = nullptr;
    QAction* m_openEntryAction = nullptr;
    QAction* m_deleteEntryAction = nullptr;
    QAction* m_moveEntryAction = nullptr;
    QAction* m_backupAction = nullptr;
    QAction* m_propertiesAction = nullptr;
    QAction* m_pageSetupAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_exitAction = nullptr;
    // The Edit menu is hidden, never shown; its items do nothing.
    QMenu* m_editMenu = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_pasteAction = nullptr;
    QMenu* m_viewMenu = nullptr;
    QAction* m_showToolbarAction = nullptr;
    QAction* m_showStatusBarAction = nullptr;
    QAction* m_refreshAction = nullptr;
    QAction* m_optionsAction = nullptr;
    QAction* m_webBrowserAction = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_tankSetupAction = nullptr;
    QAction* m_logbookAction = nullptr;
    QAction* m_graphingAction = nullptr;
    QAction* m_compatibilityAction = nullptr;
    QAction* m_diagnosisAction = nullptr;
    QAction* m_editRemindersAction = nullptr;
    QAction* m_reminderScheduleAction = nullptr;
    QAction* m_fantasyTankAction = nullptr;
    QAction* m_commonNamesAction = nullptr;
    QAction* m_conversionsAction = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_cascadeAction = nullptr;
    QAction* m_tileHorizontalAction = nullptr;
    QAction* m_tileVerticalAction = nullptr;
    QAction* m_arrangeIconsAction = nullptr;
    QAction* m_windowListSeparator = nullptr;
    QList<QAction*> m_windowListActions;
    QMenu* m_helpMenu = nullptr;
    QAction* m_helpContentsAction = nullptr;
    QAction* m_helpSearchAction = nullptr;
    QAction* m_tipOfTheDayAction = nullptr;
    QAction* m_aboutAction = nullptr;

    // Pop-up menus, never in the menu bar.
    QMenu* m_tankMenu = nullptr;
    QAction* m_newTankAction = nullptr;
    QAction* m_deleteTankAction = nullptr;
    QAction* m_tankPropertiesAction = nullptr;
    QMenu* m_logMenu = nullptr;
    QAction* m_logNewEntryAction = nullptr;
    QAction* m_logOpenEntryAction = nullptr;
    QAction* m_logDeleteEntryAction = nullptr;
    QAction* m_logMoveSeparator = nullptr;
    QAction* m_logMoveEntryAction = nullptr;
    QMenu* m_graphMenu = nullptr;
    QAction* m_graphOptionsAction = nullptr;

    QToolBar* m_toolbar = nullptr;
    QHash<QString, QAction*> m_toolbarButtons;
    QComboBox* m_remindersBox = nullptr;
    QStatusBar* m_statusBar = nullptr;
    ElidedLabel* m_statusPanel = nullptr;

    QHash<QString, std::function<QWidget*()>> m_factories;
    QHash<QString, QWidget*> m_children;
    HelpWindow* m_help = nullptr;
    std::optional<QString> m_pickedTank;
    bool m_inDiagnosisLoop = false;
    bool m_diagnosisFrameClosed = false;
    bool m_closing = false;
};
