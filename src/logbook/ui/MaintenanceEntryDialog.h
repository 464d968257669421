#pragma once
// The maintenance entry dialog: one piece of work done on a tank, added or
// changed. The caller fills it with setEntry(), sets the caption for a change
// and runs exec(); OK checks, writes the row and accepts; Cancel writes nothing.
#include "logbook/LogStore.h"

#include <QDialog>

class AppContext;
class LeaveChecker;
class MaskedDateEdit;
class MaskedTimeEdit;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class UpDown;

class MaintenanceEntryDialog : public QDialog {
    Q_OBJECT
public:
    MaintenanceEntryDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~MaintenanceEntryDialog() override;

    // Fills the controls from rec. The row is written to the tank rec.tankid;
    // isNew: inserted on OK, otherwise the row rec.rowid is updated.
    void setEntry(const MaintLogRecord& rec, bool isNew);

public slots:
    // OK: checks every field again, writes the row and closes; a refused field
    // or a failed write leaves the dialog open.
    void accept() override;

private:
    void fillPickLists();
    void writeQuantity(int value);
    void pickDate();
    bool checkDate();
    bool checkTime();
    bool checkQuantity();

    AppContext& m_ctx;
    LeaveChecker* m_checker = nullptr;

    QTabWidget* m_entryTabs = nullptr;
    QComboBox* m_taskList = nullptr;
    MaskedDateEdit* m_dateEdit = nullptr;
    QToolButton* m_calendarButton = nullptr;
    MaskedTimeEdit* m_timeEdit = nullptr;
    QLineEdit* m_quantityEdit = nullptr;
    UpDown* m_quantitySpinner = nullptr;
    QComboBox* m_unitList = nullptr;
    QLineEdit* m_descriptionEdit = nullptr;
    QLineEdit* m_notesEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

    MaintLogRecord m_entry;
    bool m_isNew = true;
};
