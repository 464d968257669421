#include "logbook/ui/MaintenanceEntryDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/CalendarDialog.h"
#include "logbook/SpeciesLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

MaintenanceEntryDialog::MaintenanceEntryDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("MaintenanceEntryDialog"));
    addHelpKey(this, QStringLiteral("maintenance.html"));
    setWindowTitle(QStringLiteral("Add a New Maintenence Activity"));
    setModal(true);

    m_entryTabs = named(new QTabWidget(this), "entryTabs");
    auto* page = new QWidget(m_entryTabs);
    m_entryTabs->addTab(page, QStringLiteral("Maintenance Entry"));

    m_taskList = makePickList(page, "taskList");
    m_dateEdit = named(new MaskedDateEdit(page), "dateEdit");
    m_calendarButton = named(makeCalendarButton(page), "calendarButton");
    m_timeEdit = named(new MaskedTimeEdit(page), "timeEdit");
    m_quantityEdit = named(new QLineEdit(page), "quantityEdit");
    m_quantitySpinner = named(new UpDown(page), "quantitySpinner");
    m_quantitySpinner->setRange(0, 999);
    m_quantitySpinner->setSingleStep(1);
    m_quantitySpinner->setBuddy(m_quantityEdit);
    m_unitList = makePickList(page, "unitList");
    m_descriptionEdit = named(new QLineEdit(page), "descriptionEdit");
    m_notesEdit = named(new QLineEdit(page), "notesEdit");

    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Task Performed"), page), row, 0);
    grid->addWidget(m_taskList, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Performed"), page), row, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_dateEdit);
    dateRow->addWidget(m_calendarButton);
    grid->addLayout(dateRow, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Time Performed"), page), row, 2);
    grid->addWidget(m_timeEdit, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Quantity"), page), row, 0);
    auto* qtyRow = new QHBoxLayout;
    qtyRow->addWidget(m_quantityEdit);
    qtyRow->addWidget(m_quantitySpinner);
    grid->addLayout(qtyRow, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Unit of Measure"), page), row, 2);
    grid->addWidget(m_unitList, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Description of additive, medication, etc"), page), row++, 0, 1, 4);
    grid->addWidget(m_descriptionEdit, row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Notes, Comments, etc."), page), row++, 0, 1, 4);
    grid->addWidget(m_notesEdit, row++, 0, 1, 4);

    m_okButton = named(new QPushButton(QStringLiteral("&OK"), this), "okButton");
    m_cancelButton = named(new QPushButton(QStringLiteral("&Cancel"), this), "cancelButton");
    m_okButton->setDefault(true);
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_entryTabs);
    layout->addLayout(buttons);

    const Settings& s = m_ctx.settings;
    m_dateEdit->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);

    m_checker = new LeaveChecker(this);
    m_checker->addCheck(m_dateEdit, [this] { return checkDate(); });
    m_checker->addCheck(m_timeEdit, [this] { return checkTime(); });
    m_checker->addCheck(m_quantityEdit, [this] { return checkQuantity(); });
    m_checker->addExempt(m_cancelButton);

    connect(m_okButton, &QPushButton::clicked, this, &MaintenanceEntryDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &MaintenanceEntryDialog::reject);
    connect(m_calendarButton, &QToolButton::clicked, this, &MaintenanceEntryDialog::pickDate);
    connect(m_quantitySpinner, &UpDown::valueChanged, this, &MaintenanceEntryDialog::writeQuantity);

    fillPickLists();
}

MaintenanceEntryDialog::~MaintenanceEntryDialog() = default;

void MaintenanceEntryDialog::fillPickLists()
{
    fillPickList(m_taskList, maintTaskList(m_ctx.db()));
    fillPickList(m_unitList, maintUnits());
}

void MaintenanceEntryDialog::setEntry(const MaintLogRecord& rec, bool isNew)
{
    m_entry = rec;
    m_isNew = isNew;
    m_dateEdit->setDate(rec.logdate);
    m_timeEdit->setTime(rec.logtime);
    m_taskList->setEditText(rec.task);
    if (rec.quantity)
        m_quantityEdit->setText(QString::number(*rec.quantity, 'g', 15));
    m_unitList->setEditText(rec.unit);
    m_descriptionEdit->setText(rec.description);
    m_notesEdit->setText(rec.note);
}

void MaintenanceEntryDialog::writeQuantity(int value)
{
    m_quantityEdit->setText(QString::number(value));
}

void MaintenanceEntryDialog::pickDate()
{
    pickDateInto(m_ctx, m_dateEdit, m_calendarButton->mapToGlobal(QPoint(3, 3)), this);
}

bool MaintenanceEntryDialog::checkDate()
{
    if (m_dateEdit->date(m_ctx.services.clock->today()))
        return true;
    m_ctx.services.tell(QStringLiteral("You must enter a valad date to add a maintenence entry to the log."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

bool MaintenanceEntryDialog::checkTime()
{
    if (m_timeEdit->time())
        return true;
    m_ctx.services.tell(QStringLiteral("You must enter a valid time in \"HH:MM:SS am\" format to add a "
                                       "maintenence entry to the log."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

bool MaintenanceEntryDialog::checkQuantity()
{
    const QString text = m_quantityEdit->text().trimmed();
    if (text.isEmpty())
        return true;
    const std::optional<double> quantity = parseNumber(text);
    if (quantity && *quantity >= 0)
        return true;
    m_ctx.services.tell(quantity ? QStringLiteral("Quantity entries must not be negative.")
                                 : QStringLiteral("Quantity entries must be a number."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

void MaintenanceEntryDialog::accept()
{
    // The checks made when a box is left run again first, so nothing that was
    // refused there can be written.
    if (!m_checker->checkAll())
        return;

    const QString note = QStringLiteral("Note!");
    const QString task = m_taskList->currentText();
    if (task.trimmed().isEmpty()) {
        refuseField(m_ctx.services, m_taskList, note, QStringLiteral("You must enter a task for your entry"));
        return;
    }
    if (task.size() > 50) {
        refuseField(m_ctx.services, m_taskList, note, QStringLiteral("Your task description must be less than 50 characters."));
        return;
    }
    if (m_quantityEdit->text().trimmed().isEmpty())
        m_quantityEdit->setText(QStringLiteral("0"));
    const std::optional<double> qty = parseNumber(m_quantityEdit->text().trimmed());
    if (!qty || *qty > 9999) {
        refuseField(m_ctx.services, m_quantityEdit, note, QStringLiteral("Your quantity must be less than 10,000."));
        return;
    }
    if (m_descriptionEdit->text().isEmpty())
        m_descriptionEdit->setText(QStringLiteral(" "));
    if (m_descriptionEdit->text().size() > 50) {
        refuseField(m_ctx.services, m_descriptionEdit, note, QStringLiteral("Your description must be 50 characters or less."));
        return;
    }
    const QString unit = m_unitList->currentText();
    if (unit.size() > 10) {
        refuseField(m_ctx.services, m_unitList, note,
               QStringLiteral("Your \"unit of measure\" entry must be 10 characters or less."));
        return;
    }
    if (m_notesEdit->text().isEmpty())
        m_notesEdit->setText(QStringLiteral(" "));

    MaintLogRecord rec;
    rec.rowid = m_isNew ? 0 : m_entry.rowid;
    rec.tankid = m_entry.tankid;
    rec.logdate = *m_dateEdit->date(m_ctx.services.clock->today());
    rec.logtime = *m_timeEdit->time();
    rec.task = task;
    rec.quantity = *qty;
    rec.unit = unit;
    rec.description = m_descriptionEdit->text();
    rec.note = m_notesEdit->text();

    MaintLogStore store(m_ctx.db());
    QString error;
    const bool ok = m_isNew ? store.insert(rec, &error) : store.update(rec, &error);
    if (!ok) {
        m_ctx.services.tell(QStringLiteral("ERROR ") + error + QStringLiteral(" occurred."),
                            QStringLiteral("Oops"), MsgIcon::Exclamation);
        return;
    }
    QDialog::accept();
}
