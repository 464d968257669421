#include "logbook/ui/LogbookWindow.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/TankStore.h"
#include "core/ui/ElidedLabel.h"
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
#include <QScrollBar>
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
    // The header reads whole, with room for the sort arrow beside it.
    const QStyle* style = view->header()->style();
    const int headerNeeded = view->header()->fontMetrics().horizontalAdvance(column.header)
                             + 2 * style->pixelMetric(QStyle::PM_HeaderMargin)
                             + style->pixelMetric(QStyle::PM_HeaderMarkSize) + 8;
    return std::max({24, twipsToPixels(view, column.widthTwips), needed, headerNeeded});
}
} // namespace

LogbookWindow::LogbookWindow(AppContext& ctx, ILogbookShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell), m_shellObject(dynamic_cast<QObject*>(shell))
{
    setObjectName("LogbookWindow");
    addHelpKey(this, QStringLiteral("logbook.html"));
    setWindowTitle(QStringLiteral("Logbook"));
    resize(631, 390);   // 9465 x 5850 twips

    // Toolbar of the entry commands.
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName("toolbar");
    m_toolbar->setIconSize(QSize(16, 16));
    const struct {
        QAction* LogbookWindow::*action;
        const char* name;
        const char* text;
        const char* tip;
        QStyle::StandardPixmap icon;
        void (LogbookWindow::*command)();
        const char* picture = nullptr;   // a picture of the program's own, in place of the style's icon
    } buttons[] = {
        {&LogbookWindow::m_addEntryAction, "addEntryAction", "addentries", "Add New Entry", QStyle::SP_FileIcon,
         &LogbookWindow::addEntry},
        {&LogbookWindow::m_changeEntryAction, "changeEntryAction", "changeentries", "Change an existing entry",
         QStyle::SP_FileDialogContentsView, &LogbookWindow::changeEntry},
        {&LogbookWindow::m_deleteEntryAction, "deleteEntryAction", "deleteentries", "Delete Entry",
         QStyle::SP_TrashIcon, &LogbookWindow::deleteEntry},
        {&LogbookWindow::m_moveEntryAction, "moveEntryAction", "moveentries", "Move Livestock to Another Tank",
         QStyle::SP_ArrowForward, &LogbookWindow::moveEntry},
        {&LogbookWindow::m_printEntriesAction, "printEntriesAction", "printentries", "Print Log Entries",
         QStyle::SP_CustomBase, &LogbookWindow::printEntries, ":/icons/printer.png"},
        {&LogbookWindow::m_graphAction, "graphAction", "graphentries", "View Graph of Entries",
         QStyle::SP_CustomBase, &LogbookWindow::showGraph, ":/icons/graphing.png"},
        {&LogbookWindow::m_refreshAction, "refreshAction", "refresh", "Refresh", QStyle::SP_BrowserReload,
         &LogbookWindow::refreshTankTree},
    };
    for (const auto& b : buttons) {
        const QIcon icon = b.picture ? QIcon(QString::fromLatin1(b.picture)) : style()->standardIcon(b.icon);
        QAction* action = m_toolbar->addAction(icon, QString::fromLatin1(b.text));
        action->setObjectName(QString::fromLatin1(b.name));
        action->setToolTip(QString::fromLatin1(b.tip));
        this->*b.action = action;
        const auto command = b.command;
        connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    }

    // Left the tank tree, right the tabs of the logs.
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("splitter");
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(4);

    // One caption above the tree and one above the tabs, so that each follows
    // its side of the splitter.
    auto* left = new QWidget(m_splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    m_treeCaption = new QLabel(kAllTanks, left);
    m_treeCaption->setObjectName("treeCaption");
    m_treeCaption->setFrameShape(QFrame::Panel);
    m_treeCaption->setFrameShadow(QFrame::Sunken);
    m_tankTree = new QTreeWidget(left);
    m_tankTree->setObjectName("tankTree");
    m_tankTree->setHeaderHidden(true);
    m_tankTree->setColumnCount(1);
    m_tankTree->viewport()->installEventFilter(this);
    leftLayout->addWidget(m_treeCaption);
    leftLayout->addWidget(m_tankTree);

    auto* right = new QWidget(m_splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    // The caption names the tank: however long its name, it never widens the window.
    m_listCaption = new ElidedLabel(right);
    m_listCaption->setObjectName("listCaption");
    m_listCaption->setFrameShape(QFrame::Panel);
    m_listCaption->setFrameShadow(QFrame::Sunken);
    m_logTabs = new QTabWidget(right);
    m_logTabs->setObjectName("logTabs");
    m_logTabs->tabBar()->installEventFilter(this);
    rightLayout->addWidget(m_listCaption);
    rightLayout->addWidget(m_logTabs);

    m_waterModel = new WaterLogListModel(this);
    m_livestockModel = new LivestockListModel(this);
    m_maintenanceModel = new MaintLogListModel(this);
    m_waterList = makeList(QStringLiteral("waterList"), m_waterModel);
    m_livestockList = makeList(QStringLiteral("livestockList"), m_livestockModel);
    m_maintenanceList = makeList(QStringLiteral("maintenanceList"), m_maintenanceModel);
    m_logTabs->addTab(m_waterList, QStringLiteral("Water Quality Log"));
    m_logTabs->addTab(m_livestockList, QStringLiteral("Livestock Log"));
    m_logTabs->addTab(m_maintenanceList, QStringLiteral("Maintenance Log"));

    m_splitter->addWidget(left);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({125, 500});   // tree 1875 twips wide

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("statusBar");
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->addWidget(new QLabel(m_statusBar), 1);
    m_statusBar->addWidget(new QLabel(m_statusBar), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_statusBar);

    connect(m_tankTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            selectTank();
    });
    // A click on the node that is already selected refills its list too.
    connect(m_tankTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && item == m_nodeAtPress)
            selectTank();
    });
    connect(m_logTabs, &QTabWidget::currentChanged, this, &LogbookWindow::showLogOfTab);
    for (int tab = TabWater; tab <= TabMaint; ++tab) {
        QTreeView* view = listView(tab);
        connect(view->header(), &QHeaderView::sectionClicked, this,
                [this, tab](int logical) { sortByColumn(tab, logical); });
        connect(view, &QTreeView::doubleClicked, this, &LogbookWindow::changeEntry);
        if (tab != TabLivestock)
            connect(view, &QTreeView::clicked, this, &LogbookWindow::enablePopupEntryCommands);
    }

    showPopup = [](QMenu* menu, const QPoint& pos) { menu->exec(pos); };

    // The sort setting as stored, so that closing before the first rebuild
    // writes back what was there.
    readSortSetting();
    m_setupPending = true;
}

void LogbookWindow::readSortSetting()
{
    const QString stored = m_ctx.settingsStore ? m_ctx.settingsStore->get(QStringLiteral("WQ_Sort"), kNotFound)
                                               : kNotFound;
    m_sortSetting = stored == kNotFound ? QStringLiteral("1") : stored;
}

LogbookWindow::~LogbookWindow()
{
    if (!m_unloaded && m_ctx.settingsStore)
        m_ctx.settingsStore->set(QStringLiteral("WQ_Sort"), m_sortSetting);
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
    for (int c = 0; c < model->columnCount(); ++c)
        view->header()->resizeSection(c, columnWidth(view, model->columns().at(c)));
    view->viewport()->installEventFilter(this);
    return view;
}

QTreeView* LogbookWindow::listView(int tab) const
{
    switch (tab) {
    case TabWater: return m_waterList;
    case TabLivestock: return m_livestockList;
    case TabMaint: return m_maintenanceList;
    default: return nullptr;
    }
}

LogListModel* LogbookWindow::listModel(int tab) const
{
    switch (tab) {
    case TabWater: return m_waterModel;
    case TabLivestock: return m_livestockModel;
    case TabMaint: return m_maintenanceModel;
    default: return nullptr;
    }
}

QString LogbookWindow::tabCaption(int tab) const
{
    return m_logTabs->tabText(tab);
}

// ---- activation and unloading ------------------------------------------------

void LogbookWindow::activate()
{
    if (ILogbookShell* sh = shell()) {
        sh->claimFilePrint(true, QStringLiteral("&Print Entries..."));
        sh->setFileEntryCommandsEnabled(true);
    }
    if (m_setupPending) {
        setListViewStyle(m_livestockList);
        setListViewStyle(m_maintenanceList);
        setListViewStyle(m_waterList);
        refreshTankTree();   // fills the list of the node it selects
        fitTankPane();
    } else {
        // The entry commands follow the selection: with "All Tanks" selected
        // activation must not enable them.
        updateMenuCaptions();
    }
}

void LogbookWindow::fitTankPane()
{
    // Wide enough for the longest tank name, but never more than half the
    // window: a name too long for that is cut, not the lists.
    if (QLayout* l = layout())
        l->activate();
    const QAbstractItemView* tree = m_tankTree;   // the width its nodes need, indentation and icons included
    const int names = tree->sizeHintForColumn(0) + 2 * m_tankTree->frameWidth()
                      + m_tankTree->verticalScrollBar()->sizeHint().width();
    const int total = m_splitter->width() - m_splitter->handleWidth();
    const int width = std::max(m_splitter->sizes().value(0), std::min(names, total / 2));
    m_splitter->setSizes({width, std::max(1, total - width)});
}

void LogbookWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_ctx.settingsStore)
        m_ctx.settingsStore->set(QStringLiteral("WQ_Sort"), m_sortSetting);
    if (ILogbookShell* sh = shell()) {
        sh->setFileEntryCommandsEnabled(false);
        // Move acts on this window's list: it goes with the window.
        sh->setMoveEntryEnabled(false);
    }
}

void LogbookWindow::closeEvent(QCloseEvent* event)
{
    unload();
    QWidget::closeEvent(event);
}

// ---- tree --------------------------------------------------------------------

void LogbookWindow::refreshTankTree()
{
    m_currentTankName.clear();
    m_currentTankId.clear();
    m_nodeAtPress = nullptr;
    m_setupPending = true;
    {
        const QSignalBlocker block(m_tankTree);
        m_tankTree->clear();
        const QIcon tankIcon = style()->standardIcon(QStyle::SP_DirIcon);
        auto* root = new QTreeWidgetItem(m_tankTree, QStringList{kAllTanks});
        root->setData(0, Qt::UserRole, kAllTanks);
        root->setIcon(0, tankIcon);
        QTreeWidgetItem* last = root;
        QString error;
        const QVector<TankRecord> tanks = TankStore(m_ctx.db()).listByName(&error);
        if (!error.isEmpty())
            tellDatabaseFailure(QStringLiteral("The list of tanks could not be read"), error);
        for (const TankRecord& tank : tanks) {
            auto* node = new QTreeWidgetItem(root, QStringList{tank.tankname});
            node->setData(0, Qt::UserRole, tank.tankid);
            node->setIcon(0, tankIcon);
            last = node;
        }
        m_tankTree->scrollToItem(last);
        root->setExpanded(true);
        m_tankTree->setCurrentItem(root);
    }
    readSortSetting();
    m_setupPending = false;
    selectTank();
}

bool LogbookWindow::selectNode(const QString& text)
{
    QTreeWidgetItem* root = m_tankTree->topLevelItem(0);
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
    if (m_tankTree->currentItem() == found)
        selectTank();
    else
        m_tankTree->setCurrentItem(found);
    return true;
}

void LogbookWindow::selectTank()
{
    QTreeWidgetItem* node = m_tankTree->currentItem();
    m_tankSelected = node && node->parent() != nullptr;
    m_tankId = node ? node->data(0, Qt::UserRole).toString() : kAllTanks;
    m_tankName = node ? node->text(0) : kAllTanks;
    refreshList(QStringLiteral("ascending"));
    if (m_tankSelected)
        emit tankPicked(m_tankId);
}

void LogbookWindow::showLogOfTab()
{
    refreshList(QStringLiteral("ascending"));
}

// ---- lists -------------------------------------------------------------------

void LogbookWindow::refresh()
{
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::redrawDates()
{
    for (LogListModel* model : {static_cast<LogListModel*>(m_waterModel), static_cast<LogListModel*>(m_livestockModel),
                                static_cast<LogListModel*>(m_maintenanceModel)})
        model->setDateMask(m_ctx.settings.dateMask);
}

void LogbookWindow::refreshList(const QString& sortOrder)
{
    if (ILogbookShell* sh = shell())
        sh->setFilePrintEnabled(true);
    const int tab = m_logTabs->currentIndex();
    switch (tab) {
    case TabWater: fillWaterLog(sortOrder); break;
    case TabLivestock: fillLivestockLog(sortOrder); break;
    case TabMaint: fillMaintenanceLog(sortOrder); break;
    default: break;
    }
    // The keeper's texts read whole, as far as the other columns leave room.
    if (QTreeView* view = listView(tab)) {
        const QVector<LogColumn>& columns = listModel(tab)->columns();
        QVector<TextColumn> texts;
        for (int c = 0; c < columns.size(); ++c)
            if (columns[c].kind == LogColumnKind::Text)
                texts.append({c, columnWidth(view, columns[c])});
        fitTextColumns(view, texts);
    }
    updateMenuCaptions();
}

void LogbookWindow::beginFill(const QString& logCaption)
{
    m_listCaption->setFullText(QStringLiteral("Contents of ") + logCaption + QStringLiteral(" for '") + m_tankName
                               + QStringLiteral("'"));
}

void LogbookWindow::fillWaterLog(const QString& sortOrder)
{
    beginFill(QStringLiteral("Water Quality Log"));
    m_waterModel->setDateMask(m_ctx.settings.dateMask);
    QVector<WaterLogRecord> rows;
    QString error;
    if (m_tankSelected)
        rows = WaterLogStore(m_ctx.db()).list(m_tankId, sortOrderFromText(sortOrder), &error);
    if (!error.isEmpty())
        tellDatabaseFailure(QStringLiteral("The Water Quality Log of '%1' could not be read").arg(m_tankName), error);
    m_waterModel->setRecords(std::move(rows));
    m_waterModel->applyOwnSort();
}

void LogbookWindow::fillLivestockLog(const QString& sortOrder)
{
    beginFill(QStringLiteral("Livestock Log"));
    m_livestockModel->setDateMask(m_ctx.settings.dateMask);
    QVector<LivestockRecord> rows;
    QString error;
    if (m_tankSelected)
        rows = LivestockStore(m_ctx.db()).list(m_tankId, sortOrderFromText(sortOrder), &error);
    if (!error.isEmpty())
        tellDatabaseFailure(QStringLiteral("The Livestock Log of '%1' could not be read").arg(m_tankName), error);
    m_livestockModel->setRecords(std::move(rows));
    m_livestockModel->applyOwnSort();
}

void LogbookWindow::fillMaintenanceLog(const QString& sortOrder)
{
    beginFill(QStringLiteral("Maintenance Log"));
    m_maintenanceModel->setDateMask(m_ctx.settings.dateMask);
    QVector<MaintLogRecord> rows;
    QString error;
    if (m_tankSelected)
        rows = MaintLogStore(m_ctx.db()).list(m_tankId, sortOrderFromText(sortOrder), &error);
    if (!error.isEmpty())
        tellDatabaseFailure(QStringLiteral("The Maintenance Log of '%1' could not be read").arg(m_tankName), error);
    m_maintenanceModel->setRecords(std::move(rows));
    m_maintenanceModel->applyOwnSort();
}

void LogbookWindow::sortByColumn(int tab, int column)
{
    LogListModel* model = listModel(tab);
    QTreeView* view = listView(tab);
    if (!model || !view)
        return;
    const HeaderClick click = model->columnClick(column + 1);
    view->header()->setSortIndicatorShown(true);
    if (click.requery) {
        view->header()->setSortIndicator(
            0, click.requeryOrder == SortOrder::Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        // The date order is the query's; only the list on the current tab is
        // refilled. The entry the keeper picked stays picked, wherever it lands.
        if (tab == m_logTabs->currentIndex()) {
            const QModelIndexList picked = view->selectionModel() ? view->selectionModel()->selectedRows()
                                                                  : QModelIndexList();
            const qint64 rowid = picked.isEmpty() ? 0 : model->rowidAt(picked.first().row());
            refreshList(click.requeryOrder == SortOrder::Descending ? QStringLiteral("descending")
                                                                         : QStringLiteral("ascending"));
            const int row = rowid ? model->rowOf(rowid) : -1;
            if (row >= 0)
                view->selectionModel()->select(model->index(row, 0),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    } else {
        view->header()->setSortIndicator(click.column, click.order);
        model->sort(click.column, click.order);
    }
}

void LogbookWindow::enablePopupEntryCommands()
{
    if (shell() && m_tankSelected)
        shell()->enableLogPopupEntryCommands();
}

// ---- menus -------------------------------------------------------------------

void LogbookWindow::updateMenuCaptions()
{
    const int tab = m_logTabs->currentIndex();
    const bool selected = m_tankSelected;
    const bool livestock = tab == TabLivestock;
    if (selected) {
        m_currentTankName = m_tankName;
        m_currentTankId = m_tankId;
    }
    m_moveEntryAction->setEnabled(livestock);
    for (QAction* action : {m_addEntryAction, m_changeEntryAction, m_deleteEntryAction, m_graphAction})
        action->setEnabled(selected);
    if (ILogbookShell* sh = shell())
        sh->updateEntryCommands(tabCaption(tab), selected, livestock);
}

void LogbookWindow::prepareTankPopup()
{
    if (shell() && m_tankSelected)
        shell()->setTankPropertiesCaption(captionText(m_currentTankName) + QStringLiteral(" Properties..."));
}

void LogbookWindow::showTankPopup(const QPoint& globalPos)
{
    if (!shell())
        return;
    prepareTankPopup();
    showPopup(shell()->tankPopupMenu(), globalPos);
}

void LogbookWindow::showLogPopup(const QPoint& globalPos)
{
    if (!shell())
        return;
    showPopup(shell()->logPopupMenu(), globalPos);
}

bool LogbookWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == m_tankTree->viewport())
        m_nodeAtPress = m_tankTree->currentItem();
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const QPoint global = mouse->globalPosition().toPoint();
            if (watched == m_tankTree->viewport())
                QMetaObject::invokeMethod(this, [this, global] { showTankPopup(global); }, Qt::QueuedConnection);
            else if (watched == m_waterList->viewport() || watched == m_livestockList->viewport()
                     || watched == m_maintenanceList->viewport() || watched == m_logTabs->tabBar())
                QMetaObject::invokeMethod(this, [this, global] { showLogPopup(global); }, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
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

void LogbookWindow::tellNoMatch()
{
    m_ctx.services.tell(kNoMatch, QString(), MsgIcon::None, false);
}

void LogbookWindow::tellDatabaseFailure(const QString& what, const QString& reason)
{
    m_ctx.services.tell(QStringLiteral("%1: %2").arg(what, reason), QStringLiteral("Database Error"),
                        MsgIcon::Exclamation);
}

void LogbookWindow::enableGraphButton()
{
    m_graphAction->setEnabled(true);
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
    switch (m_logTabs->currentIndex()) {
    case TabWater: addWaterTest(); break;
    case TabLivestock: addLivestockEntry(); break;
    case TabMaint: addMaintenanceEntry(); break;
    default: break;
    }
}

void LogbookWindow::addWaterTest()
{
    WaterTestDialog dialog(m_ctx, this);
    dialog.setWindowTitle(QStringLiteral("Add a log entry for ") + m_tankName + QStringLiteral(" Tank"));
    dialog.setNewEntry(m_tankId, tankWaterType());
    dialog.onSaved = [this] { enableGraphButton(); };
    dialog.onActivate = [this] { claimPrintForDialog(); };
    dialog.exec();
    reclaimPrint();
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::addLivestockEntry()
{
    const QDateTime now = m_ctx.services.clock->now();
    LivestockRecord rec;
    rec.tankid = m_tankId;
    rec.dateadded = now.date();
    rec.timeadded = QTime(now.time().hour(), now.time().minute(), now.time().second());
    rec.quantity = 1;
    rec.comment = QStringLiteral(" ");
    LivestockEntryDialog dialog(m_ctx, this);
    dialog.setEntry(rec, true, tankWaterType());
    dialog.setWindowTitle(QStringLiteral(" Livestock Detail for ") + m_tankName);
    dialog.exec();
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::addMaintenanceEntry()
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
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::changeEntry()
{
    if (!m_tankSelected)
        return;
    switch (m_logTabs->currentIndex()) {
    case TabWater: changeWaterTest(); break;
    case TabLivestock: changeLivestockEntry(); break;
    case TabMaint: changeMaintenanceEntry(); break;
    default: break;
    }
}

// The selected entry of the list on `tab`, read afresh for a change. Empty
// after the "nothing selected" notice, a failed read or an entry that is gone
// meanwhile, each told to the keeper.
template <typename Store>
auto LogbookWindow::readEntryToChange(int tab)
{
    decltype(Store(m_ctx.db()).get(0)) none;
    const qint64 rowid = selectedEntry(tab, QStringLiteral("You must first select a log entry to change."));
    if (!rowid)
        return none;
    QString error;
    auto rec = Store(m_ctx.db()).get(rowid, &error);
    if (!rec && !error.isEmpty()) {
        tellDatabaseFailure(QStringLiteral("The entry could not be read"), error);
    } else if (!rec) {
        tellNoMatch();
        refreshList(QStringLiteral("ascending"));
    }
    return rec;
}

void LogbookWindow::changeWaterTest()
{
    if (!m_tankSelected)
        return;
    const auto rec = readEntryToChange<WaterLogStore>(TabWater);
    if (!rec)
        return;
    WaterTestDialog dialog(m_ctx, this);
    dialog.setEntry(*rec);
    dialog.setWindowTitle(QStringLiteral("Change Log Entry for ") + m_tankName + QStringLiteral(" Tank"));
    dialog.onSaved = [this] { enableGraphButton(); };
    dialog.onActivate = [this] { claimPrintForDialog(); };
    dialog.exec();
    reclaimPrint();
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::changeLivestockEntry()
{
    if (!m_tankSelected)
        return;
    const auto rec = readEntryToChange<LivestockStore>(TabLivestock);
    if (!rec)
        return;
    LivestockEntryDialog dialog(m_ctx, this);
    dialog.setEntry(*rec, false, tankWaterType());
    dialog.setWindowTitle(QStringLiteral(" Livestock Detail for ") + m_tankName);
    dialog.exec();
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::changeMaintenanceEntry()
{
    if (!m_tankSelected)
        return;
    const auto rec = readEntryToChange<MaintLogStore>(TabMaint);
    if (!rec)
        return;
    MaintenanceEntryDialog dialog(m_ctx, this);
    dialog.setEntry(*rec, false);
    dialog.setWindowTitle(QStringLiteral(" Maintenence Log for ") + m_tankName);
    dialog.exec();
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::deleteEntry()
{
    if (!m_tankSelected)
        return;
    switch (m_logTabs->currentIndex()) {
    case TabWater: deleteWaterTest(); break;
    case TabLivestock: deleteLivestockEntry(); break;
    case TabMaint: deleteMaintenanceEntry(); break;
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

void LogbookWindow::deleteSelected(int tab, const std::function<std::optional<QString>(qint64, QString*)>& describe,
                                  const std::function<bool(qint64, QString*)>& remove)
{
    if (!m_tankSelected)
        return;
    const qint64 rowid = selectedEntry(tab, QStringLiteral("You must first select a log entry to delete"));
    if (!rowid)
        return;
    QString error;
    const std::optional<QString> what = describe(rowid, &error);
    if (!what) {
        if (error.isEmpty()) {
            tellNoMatch();
            refreshList(QStringLiteral("Ascending"));
        } else {
            tellDatabaseFailure(QStringLiteral("The entry could not be read"), error);
        }
        return;
    }
    if (!confirmDelete(*what))
        return;
    error.clear();
    if (!remove(rowid, &error)) {
        if (error == kEntryGone) {
            tellNoMatch();
        } else {
            tellDatabaseFailure(QStringLiteral("The entry could not be deleted"), error);
            return;
        }
    }
    refreshList(QStringLiteral("Ascending"));
}

namespace {
QString dateText(const QDate& date, const QString& mask)
{
    return date.isValid() ? formatDateMask(date, mask) : QString();
}
} // namespace

void LogbookWindow::deleteWaterTest()
{
    WaterLogStore store(m_ctx.db());
    deleteSelected(
        TabWater,
        [&](qint64 rowid, QString* error) -> std::optional<QString> {
            const auto rec = store.get(rowid, error);
            if (!rec)
                return std::nullopt;
            // The date reads as the list shows it, in the keeper's order.
            return dateText(rec->logdate, m_ctx.settings.dateMask) + QStringLiteral(", ")
                + formatAmPmTime(rec->logtime);
        },
        [&](qint64 rowid, QString* error) { return store.remove(rowid, error); });
}

void LogbookWindow::deleteLivestockEntry()
{
    LivestockStore store(m_ctx.db());
    deleteSelected(
        TabLivestock,
        [&](qint64 rowid, QString* error) -> std::optional<QString> {
            const auto rec = store.get(rowid, error);
            if (!rec)
                return std::nullopt;
            return rec->animalname + QStringLiteral(" - ") + dateText(rec->dateadded, m_ctx.settings.dateMask)
                + QStringLiteral(", ") + formatAmPmTime(rec->timeadded, true);
        },
        [&](qint64 rowid, QString* error) { return store.remove(rowid, error); });
}

void LogbookWindow::deleteMaintenanceEntry()
{
    MaintLogStore store(m_ctx.db());
    deleteSelected(
        TabMaint,
        [&](qint64 rowid, QString* error) -> std::optional<QString> {
            const auto rec = store.get(rowid, error);
            if (!rec)
                return std::nullopt;
            return dateText(rec->logdate, m_ctx.settings.dateMask) + QStringLiteral(", ")
                + formatAmPmTime(rec->logtime);
        },
        [&](qint64 rowid, QString* error) { return store.remove(rowid, error); });
}

void LogbookWindow::moveEntry()
{
    // Always the livestock list, whatever tab is showing.
    const qint64 rowid = selectedEntry(TabLivestock, QStringLiteral("You must first select a log entry to move."));
    if (!rowid || !m_tankSelected)
        return;
    QString error;
    const auto rec = LivestockStore(m_ctx.db()).get(rowid, &error);
    if (!rec) {
        if (error.isEmpty())
            m_ctx.services.tell(QStringLiteral("entry not found to be moved"), QString(), MsgIcon::None, false);
        else
            tellDatabaseFailure(QStringLiteral("The entry could not be read"), error);
        return;
    }
    MoveLivestockDialog dialog(m_ctx, rowid, rec->animalname, this);
    dialog.exec();
    refreshList(QStringLiteral("ascending"));
}

void LogbookWindow::showGraph()
{
    if (ILogbookShell* sh = shell(); sh && m_tankSelected)
        sh->showWaterGraph(m_tankId);
}

QString LogbookWindow::tankWaterType() const
{
    const std::optional<TankRecord> tank = TankStore(m_ctx.db()).findById(m_tankId);
    return tank ? tank->watertype : QString();
}

void LogbookWindow::printEntries()
{
    // The log print dialog: preset to the current tab's log and the selected tank.
    if (printEntriesHook)
        printEntriesHook(m_logTabs->currentIndex(), m_tankSelected ? m_tankId : QString(), m_tankName);
}
