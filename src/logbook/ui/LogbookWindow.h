#pragma once
// The logbook window: the tank tree on the left ("All Tanks" and one node per
// tank), the three log lists on their tabs on the right, and the entry
// commands that add, change, delete and move entries of the selected tank.
// The window keeps its own selected tank: the commands write only to the tank
// selected in its tree, and with "All Tanks" selected they write nothing.
#include "core/ui/ShellInterfaces.h"
#include "logbook/LogListModels.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class AppContext;
class ElidedLabel;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

class LogbookWindow : public QWidget, public IChildWindow, public ILogbookWindow {
    Q_OBJECT
public:
    // The logs on the window's tabs, in tab order.
    enum Tab { TabWater = 0, TabLivestock = 1, TabMaint = 2 };

    LogbookWindow(AppContext& ctx, ILogbookShell* shell, QWidget* parent = nullptr);
    ~LogbookWindow() override;

    // IChildWindow
    QString windowName() const override { return QStringLiteral("LogbookWindow"); }
    void activate() override;
    void printRequested() override { printEntries(); }

    // ILogbookWindow
    QString currentTankId() const override { return m_currentTankId; }
    void addEntry() override;
    void changeEntry() override;
    void deleteEntry() override;
    void moveEntry() override;
    void printEntries() override;
    void refreshTankTree() override;
    void redrawDates() override;

    // Selects the node with this text (the root is "All Tanks") and fills its
    // list; false when the tree has no such node.
    bool selectNode(const QString& text);
    // Refills the list on the current tab from the database, by date and time
    // ascending; a list the keeper sorted by another column keeps that sort.
    void refresh();

    // The log print dialog comes with the printed logs: it is reached through
    // this hook (tab of the log, tank key, tank name).
    std::function<void(int, const QString&, const QString&)> printEntriesHook;
    // Shows a pop-up menu at a screen position (tests replace it).
    std::function<void(QMenu*, const QPoint&)> showPopup;

signals:
    // The keeper picked the tank with this key in the tree.
    void tankPicked(const QString& tankId);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void selectTank();
    void showLogOfTab();
    // A click on the header of column (counting from 0) of the list on tab.
    void sortByColumn(int tab, int column);
    void enablePopupEntryCommands();
    void showTankPopup(const QPoint& globalPos);
    void showLogPopup(const QPoint& globalPos);
    void showGraph();

private:
    // Once, when the window closes: stores the sort setting and takes the
    // entry commands back from the main window.
    void unload();
    // The tree pane as wide as the tank names need, up to half the window.
    void fitTankPane();
    void readSortSetting();   // m_sortSetting from "WQ_Sort", "1" when not stored
    void refreshList(const QString& sortOrder);
    void fillWaterLog(const QString& sortOrder);
    void fillLivestockLog(const QString& sortOrder);
    void fillMaintenanceLog(const QString& sortOrder);
    void beginFill(const QString& logCaption);
    // The water type of the selected tank, read when a dialog opens on it.
    QString tankWaterType() const;
    void updateMenuCaptions();
    // The tank pop-up's Properties caption for the selected tank.
    void prepareTankPopup();
    void addWaterTest();
    void addLivestockEntry();
    void addMaintenanceEntry();
    void changeWaterTest();
    void changeLivestockEntry();
    void changeMaintenanceEntry();
    void deleteWaterTest();
    void deleteLivestockEntry();
    void deleteMaintenanceEntry();
    // The rowid of the list's selected entry, or 0 after the "nothing selected" notice.
    qint64 selectedEntry(int tab, const QString& noneText);
    template <typename Store>
    auto readEntryToChange(int tab);
    bool confirmDelete(const QString& what);
    // Deleting the selected entry of one list: find it, describe it in the
    // question, delete it on OK and refill. describe gives nothing when the
    // entry is gone, or when it cannot be read (then with the reason in its
    // second argument); remove gives the database's reason when it fails.
    void deleteSelected(int tab, const std::function<std::optional<QString>(qint64, QString*)>& describe,
                        const std::function<bool(qint64, QString*)>& remove);
    void tellNoMatch();
    // A read or write the database refused: what failed, and its reason.
    void tellDatabaseFailure(const QString& what, const QString& reason);
    void enableGraphButton();
    void claimPrintForDialog();
    void reclaimPrint();
    QTreeView* makeList(const QString& name, LogListModel* model);
    QTreeView* listView(int tab) const;
    LogListModel* listModel(int tab) const;
    QString tabCaption(int tab) const;

    AppContext& m_ctx;
    // The main window, while it exists.
    ILogbookShell* shell() const { return m_shellObject ? m_shell : nullptr; }
    ILogbookShell* m_shell = nullptr;
    QPointer<QObject> m_shellObject;
    bool m_setupPending = true;
    QString m_sortSetting;
    bool m_unloaded = false;
    QString m_currentTankName;
    QString m_currentTankId;
    bool m_tankSelected = false;
    QString m_tankId = QStringLiteral("All Tanks");
    QString m_tankName = QStringLiteral("All Tanks");

    QToolBar* m_toolbar = nullptr;
    QAction* m_addEntryAction = nullptr;
    QAction* m_changeEntryAction = nullptr;
    QAction* m_deleteEntryAction = nullptr;
    QAction* m_moveEntryAction = nullptr;
    QAction* m_printEntriesAction = nullptr;
    QAction* m_graphAction = nullptr;
    QAction* m_refreshAction = nullptr;
    QSplitter* m_splitter = nullptr;
    QLabel* m_treeCaption = nullptr;
    ElidedLabel* m_listCaption = nullptr;
    QTreeWidget* m_tankTree = nullptr;
    QTabWidget* m_logTabs = nullptr;
    QTreeView* m_waterList = nullptr;
    QTreeView* m_livestockList = nullptr;
    QTreeView* m_maintenanceList = nullptr;
    QStatusBar* m_statusBar = nullptr;
    WaterLogListModel* m_waterModel = nullptr;
    LivestockListModel* m_livestockModel = nullptr;
    MaintLogListModel* m_maintenanceModel = nullptr;
    QTreeWidgetItem* m_nodeAtPress = nullptr;   // current node when the mouse went down
};
