#include "scheduler/ui/ScheduleWindow.h"

#include "core/AppContext.h"
#include "core/Printing.h"
#include "core/ui/CalendarDialog.h"
#include "core/ui/ElidedLabel.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/HelpWindow.h"
#include "scheduler/MaintSchedStore.h"
#include "scheduler/ReminderChecks.h"
#include "scheduler/SchedulePrintout.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace sched;

// The schedule as the list shows it: the date as the keeper reads it, the
// task, and the hidden sort key. Filled in one go, so a long schedule is not
// painted row by row.
class ScheduleListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QVector<ScheduleRow> rows, const QString& dateMask)
    {
        beginResetModel();
        m_rows = std::move(rows);
        m_mask = dateMask;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole)
            return QVariant();
        const ScheduleRow& row = m_rows.at(index.row());
        switch (index.column()) {
        case 0: return occurrenceText(row.date, m_mask);
        case 1: return row.task;
        case 2: return occurrenceKey(row.date);
        }
        return QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        static const char* const titles[3] = {"date shown", "Task", "date not shown"};
        return section >= 0 && section < 3 ? QString::fromLatin1(titles[section]) : QVariant();
    }

private:
    QVector<ScheduleRow> m_rows;
    QString m_mask;
};

ScheduleWindow::ScheduleWindow(AppContext& ctx, IShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName(QStringLiteral("ScheduleWindow"));
    setWindowTitle(QStringLiteral("Generate: Maintenance Schedule"));

    m_rangeTabs = named(new QTabWidget(this), "rangeTabs");
    auto* page = new QWidget(m_rangeTabs);
    m_rangeTabs->addTab(page, QStringLiteral("Date Range:"));
    m_twoYearsOption = named(new QRadioButton(QStringLiteral("&Two Years from Today"), page), "twoYearsOption");
    m_dateRangeOption = named(new QRadioButton(QStringLiteral("&Between "), page), "dateRangeOption");
    m_startDateEdit = named(new MaskedDateEdit(page), "startDateEdit");
    m_startCalendarButton = named(makeCalendarButton(page), "startCalendarButton");
    m_endDateEdit = named(new MaskedDateEdit(page), "endDateEdit");
    m_endCalendarButton = named(makeCalendarButton(page), "endCalendarButton");
    auto* pageLayout = new QGridLayout(page);
    pageLayout->addWidget(new QLabel(QStringLiteral("Generate a schedule for:"), page), 0, 0, 1, 2);
    pageLayout->addWidget(m_twoYearsOption, 1, 0, 1, 2);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_dateRangeOption);
    rangeRow->addWidget(m_startDateEdit);
    rangeRow->addWidget(m_startCalendarButton);
    rangeRow->addSpacing(8);
    rangeRow->addWidget(m_endDateEdit);
    rangeRow->addWidget(m_endCalendarButton);
    rangeRow->addStretch();
    pageLayout->addLayout(rangeRow, 2, 0, 1, 2);

    m_generateButton = named(new QPushButton(QStringLiteral("&Generate"), this), "generateButton");
    m_printButton = named(new QPushButton(QStringLiteral("&Print"), this), "printButton");
    m_generateButton->setDefault(true);
    m_printButton->setEnabled(false);

    m_model = new ScheduleListModel(this);
    m_scheduleList = named(new QTreeView(this), "scheduleList");
    m_scheduleList->setModel(m_model);
    m_scheduleList->setRootIsDecorated(false);
    m_scheduleList->setUniformRowHeights(true);
    m_scheduleList->setColumnWidth(0, 150);
    m_scheduleList->setColumnHidden(2, true);
    m_scheduleList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setListViewStyle(m_scheduleList);

    m_statusBar = named(new QStatusBar(this), "statusBar");
    m_statusBar->setSizeGripEnabled(false);
    // The panel names the task being generated: however long, it never widens the window.
    m_statusPanel = named(new ElidedLabel(m_statusBar), "statusPanel");
    m_statusBar->addWidget(m_statusPanel, 1);
    m_progressBar = named(new QProgressBar(m_statusBar), "progressBar");
    m_progressBar->setTextVisible(false);
    m_progressBar->setMaximumWidth(130);
    m_statusBar->addPermanentWidget(m_progressBar);
    m_progressBar->hide();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_generateButton);
    buttons->addStretch();
    buttons->addWidget(m_printButton);
    auto* top = new QHBoxLayout;
    top->addWidget(m_rangeTabs, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addLayout(top);
    layout->addWidget(m_scheduleList, 1);
    layout->addWidget(m_statusBar);
    resize(440, 420);

    const Settings& s = m_ctx.settings;
    for (MaskedDateEdit* edit : {m_startDateEdit, m_endDateEdit})
        edit->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);

    connect(m_twoYearsOption, &QRadioButton::toggled, this, &ScheduleWindow::followMode);
    connect(m_generateButton, &QPushButton::clicked, this, &ScheduleWindow::generateSchedule);
    connect(m_printButton, &QPushButton::clicked, this, &ScheduleWindow::printSchedule);
    connect(m_startCalendarButton, &QToolButton::clicked, this, &ScheduleWindow::pickStartDate);
    connect(m_endCalendarButton, &QToolButton::clicked, this, &ScheduleWindow::pickEndDate);

    m_twoYearsOption->setChecked(true);
    followMode();
    addHelpKey(this, QStringLiteral("schedule.html"));
}

ScheduleWindow::~ScheduleWindow() = default;

void ScheduleWindow::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(true, QStringLiteral("&Print"));
    setListViewStyle(m_scheduleList);
}

void ScheduleWindow::followMode()
{
    const bool range = m_dateRangeOption->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_startDateEdit, m_startCalendarButton, m_endDateEdit,
                                                      m_endCalendarButton})
        w->setEnabled(range);
}

void ScheduleWindow::pickStartDate()
{
    pickDateInto(m_ctx, m_startDateEdit,
                 m_startDateEdit->mapToGlobal(QPoint(m_startDateEdit->width() + 10, m_startDateEdit->height() + 10)),
                 this, rangeReadingDay(m_ctx.services.clock->today()));
}

void ScheduleWindow::pickEndDate()
{
    // The calendar opens where Generate reads the box: "50" is 2050 here.
    pickDateInto(m_ctx, m_endDateEdit,
                 m_endDateEdit->mapToGlobal(QPoint(m_endDateEdit->width() + 10, m_endDateEdit->height() + 10)), this,
                 rangeReadingDay(m_ctx.services.clock->today()));
}

void ScheduleWindow::generateSchedule()
{
    if (m_generating)
        return;   // the run under way finishes the list
    const QDate today = m_ctx.services.clock->today();
    m_progressBar->show();

    ScheduleRange range = twoYearsFrom(today);
    if (m_dateRangeOption->isChecked()) {
        // A box still showing the date the calendar put there gives that date,
        // whatever century its two-digit year would suggest; a typed year may
        // name any year up to the furthest end allowed.
        const QDate around = rangeReadingDay(today);
        range = checkedRange(m_startDateEdit->date(around), m_endDateEdit->date(around), today);
        if (range.refusal != RangeRefusal::None) {
            m_ctx.services.tell(rangeRefusalMessage(range.refusal), QStringLiteral("Oops!"), MsgIcon::Information,
                                false);
            m_progressBar->hide();
            const bool startBox =
                range.refusal == RangeRefusal::StartNotDate || range.refusal == RangeRefusal::StartAfterEnd;
            (startBox ? m_startDateEdit : m_endDateEdit)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    setCursor(Qt::WaitCursor);
    MaintSchedStore store(m_ctx.db());
    const QVector<MaintSchedRecord> rules = store.list();
    if (rules.isEmpty()) {
        m_ctx.services.tell(QStringLiteral("No Reminder details found for maintenance schedule."), QString(),
                            MsgIcon::None, false);
        unsetCursor();
        m_progressBar->setValue(0);
        m_progressBar->hide();
        return;
    }

    m_generating = true;
    m_generateButton->setEnabled(false);
    m_progressBar->setRange(0, int(rules.size()));
    m_progressBar->setValue(1);
    QPointer<ScheduleWindow> alive(this);
    int counter = 0;
    QVector<ScheduleRow> schedule = buildSchedule(
        rules, range.low, range.upper, m_ctx.settings.dateOrder, today, [&](const MaintSchedRecord& rule) {
            m_progressBar->setValue(++counter);
            m_statusPanel->setFullText(QStringLiteral("Generating ") + rule.SchedTask + QStringLiteral("..."));
            m_statusPanel->repaint();
            // Let the window repaint and the keeper use other windows between rules.
            QCoreApplication::processEvents();
            return alive && !m_closeAsked;
        });
    if (!alive)
        return;
    if (m_closeAsked) {
        endGeneration();
        close();
        return;
    }

    m_model->setRows(std::move(schedule), m_ctx.settings.dateMask);
    if (m_model->rowCount() > 0)
        m_scheduleList->setCurrentIndex(m_model->index(0, 0));
    endGeneration();
    m_printButton->setEnabled(true);
}

void ScheduleWindow::endGeneration()
{
    m_progressBar->setValue(0);
    m_progressBar->hide();
    unsetCursor();
    m_statusPanel->setFullText(QStringLiteral("Ready."));
    m_statusPanel->repaint();
    m_generating = false;
    m_generateButton->setEnabled(true);
}

void ScheduleWindow::closeEvent(QCloseEvent* event)
{
    if (m_generating) {
        // The run stops after the rule it is on and then closes the window.
        m_closeAsked = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void ScheduleWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* pressed = focused ? focused : m_generateButton;
    if (pressed->isEnabled())
        pressed->click();
    event->accept();
}

void ScheduleWindow::printSchedule()
{
    if (!m_ctx.services.printing)
        return;
    QVector<SchedulePrintRow> rows;
    rows.reserve(m_model->rowCount());
    for (int r = 0; r < m_model->rowCount(); ++r)
        rows.append({m_model->index(r, 0).data().toString(), m_model->index(r, 1).data().toString()});
    QString error;
    if (sched::printSchedule(*m_ctx.services.printing, rows, PrintDestination::Printer, &error) == PrintOutcome::Failed)
        m_ctx.services.tell(QStringLiteral("The schedule could not be printed: ") + error, QString(),
                            MsgIcon::Exclamation);
}
