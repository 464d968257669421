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

class AppContext;
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
    enum Tab { TabWater = 0, TabLivestock = 1, TabMaint = 2 };

    LogbookWindow(AppContext& ctx, ILogbookShell* shell, QWidget* parent = nullptr);
    ~LogbookWindow() override;

    // IChildWindow
    QString windowName() const override { return QStringLiteral("LogbookWindow"); }
    void activate() override;
    void printRequested() override { printEntries(); }

    // ILogbookWindow and the other public procedures.
    QString currentTankName() const override { return m_currentTankName; }
    void setCurrenttankname(const QString& name) { m_currentTankName = name; }
    void addEntry() override;
    void changeEntry() override;
    void Change_EntriesMaint();
    void Change_EntriesWater();
    void Change_EntriesLives();
    void moveEntry() override;
    void deleteEntry() override;
    void Delete_EntriesLives();
    void Delete_EntriesMaint();
    void Graph_Entries();
    void printEntries() override;
    void Refresh_Listview(const QString& p_sortorder);
    void Update_Menu_Captions();
    void Delete_EntriesWater();
    void refreshTankTree() override;

    // Handlers.
    void TreeView1_NodeClick();
    void tab_logtype_Click();
    void lstv_ColumnClick(int tab, int k);   // k counts from 1
    void lstv_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void TreeView1_MouseUp(Qt::MouseButton button, const QPoint& globalPos);
    void lstv_MouseUp(Qt::MouseButton button, const QPoint& globalPos);
    // The tank pop-up's Properties caption for the selected tank.
    void prepareTankPopup();

    // The tree's selection.
    bool tankSelected() const { return m_tankSelected; }
    QString selectedTankId() const { return m_tankId; }
    QString selectedTankName() const { return m_tankName; }
    // Selects the node with this text (the root is "All Tanks"); false when none.
    bool selectNode(const QString& text);

    QAction* toolbarButton(const QString& key) const;
    QTreeView* listView(int tab) const;
    LogListModel* listModel(int tab) const;
    WaterLogListModel* waterModel() const { return m_waterModel; }
    LivestockListModel* livestockModel() const { return m_livesModel; }
    MaintLogListModel* maintModel() const { return m_maintModel; }
    QString captionPanel(int panel) const;   // 1 or 2
    bool setupPending() const { return SetupPending; }
    QString sortSetting() const { return SortSetting; }

    // The log print dialog comes with the printed logs: it is reached through
    // this hook (tab of the log, tank key, tank name).
    std::function<void(int, const QString&, const QString&)> printEntriesHook;
    // Shows a pop-up menu at a screen position (tests replace it).
    std::function<void(QMenu*, const QPoint&)> showPopup;

    QToolBar* Toolbar1 = nullptr;
    QWidget* sb_ListviewCaption = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QSplitter* sp_splitter = nullptr;
    QTabWidget* tab_logtype = nullptr;
    QTreeView* lstv_WaterLog = nullptr;
    QTreeView* lstv_Livestock = nullptr;
    QTreeView* lstv_Maintenance = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Unload();
    void readSortSetting();   // SortSetting from "WQ_Sort", "1" when not stored
    void Fill_WaterLogList(const QString& p_sortorder);
    void Fill_LivestockList(const QString& p_sortorder);
    void Fill_MaintLogList(const QString& p_sortorder);
    void beginFill(const QString& logCaption);
    void Add_EntriesWater();
    void Add_EntriesLives();
    void Add_EntriesMaint();
    // The rowid of the list's selected entry, or 0 after the "nothing selected" notice.
    qint64 selectedEntry(int tab, const QString& noneText);
    bool confirmDelete(const QString& what);
    // Deleting the selected entry of one list: find it, describe it in the
    // question, delete it on OK and refill. describe gives nothing when the
    // entry is gone.
    void deleteSelected(int tab, const std::function<std::optional<QString>(qint64)>& describe,
                        const std::function<bool(qint64)>& remove);
    void noMatch();
    void enableGraphButton();
    void claimPrintForDialog();
    void reclaimPrint();
    QTreeView* makeList(const QString& name, LogListModel* model);
    QString tabCaption(int tab) const;

    AppContext& m_ctx;
    // The main window, while it exists.
    ILogbookShell* shell() const { return m_shellObject ? m_shell : nullptr; }
    ILogbookShell* m_shell = nullptr;
    QPointer<QObject> m_shellObject;
    bool SetupPending = true;
    QString SortSetting;
    bool m_unloaded = false;
    QString m_currentTankName;
    bool m_tankSelected = false;
    QString m_tankId = QStringLiteral("All Tanks");
    QString m_tankName = QStringLiteral("All Tanks");
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    WaterLogListModel* m_waterModel = nullptr;
    LivestockListModel* m_livesModel = nullptr;
    MaintLogListModel* m_maintModel = nullptr;
    QHash<QString, QAction*> m_buttons;
    QTreeWidgetItem* m_nodeAtPress = nullptr;   // current node when the mouse went down
};
