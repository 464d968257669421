#pragma once
// The livestock entry dialog: one acquisition of animals in a tank, added or
// changed. The caller fills it with setEntry(), sets the caption and runs exec();
// OK checks every field in order, writes the row and accepts; Cancel writes nothing.
#include "logbook/LogStore.h"

#include <QDialog>

class AppContext;
class LeaveChecker;
class MaskedDateEdit;
class MaskedTimeEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

class LivestockEntryDialog : public QDialog {
    Q_OBJECT
public:
    LivestockEntryDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~LivestockEntryDialog() override;

    // Fills the controls from rec. The row is written to the tank rec.tankid;
    // isNew: inserted on OK, otherwise the row rec.rowid is updated.
    void setEntry(const LivestockRecord& rec, bool isNew);
    // The row as last written by OK (its rowid set for a new one).
    const LivestockRecord& savedEntry() const { return m_saved; }

    // Species lists from the names files (falling back to the database list
    // when the file is missing) and from the database.
    void Salt_List_From_File();
    void Fresh_List_From_File();
    void Salt_List_From_DB();
    void Fresh_List_From_DB();

    // Handlers.
    void Form_Load();
    void opt_Saltwater_Click();
    void opt_fresh_click();
    void cmd_caldate_Click();
    bool txt_dateadded_LostFocus();
    void cmd_OK_Click();
    void cmd_Cancel_Click();

    QTabWidget* SSTab1 = nullptr;
    QComboBox* lst_AnimalList = nullptr;
    MaskedDateEdit* txt_DateAdded = nullptr;
    QToolButton* cmd_Caldate = nullptr;
    MaskedTimeEdit* txt_timeadded = nullptr;
    QLineEdit* txt_quantity = nullptr;
    QComboBox* lst_where = nullptr;
    QComboBox* lst_Status = nullptr;
    QLineEdit* txt_pricepaid = nullptr;
    QLineEdit* txt_pricesold = nullptr;
    MaskedDateEdit* txt_datelost = nullptr;
    QLineEdit* txt_Comment = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* opt_Fresh = nullptr;
    QRadioButton* opt_SaltWater = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Cancel = nullptr;

private:
    void loadFromFile(bool salt);
    void loadFromDb(bool salt);

    AppContext& m_ctx;
    LeaveChecker* m_checker = nullptr;
    LivestockRecord m_entry;
    LivestockRecord m_saved;
    bool m_isNew = true;
};
