#include "scheduler/ui/ReminderListWindow.h"

#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/HelpWindow.h"
#include "scheduler/MaintSchedStore.h"
#include "scheduler/ReminderChecks.h"
#include "scheduler/RuleCodec.h"
#include "scheduler/ui/ReminderEditorDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace sched;

namespace {

const QString kNote = QStringLiteral("Note!");
// The designed widths of the task and its scheduling, the columns of the keeper's texts.
constexpr int kTaskWidth = 110;
constexpr int kSchedulingWidth = 260;

} // namespace

ReminderListWindow::ReminderListWindow(AppContext& ctx, IShell* shell, Hooks hooks, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("ReminderListWindow"));
    setWindowTitle(QStringLiteral("Maintenance Scheduling"));

    m_taskList = named(new QTreeWidget(this), "taskList");
    m_taskList->setColumnCount(4);
    m_taskList->setHeaderLabels({QStringLiteral("Task"), QStringLiteral("Scheduling"), QStringLiteral("Start Date"),
                                 QStringLiteral("End Date")});
    m_taskList->setRootIsDecorated(false);
    m_taskList->setColumnWidth(0, kTaskWidth);
    m_taskList->setColumnWidth(1, kSchedulingWidth);
    m_taskList->setColumnWidth(2, 80);
    m_taskList->setColumnWidth(3, 80);
    setListViewStyle(m_taskList);

    m_addButton = named(new QPushButton(QStringLiteral("Add New..."), this), "addButton");
    m_detailsButton = named(new QPushButton(QStringLiteral("Details..."), this), "detailsButton");
    m_deleteButton = named(new QPushButton(QStringLiteral("Delete Task"), this), "deleteButton");
    m_viewScheduleButton = named(new QPushButton(QStringLiteral("View Schedule..."), this), "viewScheduleButton");

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("Scheduled Items:"), this));
    listColumn->addWidget(m_taskList, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_addButton, m_detailsButton, m_deleteButton, m_viewScheduleButton})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);
    resize(720, 300);

    connect(m_addButton, &QPushButton::clicked, this, &ReminderListWindow::addTask);
    connect(m_detailsButton, &QPushButton::clicked, this, &ReminderListWindow::changeTask);
    connect(m_deleteButton, &QPushButton::clicked, this, &ReminderListWindow::deleteTask);
    connect(m_viewScheduleButton, &QPushButton::clicked, this, &ReminderListWindow::viewSchedule);
    connect(m_taskList, &QTreeWidget::itemClicked, this, &ReminderListWindow::followSelection);
    connect(m_taskList, &QTreeWidget::currentItemChanged, this, &ReminderListWindow::followSelection);
    connect(m_taskList, &QTreeWidget::itemDoubleClicked, this, &ReminderListWindow::changeTask);

    refillList();
    addHelpKey(this, QStringLiteral("reminders.html"));
}

ReminderListWindow::~ReminderListWindow() = default;

void ReminderListWindow::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(true, QStringLiteral("&Print"));
    setListViewStyle(m_taskList);
}

void ReminderListWindow::followSelection()
{
    if (m_taskList->currentItem() && m_taskList->currentItem()->isSelected()) {
        m_detailsButton->setEnabled(true);
        m_deleteButton->setEnabled(true);
    }
}

void ReminderListWindow::refillList()
{
    m_taskList->clear();
    MaintSchedStore store(m_ctx.db());
    bool ok = true;
    const QVector<MaintSchedRecord> rows = store.list(&ok);
    if (!ok)
        m_ctx.services.tell(QStringLiteral("ERROR reading the reminders occurred."), QString(), MsgIcon::None);
    if (rows.isEmpty()) {
        m_viewScheduleButton->setEnabled(false);
        if (m_hooks.remindersChanged)
            m_hooks.remindersChanged();
        return;
    }
    m_viewScheduleButton->setEnabled(true);
    const QString mask = m_ctx.settings.dateMask;
    const QDate today = m_ctx.services.clock->today();
    QList<QTreeWidgetItem*> items;
    for (const MaintSchedRecord& r : rows)
        items.append(new QTreeWidgetItem(
            QStringList{r.SchedTask, shownWording(r, mask, m_ctx.settings.dateOrder, today),
                        formatDateMask(r.SchedStartDate, mask), formatDateMask(r.SchedEndDate, mask)}));
    m_taskList->addTopLevelItems(items);
    fitTextColumns(m_taskList, {{0, kTaskWidth}, {1, kSchedulingWidth}});
    m_taskList->setCurrentItem(nullptr);
    m_taskList->clearSelection();
    m_detailsButton->setEnabled(false);
    m_deleteButton->setEnabled(false);
    if (m_hooks.remindersChanged)
        m_hooks.remindersChanged();
}

bool ReminderListWindow::reportWrite(int result, const QString& error)
{
    switch (static_cast<SchedWrite>(result)) {
    case SchedWrite::Ok:
        return true;
    case SchedWrite::DuplicateTask:
        m_ctx.services.tell(duplicateTaskMessage(), QString(), MsgIcon::None);
        return false;
    case SchedWrite::NotFound:
        m_ctx.services.tell(QStringLiteral("Unable to retrieve detail for reminder message."), QString(),
                            MsgIcon::None, false);
        return false;
    case SchedWrite::Failed:
        m_ctx.services.tell(QStringLiteral("ERROR ") + error + QStringLiteral(" occurred."), QString(),
                            MsgIcon::None);
        return false;
    }
    return false;
}

void ReminderListWindow::addTask()
{
    const QDate today = m_ctx.services.clock->today();
    MaintSchedStore store(m_ctx.db());
    ReminderEditorDialog editor(m_ctx, this);
    editor.setValues(newTaskVars(today, m_ctx.settings.dateMask));
    editor.setTaskTakenCheck([&store](const QString& text) { return store.isTaskTaken(text); });
    if (!editor.addNewTask())
        return;
    QString error;
    const SchedWrite result = store.add(recordFromVars(editor.values(), m_ctx.settings.dateOrder, today), &error);
    if (!reportWrite(int(result), error))
        return;
    refillList();
}

void ReminderListWindow::changeTask()
{
    QTreeWidgetItem* item = m_taskList->currentItem();
    if (!item || !item->isSelected()) {
        m_ctx.services.tell(QStringLiteral("You must first select a maintenance task to change by clicking on it."),
                            kNote, MsgIcon::Information);
        return;
    }
    const QString task = item->text(0);
    MaintSchedStore store(m_ctx.db());
    const std::optional<MaintSchedRecord> row = store.findByTask(task);
    if (!row) {
        m_ctx.services.tell(QStringLiteral("Unable to retrieve detail for reminder message."), QString(),
                            MsgIcon::None, false);
        return;
    }
    const QDate today = m_ctx.services.clock->today();
    ReminderEditorDialog editor(m_ctx, this);
    editor.setValues(varsFromRecord(*row, m_ctx.settings.dateMask));
    editor.setStoredRange(row->SchedStartDate, row->SchedEndDate);
    const qint64 rowid = row->rowid;
    editor.setTaskTakenCheck([&store, rowid](const QString& text) { return store.isTaskTaken(text, rowid); });
    if (!editor.showExistingTask())
        return;
    QString error;
    const SchedWrite result =
        store.change(task, recordFromVars(editor.values(), m_ctx.settings.dateOrder, today), &error);
    if (!reportWrite(int(result), error))
        return;
    refillList();
}

void ReminderListWindow::deleteTask()
{
    QTreeWidgetItem* item = m_taskList->currentItem();
    if (!item || !item->isSelected()) {
        m_ctx.services.tell(QStringLiteral("You must first select a maintenance task to delete by clicking on it."),
                            kNote, MsgIcon::Information);
        return;
    }
    const QString task = item->text(0);
    MaintSchedStore store(m_ctx.db());
    const std::optional<MaintSchedRecord> row = store.findByTask(task);
    const QString wording =
        row ? shownWording(*row, m_ctx.settings.dateMask, m_ctx.settings.dateOrder, m_ctx.services.clock->today())
            : QString();
    const QString question = QStringLiteral("Are you sure you want to delete this entry?\n") + task
                             + QStringLiteral("\nscheduled for ") + wording
                             + QStringLiteral("?\n(Remember, you CANNOT \"undo\" a delete!)");
    if (m_ctx.services.tell(question, QStringLiteral("Are you sure..."), MsgIcon::Question, true,
                            MsgButtons::OkCancel)
        != MsgResult::Ok)
        return;
    QString error;
    const SchedWrite result = store.remove(task, &error);
    if (result == SchedWrite::NotFound)
        m_ctx.services.tell(QStringLiteral("Unable to delete the task!"), QString(), MsgIcon::None, false);
    else if (result == SchedWrite::Failed)
        reportWrite(int(result), error);
    refillList();
}

void ReminderListWindow::viewSchedule()
{
    if (m_hooks.showSchedule)
        m_hooks.showSchedule();
}
