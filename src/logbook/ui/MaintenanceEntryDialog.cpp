#include "logbook/ui/MaintenanceEntryDialog.h"

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
    setWindowTitle(QStringLiteral("Add a New Maintenence Activity"));
    setModal(true);

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    auto* page = new QWidget(SSTab1);
    SSTab1->addTab(page, QStringLiteral("Maintenance Entry"));

    lst_mainttasklist = makePickList(page, "lst_mainttasklist");
    txt_logdate = named(new MaskedDateEdit(page), "txt_logdate");
    cmd_Caldate = makeCalendarButton(page);
    txt_logtime = named(new MaskedTimeEdit(page), "txt_logtime");
    txt_quantity = named(new QLineEdit(page), "txt_quantity");
    ud_quantity = named(new UpDown(page), "ud_quantity");
    ud_quantity->setRange(0, 999);
    ud_quantity->setSingleStep(1);
    ud_quantity->setBuddy(txt_quantity);
    lst_unit = makePickList(page, "lst_unit");
    txt_description = named(new QLineEdit(page), "txt_description");
    txt_maintlognotes = named(new QLineEdit(page), "txt_maintlognotes");

    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Task Performed"), page), row, 0);
    grid->addWidget(lst_mainttasklist, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Performed"), page), row, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(txt_logdate);
    dateRow->addWidget(cmd_Caldate);
    grid->addLayout(dateRow, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Time Performed"), page), row, 2);
    grid->addWidget(txt_logtime, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Quantity"), page), row, 0);
    auto* qtyRow = new QHBoxLayout;
    qtyRow->addWidget(txt_quantity);
    qtyRow->addWidget(ud_quantity);
    grid->addLayout(qtyRow, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Unit of Measure"), page), row, 2);
    grid->addWidget(lst_unit, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Description of additive, medication, etc"), page), row++, 0, 1, 4);
    grid->addWidget(txt_description, row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Notes, Comments, etc."), page), row++, 0, 1, 4);
    grid->addWidget(txt_maintlognotes, row++, 0, 1, 4);

    cmd_OK = named(new QPushButton(QStringLiteral("&OK"), this), "cmd_OK");
    cmd_Cancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmd_Cancel");
    cmd_OK->setDefault(true);
    cmd_Cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);

    const Settings& s = m_ctx.settings;
    txt_logdate->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);

    m_checker = new LeaveChecker(this);
    m_checker->addCheck(txt_logdate, [this] { return txt_logdate_LostFocus(); });
    m_checker->addCheck(txt_logtime, [this] { return txt_logtime_LostFocus(); });
    m_checker->addCheck(txt_quantity, [this] { return txt_quantity_LostFocus(); });
    m_checker->addExempt(cmd_Cancel);

    connect(cmd_OK, &QPushButton::clicked, this, [this] { cmd_OK_Click(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { cmd_Cancel_Click(); });
    connect(cmd_Caldate, &QToolButton::clicked, this, [this] { cmd_caldate_Click(); });
    connect(ud_quantity, &UpDown::valueChanged, this, [this](int value) { ud_quantity_Change(value); });

    Form_Load();
}

MaintenanceEntryDialog::~MaintenanceEntryDialog() = default;

void MaintenanceEntryDialog::Form_Load()
{
    fillPickList(lst_mainttasklist, maintTaskList(m_ctx.db()));
    fillPickList(lst_unit, maintUnits());
}

void MaintenanceEntryDialog::setEntry(const MaintLogRecord& rec, bool isNew)
{
    m_entry = rec;
    m_isNew = isNew;
    txt_logdate->setDate(rec.logdate);
    txt_logtime->setTime(rec.logtime);
    lst_mainttasklist->setEditText(rec.task);
    if (rec.quantity)
        txt_quantity->setText(QString::number(*rec.quantity, 'g', 15));
    lst_unit->setEditText(rec.unit);
    txt_description->setText(rec.description);
    txt_maintlognotes->setText(rec.note);
}

void MaintenanceEntryDialog::ud_quantity_Change(int value)
{
    txt_quantity->setText(QString::number(value));
}

void MaintenanceEntryDialog::cmd_caldate_Click()
{
    pickDateInto(m_ctx, txt_logdate, cmd_Caldate->mapToGlobal(QPoint(3, 3)), this);
}

bool MaintenanceEntryDialog::txt_logdate_LostFocus()
{
    if (txt_logdate->date(m_ctx.services.clock->today()))
        return true;
    m_ctx.services.tell(QStringLiteral("You must enter a valad date to add a maintenence entry to the log."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

bool MaintenanceEntryDialog::txt_logtime_LostFocus()
{
    if (txt_logtime->time())
        return true;
    m_ctx.services.tell(QStringLiteral("You must enter a valid time in \"HH:MM:SS am\" format to add a "
                                       "maintenence entry to the log."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

bool MaintenanceEntryDialog::txt_quantity_LostFocus()
{
    const QString text = txt_quantity->text().trimmed();
    if (text.isEmpty() || isNumber(text))
        return true;
    m_ctx.services.tell(QStringLiteral("Quantity entries must be a number."), QStringLiteral("Oops!"),
                        MsgIcon::Exclamation);
    return false;
}

void MaintenanceEntryDialog::cmd_OK_Click()
{
    // The checks made when a box is left run again first, so nothing that was
    // refused there can be written.
    if (!m_checker->checkAll())
        return;

    const QString note = QStringLiteral("Note!");
    const QString task = lst_mainttasklist->currentText();
    if (task.trimmed().isEmpty()) {
        refuseField(m_ctx.services, lst_mainttasklist, note, QStringLiteral("You must enter a task for your entry"));
        return;
    }
    if (task.size() > 50) {
        refuseField(m_ctx.services, lst_mainttasklist, note, QStringLiteral("Your task description must be less than 50 characters."));
        return;
    }
    if (txt_quantity->text().trimmed().isEmpty())
        txt_quantity->setText(QStringLiteral("0"));
    const std::optional<double> qty = parseNumber(txt_quantity->text().trimmed());
    if (!qty || *qty > 9999) {
        refuseField(m_ctx.services, txt_quantity, note, QStringLiteral("Your quantity must be less than 10,000."));
        return;
    }
    if (txt_description->text().isEmpty())
        txt_description->setText(QStringLiteral(" "));
    if (txt_description->text().size() > 50) {
        refuseField(m_ctx.services, txt_description, note, QStringLiteral("Your description must be 50 characters or less."));
        return;
    }
    const QString unit = lst_unit->currentText();
    if (unit.size() > 10) {
        refuseField(m_ctx.services, lst_unit, note,
               QStringLiteral("Your \"unit of measure\" entry must be 10 characters or less."));
        return;
    }
    if (txt_maintlognotes->text().isEmpty())
        txt_maintlognotes->setText(QStringLiteral(" "));

    MaintLogRecord rec;
    rec.rowid = m_isNew ? 0 : m_entry.rowid;
    rec.tankid = m_entry.tankid;
    rec.logdate = *txt_logdate->date(m_ctx.services.clock->today());
    rec.logtime = *txt_logtime->time();
    rec.task = task;
    rec.quantity = *qty;
    rec.unit = unit;
    rec.description = txt_description->text();
    rec.note = txt_maintlognotes->text();

    MaintLogStore store(m_ctx.db());
    QString error;
    const bool ok = m_isNew ? store.insert(rec, &error) : store.update(rec, &error);
    if (!ok) {
        m_ctx.services.tell(QStringLiteral("ERROR ") + error + QStringLiteral(" occurred."),
                            QStringLiteral("Oops"), MsgIcon::Exclamation);
        return;
    }
    m_saved = rec;
    accept();
}

void MaintenanceEntryDialog::cmd_Cancel_Click()
{
    reject();
}
