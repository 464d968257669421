#include "reports/ui/LogPrintDialog.h"

#include "core/AppContext.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/ShellInterfaces.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QVBoxLayout>

LogPrintDialog::LogPrintDialog(AppContext& ctx, IShell* shell, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName(QStringLiteral("LogPrintDialog"));
    addHelpKey(this, QStringLiteral("printlogs.html"));
    setWindowTitle(QStringLiteral("Log Printing"));
    setModal(true);

    m_logTypeBox = named(new QGroupBox(QStringLiteral("Log Type:"), this), "logTypeBox");
    m_waterQualityOption = named(new QRadioButton(QStringLiteral("Water Quality Log"), m_logTypeBox),
                                 "waterQualityOption");
    m_livestockOption = named(new QRadioButton(QStringLiteral("Livestock Log"), m_logTypeBox), "livestockOption");
    m_maintenanceOption =
        named(new QRadioButton(QStringLiteral("Maintenance Log"), m_logTypeBox), "maintenanceOption");
    m_waterQualityOption->setChecked(true);
    auto* logTypes = new QVBoxLayout(m_logTypeBox);
    logTypes->addWidget(m_waterQualityOption);
    logTypes->addWidget(m_livestockOption);
    logTypes->addWidget(m_maintenanceOption);

    m_allTanksCheck = named(new QCheckBox(QStringLiteral("Print log entries for All Tanks"), this), "allTanksCheck");

    m_destinationBox = named(new QGroupBox(QStringLiteral("Log Printing Options:"), this), "destinationBox");
    m_printerOption =
        named(new QRadioButton(QStringLiteral("Print Report to Printer"), m_destinationBox), "printerOption");
    m_screenOption =
        named(new QRadioButton(QStringLiteral("View Report on screen"), m_destinationBox), "screenOption");
    m_fileOption = named(new QRadioButton(QStringLiteral("Print Report to a File"), m_destinationBox), "fileOption");
    m_printerOption->setChecked(true);
    auto* destinations = new QVBoxLayout(m_destinationBox);
    destinations->addWidget(m_printerOption);
    destinations->addWidget(m_screenOption);
    destinations->addWidget(m_fileOption);

    m_okButton = named(new QPushButton(QStringLiteral("&OK"), this), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "cancelButton");
    m_cancelButton->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_logTypeBox, 0, 0, 2, 1);
    layout->addWidget(m_okButton, 0, 1, Qt::AlignTop);
    layout->addWidget(m_cancelButton, 1, 1, Qt::AlignTop);
    layout->addWidget(m_allTanksCheck, 2, 0, 1, 2);
    layout->addWidget(m_destinationBox, 3, 0);
    layout->setRowStretch(1, 1);

    setTabOrder(m_allTanksCheck, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_printerOption);
    setTabOrder(m_printerOption, m_screenOption);
    setTabOrder(m_screenOption, m_fileOption);
    setTabOrder(m_fileOption, m_maintenanceOption);
    setTabOrder(m_maintenanceOption, m_waterQualityOption);
    setTabOrder(m_waterQualityOption, m_livestockOption);

    connect(m_okButton, &QPushButton::clicked, this, &LogPrintDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

LogKind LogPrintDialog::logOfTab(int tab)
{
    switch (tab) {
    case 1: return LogKind::Livestock;
    case 2: return LogKind::Maintenance;
    default: return LogKind::WaterQuality;
    }
}

void LogPrintDialog::selectLog(LogKind kind)
{
    switch (kind) {
    case LogKind::WaterQuality: m_waterQualityOption->setChecked(true); break;
    case LogKind::Livestock: m_livestockOption->setChecked(true); break;
    case LogKind::Maintenance: m_maintenanceOption->setChecked(true); break;
    }
}

LogKind LogPrintDialog::selectedLog() const
{
    if (m_livestockOption->isChecked())
        return LogKind::Livestock;
    if (m_maintenanceOption->isChecked())
        return LogKind::Maintenance;
    return LogKind::WaterQuality;
}

PrintDestination LogPrintDialog::chosenDestination() const
{
    if (m_screenOption->isChecked())
        return PrintDestination::Preview;
    if (m_fileOption->isChecked())
        return PrintDestination::PdfFile;
    return PrintDestination::Printer;
}

void LogPrintDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // While the dialog is up, File > Print prints nothing.
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
}

void LogPrintDialog::accept()
{
    if (m_ctx.services.printing && m_ctx.services.clock) {
        LogPrintRequest request;
        request.kind = selectedLog();
        request.allTanks = m_allTanksCheck->isChecked();
        request.tankKey = m_tankKey;
        request.destination = chosenDestination();
        request.dateMask = m_ctx.settings.dateMask;
        const LogPrintResult result =
            printLogEntries(m_ctx.db(), *m_ctx.services.printing, *m_ctx.services.clock, request);
        if (result.status == LogPrintResult::NothingFound)
            m_ctx.services.tell(result.message, QStringLiteral("Note!"), MsgIcon::Information, false);
        else if (result.status == LogPrintResult::Failed)
            m_ctx.services.tell(result.message, QStringLiteral("Note!"), MsgIcon::Exclamation);
    }
    QDialog::accept();
}
