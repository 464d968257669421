#pragma once
// The log print dialog: which log to print (water quality, livestock or
// maintenance), whether for the tank the logbook handed over or for all tanks,
// and where to (the printer, a print preview on screen, or a PDF file). OK
// prints and closes, whatever came of the printout; Cancel, Escape and the
// window frame print nothing. F1 shows its help page.
#include "reports/LogPrintout.h"

#include <QDialog>
#include <functional>

class AppContext;
class IShell;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

class LogPrintDialog : public QDialog {
    Q_OBJECT
public:
    LogPrintDialog(AppContext& ctx, IShell* shell, QWidget* parent = nullptr);

    // The log selected when the dialog opens (the logbook's current tab).
    void selectLog(LogKind kind);
    LogKind selectedLog() const;
    // The tank printed while "Print log entries for All Tanks" is unchecked.
    void setTank(const QString& tankKey) { m_tankKey = tankKey; }

    // The log of the logbook's tab (0 water quality, 1 livestock, 2 maintenance).
    static LogKind logOfTab(int tab);

public slots:
    // OK: prints the selected log to the chosen destination, tells the keeper
    // when there was nothing to print or the printout failed, and closes.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PrintDestination chosenDestination() const;

    AppContext& m_ctx;
    IShell* m_shell;
    QString m_tankKey;

    QGroupBox* m_logTypeBox = nullptr;
    QRadioButton* m_waterQualityOption = nullptr;
    QRadioButton* m_livestockOption = nullptr;
    QRadioButton* m_maintenanceOption = nullptr;
    QCheckBox* m_allTanksCheck = nullptr;
    QGroupBox* m_destinationBox = nullptr;
    QRadioButton* m_printerOption = nullptr;
    QRadioButton* m_screenOption = nullptr;
    QRadioButton* m_fileOption = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
