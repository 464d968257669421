#include "logbook/ui/LogbookWindow.h"

#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/TankStore.h"
#include "core/ui/EntryWidgets.h"
#include "logbook/ui/LivestockEntryDialog.h"
#include "logbook/ui/MoveLivestockDialog.h"
#include "logbook/ui/MaintenanceEntryDialog.h"
#include "logbook/ui/WaterTestDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kAllTanks = QStringLiteral("All Tanks");
const QString kNote = QStringLiteral("Note!");
const QString kNoMatch = QStringLiteral("yo... no match on da key!");

int twipsToPixels(const QWidget* w, int twips)
{
    return twips * w->logicalDpiX() / 1440;
}

// A column's width: its designed width, widened when the list's font needs
// more room for a typical value of the column (the designed widths were made
// for a small bitmap font; numbers and dates must stay readable).
int columnWidth(const QTreeView* view, const LogColumn& column)
{
    QString sample;
    switch (column.kind) {
    case LogColumnKind::Item: sample = QStringLiteral("00/00/00 - 00:00:00 pm"); break;
    case LogColumnKind::Date: sample = QStringLiteral("00/00/00"); break;
    case LogColumnKind::Number:
        sample = column.format.contains(QLatin1Char('.'))
            ? QStringLiteral("00.") + QString(column.format.section(QLatin1Char('.'), 1).size(), QLatin1Char('0'))
            : QStringLiteral("000");
        break;
    case LogColumnKind::Text: break;
    }
    const int needed = sample.isEmpty() ? 0 : view->fontMetrics().horizontalAdvance(sample) + 16;
    return std::max({24, twipsToPixels(view, column.widthTwips), needed});
}
} // namespace

LogbookWindow::LogbookWindow(AppContext& ctx, ILogbookShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell), m_shellObject(dynamic_cast<QObject*>(shell))
{
    setObjectName("LogbookWindow");
    setWindowTitle(QStringLiteral("Logbook"));
    resize(631, 390);   // 9465 x 5850 twips

    // Toolbar of the entry commands.
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setIconSize(QSize(16, 16));
    const struct {
        const char* key;
        const char* tip;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {"addentries", "Add New Entry", QStyle::SP_FileIcon},
        {"changeentries", "Change an existing entry", QStyle::SP_FileDialogContentsView},
        {"deleteentries", "Delete Entry", QStyle::SP_TrashIcon},
        {"moveentries", "Move Livestock to Another Tank", QStyle::SP_ArrowForward},
        {"printentries", "Print Log Entries", QStyle::SP_DialogSaveButton},
        {"graphentries", "View Graph of Entries", QStyle::SP_FileDialogInfoView},
        {"refresh", "Refresh", QStyle::SP_BrowserReload},
    };
    for (const auto& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* action = Toolbar1->addAction(style()->standardIcon(b.icon), key);
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(b.tip));
        m_buttons.insert(key, action);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }

    // Left: caption panel 1 above the tank tree; right: panel 2 above the tabs.
    sp_splitter = new QSplitter(Qt::Horizontal, this);
    sp_splitter->setObjectName("sp_splitter");
    sp_splitter->setChildrenCollapsible(false);
    sp_splitter->setHandleWidth(4);

    // The caption bar is its two panels, one above the tree and one above the
    // tabs, so that each follows its side of the splitter. The bar object itself
    // shows nothing and must not lie over the toolbar.
    sb_ListviewCaption = new QWidget(this);
    sb_ListviewCaption->setObjectName("sb_ListviewCaption");
    sb_ListviewCaption->hide();

    auto* left = new QWidget(sp_splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    m_panel1 = new QLabel(kAllTanks, left);
    m_panel1->setObjectName("sb_ListviewCaption_panel1");
    m_panel1->setFrameShape(QFrame::Panel);
    m_panel1->setFrameShadow(QFrame::Sunken);
    TreeView1 = new QTreeWidget(left);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->viewport()->installEventFilter(this);
    leftLayout->addWidget(m_panel1);
    leftLayout->addWidget(TreeView1);

    auto* right = new QWidget(sp_splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    m_panel2 = new QLabel(right);
    m_panel2->setObjectName("sb_ListviewCaption_panel2");
    m_panel2->setFrameShape(QFrame::Panel);
    m_panel2->setFrameShadow(QFrame::Sunken);
    tab_logtype = new QTabWidget(right);
    tab_logtype->setObjectName("tab_logtype");
    tab_logtype->tabBar()->installEventFilter(this);
    rightLayout->addWidget(m_panel2);
    rightLayout->addWidget(tab_logtype);

    m_waterModel = new WaterLogListModel(this);
    m_livesModel = new LivestockListModel(this);
    m_maintModel = new MaintLogListModel(this);
    lstv_WaterLog = makeList(QStringLiteral("lstv_WaterLog"), m_waterModel);
    lstv_Livestock = makeList(QStringLiteral("lstv_Livestock"), m_livesModel);
    lstv_Maintenance = makeList(QStringLiteral("lstv_Maintenance"), m_maintModel);
    tab_logtype->addTab(lstv_WaterLog, QStringLiteral("Water Quality Log"));
    tab_logtype->addTab(lstv_Livestock, QStringLiteral("Livestock Log"));
    tab_logtype->addTab(lstv_Maintenance, QStringLiteral("Maintenance Log"));

    sp_splitter->addWidget(left);
    sp_splitter->addWidget(right);
    sp_splitter->setStretchFactor(1, 1);
    sp_splitter->setSizes({125, 500});   // tree 1875 twips wide

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->addWidget(new QLabel(StatusBar1), 1);
    StatusBar1->addWidget(new QLabel(StatusBar1), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Toolbar1);
    layout->addWidget(sp_splitter, 1);
    layout->addWidget(StatusBar1);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            TreeView1_NodeClick();
    });
    // A click on the node that is already selected refills its list too.
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && item == m_nodeAtPress)
            TreeView1_NodeClick();
    });
    connect(tab_logtype, &QTabWidget::currentChanged, this, [this] { tab_logtype_Click(); });
    for (int tab = TabWater; tab <= TabMaint; ++tab) {
        QTreeView* view = listView(tab);
        connect(view->header(), &QHeaderView::sectionClicked, this,
                [this, tab](int logical) { lstv_ColumnClick(tab, logical + 1); });
        connect(view, &QTreeView::doubleClicked, this, [this] { changeEntry(); });
        if (tab != TabLivestock)
            connect(view, &QTreeView::clicked, this, [this] { lstv_Click(); });
    }

    showPopup = [](QMenu* menu, const QPoint& pos) { menu->exec(pos); };

    // The sort setting as stored, so that closing before the first rebuild
    // writes back what was there.
    readSortSetting();
    SetupPending = true;   // Form_Load
}

void LogbookWindow::readSortSetting()
{
    const QString stored = m_ctx.settingsStore ? m_ctx.settingsStore->get(QStringLiteral("WQ_Sort"), kNotFound)
                                               : kNotFound;
    SortSetting = stored == kNotFound ? QStringLiteral("1") : stored;
}

LogbookWindow::~LogbookWindow()
{
    if (!m_unloaded && m_ctx.settingsStore)
        m_ctx.settingsStore->set(QStringLiteral("WQ_Sort"), SortSetting);
}

QTreeView* LogbookWindow::makeList(const QString& name, LogListModel* model)
{
    auto* view = new QTreeView(this);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setModel(model);
    view->header()->setSectionsClickable(true);
    view->header()->setStretchLastSection(false);
    for (int c = 0; c < model->columnCount(); ++c)
        view->header()->resizeSection(c, columnWidth(view, model->columns().at(c)));
    view->viewport()->installEventFilter(this);
    return view;
}

QAction* LogbookWindow::toolbarButton(const QString& key) const
{
    return m_buttons.value(key);
}

QTreeView* LogbookWindow::listView(int tab) const
{
    switch (tab) {
    case TabWater: return lstv_WaterLog;
    case TabLivestock: return lstv_Livestock;
    case TabMaint: return lstv_Maintenance;
    default: return nullptr;
    }
}

LogListModel* LogbookWindow::listModel(int tab) const
{
    switch (tab) {
    case TabWater: return m_waterModel;
    case TabLivestock: return m_livesModel;
    case TabMaint: return m_maintModel;
    default: return nullptr;
    }
}

QString LogbookWindow::captionPanel(int panel) const
{
    return panel == 1 ? m_panel1->text() : m_panel2->text();
}

QString LogbookWindow::tabCaption(int tab) const
{
    return tab_logtype->tabText(tab);
}

// ---- activation and unloading ------------------------------------------------

void LogbookWindow::activate()
{
    if (ILogbookShell* sh = shell()) {
        sh->claimFilePrint(true, QStringLiteral("&Print Entries..."));
        sh->setFileEntryCommandsEnabled(true);
    }
    if (SetupPending) {
        setListViewStyle(lstv_Livestock);
        setListViewStyle(lstv_Maintenance);
        setListViewStyle(lstv_WaterLog);
        refreshTankTree();   // fills the list of the node it selects
    } else {
        // The entry commands follow the selection: with "All Tanks" selected
        // activation must not enable them.
        Update_Menu_Captions();
    }
}

void LogbookWindow::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_ctx.settingsStore)
        m_ctx.settingsStore->set(QStringLiteral("WQ_Sort"), SortSetting);
    if (ILogbookShell* sh = shell()) {
        sh->setFileEntryCommandsEnabled(false);
        // Move acts on this window's list: it goes with the window.
        sh->setMoveEntryEnabled(false);
    }
}

void LogbookWindow::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

// ---- tree --------------------------------------------------------------------

void LogbookWindow::refreshTankTree()
{
    m_currentTankName.clear();
    m_nodeAtPress = nullptr;
    SetupPending = true;
    {
        const QSignalBlocker block(TreeView1);
        TreeView1->clear();
        const QIcon tankIcon = style()->standardIcon(QStyle::SP_DirIcon);
        auto* root = new QTreeWidgetItem(TreeView1, QStringList{kAllTanks});
        root->setData(0, Qt::UserRole, kAllTanks);
        root->setIcon(0, tankIcon);
        QTreeWidgetItem* last = root;
        for (const TankRecord& tank : TankStore(m_ctx.db()).listByName()) {
            auto* node = new QTreeWidgetItem(root, QStringList{tank.tankname});
            node->setData(0, Qt::UserRole, tank.tankid);
            node->setIcon(0, tankIcon);
            last = node;
        }
        TreeView1->scrollToItem(last);
        root->setExpanded(true);
        TreeView1->setCurrentItem(root);
    }
    readSortSetting();
    SetupPending = false;
    TreeView1_NodeClick();
}

bool LogbookWindow::selectNode(const QString& text)
{
    QTreeWidgetItem* root = TreeView1->topLevelItem(0);
    if (!root)
        return false;
    QTreeWidgetItem* found = nullptr;
    if (root->text(0) == text)
        found = root;
    for (int i = 0; !found && i < root->childCount(); ++i)
        if (root->child(i)->text(0) == text)
            found = root->child(i);
    if (!found)
        return false;
    if (TreeView1->currentItem() == found)
        TreeView1_NodeClick();
    else
        TreeView1->setCurrentItem(found);
    return true;
}

void LogbookWindow::TreeView1_NodeClick()
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    m_tankSelected = node && node->parent() != nullptr;
    m_tankId = node ? node->data(0, Qt::UserRole).toString() : kAllTanks;
    m_tankName = node ? node->text(0) : kAllTanks;
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::tab_logtype_Click()
{
    Refresh_Listview(QStringLiteral("ascending"));
}

// ---- lists -------------------------------------------------------------------

void LogbookWindow::Refresh_Listview(const QString& p_sortorder)
{
    if (ILogbookShell* sh = shell())
        sh->setFilePrintEnabled(true);
    switch (tab_logtype->currentIndex()) {
    case TabWater: Fill_WaterLogList(p_sortorder); break;
    case TabLivestock: Fill_LivestockList(p_sortorder); break;
    case TabMaint: Fill_MaintLogList(p_sortorder); break;
    default: break;
    }
    Update_Menu_Captions();
}

void LogbookWindow::beginFill(const QString& logCaption)
{
    m_ctx.currentTankName = m_tankName;
    m_ctx.currentTankID = m_tankId;
    m_panel2->setText(QStringLiteral("Contents of ") + logCaption + QStringLiteral(" for '") + m_tankName
                      + QStringLiteral("'"));
}

void LogbookWindow::Fill_WaterLogList(const QString& p_sortorder)
{
    beginFill(QStringLiteral("Water Quality Log"));
    m_waterModel->setDateMask(m_ctx.settings.dateMask);
    QVector<WaterLogRecord> rows;
    if (m_tankSelected)
        rows = WaterLogStore(m_ctx.db()).list(m_tankId, sortOrderFromText(p_sortorder));
    m_waterModel->setRecords(std::move(rows));
    m_waterModel->applyOwnSort();
}

void LogbookWindow::Fill_LivestockList(const QString& p_sortorder)
{
    beginFill(QStringLiteral("Livestock Log"));
    if (m_tankSelected) {
        if (const auto tank = TankStore(m_ctx.db()).findById(m_tankId))
            m_ctx.currentWaterType = tank->watertype;
    }
    m_livesModel->setDateMask(m_ctx.settings.dateMask);
    QVector<LivestockRecord> rows;
    if (m_tankSelected)
        rows = LivestockStore(m_ctx.db()).list(m_tankId, sortOrderFromText(p_sortorder));
    m_livesModel->setRecords(std::move(rows));
    m_livesModel->applyOwnSort();
}

void LogbookWindow::Fill_MaintLogList(const QString& p_sortorder)
{
    beginFill(QStringLiteral("Maintenance Log"));
    m_maintModel->setDateMask(m_ctx.settings.dateMask);
    QVector<MaintLogRecord> rows;
    if (m_tankSelected)
        rows = MaintLogStore(m_ctx.db()).list(m_tankId, sortOrderFromText(p_sortorder));
    m_maintModel->setRecords(std::move(rows));
    m_maintModel->applyOwnSort();
}

void LogbookWindow::lstv_ColumnClick(int tab, int k)
{
    LogListModel* model = listModel(tab);
    QTreeView* view = listView(tab);
    if (!model || !view)
        return;
    const HeaderClick click = model->columnClick(k);
    view->header()->setSortIndicatorShown(true);
    if (click.requery) {
        view->header()->setSortIndicator(
            0, click.requeryOrder == SortOrder::Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        // The date order is the query's; only the list on the current tab is refilled.
        if (tab == tab_logtype->currentIndex())
            Refresh_Listview(click.requeryOrder == SortOrder::Descending ? QStringLiteral("descending")
                                                                         : QStringLiteral("ascending"));
    } else {
        view->header()->setSortIndicator(click.column, click.order);
        model->sort(click.column, click.order);
    }
}

void LogbookWindow::lstv_Click()
{
    if (shell() && m_tankSelected)
        shell()->enableLogPopupEntryCommands();
}

// ---- menus -------------------------------------------------------------------

void LogbookWindow::Update_Menu_Captions()
{
    const int tab = tab_logtype->currentIndex();
    const bool selected = m_tankSelected;
    const bool livestock = tab == TabLivestock;
    if (selected)
        m_currentTankName = m_tankName;
    m_buttons.value("moveentries")->setEnabled(livestock);
    for (const char* key : {"addentries", "changeentries", "deleteentries", "graphentries"})
        m_buttons.value(QString::fromLatin1(key))->setEnabled(selected);
    if (ILogbookShell* sh = shell())
        sh->updateEntryCommands(tabCaption(tab), selected, livestock);
}

void LogbookWindow::prepareTankPopup()
{
    if (shell() && m_tankSelected)
        shell()->setTankPropertiesCaption(m_currentTankName + QStringLiteral(" Properties..."));
}

void LogbookWindow::TreeView1_MouseUp(Qt::MouseButton button, const QPoint& globalPos)
{
    if (button != Qt::RightButton || !shell())
        return;
    prepareTankPopup();
    showPopup(shell()->tankPopupMenu(), globalPos);
}

void LogbookWindow::lstv_MouseUp(Qt::MouseButton button, const QPoint& globalPos)
{
    if (button != Qt::RightButton || !shell())
        return;
    showPopup(shell()->logPopupMenu(), globalPos);
}

bool LogbookWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == TreeView1->viewport())
        m_nodeAtPress = TreeView1->currentItem();
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const QPoint global = mouse->globalPosition().toPoint();
            if (watched == TreeView1->viewport())
                QMetaObject::invokeMethod(this, [this, global] { TreeView1_MouseUp(Qt::RightButton, global); },
                                          Qt::QueuedConnection);
            else if (watched == lstv_WaterLog->viewport() || watched == lstv_Livestock->viewport()
                     || watched == lstv_Maintenance->viewport() || watched == tab_logtype->tabBar())
                QMetaObject::invokeMethod(this, [this, global] { lstv_MouseUp(Qt::RightButton, global); },
                                          Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LogbookWindow::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QLatin1String("addentries"))
        addEntry();
    else if (key == QLatin1String("changeentries"))
        changeEntry();
    else if (key == QLatin1String("deleteentries"))
        deleteEntry();
    else if (key == QLatin1String("moveentries"))
        moveEntry();
    else if (key == QLatin1String("printentries"))
        printEntries();
    else if (key == QLatin1String("graphentries"))
        Graph_Entries();
    else if (key == QLatin1String("refresh"))
        refreshTankTree();
}

// ---- entry commands ----------------------------------------------------------

qint64 LogbookWindow::selectedEntry(int tab, const QString& noneText)
{
    QTreeView* view = listView(tab);
    LogListModel* model = listModel(tab);
    const QModelIndexList rows = view && view->selectionModel() ? view->selectionModel()->selectedRows()
                                                                : QModelIndexList();
    if (rows.isEmpty()) {
        m_ctx.services.tell(noneText, kNote, MsgIcon::Information, false);
        return 0;
    }
    return model->rowidAt(rows.first().row());
}

void LogbookWindow::noMatch()
{
    m_ctx.services.tell(kNoMatch, QString(), MsgIcon::None, false);
}

void LogbookWindow::enableGraphButton()
{
    m_buttons.value("graphentries")->setEnabled(true);
}

void LogbookWindow::claimPrintForDialog()
{
    if (ILogbookShell* sh = shell())
        sh->claimFilePrint(false, QStringLiteral("&Print"));
}

void LogbookWindow::reclaimPrint()
{
    // The dialog took File > Print while it was open; the logbook is in front again.
    if (ILogbookShell* sh = shell())
        sh->claimFilePrint(true, QStringLiteral("&Print Entries..."));
}

void LogbookWindow::addEntry()
{
    // Nothing is written while "All Tanks" is selected, however the command arrives.
    if (!m_tankSelected)
        return;
    switch (tab_logtype->currentIndex()) {
    case TabWater: Add_EntriesWater(); break;
    case TabLivestock: Add_EntriesLives(); break;
    case TabMaint: Add_EntriesMaint(); break;
    default: break;
    }
}

void LogbookWindow::Add_EntriesWater()
{
    WaterTestDialog dialog(m_ctx, this);
    dialog.setWindowTitle(QStringLiteral("Add a log entry for ") + m_tankName + QStringLiteral(" Tank"));
    dialog.setNewEntry(m_tankId);
    dialog.onSaved = [this] { enableGraphButton(); };
    dialog.onActivate = [this] { claimPrintForDialog(); };
    dialog.exec();
    reclaimPrint();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::Add_EntriesLives()
{
    const QDateTime now = m_ctx.services.clock->now();
    LivestockRecord rec;
    rec.tankid = m_tankId;
    rec.dateadded = now.date();
    rec.timeadded = QTime(now.time().hour(), now.time().minute(), now.time().second());
    rec.quantity = 1;
    rec.comment = QStringLiteral(" ");
    LivestockEntryDialog dialog(m_ctx, this);
    dialog.setEntry(rec, true);
    dialog.setWindowTitle(QStringLiteral(" Livestock Detail for ") + m_tankName);
    dialog.exec();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::Add_EntriesMaint()
{
    const QDateTime now = m_ctx.services.clock->now();
    MaintLogRecord rec;
    rec.tankid = m_tankId;
    rec.logdate = now.date();
    rec.logtime = QTime(now.time().hour(), now.time().minute(), now.time().second());
    rec.quantity = 0;
    rec.note = QStringLiteral(" ");
    rec.description = QStringLiteral(" ");
    MaintenanceEntryDialog dialog(m_ctx, this);
    dialog.setEntry(rec, true);
    dialog.exec();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::changeEntry()
{
    if (!m_tankSelected)
        return;
    switch (tab_logtype->currentIndex()) {
    case TabWater: Change_EntriesWater(); break;
    case TabLivestock: Change_EntriesLives(); break;
    case TabMaint: Change_EntriesMaint(); break;
    default: break;
    }
}

void LogbookWindow::Change_EntriesWater()
{
    if (!m_tankSelected)
        return;
    const qint64 rowid = selectedEntry(TabWater, QStringLiteral("You must first select a log entry to change."));
    if (!rowid)
        return;
    const auto rec = WaterLogStore(m_ctx.db()).get(rowid);
    if (!rec) {
        noMatch();
        Refresh_Listview(QStringLiteral("ascending"));
        return;
    }
    WaterTestDialog dialog(m_ctx, this);
    dialog.setEntry(*rec);
    dialog.setWindowTitle(QStringLiteral("Change Log Entry for ") + m_tankName + QStringLiteral(" Tank"));
    dialog.onSaved = [this] { enableGraphButton(); };
    dialog.onActivate = [this] { claimPrintForDialog(); };
    dialog.exec();
    reclaimPrint();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::Change_EntriesLives()
{
    if (!m_tankSelected)
        return;
    const qint64 rowid =
        selectedEntry(TabLivestock, QStringLiteral("You must first select a log entry to change."));
    if (!rowid)
        return;
    const auto rec = LivestockStore(m_ctx.db()).get(rowid);
    if (!rec) {
        noMatch();
        Refresh_Listview(QStringLiteral("ascending"));
        return;
    }
    LivestockEntryDialog dialog(m_ctx, this);
    dialog.setEntry(*rec, false);
    dialog.setWindowTitle(QStringLiteral(" Livestock Detail for ") + m_tankName);
    dialog.exec();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::Change_EntriesMaint()
{
    if (!m_tankSelected)
        return;
    const qint64 rowid = selectedEntry(TabMaint, QStringLiteral("You must first select a log entry to change."));
    if (!rowid)
        return;
    const auto rec = MaintLogStore(m_ctx.db()).get(rowid);
    if (!rec) {
        noMatch();
        Refresh_Listview(QStringLiteral("ascending"));
        return;
    }
    MaintenanceEntryDialog dialog(m_ctx, this);
    dialog.setEntry(*rec, false);
    dialog.setWindowTitle(QStringLiteral(" Maintenence Log for ") + m_tankName);
    dialog.exec();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::deleteEntry()
{
    if (!m_tankSelected)
        return;
    switch (tab_logtype->currentIndex()) {
    case TabWater: Delete_EntriesWater(); break;
    case TabLivestock: Delete_EntriesLives(); break;
    case TabMaint: Delete_EntriesMaint(); break;
    default: break;
    }
}

bool LogbookWindow::confirmDelete(const QString& what)
{
    const QString text = QStringLiteral("Are you sure you want to delete the  ") + what
        + QStringLiteral(" entry for the ") + m_tankName + QStringLiteral(" tank?   ")
        + QStringLiteral("(Remember, you CANNOT \"undo\" a delete!)");
    return m_ctx.services.tell(text, QStringLiteral("Are you sure..."), MsgIcon::Question, true,
                               MsgButtons::OkCancel, MsgResult::Ok)
        == MsgResult::Ok;
}

void LogbookWindow::deleteSelected(int tab, const std::function<std::optional<QString>(qint64)>& describe,
                                  const std::function<bool(qint64)>& remove)
{
    if (!m_tankSelected)
        return;
    const qint64 rowid = selectedEntry(tab, QStringLiteral("You must first select a log entry to delete"));
    if (!rowid)
        return;
    const std::optional<QString> what = describe(rowid);
    if (!what) {
        noMatch();
        Refresh_Listview(QStringLiteral("Ascending"));
        return;
    }
    if (!confirmDelete(*what))
        return;
    if (!remove(rowid))
        noMatch();
    Refresh_Listview(QStringLiteral("Ascending"));
}

namespace {
QString dateText(const QDate& date, const QString& mask)
{
    return date.isValid() ? formatDateMask(date, mask) : QString();
}
} // namespace

void LogbookWindow::Delete_EntriesWater()
{
    WaterLogStore store(m_ctx.db());
    deleteSelected(
        TabWater,
        [&](qint64 rowid) -> std::optional<QString> {
            const auto rec = store.get(rowid);
            if (!rec)
                return std::nullopt;
            // The water test's date always reads month/day/year here.
            return dateText(rec->logdate, QStringLiteral("MM/DD/YY")) + QStringLiteral(", ")
                + formatAmPmTime(rec->logtime);
        },
        [&](qint64 rowid) { return store.remove(rowid); });
}

void LogbookWindow::Delete_EntriesLives()
{
    LivestockStore store(m_ctx.db());
    deleteSelected(
        TabLivestock,
        [&](qint64 rowid) -> std::optional<QString> {
            const auto rec = store.get(rowid);
            if (!rec)
                return std::nullopt;
            return rec->animalname + QStringLiteral(" - ") + dateText(rec->dateadded, m_ctx.settings.dateMask)
                + QStringLiteral(", ") + formatAmPmTime(rec->timeadded, true);
        },
        [&](qint64 rowid) { return store.remove(rowid); });
}

void LogbookWindow::Delete_EntriesMaint()
{
    MaintLogStore store(m_ctx.db());
    deleteSelected(
        TabMaint,
        [&](qint64 rowid) -> std::optional<QString> {
            const auto rec = store.get(rowid);
            if (!rec)
                return std::nullopt;
            return dateText(rec->logdate, m_ctx.settings.dateMask) + QStringLiteral(", ")
                + formatAmPmTime(rec->logtime);
        },
        [&](qint64 rowid) { return store.remove(rowid); });
}

void LogbookWindow::moveEntry()
{
    // Always the livestock list, whatever tab is showing.
    const qint64 rowid = selectedEntry(TabLivestock, QStringLiteral("You must first select a log entry to move."));
    if (!rowid || !m_tankSelected)
        return;
    const auto rec = LivestockStore(m_ctx.db()).get(rowid);
    if (!rec) {
        m_ctx.services.tell(QStringLiteral("entry not found to be moved"), QString(), MsgIcon::None, false);
        return;
    }
    MoveLivestockDialog dialog(m_ctx, rowid, rec->animalname, this);
    dialog.exec();
    Refresh_Listview(QStringLiteral("ascending"));
}

void LogbookWindow::Graph_Entries()
{
    if (ILogbookShell* sh = shell())
        sh->showWaterGraph();
}

void LogbookWindow::printEntries()
{
    // The log print dialog: preset to the current tab's log and the selected tank.
    if (printEntriesHook)
        printEntriesHook(tab_logtype->currentIndex(), m_tankSelected ? m_tankId : QString(), m_tankName);
}
