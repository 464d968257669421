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
    const MaintLogRecord& savedEntry() const { return m_saved; }

    // Handlers.
    void Form_Load();
    void ud_quantity_Change(int value);
    void cmd_caldate_Click();
    bool txt_logdate_LostFocus();
    bool txt_logtime_LostFocus();
    bool txt_quantity_LostFocus();
    void cmd_OK_Click();
    void cmd_Cancel_Click();

    QTabWidget* SSTab1 = nullptr;
    QComboBox* lst_mainttasklist = nullptr;
    MaskedDateEdit* txt_logdate = nullptr;
    QToolButton* cmd_Caldate = nullptr;
    MaskedTimeEdit* txt_logtime = nullptr;
    QLineEdit* txt_quantity = nullptr;
    UpDown* ud_quantity = nullptr;
    QComboBox* lst_unit = nullptr;
    QLineEdit* txt_description = nullptr;
    QLineEdit* txt_maintlognotes = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Cancel = nullptr;

private:

    AppContext& m_ctx;
    LeaveChecker* m_checker = nullptr;
    MaintLogRecord m_entry;
    MaintLogRecord m_saved;
    bool m_isNew = true;
};
